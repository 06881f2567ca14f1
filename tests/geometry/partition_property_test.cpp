// The partition and the whole triangulation on random simple polygons and on every simple polygon of
// small grids: every piece is monotone, the pieces' areas add up exactly to the polygon's, the whole
// triangulation passes the exact check written apart from the program, and every polygon that the
// dialogue calls not monotone has a split or a merge vertex.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "../support/monotone_polygons.h"
#include "geometry/partition.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"

namespace {

using testing_support::describe;
using testing_support::randomStar;

// Twice the signed area, exactly, of points that are multiples of 1/1024 within +-1000.
std::int64_t twiceArea(const std::vector<Point>& v, const std::vector<int>& at) {
    std::int64_t sum = 0;
    const int n = static_cast<int>(at.size());
    for (int i = 0; i < n; ++i) {
        const Point& a = v[at[i]];
        const Point& b = v[at[(i + 1) % n]];
        sum += static_cast<std::int64_t>(std::llround(a.x * 1024.0)) * std::llround(b.y * 1024.0) -
               static_cast<std::int64_t>(std::llround(b.x * 1024.0)) * std::llround(a.y * 1024.0);
    }
    return sum;
}

// Fails the test and returns false at the first fault.
bool holds(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    const WholeTriangulation whole = triangulatePolygon(v.data(), n);
    const Partition& p = whole.partition;
    std::vector<int> all(n);
    for (int i = 0; i < n; ++i) all[i] = i;
    std::int64_t pieces = 0;
    for (const std::vector<int>& piece : p.pieces) {
        std::vector<Point> points;
        for (const int i : piece) points.push_back(v[i]);
        if (!isMonotone(points.data(), static_cast<int>(points.size()))) {
            ADD_FAILURE() << "a piece is not monotone in\n" << describe(v);
            return false;
        }
        pieces += twiceArea(v, piece);
    }
    if (pieces != std::abs(twiceArea(v, all))) {
        ADD_FAILURE() << "the pieces' areas do not add up in\n" << describe(v);
        return false;
    }
    const bool splitOrMerge = std::any_of(p.types.begin(), p.types.end(), [](VertexType t) {
        return t == VertexType::Split || t == VertexType::Merge;
    });
    if (!isMonotone(v.data(), n) && !splitOrMerge) {
        ADD_FAILURE() << "not monotone, yet no split or merge vertex in\n" << describe(v);
        return false;
    }
    std::vector<testing_support::Diagonal> diagonals;
    for (const WholeDiagonal& d : whole.diagonals) diagonals.push_back({v[d.from], v[d.to]});
    const testing_support::Verdict verdict = testing_support::checkTriangulation(v, diagonals);
    if (!verdict.valid || !verdict.positiveArea) {
        ADD_FAILURE() << verdict.why << verdict.flat << " in\n" << describe(v);
        return false;
    }
    // The lean entry gives what the program shows: a monotone polygon's stack sweep, else the whole.
    std::vector<testing_support::IndexPair> shown;
    if (isMonotone(v.data(), n)) {
        for (const SweepDiagonal& d : triangulateMonotone(v.data(), n).diagonals) shown.emplace_back(d.from, d.to);
    } else {
        for (const WholeDiagonal& d : whole.diagonals) shown.emplace_back(d.from, d.to);
    }
    const std::string lean = testing_support::leanFault(v, shown);
    if (!lean.empty()) {
        ADD_FAILURE() << lean << " in\n" << describe(v);
        return false;
    }
    return true;
}

// A comb of n vertices on the 1/1024 grid: teeth of random lengths hanging from a bar, their tips at
// random heights, either orientation.
std::vector<Point> randomComb(std::mt19937& random, int n) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random) / 1024.0; };
    const int teeth = (n - 2) / 4;
    const double width = 100.0 / (2 * teeth + 2);
    std::vector<Point> v = {Point(0, 100, 0)};
    for (int t = 0; t < teeth; ++t) {
        const double tip = pick(0, 20 * 1024);
        const double gap = pick(30 * 1024, 90 * 1024);
        v.emplace_back(std::round(2 * t * width * 1024) / 1024, tip, 0.0);
        v.emplace_back(std::round((2 * t + 1) * width * 1024) / 1024, tip, 0.0);
        v.emplace_back(std::round((2 * t + 1) * width * 1024) / 1024, gap, 0.0);
        v.emplace_back(std::round((2 * t + 2) * width * 1024) / 1024, gap, 0.0);
    }
    v.back().y = 0.0f;
    v.emplace_back(100.0, 100.0, 0.0);
    if (random() % 2) std::reverse(v.begin(), v.end());
    return v;
}

}  // namespace

TEST(PartitionProperty, RandomSimplePolygonsCutIntoMonotonePiecesAndTriangulate) {
    std::mt19937 random(20261207);
    int stars = 0, grids = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::vector<Point> v = randomStar(random, std::uniform_int_distribution<int>(3, 100)(random));
        if (!testing_support::exactlySimple(v)) continue;
        ++stars;
        ASSERT_TRUE(holds(v));
    }
    // Small integer grids, where equal heights and collinear vertices abound.
    for (int i = 0; i < 40000; ++i) {
        std::vector<Point> v;
        const int n = std::uniform_int_distribution<int>(3, 12)(random);
        for (int k = 0; k < n; ++k) {
            v.emplace_back(std::uniform_int_distribution<int>(0, 5)(random), std::uniform_int_distribution<int>(0, 5)(random), 0.0);
        }
        if (!isSimple(v.data(), n)) continue;
        ++grids;
        ASSERT_TRUE(holds(v));
    }
    EXPECT_GT(stars, 2500);
    EXPECT_GT(grids, 1000);
    // Large ones, whose sweep line holds many edges at once, and whose vertices are many to sort.
    for (int i = 0; i < 6; ++i) {
        const int n = i < 4 ? std::uniform_int_distribution<int>(600, 2400)(random) : 4200;
        const std::vector<Point> v = i % 2 == 0 ? randomComb(random, n) : randomStar(random, n);
        if (testing_support::exactlySimple(v)) {
            ASSERT_TRUE(holds(v));
        }
    }
}

