// The host capability profile over test blocks: fixed answers, text blocks,
// enumerations of the listed capabilities, refusals, and the capability
// state it must leave alone.
#include <gtest/gtest.h>

#include <string.h>
#include <time.h>

#include <functional>
#include <string>
#include <vector>

#include "string_ids.h"
#include "tests/host/capability_test_support.h"
#include "twain/capability_host_profile.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

using namespace captest;

namespace {

std::vector<std::pair<unsigned, int>> TextRequests;  // id and buffer size

void FakeLoadText(unsigned id, char* buffer, int size) {
    TextRequests.push_back({id, size});
    const char* text = id == IDS_AUTHOR ? "Test Author" : id == IDS_CAPTION ? "Korvan Scanners" : "";
    snprintf(buffer, (size_t)size, "%s", text);
}

void FakeLocalTime(struct tm* out) {
    memset(out, 0, sizeof *out);
    out->tm_year = 96;
    out->tm_mon = 5;
    out->tm_mday = 5;
    out->tm_wday = 3;
    out->tm_hour = 9;
    out->tm_min = 4;
    out->tm_sec = 1;
}

const HostProfileServices& Services() {
    static const HostProfileServices services = {&TestMemory(), FakeLoadText, FakeLocalTime};
    return services;
}

// The block expected in hContainer.
struct Expect {
    enum Kind { Nothing, OneValue, Enumeration, Text } kind = Nothing;
    TW_UINT16 type = 0;
    std::vector<uint32_t> items;  // one item for OneValue
    uint32_t current = 0, deflt = 0;
    std::string text;
    uint32_t textSize = 0;
    unsigned textId = 0;
};
Expect Nothing() { return {}; }
Expect One(TW_UINT16 type, uint32_t item) {
    Expect e;
    e.kind = Expect::OneValue;
    e.type = type;
    e.items = {item};
    return e;
}
Expect Enum(TW_UINT16 type, std::vector<uint32_t> items, uint32_t current, uint32_t deflt) {
    Expect e;
    e.kind = Expect::Enumeration;
    e.type = type;
    e.items = items;
    e.current = current;
    e.deflt = deflt;
    return e;
}
Expect Text(const char* text, uint32_t size, unsigned id = 0) {
    Expect e;
    e.kind = Expect::Text;
    e.text = text;
    e.textSize = size;
    e.textId = id;
    return e;
}

struct Row {
    std::string name;
    TW_UINT16 msg, cap;
    TW_UINT16 rc, cc;
    Expect out;
    std::function<void()> prepare = nullptr;
    TW_UINT16 state = STATE_OPEN;
    bool nullCapability = false;
};

const TW_UINT16 S = TWRC_SUCCESS, F = TWRC_FAILURE;
const std::vector<uint32_t> Units = {0, 1, 2, 3, 4, 5};
const std::vector<uint32_t> Dpi = {75, 100, 150, 200, 300, 400, 500, 600};

void Indexes135() {
    PixelTypeIndex = 1;
    UnitsIndex = 3;
    ResolutionIndex = 5;
    FileFormatIndex = 2;
    XferMechIndex = 0;
}

std::vector<Row> Rows() {
    std::vector<Row> rows = {
        {"pixel types after open", MSG_GET, ICAP_PIXELTYPE, S, 0, Enum(TWTY_UINT16, {0, 1, 2, 3}, 2, 2)},
        {"pixel types in state 7", MSG_GET, ICAP_PIXELTYPE, S, 0, Enum(TWTY_UINT16, {0, 1, 2, 3}, 2, 2), nullptr,
         STATE_TRANSFERRING},
        {"closed source", MSG_GET, ICAP_PIXELTYPE, F, TWCC_SEQERROR, Nothing(), nullptr, STATE_LOADED},
        {"pixel types, current moved", MSG_GET, ICAP_PIXELTYPE, S, 0, Enum(TWTY_UINT16, {0, 1, 2, 3}, 1, 2), Indexes135},
        {"current pixel type", MSG_GETCURRENT, ICAP_PIXELTYPE, S, 0, One(TWTY_UINT16, 1), Indexes135},
        {"default pixel type", MSG_GETDEFAULT, ICAP_PIXELTYPE, S, 0, One(TWTY_UINT16, TWPT_RGB), Indexes135},
        {"file formats", MSG_GET, ICAP_IMAGEFILEFORMAT, S, 0, Enum(TWTY_UINT16, {0, 1, 2, 3}, 2, 0), Indexes135},
        {"current file format", MSG_GETCURRENT, ICAP_IMAGEFILEFORMAT, S, 0, One(TWTY_UINT16, TWFF_BMP), Indexes135},
        {"default file format", MSG_GETDEFAULT, ICAP_IMAGEFILEFORMAT, S, 0, One(TWTY_UINT16, TWFF_TIFF), Indexes135},
        {"units", MSG_GET, ICAP_UNITS, S, 0, Enum(TWTY_UINT16, Units, 3, 0), Indexes135},
        {"current unit", MSG_GETCURRENT, ICAP_UNITS, S, 0, One(TWTY_UINT16, 3), Indexes135},
        {"default unit", MSG_GETDEFAULT, ICAP_UNITS, S, 0, One(TWTY_UINT16, TWUN_INCHES), Indexes135},
        {"mechanisms", MSG_GET, ICAP_XFERMECH, S, 0, Enum(TWTY_UINT16, {0, 1, 2}, 0, 2), Indexes135},
        {"current mechanism", MSG_GETCURRENT, ICAP_XFERMECH, S, 0, One(TWTY_UINT16, TWSX_NATIVE), Indexes135},
        {"default mechanism", MSG_GETDEFAULT, ICAP_XFERMECH, S, 0, One(TWTY_UINT16, TWSX_MEMORY), Indexes135},
        {"x resolutions", MSG_GET, ICAP_XRESOLUTION, S, 0, Enum(TWTY_UINT32, Dpi, 5, 1), Indexes135},
        {"y resolutions", MSG_GET, ICAP_YRESOLUTION, S, 0, Enum(TWTY_UINT32, Dpi, 1, 1)},
        {"current resolution", MSG_GETCURRENT, ICAP_XRESOLUTION, S, 0, One(TWTY_UINT32, 400), Indexes135},
        {"default resolution is the current one", MSG_GETDEFAULT, ICAP_YRESOLUTION, S, 0, One(TWTY_UINT32, 400),
         Indexes135},
        {"transfer count, also on a set", MSG_SET, CAP_XFERCOUNT, S, 0, One(TWTY_INT16, 0xffffffffu)},
        {"compression, also on a reset", MSG_RESET, ICAP_COMPRESSION, S, 0, One(TWTY_UINT16, 0)},
        {"filter", MSG_GETCURRENT, ICAP_FILTER, S, 0, One(TWTY_UINT16, 3)},
        {"light source", MSG_GET, ICAP_LIGHTSOURCE, S, 0, One(TWTY_UINT16, 4)},
        {"pixel flavor", MSG_GETDEFAULT, ICAP_PIXELFLAVOR, S, 0, One(TWTY_BOOL, 0)},
        {"author", MSG_GET, CAP_AUTHOR, S, 0, Text("Test Author", 130, IDS_AUTHOR)},
        {"caption, also on a set", MSG_SET, CAP_CAPTION, S, 0, Text("Korvan Scanners", 256, IDS_CAPTION)},
        {"time and date", MSG_GET, CAP_TIMEDATE, S, 0, Text("Wed Jun  5 09:04:01 1996\n", 66)},
        {"settings are ignored", MSG_SET, ICAP_PIXELTYPE, S, 0, Nothing(), Indexes135},
        {"resets are ignored", MSG_RESET, ICAP_UNITS, S, 0, Nothing(), Indexes135},
        {"other messages do nothing", MSG_GETFIRST, ICAP_XRESOLUTION, S, 0, Nothing()},
        {"unlisted capability set", MSG_SET, CAP_SUPPORTEDCAPS, S, 0, Nothing()},
        {"unlisted capability", MSG_GET, CAP_SUPPORTEDCAPS, F, TWCC_BADCAP, Nothing()},
        {"feeder not listed", MSG_GETCURRENT, CAP_FEEDERENABLED, F, TWCC_BADCAP, Nothing()},
        {"reserved code", MSG_GETDEFAULT, 0x110b, F, TWCC_BADCAP, Nothing()},
        {"null capability", MSG_GET, ICAP_PIXELTYPE, F, TWCC_BADVALUE, Nothing(), nullptr, STATE_OPEN, true},
        {"null capability while closed", MSG_GET, ICAP_PIXELTYPE, F, TWCC_SEQERROR, Nothing(), nullptr, STATE_LOADED,
         true},
        {"no memory for the enumeration", MSG_GET, ICAP_UNITS, F, TWCC_LOWMEMORY, Nothing(),
         [] { Heap::Get().failCall = 1; }},
        {"no memory for the text", MSG_GET, CAP_CAPTION, F, TWCC_LOWMEMORY, Nothing(), [] { Heap::Get().failCall = 1; }},
        {"no memory for the text's container", MSG_GET, CAP_AUTHOR, F, TWCC_LOWMEMORY, Nothing(),
         [] { Heap::Get().failCall = 2; }},
        {"text handle beyond 32 bits", MSG_GET, CAP_TIMEDATE, F, TWCC_LOWMEMORY, Nothing(),
         [] { Heap::Get().wideHandles = true; }},
    };
    const TW_UINT16 refused[] = {0x1100, 0x1101, 0x1103, 0x1104, 0x1105, 0x1107, 0x1108, 0x1109, 0x110A,
                                 0x110D, 0x1110, 0x1111, 0x1112, 0x1113, 0x1114, 0x1116, 0x1117, 0x111A,
                                 0x111B, 0x111C, 0x111D, 0x111E, 0x1120, 0x1121, 0x1122, 0x1123, 0x1124,
                                 0x1125, 0x1126, 0x1127, 0x1128, 0x112A, 0x112B};
    const TW_UINT16 messages[] = {MSG_GET, MSG_SET, MSG_RESET};
    int n = 0;
    for (TW_UINT16 cap : refused)
        rows.push_back({"refused " + std::to_string(cap), messages[n++ % 3], cap, F, TWCC_BADVALUE, Nothing()});
    return rows;
}

struct StateSnapshot {
    uint16_t v[6];
    int32_t b, c;
    uint32_t autoFeed, queried;
    bool operator==(const StateSnapshot& o) const { return memcmp(this, &o, sizeof o) == 0; }
};
StateSnapshot Snapshot() {
    StateSnapshot s;
    memset(&s, 0, sizeof s);
    uint16_t v[6] = {XferMechIndex, PixelTypeIndex, UnitsIndex, ResolutionIndex, FileFormatIndex, SupportedSizeIndex};
    memcpy(s.v, v, sizeof v);
    s.b = CapBrightness;
    s.c = CapContrast;
    s.autoFeed = AutoFeed;
    s.queried = FeederQueried;
    return s;
}

void CheckBlock(const Expect& e, TW_UINT16 conType, const Block& block) {
    const std::vector<uint8_t>& b = block.bytes;
    EXPECT_TRUE(block.madeBySource);
    EXPECT_FALSE(block.freed);
    switch (e.kind) {
    case Expect::OneValue:
        EXPECT_EQ(conType, TWON_ONEVALUE);
        ASSERT_EQ(b.size(), 6u);
        EXPECT_EQ(Get16(b, 0), e.type);
        EXPECT_EQ(Get32(b, 2), e.items[0]);
        break;
    case Expect::Enumeration: {
        EXPECT_EQ(conType, TWON_ENUMERATION);
        size_t width = e.type == TWTY_UINT32 ? 4 : 2;
        ASSERT_EQ(b.size(), width * e.items.size() + 15);
        EXPECT_EQ(Get16(b, 0), e.type);
        EXPECT_EQ(Get32(b, 2), e.items.size());
        EXPECT_EQ(Get32(b, 6), e.current);
        EXPECT_EQ(Get32(b, 10), e.deflt);
        for (size_t i = 0; i < e.items.size(); ++i)
            EXPECT_EQ(width == 4 ? Get32(b, 14 + 4 * i) : Get16(b, 14 + 2 * i), e.items[i]) << "item " << i;
        break;
    }
    default: break;
    }
}

}  // namespace

