#pragma once
// Predicates over a polygon's vertex array (input order, boundary closing from the last vertex
// back to vertex 0).

#include <vector>

#include "geometry/records.h"

// The first vertex (by index) with the smallest ordinate and the first with the largest: the ends of
// the two chains that the monotonicity test and the sweep walk. Both are 0 for counts below 2.
// Inline: every piece's sweep asks it first.
inline void findExtremes(const Point* vertices, int vertexCount, int& lowest, int& highest) {
    lowest = 0;
    highest = 0;
    if (vertexCount < 1) return;
    // The extremes so far kept at hand, not looked up again at every vertex.
    float low = vertices[0].y;
    float high = low;
    for (int k = 1; k < vertexCount; ++k) {
        const float y = vertices[k].y;
        if (y < low) {
            low = y;
            lowest = k;
        }
        if (y > high) {
            high = y;
            highest = k;
        }
    }
}

// True when the polygon is monotone with respect to the y axis. Counts below 2 are monotone.
bool isMonotone(const Point* vertices, int vertexCount);

// True when the vertices at the positions of p and q are neighbours on the boundary. A point is
// located by exact x and y; the last matching vertex counts and a point matching none is taken
// for vertex 0.
bool areAdjacent(int vertexCount, const Point& p, const Point& q, const Point* vertices);

// True when the polygon (3 or more vertices) is simple, decided exactly: no two vertices at one
// point, no two edges meeting other than neighbours at their shared vertex, no neighbouring edges
// folding back over each other (which also refuses all vertices on one line).
bool isSimple(const Point* vertices, int vertexCount);

// True when some two edges touch or cross where they should not (isSimple's opposite), decided by a
// sweep across the plane in O(n log n).
bool anyContact(const Point* vertices, int vertexCount);

// The first pair of edges, in boundary order, that touch or cross where they should not; edge i runs
// from vertex i to the next. The pairs are taken edge by edge: for edge i = 0, 1, ... first its
// fold with edge i + 1, then edges i + 2, i + 3, ... (edge 0 and the closing edge are neighbours),
// so the pair is (i, j) with the smallest i, then the smallest j. False when the polygon is simple,
// which the sweep decides in O(n log n). Otherwise the sweep goes on past each pair it finds and
// leaves a cover, an edge of every pair that meets; then each edge in turn, up to the pair's first,
// is tested against the edges of the cover alone (an edge of the cover against all): a few contacts
// anywhere cost about as much as the sweep, many cost up to n times the cover's size.
bool findContact(const Point* vertices, int vertexCount, int& edgeA, int& edgeB);

// +1 for a counter-clockwise simple polygon, -1 for a clockwise one (exact).
int polygonOrientation(const Point* vertices, int vertexCount);
