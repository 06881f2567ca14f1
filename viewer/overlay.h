#pragma once
// Drawing a frame of the window: the scene in the picture's part of the window, as far as the page
// shows it, the page's marks, the vertex numbers, and, around the picture, the caption band, the
// stack panel, the footer of editing, the hint and the help panel.

#include "viewer/camera.h"
#include "viewer/layout.h"
#include "viewer/workbench.h"

// Draws the whole frame and swaps the buffers; the camera must already be framed in the layout's
// picture. On the full picture with no numbers and no help it draws what the renderer's display
// does, and the hint in the corner below the polygon. While editing, the grid (when snapping) lies
// under the polygon, a new polygon under way is drawn as far as it goes, and the footer says what
// the keys do.
void drawFrame(const Workbench& bench, const PageLayout& page);
