#pragma once
// Exact orientation of float points: the sign is computed without rounding error, so that the
// geometric decisions made with it (simplicity, which side a diagonal runs on) never guess.

#include <cmath>

#include "geometry/records.h"

// The sign of a close call, summed exactly (see orientation).
// Cold: the sweeps keep their state in registers around it.
[[gnu::cold]] int orientationOfCloseCall(const Point& a, const Point& b, const Point& c);

// The plain evaluation in double of (a - c) x (b - c), and a bound on its rounding error: its sign is
// trusted when it clears the bound (products of opposite signs, or a zero, always do).
struct PlainOrientation {
    double det;
    double errorBound;
};
inline PlainOrientation plainOrientation(const Point& a, const Point& b, const Point& c) {
    const double detLeft = (static_cast<double>(a.x) - c.x) * (static_cast<double>(b.y) - c.y);
    const double detRight = (static_cast<double>(a.y) - c.y) * (static_cast<double>(b.x) - c.x);
    return {detLeft - detRight, 3.3306690738754716e-16 * (std::fabs(detLeft) + std::fabs(detRight))};
}

// +1 when c lies to the left of the directed line a->b (counter-clockwise turn), -1 when to the
// right, 0 when the three points lie on one line. Only x and y are read.
//
// First the plain evaluation, trusted when it clears its bound (inline: the sweeps ask at every
// step); only close calls go on to the exact sum.
inline int orientation(const Point& a, const Point& b, const Point& c) {
    const PlainOrientation p = plainOrientation(a, b, c);
    if (p.det >= p.errorBound || -p.det >= p.errorBound) return (p.det > 0.0) - (p.det < 0.0);
    return orientationOfCloseCall(a, b, c);
}

// orientation(a, b, c) > 0, decided by one comparison whenever the plain evaluation turns left.
inline bool turnsLeft(const Point& a, const Point& b, const Point& c) {
    const PlainOrientation p = plainOrientation(a, b, c);
    if (p.det > p.errorBound) return true;
    if (-p.det >= p.errorBound) return false;
    return orientationOfCloseCall(a, b, c) > 0;
}

// Sign of the sum of `count` doubles (at most 16), computed exactly.
int signOfSum(const double* terms, int count);
