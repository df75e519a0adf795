#include "twain/capability_dispatch.h"

#include "string_ids.h"
#include "twain/host_applications.h"
#include "twain/source_state.h"

namespace {

// Capability negotiation is not part of this build yet: every request is
// refused as an unsupported capability, by both handlers.
void StandardCapabilityHandler(TW_UINT16, TW_CAPABILITY*) { Fail(TWCC_BADCAP); }
void HostCapabilityProfile(TW_UINT16, TW_CAPABILITY*) { Fail(TWCC_BADCAP); }

}  // namespace

void HandleCapabilityRequest(TW_UINT16 msg, TW_CAPABILITY* capability) {
    if (IsHostApplication(IDS_HOST_MSPUBLISHER))
        HostCapabilityProfile(msg, capability);
    else
        StandardCapabilityHandler(msg, capability);
}
