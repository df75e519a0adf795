#include "tests/wine/harness/acquisition.h"

#include <gtest/gtest.h>

#include <string.h>

namespace twtest {

TW_UINT16 SetOneValueCap(TwainSession& s, TW_UINT16 cap, TW_UINT16 type, TW_UINT32 item) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(TW_ONEVALUE));
    if (!h) return TWRC_FAILURE;
    TW_ONEVALUE one = {type, item};
    memcpy(GlobalLock(h), &one, sizeof one);
    GlobalUnlock(h);
    TW_CAPABILITY capability = {cap, TWON_ONEVALUE, h};
    TW_UINT16 rc = s.Call(&s.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
    GlobalFree(h);
    return rc;
}

bool StartAcquisition(TwainSession& s, const AcquisitionRequest& r) {
    if (!s.Start("Korvan F/B Scanner (N)")) return false;
    EXPECT_EQ(SetOneValueCap(s, ICAP_PIXELTYPE, TWTY_UINT16, r.PixelType), TWRC_SUCCESS);
    EXPECT_EQ(SetOneValueCap(s, ICAP_XRESOLUTION, TWTY_FIX32, Fix32ToUInt32(DoubleToFix32(r.Dpi))), TWRC_SUCCESS);
    EXPECT_EQ(SetOneValueCap(s, ICAP_XFERMECH, TWTY_UINT16, r.Mechanism), TWRC_SUCCESS);
    if (r.SetBrightness) {
        EXPECT_EQ(SetOneValueCap(s, ICAP_BRIGHTNESS, TWTY_FIX32, Fix32ToUInt32(DoubleToFix32(r.Brightness))),
                  TWRC_SUCCESS);
    }
    TW_IMAGELAYOUT layout = {};
    layout.Frame.Left = DoubleToFix32(r.Frame[0]);
    layout.Frame.Top = DoubleToFix32(r.Frame[1]);
    layout.Frame.Right = DoubleToFix32(r.Frame[2]);
    layout.Frame.Bottom = DoubleToFix32(r.Frame[3]);
    EXPECT_EQ(s.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout).rc, TWRC_SUCCESS);
    TW_USERINTERFACE ui = {FALSE, FALSE, s.Parent()};
    if (s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui).rc != TWRC_SUCCESS) return false;
    return s.WaitForMessage(10000) == MSG_XFERREADY;
}

}  // namespace twtest
