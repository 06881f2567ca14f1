#pragma once
// The window: created once on the judged polygon, driven by the keys, the mouse and the clock until
// it is closed.

#include "geometry/judgement.h"
#include "viewer/workbench.h"

// Opens the window on the judged polygon and runs the toolkit's event loop; never returns. Closing
// the window, or Q or Escape as the workbench allows, ends the process at once (through _exit,
// output flushed) with status 0. `consoleLineOpen`: the dialogue's last line is unfinished. The
// pictures (I) and the lesson's PDF (D) look as `pictures` asks. `task`: the task the polygon is, or -1.
[[noreturn]] void runViewer(int argc, char** argv, const Judgement& judged, bool consoleLineOpen,
                            const PictureStyle& pictures, long long task = -1);
