// The simulated scanner's answers to the command blocks, driven as the data
// source drives the port driver: identification, parameters, tone download,
// scans read through the ring, resampling and the configured failures.
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "device/block_layout.h"
#include "simulator/frame_render.h"
#include "simulator/line_stretch.h"
#include "simulator/ring_layout.h"
#include "simulator/scanner_device.h"
#include "simulator/simulator_config.h"
#include "simulator/test_page.h"

namespace {

uint16_t Get16(const std::vector<uint8_t>& b, int at) { return (uint16_t)(b[at] | (b[at + 1] << 8)); }
void Put16(std::vector<uint8_t>& b, int at, uint32_t v) {
    b[at] = (uint8_t)v;
    b[at + 1] = (uint8_t)(v >> 8);
}
void Put32(std::vector<uint8_t>& b, int at, uint32_t v) {
    Put16(b, at, v & 0xffff);
    Put16(b, at + 2, v >> 16);
}

const uint8_t Sentinel = 0xA5;

class SimulatorDevice : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultSimulatorConfig(&config_);
        OpenDevice(&device_, config_);
    }

    uint16_t Call(std::vector<uint8_t>& block, uint32_t code) {
        return DeviceCommand(device_, block.data(), code, nullptr);
    }
    uint16_t Power(uint8_t state) {
        std::vector<uint8_t> block(POWER_BLOCK_SIZE, 0);
        block[POWER_STATE] = state;
        return Call(block, SPI_POWER);
    }
    std::vector<uint8_t> Inquiry() {
        std::vector<uint8_t> block(INQ_BLOCK_SIZE, 0);
        Call(block, SPI_INQUIRE);
        return block;
    }
    static std::vector<uint8_t> Params(ScanFrame f, int type, int dpi, int source = 0) {
        std::vector<uint8_t> block(SP_BLOCK_SIZE, 0);
        Put16(block, SP_LEFT, f.left);
        Put16(block, SP_TOP, f.top);
        Put16(block, SP_RIGHT, f.right);
        Put16(block, SP_BOTTOM, f.bottom);
        block[SP_SOURCE] = (uint8_t)source;
        block[SP_ONE] = 1;
        block[SP_IMAGE_TYPE] = (uint8_t)type;
        Put16(block, SP_RESOLUTION, dpi);
        return block;
    }
    uint16_t SetParams(ScanFrame f, int type, int dpi, int source = 0) {
        std::vector<uint8_t> block = Params(f, type, dpi, source);
        return Call(block, SPI_SET_PARAMS);
    }
    // Parameters and start; B and L from the geometry block.
    uint16_t Start(ScanFrame f, int type, int dpi, uint16_t* bytes = nullptr, uint16_t* lines = nullptr,
                   int source = 0) {
        uint16_t status = SetParams(f, type, dpi, source);
        if (status) return status;
        std::vector<uint8_t> geometry(GEO_BLOCK_SIZE, 0);
        status = Call(geometry, SPI_START_SCAN);
        if (bytes) *bytes = Get16(geometry, GEO_LINE_BYTES);
        if (lines) *lines = Get16(geometry, GEO_LINES);
        return status;
    }
    // A ring of `blocks` blocks of `blockBytes` each, filled with the sentinel.
    int GiveRing(uint32_t blockBytes, int blocks) {
        ring_.assign((size_t)blockBytes * blocks, Sentinel);
        table_.assign(MAX_RING_BLOCKS * RING_RECORD_SIZE, 0);
        device_.config.RingBlocks = (uint32_t)blocks;
        return (int)DeviceSetBuffer(device_, ring_.data(), (uint32_t)ring_.size(), table_.data());
    }
    std::vector<uint8_t> ReadBlock(uint32_t lines, uint32_t lineBytes, int blocks) {
        std::vector<uint8_t> block(RD_BLOCK_SIZE, 0);
        Put16(block, RD_LINE_BYTES, lineBytes);
        Put16(block, RD_LINES, lines);
        Put32(block, RD_BYTES, lines * lineBytes);
        Put16(block, RD_RING_COUNT, blocks);
        Put32(block, RD_RING_ADDRESS, LowAddress(ring_.data()));
        return block;
    }
    uint16_t Read(uint32_t lines, uint32_t lineBytes, int blocks, std::vector<uint8_t>* answered = nullptr) {
        std::vector<uint8_t> block = ReadBlock(lines, lineBytes, blocks);
        uint16_t status = Call(block, SPI_READ);
        if (answered) *answered = block;
        return status;
    }
    // Where block i starts and how long it is, from the table as the source
    // reads it (the address fields hold the low 32 bits).
    size_t BlockStart(int i) const {
        const uint8_t* r = &table_[i * RING_RECORD_SIZE];
        uint32_t low = (uint32_t)(r[RING_ADDRESS] | (r[RING_ADDRESS + 1] << 8) | (r[RING_ADDRESS + 2] << 16) |
                                  ((uint32_t)r[RING_ADDRESS + 3] << 24));
        return (size_t)(low - LowAddress(ring_.data()));
    }
    uint32_t BlockBytes(int i) const {
        const uint8_t* r = &table_[i * RING_RECORD_SIZE + RING_BYTES];
        return (uint32_t)(r[0] | (r[1] << 8) | (r[2] << 16) | ((uint32_t)r[3] << 24));
    }
    bool RingUntouched() const {
        for (uint8_t b : ring_)
            if (b != Sentinel) return false;
        return true;
    }

    SimulatorConfig config_;
    ScannerDevice device_;
    std::vector<uint8_t> ring_;
    std::vector<uint8_t> table_;
};

