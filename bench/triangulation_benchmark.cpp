// How fast the triangulation is, on eight shapes at 100 to 100,000 vertices:
//
//   Lean    triangulateDiagonals, the lean entry: the diagonals alone, nothing recorded;
//   Whole   triangulatePolygon, the whole triangulation as the window's records are made of it;
//   Plain   the textbook's stack sweep at its plainest (monotone shapes only): doubles, no check,
//           the input known to be monotone and swept once, the stack on the call's own stack; the
//           floor a lean sweep of a monotone polygon is measured against;
//   Floor   the same sweep with vectors, its order merged whole before it sweeps;
//   Sweep   the recorded sweep of a monotone polygon (triangulateMonotone), at 100 vertices;
//   Judge, Edit  what the window does after an edit of a 100-vertex polygon.
//   Contact the simplicity test (findContact) at 1,000 to 100,000 vertices: the random monotone
//           polygon and a random star, both simple; the star with two vertices near its end swapped,
//           one crossing late in the boundary; and random points, whose edges cross everywhere.
//   JudgeLarge  the whole judgement of the random monotone polygon at those sizes: the test, then
//           the sweep as the window records it.
//
// The table at the end sets the lean entry beside the floors and the whole triangulation, with its
// time over the plain sweep's; the growth line gives the exponent of the lean entry's time from
// 1,000 to 100,000 vertices. Run with --benchmark_repetitions=3 or more on a quiet machine: the
// table keeps each benchmark's fastest run.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "geometry/judgement.h"
#include "geometry/polygon.h"
#include "geometry/partition.h"
#include "geometry/triangulation.h"
#include "viewer/frame.h"
#include "viewer/workbench.h"

namespace {

// The shapes, each of about n vertices.

// A random y-monotone polygon: distinct random heights, each vertex at random on the left chain or
// the right one, the chains apart.
std::vector<Point> monotone(int n) {
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> x(1, 100), y(0, 1000);
    std::vector<double> heights(n);
    for (double& h : heights) h = y(random);
    std::sort(heights.rbegin(), heights.rend());
    std::vector<Point> left, right;
    for (int k = 1; k + 1 < n; ++k) {
        if (random() % 2) {
            left.emplace_back(-x(random), heights[k], 0.0);
        } else {
            right.emplace_back(x(random), heights[k], 0.0);
        }
    }
    std::vector<Point> v = {Point(0, heights[0], 0)};
    v.insert(v.end(), left.begin(), left.end());
    v.emplace_back(0, heights[n - 1], 0);
    v.insert(v.end(), right.rbegin(), right.rend());
    return v;
}

// A regular polygon.
std::vector<Point> convex(int n) {
    std::vector<Point> v;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n + 0.01;
        v.emplace_back(100 * std::cos(a), 100 * std::sin(a), 0.0);
    }
    return v;
}

// A right side of one vertex halfway down, and a left side that bends inwards at every vertex: the
// upper half of the left chain piles up on the stack until the right vertex's fan clears it.
std::vector<Point> reflexChain(int n) {
    std::vector<Point> v;
    v.emplace_back(-30.0, 100.0, 0.0);
    for (int i = 1; i < n - 2; ++i) {
        const double t = static_cast<double>(i) / (n - 2);
        v.emplace_back(-30.0 + 100.0 * t * (1.0 - t), 100.0 - 100.0 * t, 0.0);
    }
    v.emplace_back(-30.0, 0.0, 0.0);
    v.emplace_back(50.0, 50.0, 0.0);
    return v;
}

// Both sides are staircases with their steps at the same heights: many ties across the chains.
std::vector<Point> staircases(int n) {
    std::vector<Point> v;
    const int steps = n / 4;
    for (int i = 0; i < steps; ++i) {  // down the left side
        v.emplace_back(-10.0 - i, 100.0 - 4 * i, 0.0);
        v.emplace_back(-10.0 - i, 98.0 - 4 * i, 0.0);
    }
    for (int i = steps - 1; i >= 0; --i) {  // up the right side
        v.emplace_back(10.0 + i, 98.0 - 4 * i, 0.0);
        v.emplace_back(10.0 + i, 100.0 - 4 * i, 0.0);
    }
    return v;
}

