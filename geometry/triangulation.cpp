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
// Every cut is decided exactly, by orientation on the float inputs, or not asked at all where the
// answer is known: an opposite-chain fan over a stack whose corners all turn away, entries above c,
// cuts every entry (see oppositeChain).
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
#include <limits>

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

// The two ends of the chains: the highest and the lowest vertex as extremesOf finds them, and a
// polygon of one ordinate taken from the highest to the vertex before it.
Extremes chainEnds(Extremes e, int n) {
    if (e.lowest == e.highest) e.lowest = e.highest == 0 ? n - 1 : e.highest - 1;
    return e;
}
Extremes chainEnds(const Point* v, int n) { return chainEnds(extremesOf(v, n), n); }

// Both chains walked down from the highest vertex at once and merged by ordinate, each in its own
// order: between the chains the higher vertex goes first, the forward chain's on a tie (any order of
// equal ordinates across the chains gives a triangulation). The lowest vertex ends it. One vertex at
// a time, so that the sweep takes each as it comes and no order is made before it.
struct Chains {
    const Point* v;
    int n;
    int lowest;
    int f;              // the forward chain's next vertex; the lowest once the chain is walked
    int b;              // the backward chain's
    float yf;  // their ordinates, kept at hand for the merge
    float yb;
    float at = 0.0f;  // the ordinate of the vertex last taken

    Chains(const Point* vertices, int count, const Extremes& ends)
        : v(vertices), n(count), lowest(ends.lowest), f(ends.highest + 1 == count ? 0 : ends.highest + 1),
          b(ends.highest == 0 ? count - 1 : ends.highest - 1), yf(vertices[f].y), yb(vertices[b].y) {}
    int forwardOf(int i) const { return i + 1 == n ? 0 : i + 1; }
    int backwardOf(int i) const { return i == 0 ? n - 1 : i - 1; }
    bool walked() const { return f == lowest && b == lowest; }
    // The next vertex below the highest and its chain; the lowest (Both) once both are walked.
    int next(int& chain) {
        if (f != lowest && (b == lowest || !(yf < yb))) {
            chain = Forward;
            return advance(f, yf, forwardOf(f));
        }
        if (b != lowest) {
            chain = Backward;
            return advance(b, yb, backwardOf(b));
        }
        chain = Both;
        at = yf;
        return lowest;
    }
    // The ordinate of the vertex that comes next: the higher of the chains' next.
    float ahead() const { return std::max(yf, yb); }
    // Moves one chain's cursor on to `to`, its ordinate with it, and returns the vertex it leaves.
    int advance(int& cursor, float& y, int to) {
        const int left = cursor;
        at = y;
        cursor = to;
        y = v[to].y;
        return left;
    }
};

// What a sweep keeps of its work: every step with its stacks, pops and refusal, for the window; or
// its diagonals alone, written as pairs of indices (through `map`, when the polygon is a piece of a
// larger one), the records compiled away.
struct Recorded {
    Triangulation& out;
    bool keepStacks;  // the stack after every step goes into the record
    Chain forwardSide = Chain::Left;
    Chain backwardSide = Chain::Right;
    Refusal refusal{};  // the refusal of the step under way

    void begin(int n, int sense) {
        out.chains.assign(n, Chain::Ends);
        // Walked down with the polygon's inside on its left, a chain runs along the left side.
        forwardSide = sense > 0 ? Chain::Left : Chain::Right;
        backwardSide = sense > 0 ? Chain::Right : Chain::Left;
    }
    void visit(int vertex, int chain) {
        out.order.push_back(vertex);
        if (chain != Both) out.chains[vertex] = chain == Forward ? forwardSide : backwardSide;
        refusal = Refusal();
    }
    void refuse(const Refusal& why) { refusal = why; }
    // The corner of the triangle a, corner, b does not turn the polygon's way: it turns away, or lies
    // on the line from a to b.
    void refuseCorner(const Point* v, int a, int corner, int b, int to) {
        const int t = orientation(v[a], v[corner], v[b]);
        refuse({t < 0 ? RefusalReason::ReflexCorner : RefusalReason::FlatCorner, to, corner, -1});
    }
    int diagonals() const { return static_cast<int>(out.diagonals.size()); }
    int pops() const { return static_cast<int>(out.poppedEntries.size()); }
    void diagonal(int from, int to, SweepCase made) { out.diagonals.push_back({from, to, made}); }
    void popped(int index) { out.poppedEntries.push_back(index); }
    void step(int vertex, SweepCase kind, int firstDiagonal, int firstPopped, const int* stack, int height) {
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
        if (keepStacks) out.stackEntries.insert(out.stackEntries.end(), stack, stack + height);
    }
};

