// The source manager's state: the application that opened it, the sources it
// has opened for that application, the notifications the sources have sent
// and not yet handed over, and its own condition code.
#ifndef PLNX_DSM_SOURCE_MANAGER_H
#define PLNX_DSM_SOURCE_MANAGER_H

#include <windows.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "dsm/source_catalog.h"
#include "dsm/wake_up_message.h"
#include "twain/twain.h"

class SourceManager {
public:
    SourceManager();
    ~SourceManager();
    SourceManager(const SourceManager&) = delete;
    SourceManager& operator=(const SourceManager&) = delete;

    TW_UINT16 Entry(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF data);

    // Records `conditionCode` as the source manager's own; TWRC_FAILURE.
    TW_UINT16 Fail(TW_UINT16 conditionCode);

private:
    struct OpenSource {
        TW_IDENTITY Identity;
        std::string Path;
        HMODULE Module;
        DsEntryProc EntryPoint;
        std::deque<TW_UINT16> Pending;
    };

    class Lock {
    public:
        explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
        ~Lock() { LeaveCriticalSection(&section_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION& section_;
    };

    TW_UINT16 Notify(TW_IDENTITY* origin, TW_UINT16 msg);
    TW_UINT16 Parent(TW_IDENTITY* origin, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 Identity(TW_IDENTITY* origin, TW_UINT16 msg, TW_IDENTITY* identity);
    TW_UINT16 Status(TW_UINT16 msg, TW_STATUS* status);
    TW_UINT16 GetDefault(TW_IDENTITY* identity);
    TW_UINT16 OpenDataSource(TW_IDENTITY* origin, TW_IDENTITY* identity);
    TW_UINT16 CloseDataSource(TW_IDENTITY* origin, TW_IDENTITY* identity);
    TW_UINT16 Route(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF data);
    void CloseAllSources(TW_IDENTITY* origin);
    std::vector<SourceEntry> Scan();
    const SourceEntry* ChooseDefault(const std::vector<SourceEntry>& sources);
    void PostWakeUp(TW_UINT32 sourceId, TW_UINT16 msg);

    CRITICAL_SECTION section_;
    bool open_;
    TW_IDENTITY app_;
    HWND parent_;
    DWORD appThread_;
    TW_UINT16 conditionCode_;
    TW_UINT32 nextId_;
    UINT wakeUpMessage_;
    std::map<TW_UINT32, OpenSource> sources_;
    std::vector<SourceEntry> listed_;  // the list that MSG_GETNEXT walks
    size_t cursor_;
    std::string lastOpened_;  // ProductName of the source the application opened last
};

#endif
