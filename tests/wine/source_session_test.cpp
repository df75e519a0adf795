// The data source PLNX_Q7B.DS under Wine: found and opened through
// TWAIN_32.DLL, and driven directly through its DS_Entry where a test needs
// the closed state or a chosen origin.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "tests/wine/harness/twain_app.h"

using namespace twtest;

namespace {

const char DefaultName[] = "Korvan F/B Scanner (N)";

std::string WindowsPath(const char* relative) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\" + relative;
}

typedef TW_UINT16(WINAPI* DsEntryProc)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

// The installed module loaded by this test itself, so that it can play the
// source manager: choose the origin and reach the closed state.
class DirectSource {
public:
    DirectSource() {
        module_ = LoadLibraryA(WindowsPath("TWAIN_32\\PLNX_Q7B.DS").c_str());
        entry_ = module_ ? reinterpret_cast<DsEntryProc>(
                               reinterpret_cast<void*>(GetProcAddress(module_, "DS_Entry")))
                         : nullptr;
        memset(&app_, 0, sizeof app_);
        app_.Id = 7;
        strcpy(app_.ProductName, "source session test");
        memset(&self_, 0, sizeof self_);
    }
    ~DirectSource() {
        if (open_) Call(DAT_IDENTITY, MSG_CLOSEDS, &self_);
        if (module_) FreeLibrary(module_);
    }
    bool Loaded() const { return entry_ != nullptr; }
    TW_UINT16 Call(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_IDENTITY* origin = nullptr) {
        return entry_(origin ? origin : &app_, dat == DAT_IMAGELAYOUT || dat == DAT_IMAGEINFO ? DG_IMAGE : DG_CONTROL,
                      dat, msg, data);
    }
    TW_UINT16 Status() {
        TW_STATUS status = {};
        Call(DAT_STATUS, MSG_GET, &status);
        return status.ConditionCode;
    }
    TW_UINT16 Open() {
        memset(&self_, 0, sizeof self_);
        self_.Id = 3;
        strcpy(self_.ProductName, DefaultName);
        TW_UINT16 rc = Call(DAT_IDENTITY, MSG_OPENDS, &self_);
        open_ = rc == TWRC_SUCCESS;
        return rc;
    }
    TW_UINT16 Close() {
        TW_UINT16 rc = Call(DAT_IDENTITY, MSG_CLOSEDS, &self_);
        if (rc == TWRC_SUCCESS) open_ = false;
        return rc;
    }
    TW_IDENTITY& App() { return app_; }
    TW_IDENTITY& Self() { return self_; }

private:
    HMODULE module_ = nullptr;
    DsEntryProc entry_ = nullptr;
    TW_IDENTITY app_;
    TW_IDENTITY self_;
    bool open_ = false;
};

const TW_IDENTITY* FindNamed(const std::vector<TW_IDENTITY>& sources, const char* name) {
    for (const TW_IDENTITY& s : sources)
        if (strcmp(s.ProductName, name) == 0) return &s;
    return nullptr;
}

}  // namespace

