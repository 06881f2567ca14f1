// The lesson as plain values, built once: the captions, the verdict, what each page draws and its
// panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../support/polygon_of.h"
#include "viewer/lesson.h"
#include "viewer/text.h"

namespace {

Lesson lessonOf(std::initializer_list<std::pair<double, double>> xy) {
    const std::vector<Point> v = polygonOf(xy);
    return buildLesson(judgePolygon(v.data(), static_cast<int>(v.size())));
}

// The convex hexagon: step 2 sweeps vertex 3 and cuts (6,5)-(0,10); five steps in all.
const Lesson hexagon = lessonOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}});
// Each refusal: a reflex corner, a level vertex in the triangle, a corner on the candidate.
const Lesson refused = lessonOf({{0, 10}, {6, 9}, {1, 6}, {6, 3}, {0, 0}});
const Lesson neck = lessonOf({{0, 10}, {-4, 5}, {-2, 5}, {-2, 0}, {3, 0}, {3, 5}, {5, 5}});
const Lesson flat = lessonOf({{1, 1}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}});

}  // namespace

// Every caption starts with the verdict; then the page's place in the lesson beside its own first
// line, the pops top first, the neighbour that needs no diagonal, the refusal and what went back.
TEST(Lesson, CaptionsSayWhatEachStepDidAndWhy) {
    struct Case {
        const Lesson* lesson;
        int page;
        std::vector<std::string> lines;  // after the verdict
    };
    const char* const besideBottom = "Teme 1 je sused temena 6 na ivici poligona, pa dijagonala do njega nije potrebna.";
    const Case cases[] = {
        {&hexagon, 1, {"Strana 2 od 12. Korak 1 od 5: početak", "Dva najviša temena idu na stek.", "Nove dijagonale: 0"}},
        {&hexagon, 2,
         {"Strana 3 od 12. Korak 2 od 5: teme 3 (6,5)", "Isti lanac: plave dijagonale dok su unutar poligona.",
          "Skinuta sa steka: 2 i 1", "Teme 2 je sused temena 3 na ivici poligona, pa dijagonala do njega nije potrebna.",
          "Vraćena na stek: 1 i 3.", "Nove dijagonale: 1"}},
        {&hexagon, 3,
         {"Strana 4 od 12. Korak 3 od 5: teme 6 (-5,4)", "Suprotni lanac: crvene dijagonale do temena sa steka.",
          "Skinuta sa steka: 3 i 1", besideBottom, "Vraćena na stek: 3 i 6.", "Nove dijagonale: 1"}},
        {&hexagon, 5,
         {"Strana 6 od 12. Korak 5 od 5: teme 5 (0,0)",
          "Najniže teme: nema temena između dna i vrha steka, nema novih dijagonala.", "Skinuta sa steka: 4 i 6",
          "Temena 4 i 6 su susedi temena 5 na ivici poligona, pa dijagonale do njih nisu potrebne.", "Nove dijagonale: 0"}},
        {&refused, 3,
         {"Strana 4 od 10. Korak 3 od 4: teme 4 (6,3)", "Isti lanac: plave dijagonale dok su unutar poligona.",
          "Skinuta sa steka: 3", "Teme 3 je sused temena 4 na ivici poligona, pa dijagonala do njega nije potrebna.",
          "Dijagonala 4-1 bi izašla iz poligona, pa se teme 3 vraća na stek.", "Vraćena na stek: 3 i 4.",
          "Nove dijagonale: 0"}},
        {&neck, 3,
         {"Strana 4 od 14. Korak 3 od 6: teme 7 (5,5)", "Suprotni lanac: crvene dijagonale do temena sa steka.",
          "Skinuta sa steka: 3 i 1", "Teme 1 je sused temena 7 na ivici poligona, pa dijagonala do njega nije potrebna.",
          "Trougao 7-1-3 sadrži teme 6, pa se teme 1 vraća na stek.", "Vraćena na stek: 3, 1 i 7.", "Nove dijagonale: 0"}},
        {&flat, 2,
         {"Strana 3 od 12. Korak 2 od 5: teme 6 (2,1)", "Suprotni lanac: crvene dijagonale do temena sa steka.",
          "Skinuta sa steka: 2 i 1", besideBottom, "Dijagonala 6-2 bi prošla kroz teme 1, pa se teme 1 vraća na stek.",
          "Vraćena na stek: 2, 1 i 6.", "Nove dijagonale: 0"}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string>& lines = c.lesson->pages[c.page].caption;
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.lesson->verdictLine);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.lines);
    }
    EXPECT_TRUE(hexagon.pages[0].caption.empty());
    // Coordinates keep six significant digits at any scale.
    EXPECT_EQ(lessonOf({{0, 3e30}, {1e-30, 0}, {-2e30, -1e-30}}).pages[2].caption[1],
              "Strana 3 od 6. Korak 2 od 2: teme 3 (-2e+30,-1e-30)");
}

