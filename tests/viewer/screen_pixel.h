#pragma once
// One pixel of the screen, read straight from the X server: quick enough to poll for a frame.

// The red, green and blue of the screen's pixel (x, y) on `display`; false when it cannot be read.
bool screenPixel(const char* display, int x, int y, int& red, int& green, int& blue);