TEST(DataSource, FoundByTheSourceManagerAndOpenedToStateFourWithItsIdentity) {
    WinIniGuard guard({"BRAND", "DSNAME", "DRIVER", "LANGUAGE"});
    winini::DeleteKey("PLNINFO_Q7B", "BRAND");
    winini::DeleteKey("PLNINFO_Q7B", "DSNAME");
    winini::DeleteKey("PLNINFO_Q7B", "DRIVER");
    TwainSession session;
    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    std::vector<TW_IDENTITY> sources = session.Sources();
    const TW_IDENTITY* listed = FindNamed(sources, DefaultName);
    ASSERT_NE(listed, nullptr);
    // While closed the source shows its own texts.
    EXPECT_STREQ(listed->Version.Info, "Korvan Flatbed Scanners Twain DS ");
    EXPECT_STREQ(listed->ProductFamily, "Korvan Scan");

    TripletResult opened = session.OpenSource(DefaultName);
    ASSERT_EQ(opened.rc, TWRC_SUCCESS) << "cc " << opened.cc;
    const TW_IDENTITY& id = session.Source();
    EXPECT_NE(id.Id, 0u);
    EXPECT_EQ(id.Version.MajorNum, 1);
    EXPECT_EQ(id.Version.MinorNum, 0);
    EXPECT_EQ(id.Version.Language, TWLG_USA);
    EXPECT_EQ(id.Version.Country, TWCY_TAIWAN);
    // Ready scanner, firmware "1.07" (characters 0, 2, 3), no feeder.
    EXPECT_STREQ(id.Version.Info, "1107" "0" "PLNX_Q7B.DS\nParallel Port\n");
    EXPECT_EQ(id.ProtocolMajor, 1);
    EXPECT_EQ(id.ProtocolMinor, 5);
    EXPECT_EQ(id.SupportedGroups, DG_CONTROL | DG_IMAGE);
    EXPECT_STREQ(id.Manufacturer, "Korvan_ Inc.");
    EXPECT_STREQ(id.ProductFamily, "Flatbed Scanner");
    EXPECT_STREQ(id.ProductName, DefaultName);

    // State 4: a layout may be set (state 4 only), a transfer may not be ended.
    TW_IMAGELAYOUT layout = {};
    layout.Frame.Right.Whole = 3;
    layout.Frame.Bottom.Whole = 4;
    EXPECT_EQ(session.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout).rc, TWRC_SUCCESS);
    TW_PENDINGXFERS pending = {};
    TripletResult end = session.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    EXPECT_EQ(end.rc, TWRC_FAILURE);
    EXPECT_EQ(end.cc, TWCC_SEQERROR);
    TW_IDENTITY asked = {};
    EXPECT_EQ(session.Send(DG_CONTROL, DAT_IDENTITY, MSG_GET, &asked).rc, TWRC_SUCCESS);
    EXPECT_EQ(memcmp(&asked, &id, sizeof asked), 0);
}

