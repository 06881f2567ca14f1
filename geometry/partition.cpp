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
// ordered by exact orientation tests, never by computed intersections, so the sweep is exact; it
// searches in O(log n) and changes the line by moving at most a block of edges. Each diagonal cuts
// a ring of corners in two as the sweep adds it, so the pieces are there when the sweep ends.
//
// The same sweep records every step for the window or, for the lean entry, only its diagonals: what
// it keeps is a template parameter, and the lean one compiles away. The lean entry then sweeps each
// piece with the stack sweep's lean form, its work arrays kept by the thread between calls.

#include "geometry/partition.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "geometry/exact.h"
#include "geometry/polygon.h"
#include "geometry/sweep_order.h"

namespace {

// The polygon seen counter-clockwise: position k is input vertex at(k); the edge from position k to
// k + 1 is the input edge inputEdge(k).
struct Walk {
    const Point* v;
    int n;
    bool forward;               // the input runs counter-clockwise
    std::vector<Point> turned;  // else the input turned round, when no buffer is lent
    const Point* ccw;           // the points by position: the input itself, or turned round

    Walk(const Point* vertices, int count) : Walk(vertices, count, polygonOrientation(vertices, count) > 0, nullptr) {}
    // A clockwise polygon's points are turned round once, into `buffer` when one is lent, so that the
    // sweep reads every point by its position alone.
    Walk(const Point* vertices, int count, bool counterClockwise, std::vector<Point>* buffer)
        : v(vertices), n(count), forward(counterClockwise), ccw(vertices) {
        if (forward) return;
        std::vector<Point>& to = buffer != nullptr ? *buffer : turned;
        if (to.size() < static_cast<std::size_t>(n)) to.resize(n);
        for (int k = 0; k < n; ++k) to[k] = v[at(k)];
        ccw = to.data();
    }
    // Plain comparisons rather than remainders: the sweep asks for these at every turn.
    int next(int k) const { return k + 1 == n ? 0 : k + 1; }
    int previous(int k) const { return k == 0 ? n - 1 : k - 1; }
    int at(int k) const { return forward || k == 0 ? k : n - k; }
    int inputEdge(int k) const { return forward ? k : at(next(k)); }
    // The position of input edge `e`: the inverse of inputEdge (the reversal is its own inverse).
    int edgeAt(int e) const { return forward ? e : previous(at(e)); }
    const Point& point(int k) const { return ccw[k]; }
};

// An edge on the sweep line, with the coordinates of its ends at hand, the upper first (only the
// coordinates, so that the line's blocks stay small).
struct LineEdge {
    int edge = 0;  // the position of its first vertex
    float ux = 0, uy = 0, lx = 0, ly = 0;
    Point upper() const { return Point(ux, uy, 0.0); }
    Point lower() const { return Point(lx, ly, 0.0); }
};

// The edge from position k, whose first end the sweep meets first or not.
LineEdge lineEdge(const Walk& w, int k, bool firstAbove) {
    const Point& a = w.point(k);
    const Point& b = w.point(w.next(k));
    return firstAbove ? LineEdge{k, a.x, a.y, b.x, b.y} : LineEdge{k, b.x, b.y, a.x, a.y};
}
LineEdge lineEdge(const Walk& w, int k) { return lineEdge(w, k, above(w.point(k), w.point(w.next(k)))); }

// p lies left (right) of the edge at p's height: p strictly between its ends in the sweep's order,
// or at an end's height but off it.
//
// A point within the edge's span of heights but beyond its span of abscissae lies on that side for
// certain (the edge's point at p's height lies within the span), so the orientation is asked only
// of points within both spans, and of horizontal edges.
int sideOf(const Point& p, const LineEdge& e) {
    if (e.ly < e.uy && e.ly <= p.y && p.y <= e.uy) {
        if (p.x < std::min(e.lx, e.ux)) return 1;
        if (p.x > std::max(e.lx, e.ux)) return -1;
    }
    return orientation(e.lower(), e.upper(), p);
}
bool leftOf(const Point& p, const LineEdge& e) { return sideOf(p, e) > 0; }
bool rightOf(const Point& p, const LineEdge& e) { return sideOf(p, e) < 0; }

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


// The edges crossing the sweep line, left to right, in blocks of a sorted array: one block while
// they are few, the common case, and more as they grow. A search reads the blocks' last edges, kept
// side by side, then one block; an edge put in or taken out moves at most one block's worth; and
// no node is ever made.
class Line {
public:
    static constexpr int BlockSize = 32;

