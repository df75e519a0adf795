#include "twain/capability_standard.h"

#include "device/device_flags.h"
#include "settings/scan_settings.h"
#include "twain/capability_exchange.h"
#include "twain/capability_state.h"
#include "twain/capability_tables.h"
#include "twain/source_state.h"

namespace {

struct Query {
    const ContainerMemory& Memory;
    TW_CAPABILITY* Capability;

    void Answer(TW_UINT16 itemType, TW_UINT32 item) const { BuildOneValue(Memory, Capability, itemType, item); }
};

void AnswerQuery(const Query& q, TW_UINT16 cap, bool (*feederPaperLoaded)()) {
    switch (cap) {
    case CAP_XFERCOUNT: return q.Answer(TWTY_INT16, (TW_UINT32)(TW_INT32)-1);
    case ICAP_COMPRESSION: return q.Answer(TWTY_UINT16, TWCP_NONE);
    case ICAP_PIXELTYPE: return q.Answer(TWTY_UINT16, TableValue(PixelTypeTable, PixelTypeIndex));
    case ICAP_UNITS: return q.Answer(TWTY_UINT16, TableValue(UnitsTable, UnitsIndex));
    case ICAP_XFERMECH: return q.Answer(TWTY_UINT16, TableValue(XferMechTable, XferMechIndex));
    // Whether a feeder exists, not whether it is the scan source.
    case CAP_FEEDERENABLED: return q.Answer(TWTY_BOOL, FeederInstalled ? 1 : 0);
    case CAP_FEEDERLOADED:
        if (!FeederInstalled) return Fail(TWCC_BADCAP);
        {
            bool loaded = feederPaperLoaded();
            FeederQueried = 1;
            return q.Answer(TWTY_BOOL, loaded ? 1 : 0);
        }
    case CAP_AUTOFEED:
        // Asking is enough to switch automatic feeding off.
        AutoFeed = 0;
        return q.Answer(TWTY_BOOL, 0);
    case CAP_INDICATORS: return q.Answer(TWTY_BOOL, 0);
    case ICAP_BRIGHTNESS: return q.Answer(TWTY_FIX32, MakeFix32Item((TW_INT16)CapBrightness));
    case ICAP_CONTRAST: return q.Answer(TWTY_FIX32, MakeFix32Item((TW_INT16)CapContrast));
    case ICAP_FILTER: return q.Answer(TWTY_UINT16, 3);  // none
    case ICAP_IMAGEFILEFORMAT: return q.Answer(TWTY_UINT16, TableValue(FileFormatTable, FileFormatIndex));
    case ICAP_LIGHTSOURCE: return q.Answer(TWTY_UINT16, 4);  // white
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION:
        return q.Answer(TWTY_FIX32, MakeFix32Item((TW_INT16)TableValue(ResolutionTable, ResolutionIndex)));
    case ICAP_PIXELFLAVOR: return q.Answer(TWTY_BOOL, 0);  // chocolate
    case ICAP_PLANARCHUNKY: return q.Answer(TWTY_UINT16, TWPC_PLANAR);
    case ICAP_SUPPORTEDSIZES: return q.Answer(TWTY_UINT16, TableValue(SupportedSizeTable, SupportedSizeIndex));
    default: return Fail(TWCC_BADCAP);
    }
}

// Looks `v` up in `table`: a match becomes the index, else TWCC_BADVALUE.
void SetFromTable(const ValueTable& table, uint16_t* index, TW_UINT16 v) {
    int found = FindTableIndex(table, v);
    if (found < 0) return Fail(TWCC_BADVALUE);
    *index = (uint16_t)found;
}

void SetLevel(int32_t* level, TW_UINT16 v) {
    int16_t value = (int16_t)v;
    if (value < -1000 || value > 1000) return Fail(TWCC_BADVALUE);
    *level = value;
}

// The feeder capabilities can be set only while the source is open and not
// enabled.
bool FeederSettingAllowed() {
    if (SessionState == STATE_OPEN) return true;
    Fail(TWCC_SEQERROR);
    return false;
}

void ApplySetting(TW_UINT16 cap, TW_UINT16 v) {
    switch (cap) {
    case CAP_XFERCOUNT: PendingXfers.Count = v; return;
    case ICAP_PIXELTYPE: return SetFromTable(PixelTypeTable, &PixelTypeIndex, v);
    case ICAP_UNITS: return SetFromTable(UnitsTable, &UnitsIndex, v);
    case ICAP_XFERMECH: return SetFromTable(XferMechTable, &XferMechIndex, v);
    case ICAP_IMAGEFILEFORMAT: return SetFromTable(FileFormatTable, &FileFormatIndex, v);
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: return SetFromTable(ResolutionTable, &ResolutionIndex, v);
    case ICAP_SUPPORTEDSIZES: {
        // An unknown size is ignored, and the set still succeeds.
        int found = FindTableIndex(SupportedSizeTable, v);
        if (found >= 0) SupportedSizeIndex = (uint16_t)found;
        return;
    }
    case ICAP_BRIGHTNESS: return SetLevel(&CapBrightness, v);
    case ICAP_CONTRAST: return SetLevel(&CapContrast, v);
    case CAP_FEEDERENABLED:
        if (!FeederInstalled) {
            FeederSelected = 0;
            ScanSettings.ScanSource = SCAN_SOURCE_REFLECTIVE;
            return Fail(TWCC_BADCAP);
        }
        if (!FeederSettingAllowed()) return;
        FeederSelected = v;
        ScanSettings.ScanSource = v ? SCAN_SOURCE_FEEDER_CAP : SCAN_SOURCE_REFLECTIVE;
        return;
    case CAP_AUTOFEED:
        if (!FeederInstalled || !FeederSelected) {
            AutoFeed = 0;
            return Fail(TWCC_BADCAP);
        }
        if (!FeederSettingAllowed()) return;
        AutoFeed = v;
        return;
    case CAP_CLEARPAGE:
    case CAP_FEEDPAGE: return Fail(TWCC_BADCAP);
    case ICAP_PLANARCHUNKY: PostProcess = v == TWPC_CHUNKY ? 1 : 0; return;
    default:
        // Accepted without effect; the status tells the application so.
        ConditionCode = TWCC_BADVALUE;
        return;
    }
}

void Set(const ContainerMemory& memory, const TW_CAPABILITY* capability) {
    ContainerValue value;
    switch (capability->ConType) {
    case TWON_ONEVALUE:
        if (!ReadOneValue(memory, capability, &value)) return;
        break;
    case TWON_ENUMERATION:
        // The first item is taken, wherever CurrentIndex points.
        if (!ReadEnumerationItem(memory, capability, 0, &value)) return;
        break;
    default: return Fail(TWCC_BADVALUE);
    }
    ApplySetting(capability->Cap, value.Value);
}

}  // namespace

void StandardCapabilityHandler(TW_UINT16 msg, TW_CAPABILITY* capability, const ContainerMemory& memory,
                               bool (*feederPaperLoaded)()) {
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
    if (!capability) return Fail(TWCC_BADVALUE);
    Query query = {memory, capability};
    switch (msg) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT: return AnswerQuery(query, capability->Cap, feederPaperLoaded);
    case MSG_RESET:
        ResetCapabilityIndexes();
        return AnswerQuery(query, capability->Cap, feederPaperLoaded);
    case MSG_SET: return Set(memory, capability);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}
