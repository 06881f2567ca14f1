// The exercise as plain values: every question answered through the keys as a student would, the
// answers checked against what the lesson's own sweeps decided, the reasons of wrong answers, the
// pages a question is asked on, and the tasks Z makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "../support/monotone_polygons.h"
#include "../support/polygon_of.h"
#include "geometry/polygon.h"
#include "geometry/task.h"
#include "viewer/frame.h"
#include "viewer/workbench.h"

namespace {

Workbench exerciseOn(const std::vector<Point>& v) {
    Workbench bench = openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
    perform(bench, Command::Exercise, 0, 0);
    return bench;
}

Workbench exerciseOn(std::initializer_list<std::pair<double, double>> xy) { return exerciseOn(polygonOf(xy)); }

// A key as the window gets it, through the table of commands.
void key(Workbench& bench, char c) {
    Command command;
    if (keyCommand(bench, KeyPress{c, SpecialKey::None}, command)) perform(bench, command, 0, 0, c);
}
void keys(Workbench& bench, const std::string& typed) {
    for (const char c : typed) key(bench, c);
}

// An answer given as a student gives it: a choice's key, or each vertex's number and a comma, then Enter.
void give(Workbench& bench, const Question& q, const Answer& a) {
    if (!q.choices.empty()) return key(bench, q.choices[a.choice].key);
    if (asksNumber(q)) keys(bench, std::to_string(a.choice));
    for (const int v : a.vertices) keys(bench, std::to_string(v + 1) + ",");
    key(bench, '\r');
}

const Question* asked(const Workbench& bench) { return waiting(bench.lesson, bench.exercise, bench.steps.page); }

// The question's buttons in the caption band, not the row along the bottom.
std::vector<Button> questionButtons(const Workbench& bench) {
    std::vector<Button> out;
    for (const Button& b : bench.layout.buttons) {
        if (b.box.y >= bench.layout.toolbarBand.height) out.push_back(b);
    }
    return out;
}

// The frame's words from the top down, the row of buttons along the bottom left out.
std::vector<std::string> texts(const Workbench& bench) {
    std::vector<std::string> out = textsOf(frameOf(bench));
    for (const Button& b : bench.layout.buttons) {
        if (b.box.y >= bench.layout.toolbarBand.height) continue;
        const auto at = std::find(out.begin(), out.end(), b.label);
        if (at != out.end()) out.erase(at);
    }
    return out;
}

bool says(const std::vector<std::string>& lines, const std::string& what) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(what) != std::string::npos; });
}

// What a question's page shows that gives its step away, or nothing.
std::string givesAway(const Question& q, const Page& step) {
    const Page& view = q.view;
    const PageMarks& m = view.marks;
    auto in = [&](const char* word) {
        return std::any_of(view.caption.begin(), view.caption.end(),
                           [&](const std::string& l) { return l.find(word) != std::string::npos; });
    };
    if (in("Nove dijagonale") || in("Nova dijagonala") || in("Nema nove dijagonale")) return "the caption's diagonals";
    if (!m.crosses.empty() || !m.dashed.empty() || !m.dashedRings.empty() || !m.partitionNew.empty()) return "the step's marks";
    for (const StackEntry& e : view.stack.before) {
        if (e.popped) return "a popped mark";
    }
    if (!view.stack.after.empty()) return "the stack after";
    for (const StatusRow& r : view.status) {
        if (r.inserted || r.removed || r.oldHelper >= 0) return "the line's change";
    }
    switch (q.kind) {
        case QuestionKind::Monotone:
            if (!m.diagonals.empty() || !m.rings.empty() || !m.types.empty() || !m.segments.empty()) return "the verdict's marks";
            if (in("monoton")) return "the verdict";
            break;
        case QuestionKind::SweepDiagonals:
            if (!m.wide.empty()) return "the new diagonals";
            if (m.diagonals.size() + q.right.vertices.size() != step.marks.diagonals.size() && !step.marks.diagonals.empty()) {
                return "the diagonals so far";
            }
            break;
        case QuestionKind::VertexType:
            if (!m.types.empty()) return "the type mark";
            for (const char* name : {"početno", "krajnje", "razdvajanja", "spajanja", "pravilno"}) {
                if (in(name)) return std::string("the type's name ") + name;
            }
            break;
        case QuestionKind::CutDiagonals:
            break;
        case QuestionKind::VertexColour:
            for (const ColourMark& c : m.colours) {
                if (c.at.x == step.marks.colours.back().at.x && c.at.y == step.marks.colours.back().at.y) return "the vertex's colour";
            }
            if (in("treću boju")) return "the colour's rule";
            break;
        case QuestionKind::GuardCount:
            if (!m.guards.empty() || !m.pieces.empty()) return "the guards";
            if (in("temena") && in("floor")) return "the guards' count";
            break;
    }
    return "";
}

