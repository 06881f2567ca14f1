// The step mode as plain values: the keys' paging and play, the captions, what each page draws.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../support/polygon_of.h"
#include "viewer/walkthrough.h"

namespace {

Judgement judged(std::initializer_list<std::pair<double, double>> xy) {
    const std::vector<Point> v = polygonOf(xy);
    return judgePolygon(v.data(), static_cast<int>(v.size()));
}

StepView onPage(int page, bool playing = false) {
    StepView view;
    view.page = page;
    view.playing = playing;
    return view;
}

// The convex hexagon: step 2 sweeps vertex 3 and cuts (6,5)-(0,10); five steps in all.
const Judgement hexagon = judged({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}});
// Each refusal: a reflex corner, a level vertex in the triangle, a corner on the candidate.
const Judgement refused = judged({{0, 10}, {6, 9}, {1, 6}, {6, 3}, {0, 0}});
const Judgement neck = judged({{0, 10}, {-4, 5}, {-2, 5}, {-2, 0}, {3, 0}, {3, 5}, {5, 5}});
const Judgement flat = judged({{1, 1}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}});

}  // namespace

TEST(StepMode, KeysPageThroughTheStepsAndPlay) {
    struct Case {
        std::vector<Key> keys;
        int page;
        bool playing;
    };
    // Twelve pages, so that ten steps at a time meet both ends.
    std::vector<Point> twelve;
    for (int i = 0; i < 13; ++i) twelve.emplace_back(std::cos(i * 0.48 + 0.1), std::sin(i * 0.48 + 0.1), 0.0);
    const int pages = pageCount(judgePolygon(twelve.data(), 13));
    ASSERT_EQ(pages, 12);
    const Case cases[] = {
        {{Key::Next}, 1, false},
        {{Key::Next, Key::Next, Key::Previous}, 1, false},
        {{Key::Previous}, 12, false},                        // from the full picture: the last
        {{Key::Previous, Key::Next}, 12, false},             // nothing past the last
        {{Key::First, Key::Previous}, 1, false},             // nothing before the first
        {{Key::TenForward}, 10, false},                      // from the full picture, as Right then nine
        {{Key::TenForward, Key::TenForward}, 12, false},     // clamped to the last
        {{Key::TenBack}, 3, false},                          // as Left then nine
        {{Key::Next, Key::Next, Key::TenBack}, 1, false},    // clamped to the first
        {{Key::Play}, 1, true},                              // from the full picture: from step 1
        {{Key::Next, Key::Next, Key::Play}, 2, true},        // from the current step
        {{Key::Play, Key::Play}, 1, false},                  // P again pauses
        {{Key::Previous, Key::Play}, 1, true},               // at the last step: again from the first
        {{Key::Play, Key::Faster, Key::TenForward}, 11, true},
        {{Key::Play, Key::TenForward, Key::Next}, 12, false},  // reaching the last ends the play
        {{Key::Play, Key::Full}, 0, false},
    };
    for (const Case& c : cases) {
        StepView view;
        for (const Key key : c.keys) pressKey(view, key, pages);
        EXPECT_EQ(std::make_pair(view.page, view.playing), std::make_pair(c.page, c.playing));
    }
    // The play steps once per tick and stops at the last step; the interval halves and doubles
    // within 0.25 s and 4 s.
    StepView view;
    pressKey(view, Key::Play, 3);
    int ticks = 0;
    while (playTick(view, 3)) ++ticks;
    EXPECT_EQ(std::make_tuple(ticks, view.page, view.playing), std::make_tuple(2, 3, false));
    EXPECT_EQ(playSeconds(view), 1.0);
    for (int i = 0; i < 5; ++i) pressKey(view, Key::Faster, 3);
    EXPECT_EQ(playSeconds(view), 0.25);
    for (int i = 0; i < 5; ++i) pressKey(view, Key::Slower, 3);
    EXPECT_EQ(playSeconds(view), 4.0);
    EXPECT_EQ(pressKey(view, Key::ResetView, 5), KeyEffect::ResetView);
    EXPECT_EQ(pressKey(view, Key::Next, 3), KeyEffect::None);
}