// The verdict in the words every page shows it, and the full picture's bottom lines around it.
TEST(Lesson, VerdictSaysWhatTheDialogueDecidedAndNamesItsReasons) {
    const std::pair<Lesson, const char*> cases[] = {
        {hexagon, "Poligon je monoton. Broj dijagonala: 3."},
        {lessonOf({{1, 1}, {2, 2}}), "Manje od tri temena: nema šta da se trianguliše."},
        {lessonOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), "Poligon nije prost: ivice 1-2 i 3-4 se dodiruju ili seku."},
        {lessonOf({{0, 0}, {2, 2}, {4, 0}, {4, 4}, {0, 4}}),
         "Poligon nije monoton. Temena razdvajanja: 2. Temena spajanja: nema."},
        {lessonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}}),
         "Poligon nije monoton. Temena razdvajanja: 3. Temena spajanja: 7 i 9."},
        {lessonOf({{0, 0}, {10, 0}, {10, 10}, {8, 4}, {6, 10}, {4, 4}, {2, 10}, {0, 10}}),
         "Poligon nije monoton. Temena razdvajanja: nema. Temena spajanja: 4 i 6."},
    };
    for (const auto& [lesson, line] : cases) EXPECT_EQ(lesson.verdictLine, line);
    EXPECT_EQ(bottomLines(hexagon, 85),
              std::vector<std::string>{"Poligon je monoton. Broj dijagonala: 3.  Strana 1 od 12  H - pomoć, strelice - koraci"});
    EXPECT_EQ(bottomLines(cases[4].first, 85),
              (std::vector<std::string>{"Poligon nije monoton. Temena razdvajanja: 3. Temena spajanja: 7 i 9.",
                                        "Strana 1 od 35  H - pomoć, strelice - koraci"}));
    // A comb of fourteen teeth names its thirteen merge vertices, wrapped onto as many lines as it
    // needs, not one of them left out.
    std::initializer_list<std::pair<double, double>> comb = {
        {0, 0}, {40, 0}, {40, 10}, {38, 3}, {37, 10}, {35, 3}, {34, 10}, {32, 3}, {31, 10}, {29, 3}, {28, 10}, {26, 3},
        {25, 10}, {23, 3}, {22, 10}, {20, 3}, {19, 10}, {17, 3}, {16, 10}, {14, 3}, {13, 10}, {11, 3}, {10, 10}, {8, 3},
        {7, 10}, {5, 3}, {4, 10}, {2, 3}, {1, 10}};
    const Lesson teeth = lessonOf(comb);
    const std::vector<std::string> lines = bottomLines(teeth, 40);
    ASSERT_GT(lines.size(), 3u);
    std::string said;
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
        EXPECT_LE(characterCount(lines[k]), 40u) << lines[k];
        said += (k == 0 ? "" : " ") + lines[k];
    }
    EXPECT_EQ(said, teeth.verdictLine);
    EXPECT_EQ(lines.back(), "Strana 1 od " + std::to_string(pageCount(teeth) + 1) + "  H - pomoć, strelice - koraci");
    EXPECT_EQ(teeth.pages[0].concerned.size(), 13u);  // the merge vertices the verdict names get their numbers
    // The page that says why there are no steps.
    EXPECT_EQ(cases[2].first.pages[1].caption[1], "Strana 2 od 2. Nema koraka: samo prost poligon može da se trianguliše.");
    EXPECT_EQ(cases[1].first.pages[1].caption[1], "Strana 2 od 2. Nema koraka.");
}

