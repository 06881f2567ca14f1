#include "geometry/triangulation.h"

#include <algorithm>
#include <cstdlib>

#include "geometry/exact.h"
#include "geometry/intersection.h"
#include "geometry/polygon.h"
#include "scene/scene.h"

int compareByOrdinateDesc(const Point& a, const Point& b) {
    if (a.y > b.y) return -1;
    if (a.y < b.y) return 1;
    return 0;
}

namespace {

// Chains, as walked down from the highest vertex.
constexpr int Forward = 0;   // indices rising from the highest vertex
constexpr int Backward = 1;  // indices falling from the highest vertex

struct Chains {
    int highest = 0;
    int lowest = 0;
    int forward[MaxVertices];
    int forwardCount = 0;
    int backward[MaxVertices];
    int backwardCount = 0;
};

Chains splitChains(const Point* v, int n) {
    Chains c;
    for (int k = 1; k < n; ++k) {
        if (v[k].y < v[c.lowest].y) c.lowest = k;
        if (v[k].y > v[c.highest].y) c.highest = k;
    }
    if (c.lowest == c.highest) c.lowest = (c.highest + n - 1) % n;  // all on one ordinate
    for (int k = (c.highest + 1) % n; k != c.lowest; k = (k + 1) % n) c.forward[c.forwardCount++] = k;
    for (int k = (c.highest + n - 1) % n; k != c.lowest; k = (k + n - 1) % n) c.backward[c.backwardCount++] = k;
    return c;
}

// Each chain keeps its own order; between the chains the higher vertex goes first, the forward
// chain's on a tie (any order of equal ordinates across the chains gives a triangulation).
int mergeChains(const Point* v, int n, const Chains& c, int* order, int* chainOf) {
    int count = 0;
    order[count] = c.highest;
    chainOf[count++] = -1;
    int f = 0;
    int b = 0;
    while (f < c.forwardCount || b < c.backwardCount) {
        const bool takeForward =
            b == c.backwardCount ||
            (f < c.forwardCount && compareByOrdinateDesc(v[c.forward[f]], v[c.backward[b]]) <= 0);
        if (takeForward) {
            order[count] = c.forward[f++];
            chainOf[count++] = Forward;
        } else {
            order[count] = c.backward[b++];
            chainOf[count++] = Backward;
        }
    }
    if (n > 1) {
        order[count] = c.lowest;
        chainOf[count++] = -1;
    }
    return count;
}

int sweepOrderWithChains(const Point* v, int n, int* order, int* chainOf) {
    if (n <= 0 || n > MaxVertices) return 0;
    return mergeChains(v, n, splitChains(v, n), order, chainOf);
}

// The stack of the sweep: indices into the caller's array, bottom at 0.
struct Stack {
    int entries[MaxVertices];
    int height = 0;

    void push(int index) { entries[height++] = index; }
    void pop() {
        if (height == 0) {
            std::printf("Stek je prazan!\n");
            std::exit(1);
        }
        --height;
    }
    int top() const { return entries[height - 1]; }
};

// The part of the polygon not yet cut into triangles is bounded by the stack, read from the bottom
// up, and by the vertices not yet swept. The sweep cuts ears off it; an ear a, b, c (in the
// region's boundary order, b the corner cut off) is accepted only when it turns the polygon's way
// and no other vertex of the region lies in it or on it, decided exactly. Such a cut is a diagonal
// that touches the boundary only at its ends, so every triangle has positive area.
struct Sweep {
    const Point* v;
    int n;
    int sense;               // the polygon's orientation
    const int* order;        // sweep order
    const int* chainOf;      // by sweep position: Forward, Backward, or -1 (highest and lowest)
    Scene* target;
    Stack stack;
    int k = 0;               // sweep position of the vertex under the sweep
    int sweptAt[MaxVertices];  // sweep position of each vertex

    Sweep(const Point* vertices, int count, const int* sweepOrder, const int* chains, Scene& scene)
        : v(vertices), n(count), sense(polygonOrientation(vertices, count)), order(sweepOrder), chainOf(chains),
          target(&scene) {
        for (int j = 0; j < n; ++j) sweptAt[order[j]] = j;
    }

    void diagonal(Colour colour, int from, int to) const { addSegment(*target, colour, Segment(v[from], v[to])); }

    bool emptyOfOthers(int a, int b, int c, const int* others, int count) const {
        // A vertex outside the triangle's bounding box lies neither in it nor on it.
        const float left = std::min({v[a].x, v[b].x, v[c].x}), right = std::max({v[a].x, v[b].x, v[c].x});
        const float low = std::min({v[a].y, v[b].y, v[c].y}), high = std::max({v[a].y, v[b].y, v[c].y});
        for (int i = 0; i < count; ++i) {
            const int p = others[i];
            if (p == a || p == b || p == c) continue;
            if (v[p].x < left || v[p].x > right || v[p].y < low || v[p].y > high) continue;
            if (orientation(v[a], v[b], v[p]) * sense >= 0 && orientation(v[b], v[c], v[p]) * sense >= 0 &&
                orientation(v[c], v[a], v[p]) * sense >= 0) {
                return false;
            }
        }
        return true;
    }

    // The corner b between a and c (in the region's boundary order) turns the polygon's way and
    // no vertex among `others` lies in the triangle or on it.
    bool cuttable(int a, int b, int c, const int* others, int count) const {
        return orientation(v[a], v[b], v[c]) * sense > 0 && emptyOfOthers(a, b, c, others, count);
    }

    // An ear of the region still to be cut: its vertices are the stack's and the unswept ones, and
    // the unswept lie no higher than the vertex under the sweep, so only those level with it (the
    // next ones in sweep order) can reach the triangle.
    bool isEar(int a, int b, int c) const {
        int level = 0;
        while (k + 1 + level < n && v[order[k + 1 + level]].y == v[order[k]].y) ++level;
        return cuttable(a, b, c, stack.entries, stack.height) && emptyOfOthers(a, b, c, order + k + 1, level);
    }

