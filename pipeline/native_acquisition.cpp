#include "pipeline/native_acquisition.h"

#include "device/error_report.h"
#include "device/device_flags.h"
#include "pipeline/dib_layout.h"
#include "pipeline/native_filters.h"
#include "pipeline/line_reader.h"
#include "pipeline/post_processing.h"
#include "pipeline/scan_state.h"
#include "settings/scan_settings.h"
#include "string_ids.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_idle.h"
#include "ui/dialog/dialog_state.h"

namespace {

// After every filtered row: the interface stays alive, and ESC (a key-down
// with code 27) stops the filter with the image as processed so far.
bool FilterRowDone(void* stopped, uint32_t, uint32_t) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            *static_cast<bool*>(stopped) = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !*static_cast<bool*>(stopped);
}

// Moire removal, then the selected filter, on the finished bitmap.
void FilterNativeImage(HGLOBAL block, const ScanGeometry& g, ImageKind kind) {
    if (!ScanSettings.DeMoire && ScanSettings.FilterMode == FILTER_NONE) return;
    uint8_t* dib = static_cast<uint8_t*>(GlobalLock(block));
    if (!dib) return;
    DibPixels image;
    image.Rows = dib + DIB_HEADER_SIZE + 4 * DibColourEntries(kind);
    image.BitsPerPixel = kind == KIND_COLOR ? 24 : (kind == KIND_GRAY ? 8 : 1);
    image.Width = kind == KIND_COLOR ? g.OutRowBytes / 3 : (kind == KIND_GRAY ? g.OutRowBytes : g.OutRowBytes * 8);
    image.Height = g.OutLines;
    bool stopped = false;
    if (ScanSettings.DeMoire) RemoveMoireImage(image, FilterRowDone, &stopped);
    if (!stopped) ApplyNativeFilter(ScanSettings.FilterMode, image, FilterRowDone, &stopped);
    GlobalUnlock(block);
    if (stopped) {
        RestoreDialogIdle(true);
        HWND dialog = static_cast<HWND>(MainDialog);
        if (BatchMode && dialog) SetTimer(dialog, TIMER_BATCH, 800, nullptr);
    }
}

}  // namespace

HGLOBAL AcquireNativeImage() {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    if (!CheckPipelineSupports(true, false)) return nullptr;
    if (!OpenRing()) return nullptr;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, DibBlockSize(g, scan.Kind));
    uint8_t* dib = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
    if (!dib) {
        if (block) GlobalFree(block);
        CloseRing();
        ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
        return nullptr;
    }
    WriteDibHeader(dib, g, scan.Kind);

    bool complete = false;
    while (!complete) {
        LineBatch batch;
        if (ReadNextBatch(batch) != BATCH_LINES) break;
        for (uint32_t i = 0; i < batch.Count; ++i) {
            uint8_t* line = const_cast<uint8_t*>(batch.First) + (size_t)i * g.LineBytes;
            CorrectRingLine(line, g.LineBytes);
            StoreDibLine(DibRowForLine(dib, g, scan.Kind, scan.LinesTaken), line, g.LineBytes, scan.Kind);
            ++scan.LinesTaken;
        }
        complete = scan.LinesTaken >= g.OutLines;
    }
    GlobalUnlock(block);
    CloseRing();
    if (!complete) {
        GlobalFree(block);
        return nullptr;
    }
    FinishScan();
    FilterNativeImage(block, g, scan.Kind);
    return block;
}
