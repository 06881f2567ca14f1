// Turns bytes into vertex lists, keeps those the program judges simple and y-monotone, triangulates
// them, and checks the result exactly, the lean entry's too.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "geometry/polygon.h"
#include "geometry/triangulation.h"
#include "support/monotone_polygons.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // Mode 0: a grid of quarter units, where ties and collinear vertices abound. Mode 1: raw floats.
    // Both check exactly that the diagonals cut the polygon into triangles of positive area, the
    // grid once more with the check that shares nothing with the program's geometry.
    bool grid = false;
    const std::vector<Point> v = testing_support::polygonFromBytes(data, size, MaxVertices, grid);
    const int n = static_cast<int>(v.size());
    if (n < 3 || !isSimple(v.data(), n) || !isMonotone(v.data(), n)) return 0;
    const Triangulation t = triangulateMonotone(v.data(), n);
    if (static_cast<int>(t.steps.size()) != n - 1) std::abort();
    std::vector<testing_support::Diagonal> diagonals;
    for (const SweepDiagonal& d : t.diagonals) diagonals.push_back({v[d.from], v[d.to]});
    std::string fault = testing_support::triangulationFault(v, diagonals, grid);
    std::vector<testing_support::IndexPair> shown;
    for (const SweepDiagonal& d : t.diagonals) shown.emplace_back(d.from, d.to);
    if (fault.empty()) fault = testing_support::leanFault(v, shown);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s in:\n%s", fault.c_str(), testing_support::describe(v).c_str());
        std::abort();
    }
    return 0;
}