// Every caption starts with the verdict; then the page's place in the lesson beside its own first
// line, the pops top first, the neighbour that needs no diagonal, the refusal and what went back.
TEST(StepMode, CaptionsSayWhatEachStepDidAndWhy) {
    struct Case {
        const Judgement* shown;
        StepView view;
        std::vector<std::string> lines;  // after the verdict
    };
    const char* const besideBottom = "Teme 1 je sused temena 6 na ivici poligona, pa dijagonala do njega nije potrebna.";
    const Case cases[] = {
        {&hexagon, onPage(1), {"Strana 2 od 6. Korak 1 od 5: pocetak", "Dva najvisa temena idu na stek.", "Nove dijagonale: 0"}},
        {&hexagon, onPage(2, true),
         {"Strana 3 od 6. Korak 2 od 5: teme 3 (6,5)", "Isti lanac: plave dijagonale dok su unutar poligona.",
          "Skinuta sa steka: 2 i 1", "Teme 2 je sused temena 3 na ivici poligona, pa dijagonala do njega nije potrebna.",
          "Vracena na stek: 1 i 3.", "Nove dijagonale: 1", "Automatski: korak svakih 1 s (P zaustavlja)"}},
        {&hexagon, onPage(3),
         {"Strana 4 od 6. Korak 3 od 5: teme 6 (-5,4)", "Suprotni lanac: crvene dijagonale do temena sa steka.",
          "Skinuta sa steka: 3 i 1", besideBottom, "Vracena na stek: 3 i 6.", "Nove dijagonale: 1"}},
        {&hexagon, onPage(5),
         {"Strana 6 od 6. Korak 5 od 5: teme 5 (0,0)",
          "Najnize teme: nema temena izmedju dna i vrha steka, nema novih dijagonala.", "Skinuta sa steka: 4 i 6",
          "Temena 4 i 6 su susedi temena 5 na ivici poligona, pa dijagonale do njih nisu potrebne.", "Nove dijagonale: 0"}},
        {&refused, onPage(3),
         {"Strana 4 od 5. Korak 3 od 4: teme 4 (6,3)", "Isti lanac: plave dijagonale dok su unutar poligona.",
          "Skinuta sa steka: 3", "Teme 3 je sused temena 4 na ivici poligona, pa dijagonala do njega nije potrebna.",
          "Dijagonala 4-1 bi izasla iz poligona, pa se teme 3 vraca na stek.", "Vracena na stek: 3 i 4.",
          "Nove dijagonale: 0"}},
        {&neck, onPage(3),
         {"Strana 4 od 7. Korak 3 od 6: teme 7 (5,5)", "Suprotni lanac: crvene dijagonale do temena sa steka.",
          "Skinuta sa steka: 3 i 1", "Teme 1 je sused temena 7 na ivici poligona, pa dijagonala do njega nije potrebna.",
          "Trougao 7-1-3 sadrzi teme 6, pa se teme 1 vraca na stek.", "Vracena na stek: 3, 1 i 7.", "Nove dijagonale: 0"}},
        {&flat, onPage(2),
         {"Strana 3 od 6. Korak 2 od 5: teme 6 (2,1)", "Suprotni lanac: crvene dijagonale do temena sa steka.",
          "Skinuta sa steka: 2 i 1", besideBottom, "Dijagonala 6-2 bi prosla kroz teme 1, pa se teme 1 vraca na stek.",
          "Vracena na stek: 2, 1 i 6.", "Nove dijagonale: 0"}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = captionLines(*c.shown, c.view);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], verdictLine(*c.shown));
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.lines);
    }
    EXPECT_TRUE(captionLines(hexagon, onPage(0)).empty());
    // Coordinates keep six significant digits at any scale.
    EXPECT_EQ(captionLines(judged({{0, 3e30}, {1e-30, 0}, {-2e30, -1e-30}}), onPage(2))[1],
              "Strana 3 od 3. Korak 2 od 2: teme 3 (-2e+30,-1e-30)");
}

