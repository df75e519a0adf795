// TIFF and BMP files of file transfer: the header bytes, what libtiff and
// ImageMagick read from the files, the placement of BMP rows whatever order
// their batches arrive in, and the shape the headers describe.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pipeline/bmp_file_header.h"
#include "pipeline/file_image_shape.h"
#include "pipeline/scan_geometry.h"
#include "pipeline/tiff_header.h"

namespace {

uint16_t U16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }

bool HaveTool(const char* name) {
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return system(command.c_str()) == 0;
}

// Standard output of a shell command, bytes as they come.
std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

class TempFile {
public:
    explicit TempFile(const char* suffix) {
        std::string pattern = testing::TempDir() + "plnx_file_XXXXXX" + suffix;
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back(0);
        int fd = mkstemps(name.data(), (int)strlen(suffix));
        if (fd >= 0) close(fd);
        path_ = name.data();
    }
    ~TempFile() { remove(path_.c_str()); }
    const std::string& path() const { return path_; }
    bool Write(const std::vector<uint8_t>& bytes) const {
        FILE* f = fopen(path_.c_str(), "wb");
        if (!f) return false;
        bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        return fclose(f) == 0 && ok;
    }

private:
    std::string path_;
};

// A recognisable picture: byte i of row y.
uint8_t PatternByte(uint32_t y, uint32_t i) { return (uint8_t)(y * 37 + i * 11 + 5); }

std::vector<uint8_t> PatternRow(uint32_t y, uint32_t bytes) {
    std::vector<uint8_t> row(bytes);
    for (uint32_t i = 0; i < bytes; ++i) row[i] = PatternByte(y, i);
    return row;
}

// The picture as ImageMagick's convert hands out 8-bit samples, top row
// first: one sample per pixel (0 or 255 for bits) or red, green, blue.
std::string ExpectedSamples(ImageKind kind, uint32_t rowBytes, uint32_t rows) {
    std::string samples;
    for (uint32_t y = 0; y < rows; ++y) {
        std::vector<uint8_t> row = PatternRow(y, rowBytes);
        for (uint8_t b : row) {
            if (kind == KIND_LINEART || kind == KIND_HALFTONE) {
                for (int bit = 7; bit >= 0; --bit) samples.push_back((b >> bit) & 1 ? (char)255 : (char)0);
            } else {
                samples.push_back((char)b);
            }
        }
    }
    return samples;
}

std::string DecodedSamples(const std::string& path, ImageKind kind) {
    return RunCommand("convert '" + path + "' -depth 8 " + (kind == KIND_COLOR ? "rgb:-" : "gray:-") + " 2>/dev/null");
}

struct TiffCase {
    const char* name;
    FileImageShape shape;
    uint32_t width;
    uint16_t bitsCount;
    uint32_t bitsValue;  // the bits, or the offset of the colour array
    uint16_t photometric;
    uint16_t samples;
    uint32_t firstRow;
    uint32_t stripBytes;
    uint32_t xResolutionAt;
};

const TiffCase kTiffCases[] = {
    {"gray 100 x 50", {KIND_GRAY, 100, 50, 300}, 100, 1, 8, 1, 1, 138, 5000, 122},
    {"lineart rows of 32 bytes", {KIND_LINEART, 32, 6, 600}, 256, 1, 1, 1, 1, 138, 192, 122},
    {"halftone like lineart", {KIND_HALFTONE, 4, 3, 200}, 32, 1, 1, 1, 1, 138, 12, 122},
    {"color 10 pixels", {KIND_COLOR, 30, 5, 1200}, 10, 3, 122, 2, 3, 144, 150, 128},
};

std::vector<uint8_t> TiffFile(const FileImageShape& shape) {
    std::vector<uint8_t> file(TIFF_HEADER_MAX);
    uint32_t size = BuildTiffHeader(file.data(), shape);
    file.resize(size);
    for (uint32_t y = 0; y < shape.Rows; ++y) {
        std::vector<uint8_t> row = PatternRow(y, shape.RowBytes);
        file.insert(file.end(), row.begin(), row.end());
    }
    return file;
}

}  // namespace

