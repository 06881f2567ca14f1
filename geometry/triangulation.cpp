// The stack sweep of a y-monotone polygon, as the textbook gives it.
//
// The vertices are visited from the highest down. The stack holds the vertices that have been
// swept but still have triangles to come; read from the bottom up they are a chain of the part of
// the polygon not yet cut, and the top is always the vertex swept last. Each vertex c below the
// second takes one of three steps:
//
//   opposite chain  c lies beside the stack's bottom, across from the top's chain. It sees every
//                   entry: pop them all, top first, and join c to each but the last (the bottom,
//                   its neighbour on the boundary); push the former top back, then c.
//   same chain      c lies beside the top. Pop the top (c's neighbour), then pop and join c to the
//                   entry below for as long as the triangle so cut off lies inside the polygon (the
//                   corner turns the polygon's way); push the last one popped back, then c.
//   lowest vertex   c lies beside both: pop every entry and join c to all but the bottom and the
//                   top; the stack stays empty.
//
// The record lists every entry a step takes off, in the order they leave, top first, those pushed
// back included.
//
// Every cut is decided exactly, by orientation on the float inputs.
//
// Deviation for equal ordinates (the textbook assumes none). Vertices of one height are swept down
// each chain in that chain's own order, and a vertex not yet swept can then lie level with c, on
// the bottom side of a triangle that c would cut off: the cut would run through it. So every cut
// (in the opposite-chain step too) also checks the unswept vertices level with c, and is refused
// when one lies in the triangle or on it. An opposite-chain step refused part-way pushes back, after
// the former top, every entry its fan did not reach: read from the other end they still join the
// former top to c, so they are the stack's lower part, under c. A corner that lies on the candidate diagonal (three vertices on
// one line, again only with equal ordinates) is refused as a reflex one is.
//
// The stack's other entries never lie in a triangle the sweep cuts (the textbook's argument for
// distinct ordinates; with ties, 42 million sweeps of every small grid polygon agree): untested.

#include "geometry/triangulation.h"

#include <algorithm>

#include "geometry/exact.h"
#include "geometry/polygon.h"

int compareByOrdinateDesc(const Point& a, const Point& b) {
    if (a.y > b.y) return -1;
    if (a.y < b.y) return 1;
    return 0;
}

namespace {

// Chains, as walked down from the highest vertex.
constexpr int Forward = 0;   // indices rising from the highest vertex
constexpr int Backward = 1;  // indices falling from the highest vertex
constexpr int Both = -1;     // the highest and the lowest vertex end both chains

// Walks both chains down from the highest vertex at once and merges them by ordinate, each chain
// in its own order: between the chains the higher vertex goes first, the forward chain's on a tie
// (any order of equal ordinates across the chains gives a triangulation). The lowest vertex ends it.
int sweepOrderWithChains(const Point* v, int n, int* order, int* chainOf) {
    if (n <= 0) return 0;
    int highest = 0;
    int lowest = 0;
    findExtremes(v, n, lowest, highest);
    if (lowest == highest) lowest = (highest + n - 1) % n;  // all on one ordinate
    int count = 0;
    order[count] = highest;
    chainOf[count++] = Both;
    int f = highest + 1 == n ? 0 : highest + 1;
    int b = highest == 0 ? n - 1 : highest - 1;
    while (f != lowest || b != lowest) {
        if (b == lowest || (f != lowest && compareByOrdinateDesc(v[f], v[b]) <= 0)) {
            order[count] = f;
            chainOf[count++] = Forward;
            f = f + 1 == n ? 0 : f + 1;
        } else {
            order[count] = b;
            chainOf[count++] = Backward;
            b = b == 0 ? n - 1 : b - 1;
        }
    }
    if (n > 1) {
        order[count] = lowest;
        chainOf[count++] = Both;
    }
    return count;
}

// What a sweep keeps of its work: every step with its stacks, pops and refusal, for the window; or
// its diagonals alone, written as pairs of indices (through `map`, when the polygon is a piece of a
// larger one), the records compiled away.
struct Recorded {
    Triangulation& out;
    bool keepStacks;  // the stack after every step goes into the record

