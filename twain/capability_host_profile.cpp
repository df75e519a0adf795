#include "twain/capability_host_profile.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "string_ids.h"
#include "twain/capability_exchange.h"
#include "twain/capability_state.h"
#include "twain/capability_tables.h"
#include "twain/source_state.h"

namespace {

// Sizes of the text blocks handed out for CAP_AUTHOR, CAP_CAPTION and
// CAP_TIMEDATE.
const int AuthorBlockSize = 130;
const int CaptionBlockSize = 256;
const int TimeDateBlockSize = 66;

bool Refused(TW_UINT16 cap) {
    switch (cap) {
    case ICAP_AUTOBRIGHT:
    case ICAP_BRIGHTNESS:
    case ICAP_CONTRAST:
    case ICAP_CUSTHALFTONE:
    case ICAP_EXPOSURETIME:
    case ICAP_FLASHUSED:
    case ICAP_GAMMA:
    case ICAP_HALFTONES:
    case ICAP_HIGHLIGHT:
    case ICAP_LAMPSTATE:
    case ICAP_ORIENTATION:
    case ICAP_PHYSICALWIDTH:
    case ICAP_PHYSICALHEIGHT:
    case ICAP_SHADOW:
    case ICAP_FRAMES:
    case ICAP_XNATIVERESOLUTION:
    case ICAP_YNATIVERESOLUTION:
    case ICAP_MAXFRAMES:
    case ICAP_TILES:
    case ICAP_BITORDER:
    case ICAP_CCITTKFACTOR:
    case ICAP_LIGHTPATH:
    case ICAP_PLANARCHUNKY:
    case ICAP_ROTATION:
    case ICAP_SUPPORTEDSIZES:
    case ICAP_THRESHOLD:
    case ICAP_XSCALING:
    case ICAP_YSCALING:
    case ICAP_BITORDERCODES:
    case ICAP_PIXELFLAVORCODES:
    case ICAP_JPEGPIXELTYPE:
    case ICAP_TIMEFILL:
    case ICAP_BITDEPTH: return true;
    default: return false;
    }
}

// Hands a text block of `size` bytes to the application: a new block
// holding `text`, its handle as the Item of a TWTY_UINT32 one value.
void AnswerText(const HostProfileServices& services, TW_CAPABILITY* capability, const char* text, int size) {
    char block[CaptionBlockSize] = {};
    strncpy(block, text, size - 1);
    const ContainerMemory& memory = *services.Memory;
    TW_HANDLE handle = memory.NewBlock(block, (uint32_t)size);
    if (!handle) return Fail(TWCC_LOWMEMORY);
    // The Item holds 32 bits: a handle beyond them cannot be handed over.
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if ((uintptr_t)(TW_UINT32)value != value || !BuildOneValue(memory, capability, TWTY_UINT32, (TW_UINT32)value)) {
        memory.FreeBlock(handle);
        Fail(TWCC_LOWMEMORY);
    }
}

void AnswerString(const HostProfileServices& services, TW_CAPABILITY* capability, unsigned id, int size) {
    char text[CaptionBlockSize];
    text[0] = 0;
    services.LoadText(id, text, size);
    text[size - 1] = 0;
    AnswerText(services, capability, text, size);
}

void AnswerTimeDate(const HostProfileServices& services, TW_CAPABILITY* capability) {
    struct tm now;
    memset(&now, 0, sizeof now);
    services.LocalTime(&now);
    char text[TimeDateBlockSize];
    FormatTimeDate(now, text, sizeof text);
    AnswerText(services, capability, text, TimeDateBlockSize);
}

// Fixed answers, whatever the message; false for the other capabilities.
bool AnswerFixed(const HostProfileServices& services, TW_CAPABILITY* capability) {
    const ContainerMemory& memory = *services.Memory;
    switch (capability->Cap) {
    case CAP_XFERCOUNT: BuildOneValue(memory, capability, TWTY_INT16, (TW_UINT32)(TW_INT32)-1); return true;
    case ICAP_COMPRESSION: BuildOneValue(memory, capability, TWTY_UINT16, TWCP_NONE); return true;
    case CAP_AUTHOR: AnswerString(services, capability, IDS_AUTHOR, AuthorBlockSize); return true;
    case CAP_CAPTION: AnswerString(services, capability, IDS_CAPTION, CaptionBlockSize); return true;
    case CAP_TIMEDATE: AnswerTimeDate(services, capability); return true;
    case ICAP_FILTER: BuildOneValue(memory, capability, TWTY_UINT16, 3); return true;       // none
    case ICAP_LIGHTSOURCE: BuildOneValue(memory, capability, TWTY_UINT16, 4); return true;  // white
    case ICAP_PIXELFLAVOR: BuildOneValue(memory, capability, TWTY_BOOL, 0); return true;    // chocolate
    default: return false;
    }
}

struct ListedCapability {
    const ValueTable* Table;
    TW_UINT16 ItemType;
    uint16_t CurrentIndex;
    uint16_t DefaultIndex;
    bool DefaultIsCurrent;  // MSG_GETDEFAULT answers the current entry
};

bool FindListed(TW_UINT16 cap, ListedCapability* out) {
    switch (cap) {
    case ICAP_IMAGEFILEFORMAT: *out = {&FileFormatTable, TWTY_UINT16, FileFormatIndex, 0, false}; return true;
    case ICAP_PIXELTYPE: *out = {&PixelTypeTable, TWTY_UINT16, PixelTypeIndex, 2, false}; return true;
    case ICAP_UNITS: *out = {&UnitsTable, TWTY_UINT16, UnitsIndex, 0, false}; return true;
    case ICAP_XFERMECH: *out = {&XferMechTable, TWTY_UINT16, XferMechIndex, 2, false}; return true;
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: *out = {&ResolutionTable, TWTY_UINT32, ResolutionIndex, 1, true}; return true;
    default: return false;
    }
}

void AnswerListed(const ContainerMemory& memory, TW_UINT16 msg, TW_CAPABILITY* capability) {
    if (msg != MSG_GET && msg != MSG_GETCURRENT && msg != MSG_GETDEFAULT) return;  // nothing to do
    ListedCapability listed;
    if (!FindListed(capability->Cap, &listed)) return Fail(TWCC_BADCAP);
    const ValueTable& table = *listed.Table;
    switch (msg) {
    case MSG_GET: {
        EnumerationHeader header = {listed.ItemType, table.Count, listed.CurrentIndex, listed.DefaultIndex};
        BuildEnumeration(memory, capability, header, table.Values);
        return;
    }
    case MSG_GETCURRENT:
        BuildOneValue(memory, capability, listed.ItemType, TableValue(table, listed.CurrentIndex));
        return;
    default: {
        uint16_t index = listed.DefaultIsCurrent ? listed.CurrentIndex : listed.DefaultIndex;
        BuildOneValue(memory, capability, listed.ItemType, TableValue(table, index));
        return;
    }
    }
}

}  // namespace

void HostCapabilityProfile(TW_UINT16 msg, TW_CAPABILITY* capability, const HostProfileServices& services) {
    ReturnCode = TWRC_SUCCESS;
    if (SessionState < STATE_OPEN || SessionState > STATE_TRANSFERRING) return Fail(TWCC_SEQERROR);
    ConditionCode = TWCC_SUCCESS;
    if (!capability) return Fail(TWCC_BADVALUE);
    if (AnswerFixed(services, capability)) return;
    if (Refused(capability->Cap)) return Fail(TWCC_BADVALUE);
    AnswerListed(*services.Memory, msg, capability);
}

void FormatTimeDate(const struct tm& time, char* out, int size) {
    static const char Days[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char Months[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (size <= 0) return;
    const char* day = time.tm_wday >= 0 && time.tm_wday < 7 ? Days[time.tm_wday] : "???";
    const char* month = time.tm_mon >= 0 && time.tm_mon < 12 ? Months[time.tm_mon] : "???";
    snprintf(out, (size_t)size, "%s %s %2d %02d:%02d:%02d %lld\n", day, month, time.tm_mday, time.tm_hour,
             time.tm_min, time.tm_sec, 1900LL + time.tm_year);
}