TEST_F(SimulatorDevice, InquiryAnswersFromTheConfigurationAndPowerState) {
    std::vector<uint8_t> idle = Inquiry();
    EXPECT_EQ(Get16(idle, BLOCK_STATUS), STATUS_NOT_READY);  // not woken since opening
    ASSERT_EQ(Power(0), 0);
    std::vector<uint8_t> b = Inquiry();
    EXPECT_EQ(Get16(b, BLOCK_STATUS), 0);
    EXPECT_EQ(0, memcmp(&b[INQ_FIRMWARE], "1.07", 4));
    EXPECT_EQ(0, memcmp(&b[INQ_MODEL_PREFIX], "PLN-", 4));
    EXPECT_EQ(0, memcmp(&b[INQ_MODEL_DIGITS], "06007", 5));
    EXPECT_EQ(b[INQ_FEEDER_COLOR], 0x40);
    EXPECT_EQ(Get16(b, INQ_REF_LEVELS), 0x00f0);
    EXPECT_EQ(Get16(b, INQ_REF_LEVELS + 6), 0x0018);
    EXPECT_EQ(b[INQ_EXTENDED], 0);
    EXPECT_EQ(b[INQ_FEEDER], 0);
    EXPECT_EQ(b[INQ_PAPER], 0);
    EXPECT_EQ(Get16(b, INQ_PORT_MODE), 2);
    EXPECT_EQ(Get16(b, INQ_PORT_NUMBER), 1);

    SimulatorConfig& c = device_.config;
    memcpy(c.Firmware, "\0.99", 5);
    c.FeederColor = 0;
    c.FilmSources = 1;
    c.PaperLoaded = 1;  // without a feeder: no paper
    c.PortMode = 3;
    c.PortNumber = 2;
    b = Inquiry();
    EXPECT_EQ(b[INQ_FIRMWARE], 0);
    EXPECT_EQ(b[INQ_FEEDER_COLOR], 0);
    EXPECT_EQ(b[INQ_EXTENDED], 1);
    EXPECT_EQ(b[INQ_PAPER], 0);
    EXPECT_EQ(Get16(b, INQ_PORT_MODE), 3);
    EXPECT_EQ(Get16(b, INQ_PORT_NUMBER), 2);
    c.FeederInstalled = 1;
    b = Inquiry();
    EXPECT_EQ(b[INQ_FEEDER], 1);
    EXPECT_EQ(b[INQ_PAPER], 1);

    c.NotReady = 1;
    EXPECT_EQ(Get16(Inquiry(), BLOCK_STATUS), STATUS_NOT_READY);
    c.NotReady = 0x8216;
    EXPECT_EQ(Get16(Inquiry(), BLOCK_STATUS), 0x8216);
    c.NotReady = 0;
    ASSERT_EQ(Power(1), 0);
    EXPECT_EQ(Get16(Inquiry(), BLOCK_STATUS), STATUS_NOT_READY);
    EXPECT_EQ(Power(2), STATUS_BAD_PARAMETER);
}