// The verdict in the words every page shows it, and the full picture's bottom lines around it.
TEST(StepMode, VerdictSaysWhatTheDialogueDecidedAndNamesItsReasons) {
    const std::pair<Judgement, const char*> cases[] = {
        {hexagon, "Poligon je monoton. Broj dijagonala: 3."},
        {judged({{1, 1}, {2, 2}}), "Manje od tri temena: nema sta da se triangulise."},
        {judged({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), "Poligon nije prost: ivice 1-2 i 3-4 se dodiruju ili seku."},
        {judged({{0, 0}, {2, 2}, {4, 0}, {4, 4}, {0, 4}}),
         "Poligon nije monoton. Temena razdvajanja: 2. Temena spajanja: nema."},
        {judged({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}}),
         "Poligon nije monoton. Temena razdvajanja: 3. Temena spajanja: 7 i 9."},
        {judged({{0, 0}, {10, 0}, {10, 10}, {8, 4}, {6, 10}, {4, 4}, {2, 10}, {0, 10}}),
         "Poligon nije monoton. Temena razdvajanja: nema. Temena spajanja: 4 i 6."},
    };
    for (const auto& [shown, line] : cases) EXPECT_EQ(verdictLine(shown), line);
    EXPECT_EQ(bottomLines(hexagon, 85),
              std::vector<std::string>{"Poligon je monoton. Broj dijagonala: 3.  Strana 1 od 6  H - pomoc, strelice - koraci"});
    EXPECT_EQ(bottomLines(cases[4].first, 85),
              (std::vector<std::string>{"Poligon nije monoton. Temena razdvajanja: 3. Temena spajanja: 7 i 9.",
                                        "Strana 1 od 25  H - pomoc, strelice - koraci"}));
    // The page that says why there are no steps.
    EXPECT_EQ(captionLines(cases[2].first, onPage(1))[1], "Strana 2 od 2. Nema koraka: samo prost poligon moze da se triangulise.");
    EXPECT_EQ(captionLines(cases[1].first, onPage(1))[1], "Strana 2 od 2. Nema koraka.");
}

// A W, not monotone: the page that says why, the partition's ten steps, the four pieces' three steps
// each, the whole triangulation.
TEST(StepMode, PolygonThatIsNotMonotoneIsCutThenEachPieceSweptThenShownWhole) {
    const Judgement w = judged({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}});
    ASSERT_EQ(pageCount(w), 1 + 10 + 4 * 3 + 1);
    const std::pair<int, std::vector<std::string>> cases[] = {
        {1, {"Strana 2 od 25. Teme razdvajanja (trougao nagore): oba suseda su niza, a unutrasnjost je s obe strane.",
             "Teme spajanja (trougao nadole): oba suseda su visa, a unutrasnjost je s obe strane.",
             "Dalje: podela na monotone delove, pa triangulacija svakog dela."}},
        {2, {"Strana 3 od 25. Korak 1 od 10: teme 1, vrsta: pocetno"}},
        {7, {"Strana 8 od 25. Korak 6 od 10: teme 3, vrsta: razdvajanje", "Nova dijagonala: 3-8 (pomocnik ivice 8-9)"}},
        {8, {"Strana 9 od 25. Korak 7 od 10: teme 9, vrsta: spajanje",
             "Teme 9 je teme spajanja: postaje pomocnik ivice 1-2; dijagonala iz njega ide nadole, do sledeceg temena "
             "koje vidi tu ivicu."}},
        {10, {"Strana 11 od 25. Korak 9 od 10: teme 2, vrsta: krajnje",
              "Nova dijagonala: 2-9 (pomocnik ivice 1-2 bio je teme spajanja 9)"}},
        {12, {"Strana 13 od 25. Deo 1 od 4: Korak 1 od 3: pocetak", "Dva najvisa temena idu na stek.", "Nove dijagonale: 0"}},
        {24, {"Strana 25 od 25. Cela triangulacija. Broj dijagonala: 7, od toga iz podele na monotone delove: 3.",
              "Broj monotonih delova: 4."}},
    };
    for (const auto& [page, lines] : cases) {
        const std::vector<std::string> caption = captionLines(w, onPage(page));
        EXPECT_EQ(std::vector<std::string>(caption.begin() + 1, caption.end()), lines) << page;
    }
    // The whole page draws every diagonal, the partition's in their own colour; a piece's step tints
    // that piece's boundary only and has a stack.
    const PageMarks whole = pageMarks(w, 24, 0.1);
    EXPECT_EQ(whole.partition.size(), 3u);
    EXPECT_EQ(whole.segments.size(), 4u);
    EXPECT_EQ(pageMarks(w, 12, 0.1).tints.size(), w.whole.partition.pieces[0].size());
    // The pieces, each in its tint, neighbours apart: every triangle on the whole page; on a piece's
    // step only that piece's, the rest under the veil.
    std::vector<int> tintOf(10, -1);
    for (const TintedTriangle& t : whole.pieces) {
        for (const Point* p : {&t.a, &t.b, &t.c}) tintOf[static_cast<int>(p->x)] = t.tint;  // abscissas 0..8 tell 3 from 8
    }
    EXPECT_EQ(whole.pieces.size(), 8u);
    EXPECT_NE(tintOf[0], tintOf[2]);
    const PageMarks piece = pageMarks(w, 13, 0.1);
    EXPECT_EQ(piece.pieces.size() + piece.veiled.size(), 8u);
    EXPECT_EQ(piece.pieces.size(), w.whole.partition.pieces[0].size() - 2);
    // The sweep line's panel on the merge vertex 9: the edge 8-9 taken off in its place, 1-2 now helped by 9.
    std::string rows;
    for (const StatusRow& r : statusRows(w, 8)) {
        rows += std::to_string(r.edge + 1) + ":" + (r.oldHelper >= 0 ? std::to_string(r.oldHelper + 1) + ">" : "") +
                std::to_string(r.helper + 1) + (r.removed ? "x " : r.inserted ? "+ " : " ");
    }
    EXPECT_EQ(rows, "1:10>9 8:3x 3:3 6:5 ");
    EXPECT_TRUE(statusRows(w, 12).empty());
    EXPECT_EQ(stackColumns(w, 12).after.size(), 2u);
    EXPECT_EQ(pageMarks(w, 7, 0.1).types.size(), 1u);
}

