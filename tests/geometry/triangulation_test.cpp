// The sweep's steps on named polygons: case, diagonals, popped entries, stack and refusal of every step.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../support/monotone_polygons.h"
#include "../support/polygon_of.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"

namespace {

// A step as "case vertex {diagonals} -(popped) [stack after]", then any refusal as "reason c-to@corner"
// ("blocked ... by blocker" for a vertex in the triangle); vertices numbered from 1 as the dialogue
// numbers them, a diagonal as "from-to" (the swept vertex first); steps joined by " | ".
std::string trace(const Triangulation& t) {
    static const char* const names[] = {"start", "opposite", "same", "lowest"};
    std::string out;
    for (const SweepStep& s : t.steps) {
        if (!out.empty()) out += " | ";
        out += std::string(names[static_cast<int>(s.kind)]) + " " + std::to_string(s.vertex + 1) + " {";
        for (int d = s.firstDiagonal; d < s.firstDiagonal + s.diagonalCount; ++d) {
            const SweepDiagonal& g = t.diagonals[d];
            EXPECT_EQ(g.made, s.kind);
            out += (d == s.firstDiagonal ? "" : " ") + std::to_string(g.from + 1) + "-" + std::to_string(g.to + 1);
        }
        out += "} -(";
        for (const int e : t.popped(s)) out += (out.back() == '(' ? "" : " ") + std::to_string(e + 1);
        out += ") [";
        for (const int e : t.stackAfter(s)) out += (out.back() == '[' ? "" : " ") + std::to_string(e + 1);
        out += "]";
        const Refusal& r = s.refusal;
        if (r.reason != RefusalReason::None) {
            static const char* const reasons[] = {"", "reflex", "flat", "blocked"};
            out += std::string(" ") + reasons[static_cast<int>(r.reason)] + " " + std::to_string(s.vertex + 1) + "-" +
                   std::to_string(r.to + 1) + "@" + std::to_string(r.corner + 1);
            if (r.reason == RefusalReason::VertexInTriangle) out += " by " + std::to_string(r.blocker + 1);
        }
    }
    return out;
}

// The exact check of the property test, for a named polygon.
void expectTriangulation(const std::vector<Point>& v, const Triangulation& t) {
    std::vector<testing_support::Diagonal> ds;
    for (const SweepDiagonal& d : t.diagonals) ds.push_back({v[d.from], v[d.to]});
    const testing_support::Verdict verdict = testing_support::checkTriangulation(v, ds);
    EXPECT_TRUE(verdict.valid) << verdict.why;
    EXPECT_TRUE(verdict.positiveArea) << verdict.flat;
    EXPECT_EQ(testing_support::floatTriangulationFault(v, ds), "");
}

}  // namespace