struct Lean {
    int (*out)[2];
    const int* map;  // the polygon's index of each of the piece's vertices; null for the polygon itself
    int count = 0;

    void visit(int, int) {}
    void refuse(const Refusal&) {}
    void refuseCorner(const Point*, int, int, int, int) {}
    int diagonals() const { return 0; }
    int pops() const { return 0; }
    void diagonal(int from, int to, SweepCase) {
        out[count][0] = map != nullptr ? map[from] : from;
        out[count][1] = map != nullptr ? map[to] : to;
        ++count;
    }
    void popped(int) {}
    void step(int, SweepCase, int, int, const int*, int) {}
};

// The unswept vertices level with the vertex under the sweep: the forward chain's from its next
// vertex up to (not including) forwardEnd, then the backward chain's down to backwardEnd, the
// lowest vertex last, continuing them. Found when a cut first asks at the sweep's height, and kept
// while it stays there. Each part runs straight along the line, so its abscissae rise or fall one way.
struct Level {
    float at = std::numeric_limits<float>::quiet_NaN();  // the height they were found at; NaN: none yet
    int forwardEnd = 0;
    int backwardEnd = 0;
};

// The first vertex of a level part, from `from` up to (not including) `end` stepping by `step`
// around the polygon, that lies within [lo, hi] on the level line, or -1.
int firstWithin(const Point* v, int n, int from, int end, int step, float lo, float hi) {
    int count = step > 0 ? end - from : from - end;
    if (count == 0) return -1;
    if (count < 0) count += n;
    auto at = [&](int j) {
        const int i = from + step * j;
        return i >= n ? i - n : i < 0 ? i + n : i;
    };
    const float firstX = v[from].x;
    const bool rising = firstX <= v[at(count - 1)].x;
    // The first vertex decides it, unless it lies short of the segment (the common case is one
    // within it, the next along the line).
    if (lo <= firstX && firstX <= hi) return from;
    if (rising ? firstX > hi : firstX < lo) return -1;
    // Halving for the first vertex past the segment's near end, its beginning when they rise.
    int a = 1;
    int b = count;
    while (a < b) {
        const int m = a + (b - a) / 2;
        const float x = v[at(m)].x;
        if (rising ? x < lo : x > hi) {
            a = m + 1;
        } else {
            b = m;
        }
    }
    if (a == count) return -1;
    const float x = v[at(a)].x;
    return lo <= x && x <= hi ? at(a) : -1;
}

// The first unswept vertex in sweep order that lies on the level line from c to `third`, or -1,
// the chains' next vertices being f and b. The chains' state comes in scalars: only ties ask, and
// the sweep's own cursors stay in registers.
[[gnu::cold]] int levelVertexWithin(const Point* v, int n, int lowest, int f, int b, Level& level, int c, int third) {
    const float y = v[c].y;
    if (!(level.at == y)) {
        level.at = y;
        int e = f;
        while (e != lowest && v[e].y == y) e = e + 1 == n ? 0 : e + 1;
        level.forwardEnd = e;
        e = b;
        while (v[e].y == y) {
            const bool last = e == lowest;
            e = e == 0 ? n - 1 : e - 1;
            if (last) break;
        }
        level.backwardEnd = e;
    }
    const float lo = std::min(v[third].x, v[c].x);
    const float hi = std::max(v[third].x, v[c].x);
    // The forward part comes first in sweep order, so it is asked first.
    const int first = firstWithin(v, n, f, level.forwardEnd, 1, lo, hi);
    return first >= 0 ? first : firstWithin(v, n, b, level.backwardEnd, -1, lo, hi);
}