TEST(TiffHeader, LaysOutOneDirectoryForEachKind) {
    for (const TiffCase& c : kTiffCases) {
        SCOPED_TRACE(c.name);
        uint8_t h[TIFF_HEADER_MAX + 8];
        memset(h, 0xAA, sizeof h);
        uint32_t size = BuildTiffHeader(h, c.shape);
        ASSERT_EQ(size, c.firstRow);
        EXPECT_EQ(TiffHeaderSize(c.shape.Kind), c.firstRow);
        EXPECT_EQ(h[size], 0xAA) << "wrote past the header";
        EXPECT_EQ(memcmp(h, "II", 2), 0);
        EXPECT_EQ(U16(h + 2), 42);
        EXPECT_EQ(U32(h + 4), 8u);
        ASSERT_EQ(U16(h + 8), 9);
        EXPECT_EQ(U32(h + 118), 0u) << "no further directory";

        struct Entry {
            uint16_t tag, type;
            uint32_t count, value;
        } expected[9] = {
            {256, 4, 1, c.width},
            {257, 4, 1, c.shape.Rows},
            {258, 3, c.bitsCount, c.bitsValue},
            {262, 3, 1, c.photometric},
            {273, 4, 1, c.firstRow},
            {277, 3, 1, c.samples},
            {279, 4, 1, c.stripBytes},
            {282, 5, 1, c.xResolutionAt},
            {283, 5, 1, c.xResolutionAt + 8},
        };
        for (int i = 0; i < 9; ++i) {
            const uint8_t* e = h + 10 + 12 * i;
            SCOPED_TRACE(expected[i].tag);
            EXPECT_EQ(U16(e), expected[i].tag);
            EXPECT_EQ(U16(e + 2), expected[i].type);
            EXPECT_EQ(U32(e + 4), expected[i].count);
            EXPECT_EQ(U32(e + 8), expected[i].value);
        }
        if (c.shape.Kind == KIND_COLOR) {
            EXPECT_EQ(U16(h + 122), 8);
            EXPECT_EQ(U16(h + 124), 8);
            EXPECT_EQ(U16(h + 126), 8);
        }
        for (uint32_t at : {c.xResolutionAt, c.xResolutionAt + 8}) {
            EXPECT_EQ(U32(h + at), c.shape.Resolution);
            EXPECT_EQ(U32(h + at + 4), 1u);
        }
    }
}

