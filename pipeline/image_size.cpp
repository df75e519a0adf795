#include "pipeline/image_size.h"

int64_t EstimateImageSizeBytes(uint16_t scanMode, double r, double widthInches, double heightInches) {
    int64_t across = (int64_t)(r * widthInches);
    int64_t size = (int64_t)((double)across * r * heightInches);
    if (scanMode == 1011 || scanMode == 1012) return (size + 7) / 8;
    if (scanMode == 1014) return size * 3;
    return size;
}

int64_t DiskSpaceNeeded(bool bmp, int64_t imageSizeBytes) {
    return (bmp ? 1078 : 1032) + imageSizeBytes + DISK_SPACE_RESERVE;
}
