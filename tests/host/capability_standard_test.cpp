// The standard capability handler over test blocks: every query, setting,
// reset and refusal, with the blocks it hands out and the ones it reads.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device/device_flags.h"
#include "settings/scan_settings.h"
#include "tests/host/capability_test_support.h"
#include "twain/capability_standard.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

using namespace captest;

namespace {

bool PaperLoaded = false;
int PaperInquiries = 0;
bool FakePaperLoaded() {
    ++PaperInquiries;
    return PaperLoaded;
}

// What the application hands in.
struct Input {
    enum Kind { Nothing, Bytes, NullHandle, Unlockable, Stranger, NullCapability } kind = Nothing;
    TW_UINT16 conType = TWON_DONTCARE16;
    std::vector<uint8_t> bytes;
};
Input None() { return {}; }
Input One(TW_UINT16 type, TW_UINT32 item) { return {Input::Bytes, TWON_ONEVALUE, OneValueBytes(type, item)}; }
Input Enum(TW_UINT16 type, int width, std::vector<uint32_t> items, uint32_t current = 0) {
    uint32_t n = (uint32_t)items.size();
    return {Input::Bytes, TWON_ENUMERATION, EnumerationBytes(type, width, items, current, n)};
}
Input Raw(TW_UINT16 conType, std::vector<uint8_t> bytes) { return {Input::Bytes, conType, bytes}; }
Input Special(Input::Kind kind, TW_UINT16 conType = TWON_ONEVALUE) { return {kind, conType, {}}; }

// The one-value answer expected in hContainer; `present` false: no answer.
struct Answer {
    bool present = false;
    TW_UINT16 type = 0;
    TW_UINT32 item = 0;
};
Answer NoAnswer() { return {}; }
Answer Is(TW_UINT16 type, TW_UINT32 item) { return {true, type, item}; }

struct Step {
    TW_UINT16 msg;
    TW_UINT16 cap;
    Input in;
    TW_UINT16 rc, cc;
    Answer out;
    std::function<void()> verify = nullptr;
};

struct Given {
    TW_UINT16 state = STATE_OPEN;
    bool feeder = false;
    bool selected = false;
    bool paper = false;
    std::function<void()> prepare = nullptr;
};

struct Case {
    const char* name;
    Given given;
    std::vector<Step> steps;
};

const TW_UINT16 S = TWRC_SUCCESS, F = TWRC_FAILURE;
const TW_UINT32 MinusOne = 0xffffffffu;

void NoChange() {
    EXPECT_EQ(PixelTypeIndex, 2);
    EXPECT_EQ(ResolutionIndex, 1);
    EXPECT_EQ(UnitsIndex, 0);
    EXPECT_EQ(CapBrightness, 0);
    EXPECT_EQ(FeederSelected, 0u);
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Queries right after open.
        {"pixel type is one value RGB", {}, {{MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_RGB)}}},
        {"current units", {}, {{MSG_GETCURRENT, ICAP_UNITS, None(), S, 0, Is(TWTY_UINT16, TWUN_INCHES)}}},
        {"default mechanism is the current one", {}, {{MSG_GETDEFAULT, ICAP_XFERMECH, None(), S, 0, Is(TWTY_UINT16, TWSX_MEMORY)}}},
        {"transfer count -1", {}, {{MSG_GET, CAP_XFERCOUNT, None(), S, 0, Is(TWTY_INT16, MinusOne)}}},
        {"fixed values",
         {},
         {{MSG_GET, ICAP_COMPRESSION, None(), S, 0, Is(TWTY_UINT16, 0)},
          {MSG_GET, ICAP_FILTER, None(), S, 0, Is(TWTY_UINT16, 3)},
          {MSG_GET, ICAP_LIGHTSOURCE, None(), S, 0, Is(TWTY_UINT16, 4)},
          {MSG_GET, ICAP_PIXELFLAVOR, None(), S, 0, Is(TWTY_BOOL, 0)},
          {MSG_GET, ICAP_PLANARCHUNKY, None(), S, 0, Is(TWTY_UINT16, TWPC_PLANAR)},
          {MSG_GET, CAP_INDICATORS, None(), S, 0, Is(TWTY_BOOL, 0)},
          {MSG_GET, ICAP_SUPPORTEDSIZES, None(), S, 0, Is(TWTY_UINT16, 0)},
          {MSG_GET, ICAP_IMAGEFILEFORMAT, None(), S, 0, Is(TWTY_UINT16, TWFF_TIFF)}}},
        {"resolutions as FIX32 100.0",
         {},
         {{MSG_GET, ICAP_XRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(100, 0))},
          {MSG_GET, ICAP_YRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(100, 0))}}},
        {"brightness and contrast as FIX32",
         {STATE_OPEN, false, false, false, [] { CapBrightness = -1000; CapContrast = 250; }},
         {{MSG_GET, ICAP_BRIGHTNESS, None(), S, 0, Is(TWTY_FIX32, Fix32Item(-1000, 0))},
          {MSG_GET, ICAP_CONTRAST, None(), S, 0, Is(TWTY_FIX32, Fix32Item(250, 0))}}},
        {"queries need no particular state",
         {STATE_LOADED},
         {{MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, 2)}}},
        {"queries in state 7", {STATE_TRANSFERRING}, {{MSG_GET, ICAP_UNITS, None(), S, 0, Is(TWTY_UINT16, 0)}}},
        {"unsupported capabilities",
         {},
         {{MSG_GET, CAP_SUPPORTEDCAPS, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GET, CAP_EXTENDEDCAPS, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GETCURRENT, CAP_CLEARPAGE, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GET, CAP_FEEDPAGE, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GET, ICAP_GAMMA, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GET, 0x8123, None(), F, TWCC_BADCAP, NoAnswer()}}},
        {"unsupported messages",
         {},
         {{MSG_GETFIRST, ICAP_PIXELTYPE, None(), F, TWCC_BADPROTOCOL, NoAnswer()},
          {MSG_GETNEXT, ICAP_PIXELTYPE, None(), F, TWCC_BADPROTOCOL, NoAnswer()},
          {MSG_QUERYSUPPORT, ICAP_PIXELTYPE, None(), F, TWCC_BADPROTOCOL, NoAnswer()}}},
        {"a container that cannot be made",
         {STATE_OPEN, false, false, false, [] { Heap::Get().failCall = 1; }},
         {{MSG_GET, ICAP_PIXELTYPE, None(), F, TWCC_LOWMEMORY, NoAnswer()}}},

        // Feeder queries.
        {"feeder enabled tells whether a feeder exists",
         {STATE_OPEN, true},
         {{MSG_GET, CAP_FEEDERENABLED, None(), S, 0, Is(TWTY_BOOL, 1)}}},
        {"no feeder: enabled false", {}, {{MSG_GET, CAP_FEEDERENABLED, None(), S, 0, Is(TWTY_BOOL, 0)}}},
        {"feeder loaded asks the scanner",
         {STATE_OPEN, true, false, true},
         {{MSG_GET, CAP_FEEDERLOADED, None(), S, 0, Is(TWTY_BOOL, 1), [] {
               EXPECT_EQ(FeederQueried, 1u);
               EXPECT_EQ(PaperInquiries, 1);
           }}}},
        {"feeder without paper",
         {STATE_OPEN, true},
         {{MSG_GET, CAP_FEEDERLOADED, None(), S, 0, Is(TWTY_BOOL, 0), [] { EXPECT_EQ(FeederQueried, 1u); }}}},
        {"feeder loaded without a feeder",
         {},
         {{MSG_GET, CAP_FEEDERLOADED, None(), F, TWCC_BADCAP, NoAnswer(), [] {
               EXPECT_EQ(FeederQueried, 0u);
               EXPECT_EQ(PaperInquiries, 0);
           }}}},
        {"asking auto-feed switches it off",
         {STATE_OPEN, true, true, false, [] { AutoFeed = 1; }},
         {{MSG_GET, CAP_AUTOFEED, None(), S, 0, Is(TWTY_BOOL, 0), [] { EXPECT_EQ(AutoFeed, 0u); }}}},

        // Settings of the tables.
        {"resolution 300.0 selects index 4",
         {},
         {{MSG_SET, ICAP_XRESOLUTION, One(TWTY_FIX32, Fix32Item(300, 0)), S, 0, NoAnswer(),
           [] { EXPECT_EQ(ResolutionIndex, 4); }},
          {MSG_GET, ICAP_YRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(300, 0))}}},
        {"resolution 301.0 is refused",
         {},
         {{MSG_SET, ICAP_XRESOLUTION, One(TWTY_FIX32, Fix32Item(301, 0)), F, TWCC_BADVALUE, NoAnswer(), NoChange}}},
        {"resolution 300.5 is taken as 300",
         {},
         {{MSG_SET, ICAP_YRESOLUTION, One(TWTY_FIX32, Fix32Item(300, 0x8000)), S, 0, NoAnswer(),
           [] { EXPECT_EQ(ResolutionIndex, 4); }}}},
        {"32-bit values count by their low 16 bits",
         {},
         {{MSG_SET, ICAP_XRESOLUTION, One(TWTY_UINT32, 0x00010000u + 600), S, 0, NoAnswer(),
           [] { EXPECT_EQ(ResolutionIndex, 7); }},
          {MSG_SET, ICAP_UNITS, One(TWTY_INT32, 0xabcd0003u), S, 0, NoAnswer(), [] { EXPECT_EQ(UnitsIndex, 3); }}}},
        {"table values",
         {},
         {{MSG_SET, ICAP_PIXELTYPE, One(TWTY_UINT16, TWPT_BW), S, 0, NoAnswer(), [] { EXPECT_EQ(PixelTypeIndex, 0); }},
          {MSG_SET, ICAP_PIXELTYPE, One(TWTY_UINT16, TWPT_CMY), F, TWCC_BADVALUE, NoAnswer(),
           [] { EXPECT_EQ(PixelTypeIndex, 0); }},
          {MSG_SET, ICAP_UNITS, One(TWTY_UINT8, TWUN_PIXELS), S, 0, NoAnswer(), [] { EXPECT_EQ(UnitsIndex, 5); }},
          {MSG_SET, ICAP_XFERMECH, One(TWTY_INT16, TWSX_NATIVE), S, 0, NoAnswer(), [] { EXPECT_EQ(XferMechIndex, 0); }},
          {MSG_SET, ICAP_IMAGEFILEFORMAT, One(TWTY_UINT16, TWFF_BMP), S, 0, NoAnswer(),
           [] { EXPECT_EQ(FileFormatIndex, 2); }},
          {MSG_SET, ICAP_IMAGEFILEFORMAT, One(TWTY_UINT16, TWFF_JFIF), F, TWCC_BADVALUE, NoAnswer(),
           [] { EXPECT_EQ(FileFormatIndex, 2); }},
          {MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_BW)}}},
        {"supported sizes: unknown sizes are ignored",
         {},
         {{MSG_SET, ICAP_SUPPORTEDSIZES, One(TWTY_UINT16, 8), S, 0, NoAnswer(), [] { EXPECT_EQ(SupportedSizeIndex, 8); }},
          {MSG_SET, ICAP_SUPPORTEDSIZES, One(TWTY_UINT16, 9), S, 0, NoAnswer(), [] { EXPECT_EQ(SupportedSizeIndex, 8); }}}},
        {"transfer count takes any value",
         {},
         {{MSG_SET, CAP_XFERCOUNT, One(TWTY_INT16, 5), S, 0, NoAnswer(), [] { EXPECT_EQ(PendingXfers.Count, 5); }}}},

        // Brightness and contrast.
        {"brightness -1000 is kept, -1001 refused",
         {},
         {{MSG_SET, ICAP_BRIGHTNESS, One(TWTY_FIX32, Fix32Item(-1000, 0)), S, 0, NoAnswer()},
          {MSG_SET, ICAP_BRIGHTNESS, One(TWTY_FIX32, Fix32Item(-1001, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_BRIGHTNESS, None(), S, 0, Is(TWTY_FIX32, Fix32Item(-1000, 0))}}},
        {"contrast limits",
         {},
         {{MSG_SET, ICAP_CONTRAST, One(TWTY_INT16, 1000), S, 0, NoAnswer(), [] { EXPECT_EQ(CapContrast, 1000); }},
          {MSG_SET, ICAP_CONTRAST, One(TWTY_INT16, 1001), F, TWCC_BADVALUE, NoAnswer(), [] { EXPECT_EQ(CapContrast, 1000); }},
          {MSG_SET, ICAP_CONTRAST, One(TWTY_INT8, 0xf6), S, 0, NoAnswer(), [] { EXPECT_EQ(CapContrast, -10); }}}},

        // Enumerations give their first item.
        {"enumeration: ItemList[0], not the current item",
         {},
         {{MSG_SET, ICAP_PIXELTYPE, Enum(TWTY_UINT16, 2, {TWPT_GRAY, TWPT_BW, TWPT_RGB}, 1), S, 0, NoAnswer(),
           [] { EXPECT_EQ(PixelTypeIndex, 1); }},
          {MSG_SET, ICAP_XRESOLUTION, Enum(TWTY_UINT32, 4, {0x7fff012c, 75}, 1), S, 0, NoAnswer(),
           [] { EXPECT_EQ(ResolutionIndex, 4); }},
          {MSG_SET, ICAP_BRIGHTNESS, Enum(TWTY_INT8, 1, {0xfb}), S, 0, NoAnswer(), [] { EXPECT_EQ(CapBrightness, -5); }}}},

        // Containers that cannot be read change nothing.
        {"unreadable containers",
         {},
         {{MSG_SET, ICAP_PIXELTYPE, One(TWTY_BOOL, 0), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, One(TWTY_FRAME, 0), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, One(TWTY_STR32, 0), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, One(0x0055, 0), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Raw(TWON_ONEVALUE, {TWTY_UINT16, 0, 0, 0}), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Enum(TWTY_FIX32, 4, {0}), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Enum(TWTY_BOOL, 2, {0}), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Enum(TWTY_UINT16, 2, {}), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_UNITS, Raw(TWON_ENUMERATION, EnumerationBytes(TWTY_UINT16, 2, {3}, 0, 3)), F, TWCC_BADVALUE,
           NoAnswer()},
          {MSG_SET, ICAP_UNITS, Raw(TWON_ENUMERATION, EnumerationBytes(TWTY_UINT32, 4, {3}, 0, 0x40000001)), F,
           TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_UNITS, Raw(TWON_ENUMERATION, {TWTY_UINT16, 0, 1, 0, 0, 0}), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Raw(TWON_RANGE, OneValueBytes(TWTY_UINT16, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Raw(TWON_ARRAY, OneValueBytes(TWTY_UINT16, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Special(Input::NullHandle), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Special(Input::Unlockable), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Special(Input::Stranger, TWON_ENUMERATION), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_UNITS, Special(Input::NullCapability), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_UNITS, Special(Input::NullCapability), F, TWCC_BADVALUE, NoAnswer(), NoChange}}},

        // Feeder settings.
        {"feeder enabled as TWTY_BOOL is refused",
         {STATE_OPEN, true},
         {{MSG_SET, CAP_FEEDERENABLED, One(TWTY_BOOL, 1), F, TWCC_BADVALUE, NoAnswer(), NoChange}}},
        {"feeder enabled in state 4 selects source 2",
         {STATE_OPEN, true},
         {{MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 1), S, 0, NoAnswer(), [] {
               EXPECT_EQ(FeederSelected, 1u);
               EXPECT_EQ(ScanSettings.ScanSource, SCAN_SOURCE_FEEDER_CAP);
           }},
          {MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 0), S, 0, NoAnswer(), [] {
               EXPECT_EQ(FeederSelected, 0u);
               EXPECT_EQ(ScanSettings.ScanSource, SCAN_SOURCE_REFLECTIVE);
           }}}},
        {"feeder enabled after state 4",
         {STATE_ENABLED, true},
         {{MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 1), F, TWCC_SEQERROR, NoAnswer(), NoChange}}},
        {"feeder enabled without a feeder",
         {STATE_OPEN, false, true, false, [] { ScanSettings.ScanSource = SCAN_SOURCE_FEEDER; }},
         {{MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 1), F, TWCC_BADCAP, NoAnswer(), [] {
               EXPECT_EQ(FeederSelected, 0u);
               EXPECT_EQ(ScanSettings.ScanSource, SCAN_SOURCE_REFLECTIVE);
           }}}},
        {"auto-feed on a selected feeder in state 4",
         {STATE_OPEN, true, true},
         {{MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 1), S, 0, NoAnswer(), [] { EXPECT_EQ(AutoFeed, 1u); }}}},
        {"auto-feed in state 6",
         {STATE_XFER_READY, true, true},
         {{MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 1), F, TWCC_SEQERROR, NoAnswer(), [] { EXPECT_EQ(AutoFeed, 0u); }}}},
        {"auto-feed with the feeder not selected",
         {STATE_OPEN, true, false, false, [] { AutoFeed = 1; }},
         {{MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 1), F, TWCC_BADCAP, NoAnswer(), [] { EXPECT_EQ(AutoFeed, 0u); }}}},
        {"page capabilities cannot be set",
         {STATE_OPEN, true, true},
         {{MSG_SET, CAP_CLEARPAGE, One(TWTY_UINT16, 1), F, TWCC_BADCAP, NoAnswer()},
          {MSG_SET, CAP_FEEDPAGE, One(TWTY_UINT16, 1), F, TWCC_BADCAP, NoAnswer()}}},

        // Other settings.
        {"chunky data asks for post-processing",
         {},
         {{MSG_SET, ICAP_PLANARCHUNKY, One(TWTY_UINT16, TWPC_CHUNKY), S, 0, NoAnswer(),
           [] { EXPECT_EQ(PostProcess, 1u); }},
          {MSG_GET, ICAP_PLANARCHUNKY, None(), S, 0, Is(TWTY_UINT16, TWPC_PLANAR)},
          {MSG_SET, ICAP_PLANARCHUNKY, One(TWTY_UINT16, TWPC_PLANAR), S, 0, NoAnswer(),
           [] { EXPECT_EQ(PostProcess, 0u); }}}},
        {"gamma is accepted without effect and reported as a bad value",
         {},
         {{MSG_SET, ICAP_GAMMA, One(TWTY_FIX32, Fix32Item(2, 0)), S, TWCC_BADVALUE, NoAnswer(), NoChange},
          {MSG_SET, CAP_INDICATORS, One(TWTY_UINT16, 1), S, TWCC_BADVALUE, NoAnswer()}}},

        // Reset.
        {"reset of units resets every index but keeps brightness",
         {STATE_OPEN, false, false, false,
          [] {
              UnitsIndex = 3;
              PixelTypeIndex = 0;
              ResolutionIndex = 7;
              XferMechIndex = 0;
              FileFormatIndex = 2;
              SupportedSizeIndex = 4;
              CapBrightness = 50;
          }},
         {{MSG_RESET, ICAP_UNITS, None(), S, 0, Is(TWTY_UINT16, TWUN_INCHES), [] {
               EXPECT_EQ(PixelTypeIndex, 2);
               EXPECT_EQ(ResolutionIndex, 1);
               EXPECT_EQ(XferMechIndex, 2);
               EXPECT_EQ(FileFormatIndex, 0);
               EXPECT_EQ(SupportedSizeIndex, 0);
               EXPECT_EQ(CapBrightness, 50);
           }},
          {MSG_GET, ICAP_XRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(100, 0))}}},
        {"reset of an unsupported capability resets and refuses",
         {STATE_OPEN, false, false, false, [] { PixelTypeIndex = 1; }},
         {{MSG_RESET, ICAP_GAMMA, None(), F, TWCC_BADCAP, NoAnswer(), [] { EXPECT_EQ(PixelTypeIndex, 2); }}}},
    };
    return cases;
}