TEST(TiffHeader, RefusesShapesATiffCannotHold) {
    struct Case {
        const char* name;
        FileImageShape shape;
        uint32_t size;
    } cases[] = {
        {"no rows", {KIND_GRAY, 100, 0, 300}, 0},
        {"empty rows", {KIND_GRAY, 0, 10, 300}, 0},
        {"colour rows of part pixels", {KIND_COLOR, 31, 10, 300}, 0},
        {"pixels past 4 GB", {KIND_COLOR, 96000, 44740, 300}, 0},
        {"last byte at 4 GB - 1", {KIND_GRAY, 0xFFFFFFFFu - 138, 1, 300}, 138},
        {"one byte more", {KIND_GRAY, 0xFFFFFFFFu - 137, 1, 300}, 0},
        {"bit rows too wide to count in pixels", {KIND_LINEART, 0x20000000, 1, 300}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t h[TIFF_HEADER_MAX];
        memset(h, 0xAA, sizeof h);
        EXPECT_EQ(BuildTiffHeader(h, c.shape), c.size);
        if (c.size == 0) {
            EXPECT_EQ(h[0], 0xAA) << "a refused header writes nothing";
        }
    }
}

TEST(TiffHeader, LibtiffReadsTheTags) {
    if (!HaveTool("tiffdump") || !HaveTool("tiffinfo")) GTEST_SKIP() << "tiffdump/tiffinfo not installed";
    for (const TiffCase& c : kTiffCases) {
        SCOPED_TRACE(c.name);
        TempFile file(".tif");
        ASSERT_TRUE(file.Write(TiffFile(c.shape)));
        std::string dump = RunCommand("tiffdump '" + file.path() + "' 2>&1");
        EXPECT_NE(dump.find("ImageWidth (256) LONG (4) 1<" + std::to_string(c.width) + ">"), std::string::npos) << dump;
        EXPECT_NE(dump.find("ImageLength (257) LONG (4) 1<" + std::to_string(c.shape.Rows) + ">"), std::string::npos)
            << dump;
        EXPECT_NE(dump.find("StripOffsets (273) LONG (4) 1<" + std::to_string(c.firstRow) + ">"), std::string::npos)
            << dump;
        EXPECT_NE(dump.find("StripByteCounts (279) LONG (4) 1<" + std::to_string(c.stripBytes) + ">"),
                  std::string::npos)
            << dump;
        std::string bits = c.shape.Kind == KIND_COLOR ? "3<8 8 8>" : "1<" + std::to_string(c.bitsValue) + ">";
        EXPECT_NE(dump.find("BitsPerSample (258) SHORT (3) " + bits), std::string::npos) << dump;
        EXPECT_NE(dump.find("SamplesPerPixel (277) SHORT (3) 1<" + std::to_string(c.samples) + ">"), std::string::npos)
            << dump;

        // tiffinfo warns on stderr about anything it finds out of order.
        std::string info = RunCommand("tiffinfo '" + file.path() + "' 2>&1 >/dev/null");
        EXPECT_EQ(info, "");
        std::string resolution = std::to_string(c.shape.Resolution);
        std::string text = RunCommand("tiffinfo '" + file.path() + "' 2>/dev/null");
        EXPECT_NE(text.find("Resolution: " + resolution + ", " + resolution), std::string::npos) << text;
    }
}

TEST(TiffHeader, ImageMagickFindsTheRowsWhereTheHeaderSays) {
    if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick convert not installed";
    for (const TiffCase& c : kTiffCases) {
        SCOPED_TRACE(c.name);
        TempFile file(".tif");
        ASSERT_TRUE(file.Write(TiffFile(c.shape)));
        EXPECT_EQ(DecodedSamples(file.path(), c.shape.Kind), ExpectedSamples(c.shape.Kind, c.shape.RowBytes, c.shape.Rows));
    }
}

TEST(BmpFile, HeadersAndColourTablesByKind) {
    struct Case {
        const char* name;
        FileImageShape shape;
        uint32_t width, stride;
        uint16_t bits;
        uint32_t colours, bitsOffset, fileSize;
    } cases[] = {
        // 10 x 12 + 14 + 40 + 1024.
        {"gray 10 rows of stride 12", {KIND_GRAY, 10, 10, 300}, 10, 12, 8, 256, 1078, 1198},
        {"gray rows already whole words", {KIND_GRAY, 12, 10, 300}, 12, 12, 8, 256, 1078, 1198},
        {"lineart", {KIND_LINEART, 4, 7, 300}, 32, 4, 1, 2, 62, 90},
        {"halftone with padded rows", {KIND_HALFTONE, 2, 3, 300}, 16, 4, 1, 2, 62, 74},
        {"color", {KIND_COLOR, 30, 5, 300}, 10, 32, 24, 0, 54, 214},
        {"color one pixel", {KIND_COLOR, 3, 2, 300}, 1, 4, 24, 0, 54, 62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpLayout layout;
        ASSERT_TRUE(ComputeBmpLayout(c.shape, &layout));
        EXPECT_EQ(layout.Stride, c.stride);
        EXPECT_EQ(layout.FileSize, c.fileSize);

        std::vector<uint8_t> h(BMP_HEADER_MAX + 4, 0xAA);
        ASSERT_EQ(BuildBmpHeader(h.data(), layout), c.bitsOffset);
        EXPECT_EQ(h[c.bitsOffset], 0xAA) << "wrote past the colour table";
        EXPECT_EQ(memcmp(h.data(), "BM", 2), 0);
        EXPECT_EQ(U32(&h[2]), c.fileSize);
        EXPECT_EQ(U32(&h[6]), 0u);
        EXPECT_EQ(U32(&h[10]), c.bitsOffset);
        const uint8_t* info = &h[14];
        EXPECT_EQ(U32(info + 0), 40u);
        EXPECT_EQ(U32(info + 4), c.width);
        EXPECT_EQ(U32(info + 8), c.shape.Rows) << "positive height: bottom-up";
        EXPECT_EQ(U16(info + 12), 1);
        EXPECT_EQ(U16(info + 14), c.bits);
        for (int at = 16; at < 32; at += 4) EXPECT_EQ(U32(info + at), 0u) << at;
        EXPECT_EQ(U32(info + 32), c.colours);
        EXPECT_EQ(U32(info + 36), 0u);
        const uint8_t* table = info + 40;
        for (uint32_t i = 0; i < c.colours; ++i) {
            uint8_t level = c.colours == 2 ? (i ? 255 : 0) : (uint8_t)i;
            const uint8_t entry[4] = {level, level, level, 0};
            ASSERT_EQ(memcmp(table + 4 * i, entry, 4), 0) << "entry " << i;
        }
    }
}

TEST(BmpFile, RefusesShapesABmpCannotHold) {
    BmpLayout layout;
    EXPECT_FALSE(ComputeBmpLayout({KIND_GRAY, 100, 0, 300}, &layout));
    EXPECT_FALSE(ComputeBmpLayout({KIND_GRAY, 0, 10, 300}, &layout));
    EXPECT_FALSE(ComputeBmpLayout({KIND_COLOR, 31, 10, 300}, &layout));
    // 65536 x 65536 bytes with the gray table reach past 4 GB.
    EXPECT_FALSE(ComputeBmpLayout({KIND_GRAY, 65536, 65536, 300}, &layout));
    EXPECT_TRUE(ComputeBmpLayout({KIND_GRAY, 65536, 65519, 300}, &layout));
    EXPECT_EQ(layout.FileSize, 1078u + 65536u * 65519u);
}

TEST(BmpFile, IdentifyReadsTheShape) {
    if (!HaveTool("identify")) GTEST_SKIP() << "ImageMagick identify not installed";
    struct Case {
        const char* name;
        FileImageShape shape;
        const char* expected;  // width height depth
    } cases[] = {
        {"gray", {KIND_GRAY, 10, 10, 300}, "10 10 8"},
        {"lineart", {KIND_LINEART, 4, 7, 300}, "32 7 1"},
        {"color", {KIND_COLOR, 30, 5, 300}, "10 5 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpLayout layout;
        ASSERT_TRUE(ComputeBmpLayout(c.shape, &layout));
        std::vector<uint8_t> file(layout.FileSize);
        BuildBmpHeader(file.data(), layout);
        TempFile path(".bmp");
        ASSERT_TRUE(path.Write(file));
        EXPECT_EQ(RunCommand("identify -format '%w %h %z' '" + path.path() + "' 2>&1"), c.expected);
    }
}

namespace {

// A pre-sized BMP (its bytes `fill` at first) written batch by batch, the
// batches taken in `order`.
std::vector<uint8_t> WriteBmpInBatches(const BmpLayout& layout, uint32_t batchRows, const std::vector<uint32_t>& order,
                                       uint8_t fill = 0xEE) {
    std::vector<uint8_t> file(layout.FileSize, fill);
    BuildBmpHeader(file.data(), layout);
    std::vector<uint8_t> batch(BmpBatchBytes(layout, batchRows));
    for (uint32_t b : order) {
        uint32_t first = b * batchRows;
        uint32_t count = std::min(batchRows, layout.Height - first);
        for (uint32_t i = 0; i < count; ++i)
            StoreBmpBatchRow(batch.data(), layout, count, i, PatternRow(first + i, layout.RowBytes).data());
        uint32_t at = BmpBatchOffset(layout, first, count);
        EXPECT_GE(at, layout.BitsOffset);
        EXPECT_LE(at + BmpBatchBytes(layout, count), layout.FileSize);
        memcpy(&file[at], batch.data(), BmpBatchBytes(layout, count));
    }
    return file;
}

}  // namespace

TEST(BmpFile, RowsLandBottomUpWhateverTheBatchOrder) {
    const bool haveConvert = HaveTool("convert");
    struct Case {
        const char* name;
        FileImageShape shape;
    } cases[] = {
        {"gray with padding", {KIND_GRAY, 10, 10, 300}},
        {"lineart", {KIND_LINEART, 4, 10, 300}},
        {"color as blue-green-red", {KIND_COLOR, 15, 10, 300}},
    };
    // Ten rows in batches of three: 3, 3, 3 and 1.
    const std::vector<std::vector<uint32_t>> orders = {{0, 1, 2, 3}, {3, 2, 1, 0}, {2, 0, 3, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpLayout layout;
        ASSERT_TRUE(ComputeBmpLayout(c.shape, &layout));
        std::vector<uint8_t> first = WriteBmpInBatches(layout, 3, orders[0]);
        EXPECT_EQ(WriteBmpInBatches(layout, 3, orders[0], 0x11), first) << "every byte of the file is written";
        for (size_t o = 1; o < orders.size(); ++o) EXPECT_EQ(WriteBmpInBatches(layout, 3, orders[o]), first) << o;

        // The bottom row of the file is the last scanned line.
        std::vector<uint8_t> last = PatternRow(9, c.shape.RowBytes);
        if (c.shape.Kind == KIND_COLOR) {
            EXPECT_EQ(first[layout.BitsOffset + 0], last[2]);
            EXPECT_EQ(first[layout.BitsOffset + 2], last[0]);
        } else {
            EXPECT_EQ(memcmp(&first[layout.BitsOffset], last.data(), last.size()), 0);
        }
        if (layout.Stride > layout.RowBytes) {
            EXPECT_EQ(first[layout.BitsOffset + layout.RowBytes], 0) << "padding";
        }

        if (!haveConvert) continue;
        TempFile path(".bmp");
        ASSERT_TRUE(path.Write(first));
        EXPECT_EQ(DecodedSamples(path.path(), c.shape.Kind), ExpectedSamples(c.shape.Kind, c.shape.RowBytes, 10));
    }
    if (!haveConvert) GTEST_SKIP() << "ImageMagick convert not installed; decoded pixels not compared";
}

TEST(BmpFile, BatchesOutsideThePictureGetNoPlace) {
    BmpLayout layout;
    ASSERT_TRUE(ComputeBmpLayout({KIND_GRAY, 10, 10, 300}, &layout));
    EXPECT_EQ(BmpBatchOffset(layout, 0, 10), layout.BitsOffset);
    EXPECT_EQ(BmpBatchOffset(layout, 9, 1), layout.BitsOffset);
    EXPECT_EQ(BmpBatchOffset(layout, 0, 1), layout.BitsOffset + 9 * 12);
    EXPECT_EQ(BmpBatchOffset(layout, 0, 0), 0u);
    EXPECT_EQ(BmpBatchOffset(layout, 8, 3), 0u);
    EXPECT_EQ(BmpBatchOffset(layout, 10, 1), 0u);
    EXPECT_EQ(BmpBatchOffset(layout, 1, 0xFFFFFFFFu), 0u);
    EXPECT_EQ(BmpRowOffset(layout, 10), 0u);
}

// The output header states what the enlarger delivers: f rows of f times
// LineBytes per ring line, f = 2, or 2 x DpiScale for 2400 to 4800 dpi; the
// work files hold the ring lines at the resolution they were read with.
TEST(FileImageShape, HeadersDescribeTheRowsActuallyWritten) {
    struct Case {
        const char* name;
        GeometryInput in;
        FileImageShape output;
        FileImageShape work;
    } cases[] = {
        {"gray 300", {KIND_GRAY, 296, 300, 300, 300, false, false, 0}, {KIND_GRAY, 296, 300, 300}, {KIND_GRAY, 296, 300, 300}},
        {"gray 600 resampled", {KIND_GRAY, 296, 300, 600, 600, true, false, 0},
         {KIND_GRAY, 592, 600, 600}, {KIND_GRAY, 592, 600, 600}},
        {"gray 1200", {KIND_GRAY, 296, 300, 1200, 600, true, true, 0},
         {KIND_GRAY, 1184, 1200, 1200}, {KIND_GRAY, 592, 600, 600}},
        {"gray 1200 with DpiScale 1", {KIND_GRAY, 296, 300, 1200, 600, true, true, 1},
         {KIND_GRAY, 1184, 1200, 1200}, {KIND_GRAY, 592, 600, 600}},
        {"color 1200 from 600", {KIND_COLOR, 1782, 600, 1200, 600, false, true, 0},
         {KIND_COLOR, 3564, 1200, 1200}, {KIND_COLOR, 1782, 600, 600}},
        {"gray 2400", {KIND_GRAY, 296, 300, 1200, 600, true, true, 2},
         {KIND_GRAY, 2368, 2400, 2400}, {KIND_GRAY, 592, 600, 600}},
        {"lineart 2400", {KIND_LINEART, 72, 600, 1200, 600, false, true, 2},
         {KIND_LINEART, 288, 2400, 2400}, {KIND_LINEART, 72, 600, 600}},
        {"gray 3600", {KIND_GRAY, 296, 300, 1200, 600, true, true, 3},
         {KIND_GRAY, 3552, 3600, 3600}, {KIND_GRAY, 592, 600, 600}},
        {"color 4800", {KIND_COLOR, 888, 300, 1200, 600, true, true, 4},
         {KIND_COLOR, 14208, 4800, 4800}, {KIND_COLOR, 1776, 600, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScanGeometry g = ComputeScanGeometry(c.in);
        FileImageShape out = OutputFileShape(g, c.in.Kind, c.in.DoubleRes, c.in.DpiScale);
        EXPECT_EQ(out.RowBytes, c.output.RowBytes);
        EXPECT_EQ(out.Rows, c.output.Rows);
        EXPECT_EQ(out.Resolution, c.output.Resolution);
        EXPECT_EQ(out.Rows, g.DeliveredLines);
        FileImageShape work = ScanWorkFileShape(g, c.in.Kind, c.in.DoubleRes, c.in.DpiScale);
        EXPECT_EQ(work.RowBytes, c.work.RowBytes);
        EXPECT_EQ(work.Rows, c.work.Rows);
        EXPECT_EQ(work.Resolution, c.work.Resolution);

        // The TIFF strip is exactly the rows the file receives.
        uint8_t h[TIFF_HEADER_MAX];
        ASSERT_NE(BuildTiffHeader(h, out), 0u);
        EXPECT_EQ(U32(h + 10 + 6 * 12 + 8), c.output.RowBytes * c.output.Rows);
    }
}