template <typename Recorder>
struct Sweep {
    const Point* v;
    int n;
    int sense;  // the polygon's orientation: +1 counter-clockwise
    Extremes ends;
    int* stack;  // input indices, bottom first
    Recorder& out;

    static int* grown(std::vector<int>& array, int count) {
        if (static_cast<int>(array.size()) < count) array.resize(count);
        return array.data();
    }

    // The whole sweep; what it keeps of each step goes to the recorder. Watching the chains, it stops
    // as soon as one rises on its way down and returns false: the polygon is not monotone. Its state
    // lives here, in locals, and its steps are lambdas over them, so that the compiler keeps it in
    // registers.
    template <bool Watch>
    bool run() {
        Chains chains(v, n, ends);
        Level level;
        int height = 0;
        int c = ends.highest;     // the vertex under the sweep
        int chain = Both;         // and its chain
        float yc = 0.0f;          // and its ordinate
        bool levelAhead = false;  // the next vertex is as high as c
        // The stack's bottom is the last vertex swept on the other chain, and every entry between it
        // and the top stays for its corner alone (turning away, or flat), none for a level vertex:
        // true after a whole fan or the start, false after a cut refused for a level vertex.
        bool cornersOnly = true;
        auto top = [&] { return stack[height - 1]; };
        auto push = [&](int index) { stack[height++] = index; };

        // Cuts off the triangle a, corner, b (in the boundary order of the part not yet cut) when its
        // corner turns the polygon's way and no level vertex lies in it or on it (the deviation for
        // equal ordinates); otherwise notes why not, with `to` the candidate's stack end.
        auto canCut = [&](int a, int corner, int b, int to) {
            if (!turnsLeft(v[a], v[corner], v[b])) {
                out.refuseCorner(v, a, corner, b, to);
                return false;
            }
            // The unswept vertices lie no higher than c, the triangle's other two no lower: it meets
            // the level line only at c, unless one of them lies on the line too, and then along the
            // segment from c to it, where a level vertex would lie in it or on it. The first in sweep
            // order is named.
            if (!levelAhead) return true;
            const int other = a == c ? b : a;
            const float y = yc;
            if (!(v[other].y == y) && !(v[corner].y == y)) return true;
            const int blocker =
                levelVertexWithin(v, n, chains.lowest, chains.f, chains.b, level, c, v[other].y == y ? other : corner);
            if (blocker < 0) return true;
            out.refuse({RefusalReason::VertexInTriangle, to, corner, blocker});
            cornersOnly = false;
            return false;
        };
        // A cut is asked with its three vertices in the polygon's turning order: (c, corner, next) when
        // that turning runs with the chain the stack follows.

        // The stack read from the bottom up follows the boundary order when its top lies on the
        // forward chain, and runs against it otherwise.
        auto oppositeChain = [&](bool forward) {
            const bool turning = forward == (sense > 0);
            // Every entry leaves the stack, top first.
            for (int m = height - 1; m >= 0; --m) out.popped(stack[m]);
            // The fan is made whole without asking when every corner on the stack turns away (or
            // lies flat), the entry under the top lies higher than c (and so every entry under it),
            // and the top does too or no unswept vertex is level with c. Why every cut then turns the
            // polygon's way: the part not yet cut, above the level line through c, is bounded by the
            // stack's chain, the edge from c up to the bottom, and the level line from x to c, x
            // being where the top's chain comes down to it (the top itself, when level with c). The
            // chain runs down or level and turns away at every corner, so it lies on the closed outer
            // side of the line through any two neighbours on it, while the part's inside borders
            // their edge, which lies above the level line, from the inner side. Were c on the outer
            // side or on the line, so would be x, which lies further out along the level line, and
            // every vertex between them, and so the whole part: c lies strictly on the inner side.
            // And a level vertex can lie in a cut only when the cut reaches the level line, at the top.
            if (cornersOnly && v[stack[height - 2]].y > yc && (!levelAhead || v[top()].y > yc)) {
                for (int m = 1; m < height; ++m) out.diagonal(c, stack[m], SweepCase::OppositeChain);
                stack[0] = top();
                height = 1;
                push(c);
                return;
            }
            // c, the bottom and the entry above it follow one another along the boundary, so each
            // cut (c, stack[cut], stack[cut + 1]) takes off the entry at the bottom.
            int cut = 0;
            while (cut + 1 < height) {
                const int corner = stack[cut];
                const int next = stack[cut + 1];
                if (!(turning ? canCut(c, corner, next, next) : canCut(next, corner, c, next))) break;
                out.diagonal(c, next, SweepCase::OppositeChain);
                ++cut;
            }
            // The entries pushed back (only the former top, unless a level vertex stopped the cuts)
            // become the stack's lower part, read from the other end.
            cornersOnly = cut + 1 == height;
            if (cornersOnly) {
                stack[0] = stack[cut];
            } else {
                std::reverse(stack + cut, stack + height);
                std::copy(stack + cut, stack + height, stack);
            }
            height -= cut;
            push(c);
        };

        auto sameChain = [&] {
            const bool turning = (chain == Forward) == (sense > 0);
            // The top leaves first; each entry cut off after it leaves as the next is joined to c.
            // Cuts go on only while an entry stays below the top, so the stack never runs empty, and
            // the last entry popped, the top of what is left, goes back on.
            out.popped(top());
            while (height >= 2) {
                const int corner = top();
                const int below = stack[height - 2];
                if (!(turning ? canCut(below, corner, c, below) : canCut(c, corner, below, below))) break;
                out.diagonal(c, below, SweepCase::SameChain);
                out.popped(below);
                --height;
            }
            push(c);
        };

        // No vertex is left to lie level with the lowest, and the stack's corners all turn the
        // polygon's way: every entry between the bottom and the top sees it. Its fan, from the bottom
        // up, cuts the last triangles, and every entry leaves the stack: the sweep is done.
        auto lowestVertex = [&] {
            for (int m = 1; m + 1 < height; ++m) out.diagonal(c, stack[m], SweepCase::LowestVertex);
            for (int m = height - 1; m >= 0; --m) out.popped(stack[m]);
            height = 0;
        };

        out.visit(c, chain);
        push(c);
        c = chains.next(chain);
        // Watched, a chain that goes up on its way down ends the sweep: the polygon is not monotone.
        // The chain just walked is the one: the other's next lies no higher than the vertex taken.
        if (Watch && chains.ahead() > chains.at) return false;
        out.visit(c, chain);
        push(c);
        out.step(c, SweepCase::Start, 0, 0, stack, height);
        for (int k = 2; k < n; ++k) {
            // The stack's top is the vertex swept last, its bottom the last swept on the other chain
            // (at first the highest vertex): so c lies beside the top when it goes on down the top's
            // chain, beside the bottom when it goes down the other, beside both when it is the lowest.
            const int topChain = chain;
            c = chains.next(chain);
            yc = chains.at;
            const float ahead = chains.ahead();
            if (Watch && ahead > yc) return false;
            levelAhead = ahead == yc;
            out.visit(c, chain);
            const int firstDiagonal = out.diagonals();
            const int firstPopped = out.pops();
            SweepCase kind = SweepCase::SameChain;
            if (chain == Both) {
                kind = SweepCase::LowestVertex;
                lowestVertex();
            } else if (chain != topChain) {
                kind = SweepCase::OppositeChain;
                oppositeChain(topChain == Forward);
            } else {
                sameChain();
            }
            out.step(c, kind, firstDiagonal, firstPopped, stack, height);
        }
        return !Watch || chains.walked();
    }
};

}  // namespace

