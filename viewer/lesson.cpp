#include "viewer/lesson.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/partition.h"
#include "viewer/layout.h"
#include "viewer/text.h"

namespace {

std::string format(const char* pattern, int a, int b = 0, int c = 0, int d = 0, int e = 0) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, a, b, c, d, e);
    return text;
}

// Vertex numbers as the dialogue numbers them, from 1: "3", "3 i 7", "3, 7 i 9"; "nema" for none.
template <typename Indices>
std::string numbers(const Indices& indices) {
    const int count = static_cast<int>(indices.size());
    if (count == 0) return "nema";
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += (i == 0 ? "" : i + 1 == count ? " i " : ", ") + std::to_string(indices[i] + 1);
    }
    return out;
}

const char* typeName(VertexType t) {
    switch (t) {
        case VertexType::Start:
            return "početno";
        case VertexType::End:
            return "krajnje";
        case VertexType::Split:
            return "razdvajanje";
        case VertexType::Merge:
            return "spajanje";
        case VertexType::Regular:
            break;
    }
    return "pravilno";
}

Segment coloured(const Point& a, const Point& b, Colour colour) {
    Segment s(a, b);
    s.colour = colour;
    return s;
}

// The sweep line through `vertex`, about centred on the picture: its point's abscissa is the vertex
// abscissa nearest the middle of the polygon, a float exact wherever the polygon lies, and it
// reaches past the polygon on both sides.
SweepLine sweepLineAt(const std::vector<Point>& v, int vertex) {
    const auto [left, right] = std::minmax_element(v.begin(), v.end(), [](const Point& a, const Point& b) {
        return a.x < b.x;
    });
    const double middle = (static_cast<double>(left->x) + right->x) / 2;
    float across = left->x;
    for (const Point& p : v) {
        if (std::abs(p.x - middle) < std::abs(across - middle)) across = p.x;
    }
    return {Point(across, v[vertex].y, 0.0),
            std::max(across - static_cast<double>(left->x), static_cast<double>(right->x) - across)};
}

// The polygon's outline as the dialogue registers it: each vertex to the next, then the first to the last.
std::vector<Segment> outlineOf(const std::vector<Point>& v) {
    std::vector<Segment> out;
    const int n = static_cast<int>(v.size());
    if (n == 0) return out;
    for (int i = 0; i + 1 < n; ++i) out.push_back(coloured(v[i], v[i + 1], Black));
    out.push_back(coloured(v[0], v[n - 1], Black));
    return out;
}

// A monotone polygon's diagonals up to `count`, from the vertex under the sweep to the stack entry.
std::vector<Segment> sweptDiagonals(const std::vector<Point>& v, const Triangulation& t, int count) {
    std::vector<Segment> out;
    for (int d = 0; d < count; ++d) {
        out.push_back(coloured(v[t.diagonals[d].from], v[t.diagonals[d].to], diagonalColour(t.diagonals[d].made)));
    }
    return out;
}

// The whole polygon's boundary, or a piece's, in its order.
std::vector<int> boundaryOf(const Judgement& judged, int piece) {
    if (piece >= 0) return judged.whole.partition.pieces[piece];
    std::vector<int> cycle(judged.vertices.size());
    for (std::size_t i = 0; i < cycle.size(); ++i) cycle[i] = static_cast<int>(i);
    return cycle;
}

// What a partition page needs of the polygon, worked out once for all of them.
struct Cut {
    std::vector<std::vector<StatusEdge>> line;  // after each step
    std::vector<int> tints;                     // by piece
    std::vector<std::vector<std::vector<int>>> triangles;  // by piece
};

// The triangles of piece `piece`: the faces its boundary and its sweep's diagonals cut it into.
std::vector<std::vector<int>> pieceTriangles(const Judgement& judged, int piece) {
    const std::vector<int>& cycle = judged.whole.partition.pieces[piece];
    std::vector<Point> points;
    std::vector<int> local(judged.vertices.size(), -1);
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        points.push_back(judged.vertices[cycle[k]]);
        local[cycle[k]] = static_cast<int>(k);
    }
    std::vector<PartitionDiagonal> diagonals;
    for (const SweepDiagonal& d : judged.whole.pieces[piece].diagonals) diagonals.push_back({local[d.from], local[d.to], 0});
    std::vector<std::vector<int>> faces = facesOf(points.data(), static_cast<int>(points.size()), diagonals);
    for (std::vector<int>& face : faces) {
        for (int& i : face) i = cycle[i];
    }
    return faces;
}

