// Editing the polygon as plain values: the mouse and the keys on a framed window, the polygon after
// each action, the grid's step, and the saved text read back by the dialogue.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../support/polygon_of.h"
#include "app/dialogue.h"
#include "viewer/frame.h"
#include "viewer/workbench.h"

namespace {

using Polygon = std::vector<std::pair<float, float>>;

// A window of the opening size framed on the polygon, with editing (and snapping, if asked) on.
Workbench benchOn(const Polygon& xy, bool grid = true) {
    const std::vector<Point> v = polygonOf(xy);
    Workbench bench = openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
    perform(bench, Command::Edit, 0, 0);
    bench.edit.grid = grid;
    relayout(bench);
    return bench;
}

// An action at a point of the plane, which the test turns into the window position showing it.
struct Act {
    // m: drag from (x, y) to (x2, y2); c: click; p, v, l: press, move, release; d: Delete at (x, y);
    // g, u, r, n, e (Enter), b (BackSpace)
    char what;
    double x = 0, y = 0, x2 = 0, y2 = 0;
};

void perform(Workbench& bench, const Act& a) {
    auto at = [&](double x, double y, int& wx, int& wy) {
        const PlanePoint p = sceneToPixels(bench.view, x, y);
        wx = static_cast<int>(std::lround(p.x));
        wy = bench.view.windowHeight - 1 - static_cast<int>(std::lround(p.y));
    };
    int x, y, x2, y2;
    at(a.x, a.y, x, y);
    at(a.x2, a.y2, x2, y2);
    const Command keys[] = {Command::Grid, Command::Undo, Command::Redo, Command::New, Command::Close,
                            Command::RemoveLast, Command::Delete};
    const std::string letters = "gurnebd";
    if (letters.find(a.what) != std::string::npos) {
        perform(bench, keys[letters.find(a.what)], x, y);
    } else if (a.what == 'p' || a.what == 'l') {
        pressButton(bench, 0, a.what == 'p', x, y);
    } else if (a.what == 'v') {
        movePointerTo(bench, x, y);
    } else {
        pressButton(bench, 0, true, x, y);
        if (a.what == 'm') movePointerTo(bench, x2, y2);
        pressButton(bench, 0, false, a.what == 'm' ? x2 : x, a.what == 'm' ? y2 : y);
    }
}

const Polygon square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};

}  // namespace

