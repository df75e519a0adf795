#include "device/status_messages.h"

#include <inttypes.h>
#include <stdio.h>

#include "string_ids.h"
#include "twain/twain.h"

uint16_t StatusMessageId(uint16_t status) {
    switch (status) {
    case STATUS_PAPER_JAM: return IDS_MSG_PAPER_JAM;
    case STATUS_NO_PAPER: return IDS_MSG_NO_PAPER;
    case STATUS_COVER_OPEN: return IDS_MSG_COVER_OPEN;
    default: return IDS_MSG_SCANNER_NOT_READY;
    }
}

uint16_t ConditionForMessage(uint16_t messageId) {
    return messageId == IDS_MSG_INSUFFICIENT_MEMORY ? TWCC_LOWMEMORY : TWCC_OPERATIONERROR;
}

bool IsNotReadyMessage(uint16_t messageId) { return messageId == IDS_MSG_SCANNER_NOT_READY || messageId == IDS_MSG_SCANNER_NOT_FOUND; }

void BuildBoxCaption(const char* brandPrefix, const char* second, char* out, size_t size) {
    if (!out || size == 0) return;
    snprintf(out, size, "%s %s", brandPrefix ? brandPrefix : "", second ? second : "");
}

namespace {

void FormatCount(int64_t count, bool inKilobytes, char* out, size_t size) {
    if (inKilobytes)
        snprintf(out, size, "%" PRId64 "K", count / 1024);
    else
        snprintf(out, size, "%" PRId64, count);
}

}  // namespace

void FormatDiskSpaceText(const char* part1, const char* part2, const char* part3, int64_t required,
                         int64_t available, char* out, size_t size) {
    if (!out || size == 0) return;
    char r[32], a[32];
    FormatCount(required, required < 0 || required > 1024, r, sizeof r);
    FormatCount(available, available >= 1025, a, sizeof a);
    snprintf(out, size, "%s%s%s%s%s", part1, r, part2, a, part3);
}