// A comb whose eight teeth hang down, cut into many pieces: on the whole page every piece is filled
// with one of the tints, and the two triangles along each diagonal of the partition, one in each of
// the pieces it parts, in different ones.
TEST(Lesson, NeighbouringPiecesTakeTheTwoTintsInTurn) {
    std::vector<std::pair<double, double>> xy = {{0, 0}, {0, -10}};
    for (int t = 0; t < 8; ++t) {
        xy.push_back({2.0 * t + 1, -2});
        xy.push_back({2.0 * t + 2, -10});
    }
    xy.push_back({17, -10});
    xy.push_back({17, 0});
    const std::vector<Point> v = polygonOf(xy);
    const Lesson comb = buildLesson(judgePolygon(v.data(), static_cast<int>(v.size())));
    const auto wholePage = std::find_if(comb.pages.begin(), comb.pages.end(), [](const Page& p) {
        return p.caption.size() > 1 && p.caption[1].find("Cela triangulacija") != std::string::npos;
    });
    ASSERT_NE(wholePage, comb.pages.end());
    const PageMarks& whole = wholePage->marks;
    ASSERT_GE(whole.partition.size(), 8u);
    auto has = [](const TintedTriangle& t, const Point& p) {
        return (t.a.x == p.x && t.a.y == p.y) || (t.b.x == p.x && t.b.y == p.y) || (t.c.x == p.x && t.c.y == p.y);
    };
    for (const TintedTriangle& t : whole.pieces) EXPECT_TRUE(t.tint >= 0 && t.tint < PieceTints);
    for (const Segment& d : whole.partition) {
        std::vector<int> tints;
        for (const TintedTriangle& t : whole.pieces) {
            if (has(t, d.start) && has(t, d.end)) tints.push_back(t.tint);
        }
        ASSERT_EQ(tints.size(), 2u) << d.start.x << "," << d.start.y;
        EXPECT_NE(tints[0], tints[1]) << d.start.x << "," << d.start.y;
    }
}