// Each piece's tint: its own, by turns, unless a neighbour (a piece across one of the partition's
// diagonals) has it already.
std::vector<int> pieceTints(const Partition& p) {
    const int count = static_cast<int>(p.pieces.size());
    auto key = [](int a, int b) { return std::make_pair(std::min(a, b), std::max(a, b)); };
    std::vector<std::pair<std::pair<int, int>, int>> sides;  // (a diagonal, a piece along it)
    for (const PartitionDiagonal& d : p.diagonals) sides.push_back({key(d.from, d.to), -1});
    std::sort(sides.begin(), sides.end());
    std::vector<std::vector<int>> neighbours(count);
    for (int q = 0; q < count; ++q) {
        const std::vector<int>& cycle = p.pieces[q];
        for (std::size_t k = 0; k < cycle.size(); ++k) {
            const auto edge = key(cycle[k], cycle[(k + 1) % cycle.size()]);
            auto it = std::lower_bound(sides.begin(), sides.end(), std::make_pair(edge, -1));
            if (it == sides.end() || it->first != edge) continue;
            if (it->second >= 0) {
                neighbours[q].push_back(it->second);
                neighbours[it->second].push_back(q);
            } else {
                it->second = q;
            }
        }
    }
    std::vector<int> tints(count, -1);
    for (int q = 0; q < count; ++q) {
        for (int t = 0; t < PieceTints && tints[q] < 0; ++t) {
            const int tint = (q + t) % PieceTints;
            if (std::none_of(neighbours[q].begin(), neighbours[q].end(), [&](int o) { return tints[o] == tint; })) {
                tints[q] = tint;
            }
        }
    }
    return tints;
}

Cut cutOf(const Judgement& judged) {
    Cut cut;
    const Partition& p = judged.whole.partition;
    cut.line = statusAfterEach(p, judged.vertices.data(), static_cast<int>(judged.vertices.size()));
    cut.tints = pieceTints(p);
    for (int q = 0; q < static_cast<int>(p.pieces.size()); ++q) cut.triangles.push_back(pieceTriangles(judged, q));
    return cut;
}

// The pieces filled with their tints: every one, or only `active` with the others under a veil.
void pieceFills(const Judgement& judged, const Cut& cut, int active, PageMarks& marks) {
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    for (int q = 0; q < static_cast<int>(cut.tints.size()); ++q) {
        const bool tinted = active < 0 || q == active;
        for (const std::vector<int>& f : cut.triangles[q]) {
            for (std::size_t k = 1; k + 1 < f.size(); ++k) {
                (tinted ? marks.pieces : marks.veiled).push_back({v[f[0]], v[f[k]], v[f[k + 1]], tinted ? cut.tints[q] : -1});
            }
        }
        if (tinted) continue;
        // The veil's own edge half covers the polygon's edges along it: they are drawn again, faded.
        const std::vector<int>& cycle = judged.whole.partition.pieces[q];
        for (std::size_t k = 0; k < cycle.size(); ++k) {
            const int a = cycle[k];
            const int b = cycle[(k + 1) % cycle.size()];
            if ((a + 1) % n == b || (b + 1) % n == a) marks.fadedEdges.push_back(Segment(v[a], v[b]));
        }
    }
}