TEST(DataSource, ProductNameJoinsBrandAndDsName) {
    struct Case {
        const char* brand;  // nullptr: no key
        const char* dsName;
        const char* expected;
    } cases[] = {
        {nullptr, nullptr, "Korvan F/B Scanner (N)"},
        {"", nullptr, "F/B Scanner (N)"},
        {"Acme", "Flat 600", "Acme Flat 600"},
        {"", "Solo", "Solo"},
        {"A very long brand name", "and a longer product name", "A very long brand name and a long"},
    };
    WinIniGuard guard({"BRAND", "DSNAME"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        if (c.brand)
            winini::WriteKey("PLNINFO_Q7B", "BRAND", c.brand);
        else
            winini::DeleteKey("PLNINFO_Q7B", "BRAND");
        if (c.dsName)
            winini::WriteKey("PLNINFO_Q7B", "DSNAME", c.dsName);
        else
            winini::DeleteKey("PLNINFO_Q7B", "DSNAME");
        TwainSession session;
        ASSERT_TRUE(session.Start(c.expected));
        EXPECT_STREQ(session.Source().ProductName, c.expected);
    }
}

TEST(DataSource, SecondOpenIsRefusedUntilClosed) {
    DirectSource ds;
    ASSERT_TRUE(ds.Loaded());
    ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
    TW_IDENTITY again = ds.Self();
    EXPECT_EQ(ds.Call(DAT_IDENTITY, MSG_OPENDS, &again), TWRC_FAILURE);
    EXPECT_EQ(ds.Status(), TWCC_MAXCONNECTIONS);
    ASSERT_EQ(ds.Close(), TWRC_SUCCESS);
    EXPECT_EQ(ds.Open(), TWRC_SUCCESS);
}

TEST(DataSource, CallsFromAnotherOriginAreIgnoredWhileOpen) {
    DirectSource ds;
    ASSERT_TRUE(ds.Loaded());
    ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
    // Leave a failure pending: an unlisted triplet.
    EXPECT_EQ(ds.Call(DAT_PALETTE8, MSG_GET, nullptr), TWRC_FAILURE);
    TW_IDENTITY stranger = ds.App();
    stranger.Id = ds.App().Id + 100;
    // The stranger's close is answered with the previous return code and
    // changes nothing; neither does a null origin.
    EXPECT_EQ(ds.Call(DAT_IDENTITY, MSG_CLOSEDS, &ds.Self(), &stranger), TWRC_FAILURE);
    TW_STATUS status = {};
    EXPECT_EQ(ds.Call(DAT_STATUS, MSG_GET, &status, &stranger), TWRC_FAILURE);
    EXPECT_EQ(status.ConditionCode, 0);
    EXPECT_EQ(ds.Status(), TWCC_BADPROTOCOL);
    TW_UINT32 group = 0;
    EXPECT_EQ(ds.Call(DAT_XFERGROUP, MSG_GET, &group), TWRC_SUCCESS);  // still open
    EXPECT_EQ(group, DG_IMAGE);
}

TEST(DataSource, StatusReportsAFailureOnce) {
    TwainSession session;
    ASSERT_TRUE(session.Start(DefaultName));
    TW_SETUPFILEXFER setup = {};
    ASSERT_EQ(session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &setup).rc, TWRC_SUCCESS);
    setup.Format = TWFF_BMP;
    EXPECT_EQ(session.Call(&session.Source(), DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_FAILURE);
    EXPECT_EQ(session.StatusOf(&session.Source()), TWCC_BADVALUE);
    EXPECT_EQ(session.StatusOf(&session.Source()), TWCC_SUCCESS);
}

TEST(DataSource, UnlistedTripletsAreBadProtocol) {
    struct Case {
        TW_UINT16 dat, msg;
    } cases[] = {
        {DAT_EVENT, MSG_GET},           {DAT_PARENT, MSG_OPENDSM},         {DAT_IMAGELAYOUT, MSG_GETCURRENT},
        {DAT_SETUPFILEXFER, MSG_GETCURRENT}, {DAT_IDENTITY, MSG_GETFIRST}, {DAT_IDENTITY, MSG_GETNEXT},
        {DAT_CAPABILITY, MSG_GETFIRST}, {DAT_PALETTE8, MSG_GET},           {DAT_STATUS, MSG_SET},
        {DAT_USERINTERFACE, MSG_GET},   {DAT_XFERGROUP, MSG_SET},          {DAT_SETUPMEMXFER, MSG_SET},
    };
    DirectSource ds;
    ASSERT_TRUE(ds.Loaded());
    ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
    char scratch[512] = {};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "DAT " << c.dat << " MSG " << c.msg);
        EXPECT_EQ(ds.Call(c.dat, c.msg, scratch), TWRC_FAILURE);
        EXPECT_EQ(ds.Status(), TWCC_BADPROTOCOL);
    }
}

