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
#include <memory>
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

    Walk(const Point* vertices, int count) : v(vertices), n(count), forward(polygonOrientation(vertices, count) > 0) {}
    // Plain comparisons rather than remainders: the sweep asks for these at every turn.
    int next(int k) const { return k + 1 == n ? 0 : k + 1; }
    int previous(int k) const { return k == 0 ? n - 1 : k - 1; }
    int at(int k) const { return forward || k == 0 ? k : n - k; }
    int inputEdge(int k) const { return forward ? k : at(next(k)); }
    // The position of input edge `e`: the inverse of inputEdge (the reversal is its own inverse).
    int edgeAt(int e) const { return forward ? e : previous(at(e)); }
    const Point& point(int k) const { return v[at(k)]; }
};

// An edge on the sweep line, with the coordinates of its ends at hand, the upper first (only the
// coordinates, so that the line's tree stays small).
struct LineEdge {
    int edge = 0;  // the position of its first vertex
    float ux = 0, uy = 0, lx = 0, ly = 0;
    Point upper() const { return Point(ux, uy, 0.0); }
    Point lower() const { return Point(lx, ly, 0.0); }
};

LineEdge lineEdge(const Walk& w, int k) {
    const Point& a = w.point(k);
    const Point& b = w.point(w.next(k));
    return above(a, b) ? LineEdge{k, a.x, a.y, b.x, b.y} : LineEdge{k, b.x, b.y, a.x, a.y};
}

// p lies left (right) of the edge at p's height: p strictly between its ends in the sweep's order,
// or at an end's height but off it.
bool leftOf(const Point& p, const LineEdge& e) { return orientation(e.lower(), e.upper(), p) > 0; }
bool rightOf(const Point& p, const LineEdge& e) { return orientation(e.lower(), e.upper(), p) < 0; }

// Orders the edges that cross the sweep line at once, left to right: the one whose upper end the
// sweep reached later is placed against the other edge. Points are looked up among them too.
struct LeftToRight {
    using is_transparent = void;
    bool operator()(const LineEdge& e, const LineEdge& f) const {
        if (e.edge == f.edge) return false;
        if (above(f.upper(), e.upper())) return leftOf(e.upper(), f);
        return rightOf(f.upper(), e);
    }
    bool operator()(const LineEdge& e, const Point& p) const { return rightOf(p, e); }
    bool operator()(const Point& p, const LineEdge& e) const { return leftOf(p, e); }
};

VertexType typeOf(const Walk& w, int k) {
    const Point& p = w.point(k);
    const Point& previous = w.point(w.previous(k));
    const Point& next = w.point(w.next(k));
    const bool higher = above(p, previous);
    if (higher != above(p, next)) return VertexType::Regular;
    const bool convex = orientation(previous, p, next) > 0;
    if (higher) return convex ? VertexType::Start : VertexType::Split;
    return convex ? VertexType::End : VertexType::Merge;
}

// The line's tree nodes, taken from blocks that last as long as the sweep: every edge enters the line
// once, so no node is ever given back.
class Arena {
public:
    explicit Arena(std::size_t blockSize) : blockSize_(blockSize) {}
    void* take(std::size_t bytes, std::size_t alignment) {
        std::size_t at = (used_ + alignment - 1) / alignment * alignment;
        if (blocks_.empty() || at + bytes > blockSize_) {
            blocks_.push_back(std::make_unique<unsigned char[]>(std::max(blockSize_, bytes)));
            at = 0;
        }
        used_ = at + bytes;
        return blocks_.back().get() + at;
    }

private:
    std::size_t blockSize_;
    std::size_t used_ = 0;
    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
};

template <typename T>
struct ArenaAllocator {
    using value_type = T;
    Arena* arena;
    explicit ArenaAllocator(Arena* a) : arena(a) {}
    template <typename U>
    ArenaAllocator(const ArenaAllocator<U>& other) : arena(other.arena) {}
    T* allocate(std::size_t n) { return static_cast<T*>(arena->take(n * sizeof(T), alignof(T))); }
    void deallocate(T*, std::size_t) {}
    template <typename U>
    bool operator==(const ArenaAllocator<U>& other) const { return arena == other.arena; }
    template <typename U>
    bool operator!=(const ArenaAllocator<U>& other) const { return arena != other.arena; }
};

using Line = std::set<LineEdge, LeftToRight, ArenaAllocator<LineEdge>>;

struct Sweep {
    const Walk& w;
    Partition& out;
    std::vector<VertexType> type;  // by position
    std::vector<int> helper;       // by edge (position of its first vertex)
    Arena nodes;
    Line status;
    std::vector<Line::iterator> where;  // by edge, while it is on the line

