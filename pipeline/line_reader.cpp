#include "pipeline/line_reader.h"

#include <windows.h>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/error_report.h"
#include "device/port_driver.h"
#include "device/status_messages.h"
#include "pipeline/ring_layout.h"
#include "pipeline/scan_state.h"
#include "string_ids.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_idle.h"

namespace {

struct Ring {
    HGLOBAL Handle;
    uint8_t* Base;
    size_t Size;
    uint8_t Table[RING_MAX_BLOCKS * RING_RECORD_SIZE];
    RingBlock Blocks[RING_MAX_BLOCKS];
    size_t Count;
};

Ring TheRing = {};

void ReportLowMemory() {
    DriverCall(ControlBlock, SPI_ABORT);
    CurrentScan.Started = false;
    ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
}

// Pumps the thread's queue; a key message carrying ESC marks the abort.
void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.wParam == VK_ESCAPE) ScanAbort = 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

uint32_t Low32(const void* p) { return (uint32_t)(uintptr_t)p; }

}  // namespace

bool OpenRing() {
    CloseRing();
    const size_t step = KaspiDriver ? 0x10000 : 0x20000;
    size_t size = DoubleRes ? 0x1000000 : 0x200000;
    HGLOBAL handle = nullptr;
    while (size >= step && !(handle = GlobalAlloc(GMEM_MOVEABLE, size))) size -= step;
    if (!handle) {
        ReportLowMemory();
        return false;
    }
    uint8_t* base = static_cast<uint8_t*>(GlobalLock(handle));
    if (!base) {
        GlobalFree(handle);
        ReportLowMemory();
        return false;
    }
    TheRing.Handle = handle;
    TheRing.Base = base;
    TheRing.Size = size;
    memset(TheRing.Table, 0, sizeof TheRing.Table);
    uint16_t count = DriverSetBuffer(base, (uint32_t)size, TheRing.Table);
    if (count > RING_MAX_BLOCKS) count = 0;
    TheRing.Count = ReadRingTable(TheRing.Table, count, base, size, CurrentScan.Geometry.LineBytes, TheRing.Blocks);
    if (TheRing.Count == 0) {
        CloseRing();
        ReportLowMemory();
        return false;
    }
    WriteRingTable(TheRing.Table, TheRing.Blocks, TheRing.Count);

    memset(ReadBlock, 0, sizeof ReadBlock);
    PutU16(ReadBlock, RD_LINE_BYTES, (uint16_t)CurrentScan.ScannedBytes);
    PutU16(ReadBlock, RD_RING_COUNT, (uint16_t)TheRing.Count);
    PutU32(ReadBlock, RD_RING_ADDRESS, Low32(base));
    return true;
}

void CloseRing() {
    if (TheRing.Handle) {
        GlobalUnlock(TheRing.Handle);
        GlobalFree(TheRing.Handle);
    }
    TheRing = Ring{};
}

bool RingOpen() { return TheRing.Handle != nullptr; }

BatchResult ReadNextBatch(LineBatch& batch) {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    PumpMessages();
    if (ScanAbort) {
        DriverCall(ControlBlock, SPI_ABORT);
        scan.Started = false;
        ReturnCode = TWRC_CANCEL;
        RestoreDialogIdle(true);
        return BATCH_CANCELLED;
    }

    uint32_t perBlock = TheRing.Blocks[0].Lines;
    uint32_t n = g.OutLines - scan.LinesRead;
    if (n > perBlock) n = perBlock;
    uint32_t requested = n;
    if (DriverResample) {
        requested = n * 300 / scan.Target;
        uint32_t rawLeft = scan.ScannedLines - scan.RawLinesRead;
        if (requested > rawLeft) requested = rawLeft;
        if (requested == 0 && rawLeft > 0) requested = 1;
    }

    PutU16(ReadBlock, RD_LINES, (uint16_t)requested);
    PutU32(ReadBlock, RD_BYTES, requested * scan.ScannedBytes);
    PutU16(ReadBlock, RD_RECEIVED, (uint16_t)scan.RawLinesRead);
    PutU16(ReadBlock, RD_ZERO, 0);
    uint16_t status = DriverCall(ReadBlock, SPI_READ);
    if (status == STATUS_NO_PAPER) {
        // Asked once more; a second 0x8321 counts as success.
        PutU16(ReadBlock, RD_ZERO, 0);
        status = DriverCall(ReadBlock, SPI_READ);
        if (status == STATUS_NO_PAPER) status = 0;
    }
    if (CheckReadStatus(status) != READ_OK) {
        scan.Started = false;
        return BATCH_FAILED;
    }

    const RingBlock& first = TheRing.Blocks[0];
    if (DriverResample) {
        memset(StretchBlock, 0, sizeof StretchBlock);
        PutU32(StretchBlock, ST_DEST_END, Low32(first.Start + first.Bytes - 1));
        PutU32(StretchBlock, ST_SRC_END, Low32(TheRing.Base + requested * scan.ScannedBytes - 1));
        PutU16(StretchBlock, ST_PIXELS,
               (uint16_t)(scan.Kind == KIND_COLOR ? scan.ScannedBytes / 3 : scan.ScannedBytes));
        PutU16(StretchBlock, ST_TARGET_DPI, (uint16_t)scan.Target);
        PutU16(StretchBlock, ST_OUT_LINES, (uint16_t)n);
        PutU32(StretchBlock, ST_OUT_BYTES, g.LineBytes);
        DriverCall(StretchBlock, scan.Kind == KIND_COLOR ? SPI_STRETCH_COLOR : SPI_STRETCH_GRAY);
        batch.First = first.Start + first.Bytes - (size_t)n * g.LineBytes;
    } else {
        batch.First = RingLine(TheRing.Blocks, TheRing.Count, g.LineBytes, scan.LinesRead);
    }
    batch.Count = n;
    scan.RawLinesRead += requested;
    scan.LinesRead += n;
    return BATCH_LINES;
}

void FinishScan() {
    DriverCall(ControlBlock, SPI_FINISH);
    CurrentScan.Started = false;
    ReturnCode = TWRC_XFERDONE;
}
