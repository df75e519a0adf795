// Capability negotiation through the source manager and the installed
// PLNX_Q7B.DS: the containers an application receives (moveable global
// blocks, unlocked, of the container's exact size), the settings it makes and
// the containers it hands in, for the standard handler and for the host
// whose ProductName selects the host profile.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "string_ids.h"
#include "tests/wine/harness/twain_app.h"

using namespace twtest;

namespace {

const char DefaultName[] = "Korvan F/B Scanner (N)";
const char SimulatorSection[] = "PLNX_Q7B Simulator";

uint32_t Fix32Item(int16_t whole, uint16_t frac) { return (uint32_t)(uint16_t)whole | ((uint32_t)frac << 16); }

uint16_t Get16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) { return (uint32_t)Get16(p) | ((uint32_t)Get16(p + 2) << 16); }

HGLOBAL BlockOf(const std::vector<uint8_t>& bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!h) return nullptr;
    memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

std::vector<uint8_t> OneValueBytes(TW_UINT16 type, TW_UINT32 item) {
    uint8_t b[6];
    b[0] = (uint8_t)type;
    b[1] = (uint8_t)(type >> 8);
    for (int i = 0; i < 4; ++i) b[2 + i] = (uint8_t)(item >> (8 * i));
    return std::vector<uint8_t>(b, b + 6);
}

// An enumeration of 16-bit items with one spare byte; `numItems` may lie.
std::vector<uint8_t> Enum16Bytes(const std::vector<uint16_t>& items, uint32_t current, uint32_t numItems) {
    std::vector<uint8_t> v = {TWTY_UINT16, 0};
    for (uint32_t x : {numItems, current, 0u})
        for (int i = 0; i < 4; ++i) v.push_back((uint8_t)(x >> (8 * i)));
    for (uint16_t item : items) {
        v.push_back((uint8_t)item);
        v.push_back((uint8_t)(item >> 8));
    }
    v.push_back(0);
    return v;
}

// The container handed to the source.
struct Input {
    enum Kind { Nothing, Bytes, NullHandle, FreedHandle, NullData } kind = Nothing;
    TW_UINT16 conType = TWON_DONTCARE16;
    std::vector<uint8_t> bytes;
};
Input None() { return {}; }
Input One(TW_UINT16 type, TW_UINT32 item) { return {Input::Bytes, TWON_ONEVALUE, OneValueBytes(type, item)}; }
Input Raw(TW_UINT16 conType, std::vector<uint8_t> bytes) { return {Input::Bytes, conType, bytes}; }
Input Special(Input::Kind kind) { return {kind, TWON_ONEVALUE, {}}; }

// The block expected back: nothing, a one value, an enumeration of 16- or
// 32-bit items, or a text block whose handle is the Item.
struct Answer {
    enum Kind { Nothing, OneValue, Enumeration, Text } kind = Nothing;
    TW_UINT16 type = 0;
    std::vector<uint32_t> items;
    uint32_t current = 0, deflt = 0;
    SIZE_T textSize = 0;
    std::string text;
    bool isTime = false;  // the text is checked by its shape
};
Answer NoAnswer() { return {}; }
Answer Is(TW_UINT16 type, uint32_t item) {
    Answer a;
    a.kind = Answer::OneValue;
    a.type = type;
    a.items = {item};
    return a;
}
Answer EnumOf(TW_UINT16 type, std::vector<uint32_t> items, uint32_t current, uint32_t deflt) {
    Answer a;
    a.kind = Answer::Enumeration;
    a.type = type;
    a.items = items;
    a.current = current;
    a.deflt = deflt;
    return a;
}
Answer TextOf(SIZE_T size, const std::string& text, bool isTime = false) {
    Answer a;
    a.kind = Answer::Text;
    a.textSize = size;
    a.text = text;
    a.isTime = isTime;
    return a;
}

// English string `id` as the module's string table holds it (this program
// carries the same resources).
std::string ResourceText(UINT id) {
    char text[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

struct Step {
    TW_UINT16 msg, cap;
    Input in;
    TW_UINT16 rc, cc;  // cc: the source's status afterwards, also after a success
    Answer out;
};

struct Case {
    const char* name;
    bool feeder;  // the simulated scanner has a feeder with paper
    std::vector<Step> steps;
};

const TW_UINT16 S = TWRC_SUCCESS, F = TWRC_FAILURE;

// A block the source handed out: moveable, unlocked, `size` bytes. Returns
// its locked bytes (unlock with GlobalUnlock) or null.
const uint8_t* OpenAnswerBlock(HGLOBAL h, SIZE_T size) {
    EXPECT_NE(h, nullptr);
    if (!h) return nullptr;
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u) << "handed out locked";
    EXPECT_EQ(GlobalSize(h), size);
    const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(h));
    EXPECT_NE(p, nullptr);
    EXPECT_NE(static_cast<const void*>(p), static_cast<const void*>(h)) << "not a moveable block";
    if (p && GlobalSize(h) < size) {
        GlobalUnlock(h);
        return nullptr;
    }
    return p;
}