struct Covered {
    int monotone = 0, notMonotone = 0, notSimple = 0, questions = 0, guards = 0;
};

// Every page in turn by the step key, each question on it answered right through the keys: the score
// is every question of every one, the answers' diagonals are a triangulation (checked apart from the
// program) and the types those of the vertices' neighbours; before each answer, its page gives
// nothing of its step away, and every changed answer is wrong, its reason naming the right one.
void answerEverything(const std::vector<Point>& v, Covered& covered) {
    Workbench bench = exerciseOn(v);
    const Lesson& lesson = bench.lesson;
    const int n = static_cast<int>(v.size());
    std::vector<testing_support::Diagonal> diagonals;
    for (int page = 0; page <= pageCount(lesson); ++page) {
        ASSERT_EQ(bench.steps.page, page);
        while (const Question* q = asked(bench)) {
            const std::string away = givesAway(*q, lesson.pages[page]);
            ASSERT_EQ(away, "") << "page " << page + 1 << ", " << q->text << "\n" << testing_support::describe(v);
            // A changed answer: another choice, or a vertex more or less.
            std::vector<Answer> changed;
            if (!q->choices.empty()) {
                for (int c = 0; c < static_cast<int>(q->choices.size()); ++c) {
                    if (c != q->right.choice) changed.push_back(Answer{true, c, {}});
                }
            } else if (asksNumber(*q)) {
                if (q->right.choice > 0) changed.push_back(Answer{true, q->right.choice - 1, {}});
                changed.push_back(Answer{true, q->most + 1, {}});
            } else {
                Answer fewer = q->right, more = q->right;
                if (!fewer.vertices.empty()) {
                    fewer.vertices.pop_back();
                    changed.push_back(fewer);
                }
                for (int w = 0; w < n; ++w) {
                    if (std::find(more.vertices.begin(), more.vertices.end(), w) == more.vertices.end()) {
                        more.vertices.push_back(w);
                        break;
                    }
                }
                changed.push_back(more);
            }
            for (const Answer& a : changed) {
                const Graded g = grade(*q, a);
                ASSERT_FALSE(g.right) << q->text;
                ASSERT_EQ(g.line.rfind("Netačno: ", 0), 0u) << g.line;
                const std::string named = asksVertices(*q) ? q->result : q->rule;
                ASSERT_NE(g.line.find(named), std::string::npos) << g.line;
            }
            switch (q->kind) {
                case QuestionKind::Monotone:
                    ASSERT_EQ(q->right.choice, lesson.verdict == Verdict::Triangulated ? 0 : 1);
                    break;
                case QuestionKind::VertexType: {
                    const VertexType t = static_cast<VertexType>(testing_support::vertexTypeOf(v, q->vertex));
                    ASSERT_EQ(q->right.choice, static_cast<int>(t)) << q->text << "\n" << testing_support::describe(v);
                    ASSERT_NE(q->rule.find(typeName(t)), std::string::npos) << q->rule;
                    break;
                }
                case QuestionKind::SweepDiagonals:
                case QuestionKind::CutDiagonals:
                    for (const int w : q->right.vertices) diagonals.push_back({v[q->vertex], v[w]});
                    break;
                case QuestionKind::VertexColour:
                    ASSERT_NE(q->rule.find(colourName(q->right.choice)), std::string::npos) << q->rule;
                    break;
                case QuestionKind::GuardCount:
                    // At most a third of the vertices, and the fewest the colours give: no class is smaller.
                    ASSERT_LE(q->right.choice, n / 3) << testing_support::describe(v);
                    ASSERT_LE(3 * q->right.choice, n);
                    ++covered.guards;
                    break;
            }
            const int before = scoreOf(lesson, bench.exercise).answered;
            const Question asked = *q;
            give(bench, asked, asked.right);
            ASSERT_EQ(scoreOf(lesson, bench.exercise).answered, before + 1) << asked.text;
            ++covered.questions;
        }
        key(bench, ' ');  // the next page
    }
    const Score score = scoreOf(lesson, bench.exercise);
    EXPECT_EQ(score.right, lesson.questionCount);
    EXPECT_EQ(score.answered, lesson.questionCount);
    EXPECT_TRUE(score.wrongPages.empty());
    EXPECT_EQ(exerciseCaption(lesson, bench.exercise, 0).lines.back(),
              "Rezultat: " + std::to_string(lesson.questionCount) + " od " + std::to_string(lesson.questionCount));
    if (lesson.verdict == Verdict::Triangulated || lesson.verdict == Verdict::NotMonotone) {
        const testing_support::Verdict check = testing_support::checkTriangulation(v, diagonals);
        EXPECT_TRUE(check.valid && check.positiveArea) << check.why << check.flat << "\n" << testing_support::describe(v);
    }
    (lesson.verdict == Verdict::Triangulated ? covered.monotone
     : lesson.verdict == Verdict::NotMonotone ? covered.notMonotone
                                              : covered.notSimple)++;
}