TEST(HostCapabilityProfile, EveryRow) {
    Heap& heap = Heap::Get();
    TW_UINT16 savedState = SessionState;
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        heap.Clear();
        ResetCapabilityState();
        AutoFeed = 1;
        FeederQueried = 0;
        TextRequests.clear();
        SessionState = row.state;
        if (row.prepare) row.prepare();
        StateSnapshot before = Snapshot();

        TW_HANDLE given = heap.Add(OneValueBytes(TWTY_UINT16, 1));  // what a set hands in
        TW_CAPABILITY cap;
        cap.Cap = row.cap;
        cap.ConType = TWON_ONEVALUE;
        cap.hContainer = given;
        SetResult(TWRC_CHECKSTATUS, TWCC_BUMMER);
        HostCapabilityProfile(row.msg, row.nullCapability ? nullptr : &cap, Services());

        EXPECT_EQ(ReturnCode, row.rc);
        EXPECT_EQ(ConditionCode, row.cc);
        EXPECT_TRUE(Snapshot() == before) << "capability state changed";
        EXPECT_EQ(heap.Locked(), 0);
        TW_HANDLE answered = cap.hContainer;
        if (row.out.kind == Expect::Nothing) {
            EXPECT_EQ(answered, given);
            EXPECT_EQ(heap.SourceBlocks(), 0) << "a block was made and not handed over";
            continue;
        }
        Block* block = heap.Find(answered);
        ASSERT_NE(block, nullptr);
        if (row.out.kind != Expect::Text) {
            EXPECT_EQ(heap.SourceBlocks(), 1);
            CheckBlock(row.out, cap.ConType, *block);
            continue;
        }
        // A text: a one value whose Item is the handle of the text block.
        EXPECT_EQ(heap.SourceBlocks(), 2);
        EXPECT_EQ(cap.ConType, TWON_ONEVALUE);
        ASSERT_EQ(block->bytes.size(), 6u);
        EXPECT_EQ(Get16(block->bytes, 0), TWTY_UINT32);
        uint32_t item = Get32(block->bytes, 2);
        Block* text = heap.Find(reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(item)));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->madeBySource);
        ASSERT_EQ(text->bytes.size(), row.out.textSize);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(text->bytes.data())), row.out.text);
        EXPECT_EQ(text->bytes.back(), 0);
        if (row.out.textId) {
            ASSERT_EQ(TextRequests.size(), 1u);
            EXPECT_EQ(TextRequests[0].first, row.out.textId);
            EXPECT_EQ(TextRequests[0].second, (int)row.out.textSize);
        }
    }
    heap.Clear();
    SessionState = savedState;
    ResetCapabilityState();
    AutoFeed = 0;
}

