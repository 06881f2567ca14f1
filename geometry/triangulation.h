#pragma once
// Triangulating a y-monotone polygon with a stack sweep from the highest vertex down.

#include <cstdio>

#include "geometry/records.h"

struct Scene;

// Negative when a lies higher than b, positive when lower, zero for equal ordinates.
int compareByOrdinateDesc(const Point& a, const Point& b);

// The order in which the sweep visits the vertices (indices into `vertices`): the highest vertex,
// then both chains walked down from it and merged by ordinate, each in its own boundary order, the
// lowest vertex last. Returns the number of indices written (vertexCount, or 0 outside 0..100).
int sweepOrder(const Point* vertices, int vertexCount, int* order);

// Prints the vertices in sweep order and adds the diagonals of a triangulation to `target` (the
// program's scene unless given): Red from the opposite-chain and last-vertex steps, Blue from the
// same-chain step. The polygon is trusted to be simple and y-monotone.
void triangulateMonotone(const Point* vertices, int vertexCount, std::FILE* out = stdout);
void triangulateMonotone(const Point* vertices, int vertexCount, std::FILE* out, Scene& target);