    // The stack read from the bottom up follows the region's boundary order when its top lies on
    // the forward chain, and runs against it otherwise.
    bool topIsForward() const { return chainOf[sweptAt[stack.top()]] == Forward; }

    // The ear `corner` between its neighbours `towardsBottom` and `towardsTop` along the stack.
    bool isEarAlongStack(int towardsBottom, int corner, int towardsTop) const {
        return topIsForward() ? isEar(towardsBottom, corner, towardsTop) : isEar(towardsTop, corner, towardsBottom);
    }

    // c joined to the stack's bottom: cut the ears at the bottom entries, fanning out from c in
    // Red, for as long as they are ears. Returns the number of entries cut off (from the bottom up).
    int fanFromBottom(int c, int limit) {
        int cut = 0;
        while (cut < limit && isEarAlongStack(c, stack.entries[cut], stack.entries[cut + 1])) {
            diagonal(Red, c, stack.entries[cut + 1]);
            ++cut;
        }
        return cut;
    }

    void oppositeChain(int c) {
        const int cut = fanFromBottom(c, stack.height - 1);
        // The entries left over (all but the top when every ear was cut) become the boundary from
        // the former top to c; read from the bottom up they run the other way.
        int rest[MaxVertices];
        int count = 0;
        for (int m = stack.height - 1; m >= cut; --m) rest[count++] = stack.entries[m];
        stack.height = 0;
        for (int m = 0; m < count; ++m) stack.push(rest[m]);
        stack.push(c);
    }

    void sameChain(int c) {
        const bool forward = chainOf[k] == Forward;
        while (stack.height >= 2) {
            const int t = stack.top();
            const int s = stack.entries[stack.height - 2];
            const bool ear = forward ? isEar(s, t, c) : isEar(c, t, s);
            if (!ear || !isDiagonal(s, c, v, n)) break;
            diagonal(Blue, c, s);
            stack.pop();
        }
        stack.push(c);
    }

    // The lowest vertex closes the region: the fan from it where the ears allow, then whatever ears
    // the rest of the region offers.
    void lastVertex(int c) {
        const int cut = fanFromBottom(c, stack.height - 2);
        int region[MaxVertices + 1];
        int count = 0;
        const bool forward = topIsForward();
        // The region c, the remaining entries, in the polygon's own sense.
        if (forward) {
            for (int m = cut; m < stack.height; ++m) region[count++] = stack.entries[m];
            region[count++] = c;
        } else {
            region[count++] = c;
            for (int m = stack.height - 1; m >= cut; --m) region[count++] = stack.entries[m];
        }
        cutRemaining(region, count);
    }

    void cutRemaining(int* region, int count) {
        while (count > 3) {
            int ear = -1;
            for (int i = 0; i < count && ear < 0; ++i) {
                const int a = region[(i + count - 1) % count], b = region[i], c = region[(i + 1) % count];
                if (cuttable(a, b, c, region, count)) ear = i;
            }
            if (ear < 0) ear = flatEar(region, count);
            const int a = region[(ear + count - 1) % count], c = region[(ear + 1) % count];
            if (sweptAt[a] > sweptAt[c]) {
                diagonal(Red, a, c);
            } else {
                diagonal(Red, c, a);
            }
            for (int i = ear; i + 1 < count; ++i) region[i] = region[i + 1];
            --count;
        }
    }

    // A region with no ear of positive area: cut a corner whose neighbours see each other along
    // the region's edges (a flat triangle), which keeps every cut inside the polygon.
    int flatEar(const int* region, int count) const {
        for (int i = 0; i < count; ++i) {
            const int a = region[(i + count - 1) % count], b = region[i], c = region[(i + 1) % count];
            if (orientation(v[a], v[b], v[c]) * sense >= 0) return i;
        }
        return 0;
    }
};

}  // namespace

int sweepOrder(const Point* vertices, int vertexCount, int* order) {
    int chainOf[MaxVertices];
    return sweepOrderWithChains(vertices, vertexCount, order, chainOf);
}

void triangulateMonotone(const Point* vertices, int vertexCount, std::FILE* out) {
    triangulateMonotone(vertices, vertexCount, out, scene);
}

void triangulateMonotone(const Point* vertices, int vertexCount, std::FILE* out, Scene& target) {
    int order[MaxVertices];
    int chainOf[MaxVertices];
    const int n = sweepOrderWithChains(vertices, vertexCount, order, chainOf);

    std::fputs("Temena u opadajucem poretku po ordinati: \n", out);
    for (int k = 0; k < n; ++k) {
        const Point& p = vertices[order[k]];
        std::fprintf(out, "(%f,%f) ", static_cast<double>(p.x), static_cast<double>(p.y));
    }
    if (n < 3) return;

    Sweep sweep(vertices, n, order, chainOf, target);
    sweep.stack.push(order[0]);
    sweep.stack.push(order[1]);
    for (int k = 2; k < n; ++k) {
        sweep.k = k;
        const int c = order[k];
        const bool besideBottom = areAdjacent(n, vertices[c], vertices[sweep.stack.entries[0]], vertices);
        const bool besideTop = areAdjacent(n, vertices[c], vertices[sweep.stack.top()], vertices);
        if (besideBottom && besideTop) {
            sweep.lastVertex(c);
            break;
        }
        if (besideBottom) {
            sweep.oppositeChain(c);
        } else {
            // Beside the top, or (not for a simple monotone polygon swept in chain order) beside
            // neither: c joins the stack's chain.
            sweep.sameChain(c);
        }
    }
}
