#include <gtest/gtest.h>

#include <cmath>

#include "scene/scene.h"

namespace {
Segment seg(double x0, double y0, double x1, double y1) { return Segment(Point(x0, y0, 0), Point(x1, y1, 0)); }
}  // namespace

TEST(Scene, StartsEmptyWithEmptyBounds) {
    const Scene s;
    EXPECT_TRUE(s.segments.empty());
    EXPECT_TRUE(boundsEmpty(s));
}

TEST(Scene, AddSegmentStampsTheColourAndKeepsTheEndpoints) {
    Scene s;
    Segment in = seg(10, 20, 30, 5);
    in.start.colour = Yellow;
    addSegment(s, Red, in);
    ASSERT_EQ(s.segments.size(), 1u);
    const Segment& stored = s.segments.front();
    EXPECT_EQ(stored.colour, Red);
    EXPECT_EQ(stored.start.colour, Yellow);
    EXPECT_EQ(stored.end.x, 30.0f);
    EXPECT_FALSE(boundsEmpty(s));
    EXPECT_EQ(s.boundsMin.x, 10.0f);
    EXPECT_EQ(s.boundsMin.y, 5.0f);
    EXPECT_EQ(s.boundsMax.x, 30.0f);
    EXPECT_EQ(s.boundsMax.y, 20.0f);
}

// The bounds are the endpoints' own rectangle wherever they lie, with no side pinned to a
// window-sized box: (2000, 900)-(3000, 1000) stays (2000, 900)-(3000, 1000).
TEST(Scene, BoundsAreExactFarFromTheOriginAndBelowZero) {
    Scene far;
    addSegment(far, Black, seg(2000, 900, 3000, 1000));
    EXPECT_EQ(far.boundsMin.x, 2000.0f);
    EXPECT_EQ(far.boundsMin.y, 900.0f);
    EXPECT_EQ(far.boundsMax.x, 3000.0f);
    EXPECT_EQ(far.boundsMax.y, 1000.0f);
    Scene negative;
    addSegment(negative, Black, seg(-50, -40, -10, -20));
    EXPECT_EQ(negative.boundsMin.x, -50.0f);
    EXPECT_EQ(negative.boundsMin.y, -40.0f);
    EXPECT_EQ(negative.boundsMax.x, -10.0f);
    EXPECT_EQ(negative.boundsMax.y, -20.0f);
}

TEST(Scene, DegenerateDuplicateAndNanSegmentsAreStored) {
    Scene s;
    addSegment(s, Black, seg(3, 4, 3, 4));
    EXPECT_EQ(s.boundsMin.x, 3.0f);
    EXPECT_EQ(s.boundsMax.y, 4.0f);
    addSegment(s, Blue, seg(1, 1, 5, 5));
    addSegment(s, Blue, seg(1, 1, 5, 5));
    EXPECT_EQ(s.segments.size(), 3u);
    addSegment(s, Black, seg(NAN, -7, 9, NAN));
    EXPECT_EQ(s.segments.size(), 4u);
    EXPECT_EQ(s.boundsMin.x, 1.0f);
    EXPECT_EQ(s.boundsMin.y, -7.0f);
    EXPECT_EQ(s.boundsMax.x, 9.0f);
    EXPECT_EQ(s.boundsMax.y, 5.0f);
    Scene onlyNan;
    addSegment(onlyNan, Black, seg(NAN, NAN, NAN, NAN));
    EXPECT_TRUE(boundsEmpty(onlyNan));
    EXPECT_EQ(onlyNan.segments.size(), 1u);
}