// A star of integer points about a point no two of them line up with: equal heights and collinear
// vertices common, most of them not monotone.
std::vector<Point> randomStar(std::mt19937& random, int n) {
    std::vector<std::pair<int, int>> at;
    for (int k = 0; k < n; ++k) at.emplace_back(static_cast<int>(random() % 17) - 8, static_cast<int>(random() % 17) - 8);
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    auto angle = [](const std::pair<int, int>& p) { return std::atan2(p.second - 1.0 / 7, p.first - 1.0 / 3); };
    std::sort(at.begin(), at.end(), [&](const auto& a, const auto& b) { return angle(a) < angle(b); });
    std::vector<Point> v;
    for (const auto& [x, y] : at) v.emplace_back(x, y, 0.0);
    return v;
}

const std::vector<Point> hexagon = polygonOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}});
const std::vector<Point> wShape = polygonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}});

}  // namespace

TEST(ExerciseProperty, AnsweringEveryQuestionRightScoresAllOfThem) {
    std::mt19937 random(20261209);
    Covered covered;
    for (int i = 0; i < 600; ++i) {
        const testing_support::Kind kind = i % 2 == 0 ? testing_support::Kind::Grid : testing_support::Kind::Real;
        answerEverything(testing_support::randomMonotonePolygon(random, 3 + static_cast<int>(random() % 28), kind), covered);
        if (HasFatalFailure()) return;
    }
    // Small grids, where equal heights and collinear vertices abound, most of them not monotone.
    for (int i = 0; i < 6000; ++i) {
        std::vector<Point> v;
        const int n = 3 + static_cast<int>(random() % 10);
        for (int k = 0; k < n; ++k) v.emplace_back(static_cast<double>(random() % 6), static_cast<double>(random() % 6), 0.0);
        if (!isSimple(v.data(), n) && i % 20 != 0) continue;  // a few that are not simple ask one question
        answerEverything(v, covered);
        if (HasFatalFailure()) return;
    }
    for (int i = 0; i < 600; ++i) {
        const std::vector<Point> v = randomStar(random, 4 + static_cast<int>(random() % 20));
        if (v.size() < 3 || !isSimple(v.data(), static_cast<int>(v.size()))) continue;
        answerEverything(v, covered);
        if (HasFatalFailure()) return;
    }
    for (std::uint64_t task = 0; task < 60; ++task) answerEverything(taskPolygon(task), covered);
    std::printf("%d monotone, %d not monotone and %d not simple polygons, %d questions answered\n", covered.monotone,
                covered.notMonotone, covered.notSimple, covered.questions);
    EXPECT_GT(covered.monotone, 700);
    EXPECT_GT(covered.notMonotone, 250);
    EXPECT_GT(covered.notSimple, 100);
    EXPECT_EQ(covered.guards, covered.monotone + covered.notMonotone);  // every lesson that triangulates ends with its guards
}

