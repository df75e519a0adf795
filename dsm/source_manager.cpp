// Triplets handled by the source manager itself (DAT_PARENT, DAT_IDENTITY,
// its own DAT_STATUS), notifications from the sources (DAT_NULL) and the
// routing of everything else to the open source named by pDest.
//
// The lock guards the tables only; it is never held while a source runs, so
// a source may call back (DAT_NULL) from inside any of its triplets.
#include "dsm/source_manager.h"

#include <string.h>

namespace {

bool IsNotification(TW_UINT16 msg) {
    return msg == MSG_XFERREADY || msg == MSG_CLOSEDSREQ || msg == MSG_CLOSEDSOK;
}

// DAT_IDENTITY messages that the source manager answers itself; any other
// DAT_IDENTITY message with a destination goes to that source.
bool IsManagerIdentityMessage(TW_UINT16 msg) {
    switch (msg) {
    case MSG_GETFIRST:
    case MSG_GETNEXT:
    case MSG_GETDEFAULT:
    case MSG_USERSELECT:
    case MSG_OPENDS:
    case MSG_CLOSEDS: return true;
    default: return false;
    }
}

void CopyName(TW_STR32 target, const TW_STR32 source) {
    memcpy(target, source, sizeof(TW_STR32));
    target[sizeof(TW_STR32) - 1] = '\0';
}

}  // namespace

SourceManager::SourceManager()
    : open_(false),
      parent_(nullptr),
      appThread_(0),
      conditionCode_(TWCC_SUCCESS),
      nextId_(1),
      wakeUpMessage_(0),
      cursor_(0) {
    InitializeCriticalSection(&section_);
    memset(&app_, 0, sizeof app_);
}

SourceManager::~SourceManager() { DeleteCriticalSection(&section_); }

TW_UINT16 SourceManager::Fail(TW_UINT16 conditionCode) {
    Lock lock(section_);
    conditionCode_ = conditionCode;
    return TWRC_FAILURE;
}

TW_UINT16 SourceManager::Entry(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                               TW_MEMREF data) {
    if (dg == DG_CONTROL && dat == DAT_NULL) return Notify(origin, msg);
    if (!origin) return Fail(TWCC_BADVALUE);
    if (dg == DG_CONTROL) {
        if (dat == DAT_PARENT) return Parent(origin, msg, data);
        if (dat == DAT_IDENTITY && (!dest || IsManagerIdentityMessage(msg)))
            return Identity(origin, msg, static_cast<TW_IDENTITY*>(data));
        if (dat == DAT_STATUS && !dest) return Status(msg, static_cast<TW_STATUS*>(data));
    }
    if (!dest) return Fail(TWCC_BADPROTOCOL);
    return Route(origin, dest, dg, dat, msg, data);
}

// A source tells its application that a transfer is ready or that it wants
// to be closed. The message waits for the application's next
// MSG_PROCESSEVENT to that source; the posted window message wakes up an
// application loop that is waiting for input.
TW_UINT16 SourceManager::Notify(TW_IDENTITY* origin, TW_UINT16 msg) {
    if (!origin) return Fail(TWCC_BADVALUE);
    if (!IsNotification(msg)) return Fail(TWCC_BADPROTOCOL);
    TW_UINT32 sourceId = origin->Id;
    {
        Lock lock(section_);
        std::map<TW_UINT32, OpenSource>::iterator found = sources_.find(sourceId);
        if (found == sources_.end()) {
            conditionCode_ = TWCC_BADPROTOCOL;
            return TWRC_FAILURE;
        }
        found->second.Pending.push_back(msg);
    }
    PostWakeUp(sourceId, msg);
    return TWRC_SUCCESS;
}

void SourceManager::PostWakeUp(TW_UINT32 sourceId, TW_UINT16 msg) {
    HWND parent;
    DWORD thread;
    UINT message;
    {
        Lock lock(section_);
        if (!wakeUpMessage_) wakeUpMessage_ = RegisterWindowMessageA(DSM_WAKEUP_MESSAGE_NAME);
        parent = parent_;
        thread = appThread_ ? appThread_ : GetCurrentThreadId();
        message = wakeUpMessage_;
    }
    if (!message) return;
    if (parent && PostMessageA(parent, message, sourceId, msg)) return;
    PostThreadMessageA(thread, message, sourceId, msg);
}

