#include "device/tone_download.h"

#include <string.h>

#include "device/command_blocks.h"
#include "device/correction_curves.h"
#include "device/tone_table.h"

uint16_t GammaTableMode = 0;
ToneSet DownloadedToneSets[4] = {};

namespace {

const ToneSet kIdentitySet = {0, 0, 10, 0};

// A tone set the builder refuses leaves a straight ramp rather than whatever
// an earlier user of the working tables left behind.
void BuildChannel(const ToneSet& set, uint8_t* table) {
    if (!BuildToneTable(set, TONE_TABLE_SIZE, TONE_TABLE_SIZE, table))
        BuildToneTable(kIdentitySet, TONE_TABLE_SIZE, TONE_TABLE_SIZE, table);
}

bool UsePreviewTables(const TonePreviewState& preview) {
    return preview.PreviewFileExists && preview.PrescanImageLoaded && !preview.FeederSelected &&
           preview.LastOutputMode == 0 && preview.ShowUI && preview.PreviewTables != nullptr;
}

uint8_t* SectionData(int section) {
    return ToneBlock + TONE_SECTION_BASE + section * TONE_SECTION_STRIDE + 2;
}

void PutSection(int section, const uint8_t* data) {
    PutU16(ToneBlock, TONE_SECTION_BASE + section * TONE_SECTION_STRIDE, TONE_ENTRY_COUNT);
    memcpy(SectionData(section), data, TONE_TABLE_SIZE);
}

void PutCurveSection(int section, const float* curve, const uint8_t* lut) {
    uint8_t data[TONE_TABLE_SIZE];
    for (int i = 0; i < TONE_TABLE_SIZE; ++i) data[i] = (uint8_t)(int)curve[lut[i]];
    PutSection(section, data);
}

}  // namespace

void BuildToneBlock(const TonePreviewState& preview, ScanSettingsRecord& settings) {
    const bool color = settings.ScanMode == SCAN_MODE_COLOR;

    if (UsePreviewTables(preview)) {
        memcpy(ToneWorkTables, preview.PreviewTables, sizeof ToneWorkTables);
    } else {
        const ToneSet* sets = settings.ToneSets;
        BuildChannel(sets[color ? TONE_RED : TONE_MASTER], ToneWorkTables[TONE_WORK_RED]);
        BuildChannel(sets[color ? TONE_GREEN : TONE_MASTER], ToneWorkTables[TONE_WORK_GREEN]);
        BuildChannel(sets[color ? TONE_BLUE : TONE_MASTER], ToneWorkTables[TONE_WORK_BLUE]);
        BuildChannel(sets[TONE_MASTER], ToneWorkTables[TONE_WORK_MASTER]);
    }

    if (color) {
        // With output matching the colour is corrected in software, and the
        // scanner only gets its own correction of a straight ramp.
        const uint8_t* red = ToneWorkTables[TONE_WORK_RED];
        const uint8_t* green = ToneWorkTables[TONE_WORK_GREEN];
        const uint8_t* blue = ToneWorkTables[TONE_WORK_BLUE];
        uint8_t identity[TONE_TABLE_SIZE];
        if (settings.OutputMode != 0) {
            BuildToneTable(kIdentitySet, TONE_TABLE_SIZE, TONE_TABLE_SIZE, identity);
            red = green = blue = identity;
        }
        EnsureCorrectionCurves();
        ToneBlock[TONE_KIND] = settings.EnhMode == 0 ? TONE_KIND_COLOR : TONE_KIND_COLOR_ENHANCED;
        PutSection(0, ToneWorkTables[TONE_WORK_RED]);
        PutCurveSection(1, CurveC(), red);
        PutCurveSection(2, CurveB(), green);
        PutCurveSection(3, CurveA(), blue);
    } else {
        ToneBlock[TONE_KIND] = TONE_KIND_SINGLE;
        for (int section = 0; section < 4; ++section)
            PutSection(section, ToneWorkTables[TONE_WORK_MASTER]);
    }

    if (settings.AutoExposure) {
        for (ToneSet& set : settings.ToneSets) {
            set.Brightness = 10;
            set.Contrast = 10;
        }
    }

    if (settings.ScanMode == SCAN_MODE_LINEART || settings.ScanMode == SCAN_MODE_HALFTONE) {
        int threshold = 158 - settings.ToneSets[TONE_MASTER].Brightness;
        if (threshold < 0) threshold = 0;
        if (threshold > 255) threshold = 255;
        ToneBlock[TONE_THRESHOLD] = (uint8_t)threshold;
    }

    // The first section doubles as the settings' gamma codes: the entries
    // just built replace the loaded ones, the rest stay as loaded.
    settings.GammaCodeCount = TONE_ENTRY_COUNT;
    memcpy(settings.GammaCodes, SectionData(0), TONE_TABLE_SIZE);
    memcpy(SectionData(0) + TONE_TABLE_SIZE, settings.GammaCodes + TONE_TABLE_SIZE,
           GAMMA_CODES_MAX - TONE_TABLE_SIZE);
}

void ToneDownloadFinished(uint16_t status, const ScanSettingsRecord& settings) {
    if (status == 0) {
        GammaTableMode = settings.ScanMode;
        memcpy(DownloadedToneSets, settings.ToneSets, sizeof DownloadedToneSets);
    } else {
        GammaTableMode = 0;
    }
}
