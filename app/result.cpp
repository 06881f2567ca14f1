#include "app/result.h"

#include <algorithm>
#include <utility>

#include "geometry/guards.h"
#include "geometry/polygon.h"

namespace {

// The pieces of the polygon, each along the boundary as the polygon was typed, from its smallest
// vertex; in order of those vertices.
std::vector<std::vector<int>> piecesOf(const Judgement& judged) {
    const int n = static_cast<int>(judged.vertices.size());
    std::vector<std::vector<int>> pieces;
    if (judged.verdict == Verdict::Triangulated) {
        std::vector<int> whole(n);
        for (int i = 0; i < n; ++i) whole[i] = i;
        pieces.push_back(whole);
        return pieces;
    }
    // The partition keeps its pieces counter-clockwise: a polygon typed clockwise has them reversed.
    const bool clockwise = polygonOrientation(judged.vertices.data(), n) < 0;
    for (std::vector<int> piece : judged.whole.partition.pieces) {
        if (clockwise) std::reverse(piece.begin(), piece.end());
        std::rotate(piece.begin(), std::min_element(piece.begin(), piece.end()), piece.end());
        pieces.push_back(piece);
    }
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

}  // namespace

std::vector<std::string> resultLines(const Judgement& judged) {
    switch (judged.verdict) {
        case Verdict::FewerThanThree:
            return {"Nema triangulacije: manje od tri temena."};
        case Verdict::NotSimple:
            return {"Nema triangulacije: poligon nije prost."};
        case Verdict::Triangulated:
        case Verdict::NotMonotone:
            break;
    }
    std::vector<std::pair<int, int>> diagonals;
    auto add = [&](int a, int b) { diagonals.emplace_back(std::min(a, b) + 1, std::max(a, b) + 1); };
    if (judged.verdict == Verdict::Triangulated) {
        for (const SweepDiagonal& d : judged.triangulation.diagonals) add(d.from, d.to);
    } else {
        for (const WholeDiagonal& d : judged.whole.diagonals) add(d.from, d.to);
    }
    std::sort(diagonals.begin(), diagonals.end());
    std::vector<std::string> lines;
    lines.push_back("Dijagonale: " + std::to_string(diagonals.size()));
    for (const auto& [a, b] : diagonals) lines.push_back("dijagonala " + std::to_string(a) + "-" + std::to_string(b));
    const std::vector<std::vector<int>> pieces = piecesOf(judged);
    lines.push_back("Monotoni delovi: " + std::to_string(pieces.size()));
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        std::string line = "deo " + std::to_string(k + 1) + ":";
        for (const int v : pieces[k]) line += " " + std::to_string(v + 1);
        lines.push_back(line);
    }
    // The guards: the smallest colour class of the triangulation's three-colouring.
    const Gallery gallery = guardJudged(judged);
    lines.push_back("Cuvari: " + std::to_string(gallery.guards.size()));
    for (const int v : gallery.guards) lines.push_back("cuvar " + std::to_string(v + 1));
    return lines;
}
