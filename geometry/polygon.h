#pragma once
// Predicates over a polygon's vertex array (input order, boundary closing from the last vertex
// back to vertex 0).

#include <vector>

#include "geometry/records.h"

// The first vertex (by index) with the smallest ordinate and the first with the largest: the ends of
// the two chains that the monotonicity test and the sweep walk; and the leftmost of the lowest, whose
// turn is the polygon's orientation. All are 0 for counts below 2. Inline: every sweep asks first.
struct Extremes {
    int lowest = 0;
    int highest = 0;
    int lowestLeftmost = 0;
};

// The extremes of vertices met one after another, each with its index: extremesOf meets an array's
// in order, a piece's walk its own. The extremes so far are kept at hand, not looked up again.
struct ExtremesScan {
    Extremes ends;
    float low;
    float high;
    float leftmost;

    explicit ExtremesScan(const Point& first) : low(first.y), high(first.y), leftmost(first.x) {}
    void add(int k, const Point& p) {
        const float y = p.y;
        const bool lower = y < low;
        // One test, seldom passed, for the lowest and the leftmost of them: on a level bottom the
        // vertices' heights alone would pass and fail by turns.
        if (lower | ((y == low) & (p.x < leftmost))) {
            ends.lowestLeftmost = k;
            leftmost = p.x;
            if (lower) {
                low = y;
                ends.lowest = k;
            }
        }
        if (y > high) {
            high = y;
            ends.highest = k;
        }
    }
    // The same for the lowest and the highest alone (lowestLeftmost is left as it was).
    void addEnds(int k, const Point& p) {
        const float y = p.y;
        if (y < low) {
            low = y;
            ends.lowest = k;
        }
        if (y > high) {
            high = y;
            ends.highest = k;
        }
    }
};

inline Extremes extremesOf(const Point* vertices, int vertexCount) {
    if (vertexCount < 1) return {};
    ExtremesScan scan(vertices[0]);
    for (int k = 1; k < vertexCount; ++k) scan.add(k, vertices[k]);
    return scan.ends;
}
inline void findExtremes(const Point* vertices, int vertexCount, int& lowest, int& highest) {
    const Extremes e = extremesOf(vertices, vertexCount);
    lowest = e.lowest;
    highest = e.highest;
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

// +1 for a counter-clockwise simple polygon, -1 for a clockwise one (exact): the turn at its leftmost
// lowest vertex (extremesOf's lowestLeftmost, passed when known).
int polygonOrientation(const Point* vertices, int vertexCount);
int polygonOrientation(const Point* vertices, int vertexCount, int lowestLeftmost);

// The same from the first highest vertex (extremesOf's highest, found without the leftmost of the
// lowest): the turn at the first vertex of its level run along the boundary, which comes up to the
// run from below. That vertex is a corner of the hull, the polygon lying below the run, and the
// three are not on one line. The run is the highest alone unless it is vertex 0 and the last vertex
// lies level with it.
int polygonOrientationAtHighest(const Point* vertices, int vertexCount, int highest);
