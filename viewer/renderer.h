#pragma once
// Drawing the scene with OpenGL's fixed-function immediate mode.

#include "geometry/records.h"

// The toolkit's display and idle callback: clears, draws circles, lines, segments and points (in
// that order, each list front to back), then flushes and swaps the buffers.
void display();

// One glColor3f for the codes 0..9; any other code makes no GL call at all.
void setColour(Colour code);

void drawSegment(const Segment& segment);
void drawLine(const Line& line);
void drawCircle(const Circle& circle);
