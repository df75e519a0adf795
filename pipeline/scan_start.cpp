#include "pipeline/scan_start.h"

#include <string.h>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/error_report.h"
#include "device/port_driver.h"
#include "device/tone_download.h"
#include "device/tone_table.h"
#include "pipeline/image_size.h"
#include "pipeline/scan_state.h"
#include "pipeline/temp_drive_dialog.h"
#include "settings/profile_win32.h"
#include "settings/scan_settings.h"
#include "string_ids.h"
#include "twain/capability_state.h"
#include "twain/host_applications.h"
#include "twain/image_layout.h"
#include "twain/source_manager_notify.h"
#include "twain/source_state.h"

namespace {

bool IsBmpFormat() { return FileFormatIndex == 2; }

bool CheckDiskSpace(HWND dialog, const ScanFrame& frame) {
    double widthInches = (frame.Right - frame.Left) / 600.0;
    double heightInches = (frame.Bottom - frame.Top) / 600.0;
    int64_t image = EstimateImageSizeBytes(ScanSettings.ScanMode, ScanSettings.ScanResolution, widthInches, heightInches);
    int64_t needed = DiskSpaceNeeded(IsBmpFormat(), image);
    int64_t available = AvailableForFile(DefaultFileXferSetup.FileName);
    if (available == -1) {
        ShowDeviceMessage(dialog, IDS_MSG_WRITE_DISK_ERROR);
        Fail(TWCC_OPERATIONERROR);
        return false;
    }
    if (available < needed) {
        ShowDiskSpaceBox(dialog, needed - 0x500001, available);
        if (!OfferTemporaryDrive(dialog, needed, image)) {
            Fail(TWCC_OPERATIONERROR);
            return false;
        }
    }
    return true;
}

void ShowErrorBox(HWND owner, const char* text) { MessageBoxA(owner, text, "Error", MB_OK | MB_ICONHAND); }

bool DownloadToneTables(HWND dialog) {
    TonePreviewState preview = {};
    preview.FeederSelected = FeederSelected != 0;
    preview.ShowUI = ShowUI != 0;
    BuildToneBlock(preview);
    uint16_t status = DriverCall(ToneBlock, SPI_SEND_TONE);
    ToneDownloadFinished(status);
    if (status == 0) return true;
    DriverCall(ControlBlock, SPI_FINISH);
    ShowErrorBox(dialog, "Download Gamma Table Failed!");
    Fail(TWCC_OPERATIONERROR);
    return false;
}

// A request the scanner accepted but the source will not scan.
bool CheckRequest(HWND dialog, const ScanFrame& frame) {
    uint16_t message = 0;
    if (frame.Left == frame.Right) {
        message = IDS_MSG_BAD_SCAN_AREA;
    } else if ((ScanSettings.ScanMode == 1011 || ScanSettings.ScanMode == 1012) &&
               ScanSettings.ScanResolution * ((frame.Right - frame.Left) / 600.0) < 16.0) {
        message = IDS_MSG_SCAN_AREA_TOO_SMALL;
    }
    if (!message) return true;
    DriverCall(ControlBlock, SPI_ABORT);
    ShowDeviceMessage(dialog, message);
    Fail(TWCC_OPERATIONERROR);
    return false;
}

void PublishImageInformation(const ScanGeometry& g, ImageKind kind) {
    uint32_t dpi = g.ReportedDpi;
    if (!DriverResample) {
        if (dpi == 198 && IsFaxHost()) dpi = 200;
        if (Dpi1201) dpi = 1201;
    }
    Dpi1201 = 0;
    TW_IMAGEINFO& info = CurrentImageInfo;
    memset(&info, 0, sizeof info);
    info.XResolution.Whole = (TW_INT16)dpi;
    info.YResolution.Whole = (TW_INT16)dpi;
    info.ImageWidth = g.ImageWidth;
    info.ImageLength = g.ImageLength;
    bool color = kind == KIND_COLOR;
    bool bilevel = kind == KIND_LINEART || kind == KIND_HALFTONE;
    info.SamplesPerPixel = color ? 3 : 1;
    for (int i = 0; i < (color ? 3 : 1); ++i) info.BitsPerSample[i] = bilevel ? 1 : 8;
    info.BitsPerPixel = color ? 24 : (bilevel ? 1 : 8);
    info.Planar = FALSE;
    info.PixelType = color ? TWPT_RGB : (bilevel ? TWPT_BW : TWPT_GRAY);
    info.Compression = TWCP_NONE;
}

}  // namespace