    // Empty, for a sweep of n vertices.
    void reset(int n) {
        order_.clear();
        lasts_.clear();
        spare_.clear();
        for (int b = static_cast<int>(blocks_.size()) - 1; b >= 0; --b) spare_.push_back(b);
        if (blockOf_.size() < static_cast<std::size_t>(n)) blockOf_.resize(n);
        open(0, newBlock());  // the line always has a block, empty or not
    }
    // A place among the edges: the index within the block at `slot` in the line's order.
    struct Place {
        int slot;
        int index;
    };
    // Where p goes: before the first edge that p does not lie right of.
    Place placeOf(const Point& p) const {
        // The first block whose last edge p does not lie right of (else the end of the last).
        const LineEdge* lasts = lasts_.data();
        const int slot = static_cast<int>(std::lower_bound(lasts, lasts + order_.size() - 1, p, LeftToRight{}) - lasts);
        const Block& block = blocks_[order_[slot]];
        return {slot, static_cast<int>(std::lower_bound(block.edges, block.edges + block.count, p, LeftToRight{}) - block.edges)};
    }
    // The edge just left of a place (there is one).
    int leftOf(Place at) const {
        if (at.index > 0) return blocks_[order_[at.slot]].edges[at.index - 1].edge;
        return lasts_[at.slot - 1].edge;
    }
    // The edge on the left of p, which lies on no edge of the line.
    int leftOf(const Point& p) const { return leftOf(placeOf(p)); }
    // The edge just left of an edge on the line (there is one).
    int leftOfEdge(int edge) const {
        const int b = blockOf_[edge];
        const Block& block = blocks_[b];
        return leftOf(Place{slotOf_[b], indexOf(block, edge)});
    }
    // Puts e at a place found on this line as it stands (placeOf its upper end).
    void insert(const LineEdge& e, Place at) {
        if (blocks_[order_[at.slot]].count == BlockSize) {
            // Split: the upper half goes to a new block after it.
            const int fresh = newBlock();
            Block& full = blocks_[order_[at.slot]];
            Block& half = blocks_[fresh];
            constexpr int Kept = BlockSize / 2;
            std::copy(full.edges + Kept, full.edges + BlockSize, half.edges);
            half.count = BlockSize - Kept;
            full.count = Kept;
            for (int i = 0; i < half.count; ++i) blockOf_[half.edges[i].edge] = fresh;
            open(at.slot + 1, fresh);
            lasts_[at.slot + 1] = half.edges[half.count - 1];
            lasts_[at.slot] = full.edges[Kept - 1];
            if (at.index > Kept) {
                ++at.slot;
                at.index -= Kept;
            }
        }
        const int b = order_[at.slot];
        Block& block = blocks_[b];
        std::copy_backward(block.edges + at.index, block.edges + block.count, block.edges + block.count + 1);
        block.edges[at.index] = e;
        if (at.index == block.count) lasts_[at.slot] = e;
        ++block.count;
        blockOf_[e.edge] = b;
    }
    void remove(int edge) {
        const int b = blockOf_[edge];
        Block& block = blocks_[b];
        LineEdge* at = block.edges + indexOf(block, edge);
        std::copy(at + 1, block.edges + block.count, at);
        --block.count;
        if (block.count == 0 && order_.size() > 1) {
            close(slotOf_[b]);
            spare_.push_back(b);
        } else if (block.count > 0 && at == block.edges + block.count) {
            lasts_[slotOf_[b]] = block.edges[block.count - 1];
        }
    }
    // Puts e in the place of the edge above it.
    void replace(int edge, const LineEdge& e) {
        const int b = blockOf_[edge];
        Block& block = blocks_[b];
        LineEdge* at = block.edges + indexOf(block, edge);
        *at = e;
        if (at == block.edges + block.count - 1) lasts_[slotOf_[b]] = e;
        blockOf_[e.edge] = b;
    }

private:
    struct Block {
        int count = 0;
        LineEdge edges[BlockSize];
    };
    // Where an edge on the line is in its block.
    static int indexOf(const Block& block, int edge) {
        const LineEdge* at = std::find_if(block.edges, block.edges + block.count, [edge](const LineEdge& e) { return e.edge == edge; });
        return static_cast<int>(at - block.edges);
    }
    int newBlock() {
        if (!spare_.empty()) {
            const int b = spare_.back();
            spare_.pop_back();
            blocks_[b].count = 0;
            return b;
        }
        // slotOf_ first: if the block then fails to come, it is only one entry ahead.
        slotOf_.resize(blocks_.size() + 1);
        blocks_.emplace_back();
        return static_cast<int>(blocks_.size()) - 1;
    }
    // Puts block b in the line's order at `slot`, or takes the block there out (rare: the blocks
    // after it move along).
    void open(int slot, int b) {
        order_.insert(order_.begin() + slot, b);
        lasts_.insert(lasts_.begin() + slot, LineEdge());
        for (int i = slot; i < static_cast<int>(order_.size()); ++i) slotOf_[order_[i]] = i;
    }
    void close(int slot) {
        order_.erase(order_.begin() + slot);
        lasts_.erase(lasts_.begin() + slot);
        for (int i = slot; i < static_cast<int>(order_.size()); ++i) slotOf_[order_[i]] = i;
    }
    std::vector<Block> blocks_;    // each a sorted run of the line, in any order; kept for the next sweep
    std::vector<int> order_;       // the blocks, left to right
    std::vector<LineEdge> lasts_;  // the last edge of each, in the same order
    std::vector<int> slotOf_;      // by block: its place in that order
    std::vector<int> spare_;       // blocks emptied, to be used again
    std::vector<int> blockOf_;     // by edge, while it is on the line
};

// The pieces cut so far, each a ring of corners walked counter-clockwise; a corner is one vertex's
// place in one piece, and corner k < n is vertex k's first. At first the one ring is the polygon;
// each diagonal cuts the ring that holds both its ends in two, and each end gets a second corner.
// So the pieces come out of the sweep itself: no edges sorted around their vertices afterwards.
struct Rings {
    std::vector<int> next, previous, vertex;  // by corner (vertex: a position of the walk)
    int count = 0;

