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

// What is wrong with the step's pops, stack after and refusal, or nothing. The popped entries come
// off the stack before one by one, each from the top (same chain) or the bottom (opposite chain and
// lowest vertex, which takes them all); the opposite-chain step reads what is left from the other
// end; then the swept vertex goes on (not the lowest). A
// refusal comes exactly when the popping stopped early, and names the next candidate and its reason.
std::string popFault(const std::vector<Point>& v, const Triangulation& t, const SweepStep& s,
                     const std::vector<int>& before) {
    const bool same = s.kind == SweepCase::SameChain;
    const bool opposite = s.kind == SweepCase::OppositeChain;
    const bool lowest = s.kind == SweepCase::LowestVertex;
    std::vector<int> left = before;
    for (const int e : t.popped(s)) {
        if (!(same || opposite || lowest) || left.empty() || e != (same ? left.back() : left.front())) {
            return "pops out of turn";
        }
        left.erase(same ? left.end() - 1 : left.begin());
    }
    if (lowest && !left.empty()) return "the lowest vertex leaves entries on the stack";
    std::vector<int> after = left;
    if (opposite) std::reverse(after.begin(), after.end());
    if (same || opposite) after.push_back(s.vertex);
    if (s.kind == SweepCase::Start) after = {t.order[0], s.vertex};
    if (entries(t.stackAfter(s)) != after) return "leaves a stack its pops do not give";
    const Refusal& r = s.refusal;
    const bool early = (same || opposite) && left.size() >= 2;
    if ((r.reason != RefusalReason::None) != early) return early ? "stops early unrefused" : "refuses but did not stop";
    if (r.reason == RefusalReason::None) return "";
    const int c = s.vertex;
    const int corner = same ? left.back() : left.front();
    const int to = same ? left[left.size() - 2] : left[1];
    if (r.corner != corner || r.to != to) return "refuses a candidate other than the next";
    // The part not yet cut lies on this side of c-corner: inside their boundary edge when nothing
    // was popped, else away from the triangle just cut off.
    const int n = static_cast<int>(v.size());
    const int inner = !t.popped(s).empty() ? -turnOf(v[c], v[corner], v[t.popped(s).back()])
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
    const auto sweptAt = [&](int i) { return std::find(t.order.begin(), t.order.end(), i) - t.order.begin(); };
    const int b = r.blocker;
    const bool blocks = b >= 0 && b < n && v[b].y == v[c].y && sweptAt(b) > sweptAt(c) &&
                        inClosedTriangle(v[b], v[c], v[corner], v[to]);
    return blocks ? "" : "names a blocker outside the triangle or off its level";
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
        if (!verdict.valid || !stepsHold(polygon, t)) {
            ADD_FAILURE() << verdict.why << " for the polygon\n" << describe(polygon);
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

TEST(TriangulationProperty, IntegerGridsAlwaysGivePositiveAreaTriangles) {
    for (const auto& [minN, maxN] : {std::pair{3, 8}, std::pair{9, 30}, std::pair{31, 100}}) {
        const Tally tally = sweepMany(Kind::Grid, polygonsPerRange(), 7u + maxN, minN, maxN);
        EXPECT_EQ(tally.positiveArea, tally.polygons) << minN << ".." << maxN << " vertices";
    }
}
