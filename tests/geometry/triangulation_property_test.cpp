// Thousands of random simple y-monotone polygons, each triangulated and checked exactly, with its
// steps checked against the polygon and against what the dialogue puts in the scene.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../support/monotone_polygons.h"
#include "app/dialogue.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"

using namespace testing_support;

namespace {

// PROPERTY_POLYGONS=N runs N polygons per size range instead of 1500, for a longer search.
int polygonsPerRange() {
    const char* text = std::getenv("PROPERTY_POLYGONS");
    return text != nullptr ? std::atoi(text) : 1500;
}

std::vector<int> stackOf(const Triangulation& t, const SweepStep& s) {
    return {t.stackAfter(s).begin(), t.stackAfter(s).end()};
}

// The entries, read from the bottom up, are met in this order walking the boundary one way.
bool isBoundaryChain(const std::vector<int>& entries, int n) {
    int forward = 0;
    int backward = 0;
    for (size_t j = 0; j + 1 < entries.size(); ++j) {
        const int d = (entries[j + 1] - entries[j] + n) % n;
        forward += d;
        backward += d == 0 ? n : n - d;
    }
    return forward < n || backward < n;
}

// Fails the test and returns false at the first fault.
bool stepsHold(const std::vector<Point>& v, const Triangulation& t) {
    const int n = static_cast<int>(v.size());
    EXPECT_EQ(static_cast<int>(t.steps.size()), n - 1);
    for (size_t k = 1; k < t.steps.size(); ++k) {
        const SweepStep& s = t.steps[k];
        const std::vector<int> before = stackOf(t, t.steps[k - 1]);
        const bool bottom = areAdjacent(n, v[s.vertex], v[before.front()], v.data());
        const bool top = areAdjacent(n, v[s.vertex], v[before.back()], v.data());
        const SweepCase expected = bottom && top ? SweepCase::LowestVertex
                                   : bottom      ? SweepCase::OppositeChain
                                   : top         ? SweepCase::SameChain
                                                 : SweepCase::Start;  // beside neither: no case fits
        if (s.kind != expected || (expected == SweepCase::LowestVertex) != (k + 1 == t.steps.size())) {
            ADD_FAILURE() << "step " << k + 1 << " of vertex " << s.vertex + 1 << " has the wrong case";
            return false;
        }
        if (!isBoundaryChain(stackOf(t, s), n)) {
            ADD_FAILURE() << "the stack after step " << k + 1 << " is not a chain of the boundary";
            return false;
        }
    }
    // The dialogue puts exactly the steps' diagonals in the scene, in their order and colours.
    Scene scene;
    addDiagonals(scene, v.data(), t);
    auto segment = scene.segments.begin();
    for (const SweepDiagonal& d : t.diagonals) {
        const Segment& s = *segment++;
        const bool same = s.start.x == v[d.from].x && s.start.y == v[d.from].y && s.end.x == v[d.to].x &&
                          s.end.y == v[d.to].y && s.colour == (d.made == SweepCase::SameChain ? Blue : Red);
        if (!same) {
            ADD_FAILURE() << "the scene's diagonals differ from the steps'";
            return false;
        }
    }
    return segment == scene.segments.end();
}

struct Tally {
    int polygons = 0;
    int positiveArea = 0;
};

Tally sweepMany(Kind kind, int count, unsigned seed, int minN, int maxN) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> size(minN, maxN);
    Tally tally;
    for (int i = 0; i < count; ++i) {
        const std::vector<Point> polygon = randomMonotonePolygon(random, size(random), kind);
        const int n = static_cast<int>(polygon.size());
        // The program's own judgement must agree with the generator's.
        EXPECT_TRUE(isMonotone(polygon.data(), n)) << describe(polygon);
        EXPECT_TRUE(isSimple(polygon.data(), n)) << describe(polygon);
        const Triangulation t = triangulateMonotone(polygon.data(), n);
        std::vector<Diagonal> diagonals;
        for (const SweepDiagonal& d : t.diagonals) diagonals.push_back({polygon[d.from], polygon[d.to]});
        const testing_support::Verdict verdict = checkTriangulation(polygon, diagonals);
        ++tally.polygons;
        tally.positiveArea += verdict.positiveArea ? 1 : 0;
        if (!verdict.valid || !stepsHold(polygon, t)) {
            ADD_FAILURE() << verdict.why << " for the polygon\n" << describe(polygon);
            return tally;
        }
    }
    return tally;
}

}  // namespace

TEST(TriangulationProperty, RealCoordinatesAlwaysGivePositiveAreaTriangles) {
    for (const auto& [minN, maxN] : {std::pair{3, 8}, std::pair{9, 30}, std::pair{31, 100}}) {
        const Tally tally = sweepMany(Kind::Real, polygonsPerRange(), 20261207u + maxN, minN, maxN);
        EXPECT_EQ(tally.positiveArea, tally.polygons) << minN << ".." << maxN << " vertices";
    }
}

TEST(TriangulationProperty, IntegerGridsAlwaysGivePositiveAreaTriangles) {
    for (const auto& [minN, maxN] : {std::pair{3, 8}, std::pair{9, 30}, std::pair{31, 100}}) {
        const Tally tally = sweepMany(Kind::Grid, polygonsPerRange(), 7u + maxN, minN, maxN);
        EXPECT_EQ(tally.positiveArea, tally.polygons) << minN << ".." << maxN << " vertices";
    }
}

TEST(PolygonProperty, EveryPolygonThatIsNotMonotoneHasATurningVertex) {
    std::mt19937 random(99);
    int tried = 0;
    for (int i = 0; i < 20000; ++i) {
        std::vector<Point> v;
        const int n = std::uniform_int_distribution<int>(3, 12)(random);
        for (int k = 0; k < n; ++k) {
            v.emplace_back(std::uniform_int_distribution<int>(0, 5)(random), std::uniform_int_distribution<int>(0, 5)(random), 0.0);
        }
        if (isMonotone(v.data(), n)) continue;
        ++tried;
        ASSERT_FALSE(turningVertices(v.data(), n).empty()) << describe(v);
    }
    EXPECT_GT(tried, 10000);
}