TEST_F(SimulatorDevice, SetParamsChecksEveryField) {
    device_.config.FilmSources = 1;
    const ScanFrame a = {0, 0, 600, 600};
    struct Case {
        const char* what;
        ScanFrame frame;
        int type, dpi, source;
        uint16_t status;
    };
    const Case cases[] = {
        {"plain", a, IMAGE_GRAY, 300, 0, 0},
        {"whole bed", {0, 0, BED_WIDTH, BED_LENGTH}, IMAGE_COLOR, 600, 0, 0},
        {"zero width (the source checks it)", {600, 0, 600, 600}, IMAGE_GRAY, 300, 0, 0},
        {"type 4", a, 4, 300, 0, STATUS_BAD_PARAMETER},
        {"0 dpi", a, IMAGE_GRAY, 0, 0, STATUS_BAD_PARAMETER},
        {"601 dpi", a, IMAGE_GRAY, 601, 0, STATUS_BAD_PARAMETER},
        {"past the bed (295 mm)", {200, 0, 5102, 6968}, IMAGE_GRAY, 300, 0, 0},
        {"inverted", {600, 0, 0, 600}, IMAGE_GRAY, 300, 0, STATUS_BAD_PARAMETER},
        {"film bed", {0, 0, FILM_BED_WIDTH, FILM_BED_LENGTH}, IMAGE_GRAY, 300, 1, 0},
        {"feeder not installed", a, IMAGE_GRAY, 300, 3, STATUS_BAD_PARAMETER},
        {"source 4", a, IMAGE_GRAY, 300, 4, STATUS_BAD_PARAMETER},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = Params(c.frame, c.type, c.dpi, c.source);
        EXPECT_EQ(Call(block, SPI_SET_PARAMS), c.status) << c.what;
        EXPECT_EQ(Get16(block, BLOCK_STATUS), c.status) << c.what;
    }
    std::vector<uint8_t> block = Params(a, IMAGE_GRAY, 300);
    block[SP_ONE] = 0;
    EXPECT_EQ(Call(block, SPI_SET_PARAMS), STATUS_BAD_PARAMETER);
    device_.config.FilmSources = 0;
    EXPECT_EQ(SetParams(a, IMAGE_GRAY, 300, 1), STATUS_BAD_PARAMETER);
}

TEST_F(SimulatorDevice, ConfiguredSetParamsStatusKeepsNoParameters) {
    ASSERT_EQ(Power(0), 0);
    for (uint32_t status : {0x8217u, 0x8321u, 0x8414u, 0x8216u}) {
        device_.config.SetParamsStatus = status;
        EXPECT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300), status);
        std::vector<uint8_t> geometry(GEO_BLOCK_SIZE, 0);
        EXPECT_EQ(Call(geometry, SPI_START_SCAN), STATUS_OUT_OF_SEQUENCE);
    }
}

TEST_F(SimulatorDevice, StartReportsTheGeometryOnlyWhenAwakeAndSetUp) {
    std::vector<uint8_t> geometry(GEO_BLOCK_SIZE, 0);
    ASSERT_EQ(SetParams({0, 0, 600, 600}, IMAGE_GRAY, 300), 0);
    EXPECT_EQ(Call(geometry, SPI_START_SCAN), STATUS_NOT_READY);  // idle
    ASSERT_EQ(Power(0), 0);
    OpenDevice(&device_, config_);  // reopened: no parameters either
    ASSERT_EQ(Power(0), 0);
    EXPECT_EQ(Call(geometry, SPI_START_SCAN), STATUS_OUT_OF_SEQUENCE);

    uint16_t bytes = 0, lines = 0;
    ASSERT_EQ(Start({0, 0, 600, 300}, IMAGE_GRAY, 300, &bytes, &lines), 0);
    EXPECT_EQ(bytes, 298);
    EXPECT_EQ(lines, 150);
    ASSERT_EQ(Start({0, 0, 600, 300}, IMAGE_LINEART, 300, &bytes, &lines), 0);
    EXPECT_EQ(bytes, 37);
    ASSERT_EQ(Start({0, 0, 600, 300}, IMAGE_COLOR, 150, &bytes, &lines), 0);
    EXPECT_EQ(bytes, 3 * 148);
    EXPECT_EQ(lines, 75);
    EXPECT_EQ(Start({0, 0, 7, 300}, IMAGE_LINEART, 600), STATUS_BAD_PARAMETER);  // no byte to send
    EXPECT_EQ(Start({0, 0, 30000, 300}, IMAGE_COLOR, 600), STATUS_BAD_PARAMETER);  // 89994 bytes a line
    ASSERT_EQ(Start({0, 0, 21845, 300}, IMAGE_GRAY, 600, &bytes, &lines), 0);     // past the bed: white
    EXPECT_EQ(bytes, 21843);
}

