#include "pipeline/file_acquisition.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <new>
#include <vector>

#include "device/device_flags.h"
#include "pipeline/bmp_file_header.h"
#include "pipeline/disk_file.h"
#include "pipeline/file_image_shape.h"
#include "pipeline/line_reader.h"
#include "pipeline/scan_state.h"
#include "pipeline/tiff_header.h"
#include "pipeline/work_files.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

namespace {

// Where the rows go: after a TIFF header in order, or at their final place
// in a pre-sized BMP.
struct OutputWriter {
    DiskFile File;
    bool Bmp = false;
    BmpLayout Layout = {};
    uint32_t HeaderBytes = 0;
    uint32_t RowBytes = 0;
    std::vector<uint8_t> Staging;

    bool Open(const char* name, const FileImageShape& shape, bool bmp) {
        Bmp = bmp;
        RowBytes = shape.RowBytes;
        if (!File.Create(name)) return false;
        uint8_t header[TIFF_HEADER_MAX > BMP_HEADER_MAX ? TIFF_HEADER_MAX : BMP_HEADER_MAX];
        if (bmp) {
            if (!ComputeBmpLayout(shape, &Layout)) return false;
            HeaderBytes = BuildBmpHeader(header, Layout);
            return File.Append(header, HeaderBytes) && File.PreSize(Layout.FileSize);
        }
        HeaderBytes = BuildTiffHeader(header, shape);
        return HeaderBytes != 0 && File.Append(header, HeaderBytes);
    }
    // Rows first .. first + count - 1 of the image, top first, RowBytes each.
    bool WriteRows(uint32_t first, uint32_t count, const uint8_t* rows) {
        if (!Bmp) return File.WriteAt(HeaderBytes + (uint64_t)first * RowBytes, rows, count * RowBytes);
        Staging.resize(BmpBatchBytes(Layout, count));
        for (uint32_t i = 0; i < count; ++i)
            StoreBmpBatchRow(Staging.data(), Layout, count, i, rows + (size_t)i * RowBytes);
        uint32_t offset = BmpBatchOffset(Layout, first, count);
        return offset != 0 && File.WriteAt(offset, Staging.data(), (uint32_t)Staging.size());
    }
};

OutputWriter Output;

// The transfer's clean-up: no work file survives, and an output file that is
// not complete is removed.
void CleanUp(bool complete) {
    DeleteWorkFile();
    bool closed = Output.File.Close();
    if (!complete || !closed) Output.File.Delete();
    std::vector<uint8_t>().swap(Output.Staging);
    CloseRing();
    FreeEnlarger(&Enlarger);
}

// LineArt, Halftone and Gray without processing go straight to the output.
bool ReadScanIntoOutput(const ScanGeometry& g) {
    if (!OpenRing()) return false;
    while (CurrentScan.LinesTaken < g.OutLines) {
        LineBatch batch;
        if (ReadNextBatch(batch) != BATCH_LINES) return false;
        if (!Output.WriteRows(CurrentScan.LinesTaken, batch.Count, batch.First)) {
            ReportWriteFailure();
            return false;
        }
        CurrentScan.LinesTaken += batch.Count;
    }
    FinishScan();
    return true;
}

// The work file's lines, processed and enlarged, into the output in chunks
// of about 64 KB of output rows.
bool CopyWorkFileToOutput(const ScanGeometry& g) {
    const uint32_t factor = DeliveredRowsPerLine();
    const uint32_t rowBytes = g.LineBytes * factor;
    uint32_t linesPerChunk = 0x10000 / (rowBytes * factor);
    if (linesPerChunk == 0) linesPerChunk = 1;
    std::vector<uint8_t> rows((size_t)linesPerChunk * factor * rowBytes);
    for (uint32_t line = 0; line < g.OutLines; line += linesPerChunk) {
        uint32_t count = g.OutLines - line < linesPerChunk ? g.OutLines - line : linesPerChunk;
        if (!ProcessWorkLines(line, count, rows.data()) ||
            !Output.WriteRows(line * factor, count * factor, rows.data())) {
            ReportWriteFailure();
            return false;
        }
    }
    return true;
}

}  // namespace

void AcquireToFile() {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    ReturnCode = TWRC_XFERDONE;
    FileImageShape shape = OutputFileShape(g, scan.Kind, DoubleRes != 0, scan.DpiScale);
    if (!Output.Open(FileXferSetup.FileName, shape, FileFormatIndex == 2)) {
        CleanUp(false);
        return ReportWriteFailure();
    }
    bool throughWorkFile = scan.Kind == KIND_COLOR || PostProcess || DoubleRes;
    bool complete = throughWorkFile ? CollectScanInWorkFile() && CopyWorkFileToOutput(g) : ReadScanIntoOutput(g);
    bool closedAndComplete = complete;
    CleanUp(complete);
    if (complete && !Output.File.Name[0]) closedAndComplete = false;
    // A file that could not be closed is not to be trusted: it is gone.
    if (complete && !closedAndComplete) ReportWriteFailure();
}