int sweepOrder(const Point* vertices, int vertexCount, int* order) {
    if (vertexCount <= 0) return 0;
    const int n = vertexCount;
    const Extremes ends = chainEnds(vertices, n);
    Chains chains(vertices, n, ends);
    int count = 0;
    order[count++] = ends.highest;
    int chain = Both;
    while (count < n) order[count++] = chains.next(chain);
    return count;
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
    out.order.reserve(n);
    out.steps.reserve(n - 1);
    out.diagonals.reserve(n - 3);
    if (keepStacks) out.stackEntries.reserve(4 * n);
    out.poppedEntries.reserve(3 * n);
    Recorded recorder{out, keepStacks};
    const Extremes ends = chainEnds(vertices, n);
    Sweep<Recorded> sweep{vertices, n, polygonOrientation(vertices, n, ends.lowestLeftmost), ends,
                          Sweep<Recorded>::grown(buffers.stack, n), recorder};
    recorder.begin(n, sweep.sense);
    sweep.template run<false>();
}

namespace {

// The sweep of a quadrilateral, which makes one diagonal with one cut: the cut that the sweep asks
// of the third vertex in its order, c, with only the lowest vertex l left unswept. When the highest
// and the lowest are neighbours, the other two follow one chain down, x then c, and c's same-chain
// cut (h, x, c) gives c-h, its refusal the lowest vertex's l-x; otherwise the two lie on either
// chain, first then c, and c's opposite-chain cut (c, h, first) gives c-first, its refusal l-h. The
// vertices of each cut come in the polygon's turning order, as the sweep asks them.
void quadrilateralDiagonal(const Point* v, int sense, const Extremes& ends, int& from, int& to) {
    const int h = ends.highest;
    const int l = ends.lowest;
    const int f = (h + 1) & 3;  // the chains' first vertices
    const int b = (h + 3) & 3;
    // The sweep's cut of the triangle a, corner, d at c: its corner turns left, and l, the one vertex
    // that can lie level with c, does not lie on the level line between c and the other vertex, or
    // the corner, level with it.
    auto cuts = [&](int a, int corner, int d, int c) {
        if (!turnsLeft(v[a], v[corner], v[d])) return false;
        const float y = v[c].y;
        if (!(v[l].y == y)) return true;
        const int other = a == c ? d : a;
        if (!(v[other].y == y) && !(v[corner].y == y)) return true;
        const int third = v[other].y == y ? other : corner;
        const float lo = std::min(v[third].x, v[c].x);
        const float hi = std::max(v[third].x, v[c].x);
        return !(lo <= v[l].x && v[l].x <= hi);
    };
    if (f == l || b == l) {
        const bool forward = b == l;
        const int x = forward ? f : b;
        const int c = forward ? (f + 1) & 3 : (b + 3) & 3;
        const bool turning = forward == (sense > 0);
        const bool cut = turning ? cuts(h, x, c, c) : cuts(c, x, h, c);
        from = cut ? c : l;
        to = cut ? h : x;
    } else {
        const bool forwardFirst = !(v[f].y < v[b].y);
        const int first = forwardFirst ? f : b;
        const int c = forwardFirst ? b : f;
        const bool turning = forwardFirst == (sense > 0);
        const bool cut = turning ? cuts(c, h, first, c) : cuts(first, h, c, c);
        from = cut ? c : l;
        to = cut ? first : h;
    }
}

}  // namespace

