// The shared test harness under Wine: message boxes recorded and answered,
// other dialogs left alone, WIN.INI guards restoring what they found.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wine/harness/twain_app.h"

using namespace twtest;

namespace {

std::vector<int> Sorted(std::vector<int> ids) {
    std::sort(ids.begin(), ids.end());
    return ids;
}

// A hidden top-level window of the test program to own the boxes.
struct OwnerWindow {
    HWND hwnd = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ~OwnerWindow() {
        if (hwnd) DestroyWindow(hwnd);
    }
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

TEST(MessageBoxRecorder, RecordsEachBoxAndPressesTheConfiguredButton) {
    OwnerWindow owner;
    ASSERT_NE(owner.hwnd, nullptr) << "message boxes need a display (Xvfb)";
    struct Case {
        HWND owner;
        UINT style;
        int answer;
        MessageBoxIcon icon;
        std::vector<int> buttons;
    };
    const Case cases[] = {
        {owner.hwnd, MB_OK | MB_ICONHAND, IDOK, MessageBoxIcon::Error, {IDOK}},
        {owner.hwnd, MB_OK | MB_ICONINFORMATION, IDOK, MessageBoxIcon::Information, {IDOK}},
        {owner.hwnd, MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL, MessageBoxIcon::Warning, {IDOK, IDCANCEL}},
        {owner.hwnd, MB_YESNO | MB_ICONQUESTION, IDNO, MessageBoxIcon::Question, {IDYES, IDNO}},
        {nullptr, MB_OK, IDOK, MessageBoxIcon::None, {IDOK}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(IconName(c.icon));
        MessageBoxRecorder recorder(c.answer);
        ASSERT_TRUE(recorder.Active());
        EXPECT_EQ(MessageBoxA(c.owner, "Scanner not ready.", "Korvan  F/B Scanner (N)", c.style), c.answer);
        ASSERT_EQ(recorder.Records().size(), 1u);
        const MessageBoxRecord& record = recorder.Records()[0];
        EXPECT_EQ(record.owner, c.owner);
        EXPECT_EQ(record.caption, "Korvan  F/B Scanner (N)");
        EXPECT_EQ(record.text, "Scanner not ready.");
        EXPECT_STREQ(IconName(record.icon), IconName(c.icon));
        EXPECT_EQ(Sorted(record.buttons), Sorted(c.buttons));
        EXPECT_EQ(record.answer, c.answer);
    }
}

TEST(MessageBoxRecorder, QueuedAnswersGoToSuccessiveBoxesAndInnermostRecorderRecords) {
    MessageBoxRecorder outer(IDOK);
    {
        MessageBoxRecorder inner(IDYES);
        inner.QueueAnswers({IDNO, IDCANCEL});
        EXPECT_EQ(MessageBoxA(nullptr, "first", "q", MB_YESNOCANCEL), IDNO);
        EXPECT_EQ(MessageBoxA(nullptr, "second", "q", MB_YESNOCANCEL), IDCANCEL);
        EXPECT_EQ(MessageBoxA(nullptr, "third", "q", MB_YESNOCANCEL), IDYES);
        ASSERT_EQ(inner.Records().size(), 3u);
        EXPECT_EQ(inner.Records()[0].text, "first");
        EXPECT_EQ(inner.Records()[2].text, "third");
    }
    EXPECT_TRUE(outer.Records().empty());
    EXPECT_EQ(MessageBoxA(nullptr, "after", "q", MB_OKCANCEL), IDOK);
    ASSERT_EQ(outer.Records().size(), 1u);
    EXPECT_EQ(outer.Records()[0].text, "after");
}

// The data source's own dialogs are #32770 dialogs too; the recorder must
// neither record nor press anything on them.
TEST(MessageBoxRecorder, LeavesOtherDialogsAlone) {
    // DLGTEMPLATE followed by empty menu, class and title, DWORD-aligned.
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } __attribute__((aligned(4))) dialogTemplate = {};
    dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialogTemplate.header.cx = 100;
    dialogTemplate.header.cy = 50;
    MessageBoxRecorder recorder(IDCANCEL);
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.header, nullptr,
                                             PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << "dialogs need a display (Xvfb)";
    SetActiveWindow(dialog);
    MSG message;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 200)
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_TRUE(recorder.Records().empty());
    EXPECT_TRUE(IsWindow(dialog));
    DestroyWindow(dialog);
}

TEST(WinIniHelpers, GuardRestoresChangedKeysAndRemovesAddedOnes) {
    const char* section = "PLNX_HARNESS_TEST";
    winini::DeleteSection(section);
    ASSERT_TRUE(winini::WriteKey(section, "KEPT", "old value"));
    {
        WinIniGuard guard({"KEPT", "ADDED"}, section);
        winini::WriteKey(section, "KEPT", "new value");
        winini::WriteKey(section, "ADDED", "x");
        EXPECT_EQ(winini::ReadKey(section, "KEPT"), "new value");
        EXPECT_TRUE(winini::HasKey(section, "ADDED"));
    }
    EXPECT_EQ(winini::ReadKey(section, "KEPT"), "old value");
    EXPECT_FALSE(winini::HasKey(section, "ADDED"));

    // An empty value is a present key.
    winini::WriteKey(section, "EMPTY", "");
    EXPECT_TRUE(winini::HasKey(section, "EMPTY"));
    EXPECT_TRUE(winini::DeleteSection(section));
    EXPECT_FALSE(winini::HasKey(section, "KEPT"));
    EXPECT_FALSE(winini::HasKey(section, "EMPTY"));
}

TEST(WinIniHelpers, GuardDefaultsToTheSourceSection) {
    ASSERT_FALSE(winini::HasKey("PLNINFO_Q7B", "PLNX_HARNESS_KEY"));
    {
        WinIniGuard guard({"PLNX_HARNESS_KEY"});
        winini::WriteKey("PLNINFO_Q7B", "PLNX_HARNESS_KEY", "1");
    }
    EXPECT_FALSE(winini::HasKey("PLNINFO_Q7B", "PLNX_HARNESS_KEY"));
}

TEST(WinIniHelpers, SectionGuardRestoresWholeSectionOrItsAbsence) {
    const char* section = "PLNX_HARNESS_SECTION";
    winini::DeleteSection(section);
    winini::WriteKey(section, "A", "1");
    winini::WriteKey(section, "B", "two words");
    {
        WinIniSectionGuard guard(section);
        winini::DeleteSection(section);
        winini::WriteKey(section, "C", "3");
    }
    EXPECT_EQ(winini::ReadKey(section, "A"), "1");
    EXPECT_EQ(winini::ReadKey(section, "B"), "two words");
    EXPECT_FALSE(winini::HasKey(section, "C"));

    winini::DeleteSection(section);
    {
        WinIniSectionGuard guard(section);
        winini::WriteKey(section, "D", "4");
    }
    EXPECT_FALSE(winini::HasKey(section, "D"));
}
