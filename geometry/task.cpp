// A task's polygon from its number: candidates drawn from the number's own stream of integers until
// one passes every check, each check exact (the coordinates are small integers). A y-monotone one has
// its two chains on either side of a gap, the top and the bottom vertex across it; one that is not
// is a star about the grid's middle, a vertex picked in each of n turns around it. Nothing here
// reads a clock, a library's random numbers or a floating-point result, so every build of the
// program (the window's and the page's) makes the same polygon of the same number.

#include "geometry/task.h"

#include <algorithm>
#include <cstdint>

#include "geometry/judgement.h"
#include "geometry/partition.h"
#include "geometry/polygon.h"

namespace {

// SplitMix64: 64-bit values from one whole number, the same on every machine.
struct Stream {
    std::uint64_t state;

    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from 0 to count - 1 (count is small, so the remainder's bias is negligible).
    int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }
};

struct GridPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

constexpr int Fewest = 8;
constexpr int Most = 14;
constexpr int Middle = TaskGrid / 2;

// Two chains from the top vertex to the bottom one, every vertex at a height of its own: the left
// chain's abscissae left of a gap, the right chain's right of it, the top and the bottom across it.
std::vector<GridPoint> monotoneCandidate(Stream& s) {
    const int n = Fewest + s.below(Most - Fewest + 1);
    int heights[TaskGrid + 1];
    for (int i = 0; i <= TaskGrid; ++i) heights[i] = i;
    for (int i = 0; i < n; ++i) std::swap(heights[i], heights[i + s.below(TaskGrid + 1 - i)]);
    std::sort(heights, heights + n, [](int a, int b) { return a > b; });
    std::vector<GridPoint> left, right;  // from the top down
    for (int i = 1; i + 1 < n; ++i) (s.below(2) == 0 ? left : right).push_back({0, heights[i]});
    if (left.size() < 2 || right.size() < 2) return {};
    const int gap = Middle - 2 + s.below(5);
    for (GridPoint& p : left) p.x = s.below(gap);
    for (GridPoint& p : right) p.x = gap + 1 + s.below(TaskGrid - gap);
    std::vector<GridPoint> out = {{gap - 2 + s.below(5), heights[0]}};
    out.insert(out.end(), right.begin(), right.end());
    out.push_back({gap - 2 + s.below(5), heights[n - 1]});
    out.insert(out.end(), left.rbegin(), left.rend());
    return out;
}

// The grid points 3 to 10 steps from the grid's middle, counter-clockwise by their direction from it
// from the east, the nearer first in one direction: a strict order, so every sort gives the same list.
const std::vector<GridPoint>& ring() {
    static const std::vector<GridPoint> points = [] {
        std::vector<GridPoint> out;
        for (int x = 0; x <= TaskGrid; ++x) {
            for (int y = 0; y <= TaskGrid; ++y) {
                const int d = (x - Middle) * (x - Middle) + (y - Middle) * (y - Middle);
                if (d >= 9 && d <= 100) out.push_back({x - Middle, y - Middle});
            }
        }
        auto half = [](const GridPoint& p) { return p.y > 0 || (p.y == 0 && p.x > 0) ? 0 : 1; };
        std::sort(out.begin(), out.end(), [&](const GridPoint& a, const GridPoint& b) {
            if (half(a) != half(b)) return half(a) < half(b);
            const std::int64_t turn = a.x * b.y - a.y * b.x;
            if (turn != 0) return turn > 0;
            return a.x * a.x + a.y * a.y < b.x * b.x + b.y * b.y;
        });
        for (GridPoint& p : out) p = {p.x + Middle, p.y + Middle};
        return out;
    }();
    return points;
}

// A star about the middle: the ring cut into n runs of directions from a random one, a point of
// each run taken in turn.
std::vector<GridPoint> starCandidate(Stream& s) {
    const int n = Fewest + s.below(Most - Fewest + 1);
    const std::vector<GridPoint>& points = ring();
    const int m = static_cast<int>(points.size());
    const int from = s.below(m);
    std::vector<GridPoint> out;
    for (int k = 0; k < n; ++k) {
        const int first = k * m / n;
        const int end = (k + 1) * m / n;
        out.push_back(points[(from + first + s.below(end - first)) % m]);
    }
    return out;
}

std::int64_t square(std::int64_t v) { return v * v; }

std::vector<Point> pointsOf(const std::vector<GridPoint>& g) {
    std::vector<Point> out;
    for (const GridPoint& p : g) out.emplace_back(static_cast<double>(p.x), static_cast<double>(p.y), 0.0);
    return out;
}

bool ofItsKind(const std::vector<Point>& v, bool monotone) {
    const Judgement j = judgePolygon(v.data(), static_cast<int>(v.size()));
    if (monotone) {
        if (j.verdict != Verdict::Triangulated) return false;
        return std::any_of(j.triangulation.steps.begin(), j.triangulation.steps.end(),
                           [](const SweepStep& s) { return s.refusal.reason != RefusalReason::None; });
    }
    if (j.verdict != Verdict::NotMonotone) return false;
    const std::vector<VertexType>& types = j.whole.partition.types;
    return std::count(types.begin(), types.end(), VertexType::Split) > 0 &&
           std::count(types.begin(), types.end(), VertexType::Merge) > 0;
}

// Kept for a number whose candidates all fail (none is known to): one polygon of each kind.
const std::vector<Point>& fallback(bool monotone) {
    static const std::vector<Point> chain = pointsOf({{10, 20}, {16, 16}, {13, 12}, {19, 8}, {12, 0}, {3, 5}, {7, 10}, {2, 15}});
    static const std::vector<Point> star = pointsOf({{10, 20}, {14, 12}, {20, 10}, {14, 8}, {10, 0}, {8, 6}, {2, 4}, {6, 10}, {0, 16}, {7, 14}});
    return monotone ? chain : star;
}

}  // namespace

