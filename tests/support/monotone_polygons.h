#pragma once
// Random simple y-monotone polygons, and an exact check of a triangulation of one, written apart
// from the program's own geometry so that the two cannot share a mistake.

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "geometry/records.h"

namespace testing_support {

struct Diagonal {
    Point from;
    Point to;
};

enum class Kind { Real, Grid, LongRuns };

// A simple y-monotone polygon of `n` vertices (3..100; LongRuns 40..400). Real: coordinates are
// multiples of 1/1024 in -100..100 with distinct ordinates; Grid: small integers, with ties in
// ordinate and collinear vertices common; LongRuns: integers on a few ordinates, each chain's run
// on one of them a score of vertices long. Either orientation, any first vertex.
std::vector<Point> randomMonotonePolygon(std::mt19937& random, int n, Kind kind);

// Exact simplicity of a polygon whose coordinates are multiples of 1/1024.
bool exactlySimple(const std::vector<Point>& polygon);

// A star-shaped polygon of n vertices: random radii at sorted random angles about the origin, as
// multiples of 1/1024; either orientation.
std::vector<Point> randomStar(std::mt19937& random, int n);

// The first pair of edges that meet where they should not, for any float coordinates, found by trying
// every pair in turn: for edge i = 0, 1, ... its fold with edge i + 1, then edges i + 2 on (edge 0 and
// the closing edge being neighbours). (-1, -1) when there is none. Every turn is the program's exact
// orientation; nothing else of the program's is shared.
std::pair<int, int> firstContactByPairs(const std::vector<Point>& polygon);

struct Verdict {
    bool valid = true;        // ends, n - 3 diagonals, inside, no crossings
    bool positiveArea = true; // every diagonal touches the boundary only at its two ends
    std::string why;          // the first fault found, when not valid
    std::string flat;         // the first diagonal through a vertex, when not of positive area
};

Verdict checkTriangulation(const std::vector<Point>& polygon, const std::vector<Diagonal>& diagonals);

// The same check for any finite float coordinates, where the 1/1024 grid cannot serve: every turn is
// the program's exact orientation (tested on its own), everything else a comparison. The first
// fault, a diagonal through a vertex among them, or nothing for triangles of positive area.
std::string floatTriangulationFault(const std::vector<Point>& polygon, const std::vector<Diagonal>& diagonals);

std::string describe(const std::vector<Point>& polygon);

// The first fault of a triangulation of a polygon of any float coordinates, checked with the
// program's exact orientation; on the fuzzers' quarter-unit grid also with the check that shares
// nothing with the program. Empty when the diagonals cut it into triangles of positive area.
std::string triangulationFault(const std::vector<Point>& polygon, const std::vector<Diagonal>& diagonals, bool grid);

// A vertex list made of a fuzzer's bytes, at most `most` vertices: after the first byte (even: a grid,
// odd: raw floats), either pairs of signed bytes as quarter units, where equal heights and collinear
// vertices abound, or pairs of 32-bit floats. `grid` says which; empty when a float is not finite.
std::vector<Point> polygonFromBytes(const std::uint8_t* data, std::size_t size, std::size_t most, bool& grid);

// A diagonal as a pair of vertex indices, the smaller first.
using IndexPair = std::pair<int, int>;

// What is wrong with the lean entry's diagonals of a simple polygon, or nothing: they must be those
// the program shows (`shown`, in any order and either direction), and the same again with every
// coordinate scaled by powers of two from 2^-120 to 2^120 (each scale that keeps them all exact).
std::string leanFault(const std::vector<Point>& polygon, std::vector<IndexPair> shown);

// Exact predicates on points whose coordinates are multiples of 1/1024. turnOf: +1 when c lies left
// of the directed line a->b, -1 right, 0 on it; inClosedTriangle: p lies in the triangle a, b, c (of
// positive area) or on its boundary; senseOf: +1 for a counter-clockwise polygon, -1 clockwise.
int turnOf(const Point& a, const Point& b, const Point& c);
bool inClosedTriangle(const Point& p, const Point& a, const Point& b, const Point& c);
int senseOf(const std::vector<Point>& polygon);

// a comes before b in a sweep down the plane: higher, or as high and further left.
bool sweptBefore(const Point& a, const Point& b);

// Vertex i's type in that sweep, from its two neighbours and the polygon's sense (multiples of
// 1/1024): 0 start, 1 end, 2 split, 3 merge, 4 regular, as the program's VertexType counts them.
int vertexTypeOf(const std::vector<Point>& polygon, int i);

}  // namespace testing_support
