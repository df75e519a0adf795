// Filters and moire removal on native transfers, set in WIN.INI as the
// dialog saves them: the delivered bitmap equals the unfiltered one put
// through the same kernel.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "pipeline/native_filters.h"
#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

const char SettingsSection[] = "T40 IV N";

// One native transfer of a small frame; the packed DIB's bytes.
std::vector<uint8_t> NativeImage(TW_UINT16 pixelType) {
    TwainSession s;
    AcquisitionRequest r;
    r.PixelType = pixelType;
    r.Dpi = 150;
    r.Mechanism = TWSX_NATIVE;
    r.Frame[0] = 0.5, r.Frame[1] = 0.5, r.Frame[2] = 2.5, r.Frame[3] = 2;
    if (!StartAcquisition(s, r)) return {};
    TW_HANDLE handle = nullptr;
    EXPECT_EQ(s.Call(&s.Source(), DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
    if (!handle) return {};
    const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(handle));
    std::vector<uint8_t> dib(p, p + GlobalSize(handle));
    GlobalUnlock(handle);
    GlobalFree(handle);
    return dib;
}

DibPixels PixelsOf(std::vector<uint8_t>& dib) {
    uint32_t width, height, colours;
    uint16_t bits;
    memcpy(&width, &dib[4], 4);
    memcpy(&height, &dib[8], 4);
    memcpy(&bits, &dib[14], 2);
    memcpy(&colours, &dib[32], 4);
    DibPixels p;
    p.Rows = dib.data() + 40 + 4 * colours;
    p.Width = width;
    p.Height = height;
    p.BitsPerPixel = bits;
    return p;
}

}  // namespace

TEST(NativeFilters, DeliveredImagesEqualTheKernelsAppliedToTheUnfilteredScan) {
    struct Case {
        const char* name;
        TW_UINT16 pixelType;
        const char* filterMode;
        const char* deMoire;
    } cases[] = {
        {"sharpen on color", TWPT_RGB, "5", "0"},
        {"blur more on gray", TWPT_GRAY, "4", "0"},
        {"invert on lineart", TWPT_BW, "1", "0"},
        {"emboss on gray", TWPT_GRAY, "7", "0"},
        {"moire removal then flip on color", TWPT_RGB, "2", "1"},
    };
    WinIniSectionGuard guard(SettingsSection);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winini::DeleteSection(SettingsSection);
        std::vector<uint8_t> plain = NativeImage(c.pixelType);
        ASSERT_GT(plain.size(), 40u);
        winini::WriteKey(SettingsSection, "FilterMode", c.filterMode);
        winini::WriteKey(SettingsSection, "DeMoire", c.deMoire);
        std::vector<uint8_t> filtered = NativeImage(c.pixelType);
        ASSERT_EQ(filtered.size(), plain.size());
        EXPECT_NE(filtered, plain);
        DibPixels pixels = PixelsOf(plain);
        if (c.deMoire[0] == '1') {
            ASSERT_EQ(RemoveMoireImage(pixels, nullptr, nullptr), FILTER_DONE);
        }
        ASSERT_EQ(ApplyNativeFilter((uint16_t)(c.filterMode[0] - '0'), pixels, nullptr, nullptr), FILTER_DONE);
        EXPECT_EQ(filtered, plain);
    }
}
