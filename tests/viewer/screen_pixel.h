#pragma once
// One pixel of the screen, read straight from the X server: quick enough to poll for a frame; the
// pointer moved at once, as the server's own motion; and a key sent straight to a window.

#include <vector>

// The red, green and blue of the screen's pixel (x, y) on `display`; false when it cannot be read.
bool screenPixel(const char* display, int x, int y, int& red, int& green, int& blue);

// Moves the pointer to the screen position (x, y) of `display`; false when it cannot.
bool warpPointer(const char* display, int x, int y);

// The bytes of a rectangle of the screen as the server keeps them, to tell one frame from another;
// false when it cannot be read.
bool screenRegion(const char* display, int x, int y, int width, int height, std::vector<unsigned char>& bytes);

// Sends a press and a release of the key `keysym` to `window`; false when it cannot.
bool sendKey(const char* display, unsigned long window, unsigned long keysym);