TEST(HostCapabilityProfile, TimeDateTextFormat) {
    struct Case {
        int year, mon, mday, wday, hour, min, sec;
        const char* text;
    } cases[] = {
        {96, 5, 5, 3, 9, 4, 1, "Wed Jun  5 09:04:01 1996\n"},
        {126, 11, 31, 4, 23, 59, 59, "Thu Dec 31 23:59:59 2026\n"},
        {100, 0, 1, 6, 0, 0, 0, "Sat Jan  1 00:00:00 2000\n"},
        {100, 12, 1, 7, 0, 0, 0, "??? ???  1 00:00:00 2000\n"},  // fields out of range stay readable
    };
    for (const Case& c : cases) {
        struct tm t;
        memset(&t, 0, sizeof t);
        t.tm_year = c.year;
        t.tm_mon = c.mon;
        t.tm_mday = c.mday;
        t.tm_wday = c.wday;
        t.tm_hour = c.hour;
        t.tm_min = c.min;
        t.tm_sec = c.sec;
        char out[66];
        FormatTimeDate(t, out, sizeof out);
        EXPECT_STREQ(out, c.text);
        EXPECT_EQ(strlen(out), 25u);
    }
    struct tm t;
    memset(&t, 0, sizeof t);
    t.tm_year = 2147483647;  // the year does not overflow, the text is cut to its buffer
    char small[10];
    FormatTimeDate(t, small, sizeof small);
    EXPECT_EQ(strlen(small), 9u);
}