int sweepDiagonals(const Point* vertices, int vertexCount, int orientation, const Extremes& ends, const int* map,
                   int (*diagonals)[2], SweepBuffers& buffers) {
    if (vertexCount < 4) return 0;
    if (vertexCount == 4) {
        int from = 0;
        int to = 0;
        quadrilateralDiagonal(vertices, orientation, chainEnds(ends, 4), from, to);
        diagonals[0][0] = map != nullptr ? map[from] : from;
        diagonals[0][1] = map != nullptr ? map[to] : to;
        return 1;
    }
    Lean recorder{diagonals, map};
    Sweep<Lean> sweep{vertices, vertexCount, orientation, chainEnds(ends, vertexCount),
                      Sweep<Lean>::grown(buffers.stack, vertexCount), recorder};
    sweep.template run<false>();
    return recorder.count;
}

int sweepDiagonalsIfMonotone(const Point* vertices, int vertexCount, int orientation, const Extremes& ends,
                             int (*diagonals)[2], SweepBuffers& buffers) {
    if (vertexCount < 4) return 0;
    Lean recorder{diagonals, nullptr};
    Sweep<Lean> sweep{vertices, vertexCount, orientation, chainEnds(ends, vertexCount),
                      Sweep<Lean>::grown(buffers.stack, vertexCount), recorder};
    return sweep.template run<true>() ? recorder.count : -1;
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
