#include "device/driver_name.h"

#include <ctype.h>
#include <string.h>

bool IsKaspiDriverPath(const char* path) {
    if (!path) return false;
    const char* name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    const char* kaspi = "KASPI_SP.DLL";
    for (; *name && *kaspi; ++name, ++kaspi) {
        if (toupper((unsigned char)*name) != *kaspi) return false;
    }
    return *name == 0 && *kaspi == 0;
}