TEST(Workbench, KeysPageThroughTheLessonAndPlay) {
    // Thirteen pages after the full picture (six steps of the sweep, seven of the guards), so that
    // ten at a time meet both ends.
    Polygon seven;
    for (int i = 0; i < 7; ++i) seven.emplace_back(std::cos(i * 0.9 + 0.1), std::sin(i * 0.9 + 0.1));
    const Workbench start = benchOn(seven);
    ASSERT_EQ(pageCount(start.lesson), 13);
    using C = Command;
    const std::tuple<std::vector<Command>, int, bool> cases[] = {
        {{C::Next}, 1, false},
        {{C::Next, C::Next, C::Previous}, 1, false},
        {{C::Previous}, 13, false},                    // from the full picture: the last
        {{C::Previous, C::Next}, 13, false},           // nothing past the last
        {{C::First, C::Previous}, 1, false},           // nothing before the first
        {{C::TenForward}, 10, false},                  // from the full picture, as Right then nine
        {{C::TenForward, C::TenForward}, 13, false},   // clamped to the last
        {{C::TenBack}, 4, false},                      // as Left then nine
        {{C::Next, C::Next, C::TenBack}, 1, false},    // clamped to the first
        {{C::Play}, 1, true},                          // from the full picture: from the first step
        {{C::Next, C::Next, C::Play}, 2, true},        // from the current page
        {{C::Play, C::Play}, 1, false},                // P again pauses
        {{C::Previous, C::Play}, 1, true},             // at the last page: again from the first
        {{C::Play, C::Faster, C::TenForward}, 11, true},
        {{C::Play, C::TenForward, C::Next, C::Next}, 13, false},  // reaching the last ends the play
        {{C::Play, C::Full}, 0, false},
    };
    for (const auto& [keys, page, playing] : cases) {
        Workbench bench = start;
        for (const Command key : keys) perform(bench, key, 0, 0);
        EXPECT_EQ(std::make_pair(bench.steps.page, bench.steps.playing), std::make_pair(page, playing));
    }
    // The play steps once per tick of its own generation and stops at the last page; the interval
    // halves and doubles within 0.25 s and 4 s.
    Workbench bench = start;
    EXPECT_TRUE(perform(bench, Command::Play, 0, 0).play);
    EXPECT_FALSE(playTick(bench, bench.playGeneration - 1).redraw);  // an earlier play's tick
    int ticks = 0;
    while (playTick(bench, bench.playGeneration).redraw) ++ticks;
    EXPECT_EQ(std::make_tuple(ticks, bench.steps.page, bench.steps.playing), std::make_tuple(12, 13, false));
    EXPECT_EQ(playSeconds(bench.steps), 1.0);
    for (int i = 0; i < 5; ++i) perform(bench, Command::Faster, 0, 0);
    EXPECT_EQ(playSeconds(bench.steps), 0.25);
    for (int i = 0; i < 5; ++i) perform(bench, Command::Slower, 0, 0);
    EXPECT_EQ(playSeconds(bench.steps), 4.0);
    EXPECT_FALSE(perform(bench, Command::Next, 0, 0).redraw);  // at the last page
}

TEST(Workbench, EditsUndoAndRedoGiveThePolygonExpectedAfterEachAction) {
    struct Case {
        const char* name;
        Polygon start;
        std::vector<std::pair<Act, Polygon>> acts;
    };
    const Polygon moved = {{0, 0}, {4, 0}, {3, 4.2f}, {0, 4}};
    const Polygon inserted = {{0, 0}, {2.2f, 0}, {4, 0}, {3, 4.2f}, {0, 4}};
    const std::vector<Case> cases = {
        {"move, insert, delete, then undo past the start and redo",
         square,
         {{{'m', 4, 4, 3, 4.2}, moved},
          {{'c', 2.2, 0}, inserted},
          {{'d', 3, 4.2}, {{0, 0}, {2.2f, 0}, {4, 0}, {0, 4}}},
          {{'u'}, inserted},
          {{'u'}, moved},
          {{'u'}, square},
          {{'u'}, square},
          {{'r'}, moved},
          {{'m', 0, 0, 0.4, 0.6}, {{0.4f, 0.6f}, {4, 0}, {3, 4.2f}, {0, 4}}},
          {{'r'}, {{0.4f, 0.6f}, {4, 0}, {3, 4.2f}, {0, 4}}}}},
        {"a drag away from the polygon moves nothing", square, {{{'m', 2, 2, 3, 3}, square}}},
        {"a key during a drag ends it: undo, then the pointer moves nothing",
         square,
         {{{'p', 4, 4}, square}, {{'v', 3, 4.2}, moved}, {{'u'}, square}, {{'v', 2, 2}, square}, {{'l', 2, 2}, square},
          {{'r'}, moved}}},
        {"a vertex inserted and dragged is one edit; X on the vertex in hand ends the drag",
         square,
         {{{'p', 2.2, 0}, {{0, 0}, {2.2f, 0}, {4, 0}, {4, 4}, {0, 4}}},
          {{'v', 2.2, 1}, {{0, 0}, {2.2f, 1}, {4, 0}, {4, 4}, {0, 4}}},
          {{'d', 2.2, 1}, square},
          {{'v', 1, 1}, square},
          {{'u'}, {{0, 0}, {2.2f, 1}, {4, 0}, {4, 4}, {0, 4}}},
          {{'u'}, square}}},
        {"a drag that ends where it began is no edit",
         square,
         {{{'m', 4, 4, 3, 4.2}, moved},
          {{'p', 3, 4.2}, moved},
          {{'v', 2, 2}, {{0, 0}, {4, 0}, {2, 2}, {0, 4}}},
          {{'v', 3, 4.2}, moved},
          {{'l', 3, 4.2}, moved},
          {{'u'}, square}}},
        {"snapping never puts a new vertex on another", square, {{{'c', 0.05, 0}, square}}},
        {"a vertex is never deleted below three",
         {{0, 0}, {4, 0}, {2, 3}},
         {{{'d', 2, 3}, {{0, 0}, {4, 0}, {2, 3}}}}},
        {"a new polygon: clicks, BackSpace, a click on the first vertex closes; undo gives the old one",
         square,
         {{{'n'}, {}},
          {{'c', 1, 1}, {}},
          {{'c', 3, 1}, {}},
          {{'c', 3, 3}, {}},
          {{'b'}, {}},
          {{'c', 2, 3.6}, {}},
          {{'c', 1, 1}, {{1, 1}, {3, 1}, {2, 3.6f}}},
          {{'u'}, square},
          {{'r'}, {{1, 1}, {3, 1}, {2, 3.6f}}}}},
        {"Enter with two vertices does not close",
         square,
         {{{'n'}, {}}, {{'c', 1, 1}, {}}, {{'c', 3, 1}, {}}, {{'e'}, {}}, {{'c', 2, 2}, {}}, {{'e'}, {{1, 1}, {3, 1}, {2, 2}}}}},
    };
    for (const Case& c : cases) {
        Workbench bench = benchOn(c.start);
        for (std::size_t k = 0; k < c.acts.size(); ++k) {
            perform(bench, c.acts[k].first);
            Polygon now;
            for (const Point& p : bench.lesson.vertices) now.emplace_back(p.x, p.y);
            EXPECT_EQ(now, c.acts[k].second) << c.name << ", after action " << k + 1;
        }
    }
}

