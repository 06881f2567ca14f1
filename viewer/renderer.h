#pragma once
// Drawing the scene with OpenGL's fixed-function immediate mode.

#include "geometry/records.h"

// Where the numbers handed to GL come from: a scene point p goes to GL as (p - centre) / unit,
// worked out in double. GL works in single precision, so the window sets the frame to the middle
// and the size of the polygon's bounds, and GL then only ever sees numbers near 1, however large
// or small the polygon and wherever it lies. The default frame hands scene coordinates over as
// they are. Everything drawn at a scene position goes through toGl: vertices, raster positions.
struct GlFrame {
    double centreX = 0.0;
    double centreY = 0.0;
    double unit = 1.0;
};

// The one frame of the program, in force for every drawing call.
extern GlFrame glFrame;

struct GlPoint {
    float x;
    float y;
    float z;
};

// The GL coordinates of the scene point (x, y, z) in the frame in force.
GlPoint toGl(double x, double y, double z);

// One glVertex3f for the scene point, through toGl.
void sceneVertex(double x, double y, double z);
void sceneVertex(const Point& p);

// The whole scene as one frame: clears, draws circles, lines, segments and points (in
// that order, each list front to back), then flushes and swaps the buffers.
void display();

// The clear that begins every frame: colour and depth.
void clearFrame();

// What display draws between the clear and the flush: the lists, with only the first
// `segmentLimit` segments. With a positive `outlineWidth`, black segments (the outline) are drawn
// that many pixels wide and the others (the diagonals) `diagonalWidth`; else the line width is left
// as it is.
void drawScene(int segmentLimit, float outlineWidth, float diagonalWidth);

// One glColor3f for the codes 0..9; any other code makes no GL call at all.
void setColour(Colour code);

void drawSegment(const Segment& segment);
void drawLine(const Line& line);
void drawCircle(const Circle& circle);
