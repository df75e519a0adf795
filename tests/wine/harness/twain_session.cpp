// TwainSession: the application's side of a TWAIN session under Wine.
#include <string.h>

#include "tests/wine/harness/twain_app.h"

namespace twtest {

namespace {

const char ParentClass[] = "PLNX wine_tests parent";

HWND CreateParentWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, ParentClass, &existing)) {
        WNDCLASSA windowClass;
        memset(&windowClass, 0, sizeof windowClass);
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = ParentClass;
        if (!RegisterClassA(&windowClass)) return nullptr;
    }
    return CreateWindowExA(0, ParentClass, "wine_tests", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           instance, nullptr);
}

}  // namespace

TwainSession::TwainSession()
    : module_(LoadLibraryA("TWAIN_32.DLL")),
      entry_(nullptr),
      parent_(CreateParentWindow()),
      dsmOpen_(false),
      sourceOpen_(false) {
    if (module_) {
        FARPROC proc = GetProcAddress(module_, "DSM_Entry");
        entry_ = reinterpret_cast<DsmEntryProc>(reinterpret_cast<void (*)()>(proc));
    }
    memset(&app_, 0, sizeof app_);
    app_.Version.MajorNum = 1;
    app_.Version.Language = TWLG_USA;
    app_.Version.Country = TWCY_USA;
    strcpy(app_.Version.Info, "wine_tests");
    app_.ProtocolMajor = 1;
    app_.ProtocolMinor = 9;
    app_.SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(app_.Manufacturer, "PLNX Tests");
    strcpy(app_.ProductFamily, "Wine tests");
    strcpy(app_.ProductName, "wine_tests");
    memset(&source_, 0, sizeof source_);
}

TwainSession::~TwainSession() {
    if (sourceOpen_) CloseSource();
    if (dsmOpen_) CloseDsm();
    if (parent_) DestroyWindow(parent_);
    if (module_) FreeLibrary(module_);
}

TW_UINT16 TwainSession::Call(TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    if (!entry_) return TWRC_FAILURE;
    return entry_(&app_, dest, dg, dat, msg, data);
}

TW_UINT16 TwainSession::DsmStatus() { return StatusOf(nullptr); }

TW_UINT16 TwainSession::StatusOf(TW_IDENTITY* dest) {
    TW_STATUS status;
    memset(&status, 0, sizeof status);
    if (Call(dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) return StatusUnavailable;
    return status.ConditionCode;
}

TW_UINT16 TwainSession::OpenDsm() {
    HWND parent = parent_;
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
    if (rc == TWRC_SUCCESS) dsmOpen_ = true;
    return rc;
}

TW_UINT16 TwainSession::CloseDsm() {
    HWND parent = parent_;
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    if (rc == TWRC_SUCCESS) {
        dsmOpen_ = false;
        sourceOpen_ = false;  // the source manager closed it
    }
    return rc;
}

std::vector<TW_IDENTITY> TwainSession::Sources() {
    std::vector<TW_IDENTITY> sources;
    TW_IDENTITY identity;
    memset(&identity, 0, sizeof identity);
    TW_UINT16 msg = MSG_GETFIRST;
    while (Call(nullptr, DG_CONTROL, DAT_IDENTITY, msg, &identity) == TWRC_SUCCESS) {
        sources.push_back(identity);
        msg = MSG_GETNEXT;
    }
    return sources;
}

TripletResult TwainSession::OpenSource(const char* productName) {
    TW_IDENTITY identity;
    memset(&identity, 0, sizeof identity);
    strncpy(identity.ProductName, productName ? productName : "", sizeof identity.ProductName - 1);
    TripletResult result;
    result.rc = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity);
    result.cc = TWCC_SUCCESS;
    if (result.rc == TWRC_SUCCESS) {
        source_ = identity;
        sourceOpen_ = true;
    } else if (result.rc == TWRC_FAILURE) {
        result.cc = DsmStatus();
    }
    return result;
}

TripletResult TwainSession::CloseSource() {
    TripletResult result;
    result.rc = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
    result.cc = TWCC_SUCCESS;
    if (result.rc == TWRC_FAILURE) {
        // Still open when the source refused; gone when the manager did not know it.
        result.cc = StatusOf(&source_);
        if (result.cc == StatusUnavailable) result.cc = DsmStatus();
    }
    if (result.rc != TWRC_FAILURE) sourceOpen_ = false;
    return result;
}

bool TwainSession::Start(const char* productName, TripletResult* result) {
    TripletResult local;
    local.rc = dsmOpen_ ? static_cast<TW_UINT16>(TWRC_SUCCESS) : OpenDsm();
    local.cc = TWCC_SUCCESS;
    if (local.rc != TWRC_SUCCESS) {
        local.cc = DsmStatus();
    } else {
        local = OpenSource(productName);
    }
    if (result) *result = local;
    return local.rc == TWRC_SUCCESS;
}

TripletResult TwainSession::Send(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    TripletResult result;
    result.rc = Call(&source_, dg, dat, msg, data);
    result.cc = result.rc == TWRC_FAILURE ? StatusOf(&source_) : static_cast<TW_UINT16>(TWCC_SUCCESS);
    return result;
}

bool TwainSession::PumpOnce(TW_UINT16* twMessage) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    *twMessage = MSG_NULL;
    TW_UINT16 rc = TWRC_NOTDSEVENT;
    if (sourceOpen_) {
        TW_EVENT event;
        event.pEvent = &message;
        event.TWMessage = MSG_NULL;
        rc = Call(&source_, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
        *twMessage = event.TWMessage;
    }
    if (rc != TWRC_DSEVENT) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

TW_UINT16 TwainSession::WaitForMessage(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        TW_UINT16 twMessage;
        while (PumpOnce(&twMessage))
            if (twMessage != MSG_NULL) return twMessage;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return MSG_NULL;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

std::vector<TW_UINT16> TwainSession::Pump(DWORD ms) {
    std::vector<TW_UINT16> seen;
    DWORD start = GetTickCount();
    for (;;) {
        TW_UINT16 twMessage;
        while (PumpOnce(&twMessage))
            if (twMessage != MSG_NULL) seen.push_back(twMessage);
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return seen;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

}  // namespace twtest