// A W, not monotone: the page that says why, the partition's ten steps, the four pieces' three steps
// each, the whole triangulation.
TEST(Lesson, PolygonThatIsNotMonotoneIsCutThenEachPieceSweptThenShownWhole) {
    const Lesson w = lessonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}});
    ASSERT_EQ(pageCount(w), 1 + 10 + 4 * 3 + 1 + 1 + 8 + 1);  // then the dual graph, eight triangles coloured, the guards
    const std::pair<int, std::vector<std::string>> cases[] = {
        {1, {"Strana 2 od 35. Teme razdvajanja (trougao nagore): oba suseda su niža, a unutrašnjost je s obe strane.",
             "Teme spajanja (trougao nadole): oba suseda su viša, a unutrašnjost je s obe strane.",
             "Dalje: podela na monotone delove, pa triangulacija svakog dela."}},
        // The cut's first page says what a helper is and which of two vertices of one height comes first.
        {2, {"Strana 3 od 35. Korak 1 od 10: teme 1 (0,6)",
             "Pomoćnik ivice na brišućoj pravoj je najniže teme iznad prave, desno od ivice, iz kog se ivica vidi vodoravno "
             "kroz unutrašnjost poligona.",
             "Od dva temena iste visine višim se smatra levo, pa ga brišuća prava obrađuje pre.",
             "Teme 1 je početno teme: oba suseda, 2 i 10, su niža, a unutrašnjost je ispod njega.",
             "Ivica 1-2 ulazi na brišuću pravu sa pomoćnikom 1.",
             "Nema nove dijagonale: početno teme samo stavlja svoju ivicu na brišuću pravu."}},
        // A regular vertex on the right side: the inside on its left; it helps the edge on its left.
        {3, {"Strana 4 od 35. Korak 2 od 10: teme 10 (1,6)",
             "Teme 10 je pravilno teme: sused 1 je viši, a sused 9 niži, pa je unutrašnjost levo od njega.",
             "Teme 10 postaje pomoćnik ivice 1-2, levo od njega.",
             "Nema nove dijagonale: pomoćnik ivice 1-2 levo od temena 10 je teme 1, koje nije teme spajanja."}},
        {7, {"Strana 8 od 35. Korak 6 od 10: teme 3 (4,3)",
             "Teme 3 je teme razdvajanja: oba suseda, 2 i 4, su niža, a unutrašnjost je s obe strane.",
             "Ivica 3-4 ulazi na brišuću pravu sa pomoćnikom 3, a teme 3 postaje pomoćnik ivice 8-9, levo od njega.",
             "Nova dijagonala: 3-8 (pomoćnik ivice 8-9, levo od temena 3)"}},
        // A merge vertex's own diagonal comes later; no direction is claimed for it (it may run level).
        {8, {"Strana 9 od 35. Korak 7 od 10: teme 9 (2,2)",
             "Teme 9 je teme spajanja: oba suseda, 8 i 10, su viša, a unutrašnjost je s obe strane.",
             "Ivica 8-9 izlazi sa brišuće prave, a teme 9 postaje pomoćnik ivice 1-2, levo od njega.",
             "Nema nove dijagonale: pomoćnik ivice 8-9, koja se završava u temenu 9, je teme 3, koje nije teme spajanja, a "
             "pomoćnik ivice 1-2 levo od temena 9 je teme 10, koje nije teme spajanja.",
             "Dijagonala iz temena 9 nastaje kasnije, do sledećeg temena koje vidi ivicu 1-2."}},
        {10, {"Strana 11 od 35. Korak 9 od 10: teme 2 (2,0)",
              "Teme 2 je krajnje teme: oba suseda, 1 i 3, su viša, a unutrašnjost je iznad njega.",
              "Ivica 1-2 izlazi sa brišuće prave.",
              "Nova dijagonala: 2-9 (pomoćnik ivice 1-2 bio je teme spajanja 9)"}},
        {12, {"Strana 13 od 35. Deo 1 od 4: Korak 1 od 3: početak", "Dva najviša temena idu na stek.", "Nove dijagonale: 0"}},
        {24, {"Strana 25 od 35. Cela triangulacija. Broj dijagonala: 7, od toga iz podele na monotone delove: 3.",
              "Broj monotonih delova: 4."}},
    };
    for (const auto& [page, lines] : cases) {
        const std::vector<std::string>& caption = w.pages[page].caption;
        EXPECT_EQ(std::vector<std::string>(caption.begin() + 1, caption.end()), lines) << page;
    }
    // The whole page draws every diagonal, the partition's in their own colour; a piece's step tints
    // that piece's boundary only and has a stack.
    const PageMarks& whole = w.pages[24].marks;
    EXPECT_EQ(whole.partition.size(), 3u);
    EXPECT_EQ(whole.segments.size(), 4u);
    EXPECT_EQ(w.pages[12].marks.tints.size(), 4u);  // piece 1: 1, 2, 9, 10
    // The pieces, each in its tint, neighbours apart: every triangle on the whole page; on a piece's
    // step only that piece's, the rest under the veil.
    std::vector<int> tintOf(10, -1);
    for (const TintedTriangle& t : whole.pieces) {
        for (const Point* p : {&t.a, &t.b, &t.c}) tintOf[static_cast<int>(p->x)] = t.tint;  // abscissas 0..8 tell 3 from 8
    }
    EXPECT_EQ(whole.pieces.size(), 8u);
    EXPECT_NE(tintOf[0], tintOf[2]);
    const PageMarks& piece = w.pages[13].marks;
    EXPECT_EQ(piece.pieces.size() + piece.veiled.size(), 8u);
    EXPECT_EQ(piece.pieces.size(), 2u);
    // The sweep line's panel on the merge vertex 9: the edge 8-9 taken off in its place, 1-2 now helped by 9.
    std::string rows;
    for (const StatusRow& r : w.pages[8].status) {
        rows += std::to_string(r.edge + 1) + ":" + (r.oldHelper >= 0 ? std::to_string(r.oldHelper + 1) + ">" : "") +
                std::to_string(r.helper + 1) + (r.removed ? "x " : r.inserted ? "+ " : " ");
    }
    EXPECT_EQ(rows, "1:10>9 8:3x 3:3 6:5 ");
    EXPECT_TRUE(w.pages[12].status.empty());
    EXPECT_EQ(w.pages[12].stack.after.size(), 2u);
    EXPECT_EQ(w.pages[7].marks.types.size(), 1u);
}

