// Times the sweep alone (no listing, no scene) with the full record it returns: for every step the
// stack before and after, the entries popped and the candidate refused, if any. Four shapes, each at
// n = 100; each should take at most 5 us.
// Then what the window does after an edit of a 100-vertex polygon: the whole judgement (the
// simplicity test, monotonicity, the sweep), and that plus the scene built anew; at most 100 us.
// Then any simple polygon: the partition into monotone pieces alone, and the whole triangulation,
// of a star with random radii and of a spiral, at 100 to 100,000 vertices; the whole at n = 100
// within 15 us, and growing no faster than n log n; and two with long runs of vertices at one height,
// a rectangle with a crowded side and a comb.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geometry/judgement.h"
#include "geometry/partition.h"
#include "geometry/polygon.h"
#include "scene/scene.h"
#include "viewer/frame.h"
#include "viewer/workbench.h"
#include "geometry/triangulation.h"
#include "support/monotone_polygons.h"

namespace {

constexpr int N = 100;

// A regular 100-gon.
std::vector<Point> convex() {
    std::vector<Point> v;
    for (int i = 0; i < N; ++i) {
        const double a = 2 * M_PI * i / N + 0.01;
        v.emplace_back(100 * std::cos(a), 100 * std::sin(a), 0.0);
    }
    return v;
}

// A random simple y-monotone polygon with real coordinates (the property test's generator).
std::vector<Point> random() {
    std::mt19937 generator(2026);
    return testing_support::randomMonotonePolygon(generator, N, testing_support::Kind::Real);
}

// A right side of one vertex halfway down, and a left side that bends inwards at every vertex: the
// upper half of the left chain piles up on the stack, each vertex refused at a reflex corner, until
// the right vertex's fan clears all 49 entries; below it, each left vertex is cut off at once.
std::vector<Point> reflexChain() {
    std::vector<Point> v;
    v.emplace_back(-30.0, 100.0, 0.0);
    for (int i = 1; i < N - 2; ++i) {
        const double t = static_cast<double>(i) / (N - 2);
        v.emplace_back(-30.0 + 100.0 * t * (1.0 - t), 100.0 - 100.0 * t, 0.0);
    }
    v.emplace_back(-30.0, 0.0, 0.0);
    v.emplace_back(50.0, 50.0, 0.0);
    return v;
}

// Both sides are staircases with their steps at the same heights: many ties across the chains.
std::vector<Point> staircases() {
    std::vector<Point> v;
    const int steps = N / 4;
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

void run(benchmark::State& state, const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    if (n != N || !isSimple(v.data(), n) || !isMonotone(v.data(), n)) {
        state.SkipWithError("not a simple monotone polygon");
        return;
    }
    for (auto _ : state) {
        const Triangulation result = triangulateMonotone(v.data(), n);
        benchmark::DoNotOptimize(result.steps.data());
        benchmark::DoNotOptimize(result.stackEntries.data());
    }
}

void Convex(benchmark::State& state) { run(state, convex()); }
void Random(benchmark::State& state) { run(state, random()); }
void ReflexChain(benchmark::State& state) { run(state, reflexChain()); }
void Staircases(benchmark::State& state) { run(state, staircases()); }

void judge(benchmark::State& state, const std::vector<Point>& v) {
    for (auto _ : state) {
        const Judgement judged = judgePolygon(v.data(), static_cast<int>(v.size()));
        benchmark::DoNotOptimize(judged.triangulation.steps.data());
    }
}

// A vertex moved back and forth, as a drag does: judged, the lesson built again, and its frame made.
void edit(benchmark::State& state, const std::vector<Point>& v) {
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

// A rectangle whose bottom side holds all but two of the vertices, every one at the same height.
std::vector<Point> flat(int n) {
    std::vector<Point> v;
    for (int i = 0; i + 2 < n; ++i) v.emplace_back(i, 0.0, 0.0);
    v.emplace_back(n - 2, 5.0, 0.0);
    v.emplace_back(-1.0, 5.0, 0.0);
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

// Times `work` on the shape at the size the benchmark asks for; `work` returns false when its
// result is wrong.
template <typename Work>
void onShape(benchmark::State& state, std::vector<Point> (*shape)(int), Work work) {
    const std::vector<Point> v = shape(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(v.size());
    if (n <= 1000 && !isSimple(v.data(), n)) state.SkipWithError("not simple");
    for (auto _ : state) {
        if (!work(v.data(), n)) state.SkipWithError("a wrong result");
    }
    state.SetComplexityN(n);
}

void partition(benchmark::State& state, std::vector<Point> (*shape)(int)) {
    onShape(state, shape, [](const Point* v, int n) {
        const Partition p = partitionMonotone(v, n);
        benchmark::DoNotOptimize(p.pieces.data());
        return !p.pieces.empty();
    });
}

void whole(benchmark::State& state, std::vector<Point> (*shape)(int)) {
    onShape(state, shape, [](const Point* v, int n) {
        const WholeTriangulation t = triangulatePolygon(v, n);
        benchmark::DoNotOptimize(t.diagonals.data());
        return static_cast<int>(t.diagonals.size()) == n - 3;
    });
}

void PartitionStar(benchmark::State& state) { partition(state, star); }
void PartitionSpiral(benchmark::State& state) { partition(state, spiral); }
void WholeStar(benchmark::State& state) { whole(state, star); }
void WholeSpiral(benchmark::State& state) { whole(state, spiral); }
void WholeFlat(benchmark::State& state) { whole(state, flat); }
void WholeComb(benchmark::State& state) { whole(state, comb); }

void JudgeConvex(benchmark::State& state) { judge(state, convex()); }
void JudgeRandom(benchmark::State& state) { judge(state, random()); }
void EditConvex(benchmark::State& state) { edit(state, convex()); }
void EditRandom(benchmark::State& state) { edit(state, random()); }

}  // namespace

BENCHMARK(Convex)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Random)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ReflexChain)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Staircases)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(JudgeConvex)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(JudgeRandom)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(EditConvex)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(EditRandom)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(PartitionStar)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
BENCHMARK(PartitionSpiral)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
BENCHMARK(WholeStar)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
BENCHMARK(WholeSpiral)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
BENCHMARK(WholeFlat)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
BENCHMARK(WholeComb)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
BENCHMARK_MAIN();
