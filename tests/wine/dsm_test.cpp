// The source manager TWAIN_32.DLL under Wine, driven through the application
// harness with the probe sources installed below C:\windows\TWAIN_32\probe.
// Other sources installed there (the product's) are tolerated.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "dsm/wake_up_message.h"
#include "tests/wine/harness/twain_app.h"
#include "tests/wine/probe_source/probe_protocol.h"

using namespace twtest;

namespace {

const char Probe[] = PROBE_PRODUCT_NAME;
const char Probe2[] = PROBE_PRODUCT_NAME " 2";

std::string WindowsPath(const char* relative) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\" + relative;
}

bool ProbeLoaded(const char* relative) { return GetModuleHandleA(WindowsPath(relative).c_str()) != nullptr; }

const char ProbeFile[] = "TWAIN_32\\probe\\PROBE.DS";
const char Probe2File[] = "TWAIN_32\\probe\\deeper\\PROBE2.DS";

TW_IDENTITY Named(const char* productName) {
    TW_IDENTITY identity;
    memset(&identity, 0, sizeof identity);
    strncpy(identity.ProductName, productName, sizeof identity.ProductName - 1);
    return identity;
}

int CountNamed(const std::vector<TW_IDENTITY>& sources, const char* productName) {
    int count = 0;
    for (const TW_IDENTITY& source : sources)
        if (strcmp(source.ProductName, productName) == 0) ++count;
    return count;
}

TW_UINT16 Notify(TwainSession& session, TW_IDENTITY* source, TW_UINT16 notification) {
    return session.Call(source, DG_CONTROL, DAT_XFERGROUP, MSG_SET, &notification);
}

TW_UINT32 IdSeenBy(TwainSession& session, TW_IDENTITY* source) {
    TW_UINT32 id = 0;
    EXPECT_EQ(session.Call(source, DG_CONTROL, DAT_XFERGROUP, MSG_GET, &id), TWRC_SUCCESS);
    return id;
}

struct Delivery {
    bool found = false;  // a wake-up message was taken off the queue
    MSG message;
    TW_UINT16 rc = TWRC_FAILURE;
    TW_UINT16 twMessage = MSG_NULL;
};

// Waits for the next wake-up message (dispatching anything else) and hands it
// to `source` with MSG_PROCESSEVENT.
Delivery NextWakeUp(TwainSession& session, TW_IDENTITY* source) {
    const UINT wakeUp = RegisterWindowMessageA(DSM_WAKEUP_MESSAGE_NAME);
    Delivery delivery;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 1000) {
        if (!PeekMessageA(&delivery.message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (delivery.message.message != wakeUp) {
            DispatchMessageA(&delivery.message);
            continue;
        }
        TW_EVENT event = {&delivery.message, MSG_NULL};
        delivery.rc = session.Call(source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
        delivery.twMessage = event.TWMessage;
        delivery.found = true;
        break;
    }
    return delivery;
}

}  // namespace

TEST(SourceManager, ExportsDsmEntryByNameAndAsOrdinalOne) {
    HMODULE module = LoadLibraryA("TWAIN_32.DLL");
    ASSERT_NE(module, nullptr);
    FARPROC byName = GetProcAddress(module, "DSM_Entry");
    EXPECT_NE(byName, nullptr);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(1)), byName);
    FreeLibrary(module);
}

TEST(SourceManager, EnforcesSessionSequenceAndResetsItsStatusOnRead) {
    TwainSession session;
    ASSERT_TRUE(session.Loaded());
    TW_IDENTITY identity = Named("");
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity), TWRC_FAILURE);
    EXPECT_EQ(session.DsmStatus(), TWCC_SEQERROR);
    EXPECT_EQ(session.DsmStatus(), TWCC_SUCCESS);
    EXPECT_EQ(session.CloseDsm(), TWRC_FAILURE);
    EXPECT_EQ(session.DsmStatus(), TWCC_SEQERROR);

    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    EXPECT_NE(session.App().Id, 0u);
    EXPECT_EQ(session.OpenDsm(), TWRC_FAILURE);
    EXPECT_EQ(session.DsmStatus(), TWCC_SEQERROR);
    // Successful calls leave the last failure's code until it is read.
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity), TWRC_ENDOFLIST);
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_FAILURE);
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity), TWRC_SUCCESS);
    EXPECT_EQ(session.DsmStatus(), TWCC_BADVALUE);

    ASSERT_EQ(session.CloseDsm(), TWRC_SUCCESS);
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity), TWRC_FAILURE);
    EXPECT_EQ(session.DsmStatus(), TWCC_SEQERROR);
}