// Random radii at sorted random angles about the origin: simple, and star-shaped.
std::vector<Point> star(int n) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> angle(0, 2 * M_PI), radius(50, 150);
    std::vector<double> angles(n);
    for (double& a : angles) a = angle(random);
    std::sort(angles.begin(), angles.end());
    std::vector<Point> v;
    for (const double a : angles) {
        const double r = radius(random);
        v.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    return v;
}

// A band wound outwards: half the vertices along its outer side, the rest back along its inner side.
std::vector<Point> spiral(int n) {
    const int half = n / 2;
    const double turns = 8;
    std::vector<Point> v;
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < half; ++i) {
            const double t = 2 * M_PI * turns * (side == 0 ? i : half - 1 - i) / (half - 1);
            const double r = 10 + 4 * t - (side == 0 ? 0 : 2);
            v.emplace_back(r * std::cos(t), r * std::sin(t), 0.0);
        }
    }
    return v;
}

// A comb: teeth hanging from a bar, their tips all at one height and the gaps' tops at another.
std::vector<Point> comb(int n) {
    const int teeth = (n - 2) / 4;
    std::vector<Point> v;
    v.emplace_back(0.0, 10.0, 0.0);
    for (int t = 0; t < teeth; ++t) {
        v.emplace_back(2.0 * t, 0.0, 0.0);
        v.emplace_back(2.0 * t + 1, 0.0, 0.0);
        v.emplace_back(2.0 * t + 1, 8.0, 0.0);
        v.emplace_back(2.0 * t + 2, 8.0, 0.0);
    }
    v.back().y = 0.0f;  // the last gap is the comb's right side
    v.emplace_back(2.0 * teeth + 2, 10.0, 0.0);
    return v;
}

// A polygon on the integer grid: a battlement whose merlons and embrasures are walked with a vertex
// at every unit, over a floor that has one at every unit too: equal ordinates everywhere, and most
// vertices between two others on one line.
std::vector<Point> grid(int n) {
    const int merlons = std::max(1, (n - 2) / 12);
    std::vector<Point> v;
    const int width = 4 * merlons;
    for (int x = 0; x <= width; ++x) v.emplace_back(x, 0.0, 0.0);  // the floor, left to right
    for (int m = merlons - 1; m >= 0; --m) {                         // the top, right to left
        const int x = 4 * m;
        v.emplace_back(x + 4, 3.0, 0.0);
        v.emplace_back(x + 4, 4.0, 0.0);
        v.emplace_back(x + 3, 4.0, 0.0);
        v.emplace_back(x + 2, 4.0, 0.0);
        v.emplace_back(x + 2, 3.0, 0.0);
        v.emplace_back(x + 1, 3.0, 0.0);
    }
    v.emplace_back(0.0, 3.0, 0.0);
    return v;
}

struct Case {
    const char* name;
    std::vector<Point> (*make)(int);
    bool monotone;
};

const Case Cases[] = {
    {"monotone", monotone, true}, {"convex", convex, true}, {"reflex", reflexChain, true},
    {"staircases", staircases, true}, {"star", star, false}, {"spiral", spiral, false},
    {"comb", comb, false},         {"grid", grid, false},
};