TEST(Workbench, RefusalsSayWhyAndTheStepStaysWhereItCan) {
    // The hundred-and-first vertex is refused with a line in the window.
    Polygon hundred;
    for (int i = 0; i < MaxVertices; ++i) {
        hundred.emplace_back(static_cast<float>(100 * std::cos(i * 2 * M_PI / MaxVertices)),
                             static_cast<float>(100 * std::sin(i * 2 * M_PI / MaxVertices)));
    }
    Workbench full = benchOn(hundred, false);
    full.view.zoom = 2.0f;  // the middle of an edge well away from its ends
    const double midX = (hundred[0].first + hundred[1].first) / 2.0;
    const double midY = (hundred[0].second + hundred[1].second) / 2.0;
    perform(full, {'c', midX, midY});
    EXPECT_EQ(full.lesson.vertices.size(), 100u);
    EXPECT_EQ(full.edit.message, "Najviše 100 temena: novo teme nije dodato.");

    // On step 2 of the example's 7, a move that keeps 7 steps keeps step 2; on step 3 of the square's
    // 3, a move that makes it not simple leaves the one page that says why.
    Workbench example = benchOn({{0, 10}, {6, 9}, {1, 7}, {7, 5}, {2, 3}, {5, 0}, {-4, 2}, {-1, 6}});
    example.steps.page = 2;
    perform(example, {'m', 1, 7, 1.5, 7});
    EXPECT_EQ(example.lesson.vertices[2].x, 1.5f);
    EXPECT_EQ(example.steps.page, 2);
    Workbench bench = benchOn(square);
    bench.steps.page = 3;
    perform(bench, {'m', 0, 4, 2, -1});
    EXPECT_EQ(bench.lesson.verdict, Verdict::NotSimple);
    EXPECT_EQ(bench.steps.page, 1);
    // Without snapping, a click near an edge puts the vertex on the edge itself.
    Workbench free = benchOn(square, false);
    perform(free, {'c', 4.01, 1.5});
    ASSERT_EQ(free.lesson.vertices.size(), 5u);
    EXPECT_EQ(free.lesson.vertices[2].x, 4.0f);
    EXPECT_NEAR(free.lesson.vertices[2].y, 1.5, 0.01);
    // Editing keys do nothing while editing is off.
    perform(bench, Command::Edit, 0, 0);
    perform(bench, {'u'});
    EXPECT_EQ(bench.lesson.verdict, Verdict::NotSimple);
}

