// File transfers through the source manager: the file the application named,
// nothing left behind when the transfer does not complete, and no work file
// outliving a transfer.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

const char DefaultName[] = "Korvan F/B Scanner (N)";

std::string TempDir() {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return dir;
}

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The work files the source may make beside its default transfer name.
std::vector<std::string> WorkFilesIn(const std::string& dir) {
    std::vector<std::string> found;
    for (const char* pattern : {"KORVAN*", "Xfer_*.Tmp", "Interp.Tmp"}) {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((dir + pattern).c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) continue;
        do found.push_back(data.cFileName);
        while (FindNextFileA(h, &data));
        FindClose(h);
    }
    return found;
}

// Negotiates a Color file transfer into `fileName` and waits until ready.
bool StartFileAcquisition(TwainSession& s, const std::string& fileName, TW_UINT16 format) {
    if (!s.Start(DefaultName)) return false;
    TW_SETUPFILEXFER setup = {};
    snprintf(setup.FileName, sizeof setup.FileName, "%s", fileName.c_str());
    setup.Format = TWFF_TIFF;
    EXPECT_EQ(s.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup).rc, TWRC_SUCCESS);
    EXPECT_EQ(SetOneValueCap(s, ICAP_XFERMECH, TWTY_UINT16, TWSX_FILE), TWRC_SUCCESS);
    EXPECT_EQ(SetOneValueCap(s, ICAP_IMAGEFILEFORMAT, TWTY_UINT16, format), TWRC_SUCCESS);
    EXPECT_EQ(SetOneValueCap(s, ICAP_XRESOLUTION, TWTY_FIX32, Fix32ToUInt32(DoubleToFix32(150))), TWRC_SUCCESS);
    TW_IMAGELAYOUT layout = {};
    layout.Frame.Left = DoubleToFix32(1);
    layout.Frame.Top = DoubleToFix32(1);
    layout.Frame.Right = DoubleToFix32(3);
    layout.Frame.Bottom = DoubleToFix32(2);
    EXPECT_EQ(s.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout).rc, TWRC_SUCCESS);
    TW_USERINTERFACE ui = {FALSE, FALSE, s.Parent()};
    if (s.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui).rc != TWRC_SUCCESS) return false;
    return s.WaitForMessage(10000) == MSG_XFERREADY;
}

}  // namespace

TEST(FileTransfer, WritesTheNamedFileAndLeavesNoWorkFile) {
    std::string temp = TempDir();
    std::vector<std::string> before = WorkFilesIn(temp);
    for (TW_UINT16 format : {TWFF_TIFF, TWFF_BMP}) {
        std::string name = temp + (format == TWFF_TIFF ? "file-test.tif" : "file-test.bmp");
        DeleteFileA(name.c_str());
        {
            TwainSession s;
            ASSERT_TRUE(StartFileAcquisition(s, name, format));
            EXPECT_EQ(s.Call(&s.Source(), DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE);
            TW_PENDINGXFERS pending = {};
            EXPECT_EQ(s.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending).rc, TWRC_SUCCESS);
        }
        ASSERT_TRUE(Exists(name)) << name;
        HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        char magic[2] = {};
        DWORD read = 0;
        ReadFile(h, magic, 2, &read, nullptr);
        CloseHandle(h);
        EXPECT_EQ(std::string(magic, 2), format == TWFF_TIFF ? "II" : "BM");
        DeleteFileA(name.c_str());
    }
    EXPECT_EQ(WorkFilesIn(temp), before);
}

TEST(FileTransfer, EscCancelsWithoutFileOrCloseRequest) {
    std::string name = TempDir() + "cancelled.tif";
    DeleteFileA(name.c_str());
    std::vector<std::string> before = WorkFilesIn(TempDir());
    TwainSession s;
    ASSERT_TRUE(StartFileAcquisition(s, name, TWFF_TIFF));
    PostMessageA(s.Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(s.Call(&s.Source(), DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_CANCEL);
    EXPECT_FALSE(Exists(name));
    EXPECT_TRUE(s.Pump(500).empty());
    EXPECT_EQ(WorkFilesIn(TempDir()), before);
}

TEST(FileTransfer, UnwritableOutputIsAWriteErrorWithNothingLeft) {
    std::string name = TempDir() + "no-such-folder\\out.tif";
    std::vector<std::string> before = WorkFilesIn(TempDir());
    MessageBoxRecorder boxes;
    TwainSession s;
    ASSERT_TRUE(StartFileAcquisition(s, name, TWFF_TIFF));
    TripletResult result = s.Send(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
    EXPECT_EQ(result.rc, TWRC_FAILURE);
    EXPECT_EQ(result.cc, TWCC_OPERATIONERROR);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Write disk file error.");
    EXPECT_EQ(s.WaitForMessage(3000), MSG_CLOSEDSREQ);
    EXPECT_FALSE(Exists(name));
    EXPECT_EQ(WorkFilesIn(TempDir()), before);
}