TW_UINT16 SourceManager::Parent(TW_IDENTITY* origin, TW_UINT16 msg, TW_MEMREF data) {
    switch (msg) {
    case MSG_OPENDSM: {
        if (!data) return Fail(TWCC_BADVALUE);
        HWND parent = *static_cast<HWND*>(data);
        Lock lock(section_);
        if (open_) {
            conditionCode_ = TWCC_SEQERROR;
            return TWRC_FAILURE;
        }
        if (!wakeUpMessage_) wakeUpMessage_ = RegisterWindowMessageA(DSM_WAKEUP_MESSAGE_NAME);
        origin->Id = nextId_++;
        app_ = *origin;
        parent_ = parent;
        appThread_ = GetCurrentThreadId();
        listed_.clear();
        cursor_ = 0;
        open_ = true;
        return TWRC_SUCCESS;
    }
    case MSG_CLOSEDSM: {
        {
            Lock lock(section_);
            if (!open_) {
                conditionCode_ = TWCC_SEQERROR;
                return TWRC_FAILURE;
            }
        }
        CloseAllSources(origin);
        Lock lock(section_);
        open_ = false;
        parent_ = nullptr;
        appThread_ = 0;
        listed_.clear();
        cursor_ = 0;
        return TWRC_SUCCESS;
    }
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 SourceManager::Identity(TW_IDENTITY* origin, TW_UINT16 msg, TW_IDENTITY* identity) {
    {
        Lock lock(section_);
        if (!open_) {
            conditionCode_ = TWCC_SEQERROR;
            return TWRC_FAILURE;
        }
    }
    if (!IsManagerIdentityMessage(msg)) return Fail(TWCC_BADPROTOCOL);
    if (!identity) return Fail(TWCC_BADVALUE);
    switch (msg) {
    case MSG_GETFIRST: {
        std::vector<SourceEntry> sources = Scan();
        Lock lock(section_);
        listed_.swap(sources);
        cursor_ = 0;
    }
        // fall through
    case MSG_GETNEXT: {
        Lock lock(section_);
        if (cursor_ >= listed_.size()) return TWRC_ENDOFLIST;
        *identity = listed_[cursor_++].Identity;
        return TWRC_SUCCESS;
    }
    // There is no selection dialog: the user's choice is the default source.
    case MSG_GETDEFAULT:
    case MSG_USERSELECT: return GetDefault(identity);
    case MSG_OPENDS: return OpenDataSource(origin, identity);
    case MSG_CLOSEDS: return CloseDataSource(origin, identity);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 SourceManager::Status(TW_UINT16 msg, TW_STATUS* status) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (!status) return Fail(TWCC_BADVALUE);
    Lock lock(section_);
    status->ConditionCode = conditionCode_;
    status->Reserved = 0;
    conditionCode_ = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

std::vector<SourceEntry> SourceManager::Scan() {
    TW_IDENTITY app;
    {
        Lock lock(section_);
        app = app_;
    }
    return ScanSources(&app);
}

const SourceEntry* SourceManager::ChooseDefault(const std::vector<SourceEntry>& sources) {
    if (sources.empty()) return nullptr;
    std::string last;
    {
        Lock lock(section_);
        last = lastOpened_;
    }
    for (const SourceEntry& source : sources)
        if (last == source.Identity.ProductName) return &source;
    return &sources.front();
}

TW_UINT16 SourceManager::GetDefault(TW_IDENTITY* identity) {
    std::vector<SourceEntry> sources = Scan();
    const SourceEntry* chosen = ChooseDefault(sources);
    if (!chosen) return Fail(TWCC_NODS);
    *identity = chosen->Identity;
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::OpenDataSource(TW_IDENTITY* origin, TW_IDENTITY* identity) {
    TW_STR32 wanted;
    CopyName(wanted, identity->ProductName);
    std::vector<SourceEntry> sources = Scan();
    const SourceEntry* chosen = nullptr;
    if (wanted[0] == '\0') {
        chosen = ChooseDefault(sources);
    } else {
        for (const SourceEntry& source : sources)
            if (strcmp(source.Identity.ProductName, wanted) == 0) chosen = &source;
    }
    if (!chosen) return Fail(TWCC_NODS);

    HMODULE module = LoadSourceModule(chosen->Path);
    if (!module) return Fail(TWCC_OPERATIONERROR);
    DsEntryProc entry = BindSourceEntry(module);
    if (!entry) {
        FreeLibrary(module);
        return Fail(TWCC_OPERATIONERROR);
    }

    TW_UINT32 id;
    {
        Lock lock(section_);
        id = nextId_++;
        OpenSource& source = sources_[id];
        source.Identity = chosen->Identity;
        source.Identity.Id = id;
        source.Path = chosen->Path;
        source.Module = module;
        source.EntryPoint = entry;
        *identity = source.Identity;
    }

    TW_UINT16 rc = entry(origin, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, identity);
    if (rc == TWRC_SUCCESS || rc == TWRC_CHECKSTATUS) {
        identity->Id = id;
        Lock lock(section_);
        lastOpened_ = chosen->Identity.ProductName;
        return rc;
    }

    // The source refused. Its condition code would be lost with the module,
    // so it becomes the source manager's own.
    TW_STATUS status;
    memset(&status, 0, sizeof status);
    if (entry(origin, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS ||
        status.ConditionCode == TWCC_SUCCESS)
        status.ConditionCode = TWCC_BUMMER;
    {
        Lock lock(section_);
        sources_.erase(id);
        conditionCode_ = status.ConditionCode;
    }
    FreeLibrary(module);
    return rc;
}

// A source that refuses MSG_CLOSEDS stays open and loaded: its windows may
// still run its code.
TW_UINT16 SourceManager::CloseDataSource(TW_IDENTITY* origin, TW_IDENTITY* identity) {
    TW_UINT32 id = identity->Id;
    DsEntryProc entry;
    {
        Lock lock(section_);
        std::map<TW_UINT32, OpenSource>::iterator found = sources_.find(id);
        if (found == sources_.end()) {
            conditionCode_ = TWCC_BADDEST;
            return TWRC_FAILURE;
        }
        entry = found->second.EntryPoint;
    }
    TW_UINT16 rc = entry(origin, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, identity);
    if (rc == TWRC_FAILURE) return rc;
    HMODULE module = nullptr;
    {
        Lock lock(section_);
        std::map<TW_UINT32, OpenSource>::iterator found = sources_.find(id);
        if (found != sources_.end()) {
            module = found->second.Module;
            sources_.erase(found);
        }
    }
    if (module) FreeLibrary(module);
    return rc;
}

// MSG_CLOSEDSM: every source still open is closed. One that refuses is
// forgotten but left loaded.
void SourceManager::CloseAllSources(TW_IDENTITY* origin) {
    for (;;) {
        OpenSource source;
        {
            Lock lock(section_);
            if (sources_.empty()) return;
            source = sources_.begin()->second;
            sources_.erase(sources_.begin());
        }
        TW_IDENTITY identity = source.Identity;
        if (source.EntryPoint(origin, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity) != TWRC_FAILURE)
            FreeLibrary(source.Module);
    }
}

// Everything else goes to the source named by pDest. MSG_PROCESSEVENT also
// hands over the source's oldest waiting notification: the source sees the
// event first, then TWMessage carries the notification. The wake-up message
// posted for this source is the source manager's own event (TWRC_DSEVENT);
// one posted for another source is left to that source.
TW_UINT16 SourceManager::Route(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                               TW_MEMREF data) {
    TW_UINT32 id = dest->Id;
    DsEntryProc entry;
    UINT wakeUp;
    {
        Lock lock(section_);
        std::map<TW_UINT32, OpenSource>::iterator found = sources_.find(id);
        if (found == sources_.end()) {
            conditionCode_ = TWCC_BADDEST;
            return TWRC_FAILURE;
        }
        entry = found->second.EntryPoint;
        wakeUp = wakeUpMessage_;
    }
    TW_UINT16 rc = entry(origin, dg, dat, msg, data);
    if (dg != DG_CONTROL || dat != DAT_EVENT || msg != MSG_PROCESSEVENT || !data) return rc;

    TW_EVENT* event = static_cast<TW_EVENT*>(data);
    const MSG* message = static_cast<const MSG*>(event->pEvent);
    bool isWakeUp = message && wakeUp && message->message == wakeUp;
    if (isWakeUp && static_cast<TW_UINT32>(message->wParam) != id) return rc;
    {
        Lock lock(section_);
        std::map<TW_UINT32, OpenSource>::iterator found = sources_.find(id);
        if (found != sources_.end() && !found->second.Pending.empty()) {
            event->TWMessage = found->second.Pending.front();
            found->second.Pending.pop_front();
        }
    }
    return isWakeUp ? static_cast<TW_UINT16>(TWRC_DSEVENT) : rc;
}
