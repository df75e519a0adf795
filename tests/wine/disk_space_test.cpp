// The free-space check at scan start against a drive T: of exactly 16 MiB
// holding the temporary files: half its free bytes are available, so a scan
// needing exactly 8 MiB starts and one needing a byte more shows the
// disk-space box and the temporary-drive dialog.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

// Drives the temporary-drive dialog when it appears on this thread: types
// the directory (if any) and presses OK, or presses Cancel.
class TempDriveDialogDriver {
public:
    explicit TempDriveDialogDriver(const std::string& typed) : typed_(typed) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~TempDriveDialogDriver() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    int Shown() const { return shown_; }
    const std::string& Caption() const { return caption_; }
    const std::string& Directory() const { return directory_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_) current_->OnActivate(reinterpret_cast<HWND>(wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void OnActivate(HWND dialog) {
        HWND edit = GetDlgItem(dialog, 7), current = GetDlgItem(dialog, 10);
        if (!edit || !current || dialog == handled_) return;
        handled_ = dialog;
        ++shown_;
        char text[512];
        GetWindowTextA(dialog, text, sizeof text);
        caption_ = text;
        GetWindowTextA(current, text, sizeof text);
        directory_ = text;
        if (typed_.empty()) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), (LPARAM)GetDlgItem(dialog, 9));
            return;
        }
        SetWindowTextA(edit, typed_.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), (LPARAM)edit);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), (LPARAM)GetDlgItem(dialog, 8));
    }

    static TempDriveDialogDriver* current_;
    std::string typed_;
    HHOOK hook_ = nullptr;
    HWND handled_ = nullptr;
    int shown_ = 0;
    std::string caption_, directory_;
};

TempDriveDialogDriver* TempDriveDialogDriver::current_ = nullptr;

class DiskSpace : public testing::Test {
protected:
    void SetUp() override {
        if (GetFileAttributesA("T:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive T: here";
        char value[MAX_PATH];
        GetEnvironmentVariableA("TMP", value, sizeof value);
        savedTmp_ = value;
        GetEnvironmentVariableA("TEMP", value, sizeof value);
        savedTemp_ = value;
        SetEnvironmentVariableA("TMP", "T:\\");
        SetEnvironmentVariableA("TEMP", "T:\\");
    }
    void TearDown() override {
        if (!savedTmp_.empty()) SetEnvironmentVariableA("TMP", savedTmp_.c_str());
        if (!savedTemp_.empty()) SetEnvironmentVariableA("TEMP", savedTemp_.c_str());
    }
    // A Gray 300 dpi frame whose estimated size is `across` x `down` / 2
    // bytes: `across` pixels at 300 dpi make 2 x `across` in 1/600 inch.
    static AcquisitionRequest Frame(int across, int down) {
        AcquisitionRequest r;
        r.PixelType = TWPT_GRAY;
        r.Dpi = 300;
        r.Frame[0] = 0;
        r.Frame[1] = 0;
        r.Frame[2] = (2 * across + 0.5) / 600.0;
        r.Frame[3] = (down + 0.5) / 600.0;
        return r;
    }
    static std::string DefaultName(TwainSession& s) {
        TW_SETUPFILEXFER setup = {};
        s.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETDEFAULT, &setup);
        return setup.FileName;
    }
    std::string savedTmp_, savedTemp_;
};

// 16 MiB free, 8 MiB available: 1032 + 3144696 + 5 MiB is exactly 8 MiB
// (926 x 6792 / 2 = 3144696); 995 x 6321 / 2 is one byte more.
const int EqualAcross = 926, EqualDown = 6792, OverAcross = 995, OverDown = 6321;

}  // namespace

TEST_F(DiskSpace, ExactlyTheNeededSpaceStartsTheScanWithoutAsking) {
    MessageBoxRecorder boxes;
    TempDriveDialogDriver dialog("");
    TwainSession s;
    EXPECT_TRUE(StartAcquisition(s, Frame(EqualAcross, EqualDown)));
    EXPECT_TRUE(boxes.Records().empty());
    EXPECT_EQ(dialog.Shown(), 0);
    EXPECT_EQ(DefaultName(s).rfind("T:\\KORVAN", 0), 0u) << DefaultName(s);
}

TEST_F(DiskSpace, OneByteShortShowsTheBoxAndTheDialogWhoseCancelKeepsTheDirectory) {
    MessageBoxRecorder boxes;
    TempDriveDialogDriver dialog("");
    TwainSession s;
    AcquisitionRequest r = Frame(OverAcross, OverDown);
    EXPECT_FALSE(StartAcquisition(s, r));
    ASSERT_EQ(boxes.Records().size(), 1u);
    // Needed minus 0x500001 and the available count, both in kilobytes.
    EXPECT_EQ(boxes.Records()[0].text,
              "The new image requires 3072K bytes of unused diskspace.Your disk has only 8192K bytes of unused "
              "diskspace. Free up some sapce on the disk.");
    EXPECT_EQ(boxes.Records()[0].caption, "Korvan  F/B Scanner (N)");
    EXPECT_EQ(dialog.Shown(), 1);
    EXPECT_EQ(dialog.Caption(), "Korvan  F/B Scanner (N) V1.0");
    EXPECT_EQ(dialog.Directory(), "T:");
    EXPECT_EQ(DefaultName(s).rfind("T:\\KORVAN", 0), 0u) << DefaultName(s);
    EXPECT_EQ(s.WaitForMessage(3000), MSG_CLOSEDSREQ);
}

TEST_F(DiskSpace, AnotherDirectoryWithOrWithoutBackslashMovesTheWorkFiles) {
    char bigTemp[MAX_PATH];
    snprintf(bigTemp, sizeof bigTemp, "%s", savedTemp_.c_str());
    std::string directory = bigTemp;
    while (!directory.empty() && directory.back() == '\\') directory.pop_back();
    for (const std::string& typed : {directory, directory + "\\"}) {
        SCOPED_TRACE(typed);
        MessageBoxRecorder boxes;
        TempDriveDialogDriver dialog(typed);
        TwainSession s;
        ASSERT_TRUE(s.Start("Korvan F/B Scanner (N)"));
        std::string before = DefaultName(s);
        ASSERT_TRUE(s.CloseSource().rc == TWRC_SUCCESS);
        EXPECT_TRUE(StartAcquisition(s, Frame(OverAcross, OverDown)));
        EXPECT_EQ(dialog.Shown(), 1);
        EXPECT_EQ(boxes.Records().size(), 1u);
        std::string after = DefaultName(s);
        std::string filePart = after.substr(after.rfind('\\'));
        EXPECT_EQ(after, directory + filePart);
        EXPECT_EQ(filePart.rfind("\\KORVAN", 0), 0u);
        EXPECT_EQ(before.rfind("T:\\KORVAN", 0), 0u);
    }
}
