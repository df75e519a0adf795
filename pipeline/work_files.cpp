#include "pipeline/work_files.h"

#include <windows.h>

#include <vector>

#include "device/command_blocks.h"
#include "device/error_report.h"
#include "device/port_driver.h"
#include "pipeline/disk_file.h"
#include "pipeline/file_image_shape.h"
#include "pipeline/line_reader.h"
#include "pipeline/scan_state.h"
#include "pipeline/tiff_header.h"
#include "pipeline/work_file_names.h"
#include "device/device_flags.h"
#include "pipeline/strip_filters.h"
#include "settings/scan_settings.h"
#include "string_ids.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

namespace {

DiskFile WorkFile;
uint32_t WorkHeaderBytes = 0;
// Lines read back for the enlarger; freed with the work file.
std::vector<uint8_t> LinesBeforeEnlarging;

bool IsLeadByte(uint8_t byte) { return IsDBCSLeadByte(byte) != 0; }

bool CreateWorkFile() {
    const ScanInProgress& scan = CurrentScan;
    char name[MAX_PATH];
    bool named = scan.Kind == KIND_COLOR
                     ? ColourWorkFileName(DefaultFileXferSetup.FileName, FileXferSetup.FileName, name, sizeof name,
                                          IsLeadByte)
                     : GrayWorkFileName(DefaultFileXferSetup.FileName, name, sizeof name, IsLeadByte);
    FileImageShape shape = ScanWorkFileShape(scan.Geometry, scan.Kind, DoubleRes != 0, scan.DpiScale);
    uint8_t header[TIFF_HEADER_MAX];
    WorkHeaderBytes = BuildTiffHeader(header, shape);
    return named && WorkHeaderBytes != 0 && WorkFile.Create(name) && WorkFile.Append(header, WorkHeaderBytes);
}

}  // namespace

void ReportWriteFailure() {
    if (CurrentScan.Started) DriverCall(ControlBlock, SPI_ABORT);
    CurrentScan.Started = false;
    ReportDeviceFailure(TWCC_OPERATIONERROR, IDS_MSG_WRITE_DISK_ERROR);
}

bool CollectScanInWorkFile() {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    if (!CreateWorkFile()) {
        DeleteWorkFile();
        ReportWriteFailure();
        return false;
    }
    if (!OpenRing()) {
        DeleteWorkFile();
        return false;
    }
    while (scan.LinesTaken < g.OutLines) {
        LineBatch batch;
        if (ReadNextBatch(batch) != BATCH_LINES) {
            CloseRing();
            DeleteWorkFile();
            return false;
        }
        uint8_t* lines = const_cast<uint8_t*>(batch.First);
        for (uint32_t i = 0; i < batch.Count; ++i) CorrectRingLine(lines + (size_t)i * g.LineBytes, g.LineBytes);
        if (!WorkFile.Append(lines, batch.Count * g.LineBytes)) {
            CloseRing();
            DeleteWorkFile();
            ReportWriteFailure();
            return false;
        }
        scan.LinesTaken += batch.Count;
    }
    CloseRing();
    FinishScan();
    return true;
}

bool ReadWorkLines(uint32_t first, uint32_t count, uint8_t* lines) {
    uint32_t lineBytes = CurrentScan.Geometry.LineBytes;
    return WorkFile.ReadAt(WorkHeaderBytes + (uint64_t)first * lineBytes, lines, count * lineBytes);
}

uint32_t DeliveredRowsPerLine() {
    if (!DoubleRes) return 1;
    uint32_t m = CurrentScan.DpiScale;
    return m >= 2 && m <= 4 ? 2 * m : 2;
}

bool ProcessWorkLines(uint32_t first, uint32_t count, uint8_t* out) {
    const ScanInProgress& scan = CurrentScan;
    const uint32_t lineBytes = scan.Geometry.LineBytes;
    const uint32_t factor = DeliveredRowsPerLine();
    uint8_t* target = out;
    if (factor != 1) {
        LinesBeforeEnlarging.resize((size_t)count * lineBytes);
        target = LinesBeforeEnlarging.data();
    }
    if (!ReadWorkLines(first, count, target)) return false;
    if (PostProcess)
        ApplyStripFilters(target, count, lineBytes, scan.Kind, ScanSettings.FilterMode, ScanSettings.DeMoire != 0);
    if (factor == 1) return true;
    return EnlargeLines(&Enlarger, EnlargeKindFor(scan.Kind), factor, target, count, lineBytes, out) != 0;
}

void DeleteWorkFile() {
    WorkFile.Delete();
    std::vector<uint8_t>().swap(LinesBeforeEnlarging);
}