    void reset(int n) {
        const std::size_t most = 3 * static_cast<std::size_t>(n);  // n corners and two per diagonal
        // Each grown on its own: an allocation that fails part way leaves every array as long as
        // its own size says.
        for (std::vector<int>* a : {&next, &previous, &vertex}) {
            if (a->size() < most) a->resize(most);
        }
        for (int k = 0; k < n; ++k) {
            next[k] = k + 1 == n ? 0 : k + 1;
            previous[k] = k == 0 ? n - 1 : k - 1;
            vertex[k] = k;
        }
        count = n;
    }
    // Cuts the ring of corners a and b along the diagonal between them. Corner a stays on the side
    // of its successor, in the ring a, ..., b; the copy of a, returned, stays on the side of its
    // predecessor, in the ring b', ..., a' (b alike: b keeps its predecessor, b' its successor).
    int cut(int a, int b) {
        const int a2 = count++;
        const int b2 = count++;
        vertex[a2] = vertex[a];
        vertex[b2] = vertex[b];
        const int beforeA = previous[a];
        const int afterB = next[b];
        next[b] = a;
        previous[a] = b;
        next[b2] = afterB;
        previous[afterB] = b2;
        next[beforeA] = a2;
        previous[a2] = beforeA;
        next[a2] = b2;
        previous[b2] = a2;
        return a2;
    }
};

// The type of the vertex at position k from its key and its neighbours' (a smaller key is higher in
// the sweep).
VertexType typeOf(const Walk& w, int k, std::uint64_t before, std::uint64_t key, std::uint64_t after) {
    const bool higher = key < before;
    if (higher != (key < after)) return VertexType::Regular;
    const bool convex = turnsLeft(w.point(w.previous(k)), w.point(k), w.point(w.next(k)));
    if (higher) return convex ? VertexType::Start : VertexType::Split;
    return convex ? VertexType::End : VertexType::Merge;
}

// The work arrays of the partition and of the pieces' sweeps, kept by each thread: a call allocates
// only when it meets a larger polygon than any before it.
struct Work {
    std::vector<Event> events;
    std::vector<std::uint64_t> keys;     // by position: its event's key
    std::vector<Point> turned;           // a clockwise polygon turned round
    std::vector<VertexType> type;        // by position
    std::vector<int> helper;             // by edge (position of its first vertex): the helper's corner,
                                         // doubled, plus 1 for a merge vertex
    std::vector<Event> spare;            // the events' other half while they are sorted
    std::vector<int> counts;             // the sort's buckets
    std::vector<unsigned char> slots;    // by event: its height's place among a few
    Line status;
    Rings rings;
    std::vector<char> walked;            // by corner
    std::vector<int> piece;              // a piece read off
    std::vector<Point> points;           // its vertices, for its sweep
    SweepBuffers sweep;
};

Work& work() {
    thread_local Work w;
    return w;
}

// What the partition's sweep keeps of its work: every step, for the window; or its diagonals alone,
// written as pairs of input indices, the records compiled away.
struct Recorded {
    Partition& out;
    PartitionStep step;