// A changed answer is wrong, and its one sentence says why and names the right answer.
TEST(Exercise, AChangedAnswerIsWrongAndItsReasonNamesTheRightOne) {
    struct Case {
        const std::vector<Point>* polygon;
        int page;
        Answer given;
        const char* line;
    };
    const std::vector<Point> notSimple = polygonOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}});
    const std::vector<Point> refused = polygonOf({{0, 10}, {6, 9}, {1, 6}, {6, 3}, {0, 0}});
    const Case cases[] = {
        {&hexagon, 0, {true, 1, {}},
         "Netačno: poligon je monoton: svaka vodoravna prava ga seče u najviše jednoj duži, pa nema temena razdvajanja ni "
         "spajanja."},
        {&notSimple, 0, {true, 0, {}}, "Netačno: poligon nije monoton, jer nije ni prost: ivice 1-2 i 3-4 se dodiruju ili seku."},
        {&wShape, 0, {true, 0, {}},
         "Netačno: poligon nije monoton: kod temena razdvajanja 3 i temena spajanja 7 i 9 vodoravna prava ga seče u više od "
         "jedne duži."},
        // The stack sweep: a vertex missing, the swept vertex's neighbour, a vertex off the stack, the
        // refused candidate.
        {&hexagon, 2, {true, -1, {}},
         "Netačno: nedostaje dijagonala 3-1; teme 3 je na istom lancu kao vrh steka, teme 2, njegov sused, pa se spaja sa "
         "temenima ispod vrha dok su dijagonale unutar poligona; dijagonala iz temena 3 ide do temena 1."},
        {&hexagon, 3, {true, -1, {0, 2}},
         "Netačno: teme 1 je sused temena 6 na ivici poligona; teme 6 je na suprotnom lancu od vrha steka, pa se spaja sa "
         "svim temenima steka osim dna, temena 1, njegovog suseda; dijagonala iz temena 6 ide do temena 3."},
        {&hexagon, 3, {true, -1, {2, 4}},
         "Netačno: teme 5 nije na steku; teme 6 je na suprotnom lancu od vrha steka, pa se spaja sa svim temenima steka osim "
         "dna, temena 1, njegovog suseda; dijagonala iz temena 6 ide do temena 3."},
        {&refused, 3, {true, -1, {0}},
         "Netačno: dijagonala 4-1 bi izašla iz poligona; teme 4 je na istom lancu kao vrh steka, teme 3, njegov sused, pa se "
         "spaja sa temenima ispod vrha dok su dijagonale unutar poligona, a dijagonala 4-1 bi izašla iz poligona; iz temena "
         "4 nema nove dijagonale."},
        // The cut: the type by its neighbours and the inside; the diagonal to the helper of the edge on
        // the left, or to a helper that is a merge vertex.
        {&wShape, 7, {true, 0, {}},
         "Netačno: teme 3 je teme razdvajanja: oba suseda, 2 i 4, su niža, a unutrašnjost je s obe strane."},
        {&wShape, 7, {true, -1, {8, 9}},
         "Netačno: nedostaje dijagonala 3-8; teme 3 je teme razdvajanja, pa se spaja sa pomoćnikom ivice 8-9 levo od "
         "njega, temenom 8; nastaje dijagonala 3-8."},
        {&wShape, 10, {true, -1, {}},
         "Netačno: nedostaje dijagonala 2-9; dijagonala nastaje samo do pomoćnika koji je teme spajanja: pomoćnik ivice 1-2, "
         "koja se završava u temenu 2, je teme spajanja 9; nastaje dijagonala 2-9."},
    };
    for (const Case& c : cases) {
        const Lesson lesson = buildLesson(judgePolygon(c.polygon->data(), static_cast<int>(c.polygon->size())));
        const std::vector<Question>& questions = lesson.pages[c.page].questions;
        const bool choice = c.given.choice >= 0;
        const auto q = std::find_if(questions.begin(), questions.end(), [&](const Question& q) { return q.choices.empty() != choice; });
        ASSERT_NE(q, questions.end()) << c.line;
        const Graded g = grade(*q, c.given);
        EXPECT_FALSE(g.right) << c.line;
        EXPECT_EQ(g.line, c.line);
        EXPECT_TRUE(grade(*q, q->right).right) << c.line;
        EXPECT_EQ(grade(*q, q->right).line.rfind("Tačno. ", 0), 0u);
    }
}

