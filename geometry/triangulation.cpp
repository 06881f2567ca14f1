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
    if (n <= 0 || n > MaxVertices) return 0;
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

// The part of the polygon not yet cut into triangles is bounded by the stack, read from the bottom
// up, and by the vertices not yet swept. The sweep cuts ears off it; an ear a, b, c (in the
// region's boundary order, b the corner cut off) is accepted only when it turns the polygon's way
// and no other vertex of the region lies in it or on it, decided exactly. Such a cut is a diagonal
// that touches the boundary only at its ends, so every triangle has positive area.
struct Sweep {
    const Point* v;
    int n;
    int sense;  // the polygon's orientation
    int order[MaxVertices];
    int chainOf[MaxVertices];  // by sweep position: Forward, Backward or Both
    int sweptAt[MaxVertices];  // sweep position of each vertex
    int stack[MaxVertices];    // input indices, bottom first
    int height = 0;
    bool sorted = true;  // the stack's ordinates never rise from the bottom up
    int k = 0;           // sweep position of the vertex under the sweep
    int level = 0;       // unswept vertices level with it: the next ones in sweep order
    Triangulation& out;

    Sweep(const Point* vertices, int count, Triangulation& result)
        : v(vertices), n(count), sense(polygonOrientation(vertices, count)), out(result) {
        sweepOrderWithChains(v, n, order, chainOf);
        for (int j = 0; j < n; ++j) sweptAt[order[j]] = j;
        out.order.assign(order, order + n);
    }

    bool adjacent(int a, int b) const {
        const int d = a - b;
        return d == 1 || d == -1 || d == n - 1 || d == 1 - n;
    }
    int turn(int a, int b, int c) const { return orientation(v[a], v[b], v[c]) * sense; }

    void push(int index) { stack[height++] = index; }
    void pop() {
        if (height == 0) {
            out.stackEmptied = true;
            return;
        }
        --height;
    }
    int top() const { return stack[height - 1]; }

    void diagonal(int from, int to, SweepCase made) { out.diagonals.push_back({from, to, made}); }

    void record(int vertex, SweepCase kind, int firstDiagonal) {
        out.steps.push_back({vertex, kind, firstDiagonal, static_cast<int>(out.diagonals.size()) - firstDiagonal,
                             static_cast<int>(out.stackEntries.size()), height});
        out.stackEntries.insert(out.stackEntries.end(), stack, stack + height);
    }

    // p lies in the triangle a, b, c (which turns the polygon's way) or on its boundary.
    bool inTriangle(int p, int a, int b, int c) const {
        const Point& q = v[p];
        if (q.x < std::min({v[a].x, v[b].x, v[c].x}) || q.x > std::max({v[a].x, v[b].x, v[c].x}) ||
            q.y < std::min({v[a].y, v[b].y, v[c].y}) || q.y > std::max({v[a].y, v[b].y, v[c].y})) {
            return false;
        }
        return turn(a, b, p) >= 0 && turn(b, c, p) >= 0 && turn(c, a, p) >= 0;
    }

    // No stack entry but a, b and c lies in the triangle or on it. While the stack's ordinates never
    // rise from the bottom up, only the entries at its top that are no higher than the triangle can.
    bool stackClear(int a, int b, int c) const {
        const float high = std::max({v[a].y, v[b].y, v[c].y});
        for (int j = height - 1; j >= 0; --j) {
            const int p = stack[j];
            if (sorted && v[p].y > high) break;
            if (p != a && p != b && p != c && inTriangle(p, a, b, c)) return false;
        }
        return true;
    }

    // The unswept vertices lie no higher than the vertex under the sweep, so only those level with it
    // can reach a triangle of the region.
    bool levelClear(int a, int b, int c) const {
        for (int j = k + 1; j <= k + level; ++j) {
            const int p = order[j];
            if (p != a && p != b && p != c && inTriangle(p, a, b, c)) return false;
        }
        return true;
    }

    bool isEar(int a, int b, int c) const { return turn(a, b, c) > 0 && stackClear(a, b, c) && levelClear(a, b, c); }

