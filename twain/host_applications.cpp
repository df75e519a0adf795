#include "twain/host_applications.h"

#include <string.h>

#include "string_ids.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"

bool IsHostApplication(unsigned id) {
    char name[34];
    LoadLanguageString(id, name, sizeof name);
    return strncmp(name, AppIdentity.ProductName, sizeof AppIdentity.ProductName) == 0;
}

bool IsFaxHost() { return IsHostApplication(IDS_HOST_WINFAX3) || IsHostApplication(IDS_HOST_WINFAX4); }
