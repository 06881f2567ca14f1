// Turns bytes into vertex lists and checks the simplicity test's first contact against a search of
// every pair; keeps those the program judges simple, cuts them into monotone pieces, triangulates the
// whole, and checks the result exactly; and checks that the lean entry gives the diagonals the
// program shows, at every scale by a power of two.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "geometry/partition.h"
#include "geometry/polygon.h"
#include "geometry/triangulation.h"
#include "support/monotone_polygons.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // Mode 0: a grid of quarter units, where equal heights and collinear vertices abound. Mode 1:
    // raw floats. Both check that every piece is monotone and that the diagonals cut the polygon
    // into triangles of positive area, the grid once more with the check that shares nothing with
    // the program's geometry.
    constexpr std::size_t Most = 300;
    bool grid = false;
    const std::vector<Point> v = testing_support::polygonFromBytes(data, size, Most, grid);
    const int n = static_cast<int>(v.size());
    if (n < 3) return 0;
    int a = -1;
    int b = -1;
    const bool contact = findContact(v.data(), n, a, b);
    if (std::make_pair(a, b) != testing_support::firstContactByPairs(v) || anyContact(v.data(), n) != contact ||
        isSimple(v.data(), n) == contact) {
        std::fprintf(stderr, "the first contact (%d, %d) is not the pair search's in:\n%s", a, b, testing_support::describe(v).c_str());
        std::abort();
    }
    if (contact) return 0;
    const WholeTriangulation whole = triangulatePolygon(v.data(), n);
    std::string fault;
    for (const std::vector<int>& piece : whole.partition.pieces) {
        std::vector<Point> points;
        for (const int i : piece) points.push_back(v[i]);
        if (!isMonotone(points.data(), static_cast<int>(points.size()))) fault = "a piece is not monotone";
    }
    std::vector<testing_support::Diagonal> diagonals;
    for (const WholeDiagonal& d : whole.diagonals) diagonals.push_back({v[d.from], v[d.to]});
    if (fault.empty()) fault = testing_support::triangulationFault(v, diagonals, grid);
    // The lean entry gives what the program shows: a monotone polygon's stack sweep, else the whole.
    std::vector<testing_support::IndexPair> shown;
    if (isMonotone(v.data(), n)) {
        for (const SweepDiagonal& d : triangulateMonotone(v.data(), n).diagonals) shown.emplace_back(d.from, d.to);
    } else {
        for (const WholeDiagonal& d : whole.diagonals) shown.emplace_back(d.from, d.to);
    }
    if (fault.empty()) fault = testing_support::leanFault(v, shown);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s in:\n%s", fault.c_str(), testing_support::describe(v).c_str());
        std::abort();
    }
    return 0;
}