class StandardCapabilities : public testing::Test {
protected:
    void SetUp() override {
        savedSettings_ = ScanSettings;
        savedState_ = SessionState;
        savedPending_ = PendingXfers;
        savedFeeder_[0] = FeederInstalled;
        savedFeeder_[1] = FeederSelected;
    }
    void TearDown() override {
        ScanSettings = savedSettings_;
        SessionState = savedState_;
        PendingXfers = savedPending_;
        FeederInstalled = savedFeeder_[0];
        FeederSelected = savedFeeder_[1];
        ResetCapabilityState();
        AutoFeed = FeederQueried = PostProcess = 0;
        Heap::Get().Clear();
    }
    void Arrange(const Given& setup) {
        Heap::Get().Clear();
        ResetCapabilityState();
        AutoFeed = FeederQueried = PostProcess = 0;
        PendingXfers.Count = 0xffff;
        SessionState = setup.state;
        FeederInstalled = setup.feeder;
        FeederSelected = setup.selected;
        ScanSettings.ScanSource = SCAN_SOURCE_REFLECTIVE;
        PaperLoaded = setup.paper;
        PaperInquiries = 0;
        if (setup.prepare) setup.prepare();
    }
    ScanSettingsRecord savedSettings_;
    TW_UINT16 savedState_;
    TW_PENDINGXFERS savedPending_;
    uint32_t savedFeeder_[2];
};

}  // namespace

