// Thousands of random simple y-monotone polygons, each triangulated and checked exactly.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../support/monotone_polygons.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"
#include "scene/scene.h"

using namespace testing_support;

namespace {

struct Tally {
    int polygons = 0;
    int positiveArea = 0;
};

std::vector<Diagonal> triangulate(const std::vector<Point>& polygon) {
    Scene target;
    std::FILE* sink = std::fopen("/dev/null", "w");
    triangulateMonotone(polygon.data(), static_cast<int>(polygon.size()), sink, target);
    std::fclose(sink);
    std::vector<Diagonal> out;
    for (const Segment& s : target.segments) out.push_back({s.start, s.end});
    return out;
}

// PROPERTY_POLYGONS=N runs N polygons per size range instead of 1500, for a longer search.
int polygonsPerRange() {
    const char* text = std::getenv("PROPERTY_POLYGONS");
    return text != nullptr ? std::atoi(text) : 1500;
}

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
        const Verdict verdict = checkTriangulation(polygon, triangulate(polygon));
        ++tally.polygons;
        tally.positiveArea += verdict.positiveArea ? 1 : 0;
        if (!verdict.valid) {
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

TEST(TriangulationProperty, IntegerGridsAreAlwaysTriangulations) {
    for (const auto& [minN, maxN] : {std::pair{3, 8}, std::pair{9, 30}, std::pair{31, 100}}) {
        const Tally tally = sweepMany(Kind::Grid, polygonsPerRange(), 7u + maxN, minN, maxN);
        std::printf("integer grids of %d..%d vertices: %d of %d with positive-area triangles (%.1f %%)\n", minN,
                    maxN, tally.positiveArea, tally.polygons, 100.0 * tally.positiveArea / tally.polygons);
        RecordProperty("positive_area_" + std::to_string(maxN), tally.positiveArea);
    }
}