    void begin(const std::vector<int>& order, const std::vector<int>& chainOf, int n, int sense) {
        out.order.assign(order.begin(), order.begin() + n);
        out.chains.assign(n, Chain::Ends);
        // Walked down with the polygon's inside on its left, a chain runs along the left side.
        const Chain forwardSide = sense > 0 ? Chain::Left : Chain::Right;
        const Chain backwardSide = sense > 0 ? Chain::Right : Chain::Left;
        for (int j = 0; j < n; ++j) {
            if (chainOf[j] != Both) out.chains[order[j]] = chainOf[j] == Forward ? forwardSide : backwardSide;
        }
    }
    int diagonals() const { return static_cast<int>(out.diagonals.size()); }
    int pops() const { return static_cast<int>(out.poppedEntries.size()); }
    void diagonal(int from, int to, SweepCase made) { out.diagonals.push_back({from, to, made}); }
    void popped(int index) { out.poppedEntries.push_back(index); }
    void step(int vertex, SweepCase kind, const Refusal& refusal, int firstDiagonal, int firstPopped,
              const std::vector<int>& stack, int height) {
        SweepStep step;
        step.vertex = vertex;
        step.kind = kind;
        step.refusal = refusal;
        step.firstDiagonal = firstDiagonal;
        step.diagonalCount = diagonals() - firstDiagonal;
        if (!out.steps.empty()) {
            step.firstStackBefore = out.steps.back().firstStackAfter;
            step.stackHeightBefore = out.steps.back().stackHeightAfter;
        }
        step.firstStackAfter = static_cast<int>(out.stackEntries.size());
        step.stackHeightAfter = keepStacks ? height : 0;  // a stack not kept reads as empty
        step.firstPopped = firstPopped;
        step.poppedCount = pops() - firstPopped;
        out.steps.push_back(step);
        if (keepStacks) out.stackEntries.insert(out.stackEntries.end(), stack.begin(), stack.begin() + height);
    }
};

struct Lean {
    int (*out)[2];
    const int* map;  // the polygon's index of each of the piece's vertices; null for the polygon itself
    int count = 0;

    void begin(const std::vector<int>&, const std::vector<int>&, int, int) {}
    int diagonals() const { return 0; }
    int pops() const { return 0; }
    void diagonal(int from, int to, SweepCase) {
        out[count][0] = map != nullptr ? map[from] : from;
        out[count][1] = map != nullptr ? map[to] : to;
        ++count;
    }
    void popped(int) {}
    void step(int, SweepCase, const Refusal&, int, int, const std::vector<int>&, int) {}
};

template <typename Recorder>
struct Sweep {
    const Point* v;
    int n;
    int sense;  // the polygon's orientation: +1 counter-clockwise
    std::vector<int>& order;
    std::vector<int>& chainOf;  // by sweep position: Forward, Backward or Both
    std::vector<int>& sweptAt;  // sweep position of each vertex
    std::vector<int>& stack;    // input indices, bottom first
    int height = 0;
    int k = 0;      // sweep position of the vertex under the sweep
    int level = 0;  // unswept vertices level with it: the next ones in sweep order
    // A level run is the forward chain's vertices on the line, then the backward chain's (the lowest
    // vertex last, continuing it). Each part runs straight along the line, so its abscissae rise or
    // fall one way: a long run is searched by halving each part, a short one is scanned.
    static constexpr int LongRun = 16;
    bool inLongRun = false;
    int backwardFrom = 0;  // sweep position of the run's first vertex not on the forward chain
    Recorder& out;
    Refusal refusal;  // the refusal of the step under way

    Sweep(const Point* vertices, int count, int orientation, Recorder& recorder, SweepBuffers& buffers)
        : v(vertices), n(count), sense(orientation), order(buffers.order), chainOf(buffers.chainOf),
          sweptAt(buffers.sweptAt), stack(buffers.stack), out(recorder) {
        // Each grown on its own size, so that an allocation failing part way leaves none short.
        for (std::vector<int>* b : {&order, &chainOf, &sweptAt, &stack}) {
            if (static_cast<int>(b->size()) < count) b->resize(count);
        }
        sweepOrderWithChains(v, n, order.data(), chainOf.data());
        for (int j = 0; j < n; ++j) sweptAt[order[j]] = j;
        out.begin(order, chainOf, n, sense);
    }

    bool adjacent(int a, int b) const {
        const int d = a - b;
        return d == 1 || d == -1 || d == n - 1 || d == 1 - n;
    }
    int turn(int a, int b, int c) const { return orientation(v[a], v[b], v[c]) * sense; }
    int top() const { return stack[height - 1]; }
    void push(int index) { stack[height++] = index; }
    void diagonal(int from, int to, SweepCase made) { out.diagonal(from, to, made); }
    void popped(int index) { out.popped(index); }

