#pragma once
// Triangulating a y-monotone polygon with a stack sweep from the highest vertex down. The sweep is
// a pure function: it returns the order in which it visited the vertices and every step it took,
// with what each step popped and why it stopped, so that the dialogue can list and draw the result
// and the window can replay it step by step.

#include <vector>

#include "geometry/polygon.h"
#include "geometry/records.h"

// Negative when a lies higher than b, positive when lower, zero for equal ordinates.
int compareByOrdinateDesc(const Point& a, const Point& b);

// The order in which the sweep visits the vertices (indices into `vertices`): the highest vertex,
// then both chains walked down from it and merged by ordinate, each in its own boundary order, the
// lowest vertex last. Returns the number of indices written (vertexCount, or 0 for a count below 1).
int sweepOrder(const Point* vertices, int vertexCount, int* order);

// Which of the sweep's cases a step is.
enum class SweepCase : int {
    Start,          // the two highest vertices go on the stack
    OppositeChain,  // the vertex lies beside the stack's bottom: diagonals to the entries above it
    SameChain,      // beside the stack's top: diagonals while the corners they cut off lie inside
    LowestVertex,   // beside both: diagonals to the entries between them, and the sweep ends
};

// The two chains from the highest vertex down to the lowest, by the side of the polygon they run
// along; the highest and the lowest vertex end both.
enum class Chain : int { Ends, Left, Right };

// A diagonal from the vertex under the sweep to a stack entry (input indices), with the case of the
// step that added it: Red for the opposite-chain and lowest-vertex steps, Blue for the same chain.
struct SweepDiagonal {
    int from = 0;
    int to = 0;
    SweepCase made = SweepCase::Start;
};

// The drawing colour of a diagonal made in a step of this case.
inline Colour diagonalColour(SweepCase made) { return made == SweepCase::SameChain ? Blue : Red; }

// Why a step stopped cutting triangles off before its stack ran out.
enum class RefusalReason : int {
    None,              // it did not stop early
    ReflexCorner,      // the corner turns away from the polygon: the diagonal would leave it
    FlatCorner,        // the corner lies on the candidate diagonal: it would run along the boundary
    VertexInTriangle,  // a vertex lies in or on the triangle (only ever one level with the swept vertex)
};

// The candidate diagonal a step refused: from the swept vertex to `to`, cutting off the triangle of
// the swept vertex, `corner` and `to`, whose corner therefore stays on the stack.
struct Refusal {
    RefusalReason reason = RefusalReason::None;
    int to = -1;
    int corner = -1;
    int blocker = -1;  // VertexInTriangle: the vertex in or on the triangle
};

// A read-only run of recorded entries.
template <typename T>
struct Entries {
    const T* first = nullptr;
    int count = 0;

    const T* begin() const { return first; }
    const T* end() const { return first + count; }
    int size() const { return count; }
    bool empty() const { return count == 0; }
    const T& operator[](int i) const { return first[i]; }
    const T& front() const { return first[0]; }
    const T& back() const { return first[count - 1]; }
};

struct SweepStep {
    int vertex = 0;  // input index of the vertex swept (at the start, the second highest)
    SweepCase kind = SweepCase::Start;
    Refusal refusal;
    // Where the step's records lie in the result; read them through Triangulation's accessors.
    int firstDiagonal = 0;
    int diagonalCount = 0;
    int firstStackBefore = 0;
    int stackHeightBefore = 0;
    int firstStackAfter = 0;
    int stackHeightAfter = 0;
    int firstPopped = 0;
    int poppedCount = 0;
};

struct Triangulation {
    std::vector<int> order;                // the sweep order (input indices)
    std::vector<Chain> chains;             // by input index: the chain each vertex lies on
    std::vector<SweepStep> steps;          // one per vertex from the second in sweep order; none below 3
    std::vector<SweepDiagonal> diagonals;  // every diagonal, in the order added
    std::vector<int> stackEntries;         // the stacks after each step, one after the other
    std::vector<int> poppedEntries;        // the entries each step popped, one step after the other

    // The step's own diagonals, in the order added.
    Entries<SweepDiagonal> diagonalsOf(const SweepStep& step) const {
        return {diagonals.data() + step.firstDiagonal, step.diagonalCount};
    }
    // The stack before and after the step, bottom first (before the first step: empty).
    Entries<int> stackBefore(const SweepStep& step) const {
        return {stackEntries.data() + step.firstStackBefore, step.stackHeightBefore};
    }
    Entries<int> stackAfter(const SweepStep& step) const {
        return {stackEntries.data() + step.firstStackAfter, step.stackHeightAfter};
    }
    // Every entry the step took off the stack, in the order they left it, top first, those it pushed
    // back included: the opposite-chain step and the lowest vertex take the whole stack (the
    // opposite-chain step pushes the former top back, then the swept vertex); the same-chain step
    // takes the top, then each entry it joins the swept vertex to, and pushes the last one back.
    Entries<int> popped(const SweepStep& step) const {
        return {poppedEntries.data() + step.firstPopped, step.poppedCount};
    }
};

// Triangulates a polygon that is simple and y-monotone (trusted, not tested), deciding every cut
// exactly: n - 3 diagonals, each touching the boundary only at its two ends. A count below 1 gives
// an empty result; there is no upper limit.
Triangulation triangulateMonotone(const Point* vertices, int vertexCount);

// The same sweep with or without the stacks of its steps (stackBefore and stackAfter are then
// empty): their sum can grow with the square of the vertex count, so a large polygon's sweep keeps
// only its diagonals, steps and popped entries.
Triangulation sweepMonotone(const Point* vertices, int vertexCount, bool keepStacks);

// The sweep's work array, kept by a caller that sweeps many polygons in turn; and the sweep into a
// result that is cleared first, its storage kept.
struct SweepBuffers {
    std::vector<int> stack;
};
void sweepMonotone(const Point* vertices, int vertexCount, bool keepStacks, Triangulation& out, SweepBuffers& buffers);

// The same sweep keeping nothing but its diagonals, written as pairs of indices (each through `map`,
// when given: a piece's vertex to its polygon's), of a polygon of known orientation (+1 counter-
// clockwise) and extremes (extremesOf's lowest and highest); returns their count, n - 3 (0 below 4
// vertices).
int sweepDiagonals(const Point* vertices, int vertexCount, int orientation, const Extremes& ends, const int* map,
                   int (*diagonals)[2], SweepBuffers& buffers);

// The same again of a simple polygon not known to be monotone: it watches the chains as it sweeps
// them and returns -1, some diagonals written, as soon as one rises on its way down; otherwise it has
// swept a monotone polygon, as sweepDiagonals does.
int sweepDiagonalsIfMonotone(const Point* vertices, int vertexCount, int orientation, const Extremes& ends,
                             int (*diagonals)[2], SweepBuffers& buffers);
