// Turns bytes into vertex lists, keeps those the program judges simple, cuts them into monotone
// pieces, triangulates the whole, and checks the result exactly.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "geometry/partition.h"
#include "geometry/polygon.h"
#include "support/monotone_polygons.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // Mode 0: a grid of quarter units, where equal heights and collinear vertices abound. Mode 1:
    // raw floats. Both check that every piece is monotone and that the diagonals cut the polygon
    // into triangles of positive area, the grid once more with the check that shares nothing with
    // the program's geometry.
    constexpr std::size_t Most = 300;
    const bool grid = data[0] % 2 == 0;
    std::vector<Point> v;
    if (grid) {
        for (std::size_t i = 1; i + 1 < size && v.size() < Most; i += 2) {
            v.emplace_back(static_cast<std::int8_t>(data[i]) / 4.0, static_cast<std::int8_t>(data[i + 1]) / 4.0, 0.0);
        }
    } else {
        for (std::size_t i = 1; i + 8 <= size && v.size() < Most; i += 8) {
            float x, y;
            std::memcpy(&x, data + i, 4);
            std::memcpy(&y, data + i + 4, 4);
            if (!std::isfinite(x) || !std::isfinite(y)) return 0;
            v.emplace_back(x, y, 0.0);
        }
    }
    const int n = static_cast<int>(v.size());
    if (n < 3 || !isSimple(v.data(), n)) return 0;
    const WholeTriangulation whole = triangulatePolygon(v.data(), n);
    std::string fault;
    for (const std::vector<int>& piece : whole.partition.pieces) {
        std::vector<Point> points;
        for (const int i : piece) points.push_back(v[i]);
        if (!isMonotone(points.data(), static_cast<int>(points.size()))) fault = "a piece is not monotone";
    }
    std::vector<testing_support::Diagonal> diagonals;
    for (const WholeDiagonal& d : whole.diagonals) diagonals.push_back({v[d.from], v[d.to]});
    if (fault.empty()) fault = testing_support::floatTriangulationFault(v, diagonals);
    if (grid && fault.empty()) {
        const testing_support::Verdict verdict = testing_support::checkTriangulation(v, diagonals);
        fault = !verdict.valid ? verdict.why : verdict.flat;
    }
    if (!fault.empty()) {
        std::fprintf(stderr, "%s in:\n%s", fault.c_str(), testing_support::describe(v).c_str());
        std::abort();
    }
    return 0;
}
