// The installed scanner simulator PLNX_Q7B.IOB, loaded by this test and driven
// through its three exports as the data source drives its port driver, with
// the simulator's WIN.INI section shaping the scanner.
#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "device/block_layout.h"
#include "simulator/bmp_codec.h"
#include "simulator/frame_render.h"
#include "simulator/ring_layout.h"
#include "simulator/scanner_device.h"
#include "simulator/simulator_config.h"
#include "simulator/test_page.h"
#include "tests/wine/harness/twain_app.h"

using namespace twtest;

namespace {

typedef uint32_t(WINAPI* AddrChkProc)();
typedef uint32_t(WINAPI* SpiCallProc)(void* block, uint32_t handle, uint32_t code);
typedef uint32_t(WINAPI* BufAddrProc)(void* buffer, uint32_t size, void* table);

uint16_t Get16(const std::vector<uint8_t>& b, int at) { return (uint16_t)(b[at] | (b[at + 1] << 8)); }
uint32_t Get32(const uint8_t* p) { return (uint32_t)(p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24)); }
void Put16(std::vector<uint8_t>& b, int at, uint32_t v) {
    b[at] = (uint8_t)v;
    b[at + 1] = (uint8_t)(v >> 8);
}
void Put32(std::vector<uint8_t>& b, int at, uint32_t v) {
    Put16(b, at, v & 0xffff);
    Put16(b, at + 2, v >> 16);
}

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "plnx-simulator-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::vector<uint8_t> data;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return data;
    DWORD size = GetFileSize(file, nullptr), got = 0;
    data.resize(size);
    if (!ReadFile(file, data.data(), size, &got, nullptr) || got != size) data.clear();
    CloseHandle(file);
    return data;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& data) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data.data(), (DWORD)data.size(), &written, nullptr) && written == data.size();
    CloseHandle(file);
    return ok;
}

// The installed simulator with an empty configuration section (restored
// afterwards), opened and woken.
class SimulatorDriver : public ::testing::Test {
protected:
    SimulatorDriver() : guard_(SIMULATOR_SECTION) {}

    void SetUp() override {
        winini::DeleteSection(SIMULATOR_SECTION);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        module_ = LoadLibraryA((std::string(windows) + "\\TWAIN_32\\PLNX_Q7B\\PLNX_Q7B.IOB").c_str());
        ASSERT_NE(module_, nullptr);
        addrChk_ = reinterpret_cast<AddrChkProc>(reinterpret_cast<void*>(GetProcAddress(module_, "ADDR_CHK")));
        spiCall_ = reinterpret_cast<SpiCallProc>(reinterpret_cast<void*>(GetProcAddress(module_, "SPI_CALL")));
        bufAddr_ = reinterpret_cast<BufAddrProc>(reinterpret_cast<void*>(GetProcAddress(module_, "BUF_ADDR")));
        ASSERT_TRUE(addrChk_ && spiCall_ && bufAddr_);
        handle_ = addrChk_();
        std::vector<uint8_t> power(POWER_BLOCK_SIZE, 0);
        ASSERT_EQ(Call(power, SPI_POWER), 0);
    }
    void TearDown() override {
        if (ring_) VirtualFree(ring_, 0, MEM_RELEASE);
        if (module_) FreeLibrary(module_);
    }

    static void Key(const char* key, const char* value) { winini::WriteKey(SIMULATOR_SECTION, key, value); }

