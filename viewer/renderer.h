#pragma once
// Drawing a frame with OpenGL's fixed-function pipeline: the one place that calls GL for the picture.

#include <map>
#include <utility>
#include <vector>

#include "viewer/frame.h"
#include "viewer/glyphs.h"
#include "viewer/text.h"

// The characters a look has drawn so far, each in a cell of one texture, made as frames need them.
struct GlyphSheet {
    unsigned texture = 0;
    GlyphCell cell;
    int columns = 0;
    int rows = 0;
    std::map<std::pair<char32_t, int>, int> slots;  // a character at a phase: its cell's number
    std::vector<GlyphInk> inks;                      // for each cell, where in it the ink lies
};

// What a window keeps from one frame to the next for its text: a sheet of characters for each look,
// and the strokes of texts too large for any sheet.
struct TextCache {
    std::map<GlyphLook, GlyphSheet> sheets;
    StrokeCache strokes;
};

// Clears the window and draws the frame's shapes in their order, in window pixels, each from an
// array, their texts' characters from `text`'s sheets; the clipped ones kept to the picture. Does
// not swap the buffers.
void drawFrame(const Frame& frame, TextCache& text);