TEST(SourceManager, RejectsBadInputWithConditionCode) {
    TwainSession session;
    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    TW_IDENTITY identity = Named("");
    TW_IDENTITY unknownName = Named("No Such Source");
    TW_IDENTITY stranger = Named(Probe);
    stranger.Id = 0xdead;
    TW_STATUS status;
    TW_UINT32 value = 0;
    struct Case {
        const char* what;
        TW_IDENTITY* origin;
        TW_IDENTITY* dest;
        TW_UINT32 dg;
        TW_UINT16 dat;
        TW_UINT16 msg;
        TW_MEMREF data;
        TW_UINT16 cc;
    };
    TW_IDENTITY* app = &session.App();
    const Case cases[] = {
        {"null origin", nullptr, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity, TWCC_BADVALUE},
        {"GETFIRST without data", app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, nullptr, TWCC_BADVALUE},
        {"GETDEFAULT without data", app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, nullptr, TWCC_BADVALUE},
        {"CLOSEDS without data", app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr, TWCC_BADVALUE},
        {"OPENDSM without data", app, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr, TWCC_BADVALUE},
        {"status without data", app, nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, nullptr, TWCC_BADVALUE},
        {"identity message for a source", app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_SET, &identity,
         TWCC_BADPROTOCOL},
        {"unknown parent message", app, nullptr, DG_CONTROL, DAT_PARENT, MSG_GET, &value, TWCC_BADPROTOCOL},
        {"status message other than GET", app, nullptr, DG_CONTROL, DAT_STATUS, MSG_SET, &status, TWCC_BADPROTOCOL},
        {"source triplet without destination", app, nullptr, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &value,
         TWCC_BADPROTOCOL},
        {"image triplet without destination", app, nullptr, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &value,
         TWCC_BADPROTOCOL},
        {"unknown DAT", app, nullptr, DG_CONTROL, 0x7777, MSG_GET, &value, TWCC_BADPROTOCOL},
        {"unknown destination", app, &stranger, DG_CONTROL, DAT_XFERGROUP, MSG_GET, &value, TWCC_BADDEST},
        {"status of an unknown destination", app, &stranger, DG_CONTROL, DAT_STATUS, MSG_GET, &status,
         TWCC_BADDEST},
        {"close an unknown source", app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &stranger, TWCC_BADDEST},
        {"open an unknown source", app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &unknownName, TWCC_NODS},
        {"notification from a stranger", &stranger, app, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr,
         TWCC_BADPROTOCOL},
        {"notification without origin", nullptr, app, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr, TWCC_BADVALUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(session.Entry()(c.origin, c.dest, c.dg, c.dat, c.msg, c.data), TWRC_FAILURE);
        EXPECT_EQ(session.DsmStatus(), c.cc);
    }
    EXPECT_EQ(session.DsmStatus(), TWCC_SUCCESS);
}

TEST(SourceManager, EnumeratesSourcesOfAllSubfoldersLoadingNoneForGood) {
    TwainSession session;
    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    std::vector<TW_IDENTITY> first = session.Sources();
    EXPECT_EQ(CountNamed(first, Probe), 1);
    EXPECT_EQ(CountNamed(first, Probe2), 1);
    for (const TW_IDENTITY& source : first) {
        EXPECT_EQ(source.Id, 0u) << source.ProductName;
        if (strncmp(source.ProductName, Probe, strlen(Probe)) == 0) {
            EXPECT_STREQ(source.Manufacturer, "PLNX Tests");
            EXPECT_STREQ(source.ProductFamily, "Probe");
        }
    }
    EXPECT_FALSE(ProbeLoaded(ProbeFile));
    EXPECT_FALSE(ProbeLoaded(Probe2File));

    TW_IDENTITY identity = Named("");
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity), TWRC_ENDOFLIST);
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity), TWRC_ENDOFLIST);

    // Each enumeration loads and frees every module again; the list stays the same.
    for (int round = 0; round < 3; ++round) {
        std::vector<TW_IDENTITY> again = session.Sources();
        ASSERT_EQ(again.size(), first.size());
        for (size_t i = 0; i < again.size(); ++i) EXPECT_STREQ(again[i].ProductName, first[i].ProductName);
    }

    // Enumerating while a probe is open leaves it open and loaded.
    ASSERT_EQ(session.OpenSource(Probe).rc, TWRC_SUCCESS);
    EXPECT_EQ(session.Sources().size(), first.size());
    EXPECT_TRUE(ProbeLoaded(ProbeFile));
    EXPECT_EQ(IdSeenBy(session, &session.Source()), session.Source().Id);
}