    uint16_t Call(std::vector<uint8_t>& block, uint32_t code) {
        spiCall_(block.data(), handle_, code);
        return Get16(block, BLOCK_STATUS);
    }
    std::vector<uint8_t> Inquiry(uint16_t* status = nullptr) {
        std::vector<uint8_t> block(INQ_BLOCK_SIZE, 0);
        uint16_t s = Call(block, SPI_INQUIRE);
        if (status) *status = s;
        return block;
    }
    static std::vector<uint8_t> Params(ScanFrame f, int type, int dpi) {
        std::vector<uint8_t> block(SP_BLOCK_SIZE, 0);
        Put16(block, SP_LEFT, f.left);
        Put16(block, SP_TOP, f.top);
        Put16(block, SP_RIGHT, f.right);
        Put16(block, SP_BOTTOM, f.bottom);
        block[SP_ONE] = 1;
        block[SP_IMAGE_TYPE] = (uint8_t)type;
        Put16(block, SP_RESOLUTION, dpi);
        return block;
    }
    uint16_t Start(ScanFrame f, int type, int dpi, uint16_t* bytes, uint16_t* lines) {
        std::vector<uint8_t> params = Params(f, type, dpi);
        uint16_t status = Call(params, SPI_SET_PARAMS);
        if (status) return status;
        std::vector<uint8_t> geometry(GEO_BLOCK_SIZE, 0);
        status = Call(geometry, SPI_START_SCAN);
        *bytes = Get16(geometry, GEO_LINE_BYTES);
        *lines = Get16(geometry, GEO_LINES);
        return status;
    }
    // A 2 MB ring placed as high as the process allows (above 4 GB in a
    // 64-bit process), handed to BUF_ADDR; returns the block count.
    uint32_t GiveRing(uint32_t size = 0x200000) {
        ring_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE));
        ringSize_ = size;
        table_.assign(MAX_RING_BLOCKS * RING_RECORD_SIZE, 0);
        return ring_ ? bufAddr_(ring_, size, table_.data()) : 0;
    }
    // Block i's real address: the ring's own pointer plus the distance the
    // low 32 bits of the record give.
    uint8_t* BlockStart(int i) const {
        return ring_ + (uint32_t)(Get32(&table_[i * RING_RECORD_SIZE + RING_ADDRESS]) - LowAddress(ring_));
    }
    uint16_t Read(uint32_t lines, uint32_t lineBytes, uint32_t blocks) {
        std::vector<uint8_t> block(RD_BLOCK_SIZE, 0);
        Put16(block, RD_LINE_BYTES, lineBytes);
        Put16(block, RD_LINES, lines);
        Put32(block, RD_BYTES, lines * lineBytes);
        Put16(block, RD_RING_COUNT, blocks);
        Put32(block, RD_RING_ADDRESS, LowAddress(ring_));
        return Call(block, SPI_READ);
    }

    WinIniSectionGuard guard_;
    HMODULE module_ = nullptr;
    AddrChkProc addrChk_ = nullptr;
    SpiCallProc spiCall_ = nullptr;
    BufAddrProc bufAddr_ = nullptr;
    uint32_t handle_ = 0;
    uint8_t* ring_ = nullptr;
    uint32_t ringSize_ = 0;
    std::vector<uint8_t> table_;
};

