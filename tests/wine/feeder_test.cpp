// The document feeder: pages pending after a transfer, automatic feeding of
// the next page, and the mirrored pages the feeder delivers.
#include <gtest/gtest.h>

#include <string.h>

#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

const char DefaultName[] = "Korvan F/B Scanner (N)";
const char SimulatorSection[] = "PLNX_Q7B Simulator";

TW_UINT32 GetBoolCap(TwainSession& s, TW_UINT16 cap) {
    TW_CAPABILITY capability = {cap, TWON_DONTCARE16, nullptr};
    if (s.Call(&s.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability) != TWRC_SUCCESS) return 0xdead;
    TW_ONEVALUE one;
    memcpy(&one, GlobalLock(capability.hContainer), sizeof one);
    GlobalUnlock(capability.hContainer);
    GlobalFree(capability.hContainer);
    return one.Item;
}

TW_UINT16 NativeTransfer(TwainSession& s) {
    TW_HANDLE handle = nullptr;
    TW_UINT16 rc = s.Call(&s.Source(), DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
    if (handle) GlobalFree(handle);
    return rc;
}

}  // namespace

TEST(Feeder, PagesStayPendingAndAutoFeedStartsTheNextOne) {
    WinIniSectionGuard guard(SimulatorSection);
    winini::WriteKey(SimulatorSection, "FeederInstalled", "1");
    winini::WriteKey(SimulatorSection, "PaperLoaded", "1");
    winini::WriteKey(SimulatorSection, "FeederPages", "2");
    TwainSession s;
    ASSERT_TRUE(s.Start(DefaultName));
    EXPECT_EQ(GetBoolCap(s, CAP_FEEDERLOADED), 1u);  // the application asks: the feeder counts
    ASSERT_EQ(SetOneValueCap(s, CAP_AUTOFEED, TWTY_UINT16, 1), TWRC_SUCCESS);
    ASSERT_EQ(SetOneValueCap(s, ICAP_XFERMECH, TWTY_UINT16, TWSX_NATIVE), TWRC_SUCCESS);
    ASSERT_EQ(SetOneValueCap(s, ICAP_XRESOLUTION, TWTY_FIX32, Fix32ToUInt32(DoubleToFix32(75))), TWRC_SUCCESS);

    TW_USERINTERFACE ui = {FALSE, FALSE, s.Parent()};
    ASSERT_EQ(s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui).rc, TWRC_SUCCESS);
    ASSERT_EQ(s.WaitForMessage(10000), MSG_XFERREADY);
    EXPECT_EQ(NativeTransfer(s), TWRC_XFERDONE);
    // One page left: the count says more are coming and the next page is
    // started at once.
    TW_PENDINGXFERS pending = {};
    ASSERT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0xffff);
    ASSERT_EQ(s.WaitForMessage(10000), MSG_XFERREADY);
    EXPECT_EQ(NativeTransfer(s), TWRC_XFERDONE);
    // The feeder is empty now: no more images, state 5.
    ASSERT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
    EXPECT_TRUE(s.Pump(300).empty());
    EXPECT_EQ(s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui).rc, TWRC_SUCCESS);
}

TEST(Feeder, WithoutTheQueryAFlatbedCountOfOneIsKept) {
    WinIniSectionGuard guard(SimulatorSection);
    winini::WriteKey(SimulatorSection, "FeederInstalled", "1");
    winini::WriteKey(SimulatorSection, "PaperLoaded", "1");
    TwainSession s;
    ASSERT_TRUE(s.Start(DefaultName));
    TW_PENDINGXFERS pending = {};
    ASSERT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 1);
    EXPECT_EQ(GetBoolCap(s, CAP_FEEDERLOADED), 1u);
    ASSERT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0xffff);
}