    void begin(int n) {
        out.order.reserve(n);
        out.steps.reserve(n);
        out.diagonals.reserve(n / 2);
        out.types.assign(n, VertexType::Regular);
    }
    void type(int vertex, VertexType t) { out.types[vertex] = t; }
    void enter(int vertex, VertexType t) {
        out.order.push_back(vertex);
        step = PartitionStep();
        step.vertex = vertex;
        step.type = t;
        step.firstDiagonal = static_cast<int>(out.diagonals.size());
    }
    void diagonal(int from, int to, int helperOf) {
        out.diagonals.push_back({from, to, helperOf});
        ++step.diagonalCount;
    }
    void removed(int edge) { step.removed = edge; }
    void inserted(int edge) { step.inserted = edge; }
    void helped(int edge) { step.helped = edge; }
    void leave() { out.steps.push_back(step); }
};

struct Lean {
    int (*out)[2];
    int count = 0;

    void begin(int) {}
    void type(int, VertexType) {}
    void enter(int, VertexType) {}
    void diagonal(int from, int to, int) {
        out[count][0] = from;
        out[count][1] = to;
        ++count;
    }
    void removed(int) {}
    void inserted(int) {}
    void helped(int) {}
    void leave() {}
};

template <typename Recorder>
struct Sweep {
    const Walk& w;
    Recorder& out;
    Work& work;
    Rings& rings;
    VertexType* type;  // the work's arrays, grown to n
    int* helper;
    Line& status;
    std::uint64_t* keys;

    Sweep(const Walk& walk, Recorder& recorder, Work& arrays)
        : w(walk), out(recorder), work(arrays), rings(arrays.rings), status(arrays.status) {
        const std::size_t n = walk.n;
        // Each grown on its own (see Rings::reset).
        if (work.type.size() < n) work.type.resize(n);
        if (work.helper.size() < n) work.helper.resize(n);
        type = work.type.data();
        helper = work.helper.data();
        if (work.keys.size() < n) work.keys.resize(n);
        keys = work.keys.data();
        if (work.events.size() < n) work.events.resize(n);
        status.reset(walk.n);
        rings.reset(walk.n);
    }