// A question's page is the step's page as it stood before the step (the property above checks every
// question's): on the hexagon's second step the sweep line at vertex 3 and the stack 1 2, no
// diagonal yet, nothing popped; the full picture's outline alone. The frame's texts (the canvas's
// accessible text) hold the question, then the answer and the score.
TEST(Exercise, AQuestionPageShowsNothingOfItsStep) {
    Workbench bench = exerciseOn(hexagon);
    EXPECT_EQ(texts(bench), (std::vector<std::string>{"Strana 1 od 12", "Pitanje 1 od 9: Da li je poligon monoton?", "D - da",
                                                      "N - ne", "Rezultat: 0 od 0"}));
    const Page& full = shownPage(bench);
    EXPECT_EQ(full.marks.outline.size(), 6u);
    EXPECT_TRUE(full.marks.diagonals.empty());
    key(bench, 'd');
    EXPECT_EQ(shownPage(bench).marks.diagonals.size(), 3u);
    EXPECT_TRUE(says(texts(bench), "Tačno. Poligon je monoton"));
    keys(bench, "  ");
    ASSERT_EQ(bench.steps.page, 2);
    const Page& question = shownPage(bench);
    EXPECT_TRUE(question.marks.wide.empty() && question.marks.crosses.empty() && question.marks.diagonals.empty());
    ASSERT_EQ(question.marks.lines.size(), 1u);
    EXPECT_EQ(question.marks.lines[0].at.y, 5.0f);
    ASSERT_EQ(question.stack.before.size(), 2u);
    EXPECT_TRUE(question.stack.after.empty());
    EXPECT_EQ(texts(bench)[0], "Poligon je monoton. Broj dijagonala: 3.");
    EXPECT_EQ(texts(bench)[1], "Strana 3 od 12. Korak 2 od 5: teme 3 (6,5)");
    EXPECT_EQ(texts(bench)[2], "Pitanje 2 od 9: Do kojih temena ide dijagonala iz temena 3?");
    EXPECT_FALSE(says(texts(bench), "Nove dijagonale"));
    keys(bench, "1\r");
    const std::vector<std::string> answered = texts(bench);
    EXPECT_EQ(answered[2].rfind("Tačno. Teme 3 je na istom lancu", 0), 0u);
    EXPECT_TRUE(says(answered, "Nove dijagonale: 1"));
    EXPECT_TRUE(says(answered, "Rezultat: 2 od 2"));
    EXPECT_EQ(shownPage(bench).marks.wide.size(), 1u);

}