// The textbook's stack sweep of a y-monotone polygon in doubles, keeping nothing but its diagonals.
int textbookSweep(const Point* v, int n, int (*out)[2], std::vector<int>& order, std::vector<char>& chain,
                  std::vector<int>& stack) {
    int top = 0, bottom = 0;
    for (int i = 1; i < n; ++i) {
        if (v[i].y > v[top].y) top = i;
        if (v[i].y < v[bottom].y) bottom = i;
    }
    auto turn = [&](int a, int b, int c) {
        return (static_cast<double>(v[b].x) - v[a].x) * (static_cast<double>(v[c].y) - v[a].y) -
               (static_cast<double>(v[b].y) - v[a].y) * (static_cast<double>(v[c].x) - v[a].x);
    };
    auto next = [n](int i) { return i + 1 == n ? 0 : i + 1; };
    auto previous = [n](int i) { return i == 0 ? n - 1 : i - 1; };
    const double sense = turn(previous(bottom), bottom, next(bottom)) > 0 ? 1 : -1;
    // Both chains walked down from the top and merged by height.
    order.clear();
    chain.assign(n, 0);
    int f = next(top), b = previous(top);
    order.push_back(top);
    while (f != bottom || b != bottom) {
        if (b == bottom || (f != bottom && v[f].y >= v[b].y)) {
            chain[f] = 1;
            order.push_back(f);
            f = next(f);
        } else {
            chain[b] = 2;
            order.push_back(b);
            b = previous(b);
        }
    }
    order.push_back(bottom);
    int count = 0;
    stack.assign({order[0], order[1]});
    for (int k = 2; k + 1 < n; ++k) {
        const int c = order[k];
        if (chain[c] != chain[stack.back()]) {
            for (std::size_t s = 1; s < stack.size(); ++s) out[count][0] = c, out[count++][1] = stack[s];
            stack.assign({stack.back(), c});
        } else {
            int last = stack.back();
            stack.pop_back();
            while (!stack.empty()) {
                const int w = stack.back();
                const double t = chain[c] == 1 ? turn(w, last, c) : turn(c, last, w);
                if (t * sense <= 0) break;
                out[count][0] = c, out[count++][1] = w;
                last = w;
                stack.pop_back();
            }
            stack.push_back(last);
            stack.push_back(c);
        }
    }
    for (std::size_t s = 1; s + 1 < stack.size(); ++s) out[count][0] = order[n - 1], out[count++][1] = stack[s];
    return count;
}

// The same sweep at its plainest, as a textbook states it for a polygon known to be monotone, written
// with ordinary care for speed: the two chains merged as they are swept, once, the heights compared
// kept at hand, the stack an array on the call's own stack, the chain of its top the chain of the
// vertex swept last, and no check of any kind.
constexpr int PlainMost = 1 << 17;

int plainSweep(const Point* v, int n, int (*out)[2]) {
    int top = 0, bottom = 0;
    float high = v[0].y, low = high;
    for (int i = 1; i < n; ++i) {
        const float y = v[i].y;
        if (y > high) high = y, top = i;
        if (y < low) low = y, bottom = i;
    }
    auto turn = [v](int a, int b, int c) {
        return (static_cast<double>(v[b].x) - v[a].x) * (static_cast<double>(v[c].y) - v[a].y) -
               (static_cast<double>(v[b].y) - v[a].y) * (static_cast<double>(v[c].x) - v[a].x);
    };
    auto next = [n](int i) { return i + 1 == n ? 0 : i + 1; };
    auto previous = [n](int i) { return i == 0 ? n - 1 : i - 1; };
    const double sense = turn(previous(bottom), bottom, next(bottom)) > 0 ? 1 : -1;
    int stack[PlainMost];
    int height = 0, count = 0, lastChain = 0;
    stack[height++] = top;
    int f = next(top), b = previous(top);
    float yf = v[f].y, yb = v[b].y;
    for (int k = 1; k + 1 < n; ++k) {
        int c, chain;
        if (b == bottom || (f != bottom && yf >= yb)) {
            c = f, f = next(f), yf = v[f].y, chain = 1;
        } else {
            c = b, b = previous(b), yb = v[b].y, chain = 2;
        }
        if (k == 1) {
            stack[height++] = c;
        } else if (chain != lastChain) {
            for (int s = 1; s < height; ++s) out[count][0] = c, out[count][1] = stack[s], ++count;
            stack[0] = stack[height - 1];
            stack[1] = c;
            height = 2;
        } else {
            int last = stack[--height];
            while (height > 0) {
                const int w = stack[height - 1];
                const double t = chain == 1 ? turn(w, last, c) : turn(c, last, w);
                if (t * sense <= 0) break;
                out[count][0] = c, out[count][1] = w, ++count;
                last = w;
                --height;
            }
            stack[height++] = last;
            stack[height++] = c;
        }
        lastChain = chain;
    }
    for (int s = 1; s + 1 < height; ++s) out[count][0] = bottom, out[count][1] = stack[s], ++count;
    return count;
}

