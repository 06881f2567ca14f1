#pragma once
// The window's own process: the program's process waits for it and ends as soon as the window
// closes, without waiting for the GL driver's threads.

// Forks the window's process and returns in it; the program's process stays here until the window
// closes, then ends. Where no process can be made, returns and the window runs in this one.
void runInChildProcess();

// Ends the program at once, with everything printed already out and status 0: the window leaves
// the screen and the program's process ends; this one ends without anyone waiting for it.
[[noreturn]] void leaveWindow();