TEST(Workbench, TurnedMovedAndZoomedTheDragLandsWhereItIsAimed) {
    Workbench bench = benchOn(square);
    bench.view.angle = 37.0f;
    bench.view.zoom = 0.8f;
    bench.view.panX = 0.3;
    bench.view.panY = -0.2;
    for (const auto& [x, y] : {std::pair{4.0, 4.0}, std::pair{-1.3, 2.7}}) {
        const PlanePoint at = sceneToPixels(bench.view, x, y);
        const PlanePoint back = pointerInScene(bench.view, static_cast<int>(std::lround(at.x)),
                                               bench.view.windowHeight - 1 - static_cast<int>(std::lround(at.y)));
        EXPECT_NEAR(back.x, x, 0.01);
        EXPECT_NEAR(back.y, y, 0.01);
    }
    EXPECT_DOUBLE_EQ(gridStep(bench.view), 0.2);  // a twentieth of 4 / 0.8 is 0.25
    perform(bench, {'m', 4, 4, 3.4, 3.2});
    EXPECT_EQ(Polygon({{bench.lesson.vertices[2].x, bench.lesson.vertices[2].y}}), Polygon({{3.4f, 3.2f}}));
}

TEST(Workbench, GridStepIsARoundNumberNearATwentiethOfTheFramedSize) {
    const std::pair<double, double> cases[] = {{4, 0.2}, {100, 5}, {1, 0.05}, {30, 2}, {7e6, 5e5}, {3e-5, 2e-6}};
    for (const auto& [size, step] : cases) {
        ViewState view;
        frameBounds(view, Point(0, 0, 0), Point(size, size / 2, 0), false);
        EXPECT_NEAR(gridStep(view), step, step * 1e-9) << size;
    }
}

