#include "twain/capability_dispatch.h"

#include <windows.h>

#include <string.h>

#include "device/identification.h"
#include "string_ids.h"
#include "twain/capability_host_profile.h"
#include "twain/capability_memory.h"
#include "twain/capability_standard.h"
#include "twain/ds_entry.h"
#include "twain/host_applications.h"

namespace {

void LoadText(unsigned id, char* buffer, int size) { LoadLanguageString(id, buffer, size); }

void LocalTime(struct tm* out) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    memset(out, 0, sizeof *out);
    out->tm_year = now.wYear - 1900;
    out->tm_mon = now.wMonth - 1;
    out->tm_mday = now.wDay;
    out->tm_wday = now.wDayOfWeek;
    out->tm_hour = now.wHour;
    out->tm_min = now.wMinute;
    out->tm_sec = now.wSecond;
}

const HostProfileServices HostServices = {&Win32MemoryBlocks, LoadText, LocalTime};

}  // namespace

void HandleCapabilityRequest(TW_UINT16 msg, TW_CAPABILITY* capability) {
    if (IsHostApplication(IDS_HOST_MSPUBLISHER))
        HostCapabilityProfile(msg, capability, HostServices);
    else
        StandardCapabilityHandler(msg, capability, Win32MemoryBlocks, FeederPaperLoaded);
}