void lean(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(v.size());
    std::vector<int> out(2 * static_cast<std::size_t>(n));
    for (auto _ : state) {
        const int count = triangulateDiagonals(v.data(), n, reinterpret_cast<int(*)[2]>(out.data()));
        if (count != n - 3) state.SkipWithError("a wrong count");
        benchmark::DoNotOptimize(out.data());
    }
}

void whole(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(v.size());
    for (auto _ : state) {
        const WholeTriangulation t = triangulatePolygon(v.data(), n);
        if (static_cast<int>(t.diagonals.size()) != n - 3) state.SkipWithError("a wrong count");
        benchmark::DoNotOptimize(t.diagonals.data());
    }
}

void textbook(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(v.size());
    std::vector<int> out(2 * static_cast<std::size_t>(n)), order, stack;
    std::vector<char> chain;
    for (auto _ : state) {
        const int count = textbookSweep(v.data(), n, reinterpret_cast<int(*)[2]>(out.data()), order, chain, stack);
        if (count != n - 3) state.SkipWithError("a wrong count");
        benchmark::DoNotOptimize(out.data());
    }
}

void plain(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(v.size());
    std::vector<int> out(2 * static_cast<std::size_t>(n));
    if (n > PlainMost) state.SkipWithError("too large for its stack");
    for (auto _ : state) {
        const int count = plainSweep(v.data(), n, reinterpret_cast<int(*)[2]>(out.data()));
        if (count != n - 3) state.SkipWithError("a wrong count");
        benchmark::DoNotOptimize(out.data());
    }
}

void sweep(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(100);
    for (auto _ : state) {
        const Triangulation result = triangulateMonotone(v.data(), static_cast<int>(v.size()));
        benchmark::DoNotOptimize(result.steps.data());
    }
}

void judge(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(100);
    for (auto _ : state) {
        const Judgement judged = judgePolygon(v.data(), static_cast<int>(v.size()));
        benchmark::DoNotOptimize(judged.triangulation.steps.data());
    }
}

// The polygons of the simplicity test: the star, the star with a bow tie near its end, random points.
std::vector<Point> lateCrossing(int n) {
    std::vector<Point> v = star(n);
    // Four vertices brought onto one circle, where swapping the middle two always crosses.
    for (int k = n - 5; k <= n - 2; ++k) {
        const double a = std::atan2(v[k].y, v[k].x);
        v[k] = Point(100 * std::cos(a), 100 * std::sin(a), 0.0);
    }
    std::swap(v[n - 3], v[n - 4]);
    return v;
}

std::vector<Point> randomPoints(int n) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(0, 1000);
    std::vector<Point> v;
    for (int k = 0; k < n; ++k) v.emplace_back(coordinate(random), coordinate(random), 0.0);
    return v;
}

void contact(benchmark::State& state, std::vector<Point> (*make)(int), bool simple) {
    const std::vector<Point> v = make(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int a = -1, b = -1;
        if (findContact(v.data(), static_cast<int>(v.size()), a, b) == simple) state.SkipWithError("a wrong verdict");
        benchmark::DoNotOptimize(a + b);
    }
}

void judgeLarge(benchmark::State& state) {
    const std::vector<Point> v = monotone(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const Judgement judged = judgePolygon(v.data(), static_cast<int>(v.size()));
        if (judged.verdict != Verdict::Triangulated) state.SkipWithError("a wrong verdict");
        benchmark::DoNotOptimize(judged.triangulation.steps.data());
    }
}

