#include "twain/transfer_dispatch.h"

#include "twain/source_state.h"

void HandleTransfer(TW_UINT16, TW_MEMREF) {
    // No acquisition can reach state 6 in this build yet; a transfer request
    // that gets here anyway is refused without touching the state.
    Fail(TWCC_SEQERROR);
}
