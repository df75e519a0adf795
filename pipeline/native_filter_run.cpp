#include "pipeline/native_filter_run.h"

#include "pipeline/dib_layout.h"
#include "pipeline/native_filters.h"
#include "settings/scan_settings.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_idle.h"
#include "ui/dialog/dialog_state.h"

namespace {

struct FilterRun {
    bool Stopped;
    bool DiscardOthers;  // the 1-bit Flip drops messages other than ESC
};

// After every filtered row: the interface stays alive, and ESC (a key-down
// with code 27) stops the filter with the image as processed so far.
bool FilterRowDone(void* context, uint32_t, uint32_t) {
    FilterRun* run = static_cast<FilterRun*>(context);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            run->Stopped = true;
            continue;
        }
        if (run->DiscardOthers) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !run->Stopped;
}

}  // namespace

bool FilterNativeImage(HGLOBAL block, const ScanGeometry& g, ImageKind kind) {
    if (!ScanSettings.DeMoire && ScanSettings.FilterMode == FILTER_NONE) return true;
    uint8_t* dib = static_cast<uint8_t*>(GlobalLock(block));
    if (!dib) return true;
    DibPixels image;
    image.Rows = dib + DIB_HEADER_SIZE + 4 * DibColourEntries(kind);
    image.BitsPerPixel = kind == KIND_COLOR ? 24 : (kind == KIND_GRAY ? 8 : 1);
    image.Width = kind == KIND_COLOR ? g.OutRowBytes / 3 : (kind == KIND_GRAY ? g.OutRowBytes : g.OutRowBytes * 8);
    image.Height = g.OutLines;
    FilterRun run = {false, false};
    if (ScanSettings.DeMoire) RemoveMoireImage(image, FilterRowDone, &run);
    run.DiscardOthers = image.BitsPerPixel == 1 && ScanSettings.FilterMode == FILTER_FLIP;
    if (!run.Stopped) ApplyNativeFilter(ScanSettings.FilterMode, image, FilterRowDone, &run);
    GlobalUnlock(block);
    bool stopped = run.Stopped;
    if (stopped) {
        RestoreDialogIdle(true);
        HWND dialog = static_cast<HWND>(MainDialog);
        if (BatchMode && dialog) SetTimer(dialog, TIMER_BATCH, 800, nullptr);
    }
    return !stopped;
}