    // Joins k (its first corner) to the edge's helper; returns k's new corner, on the side of its
    // predecessor.
    int join(int k, int edge) {
        const int h = helper[edge] >> 1;
        out.diagonal(w.at(k), w.at(rings.vertex[h]), w.inputEdge(edge));
        return rings.cut(k, h);
    }
    // Joins k to the edge's helper when that is a merge vertex; returns k's corner that faces down
    // on the side of its predecessor: the new one, or its first when nothing was cut.
    int joinMerge(int k, int edge) {
        if ((helper[edge] & 1) == 0) return k;
        return join(k, edge);
    }
    // A split, merge or right-side regular vertex always has an edge on its left.
    int edgeLeftOf(int k) { return status.leftOf(w.point(k)); }
    void remove(int edge) {
        out.removed(w.inputEdge(edge));
        status.remove(edge);
    }
    // Puts the edge from k on the line; k's first corner, on the side of its successor, helps it.
    void insert(int k) { insert(k, status.placeOf(w.point(k))); }
    void insert(int k, Line::Place at) {
        helper[k] = k << 1;  // k is no merge vertex
        status.insert(edge(k), at);
        out.inserted(w.inputEdge(k));
    }
    // The edge from k in the place of the edge above, which ends at k.
    void replace(int above, int k) {
        out.removed(w.inputEdge(above));
        helper[k] = k << 1;  // k is no merge vertex
        status.replace(above, edge(k));
        out.inserted(w.inputEdge(k));
    }
    // The edge from k, its ends ordered by their keys.
    LineEdge edge(int k) const { return lineEdge(w, k, keys[k] < keys[w.next(k)]); }
    void help(int edge, int corner) {
        helper[edge] = corner << 1 | (type[rings.vertex[corner]] == VertexType::Merge ? 1 : 0);
        out.helped(w.inputEdge(edge));
    }

    void run() {
        const int n = w.n;
        out.begin(n);
        Event* events = work.events.data();
        // Each vertex's key and type in one pass, the neighbours' keys at hand.
        std::uint64_t before = eventOf(w.point(n - 1), n - 1).key;
        std::uint64_t key = eventOf(w.point(0), 0).key;
        const std::uint64_t first = key;
        for (int k = 0; k < n; ++k) {
            const std::uint64_t after = k + 1 < n ? eventOf(w.point(k + 1), k + 1).key : first;
            events[k] = {key, k};
            keys[k] = key;
            type[k] = typeOf(w, k, before, key, after);
            out.type(w.at(k), type[k]);
            before = key;
            key = after;
        }
        if (!sortByHeights(events, n, work.spare, work.slots)) sortEvents(events, n, work.spare, work.counts);
        for (int e = 0; e < n; ++e) {
            const int k = events[e].k;
            out.enter(w.at(k), type[k]);
            const int before = w.previous(k);  // the edge that ends at k
            switch (type[k]) {
                case VertexType::Start:
                    insert(k);
                    break;
                case VertexType::End:
                    joinMerge(k, before);
                    remove(before);
                    break;
                case VertexType::Split: {
                    // The diagonal up parts k's corner: the side of its predecessor faces the edge
                    // on its left, the side of its successor its own edge, which goes in just
                    // right of that edge (one search for both).
                    const Line::Place at = status.placeOf(w.point(k));
                    const int left = status.leftOf(at);
                    help(left, join(k, left));
                    insert(k, at);
                    break;
                }
                case VertexType::Merge: {
                    // The edge that ends at k runs through k, so the edge on k's left is the one
                    // on its left: no search.
                    const int left = status.leftOfEdge(before);
                    joinMerge(k, before);  // up to the right: k's first corner keeps the side below
                    remove(before);
                    help(left, joinMerge(k, left));
                    break;
                }
                case VertexType::Regular:
                    // Going down the left side (the inside on its right), the edge above gives way to
                    // the edge below; on the right side, the vertex helps the edge on its left.
                    if (keys[before] < keys[k]) {
                        joinMerge(k, before);
                        replace(before, k);
                    } else {
                        const int left = edgeLeftOf(k);
                        help(left, joinMerge(k, left));
                    }
                    break;
            }
            out.leave();
        }
    }

