#include "simulator/scan_geometry.h"

#include <stddef.h>

void DdaPositions(int start, int steps, int dpi, std::vector<int>* positions) {
    positions->clear();
    int sum = OPTICAL_DPI;
    for (int step = 0; step < steps; ++step) {
        sum += dpi;
        if (sum > OPTICAL_DPI) {
            positions->push_back(start + step);
            sum -= OPTICAL_DPI;
        }
    }
}

namespace {

// Each sample's area ends where the next one is taken; the last at `edge`.
void AreaEnds(const std::vector<int>& starts, int edge, std::vector<int>* ends) {
    ends->resize(starts.size());
    for (size_t i = 0; i < starts.size(); ++i) (*ends)[i] = i + 1 < starts.size() ? starts[i + 1] : edge;
}

}  // namespace

int DdaCount(int steps, int dpi) {
    std::vector<int> positions;
    DdaPositions(0, steps, dpi, &positions);
    return (int)positions.size();
}

int LineBytesFor(int type, int pixelsCounted) {
    switch (type) {
    case IMAGE_LINEART:
    case IMAGE_HALFTONE: return pixelsCounted / 8;
    case IMAGE_GRAY: return pixelsCounted - 2;
    case IMAGE_COLOR: return 3 * (pixelsCounted - 2);
    default: return 0;
    }
}

int PixelsSentFor(int type, int pixelsCounted) {
    switch (type) {
    case IMAGE_LINEART:
    case IMAGE_HALFTONE: return pixelsCounted / 8 * 8;
    case IMAGE_GRAY:
    case IMAGE_COLOR: return pixelsCounted > 2 ? pixelsCounted - 2 : 0;
    default: return 0;
    }
}

bool ComputeScanGeometry(const ScanFrame& frame, int dpi, int type, ScanGeometry* geometry) {
    if (dpi < 1 || dpi > OPTICAL_DPI || type < IMAGE_LINEART || type > IMAGE_COLOR) return false;
    if (frame.right < frame.left || frame.bottom < frame.top || frame.left < 0 || frame.top < 0) return false;
    geometry->dpi = dpi;
    geometry->type = type;
    DdaPositions(frame.left, frame.right - frame.left, dpi, &geometry->columns);
    geometry->pixelsCounted = (int)geometry->columns.size();
    geometry->bytesPerLine = LineBytesFor(type, geometry->pixelsCounted);
    if (geometry->bytesPerLine <= 0) return false;
    geometry->pixelsSent = PixelsSentFor(type, geometry->pixelsCounted);
    AreaEnds(geometry->columns, frame.right, &geometry->columnEnds);
    geometry->columns.resize(geometry->pixelsSent);
    geometry->columnEnds.resize(geometry->pixelsSent);
    DdaPositions(frame.top, frame.bottom - frame.top, dpi, &geometry->rows);
    AreaEnds(geometry->rows, frame.bottom, &geometry->rowEnds);
    geometry->lines = (int)geometry->rows.size();
    return true;
}
