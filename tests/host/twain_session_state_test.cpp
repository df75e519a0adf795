// The source's own state behind the session triplets: identity texts, the
// status that is read once, the file-transfer set-up and the layout store.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "device/driver_name.h"
#include "twain/capability_state.h"
#include "twain/identity.h"
#include "twain/image_layout.h"
#include "twain/session_triplets.h"
#include "twain/source_state.h"

TEST(Identity, VersionInfoCarriesReadinessFirmwareAndFeeder) {
    struct Case {
        bool ready;
        const char firmware[4];
        bool feeder;
        const char* expected;
    } cases[] = {
        {true, {'1', '.', '0', '7'}, false, "1107" "0PLNX_Q7B.DS\nParallel Port\n"},
        {false, {'2', '.', '1', '3'}, true, "0213" "1PLNX_Q7B.DS\nParallel Port\n"},
        // A zero revision byte ends the prefix early.
        {true, {0, '.', '0', '7'}, true, "1PLNX_Q7B.DS\nParallel Port\n"},
        {true, {'3', '.', 0, '7'}, false, "13PLNX_Q7B.DS\nParallel Port\n"},
    };
    for (const Case& c : cases) {
        char info[34];
        memset(info, 'x', sizeof info);
        BuildVersionInfo(c.ready, c.firmware, c.feeder, info);
        EXPECT_STREQ(info, c.expected);
    }
}

TEST(Identity, ProductNameJoinsBrandPrefixAndNameAndIsCutToTheField) {
    char name[34];
    BuildProductName("Korvan ", "F/B Scanner (N)", name);
    EXPECT_STREQ(name, "Korvan F/B Scanner (N)");
    BuildProductName("", "F/B Scanner (N)", name);
    EXPECT_STREQ(name, "F/B Scanner (N)");
    std::string longName(300, 'N');
    BuildProductName("Brand ", longName.c_str(), name);
    EXPECT_EQ(strlen(name), 33u);
    EXPECT_EQ(std::string(name, 6), "Brand ");
}

TEST(Identity, BaseIdentityFields) {
    TW_IDENTITY id;
    memset(&id, 0x77, sizeof id);
    FillBaseIdentity(id, "Korvan Flatbed Scanners Twain DS ", "Korvan_ Inc.", "Korvan Scan", "Korvan ", "F/B Scanner (N)");
    EXPECT_EQ(TW_UINT32{id.Id}, 0u);
    EXPECT_EQ(id.Version.MajorNum, 1);
    EXPECT_EQ(id.Version.MinorNum, 0);
    EXPECT_EQ(id.Version.Language, 13);
    EXPECT_EQ(id.Version.Country, 886);
    EXPECT_STREQ(id.Version.Info, "Korvan Flatbed Scanners Twain DS ");
    EXPECT_EQ(id.ProtocolMajor, 1);
    EXPECT_EQ(id.ProtocolMinor, 5);
    EXPECT_EQ(TW_UINT32{id.SupportedGroups}, 3u);
    EXPECT_STREQ(id.Manufacturer, "Korvan_ Inc.");
    EXPECT_STREQ(id.ProductFamily, "Korvan Scan");
    EXPECT_STREQ(id.ProductName, "Korvan F/B Scanner (N)");
    // No byte of the old contents survives behind the texts.
    EXPECT_EQ(id.Manufacturer[33], 0);
}

class SessionTriplets : public testing::Test {
protected:
    void SetUp() override {
        SessionState = STATE_OPEN;
        SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
        memset(&DefaultFileXferSetup, 0, sizeof DefaultFileXferSetup);
        strcpy(DefaultFileXferSetup.FileName, "C:\\TEMP\\KORVAN12.TIF");
        FileXferSetup = DefaultFileXferSetup;
        ResetImageState();
        ResetCapabilityState();
    }
};

TEST_F(SessionTriplets, StatusIsReadOnce) {
    Fail(TWCC_BADVALUE);
    TW_STATUS status = {9, 9};
    HandleStatusGet(&status);
    EXPECT_EQ(ReturnCode, TWRC_SUCCESS);
    EXPECT_EQ(status.ConditionCode, TWCC_BADVALUE);
    EXPECT_EQ(status.Reserved, 0);
    HandleStatusGet(&status);
    EXPECT_EQ(status.ConditionCode, TWCC_SUCCESS);
}

