// Cutting a simple polygon into y-monotone pieces, as the textbook does it.
//
// A line sweeps down the plane and stops at every vertex, highest first; of two vertices at one
// height the one with the smaller abscissa counts as higher, which is the plane turned by a hair so
// that no two heights are equal. Each vertex gets its type from its neighbours (start, end, split,
// merge, regular). The sweep keeps the edges that cross its line, left to right, each with a helper:
// the lowest vertex above the line that sees the edge's right side. A split vertex is joined up to
// the helper of the edge on its left; a merge vertex is joined down to the next vertex that
// becomes the helper of an edge it helped. The diagonals cut the polygon into pieces that are
// monotone in that order, and so y-monotone.
//
// The polygon is walked counter-clockwise, the inside on the left. The edges on the line are
// ordered by exact orientation tests, never by computed intersections, so the sweep is exact and
// O(n log n); each piece is then read off by walking its boundary, turning at each vertex to the
// next edge clockwise, the edges around a vertex ordered exactly by angle.

#include "geometry/partition.h"

#include <algorithm>
#include <set>

#include "geometry/exact.h"
#include "geometry/polygon.h"

namespace {

// p comes before q in the sweep: higher, or as high and further left.
bool above(const Point& p, const Point& q) { return p.y > q.y || (p.y == q.y && p.x < q.x); }

// The polygon seen counter-clockwise: position k is input vertex at(k); the edge from position k to
// k + 1 is the input edge inputEdge(k).
struct Walk {
    const Point* v;
    int n;
    bool forward;  // the input runs counter-clockwise
    int at(int k) const { return forward ? k : (n - k) % n; }
    int position(int input) const { return forward ? input : (n - input) % n; }
    int inputEdge(int k) const { return forward ? at(k) : at((k + 1) % n); }
    const Point& point(int k) const { return v[at(k)]; }
    const Point& upper(int edge) const {
        const Point& a = point(edge);
        const Point& b = point((edge + 1) % n);
        return above(a, b) ? a : b;
    }
    const Point& lower(int edge) const {
        const Point& a = point(edge);
        const Point& b = point((edge + 1) % n);
        return above(a, b) ? b : a;
    }
    // p lies left of the edge, at p's height (p strictly between its ends in the sweep's order, or at
    // an end's height but off it).
    bool leftOf(const Point& p, int edge) const { return orientation(lower(edge), upper(edge), p) > 0; }
    bool rightOf(const Point& p, int edge) const { return orientation(lower(edge), upper(edge), p) < 0; }
};

// Orders the edges that cross the sweep line at once, left to right: the one whose upper end the
// sweep reached later is placed against the other edge. Points are looked up among them too.
struct LeftToRight {
    const Walk* walk;
    using is_transparent = void;
    bool operator()(int e, int f) const {
        if (e == f) return false;
        const Point& eu = walk->upper(e);
        const Point& fu = walk->upper(f);
        if (above(fu, eu)) return walk->leftOf(eu, f);
        return walk->rightOf(fu, e);
    }
    bool operator()(int e, const Point& p) const { return walk->rightOf(p, e); }
    bool operator()(const Point& p, int e) const { return walk->leftOf(p, e); }
};

VertexType typeOf(const Walk& w, int k) {
    const Point& p = w.point(k);
    const Point& previous = w.point((k + w.n - 1) % w.n);
    const Point& next = w.point((k + 1) % w.n);
    const bool convex = orientation(previous, p, next) > 0;
    if (above(p, previous) && above(p, next)) return convex ? VertexType::Start : VertexType::Split;
    if (above(previous, p) && above(next, p)) return convex ? VertexType::End : VertexType::Merge;
    return VertexType::Regular;
}

struct Sweep {
    Walk w;
    Partition& out;
    std::vector<VertexType> type;  // by position
    std::vector<int> helper;       // by edge (position of its first vertex)
    std::set<int, LeftToRight> status;

    Sweep(const Walk& walk, Partition& result) : w(walk), out(result), type(walk.n), helper(walk.n), status(LeftToRight{&w}) {}