// Escape takes back what is under way and never closes in editing; Q, or Escape outside editing,
// closes at once only when nothing is unsaved, else warns first; X away from every vertex says so; a
// dragged vertex stays in the picture, and a point past the float range is refused.
TEST(Workbench, EscapeAndQuitNeverLoseThePolygon) {
    Workbench bench = benchOn(square, false);
    perform(bench, {'p', 4, 4});
    perform(bench, {'v', 3, 3});
    EXPECT_TRUE(perform(bench, Command::Cancel, 0, 0).redraw);
    EXPECT_EQ(bench.lesson.vertices[2].x, 4.0f);  // back where the drag found it
    EXPECT_FALSE(unsaved(bench));
    EXPECT_TRUE(perform(bench, Command::Quit, 0, 0).quit);
    perform(bench, {'n'});
    perform(bench, {'c', 1, 1});
    EXPECT_TRUE(unsaved(bench));  // a new polygon under way counts
    perform(bench, Command::Cancel, 0, 0);
    EXPECT_EQ(bench.lesson.vertices.size(), 4u);
    EXPECT_TRUE(bench.edit.on);
    perform(bench, Command::Cancel, 0, 0);
    EXPECT_FALSE(bench.edit.on);  // nothing under way: Escape leaves editing
    perform(bench, Command::Edit, 0, 0);
    perform(bench, {'m', 4, 4, 3, 3});
    EXPECT_FALSE(perform(bench, Command::Quit, 0, 0).quit);
    EXPECT_EQ(bench.edit.message, "Izmene nisu sačuvane: S čuva, Q zatvara bez čuvanja.");
    EXPECT_TRUE(perform(bench, Command::Labels, 0, 0).redraw);  // another key: the warning is taken back
    EXPECT_FALSE(perform(bench, Command::Quit, 0, 0).quit);
    EXPECT_TRUE(perform(bench, Command::Quit, 0, 0).quit);
    // Outside editing, S saves as the warning offers; a page key while drawing takes the warning off
    // the screen.
    perform(bench, Command::Edit, 0, 0);
    perform(bench, Command::Quit, 0, 0);
    const Effect saved = perform(bench, Command::Save, 0, 0);
    EXPECT_TRUE(saved.save && saved.redraw && !bench.quitWarned);
    perform(bench, Command::Edit, 0, 0);
    perform(bench, {'n'});
    perform(bench, {'c', 1, 1});
    EXPECT_FALSE(perform(bench, Command::Quit, 0, 0).quit);
    EXPECT_TRUE(perform(bench, Command::Next, 0, 0).redraw);
    EXPECT_TRUE(bench.edit.message.empty());
    perform(bench, Command::Cancel, 0, 0);
    perform(bench, {'d', 2, 2});
    EXPECT_EQ(bench.edit.message, "Nema temena ispod pokazivača.");
    // Dragged far below the window, the vertex stops at the picture's bottom row.
    perform(bench, {'p', 3, 3});
    movePointerTo(bench, 500, 5000);
    const PlanePoint at = sceneToPixels(bench.view, bench.lesson.vertices[2].x, bench.lesson.vertices[2].y);
    EXPECT_NEAR(at.y, bench.view.picture.y, 1.0);
    // Near the end of the float range a point beyond it is refused and the polygon kept.
    Workbench huge = benchOn({{0, 0}, {3e38f, 0}, {3e38f, 3e38f}}, false);
    const std::vector<Point> before = huge.lesson.vertices;
    perform(huge, {'p', 3e38, 3e38});
    movePointerTo(huge, 1020, 5);
    EXPECT_EQ(huge.edit.message, "Tačka je van opsega brojeva.");
    EXPECT_EQ(huge.lesson.vertices[2].x, before[2].x);
}

// Whatever the edits, every coordinate is a finite float, zero is +0, and the saved text reads back
// through the dialogue as the same polygon, bit for bit: huge, tiny and everyday polygons alike.
TEST(Workbench, EverySavedPolygonReadsBackBitForBit) {
    std::mt19937 random(2026);
    auto bits = [](float f) {
        std::uint32_t b;
        std::memcpy(&b, &f, sizeof b);
        return b;
    };
    int edits = 0;
    for (int round = 0; round < 200; ++round) {
        // Every fifth near the end of the float range, where a drag can reach past it.
        const bool end = round % 5 == 0;
        const double scale = std::ldexp(1.0, end ? 126 : std::uniform_int_distribution<int>(-126, 125)(random));
        const double offset = std::uniform_real_distribution<double>(-0.9, 0.9)(random) * scale * (end ? 1 : round % 3);
        Polygon start;
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5;
            start.emplace_back(static_cast<float>(offset + scale * std::cos(a)), static_cast<float>(scale * std::sin(a)));
        }
        Workbench bench = benchOn(start, round % 2 == 0);
        std::uniform_int_distribution<int> wx(-300, 1300), wy(-300, 1000), what(0, 4);
        for (int step = 0; step < 12; ++step) {
            // A vertex, or an edge's middle, where the window shows it.
            const std::vector<Point>& was = bench.lesson.vertices;
            const std::size_t k = random() % was.size();
            const Point& a = was[k];
            const Point& b = was[(k + 1) % was.size()];
            const bool middle = random() % 3 == 0;
            const PlanePoint on = sceneToPixels(bench.view, middle ? (a.x + static_cast<double>(b.x)) / 2 : a.x,
                                                middle ? (a.y + static_cast<double>(b.y)) / 2 : a.y);
            const int x = static_cast<int>(std::lround(on.x));
            const int y = bench.view.windowHeight - 1 - static_cast<int>(std::lround(on.y));
            switch (what(random)) {
                case 0:
                case 1:  // a drag from there to anywhere, even off the window
                    pressButton(bench, 0, true, x, y);
                    for (int m = 0; m < 3; ++m) movePointerTo(bench, wx(random), wy(random));
                    pressButton(bench, 0, false, x, y);
                    break;
                case 2: perform(bench, random() % 2 ? Command::Grid : Command::Undo, x, y); break;
                case 3: zoomAbout(bench.view, x, y, std::uniform_real_distribution<double>(0.05, 20)(random)); break;
                default: perform(bench, Command::Delete, x, y); break;
            }
            const std::vector<Point>& v = bench.lesson.vertices;
            for (const Point& p : v) {
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << polygonText(v);
                ASSERT_FALSE((p.x == 0 && std::signbit(p.x)) || (p.y == 0 && std::signbit(p.y))) << "-0";
            }
            edits += bench.history.current;
            std::istringstream in(polygonText(v));
            Point read[MaxVertices];
            int count = 0;
            ASSERT_TRUE(readPolygon(in, std::tmpfile(), read, count)) << polygonText(v);
            ASSERT_EQ(count, static_cast<int>(v.size()));
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(bits(read[i].x), bits(v[i].x)) << polygonText(v);
                ASSERT_EQ(bits(read[i].y), bits(v[i].y)) << polygonText(v);
            }
        }
    }
    EXPECT_GT(edits, 500);  // the sequences did edit
}

