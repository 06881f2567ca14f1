// The stack sweep against a plain one written here from its description alone: the order merged
// whole before it starts, every cut asked both questions (does the corner turn the polygon's way,
// does an unswept vertex lie in the triangle), the level vertices found by walking the order, and
// every turn taken with the support's own exact arithmetic. The program's sweep leaves questions out
// where their answer is known; the diagonals, in their order, must not change.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "../support/monotone_polygons.h"
#include "geometry/partition.h"
#include "geometry/triangulation.h"

using namespace testing_support;

namespace {

struct Plain {
    std::vector<std::pair<int, int>> diagonals;
    int levelFans = 0;  // opposite-chain fans of three or more entries, made whole, with ties among them
};

Plain plainSweep(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    int highest = 0;
    int lowest = 0;
    for (int i = 1; i < n; ++i) {
        if (v[i].y > v[highest].y) highest = i;
        if (v[i].y < v[lowest].y) lowest = i;
    }
    const int sense = senseOf(v);
    auto next = [n](int i) { return (i + 1) % n; };
    auto previous = [n](int i) { return (i + n - 1) % n; };
    // The order, and each vertex's chain: +1 forward (indices rising from the highest), -1 backward.
    std::vector<int> order = {highest};
    std::vector<int> chain(n, 0);
    for (int f = next(highest), b = previous(highest); f != lowest || b != lowest;) {
        if (b == lowest || (f != lowest && v[f].y >= v[b].y)) {
            chain[f] = 1;
            order.push_back(f);
            f = next(f);
        } else {
            chain[b] = -1;
            order.push_back(b);
            b = previous(b);
        }
    }
    order.push_back(lowest);

    Plain out;
    std::vector<int> stack = {order[0], order[1]};
    for (int k = 2; k < n; ++k) {
        const int c = order[k];
        // The triangle p, q, r, given in rising index order along the part not yet cut, may be cut
        // off: its corner q turns the polygon's way and no unswept vertex lies in it or on it (only
        // those level with c can).
        auto cuts = [&](int p, int q, int r) {
            if (turnOf(v[p], v[q], v[r]) * sense <= 0) return false;
            for (int j = k + 1; j < n && v[order[j]].y == v[c].y; ++j) {
                if (inClosedTriangle(v[order[j]], v[p], v[q], v[r])) return false;
            }
            return true;
        };
        if (k == n - 1) {
            for (std::size_t m = 1; m + 1 < stack.size(); ++m) out.diagonals.emplace_back(c, stack[m]);
            break;
        }
        const int topChain = chain[stack.back()];
        if (chain[c] != topChain) {
            // The fan from the bottom up; what it did not reach goes back under c, read from the top.
            std::size_t cut = 0;
            while (cut + 1 < stack.size()) {
                const int corner = stack[cut];
                const int upper = stack[cut + 1];
                if (!(topChain > 0 ? cuts(c, corner, upper) : cuts(upper, corner, c))) break;
                out.diagonals.emplace_back(c, upper);
                ++cut;
            }
            if (cut + 1 == stack.size() && stack.size() >= 3) {
                bool tie = false;
                for (std::size_t m = 0; m + 1 < stack.size(); ++m) tie |= v[stack[m]].y == v[stack[m + 1]].y;
                out.levelFans += tie;
            }
            std::vector<int> kept(stack.rbegin(), stack.rend() - static_cast<long>(cut));
            kept.push_back(c);
            stack = kept;
        } else {
            int corner = stack.back();
            stack.pop_back();
            while (!stack.empty()) {
                const int below = stack.back();
                if (!(chain[c] > 0 ? cuts(below, corner, c) : cuts(c, corner, below))) break;
                out.diagonals.emplace_back(c, below);
                corner = below;
                stack.pop_back();
            }
            stack.push_back(corner);
            stack.push_back(c);
        }
    }
    return out;
}

std::vector<std::pair<int, int>> lean(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    std::vector<int> out(2 * v.size());
    const int count = triangulateDiagonals(v.data(), n, reinterpret_cast<int(*)[2]>(out.data()));
    std::vector<std::pair<int, int>> pairs;
    for (int d = 0; d < count; ++d) pairs.emplace_back(out[2 * d], out[2 * d + 1]);
    return pairs;
}

std::vector<std::pair<int, int>> recorded(const std::vector<Point>& v) {
    std::vector<std::pair<int, int>> pairs;
    for (const SweepDiagonal& d : triangulateMonotone(v.data(), static_cast<int>(v.size())).diagonals) {
        pairs.emplace_back(d.from, d.to);
    }
    return pairs;
}

}  // namespace