TEST(Sweep, StepsOfNamedPolygons) {
    struct Case {
        const char* name;
        std::vector<Point> polygon;
        const char* steps;
    };
    const Case cases[] = {
        {"triangle", polygonOf({{0, 0}, {4, 1}, {1, 5}}),
         "start 2 {} -() [3 2] | lowest 1 {} -(2 3) []"},
        {"convex pentagon", polygonOf({{0, 10}, {-6, 6}, {-3, 0}, {4, 2}, {6, 7}}),
         "start 5 {} -() [1 5] | opposite 2 {2-5} -(5 1) [5 2] | opposite 4 {4-2} -(2 5) [2 4] | "
         "lowest 3 {} -(4 2) []"},
        {"convex hexagon", polygonOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}}),
         "start 2 {} -() [1 2] | same 3 {3-1} -(2 1) [1 3] | opposite 6 {6-3} -(3 1) [3 6] | "
         "opposite 4 {4-6} -(6 3) [6 4] | lowest 5 {} -(4 6) []"},
        {"reflex corner refused and kept", polygonOf({{0, 10}, {6, 9}, {1, 6}, {6, 3}, {0, 0}}),
         "start 2 {} -() [1 2] | same 3 {3-1} -(2 1) [1 3] | same 4 {} -(3) [1 3 4] reflex 4-1@3 | "
         "lowest 5 {5-3} -(4 3 1) []"},
        // The same-chain step keeps popping while the corners it cuts off lie inside.
        {"every candidate while inside", polygonOf({{0, 9}, {1, 6}, {8, 5}, {9, 2}, {0, 0}, {-7, 8}}),
         "start 6 {} -() [1 6] | opposite 2 {2-6} -(6 1) [6 2] | same 3 {} -(2) [6 2 3] reflex 3-6@2 | "
         "same 4 {4-2 4-6} -(3 2 6) [6 4] | lowest 5 {} -(4 6) []"},
        // (6,6)-(0,10) touches no edge but runs outside past the reflex vertex (2,8): not cut.
        {"reflex top entry", polygonOf({{0, 10}, {2, 8}, {6, 6}, {4, 2}, {0, 0}}),
         "start 2 {} -() [1 2] | same 3 {} -(2) [1 2 3] reflex 3-1@2 | same 4 {4-2 4-1} -(3 2 1) [1 4] | "
         "lowest 5 {} -(4 1) []"},
        // Equal ordinates swept in each chain's own order never leave a vertex beside neither end.
        {"staircase", polygonOf({{0, 0}, {4, 0}, {4, 2}, {5, 2}, {5, 4}, {0, 4}}),
         "start 6 {} -() [5 6] | opposite 4 {4-6} -(6 5) [6 4] | same 3 {3-6} -(4 6) [6 3] | "
         "same 2 {2-6} -(3 6) [6 2] | lowest 1 {} -(2 6) []"},
        {"tie across the chains", polygonOf({{0, 10}, {5, 5}, {6, 5}, {0, 0}, {-5, 3}, {-5, 8}}),
         "start 6 {} -() [1 6] | opposite 2 {2-6} -(6 1) [6 2] | same 3 {} -(2) [6 2 3] reflex 3-6@2 | "
         "opposite 5 {5-2 5-3} -(3 2 6) [3 5] | lowest 4 {} -(5 3) []"},
        // Vertex 1 lies on the candidate 6-2: the fan stops at once, and 2 1 go under 6 reversed.
        {"flat corner stops the fan", polygonOf({{1, 1}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}}),
         "start 2 {} -() [1 2] | opposite 6 {} -(2 1) [2 1 6] flat 6-2@1 | same 5 {5-1 5-2} -(6 1 2) [2 5] | "
         "same 4 {4-2} -(5 2) [2 4] | lowest 3 {} -(4 2) []"},
        // Runs of equal ordinate heading towards each other: 7-3 would run over the level vertex 6.
        {"level vertex stops the fan", polygonOf({{0, 10}, {-4, 5}, {-2, 5}, {-2, 0}, {3, 0}, {3, 5}, {5, 5}}),
         "start 2 {} -() [1 2] | same 3 {3-1} -(2 1) [1 3] | "
         "opposite 7 {} -(3 1) [3 1 7] blocked 7-3@1 by 6 | same 6 {6-1 6-3} -(7 1 3) [3 6] | "
         "same 5 {5-3} -(6 3) [3 5] | lowest 4 {} -(5 3) []"},
        // After cutting 7-1 the step would cut 7-3 along the level edge 7-6: refused with 6 on it.
        {"level vertex stops the same-chain cuts",
         polygonOf({{0, 10}, {-4, 5}, {-2, 5}, {-2, 0}, {1, 0}, {1, 5}, {3, 5}, {5, 5}}),
         "start 2 {} -() [1 2] | same 3 {3-1} -(2 1) [1 3] | "
         "opposite 8 {} -(3 1) [3 1 8] blocked 8-3@1 by 7 | same 7 {7-1} -(8 1) [3 1 7] blocked 7-3@1 by 6 | "
         "same 6 {6-1 6-3} -(7 1 3) [3 6] | same 5 {5-3} -(6 3) [3 5] | lowest 4 {} -(5 3) []"},
        {"flat corners on a level run", polygonOf({{0, 10}, {-2, 5}, {-4, 5}, {-4, 0}, {5, 0}, {5, 5}, {3, 5}}),
         "start 2 {} -() [1 2] | same 3 {} -(2) [1 2 3] reflex 3-1@2 | "
         "opposite 7 {7-2} -(3 2 1) [3 2 7] flat 7-3@2 | same 6 {} -(7) [3 2 7 6] flat 6-2@7 | "
         "same 5 {5-7 5-2 5-3} -(6 7 2 3) [3 5] | lowest 4 {} -(5 3) []"},
        {"one-sided runs", polygonOf({{-3, 1}, {-4, 3}, {-6, 4}, {-3, 3}, {-1, 3}, {-1, 2}, {-2, 2}, {-1, 0}}),
         "start 4 {} -() [3 4] | same 5 {} -(4) [3 4 5] reflex 5-3@4 | "
         "opposite 2 {2-4} -(5 4 3) [5 4 2] flat 2-5@4 | opposite 6 {6-4 6-2} -(2 4 5) [2 6] | "
         "same 7 {7-2} -(6 2) [2 7] | opposite 1 {1-7} -(7 2) [7 1] | lowest 8 {} -(1 7) []"},
        {"runs entered in the middle", polygonOf({{0, 0}, {-2, 0}, {2, 4}, {3, 4}, {4, 2}, {3, 1}, {1, 1}, {2, 0}}),
         "start 4 {} -() [3 4] | same 5 {5-3} -(4 3) [3 5] | same 6 {6-3} -(5 3) [3 6] | "
         "same 7 {7-3} -(6 3) [3 7] | same 8 {} -(7) [3 7 8] reflex 8-3@7 | "
         "opposite 2 {2-7} -(8 7 3) [8 7 2] blocked 2-8@7 by 1 | lowest 1 {1-7} -(2 7 8) []"},
        {"square", polygonOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}}),
         "start 4 {} -() [3 4] | opposite 2 {2-4} -(4 3) [4 2] | lowest 1 {} -(2 4) []"},
        {"octagon", polygonOf({{0, 10}, {6, 9}, {1, 7}, {7, 5}, {2, 3}, {5, 0}, {-4, 2}, {-1, 6}}),
         "start 2 {} -() [1 2] | same 3 {3-1} -(2 1) [1 3] | opposite 8 {8-3} -(3 1) [3 8] | "
         "opposite 4 {4-8} -(8 3) [8 4] | same 5 {5-8} -(4 8) [8 5] | opposite 7 {7-5} -(5 8) [5 7] | "
         "lowest 6 {} -(7 5) []"},
        // A true diagonal nearly parallel to an edge: the exact ear test cuts it where a contact test
        // with a tolerance would refuse it.
        {"cut near contact", polygonOf({{46.1015625, 0.1826171875}, {-43.97363281, 39.20214844}, {2.82421875, 38.60058594},
                                   {2.309570312, 36.09570312}, {-30.296875, 33.42480469},
                                   {21.83691406, 19.03808594}, {42.50976562, 1.936523438}}),
         "start 3 {} -() [2 3] | same 4 {4-2} -(3 2) [2 4] | same 5 {5-2} -(4 2) [2 5] | "
         "same 6 {} -(5) [2 5 6] reflex 6-2@5 | same 7 {7-5 7-2} -(6 5 2) [2 7] | lowest 1 {} -(7 2) []"},
    };
    for (const Case& c : cases) {
        const Triangulation t = triangulateMonotone(c.polygon.data(), static_cast<int>(c.polygon.size()));
        EXPECT_EQ(trace(t), c.steps) << c.name;
        expectTriangulation(c.polygon, t);
        EXPECT_EQ(t.steps.size() + 1, c.polygon.size()) << c.name;
    }
}

