// Image information handed out before a transfer, and the application's
// scan frame (the layout), kept exactly as set.
#ifndef PLNX_IMAGE_LAYOUT_H
#define PLNX_IMAGE_LAYOUT_H

#include "twain/twain.h"

extern TW_IMAGEINFO CurrentImageInfo;
extern TW_IMAGELAYOUT CurrentLayout;
extern TW_IMAGELAYOUT DefaultLayout;

// Reset at open: image information zero but Planar 1 and PixelType 2; the
// default layout a zero frame with document, page and frame number 1.
void ResetImageState();

// DAT_IMAGEINFO MSG_GET and DAT_IMAGELAYOUT (state checks done by dispatch).
void HandleImageInfoGet(TW_IMAGEINFO* out);
void HandleImageLayout(TW_UINT16 msg, TW_IMAGELAYOUT* data);

struct PixelFrame {
    int32_t Left, Top, Right, Bottom;
};

// The layout as a frame in pixels at the optical resolution R, as the
// acquisition without user interface scans it: edges in inches whatever
// the units; a zero whole part of Right or Bottom selects the default frame
// (8.5 mm to 216 mm across, 0 to 295 mm down); a bottom beyond 6900 pixels
// becomes 6900.
PixelFrame LayoutToPixelFrame(const TW_IMAGELAYOUT& layout, int32_t opticalResolution);

#endif
