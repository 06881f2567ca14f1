#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <random>
#include <vector>

#include "../support/polygon_of.h"
#include "geometry/exact.h"
#include "geometry/polygon.h"

namespace {

bool monotone(const std::vector<Point>& v) { return isMonotone(v.data(), static_cast<int>(v.size())); }
bool simple(const std::vector<Point>& v) { return isSimple(v.data(), static_cast<int>(v.size())); }

}  // namespace

TEST(IsMonotone, SmallCountsAndSquaresInEitherOrientation) {
    EXPECT_TRUE(isMonotone(nullptr, 0));
    EXPECT_TRUE(isMonotone(nullptr, -3));
    EXPECT_TRUE(monotone(polygonOf({{5, 5}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 0}, {3, 9}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 0}, {4, 0}, {4, 4}, {0, 4}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 0}, {0, 4}, {4, 4}, {4, 0}})));
    EXPECT_TRUE(monotone(polygonOf({{4, 4}, {0, 4}, {0, 0}, {4, 0}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 1}, {3, 1}, {5, 1}})));
}

TEST(IsMonotone, NotchesFromBelowAndFromTheSide) {
    EXPECT_FALSE(monotone(polygonOf({{0, 0}, {2, 2}, {4, 0}, {4, 4}, {0, 4}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 0}, {4, 1}, {2, 2}, {4, 3}, {0, 4}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 0}, {4, 0}, {4, 2}, {5, 2}, {5, 4}, {0, 4}})));
    EXPECT_TRUE(monotone(polygonOf({{0, 0}, {4, 0}, {4, 0}, {4, 4}, {0, 4}})));
    // A dip on the falling chain, walked past the end of the array.
    EXPECT_FALSE(monotone(polygonOf({{0, 0}, {4, 0}, {4, 4}, {2, 1}, {0, 4}, {-1, 2}, {-2, 3}})));
}

TEST(AreAdjacent, SquareNeighboursClosingEdgeAndStrangers) {
    const auto sq = polygonOf({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    auto adj = [&](Point p, Point q) { return areAdjacent(4, p, q, sq.data()); };
    EXPECT_TRUE(adj(Point(0, 0, 0), Point(4, 0, 0)));
    EXPECT_TRUE(adj(Point(4, 0, 0), Point(0, 0, 0)));
    EXPECT_TRUE(adj(Point(0, 0, 0), Point(0, 4, 0)));
    EXPECT_TRUE(adj(Point(0, 4, 0), Point(0, 0, 0)));
    EXPECT_FALSE(adj(Point(0, 0, 0), Point(4, 4, 0)));
    EXPECT_FALSE(adj(Point(4, 0, 0), Point(4, 0, 0)));
    // A point that is no vertex is taken for vertex 0.
    EXPECT_TRUE(adj(Point(9, 9, 0), Point(4, 0, 0)));
    EXPECT_TRUE(adj(Point(9, 9, 0), Point(0, 4, 0)));
    EXPECT_FALSE(adj(Point(9, 9, 0), Point(4, 4, 0)));
    EXPECT_FALSE(adj(Point(9, 9, 0), Point(8, 8, 0)));
    Point marked(4, 0, 5);
    marked.colour = Red;
    EXPECT_TRUE(adj(marked, Point(4, 4, 0)));
    EXPECT_FALSE(areAdjacent(0, Point(), Point(), sq.data()));
}

TEST(AreAdjacent, TheLastOfRepeatedCoordinatesCounts) {
    const auto v = polygonOf({{0, 0}, {2, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}});
    auto adj = [&](double x, double y) { return areAdjacent(6, Point(2, 0, 0), Point(x, y, 0), v.data()); };
    EXPECT_TRUE(adj(4, 4));
    EXPECT_TRUE(adj(0, 4));
    EXPECT_FALSE(adj(0, 0));
    EXPECT_FALSE(adj(4, 0));
}

TEST(Orientation, ExactWhereDoublesWouldRound) {
    EXPECT_EQ(orientation(Point(0, 0, 0), Point(1, 0, 0), Point(0, 1, 0)), 1);
    EXPECT_EQ(orientation(Point(0, 0, 0), Point(0, 1, 0), Point(1, 0, 0)), -1);
    EXPECT_EQ(orientation(Point(0, 0, 0), Point(1, 1, 0), Point(3, 3, 0)), 0);
    // Collinear points with huge and tiny coordinates: the terms cancel exactly.
    const float big = 1e30f;
    const float tiny = 1e-30f;
    EXPECT_EQ(orientation(Point(tiny, tiny, 0), Point(big, big, 0), Point(-big, -big, 0)), 0);
    // A turn of one unit in the last place far from the origin.
    const float x = 16777216.0f;  // 2^24: the next float is 2 further
    EXPECT_EQ(orientation(Point(x, x, 0), Point(x + 2, x + 2, 0), Point(x + 4, x + 6, 0)), 1);
    EXPECT_EQ(orientation(Point(x, x, 0), Point(x + 2, x + 2, 0), Point(x + 6, x + 4, 0)), -1);
    // Products near the edge of the float range.
    EXPECT_EQ(orientation(Point(-FLT_MAX, 0, 0), Point(FLT_MAX, 0, 0), Point(0, FLT_MIN, 0)), 1);
}

TEST(IsSimple, AcceptsOrdinaryPolygonsAndCollinearNeighbours) {
    EXPECT_TRUE(simple(polygonOf({{0, 0}, {100, 0}, {50, 100}})));
    EXPECT_TRUE(simple(polygonOf({{0, 0}, {0, 4}, {4, 4}, {4, 0}})));
    EXPECT_TRUE(simple(polygonOf({{0, 0}, {2, 0}, {4, 0}, {4, 4}, {0, 4}})));
    EXPECT_TRUE(simple(polygonOf({{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {4, 3}, {4, 4}, {0, 4}})));
}

TEST(IsSimple, RefusesEveryWayOfNotBeingSimple) {
    // Two vertices at one point, also when not neighbours.
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {4, 0}, {4, 0}, {4, 4}})));
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {2, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}})));
    // Crossing edges (a bow tie).
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}})));
    // A vertex touching a non-neighbouring edge.
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}})));
    // Neighbouring edges folding back over each other.
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {4, 0}, {2, 0}, {2, 3}})));
    // All vertices on one line.
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {1, 1}, {2, 2}})));
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {1, 0}, {3, 0}, {2, 0}})));
    // Collinear overlap of two edges that are not neighbours.
    EXPECT_FALSE(simple(polygonOf({{0, 0}, {6, 0}, {6, 2}, {4, 0}, {2, 0}, {2, 2}})));
}