// Every listed triplet in the closed state (3) and the open state (4); states
// 5 to 7 need the dialog or a scan and are covered by the host tests of the
// dispatch table.
TEST(DataSource, StateChecksOfTheDispatchTableInStatesThreeAndFour) {
    struct Case {
        TW_UINT16 dat, msg;
        TW_UINT16 cc3;  // condition code in state 3 (TWCC_SUCCESS: accepted)
        TW_UINT16 cc4;  // in state 4
    } cases[] = {
        {DAT_IDENTITY, MSG_GET, TWCC_SUCCESS, TWCC_SUCCESS},
        {DAT_PENDINGXFERS, MSG_GET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_PENDINGXFERS, MSG_RESET, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_PENDINGXFERS, MSG_ENDXFER, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_SETUPMEMXFER, MSG_GET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_SETUPFILEXFER, MSG_GET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_SETUPFILEXFER, MSG_GETDEFAULT, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_SETUPFILEXFER, MSG_RESET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_XFERGROUP, MSG_GET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_IMAGEINFO, MSG_GET, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_IMAGELAYOUT, MSG_GET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_IMAGELAYOUT, MSG_GETDEFAULT, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_IMAGELAYOUT, MSG_RESET, TWCC_SEQERROR, TWCC_SUCCESS},
        {DAT_USERINTERFACE, MSG_DISABLEDS, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_IMAGEMEMXFER, MSG_GET, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_IMAGENATIVEXFER, MSG_GET, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_IMAGEFILEXFER, MSG_GET, TWCC_SEQERROR, TWCC_SEQERROR},
        {DAT_IDENTITY, MSG_CLOSEDS, TWCC_SEQERROR, TWCC_SUCCESS},  // last: closes
    };
    DirectSource ds;
    ASSERT_TRUE(ds.Loaded());
    for (int state = 3; state <= 4; ++state) {
        if (state == 4) {
            ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "state " << state << " DAT " << c.dat << " MSG " << c.msg);
            char data[512] = {};
            if (c.dat == DAT_SETUPFILEXFER) reinterpret_cast<TW_SETUPFILEXFER*>(data)->Format = TWFF_TIFF;
            TW_UINT16 expected = state == 3 ? c.cc3 : c.cc4;
            TW_MEMREF arg = data;
            if (c.dat == DAT_IDENTITY && c.msg == MSG_CLOSEDS) arg = &ds.Self();
            TW_UINT16 rc = ds.Call(c.dat, c.msg, arg);
            EXPECT_EQ(rc, expected == TWCC_SUCCESS ? TWRC_SUCCESS : TWRC_FAILURE);
            if (state == 4 && c.msg == MSG_CLOSEDS) continue;  // closed now: no status
            // A status request in state 3 is itself refused, so the code is
            // only readable in state 4.
            if (state == 4) {
                EXPECT_EQ(ds.Status(), expected);
            }
        }
    }
    // In state 3 DAT_STATUS is refused with TWCC_SEQERROR, whatever was pending.
    TW_STATUS status = {};
    EXPECT_EQ(ds.Call(DAT_STATUS, MSG_GET, &status), TWRC_FAILURE);
    ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
    EXPECT_EQ(ds.Status(), TWCC_SUCCESS);  // the open reset it
}

TEST(DataSource, SessionTripletsAnswerInStateFour) {
    TwainSession session;
    ASSERT_TRUE(session.Start(DefaultName));
    TW_PENDINGXFERS pending = {};
    pending.Count = 77;
    ASSERT_EQ(session.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 1);  // a flatbed has one image

    TW_SETUPMEMXFER mem = {};
    ASSERT_EQ(session.Send(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &mem).rc, TWRC_SUCCESS);
    EXPECT_EQ(mem.MinBufSize, 32768u);
    EXPECT_EQ(mem.MaxBufSize, 65536u);
    EXPECT_EQ(mem.Preferred, 65536u);

    TW_SETUPFILEXFER file = {};
    ASSERT_EQ(session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &file).rc, TWRC_SUCCESS);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string name = file.FileName;
    EXPECT_EQ(name.rfind(std::string(temp) + "KORVAN", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".TIF") << name;
    EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);  // deleted again
    EXPECT_EQ(file.Format, TWFF_TIFF);
    EXPECT_EQ(file.VRefNum, 0);

    TW_SETUPFILEXFER chosen = file;
    strcpy(chosen.FileName, "C:\\scan.tif");
    ASSERT_EQ(session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &chosen).rc, TWRC_SUCCESS);
    TW_SETUPFILEXFER readBack = {}, defaults = {};
    session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &readBack);
    EXPECT_STREQ(readBack.FileName, "C:\\scan.tif");
    session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETDEFAULT, &defaults);
    EXPECT_STREQ(defaults.FileName, file.FileName);
    session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_RESET, &readBack);
    EXPECT_STREQ(readBack.FileName, file.FileName);

    TW_UINT32 group = 0;
    ASSERT_EQ(session.Send(DG_CONTROL, DAT_XFERGROUP, MSG_GET, &group).rc, TWRC_SUCCESS);
    EXPECT_EQ(group, DG_IMAGE);

    TW_IMAGELAYOUT layout = {};
    ASSERT_EQ(session.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout).rc, TWRC_SUCCESS);
    EXPECT_EQ(layout.Frame.Right.Whole, 0);
    EXPECT_EQ(layout.DocumentNumber, 1u);
    EXPECT_EQ(layout.PageNumber, 1u);
    EXPECT_EQ(layout.FrameNumber, 1u);
}

