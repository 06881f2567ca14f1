#pragma once
// A frame of the window as data: shapes in window pixels, drawn in their order, which the window
// draws with GL and the pictures for slides write as SVG. Made by a pure function of the page, the
// view and the window's size.

#include <string>
#include <vector>

#include "viewer/camera.h"
#include "viewer/layout.h"
#include "viewer/palette.h"
#include "viewer/text.h"

struct Workbench;

// Lines: pairs of points; a line strip or loop: a run of points; points: squares of `width` pixels
// about each point; triangles: triples; a rectangle: two corners, filled; text: a string in the stroke
// font, its first baseline point in `xy`, scaled from the font's units by `scaleX` and `scaleY`.
enum class ShapeKind { Lines, LineStrip, LineLoop, Points, Triangles, Rect, Text };

struct Shape {
    ShapeKind kind = ShapeKind::Lines;
    Rgba colour;
    float width = 1.0f;       // of a line, or the side of a point
    unsigned short dash = 0;  // a line's dashes, a bit a pixel from the lowest (0: a solid line)
    bool smooth = false;      // lines antialiased and blended on what lies below
    bool clipped = false;     // kept to the picture
    std::vector<float> xy;    // window pixels, x then y, GL's origin at the bottom left
    std::string text;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};

// A line's dashes as the pictures draw them: the lengths in pixels of its runs, on and off in turn
// from an "on", repeated along the line, and how far into them the line starts. The bits of the
// pattern read as the window's do, the lowest for the first pixel; a solid line (0, or every bit
// on) has no runs.
struct DashRuns {
    std::vector<double> lengths;
    double offset = 0.0;
};
DashRuns dashRuns(unsigned short dash);

// A text shape's strokes `t` placed in window pixels: their points' x, y pairs appended to `out`
// (the strips' firsts and counts are t's own).
void placeStrokes(const Shape& s, const TextStrokes& t, std::vector<float>& out);

// How far from the window's corner a frame's coordinates reach, in pixels, on either axis: every
// coordinate of every shape is a finite number within it. What the view puts further out (a huge
// polygon in a tiny window, a zoom far in) is cut at it: a line where it crosses the square, a
// triangle to the part within, a line loop or strip to its lines within; a point or a text beyond
// it is left out. The square is a thousand windows wide, so nothing on the screen changes.
inline constexpr double FrameReach = 1 << 20;

struct Frame {
    int width = WindowWidth;
    int height = WindowHeight;
    Rgba clear;
    PixelRect picture;  // where the clipped shapes are kept
    std::vector<Shape> shapes;
    std::vector<Button> buttons;  // the buttons among the shapes, where they are and what they give
    std::string title;  // the page's place and what it shows, in one line (pageTitle)
};

// The same colour, every channel.
inline bool sameColour(const Rgba& a, const Rgba& b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

// The frame of the window as the workbench now is: its page laid out in its layout (`bench.layout`),
// the picture seen through its view, the panels, bands and help around it, on the paper its style
// asks for (`bench.style`: the window's beige, or white).
Frame frameOf(const Workbench& bench);

// Where a text shape's words go when written in a proportional font (DejaVu Sans) over its strokes:
// the first baseline point, the font's size that makes its capitals and digits as tall as the stroke
// font's (DejaVu's capitals are 0.729 of its size), and the strokes' whole width, to which the words
// are fitted.
struct TextPlacement {
    double x = 0.0;
    double baseline = 0.0;
    double fontSize = 0.0;
    double width = 0.0;
};
inline constexpr double DejaVuCapitalHeight = 0.729;
TextPlacement placementOf(const Shape& s);

// A text shape drawn in the clear colour under its text, so that the text stays legible on lines.
bool isHalo(const Frame& frame, const Shape& s);

// The text of a frame's shapes, top to bottom, halos left out (for what a frame says, not how it looks).
std::vector<std::string> textsOf(const Frame& frame);
