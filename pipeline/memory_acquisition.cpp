#include "pipeline/memory_acquisition.h"

#include <string.h>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/error_report.h"
#include "device/port_driver.h"
#include "pipeline/line_reader.h"
#include "pipeline/scan_state.h"
#include "pipeline/work_files.h"
#include "twain/capability_state.h"
#include "ui/dialog/dialog_idle.h"
#include "string_ids.h"
#include "twain/image_layout.h"
#include "twain/source_state.h"

namespace {

// Scanned lines read into the ring but not yet handed over, kept from one
// strip to the next.
LineBatch Pending = {nullptr, 0};

// Rows that fit the application's buffer: LineArt and Halftone keep two rows
// spare; enlarged strips hold whole groups of rows.
uint32_t RowsPerStrip(uint32_t length, uint32_t rowBytes, ImageKind kind, uint32_t factor) {
    uint32_t rows = rowBytes ? length / rowBytes : 0;
    if (kind == KIND_LINEART || kind == KIND_HALFTONE) rows = rows >= 2 ? rows - 2 : 0;
    return rows - rows % factor;
}

void EndWorkFileStrips() {
    DeleteWorkFile();
    FreeEnlarger(&Enlarger);
    CurrentScan.FirstStrip = true;
}

// ESC between strips ends the transfer.
bool EscPressed() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.wParam == VK_ESCAPE) ScanAbort = 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ScanAbort != 0;
}

// With post-processing the whole scan is first collected in a work file;
// each strip is then read back, filtered and enlarged.
void StripFromWorkFile(uint8_t* buffer, uint32_t length, TW_IMAGEMEMXFER& xfer) {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    if (scan.FirstStrip) {
        if (!CollectScanInWorkFile()) return;
        scan.FirstStrip = false;
        scan.LinesTaken = 0;
    }
    ReturnCode = TWRC_SUCCESS;
    if (EscPressed()) {
        ReturnCode = TWRC_CANCEL;
        RestoreDialogIdle(true);
        return EndWorkFileStrips();
    }
    const uint32_t factor = DeliveredRowsPerLine();
    const uint32_t rowBytes = g.LineBytes * factor;
    uint32_t rows = RowsPerStrip(length, rowBytes, scan.Kind, factor);
    if (rows == 0 || !buffer) {
        EndWorkFileStrips();
        return ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
    }
    uint32_t lines = g.OutLines - scan.LinesTaken;
    if (lines > rows / factor) lines = rows / factor;
    if (!ProcessWorkLines(scan.LinesTaken, lines, buffer)) {
        EndWorkFileStrips();
        return ReportWriteFailure();
    }
    scan.LinesTaken += lines;
    xfer.Compression = TWCP_NONE;
    xfer.BytesPerRow = rowBytes;
    xfer.Columns = (TW_UINT32)CurrentImageInfo.ImageWidth;
    xfer.Rows = lines * factor;
    xfer.XOffset = 0;
    xfer.YOffset = scan.RowsDelivered;
    xfer.BytesWritten = rowBytes * xfer.Rows;
    scan.RowsDelivered += xfer.Rows;
    if (scan.LinesTaken >= g.OutLines) {
        EndWorkFileStrips();
        ReturnCode = TWRC_XFERDONE;
    }
}

}  // namespace

void AcquireMemoryStrip(uint8_t* buffer, uint32_t length, TW_IMAGEMEMXFER& xfer) {
    if (PostProcess) return StripFromWorkFile(buffer, length, xfer);
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    ReturnCode = TWRC_SUCCESS;
    if (scan.FirstStrip) {
        Pending = LineBatch{nullptr, 0};
        if (!OpenRing()) return;
        scan.FirstStrip = false;
    }

    const uint32_t factor = DeliveredRowsPerLine();
    const uint32_t rowBytes = g.LineBytes * factor;
    uint32_t rows = RowsPerStrip(length, g.OutRowBytes, scan.Kind, factor);
    if (rows == 0 || !buffer) {
        DriverCall(ControlBlock, SPI_ABORT);
        scan.Started = false;
        CloseRing();
        scan.FirstStrip = true;
        ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
        return;
    }
    uint32_t wanted = g.OutLines - scan.LinesTaken;
    if (wanted > rows / factor) wanted = rows / factor;

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
        uint8_t* lines = const_cast<uint8_t*>(Pending.First);
        for (uint32_t i = 0; i < take; ++i) CorrectRingLine(lines + (size_t)i * g.LineBytes, g.LineBytes);
        uint8_t* out = buffer + (size_t)placed * factor * rowBytes;
        if (factor == 1) {
            memcpy(out, lines, (size_t)take * g.LineBytes);
        } else if (!EnlargeLines(&Enlarger, EnlargeKindFor(scan.Kind), factor, lines, take, g.LineBytes, out)) {
            DriverCall(ControlBlock, SPI_ABORT);
            scan.Started = false;
            CloseRing();
            scan.FirstStrip = true;
            Pending = LineBatch{nullptr, 0};
            ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
            return;
        }
        Pending.First += (size_t)take * g.LineBytes;
        Pending.Count -= take;
        placed += take;
        scan.LinesTaken += take;
    }

    xfer.Compression = TWCP_NONE;
    uint32_t bytesPerRow = DriverResample ? g.OutRowBytes : rowBytes;
    xfer.BytesPerRow = bytesPerRow;
    xfer.Columns = (TW_UINT32)CurrentImageInfo.ImageWidth;
    xfer.Rows = placed * factor;
    xfer.XOffset = 0;
    xfer.YOffset = scan.RowsDelivered;
    xfer.BytesWritten = bytesPerRow * placed * factor;
    scan.RowsDelivered += placed * factor;

    if (scan.LinesTaken >= g.OutLines) {
        CloseRing();
        FinishScan();
        scan.FirstStrip = true;
        Pending = LineBatch{nullptr, 0};
    }
}
