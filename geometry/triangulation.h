#pragma once
// Triangulating a y-monotone polygon with a stack sweep from the highest vertex down. The sweep is
// a pure function: it returns the order in which it visited the vertices and every step it took,
// so that the dialogue can list and draw the result and the window can replay it step by step.

#include <vector>

#include "geometry/records.h"

// Negative when a lies higher than b, positive when lower, zero for equal ordinates.
int compareByOrdinateDesc(const Point& a, const Point& b);

// The order in which the sweep visits the vertices (indices into `vertices`): the highest vertex,
// then both chains walked down from it and merged by ordinate, each in its own boundary order, the
// lowest vertex last. Returns the number of indices written (vertexCount, or 0 outside 0..100).
int sweepOrder(const Point* vertices, int vertexCount, int* order);

// Which of the sweep's cases a step is.
enum class SweepCase : int {
    Start,          // the two highest vertices go on the stack
    OppositeChain,  // the vertex lies beside the stack's bottom: diagonals to the entries above it
    SameChain,      // beside the stack's top: diagonals while the corners they cut off lie inside
    LowestVertex,   // beside both: diagonals to the entries between them, and the sweep ends
};

// A diagonal from the vertex under the sweep to a stack entry (input indices), with the case of the
// step that added it: Red for the opposite-chain and lowest-vertex steps, Blue for the same chain.
struct SweepDiagonal {
    int from = 0;
    int to = 0;
    SweepCase made = SweepCase::Start;
};

// The drawing colour of a diagonal made in a step of this case.
inline Colour diagonalColour(SweepCase made) { return made == SweepCase::SameChain ? Blue : Red; }

struct SweepStep {
    int vertex = 0;  // input index of the vertex swept (at the start, the second highest)
    SweepCase kind = SweepCase::Start;
    int firstDiagonal = 0;  // the step's diagonals: diagonals[firstDiagonal, firstDiagonal + diagonalCount)
    int diagonalCount = 0;
    int firstStackEntry = 0;  // the stack after the step, bottom to top:
    int stackHeight = 0;      // stackEntries[firstStackEntry, firstStackEntry + stackHeight)
};

struct Triangulation {
    std::vector<int> order;  // the sweep order (input indices)
    std::vector<SweepStep> steps;  // one per vertex from the second in sweep order; none below 3 vertices
    std::vector<SweepDiagonal> diagonals;  // every diagonal, in the order added
    std::vector<int> stackEntries;  // the stacks recorded by the steps, one after the other
    bool stackEmptied = false;  // the sweep tried to pop an empty stack and stopped there
};

// Triangulates a polygon that is simple and y-monotone (trusted, not tested), deciding every cut
// exactly: n - 3 diagonals, each touching the boundary only at its two ends. A count outside
// 0..100 gives an empty result.
Triangulation triangulateMonotone(const Point* vertices, int vertexCount);