void CheckAnswer(const Answer& a, const TW_CAPABILITY& cap) {
    HGLOBAL h = static_cast<HGLOBAL>(cap.hContainer);
    if (a.kind == Answer::Enumeration) {
        EXPECT_EQ(cap.ConType, TWON_ENUMERATION);
        SIZE_T width = a.type == TWTY_UINT32 ? 4 : 2;
        const uint8_t* p = OpenAnswerBlock(h, width * a.items.size() + 15);
        if (!p) return;
        EXPECT_EQ(Get16(p), a.type);
        EXPECT_EQ(Get32(p + 2), a.items.size());
        EXPECT_EQ(Get32(p + 6), a.current);
        EXPECT_EQ(Get32(p + 10), a.deflt);
        for (size_t i = 0; i < a.items.size(); ++i)
            EXPECT_EQ(width == 4 ? Get32(p + 14 + 4 * i) : Get16(p + 14 + 2 * i), a.items[i]) << "item " << i;
        GlobalUnlock(h);
        GlobalFree(h);
        return;
    }
    EXPECT_EQ(cap.ConType, TWON_ONEVALUE);
    const uint8_t* p = OpenAnswerBlock(h, 6);
    if (!p) return;
    TW_UINT16 type = Get16(p);
    uint32_t item = Get32(p + 2);
    GlobalUnlock(h);
    GlobalFree(h);
    if (a.kind == Answer::OneValue) {
        EXPECT_EQ(type, a.type);
        EXPECT_EQ(item, a.items[0]);
        return;
    }
    // A text: the Item is the handle of the text block.
    EXPECT_EQ(type, TWTY_UINT32);
    HGLOBAL textBlock = reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(item));
    const uint8_t* text = OpenAnswerBlock(textBlock, a.textSize);
    if (!text) return;
    std::string got(reinterpret_cast<const char*>(text), strnlen(reinterpret_cast<const char*>(text), a.textSize));
    EXPECT_LT(got.size(), a.textSize);
    if (!a.isTime) {
        EXPECT_EQ(got, a.text);
    } else {
        // "Wed Jun  5 09:04:01 1996\n"
        ASSERT_EQ(got.size(), 25u) << got;
        EXPECT_EQ(got.substr(3, 1) + got.substr(7, 1) + got.substr(10, 1) + got.substr(19, 1), "    ") << got;
        EXPECT_EQ(got.substr(13, 1) + got.substr(16, 1), "::") << got;
        EXPECT_EQ(got.back(), '\n');
    }
    GlobalUnlock(textBlock);
    GlobalFree(textBlock);
}

void RunStep(TwainSession& session, const Step& step) {
    HGLOBAL given = nullptr;
    if (step.in.kind == Input::Bytes) given = BlockOf(step.in.bytes);
    if (step.in.kind == Input::FreedHandle) {
        given = BlockOf(OneValueBytes(TWTY_UINT16, 0));
        GlobalFree(given);
    }
    TW_CAPABILITY cap;
    cap.Cap = step.cap;
    cap.ConType = step.in.conType;
    cap.hContainer = given;
    TW_UINT16 rc = session.Call(&session.Source(), DG_CONTROL, DAT_CAPABILITY, step.msg,
                                step.in.kind == Input::NullData ? nullptr : &cap);
    EXPECT_EQ(rc, step.rc);
    EXPECT_EQ(session.StatusOf(&session.Source()), step.cc);
    if (step.in.kind == Input::Bytes) {
        EXPECT_EQ(GlobalFlags(given) & GMEM_LOCKCOUNT, 0u) << "the application's block stays locked";
        const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(given));
        EXPECT_EQ(std::vector<uint8_t>(p, p + step.in.bytes.size()), step.in.bytes);
        GlobalUnlock(given);
    }
    TW_HANDLE answered = cap.hContainer;  // a copy: the member is not aligned for a reference
    if (step.out.kind == Answer::Nothing) {
        EXPECT_EQ(answered, static_cast<TW_HANDLE>(given));
    } else {
        EXPECT_NE(answered, static_cast<TW_HANDLE>(given));
        CheckAnswer(step.out, cap);
    }
    if (step.in.kind == Input::Bytes) GlobalFree(given);
}