// The whole frame read in ring-sized batches, each line taken where the source
// looks for it, equals the simulator's rendering with the downloaded tables.
TEST_F(SimulatorDevice, ReadsPutEveryLineWhereTheRingSaysForEveryType) {
    ASSERT_EQ(Power(0), 0);
    std::vector<uint8_t> tone(TONE_BLOCK_SIZE, 0);
    tone[TONE_THRESHOLD] = 90;
    for (int k = 0; k < 4; ++k) {
        Put16(tone, TONE_SECTION_BASE + k * TONE_SECTION_STRIDE, 256);
        for (int i = 0; i < 256; ++i) tone[TONE_SECTION_BASE + k * TONE_SECTION_STRIDE + 2 + i] = (uint8_t)(255 - i / (k + 1));
    }
    ASSERT_EQ(Call(tone, SPI_SEND_TONE), 0);

    const ScanFrame frame = {RAMP_LEFT - 40, RAMP_TOP - 100, RAMP_LEFT + 1240, RAMP_TOP + 60};
    for (int type : {IMAGE_LINEART, IMAGE_HALFTONE, IMAGE_GRAY, IMAGE_COLOR}) {
        uint16_t bytes, lines;
        ASSERT_EQ(Start(frame, type, 200, &bytes, &lines), 0);
        std::vector<uint8_t> expected = RenderFrame(nullptr, frame, 200, type, &device_.tones);
        ASSERT_EQ(expected.size(), (size_t)bytes * lines);
        const int blocks = 3;
        ASSERT_EQ(GiveRing(bytes * 4 + 6, blocks), blocks);  // some slack at each block's end
        const uint32_t perBlock = BlockBytes(0) / bytes;
        ASSERT_EQ(perBlock, 4u);
        uint32_t taken = 0;
        while (taken < lines) {
            uint32_t n = std::min<uint32_t>(perBlock, lines - taken);
            std::vector<uint8_t> answered;
            ASSERT_EQ(Read(n, bytes, blocks, &answered), 0);
            EXPECT_EQ(Get16(answered, RD_RECEIVED), taken + n);
            EXPECT_EQ(Get16(answered, RD_ZERO), n);
            for (uint32_t i = 0; i < n; ++i) {
                uint32_t line = taken + i;
                size_t at = BlockStart(line / perBlock % blocks) + (line % perBlock) * bytes;
                ASSERT_EQ(0, memcmp(&ring_[at], &expected[(size_t)line * bytes], bytes)) << "type " << type << " line " << line;
            }
            taken += n;
        }
        EXPECT_EQ(Read(1, bytes, blocks), STATUS_PAST_END);
        std::vector<uint8_t> control(CONTROL_BLOCK_SIZE, 0);
        EXPECT_EQ(Call(control, SPI_FINISH), 0);
        EXPECT_EQ(Read(1, bytes, blocks), STATUS_OUT_OF_SEQUENCE);
    }
}

