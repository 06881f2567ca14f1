#pragma once
// The window's text: UTF-8 strings in the toolkit's monospaced roman stroke font, as strokes, so that
// a frame's text is drawn from arrays and written as SVG the same way. The font has ASCII's printable
// characters and the letters of Serbian Latin (č ć š ž đ Č Ć Š Ž Đ); every other character is a blank.

#include <map>
#include <string>
#include <vector>

// A character of the font: how far the next one starts, and its strips (polylines), each a first point
// and a number of points of `points` (x, y pairs in the font's units).
struct FontGlyph {
    float advance;
    const short* strips;
    int stripCount;
    const float* points;
};
FontGlyph fontGlyph(char32_t c);
// True for the characters the font draws: ASCII's printable ones and the Serbian letters.
bool hasGlyph(char32_t c);

// The characters of a UTF-8 string, in order; a byte that begins no well-formed character (a stray
// continuation, a sequence cut short or too long, a surrogate) is one character of its own,
// U+FFFD, so that a string's length and its breaks never fall inside a character.
std::u32string charactersOf(const std::string& s);
// A string of characters back in UTF-8.
std::string utf8Of(const std::u32string& s);
// How many characters a UTF-8 string holds (not bytes): what its width is counted in.
std::size_t characterCount(const std::string& s);

// The font's units: the characters 104.76 apart, a digit or a capital 100 tall.
inline constexpr double FontAdvance = 104.76;
inline constexpr double FontHeight = 100.0;

// A string's strokes in the font's units, its first character's origin at (0, 0): polylines, each a
// first point and a number of points of `points` (x, y pairs).
struct TextStrokes {
    std::vector<float> points;
    std::vector<int> firsts;
    std::vector<int> counts;
};
TextStrokes strokesOf(const std::string& s);

// Strings turned into strokes once and kept, for a window that draws the same texts frame after
// frame. The texts that change with every motion of a drag (a caption with coordinates) would make
// it grow without end, so it starts over when it holds MaxKeptTexts.
using StrokeCache = std::map<std::string, TextStrokes>;
inline constexpr std::size_t MaxKeptTexts = 4096;
const TextStrokes& keptStrokes(StrokeCache& cache, const std::string& s);
