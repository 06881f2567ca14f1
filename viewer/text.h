#pragma once
// The window's text: strings in the toolkit's monospaced roman stroke font, as strokes, so that a
// frame's text is drawn from arrays and written as SVG the same way.

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
FontGlyph fontGlyph(char c);

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