    void join(PartitionStep& step, int k, int edge) {
        out.diagonals.push_back({w.at(k), w.at(helper[edge]), w.inputEdge(edge)});
        ++step.diagonalCount;
    }
    // Joins k to the edge's helper when that is a merge vertex.
    void joinMerge(PartitionStep& step, int k, int edge) {
        if (type[helper[edge]] == VertexType::Merge) join(step, k, edge);
    }
    int edgeLeftOf(int k) {
        auto it = status.lower_bound(w.point(k));
        return *--it;  // a split, merge or right-side regular vertex always has an edge on its left
    }
    void remove(PartitionStep& step, int edge) {
        status.erase(edge);
        step.removed = w.inputEdge(edge);
    }
    void insert(PartitionStep& step, int k) {
        helper[k] = k;
        status.insert(k);
        step.inserted = w.inputEdge(k);
    }
    void help(PartitionStep& step, int edge, int k) {
        helper[edge] = k;
        step.helped = w.inputEdge(edge);
    }

    void run() {
        const int n = w.n;
        std::vector<int> order(n);
        for (int k = 0; k < n; ++k) order[k] = k;
        std::sort(order.begin(), order.end(), [&](int a, int b) { return above(w.point(a), w.point(b)); });
        out.types.assign(n, VertexType::Regular);
        for (int k = 0; k < n; ++k) {
            type[k] = typeOf(w, k);
            out.types[w.at(k)] = type[k];
        }
        for (const int k : order) {
            out.order.push_back(w.at(k));
            PartitionStep step;
            step.vertex = w.at(k);
            step.type = type[k];
            step.firstDiagonal = static_cast<int>(out.diagonals.size());
            const int before = (k + n - 1) % n;  // the edge that ends at k
            switch (type[k]) {
                case VertexType::Start:
                    insert(step, k);
                    break;
                case VertexType::End:
                    joinMerge(step, k, before);
                    remove(step, before);
                    break;
                case VertexType::Split: {
                    const int left = edgeLeftOf(k);
                    join(step, k, left);
                    help(step, left, k);
                    insert(step, k);
                    break;
                }
                case VertexType::Merge: {
                    joinMerge(step, k, before);
                    remove(step, before);
                    const int left = edgeLeftOf(k);
                    joinMerge(step, k, left);
                    help(step, left, k);
                    break;
                }
                case VertexType::Regular:
                    // Going down the left side (the inside on its right), the edge above gives way to
                    // the edge below; on the right side, the vertex helps the edge on its left.
                    if (above(w.point(before), w.point(k))) {
                        joinMerge(step, k, before);
                        remove(step, before);
                        insert(step, k);
                    } else {
                        const int left = edgeLeftOf(k);
                        joinMerge(step, k, left);
                        help(step, left, k);
                    }
                    break;
            }
            out.steps.push_back(step);
        }
    }
};

// Neighbours of a vertex ordered counter-clockwise by their direction from it, east first, exactly.
struct AngleFrom {
    const Point* v;
    Point c;
    int half(const Point& p) const { return p.y > c.y || (p.y == c.y && p.x > c.x) ? 0 : 1; }
    bool operator()(int a, int b) const {
        const int ha = half(v[a]);
        const int hb = half(v[b]);
        if (ha != hb) return ha < hb;
        return orientation(c, v[a], v[b]) > 0;
    }
};

// The pieces: the faces inside the polygon of the boundary and the diagonals, each walked
// counter-clockwise.
std::vector<std::vector<int>> facesOf(const Point* v, int n, const Walk& w, const std::vector<PartitionDiagonal>& diagonals) {
    std::vector<std::vector<int>> around(n);  // each vertex's neighbours, counter-clockwise from east
    for (int i = 0; i < n; ++i) {
        around[i].push_back((i + 1) % n);
        around[(i + 1) % n].push_back(i);
    }
    for (const PartitionDiagonal& d : diagonals) {
        around[d.from].push_back(d.to);
        around[d.to].push_back(d.from);
    }
    auto byAngle = [v](int centre) { return AngleFrom{v, v[centre]}; };
    for (int i = 0; i < n; ++i) std::sort(around[i].begin(), around[i].end(), byAngle(i));
    // A half-edge is (vertex, slot in its list); each is walked once.
    std::vector<std::vector<char>> used(n);
    for (int i = 0; i < n; ++i) used[i].assign(around[i].size(), 0);
    auto slotOf = [&](int from, int to) {
        const auto less = byAngle(from);
        return static_cast<int>(std::lower_bound(around[from].begin(), around[from].end(), to, less) - around[from].begin());
    };
    // The outside face runs along the boundary clockwise; it is never started.
    for (int k = 0; k < n; ++k) {
        const int a = w.at(k);
        const int b = w.at((k + 1) % n);
        used[b][slotOf(b, a)] = 1;
    }
    std::vector<std::vector<int>> faces;
    for (int start = 0; start < n; ++start) {
        for (int s = 0; s < static_cast<int>(around[start].size()); ++s) {
            if (used[start][s]) continue;
            std::vector<int> face;
            int from = start;
            int slot = s;
            while (!used[from][slot]) {
                used[from][slot] = 1;
                face.push_back(from);
                const int to = around[from][slot];
                // At `to`, the next edge clockwise from the one back to `from`.
                const int back = slotOf(to, from);
                const int count = static_cast<int>(around[to].size());
                slot = (back + count - 1) % count;
                from = to;
            }
            faces.push_back(face);
        }
    }
    return faces;
}

}  // namespace

