// The step mode as plain values: the keys' paging, the captions, what each page draws.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/walkthrough.h"

namespace {

Walkthrough judged(std::initializer_list<std::pair<double, double>> xy) {
    std::vector<Point> v;
    for (const auto& [x, y] : xy) v.emplace_back(x, y, 0.0);
    return judgePolygon(v.data(), static_cast<int>(v.size()));
}

// The convex hexagon: step 2 sweeps vertex 3 and cuts (6,5)-(0,10); five steps in all.
const Walkthrough hexagon = judged({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}});

}  // namespace

TEST(StepMode, KeysPageThroughTheStepsAndBack) {
    struct Case {
        std::vector<Key> keys;
        int page;
        bool labels;
    };
    const Case cases[] = {
        {{Key::Next}, 1, false},
        {{Key::Next, Key::Next, Key::Previous}, 1, false},
        {{Key::Previous}, 5, false},                               // from the full picture: the last
        {{Key::Previous, Key::Next, Key::Next}, 5, false},         // nothing past the last
        {{Key::First, Key::Previous}, 1, false},                   // nothing before the first
        {{Key::Labels, Key::Next, Key::Full}, 0, false},           // End: the full picture as at start
        {{Key::Labels, Key::Help, Key::ResetView}, 0, true},
    };
    for (const Case& c : cases) {
        StepView view;
        for (const Key key : c.keys) pressKey(view, key, pageCount(hexagon));
        EXPECT_EQ(std::make_pair(view.page, view.labels), std::make_pair(c.page, c.labels));
    }
    StepView view;
    EXPECT_EQ(pressKey(view, Key::Quit, 5), KeyEffect::Quit);
    EXPECT_EQ(pressKey(view, Key::ResetView, 5), KeyEffect::ResetView);
    EXPECT_EQ(pressKey(view, Key::Previous, 5), KeyEffect::Redraw);
    EXPECT_EQ(pressKey(view, Key::Next, 5), KeyEffect::None);
}

TEST(StepMode, CaptionsSayWhatEachPageShows) {
    EXPECT_EQ(captionLines(hexagon, 0), std::vector<std::string>{});
    EXPECT_EQ(captionLines(hexagon, 1), (std::vector<std::string>{"Korak 1 od 5: pocetak", "Dva najvisa temena idu na stek.",
                                                                 "Nove dijagonale: 0", "Stek (od dna): 1 2"}));
    EXPECT_EQ(captionLines(hexagon, 2),
              (std::vector<std::string>{"Korak 2 od 5: teme 3 (6.000000,5.000000)",
                                        "Isti lanac: plave dijagonale dok su unutar poligona.", "Nove dijagonale: 1",
                                        "Stek (od dna): 1 3"}));
    EXPECT_EQ(captionLines(judged({{1, 1}, {2, 2}}), 1),
              std::vector<std::string>{"Poligon sa manje od tri temena nema triangulaciju."});
    EXPECT_EQ(captionLines(judged({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), 1),
              std::vector<std::string>{"Poligon nije prost: stranice 1-2 i 3-4 se seku ili dodiruju."});
    EXPECT_EQ(captionLines(judged({{0, 0}, {2, 2}, {4, 0}, {4, 4}, {0, 4}}), 1),
              std::vector<std::string>{"Poligon nije monoton: temena 2, 3 su lokalni ekstremi po ordinati."});
}

TEST(StepMode, PagesDrawTheirDiagonalsSweepLineAndStack) {
    // Six outline segments, then the three diagonals; step 2 adds the first of them.
    EXPECT_EQ(segmentsShown(hexagon, 0, 9), 9);
    EXPECT_EQ(segmentsShown(hexagon, 1, 9), 6);
    EXPECT_EQ(segmentsShown(hexagon, 2, 9), 7);
    EXPECT_EQ(segmentsShown(hexagon, 5, 9), 9);
    const PageMarks marks = pageMarks(hexagon, 2, 0.5);
    ASSERT_EQ(marks.lines.size(), 1u);
    const Line& sweep = marks.lines[0];
    EXPECT_EQ(sweep.point.y, 5.0f);
    EXPECT_EQ(sweep.colour, Green);
    EXPECT_GT(sweep.point.x + 100 * sweep.direction.x, 6.0f);  // past both sides of -5..6
    EXPECT_LT(sweep.point.x - 100 * sweep.direction.x, -5.0f);
    ASSERT_EQ(marks.wide.size(), 1u);  // the step's new diagonal, from the swept vertex
    EXPECT_EQ(std::make_pair(marks.wide[0].end.y, marks.wide[0].colour), std::make_pair(10.0f, Blue));
    ASSERT_EQ(marks.circles.size(), 3u);  // the stack's two entries, then the swept vertex
    EXPECT_EQ(marks.circles[0].colour, Orange);
    EXPECT_EQ(marks.circles[2].colour, Green);
    EXPECT_EQ(marks.circles[2].centre.x, 6.0f);
    EXPECT_EQ(pageMarks(judged({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), 1, 0.5).segments.size(), 2u);
    EXPECT_TRUE(pageMarks(hexagon, 0, 0.5).circles.empty());
}