TEST_F(SimulatorDevice, ReadRefusesBlocksThatDoNotMatchTheScanOrTheRing) {
    ASSERT_EQ(Power(0), 0);
    uint16_t bytes, lines;
    ASSERT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300, &bytes, &lines), 0);
    ASSERT_EQ(GiveRing(bytes * 10, 2), 2);
    struct Case {
        const char* what;
        void (*change)(std::vector<uint8_t>& block, uintptr_t ring);
        uint16_t status;
    };
    const Case cases[] = {
        {"address inside the ring, not its start",
         [](std::vector<uint8_t>& b, uintptr_t r) { Put32(b, RD_RING_ADDRESS, (uint32_t)r + 4); }, STATUS_RING},
        {"address outside", [](std::vector<uint8_t>& b, uintptr_t r) { Put32(b, RD_RING_ADDRESS, (uint32_t)r - 4); },
         STATUS_RING},
        {"no block", [](std::vector<uint8_t>& b, uintptr_t) { Put16(b, RD_RING_COUNT, 0); }, STATUS_RING},
        {"more blocks than given", [](std::vector<uint8_t>& b, uintptr_t) { Put16(b, RD_RING_COUNT, 3); }, STATUS_RING},
        {"line length", [](std::vector<uint8_t>& b, uintptr_t) { Put16(b, RD_LINE_BYTES, 300); }, STATUS_BAD_PARAMETER},
        {"byte count", [](std::vector<uint8_t>& b, uintptr_t) { Put32(b, RD_BYTES, 1); }, STATUS_BAD_PARAMETER},
        {"more lines than the ring holds",
         [](std::vector<uint8_t>& b, uintptr_t) {
             Put16(b, RD_LINES, 21);
             Put32(b, RD_BYTES, 21 * 298);
         },
         STATUS_RING},
        {"past the last line",
         [](std::vector<uint8_t>& b, uintptr_t) {
             Put16(b, RD_LINES, 301);
             Put32(b, RD_BYTES, 301 * 298);
         },
         STATUS_PAST_END},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = ReadBlock(5, bytes, 2);
        c.change(block, (uintptr_t)ring_.data());
        EXPECT_EQ(Call(block, SPI_READ), c.status) << c.what;
        EXPECT_TRUE(RingUntouched()) << c.what;
    }
    std::vector<uint8_t> answered;
    ASSERT_EQ(Read(5, bytes, 2, &answered), 0);  // none of them counted as sent
    EXPECT_EQ(Get16(answered, RD_RECEIVED), 5);

    EXPECT_EQ(GiveRing(bytes * 10, 2), 2);
    device_.config.BufAddrFail = 1;
    EXPECT_EQ(DeviceSetBuffer(device_, ring_.data(), (uint32_t)ring_.size(), table_.data()), 0u);
    EXPECT_EQ(Read(5, bytes, 2), STATUS_RING);  // the old ring is gone too
}

TEST_F(SimulatorDevice, ConfiguredReadStatusStartsAfterNLines) {
    ASSERT_EQ(Power(0), 0);
    device_.config.ReadStatus = 0x8217;
    device_.config.ReadStatusAfter = 10;
    uint16_t bytes, lines;
    ASSERT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300, &bytes, &lines), 0);
    ASSERT_EQ(GiveRing(bytes * 6, 1), 1);
    EXPECT_EQ(Read(5, bytes, 1), 0);
    EXPECT_EQ(Read(5, bytes, 1), 0);
    std::fill(ring_.begin(), ring_.end(), Sentinel);
    EXPECT_EQ(Read(5, bytes, 1), 0x8217);
    EXPECT_EQ(Read(5, bytes, 1), 0x8217);  // the scanner stays failed
    EXPECT_TRUE(RingUntouched());
    ASSERT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300), 0);  // a new scan starts again at line 0
    EXPECT_EQ(Read(5, bytes, 1), 0);
}

