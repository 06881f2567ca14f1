#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_gl.h"
#include "scene/scene.h"
#include "viewer/renderer.h"

using Calls = std::vector<std::string>;

namespace {
Segment seg(double x0, double y0, double x1, double y1, Colour colour) {
    Segment s(Point(x0, y0, 0), Point(x1, y1, 0));
    s.colour = colour;
    return s;
}
}  // namespace

TEST(Renderer, SegmentIsALineThenItsTwoEndpointDots) {
    glCalls.clear();
    drawSegment(seg(0, 0, 10, 0, Red));
    EXPECT_EQ(glCalls, (Calls{"pointSize 4", "colour 1 0 0", "begin lines", "vertex 0 0 0", "vertex 10 0 0", "end",
                              "begin points", "vertex 0 0 0", "vertex 10 0 0", "end"}));
}

TEST(Renderer, LineIsDrawnAHundredDirectionsEachWay) {
    glCalls.clear();
    Line line;
    line.point = Point(1, 2, 0);
    line.direction = Point(1, 0, 0);
    line.colour = Green;
    drawLine(line);
    EXPECT_EQ(glCalls, (Calls{"colour 0 1 0", "begin lines", "vertex 101 2 0", "vertex -99 2 0", "end"}));
}

TEST(Renderer, CircleIsALoopOfAHundredVertices) {
    glCalls.clear();
    Circle circle;
    circle.centre = Point(0, 0, 5);
    circle.radius = 2;
    circle.colour = Purple;
    drawCircle(circle);
    ASSERT_EQ(glCalls.size(), 103u);
    EXPECT_EQ(glCalls[0], "colour 0.5 0 0.5");
    EXPECT_EQ(glCalls[1], "begin loop");
    EXPECT_EQ(glCalls[2], "vertex 2 0 5");
    float x = 0, y = 0, z = 0;
    ASSERT_EQ(std::sscanf(glCalls[2 + 25].c_str(), "vertex %g %g %g", &x, &y, &z), 3);
    EXPECT_NEAR(x, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(y, 2.0f);
    EXPECT_EQ(z, 5.0f);
    EXPECT_EQ(glCalls.back(), "end");
    glCalls.clear();
    circle.radius = 0;
    drawCircle(circle);
    for (size_t i = 2; i < 102; ++i) EXPECT_EQ(glCalls[i], "vertex 0 0 5");
}

TEST(Renderer, ColourCodesOutsideTheTableSelectNothing) {
    glCalls.clear();
    for (Colour code : {Orange, Purple, White, Black}) setColour(code);
    EXPECT_EQ(glCalls, (Calls{"colour 1 0.5 0", "colour 0.5 0 0.5", "colour 1 1 1", "colour 0 0 0"}));
    glCalls.clear();
    setColour(10);
    setColour(-1);
    EXPECT_TRUE(glCalls.empty());
    drawSegment(seg(0, 0, 1, 1, 10));
    EXPECT_EQ(glCalls.front(), "pointSize 4");
    EXPECT_EQ(glCalls[1], "begin lines");
}

TEST(Renderer, DisplayDrawsTheListsInOrderBetweenPushAndPop) {
    glCalls.clear();
    display();  // the program's scene is empty in this test
    EXPECT_EQ(glCalls, (Calls{"clear 16640", "push", "pop", "flush", "swap"}));

    Circle circle;
    circle.colour = Yellow;
    scene.circles.push_back(circle);
    Line line;
    line.colour = Cyan;
    scene.lines.push_back(line);
    addSegment(Blue, seg(0, 0, 1, 0, Black));
    Point dot(3, 4, 0);
    dot.colour = Magenta;
    scene.points.push_back(dot);
    glCalls.clear();
    display();
    Calls colours;
    for (const std::string& call : glCalls) {
        if (call.rfind("colour", 0) == 0) colours.push_back(call);
    }
    EXPECT_EQ(colours, (Calls{"colour 1 1 0", "colour 0 1 1", "colour 0 0 1", "colour 1 0 1"}));
    EXPECT_EQ(glCalls.front(), "clear 16640");
    EXPECT_EQ(glCalls[glCalls.size() - 3], "pop");
    EXPECT_EQ(glCalls.back(), "swap");
    // The point: its colour, the dot size, then one begin/end pair of its own.
    const Calls pointTail(glCalls.end() - 8, glCalls.end() - 3);
    EXPECT_EQ(pointTail, (Calls{"colour 1 0 1", "pointSize 4", "begin points", "vertex 3 4 0", "end"}));
}

// GL works in single precision, so whatever the polygon's size and place it is handed coordinates
// relative to the frame's centre in the frame's unit, all near 1; a ring drawn for the polygon goes
// through the same frame.
TEST(Renderer, DrawsSurveyHugeAndTinyCoordinatesFramedAndCentred) {
    const double huge = 1e38f;
    const double tiny = 1e-38f;
    struct Case {
        GlFrame frame;
        Segment segment;
        Calls vertices;
    };
    const Case cases[] = {
        {{7456123.75, 4987654.75, 0.5}, seg(7456123.5, 4987654.5, 7456124, 4987655, Black),
         {"vertex -0.5 -0.5 0", "vertex 0.5 0.5 0"}},
        {{huge / 2, huge / 2, huge}, seg(0, 0, huge, 0, Black), {"vertex -0.5 -0.5 0", "vertex 0.5 -0.5 0"}},
        {{tiny / 2, tiny / 2, tiny}, seg(0, 0, 0, tiny, Black), {"vertex -0.5 -0.5 0", "vertex -0.5 0.5 0"}},
    };
    for (const Case& c : cases) {
        glFrame = c.frame;
        glCalls.clear();
        drawSegment(c.segment);
        EXPECT_EQ(Calls(glCalls.begin() + 3, glCalls.begin() + 5), c.vertices);
    }
    Circle ring;
    ring.centre = Point(7456123.5, 4987654.5, 0);
    ring.radius = 0.25f;
    glFrame = {7456123.5, 4987654.5, 0.5};
    glCalls.clear();
    drawCircle(ring);
    EXPECT_EQ(glCalls[2], "vertex 0.5 0 0");
    glFrame = GlFrame{};
}