TEST(StepMode, PagesDrawTheirDiagonalsSweepLineStackAndRefusal) {
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
    EXPECT_EQ(std::make_pair(marks.circles[2].colour, marks.circles[2].centre.x), std::make_pair(Green, 6.0f));
    ASSERT_EQ(marks.crosses.size(), 1u);  // vertex 2, popped
    EXPECT_EQ(marks.crosses[0].y, 8.0f);
    EXPECT_TRUE(marks.dashed.empty());
    // Every edge tinted by its chain: the right one runs 1-2-3-4-5 on this clockwise hexagon.
    ASSERT_EQ(marks.tints.size(), 6u);
    for (const ChainEdge& e : marks.tints) EXPECT_EQ(e.chain, e.from < 4 ? Chain::Right : Chain::Left) << e.from;
    // The refused candidate 4-1, dashed.
    const PageMarks refusal = pageMarks(refused, 3, 0.5);
    ASSERT_EQ(refusal.dashed.size(), 1u);
    EXPECT_EQ(std::make_pair(refusal.dashed[0].start.y, refusal.dashed[0].end.y), std::make_pair(3.0f, 10.0f));
    EXPECT_EQ(pageMarks(judged({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), 1, 0.5).segments.size(), 2u);
    EXPECT_TRUE(pageMarks(hexagon, 0, 0.5).circles.empty());
}

TEST(StepMode, StackPanelAndConcernedVerticesOfAStep) {
    // Neck, step 4: vertex 6 pops 7, then 1 and 3 as it joins them; the stack 3 1 7 becomes 3 6.
    const StackColumns columns = stackColumns(neck, 4);
    std::string before, after;
    for (const StackEntry& e : columns.before) before += std::to_string(e.vertex + 1) + (e.popped ? "x " : " ");
    for (const StackEntry& e : columns.after) after += std::to_string(e.vertex + 1) + (e.pushed ? "+ " : e.back ? "< " : " ");
    EXPECT_EQ(before, "3x 1x 7x ");  // every entry popped; 3, the last, went back
    EXPECT_EQ(after, "3< 6+ ");
    EXPECT_EQ(concernedVertices(neck, 4), (std::vector<int>{5, 0, 2, 6}));  // swept, diagonals' ends, popped
    EXPECT_EQ(concernedVertices(neck, 3), (std::vector<int>{6, 2, 0, 5}));  // swept, refused to, corner, blocker
    EXPECT_TRUE(stackColumns(neck, 0).after.empty());
}
