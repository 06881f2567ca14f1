#pragma once
// Classifying two segments, and the contact test of a candidate diagonal against the polygon's
// edges.

#include "geometry/records.h"

// The codes are non-negative so that a sum of them is 0 exactly when every one is NoIntersection.
enum IntersectionKind : int {
    NoIntersection = 0,
    PointIntersection = 1,
    CollinearOverlap = 2,
    NotCoplanar = 3,
};

// The float nearest 1e-5: the relative tolerance of the coplanarity, parallel and collinearity
// questions.
inline constexpr float IntersectionTolerance = 1e-5f;

// Classifies a against b. Only for PointIntersection are x and y of `intersection` written (the
// meeting point, computed on a).
IntersectionKind intersectSegments(Segment a, Segment b, Point& intersection);

// True when the segment from vertex i to vertex j meets none of the polygon's edges that do not
// end at vertex i or vertex j. It looks for contact only, not for which side the segment runs on.
// Indices outside 0..vertexCount-1 are refused.
bool isDiagonal(int i, int j, const Point* vertices, int vertexCount);