TEST(PolygonOrientation, BothSensesAnyStart) {
    EXPECT_EQ(polygonOrientation(polygonOf({{0, 0}, {4, 0}, {4, 4}, {0, 4}}).data(), 4), 1);
    EXPECT_EQ(polygonOrientation(polygonOf({{4, 4}, {4, 0}, {0, 0}, {0, 4}}).data(), 4), -1);
    EXPECT_EQ(polygonOrientation(polygonOf({{0, 0}, {2, 0}, {4, 0}, {2, 3}}).data(), 4), 1);
}

// The turn at the top agrees with the one at the lowest leftmost: a lone peak, a level top reached
// from vertex 0 with the last vertex level too (the run wraps round), a top run that is all of one
// side, and random simple polygons of a small grid, where level tops are common, rotated to start
// anywhere and taken both ways round.
TEST(PolygonOrientation, AtTheHighestAgreesWithTheLowestLeftmost) {
    auto agree = [](const std::vector<Point>& v) {
        const int n = static_cast<int>(v.size());
        return polygonOrientationAtHighest(v.data(), n, extremesOf(v.data(), n).highest) == polygonOrientation(v.data(), n);
    };
    EXPECT_TRUE(agree(polygonOf({{0, 0}, {4, 0}, {2, 3}})));
    EXPECT_TRUE(agree(polygonOf({{2, 4}, {0, 0}, {4, 0}, {3, 4}, {2.5, 2}})));
    EXPECT_TRUE(agree(polygonOf({{2, 4}, {1, 0}, {5, 0}, {4, 4}, {3, 4}})));
    EXPECT_TRUE(agree(polygonOf({{2, 4}, {1, 0}, {5, 0}, {4, 4}, {3, 4}, {2.5, 4}})));
    EXPECT_TRUE(agree(polygonOf({{0, 4}, {0, 0}, {4, 0}, {4, 4}, {3, 4}, {2, 4}, {1, 4}})));
    std::mt19937 random(5);
    int levelTops = 0;
    for (int i = 0; i < 20000; ++i) {
        const int n = std::uniform_int_distribution<int>(3, 9)(random);
        std::vector<Point> v;
        for (int k = 0; k < n; ++k) v.emplace_back(random() % 4, random() % 4, 0.0);
        if (!simple(v)) continue;
        for (int turn = 0; turn < n; ++turn) {
            std::rotate(v.begin(), v.begin() + 1, v.end());
            levelTops += extremesOf(v.data(), n).highest == 0 && v[n - 1].y == v[0].y;
            ASSERT_TRUE(agree(v));
            std::reverse(v.begin(), v.end());
            ASSERT_TRUE(agree(v));
            std::reverse(v.begin(), v.end());
        }
    }
    EXPECT_GT(levelTops, 100);
}

TEST(FindContact, NamesTheFirstPairOfEdgesThatMeet) {
    struct Case {
        std::vector<Point> polygon;
        int a, b;  // -1: none
    };
    const Case cases[] = {
        {polygonOf({{0, 0}, {4, 0}, {4, 4}, {0, 4}}), -1, -1},
        {polygonOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), 0, 2},              // a bow tie
        {polygonOf({{0, 0}, {4, 0}, {2, 0}, {2, 3}}), 0, 1},              // folding back at vertex 2
        {polygonOf({{0, 0}, {4, 0}, {4, 4}, {4, 0}, {0, 4}}), 0, 2},      // a point visited twice
        {polygonOf({{0, 0}, {4, 0}, {4, 0}, {4, 4}, {0, 4}}), 0, 1},      // a vertex typed twice in a row
        {polygonOf({{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}}), 0, 2},      // a vertex on an edge
    };
    int a = -1;
    int b = -1;
    EXPECT_FALSE(findContact(nullptr, -3, a, b));
    EXPECT_FALSE(anyContact(nullptr, -3));
    for (const Case& c : cases) {
        a = -1;
        b = -1;
        EXPECT_EQ(findContact(c.polygon.data(), static_cast<int>(c.polygon.size()), a, b), c.a >= 0);
        EXPECT_EQ(std::make_pair(a, b), std::make_pair(c.a, c.b)) << c.polygon[2].x << " " << c.polygon[3].x;
    }
}