TEST_F(SimulatorDriver, AddrChkAndInquiryFollowTheWinIniSection) {
    EXPECT_EQ(handle_, 0x378u);
    uint16_t status = 0xffff;
    std::vector<uint8_t> b = Inquiry(&status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(0, memcmp(&b[INQ_FIRMWARE], "1.07", 4));
    EXPECT_EQ(0, memcmp(&b[INQ_MODEL_PREFIX], "PLN-", 4));
    EXPECT_EQ(b[INQ_FEEDER_COLOR], 0x40);
    EXPECT_EQ(Get16(b, INQ_PORT_MODE), 2);

    Key("AddrChkResult", "2");
    Key("Firmware", "2.13");
    Key("ModelPrefix", "PLC-");
    Key("ModelDigits", "12000");
    Key("FeederColor", "0");
    Key("FilmSources", "1");
    Key("PortMode", "3");
    Key("PortNumber", "0x2");
    EXPECT_EQ(addrChk_(), 2u);
    b = Inquiry(&status);
    EXPECT_EQ(status, STATUS_NOT_READY);  // reopened: idle until woken
    EXPECT_EQ(0, memcmp(&b[INQ_FIRMWARE], "2.13", 4));
    EXPECT_EQ(0, memcmp(&b[INQ_MODEL_PREFIX], "PLC-", 4));
    EXPECT_EQ(0, memcmp(&b[INQ_MODEL_DIGITS], "12000", 5));
    EXPECT_EQ(b[INQ_FEEDER_COLOR], 0);
    EXPECT_EQ(b[INQ_EXTENDED], 1);
    EXPECT_EQ(Get16(b, INQ_PORT_MODE), 3);
    EXPECT_EQ(Get16(b, INQ_PORT_NUMBER), 2);

    // Read again at every inquiry, without reopening.
    Key("Firmware", "");
    Key("FeederInstalled", "1");
    Key("NotReady", "0x8216");
    b = Inquiry(&status);
    EXPECT_EQ(status, 0x8216);
    EXPECT_EQ(0, memcmp(&b[INQ_FIRMWARE], "\0\0\0\0", 4));
    EXPECT_EQ(b[INQ_FEEDER], 1);
    EXPECT_EQ(b[INQ_PAPER], 0);
    Key("PaperLoaded", "1");
    EXPECT_EQ(Inquiry()[INQ_PAPER], 1);
}

TEST_F(SimulatorDriver, SetParamsAnswersTheConfiguredStatus) {
    const struct {
        const char* value;
        uint16_t status;
    } cases[] = {{"0x8217", 0x8217}, {"0x8321", 0x8321}, {"33812", 0x8414}, {"0x8216", 0x8216}, {"0", 0}};
    for (const auto& c : cases) {
        Key("SetParamsStatus", c.value);
        std::vector<uint8_t> params = Params({0, 0, 600, 600}, IMAGE_GRAY, 300);
        EXPECT_EQ(Call(params, SPI_SET_PARAMS), c.status) << c.value;
    }
}

// A Color scan with a tone download, read block by block through a ring the
// test allocated (above 4 GB in a 64-bit process), equals the simulator's own
// rendering of the frame.
TEST_F(SimulatorDriver, ScanThroughTheRingDeliversTheRenderedFrame) {
    Key("RingBlocks", "3");
    std::vector<uint8_t> tone(TONE_BLOCK_SIZE, 0);
    for (int k = 0; k < 4; ++k) {
        Put16(tone, TONE_SECTION_BASE + k * TONE_SECTION_STRIDE, 256);
        for (int i = 0; i < 256; ++i) tone[TONE_SECTION_BASE + k * TONE_SECTION_STRIDE + 2 + i] = (uint8_t)(k == 2 ? 255 - i : i / 2);
    }
    ASSERT_EQ(Call(tone, SPI_SEND_TONE), 0);
    const ScanFrame frame = {PAGE_MARGIN, PATCH_TOP - 200, BED_WIDTH - PAGE_MARGIN, RAMP_BOTTOM + 100};
    uint16_t bytes = 0, lines = 0;
    ASSERT_EQ(Start(frame, IMAGE_COLOR, 300, &bytes, &lines), 0);

    ToneTables tables;
    ResetToneTables(&tables);
    ASSERT_TRUE(LoadToneTables(tone.data(), &tables));
    std::vector<uint8_t> expected = RenderFrame(nullptr, frame, 300, IMAGE_COLOR, &tables);
    ASSERT_EQ(expected.size(), (size_t)bytes * lines);

    ASSERT_EQ(GiveRing(), 3u);
    if (sizeof(void*) == 8) {
        EXPECT_NE(HighAddress(ring_), 0u) << "the ring should lie above 4 GB";
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Get32(&table_[i * RING_RECORD_SIZE + RING_ADDRESS_HIGH]), HighAddress(BlockStart(i)));
    const uint32_t perBlock = Get32(&table_[RING_BYTES]) / bytes;
    uint32_t taken = 0;
    while (taken < lines) {
        uint32_t n = perBlock < lines - taken ? perBlock : lines - taken;
        ASSERT_EQ(Read(n, bytes, 3), 0) << "at line " << taken;
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t line = taken + i;
            const uint8_t* at = BlockStart(line / perBlock % 3) + (line % perBlock) * bytes;
            ASSERT_EQ(0, memcmp(at, &expected[(size_t)line * bytes], bytes)) << "line " << line;
        }
        taken += n;
    }
    std::vector<uint8_t> finish(CONTROL_BLOCK_SIZE, 0);
    EXPECT_EQ(Call(finish, SPI_FINISH), 0);
}

TEST_F(SimulatorDriver, ConfiguredReadFailuresAndBufAddrFailure) {
    Key("ReadStatus", "0x8217");
    Key("ReadStatusAfter", "8");
    Key("ReadBusy", "1");
    Key("ReadBusyAtLine", "4");
    uint16_t bytes = 0, lines = 0;
    ASSERT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300, &bytes, &lines), 0);
    ASSERT_NE(GiveRing(), 0u);
    EXPECT_EQ(Read(4, bytes, 1), 0);
    EXPECT_EQ(Read(4, bytes, 1), 0x8321);  // once
    EXPECT_EQ(Read(4, bytes, 1), 0);
    EXPECT_EQ(Read(4, bytes, 1), 0x8217);  // from line 8 on
    EXPECT_EQ(Read(4, bytes, 1), 0x8217);

    Key("BufAddrFail", "1");
    addrChk_();
    std::vector<uint8_t> table(MAX_RING_BLOCKS * RING_RECORD_SIZE, 0);
    EXPECT_EQ(bufAddr_(ring_, ringSize_, table.data()), 0u);
}

