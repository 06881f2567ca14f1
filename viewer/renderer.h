#pragma once
// Drawing a frame with OpenGL's fixed-function pipeline: the one place that calls GL for the picture.

#include <map>
#include <string>

#include "viewer/frame.h"
#include "viewer/text.h"

// The strokes of every string drawn so far: a string is turned into strokes once and kept.
using StrokeCache = std::map<std::string, TextStrokes>;

// Clears the window and draws the frame's shapes in their order, in window pixels, each from an
// array; the clipped ones kept to the picture. Does not swap the buffers.
void drawFrame(const Frame& frame, StrokeCache& strokes);