TEST_F(StandardCapabilities, EveryRow) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        Arrange(c.given);
        int stepNumber = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(testing::Message() << "step " << ++stepNumber);
            Heap& heap = Heap::Get();
            int madeBefore = heap.SourceBlocks();
            TW_HANDLE given = nullptr;
            switch (step.in.kind) {
            case Input::Bytes: given = heap.Add(step.in.bytes); break;
            case Input::Unlockable: given = heap.Add(OneValueBytes(TWTY_UINT16, 0), false, false); break;
            case Input::Stranger: given = Heap::Stranger(); break;
            default: break;
            }
            TW_CAPABILITY cap;
            cap.Cap = step.cap;
            cap.ConType = step.in.conType;
            cap.hContainer = given;
            SetResult(TWRC_CHECKSTATUS, TWCC_BUMMER);
            StandardCapabilityHandler(step.msg, step.in.kind == Input::NullCapability ? nullptr : &cap,
                                      TestMemory(), FakePaperLoaded);
            EXPECT_EQ(ReturnCode, step.rc);
            EXPECT_EQ(ConditionCode, step.cc);
            EXPECT_EQ(heap.Locked(), 0) << "a block was left locked";
            if (step.in.kind == Input::Bytes) {
                EXPECT_EQ(heap.Find(given)->bytes, step.in.bytes);
            }
            TW_HANDLE answered = cap.hContainer;
            if (step.out.present) {
                EXPECT_EQ(cap.ConType, TWON_ONEVALUE);
                Block* block = heap.Find(answered);
                ASSERT_NE(block, nullptr);
                EXPECT_TRUE(block->madeBySource);
                ASSERT_EQ(block->bytes.size(), 6u);
                EXPECT_EQ(Get16(block->bytes, 0), step.out.type);
                EXPECT_EQ(Get32(block->bytes, 2), step.out.item);
                EXPECT_EQ(heap.SourceBlocks(), madeBefore + 1);
            } else {
                EXPECT_EQ(answered, given);
                EXPECT_EQ(cap.ConType, step.in.conType);
                EXPECT_EQ(heap.SourceBlocks(), madeBefore);
            }
            if (step.verify) step.verify();
        }
    }
}
