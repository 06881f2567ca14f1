#pragma once
// Exact orientation of float points: the sign is computed without rounding error, so that the
// geometric decisions made with it (simplicity, which side a diagonal runs on) never guess.

#include "geometry/records.h"

// +1 when c lies to the left of the directed line a->b (counter-clockwise turn), -1 when to the
// right, 0 when the three points lie on one line. Only x and y are read.
int orientation(const Point& a, const Point& b, const Point& c);

// Sign of the sum of `count` doubles (at most 16), computed exactly.
int signOfSum(const double* terms, int count);
