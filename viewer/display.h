#pragma once
// What the window's loop must know of the display that the toolkit does not tell it: the window
// manager's close request (taken before the toolkit sees it, so that the window can stay), the
// window destroyed from outside, and the connection lost.

// Watches the toolkit's current window on its connection; `lost` runs when the connection is gone
// (it must not return: it ends the process).
void watchDisplay(void (*lost)());

// Takes a close request for the window (its close button) waiting on the connection; true when
// there was one.
bool takeCloseRequest();

// True once the window is destroyed by someone else.
bool windowGone();

// Everything the program asked of the display sent; true when events wait to be handled already.
bool flushDisplay();

// The connection's file descriptor, to wait on.
int displayConnection();
