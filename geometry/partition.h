#pragma once
// Any simple polygon: a sweep down the plane cuts it into y-monotone pieces, and the stack sweep
// triangulates each piece.

#include <vector>

#include "geometry/records.h"
#include "geometry/triangulation.h"

// Where a vertex lies against its two neighbours, seen by a sweep line coming down. Of two vertices
// at one height, the one with the smaller abscissa counts as higher.
enum class VertexType {
    Start,    // both neighbours lower, the inside below it between them
    End,      // both higher, the inside above it
    Split,    // both lower, the inside on both sides: the polygon splits below it
    Merge,    // both higher, the inside on both sides: two parts merge at it
    Regular,  // one higher, one lower
};

// An edge (by its first vertex in input order: the edge from vertex `edge` to the next) crossing
// the sweep line, with its helper: the lowest vertex above the line that sees the edge's right
// side, the vertex a split or merge vertex below is joined to.
struct StatusEdge {
    int edge = 0;
    int helper = 0;
};

struct PartitionDiagonal {
    int from = 0;        // the vertex of the step that added it
    int to = 0;          // the helper it goes to
    int helperOf = 0;    // the edge whose helper that was
};

// One vertex of the sweep: its type, how the edges crossing the sweep line changed (an edge taken
// out, one put in, one whose helper became this vertex; -1 for none), and its new diagonals (a merge
// vertex can add two).
struct PartitionStep {
    int vertex = 0;
    VertexType type = VertexType::Regular;
    int removed = -1;
    int inserted = -1;
    int helped = -1;
    int firstDiagonal = 0;
    int diagonalCount = 0;
};

struct Partition {
    std::vector<int> order;                    // the sweep's order, highest first (input indices)
    std::vector<VertexType> types;             // by input index
    std::vector<PartitionStep> steps;          // one per vertex, in the sweep's order
    std::vector<PartitionDiagonal> diagonals;  // in the order added
    std::vector<std::vector<int>> pieces;      // each piece's vertices, counter-clockwise

    Entries<PartitionDiagonal> diagonalsOf(const PartitionStep& step) const {
        return {diagonals.data() + step.firstDiagonal, step.diagonalCount};
    }
};

// The sweep that cuts a simple polygon (trusted, not tested) of any size into y-monotone pieces,
// every decision exact: a diagonal from each split vertex up to a helper, and from a
// helper that is a merge vertex down to the next vertex that sees it. Either orientation.
Partition partitionMonotone(const Point* vertices, int vertexCount);

// The faces that the boundary of a simple polygon (trusted) and diagonals that do not cross (`from`
// and `to` of each) cut it into, each walked counter-clockwise: with n - 3 diagonals, its triangles.
std::vector<std::vector<int>> facesOf(const Point* vertices, int vertexCount, const std::vector<PartitionDiagonal>& diagonals);

// The split and merge vertices, ascending: where the polygon is not y-monotone.
std::vector<int> splitOrMergeVertices(const Partition& partition);

// The edges crossing the sweep line after each step of the partition, left to right, each with its
// helper then.
std::vector<std::vector<StatusEdge>> statusAfterEach(const Partition& partition, const Point* vertices, int vertexCount);

// A diagonal of the whole triangulation: one of the partition's (piece -1) or one of a piece's
// stack sweep.
struct WholeDiagonal {
    int from = 0;
    int to = 0;
    int piece = -1;
    SweepCase made = SweepCase::Start;
};

struct WholeTriangulation {
    Partition partition;
    std::vector<Triangulation> pieces;     // when kept: each piece's stack sweep, in input indices
    std::vector<WholeDiagonal> diagonals;  // the partition's, then each piece's (input indices)
};

// The triangulation of any simple polygon: n - 3 diagonals, every triangle of positive area. The
// pieces' sweeps, with every stack, are kept only when asked (the stacks can sum to the square of n);
// their indices are then the polygon's (a chain of Ends for a vertex outside the piece).
WholeTriangulation triangulatePolygon(const Point* vertices, int vertexCount);
WholeTriangulation triangulatePolygon(const Point* vertices, int vertexCount, bool keepSweeps);

// The triangulation of any simple polygon (trusted, not tested), monotone or not, either orientation,
// ties and collinear vertices included, every decision exact, with nothing recorded: writes the
// n - 3 diagonals as pairs of input indices and returns their count (0 below 4 vertices). They are
// the diagonals the program shows: a monotone polygon's stack sweep, any other's partition and its
// pieces' sweeps. The work arrays stay with the calling thread for its next call.
int triangulateDiagonals(const Point* vertices, int vertexCount, int (*diagonals)[2]);
