#pragma once
// The process-wide store of everything the window shows.

#include <list>

#include "geometry/judgement.h"
#include "geometry/records.h"

struct Scene {
    // Declared (so created) in this order and destroyed in reverse at exit.
    std::list<Point> points;
    std::list<Segment> segments;
    std::list<Line> lines;
    std::list<Circle> circles;
    // The exact bounding rectangle (x and y) of every segment endpoint added. Before the first
    // addition the rectangle is empty: boundsMin is +infinity and boundsMax -infinity.
    Point boundsMin = emptyMin();
    Point boundsMax = emptyMax();

    static Point emptyMin();
    static Point emptyMax();
};

// The one scene of the program.
extern Scene scene;

// Stamps `colour` on the copy, appends it, then widens the bounds by its two endpoints.
void addSegment(Scene& target, Colour colour, Segment segment);
void addSegment(Colour colour, Segment segment);

// True while no endpoint with a usable x and y has widened the bounds.
bool boundsEmpty(const Scene& target);

// Makes the scene the picture of a judged polygon, anew: its outline (the edges from each vertex to
// the next, then the closing edge from the first vertex to the last), in black, and for a
// triangulated one the diagonals in the order of the sweep's steps, from the vertex under the sweep
// to the stack entry: red from the opposite-chain and lowest-vertex steps, blue from the same-chain
// step.
void showInScene(Scene& target, const Judgement& judged);
