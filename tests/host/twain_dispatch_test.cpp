// The dispatch table: which triplets the source answers and in which TWAIN
// states, over every listed triplet and every state 3 to 7.
#include <gtest/gtest.h>

#include "twain/dispatch_table.h"
#include "twain/source_state.h"

namespace {

struct Row {
    TW_UINT16 dat, msg;
    const char* states;  // accepted states as digits, e.g. "4567"
    TW_UINT16 refusal;
};

const Row kExpected[] = {
    {DAT_IDENTITY, MSG_GET, "34567", TWCC_SEQERROR},
    {DAT_IDENTITY, MSG_OPENDS, "3", TWCC_MAXCONNECTIONS},
    {DAT_IDENTITY, MSG_CLOSEDS, "4567", TWCC_SEQERROR},
    {DAT_PENDINGXFERS, MSG_GET, "4567", TWCC_SEQERROR},
    {DAT_PENDINGXFERS, MSG_RESET, "67", TWCC_SEQERROR},
    {DAT_PENDINGXFERS, MSG_ENDXFER, "67", TWCC_SEQERROR},
    {DAT_SETUPMEMXFER, MSG_GET, "456", TWCC_SEQERROR},
    {DAT_SETUPFILEXFER, MSG_GET, "456", TWCC_SEQERROR},
    {DAT_SETUPFILEXFER, MSG_GETDEFAULT, "456", TWCC_SEQERROR},
    {DAT_SETUPFILEXFER, MSG_SET, "456", TWCC_SEQERROR},
    {DAT_SETUPFILEXFER, MSG_RESET, "4", TWCC_SEQERROR},
    {DAT_STATUS, MSG_GET, "4567", TWCC_SEQERROR},
    {DAT_USERINTERFACE, MSG_ENABLEDS, "4", TWCC_SEQERROR},
    {DAT_USERINTERFACE, MSG_DISABLEDS, "567", TWCC_SEQERROR},
    {DAT_XFERGROUP, MSG_GET, "456", TWCC_SEQERROR},
    {DAT_IMAGEINFO, MSG_GET, "6", TWCC_SEQERROR},
    {DAT_IMAGELAYOUT, MSG_GET, "456", TWCC_SEQERROR},
    {DAT_IMAGELAYOUT, MSG_GETDEFAULT, "456", TWCC_SEQERROR},
    {DAT_IMAGELAYOUT, MSG_SET, "4", TWCC_SEQERROR},
    {DAT_IMAGELAYOUT, MSG_RESET, "4", TWCC_SEQERROR},
    {DAT_IMAGEMEMXFER, MSG_GET, "67", TWCC_SEQERROR},
    {DAT_IMAGENATIVEXFER, MSG_GET, "6", TWCC_SEQERROR},
    {DAT_IMAGEFILEXFER, MSG_GET, "6", TWCC_SEQERROR},
};

}  // namespace

TEST(DispatchTable, EveryListedTripletIsAcceptedExactlyInItsStates) {
    for (const Row& row : kExpected) {
        const TripletRule* rule = FindTripletRule(row.dat, row.msg);
        ASSERT_NE(rule, nullptr) << "DAT " << row.dat << " MSG " << row.msg;
        EXPECT_EQ(rule->RefusalCode, row.refusal) << "DAT " << row.dat << " MSG " << row.msg;
        for (int state = 3; state <= 7; ++state) {
            bool expected = strchr(row.states, '0' + state) != nullptr;
            EXPECT_EQ(TripletStateAccepted(*rule, (TW_UINT16)(state * 100)), expected)
                << "DAT " << row.dat << " MSG " << row.msg << " state " << state;
        }
    }
}

TEST(DispatchTable, UnlistedTripletsHaveNoRule) {
    const TW_UINT16 cases[][2] = {
        {DAT_EVENT, MSG_GET},           {DAT_EVENT, MSG_SET},          {DAT_PARENT, MSG_OPENDSM},
        {DAT_PARENT, MSG_CLOSEDSM},     {DAT_IMAGELAYOUT, MSG_GETCURRENT}, {DAT_SETUPFILEXFER, MSG_GETCURRENT},
        {DAT_IDENTITY, MSG_GETFIRST},   {DAT_IDENTITY, MSG_GETNEXT},   {DAT_CAPABILITY, MSG_GETFIRST},
        {DAT_CAPABILITY, MSG_GETNEXT},  {DAT_IDENTITY, MSG_USERSELECT}, {DAT_STATUS, MSG_SET},
        {DAT_PENDINGXFERS, MSG_SET},    {DAT_PALETTE8, MSG_GET},       {DAT_NULL, MSG_XFERREADY},
        {DAT_USERINTERFACE, MSG_ENABLEDSUIONLY},
    };
    for (const auto& c : cases) EXPECT_EQ(FindTripletRule(c[0], c[1]), nullptr) << "DAT " << c[0] << " MSG " << c[1];
}

TEST(DispatchTable, CapabilitiesAreRoutedForEveryMessageAndEveryState) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_SET, MSG_RESET, MSG_QUERYSUPPORT}) {
        const TripletRule* rule = FindTripletRule(DAT_CAPABILITY, msg);
        ASSERT_NE(rule, nullptr);
        EXPECT_EQ(rule->Handler, H_CAPABILITY);
        for (int state = 3; state <= 7; ++state) EXPECT_TRUE(TripletStateAccepted(*rule, (TW_UINT16)(state * 100)));
    }
}