// A vertex moved back and forth, as a drag does: judged, the lesson built again, and its frame made.
void edit(benchmark::State& state, const Case& shape) {
    const std::vector<Point> v = shape.make(100);
    Workbench bench = openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
    std::vector<Point> moved = v;
    int k = 0;
    for (auto _ : state) {
        moved[0].x = v[0].x + (++k % 2 == 0 ? 0.0f : 0.01f);
        setPolygon(bench, moved);
        relayout(bench);
        const Frame frame = frameOf(bench);
        benchmark::DoNotOptimize(frame.shapes.data());
    }
}

// The console's report as it comes, and each benchmark's time kept for the table: the fastest of its
// repetitions (--benchmark_repetitions), the one least disturbed by whatever else the machine did.
class Table : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> microseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0 || run.run_type != Run::RT_Iteration) continue;
            const double us = run.GetAdjustedRealTime() * 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string name = run.run_name.str();
            const auto it = microseconds.find(name);
            if (it == microseconds.end() || us < it->second) microseconds[name] = us;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

std::string figure(double us) {
    char text[32];
    if (us <= 0) return "-";
    std::snprintf(text, sizeof text, us < 10 ? "%.2f" : us < 1000 ? "%.1f" : "%.0f", us);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    // The records of 100,000 vertices take megabytes: kept in the heap rather than mapped afresh for
    // every run, their pages are not faulted in again each time, which would swamp what is measured.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    struct Run {
        const char* kind;
        void (*run)(benchmark::State&, const Case&);
    };
    for (const Case& shape : Cases) {
        const std::string name = shape.name;
        for (const auto& [kind, run] : {Run{"Lean/", lean}, Run{"Whole/", whole}, Run{"Floor/", textbook}, Run{"Plain/", plain}}) {
            if ((std::string(kind) == "Floor/" || std::string(kind) == "Plain/") && !shape.monotone) continue;
            benchmark::RegisterBenchmark((kind + name).c_str(), run, shape)
                ->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
        }
        if (shape.monotone) {
            benchmark::RegisterBenchmark(("Sweep/" + name).c_str(), sweep, shape)->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("Judge/" + name).c_str(), judge, shape)->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("Edit/" + name).c_str(), edit, shape)->Unit(benchmark::kMicrosecond);
        }
    }
    struct Test {
        const char* name;
        std::vector<Point> (*make)(int);
        bool simple;
    };
    for (const Test& test : {Test{"Contact/monotone", monotone, true}, Test{"Contact/star", star, true},
                             Test{"Contact/late-crossing", lateCrossing, false}, Test{"Contact/random-points", randomPoints, false}}) {
        benchmark::RegisterBenchmark(test.name, contact, test.make, test.simple)
            ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("JudgeLarge/monotone", judgeLarge)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    Table table;
    benchmark::RunSpecifiedBenchmarks(&table);
    std::printf("\n%-11s %7s %10s %10s %10s %10s %8s\n", "shape", "n", "lean us", "plain us", "floor us", "whole us",
                "to plain");
    for (const Case& shape : Cases) {
        for (const int n : {100, 1000, 10000, 100000}) {
            const std::string at = std::string(shape.name) + "/" + std::to_string(n);
            auto time = [&](const char* kind) {
                const auto it = table.microseconds.find(kind + at);
                return it == table.microseconds.end() ? 0.0 : it->second;
            };
            const double leanUs = time("Lean/"), plainUs = time("Plain/"), floorUs = time("Floor/"), wholeUs = time("Whole/");
            if (leanUs == 0) continue;
            std::printf("%-11s %7d %10s %10s %10s %10s %8s\n", shape.name, n, figure(leanUs).c_str(), figure(plainUs).c_str(),
                        figure(floorUs).c_str(), figure(wholeUs).c_str(), plainUs > 0 ? figure(leanUs / plainUs).c_str() : "-");
        }
        const double from = table.microseconds["Lean/" + std::string(shape.name) + "/1000"];
        const double to = table.microseconds["Lean/" + std::string(shape.name) + "/100000"];
        if (from > 0 && to > 0) std::printf("%-11s growth from 1,000 to 100,000: n^%.2f\n", shape.name, std::log(to / from) / std::log(100.0));
    }
    return 0;
}
