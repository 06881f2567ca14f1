// The partition into monotone pieces on named polygons: each vertex's type, the diagonals in the
// order the sweep adds them, and the edges on the sweep line.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../support/polygon_of.h"
#include "geometry/partition.h"
#include "geometry/polygon.h"

namespace {

// One letter per vertex in input order: s start, e end, p split, m merge, r regular.
std::string types(const Partition& p) {
    std::string out;
    for (const VertexType t : p.types) out += "sepmr"[static_cast<int>(t)];
    return out;
}

// The diagonals as "from-to" in vertex numbers from 1, in the order added.
std::string diagonals(const Partition& p) {
    std::string out;
    for (const PartitionDiagonal& d : p.diagonals) {
        out += (out.empty() ? "" : " ") + std::to_string(d.from + 1) + "-" + std::to_string(d.to + 1);
    }
    return out;
}

}  // namespace

TEST(Partition, NamedPolygonsGetTheirTypesAndDiagonals) {
    struct Case {
        const char* name;
        std::vector<Point> polygon;
        const char* types;
        const char* diagonals;
    };
    const Case cases[] = {
        {"a W: one split, two merges", polygonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}}),
         "sepersmsmr", "3-8 2-9 4-7"},
        {"a comb, teeth down: the tops of the gaps split",
         polygonOf({{0, 4}, {0, 0}, {1, 0}, {1, 3}, {2, 3}, {2, 0}, {3, 0}, {3, 3}, {4, 3}, {4, 0}, {5, 0}, {5, 4}}),
         "sreprreprrer", "4-12 8-5"},
        {"an H: the bar's notches, level pairs, one diagonal for a split and a merge",
         polygonOf({{0, 0}, {1, 0}, {1, 2}, {2, 2}, {2, 0}, {3, 0}, {3, 5}, {2, 5}, {2, 3}, {1, 3}, {1, 5}, {0, 5}}),
         "reprrersmrrs", "3-9"},
        {"a spiral", polygonOf({{0, 0}, {5, 0}, {5, 5}, {1, 5}, {1, 2}, {3, 2}, {3, 3}, {2, 3}, {2, 4}, {4, 4}, {4, 1}, {0, 1}}),
         "rersrerrprms", "9-3 1-11"},
        {"a crown: three vertices at the top, three at each dip's height",
         polygonOf({{0, 0}, {6, 0}, {6, 4}, {5, 2}, {4, 4}, {3, 2}, {2, 4}, {1, 2}, {0, 4}}), "resmsmsms", "6-8 4-6 1-4"},
        {"a notch with a level floor, clockwise", polygonOf({{0, 0}, {0, 4}, {4, 4}, {4, 0}, {3, 0}, {3, 2}, {1, 2}, {1, 0}}),
         "rsrerrpe", "7-3"},
        {"a square: monotone, nothing to cut", polygonOf({{0, 0}, {4, 0}, {4, 4}, {0, 4}}), "rers", ""},
        {"collinear vertices along a side", polygonOf({{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {0, 4}}), "rrerrs", ""},
    };
    for (const Case& c : cases) {
        const int n = static_cast<int>(c.polygon.size());
        const Partition p = partitionMonotone(c.polygon.data(), n);
        EXPECT_EQ(types(p), c.types) << c.name;
        EXPECT_EQ(diagonals(p), c.diagonals) << c.name;
        EXPECT_EQ(p.pieces.size(), p.diagonals.size() + 1) << c.name;
        EXPECT_EQ(triangulatePolygon(c.polygon.data(), n).diagonals.size(), static_cast<size_t>(n - 3)) << c.name;
        int lean[16][2];
        EXPECT_EQ(triangulateDiagonals(c.polygon.data(), n, lean), n - 3) << c.name;
    }
    // Below four vertices there is nothing to cut, and nothing is written.
    int untouched[1][2] = {{-7, -7}};
    for (const int n : {0, 1, 2, 3}) EXPECT_EQ(triangulateDiagonals(cases[0].polygon.data(), n, untouched), 0);
    EXPECT_EQ(untouched[0][0], -7);
}

TEST(Partition, TheSweepLineHoldsItsEdgesLeftToRightWithTheirHelpers) {
    // The W after its split vertex 3 (4,3): the left side, helped last by vertex 10 (1,6); the edge
    // from 8 on its left, which 3 now helps after joining 8; the new edge from 3 down; and the right
    // leg's inner edge from 6, helped by vertex 5 (8,6).
    const std::vector<Point> w = polygonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}});
    const Partition p = partitionMonotone(w.data(), 10);
    int step = 0;
    while (p.steps[step].vertex != 2) ++step;
    std::string line;
    const std::vector<std::vector<StatusEdge>> lines = statusAfterEach(p, w.data(), 10);
    for (const StatusEdge& e : lines[step]) {
        line += std::to_string(e.edge + 1) + "/" + std::to_string(e.helper + 1) + " ";
    }
    EXPECT_EQ(line, "1/10 8/3 3/3 6/5 ");
}
