#pragma once
// The window's text: strings in the toolkit's monospaced roman stroke font, as strokes, so that a
// frame's text is drawn from arrays and written as SVG the same way.

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