TEST(Lesson, PagesDrawTheirDiagonalsSweepLineStackAndRefusal) {
    // The outline and the diagonals so far: all three on the full picture, none at step 1, the
    // first at step 2, which sweeps at the height of vertex 3 past both sides of -5..6.
    EXPECT_EQ(hexagon.pages[0].marks.outline.size(), 6u);
    for (const auto& [page, count] : {std::pair{0, 3}, std::pair{1, 0}, std::pair{2, 1}, std::pair{5, 3}}) {
        EXPECT_EQ(hexagon.pages[page].marks.diagonals.size(), static_cast<std::size_t>(count)) << page;
    }
    const PageMarks& marks = hexagon.pages[2].marks;
    ASSERT_EQ(marks.lines.size(), 1u);
    const SweepLine& sweep = marks.lines[0];
    EXPECT_EQ(sweep.at.y, 5.0f);
    EXPECT_GE(sweep.at.x + sweep.reach, 6.0);
    EXPECT_LE(sweep.at.x - sweep.reach, -5.0);
    ASSERT_EQ(marks.wide.size(), 1u);  // the step's new diagonal, from the swept vertex
    EXPECT_EQ(std::make_pair(marks.wide[0].end.y, marks.wide[0].colour), std::make_pair(10.0f, Blue));
    ASSERT_EQ(marks.rings.size(), 3u);  // the stack's two entries, then the swept vertex
    EXPECT_EQ(marks.rings[0].colour, Orange);
    EXPECT_EQ(std::make_pair(marks.rings[2].colour, marks.rings[2].centre.x), std::make_pair(Green, 6.0f));
    ASSERT_EQ(marks.crosses.size(), 1u);  // vertex 2, popped
    EXPECT_EQ(marks.crosses[0].y, 8.0f);
    EXPECT_TRUE(marks.dashed.empty());
    // Every edge tinted by its chain: the right one runs 1-2-3-4-5 on this clockwise hexagon.
    ASSERT_EQ(marks.tints.size(), 6u);
    for (const ChainEdge& e : marks.tints) EXPECT_EQ(e.chain, e.from < 4 ? Chain::Right : Chain::Left) << e.from;
    // The refused candidate 4-1, dashed.
    const PageMarks& refusal = refused.pages[3].marks;
    ASSERT_EQ(refusal.dashed.size(), 1u);
    EXPECT_EQ(std::make_pair(refusal.dashed[0].start.y, refusal.dashed[0].end.y), std::make_pair(3.0f, 10.0f));
    EXPECT_EQ(lessonOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}}).pages[1].marks.segments.size(), 2u);
    EXPECT_TRUE(hexagon.pages[0].marks.rings.empty());
}

TEST(Lesson, StackPanelAndConcernedVerticesOfAStep) {
    // Neck, step 4: vertex 6 pops 7, then 1 and 3 as it joins them; the stack 3 1 7 becomes 3 6.
    const StackColumns& columns = neck.pages[4].stack;
    std::string before, after;
    for (const StackEntry& e : columns.before) before += std::to_string(e.vertex + 1) + (e.popped ? "x " : " ");
    for (const StackEntry& e : columns.after) after += std::to_string(e.vertex + 1) + (e.pushed ? "+ " : e.back ? "< " : " ");
    EXPECT_EQ(before, "3x 1x 7x ");  // every entry popped; 3, the last, went back
    EXPECT_EQ(after, "3< 6+ ");
    EXPECT_EQ(neck.pages[4].concerned, (std::vector<int>{5, 0, 2, 6}));  // swept, diagonals' ends, popped
    EXPECT_EQ(neck.pages[3].concerned, (std::vector<int>{6, 2, 0, 5}));  // swept, refused to, corner, blocker
    EXPECT_TRUE(neck.pages[0].stack.after.empty());
}

