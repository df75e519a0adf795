// ESC while a filter runs over a native bitmap, in process: the filter stops
// at once, the image is left as processed so far, and the dialog's commands
// are available again.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "pipeline/dib_layout.h"
#include "pipeline/native_filter_run.h"
#include "pipeline/native_filters.h"
#include "settings/scan_settings.h"
#include "ui/dialog/dialog_state.h"

namespace {

bool StopAtFirstRow(void* calls, uint32_t, uint32_t) {
    ++*static_cast<int*>(calls);
    return false;
}

}  // namespace

TEST(NativeFilterRun, EscStopsTheFilterWithTheImageProcessedSoFar) {
    ScanGeometry g = {};
    g.LineBytes = g.OutRowBytes = g.DibStride = 64;
    g.OutLines = 40;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, DibBlockSize(g, KIND_GRAY));
    ASSERT_NE(block, nullptr);
    uint8_t* dib = static_cast<uint8_t*>(GlobalLock(block));
    WriteDibHeader(dib, g, KIND_GRAY);
    uint8_t* rows = dib + DIB_HEADER_SIZE + 4 * 256;
    for (uint32_t i = 0; i < 64 * 40; ++i) rows[i] = (uint8_t)(i * 37 + (i / 64) * 11);
    std::vector<uint8_t> expected(rows, rows + 64 * 40);
    GlobalUnlock(block);

    // What the kernel leaves when told to stop after its first row.
    DibPixels pixels = {expected.data(), 64, 40, 8};
    int calls = 0;
    EXPECT_EQ(SharpenImage(pixels, StopAtFirstRow, &calls), FILTER_STOPPED);
    EXPECT_EQ(calls, 1);

    ScanSettings = InitialScanSettings();
    ScanSettings.FilterMode = FILTER_SHARPEN;
    CommandsEnabled = 0;
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(FilterNativeImage(block, g, KIND_GRAY));
    EXPECT_EQ(CommandsEnabled, 1u);
    dib = static_cast<uint8_t*>(GlobalLock(block));
    EXPECT_EQ(memcmp(dib + DIB_HEADER_SIZE + 4 * 256, expected.data(), expected.size()), 0);
    GlobalUnlock(block);

    // Without ESC the whole image is filtered.
    std::vector<uint8_t> whole(expected);
    DibPixels again = {whole.data(), 64, 40, 8};
    ASSERT_EQ(SharpenImage(again, nullptr, nullptr), FILTER_DONE);
    EXPECT_TRUE(FilterNativeImage(block, g, KIND_GRAY));
    dib = static_cast<uint8_t*>(GlobalLock(block));
    EXPECT_EQ(memcmp(dib + DIB_HEADER_SIZE + 4 * 256, whole.data(), whole.size()), 0);
    GlobalUnlock(block);
    DestroyWindow(window);
    GlobalFree(block);
}
