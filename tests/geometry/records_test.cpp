#include <gtest/gtest.h>

#include "geometry/records.h"

TEST(Records, DefaultsAreOriginAndBlack) {
    const Segment s;
    for (const Point& p : {s.start, s.end}) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
        EXPECT_EQ(p.z, 0.0f);
        EXPECT_EQ(p.colour, Black);
    }
    EXPECT_EQ(s.colour, 9);
}

TEST(Records, CopiesKeepTheColoursOfInnerPoints) {
    Point a(1, 2, 3);
    a.colour = Yellow;
    const Segment s(a, Point(4, 5, 6));
    EXPECT_EQ(s.start.colour, 3);
    EXPECT_EQ(s.colour, Black);
    Segment copy;
    copy = s;
    EXPECT_EQ(copy.start.colour, 3);
    EXPECT_EQ(copy.end.z, 6.0f);
    Circle c;
    c.centre = a;
    const Circle circleCopy = c;
    EXPECT_EQ(circleCopy.centre.colour, Yellow);
}

TEST(Records, PointFromDoublesIsRoundedToFloat) {
    const Point p(0.1, 0.2, 0.3);
    EXPECT_EQ(p.x, 0.1f);
    EXPECT_EQ(p.y, 0.2f);
    EXPECT_EQ(p.z, 0.3f);
}