TEST(Sweep, OrderIsSortedAndKeepsEachChainsOrder) {
    const auto v = polygonOf({{0, 0}, {4, 0}, {4, 2}, {5, 2}, {5, 4}, {0, 4}});
    int order[MaxVertices];
    ASSERT_EQ(sweepOrder(v.data(), 6, order), 6);
    for (int k = 0; k + 1 < 6; ++k) EXPECT_LE(compareByOrdinateDesc(v[order[k]], v[order[k + 1]]), 0);
    // (5,2) precedes (4,2): the right chain runs from (5,4) down through (5,2), then (4,2).
    EXPECT_EQ(order[2], 3);
    EXPECT_EQ(order[3], 2);
    EXPECT_LT(compareByOrdinateDesc(Point(5, 5.9, 0), Point(6, 5.1, 0)), 0);
    EXPECT_EQ(compareByOrdinateDesc(Point(5, 1, 9), Point(6, 1, 0)), 0);
    // Below three vertices there is an order but no step; below one nothing at all.
    for (int n : {0, 1, 2}) {
        const Triangulation t = triangulateMonotone(v.data(), n);
        EXPECT_EQ(t.order.size(), static_cast<size_t>(n));
        EXPECT_TRUE(t.steps.empty() && t.diagonals.empty());
    }
    EXPECT_TRUE(triangulateMonotone(v.data(), -1).order.empty());
}

