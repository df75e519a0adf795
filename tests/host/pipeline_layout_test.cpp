// Scan geometry, the native bitmap's layout and the ring buffer's lines.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "device/block_layout.h"
#include "pipeline/dib_layout.h"
#include "pipeline/ring_layout.h"
#include "pipeline/scan_geometry.h"

TEST(ScanGeometry, FollowsTheScannerAndTheResamplingFlags) {
    struct Case {
        const char* name;
        GeometryInput in;
        ScanGeometry expected;
    } cases[] = {
        {"gray 300", {KIND_GRAY, 296, 300, 300, 300, false, false, 0}, {296, 296, 300, 296, 296, 300, 300, 296, 300}},
        {"color 150", {KIND_COLOR, 444, 150, 150, 150, false, false, 0}, {444, 444, 150, 148, 444, 150, 150, 148, 150}},
        {"lineart 600", {KIND_LINEART, 72, 600, 600, 600, false, false, 0}, {72, 72, 600, 576, 72, 600, 600, 576, 600}},
        // The driver resamples 300 dpi lines to 600 dpi in both directions.
        {"gray 600 resampled", {KIND_GRAY, 296, 300, 600, 600, true, false, 0},
         {592, 592, 600, 592, 592, 600, 600, 592, 600}},
        {"color 600 resampled", {KIND_COLOR, 888, 300, 600, 600, true, false, 0},
         {1776, 1776, 600, 592, 1776, 600, 600, 592, 600}},
        {"gray 400 resampled", {KIND_GRAY, 300, 300, 400, 400, true, false, 0},
         {400, 400, 400, 400, 400, 400, 400, 400, 400}},
        // 1200 dpi: 600 dpi lines (resampled from 300) enlarged twice.
        {"gray 1200", {KIND_GRAY, 296, 300, 1200, 600, true, true, 0},
         {592, 1184, 600, 592, 592, 1200, 1200, 1184, 1200}},
        {"color 1200 from 600", {KIND_COLOR, 1782, 600, 1200, 600, false, true, 0},
         {1782, 3564, 600, 594, 1784, 1200, 1200, 1188, 1200}},
        // 2400 dpi (M = 2): rows of M x B x 4 bytes.
        {"gray 2400", {KIND_GRAY, 296, 300, 1200, 600, true, true, 2},
         {592, 2368, 600, 592, 592, 2400, 2400, 2368, 2400}},
        {"lineart 2400", {KIND_LINEART, 72, 600, 1200, 600, false, true, 2},
         {72, 288, 600, 576, 72, 2400, 2400, 2304, 2400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScanGeometry g = ComputeScanGeometry(c.in);
        EXPECT_EQ(g.LineBytes, c.expected.LineBytes);
        EXPECT_EQ(g.OutRowBytes, c.expected.OutRowBytes);
        EXPECT_EQ(g.OutLines, c.expected.OutLines);
        EXPECT_EQ(g.OutPixels, c.expected.OutPixels);
        EXPECT_EQ(g.DibStride, c.expected.DibStride);
        EXPECT_EQ(g.ReportedDpi, c.expected.ReportedDpi);
        EXPECT_EQ(g.DeliveredLines, c.expected.DeliveredLines);
        EXPECT_EQ(g.ImageWidth, c.expected.ImageWidth);
        EXPECT_EQ(g.ImageLength, c.expected.ImageLength);
    }
}

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | ((uint32_t)b[at + 3] << 24);
}

ScanGeometry Geometry(ImageKind kind, uint32_t bytes, uint32_t lines) {
    GeometryInput in = {kind, bytes, lines, 300, 300, false, false, 0};
    return ComputeScanGeometry(in);
}

}  // namespace

TEST(DibLayout, HeaderAndColourTablePerKind) {
    struct Case {
        ImageKind kind;
        uint32_t bytes, width, bits, entries;
    } cases[] = {
        {KIND_LINEART, 4, 32, 1, 2}, {KIND_HALFTONE, 4, 32, 1, 2}, {KIND_GRAY, 8, 8, 8, 256}, {KIND_COLOR, 12, 4, 24, 0}};
    for (const Case& c : cases) {
        ScanGeometry g = Geometry(c.kind, c.bytes, 3);
        std::vector<uint8_t> block(DibBlockSize(g, c.kind), 0xEE);
        EXPECT_EQ(block.size(), 3 * g.DibStride + 4 * c.entries + 40);
        WriteDibHeader(block.data(), g, c.kind);
        EXPECT_EQ(U32(block, 0), 40u);
        EXPECT_EQ(U32(block, 4), c.width);
        EXPECT_EQ(U32(block, 8), 3u);
        EXPECT_EQ(block[12] | (block[13] << 8), 1);
        EXPECT_EQ(block[14] | (block[15] << 8), (int)c.bits);
        for (size_t at : {16, 20, 24, 28, 36}) EXPECT_EQ(U32(block, at), 0u) << at;
        EXPECT_EQ(U32(block, 32), c.entries);
        if (c.entries == 2) {
            EXPECT_EQ(U32(block, 40), 0x00000000u);  // black
            EXPECT_EQ(U32(block, 44), 0x00FFFFFFu);  // white
        }
        if (c.entries == 256) {
            EXPECT_EQ(U32(block, 40 + 4 * 0x80), 0x00808080u);
            EXPECT_EQ(U32(block, 40 + 4 * 255), 0x00FFFFFFu);
        }
    }
}

