// The exercise's tasks: the same number gives the same polygon in every run and every build, and
// every task polygon is simple, readable on its grid and of the kind its number promises, each
// checked here apart from the code that made it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../support/monotone_polygons.h"
#include "geometry/task.h"

namespace {

std::string textOf(const std::vector<Point>& v) {
    std::string out;
    for (const Point& p : v) {
        out += (out.empty() ? "" : " ") + std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y));
    }
    return out;
}

// The split and the merge vertices, by the support's own types.
void splitsAndMerges(const std::vector<Point>& v, int& splits, int& merges) {
    splits = merges = 0;
    for (int i = 0; i < static_cast<int>(v.size()); ++i) {
        const int type = testing_support::vertexTypeOf(v, i);
        splits += type == 2;
        merges += type == 3;
    }
}

// Walked around, the heights turn from rising to falling exactly once each way: one top, one bottom.
bool monotoneInY(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    int turns = 0;
    for (int i = 0; i < n; ++i) {
        const bool down = testing_support::sweptBefore(v[i], v[(i + 1) % n]);
        const bool downBefore = testing_support::sweptBefore(v[(i + n - 1) % n], v[i]);
        if (down != downBefore) ++turns;
    }
    return turns == 2;
}

std::int64_t square(std::int64_t v) { return v * v; }

// What makes the labels readable: two steps between vertices, one step between a vertex and any edge
// it does not end, and no vertex on the line through its neighbours.
std::string unreadable(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    for (int i = 0; i < n; ++i) {
        const std::int64_t x = static_cast<std::int64_t>(v[i].x), y = static_cast<std::int64_t>(v[i].y);
        if (x != v[i].x || y != v[i].y || x < 0 || y < 0 || x > 20 || y > 20) return "off the grid";
        for (int j = 0; j < n; ++j) {
            if (j != i && square(v[j].x - x) + square(v[j].y - y) < 4) return "two vertices too close";
        }
        for (int e = 0; e < n; ++e) {
            const int f = (e + 1) % n;
            if (e == i || f == i) continue;
            // The squared distance from the vertex to the edge, scaled by the edge's squared length.
            const double ax = v[e].x, ay = v[e].y, dx = v[f].x - ax, dy = v[f].y - ay;
            const double t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
            const double px = ax + std::max(0.0, std::min(1.0, t)) * dx, py = ay + std::max(0.0, std::min(1.0, t)) * dy;
            if ((x - px) * (x - px) + (y - py) * (y - py) < 1.0 - 1e-9) return "a vertex too close to an edge";
        }
        if (testing_support::turnOf(v[(i + n - 1) % n], v[i], v[(i + 1) % n]) == 0) return "a vertex on its neighbours' line";
    }
    return "";
}

}  // namespace

// Pinned: these numbers give these polygons on every run, in the window's build and the page's alike.
TEST(Task, EachNumberGivesItsOwnPolygonOnEveryRun) {
    const std::pair<std::uint64_t, const char*> pinned[] = {
        {0u, "19,7 20,10 18,11 20,15 16,17 13,18 14,20 8,16 2,14 7,13 9,6 11,3 10,1"},
        {1u, "8,14 2,16 7,10 4,7 7,3 12,5 17,5 15,9 16,13 12,15"},
        {2u, "10,2 4,4 9,5 3,8 8,13 10,20 19,19 15,14 17,3"},
        {3u, "3,9 2,12 3,17 8,16 9,18 13,19 14,13 17,12 14,9 15,5 15,3 11,5 6,2 7,8"},
        {4711u, "11,14 15,18 18,14 14,10 17,6 17,4 13,3 10,6 4,2 3,5 2,9 6,11 6,13 9,13"},
        {4712u, "19,7 20,10 17,17 11,20 5,19 11,15 8,14 8,12 2,6 9,5 10,2 14,0"},
        {MaxTask, "2,9 4,2 7,4 13,3 15,6 16,9 14,10 16,18 13,16 7,18 7,13 4,11"},
    };
    for (const auto& [task, text] : pinned) {
        EXPECT_EQ(textOf(taskPolygon(task)), text) << task;
        EXPECT_EQ(textOf(taskPolygon(task)), textOf(taskPolygon(task))) << task;
    }
}

// Four thousand tasks in a row and some far apart: 8 to 14 vertices, simple, readable, an even one
// y-monotone and an odd one with a split and a merge vertex; no two alike.
TEST(Task, EveryTaskIsSimpleReadableAndOfItsKind) {
    std::vector<std::uint64_t> tasks;
    for (std::uint64_t t = 0; t < 4000; ++t) tasks.push_back(t);
    for (std::uint64_t t = MaxTask; t > MaxTask - 200; --t) tasks.push_back(t);
    for (std::uint64_t t = 1; t < MaxTask; t = t * 3 + 1) tasks.push_back(t);
    std::vector<std::string> seen;
    int sizes[15] = {};
    for (std::size_t k = 0; k < tasks.size(); ++k) {
        const std::uint64_t t = tasks[k];
        const std::vector<Point> v = taskPolygon(t);
        const int n = static_cast<int>(v.size());
        ASSERT_TRUE(n >= 8 && n <= 14) << t;
        ++sizes[n];
        ASSERT_TRUE(testing_support::exactlySimple(v)) << t << ": " << textOf(v);
        ASSERT_EQ(unreadable(v), "") << t << ": " << textOf(v);
        int splits = 0, merges = 0;
        splitsAndMerges(v, splits, merges);
        if (taskIsMonotone(t)) {
            ASSERT_TRUE(monotoneInY(v) && splits == 0 && merges == 0) << t << ": " << textOf(v);
        } else {
            ASSERT_TRUE(!monotoneInY(v) && splits > 0 && merges > 0) << t << ": " << textOf(v);
        }
        if (k < 4000) seen.push_back(textOf(v));
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
    for (int n = 8; n <= 14; ++n) EXPECT_GT(sizes[n], 100) << n;  // every size comes up
}

TEST(Task, NumbersAreReadAsTypedOrLinked) {
    const std::pair<const char*, long long> cases[] = {
        {"0", 0}, {"4711", 4711}, {"999999999", 999999999}, {"007", 7},
        {"", -1}, {"-1", -1}, {"+3", -1}, {"1e3", -1}, {"12 ", -1}, {"1000000000", -1}, {"4711x", -1},
    };
    for (const auto& [text, task] : cases) {
        std::uint64_t read = 0;
        EXPECT_EQ(readTask(text, read), task >= 0) << text;
        if (task >= 0) {
            EXPECT_EQ(read, static_cast<std::uint64_t>(task)) << text;
        }
    }
}
