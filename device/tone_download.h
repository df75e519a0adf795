// The tone tables the scanner applies in hardware: building the tone block
// before a scan and the state kept after it was sent.
#ifndef PLNX_TONE_DOWNLOAD_H
#define PLNX_TONE_DOWNLOAD_H

#include <stdint.h>

#include "settings/scan_settings.h"

// Table kinds of the tone block (byte 7).
#define TONE_KIND_SINGLE 16        // LineArt, Halftone, Gray
#define TONE_KIND_COLOR 8          // Color, no tonal adjustment mode
#define TONE_KIND_COLOR_ENHANCED 7 // Color with a tonal adjustment mode 1..3
#define TONE_ENTRY_COUNT 256

// What decides whether the tables already built for the preview are sent
// instead of rebuilding them from the tone sets. The caller fills it at the
// time of the download; all must hold for the preview tables to be used.
struct TonePreviewState {
    bool PreviewFileExists;      // KRVN0000.BMP is in the source's folder
    bool PrescanImageLoaded;     // a prescan image is loaded
    bool FeederSelected;         // the document feeder is the scan source
    uint16_t LastOutputMode;     // output matching last chosen from the menu
    bool ShowUI;                 // the dialog is shown
    const uint8_t* PreviewTables;  // 4 x 256 bytes, blue, green, red, master; null = none
};

// ScanMode of the tables last sent to the scanner; 0 = they must be sent
// again.
extern uint16_t GammaTableMode;
// The tone sets as they were when the tables were last sent successfully.
extern ToneSet DownloadedToneSets[4];

// Fills ToneWorkTables and the tone block (threshold, kind, the four sections
// with 256 entries each) for the settings' mode. With auto exposure the
// brightness and contrast of all four tone sets become 10 after the tables
// were built (the settings keep them). The first section is also the
// settings' gamma codes: they become the 256 entries just built.
void BuildToneBlock(const TonePreviewState& preview, ScanSettingsRecord& settings = ScanSettings);

// Records the outcome of sending the tone block: on status 0 the mode and
// tone sets just sent, otherwise GammaTableMode = 0.
void ToneDownloadFinished(uint16_t status, const ScanSettingsRecord& settings = ScanSettings);

#endif
