#include "geometry/polygon.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "geometry/exact.h"
#include "geometry/sweep_order.h"

bool isMonotone(const Point* vertices, int vertexCount) {
    const int n = vertexCount;
    if (n <= 1) return true;
    int lowest = 0;
    int highest = 0;
    findExtremes(vertices, n, lowest, highest);
    // A wrap by comparison, not a remainder: the lean triangulation asks this of every polygon.
    for (int c = lowest; c != highest;) {  // rising chain, walked forward
        const int next = c + 1 == n ? 0 : c + 1;
        if (vertices[next].y < vertices[c].y) return false;
        c = next;
    }
    for (int c = highest; c != lowest;) {  // falling chain, walked forward
        const int next = c + 1 == n ? 0 : c + 1;
        if (vertices[next].y > vertices[c].y) return false;
        c = next;
    }
    return true;
}

namespace {

// p lies on the closed segment a-b, given that the three are on one line.
bool withinBox(const Point& a, const Point& b, const Point& p) {
    const bool inX = (a.x <= p.x && p.x <= b.x) || (b.x <= p.x && p.x <= a.x);
    const bool inY = (a.y <= p.y && p.y <= b.y) || (b.y <= p.y && p.y <= a.y);
    return inX && inY;
}

// The closed segments a-b and c-d have a point in common.
bool segmentsMeet(const Point& a, const Point& b, const Point& c, const Point& d) {
    // Segments whose boxes lie apart cannot meet: plain comparisons of the floats, exact too.
    if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y)) {
        return false;
    }
    const int o1 = orientation(a, b, c);
    const int o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a);
    const int o4 = orientation(c, d, b);
    if (o1 * o2 < 0 && o3 * o4 < 0) return true;
    return (o1 == 0 && withinBox(a, b, c)) || (o2 == 0 && withinBox(a, b, d)) ||
           (o3 == 0 && withinBox(c, d, a)) || (o4 == 0 && withinBox(c, d, b));
}

}  // namespace

bool areAdjacent(int vertexCount, const Point& p, const Point& q, const Point* vertices) {
    // The last matching vertex counts, so scan from the end and stop once both are found; a point
    // that matches none is taken for vertex 0.
    int a = -1;
    int b = -1;
    for (int k = vertexCount - 1; k >= 0 && (a < 0 || b < 0); --k) {
        if (a < 0 && vertices[k].x == p.x && vertices[k].y == p.y) a = k;
        if (b < 0 && vertices[k].x == q.x && vertices[k].y == q.y) b = k;
    }
    if (a < 0) a = 0;
    if (b < 0) b = 0;
    const int difference = a > b ? a - b : b - a;
    return difference == 1 || (a == 0 && b == vertexCount - 1) || (b == 0 && a == vertexCount - 1);
}