    // Cuts off the triangle a, corner, b (in the boundary order of the part not yet cut) when its
    // corner turns the polygon's way and no level vertex lies in it or on it (the deviation for
    // equal ordinates); otherwise notes why not, with `to` the candidate's stack end.
    bool canCut(int a, int corner, int b, int to) {
        const int t = turn(a, corner, b);
        if (t <= 0) {
            refusal = {t < 0 ? RefusalReason::ReflexCorner : RefusalReason::FlatCorner, to, corner, -1};
            return false;
        }
        // The unswept vertices lie no higher than c, the triangle's other two no lower: it meets the
        // level line only at c, unless one of them lies on the line too, and then along the segment
        // from c to it, where a level vertex would lie in it or on it. The first in sweep order is
        // named.
        const int c = order[k];
        const int other = a == c ? b : a;
        const int third = v[other].y == v[c].y ? other : v[corner].y == v[c].y ? corner : -1;
        if (level > 0 && third >= 0) {
            const float lo = std::min(v[third].x, v[c].x);
            const float hi = std::max(v[third].x, v[c].x);
            int first = -1;
            if (!inLongRun) {
                // Scanned in sweep order: the first one within is the one named.
                for (int j = k + 1; j <= k + level && first < 0; ++j) {
                    const float x = v[order[j]].x;
                    if (lo <= x && x <= hi) first = j;
                }
            } else {
                // The forward part comes first in sweep order, so it is asked first.
                const int split = std::max(k + 1, backwardFrom);
                first = firstWithin(k + 1, split - 1, lo, hi);
                if (first < 0) first = firstWithin(split, k + level, lo, hi);
            }
            if (first >= 0) {
                refusal = {RefusalReason::VertexInTriangle, to, corner, order[first]};
                return false;
            }
        }
        return true;
    }

    // The first sweep position from `from` to `to` whose vertex lies within [lo, hi] on the level
    // line, or -1; the vertices there lie along the line in order of rising or of falling abscissa.
    int firstWithin(int from, int to, float lo, float hi) const {
        if (from > to) return -1;
        const bool rising = v[order[from]].x <= v[order[to]].x;
        // The first vertex decides it, unless it lies short of the segment (the common case is
        // one within it, the next along the line).
        const float firstX = v[order[from]].x;
        if (lo <= firstX && firstX <= hi) return from;
        if (rising ? firstX > hi : firstX < lo) return -1;
        // Halving for the first position past the segment's near end, its beginning when they rise.
        int a = from + 1;
        int b = to + 1;
        while (a < b) {
            const int m = a + (b - a) / 2;
            const float x = v[order[m]].x;
            if (rising ? x < lo : x > hi) {
                a = m + 1;
            } else {
                b = m;
            }
        }
        if (a > to) return -1;
        const float x = v[order[a]].x;
        return lo <= x && x <= hi ? a : -1;
    }

    // The stack read from the bottom up follows the boundary order when its top lies on the forward
    // chain, and runs against it otherwise.
    bool forwardChain(int index) const { return chainOf[sweptAt[index]] == Forward; }

    void oppositeChain(int c) {
        // Every entry leaves the stack, top first.
        for (int m = height - 1; m >= 0; --m) popped(stack[m]);
        // c, the bottom and the entry above it follow one another along the boundary, so each cut
        // (c, stack[cut], stack[cut + 1]) takes off the entry at the bottom.
        const bool forward = forwardChain(top());
        int cut = 0;
        while (cut + 1 < height) {
            const int corner = stack[cut];
            const int next = stack[cut + 1];
            if (!(forward ? canCut(c, corner, next, next) : canCut(next, corner, c, next))) break;
            diagonal(c, next, SweepCase::OppositeChain);
            ++cut;
        }
        // The entries pushed back (only the former top, unless a level vertex stopped the cuts) become
        // the stack's lower part, read from the other end.
        std::reverse(stack.begin() + cut, stack.begin() + height);
        std::copy(stack.begin() + cut, stack.begin() + height, stack.begin());
        height -= cut;
        push(c);
    }