    Sweep(const Walk& walk, Partition& result)
        : w(walk), out(result), type(walk.n), helper(walk.n), nodes(64 * static_cast<std::size_t>(walk.n)),
          status(LeftToRight{}, ArenaAllocator<LineEdge>(&nodes)), where(walk.n) {}

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
        return (--it)->edge;  // a split, merge or right-side regular vertex always has an edge on its left
    }
    // Takes the edge off the line; returns where it stood.
    Line::iterator remove(PartitionStep& step, int edge) {
        step.removed = w.inputEdge(edge);
        return status.erase(where[edge]);
    }
    // Puts the edge from k on the line, found from `hint` when that is where it goes.
    void insert(PartitionStep& step, int k, Line::iterator hint) {
        helper[k] = k;
        where[k] = status.emplace_hint(hint, lineEdge(w, k));
        step.inserted = w.inputEdge(k);
    }
    void insert(PartitionStep& step, int k) { insert(step, k, status.lower_bound(w.point(k))); }
    void help(PartitionStep& step, int edge, int k) {
        helper[edge] = k;
        step.helped = w.inputEdge(edge);
    }

    void run() {
        const int n = w.n;
        out.order.reserve(n);
        out.steps.reserve(n);
        out.diagonals.reserve(n / 2);
        // The sweep's order, sorted on copies of the coordinates: no lookups while sorting.
        struct Event {
            Point p;
            int k;
        };
        std::vector<Event> events(n);
        for (int k = 0; k < n; ++k) events[k] = {w.point(k), k};
        std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return above(a.p, b.p); });
        out.types.assign(n, VertexType::Regular);
        for (int k = 0; k < n; ++k) {
            type[k] = typeOf(w, k);
            out.types[w.at(k)] = type[k];
        }
        for (const Event& event : events) {
            const int k = event.k;
            out.order.push_back(w.at(k));
            PartitionStep step;
            step.vertex = w.at(k);
            step.type = type[k];
            step.firstDiagonal = static_cast<int>(out.diagonals.size());
            const int before = w.previous(k);  // the edge that ends at k
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
                        insert(step, k, remove(step, before));  // in the place of the edge above
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
// counter-clockwise. Each vertex's neighbours lie in one flat array, counter-clockwise from east.
std::vector<std::vector<int>> facesWith(const Point* v, int n, const Walk& w, const std::vector<PartitionDiagonal>& diagonals) {
    std::vector<int> first(n + 1, 0);  // vertex i's neighbours are around[first[i]] .. around[first[i + 1] - 1]
    for (int i = 0; i < n; ++i) first[i + 1] = 2;
    for (const PartitionDiagonal& d : diagonals) {
        ++first[d.from + 1];
        ++first[d.to + 1];
    }
    for (int i = 0; i < n; ++i) first[i + 1] += first[i];
    std::vector<int> around(first[n]);
    std::vector<int> filled(first.begin(), first.end() - 1);
    auto link = [&](int a, int b) {
        around[filled[a]++] = b;
        around[filled[b]++] = a;
    };
    for (int i = 0; i < n; ++i) link(i, i + 1 == n ? 0 : i + 1);
    for (const PartitionDiagonal& d : diagonals) link(d.from, d.to);
    // Two neighbours lie in either order around a vertex; more are sorted by angle.
    for (int i = 0; i < n; ++i) {
        if (first[i + 1] - first[i] > 2) std::sort(around.begin() + first[i], around.begin() + first[i + 1], AngleFrom{v, v[i]});
    }
    std::vector<char> used(around.size(), 0);  // each half-edge (a slot of `around`) is walked once
    auto slotOf = [&](int from, int to) {
        const auto begin = around.begin() + first[from];
        const auto end = around.begin() + first[from + 1];
        const auto at = end - begin <= 8 ? std::find(begin, end, to) : std::lower_bound(begin, end, to, AngleFrom{v, v[from]});
        return static_cast<int>(at - around.begin());
    };
    // The outside face runs along the boundary clockwise; it is never started.
    for (int k = 0; k < n; ++k) used[slotOf(w.at(w.next(k)), w.at(k))] = 1;
    std::vector<std::vector<int>> faces;
    faces.reserve(diagonals.size() + 1);
    std::vector<int> face;
    face.reserve(n);
    for (int start = 0; start < n; ++start) {
        for (int s = first[start]; s < first[start + 1]; ++s) {
            if (used[s]) continue;
            face.clear();
            int from = start;
            int slot = s;
            while (!used[slot]) {
                used[slot] = 1;
                face.push_back(from);
                const int to = around[slot];
                // At `to`, the next edge clockwise from the one back to `from`.
                const int back = slotOf(to, from);
                slot = back == first[to] ? first[to + 1] - 1 : back - 1;
                from = to;
            }
            faces.emplace_back(face.begin(), face.end());  // one allocation, of the right size
        }
    }
    return faces;
}

// A piece's sweep with the polygon's vertex numbers in place of the piece's.
Triangulation inPolygonIndices(const Triangulation& t, const std::vector<int>& piece, int vertexCount) {
    Triangulation out = t;
    auto map = [&](int& i) {
        if (i >= 0) i = piece[i];
    };
    for (int& i : out.order) map(i);
    out.chains.assign(vertexCount, Chain::Ends);
    for (std::size_t i = 0; i < piece.size(); ++i) out.chains[piece[i]] = t.chains[i];
    for (SweepStep& s : out.steps) {
        map(s.vertex);
        map(s.refusal.to);
        map(s.refusal.corner);
        map(s.refusal.blocker);
    }
    for (SweepDiagonal& d : out.diagonals) {
        map(d.from);
        map(d.to);
    }
    for (int& i : out.stackEntries) map(i);
    for (int& i : out.poppedEntries) map(i);
    return out;
}

}  // namespace

