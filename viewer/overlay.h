#pragma once
// Drawing a frame of the step mode: the scene as far as the page shows it, the page's marks, the
// vertex numbers, the caption and the help panel.

#include "viewer/walkthrough.h"

// Draws the whole frame and swaps the buffers. `ring` is the radius of a ring in scene units. On
// the full picture with no numbers and no help it draws exactly what the renderer's display does.
void drawWalkthrough(const Walkthrough& shown, const StepView& view, double ring, int viewportWidth,
                     int viewportHeight);
