#pragma once
// The window's own process: the program's process waits for it and ends as soon as the window
// closes, without waiting for the GL driver's threads.

// Forks the window's process and returns in it, with the pipe by which it tells the program's
// process that the window closed; the program's process stays here until then, and ends. Where no
// process can be made, returns -1 and the window runs in this one.
int runInChildProcess();

// Ends the program at once, with everything printed already out: the window leaves the screen (when
// `unmap`: the display is still there to ask), and with status 0 the program's process hears so
// through `closedPipe` and ends; with another status this one ends with it, and the program's
// process with the same. This one ends without anyone waiting for it.
[[noreturn]] void leaveWindow(int closedPipe, bool unmap, int status = 0);