TEST(DibLayout, FirstLineIsTheTopRowAndColourIsStoredBlueGreenRed) {
    // A Color image one pixel wide: 3-byte lines padded to 4-byte rows.
    GeometryInput in = {KIND_COLOR, 3, 2, 300, 300, false, false, 0};
    ScanGeometry g = ComputeScanGeometry(in);
    g.LineBytes = 3;  // one pixel, as the scanner sent it
    g.DibStride = 4;
    g.OutRowBytes = 3;
    std::vector<uint8_t> block(DibBlockSize(g, KIND_COLOR), 0);
    WriteDibHeader(block.data(), g, KIND_COLOR);
    EXPECT_EQ(U32(block, 4), 1u);
    const uint8_t first[3] = {10, 20, 30}, second[3] = {40, 50, 60};
    StoreDibLine(DibRowForLine(block.data(), g, KIND_COLOR, 0), first, 3, KIND_COLOR);
    StoreDibLine(DibRowForLine(block.data(), g, KIND_COLOR, 1), second, 3, KIND_COLOR);
    EXPECT_EQ(block.size(), 40u + 2 * 4);
    const uint8_t expected[] = {60, 50, 40, 0, 30, 20, 10, 0};  // bottom row first
    EXPECT_EQ(memcmp(block.data() + 40, expected, sizeof expected), 0);
}

namespace {

void PutRecord(std::vector<uint8_t>& table, size_t i, uint32_t bytes, uint32_t address) {
    uint8_t* r = table.data() + i * RING_RECORD_SIZE;
    for (int k = 0; k < 4; ++k) {
        r[RING_BYTES + k] = (uint8_t)(bytes >> (8 * k));
        r[RING_ADDRESS + k] = (uint8_t)(address >> (8 * k));
    }
}

}  // namespace

TEST(RingLayout, BlocksHoldWholeLinesAndLinesWrapAroundTheRing) {
    std::vector<uint8_t> ring(1000);
    uint32_t base = (uint32_t)(uintptr_t)ring.data();
    std::vector<uint8_t> table(3 * RING_RECORD_SIZE, 0);
    PutRecord(table, 0, 300, base);
    PutRecord(table, 1, 300, base + 300);
    PutRecord(table, 2, 300, base + 600);
    RingBlock blocks[RING_MAX_BLOCKS];
    ASSERT_EQ(ReadRingTable(table.data(), 3, ring.data(), ring.size(), 96, blocks), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(blocks[i].Lines, 3);
        EXPECT_EQ(blocks[i].Bytes, 288u);
        EXPECT_EQ(blocks[i].Start, ring.data() + 300 * i);
    }
    WriteRingTable(table.data(), blocks, 3);
    EXPECT_EQ(table[RING_RECORD_SIZE + RING_BYTES], 288 & 0xff);
    EXPECT_EQ(table[RING_RECORD_SIZE + RING_LINES], 3);
    EXPECT_EQ(RingLine(blocks, 3, 96, 0), ring.data());
    EXPECT_EQ(RingLine(blocks, 3, 96, 4), ring.data() + 300 + 96);
    EXPECT_EQ(RingLine(blocks, 3, 96, 8), ring.data() + 600 + 192);
    EXPECT_EQ(RingLine(blocks, 3, 96, 9), ring.data());  // around again
}

TEST(RingLayout, RecordsOutsideTheRingOrWithoutALineAreRefused) {
    std::vector<uint8_t> ring(1000);
    uint32_t base = (uint32_t)(uintptr_t)ring.data();
    RingBlock blocks[RING_MAX_BLOCKS];
    std::vector<uint8_t> table(RING_RECORD_SIZE, 0);
    PutRecord(table, 0, 600, base + 500);  // runs past the end
    EXPECT_EQ(ReadRingTable(table.data(), 1, ring.data(), ring.size(), 96, blocks), 0u);
    PutRecord(table, 0, 50, base);  // less than one line
    EXPECT_EQ(ReadRingTable(table.data(), 1, ring.data(), ring.size(), 96, blocks), 0u);
    PutRecord(table, 0, 100, base - 4);  // before the start
    EXPECT_EQ(ReadRingTable(table.data(), 1, ring.data(), ring.size(), 96, blocks), 0u);
    // A block of more than 32767 lines holds 32767.
    std::vector<uint8_t> big(40000);
    PutRecord(table, 0, 40000, (uint32_t)(uintptr_t)big.data());
    ASSERT_EQ(ReadRingTable(table.data(), 1, big.data(), big.size(), 1, blocks), 1u);
    EXPECT_EQ(blocks[0].Lines, 32767);
}