// The diagonals a page of a polygon that is not monotone has so far: the partition's before the
// step `partitionStep` (all of them when -1), and each piece's before piece `piece`'s step `index`
// (every piece's when `piece` is past the last).
void diagonalsSoFar(const Judgement& judged, int partitionStep, int piece, int index, PageMarks& marks) {
    const std::vector<Point>& v = judged.vertices;
    const Partition& p = judged.whole.partition;
    const int partitionDiagonals = partitionStep >= 0 ? p.steps[partitionStep].firstDiagonal : static_cast<int>(p.diagonals.size());
    for (int d = 0; d < partitionDiagonals; ++d) marks.partition.push_back(Segment(v[p.diagonals[d].from], v[p.diagonals[d].to]));
    if (partitionStep >= 0) return;
    const int pieces = std::min(piece + 1, static_cast<int>(judged.whole.pieces.size()));
    for (int q = 0; q < pieces; ++q) {
        const Triangulation& t = judged.whole.pieces[q];
        const int count = q == piece ? t.steps[index].firstDiagonal : static_cast<int>(t.diagonals.size());
        const std::vector<Segment> diagonals = sweptDiagonals(v, t, count);
        marks.segments.insert(marks.segments.end(), diagonals.begin(), diagonals.end());
    }
}

// What the verdict points at: the two edges that meet, in magenta, or the split and merge vertices,
// ringed in magenta (wide enough to hold the shape) and marked with their shapes.
void verdictMarks(const Judgement& judged, PageMarks& marks) {
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    if (judged.verdict == Verdict::NotSimple) {
        for (const int e : judged.contact) marks.segments.push_back(coloured(v[e], v[(e + 1) % n], Magenta));
    }
    if (judged.verdict == Verdict::NotMonotone) {
        for (const int t : splitOrMergeVertices(judged.whole.partition)) {
            marks.rings.push_back({v[t], 2.2f, Magenta});
            marks.types.push_back({v[t], judged.whole.partition.types[t]});
        }
    }
}

// Each builder below gives a page's own caption; the lesson then puts the verdict above it and the
// page's place in the whole lesson before its first line (see buildLesson).

// Each kind of page, built in one place.

Page fullPage(const Judgement& judged) {
    Page page;
    page.marks.outline = outlineOf(judged.vertices);
    if (judged.verdict == Verdict::Triangulated) {
        page.marks.diagonals = sweptDiagonals(judged.vertices, judged.triangulation,
                                              static_cast<int>(judged.triangulation.diagonals.size()));
    }
    verdictMarks(judged, page.marks);
    return page;
}

Page whyPage(const Judgement& judged) {
    Page page;
    switch (judged.verdict) {
        case Verdict::NotMonotone:
            page.caption = {"Teme razdvajanja (trougao nagore): oba suseda su niža, a unutrašnjost je s obe strane.",
                            "Teme spajanja (trougao nadole): oba suseda su viša, a unutrašnjost je s obe strane.",
                            "Dalje: podela na monotone delove, pa triangulacija svakog dela."};
            break;
        case Verdict::NotSimple:
            page.caption = {"Nema koraka: samo prost poligon može da se trianguliše."};
            break;
        default:
            page.caption = {"Nema koraka."};
            break;
    }
    page.marks.outline = outlineOf(judged.vertices);
    verdictMarks(judged, page.marks);
    const int n = static_cast<int>(judged.vertices.size());
    auto add = [&](int vertex) {
        if (std::find(page.concerned.begin(), page.concerned.end(), vertex) == page.concerned.end()) {
            page.concerned.push_back(vertex);
        }
    };
    if (judged.verdict == Verdict::FewerThanThree) {
        for (int v = 0; v < n; ++v) add(v);
    }
    if (judged.verdict == Verdict::NotSimple) {
        for (const int e : judged.contact) {
            add(e);
            add((e + 1) % n);
        }
    }
    for (const int v : splitOrMergeVertices(judged.whole.partition)) add(v);
    return page;
}