Partition partitionMonotone(const Point* vertices, int vertexCount) {
    Partition out;
    const int n = vertexCount;
    if (n < 3) return out;
    const Walk w(vertices, n);
    Sweep sweep(w, out);
    sweep.run();
    out.pieces = facesWith(vertices, n, w, out.diagonals);
    return out;
}

std::vector<std::vector<int>> facesOf(const Point* vertices, int vertexCount, const std::vector<PartitionDiagonal>& diagonals) {
    if (vertexCount < 3) return {};
    return facesWith(vertices, vertexCount, Walk(vertices, vertexCount), diagonals);
}

std::vector<int> splitOrMergeVertices(const Partition& partition) {
    std::vector<int> out;
    for (std::size_t i = 0; i < partition.types.size(); ++i) {
        const VertexType t = partition.types[i];
        if (t == VertexType::Split || t == VertexType::Merge) out.push_back(static_cast<int>(i));
    }
    return out;
}

std::vector<std::vector<StatusEdge>> statusAfterEach(const Partition& partition, const Point* vertices, int vertexCount) {
    const Walk w(vertices, vertexCount);
    // The line's edges by position, kept in its order: each edge goes in where the sweep put it.
    std::vector<int> helper(vertexCount, -1);
    std::vector<LineEdge> on;
    std::vector<std::vector<StatusEdge>> out;
    out.reserve(partition.steps.size());
    for (const PartitionStep& p : partition.steps) {
        if (p.removed >= 0) {
            const int edge = w.edgeAt(p.removed);
            on.erase(std::find_if(on.begin(), on.end(), [&](const LineEdge& e) { return e.edge == edge; }));
        }
        if (p.inserted >= 0) {
            const LineEdge e = lineEdge(w, w.edgeAt(p.inserted));
            on.insert(std::lower_bound(on.begin(), on.end(), e.upper(), LeftToRight{}), e);
            helper[e.edge] = p.vertex;
        }
        if (p.helped >= 0) helper[w.edgeAt(p.helped)] = p.vertex;
        std::vector<StatusEdge> line;
        line.reserve(on.size());
        for (const LineEdge& e : on) line.push_back({w.inputEdge(e.edge), helper[e.edge]});
        out.push_back(std::move(line));
    }
    return out;
}

WholeTriangulation triangulatePolygon(const Point* vertices, int vertexCount) {
    return triangulatePolygon(vertices, vertexCount, false);
}

WholeTriangulation triangulatePolygon(const Point* vertices, int vertexCount, bool keepSweeps) {
    WholeTriangulation out;
    out.partition = partitionMonotone(vertices, vertexCount);
    out.diagonals.reserve(std::max(0, vertexCount - 3));
    for (const PartitionDiagonal& d : out.partition.diagonals) out.diagonals.push_back({d.from, d.to, -1, SweepCase::Start});
    std::vector<Point> points;
    SweepBuffers buffers;
    Triangulation sweep;
    if (keepSweeps) out.pieces.reserve(out.partition.pieces.size());
    for (const std::vector<int>& piece : out.partition.pieces) {
        points.clear();
        for (const int i : piece) points.push_back(vertices[i]);
        sweepMonotone(points.data(), static_cast<int>(points.size()), keepSweeps, sweep, buffers);
        const int p = static_cast<int>(&piece - out.partition.pieces.data());
        for (const SweepDiagonal& d : sweep.diagonals) out.diagonals.push_back({piece[d.from], piece[d.to], p, d.made});
        if (keepSweeps) out.pieces.push_back(inPolygonIndices(sweep, piece, vertexCount));
    }
    return out;
}
