#pragma once
// Drawing a frame with OpenGL's fixed-function pipeline: the one place that calls GL for the picture.

#include "viewer/frame.h"
#include "viewer/text.h"

// Clears the window and draws the frame's shapes in their order, in window pixels, each from an
// array, their text's strokes kept in `strokes`; the clipped ones kept to the picture. Does not swap
// the buffers.
void drawFrame(const Frame& frame, StrokeCache& strokes);
