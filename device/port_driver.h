// The port driver library: loading it, binding its three exports and
// calling them. All scanner I/O goes through here.
#ifndef PLNX_PORT_DRIVER_H
#define PLNX_PORT_DRIVER_H

#include <stdint.h>

// Result of loading and binding the driver.
enum DriverBindResult {
    DRIVER_BOUND,           // library loaded, every export found
    DRIVER_LOAD_FAILED,     // the library could not be loaded
    DRIVER_EXPORT_MISSING,  // loaded, but at least one export is missing
};

// Loads the library at `path` and binds ADDR_CHK, SPI_CALL and BUF_ADDR,
// showing the developer boxes of a failed load or a missing export.
DriverBindResult BindPortDriver(const char* path);
// Frees the library, if one is loaded.
void UnbindPortDriver();
bool PortDriverLoaded();

// ADDR_CHK: opens the device; the handle is kept for every later call.
uint32_t DriverOpenDevice();
// SPI_CALL with the kept handle; returns the status the driver wrote at
// offset 2 of the block (0xffff when no driver is bound).
uint16_t DriverCall(uint8_t* block, uint16_t code);
// BUF_ADDR: hands the locked ring buffer to the driver; returns the number of
// ring blocks it filled in (0 = failure or no driver).
uint16_t DriverSetBuffer(void* buffer, uint32_t size, void* table);

#endif