TEST(DataSource, EnableWithoutDialogScansAndAsksForTheTransfer) {
    TwainSession session;
    ASSERT_TRUE(session.Start(DefaultName));
    // Before any dialog exists every event belongs to the application.
    MSG msg = {};
    TW_EVENT event = {&msg, 0x1234};
    EXPECT_EQ(session.Call(&session.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_NOTDSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_NULL);

    // The dialog is not part of this build: it fails as a dialog that
    // cannot be created.
    TW_USERINTERFACE ui = {TRUE, FALSE, session.Parent()};
    TripletResult withDialog = session.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    EXPECT_EQ(withDialog.rc, TWRC_FAILURE);
    EXPECT_EQ(withDialog.cc, TWCC_LOWMEMORY);

    // Without the dialog the scan starts and the application is told.
    TW_IMAGEINFO info = {};
    EXPECT_EQ(session.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info).cc, TWCC_SEQERROR);  // state 4
    ui.ShowUI = FALSE;
    EXPECT_EQ(session.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui).rc, TWRC_SUCCESS);
    EXPECT_EQ(session.WaitForMessage(10000), MSG_XFERREADY);
    ASSERT_EQ(session.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info).rc, TWRC_SUCCESS);  // state 6
    EXPECT_EQ(info.PixelType, TWPT_RGB);
    EXPECT_EQ(info.XResolution.Whole, 100);

    // Not transferred: the reset ends the scan (state 5), disabling gives 4.
    TW_PENDINGXFERS pending = {};
    EXPECT_EQ(session.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(session.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info).cc, TWCC_SEQERROR);
    TW_IMAGELAYOUT inFive = {};
    inFive.Frame.Right.Whole = 3;
    TripletResult layoutInFive = session.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &inFive);  // state 5
    EXPECT_EQ(layoutInFive.rc, TWRC_FAILURE);
    EXPECT_EQ(layoutInFive.cc, TWCC_SEQERROR);
    EXPECT_EQ(session.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui).rc, TWRC_SUCCESS);
    TW_IMAGELAYOUT layout = {};
    EXPECT_EQ(session.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout).rc, TWRC_SUCCESS);  // state 4 again
}

TEST(DataSource, EnableWithoutDialogOnAScannerNotReadyAsksToBeClosed) {
    WinIniSectionGuard guard("PLNX_Q7B Simulator");
    winini::WriteKey("PLNX_Q7B Simulator", "NotReady", "1");
    MessageBoxRecorder boxes;
    TwainSession session;
    ASSERT_TRUE(session.Start(DefaultName));
    TW_USERINTERFACE ui = {FALSE, FALSE, session.Parent()};
    TripletResult enabled = session.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    EXPECT_EQ(enabled.rc, TWRC_FAILURE);
    EXPECT_EQ(enabled.cc, TWCC_OPERATIONERROR);
    EXPECT_EQ(session.WaitForMessage(5000), MSG_CLOSEDSREQ);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Flatbed Scanner not ready.");
    // Still state 4: the layout may be set.
    TW_IMAGELAYOUT layout = {};
    EXPECT_EQ(session.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout).rc, TWRC_SUCCESS);
}