void RunCases(const std::vector<Case>& cases, const char* productName) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinIniSectionGuard simulator(SimulatorSection);
        winini::WriteKey(SimulatorSection, "FeederInstalled", c.feeder ? "1" : "0");
        winini::WriteKey(SimulatorSection, "PaperLoaded", c.feeder ? "1" : "0");
        TwainSession session;
        strcpy(session.App().ProductName, productName);
        ASSERT_TRUE(session.Start(DefaultName));
        int n = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(testing::Message() << "step " << ++n);
            RunStep(session, step);
        }
    }
}

}  // namespace

TEST(Capabilities, StandardHandler) {
    const std::vector<Case> cases = {
        {"pixel type after open is one value RGB",
         false,
         {{MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_RGB)},
          {MSG_GET, ICAP_XRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(100, 0))},
          {MSG_GET, CAP_XFERCOUNT, None(), S, 0, Is(TWTY_INT16, 0xffffffffu)},
          {MSG_GET, CAP_FEEDERENABLED, None(), S, 0, Is(TWTY_BOOL, 0)},
          {MSG_GET, CAP_FEEDERLOADED, None(), F, TWCC_BADCAP, NoAnswer()}}},
        {"resolution 300.0, 301.0 and 300.5",
         false,
         {{MSG_SET, ICAP_XRESOLUTION, One(TWTY_FIX32, Fix32Item(300, 0)), S, 0, NoAnswer()},
          {MSG_GETCURRENT, ICAP_YRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(300, 0))},
          {MSG_SET, ICAP_XRESOLUTION, One(TWTY_FIX32, Fix32Item(75, 0)), S, 0, NoAnswer()},
          {MSG_SET, ICAP_XRESOLUTION, One(TWTY_FIX32, Fix32Item(301, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_XRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(75, 0))},
          {MSG_SET, ICAP_XRESOLUTION, One(TWTY_FIX32, Fix32Item(300, 0x8000)), S, 0, NoAnswer()},
          {MSG_GET, ICAP_XRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(300, 0))}}},
        {"brightness limits",
         false,
         {{MSG_SET, ICAP_BRIGHTNESS, One(TWTY_FIX32, Fix32Item(-1000, 0)), S, 0, NoAnswer()},
          {MSG_SET, ICAP_BRIGHTNESS, One(TWTY_FIX32, Fix32Item(-1001, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_BRIGHTNESS, None(), S, 0, Is(TWTY_FIX32, Fix32Item(-1000, 0))}}},
        {"reset of units resets pixel type and resolution",
         false,
         {{MSG_SET, ICAP_UNITS, One(TWTY_UINT16, TWUN_POINTS), S, 0, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, One(TWTY_UINT16, TWPT_GRAY), S, 0, NoAnswer()},
          {MSG_SET, ICAP_XRESOLUTION, One(TWTY_UINT32, 600), S, 0, NoAnswer()},
          {MSG_RESET, ICAP_UNITS, None(), S, 0, Is(TWTY_UINT16, TWUN_INCHES)},
          {MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_RGB)},
          {MSG_GET, ICAP_XRESOLUTION, None(), S, 0, Is(TWTY_FIX32, Fix32Item(100, 0))}}},
        {"enumeration gives ItemList[0]",
         false,
         {{MSG_SET, ICAP_PIXELTYPE, Raw(TWON_ENUMERATION, Enum16Bytes({TWPT_BW, TWPT_GRAY}, 1, 2)), S, 0, NoAnswer()},
          {MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_BW)}}},
        {"gamma is taken and reported as a bad value",
         false,
         {{MSG_SET, ICAP_GAMMA, One(TWTY_FIX32, Fix32Item(2, 0)), S, TWCC_BADVALUE, NoAnswer()}}},
        {"unsupported capabilities and messages",
         false,
         {{MSG_GET, CAP_SUPPORTEDCAPS, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GETFIRST, ICAP_PIXELTYPE, None(), F, TWCC_BADPROTOCOL, NoAnswer()}}},
        {"containers that cannot be read",
         false,
         {{MSG_SET, ICAP_PIXELTYPE, Special(Input::NullHandle), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Special(Input::FreedHandle), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Special(Input::NullData), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_PIXELTYPE, Special(Input::NullData), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Raw(TWON_ENUMERATION, Enum16Bytes({}, 0, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Raw(TWON_ENUMERATION, Enum16Bytes({0}, 0, 1000)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, Raw(TWON_RANGE, OneValueBytes(TWTY_UINT16, 0)), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_SET, ICAP_PIXELTYPE, One(0x0077, 0), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_RGB)}}},
        {"feeder enabled on a feeder model",
         true,
         {{MSG_GET, CAP_FEEDERENABLED, None(), S, 0, Is(TWTY_BOOL, 1)},
          {MSG_SET, CAP_FEEDERENABLED, One(TWTY_BOOL, 0), F, TWCC_BADVALUE, NoAnswer()},
          // Still selected (paper was loaded at open): auto-feed may be set.
          {MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 0), S, 0, NoAnswer()},
          {MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 0), S, 0, NoAnswer()},
          {MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 0), F, TWCC_BADCAP, NoAnswer()},
          {MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 1), S, 0, NoAnswer()},
          {MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 1), S, 0, NoAnswer()},
          {MSG_GET, CAP_AUTOFEED, None(), S, 0, Is(TWTY_BOOL, 0)},
          {MSG_GET, CAP_FEEDERLOADED, None(), S, 0, Is(TWTY_BOOL, 1)}}},
        {"feeder enabled without a feeder",
         false,
         {{MSG_SET, CAP_FEEDERENABLED, One(TWTY_UINT16, 1), F, TWCC_BADCAP, NoAnswer()},
          {MSG_SET, CAP_AUTOFEED, One(TWTY_UINT16, 1), F, TWCC_BADCAP, NoAnswer()}}},
    };
    RunCases(cases, "wine_tests");
}