// The gallery's questions: each coloured vertex's colour by its key, before the page shows it; how
// many guards suffice by a number and Enter, right from the smallest class up to floor(n/3), a click
// on a vertex no answer.
TEST(Exercise, TheGalleryAsksEachColourAndHowManyGuardsSuffice) {
    Workbench bench = exerciseOn(wShape);
    bench.steps.page = 27;  // the colouring's second triangle, 2-3-9
    relayout(bench);
    std::vector<std::string> shown = texts(bench);
    EXPECT_TRUE(says(shown, "Pitanje 27 od 34: Koje boje je teme 3?")) << shown[2];
    EXPECT_TRUE(says(shown, "1 plava") && says(shown, "2 narandžasta") && says(shown, "3 ljubičasta"));
    EXPECT_FALSE(says(shown, "treću boju"));
    key(bench, '2');
    shown = exerciseCaption(bench.lesson, bench.exercise, 27).lines;  // unwrapped
    EXPECT_TRUE(says(shown, "Netačno: temena 2 i 9 dijagonale su narandžasta i ljubičasta, pa teme 3 dobija treću boju, plava."));
    EXPECT_EQ(shownPage(bench).marks.colours.size(), 4u);  // the step's page, its vertex coloured
    bench.steps.page = 34;
    relayout(bench);
    const Question* q = asked(bench);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, "Koliko čuvara je dovoljno?");
    EXPECT_TRUE(says(texts(bench), "Upišite broj, pa Enter."));
    const std::string rule = "dovoljno je 2: najmanja klasa boja, ljubičasta, ima 2 temena, a svaki trougao ima jedno od njih u "
                             "temenu; floor(n/3) = 3 je uvek dovoljno";
    const std::pair<int, std::string> answers[] = {
        {1, "Netačno: 1 nije dovoljno; " + rule + "."},
        {2, "Tačno. D" + rule.substr(1) + "."},
        {3, "Tačno. D" + rule.substr(1) + "."},
        {4, "Netačno: 4 je više nego što treba; " + rule + "."},
    };
    for (const auto& [given, line] : answers) EXPECT_EQ(grade(*q, Answer{true, given, {}}).line, line) << given;
    const PlanePoint nine = sceneToPixels(bench.view, 2, 2);
    const int x = static_cast<int>(std::lround(nine.x)), y = bench.view.windowHeight - 1 - static_cast<int>(std::lround(nine.y));
    pressButton(bench, 0, true, x, y);
    pressButton(bench, 0, false, x, y);
    EXPECT_TRUE(bench.exercise.chosen.empty());
    keys(bench, "1");
    EXPECT_TRUE(says(texts(bench), "Kucate 1. Enter potvrđuje."));
    key(bench, '\r');
    shown = exerciseCaption(bench.lesson, bench.exercise, 34).lines;
    EXPECT_TRUE(says(shown, "Netačno: 1 nije dovoljno"));
    EXPECT_TRUE(says(shown, "Čuvari: temena 7, 9 (2 <= floor(n/3) = 3)."));
    EXPECT_TRUE(says(shown, "Rezultat: 0 od 2. Pogrešni odgovori: strane 28 i 35"));
}

// A finger answers every question by the buttons in the band: the guards' count by stepping it down
// and up (never below 0 nor past three digits) and confirming, the vertices by taking the last back
// and confirming.
TEST(Exercise, AFingerAnswersTheGuardsCountAndTheVerticesByButtons) {
    Workbench bench = exerciseOn(wShape);
    const auto press = [&](const std::string& label) {
        for (const Button& b : questionButtons(bench)) {
            if (b.label != label) continue;
            const int x = b.box.x + 2, y = bench.view.windowHeight - 1 - (b.box.y + 2);
            pressButton(bench, 0, true, x, y);
            pressButton(bench, 0, false, x, y);
            return;
        }
        ADD_FAILURE() << "no button " << label;
    };
    bench.steps.page = 34;
    relayout(bench);
    std::vector<std::string> labels;
    for (const Button& b : questionButtons(bench)) labels.push_back(b.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"-", "+", "Potvrdi (Enter)"}));
    EXPECT_GT(questionButtons(bench)[0].box.y, bench.layout.picture.y + bench.layout.picture.height - 1);
    press("-");
    EXPECT_EQ(bench.exercise.typed, "0");
    for (const char* label : {"+", "+", "+", "-"}) press(label);
    EXPECT_EQ(bench.exercise.typed, "2");
    bench.exercise.typed = "999";
    press("+");
    EXPECT_EQ(bench.exercise.typed, "999");
    bench.exercise.typed = "2";
    press("Potvrdi (Enter)");
    EXPECT_TRUE(says(exerciseCaption(bench.lesson, bench.exercise, 34).lines, "Tačno. Dovoljno je 2"));
    // The split vertex 3's diagonal, page 8, after its type: a vertex chosen by its number, taken
    // back, chosen again, confirmed.
    bench.steps.page = 7;
    relayout(bench);
    key(bench, '3');
    keys(bench, "5");
    press("Obriši");
    EXPECT_TRUE(bench.exercise.typed.empty());
    keys(bench, "9");
    press("Potvrdi (Enter)");
    EXPECT_EQ(asked(bench), nullptr);
}