// The fuzzer's check of raw floats finds each fault, at any scale of the float range.
TEST(FloatCheck, FindsEachFaultAtAnyScale) {
    // A U whose inner corners 5 and 6 are reflex; 8, 7, 4 and 3 lie on its top line.
    const auto u = polygonOf({{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}});
    const struct {
        std::vector<std::pair<int, int>> diagonals;  // vertices numbered from 1
        const char* fault;
    } cases[] = {
        {{{6, 1}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, ""},
        {{{6, 1}, {6, 2}, {5, 2}, {3, 5}}, "diagonals: 4"},
        {{{1, 2}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, "a diagonal joins neighbours"},
        {{{5, 7}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, "a diagonal leaves the polygon"},  // from a reflex corner
        {{{7, 5}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, "a diagonal leaves the polygon"},  // from a convex one,
        {{{4, 6}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, "a diagonal leaves the polygon"},  // past either side
        {{{2, 7}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, "a diagonal crosses an edge"},
        {{{8, 4}, {6, 2}, {5, 2}, {3, 5}, {7, 1}}, "a diagonal runs through a vertex"},
        {{{2, 6}, {1, 5}, {5, 2}, {3, 5}, {7, 1}}, "two diagonals cross"},
        {{{6, 1}, {1, 6}, {5, 2}, {3, 5}, {7, 1}}, "two diagonals cross"},
    };
    // Each also turned a quarter round, so that the diagonal through a vertex runs upright.
    for (const double scale : {1.0, std::ldexp(1.0, 100), std::ldexp(1.0, -140)}) {
        for (const bool upright : {false, true}) {
            for (const auto& c : cases) {
                std::vector<Point> v;
                for (const Point& p : u) {
                    v.emplace_back((upright ? -p.y : p.x) * scale, (upright ? p.x : p.y) * scale, 0.0);
                }
                std::vector<testing_support::Diagonal> ds;
                for (const auto& [from, to] : c.diagonals) ds.push_back({v[from - 1], v[to - 1]});
                EXPECT_EQ(testing_support::floatTriangulationFault(v, ds), c.fault) << testing_support::describe(v);
            }
        }
    }
}

TEST(Sweep, SweepWithoutStacksReadsEveryStackAsEmptyAndKeepsItsDiagonals) {
    const auto v = polygonOf({{0, 10}, {6, 9}, {1, 6}, {6, 3}, {0, 0}});
    const Triangulation lean = sweepMonotone(v.data(), 5, false);
    const Triangulation full = triangulateMonotone(v.data(), 5);
    ASSERT_EQ(lean.steps.size(), full.steps.size());
    for (const SweepStep& s : lean.steps) EXPECT_TRUE(lean.stackBefore(s).empty() && lean.stackAfter(s).empty());
    EXPECT_EQ(lean.diagonals.size(), full.diagonals.size());
}