TEST_F(SimulatorDevice, ReadBusyAnswersNoPaperOnceThenSendsTheSameLines) {
    ASSERT_EQ(Power(0), 0);
    device_.config.ReadBusy = 1;
    device_.config.ReadBusyAtLine = 4;
    const ScanFrame frame = {RAMP_LEFT, RAMP_TOP, RAMP_LEFT + 600, RAMP_TOP + 100};
    uint16_t bytes, lines;
    ASSERT_EQ(Start(frame, IMAGE_GRAY, 300, &bytes, &lines), 0);
    std::vector<uint8_t> expected = RenderFrame(nullptr, frame, 300, IMAGE_GRAY);
    ASSERT_EQ(GiveRing(bytes * 4, 1), 1);
    EXPECT_EQ(Read(4, bytes, 1), 0);
    std::fill(ring_.begin(), ring_.end(), Sentinel);
    EXPECT_EQ(Read(4, bytes, 1), STATUS_NO_PAPER);
    EXPECT_TRUE(RingUntouched());
    EXPECT_EQ(Read(4, bytes, 1), 0);
    EXPECT_EQ(0, memcmp(ring_.data(), &expected[4 * bytes], 4 * bytes));  // lines 4..7
    EXPECT_EQ(Read(4, bytes, 1), 0);

    device_.config.ReadBusy = 2;  // twice in a row, then lines again
    ASSERT_EQ(Start(frame, IMAGE_GRAY, 300), 0);
    EXPECT_EQ(Read(4, bytes, 1), 0);
    EXPECT_EQ(Read(4, bytes, 1), STATUS_NO_PAPER);
    EXPECT_EQ(Read(4, bytes, 1), STATUS_NO_PAPER);
    EXPECT_EQ(Read(4, bytes, 1), 0);
}

// Resampling as the source drives it: raw 300 dpi lines at the ring's start,
// stretched to end at the end of the first block. Whatever the batches, the
// lines equal the whole scan stretched at once.
TEST_F(SimulatorDevice, StretchEnlargesTheRawLinesIntoTheEndOfTheFirstBlock) {
    ASSERT_EQ(Power(0), 0);
    const ScanFrame frame = {PATCH_LEFT + 400, PATCH_TOP + 300, PATCH_LEFT + 1000, PATCH_TOP + 700};
    const struct {
        int channels, target, outLines;  // a batch; the source reads outLines x 300 / target raw lines
    } cases[] = {{1, 500, 10}, {3, 600, 7}, {1, 450, 9}, {3, 350, 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.target << " dpi, " << c.outLines);
        int type = c.channels == 3 ? IMAGE_COLOR : IMAGE_GRAY;
        uint16_t bytes, lines;
        ASSERT_EQ(Start(frame, type, 300, &bytes, &lines), 0);
        std::vector<uint8_t> raw = RenderFrame(nullptr, frame, 300, type);
        const int pixels = bytes / c.channels;
        const int outBytes = (StretchedPixels(pixels, c.target) * c.channels + 11) / 12 * 12;
        const int rawLines = c.outLines * 300 / c.target;
        const int batches = 4;
        std::vector<uint8_t> whole((size_t)batches * c.outLines * outBytes);
        ASSERT_TRUE(StretchLines(raw.data(), lines, pixels, c.channels, c.target, batches * c.outLines, outBytes,
                                 whole.data()));
        const uint32_t blockBytes = outBytes * c.outLines;
        ASSERT_EQ(GiveRing(blockBytes, 2), 2);
        for (int batch = 0; batch < batches; ++batch) {
            ASSERT_EQ(Read(rawLines, bytes, 2), 0);
            ASSERT_EQ(0, memcmp(ring_.data(), &raw[(size_t)batch * rawLines * bytes], (size_t)rawLines * bytes))
                << "raw lines of batch " << batch << " at the ring's start";
            std::vector<uint8_t> block(ST_BLOCK_SIZE, 0);
            Put32(block, ST_DEST_END, LowAddress(ring_.data() + blockBytes - 1));
            Put32(block, ST_SRC_END, LowAddress(ring_.data() + rawLines * bytes - 1));
            Put16(block, ST_PIXELS, pixels);
            Put16(block, ST_TARGET_DPI, c.target);
            Put16(block, ST_OUT_LINES, c.outLines);
            Put32(block, ST_OUT_BYTES, outBytes);
            ASSERT_EQ(Call(block, c.channels == 3 ? SPI_STRETCH_COLOR : SPI_STRETCH_GRAY), 0);
            ASSERT_EQ(0, memcmp(ring_.data(), &whole[(size_t)batch * blockBytes], blockBytes)) << "batch " << batch;
            EXPECT_EQ(ring_[blockBytes], Sentinel);  // nothing past the first block
        }
    }
}

