#include "pipeline/file_acquisition.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <new>
#include <vector>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/error_report.h"
#include "device/port_driver.h"
#include "pipeline/bmp_file_header.h"
#include "pipeline/file_image_shape.h"
#include "pipeline/line_reader.h"
#include "pipeline/post_processing.h"
#include "pipeline/scan_state.h"
#include "pipeline/tiff_header.h"
#include "pipeline/work_file_names.h"
#include "string_ids.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

namespace {

bool IsLeadByte(uint8_t byte) { return IsDBCSLeadByte(byte) != 0; }

struct DiskFile {
    HANDLE Handle = INVALID_HANDLE_VALUE;
    char Name[MAX_PATH] = "";

    bool Create(const char* name) {
        snprintf(Name, sizeof Name, "%s", name);
        Handle = CreateFileA(Name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
        return Handle != INVALID_HANDLE_VALUE;
    }
    bool WriteAt(uint64_t offset, const void* data, uint32_t size) {
        LONG high = (LONG)(offset >> 32);
        if (SetFilePointer(Handle, (LONG)(uint32_t)offset, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
            GetLastError() != NO_ERROR)
            return false;
        DWORD written = 0;
        return WriteFile(Handle, data, size, &written, nullptr) && written == size;
    }
    bool Append(const void* data, uint32_t size) {
        DWORD written = 0;
        return WriteFile(Handle, data, size, &written, nullptr) && written == size;
    }
    bool ReadAt(uint64_t offset, void* data, uint32_t size) {
        LONG high = (LONG)(offset >> 32);
        if (SetFilePointer(Handle, (LONG)(uint32_t)offset, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
            GetLastError() != NO_ERROR)
            return false;
        DWORD read = 0;
        return ReadFile(Handle, data, size, &read, nullptr) && read == size;
    }
    // Makes the file `size` bytes long, so rows can be written at their
    // final place in any order.
    bool PreSize(uint64_t size) {
        LONG high = (LONG)(size >> 32);
        if (SetFilePointer(Handle, (LONG)(uint32_t)size, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
            GetLastError() != NO_ERROR)
            return false;
        return SetEndOfFile(Handle) != 0;
    }
    bool Close() {
        bool ok = true;
        if (Handle != INVALID_HANDLE_VALUE) ok = CloseHandle(Handle) != 0;
        Handle = INVALID_HANDLE_VALUE;
        return ok;
    }
    void Delete() {
        Close();
        if (Name[0]) DeleteFileA(Name);
        Name[0] = 0;
    }
};

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
DiskFile ColourWork;

void CleanUp(bool complete) {
    ColourWork.Delete();
    bool closed = Output.File.Close();
    if (!complete || !closed) Output.File.Delete();
    Output.Staging.clear();
    Output.Staging.shrink_to_fit();
    CloseRing();
}

void WriteFailed() {
    if (CurrentScan.Started) DriverCall(ControlBlock, SPI_ABORT);
    CurrentScan.Started = false;
    ReportDeviceFailure(TWCC_OPERATIONERROR, IDS_MSG_WRITE_DISK_ERROR);
}

// Copies the colour work file's rows into the output file.
bool CopyColourWorkToOutput(const FileImageShape& work) {
    uint32_t header = TiffHeaderSize(KIND_COLOR);
    uint32_t rowsPerChunk = work.RowBytes ? (uint32_t)(0x100000 / work.RowBytes) : 0;
    if (rowsPerChunk == 0) rowsPerChunk = 1;
    std::vector<uint8_t> chunk((size_t)rowsPerChunk * work.RowBytes);
    for (uint32_t row = 0; row < work.Rows; row += rowsPerChunk) {
        uint32_t count = work.Rows - row < rowsPerChunk ? work.Rows - row : rowsPerChunk;
        if (!ColourWork.ReadAt(header + (uint64_t)row * work.RowBytes, chunk.data(), count * work.RowBytes))
            return false;
        if (!Output.WriteRows(row, count, chunk.data())) return false;
    }
    return true;
}

bool ReadScan(const ScanGeometry& g, bool toWorkFile) {
    while (CurrentScan.LinesTaken < g.OutLines) {
        LineBatch batch;
        if (ReadNextBatch(batch) != BATCH_LINES) return false;
        uint32_t bytes = batch.Count * g.LineBytes;
        for (uint32_t i = 0; i < batch.Count; ++i)
            CorrectRingLine(const_cast<uint8_t*>(batch.First) + (size_t)i * g.LineBytes, g.LineBytes);
        bool written = toWorkFile ? ColourWork.Append(batch.First, bytes)
                                  : Output.WriteRows(CurrentScan.LinesTaken, batch.Count, batch.First);
        if (!written) {
            WriteFailed();
            return false;
        }
        CurrentScan.LinesTaken += batch.Count;
    }
    return true;
}

}  // namespace

void AcquireToFile() {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    ReturnCode = TWRC_XFERDONE;
    if (!CheckPipelineSupports(false, false)) return;
    bool bmp = FileFormatIndex == 2;

    FileImageShape shape = OutputFileShape(g, scan.Kind, DoubleRes != 0, scan.DpiScale);
    if (!Output.Open(FileXferSetup.FileName, shape, bmp)) {
        CleanUp(false);
        return WriteFailed();
    }
    // Colour goes to disk through its work file first.
    bool colour = scan.Kind == KIND_COLOR;
    FileImageShape work = ScanWorkFileShape(g, scan.Kind, DoubleRes != 0, scan.DpiScale);
    if (colour) {
        char name[MAX_PATH];
        uint8_t header[TIFF_HEADER_MAX];
        uint32_t headerBytes = BuildTiffHeader(header, work);
        if (!ColourWorkFileName(DefaultFileXferSetup.FileName, FileXferSetup.FileName, name, sizeof name, IsLeadByte) ||
            !ColourWork.Create(name) || headerBytes == 0 || !ColourWork.Append(header, headerBytes)) {
            CleanUp(false);
            return WriteFailed();
        }
    }
    if (!OpenRing()) {
        CleanUp(false);
        return;
    }
    bool complete = ReadScan(g, colour);
    if (complete) {
        FinishScan();
        if (colour && !CopyColourWorkToOutput(work)) {
            complete = false;
            WriteFailed();
        }
    }
    CleanUp(complete);
    if (complete && Output.File.Name[0] == 0) {
        // The file could not be closed: its contents are not to be trusted.
        WriteFailed();
    }
}
