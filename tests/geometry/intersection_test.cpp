#include <gtest/gtest.h>

#include <vector>

#include "../support/polygon_of.h"
#include "geometry/intersection.h"

namespace {

Segment seg(double x0, double y0, double x1, double y1, double z = 0.0) {
    return Segment(Point(x0, y0, z), Point(x1, y1, z));
}

// The code for a against b; `at` receives the meeting point (a marker stays when none is written).
int kind(const Segment& a, const Segment& b, Point* at = nullptr) {
    Point marker(-99, -99, 7);
    marker.colour = Green;
    const int result = intersectSegments(a, b, marker);
    if (result != PointIntersection) {
        EXPECT_EQ(marker.x, -99.0f);
        EXPECT_EQ(marker.y, -99.0f);
    }
    EXPECT_EQ(marker.z, 7.0f);
    EXPECT_EQ(marker.colour, Green);
    if (at != nullptr) *at = marker;
    return result;
}

bool diagonal(const std::vector<Point>& v, int i, int j) { return isDiagonal(i, j, v.data(), static_cast<int>(v.size())); }

}  // namespace

TEST(IntersectSegments, CrossingTouchingAndMissing) {
    Point at;
    EXPECT_EQ(kind(seg(0, 0, 2, 2), seg(0, 2, 2, 0), &at), PointIntersection);
    EXPECT_EQ(at.x, 1.0f);
    EXPECT_EQ(at.y, 1.0f);
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(1, 0, 1, 1), &at), PointIntersection);
    EXPECT_EQ(at.x, 1.0f);
    EXPECT_EQ(at.y, 0.0f);
    EXPECT_EQ(kind(seg(1, 0, 1, 1), seg(0, 0, 2, 0), &at), PointIntersection);
    EXPECT_EQ(at.x, 1.0f);
    EXPECT_EQ(at.y, 0.0f);
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(2, 0, 3, 1), &at), PointIntersection);
    EXPECT_EQ(at.x, 2.0f);
    EXPECT_EQ(kind(seg(0, 0, 1, 1), seg(3, 0, 2, 1)), NoIntersection);
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(0, 1, 2, 1)), NoIntersection);
}

TEST(IntersectSegments, CollinearOverlapIsStrictAtTheEndOfA) {
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(3, 0, 1, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(0, 0, 4, 0), seg(1, 0, 2, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(1, 0, 2, 0), seg(0, 0, 4, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(0, 0, 2, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(2, 0, 4, 0)), NoIntersection);
    EXPECT_EQ(kind(seg(0, 0, 2, 0), seg(4, 0, 2, 0)), NoIntersection);
    EXPECT_EQ(kind(seg(2, 0, 4, 0), seg(0, 0, 2, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(4, 0, 2, 0), seg(0, 0, 2, 0)), CollinearOverlap);
    // Vertical segments compare ordinates the same way.
    EXPECT_EQ(kind(seg(0, 0, 0, 2), seg(0, 2, 0, 3)), NoIntersection);
    EXPECT_EQ(kind(seg(0, 2, 0, 4), seg(0, 0, 0, 2)), CollinearOverlap);
    EXPECT_EQ(kind(seg(0, 0, 0, 2), seg(0, 1, 0, 3)), CollinearOverlap);
}

TEST(IntersectSegments, RelativeToleranceDecidesNearlyParallelSegments) {
    // They cross at (500, 0), but the squared sine of their angle, 4e-6, counts as parallel.
    EXPECT_EQ(kind(seg(0, 0, 1000, 0), seg(0, -1, 1000, 1)), NoIntersection);
    EXPECT_EQ(kind(seg(0, 0, 1000, 0), seg(500, 0.001, 900, 0.001)), CollinearOverlap);
}

TEST(IntersectSegments, PlanesOtherThanZ0) {
    EXPECT_EQ(kind(Segment(Point(0, 0, 0), Point(2, 0, 0)), Segment(Point(1, -1, 1), Point(1, 1, 1))), NotCoplanar);
    Point at;
    EXPECT_EQ(kind(seg(0, 0, 2, 2, 1), seg(0, 2, 2, 0, 1), &at), PointIntersection);
    EXPECT_EQ(at.x, 1.0f);
    EXPECT_EQ(at.y, 1.0f);
}

TEST(IntersectSegments, ZeroLengthSegments) {
    EXPECT_EQ(kind(seg(5, 5, 5, 5), seg(0, 0, 10, 10)), CollinearOverlap);
    EXPECT_EQ(kind(seg(5, 5, 5, 5), seg(0, 0, 10, 0)), NoIntersection);
    EXPECT_EQ(kind(seg(0, 0, 4, 0), seg(1, 0, 1, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(0, 0, 4, 0), seg(0, 0, 0, 0)), CollinearOverlap);
    EXPECT_EQ(kind(seg(0, 0, 4, 0), seg(4, 0, 4, 0)), NoIntersection);
    EXPECT_EQ(kind(seg(0, 0, 4, 0), seg(1, 1, 1, 1)), NoIntersection);
    EXPECT_EQ(kind(seg(3, 3, 3, 3), seg(3, 3, 3, 3)), NoIntersection);
}

TEST(IntersectSegments, ArgumentsAreLeftAsTheyWere) {
    const Segment a = seg(0, 0, 0, 2);
    const Segment b = seg(0, 3, 0, 1);
    Point at;
    Segment copyA = a, copyB = b;
    intersectSegments(copyA, copyB, at);
    EXPECT_EQ(copyA.start.x, a.start.x);
    EXPECT_EQ(copyA.end.y, 2.0f);
    EXPECT_EQ(copyB.start.y, 3.0f);
}

TEST(IsDiagonal, SmallPolygons) {
    const auto square = polygonOf({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    EXPECT_TRUE(diagonal(square, 0, 2));
    EXPECT_TRUE(diagonal(square, 1, 3));
    EXPECT_TRUE(diagonal(square, 0, 1));
    const auto triangle = polygonOf({{0, 0}, {4, 0}, {2, 3}});
    EXPECT_TRUE(diagonal(triangle, 0, 1));
    EXPECT_TRUE(diagonal(triangle, 2, 0));
    // Touching vertex 4 at (2, 0), where edges 3-4 and 4-5 meet it.
    EXPECT_FALSE(diagonal(polygonOf({{0, 0}, {2, -2}, {4, 0}, {4, 3}, {2, 0}, {0, 3}}), 0, 2));
    // Running along the edges that end at its own vertices.
    EXPECT_TRUE(diagonal(polygonOf({{0, 0}, {2, 0}, {4, 0}, {4, 4}, {0, 4}}), 0, 2));
    // Joining the tips of a C outside the polygon: contact only is tested.
    EXPECT_TRUE(diagonal(polygonOf({{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {4, 3}, {4, 4}, {0, 4}}), 2, 5));
    const auto closing = polygonOf({{2, 3}, {4, 0}, {4, 4}, {0, 4}, {0, 0}});
    EXPECT_FALSE(diagonal(closing, 1, 3));
    EXPECT_TRUE(diagonal(closing, 0, 2));
    // Indices outside the polygon are refused without reading past it.
    EXPECT_FALSE(diagonal(square, -1, 2));
    EXPECT_FALSE(diagonal(square, 0, 4));
}