// After the W's whole triangulation, its gallery: the dual graph, the colouring triangle by triangle
// along the tree from the outline edge 1-2, and the guards; each page's marks are its words' own.
TEST(Lesson, TheTriangulationIsFollowedByItsDualGraphColouringAndGuards) {
    const Lesson w = lessonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}});
    const std::pair<int, std::vector<std::string>> cases[] = {
        {25, {"Strana 26 od 35. Dualni graf: čvor u svakom trouglu, veza preko svake dijagonale.",
              "Graf je stablo sa n - 2 = 8 čvorova i n - 3 = 7 veza: svaka dijagonala deli poligon na dva dela, pa nijedan "
              "niz veza ne zatvara krug.",
              "Zato se temena mogu obojiti sa tri boje, trougao po trougao, obilaskom stabla."}},
        {26, {"Strana 27 od 35. Bojenje, trougao 1 od 8: 1-2-9, uz ivicu 1-2.",
              "Njegova temena dobijaju tri boje: teme 1 plava (krug), teme 2 narandžasta (kvadrat), teme 9 ljubičasta "
              "(trougao)."}},
        {27, {"Strana 28 od 35. Bojenje, trougao 2 od 8: 2-3-9, preko dijagonale 2-9 od trougla 1-2-9.",
              "Temena 2 i 9 dijagonale su narandžasta i ljubičasta, pa teme 3 dobija treću boju: plava (krug)."}},
        {33, {"Strana 34 od 35. Bojenje, trougao 8 od 8: 1-9-10, preko dijagonale 1-9 od trougla 1-2-9.",
              "Temena 1 i 9 dijagonale su plava i ljubičasta, pa teme 10 dobija treću boju: narandžasta (kvadrat)."}},
        {34, {"Strana 35 od 35. Čuvari: temena 7, 9 (2 <= floor(n/3) = 3).",
              "Klase boja: plava 3, narandžasta 5, ljubičasta 2; čuvari su najmanja klasa: ljubičasta.",
              "Svaki trougao ima sve tri boje, pa i čuvara u jednom temenu, a on vidi ceo trougao: floor(n/3) čuvara uvek je "
              "dovoljno za prost poligon od n temena (ovde n = 10)."}},
    };
    for (const auto& [page, lines] : cases) {
        const std::vector<std::string>& caption = w.pages[page].caption;
        EXPECT_EQ(caption[0], w.verdictLine);
        EXPECT_EQ(std::vector<std::string>(caption.begin() + 1, caption.end()), lines) << page;
    }
    // The dual graph: a node in each of the eight triangles, each of the seven links in two halves
    // that meet on their diagonal; every page keeps the outline and the seven diagonals.
    const PageMarks& dual = w.pages[25].marks;
    EXPECT_EQ(dual.dualNodes.size(), 8u);
    EXPECT_EQ(dual.dualLinks.size(), 14u);
    for (std::size_t k = 0; k < dual.dualLinks.size(); k += 2) {
        EXPECT_EQ(std::make_pair(dual.dualLinks[k].end.x, dual.dualLinks[k].end.y),
                  std::make_pair(dual.dualLinks[k + 1].start.x, dual.dualLinks[k + 1].start.y));
    }
    for (int page = 25; page <= 34; ++page) {
        EXPECT_EQ(w.pages[page].marks.outline.size(), 10u);
        EXPECT_EQ(w.pages[page].marks.partition.size() + w.pages[page].marks.segments.size(), 7u) << page;
    }
    // The colouring: the first page three colours at once, every next one more, this page's drawn
    // larger; the vertices its caption names are the ones numbered.
    for (int k = 0; k < 8; ++k) {
        const PageMarks& m = w.pages[26 + k].marks;
        EXPECT_EQ(m.colours.size(), static_cast<std::size_t>(3 + k)) << k;
        EXPECT_EQ(std::count_if(m.colours.begin(), m.colours.end(), [](const ColourMark& c) { return c.fresh; }), k == 0 ? 3 : 1);
        EXPECT_EQ(m.pieces.size(), 1u);
    }
    EXPECT_EQ(w.pages[27].concerned, (std::vector<int>{2, 1, 8}));
    // The guards, 7 and 9, ringed; every triangle tinted by the guard that sees it; every vertex coloured.
    const Page& guards = w.pages[34];
    ASSERT_EQ(guards.marks.guards.size(), 2u);
    EXPECT_EQ(std::make_pair(guards.marks.guards[0].x, guards.marks.guards[1].x), std::make_pair(6.0f, 2.0f));
    EXPECT_EQ(guards.marks.pieces.size(), 8u);
    ASSERT_EQ(guards.marks.sights.size(), 8u);  // each triangle's sight line ends at a guard
    for (const Segment& s : guards.marks.sights) EXPECT_TRUE(s.end.y == 2.0f && (s.end.x == 6.0f || s.end.x == 2.0f));
    EXPECT_EQ(guards.marks.colours.size(), 10u);
    EXPECT_EQ(guards.concerned, (std::vector<int>{6, 8}));
    // One guard is "teme", not "temena"; a triangle is its own gallery.
    const Lesson triangle = lessonOf({{0, 0}, {4, 0}, {2, 3}});
    ASSERT_EQ(pageCount(triangle), 5);
    EXPECT_EQ(triangle.pages[5].caption[1], "Strana 6 od 6. Čuvari: teme 1 (1 <= floor(n/3) = 1).");
}
