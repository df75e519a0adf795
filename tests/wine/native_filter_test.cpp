// Filters and moire removal on native transfers, set in WIN.INI as the
// dialog saves them: the delivered bitmap equals the unfiltered one put
// through the same kernel.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "pipeline/native_filters.h"
#include "tests/wine/harness/twain_app.h"

using namespace twtest;

namespace {

const char DefaultName[] = "Korvan F/B Scanner (N)";
const char SettingsSection[] = "T40 IV N";

TW_UINT16 SetCap(TwainSession& s, TW_UINT16 cap, TW_UINT16 type, TW_UINT32 item) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(TW_ONEVALUE));
    TW_ONEVALUE one = {type, item};
    memcpy(GlobalLock(h), &one, sizeof one);
    GlobalUnlock(h);
    TW_CAPABILITY capability = {cap, TWON_ONEVALUE, h};
    TW_UINT16 rc = s.Call(&s.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
    GlobalFree(h);
    return rc;
}

// One native transfer of a small frame; the packed DIB's bytes.
std::vector<uint8_t> NativeImage(TW_UINT16 pixelType) {
    TwainSession s;
    if (!s.Start(DefaultName)) return {};
    EXPECT_EQ(SetCap(s, ICAP_PIXELTYPE, TWTY_UINT16, pixelType), TWRC_SUCCESS);
    EXPECT_EQ(SetCap(s, ICAP_XRESOLUTION, TWTY_FIX32, Fix32ToUInt32(DoubleToFix32(150))), TWRC_SUCCESS);
    EXPECT_EQ(SetCap(s, ICAP_XFERMECH, TWTY_UINT16, TWSX_NATIVE), TWRC_SUCCESS);
    TW_IMAGELAYOUT layout = {};
    layout.Frame.Left = DoubleToFix32(0.5);
    layout.Frame.Top = DoubleToFix32(0.5);
    layout.Frame.Right = DoubleToFix32(2.5);
    layout.Frame.Bottom = DoubleToFix32(2);
    EXPECT_EQ(s.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout).rc, TWRC_SUCCESS);
    TW_USERINTERFACE ui = {FALSE, FALSE, s.Parent()};
    if (s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui).rc != TWRC_SUCCESS) return {};
    if (s.WaitForMessage(10000) != MSG_XFERREADY) return {};
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