namespace {

// Edge i (from vertex i to the next) and edge i + 1 meet only at their shared vertex b unless they fold
// back along one line (a repeated vertex folds back too). On one line, c lies on the same side of b as
// a exactly when one of them lies within the box of b and the other.
bool foldsBack(const Point* vertices, int n, int i) {
    const Point& a = vertices[i];
    const Point& b = vertices[(i + 1) % n];
    const Point& c = vertices[(i + 2) % n];
    return orientation(a, b, c) == 0 && (withinBox(b, a, c) || withinBox(b, c, a));
}

// Edges that are not neighbours on the boundary, in the order the first contact is named: any edge j
// after edge i but its neighbour, the closing edge n - 1 being edge 0's neighbour.
bool laterStranger(int n, int i, int j) { return j >= i + 2 && !(i == 0 && j == n - 1); }

bool strangers(int n, int i, int j) { return laterStranger(n, i < j ? i : j, i < j ? j : i); }

// The first edge after edge i that edge i meets where it should not, checked one by one; -1 if none.
int firstPartnerByPairs(const Point* vertices, int n, int i) {
    if (foldsBack(vertices, n, i)) return (i + 1) % n;
    const Point& a = vertices[i];
    const Point& b = vertices[(i + 1) % n];
    for (int j = i + 2; j < n; ++j) {
        if (laterStranger(n, i, j) && segmentsMeet(a, b, vertices[j], vertices[(j + 1) % n])) return j;
    }
    return -1;
}

// The first pair whose first edge is one of from..until - 1, edge by edge.
bool firstContactByPairs(const Point* vertices, int n, int from, int until, int& edgeA, int& edgeB) {
    for (int i = from; i < until; ++i) {
        const int j = firstPartnerByPairs(vertices, n, i);
        if (j >= 0) {
            edgeA = i;
            edgeB = j;
            return true;
        }
    }
    return false;
}

// Without numbers there is no order to sweep in, nor boxes to sort: such a polygon is searched pair by
// pair, as any polygon could be.
bool allFinite(const Point* vertices, int n) {
    for (int k = 0; k < n; ++k) {
        if (!std::isfinite(vertices[k].x) || !std::isfinite(vertices[k].y)) return false;
    }
    return true;
}

bool samePlace(const Point& p, const Point& q) { return p.x == q.x && p.y == q.y; }

// An edge as the sweep meets it (in the order of sweep_order.h): from its first end to its last.
struct SweptEdge {
    Point from;
    Point to;
};

// The order of the edges across the sweep's line, for edges on the line at once that do not meet
// (neighbours may share their first end): the edge that starts later lies on the side of the other
// that its first end lies on; two that start at one vertex, by their last ends.
struct AcrossLine {
    const SweptEdge* edges;
    bool operator()(int a, int b) const {
        const SweptEdge& e = edges[a];
        const SweptEdge& f = edges[b];
        if (samePlace(e.from, f.from)) return orientation(e.from, e.to, f.to) > 0;
        if (above(e.from, f.from)) return orientation(e.from, e.to, f.from) > 0;
        return orientation(f.from, f.to, e.from) < 0;
    }
};

// The sweep across the plane. It stops at every vertex in order, takes off the line the edges that end
// there and puts on it those that start there; every two edges that become neighbours on the line are
// tested. Before the first point where two edges meet the line's order holds; two of the edges that
// meet there were neighbours on the line just before it, or one starts there on another, where the
// line's order cannot place it: so the sweep finds a pair that meets whenever there is one.
//
// Asked for a cover, it goes on past each pair it finds, both of its edges taken off the line as if
// they were not there: at the end, of every two edges that meet, one at least is in the cover, and
// each edge of the cover meets some other edge.
struct ContactSweep {
    enum State : char { Waiting, OnLine, Passed, Covered };
    using Line = std::set<int, AcrossLine>;

    const Point* vertices;
    int n;
    bool whole;  // go on to a cover; else stop at the first pair
    std::vector<SweptEdge> edges;
    std::vector<char> state;
    std::vector<int> cover;
    Line line;
    std::vector<Line::iterator> place;
    std::vector<std::pair<int, int>> neighbours;  // new neighbours on the line, to test

    ContactSweep(const Point* v, int count, bool toCover)
        : vertices(v), n(count), whole(toCover), edges(count), state(count, Waiting), line(AcrossLine{edges.data()}), place(count) {
        for (int i = 0; i < n; ++i) {
            const Point& a = v[i];
            const Point& b = v[i + 1 == n ? 0 : i + 1];
            edges[i] = above(a, b) ? SweptEdge{a, b} : SweptEdge{b, a};
        }
    }

    bool done() const { return !whole && !cover.empty(); }

    void takeOff(int e) {
        const Line::iterator it = place[e];
        const Line::iterator next = std::next(it);
        if (it != line.begin() && next != line.end()) neighbours.emplace_back(*std::prev(it), *next);
        line.erase(it);
    }

    // Edge e meets another: into the cover, off the line.
    void take(int e) {
        if (state[e] == Covered) return;
        if (state[e] == OnLine) takeOff(e);
        state[e] = Covered;
        cover.push_back(e);
    }

    void testNeighbours() {
        while (!neighbours.empty() && !done()) {
            const auto [a, b] = neighbours.back();
            neighbours.pop_back();
            if (state[a] == OnLine && state[b] == OnLine && strangers(n, a, b) &&
                segmentsMeet(edges[a].from, edges[a].to, edges[b].from, edges[b].to)) {
                take(a);
                take(b);
            }
        }
    }