Partition partitionMonotone(const Point* vertices, int vertexCount) {
    Partition out;
    const int n = vertexCount;
    if (n < 3) return out;
    const Walk w{vertices, n, polygonOrientation(vertices, n) > 0};
    Sweep sweep(w, out);
    sweep.run();
    out.pieces = facesOf(vertices, n, w, out.diagonals);
    return out;
}

std::vector<StatusEdge> statusAfter(const Partition& partition, const Point* vertices, int vertexCount, int step) {
    const int n = vertexCount;
    const Walk w{vertices, n, polygonOrientation(vertices, n) > 0};
    // Replays the steps up to this one; the edges are kept by position.
    std::vector<int> helper(n, -1);
    std::vector<int> on;
    for (int s = 0; s <= step && s < static_cast<int>(partition.steps.size()); ++s) {
        const PartitionStep& p = partition.steps[s];
        auto position = [&](int inputEdge) { return w.forward ? inputEdge : (w.position(inputEdge) + n - 1) % n; };
        if (p.removed >= 0) on.erase(std::find(on.begin(), on.end(), position(p.removed)));
        if (p.inserted >= 0) {
            on.push_back(position(p.inserted));
            helper[position(p.inserted)] = p.vertex;
        }
        if (p.helped >= 0) helper[position(p.helped)] = p.vertex;
    }
    std::sort(on.begin(), on.end(), LeftToRight{&w});
    std::vector<StatusEdge> out;
    for (const int e : on) out.push_back({w.inputEdge(e), helper[e]});
    return out;
}

WholeTriangulation triangulatePolygon(const Point* vertices, int vertexCount) {
    return triangulatePolygon(vertices, vertexCount, false);
}

WholeTriangulation triangulatePolygon(const Point* vertices, int vertexCount, bool keepStacks) {
    WholeTriangulation out;
    out.partition = partitionMonotone(vertices, vertexCount);
    for (const PartitionDiagonal& d : out.partition.diagonals) out.diagonals.push_back({d.from, d.to, -1, SweepCase::Start});
    std::vector<Point> points;
    for (const std::vector<int>& piece : out.partition.pieces) {
        points.clear();
        for (const int i : piece) points.push_back(vertices[i]);
        out.pieces.push_back(sweepMonotone(points.data(), static_cast<int>(points.size()), keepStacks));
        const int p = static_cast<int>(out.pieces.size()) - 1;
        for (const SweepDiagonal& d : out.pieces.back().diagonals) {
            out.diagonals.push_back({piece[d.from], piece[d.to], p, d.made});
        }
    }
    return out;
}
