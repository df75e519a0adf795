#include "twain/image_layout.h"

#include <string.h>

#include "twain/source_state.h"

TW_IMAGEINFO CurrentImageInfo = {};
TW_IMAGELAYOUT CurrentLayout = {};
TW_IMAGELAYOUT DefaultLayout = {};

void ResetImageState() {
    memset(&CurrentImageInfo, 0, sizeof CurrentImageInfo);
    CurrentImageInfo.Planar = 1;
    CurrentImageInfo.PixelType = TWPT_RGB;
    memset(&DefaultLayout, 0, sizeof DefaultLayout);
    DefaultLayout.DocumentNumber = 1;
    DefaultLayout.PageNumber = 1;
    DefaultLayout.FrameNumber = 1;
    CurrentLayout = DefaultLayout;
}

void HandleImageInfoGet(TW_IMAGEINFO* out) {
    if (!out) return Fail(TWCC_BADVALUE);
    memcpy(out, &CurrentImageInfo, sizeof CurrentImageInfo);
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
}

void HandleImageLayout(TW_UINT16 msg, TW_IMAGELAYOUT* data) {
    if (!data) return Fail(TWCC_BADVALUE);
    switch (msg) {
    case MSG_GET: memcpy(data, &CurrentLayout, sizeof CurrentLayout); break;
    case MSG_GETDEFAULT: memcpy(data, &DefaultLayout, sizeof DefaultLayout); break;
    case MSG_RESET:
        CurrentLayout = DefaultLayout;
        memcpy(data, &CurrentLayout, sizeof CurrentLayout);
        break;
    case MSG_SET: memcpy(&CurrentLayout, data, sizeof CurrentLayout); break;
    default: return Fail(TWCC_BADPROTOCOL);
    }
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
}

PixelFrame LayoutToPixelFrame(const TW_IMAGELAYOUT& layout, int32_t r) {
    PixelFrame f;
    if (layout.Frame.Right.Whole == 0 || layout.Frame.Bottom.Whole == 0) {
        f.Left = (int32_t)(r * 0.3346456692913386);
        f.Top = 0;
        f.Right = (int32_t)(r * 8.503937007874017);
        f.Bottom = (int32_t)(r * 11.614173228346457);
        return f;
    }
    f.Left = (int32_t)(Fix32ToDouble(layout.Frame.Left) * r);
    f.Top = (int32_t)(Fix32ToDouble(layout.Frame.Top) * r);
    f.Right = (int32_t)(Fix32ToDouble(layout.Frame.Right) * r);
    f.Bottom = (int32_t)(Fix32ToDouble(layout.Frame.Bottom) * r);
    if (f.Bottom > 6900) f.Bottom = 6900;
    return f;
}
