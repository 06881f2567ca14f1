// The sweep that decides whether a polygon is simple, and the search for its first contact, against
// the pair search of the test support: on every vertex sequence of small grids, repeated vertices
// included, on random points, and on simple polygons with one contact of every kind put in.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "../support/monotone_polygons.h"
#include "geometry/polygon.h"

namespace {

using testing_support::describe;
using testing_support::firstContactByPairs;

// Fails the test and returns false when the program's verdict or its pair differs from the pair search's.
bool agrees(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    const std::pair<int, int> expected = firstContactByPairs(v);
    const bool contact = expected.first >= 0;
    int a = -1;
    int b = -1;
    const bool found = findContact(v.data(), n, a, b);
    if (found == contact && anyContact(v.data(), n) == contact && isSimple(v.data(), n) != contact &&
        (!contact || std::make_pair(a, b) == expected)) {
        return true;
    }
    ADD_FAILURE() << "the pair search finds (" << expected.first << ", " << expected.second << "), the program "
                  << (found ? "(" + std::to_string(a) + ", " + std::to_string(b) + ")" : std::string("none"))
                  << (anyContact(v.data(), n) ? ", its sweep a contact" : ", its sweep none") << ", in\n" << describe(v);
    return false;
}

Point along(const Point& a, const Point& b, double t) { return Point(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), 0.0); }

// One contact put into a simple polygon, or none: a vertex moved onto another, onto the middle of an
// edge or anywhere nearby; a vertex repeated or put back along its edge; two vertices put on the line
// of an edge, overlapping it, touching it or beyond it. Coordinates stay exact (quarters of 1/1024).
std::vector<Point> withContact(std::mt19937& random, std::vector<Point> v) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int n = static_cast<int>(v.size());
    const int k = pick(0, n - 1);
    const int e = pick(0, n - 1);
    const Point a = v[e], b = v[(e + 1) % n];
    const double ts[] = {-1, -0.5, 0, 0.25, 0.5, 0.75, 1, 1.5, 2};
    switch (pick(0, 6)) {
        case 0: v[k] = v[pick(0, n - 1)]; break;
        case 1: v[k] = along(a, b, 0.5); break;
        case 2: v[k] = Point(pick(-100, 100), pick(-100, 100), 0.0); break;
        case 3: v.insert(v.begin() + k, v[k]); break;
        case 4: v.insert(v.begin() + k + 1, along(v[k], v[(k + n - 1) % n], 0.5)); break;
        case 5:
            v[k] = along(a, b, ts[pick(0, 8)]);
            v[(k + 1) % n] = along(a, b, ts[pick(0, 8)]);
            break;
        default: break;
    }
    return v;
}

}  // namespace

TEST(ContactProperty, SweepFindsTheSameFirstContactAsThePairSearch) {
    // Every sequence of up to 5 vertices on the 3 by 3 grid and of 6 on the 2 by 3 grid, repeats
    // included: vertical edges, shared ends, overlaps, vertices on edges and equal abscissae everywhere.
    for (const auto& [width, cells, most] : {std::tuple{3, 9, 5}, std::tuple{2, 6, 6}}) {
        for (int n = 3; n <= most; ++n) {
            int count = 1;
            for (int k = 0; k < n; ++k) count *= cells;
            std::vector<Point> v(n);
            for (int code = 0; code < count; ++code) {
                for (int k = 0, c = code; k < n; ++k, c /= cells) v[k] = Point(c % cells % width, c % cells / width, 0.0);
                ASSERT_TRUE(agrees(v));
            }
        }
    }
    // Random points on small grids, and simple polygons with a contact put in anywhere.
    std::mt19937 random(20261209);
    int contacts = 0, late = 0;
    for (int i = 0; i < 12000; ++i) {
        std::vector<Point> v;
        const int kind = i % 4;
        const int n = std::uniform_int_distribution<int>(4, kind == 0 ? 16 : 90)(random);
        if (kind == 0) {
            const int side = std::uniform_int_distribution<int>(1, 6)(random);
            for (int k = 0; k < n; ++k) {
                v.emplace_back(std::uniform_int_distribution<int>(0, side)(random), std::uniform_int_distribution<int>(0, side)(random), 0.0);
            }
        } else if (kind == 1) {
            v = withContact(random, testing_support::randomStar(random, n));
        } else {
            v = withContact(random, testing_support::randomMonotonePolygon(random, n, kind == 2 ? testing_support::Kind::Grid
                                                                                              : testing_support::Kind::Real));
        }
        const std::pair<int, int> first = firstContactByPairs(v);
        contacts += first.first >= 0;
        late += first.first >= 2;
        ASSERT_TRUE(agrees(v));
    }
    EXPECT_GT(contacts, 8000);
    EXPECT_GT(late, 4000);
}

TEST(ContactProperty, LargePolygonsAreSweptAndNamedAtTheirFirstContact) {
    std::mt19937 random(7);
    // A comb of 100,000 vertices on the integer grid, teeth of random lengths: simple, as the sweep
    // decides without a pair searched for.
    std::vector<Point> comb = {Point(0, 100, 0)};
    for (int t = 0; t < 24999; ++t) {
        const int tip = std::uniform_int_distribution<int>(0, 40)(random);
        const int gap = std::uniform_int_distribution<int>(50, 99)(random);
        for (const auto& [x, y] : {std::pair{2 * t, tip}, {2 * t + 1, tip}, {2 * t + 1, gap}, {2 * t + 2, gap}}) comb.emplace_back(x, y, 0.0);
    }
    comb.back().y = 0.0f;
    comb.emplace_back(comb.back().x, 100.0, 0.0);
    const int n = static_cast<int>(comb.size());
    int a = -1;
    int b = -1;
    EXPECT_TRUE(isSimple(comb.data(), n));
    EXPECT_FALSE(findContact(comb.data(), n, a, b));
    // A regular polygon of 2,000 vertices, two of its vertices swapped early, halfway or at the end,
    // or a contact of any kind put in.
    std::vector<Point> ring;
    for (int k = 0; k < 2000; ++k) ring.emplace_back(100 * std::cos(k * M_PI / 1000), 100 * std::sin(k * M_PI / 1000), 0.0);
    for (const int k : {0, 1, 2, 5, 1000, 1996, 1997, 1998, 1999}) {
        std::vector<Point> v = ring;
        std::swap(v[k], v[(k + 1) % 2000]);
        ASSERT_TRUE(agrees(v)) << k;
        ASSERT_TRUE(agrees(withContact(random, ring)));
    }
}
