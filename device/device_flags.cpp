#include "device/device_flags.h"

uint32_t ExtendedOptions = 0;
uint32_t FeederInstalled = 0;
uint32_t FeederSelected = 0;
uint16_t OpticalResolution = 600;
uint32_t DoubleRes = 0;
uint32_t DriverResample = 0;
uint32_t KaspiDriver = 0;