// Each number in its shortest form that reads back the same (10, not 1e+01; zero as 0).
TEST(Workbench, SavedPolygonGoesIntoAFreeFileWithZeroAsZero) {
    const std::vector<Point> v =
        polygonOf({{0.1f, -0.0f}, {1e-45f, 3.4028235e38f}, {1.0000001f, -2.5f}, {16777216.0f, 7}, {10, 1e20f}});
    EXPECT_EQ(polygonText(v), "5\n0.1 0\n1e-45 3.4028235e+38\n1.0000001 -2.5\n16777216 7\n10 1e+20\n");
    char folder[] = "/tmp/workbench-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::fclose(std::fopen((std::string(folder) + "/poligon-1.txt").c_str(), "w"));
    SavedWords words;
    EXPECT_TRUE(savePolygon(v, folder, words));
    EXPECT_EQ(words.band, "Poligon je sačuvan u datoteku poligon-2.txt.");
    EXPECT_EQ(words.console, "Poligon je sacuvan u datoteku poligon-2.txt.");  // the console keeps ASCII
    EXPECT_FALSE(savePolygon(v, std::string(folder) + "/none", words));
    EXPECT_EQ(words.band, "Poligon nije sačuvan: u tekućoj fascikli ne može da se napravi datoteka.");
    EXPECT_EQ(words.console, "Poligon nije sacuvan: u tekucoj fascikli ne moze da se napravi datoteka.");
}