    void run() {
        // Neighbours folding back, and two vertices at one place (neighbours in the sweep's order), are
        // found before the sweep, and the first vertex's edges go into the cover: from here every
        // vertex of an edge on the line is the end of its own two edges alone.
        for (int i = 0; i < n && !done(); ++i) {
            if (foldsBack(vertices, n, i)) {
                take(i);
                take(i + 1 == n ? 0 : i + 1);
            }
        }
        std::vector<Event> order(n), spare;
        std::vector<int> counts;
        for (int k = 0; k < n; ++k) order[k] = eventOf(vertices[k], k);
        sortEvents(order.data(), n, spare, counts);
        for (int e = 1; e < n && !done(); ++e) {
            if (order[e - 1].key != order[e].key) continue;
            const int u = order[e - 1].k;  // its edges meet those of the next vertex, at the same place
            take(u == 0 ? n - 1 : u - 1);
            take(u);
        }
        for (int step = 0; step < n && !done(); ++step) {
            const int k = order[step].k;
            const Point& p = vertices[k];
            const int ends[2] = {k == 0 ? n - 1 : k - 1, k};
            for (const int e : ends) {
                if (state[e] == OnLine && samePlace(edges[e].to, p)) {
                    takeOff(e);
                    state[e] = Passed;
                }
            }
            testNeighbours();
            for (const int e : ends) {
                if (done() || state[e] != Waiting) continue;
                const auto [it, added] = line.insert(e);
                if (!added) {  // it starts on an edge of the line, which the order cannot tell from it
                    take(*it);
                    take(e);
                } else {
                    state[e] = OnLine;
                    place[e] = it;
                    if (it != line.begin()) neighbours.emplace_back(*std::prev(it), e);
                    if (std::next(it) != line.end()) neighbours.emplace_back(e, *std::next(it));
                }
                testNeighbours();
            }
        }
    }
};

}  // namespace

bool anyContact(const Point* vertices, int vertexCount) {
    const int n = vertexCount;
    if (n < 3) return n > 0;  // a point or a segment folds back on itself
    if (!allFinite(vertices, n)) {
        int edgeA = 0;
        int edgeB = 0;
        return firstContactByPairs(vertices, n, 0, n, edgeA, edgeB);
    }
    ContactSweep sweep(vertices, n, false);
    sweep.run();
    return !sweep.cover.empty();
}

namespace {

// Edges in a tree of boxes, for the search of the edges that meet a given one: each node holds a
// range of the items and the box around them; a node of more than Leaf items is split at the median
// of their boxes' centres along its longer side, its halves being nodes 2k and 2k + 1.
struct BoxTree {
    static constexpr int Leaf = 8;
    struct Box {
        float x0, y0, x1, y1;
        bool overlaps(const Box& b) const { return x0 <= b.x1 && b.x0 <= x1 && y0 <= b.y1 && b.y0 <= y1; }
    };
    struct Item {
        Box box;
        int edge;
    };
    struct Range {
        int node, lo, hi;
    };
    const Point* vertices;
    int n;
    std::vector<Item> items;
    std::vector<Box> nodes;  // from 1
    std::vector<Range> pending;

    static Box boxOf(const Point& a, const Point& b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }

    BoxTree(const Point* v, int count, const std::vector<int>& edges) : vertices(v), n(count) {
        for (const int e : edges) items.push_back({boxOf(v[e], v[e + 1 == n ? 0 : e + 1]), e});
        const int size = static_cast<int>(items.size());
        nodes.resize(4 * (size / Leaf) + 4);
        if (size > 0) build(1, 0, size);
    }

    void build(int node, int lo, int hi) {
        Box box = items[lo].box;
        for (int k = lo + 1; k < hi; ++k) {
            const Box& b = items[k].box;
            box = {std::min(box.x0, b.x0), std::min(box.y0, b.y0), std::max(box.x1, b.x1), std::max(box.y1, b.y1)};
        }
        nodes[node] = box;
        if (hi - lo <= Leaf) return;
        const int mid = lo + (hi - lo) / 2;
        const bool byX = static_cast<double>(box.x1) - box.x0 >= static_cast<double>(box.y1) - box.y0;
        std::nth_element(items.begin() + lo, items.begin() + mid, items.begin() + hi, [byX](const Item& p, const Item& q) {
            return byX ? static_cast<double>(p.box.x0) + p.box.x1 < static_cast<double>(q.box.x0) + q.box.x1
                       : static_cast<double>(p.box.y0) + p.box.y1 < static_cast<double>(q.box.y0) + q.box.y1;
        });
        build(2 * node, lo, mid);
        build(2 * node + 1, mid, hi);
    }