// A driver that cannot be loaded, or loads without its three exports, fails
// the open with TWCC_OPERATIONERROR after the boxes that say so; the source
// stays closed and opens with a good driver.
TEST(DataSource, UnusableDriverFailsTheOpenWithItsBoxes) {
    struct Case {
        const char* driver;
        std::vector<std::string> texts;
    } cases[] = {
        {"NOSUCH.IOB", {"hDriver < 32"}},
        // Any DLL without the exports will do: the source manager itself.
        {"..\\..\\system32\\TWAIN_32.DLL", {"lpDrviver NULL", "lpSpiCall NULL", "lpBufAddr NULL"}},
    };
    WinIniGuard guard({"DRIVER"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        winini::WriteKey("PLNINFO_Q7B", "DRIVER", c.driver);
        MessageBoxRecorder boxes;
        TwainSession session;
        ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
        TripletResult opened = session.OpenSource(DefaultName);
        EXPECT_EQ(opened.rc, TWRC_FAILURE);
        EXPECT_EQ(opened.cc, TWCC_OPERATIONERROR);
        std::vector<std::string> texts;
        for (const MessageBoxRecord& r : boxes.Records()) {
            EXPECT_EQ(r.owner, nullptr);
            EXPECT_EQ(r.caption, "Msg");
            texts.push_back(r.text);
        }
        EXPECT_EQ(texts, c.texts);
        winini::DeleteKey("PLNINFO_Q7B", "DRIVER");
        EXPECT_EQ(session.OpenSource(DefaultName).rc, TWRC_SUCCESS);
    }
}

TEST(DataSource, NullDataIsRefusedWithBadValue) {
    struct Case {
        TW_UINT16 dat, msg;
    } cases[] = {
        {DAT_IDENTITY, MSG_GET},        {DAT_PENDINGXFERS, MSG_GET},   {DAT_SETUPMEMXFER, MSG_GET},
        {DAT_SETUPFILEXFER, MSG_GET},   {DAT_SETUPFILEXFER, MSG_SET},  {DAT_SETUPFILEXFER, MSG_RESET},
        {DAT_XFERGROUP, MSG_GET},       {DAT_IMAGELAYOUT, MSG_GET},    {DAT_IMAGELAYOUT, MSG_SET},
        {DAT_USERINTERFACE, MSG_ENABLEDS}, {DAT_EVENT, MSG_PROCESSEVENT},
    };
    DirectSource ds;
    ASSERT_TRUE(ds.Loaded());
    TW_IDENTITY* none = nullptr;
    EXPECT_EQ(ds.Call(DAT_IDENTITY, MSG_OPENDS, none), TWRC_FAILURE);  // state 3
    ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "DAT " << c.dat << " MSG " << c.msg);
        EXPECT_EQ(ds.Call(c.dat, c.msg, nullptr), TWRC_FAILURE);
        EXPECT_EQ(ds.Status(), TWCC_BADVALUE);
    }
    TW_UINT32 group = 0;
    EXPECT_EQ(ds.Call(DAT_XFERGROUP, MSG_GET, &group), TWRC_SUCCESS);  // still serving
}

TEST(DataSource, AnswersTheSameIdentityWhileClosedThroughLoadsAndSessions) {
    auto askClosed = []() {
        DirectSource ds;
        TW_IDENTITY junkOrigin;
        memset(&junkOrigin, 0xA5, sizeof junkOrigin);  // an origin nobody set up
        TW_IDENTITY id;
        memset(&id, 0x5A, sizeof id);
        EXPECT_EQ(ds.Call(DAT_IDENTITY, MSG_GET, &id, &junkOrigin), TWRC_SUCCESS);
        return std::string(reinterpret_cast<const char*>(&id), sizeof id);
    };
    std::string first = askClosed();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(askClosed(), first) << "load " << i;
    {
        DirectSource ds;
        ASSERT_EQ(ds.Open(), TWRC_SUCCESS);
        ASSERT_EQ(ds.Close(), TWRC_SUCCESS);
        TW_IDENTITY id;
        memset(&id, 0x5A, sizeof id);
        TW_IDENTITY zero = {};
        EXPECT_EQ(ds.Call(DAT_IDENTITY, MSG_GET, &id, &zero), TWRC_SUCCESS);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&id), sizeof id), first);
    }
}