    // Each piece in turn, as the corner of its smallest vertex (by input index) and its number of
    // corners, which follow it counter-clockwise by rings.next: take(corner, count).
    template <typename Take>
    void eachPiece(Take&& take) {
        work.walked.assign(rings.count, 0);
        // Plain pointers: a flag written could otherwise be the arrays' own.
        char* walked = work.walked.data();
        const int* next = rings.next.data();
        const int* vertex = rings.vertex.data();
        for (int first = 0; first < rings.count; ++first) {
            if (walked[first]) continue;
            int count = 0;
            int start = first;
            int smallest = w.at(vertex[first]);
            for (int c = first; !walked[c]; c = next[c]) {
                walked[c] = 1;
                const int i = w.at(vertex[c]);
                start = i < smallest ? c : start;
                smallest = i < smallest ? i : smallest;
                ++count;
            }
            take(start, count);
        }
    }
    // The input index of the vertex at a corner.
    int vertexAt(int corner) const { return w.at(rings.vertex[corner]); }
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
    Recorded recorder{out, {}};
    Sweep<Recorded> sweep(w, recorder, work());
    sweep.run();
    // The pieces in a fixed order: by their smallest vertex, then counter-clockwise from east by the
    // direction of their first edge.
    sweep.eachPiece([&](int start, int count) {
        std::vector<int>& piece = out.pieces.emplace_back(count);
        for (int j = 0, c = start; j < count; ++j, c = sweep.rings.next[c]) piece[j] = sweep.vertexAt(c);
    });
    std::sort(out.pieces.begin(), out.pieces.end(), [&](const std::vector<int>& a, const std::vector<int>& b) {
        if (a[0] != b[0]) return a[0] < b[0];
        return AngleFrom{vertices, vertices[a[0]]}(a[1], b[1]);
    });
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

int triangulateDiagonals(const Point* vertices, int vertexCount, int (*diagonals)[2]) {
    const int n = vertexCount;
    if (n < 4) return 0;
    Work& arrays = work();
    // A monotone polygon is swept whole, as the dialogue does it: its chains are watched as they are
    // swept, and the sweep stops at the first that rises (most polygons that are not show it soon).
    // The chains' ends alone, two comparisons a vertex, and the orientation at the top.
    ExtremesScan whole(vertices[0]);
    for (int k = 1; k < n; ++k) whole.addEnds(k, vertices[k]);
    const Extremes& ends = whole.ends;
    const int sense = polygonOrientationAtHighest(vertices, n, ends.highest);
    const int swept = sweepDiagonalsIfMonotone(vertices, n, sense, ends, diagonals, arrays.sweep);
    if (swept >= 0) return swept;
    const Walk w(vertices, n, sense > 0, &arrays.turned);
    Lean recorder{diagonals};
    Sweep<Lean> sweep(w, recorder, arrays);
    sweep.run();
    int count = recorder.count;
    // Each piece read off its ring into the work's arrays, its extremes found on the way, and swept.
    if (arrays.piece.size() < static_cast<std::size_t>(n)) arrays.piece.resize(n);
    if (arrays.points.size() < static_cast<std::size_t>(n)) arrays.points.resize(n);
    int* piece = arrays.piece.data();
    Point* points = arrays.points.data();
    const int* next = arrays.rings.next.data();
    sweep.eachPiece([&](int start, int size) {
        if (size < 4) return;  // a triangle has no diagonal
        piece[0] = sweep.vertexAt(start);
        points[0] = vertices[piece[0]];
        ExtremesScan scan(points[0]);
        for (int j = 1, c = next[start]; j < size; ++j, c = next[c]) {
            piece[j] = sweep.vertexAt(c);
            points[j] = vertices[piece[j]];
            scan.addEnds(j, points[j]);
        }
        count += sweepDiagonals(points, size, 1, scan.ends, piece, diagonals + count, arrays.sweep);
    });
    return count;
}