TEST(SourceManager, DefaultSourceIsTheFirstUntilTheApplicationOpensOne) {
    TwainSession session;
    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    std::vector<TW_IDENTITY> sources = session.Sources();
    ASSERT_GE(sources.size(), 2u);
    TW_IDENTITY identity = Named("");
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
    EXPECT_STREQ(identity.ProductName, sources[0].ProductName);

    ASSERT_EQ(session.OpenSource(Probe2).rc, TWRC_SUCCESS);
    ASSERT_EQ(session.CloseSource().rc, TWRC_SUCCESS);
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
    EXPECT_STREQ(identity.ProductName, Probe2);

    // An empty ProductName opens the default source.
    ASSERT_EQ(session.OpenSource("").rc, TWRC_SUCCESS);
    EXPECT_STREQ(session.Source().ProductName, Probe2);
    EXPECT_TRUE(ProbeLoaded(Probe2File));
}

TEST(SourceManager, OpensSeveralSourcesWithOwnIdsAndRoutesByDestination) {
    TwainSession session;
    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    TripletResult opened = session.OpenSource(Probe);
    ASSERT_EQ(opened.rc, TWRC_SUCCESS);
    TW_IDENTITY first = session.Source();
    EXPECT_NE(first.Id, 0u);
    EXPECT_NE(first.Id, session.App().Id);
    EXPECT_STREQ(first.ProductName, Probe);
    EXPECT_STREQ(first.Manufacturer, "PLNX Tests");
    EXPECT_TRUE(ProbeLoaded(ProbeFile));

    TW_IDENTITY second = Named(Probe2);
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &second), TWRC_SUCCESS);
    EXPECT_NE(second.Id, 0u);
    EXPECT_NE(second.Id, first.Id);
    EXPECT_NE(second.Id, session.App().Id);
    EXPECT_EQ(IdSeenBy(session, &first), first.Id);
    EXPECT_EQ(IdSeenBy(session, &second), second.Id);

    // The source's own failures stay with it and reach the application through
    // DAT_STATUS addressed to it.
    TripletResult refused = session.Send(DG_CONTROL, DAT_CAPABILITY, MSG_GET, nullptr);
    EXPECT_EQ(refused.rc, TWRC_FAILURE);
    EXPECT_EQ(refused.cc, TWCC_BADPROTOCOL);
    EXPECT_EQ(session.DsmStatus(), TWCC_SUCCESS);

    // A second open of an open source is the source's to refuse; the open
    // instance is not disturbed.
    TW_IDENTITY again = Named(Probe);
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &again), TWRC_FAILURE);
    EXPECT_EQ(session.DsmStatus(), TWCC_MAXCONNECTIONS);
    EXPECT_EQ(IdSeenBy(session, &first), first.Id);

    ASSERT_EQ(session.CloseSource().rc, TWRC_SUCCESS);
    EXPECT_FALSE(ProbeLoaded(ProbeFile));
    TW_UINT32 value = 0;
    EXPECT_EQ(session.Call(&first, DG_CONTROL, DAT_XFERGROUP, MSG_GET, &value), TWRC_FAILURE);
    EXPECT_EQ(session.DsmStatus(), TWCC_BADDEST);
    EXPECT_EQ(IdSeenBy(session, &second), second.Id);

    // MSG_CLOSEDSM closes what is still open.
    ASSERT_EQ(session.CloseDsm(), TWRC_SUCCESS);
    EXPECT_FALSE(ProbeLoaded(Probe2File));
    EXPECT_EQ(session.Call(&second, DG_CONTROL, DAT_XFERGROUP, MSG_GET, &value), TWRC_FAILURE);
}

TEST(SourceManager, RefusedOpenUnloadsTheSourceAndKeepsItsConditionCode) {
    TwainSession session;
    ASSERT_EQ(session.OpenDsm(), TWRC_SUCCESS);
    SetEnvironmentVariableA(PROBE_OPEN_FAILURE_VARIABLE, "16");
    TripletResult refused = session.OpenSource(Probe);
    SetEnvironmentVariableA(PROBE_OPEN_FAILURE_VARIABLE, nullptr);
    EXPECT_EQ(refused.rc, TWRC_FAILURE);
    EXPECT_EQ(refused.cc, TWCC_DENIED);
    EXPECT_FALSE(ProbeLoaded(ProbeFile));
    EXPECT_EQ(session.DsmStatus(), TWCC_SUCCESS);

    EXPECT_EQ(session.OpenSource(Probe).rc, TWRC_SUCCESS);
    EXPECT_EQ(IdSeenBy(session, &session.Source()), session.Source().Id);
}

