#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../support/monotone_polygons.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"
#include "scene/scene.h"

namespace {

struct Result {
    std::string listing;
    std::vector<Segment> diagonals;
};

Result triangulate(const std::vector<Point>& v) {
    Scene target;
    std::FILE* out = std::tmpfile();
    triangulateMonotone(v.data(), static_cast<int>(v.size()), out, target);
    Result r;
    std::rewind(out);
    for (int ch; (ch = std::fgetc(out)) != EOF;) r.listing += static_cast<char>(ch);
    std::fclose(out);
    r.diagonals.assign(target.segments.begin(), target.segments.end());
    return r;
}

std::vector<Point> poly(std::initializer_list<std::pair<double, double>> xy) {
    std::vector<Point> out;
    for (const auto& [x, y] : xy) out.emplace_back(x, y, 0.0);
    return out;
}

std::string show(const Segment& s) {
    char text[96];
    std::snprintf(text, sizeof text, "%s (%g,%g)->(%g,%g)", s.colour == Red ? "Red" : s.colour == Blue ? "Blue" : "?",
                  s.start.x, s.start.y, s.end.x, s.end.y);
    return text;
}

std::vector<std::string> shown(const Result& r) {
    std::vector<std::string> out;
    for (const Segment& s : r.diagonals) out.push_back(show(s));
    return out;
}

// The exact check of the property test, for a named polygon.
void expectTriangulation(const std::vector<Point>& v, const Result& r) {
    std::vector<testing_support::Diagonal> ds;
    for (const Segment& s : r.diagonals) ds.push_back({s.start, s.end});
    const testing_support::Verdict verdict = testing_support::checkTriangulation(v, ds);
    EXPECT_TRUE(verdict.valid) << verdict.why;
    EXPECT_TRUE(verdict.positiveArea) << verdict.flat;
}

const std::string heading = "Temena u opadajucem poretku po ordinati: \n";

}  // namespace

TEST(Triangulate, FewerThanThreeVerticesAreListedOnly) {
    EXPECT_EQ(triangulate({}).listing, heading);
    const Result one = triangulate(poly({{1, 2}}));
    EXPECT_EQ(one.listing, heading + "(1.000000,2.000000) ");
    const Result two = triangulate(poly({{0, 0}, {3, 4}}));
    EXPECT_EQ(two.listing, heading + "(3.000000,4.000000) (0.000000,0.000000) ");
    EXPECT_TRUE(one.diagonals.empty());
    EXPECT_TRUE(two.diagonals.empty());
}

TEST(Triangulate, TriangleAndConvexPolygons) {
    const Result triangle = triangulate(poly({{0, 0}, {4, 1}, {1, 5}}));
    EXPECT_EQ(triangle.listing, heading + "(1.000000,5.000000) (4.000000,1.000000) (0.000000,0.000000) ");
    EXPECT_TRUE(triangle.diagonals.empty());
    const Result pentagon = triangulate(poly({{0, 10}, {-6, 6}, {-3, 0}, {4, 2}, {6, 7}}));
    EXPECT_EQ(pentagon.listing, heading +
                                    "(0.000000,10.000000) (6.000000,7.000000) (-6.000000,6.000000) "
                                    "(4.000000,2.000000) (-3.000000,0.000000) ");
    EXPECT_EQ(shown(pentagon), (std::vector<std::string>{"Red (-6,6)->(6,7)", "Red (4,2)->(-6,6)"}));
    const Result hexagon = triangulate(poly({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}}));
    EXPECT_EQ(shown(hexagon),
              (std::vector<std::string>{"Blue (6,5)->(0,10)", "Red (-5,4)->(6,5)", "Red (4,1)->(-5,4)"}));
}

TEST(Triangulate, RefusedCandidateIsPushed) {
    const auto v = poly({{0, 10}, {6, 9}, {1, 6}, {6, 3}, {0, 0}});
    const Result r = triangulate(v);
    EXPECT_EQ(shown(r), (std::vector<std::string>{"Blue (1,6)->(0,10)", "Red (0,0)->(1,6)"}));
    expectTriangulation(v, r);
}

// Only one candidate used to be tried per step: (-7,8) stayed on the stack under (9,2), and the last
// vertex's Red diagonal was drawn to (1,6) only, leaving a quadrilateral untriangulated.
TEST(Triangulate, SameChainStepUsedToTryOneCandidateOnly) {
    const auto v = poly({{0, 9}, {1, 6}, {8, 5}, {9, 2}, {0, 0}, {-7, 8}});
    const Result r = triangulate(v);
    EXPECT_EQ(shown(r), (std::vector<std::string>{"Red (1,6)->(-7,8)", "Blue (9,2)->(1,6)", "Blue (9,2)->(-7,8)"}));
    expectTriangulation(v, r);
}

// The contact test alone accepted (6,6)-(0,10), which runs outside the polygon past the reflex
// vertex (2,8).
TEST(Triangulate, ReflexTopEntryUsedToGiveADiagonalOutside) {
    const auto v = poly({{0, 10}, {2, 8}, {6, 6}, {4, 2}, {0, 0}});
    const Result r = triangulate(v);
    EXPECT_EQ(shown(r), (std::vector<std::string>{"Blue (4,2)->(2,8)", "Blue (4,2)->(0,10)"}));
    expectTriangulation(v, r);
}