    // The first edge of the tree after edge i that edge i meets where it should not; -1 when none.
    int firstPartner(int i) {
        const Point& a = vertices[i];
        const Point& b = vertices[i + 1 == n ? 0 : i + 1];
        const Box box = boxOf(a, b);
        int first = n;
        pending.clear();
        if (!items.empty()) pending.push_back({1, 0, static_cast<int>(items.size())});
        while (!pending.empty()) {
            const Range r = pending.back();
            pending.pop_back();
            if (!nodes[r.node].overlaps(box)) continue;
            if (r.hi - r.lo > Leaf) {
                const int mid = r.lo + (r.hi - r.lo) / 2;
                pending.push_back({2 * r.node, r.lo, mid});
                pending.push_back({2 * r.node + 1, mid, r.hi});
                continue;
            }
            for (int k = r.lo; k < r.hi; ++k) {
                const int j = items[k].edge;
                if (j < first && laterStranger(n, i, j) && items[k].box.overlaps(box) &&
                    segmentsMeet(a, b, vertices[j], vertices[j + 1 == n ? 0 : j + 1])) {
                    first = j;
                }
            }
        }
        return first < n ? first : -1;
    }
};

}  // namespace

bool findContact(const Point* vertices, int vertexCount, int& edgeA, int& edgeB) {
    const int n = vertexCount;
    // The first two edges pair by pair: where edges cross everywhere, the first pair is found at once.
    const int prefix = std::max(0, std::min(n, 2));
    if (firstContactByPairs(vertices, n, 0, prefix, edgeA, edgeB)) return true;
    if (prefix >= n) return false;
    if (!allFinite(vertices, n)) return firstContactByPairs(vertices, n, prefix, n, edgeA, edgeB);
    ContactSweep sweep(vertices, n, true);
    sweep.run();
    if (sweep.cover.empty()) return false;
    // Every pair that meets has an edge in the cover: an edge outside it can meet only edges of the
    // cover (it does not fold back either: both edges of a fold are in it), and is tested against
    // those alone; an edge of the cover against all. Every edge of the cover meets another (edge 0
    // perhaps only the closing edge, folding back onto it), so the search ends at the first edge of
    // the cover after edge 0, if not before.
    std::vector<char> covered(n, 0);
    for (const int e : sweep.cover) covered[e] = 1;
    BoxTree tree(vertices, n, sweep.cover);
    for (int i = prefix; i < n; ++i) {
        const int j = covered[i] ? firstPartnerByPairs(vertices, n, i) : tree.firstPartner(i);
        if (j >= 0) {
            edgeA = i;
            edgeB = j;
            return true;
        }
    }
    return false;
}

bool isSimple(const Point* vertices, int vertexCount) {
    // Below some 64 vertices, trying every pair is quicker than sorting them for the sweep.
    if (vertexCount < 64) {
        int edgeA = 0;
        int edgeB = 0;
        return !firstContactByPairs(vertices, vertexCount, 0, vertexCount, edgeA, edgeB);
    }
    return !anyContact(vertices, vertexCount);
}

int polygonOrientation(const Point* vertices, int vertexCount) {
    return polygonOrientation(vertices, vertexCount, extremesOf(vertices, vertexCount).lowestLeftmost);
}

int polygonOrientation(const Point* vertices, int vertexCount, int lowestLeftmost) {
    // The lowest vertex (leftmost among the lowest) is convex; the turn there is the polygon's.
    const int m = lowestLeftmost;
    const Point& previous = vertices[m == 0 ? vertexCount - 1 : m - 1];
    const Point& next = vertices[m + 1 == vertexCount ? 0 : m + 1];
    return orientation(previous, vertices[m], next);
}

int polygonOrientationAtHighest(const Point* vertices, int vertexCount, int highest) {
    auto previous = [&](int m) { return m == 0 ? vertexCount - 1 : m - 1; };
    int m = highest;
    for (int k = 1; k < vertexCount && vertices[previous(m)].y == vertices[m].y; ++k) m = previous(m);
    return orientation(vertices[previous(m)], vertices[m], vertices[m + 1 == vertexCount ? 0 : m + 1]);
}
