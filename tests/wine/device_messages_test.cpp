// The boxes and codes of device failures, driven in process: the data
// source's core is linked into this program, whose resources hold the same
// string tables as the module.
#include <gtest/gtest.h>

#include <string>

#include "device/error_report.h"
#include "tests/wine/harness/twain_app.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"

using namespace twtest;

namespace {

class DeviceMessages : public testing::Test {
protected:
    void SetUp() override {
        OnProcessAttach(GetModuleHandleA(nullptr));
        owner_ = CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ParentWindow = owner_;
        MainDialog = nullptr;
        SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
    }
    void TearDown() override {
        ParentWindow = nullptr;
        DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
};

struct StatusCase {
    uint16_t status;
    const char* text;
    MessageBoxIcon icon;
};

const StatusCase kStatuses[] = {
    {0x8217, " Paper Jammed in Automatic Document Feeder", MessageBoxIcon::Error},
    {0x8321, " No Paper in Automatic Document Feeder", MessageBoxIcon::Error},
    {0x8414, " Slide Scanner Cover not Closed!", MessageBoxIcon::Error},
    {0x8216, "Flatbed Scanner not ready.", MessageBoxIcon::Information},
    {0x0001, "Flatbed Scanner not ready.", MessageBoxIcon::Information},
};

std::string ExpectedCaption(const StatusCase& c, const char* brandPart) {
    bool notReady = c.icon == MessageBoxIcon::Information;
    return std::string(brandPart) + " " + (notReady ? "Flatbed Scanner not ready." : "F/B Scanner (N)");
}

}  // namespace

TEST_F(DeviceMessages, ReadStatusesShowTheirTextCaptionIconAndCode) {
    struct Brand {
        const char* value;  // nullptr: key absent
        const char* captionStart;
    } brands[] = {{nullptr, "Korvan "}, {"", ""}};
    WinIniGuard guard({"BRAND", "DSNAME"});
    winini::DeleteKey("PLNINFO_Q7B", "DSNAME");
    for (const Brand& brand : brands) {
        if (brand.value)
            winini::WriteKey("PLNINFO_Q7B", "BRAND", brand.value);
        else
            winini::DeleteKey("PLNINFO_Q7B", "BRAND");
        for (const StatusCase& c : kStatuses) {
            if (c.status == 0x8321) continue;  // a read repeats on it instead
            SCOPED_TRACE(testing::Message() << std::hex << c.status << " brand " << (brand.value ? "empty" : "default"));
            MessageBoxRecorder boxes;
            SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
            EXPECT_EQ(CheckReadStatus(c.status), READ_FAILED);
            EXPECT_EQ(ReturnCode, TWRC_FAILURE);
            EXPECT_EQ(ConditionCode, TWCC_OPERATIONERROR);
            ASSERT_EQ(boxes.Records().size(), 1u);
            const MessageBoxRecord& box = boxes.Records()[0];
            EXPECT_EQ(box.text, c.text);
            EXPECT_EQ(box.caption, ExpectedCaption(c, brand.captionStart));
            EXPECT_EQ(box.icon, c.icon) << IconName(box.icon);
            EXPECT_EQ(box.owner, nullptr);  // over the dialog, which does not exist here
        }
    }
}

TEST_F(DeviceMessages, ReadRepeatsOnNoPaperWithoutABox) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(CheckReadStatus(0x8321), READ_RETRY);
    EXPECT_EQ(CheckReadStatus(0), READ_OK);
    EXPECT_TRUE(boxes.Records().empty());
    EXPECT_EQ(ReturnCode, TWRC_SUCCESS);
}

TEST_F(DeviceMessages, SetParamsStatusesAreShownAndFailTheStart) {
    WinIniGuard guard({"BRAND", "DSNAME"});
    winini::DeleteKey("PLNINFO_Q7B", "BRAND");
    winini::DeleteKey("PLNINFO_Q7B", "DSNAME");
    for (uint32_t firstPage : {1u, 0u}) {
        FirstFeederPage = firstPage;
        for (const StatusCase& c : kStatuses) {
            SCOPED_TRACE(testing::Message() << std::hex << c.status << " first page " << firstPage);
            MessageBoxRecorder boxes;
            SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
            EXPECT_FALSE(CheckSetParamsStatus(c.status));
            EXPECT_EQ(ReturnCode, TWRC_FAILURE);
            EXPECT_EQ(ConditionCode, TWCC_OPERATIONERROR);
            // Out of paper is only worth a box on the feeder's first page.
            if (c.status == 0x8321 && !firstPage) {
                EXPECT_TRUE(boxes.Records().empty());
                continue;
            }
            ASSERT_EQ(boxes.Records().size(), 1u);
            const MessageBoxRecord& box = boxes.Records()[0];
            EXPECT_EQ(box.text, c.text);
            EXPECT_EQ(box.caption, ExpectedCaption(c, "Korvan "));
            EXPECT_EQ(box.icon, c.icon) << IconName(box.icon);
            // The device failure report owns jam and first-page no-paper boxes
            // (over the dialog); the others are shown over the application.
            bool reported = c.status == 0x8217 || c.status == 0x8321;
            EXPECT_EQ(box.owner, reported ? nullptr : owner_);
        }
    }
    FirstFeederPage = 1;
    EXPECT_TRUE(CheckSetParamsStatus(0));
}

TEST_F(DeviceMessages, DiskSpaceBoxTellsNeedAndAvailable) {
    WinIniGuard guard({"BRAND", "DSNAME"});
    winini::DeleteKey("PLNINFO_Q7B", "BRAND");
    winini::DeleteKey("PLNINFO_Q7B", "DSNAME");
    MessageBoxRecorder boxes;
    ShowDiskSpaceBox(owner_, 1025, 1024);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text,
              "The new image requires 1K bytes of unused diskspace.Your disk has only 1024 bytes of unused "
              "diskspace. Free up some sapce on the disk.");
    EXPECT_EQ(boxes.Records()[0].caption, "Korvan  F/B Scanner (N)");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Information);
    EXPECT_EQ(boxes.Records()[0].owner, owner_);
}