// The line, the edges on it (wide, orange) each tied to its helper by a thin line, the vertex
// marked by its type, the diagonals so far and this step's; on the last step the pieces the
// diagonals cut, each in its tint. The panel lists the line's edges; the caption the vertex, its
// type and its new diagonals.
Page partitionPage(const Judgement& judged, const Cut& cut, int index) {
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    const Partition& p = judged.whole.partition;
    const PartitionStep& step = p.steps[index];
    Page page;
    page.panel = Panel::Status;
    page.caption.push_back(format("Korak %d od %d: teme %d, vrsta: ", index + 1, n, step.vertex + 1) + typeName(step.type));
    if (step.type == VertexType::Merge && step.helped >= 0) {
        page.caption.push_back(format("Teme %d je teme spajanja: postaje pomoćnik ivice ", step.vertex + 1) +
                               edgeName(step.helped, n) +
                               "; dijagonala iz njega ide nadole, do sledećeg temena koje vidi tu ivicu.");
    }
    for (const PartitionDiagonal& d : p.diagonalsOf(step)) {
        std::string line = format("Nova dijagonala: %d-%d (pomoćnik ivice ", d.from + 1, d.to + 1) + edgeName(d.helperOf, n);
        if (p.types[d.to] == VertexType::Merge) line += format(" bio je teme spajanja %d", d.to + 1);
        page.caption.push_back(line + ")");
    }
    PageMarks& marks = page.marks;
    if (index + 1 == n) pieceFills(judged, cut, -1, marks);
    marks.outline = outlineOf(v);
    marks.lines.push_back(sweepLineAt(v, step.vertex));
    diagonalsSoFar(judged, index, 0, 0, marks);
    for (const StatusEdge& e : cut.line[index]) {
        const Point& a = v[e.edge];
        const Point& b = v[(e.edge + 1) % n];
        marks.wide.push_back(coloured(a, b, Orange));
        const Point middle((static_cast<double>(a.x) + b.x) / 2, (static_cast<double>(a.y) + b.y) / 2, 0.0);
        marks.segments.push_back(coloured(middle, v[e.helper], Orange));
    }
    for (const PartitionDiagonal& d : p.diagonalsOf(step)) marks.partitionNew.push_back(Segment(v[d.from], v[d.to]));
    marks.types.push_back({v[step.vertex], step.type});
    // The panel: the line after the step, the edge taken off struck where it stood before.
    const std::vector<StatusEdge> none;
    const std::vector<StatusEdge>& before = index > 0 ? cut.line[index - 1] : none;
    for (const StatusEdge& e : cut.line[index]) {
        StatusRow row{e.edge, e.helper, -1, e.edge == step.inserted, false};
        if (e.edge == step.helped) {
            for (const StatusEdge& b : before) {
                if (b.edge == e.edge) row.oldHelper = b.helper;
            }
        }
        page.status.push_back(row);
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].edge != step.removed) continue;
        auto place = page.status.begin();
        for (std::size_t j = 0; j < i; ++j) {
            const auto found = std::find_if(page.status.begin(), page.status.end(),
                                            [&](const StatusRow& r) { return r.edge == before[j].edge; });
            if (found != page.status.end()) place = found + 1;
        }
        page.status.insert(place, StatusRow{before[i].edge, before[i].helper, -1, false, true});
    }
    page.concerned.push_back(step.vertex);
    for (const PartitionDiagonal& d : p.diagonalsOf(step)) page.concerned.push_back(d.to);
    for (const StatusEdge& e : cut.line[index]) page.concerned.push_back(e.helper);
    return page;
}