TEST_F(SessionTriplets, FileSetupAcceptsOnlyTiffAndKeepsTheNameTerminated) {
    TW_SETUPFILEXFER setup;
    memset(&setup, 'A', sizeof setup);  // a name without terminator
    setup.Format = TWFF_BMP;
    FileFormatIndex = 1;
    HandleSetupFileXfer(MSG_SET, &setup);
    EXPECT_EQ(ReturnCode, TWRC_FAILURE);
    EXPECT_EQ(ConditionCode, TWCC_BADVALUE);
    EXPECT_STREQ(FileXferSetup.FileName, "C:\\TEMP\\KORVAN12.TIF");

    setup.Format = TWFF_TIFF;
    HandleSetupFileXfer(MSG_SET, &setup);
    EXPECT_EQ(ReturnCode, TWRC_SUCCESS);
    EXPECT_EQ(FileFormatIndex, 0);
    EXPECT_EQ(strlen(FileXferSetup.FileName), sizeof FileXferSetup.FileName - 1);

    TW_SETUPFILEXFER out = {};
    HandleSetupFileXfer(MSG_RESET, &out);
    EXPECT_STREQ(out.FileName, "C:\\TEMP\\KORVAN12.TIF");
    EXPECT_STREQ(FileXferSetup.FileName, "C:\\TEMP\\KORVAN12.TIF");
}

TEST_F(SessionTriplets, LayoutIsStoredExactlyAndResetToTheDefault) {
    TW_IMAGELAYOUT set = {};
    set.Frame.Left = DoubleToFix32(1.0);
    set.Frame.Top = DoubleToFix32(1.0);
    set.Frame.Right = DoubleToFix32(3.0);
    set.Frame.Bottom = DoubleToFix32(4.0);
    set.DocumentNumber = 5;
    HandleImageLayout(MSG_SET, &set);
    TW_IMAGELAYOUT got = {};
    HandleImageLayout(MSG_GET, &got);
    EXPECT_EQ(memcmp(&got, &set, sizeof got), 0);
    HandleImageLayout(MSG_GETDEFAULT, &got);
    EXPECT_EQ(got.Frame.Right.Whole, 0);
    HandleImageLayout(MSG_RESET, &got);
    EXPECT_EQ(got.Frame.Left.Whole, 0);
    EXPECT_EQ(got.Frame.Bottom.Whole, 0);
    EXPECT_EQ(TW_UINT32{got.DocumentNumber}, 1u);
    EXPECT_EQ(TW_UINT32{got.PageNumber}, 1u);
    EXPECT_EQ(TW_UINT32{got.FrameNumber}, 1u);
}

TEST(LayoutFrame, InchesBecomePixelsAtTheOpticalResolution) {
    struct Case {
        double left, top, right, bottom;
        int32_t r;
        PixelFrame expected;
    } cases[] = {
        // A whole part of 0 on Right or Bottom selects the default frame.
        {0, 0, 0.75, 5, 600, {200, 0, 5102, 6968}},
        {1, 1, 3, 0.5, 600, {200, 0, 5102, 6968}},
        {0, 0, 0, 0, 1200, {401, 0, 10204, 13937}},
        {1, 1, 3, 4, 600, {600, 600, 1800, 2400}},
        {0.5, 0.25, 2.5, 12, 600, {300, 150, 1500, 6900}},  // bottom limited to 6900
        {1.5, 0, 8.5, 11.5, 300, {450, 0, 2550, 3450}},
    };
    for (const Case& c : cases) {
        TW_IMAGELAYOUT layout = {};
        layout.Frame.Left = DoubleToFix32(c.left);
        layout.Frame.Top = DoubleToFix32(c.top);
        layout.Frame.Right = DoubleToFix32(c.right);
        layout.Frame.Bottom = DoubleToFix32(c.bottom);
        PixelFrame f = LayoutToPixelFrame(layout, c.r);
        EXPECT_EQ(f.Left, c.expected.Left) << c.right << " " << c.bottom;
        EXPECT_EQ(f.Top, c.expected.Top);
        EXPECT_EQ(f.Right, c.expected.Right);
        EXPECT_EQ(f.Bottom, c.expected.Bottom);
    }
}

TEST(DriverName, KaspiDriverIsRecognisedByItsFileNameOnly) {
    EXPECT_TRUE(IsKaspiDriverPath("C:\\WINDOWS\\TWAIN_32\\PLNX_Q7B\\KASPI_SP.DLL"));
    EXPECT_TRUE(IsKaspiDriverPath("C:\\windows\\TWAIN_32\\PLNX_Q7B\\kaspi_sp.dll"));
    EXPECT_TRUE(IsKaspiDriverPath("KASPI_SP.DLL"));
    EXPECT_FALSE(IsKaspiDriverPath("C:\\KASPI_SP.DLL\\PLNX_Q7B.IOB"));
    EXPECT_FALSE(IsKaspiDriverPath("C:\\x\\KASPI_SP.DLLX"));
    EXPECT_FALSE(IsKaspiDriverPath("C:\\x\\XKASPI_SP.DLL"));
    EXPECT_FALSE(IsKaspiDriverPath(nullptr));
}