TEST_F(SimulatorDevice, StretchRefusesBlocksThatDoNotFitTheScan) {
    ASSERT_EQ(Power(0), 0);
    uint16_t bytes, lines;
    ASSERT_EQ(Start({0, 0, 600, 600}, IMAGE_GRAY, 300, &bytes, &lines), 0);  // 298 pixels
    ASSERT_EQ(GiveRing(20000, 1), 1);
    ASSERT_EQ(Read(6, bytes, 1), 0);
    auto stretch = [&](uint32_t code, int pixels, uint32_t sourceEnd, uint32_t destEnd, int outBytes) {
        std::vector<uint8_t> block(ST_BLOCK_SIZE, 0);
        Put32(block, ST_DEST_END, destEnd);
        Put32(block, ST_SRC_END, sourceEnd);
        Put16(block, ST_PIXELS, pixels);
        Put16(block, ST_TARGET_DPI, 600);
        Put16(block, ST_OUT_LINES, 12);
        Put32(block, ST_OUT_BYTES, outBytes);
        return Call(block, code);
    };
    const uint32_t base = LowAddress(ring_.data());
    const uint32_t rawEnd = base + 6 * 298 - 1, end = base + 20000 - 1;
    EXPECT_EQ(stretch(SPI_STRETCH_GRAY, 298, rawEnd, end, 596), 0);
    EXPECT_EQ(stretch(SPI_STRETCH_COLOR, 298, rawEnd, end, 3 * 596), STATUS_BAD_PARAMETER);  // a Gray scan
    EXPECT_EQ(stretch(SPI_STRETCH_GRAY, 297, rawEnd, end, 596), STATUS_BAD_PARAMETER);
    EXPECT_EQ(stretch(SPI_STRETCH_GRAY, 298, rawEnd - 1, end, 596), STATUS_BAD_PARAMETER);  // not whole lines
    EXPECT_EQ(stretch(SPI_STRETCH_GRAY, 298, rawEnd, end, 595), STATUS_BAD_PARAMETER);      // too short
    EXPECT_EQ(stretch(SPI_STRETCH_GRAY, 298, rawEnd, base + 12 * 596 - 2, 596), STATUS_RING);
    EXPECT_EQ(stretch(SPI_STRETCH_GRAY, 298, base + 20000, end, 596), STATUS_RING);
}

TEST_F(SimulatorDevice, FeederScansTakePagesUntilNoneIsLeft) {
    ASSERT_EQ(Power(0), 0);
    SimulatorConfig& c = device_.config;
    c.FeederInstalled = 1;
    c.FeederPages = 2;
    const ScanFrame a = {0, 0, 600, 600};
    EXPECT_EQ(SetParams(a, IMAGE_GRAY, 300, 3), STATUS_NO_PAPER);  // not loaded
    c.PaperLoaded = 1;
    for (int page = 0; page < 2; ++page) {
        EXPECT_EQ(Inquiry()[INQ_PAPER], 1);
        EXPECT_EQ(Start(a, IMAGE_GRAY, 300, nullptr, nullptr, 3), 0) << page;
    }
    EXPECT_EQ(Inquiry()[INQ_PAPER], 0);
    EXPECT_EQ(SetParams(a, IMAGE_GRAY, 300, 3), STATUS_NO_PAPER);
    EXPECT_EQ(SetParams(a, IMAGE_GRAY, 300, 2), STATUS_NO_PAPER);
    EXPECT_EQ(SetParams(a, IMAGE_GRAY, 300, 0), 0);  // the flatbed still works
    OpenDevice(&device_, c);                          // reopening refills the feeder
    EXPECT_EQ(Inquiry()[INQ_PAPER], 1);
}

TEST_F(SimulatorDevice, CommandNamesSizesAndUnknownCodes) {
    EXPECT_STREQ(CommandName(SPI_SET_PARAMS), "SPI_SET_PARAMS");
    EXPECT_EQ(CommandBlockSize(SPI_SEND_TONE), (size_t)TONE_BLOCK_SIZE);
    EXPECT_EQ(CommandBlockSize(SPI_READ), (size_t)RD_BLOCK_SIZE);
    EXPECT_EQ(CommandName(7), nullptr);
    std::vector<uint8_t> block(CONTROL_BLOCK_SIZE, 0);
    EXPECT_EQ(Call(block, 7), STATUS_UNKNOWN_COMMAND);
    EXPECT_EQ(Get16(block, BLOCK_STATUS), STATUS_UNKNOWN_COMMAND);
}

}  // namespace
