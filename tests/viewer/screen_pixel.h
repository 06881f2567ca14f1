#pragma once
// One pixel of the screen, read straight from the X server: quick enough to poll for a frame; and
// the pointer moved at once, as the server's own motion.

// The red, green and blue of the screen's pixel (x, y) on `display`; false when it cannot be read.
bool screenPixel(const char* display, int x, int y, int& red, int& green, int& blue);

// Moves the pointer to the screen position (x, y) of `display`; false when it cannot.
bool warpPointer(const char* display, int x, int y);
