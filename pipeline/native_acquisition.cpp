#include "pipeline/native_acquisition.h"

#include "device/error_report.h"
#include "device/device_flags.h"
#include "pipeline/dib_layout.h"
#include "pipeline/native_filter_run.h"
#include "pipeline/line_reader.h"
#include "pipeline/post_processing.h"
#include "pipeline/scan_state.h"
#include "string_ids.h"
#include "twain/source_state.h"

HGLOBAL AcquireNativeImage() {
    ScanInProgress& scan = CurrentScan;
    const ScanGeometry& g = scan.Geometry;
    if (!CheckPipelineSupports(true, false)) return nullptr;
    if (!OpenRing()) return nullptr;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, DibBlockSize(g, scan.Kind));
    uint8_t* dib = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
    if (!dib) {
        if (block) GlobalFree(block);
        CloseRing();
        ReportDeviceFailure(TWCC_LOWMEMORY, IDS_MSG_INSUFFICIENT_MEMORY);
        return nullptr;
    }
    WriteDibHeader(dib, g, scan.Kind);

    bool complete = false;
    while (!complete) {
        LineBatch batch;
        if (ReadNextBatch(batch) != BATCH_LINES) break;
        for (uint32_t i = 0; i < batch.Count; ++i) {
            uint8_t* line = const_cast<uint8_t*>(batch.First) + (size_t)i * g.LineBytes;
            CorrectRingLine(line, g.LineBytes);
            StoreDibLine(DibRowForLine(dib, g, scan.Kind, scan.LinesTaken), line, g.LineBytes, scan.Kind);
            ++scan.LinesTaken;
        }
        complete = scan.LinesTaken >= g.OutLines;
    }
    GlobalUnlock(block);
    CloseRing();
    if (!complete) {
        GlobalFree(block);
        return nullptr;
    }
    FinishScan();
    FilterNativeImage(block, g, scan.Kind);
    return block;
}