// The caption band keeps one height through each part of the lesson while pages play, whatever the
// interval: the part's tallest caption with the playing line of any interval fits in it at every
// width; every page of a part frames the picture alike, and a part of short captions (the guards')
// keeps a lower band than the cut's.
TEST(Workbench, CaptionBandFitsThePlayingLineOfEveryInterval) {
    const std::vector<Point> v = polygonOf({{0, 0}, {10, 6}, {20, 0}, {30, 6}, {40, 0}, {40, 10}, {0, 10}});
    Workbench bench = openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
    perform(bench, Command::Next, 0, 0);
    perform(bench, Command::Play, 0, 0);
    for (int width = 240; width <= 1400; width += 7) {
        resize(bench, width, 700);
        const int chars = captionChars(windowText(width, 700), width);
        for (int interval = 0; interval < 5; ++interval) {
            bench.steps.interval = interval;
            relayout(bench);
            char playing[80];
            std::snprintf(playing, sizeof playing, "Automatski: korak svakih %g s (P zaustavlja)", PlayIntervals[interval]);
            for (const Page& page : bench.lesson.pages) {
                if (page.caption.empty()) continue;
                std::vector<std::string> lines = page.caption;
                lines.push_back(playing);
                ASSERT_LE(wrapLines(lines, chars).size(), static_cast<std::size_t>(bench.captionLines[page.part]))
                    << "width " << width << ", interval " << PlayIntervals[interval];
            }
        }
    }
    bench.steps.playing = false;
    resize(bench, 1920, 1080);
    std::vector<PixelRect> pictures(8, PixelRect{-1, -1, -1, -1});
    for (int page = 1; page <= pageCount(bench.lesson); ++page) {
        bench.steps.page = page;
        relayout(bench);
        PixelRect& first = pictures[bench.lesson.pages[page].part];
        if (first.x < 0) first = bench.layout.picture;
        EXPECT_EQ(std::make_tuple(first.y, first.height, first.width),
                  std::make_tuple(bench.layout.picture.y, bench.layout.picture.height, bench.layout.picture.width))
            << "page " << page + 1;
    }
    EXPECT_GT(pictures[4].height, pictures[2].height);  // the guards' band is lower than the cut's
}

// The projector's keys: Escape backs out of one thing a press, full screen first, then the black
// screen, a drag or a new polygon, the help, editing, and with nothing open does nothing (never
// closes); while the screen is black every key and click only brings the page back.
TEST(Workbench, EscapeBacksOutInOrderAndBlackScreenTakesAnyKeyBack) {
    Workbench bench = benchOn(square, false);
    perform(bench, Command::Help, 0, 0);
    perform(bench, {'n'});
    perform(bench, {'c', 1, 1});
    const Effect full = perform(bench, Command::FullScreen, 0, 0);
    EXPECT_TRUE(full.screen && bench.fullScreen);
    perform(bench, Command::Blank, 0, 0);
    Command command = Command::Next;
    ASSERT_TRUE(keyCommand(bench, {'q', SpecialKey::None}, command));
    EXPECT_EQ(command, Command::Blank);  // Q does not close a black screen
    ASSERT_TRUE(keyCommand(bench, {0, SpecialKey::Right}, command));
    EXPECT_EQ(command, Command::Blank);
    const auto backOnce = [&] {
        Command c = Command::Next;
        EXPECT_TRUE(keyCommand(bench, {27, SpecialKey::None}, c));
        return perform(bench, c, 0, 0);
    };
    backOnce();  // the black screen takes the key back first, as every key
    EXPECT_FALSE(bench.blank);
    EXPECT_TRUE(bench.fullScreen);
    const Effect left = backOnce();
    EXPECT_TRUE(left.screen && !bench.fullScreen);
    backOnce();
    EXPECT_FALSE(bench.edit.drawing);
    EXPECT_TRUE(bench.steps.help && bench.edit.on);
    backOnce();
    EXPECT_FALSE(bench.steps.help);
    EXPECT_TRUE(bench.edit.on);
    backOnce();
    EXPECT_FALSE(bench.edit.on);
    const Effect nothing = backOnce();
    EXPECT_FALSE(nothing.quit || nothing.redraw);
    // A click on a black screen brings the page back and neither pans nor turns a page.
    perform(bench, Command::Blank, 0, 0);
    const ViewState view = bench.view;
    EXPECT_TRUE(pressButton(bench, 0, true, 300, 300).redraw);
    EXPECT_FALSE(pressButton(bench, 0, false, 300, 300).redraw);
    EXPECT_FALSE(bench.blank);
    EXPECT_EQ(bench.view.panX, view.panX);
    EXPECT_TRUE(frameOf(bench).shapes.size() > 0);
    perform(bench, Command::Blank, 0, 0);
    const Frame black = frameOf(bench);
    EXPECT_TRUE(black.shapes.empty() && black.clear.r == 0.0f && black.clear.g == 0.0f && black.clear.b == 0.0f);
}

