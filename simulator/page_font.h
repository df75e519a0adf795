// A 5 x 7 pixel capital-letter font for the labels and the text block of the
// generated test page.
#ifndef PLNX_SIMULATOR_PAGE_FONT_H
#define PLNX_SIMULATOR_PAGE_FONT_H

const int GLYPH_COLUMNS = 5;
const int GLYPH_ROWS = 7;

// True when pixel (column, row) of the character's glyph is inked. Lower-case
// letters use the capitals; characters without a glyph are blank.
bool GlyphPixel(char c, int column, int row);

#endif
