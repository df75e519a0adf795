// The capability profile of the host application that needs its own
// answers: fixed values for a few capabilities, text blocks for the author,
// caption and time, enumerations of the five listed capabilities, refusals
// of the image capabilities it must not negotiate. Settings are ignored and
// the capability state is never changed.
#ifndef PLNX_CAPABILITY_HOST_PROFILE_H
#define PLNX_CAPABILITY_HOST_PROFILE_H

#include <time.h>

#include "twain/capability_memory.h"
#include "twain/twain.h"

struct HostProfileServices {
    const ContainerMemory* Memory;
    // Loads string `id` of the current language into `buffer` (NUL-terminated,
    // cut to `size`); an id without text gives "".
    void (*LoadText)(unsigned id, char* buffer, int size);
    // The current local time.
    void (*LocalTime)(struct tm* out);
};

// Serves `msg` for the capability at `capability` and sets ReturnCode and
// ConditionCode.
void HostCapabilityProfile(TW_UINT16 msg, TW_CAPABILITY* capability, const HostProfileServices& services);

// The time as CAP_TIMEDATE gives it: "Wed Jun  5 09:04:01 1996" (weekday and
// month as English abbreviations, the day of month in two places, 24
// characters) and a line feed, NUL-terminated, cut to `size`.
void FormatTimeDate(const struct tm& time, char* out, int size);

#endif