    void sameChain(int c) {
        const bool forward = forwardChain(c);
        // The top leaves first; each entry cut off after it leaves as the next is joined to c. Cuts
        // go on only while an entry stays below the top, so the stack never runs empty, and the last
        // entry popped, the top of what is left, goes back on.
        popped(top());
        while (height >= 2) {
            const int corner = top();
            const int below = stack[height - 2];
            if (!(forward ? canCut(below, corner, c, below) : canCut(c, corner, below, below))) break;
            diagonal(c, below, SweepCase::SameChain);
            popped(below);
            --height;
        }
        push(c);
    }

    // No vertex is left to lie level with the lowest, and the stack's corners all turn the polygon's
    // way: every entry between the bottom and the top sees it. Its fan, from the bottom up, cuts the
    // last triangles, and every entry leaves the stack: the sweep is done.
    void lowestVertex(int c) {
        for (int m = 1; m + 1 < height; ++m) diagonal(c, stack[m], SweepCase::LowestVertex);
        for (int m = height - 1; m >= 0; --m) popped(stack[m]);
        height = 0;
    }

    void run() {
        push(order[0]);
        push(order[1]);
        out.step(order[1], SweepCase::Start, refusal, 0, 0, stack, height);
        for (k = 2; k < n; ++k) {
            const int c = order[k];
            // The level run: found once as the sweep enters it, then shrinking by one a step.
            if (level > 0) {
                --level;
            } else {
                while (k + 1 + level < n && v[order[k + 1 + level]].y == v[c].y) ++level;
                inLongRun = level > LongRun;
                if (inLongRun) {
                    backwardFrom = k + 1;
                    while (backwardFrom <= k + level && chainOf[backwardFrom] == Forward) ++backwardFrom;
                }
            }
            refusal = Refusal();
            const int firstDiagonal = out.diagonals();
            const int firstPopped = out.pops();
            const bool besideBottom = adjacent(c, stack[0]);
            const bool besideTop = adjacent(c, top());
            SweepCase kind = SweepCase::SameChain;
            if (besideBottom && besideTop) {
                kind = SweepCase::LowestVertex;
                lowestVertex(c);
            } else if (besideBottom) {
                kind = SweepCase::OppositeChain;
                oppositeChain(c);
            } else {
                // Beside the top, or (never, in the sweep's own order) beside neither.
                sameChain(c);
            }
            out.step(c, kind, refusal, firstDiagonal, firstPopped, stack, height);
            if (kind == SweepCase::LowestVertex) break;
        }
    }
};

}  // namespace

int sweepOrder(const Point* vertices, int vertexCount, int* order) {
    std::vector<int> chainOf(std::max(0, vertexCount));
    return sweepOrderWithChains(vertices, vertexCount, order, chainOf.data());
}

void sweepMonotone(const Point* vertices, int vertexCount, bool keepStacks, Triangulation& out, SweepBuffers& buffers) {
    out.order.clear();
    out.chains.clear();
    out.steps.clear();
    out.diagonals.clear();
    out.stackEntries.clear();
    out.poppedEntries.clear();
    if (vertexCount <= 0) return;
    const int n = vertexCount;
    if (n < 3) {
        out.order.resize(n);
        sweepOrder(vertices, n, out.order.data());
        out.chains.assign(n, Chain::Ends);
        return;
    }
    out.steps.reserve(n - 1);
    out.diagonals.reserve(n - 3);
    if (keepStacks) out.stackEntries.reserve(4 * n);
    out.poppedEntries.reserve(3 * n);
    Recorded recorder{out, keepStacks};
    Sweep<Recorded> sweep(vertices, n, polygonOrientation(vertices, n), recorder, buffers);
    sweep.run();
}

int sweepDiagonals(const Point* vertices, int vertexCount, int orientation, const int* map, int (*diagonals)[2],
                   SweepBuffers& buffers) {
    if (vertexCount < 4) return 0;
    Lean recorder{diagonals, map};
    Sweep<Lean> sweep(vertices, vertexCount, orientation, recorder, buffers);
    sweep.run();
    return recorder.count;
}

Triangulation sweepMonotone(const Point* vertices, int vertexCount, bool keepStacks) {
    Triangulation out;
    SweepBuffers buffers;
    sweepMonotone(vertices, vertexCount, keepStacks, out, buffers);
    return out;
}

Triangulation triangulateMonotone(const Point* vertices, int vertexCount) {
    return sweepMonotone(vertices, vertexCount, true);
}