TEST(Capabilities, HostProfile) {
    const std::vector<Case> cases = {
        {"enumerations and their single values",
         false,
         {{MSG_GET, ICAP_PIXELTYPE, None(), S, 0, EnumOf(TWTY_UINT16, {0, 1, 2, 3}, 2, 2)},
          {MSG_GETCURRENT, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_RGB)},
          {MSG_GET, ICAP_UNITS, None(), S, 0, EnumOf(TWTY_UINT16, {0, 1, 2, 3, 4, 5}, 0, 0)},
          {MSG_GET, ICAP_XFERMECH, None(), S, 0, EnumOf(TWTY_UINT16, {0, 1, 2}, 2, 2)},
          {MSG_GET, ICAP_IMAGEFILEFORMAT, None(), S, 0, EnumOf(TWTY_UINT16, {0, 1, 2, 3}, 0, 0)},
          {MSG_GET, ICAP_XRESOLUTION, None(), S, 0,
           EnumOf(TWTY_UINT32, {75, 100, 150, 200, 300, 400, 500, 600}, 1, 1)},
          {MSG_GETDEFAULT, ICAP_YRESOLUTION, None(), S, 0, Is(TWTY_UINT32, 100)}}},
        {"settings are ignored",
         false,
         {{MSG_SET, ICAP_PIXELTYPE, One(TWTY_UINT16, TWPT_BW), S, 0, NoAnswer()},
          {MSG_GETCURRENT, ICAP_PIXELTYPE, None(), S, 0, Is(TWTY_UINT16, TWPT_RGB)},
          {MSG_SET, CAP_XFERCOUNT, One(TWTY_INT16, 3), S, 0, Is(TWTY_INT16, 0xffffffffu)}}},
        {"fixed answers and refusals",
         false,
         {{MSG_GET, ICAP_LIGHTSOURCE, None(), S, 0, Is(TWTY_UINT16, 4)},
          {MSG_SET, ICAP_BRIGHTNESS, One(TWTY_FIX32, 0), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, ICAP_GAMMA, None(), F, TWCC_BADVALUE, NoAnswer()},
          {MSG_GET, CAP_SUPPORTEDCAPS, None(), F, TWCC_BADCAP, NoAnswer()},
          {MSG_GET, ICAP_PIXELTYPE, Special(Input::NullData), F, TWCC_BADVALUE, NoAnswer()}}},
        {"text blocks",
         false,
         {{MSG_GET, CAP_CAPTION, None(), S, 0, TextOf(256, "Korvan Scanners")},
          {MSG_GET, CAP_TIMEDATE, None(), S, 0, TextOf(66, "", true)},
          {MSG_GET, CAP_AUTHOR, None(), S, 0, TextOf(130, ResourceText(IDS_AUTHOR))}}},
    };
    RunCases(cases, "Microsoft Publisher");
}