// Random monotone polygons of every kind: distinct ordinates, small grids full of ties and flat
// corners, and long level runs; and, turned a quarter, a polygon's reflection, so that both
// orientations and both chains carry each shape. The lean entry and the window's recorded sweep give
// the plain sweep's diagonals in its order.
TEST(SweepReference, LeanAndRecordedSweepsGiveThePlainSweepsDiagonalsInOrder) {
    std::mt19937 random(4242);
    int levelFans = 0;
    for (const Kind kind : {Kind::Real, Kind::Grid, Kind::LongRuns}) {
        for (int i = 0; i < 1500; ++i) {
            const int size = kind == Kind::LongRuns ? 40 + i % 200 : 4 + i % 97;
            std::vector<Point> v = randomMonotonePolygon(random, size, kind);
            for (int mirrored = 0; mirrored < 2; ++mirrored) {
                if (mirrored) {
                    for (Point& p : v) p.x = -p.x;
                }
                const Plain plain = plainSweep(v);
                levelFans += plain.levelFans;
                ASSERT_EQ(lean(v), plain.diagonals) << describe(v);
                ASSERT_EQ(recorded(v), plain.diagonals) << describe(v);
            }
        }
    }
    // The fans the sweep makes whole without asking include ones along level stacks.
    EXPECT_GT(levelFans, 100);
}

// Chains that turn away at every vertex pile long stacks up, and each opposite-chain vertex clears
// one in a single fan: a left chain bowed inwards against a right chain of a few vertices, on the
// 1/1024 grid but off any coarser one, at sizes up to fifteen hundred, either orientation.
TEST(SweepReference, LongReflexStacksClearedByOneFan) {
    std::mt19937 random(77);
    auto onGrid = [](double d) { return std::round(d * 1024.0) / 1024.0; };
    int swept = 0;
    for (int i = 0; i < 40; ++i) {
        const int left = std::uniform_int_distribution<int>(5, 1500)(random);
        const int right = std::uniform_int_distribution<int>(1, 6)(random);
        std::uniform_real_distribution<double> height(1.0, 99.0);
        std::vector<double> l(left);
        std::vector<double> r(right);
        for (double& y : l) y = onGrid(height(random));
        for (double& y : r) y = onGrid(height(random));
        std::sort(l.rbegin(), l.rend());
        std::sort(r.begin(), r.end());
        l.erase(std::unique(l.begin(), l.end()), l.end());
        r.erase(std::unique(r.begin(), r.end()), r.end());
        std::vector<Point> v = {Point(0, 100, 0)};
        for (const double y : l) {
            const double t = (100.0 - y) / 100.0;
            v.emplace_back(onGrid(-30.0 + 25.0 * t * (1.0 - t)), y, 0.0);
        }
        v.emplace_back(0, 0, 0);
        for (const double y : r) v.emplace_back(onGrid(40.0 + (y > 50 ? 100 - y : y) / 10.0), y, 0.0);
        if (random() % 2) std::reverse(v.begin(), v.end());
        if (!exactlySimple(v)) continue;
        ++swept;
        ASSERT_EQ(lean(v), plainSweep(v).diagonals) << describe(v);
    }
    EXPECT_GT(swept, 30);
}
