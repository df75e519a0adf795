// Negotiating and starting an acquisition without the source's dialog, for
// the tests that transfer images through the source manager.
#ifndef PLNX_TESTS_ACQUISITION_H
#define PLNX_TESTS_ACQUISITION_H

#include "tests/wine/harness/twain_app.h"

namespace twtest {

// MSG_SET of a one-value capability on the open source.
TW_UINT16 SetOneValueCap(TwainSession& s, TW_UINT16 cap, TW_UINT16 type, TW_UINT32 item);

struct AcquisitionRequest {
    TW_UINT16 PixelType = TWPT_GRAY;
    double Dpi = 300;
    TW_UINT16 Mechanism = TWSX_MEMORY;
    double Frame[4] = {1, 1, 2, 1.5};  // inches: left, top, right, bottom
    bool SetBrightness = false;         // ICAP_BRIGHTNESS as well
    double Brightness = 0;
};

// Opens the product's source, negotiates the request, enables without the
// dialog and waits for MSG_XFERREADY.
bool StartAcquisition(TwainSession& s, const AcquisitionRequest& r);

}  // namespace twtest

#endif