    // The stack read from the bottom up follows the region's boundary order when its top lies on
    // the forward chain, and runs against it otherwise.
    bool topIsForward() const { return chainOf[sweptAt[top()]] == Forward; }

    // c joined to the stack's bottom: cut the ears at the bottom entries, fanning out from c, for as
    // long as they are ears, at most `limit` of them. Returns the number cut (from the bottom up).
    int fanFromBottom(int c, int limit, SweepCase made) {
        const bool forward = topIsForward();
        // The first corner along the stack that does not turn the polygon's way. When there is none,
        // the entries seen from c follow one another strictly by angle, all of them no lower than c,
        // so no entry lies in the triangle of two others with c: only level vertices can block a cut.
        int bent = 0;
        while (bent + 1 < height && turn(c, stack[bent], stack[bent + 1]) * (forward ? 1 : -1) > 0) ++bent;
        const bool fanned = bent + 1 == height;
        int cut = 0;
        while (cut < limit && cut < bent) {
            const int corner = stack[cut];
            const int next = stack[cut + 1];
            const int a = forward ? c : next;
            const int b = forward ? next : c;
            if ((!fanned && !stackClear(a, corner, b)) || !levelClear(a, corner, b)) break;
            diagonal(c, next, made);
            ++cut;
        }
        return cut;
    }

    void oppositeChain(int c) {
        const int cut = fanFromBottom(c, height - 1, SweepCase::OppositeChain);
        // The entries left over (only the former top when every ear was cut) become the boundary
        // from the former top to c; read from the bottom up they run the other way.
        std::reverse(stack + cut, stack + height);
        std::copy(stack + cut, stack + height, stack);
        height -= cut;
        push(c);
        sorted = true;
        for (int m = 0; m + 1 < height; ++m) sorted = sorted && v[stack[m]].y >= v[stack[m + 1]].y;
    }

    void sameChain(int c) {
        const bool forward = chainOf[k] == Forward;
        while (height >= 2) {
            const int t = top();
            const int s = stack[height - 2];
            if (!(forward ? isEar(s, t, c) : isEar(c, t, s))) break;
            diagonal(c, s, SweepCase::SameChain);
            pop();
        }
        push(c);
    }

    // The lowest vertex closes the region: the fan from it to every entry between the bottom and the
    // top. The stack is left as it was.
    void lowestVertex(int c) { fanFromBottom(c, height - 2, SweepCase::LowestVertex); }

    void run() {
        push(order[0]);
        push(order[1]);
        record(order[1], SweepCase::Start, 0);
        for (k = 2; k < n && !out.stackEmptied; ++k) {
            const int c = order[k];
            level = 0;
            while (k + 1 + level < n && v[order[k + 1 + level]].y == v[c].y) ++level;
            const bool besideBottom = adjacent(c, stack[0]);
            const bool besideTop = adjacent(c, top());
            const int firstDiagonal = static_cast<int>(out.diagonals.size());
            if (besideBottom && besideTop) {
                lowestVertex(c);
                record(c, SweepCase::LowestVertex, firstDiagonal);
                break;
            }
            if (besideBottom) {
                oppositeChain(c);
                record(c, SweepCase::OppositeChain, firstDiagonal);
            } else {
                // Beside the top, or (not for a simple monotone polygon swept in chain order) beside
                // neither: c joins the stack's chain.
                sameChain(c);
                record(c, SweepCase::SameChain, firstDiagonal);
            }
        }
    }
};

}  // namespace

int sweepOrder(const Point* vertices, int vertexCount, int* order) {
    int chainOf[MaxVertices];
    return sweepOrderWithChains(vertices, vertexCount, order, chainOf);
}

Triangulation triangulateMonotone(const Point* vertices, int vertexCount) {
    Triangulation out;
    if (vertexCount <= 0 || vertexCount > MaxVertices) return out;
    const int n = vertexCount;
    if (n < 3) {
        int order[MaxVertices];
        out.order.assign(order, order + sweepOrder(vertices, n, order));
        return out;
    }
    out.steps.reserve(n - 1);
    out.diagonals.reserve(n - 3);
    out.stackEntries.reserve(4 * n);
    Sweep sweep(vertices, n, out);
    sweep.run();
    return out;
}
