#include "geometry/guards.h"

#include <algorithm>
#include <utility>

#include "geometry/partition.h"

namespace {

// Whether a and b are neighbours on the boundary of a polygon of n vertices.
bool outlineEdge(int a, int b, int n) {
    const int d = a > b ? a - b : b - a;
    return d == 1 || d == n - 1;
}

}  // namespace

Gallery guardGallery(const Point* vertices, int vertexCount, const std::vector<std::array<int, 2>>& diagonals) {
    Gallery gallery;
    const int n = vertexCount;
    if (n < 3 || static_cast<int>(diagonals.size()) != n - 3) return gallery;
    std::vector<PartitionDiagonal> cuts;
    cuts.reserve(diagonals.size());
    for (const auto& d : diagonals) {
        if (d[0] < 0 || d[1] < 0 || d[0] >= n || d[1] >= n || outlineEdge(d[0], d[1], n)) return gallery;
        cuts.push_back({d[0], d[1], 0});
    }
    const std::vector<std::vector<int>> faces = facesOf(vertices, n, cuts);
    if (static_cast<int>(faces.size()) != n - 2) return gallery;
    for (const std::vector<int>& f : faces) {
        if (f.size() != 3) return Gallery{};
        gallery.triangles.push_back({f[0], f[1], f[2]});
    }

    // Each diagonal lies between the two triangles that hold both its ends.
    std::vector<std::vector<std::pair<int, int>>> around(n);  // by vertex: (triangle, corner)
    for (int t = 0; t < n - 2; ++t)
        for (int c = 0; c < 3; ++c) around[gallery.triangles[t][c]].push_back({t, c});
    auto holding = [&](int a, int b) {
        std::vector<int> found;
        for (const auto& [t, c] : around[a]) {
            const auto& tri = gallery.triangles[t];
            if (tri[0] == b || tri[1] == b || tri[2] == b) found.push_back(t);
        }
        return found;
    };
    std::vector<std::vector<int>> linksOf(n - 2);  // by triangle: its links, in the diagonals' order
    for (const auto& d : diagonals) {
        const std::vector<int> two = holding(d[0], d[1]);
        if (two.size() != 2) return Gallery{};
        linksOf[two[0]].push_back(static_cast<int>(gallery.links.size()));
        linksOf[two[1]].push_back(static_cast<int>(gallery.links.size()));
        gallery.links.push_back({two[0], two[1], std::min(d[0], d[1]), std::max(d[0], d[1])});
    }

    // The walk: from the triangle on the outline edge 0-1, depth first.
    const std::vector<int> start = holding(0, 1);
    if (start.size() != 1) return Gallery{};
    gallery.colour.assign(n, -1);
    std::array<int, 3> first = gallery.triangles[start[0]];
    std::rotate(first.begin(), std::find(first.begin(), first.end(), 0), first.end());
    for (int c = 0; c < 3; ++c) gallery.colour[first[c]] = c;
    std::vector<bool> reached(n - 2, false);
    reached[start[0]] = true;
    gallery.walk.push_back({start[0], -1, {-1, -1}, -1, -1});
    std::vector<std::pair<int, std::size_t>> path{{start[0], 0}};  // (triangle, its next link)
    while (!path.empty()) {
        auto& [t, next] = path.back();
        if (next == linksOf[t].size()) {
            path.pop_back();
            continue;
        }
        const DualLink& link = gallery.links[linksOf[t][next++]];
        const int other = link.a == t ? link.b : link.a;
        if (reached[other]) continue;  // the link it was reached by
        reached[other] = true;
        int third = -1;
        for (const int v : gallery.triangles[other])
            if (v != link.from && v != link.to) third = v;
        const int colour = 3 - gallery.colour[link.from] - gallery.colour[link.to];
        gallery.colour[third] = colour;
        gallery.walk.push_back({other, t, {link.from, link.to}, third, colour});
        path.push_back({other, 0});
    }
    // n - 2 triangles reached by n - 3 links: a tree.
    if (static_cast<int>(gallery.walk.size()) != n - 2) return Gallery{};

    for (const int c : gallery.colour) {
        if (c < 0) return Gallery{};  // a vertex in no triangle
        ++gallery.classSize[c];
    }
    gallery.guardColour = static_cast<int>(std::min_element(gallery.classSize.begin(), gallery.classSize.end()) -
                                           gallery.classSize.begin());
    for (int v = 0; v < n; ++v)
        if (gallery.colour[v] == gallery.guardColour) gallery.guards.push_back(v);
    for (const auto& tri : gallery.triangles)
        for (const int v : tri)
            if (gallery.colour[v] == gallery.guardColour) gallery.seenBy.push_back(v);
    return gallery;
}

Gallery guardJudged(const Judgement& judged) {
    std::vector<std::array<int, 2>> diagonals;
    switch (judged.verdict) {
        case Verdict::FewerThanThree:
        case Verdict::NotSimple:
            return {};
        case Verdict::Triangulated:
            for (const SweepDiagonal& d : judged.triangulation.diagonals) diagonals.push_back({d.from, d.to});
            break;
        case Verdict::NotMonotone:
            for (const WholeDiagonal& d : judged.whole.diagonals) diagonals.push_back({d.from, d.to});
            break;
    }
    return guardGallery(judged.vertices.data(), static_cast<int>(judged.vertices.size()), diagonals);
}