// Equal ordinates swept against a chain's own order used to reach the step table's undefined row.
TEST(Triangulate, StaircaseUsedToReachTheUndefinedStep) {
    const auto v = poly({{0, 0}, {4, 0}, {4, 2}, {5, 2}, {5, 4}, {0, 4}});
    const Result r = triangulate(v);
    EXPECT_EQ(r.listing, heading +
                             "(5.000000,4.000000) (0.000000,4.000000) (5.000000,2.000000) (4.000000,2.000000) "
                             "(4.000000,0.000000) (0.000000,0.000000) ");
    expectTriangulation(v, r);
    const auto hexagon = poly({{0, 10}, {5, 5}, {6, 5}, {0, 0}, {-5, 3}, {-5, 8}});
    expectTriangulation(hexagon, triangulate(hexagon));
}

// A neck: runs of equal ordinate on both chains heading towards each other. Any diagonal across
// at that height from one chain's first vertex runs over the other vertices of the runs.
TEST(Triangulate, NeckAndShoulderOfEqualOrdinates) {
    const auto neck = poly({{0, 10}, {-4, 5}, {-2, 5}, {-2, 0}, {3, 0}, {3, 5}, {5, 5}});
    expectTriangulation(neck, triangulate(neck));
    const auto shoulder = poly({{0, 10}, {-2, 5}, {-4, 5}, {-4, 0}, {5, 0}, {5, 5}, {3, 5}});
    expectTriangulation(shoulder, triangulate(shoulder));
    const auto oneSided = poly({{-3, 1}, {-4, 3}, {-6, 4}, {-3, 3}, {-1, 3}, {-1, 2}, {-2, 2}, {-1, 0}});
    expectTriangulation(oneSided, triangulate(oneSided));
    // Horizontal runs at the top and the bottom, entered in their middle by the first vertex.
    const auto runs = poly({{0, 0}, {-2, 0}, {2, 4}, {3, 4}, {4, 2}, {3, 1}, {1, 1}, {2, 0}});
    expectTriangulation(runs, triangulate(runs));
    const auto square = poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(triangulate(square).diagonals.size(), 1u);
}

// The contact test refuses some true diagonals that lie nearly parallel to an edge; the entry it
// leaves on the stack used to make the last vertex's fan run outside the polygon.
TEST(Triangulate, ContactTestRefusalNoLongerBendsTheFanOutside) {
    const auto v = poly({{-90.51660156, 42.17871094}, {-59.19433594, 49.38964844}, {-6.018554688, 42.21582031},
                         {-16.94042969, 34.35253906}, {-1.633789062, 32.13085938}, {-17.29492188, 23.52050781},
                         {-0.6904296875, 18.88867188}, {0.8623046875, 18.02832031}, {31.20800781, 4.797851562},
                         {-12.32128906, 0.1064453125}, {-41.38085938, 4.020507812}, {-49.35449219, 4.086914062},
                         {-20.32324219, 4.427734375}, {-9.205078125, 7.283203125}, {-60.66503906, 15.38769531},
                         {-52.98632812, 15.64648438}, {-31.14160156, 20.28515625}, {-60.31347656, 23.77246094},
                         {-53.89453125, 25.79199219}, {-59.27246094, 27.26269531}, {-66.203125, 40.08496094},
                         {-43.24511719, 41.28125}});
    ASSERT_TRUE(isSimple(v.data(), static_cast<int>(v.size())));
    expectTriangulation(v, triangulate(v));
}

TEST(Triangulate, SweepOrderIsSortedAndKeepsEachChainsOrder) {
    const auto v = poly({{0, 0}, {4, 0}, {4, 2}, {5, 2}, {5, 4}, {0, 4}});
    int order[MaxVertices];
    ASSERT_EQ(sweepOrder(v.data(), 6, order), 6);
    for (int k = 0; k + 1 < 6; ++k) EXPECT_LE(compareByOrdinateDesc(v[order[k]], v[order[k + 1]]), 0);
    // (5,2) precedes (4,2): the right chain runs from (5,4) down through (5,2), then (4,2).
    EXPECT_EQ(order[2], 3);
    EXPECT_EQ(order[3], 2);
    EXPECT_LT(compareByOrdinateDesc(Point(5, 5.9, 0), Point(6, 5.1, 0)), 0);
    EXPECT_GT(compareByOrdinateDesc(Point(5, 1, 0), Point(6, 2, 0)), 0);
    EXPECT_EQ(compareByOrdinateDesc(Point(5, 1, 9), Point(6, 1, 0)), 0);
    EXPECT_EQ(sweepOrder(v.data(), 101, order), 0);
}

TEST(Triangulate, EveryDiagonalStartsAtTheVertexUnderTheSweep) {
    const auto v = poly({{0, 10}, {6, 9}, {1, 7}, {7, 5}, {2, 3}, {5, 0}, {-4, 2}, {-1, 6}});
    const Result r = triangulate(v);
    expectTriangulation(v, r);
    for (const Segment& s : r.diagonals) EXPECT_LE(s.start.y, s.end.y) << show(s);
    // Input order, orientation and the first vertex do not matter to the result's validity.
    std::vector<Point> reversed(v.rbegin(), v.rend());
    expectTriangulation(reversed, triangulate(reversed));
}