bool readableTask(const std::vector<Point>& polygon) {
    const int n = static_cast<int>(polygon.size());
    if (n < 3) return false;
    std::vector<GridPoint> g;
    for (const Point& p : polygon) {
        if (p.x != static_cast<float>(static_cast<int>(p.x)) || p.y != static_cast<float>(static_cast<int>(p.y))) return false;
        if (p.x < 0 || p.y < 0 || p.x > TaskGrid || p.y > TaskGrid) return false;
        g.push_back({static_cast<std::int64_t>(p.x), static_cast<std::int64_t>(p.y)});
    }
    for (int i = 0; i < n; ++i) {
        const GridPoint& p = g[i];
        const GridPoint& before = g[(i + n - 1) % n];
        const GridPoint& after = g[(i + 1) % n];
        if ((after.x - before.x) * (p.y - before.y) - (after.y - before.y) * (p.x - before.x) == 0) return false;
        for (int j = i + 1; j < n; ++j) {
            if (square(g[j].x - p.x) + square(g[j].y - p.y) < 4) return false;
        }
        // Every edge that does not end at p: p at least one step from it.
        for (int e = 0; e < n; ++e) {
            const GridPoint& a = g[e];
            const GridPoint& b = g[(e + 1) % n];
            if (e == i || (e + 1) % n == i) continue;
            const std::int64_t dx = b.x - a.x, dy = b.y - a.y, wx = p.x - a.x, wy = p.y - a.y;
            const std::int64_t along = wx * dx + wy * dy;
            const std::int64_t length = dx * dx + dy * dy;
            if (along > 0 && along < length && square(dx * wy - dy * wx) < length) return false;
        }
    }
    return true;
}

std::vector<Point> taskPolygon(std::uint64_t task) {
    const bool monotone = taskIsMonotone(task);
    Stream s{task};
    for (int attempt = 0; attempt < 20000; ++attempt) {
        std::vector<GridPoint> g = monotone ? monotoneCandidate(s) : starCandidate(s);
        if (g.empty()) continue;
        // Either orientation, from any vertex.
        if (s.below(2) == 1) std::reverse(g.begin(), g.end());
        std::rotate(g.begin(), g.begin() + s.below(static_cast<int>(g.size())), g.end());
        const std::vector<Point> v = pointsOf(g);
        if (readableTask(v) && isSimple(v.data(), static_cast<int>(v.size())) && ofItsKind(v, monotone)) return v;
    }
    return fallback(monotone);
}

bool readTask(const std::string& text, std::uint64_t& task) {
    if (text.empty() || text.size() > 9) return false;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    task = value;
    return value <= MaxTask;
}
