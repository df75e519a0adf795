// Memory and file transfers with a filter or moire removal: the scan goes
// through a work file and the rows delivered equal the strip filters applied
// to the unfiltered scan; no work file is left behind.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "pipeline/scan_geometry.h"
#include "pipeline/strip_filters.h"
#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

const char SettingsSection[] = "T40 IV N";

struct Image {
    std::vector<uint8_t> rows;
    uint32_t bytesPerRow = 0;
};

Image MemoryImage(TW_UINT16 pixelType) {
    Image image;
    TwainSession s;
    AcquisitionRequest r;
    r.PixelType = pixelType;
    r.Dpi = 150;
    r.Frame[0] = 0.5, r.Frame[1] = 0.5, r.Frame[2] = 3, r.Frame[3] = 2;
    if (!StartAcquisition(s, r)) return image;
    std::vector<uint8_t> buffer(16384);
    for (int guard = 0; guard < 10000; ++guard) {
        TW_IMAGEMEMXFER xfer = {};
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        xfer.Memory.Length = (TW_UINT32)buffer.size();
        xfer.Memory.TheMem = buffer.data();
        TW_UINT16 rc = s.Call(&s.Source(), DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) {
            ADD_FAILURE() << "rc " << rc;
            break;
        }
        image.bytesPerRow = xfer.BytesPerRow;
        image.rows.insert(image.rows.end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
        if (rc == TWRC_XFERDONE) break;
    }
    return image;
}

size_t WorkFilesLeft() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    size_t count = 0;
    for (const char* pattern : {"Xfer_*.Tmp", "Interp.Tmp"}) {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((std::string(temp) + pattern).c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) continue;
        do ++count;
        while (FindNextFileA(h, &data));
        FindClose(h);
    }
    return count;
}

}  // namespace

TEST(StripFilters, MemoryTransfersWithFiltersEqualTheStripFiltersOnTheUnfilteredScan) {
    struct Case {
        const char* name;
        TW_UINT16 pixelType;
        ImageKind kind;
        uint16_t filterMode;
        bool deMoire;
    } cases[] = {
        {"sharpen on gray", TWPT_GRAY, KIND_GRAY, 5, false},
        {"blur more and moire removal on color", TWPT_RGB, KIND_COLOR, 4, true},
        {"flip on lineart", TWPT_BW, KIND_LINEART, 2, false},
        {"invert on color", TWPT_RGB, KIND_COLOR, 1, false},
    };
    WinIniSectionGuard guard(SettingsSection);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winini::DeleteSection(SettingsSection);
        Image plain = MemoryImage(c.pixelType);
        ASSERT_FALSE(plain.rows.empty());
        winini::WriteKey(SettingsSection, "FilterMode", std::to_string(c.filterMode).c_str());
        winini::WriteKey(SettingsSection, "DeMoire", c.deMoire ? "1" : "0");
        Image filtered = MemoryImage(c.pixelType);
        ASSERT_EQ(filtered.rows.size(), plain.rows.size());
        ASSERT_EQ(filtered.bytesPerRow, plain.bytesPerRow);
        EXPECT_NE(filtered.rows, plain.rows);
        // These filters work row by row, so strip boundaries do not matter.
        ApplyStripFilters(plain.rows.data(), (uint32_t)(plain.rows.size() / plain.bytesPerRow), plain.bytesPerRow,
                          c.kind, c.filterMode, c.deMoire);
        EXPECT_TRUE(filtered.rows == plain.rows);
        EXPECT_EQ(WorkFilesLeft(), 0u);
    }
}