TEST_F(SimulatorDriver, LineDelayImitatesThePortSpeed) {
    Key("LineDelayMicros", "3000");
    uint16_t bytes = 0, lines = 0;
    ASSERT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300, &bytes, &lines), 0);
    ASSERT_NE(GiveRing(), 0u);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ASSERT_EQ(Read(20, bytes, 1), 0);
    QueryPerformanceCounter(&end);
    double ms = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    EXPECT_GE(ms, 55.0);  // 20 lines x 3 ms
    EXPECT_LT(ms, 5000.0);
}

TEST_F(SimulatorDriver, RecordsEveryBlockAsReceived) {
    std::string folder = TempFolder();
    Key("RecordDir", folder.c_str());
    Key("SetParamsStatus", "0x8414");
    std::vector<uint8_t> params = Params({12, 34, 600, 700}, IMAGE_COLOR, 150);
    params[SP_VELOCITY] = 0x92;
    const std::vector<uint8_t> sent = params;
    EXPECT_EQ(Call(params, SPI_SET_PARAMS), 0x8414);
    EXPECT_EQ(ReadFileBytes(folder + "\\SPI_SET_PARAMS.bin"), sent);  // before the status was written

    std::vector<uint8_t> tone(TONE_BLOCK_SIZE, 0);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = (uint8_t)(i * 7);
    Put16(tone, BLOCK_STATUS, 0);
    for (int k = 0; k < 4; ++k) Put16(tone, TONE_SECTION_BASE + k * TONE_SECTION_STRIDE, 256);
    const std::vector<uint8_t> toneSent = tone;
    EXPECT_EQ(Call(tone, SPI_SEND_TONE), 0);
    EXPECT_EQ(ReadFileBytes(folder + "\\SPI_SEND_TONE.bin"), toneSent);

    std::vector<uint8_t> inquiry(INQ_BLOCK_SIZE, 0);
    Call(inquiry, SPI_INQUIRE);
    EXPECT_EQ(ReadFileBytes(folder + "\\SPI_INQUIRE.bin"), std::vector<uint8_t>(INQ_BLOCK_SIZE, 0));
    std::vector<uint8_t> power(POWER_BLOCK_SIZE, 0);
    power[POWER_STATE] = 1;
    Call(power, SPI_POWER);
    std::vector<uint8_t> recordedPower = ReadFileBytes(folder + "\\SPI_POWER.bin");
    ASSERT_EQ(recordedPower.size(), (size_t)POWER_BLOCK_SIZE);
    EXPECT_EQ(recordedPower[POWER_STATE], 1);

    for (const char* name : {"SPI_SET_PARAMS", "SPI_SEND_TONE", "SPI_INQUIRE", "SPI_POWER"})
        DeleteFileA((folder + "\\" + name + ".bin").c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));  // nothing else was written
}

TEST_F(SimulatorDriver, PageFileIsWhatTheScannerSees) {
    std::string folder = TempFolder();
    std::string path = folder + "\\page.bmp";
    RgbImage picture;
    picture.width = 6;
    picture.height = 4;
    for (int i = 0; i < 24; ++i) {
        picture.rgb.push_back((uint8_t)(i * 10));
        picture.rgb.push_back((uint8_t)(255 - i * 10));
        picture.rgb.push_back((uint8_t)(i * 3));
    }
    ASSERT_TRUE(WriteFileBytes(path, EncodeBmp24(picture.rgb.data(), 6, 4, 1)));
    Key("PageFile", path.c_str());
    Key("RingBlocks", "1");  // one block that holds the whole frame
    const ScanFrame frame = {0, 0, BED_WIDTH, BED_LENGTH};
    uint16_t bytes = 0, lines = 0;
    ASSERT_EQ(Start(frame, IMAGE_GRAY, 50, &bytes, &lines), 0);
    std::vector<uint8_t> expected = RenderFrame(&picture, frame, 50, IMAGE_GRAY);
    ASSERT_EQ(GiveRing(), 1u);
    ASSERT_EQ(Read(lines, bytes, 1), 0);
    EXPECT_EQ(0, memcmp(ring_, expected.data(), expected.size()));
    EXPECT_EQ(ring_[3 * bytes + 1], GreyOf(&picture.rgb[0]));  // the top-left picture pixel is 850 points square

    DeleteFileA(path.c_str());
    std::vector<uint8_t> geometry(GEO_BLOCK_SIZE, 0);
    std::vector<uint8_t> params = Params(frame, IMAGE_GRAY, 50);
    ASSERT_EQ(Call(params, SPI_SET_PARAMS), 0);
    EXPECT_EQ(Call(geometry, SPI_START_SCAN), STATUS_PAGE_FILE);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
