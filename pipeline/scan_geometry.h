// Geometry of the scan in progress, derived from what the scanner reports
// at start (bytes per line B and lines L) and the resolution settings.
#ifndef PLNX_SCAN_GEOMETRY_H
#define PLNX_SCAN_GEOMETRY_H

#include <stdint.h>

enum ImageKind : uint8_t { KIND_LINEART = 0, KIND_HALFTONE = 1, KIND_GRAY = 2, KIND_COLOR = 3 };

// ScanMode 1011..1014 to the image type byte of the scan parameters.
ImageKind KindFromScanMode(uint16_t scanMode);

struct GeometryInput {
    ImageKind Kind;
    uint32_t ScannedBytes;    // B, from SPI_START_SCAN
    uint32_t ScannedLines;    // L, from SPI_START_SCAN
    uint32_t Resolution;      // R, `ScanResolution`
    uint32_t Target;          // T, target resolution of the driver's resampling
    bool DriverResample;
    bool DoubleRes;
    uint32_t DpiScale;        // M: 0, or 2..4 for 2400, 3600, 4800 dpi
};

struct ScanGeometry {
    uint32_t LineBytes;       // bytes per line in the ring
    uint32_t OutRowBytes;     // bytes per line of the delivered image
    uint32_t OutLines;        // lines taken from the ring
    uint32_t OutPixels;       // pixels per delivered line
    uint32_t DibStride;       // LineBytes raised to a multiple of 4
    uint32_t ReportedDpi;     // resolution reported to the application
    uint32_t DeliveredLines;  // rows the application receives
    int32_t ImageWidth;       // published image information
    int32_t ImageLength;
};

ScanGeometry ComputeScanGeometry(const GeometryInput& in);

#endif
