// The gallery's guards on random simple polygons of both kinds (monotone ones with ties in height and
// collinear vertices, stars that mostly are not) and on combs: the dual graph of the triangulation
// shown is a tree walked whole, every triangle holds the three colours, and the smallest colour class,
// at most floor(n/3) vertices, has a corner in every triangle.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "../support/monotone_polygons.h"
#include "../support/polygon_of.h"
#include "geometry/guards.h"
#include "geometry/judgement.h"

namespace {

using testing_support::describe;

// A comb of k teeth pointing up from a bar, 3k vertices: each tooth a tip between two feet, the outer
// feet the bar's corners; no point sees into two teeth's tips, so it needs k guards. Turned, with x
// and y swapped, it is y-monotone.
std::vector<Point> comb(int k, bool turned) {
    std::vector<Point> v = polygonOf({{0, 0}, {3 * k - 1, 0}});
    for (int t = k - 1; t >= 0; --t) {
        const double x = 3 * t;
        if (t != k - 1) v.emplace_back(x + 2, 1.0, 0.0);
        v.emplace_back(x + 1, 10.0, 0.0);
        if (t != 0) v.emplace_back(x, 1.0, 0.0);
    }
    if (turned)
        for (Point& p : v) std::swap(p.x, p.y);
    return v;
}

int galleries = 0;  // the simple polygons checked

// Fails the test and returns false at the first fault of the gallery of `v` (a polygon that is not
// simple has none).
bool holds(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    const Judgement judged = judgePolygon(v.data(), n);
    const Gallery g = guardJudged(judged);
    const std::string polygon = describe(v);
    if (judged.verdict == Verdict::NotSimple) {
        if (!g.triangles.empty()) ADD_FAILURE() << "a gallery of a polygon that is not simple: " << polygon;
        return g.triangles.empty();
    }
    ++galleries;
    if (static_cast<int>(g.triangles.size()) != n - 2 || static_cast<int>(g.links.size()) != n - 3) {
        ADD_FAILURE() << g.triangles.size() << " triangles, " << g.links.size() << " links: " << polygon;
        return false;
    }
    // A tree: n - 3 links, and the walk reaches every triangle once, each from one reached before it
    // across a diagonal they share.
    std::vector<int> order(n - 2, -1);
    for (std::size_t k = 0; k < g.walk.size(); ++k) {
        const ColouringStep& s = g.walk[k];
        if (order[s.triangle] != -1 || (k == 0) != (s.from < 0) || (k > 0 && order[s.from] == -1)) {
            ADD_FAILURE() << "walk step " << k << " is not a walk of a tree: " << polygon;
            return false;
        }
        order[s.triangle] = static_cast<int>(k);
        if (k > 0) {
            const auto& a = g.triangles[s.from];
            const auto& b = g.triangles[s.triangle];
            for (const int end : s.shared) {
                if (std::count(a.begin(), a.end(), end) != 1 || std::count(b.begin(), b.end(), end) != 1) {
                    ADD_FAILURE() << "step " << k << " crosses no shared diagonal: " << polygon;
                    return false;
                }
            }
            if (g.colour[s.vertex] != s.colour) {
                ADD_FAILURE() << "step " << k << " names a colour its vertex lacks: " << polygon;
                return false;
            }
        }
    }
    const auto& t0 = g.triangles[g.walk[0].triangle];
    if (std::count(t0.begin(), t0.end(), 0) != 1 || std::count(t0.begin(), t0.end(), 1) != 1) {
        ADD_FAILURE() << "the walk does not start on the outline edge 1-2: " << polygon;
        return false;
    }
    for (std::size_t t = 0; t < g.triangles.size(); ++t) {
        std::set<int> colours;
        for (const int v : g.triangles[t]) colours.insert(g.colour[v]);
        const auto& tri = g.triangles[t];
        if (colours != std::set<int>{0, 1, 2} || std::count(tri.begin(), tri.end(), g.seenBy[t]) != 1 ||
            g.colour[g.seenBy[t]] != g.guardColour) {
            ADD_FAILURE() << "triangle " << t << " lacks a colour or its guard: " << polygon;
            return false;
        }
    }
    const int fewest = *std::min_element(g.classSize.begin(), g.classSize.end());
    if (static_cast<int>(g.guards.size()) != fewest || fewest > n / 3 || g.classSize[g.guardColour] != fewest ||
        g.classSize[0] + g.classSize[1] + g.classSize[2] != n) {
        ADD_FAILURE() << g.guards.size() << " guards of " << n << " vertices: " << polygon;
        return false;
    }
    return true;
}

TEST(GuardsProperty, EveryTriangleHoldsThreeColoursAndAGuardOfAtMostAThird) {
    std::mt19937 random(27);
    int polygons = 0;
    for (const testing_support::Kind kind : {testing_support::Kind::Real, testing_support::Kind::Grid}) {
        for (int i = 0; i < 600; ++i, ++polygons)
            if (!holds(testing_support::randomMonotonePolygon(random, 3 + i % 98, kind))) return;
    }
    for (int i = 0; i < 600; ++i, ++polygons)
        if (!holds(testing_support::randomStar(random, 3 + i % 98))) return;
    EXPECT_EQ(polygons, 1800);
    EXPECT_GT(galleries, 1500) << "too few of the random polygons were simple";
}

TEST(Guards, ACombOfThreeKVerticesGetsKGuardsEitherWayTurned) {
    for (const bool turned : {false, true}) {
        for (int k = 1; k <= 12; ++k) {
            const std::vector<Point> v = comb(k, turned);
            ASSERT_TRUE(holds(v));
            const Judgement judged = judgePolygon(v.data(), static_cast<int>(v.size()));
            EXPECT_EQ(judged.verdict, turned || k == 1 ? Verdict::Triangulated : Verdict::NotMonotone) << k;
            EXPECT_EQ(guardJudged(judged).guards.size(), static_cast<std::size_t>(k)) << k << (turned ? " turned" : "");
        }
    }
}

TEST(Guards, NoGalleryWithoutATriangulation) {
    const std::vector<Point> two = polygonOf({{0, 0}, {1, 0}});
    const std::vector<Point> bowtie = polygonOf({{0, 0}, {2, 2}, {2, 0}, {0, 2}});
    EXPECT_TRUE(guardJudged(judgePolygon(two.data(), 2)).triangles.empty());
    EXPECT_TRUE(guardJudged(judgePolygon(bowtie.data(), 4)).triangles.empty());
    // Diagonals that do not cut the polygon into triangles give nothing rather than a wrong colouring.
    const std::vector<Point> square = polygonOf({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    EXPECT_TRUE(guardGallery(square.data(), 4, {}).triangles.empty());
    EXPECT_TRUE(guardGallery(square.data(), 4, {{{0, 1}}}).triangles.empty());
    EXPECT_EQ(guardGallery(square.data(), 4, {{{0, 2}}}).guards.size(), 1u);
}

}  // namespace
