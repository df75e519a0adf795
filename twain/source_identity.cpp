// The identity the source answers while it is closed, and the loading of
// language-relative strings from the module's string tables.
#include <windows.h>

#include "settings/profile_win32.h"
#include "settings/scan_settings.h"
#include "string_ids.h"
#include "twain/ds_entry.h"
#include "twain/identity.h"
#include "twain/source_state.h"

int LoadLanguageString(UINT id, char* buffer, int size) {
    if (size <= 0) return 0;
    buffer[0] = 0;
    return LoadStringA(ModuleInstance, id + LanguageOffset, buffer, size);
}

void FillClosedIdentity() {
    char versionInfo[34], manufacturer[34], family[34];
    LoadLanguageString(IDS_VERSION_INFO, versionInfo, sizeof versionInfo);
    LoadLanguageString(IDS_MANUFACTURER, manufacturer, sizeof manufacturer);
    LoadLanguageString(IDS_PRODUCT_FAMILY, family, sizeof family);
    char brand[258], dsName[258];
    GetBrand(PROFILE_GLOBAL_SECTION, brand, sizeof brand);
    GetDsName(PROFILE_GLOBAL_SECTION, dsName, sizeof dsName);
    FillBaseIdentity(SourceIdentity, versionInfo, manufacturer, family, brand, dsName);
}
