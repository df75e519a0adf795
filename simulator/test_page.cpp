#include "simulator/test_page.h"

#include <math.h>
#include <string.h>

#include <string>
#include <vector>

#include "simulator/page_font.h"

const uint8_t PATCH_COLOURS[PATCH_COUNT][3] = {
    {255, 0, 0},   {0, 255, 0},   {0, 0, 255},   {0, 255, 255},
    {255, 0, 255}, {255, 255, 0}, {255, 128, 0}, {128, 64, 32},
};

const int LINE_PERIODS[LINES_GROUPS] = {48, 32, 24, 16, 12, 8, 6, 4};

namespace {

const char Title[] = "PLNX Q7B SCANNER TEST PAGE";
const int TitleScale = 24, TitleTop = 270;
const char Subtitle[] = "600 DPI BED 8.5 X 11.5 IN";
const int SubtitleScale = 8, SubtitleTop = 470;
const int LabelScale = 8;  // ramp, line and ruler labels
const int RampLabelTop = 1770;
const int LinesLabelTop = 3000;
const char Heading[] = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG";
const int HeadingScale = 10;
const int BodyTop = 4050, BodyScale = 5, BodyPitch = 60;

inline void Set(uint8_t rgb[3], int r, int g, int b) {
    rgb[0] = (uint8_t)r;
    rgb[1] = (uint8_t)g;
    rgb[2] = (uint8_t)b;
}

// Whether (x, y) is inked by `text` drawn with its top-left corner at
// (left, top), each font pixel `scale` points square, one blank column
// between characters.
bool TextInk(const char* text, int length, int left, int top, int scale, int x, int y) {
    if (x < left || y < top) return false;
    int row = (y - top) / scale;
    if (row >= GLYPH_ROWS) return false;
    int cell = (x - left) / scale;
    int index = cell / (GLYPH_COLUMNS + 1);
    if (index >= length) return false;
    return GlyphPixel(text[index], cell % (GLYPH_COLUMNS + 1), row);
}

int TextWidth(int length, int scale) { return length * (GLYPH_COLUMNS + 1) * scale - scale; }

bool CentredTextInk(const char* text, int centre, int top, int scale, int x, int y) {
    int length = (int)strlen(text);
    return TextInk(text, length, centre - TextWidth(length, scale) / 2, top, scale, x, y);
}

// Angle of (dx, dy) in 1/65536 turn, counter-clockwise from +x with y down
// the page, from a table built once; integer arithmetic per point.
int Angle16(int dx, int dy) {
    static std::vector<int> table;  // atan(i / 1024) in 1/65536 turn, i = 0..1024
    if (table.empty()) {
        std::vector<int> t(1025);
        for (int i = 0; i <= 1024; ++i) t[i] = (int)floor(atan(i / 1024.0) * 65536.0 / (8 * atan(1.0)) + 0.5);
        table.swap(t);
    }
    int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    if (ax == 0 && ay == 0) return 0;
    int a = ax >= ay ? table[(int)((int64_t)ay * 1024 / ax)] : 16384 - table[(int)((int64_t)ax * 1024 / ay)];
    if (dx < 0) a = 32768 - a;
    if (dy > 0) a = 65536 - a;  // y grows downwards
    return a & 0xffff;
}

// Full-value colour of a hue in 1/65536 turn, desaturated towards white by
// (255 - saturation).
void HueColour(int hue, int saturation, uint8_t rgb[3]) {
    int h6 = hue * 6;
    int sector = (h6 >> 16) % 6, f = (h6 & 0xffff) >> 8;
    int p = 255 - saturation, q = 255 - saturation * f / 255, t = 255 - saturation * (255 - f) / 255;
    switch (sector) {
    case 0: Set(rgb, 255, t, p); break;
    case 1: Set(rgb, q, 255, p); break;
    case 2: Set(rgb, p, 255, t); break;
    case 3: Set(rgb, p, q, 255); break;
    case 4: Set(rgb, t, p, 255); break;
    default: Set(rgb, 255, p, q); break;
    }
}

uint32_t Mix(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

// The body text: lines of words of 2 to 9 letters, paragraphs of eight
// lines with a blank line between them and a short last line.
const std::vector<std::string>& BodyLines() {
    static std::vector<std::string> lines;
    if (!lines.empty()) return lines;
    const int columns = (TEXT_RIGHT - TEXT_LEFT) / ((GLYPH_COLUMNS + 1) * BodyScale);
    const int count = (TEXT_BOTTOM - BodyTop) / BodyPitch;
    static const char Letters[] = "EEEEETTTAAAOOIINNSSHRRDLCUMWFGYPBVK";
    uint32_t seed = 1;
    std::vector<std::string> made;
    for (int l = 0; l < count; ++l) {
        std::string line;
        int inParagraph = l % 9;
        if (inParagraph == 8) {
            made.push_back(line);
            continue;
        }
        int limit = inParagraph == 7 ? columns / 2 : columns;
        for (;;) {
            int length = 2 + (int)(Mix(seed++) % 8);
            if ((int)line.size() + (line.empty() ? 0 : 1) + length > limit) break;
            if (!line.empty()) line += ' ';
            for (int i = 0; i < length; ++i) line += Letters[Mix(seed++) % (sizeof Letters - 1)];
        }
        made.push_back(line);
    }
    lines.swap(made);
    return lines;
}

void Header(int x, int y, uint8_t rgb[3]) {
    bool ink = CentredTextInk(Title, BED_WIDTH / 2, TitleTop, TitleScale, x, y) ||
               CentredTextInk(Subtitle, BED_WIDTH / 2, SubtitleTop, SubtitleScale, x, y);
    if (ink) Set(rgb, 0, 0, 0);
}

void Patches(int x, int y, uint8_t rgb[3]) {
    if (x < PATCH_LEFT) return;
    int i = (x - PATCH_LEFT) / PATCH_PITCH;
    if (i >= PATCH_COUNT || (x - PATCH_LEFT) % PATCH_PITCH >= PATCH_WIDTH) return;
    Set(rgb, PATCH_COLOURS[i][0], PATCH_COLOURS[i][1], PATCH_COLOURS[i][2]);
}

void Ramp(int x, int y, uint8_t rgb[3]) {
    if (x < RAMP_LEFT || x >= RAMP_LEFT + RAMP_STEPS * RAMP_STEP_WIDTH) return;
    int v = (x - RAMP_LEFT) / RAMP_STEP_WIDTH * RAMP_STEP_VALUE;
    Set(rgb, v, v, v);
}

void RampLabels(int x, int y, uint8_t rgb[3]) {
    if (x < RAMP_LEFT || x >= RAMP_LEFT + RAMP_STEPS * RAMP_STEP_WIDTH) return;
    int k = (x - RAMP_LEFT) / RAMP_STEP_WIDTH;
    char label[8];
    int v = k * RAMP_STEP_VALUE, n = 0;
    if (v >= 100) label[n++] = (char)('0' + v / 100);
    if (v >= 10) label[n++] = (char)('0' + v / 10 % 10);
    label[n++] = (char)('0' + v % 10);
    label[n] = 0;
    if (CentredTextInk(label, RAMP_LEFT + k * RAMP_STEP_WIDTH + RAMP_STEP_WIDTH / 2, RampLabelTop, LabelScale, x, y))
        Set(rgb, 0, 0, 0);
}

void Gradients(int x, int y, uint8_t rgb[3]) {
    if (x < GRADIENT_LEFT || x >= GRADIENT_RIGHT) return;
    int span = GRADIENT_RIGHT - GRADIENT_LEFT - 1;
    if (y < GRADIENT_BOTTOM) {
        int v = (x - GRADIENT_LEFT) * 255 / span;
        Set(rgb, v, v, v);
    } else {
        HueColour((int)((int64_t)(x - GRADIENT_LEFT) * 65535 / span), 255, rgb);
    }
}

void FineLines(int x, int y, uint8_t rgb[3]) {
    if (x < LINES_LEFT) return;
    int g = (x - LINES_LEFT) / LINES_PITCH, within = (x - LINES_LEFT) % LINES_PITCH;
    if (g >= LINES_GROUPS || within >= LINES_WIDTH) return;
    int p = LINE_PERIODS[g];
    bool black = y < VLINES_BOTTOM ? within % p < p / 2 : y >= HLINES_TOP && (y - HLINES_TOP) % p < p / 2;
    if (black) Set(rgb, 0, 0, 0);
}

void LinesLabels(int x, int y, uint8_t rgb[3]) {
    if (x < LINES_LEFT) return;
    int g = (x - LINES_LEFT) / LINES_PITCH;
    if (g >= LINES_GROUPS) return;
    char label[16];
    int lpi = 600 / LINE_PERIODS[g], n = 0;
    if (lpi >= 100) label[n++] = (char)('0' + lpi / 100);
    if (lpi >= 10) label[n++] = (char)('0' + lpi / 10 % 10);
    label[n++] = (char)('0' + lpi % 10);
    memcpy(label + n, " LPI", 5);
    if (CentredTextInk(label, LINES_LEFT + g * LINES_PITCH + LINES_WIDTH / 2, LinesLabelTop, LabelScale, x, y))
        Set(rgb, 0, 0, 0);
}

// 11 lines, each half a period wide and centred on a whole number of
// periods from the centre line; the period shrinks linearly from 50 points
// at the left to 4 at the right.
void Wedge(int x, int y, uint8_t rgb[3]) {
    if (x < WEDGE_LEFT || x >= WEDGE_RIGHT) return;
    const int64_t span = WEDGE_RIGHT - WEDGE_LEFT;
    int64_t period = 50 * span - 46 * (int64_t)(x - WEDGE_LEFT);  // in 1/span point
    int64_t offset = (int64_t)(y - WEDGE_CENTRE) * span * 256;
    int64_t phase = offset >= 0 ? offset / period : -((-offset + period - 1) / period);  // 1/256 period
    int64_t shifted = phase + 64 + 5 * 256;
    if (shifted >= 0 && shifted < 11 * 256 && shifted % 256 < 128) Set(rgb, 0, 0, 0);
}

void Text(int x, int y, uint8_t rgb[3]) {
    if (x < TEXT_LEFT || x >= TEXT_RIGHT) return;
    if (y < BodyTop) {
        if (TextInk(Heading, (int)sizeof Heading - 1, TEXT_LEFT, TEXT_TOP, HeadingScale, x, y)) Set(rgb, 0, 0, 0);
        return;
    }
    const std::vector<std::string>& lines = BodyLines();
    int l = (y - BodyTop) / BodyPitch;
    if (l >= (int)lines.size()) return;
    const std::string& line = lines[l];
    if (TextInk(line.c_str(), (int)line.size(), TEXT_LEFT, BodyTop + l * BodyPitch, BodyScale, x, y))
        Set(rgb, 0, 0, 0);
}

void StarAndWheel(int x, int y, uint8_t rgb[3]) {
    int dx = x - STAR_X, dy = y - STAR_Y;
    if (dx * dx + dy * dy <= STAR_RADIUS * STAR_RADIUS) {
        if (dx * dx + dy * dy <= 6 * 6 || Angle16(dx, dy) * (2 * STAR_SPOKES) / 65536 % 2 == 0) Set(rgb, 0, 0, 0);
        return;
    }
    dx = x - WHEEL_X;
    dy = y - WHEEL_Y;
    int d2 = dx * dx + dy * dy;
    if (d2 <= WHEEL_RADIUS * WHEEL_RADIUS) {
        int radius = (int)sqrt((double)d2);
        HueColour(Angle16(dx, dy), radius * 255 / WHEEL_RADIUS, rgb);
    }
}

void Ruler(int x, int y, uint8_t rgb[3]) {
    if (x < RULER_LEFT - 2 || x >= RULER_RIGHT + 2) return;
    if (y >= RULER_BASELINE && y < RULER_BASELINE + 4) {
        Set(rgb, 0, 0, 0);
        return;
    }
    int at = x - RULER_LEFT + 2;  // ticks 4 points wide, centred on their position
    int tick = at / 60 * 60, offset = at - tick;
    if (offset < 4 && y < RULER_BASELINE && tick <= RULER_RIGHT - RULER_LEFT) {
        int height = tick % 600 == 0 ? 140 : tick % 300 == 0 ? 80 : 40;
        if (y >= RULER_BASELINE - height) {
            Set(rgb, 0, 0, 0);
            return;
        }
    }
    int inch = (x - RULER_LEFT + 300) / 600;
    char label[2] = {(char)('0' + inch), 0};
    if (inch <= 7 && CentredTextInk(label, RULER_LEFT + inch * 600 + 40, RULER_BASELINE - 140, LabelScale, x, y))
        Set(rgb, 0, 0, 0);
}

}  // namespace

void TestPagePixel(int x, int y, uint8_t rgb[3]) {
    Set(rgb, 255, 255, 255);
    if (x < PAGE_MARGIN || y < PAGE_MARGIN || x >= BED_WIDTH - PAGE_MARGIN || y >= BED_LENGTH - PAGE_MARGIN) return;
    if (x < PAGE_MARGIN + PAGE_BORDER_WIDTH || y < PAGE_MARGIN + PAGE_BORDER_WIDTH ||
        x >= BED_WIDTH - PAGE_MARGIN - PAGE_BORDER_WIDTH || y >= BED_LENGTH - PAGE_MARGIN - PAGE_BORDER_WIDTH) {
        Set(rgb, 0, 0, 0);
        return;
    }
    if (y < PATCH_TOP) Header(x, y, rgb);
    else if (y < PATCH_BOTTOM) Patches(x, y, rgb);
    else if (y < RAMP_TOP) return;
    else if (y < RAMP_BOTTOM) Ramp(x, y, rgb);
    else if (y < GRADIENT_TOP) RampLabels(x, y, rgb);
    else if (y < HUE_BOTTOM) Gradients(x, y, rgb);
    else if (y < VLINES_TOP) return;
    else if (y < HLINES_BOTTOM) FineLines(x, y, rgb);
    else if (y < WEDGE_TOP) LinesLabels(x, y, rgb);
    else if (y < WEDGE_BOTTOM) Wedge(x, y, rgb);
    else if (y < TEXT_TOP) return;
    else if (y < TEXT_BOTTOM) {
        if (x < TEXT_RIGHT) Text(x, y, rgb);
        else StarAndWheel(x, y, rgb);
    } else Ruler(x, y, rgb);
}
