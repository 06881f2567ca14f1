#pragma once
// Guarding a gallery whose floor plan is a simple polygon, from the triangulation the program shows:
// the triangles and their dual graph (a node per triangle, a link across every diagonal: a tree, as
// each diagonal cuts the polygon in two), a walk of the tree that colours the vertices with three
// colours, every triangle holding one of each, and the smallest colour class as the guards: every
// triangle has one in a corner, which sees the whole triangle, so at most floor(n/3) guards see the
// whole polygon.

#include <array>
#include <vector>

#include "geometry/judgement.h"
#include "geometry/records.h"

// How many colours the walk gives the vertices.
inline constexpr int GuardColours = 3;

// A link of the dual graph: triangles `a` and `b` (indices into the triangles) share the diagonal
// from `from` to `to` (input indices, the smaller first).
struct DualLink {
    int a = 0;
    int b = 0;
    int from = 0;
    int to = 0;
};

// A step of the colouring's walk: a triangle coloured, reached across the diagonal `shared` from a
// triangle coloured before it; its third vertex `vertex` takes the colour `colour` that the two
// shared vertices lack. The first step has no `from` and colours its three vertices at once.
struct ColouringStep {
    int triangle = 0;
    int from = -1;                      // the triangle it was reached from, -1 for the first
    std::array<int, 2> shared{-1, -1};  // the diagonal crossed, the smaller vertex first
    int vertex = -1;                    // the vertex coloured (the first step: -1, all three)
    int colour = -1;
};

struct Gallery {
    std::vector<std::array<int, 3>> triangles;  // each counter-clockwise (input indices)
    std::vector<DualLink> links;                // one per diagonal
    std::vector<ColouringStep> walk;            // one per triangle, the first with an outline edge
    std::vector<int> colour;                    // by vertex: 0, 1 or 2
    std::array<int, GuardColours> classSize{0, 0, 0};
    int guardColour = -1;                       // the smallest class (the first of equal ones)
    std::vector<int> guards;                    // its vertices, ascending
    std::vector<int> seenBy;                    // by triangle: the guard in its corner
};

// The gallery of a simple polygon (trusted) of `vertexCount` vertices cut into triangles by the
// diagonals given (pairs of input indices that do not cross). The walk starts at the triangle with
// the outline edge from vertex 0 to vertex 1, whose vertices get colours 0, 1, 2 counter-clockwise
// from vertex 0, and goes depth first, a triangle's neighbours in the order of their diagonals.
// Empty below three vertices, or where the diagonals do not cut the polygon into n - 2 triangles.
Gallery guardGallery(const Point* vertices, int vertexCount, const std::vector<std::array<int, 2>>& diagonals);

// The gallery of a judged polygon from the diagonals its lesson shows (a monotone polygon's stack
// sweep, any other simple polygon's partition and its pieces' sweeps); empty for a polygon that is not
// simple or has fewer than three vertices.
Gallery guardJudged(const Judgement& judged);
