#pragma once
// The window: created once, framed on the scene, driven by the mouse and the keys until it is
// closed.

#include "geometry/judgement.h"
#include "viewer/workbench.h"

// Opens the window on the scene and the judged polygon and runs the toolkit's event loop; never
// returns. Closing the window, Q or Escape ends the process at once (through _exit, output flushed)
// with status 0.
[[noreturn]] void runViewer(int argc, char** argv, const Judgement& judged);

void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
void onReshape(int width, int height);
void onWheel(int wheel, int direction, int x, int y);
void onKey(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
