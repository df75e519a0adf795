#include "pipeline/memory_acquisition.h"

#include <string.h>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/error_report.h"
#include "device/port_driver.h"
#include "pipeline/line_reader.h"
#include "pipeline/post_processing.h"
#include "pipeline/scan_state.h"
#include "string_ids.h"
#include "twain/image_layout.h"
#include "twain/source_state.h"

namespace {

// Scanned lines read into the ring but not yet handed over, kept from one
// strip to the next.
LineBatch Pending = {nullptr, 0};

uint32_t RowsPerStrip(uint32_t length, uint32_t rowBytes, ImageKind kind) {
    uint32_t rows = rowBytes ? length / rowBytes : 0;
    if (kind == KIND_LINEART || kind == KIND_HALFTONE) rows = rows >= 2 ? rows - 2 : 0;
    return rows;
}

}  // namespace

void AcquireMemoryStrip(uint8_t* buffer, uint32_t length, TW_IMAGEMEMXFER& xfer) {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    ReturnCode = TWRC_SUCCESS;
    if (scan.FirstStrip) {
        if (!CheckPipelineSupports(false)) return;
        Pending = LineBatch{nullptr, 0};
        if (!OpenRing()) return;
        scan.FirstStrip = false;
    }

    uint32_t rows = RowsPerStrip(length, g.OutRowBytes, scan.Kind);
    if (rows == 0 || !buffer) {
        DriverCall(ControlBlock, SPI_ABORT);
        scan.Started = false;
        CloseRing();
        scan.FirstStrip = true;
        ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
        return;
    }
    uint32_t wanted = g.OutLines - scan.LinesTaken;
    if (wanted > rows) wanted = rows;

    uint32_t placed = 0;
    while (placed < wanted) {
        if (Pending.Count == 0) {
            BatchResult result = ReadNextBatch(Pending);
            if (result != BATCH_LINES) {
                CloseRing();
                scan.FirstStrip = true;
                Pending = LineBatch{nullptr, 0};
                return;
            }
        }
        uint32_t take = wanted - placed;
        if (take > Pending.Count) take = Pending.Count;
        memcpy(buffer + (size_t)placed * g.LineBytes, Pending.First, (size_t)take * g.LineBytes);
        Pending.First += (size_t)take * g.LineBytes;
        Pending.Count -= take;
        placed += take;
        scan.LinesTaken += take;
    }

    xfer.Compression = TWCP_NONE;
    uint32_t bytesPerRow = DriverResample ? g.OutRowBytes : g.LineBytes;
    xfer.BytesPerRow = bytesPerRow;
    xfer.Columns = (TW_UINT32)CurrentImageInfo.ImageWidth;
    xfer.Rows = placed;
    xfer.XOffset = 0;
    xfer.YOffset = scan.RowsDelivered;
    xfer.BytesWritten = bytesPerRow * placed;
    scan.RowsDelivered += placed;

    if (scan.LinesTaken >= g.OutLines) {
        CloseRing();
        FinishScan();
        scan.FirstStrip = true;
        Pending = LineBatch{nullptr, 0};
    }
}