// The exercise in the workbench: clicks and numbers choose vertices (again: takes back), a number that
// is no vertex's is refused, the buttons answer; going back shows a page answered, V off and on
// starts the count anew; editing and the exercise take turns.
TEST(Exercise, VerticesButtonsAndTheScoreInTheWorkbench) {
    Workbench bench = exerciseOn(wShape);
    // The buttons of the first question, in the band: pressing "N - ne" answers it.
    ASSERT_EQ(questionButtons(bench).size(), 2u);
    const PixelRect no = questionButtons(bench)[1].box;
    EXPECT_GT(no.y, bench.layout.picture.y + bench.layout.picture.height - 1);  // above the picture
    pressButton(bench, 0, true, no.x + 2, bench.view.windowHeight - 1 - (no.y + 2));
    pressButton(bench, 0, false, no.x + 2, bench.view.windowHeight - 1 - (no.y + 2));
    EXPECT_TRUE(says(texts(bench), "Tačno. Poligon nije monoton"));
    EXPECT_TRUE(questionButtons(bench).empty());
    // The split vertex 3, page 8: its type by a button, then its diagonal by clicks and a number.
    bench.steps.page = 7;
    relayout(bench);
    ASSERT_EQ(questionButtons(bench).size(), 5u);
    EXPECT_EQ(questionButtons(bench)[2].label, "3 razdvajanja");
    const PixelRect splitButton = questionButtons(bench)[2].box;
    pressButton(bench, 0, true, splitButton.x + 5, bench.view.windowHeight - 1 - (splitButton.y + 5));
    pressButton(bench, 0, false, splitButton.x + 5, bench.view.windowHeight - 1 - (splitButton.y + 5));
    EXPECT_TRUE(says(texts(bench), "Tačno. Teme 3 je teme razdvajanja"));
    EXPECT_TRUE(says(texts(bench), "Pitanje 10 od 34: Koja dijagonala nastaje iz temena 3?"));
    auto click = [&](int vertex) {
        const PlanePoint at = sceneToPixels(bench.view, wShape[vertex].x, wShape[vertex].y);
        const int x = static_cast<int>(std::lround(at.x)), y = bench.view.windowHeight - 1 - static_cast<int>(std::lround(at.y));
        pressButton(bench, 0, true, x, y);
        pressButton(bench, 0, false, x, y);
    };
    click(6);
    click(7);
    click(6);  // taken back
    EXPECT_EQ(bench.exercise.chosen, std::vector<int>{7});
    keys(bench, "12,");
    EXPECT_TRUE(says(texts(bench), "Izabrano: 8. Enter potvrđuje. Nema temena 12."));
    keys(bench, "4\b9 ");
    EXPECT_EQ(bench.exercise.chosen, (std::vector<int>{7, 8}));
    key(bench, '\b');  // no digits typed: the last vertex goes
    EXPECT_EQ(bench.exercise.chosen, std::vector<int>{7});
    const Frame frame = frameOf(bench);  // vertex 8 ringed in blue, wider than a stack ring
    EXPECT_TRUE(std::any_of(frame.shapes.begin(), frame.shapes.end(), [](const Shape& s) {
        return s.kind == ShapeKind::LineLoop && sameColour(s.colour, SameInk) && s.width == 2.0f;
    }));
    key(bench, '\r');
    EXPECT_TRUE(says(texts(bench), "Tačno. Teme 3 je teme razdvajanja, pa se spaja"));
    EXPECT_TRUE(says(texts(bench), "Rezultat: 3 od 3"));
    // The next page asks; the one before shows its answers; a wrong one is named by its page.
    key(bench, ' ');
    key(bench, '1');
    EXPECT_TRUE(says(texts(bench), "Rezultat: 3 od 4. Pogrešni odgovori: strana 9"));
    perform(bench, Command::Previous, 0, 0);
    EXPECT_TRUE(says(texts(bench), "Tačno. Teme 3 je teme razdvajanja, pa se spaja"));
    EXPECT_EQ(shownPage(bench).marks.partitionNew.size(), 1u);
    // V off: the lesson as it is; V on: every question anew.
    key(bench, 'v');
    EXPECT_FALSE(says(texts(bench), "Rezultat"));
    EXPECT_EQ(&shownPage(bench), &bench.lesson.pages[7]);
    key(bench, 'V');
    EXPECT_TRUE(says(texts(bench), "Pitanje 9 od 34: Koje je vrste teme 3?"));
    EXPECT_TRUE(says(texts(bench), "Rezultat: 0 od 0"));
    // E leaves the exercise for editing, V leaves editing for the exercise.
    perform(bench, Command::Edit, 0, 0);
    EXPECT_TRUE(bench.edit.on && !bench.exercise.on);
    key(bench, 'v');
    EXPECT_TRUE(!bench.edit.on && bench.exercise.on);
    // A polygon without three vertices asks nothing, and says so.
    Workbench two = exerciseOn({{0, 0}, {1, 1}});
    EXPECT_TRUE(says(texts(two), "Vežba: ovaj poligon nema pitanja."));
}

