// Thousands of random simple y-monotone polygons, each triangulated and checked exactly, with its
// steps checked against the polygon, against one another and against what the dialogue puts in the
// scene.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "../support/monotone_polygons.h"
#include "app/dialogue.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"

using namespace testing_support;

namespace {

// PROPERTY_POLYGONS=N runs N polygons per size range instead of 1500, for a longer search.
int polygonsPerRange() {
    const char* text = std::getenv("PROPERTY_POLYGONS");
    return text != nullptr ? std::atoi(text) : 1500;
}

std::vector<int> entries(Entries<int> e) { return {e.begin(), e.end()}; }

// The entries, read from the bottom up, are met in this order walking the boundary one way.
bool isBoundaryChain(const std::vector<int>& entries, int n) {
    int forward = 0;
    int backward = 0;
    for (size_t j = 0; j + 1 < entries.size(); ++j) {
        const int d = (entries[j + 1] - entries[j] + n) % n;
        forward += d;
        backward += d == 0 ? n : n - d;
    }
    return forward < n || backward < n;
}

// What is wrong with the step's pops, stack after and refusal, or nothing. Every pop takes the top
// of what is left, as the textbook's stack does: the opposite-chain step and the lowest vertex take
// the whole stack, the same-chain step the top and then the entries it joins the swept vertex to.
// The same-chain step pushes its last one back, the opposite-chain step the former top and, when a
// level vertex stopped its fan, the entries after it that the fan did not reach; then the swept
// vertex goes on (not the lowest). A refusal comes exactly when the cuts stopped early, and names
// the next candidate and its reason.
std::string popFault(const std::vector<Point>& v, const Triangulation& t, const SweepStep& s,
                     const std::vector<int>& before) {
    const bool same = s.kind == SweepCase::SameChain;
    const bool opposite = s.kind == SweepCase::OppositeChain;
    const bool lowest = s.kind == SweepCase::LowestVertex;
    const std::vector<int> popped = entries(t.popped(s));
    std::vector<int> kept = before;
    for (const int e : popped) {
        if (!(same || opposite || lowest) || kept.empty() || e != kept.back()) return "pops out of turn";
        kept.pop_back();
    }
    if ((opposite || lowest) && !kept.empty()) return "leaves entries under its pops";
    if (same && popped.empty()) return "does not pop the top";
    const std::vector<int> after = entries(t.stackAfter(s));
    // What went back on: the rest of the stack after is the swept vertex.
    std::vector<int> back;
    if (same || opposite) {
        if (after.size() < kept.size() + 2 || !std::equal(kept.begin(), kept.end(), after.begin()) ||
            after.back() != s.vertex) {
            return "leaves a stack its pops do not give";
        }
        back.assign(after.begin() + static_cast<long>(kept.size()), after.end() - 1);
        const bool prefix = opposite && back.size() <= popped.size() && std::equal(back.begin(), back.end(), popped.begin());
        const bool last = same && back.size() == 1 && back[0] == popped.back();
        if (!prefix && !last) return "pushes back what it did not pop last (same) or first (opposite)";
    } else if (s.kind == SweepCase::Start ? after != std::vector<int>{t.order[0], s.vertex} : !after.empty()) {
        return "leaves a stack its pops do not give";
    }
    const Refusal& r = s.refusal;
    const bool early = same ? !kept.empty() : opposite && back.size() >= 2;
    if ((r.reason != RefusalReason::None) != early) return early ? "stops early unrefused" : "refuses but did not stop";
    if (r.reason == RefusalReason::None) return "";
    const int c = s.vertex;
    // The candidate refused: from c past the corner, the entry pushed back next to c, to the entry
    // under it.
    const int corner = back.back();
    const int to = same ? kept.back() : back[back.size() - 2];
    if (r.corner != corner || r.to != to) return "refuses a candidate other than the next";
    // The part not yet cut lies on this side of c-corner: inside their boundary edge when nothing
    // was cut, else away from the triangle just cut off (whose corner left the stack just before
    // the same-chain corner, or just after the opposite chain's pushed-back entries).
    const std::size_t cuts = same ? popped.size() - 1 : popped.size() - back.size();
    const int lastCut = cuts == 0 ? -1 : same ? popped[popped.size() - 2] : popped[back.size()];
    const int n = static_cast<int>(v.size());
    const int inner = lastCut >= 0 ? -turnOf(v[c], v[corner], v[lastCut])
                      : (c + 1) % n == corner ? senseOf(v)
                      : (corner + 1) % n == c ? -senseOf(v)
                                              : 0;
    if (inner == 0) return "refuses at a corner neither beside it nor beyond a cut";
    const int side = turnOf(v[c], v[corner], v[to]) * inner;
    const RefusalReason reason = side < 0 ? RefusalReason::ReflexCorner
                                 : side == 0 ? RefusalReason::FlatCorner : RefusalReason::VertexInTriangle;
    if (r.reason != reason) return "gives the wrong reason";
    if (reason != RefusalReason::VertexInTriangle) return "";
    // The blocker: level with c, not yet swept, in or on the triangle.
    std::vector<int> sweptAt(n);
    for (int j = 0; j < n; ++j) sweptAt[t.order[j]] = j;
    const int b = r.blocker;
    const auto blocks = [&](int i) {
        return v[i].y == v[c].y && sweptAt[i] > sweptAt[c] && inClosedTriangle(v[i], v[c], v[corner], v[to]);
    };
    if (b < 0 || b >= n || !blocks(b)) return "names a blocker outside the triangle or off its level";
    for (int i = 0; i < n; ++i) {
        if (sweptAt[i] < sweptAt[b] && blocks(i)) return "names a blocker the sweep meets after another";
    }
    return "";
}

// Fails the test and returns false at the first fault.
bool stepsHold(const std::vector<Point>& v, const Triangulation& t) {
    const int n = static_cast<int>(v.size());
    EXPECT_EQ(static_cast<int>(t.steps.size()), n - 1);
    std::vector<int> previous;  // the stack the step before left; none before the first
    for (size_t k = 0; k < t.steps.size(); ++k) {
        const SweepStep& s = t.steps[k];
        const std::vector<int> before = entries(t.stackBefore(s));
        SweepCase expected = SweepCase::Start;  // the first step's, and none fits a vertex beside neither end
        if (k > 0 && !before.empty()) {
            const bool bottom = areAdjacent(n, v[s.vertex], v[before.front()], v.data());
            const bool top = areAdjacent(n, v[s.vertex], v[before.back()], v.data());
            expected = bottom && top ? SweepCase::LowestVertex
                       : bottom      ? SweepCase::OppositeChain
                       : top         ? SweepCase::SameChain
                                     : SweepCase::Start;
        }
        const bool rightCase = s.kind == expected && (k == 0) == (expected == SweepCase::Start) &&
                               (expected == SweepCase::LowestVertex) == (k + 1 == t.steps.size());
        const std::string fault = before != previous ? "starts from a stack the step before did not leave"
                                  : !rightCase       ? "has the wrong case"
                                  : !isBoundaryChain(entries(t.stackAfter(s)), n)
                                      ? "leaves a stack that is not a chain of the boundary"
                                      : popFault(v, t, s, before);
        if (!fault.empty()) {
            ADD_FAILURE() << "step " << k + 1 << " of vertex " << s.vertex + 1 << " " << fault;
            return false;
        }
        previous = entries(t.stackAfter(s));
    }
    // The scene shows the outline, then exactly the steps' diagonals, in their order and colours.
    Scene scene;
    showInScene(scene, judgePolygon(v.data(), n));
    auto segment = std::next(scene.segments.begin(), n);
    for (const SweepDiagonal& d : t.diagonals) {
        const Segment& s = *segment++;
        const bool same = s.start.x == v[d.from].x && s.start.y == v[d.from].y && s.end.x == v[d.to].x &&
                          s.end.y == v[d.to].y && s.colour == (d.made == SweepCase::SameChain ? Blue : Red);
        if (!same) {
            ADD_FAILURE() << "the scene's diagonals differ from the steps'";
            return false;
        }
    }
    return segment == scene.segments.end();
}

struct Tally {
    int polygons = 0;
    int positiveArea = 0;
};

Tally sweepMany(Kind kind, int count, unsigned seed, int minN, int maxN) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> size(minN, maxN);
    Tally tally;
    for (int i = 0; i < count; ++i) {
        const std::vector<Point> polygon = randomMonotonePolygon(random, size(random), kind);
        const int n = static_cast<int>(polygon.size());
        // The program's own judgement must agree with the generator's.
        EXPECT_TRUE(isMonotone(polygon.data(), n)) << describe(polygon);
        EXPECT_TRUE(isSimple(polygon.data(), n)) << describe(polygon);
        const Triangulation t = triangulateMonotone(polygon.data(), n);
        std::vector<Diagonal> diagonals;
        for (const SweepDiagonal& d : t.diagonals) diagonals.push_back({polygon[d.from], polygon[d.to]});
        const testing_support::Verdict verdict = checkTriangulation(polygon, diagonals);
        ++tally.polygons;
        tally.positiveArea += verdict.positiveArea ? 1 : 0;
        std::vector<IndexPair> shown;
        for (const SweepDiagonal& d : t.diagonals) shown.emplace_back(d.from, d.to);
        const std::string lean = leanFault(polygon, shown);
        if (!verdict.valid || !stepsHold(polygon, t) || !lean.empty()) {
            ADD_FAILURE() << verdict.why << lean << " for the polygon\n" << describe(polygon);
            return tally;
        }
    }
    return tally;
}

}  // namespace