// A stack-sweep step's caption: the step, its case, what it popped and why the last (or, along the
// same chain, the first) gets no diagonal, why the cuts stopped, what went back on the stack, and the
// number of its diagonals.
std::vector<std::string> stepCaption(const Judgement& judged, const Triangulation& t, int index) {
    const SweepStep& step = t.steps[index];
    const int steps = static_cast<int>(t.steps.size());
    std::vector<std::string> lines;
    if (step.kind == SweepCase::Start) {
        lines.push_back(format("Korak %d od %d: početak", index + 1, steps));
    } else {
        // Six significant digits: a coordinate reads the same however large or small it is.
        const Point& p = judged.vertices[step.vertex];
        char text[200];
        std::snprintf(text, sizeof text, "Korak %d od %d: teme %d (%g,%g)", index + 1, steps, step.vertex + 1,
                      static_cast<double>(p.x), static_cast<double>(p.y));
        lines.push_back(text);
    }
    switch (step.kind) {
        case SweepCase::Start:
            lines.push_back("Dva najviša temena idu na stek.");
            break;
        case SweepCase::OppositeChain:
            lines.push_back("Suprotni lanac: crvene dijagonale do temena sa steka.");
            break;
        case SweepCase::SameChain:
            lines.push_back("Isti lanac: plave dijagonale dok su unutar poligona.");
            break;
        case SweepCase::LowestVertex:
            lines.push_back(t.stackBefore(step).size() <= 2
                                ? "Najniže teme: nema temena između dna i vrha steka, nema novih dijagonala."
                                : "Najniže teme: crvene dijagonale do preostalih temena sa steka.");
            break;
    }
    const Entries<int> popped = t.popped(step);
    const int c = step.vertex + 1;
    if (!popped.empty()) {
        lines.push_back("Skinuta sa steka: " + numbers(popped));
        // The popped entry beside the swept vertex on the boundary: the bottom across the chains, the
        // top along the same chain, both at the lowest vertex.
        const char* const neighbour = "Teme %d je sused temena %d na ivici poligona, pa dijagonala do njega nije potrebna.";
        if (step.kind == SweepCase::OppositeChain) lines.push_back(format(neighbour, popped.back() + 1, c));
        if (step.kind == SweepCase::SameChain) lines.push_back(format(neighbour, popped.front() + 1, c));
        if (step.kind == SweepCase::LowestVertex && popped.size() >= 2) {
            lines.push_back(format("Temena %d i %d su susedi temena %d na ivici poligona, pa dijagonale do njih nisu potrebne.",
                                   popped.front() + 1, popped.back() + 1, c));
        }
    }
    const Refusal& r = step.refusal;
    switch (r.reason) {
        case RefusalReason::None:
            break;
        case RefusalReason::ReflexCorner:
            lines.push_back(format("Dijagonala %d-%d bi izašla iz poligona, pa se teme %d vraća na stek.", c, r.to + 1,
                                   r.corner + 1));
            break;
        case RefusalReason::FlatCorner:
            lines.push_back(format("Dijagonala %d-%d bi prošla kroz teme %d, pa se teme %d vraća na stek.", c, r.to + 1,
                                   r.corner + 1, r.corner + 1));
            break;
        case RefusalReason::VertexInTriangle:
            lines.push_back(format("Trougao %d-%d-%d sadrži teme %d, pa se teme %d vraća na stek.", c, r.corner + 1,
                                   r.to + 1, r.blocker + 1, r.corner + 1));
            break;
    }
    if (step.kind == SweepCase::OppositeChain || step.kind == SweepCase::SameChain) {
        // What went back on: the popped entries the stack after holds, then the swept vertex.
        std::vector<int> back;
        for (const int v : t.stackAfter(step)) {
            if (v == step.vertex || std::find(popped.begin(), popped.end(), v) != popped.end()) back.push_back(v);
        }
        lines.push_back("Vraćena na stek: " + numbers(back) + ".");
    }
    lines.push_back("Nove dijagonale: " + std::to_string(step.diagonalCount));
    return lines;
}