TEST(SourceManager, RefusedCloseLeavesTheSourceOpenAndLoaded) {
    TwainSession session;
    ASSERT_TRUE(session.Start(Probe));
    SetEnvironmentVariableA(PROBE_CLOSE_FAILURE_VARIABLE, "11");
    TripletResult refused = session.CloseSource();
    SetEnvironmentVariableA(PROBE_CLOSE_FAILURE_VARIABLE, nullptr);
    EXPECT_EQ(refused.rc, TWRC_FAILURE);
    EXPECT_EQ(refused.cc, TWCC_SEQERROR);  // read from the source, so it is still reachable
    EXPECT_TRUE(ProbeLoaded(ProbeFile));
    EXPECT_EQ(session.CloseSource().rc, TWRC_SUCCESS);
    EXPECT_FALSE(ProbeLoaded(ProbeFile));
}

TEST(SourceManager, NotificationWakesTheLoopAndArrivesThroughProcessEvent) {
    TwainSession session;
    ASSERT_TRUE(session.Start(Probe));
    ASSERT_EQ(Notify(session, &session.Source(), MSG_XFERREADY), TWRC_SUCCESS);
    Delivery delivery = NextWakeUp(session, &session.Source());
    ASSERT_TRUE(delivery.found) << "no wake-up message was posted";
    EXPECT_EQ(delivery.message.hwnd, session.Parent());
    EXPECT_EQ(delivery.rc, TWRC_DSEVENT);
    EXPECT_EQ(delivery.twMessage, MSG_XFERREADY);
    EXPECT_EQ(session.WaitForMessage(200), MSG_NULL);

    // Several notifications arrive once each, in the order sent.
    ASSERT_EQ(Notify(session, &session.Source(), MSG_CLOSEDSREQ), TWRC_SUCCESS);
    ASSERT_EQ(Notify(session, &session.Source(), MSG_XFERREADY), TWRC_SUCCESS);
    EXPECT_EQ(session.Pump(300), (std::vector<TW_UINT16>{MSG_CLOSEDSREQ, MSG_XFERREADY}));
}

TEST(SourceManager, PendingNotificationRidesOnAnyEventAfterTheSourceSawIt) {
    TwainSession session;
    ASSERT_TRUE(session.Start(Probe));
    ASSERT_EQ(Notify(session, &session.Source(), MSG_XFERREADY), TWRC_SUCCESS);

    MSG own = {};
    own.message = PROBE_EVENT_MESSAGE;  // the probe claims it: TWRC_DSEVENT comes from the source
    TW_EVENT event = {&own, MSG_NULL};
    EXPECT_EQ(session.Call(&session.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_DSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_XFERREADY);

    MSG foreign = {};
    foreign.message = WM_NULL;
    event = {&foreign, MSG_NULL};
    EXPECT_EQ(session.Call(&session.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_NOTDSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_NULL);

    // The wake-up posted for the delivered notification still arrives: it is
    // the source manager's own event, with nothing left to deliver.
    Delivery late = NextWakeUp(session, &session.Source());
    ASSERT_TRUE(late.found);
    EXPECT_EQ(late.rc, TWRC_DSEVENT);
    EXPECT_EQ(late.twMessage, MSG_NULL);
}

TEST(SourceManager, NotificationsAreKeptPerSource) {
    TwainSession session;
    ASSERT_TRUE(session.Start(Probe));
    TW_IDENTITY second = Named(Probe2);
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &second), TWRC_SUCCESS);
    ASSERT_EQ(Notify(session, &second, MSG_XFERREADY), TWRC_SUCCESS);

    // The first source does not get the second source's notification ...
    Delivery other = NextWakeUp(session, &session.Source());
    ASSERT_TRUE(other.found);
    EXPECT_EQ(other.rc, TWRC_NOTDSEVENT);
    EXPECT_EQ(other.twMessage, MSG_NULL);
    // ... the second does, from the same message.
    TW_EVENT event = {&other.message, MSG_NULL};
    EXPECT_EQ(session.Call(&second, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_DSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_XFERREADY);
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &second), TWRC_SUCCESS);
}

TEST(SourceManager, WithoutParentWindowTheWakeUpIsAThreadMessage) {
    TwainSession session;
    HWND none = nullptr;
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &none), TWRC_SUCCESS);
    TW_IDENTITY source = Named(Probe);
    ASSERT_EQ(session.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS);
    ASSERT_EQ(Notify(session, &source, MSG_CLOSEDSREQ), TWRC_SUCCESS);
    Delivery delivery = NextWakeUp(session, &source);
    ASSERT_TRUE(delivery.found);
    EXPECT_EQ(delivery.message.hwnd, nullptr);
    EXPECT_EQ(delivery.rc, TWRC_DSEVENT);
    EXPECT_EQ(delivery.twMessage, MSG_CLOSEDSREQ);
    EXPECT_EQ(session.Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &none), TWRC_SUCCESS);
    EXPECT_FALSE(ProbeLoaded(ProbeFile));
}
