#include "device/port_driver.h"

#include <windows.h>

#include "device/block_layout.h"
#include "device/driver_name.h"
#include "device/device_flags.h"
#include "twain/message_boxes.h"

namespace {

typedef uint32_t(WINAPI* AddrChkProc)();
typedef uint32_t(WINAPI* SpiCallProc)(void* block, uint32_t handle, uint32_t code);
typedef uint32_t(WINAPI* BufAddrProc)(void* buffer, uint32_t size, void* table);

HMODULE DriverLibrary = nullptr;
AddrChkProc AddrChk = nullptr;
SpiCallProc SpiCall = nullptr;
BufAddrProc BufAddr = nullptr;
uint32_t DeviceHandle = 0;

}  // namespace

DriverBindResult BindPortDriver(const char* path) {
    KaspiDriver = IsKaspiDriverPath(path) ? 1 : 0;
    HMODULE library = LoadLibraryA(path);
    if ((uintptr_t)library < 32) {
        ShowDeveloperBox("hDriver < 32");
        return DRIVER_LOAD_FAILED;
    }
    DriverLibrary = library;
    AddrChk = reinterpret_cast<AddrChkProc>(reinterpret_cast<void*>(GetProcAddress(library, "ADDR_CHK")));
    if (!AddrChk) ShowDeveloperBox("lpDrviver NULL");
    SpiCall = reinterpret_cast<SpiCallProc>(reinterpret_cast<void*>(GetProcAddress(library, "SPI_CALL")));
    if (!SpiCall) ShowDeveloperBox("lpSpiCall NULL");
    BufAddr = reinterpret_cast<BufAddrProc>(reinterpret_cast<void*>(GetProcAddress(library, "BUF_ADDR")));
    if (!BufAddr) ShowDeveloperBox("lpBufAddr NULL");
    return (AddrChk && SpiCall && BufAddr) ? DRIVER_BOUND : DRIVER_EXPORT_MISSING;
}

void UnbindPortDriver() {
    if (DriverLibrary) FreeLibrary(DriverLibrary);
    DriverLibrary = nullptr;
    AddrChk = nullptr;
    SpiCall = nullptr;
    BufAddr = nullptr;
    DeviceHandle = 0;
}

bool PortDriverLoaded() { return DriverLibrary != nullptr; }

uint32_t DriverOpenDevice() {
    if (!AddrChk) return 0;
    DeviceHandle = AddrChk();
    if (DeviceHandle == 1) ShowWarningBox("Can't open driver object!");
    if (DeviceHandle == 2) ShowWarningBox("Cannot Read file");
    return DeviceHandle;
}

uint16_t DriverCall(uint8_t* block, uint16_t code) {
    if (!SpiCall) return 0xffff;
    SpiCall(block, DeviceHandle, code);
    return (uint16_t)(block[BLOCK_STATUS] | (block[BLOCK_STATUS + 1] << 8));
}

uint16_t DriverSetBuffer(void* buffer, uint32_t size, void* table) {
    if (!BufAddr) return 0;
    return (uint16_t)(BufAddr(buffer, size, table) & 0xffff);
}