// A stack-sweep step of the polygon or of a piece: the chains' tints along its boundary, the sweep
// line, the diagonals so far, the step's diagonals (wide), its refused candidate and the vertex in
// its way (dashed), the rings of the stack and of the swept vertex, the crosses of the vertices that
// left the stack for good; the stack before and after in the panel.
Page stepPage(const Judgement& judged, const Cut* cut, const Triangulation& t, int piece, int index) {
    const std::vector<Point>& v = judged.vertices;
    const SweepStep& step = t.steps[index];
    Page page;
    page.panel = Panel::Stack;
    page.caption = stepCaption(judged, t, index);
    if (piece >= 0) {
        page.caption[0] = format("Deo %d od %d: ", piece + 1, static_cast<int>(judged.whole.pieces.size())) + page.caption[0];
    }
    PageMarks& marks = page.marks;
    if (piece >= 0) pieceFills(judged, *cut, piece, marks);
    // Each edge lies along the chain of its end that is not the highest or the lowest vertex; an
    // edge joining those two is a whole chain, across from the other one.
    const std::vector<int> cycle = boundaryOf(judged, piece);
    Chain other = Chain::Left;
    for (const int i : cycle) {
        if (t.chains[i] != Chain::Ends) other = t.chains[i] == Chain::Left ? Chain::Right : Chain::Left;
    }
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        const int i = cycle[k];
        const int j = cycle[(k + 1) % cycle.size()];
        const Chain c = t.chains[i] != Chain::Ends ? t.chains[i] : t.chains[j] != Chain::Ends ? t.chains[j] : other;
        marks.tints.push_back({i, j, c});
    }
    marks.outline = outlineOf(v);
    if (piece < 0) marks.diagonals = sweptDiagonals(v, t, step.firstDiagonal + step.diagonalCount);
    marks.lines.push_back(sweepLineAt(v, step.vertex));
    if (piece >= 0) diagonalsSoFar(judged, -1, piece, index, marks);
    for (const SweepDiagonal& g : t.diagonalsOf(step)) marks.wide.push_back(coloured(v[g.from], v[g.to], diagonalColour(g.made)));
    if (step.refusal.reason != RefusalReason::None) marks.dashed.push_back(Segment(v[step.vertex], v[step.refusal.to]));
    if (step.refusal.blocker >= 0) marks.dashedRings.push_back({v[step.refusal.blocker], 1.3f, Black});
    const Entries<int> after = t.stackAfter(step);
    const Entries<int> popped = t.popped(step);
    auto wasPopped = [&](int p) { return std::find(popped.begin(), popped.end(), p) != popped.end(); };
    auto wentBack = [&](int p) { return std::find(after.begin(), after.end(), p) != after.end(); };
    for (const int entry : after) marks.rings.push_back({v[entry], 1.0f, Orange});
    marks.rings.push_back({v[step.vertex], 1.6f, Green});
    for (const int p : popped) {
        if (!wentBack(p)) marks.crosses.push_back(v[p]);
    }
    for (const int e : t.stackBefore(step)) page.stack.before.push_back({e, t.chains[e], wasPopped(e), false, false});
    for (const int e : after) page.stack.after.push_back({e, t.chains[e], false, e == step.vertex, e != step.vertex && wasPopped(e)});
    // The vertices the step is about: the swept vertex, the ends of its diagonals and of its refused
    // candidate, the popped vertices, then the stack from the top down.
    auto add = [&](int vertex) {
        if (vertex >= 0 && std::find(page.concerned.begin(), page.concerned.end(), vertex) == page.concerned.end()) {
            page.concerned.push_back(vertex);
        }
    };
    add(step.vertex);
    for (const SweepDiagonal& d : t.diagonalsOf(step)) add(d.to);
    add(step.refusal.to);
    add(step.refusal.corner);
    add(step.refusal.blocker);
    for (const int p : popped) add(p);
    for (int i = after.size() - 1; i >= 0; --i) add(after[i]);
    return page;
}

Page wholePage(const Judgement& judged, const Cut& cut) {
    Page page;
    const int partition = static_cast<int>(judged.whole.partition.diagonals.size());
    page.caption = {format("Cela triangulacija. Broj dijagonala: %d, od toga iz podele na monotone delove: %d.",
                           static_cast<int>(judged.whole.diagonals.size()), partition),
                    format("Broj monotonih delova: %d.", partition + 1)};
    pieceFills(judged, cut, -1, page.marks);
    page.marks.outline = outlineOf(judged.vertices);
    diagonalsSoFar(judged, -1, static_cast<int>(judged.whole.pieces.size()), 0, page.marks);
    page.concerned = splitOrMergeVertices(judged.whole.partition);
    return page;
}

}  // namespace

std::string edgeName(int edge, int n) { return std::to_string(edge + 1) + "-" + std::to_string((edge + 1) % n + 1); }

std::string verdictLine(const Judgement& judged) {
    const int n = static_cast<int>(judged.vertices.size());
    switch (judged.verdict) {
        case Verdict::FewerThanThree:
            break;
        case Verdict::NotSimple: {
            const int a = judged.contact[0];
            const int b = judged.contact[1];
            return "Poligon nije prost: ivice " + edgeName(a, n) + " i " + edgeName(b, n) + " se dodiruju ili seku.";
        }
        case Verdict::NotMonotone: {
            std::vector<int> splits;
            std::vector<int> merges;
            for (const int v : splitOrMergeVertices(judged.whole.partition)) {
                (judged.whole.partition.types[v] == VertexType::Split ? splits : merges).push_back(v);
            }
            return "Poligon nije monoton. Temena razdvajanja: " + numbers(splits) + ". Temena spajanja: " +
                   numbers(merges) + ".";
        }
        case Verdict::Triangulated:
            return format("Poligon je monoton. Broj dijagonala: %d.", static_cast<int>(judged.triangulation.diagonals.size()));
    }
    return "Manje od tri temena: nema šta da se trianguliše.";
}