TEST(TriangulationProperty, RealCoordinatesAlwaysGivePositiveAreaTriangles) {
    for (const auto& [minN, maxN] : {std::pair{3, 8}, std::pair{9, 30}, std::pair{31, 100}}) {
        const Tally tally = sweepMany(Kind::Real, polygonsPerRange(), 20261207u + maxN, minN, maxN);
        EXPECT_EQ(tally.positiveArea, tally.polygons) << minN << ".." << maxN << " vertices";
    }
}

// With distinct ordinates the stack is the textbook's at every step: the opposite-chain step pops
// the whole stack top first and leaves the former top and the swept vertex.
TEST(TriangulationProperty, OppositeChainPopsTheWholeStackAndLeavesTheFormerTopAndTheSweptVertex) {
    std::mt19937 random(17u);
    for (int i = 0; i < polygonsPerRange(); ++i) {
        const std::vector<Point> polygon = randomMonotonePolygon(random, 3 + i % 60, Kind::Real);
        const Triangulation t = triangulateMonotone(polygon.data(), static_cast<int>(polygon.size()));
        for (const SweepStep& s : t.steps) {
            if (s.kind != SweepCase::OppositeChain) continue;
            std::vector<int> whole = entries(t.stackBefore(s));
            std::reverse(whole.begin(), whole.end());
            ASSERT_EQ(entries(t.popped(s)), whole) << describe(polygon);
            ASSERT_EQ(entries(t.stackAfter(s)), (std::vector<int>{whole.front(), s.vertex})) << describe(polygon);
            ASSERT_EQ(s.diagonalCount, static_cast<int>(whole.size()) - 1) << describe(polygon);
        }
    }
}

// Runs of a score of level vertices on each chain: the sweep searches them rather than scanning,
// and must still name the first blocker it meets.
TEST(TriangulationProperty, LongLevelRunsNameTheFirstBlockerInSweepOrder) {
    const Tally tally = sweepMany(Kind::LongRuns, polygonsPerRange() / 5, 41u, 40, 400);
    EXPECT_EQ(tally.positiveArea, tally.polygons);
}

TEST(TriangulationProperty, IntegerGridsAlwaysGivePositiveAreaTriangles) {
    for (const auto& [minN, maxN] : {std::pair{3, 8}, std::pair{9, 30}, std::pair{31, 100}}) {
        const Tally tally = sweepMany(Kind::Grid, polygonsPerRange(), 7u + maxN, minN, maxN);
        EXPECT_EQ(tally.positiveArea, tally.polygons) << minN << ".." << maxN << " vertices";
    }
}