// Every simple polygon of up to 8 vertices on the 3 by 3 grid, and of up to 7 on the 4 by 4 and 5 by 3 grids,
// each counted once from its smallest vertex, in both orientations.
TEST(PartitionProperty, EverySimplePolygonOfSmallGridsHolds) {
    int polygons = 0, notMonotone = 0;
    for (const auto& [across, down, largest] : {std::tuple{3, 3, 8}, std::tuple{4, 4, 7}, std::tuple{5, 3, 7}}) {
        const int width = across;  // named anew: a lambda cannot take a structured binding in C++17
        const int most = largest;
        const int cells = width * down;
        std::vector<int> at;
        std::vector<char> used(cells, 0);
        std::vector<Point> v;
        // Depth-first over vertex sequences starting from their smallest cell.
        auto visit = [&](auto&& self) -> void {
            const int n = static_cast<int>(at.size());
            if (n >= 3) {
                v.clear();
                for (const int c : at) v.emplace_back(c % width, c / width, 0.0);
                if (isSimple(v.data(), n)) {
                    ++polygons;
                    notMonotone += isMonotone(v.data(), n) ? 0 : 1;
                    if (!holds(v)) throw 0;
                }
            }
            if (n == most) return;
            for (int c = at.empty() ? 0 : at[0] + 1; c < cells; ++c) {
                if (used[c]) continue;
                used[c] = 1;
                at.push_back(c);
                self(self);
                at.pop_back();
                used[c] = 0;
            }
        };
        for (int first = 0; first < cells; ++first) {
            at = {first};
            used.assign(cells, 0);
            used[first] = 1;
            try {
                visit(visit);
            } catch (int) {
                return;
            }
        }
    }
    std::printf("%d simple grid polygons, %d of them not monotone\n", polygons, notMonotone);
    EXPECT_GT(notMonotone, 10000);
}

// The sweep's order runs down the heights, the further left first on a level: on a few heights,
// where the events are put in order height by height (each height's met along the walk in any
// order: by abscissa, against it, or mixed), and on more, where they are sorted whole.
TEST(PartitionProperty, SweepOrderRunsDownTheHeightsOnFewAndOnManyHeights) {
    std::mt19937 random(29);
    int few = 0, many = 0;
    for (int i = 0; i < 2000; ++i) {
        // A star on `levels` heights each side of its centre: each vertex on its own ray, at one of them.
        const int n = std::uniform_int_distribution<int>(8, 160)(random);
        const int levels = std::uniform_int_distribution<int>(1, 14)(random);
        std::vector<double> angles(n);
        for (double& a : angles) {
            a = std::uniform_real_distribution<double>(0.2, M_PI - 0.2)(random) + (random() % 2 ? M_PI : 0.0);
        }
        std::sort(angles.begin(), angles.end());
        std::vector<Point> v;
        for (const double a : angles) {
            const double y = (a < M_PI ? 1 : -1) * std::uniform_int_distribution<int>(1, levels)(random);
            v.emplace_back(y / std::tan(a), y, 0.0);
        }
        if (!isSimple(v.data(), n)) continue;
        std::vector<float> heights;
        for (const Point& p : v) heights.push_back(p.y);
        std::sort(heights.begin(), heights.end());
        const bool onFew = std::unique(heights.begin(), heights.end()) - heights.begin() <= 16;
        (onFew ? few : many) += 1;
        const Partition p = partitionMonotone(v.data(), n);
        ASSERT_EQ(p.order.size(), v.size()) << describe(v);
        for (int k = 0; k + 1 < n; ++k) {
            const Point& a = v[p.order[k]];
            const Point& b = v[p.order[k + 1]];
            ASSERT_TRUE(a.y > b.y || (a.y == b.y && a.x < b.x)) << "at " << k << " in\n" << describe(v);
        }
    }
    EXPECT_GT(few, 300);
    EXPECT_GT(many, 300);
}

// The lean entry sweeps a monotone polygon at once, watching its chains rise or not as it goes: it
// gives the diagonals the window's sweep records, in the same order, ties and long level runs too.
TEST(PartitionProperty, WatchedSweepOfAMonotonePolygonGivesTheRecordedDiagonalsInOrder) {
    std::mt19937 random(2929);
    for (const testing_support::Kind kind : {testing_support::Kind::Real, testing_support::Kind::Grid, testing_support::Kind::LongRuns}) {
        for (int i = 0; i < 600; ++i) {
            const int size = kind == testing_support::Kind::LongRuns ? 40 + i % 200 : 4 + i % 97;
            const std::vector<Point> v = testing_support::randomMonotonePolygon(random, size, kind);
            const int n = static_cast<int>(v.size());
            std::vector<int> lean(2 * v.size());
            const int count = triangulateDiagonals(v.data(), n, reinterpret_cast<int(*)[2]>(lean.data()));
            lean.resize(2 * static_cast<std::size_t>(count));
            std::vector<int> recorded;
            for (const SweepDiagonal& d : triangulateMonotone(v.data(), n).diagonals) recorded.insert(recorded.end(), {d.from, d.to});
            ASSERT_EQ(lean, recorded) << describe(v);
        }
    }
}