Lesson buildLesson(const Judgement& judged) {
    Lesson lesson;
    lesson.vertices = judged.vertices;
    lesson.verdict = judged.verdict;
    lesson.verdictLine = verdictLine(judged);
    lesson.panelBeside = judged.verdict == Verdict::Triangulated || judged.verdict == Verdict::NotMonotone;
    auto tallest = [&](const Triangulation& t) {
        for (const SweepStep& s : t.steps) lesson.tallestStack = std::max(lesson.tallestStack, s.stackHeightAfter);
    };
    tallest(judged.triangulation);
    for (const Triangulation& t : judged.whole.pieces) tallest(t);
    lesson.pages.push_back(fullPage(judged));
    switch (judged.verdict) {
        case Verdict::Triangulated:
            for (int k = 0; k < static_cast<int>(judged.triangulation.steps.size()); ++k) {
                lesson.pages.push_back(stepPage(judged, nullptr, judged.triangulation, -1, k));
            }
            break;
        case Verdict::NotMonotone: {
            const Cut cut = cutOf(judged);
            lesson.pages.push_back(whyPage(judged));
            for (int k = 0; k < static_cast<int>(judged.vertices.size()); ++k) lesson.pages.push_back(partitionPage(judged, cut, k));
            for (int q = 0; q < static_cast<int>(judged.whole.pieces.size()); ++q) {
                const Triangulation& t = judged.whole.pieces[q];
                for (int k = 0; k < static_cast<int>(t.steps.size()); ++k) lesson.pages.push_back(stepPage(judged, &cut, t, q, k));
            }
            lesson.pages.push_back(wholePage(judged, cut));
            break;
        }
        case Verdict::FewerThanThree:
        case Verdict::NotSimple:
            lesson.pages.push_back(whyPage(judged));
            break;
    }
    // Every page after the full picture: the verdict above its caption, and its place in the whole
    // lesson before its first line.
    for (int k = 1; k < static_cast<int>(lesson.pages.size()); ++k) {
        std::vector<std::string>& lines = lesson.pages[k].caption;
        lines[0] = pageLine(lesson, k) + ". " + lines[0];
        lines.insert(lines.begin(), lesson.verdictLine);
    }
    return lesson;
}

int pageCount(const Lesson& lesson) { return static_cast<int>(lesson.pages.size()) - 1; }

std::string pageLine(const Lesson& lesson, int page) {
    return format("Strana %d od %d", std::max(0, page) + 1, static_cast<int>(lesson.pages.size()));
}

std::string pageTitle(const Lesson& lesson, int page) {
    const std::vector<std::string>& caption = lesson.pages[std::clamp(page, 0, pageCount(lesson))].caption;
    return caption.size() > 1 ? caption[1] : pageLine(lesson, page) + ". " + lesson.verdictLine;
}

const char* startHint() { return "H - pomoć, strelice - koraci"; }

std::vector<std::string> bottomLines(const Lesson& lesson, int chars) {
    // As many of the three as fit go on the last line; the verdict wraps above it when they do not.
    const std::string tail = pageLine(lesson, 0) + BottomGap + startHint();
    const std::string one = lesson.verdictLine + BottomGap + tail;
    if (static_cast<int>(characterCount(one)) <= chars) return {one};
    // Two lines at most, so that they stay below the polygon: a long list gives way on the first.
    const std::vector<std::string> wrapped = wrapLines({lesson.verdictLine}, std::max(1, chars - 4));
    return {wrapped.size() > 1 ? wrapped[0] + " ..." : wrapped[0], tail};
}

int stackBoxChars(int vertexCount) { return std::max(5, static_cast<int>(std::to_string(vertexCount).size()) + 2); }