// The row of buttons along the bottom: a click on one is its key (the pages, play, editing, the
// exercise, the help, full screen), the help leaves it at hand, a button whose state is on is drawn
// so, and no picture written out has it.
TEST(Workbench, TheRowOfButtonsGivesTheirKeysAndNoPictureHasIt) {
    const std::vector<Point> v = polygonOf(square);
    Workbench bench = openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
    const auto click = [&](const std::string& label) {
        for (const Button& b : bench.layout.buttons) {
            if (b.label != label || b.box.y >= bench.layout.toolbarBand.height) continue;
            const int x = b.box.x + b.box.width / 2, y = bench.view.windowHeight - 1 - (b.box.y + b.box.height / 2);
            const Effect effect = pressButton(bench, 0, true, x, y);
            pressButton(bench, 0, false, x, y);
            return effect;
        }
        ADD_FAILURE() << "no button " << label;
        return Effect{};
    };
    const auto isOn = [&](const std::string& label) {
        for (const Button& b : bench.layout.buttons) {
            if (b.label == label) return b.on;
        }
        return false;
    };
    ASSERT_GT(bench.layout.toolbarBand.height, 0);
    EXPECT_EQ(bench.layout.picture.y, bench.layout.toolbarBand.height);
    Workbench keyed = bench;
    click("Sledeća >");
    click("Sledeća >");
    perform(keyed, Command::Next, 0, 0);
    perform(keyed, Command::Next, 0, 0);
    EXPECT_EQ(bench.steps.page, keyed.steps.page);
    EXPECT_EQ(textsOf(frameOf(bench)), textsOf(frameOf(keyed)));
    click("< Prethodna");
    EXPECT_EQ(bench.steps.page, keyed.steps.page - 1);
    EXPECT_TRUE(click("Pusti (P)").play && bench.steps.playing && isOn("Stani (P)"));
    click("Stani (P)");
    EXPECT_FALSE(bench.steps.playing);
    click("Pomoć (H)");
    EXPECT_TRUE(bench.steps.help && isOn("Pomoć (H)"));
    click("Sledeća >");  // under the help too
    EXPECT_EQ(bench.steps.page, keyed.steps.page);
    click("Pomoć (H)");
    EXPECT_FALSE(bench.steps.help);
    click("Uredi (E)");
    EXPECT_TRUE(bench.edit.on && isOn("Uredi (E)"));
    click("Vežba (V)");
    EXPECT_TRUE(bench.exercise.on && !bench.edit.on && isOn("Vežba (V)") && !isOn("Uredi (E)"));
    EXPECT_TRUE(click("Ceo ekran (F)").screen && bench.fullScreen && isOn("Ceo ekran (F)"));
    // A picture of the window's size keeps the row's place empty, so that it shows the page as the
    // window does; a slide of its own size and the polygon alone have that height for the picture.
    for (const PictureStyle& style : {PictureStyle{}, PictureStyle{1600, 900, true, false}, PictureStyle{0, 0, false, true}}) {
        const Workbench picture = pictureBench(bench, style);
        const Frame frame = frameOf(picture);
        for (const Button& b : frame.buttons) {  // the question's, none of the row's
            for (const Command row : {Command::Previous, Command::Next, Command::Play, Command::Edit, Command::Exercise,
                                      Command::Help, Command::FullScreen}) {
                EXPECT_NE(b.command, row) << b.label;
            }
        }
        for (const std::string& text : textsOf(frame)) EXPECT_NE(text, "Sledeća >");
        const bool windowSized = style.width == 0 && !style.bare;
        EXPECT_EQ(picture.layout.picture.y, windowSized ? bench.layout.picture.y : 0) << style.width;
    }
}
