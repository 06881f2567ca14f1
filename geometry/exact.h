#pragma once
// Exact orientation of float points: the sign is computed without rounding error, so that the
// geometric decisions made with it (simplicity, which side a diagonal runs on) never guess.

#include "geometry/records.h"

// The sign of a close call, summed exactly (see orientation).
int orientationOfCloseCall(const Point& a, const Point& b, const Point& c);

// +1 when c lies to the left of the directed line a->b (counter-clockwise turn), -1 when to the
// right, 0 when the three points lie on one line. Only x and y are read.
//
// First the plain evaluation in double, trusted when it clears a bound on its own rounding error
// (inline: the sweeps ask at every step); only close calls go on to the exact sum.
inline int orientation(const Point& a, const Point& b, const Point& c) {
    const double detLeft = (static_cast<double>(a.x) - c.x) * (static_cast<double>(b.y) - c.y);
    const double detRight = (static_cast<double>(a.y) - c.y) * (static_cast<double>(b.x) - c.x);
    const double det = detLeft - detRight;
    double detSum;
    if (detLeft > 0.0) {
        if (detRight <= 0.0) return (det > 0.0) - (det < 0.0);
        detSum = detLeft + detRight;
    } else if (detLeft < 0.0) {
        if (detRight >= 0.0) return (det > 0.0) - (det < 0.0);
        detSum = -detLeft - detRight;
    } else {
        return (det > 0.0) - (det < 0.0);
    }
    const double errorBound = 3.3306690738754716e-16 * detSum;
    if (det >= errorBound || -det >= errorBound) return (det > 0.0) - (det < 0.0);
    return orientationOfCloseCall(a, b, c);
}

// Sign of the sum of `count` doubles (at most 16), computed exactly.
int signOfSum(const double* terms, int count);