// Z: the first task, then the next of the other kind each time, framed anew, on its pages by its
// number, and unsaved until S saves it; an edit of it is no task, undo brings the task back.
TEST(Exercise, ZMakesTasksOfBothKindsInTurnAndEachCountsAsUnsaved) {
    Workbench bench = openWorkbench(judgePolygon(hexagon.data(), static_cast<int>(hexagon.size())));
    bench.task.first = 4710;
    EXPECT_FALSE(unsaved(bench));
    EXPECT_TRUE(perform(bench, Command::NewTask, 0, 0).redraw);
    EXPECT_EQ(bench.task.shown, 4710);
    EXPECT_EQ(bench.lesson.verdict, Verdict::Triangulated);
    EXPECT_TRUE(unsaved(bench));
    EXPECT_EQ(bottomLines(bench.lesson, 200)[0].find("Zadatak 4710. Strana 1 od "), bench.lesson.verdictLine.size() + 2);
    perform(bench, Command::NewTask, 0, 0);
    EXPECT_EQ(bench.task.shown, 4711);
    EXPECT_EQ(bench.lesson.verdict, Verdict::NotMonotone);
    EXPECT_EQ(polygonText(bench.lesson.vertices), polygonText(taskPolygon(4711)));
    EXPECT_EQ(bench.lesson.pages[3].caption[1].rfind("Zadatak 4711. Strana 4 od ", 0), 0u);
    // Framed anew: every vertex in the picture.
    for (const Point& p : bench.lesson.vertices) {
        const PlanePoint at = sceneToPixels(bench.view, p.x, p.y);
        EXPECT_TRUE(at.x > 0 && at.x < bench.view.windowWidth && at.y > 0 && at.y < bench.view.windowHeight);
    }
    EXPECT_FALSE(perform(bench, Command::Quit, 0, 0).quit);  // the first Q warns
    wrote(bench, true, true, "Poligon je sačuvan u datoteku poligon-1.txt.");
    EXPECT_FALSE(unsaved(bench));
    // Moved a little, it is no task; undo brings the task, and its number, back.
    perform(bench, Command::Edit, 0, 0);
    std::vector<Point> moved = bench.lesson.vertices;
    moved[0].x += 1;
    record(bench.history, moved);
    setPolygon(bench, moved);
    EXPECT_EQ(bench.task.shown, -1);
    EXPECT_EQ(bench.lesson.pages[1].caption[1].rfind("Strana 2 od ", 0), 0u);
    perform(bench, Command::Undo, 0, 0);
    EXPECT_EQ(bench.task.shown, 4711);
    // A polygon the dialogue read as a task's text is that task, unsaved until saved.
    const std::vector<Point> task = taskPolygon(31);
    Workbench read = openWorkbench(judgePolygon(task.data(), static_cast<int>(task.size())));
    markTask(read, 31);
    EXPECT_EQ(read.task.shown, 31);
    EXPECT_TRUE(unsaved(read));
    perform(read, Command::NewTask, 0, 0);
    EXPECT_EQ(read.task.shown, 32);
    EXPECT_EQ(taskFromClock(0) % 2, 0);  // the first task of a session is a monotone one
    EXPECT_EQ(taskFromClock(1765000000), 1000 + 2 * (1765000000 % 4500));
}
