// The transfer triplets against the simulator, through the source manager:
// strips and their return codes, buffers given as handles, refused requests,
// failures and ESC, and what follows each.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

const char DefaultName[] = "Korvan F/B Scanner (N)";
const char SimulatorSection[] = "PLNX_Q7B Simulator";

TW_IMAGEINFO ImageInfo(TwainSession& s) {
    TW_IMAGEINFO info = {};
    EXPECT_EQ(s.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info).rc, TWRC_SUCCESS);
    return info;
}

bool InStateSeven(TwainSession& s) {
    // DAT_IMAGEINFO belongs to state 6 only; DAT_PENDINGXFERS MSG_GET to 4-7.
    TW_IMAGEINFO info = {};
    TW_PENDINGXFERS pending = {};
    return s.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info).cc == TWCC_SEQERROR &&
           s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending).rc == TWRC_SUCCESS;
}

// The whole image as strips in a pointer buffer of `size` bytes.
std::vector<uint8_t> MemoryImage(TwainSession& s, uint32_t size, std::vector<TW_IMAGEMEMXFER>* strips) {
    std::vector<uint8_t> buffer(size), image;
    for (int guard = 0; guard < 100000; ++guard) {
        TW_IMAGEMEMXFER xfer = {};
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        xfer.Memory.Length = size;
        xfer.Memory.TheMem = buffer.data();
        TW_UINT16 rc = s.Call(&s.Source(), DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) {
            ADD_FAILURE() << "strip " << strips->size() << " rc " << rc;
            break;
        }
        strips->push_back(xfer);
        image.insert(image.end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
        if (rc == TWRC_XFERDONE) break;
    }
    return image;
}

}  // namespace

TEST(Transfers, MemoryStripsSucceedUntilTheLastAndStayInStateSeven) {
    TwainSession s;
    ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
    TW_IMAGEINFO info = ImageInfo(s);
    EXPECT_EQ(info.ImageLength, 150);
    std::vector<TW_IMAGEMEMXFER> strips;
    std::vector<uint8_t> image = MemoryImage(s, 4096, &strips);
    ASSERT_GT(strips.size(), 2u);
    uint32_t rows = 0;
    for (size_t i = 0; i < strips.size(); ++i) {
        const TW_IMAGEMEMXFER& x = strips[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(x.Compression, TWCP_NONE);
        EXPECT_EQ(x.Columns, (TW_UINT32)info.ImageWidth);
        EXPECT_EQ(x.BytesPerRow, (TW_UINT32)info.ImageWidth);  // 8-bit gray, rows back to back
        EXPECT_EQ(x.XOffset, 0u);
        EXPECT_EQ(x.YOffset, rows);
        EXPECT_EQ(x.BytesWritten, x.BytesPerRow * x.Rows);
        if (i + 1 < strips.size()) {
            EXPECT_EQ(x.Rows, 4096u / x.BytesPerRow);
        }
        rows += x.Rows;
    }
    EXPECT_LT(strips.back().Rows, strips.front().Rows);  // the last strip holds the rest
    EXPECT_EQ(rows, (uint32_t)info.ImageLength);
    EXPECT_EQ(image.size(), (size_t)info.ImageLength * info.ImageWidth);
    EXPECT_TRUE(InStateSeven(s));
    TW_PENDINGXFERS pending = {};
    ASSERT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending).rc, TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
}

TEST(Transfers, StripBufferGivenAsHandleIsUnlockedOnReturnAndGivesTheSameImage) {
    std::vector<TW_IMAGEMEMXFER> strips;
    std::vector<uint8_t> byPointer;
    {
        TwainSession s;
        ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
        byPointer = MemoryImage(s, 8192, &strips);
    }
    TwainSession s;
    ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 8192);
    std::vector<uint8_t> byHandle;
    for (int guard = 0; guard < 1000; ++guard) {
        TW_IMAGEMEMXFER xfer = {};
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_HANDLE;
        xfer.Memory.Length = 8192;
        xfer.Memory.TheMem = handle;
        TW_UINT16 rc = s.Call(&s.Source(), DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        ASSERT_TRUE(rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) << rc;
        EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 0u);
        EXPECT_EQ(xfer.Memory.TheMem, handle);  // the application's description comes back
        const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(handle));
        byHandle.insert(byHandle.end(), p, p + xfer.BytesWritten);
        GlobalUnlock(handle);
        if (rc == TWRC_XFERDONE) break;
    }
    GlobalFree(handle);
    EXPECT_EQ(byHandle, byPointer);
}

TEST(Transfers, RefusedRequestsLeaveTheStateAlone) {
    TwainSession s;
    ASSERT_TRUE(s.Start(DefaultName));
    TW_HANDLE image = nullptr;
    TripletResult early = s.Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image);  // state 4
    EXPECT_EQ(early.rc, TWRC_FAILURE);
    EXPECT_EQ(early.cc, TWCC_SEQERROR);
    TW_IMAGEMEMXFER xfer = {};
    EXPECT_EQ(s.Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer).cc, TWCC_SEQERROR);
    ASSERT_EQ(s.CloseSource().rc, TWRC_SUCCESS);

    ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
    std::vector<uint8_t> buffer(4096);
    const TW_UINT32 refused[] = {TWMF_DSOWNS | TWMF_POINTER, TWMF_APPOWNS, TWMF_DSMOWNS | TWMF_HANDLE};
    for (TW_UINT32 flags : refused) {
        xfer = {};
        xfer.Memory.Flags = flags;
        xfer.Memory.Length = 4096;
        xfer.Memory.TheMem = buffer.data();
        TripletResult r = s.Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        EXPECT_EQ(r.rc, TWRC_FAILURE) << flags;
        EXPECT_EQ(r.cc, TWCC_BADVALUE) << flags;
    }
    // Still state 6: the image information is there and a transfer works.
    ImageInfo(s);
    std::vector<TW_IMAGEMEMXFER> strips;
    EXPECT_FALSE(MemoryImage(s, 4096, &strips).empty());
}