int StartScan(HWND dialog, uint32_t filmType, uint16_t sourceKind, ScanFrame& frame) {
    if (FileFormatIndex != 0 && !IsBmpFormat()) return 0;
    if (!CheckDiskSpace(dialog, frame)) return 0;

    FilmType = filmType;
    SourceKind = sourceKind;
    ScanSettings.Velocity = MergeTransparencyBits(ScanSettings.Velocity, ExtendedOptions, filmType);
    char dsLanguage[64], slowSpeed[64];
    GetDsLanguage(PROFILE_GLOBAL_SECTION, dsLanguage, sizeof dsLanguage);
    GetSlowSpeedVer(PROFILE_GLOBAL_SECTION, slowSpeed, sizeof slowSpeed);
    ScanSettings.Velocity = SetSpeedNibble(
        ScanSettings.Velocity, SlowModeNibble(dsLanguage, ScanSettings.ScanMode, ScanSettings.ScanSource));
    PostProcess = (ScanSettings.FilterMode != 0 || ScanSettings.DeMoire) ? 1 : 0;

    uint32_t target = (uint32_t)PrepareScanParamBlock(frame, ScanSettings, XferMechIndex == 0);

    if (DriverCall(InquiryBlock, SPI_INQUIRE) != 0) {
        DriverCall(ControlBlock, SPI_FINISH);
        ShowDeviceMessage(dialog, IDS_MSG_SCANNER_NOT_READY);
        Fail(TWCC_OPERATIONERROR);
        return 0;
    }
    if (!DownloadToneTables(dialog)) return 0;
    CorrectColour = ScanSettings.ScanMode == 1014 && ScanSettings.OutputMode != 0;
    if (CorrectColour)
        PrepareColourCorrector(&LineCorrector, ToneWorkTables[TONE_WORK_RED], ToneWorkTables[TONE_WORK_GREEN],
                               ToneWorkTables[TONE_WORK_BLUE]);
    if (!CheckSetParamsStatus(DriverCall(ScanParamBlock, SPI_SET_PARAMS))) return 0;
    if (!CheckRequest(dialog, frame)) return 0;

    PutU16(GeometryBlock, GEO_ZERO, 0);
    if (DriverCall(GeometryBlock, SPI_START_SCAN) != 0) {
        DriverCall(ControlBlock, SPI_ABORT);
        ShowErrorBox(dialog, "Start Scan Failed!");
        Fail(TWCC_OPERATIONERROR);
        return 0;
    }

    ScanInProgress& scan = CurrentScan;
    scan.Kind = KindFromScanMode(ScanSettings.ScanMode);
    scan.ScannedBytes = GetU16(GeometryBlock, GEO_LINE_BYTES);
    scan.ScannedLines = GetU16(GeometryBlock, GEO_LINES);
    scan.Target = target;
    scan.DpiScale = ScanSettings.DpiScale;
    GeometryInput in = {scan.Kind,          scan.ScannedBytes,    scan.ScannedLines, ScanSettings.ScanResolution,
                        target,             DriverResample != 0,  DoubleRes != 0,    ScanSettings.DpiScale};
    scan.Geometry = ComputeScanGeometry(in);
    if (scan.Geometry.OutLines == 0 || scan.Geometry.LineBytes == 0) {
        DriverCall(ControlBlock, SPI_ABORT);
        Fail(TWCC_OPERATIONERROR);
        return 0;
    }
    ResetScanProgress();
    scan.Started = true;

    if (SlowModeWaitRequired(slowSpeed, dsLanguage, ScanSettings.ScanMode, ScanSettings.ScanSource)) Sleep(20000);
    PublishImageInformation(scan.Geometry, scan.Kind);

    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
    SessionState = STATE_XFER_READY;
    NotifySourceManager(MSG_XFERREADY);
    return 1;
}

void AbortScanInProgress() {
    if (!CurrentScan.Started) return;
    DriverCall(ControlBlock, SPI_ABORT);
    CurrentScan.Started = false;
}
