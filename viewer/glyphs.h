#pragma once
// The stroke font's characters as pictures of pixels, for a window that draws its text as small
// images instead of thousands of line segments: each character's strokes at a size and a pen's width
// made once into how much of each pixel the pen covers, then drawn wherever the text puts it.

#include <vector>

// How a character is drawn: the font's units to pixels across and up, the pen's width in pixels,
// antialiased (coverage) or not (a pixel is ink or not).
struct GlyphLook {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float width = 1.0f;
    bool smooth = true;
};
bool operator<(const GlyphLook& a, const GlyphLook& b);

// The pixels every character of a look may touch, the same for all of them: `width` by `height`,
// the pen's origin `left` pixels from their left edge and `below` pixels above their bottom edge.
struct GlyphCell {
    int width = 0;
    int height = 0;
    int left = 0;
    int below = 0;
};
GlyphCell glyphCell(const GlyphLook& look);

// Every character the font draws: ASCII's printable ones and the Serbian letters.
const std::vector<char32_t>& fontCharacters();

// How many ways a character can sit across a pixel: its origin's fraction rounded to a quarter.
inline constexpr int GlyphPhases = 4;

// The character `c` in its cell, its origin `phase` quarters of a pixel right of the cell's origin
// pixel: the pen's coverage of each pixel, 0 to 255, rows from the bottom up.
std::vector<unsigned char> glyphCoverage(char32_t c, const GlyphLook& look, int phase);

// The pixels of a cell that hold ink, as columns and rows from its bottom left (none: empty).
struct GlyphInk {
    int left = 0, bottom = 0, right = 0, top = 0;  // right and top just past the last
};
GlyphInk inkBox(const std::vector<unsigned char>& coverage, const GlyphCell& cell);

// Where a character whose origin is at window x `x` goes: the pixel column of the cell's origin and
// its phase.
struct GlyphPlace {
    int column = 0;
    int phase = 0;
};
GlyphPlace glyphPlace(double x);