TEST(Transfers, ReadFailureIsReportedAndAsksToClose) {
    WinIniSectionGuard guard(SimulatorSection);
    winini::WriteKey(SimulatorSection, "ReadStatus", "0x8216");
    winini::WriteKey(SimulatorSection, "ReadStatusAfter", "0");
    MessageBoxRecorder boxes;
    TwainSession s;
    AcquisitionRequest r;
    r.Mechanism = TWSX_NATIVE;
    ASSERT_TRUE(StartAcquisition(s, r));
    TW_HANDLE image = reinterpret_cast<TW_HANDLE>(1);
    TripletResult result = s.Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image);
    EXPECT_EQ(result.rc, TWRC_FAILURE);
    EXPECT_EQ(result.cc, TWCC_OPERATIONERROR);
    EXPECT_EQ(image, nullptr);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Flatbed Scanner not ready.");
    EXPECT_EQ(s.WaitForMessage(3000), MSG_CLOSEDSREQ);
    EXPECT_TRUE(InStateSeven(s));

    // The source stays usable: the transfer is ended, and with the scanner
    // well again the next acquisition delivers an image.
    TW_PENDINGXFERS pending = {};
    EXPECT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending).rc, TWRC_SUCCESS);
    TW_USERINTERFACE ui = {FALSE, FALSE, s.Parent()};
    EXPECT_EQ(s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui).rc, TWRC_SUCCESS);
    winini::DeleteKey(SimulatorSection, "ReadStatus");
    EXPECT_EQ(s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui).rc, TWRC_SUCCESS);
    ASSERT_EQ(s.WaitForMessage(10000), MSG_XFERREADY);
    image = nullptr;
    EXPECT_EQ(s.Call(&s.Source(), DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image), TWRC_XFERDONE);
    EXPECT_NE(image, nullptr);
    if (image) GlobalFree(image);
    EXPECT_EQ(boxes.Records().size(), 1u);
}

TEST(Transfers, EscBeforeTheFirstReadCancelsWithoutImageOrCloseRequest) {
    TwainSession s;
    AcquisitionRequest r;
    r.Mechanism = TWSX_NATIVE;
    ASSERT_TRUE(StartAcquisition(s, r));
    PostMessageA(s.Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
    TW_HANDLE image = reinterpret_cast<TW_HANDLE>(1);
    EXPECT_EQ(s.Call(&s.Source(), DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image), TWRC_CANCEL);
    EXPECT_EQ(image, nullptr);
    EXPECT_TRUE(s.Pump(500).empty());
    EXPECT_TRUE(InStateSeven(s));
}

// A read answered 0x8321 is asked once more: one busy answer costs
// nothing, and the repeat's own 0x8321 counts as success, so a second busy
// answer leaves that read's lines missing rather than asking a third time.
TEST(Transfers, BusyReadIsRepeatedExactlyOnce) {
    std::vector<TW_IMAGEMEMXFER> strips;
    std::vector<uint8_t> plain;
    {
        TwainSession s;
        ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
        plain = MemoryImage(s, 65536, &strips);
    }
    for (const char* busyTimes : {"1", "2"}) {
        SCOPED_TRACE(busyTimes);
        WinIniSectionGuard guard(SimulatorSection);
        winini::WriteKey(SimulatorSection, "ReadBusy", busyTimes);
        winini::WriteKey(SimulatorSection, "ReadBusyAtLine", "0");
        MessageBoxRecorder boxes;
        TwainSession s;
        ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
        strips.clear();
        std::vector<uint8_t> image = MemoryImage(s, 65536, &strips);
        ASSERT_EQ(image.size(), plain.size());
        if (busyTimes[0] == '1') {
            EXPECT_TRUE(image == plain);
        } else {
            EXPECT_FALSE(image == plain);
        }
        EXPECT_TRUE(boxes.Records().empty());
    }
}

TEST(Transfers, StripBufferTooSmallForLineArtIsInsufficientMemory) {
    MessageBoxRecorder boxes;
    TwainSession s;
    AcquisitionRequest r;
    r.PixelType = TWPT_BW;
    ASSERT_TRUE(StartAcquisition(s, r));
    TW_IMAGEINFO info = ImageInfo(s);
    uint32_t rowBytes = (uint32_t)(info.ImageWidth + 7) / 8;
    std::vector<uint8_t> buffer(3 * rowBytes - 1);  // fewer than three rows
    TW_IMAGEMEMXFER xfer = {};
    xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    xfer.Memory.Length = (TW_UINT32)buffer.size();
    xfer.Memory.TheMem = buffer.data();
    TripletResult result = s.Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
    EXPECT_EQ(result.rc, TWRC_FAILURE);
    EXPECT_EQ(result.cc, TWCC_LOWMEMORY);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, " Insufficient Memory.");
}

TEST(Transfers, FaxHostsScanAt200WhereThe300Default) {
    TwainSession s;
    strcpy(s.App().ProductName, "WinFax PRO 3.0");
    ASSERT_TRUE(StartAcquisition(s, AcquisitionRequest()));
    TW_IMAGEINFO info = ImageInfo(s);
    EXPECT_EQ(info.XResolution.Whole, 200);
    EXPECT_EQ(info.YResolution.Whole, 200);
    EXPECT_EQ(info.ImageLength, 100);  // half an inch
}
