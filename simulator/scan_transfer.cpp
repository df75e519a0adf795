#include "simulator/scan_transfer.h"

#include <string.h>

#include <algorithm>
#include <new>

#include "device/block_layout.h"
#include "simulator/block_fields.h"
#include "simulator/frame_render.h"
#include "simulator/line_stretch.h"

uint16_t StartScan(ScannerDevice& device, uint8_t* block) {
    device.scanning = false;
    if (device.power != 0) return STATUS_NOT_READY;
    if (!device.paramsSet) return STATUS_OUT_OF_SEQUENCE;
    const ScanParameters& p = device.params;
    if (!ComputeScanGeometry(p.frame, p.resolution, p.type, &device.geometry) ||
        device.geometry.bytesPerLine > 0xffff || device.geometry.lines > 0xffff)
        return STATUS_BAD_PARAMETER;
    if (p.source == SOURCE_FEEDER || p.source == SOURCE_FEEDER_CAP) {
        if (!FeederHasPaper(device)) return STATUS_NO_PAPER;
        if (device.config.FeederPages) ++device.feederPagesTaken;
    }
    SetField16(block, GEO_LINE_BYTES, (uint16_t)device.geometry.bytesPerLine);
    SetField16(block, GEO_LINES, (uint16_t)device.geometry.lines);
    device.scanning = true;
    device.linesSent = 0;
    device.rawAtRingStart = false;
    device.lastReadFirst = 0;
    device.lastReadLines = 0;
    device.stretchedLines = 0;
    device.busyAnswers = 0;
    device.busyOver = false;
    return 0;
}

uint16_t ReadScanLines(ScannerDevice& device, uint8_t* block, uint32_t* linesSent) {
    if (!device.scanning) return STATUS_OUT_OF_SEQUENCE;
    const Ring& ring = device.ring;
    uint32_t ringOffset;
    if (!RingOffset(ring, Field32(block, RD_RING_ADDRESS), &ringOffset) || ringOffset != 0) return STATUS_RING;
    const uint32_t blocks = Field16(block, RD_RING_COUNT);
    if (blocks < 1 || blocks > (uint32_t)ring.count) return STATUS_RING;

    const uint32_t lineBytes = (uint32_t)device.geometry.bytesPerLine;
    const uint32_t lines = Field16(block, RD_LINES);
    if (Field16(block, RD_LINE_BYTES) != lineBytes || Field32(block, RD_BYTES) != lines * lineBytes)
        return STATUS_BAD_PARAMETER;
    if (device.linesSent + lines > (uint32_t)device.geometry.lines) return STATUS_PAST_END;
    const uint32_t perBlock = LinesPerBlock(ring.blockBytes, lineBytes);
    if (perBlock == 0 || lines > perBlock * blocks) return STATUS_RING;

    const SimulatorConfig& c = device.config;
    if (c.ReadStatus && device.linesSent >= c.ReadStatusAfter) return (uint16_t)c.ReadStatus;
    if (c.ReadBusy && !device.busyOver && device.linesSent >= c.ReadBusyAtLine) {
        if (device.busyAnswers < c.ReadBusy) {
            ++device.busyAnswers;
            return STATUS_NO_PAPER;
        }
        device.busyOver = true;
    }

    for (uint32_t i = 0; i < lines; ++i) {
        uint32_t line = device.linesSent + i;
        uint64_t offset = device.rawAtRingStart ? (uint64_t)i * lineBytes
                                                : RingLineOffset(line, perBlock, blocks, ring.blockBytes, lineBytes);
        RenderScanLine(device.picture, device.geometry, device.tones, (int)line, ring.base + offset);
    }
    device.lastReadFirst = device.linesSent;
    device.lastReadLines = lines;
    device.linesSent += lines;
    SetField16(block, RD_RECEIVED, (uint16_t)device.linesSent);
    SetField16(block, RD_ZERO, (uint16_t)lines);
    if (linesSent) *linesSent = lines;
    return 0;
}

uint16_t StretchScanLines(ScannerDevice& device, uint8_t* block, int channels) {
    if (!device.scanning) return STATUS_OUT_OF_SEQUENCE;
    const int wantedType = channels == 3 ? IMAGE_COLOR : IMAGE_GRAY;
    const int pixels = Field16(block, ST_PIXELS);
    const int target = Field16(block, ST_TARGET_DPI);
    const int outLines = Field16(block, ST_OUT_LINES);
    const uint32_t outBytes = Field32(block, ST_OUT_BYTES);
    const uint32_t rawLineBytes = (uint32_t)pixels * (uint32_t)channels;
    if (device.geometry.type != wantedType || pixels != device.geometry.pixelsSent || target < 1 ||
        target > OPTICAL_DPI || outLines < 1 || outBytes < (uint32_t)(StretchedPixels(pixels, target) * channels) ||
        outBytes > 0xffff)
        return STATUS_BAD_PARAMETER;

    const Ring& ring = device.ring;
    uint32_t sourceEnd, destinationEnd;
    if (!RingOffset(ring, Field32(block, ST_SRC_END), &sourceEnd) ||
        !RingOffset(ring, Field32(block, ST_DEST_END), &destinationEnd))
        return STATUS_RING;
    const uint32_t rawBytes = sourceEnd + 1;
    if (rawBytes % rawLineBytes != 0) return STATUS_BAD_PARAMETER;
    const uint64_t outTotal = (uint64_t)outLines * outBytes;
    if (outTotal > (uint64_t)destinationEnd + 1) return STATUS_RING;
    const uint32_t destinationStart = (uint32_t)(destinationEnd + 1 - outTotal);
    if (device.geometry.lines == 0 || device.stretchedLines + (uint32_t)outLines > 0xffff) return STATUS_PAST_END;

    // The raw lines this call's output needs: those of the last read that
    // were handed over, the others from the scan itself.
    const uint32_t handed = std::min(rawBytes / rawLineBytes, device.lastReadLines);
    int low, high;
    StretchRawSpan((int)device.stretchedLines, outLines, target, device.geometry.lines - 1, &low, &high);
    try {
        device.work.resize((size_t)(high - low + 1) * rawLineBytes);
    } catch (const std::bad_alloc&) {
        return STATUS_INTERNAL;
    }
    for (int r = low; r <= high; ++r) {
        uint8_t* line = &device.work[(size_t)(r - low) * rawLineBytes];
        if ((uint32_t)r >= device.lastReadFirst && (uint32_t)r < device.lastReadFirst + handed)
            memcpy(line, ring.base + (size_t)(r - device.lastReadFirst) * rawLineBytes, rawLineBytes);
        else
            RenderScanLine(device.picture, device.geometry, device.tones, r, line);
    }
    StretchLines(device.work.data(), high - low + 1, pixels, channels, target, outLines, (int)outBytes,
                 ring.base + destinationStart, (int)device.stretchedLines, low);
    device.stretchedLines += (uint32_t)outLines;
    device.rawAtRingStart = true;
    return 0;
}

uint32_t DeviceSetBuffer(ScannerDevice& device, void* buffer, uint32_t size, uint8_t* table) {
    device.ring = Ring();
    if (device.config.BufAddrFail || !table) return 0;
    Ring ring;
    if (DivideRing(static_cast<uint8_t*>(buffer), size, (int)device.config.RingBlocks, &ring) == 0) return 0;
    WriteRingTable(ring, table);
    device.ring = ring;
    return (uint32_t)ring.count;
}
