#include "viewer/lesson.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/guards.h"
#include "geometry/partition.h"
#include "geometry/polygon.h"
#include "geometry/sweep_order.h"
#include "viewer/exercise.h"
#include "viewer/layout.h"
#include "viewer/palette.h"
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
    out.reserve(n);
    for (int i = 0; i + 1 < n; ++i) out.push_back(coloured(v[i], v[i + 1], Black));
    out.push_back(coloured(v[0], v[n - 1], Black));
    return out;
}

// A monotone polygon's diagonals up to `count`, from the vertex under the sweep to the stack entry.
std::vector<Segment> sweptDiagonals(const std::vector<Point>& v, const Triangulation& t, int count) {
    std::vector<Segment> out;
    out.reserve(count);
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

// Each piece's tint, told apart from each neighbour's (a piece across one of the partition's
// diagonals).
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
    // The pieces and the diagonals between them make a tree: walked from the first piece, each piece
    // reached takes the tint after the one of the piece it was reached from.
    std::vector<int> tints(count, -1);
    std::vector<int> queue;
    for (int first = 0; first < count; ++first) {
        if (tints[first] >= 0) continue;
        tints[first] = 0;
        queue.assign(1, first);
        for (std::size_t k = 0; k < queue.size(); ++k) {
            for (const int o : neighbours[queue[k]]) {
                if (tints[o] >= 0) continue;
                tints[o] = (tints[queue[k]] + 1) % PieceTints;
                queue.push_back(o);
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
    // The vertices the verdict names get their numbers: the ends of the two edges that meet, the
    // split and merge vertices.
    const int n = static_cast<int>(judged.vertices.size());
    if (judged.verdict == Verdict::NotSimple) {
        for (const int e : judged.contact) {
            for (const int v : {e, (e + 1) % n}) {
                if (std::find(page.concerned.begin(), page.concerned.end(), v) == page.concerned.end()) page.concerned.push_back(v);
            }
        }
    }
    if (judged.verdict == Verdict::NotMonotone) page.concerned = splitOrMergeVertices(judged.whole.partition);
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

// A step of the cut in words, the same for its caption and its questions: why the vertex has its
// type, what it does to the sweep line, its new diagonals (or why it has none), and the rule that
// decides them. Clauses, without a capital or a full stop, except the caption's own lines.
struct CutWords {
    std::string type;                        // "teme 3 je teme razdvajanja: oba suseda, 2 i 4, su niza, ..."
    std::string line;                        // what goes on and off the sweep line, whose helper changes
    std::vector<std::string> diagonalLines;  // the caption's: "Nova dijagonala: 3-8 (...)" or why none
    std::string later;                       // a merge vertex's: its own diagonal comes later
    std::string rule;                        // why the step's diagonals are these
    std::string result;                      // the diagonals named: "nastaje dijagonala 3-8"
    std::vector<int> ends;                   // their other ends, ascending
};

CutWords cutWords(const Judgement& judged, const Cut& cut, int index) {
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    const Partition& p = judged.whole.partition;
    const PartitionStep& step = p.steps[index];
    const int at = step.vertex;
    const int c = at + 1;
    const int previous = (at + n - 1) % n;
    const int next = (at + 1) % n;
    const int a = std::min(previous, next);  // the neighbours in the order of their numbers
    const int b = std::max(previous, next);
    CutWords words;
    switch (step.type) {
        case VertexType::Start:
            words.type = format("teme %d je početno teme: oba suseda, %d i %d, su niža, a unutrašnjost je ispod njega", c, a + 1, b + 1);
            break;
        case VertexType::End:
            words.type = format("teme %d je krajnje teme: oba suseda, %d i %d, su viša, a unutrašnjost je iznad njega", c, a + 1, b + 1);
            break;
        case VertexType::Split:
            words.type = format("teme %d je teme razdvajanja: oba suseda, %d i %d, su niža, a unutrašnjost je s obe strane", c,
                                a + 1, b + 1);
            break;
        case VertexType::Merge:
            words.type = format("teme %d je teme spajanja: oba suseda, %d i %d, su viša, a unutrašnjost je s obe strane", c,
                                a + 1, b + 1);
            break;
        case VertexType::Regular: {
            // Walked counter-clockwise, the inside lies left: a vertex whose predecessor on that walk is
            // the higher neighbour goes down the left side, the inside on its right.
            const int up = above(v[a], v[at]) ? a : b;
            const int down = up == a ? b : a;
            const int predecessor = polygonOrientation(v.data(), n) > 0 ? previous : next;
            words.type = format("teme %d je pravilno teme: sused %d je viši, a sused %d niži, pa je unutrašnjost ", c, up + 1,
                                down + 1) +
                         (predecessor == up ? "desno" : "levo") + " od njega";
            break;
        }
    }
    // The line: an edge off, an edge on with this vertex as its helper, the edge on the left helped.
    std::vector<std::string> parts;
    if (step.removed >= 0) parts.push_back("ivica " + edgeName(step.removed, n) + " izlazi sa brišuće prave");
    if (step.inserted >= 0) {
        parts.push_back("ivica " + edgeName(step.inserted, n) + (step.removed >= 0 ? " ulazi na nju" : " ulazi na brišuću pravu") +
                        format(" sa pomoćnikom %d", c));
    }
    if (step.helped >= 0) parts.push_back(format("teme %d postaje pomoćnik ivice ", c) + edgeName(step.helped, n) + ", levo od njega");
    for (std::size_t i = 0; i < parts.size(); ++i) words.line += (i == 0 ? "" : ", a ") + parts[i];
    // The diagonals: a split vertex's to the helper of the edge on its left; any other vertex's to the
    // helper of an edge it ends or helps, where that helper is a merge vertex.
    const std::vector<StatusEdge> none;
    const std::vector<StatusEdge>& before = index > 0 ? cut.line[index - 1] : none;
    auto helperBefore = [&](int edge) {
        for (const StatusEdge& e : before) {
            if (e.edge == edge) return e.helper;
        }
        return -1;
    };
    for (const PartitionDiagonal& d : p.diagonalsOf(step)) {
        std::string line = format("Nova dijagonala: %d-%d (pomoćnik ivice ", d.from + 1, d.to + 1) + edgeName(d.helperOf, n);
        if (step.type == VertexType::Split) line += format(", levo od temena %d", c);
        if (p.types[d.to] == VertexType::Merge) {
            line += (step.type == VertexType::Split ? "," : "") + format(" bio je teme spajanja %d", d.to + 1);
        }
        words.diagonalLines.push_back(line + ")");
        words.ends.push_back(d.to);
    }
    std::sort(words.ends.begin(), words.ends.end());
    std::vector<std::string> helpers;  // of the edges this vertex ends or helps, but a split vertex's
    if (step.removed >= 0) helpers.push_back("ivice " + edgeName(step.removed, n) + format(", koja se završava u temenu %d,", c));
    if (step.helped >= 0 && step.type != VertexType::Split) helpers.push_back("ivice " + edgeName(step.helped, n) + format(" levo od temena %d", c));
    std::vector<int> helperOf;
    if (step.removed >= 0) helperOf.push_back(helperBefore(step.removed));
    if (step.helped >= 0 && step.type != VertexType::Split) helperOf.push_back(helperBefore(step.helped));
    std::string said;
    for (std::size_t i = 0; i < helpers.size(); ++i) {
        const int h = helperOf[i];
        said += (i == 0 ? "pomoćnik " : ", a pomoćnik ") + helpers[i] +
                (p.types[h] == VertexType::Merge ? format(" je teme spajanja %d", h + 1) : format(" je teme %d, koje nije teme spajanja", h + 1));
    }
    if (step.type == VertexType::Start) {
        words.diagonalLines.push_back("Nema nove dijagonale: početno teme samo stavlja svoju ivicu na brišuću pravu.");
        words.rule = format("teme %d je početno, pa samo stavlja svoju ivicu na brišuću pravu", c);
    } else if (step.type == VertexType::Split) {
        words.rule = format("teme %d je teme razdvajanja, pa se spaja sa pomoćnikom ivice ", c) + edgeName(step.helped, n) +
                     format(" levo od njega, temenom %d", helperBefore(step.helped) + 1);
    } else {
        if (words.ends.empty()) words.diagonalLines.push_back("Nema nove dijagonale: " + said + ".");
        words.rule = "dijagonala nastaje samo do pomoćnika koji je teme spajanja: " + said;
    }
    if (step.type == VertexType::Merge && step.helped >= 0) {
        words.later = format("Dijagonala iz temena %d nastaje kasnije, do sledećeg temena koje vidi ivicu ", c) +
                      edgeName(step.helped, n) + ".";
    }
    if (words.ends.empty()) {
        words.result = "nema nove dijagonale";
    } else {
        std::string named;
        for (std::size_t i = 0; i < words.ends.size(); ++i) {
            named += (i == 0 ? "" : i + 1 == words.ends.size() ? " i " : ", ") + format("%d-%d", c, words.ends[i] + 1);
        }
        words.result = (words.ends.size() == 1 ? "nastaje dijagonala " : "nastaju dijagonale ") + named;
    }
    return words;
}

// What a page of the cut shows: after its step, or as it stood before it while its questions wait
// (with the vertex's type once that is answered).
enum class CutView { Before, Typed, After };

// The line, the edges on it (wide, orange) each tied to its helper by a thin line, the vertex
// marked by its type, the diagonals so far and this step's; on the last step the pieces the
// diagonals cut, each in its tint. The panel lists the line's edges; the caption the vertex, why
// it has its type, what it did to the line and its new diagonals, or why it has none; the first
// page of the cut says what a helper is, and which of two vertices of one height comes first.
Page partitionPage(const Judgement& judged, const Cut& cut, int index, CutView view) {
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    const Partition& p = judged.whole.partition;
    const PartitionStep& step = p.steps[index];
    const bool after = view == CutView::After;
    Page page;
    page.panel = Panel::Status;
    const Point& here = v[step.vertex];
    char first[200];
    std::snprintf(first, sizeof first, "Korak %d od %d: teme %d (%g,%g)", index + 1, n, step.vertex + 1,
                  static_cast<double>(here.x), static_cast<double>(here.y));
    page.caption.push_back(first);
    if (index == 0) {
        page.caption.push_back("Pomoćnik ivice na brišućoj pravoj je najniže teme iznad prave, desno od ivice, iz kog se ivica "
                               "vidi vodoravno kroz unutrašnjost poligona.");
        const bool level = std::any_of(v.begin(), v.end(), [&](const Point& a) {
            return std::count_if(v.begin(), v.end(), [&](const Point& b) { return b.y == a.y; }) > 1;
        });
        if (level) page.caption.push_back("Od dva temena iste visine višim se smatra levo, pa ga brišuća prava obrađuje pre.");
    }
    const std::vector<StatusEdge> none;
    const std::vector<StatusEdge>& before = index > 0 ? cut.line[index - 1] : none;
    const std::vector<StatusEdge>& line = after ? cut.line[index] : before;
    if (after) {
        const CutWords words = cutWords(judged, cut, index);
        page.caption.push_back(sentence(words.type));
        if (!words.line.empty()) page.caption.push_back(sentence(words.line));
        page.caption.insert(page.caption.end(), words.diagonalLines.begin(), words.diagonalLines.end());
        if (!words.later.empty()) page.caption.push_back(words.later);
    }
    PageMarks& marks = page.marks;
    if (after && index + 1 == n) pieceFills(judged, cut, -1, marks);
    marks.outline = outlineOf(v);
    marks.lines.push_back(sweepLineAt(v, step.vertex));
    diagonalsSoFar(judged, index, 0, 0, marks);
    for (const StatusEdge& e : line) {
        const Point& a = v[e.edge];
        const Point& b = v[(e.edge + 1) % n];
        marks.wide.push_back(coloured(a, b, Orange));
        const Point middle((static_cast<double>(a.x) + b.x) / 2, (static_cast<double>(a.y) + b.y) / 2, 0.0);
        marks.segments.push_back(coloured(middle, v[e.helper], Orange));
    }
    if (after) {
        for (const PartitionDiagonal& d : p.diagonalsOf(step)) marks.partitionNew.push_back(Segment(v[d.from], v[d.to]));
    }
    if (view != CutView::Before) marks.types.push_back({v[step.vertex], step.type});
    // The panel: the line after the step, the edge taken off struck where it stood before; before the
    // step, the line as it was.
    for (const StatusEdge& e : line) {
        StatusRow row{e.edge, e.helper, -1, after && e.edge == step.inserted, false};
        if (after && e.edge == step.helped) {
            for (const StatusEdge& b : before) {
                if (b.edge == e.edge) row.oldHelper = b.helper;
            }
        }
        page.status.push_back(row);
    }
    for (std::size_t i = 0; after && i < before.size(); ++i) {
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
    if (after) {
        for (const PartitionDiagonal& d : p.diagonalsOf(step)) page.concerned.push_back(d.to);
    }
    for (const StatusEdge& e : line) page.concerned.push_back(e.helper);
    return page;
}

// The questions of a step of the cut: the vertex's type, then (but for a start vertex, which never
// adds one) its new diagonals, each asked on the page as it stood before the step.
std::vector<Question> cutQuestions(const Judgement& judged, const Cut& cut, int index) {
    const PartitionStep& step = judged.whole.partition.steps[index];
    const int c = step.vertex + 1;
    const CutWords words = cutWords(judged, cut, index);
    std::vector<Question> out;
    Question type;
    type.kind = QuestionKind::VertexType;
    type.vertex = step.vertex;
    type.text = format("Koje je vrste teme %d?", c);
    for (int t = 0; t < 5; ++t) type.choices.push_back({static_cast<char>('1' + t), format("%d ", t + 1) + typeName(static_cast<VertexType>(t))});
    type.right.choice = static_cast<int>(step.type);
    type.rule = words.type;
    type.view = partitionPage(judged, cut, index, CutView::Before);
    out.push_back(type);
    if (step.type == VertexType::Start) return out;
    Question diagonal;
    diagonal.kind = QuestionKind::CutDiagonals;
    diagonal.vertex = step.vertex;
    diagonal.text = format("Koja dijagonala nastaje iz temena %d?", c);
    diagonal.right.vertices = words.ends;
    diagonal.rule = words.rule;
    diagonal.result = words.result;
    diagonal.view = partitionPage(judged, cut, index, CutView::Typed);
    out.push_back(diagonal);
    return out;
}

// A popped entry that is the swept vertex's neighbour on the boundary, in a clause.
std::string neighbourClause(int entry, int swept) {
    return format("teme %d je sused temena %d na ivici poligona", entry + 1, swept + 1);
}

// Why a step stopped joining, as its caption says it, in a clause.
std::string refusalClause(const SweepStep& step) {
    const Refusal& r = step.refusal;
    const int c = step.vertex + 1;
    switch (r.reason) {
        case RefusalReason::None:
            break;
        case RefusalReason::ReflexCorner:
            return format("dijagonala %d-%d bi izašla iz poligona", c, r.to + 1);
        case RefusalReason::FlatCorner:
            return format("dijagonala %d-%d bi prošla kroz teme %d", c, r.to + 1, r.corner + 1);
        case RefusalReason::VertexInTriangle:
            return format("trougao %d-%d-%d sadrži teme %d", c, r.corner + 1, r.to + 1, r.blocker + 1);
    }
    return "";
}

// A stack-sweep step's caption: the step, its case, what it popped and why the last (or, along the
// same chain, the first) gets no diagonal, why the cuts stopped, what went back on the stack, and the
// number of its diagonals; or its first line alone, for its question.
std::vector<std::string> stepCaption(const Judgement& judged, const Triangulation& t, int index, bool firstLineOnly) {
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
    if (firstLineOnly) return lines;
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
        auto neighbour = [&](int e) { return sentence(neighbourClause(e, step.vertex) + ", pa dijagonala do njega nije potrebna"); };
        if (step.kind == SweepCase::OppositeChain) lines.push_back(neighbour(popped.back()));
        if (step.kind == SweepCase::SameChain) lines.push_back(neighbour(popped.front()));
        if (step.kind == SweepCase::LowestVertex && popped.size() >= 2) {
            lines.push_back(format("Temena %d i %d su susedi temena %d na ivici poligona, pa dijagonale do njih nisu potrebne.",
                                   popped.front() + 1, popped.back() + 1, c));
        }
    }
    if (step.refusal.reason != RefusalReason::None) {
        lines.push_back(sentence(refusalClause(step) + format(", pa se teme %d vraća na stek", step.refusal.corner + 1)));
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
// left the stack for good; the stack before and after in the panel. Before the step (while its
// question waits), none of what the step did: the diagonals before it, the stack as it was.
Page stepPage(const Judgement& judged, const Cut* cut, const Triangulation& t, int piece, int index, bool before = false) {
    const std::vector<Point>& v = judged.vertices;
    const SweepStep& step = t.steps[index];
    Page page;
    page.panel = Panel::Stack;
    page.caption = stepCaption(judged, t, index, before);
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
    marks.tints.reserve(cycle.size());
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        const int i = cycle[k];
        const int j = cycle[(k + 1) % cycle.size()];
        const Chain c = t.chains[i] != Chain::Ends ? t.chains[i] : t.chains[j] != Chain::Ends ? t.chains[j] : other;
        marks.tints.push_back({i, j, c});
    }
    marks.outline = outlineOf(v);
    if (piece < 0) marks.diagonals = sweptDiagonals(v, t, step.firstDiagonal + (before ? 0 : step.diagonalCount));
    marks.lines.push_back(sweepLineAt(v, step.vertex));
    if (piece >= 0) diagonalsSoFar(judged, -1, piece, index, marks);
    const Entries<int> stack = t.stackBefore(step);
    const Entries<int> after = t.stackAfter(step);
    const Entries<int> popped = t.popped(step);
    auto add = [&](int vertex) {
        if (vertex >= 0 && std::find(page.concerned.begin(), page.concerned.end(), vertex) == page.concerned.end()) {
            page.concerned.push_back(vertex);
        }
    };
    if (before) {
        for (const int entry : stack) marks.rings.push_back({v[entry], 1.0f, Orange});
        marks.rings.push_back({v[step.vertex], 1.6f, Green});
        for (const int e : stack) page.stack.before.push_back({e, t.chains[e], false, false, false});
        add(step.vertex);
        for (int i = stack.size() - 1; i >= 0; --i) add(stack[i]);
        return page;
    }
    for (const SweepDiagonal& g : t.diagonalsOf(step)) marks.wide.push_back(coloured(v[g.from], v[g.to], diagonalColour(g.made)));
    if (step.refusal.reason != RefusalReason::None) marks.dashed.push_back(Segment(v[step.vertex], v[step.refusal.to]));
    if (step.refusal.blocker >= 0) marks.dashedRings.push_back({v[step.refusal.blocker], 1.3f, Black});
    auto wasPopped = [&](int p) { return std::find(popped.begin(), popped.end(), p) != popped.end(); };
    auto wentBack = [&](int p) { return std::find(after.begin(), after.end(), p) != after.end(); };
    for (const int entry : after) marks.rings.push_back({v[entry], 1.0f, Orange});
    marks.rings.push_back({v[step.vertex], 1.6f, Green});
    for (const int p : popped) {
        if (!wentBack(p)) marks.crosses.push_back(v[p]);
    }
    for (const int e : stack) page.stack.before.push_back({e, t.chains[e], wasPopped(e), false, false});
    for (const int e : after) page.stack.after.push_back({e, t.chains[e], false, e == step.vertex, e != step.vertex && wasPopped(e)});
    // The vertices the step is about: the swept vertex, the ends of its diagonals and of its refused
    // candidate, the popped vertices, then the stack from the top down.
    add(step.vertex);
    for (const SweepDiagonal& d : t.diagonalsOf(step)) add(d.to);
    add(step.refusal.to);
    add(step.refusal.corner);
    add(step.refusal.blocker);
    for (const int p : popped) add(p);
    for (int i = after.size() - 1; i >= 0; --i) add(after[i]);
    return page;
}

// The question of a stack-sweep step (but the start, which only fills the stack): the vertices the
// swept vertex is joined to, from the step's own diagonals; why, as the sweep decides it (the case,
// the neighbours on the stack, where and why it stopped), and why any other vertex is none of them.
Question sweepQuestion(const Judgement& judged, const Cut* cut, const Triangulation& t, int piece, int index) {
    const SweepStep& step = t.steps[index];
    const int c = step.vertex + 1;
    Question q;
    q.kind = QuestionKind::SweepDiagonals;
    q.vertex = step.vertex;
    q.text = format("Do kojih temena ide dijagonala iz temena %d?", c);
    for (const SweepDiagonal& d : t.diagonalsOf(step)) q.right.vertices.push_back(d.to);
    std::sort(q.right.vertices.begin(), q.right.vertices.end());
    const Entries<int> popped = t.popped(step);
    const Entries<int> stack = t.stackBefore(step);
    const std::string refused = refusalClause(step);
    std::vector<int> neighbours;
    switch (step.kind) {
        case SweepCase::Start:
            break;
        case SweepCase::OppositeChain:
            neighbours = {popped.back()};
            q.rule = format("teme %d je na suprotnom lancu od vrha steka, pa se spaja sa svim temenima steka osim dna, temena %d, "
                            "njegovog suseda",
                            c, popped.back() + 1) +
                     (refused.empty() ? "" : ", ali " + refused + ", pa tu staje");
            break;
        case SweepCase::SameChain:
            neighbours = {popped.front()};
            q.rule = format("teme %d je na istom lancu kao vrh steka, teme %d, njegov sused, pa se spaja sa temenima ispod vrha dok su "
                            "dijagonale unutar poligona",
                            c, popped.front() + 1) +
                     (refused.empty() ? "" : ", a " + refused);
            break;
        case SweepCase::LowestVertex:
            neighbours = {popped.front(), popped.back()};
            q.rule = stack.size() <= 2 ? format("teme %d je najniže, a na steku su samo njegovi susedi", c)
                                       : format("teme %d je najniže, pa se spaja sa svim temenima steka osim prvog i poslednjeg, "
                                                "njegovih suseda",
                                                c);
            break;
    }
    const std::vector<int>& ends = q.right.vertices;
    q.result = ends.empty() ? format("iz temena %d nema nove dijagonale", c)
                            : format(ends.size() == 1 ? "dijagonala iz temena %d ide do temena " : "dijagonale iz temena %d idu do temena ", c) +
                                  numbers(ends);
    for (const int e : stack) {
        if (std::find(ends.begin(), ends.end(), e) != ends.end()) continue;
        std::string why;
        if (std::find(neighbours.begin(), neighbours.end(), e) != neighbours.end()) {
            why = neighbourClause(e, step.vertex);
        } else if (e == step.refusal.to) {
            why = refused;
        } else if (step.refusal.to >= 0) {
            why = format("do temena %d se ne stiže, jer korak staje kod temena %d", e + 1, step.refusal.to + 1);
        } else {
            why = format("teme %d ne dobija dijagonalu u ovom koraku", e + 1);
        }
        q.whyNot.emplace_back(e, why);
    }
    q.whyNot.emplace_back(step.vertex, format("teme %d je samo teme koje se obrađuje", c));
    q.elsewhere = "nije na steku";
    q.view = stepPage(judged, cut, t, piece, index, true);
    return q;
}

// The full picture's question, for a polygon of three vertices or more: is it monotone? Asked on its
// outline alone, without the verdict or its marks.
Question monotoneQuestion(const Judgement& judged) {
    const int n = static_cast<int>(judged.vertices.size());
    Question q;
    q.kind = QuestionKind::Monotone;
    q.text = "Da li je poligon monoton?";
    q.choices = {{'d', "D - da"}, {'n', "N - ne"}};
    q.right.choice = judged.verdict == Verdict::Triangulated ? 0 : 1;
    switch (judged.verdict) {
        case Verdict::Triangulated:
            q.rule = "poligon je monoton: svaka vodoravna prava ga seče u najviše jednoj duži, pa nema temena razdvajanja ni spajanja";
            break;
        case Verdict::NotSimple:
            q.rule = "poligon nije monoton, jer nije ni prost: ivice " + edgeName(judged.contact[0], n) + " i " +
                     edgeName(judged.contact[1], n) + " se dodiruju ili seku";
            break;
        default: {
            std::vector<int> splits;
            std::vector<int> merges;
            for (const int v : splitOrMergeVertices(judged.whole.partition)) {
                (judged.whole.partition.types[v] == VertexType::Split ? splits : merges).push_back(v);
            }
            std::string where;
            if (!splits.empty()) where = "temena razdvajanja " + numbers(splits);
            if (!merges.empty()) where += (where.empty() ? "" : " i ") + std::string("temena spajanja ") + numbers(merges);
            q.rule = "poligon nije monoton: kod " + where + " vodoravna prava ga seče u više od jedne duži";
            break;
        }
    }
    q.view.marks.outline = outlineOf(judged.vertices);
    return q;
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

// The gallery's pages: the triangulation the lesson ends with, its dual graph, the walk of the tree
// that colours the vertices with three colours, and the smallest colour class as the guards.

// A triangle by its vertices' numbers, ascending: "2-5-7".
std::string triangleName(const std::array<int, 3>& t) {
    std::array<int, 3> s = t;
    std::sort(s.begin(), s.end());
    return format("%d-%d-%d", s[0] + 1, s[1] + 1, s[2] + 1);
}

Point centroidOf(const std::vector<Point>& v, const std::array<int, 3>& t) {
    return Point((static_cast<double>(v[t[0]].x) + v[t[1]].x + v[t[2]].x) / 3,
                 (static_cast<double>(v[t[0]].y) + v[t[1]].y + v[t[2]].y) / 3, 0.0);
}

// The link of the dual graph from triangle `a` to triangle `b` across the diagonal from-to: from
// the node in a to the diagonal's middle and on to the node in b, so that it stays in the two.
void dualLink(const std::vector<Point>& v, const Gallery& g, int a, int b, int from, int to, PageMarks& marks) {
    const Point middle((static_cast<double>(v[from].x) + v[to].x) / 2, (static_cast<double>(v[from].y) + v[to].y) / 2, 0.0);
    marks.dualLinks.push_back(Segment(centroidOf(v, g.triangles[a]), middle));
    marks.dualLinks.push_back(Segment(middle, centroidOf(v, g.triangles[b])));
}

// What every page of the gallery draws below its own marks: the outline and the diagonals of the
// whole triangulation, as the lesson showed them.
PageMarks galleryBase(const Judgement& judged) {
    PageMarks marks;
    marks.outline = outlineOf(judged.vertices);
    if (judged.verdict == Verdict::Triangulated) {
        marks.diagonals = sweptDiagonals(judged.vertices, judged.triangulation, static_cast<int>(judged.triangulation.diagonals.size()));
    } else {
        diagonalsSoFar(judged, -1, static_cast<int>(judged.whole.pieces.size()), 0, marks);
    }
    return marks;
}

std::string colourWord(int colour) {
    static const char* const shapes[GuardColours] = {"krug", "kvadrat", "trougao"};
    return std::string(colourName(colour)) + " (" + shapes[colour] + ")";
}

Page dualPage(const Judgement& judged, const Gallery& g) {
    const int n = static_cast<int>(judged.vertices.size());
    Page page;
    page.caption = {"Dualni graf: čvor u svakom trouglu, veza preko svake dijagonale.",
                    format("Graf je stablo sa n - 2 = %d čvorova i n - 3 = %d veza: svaka dijagonala deli poligon na dva dela, "
                           "pa nijedan niz veza ne zatvara krug.",
                           n - 2, n - 3),
                    "Zato se temena mogu obojiti sa tri boje, trougao po trougao, obilaskom stabla."};
    page.marks = galleryBase(judged);
    for (const DualLink& l : g.links) dualLink(judged.vertices, g, l.a, l.b, l.from, l.to, page.marks);
    for (const auto& t : g.triangles) page.marks.dualNodes.push_back(centroidOf(judged.vertices, t));
    return page;
}

// The page of the colouring's step `index`: the triangle tinted, the walk so far along the tree,
// the colours given so far; after the step, its own vertex's colour, drawn larger (the first
// step's three). Before the step (while its question waits), not this step's colour.
Page colouringPage(const Judgement& judged, const Gallery& g, int index, bool before) {
    const std::vector<Point>& v = judged.vertices;
    const ColouringStep& step = g.walk[index];
    const std::array<int, 3>& t = g.triangles[step.triangle];
    const int count = static_cast<int>(g.walk.size());
    Page page;
    page.marks = galleryBase(judged);
    page.marks.pieces.push_back({v[t[0]], v[t[1]], v[t[2]], 0, true});
    for (int k = 0; k <= index; ++k) {
        const ColouringStep& s = g.walk[k];
        page.marks.dualNodes.push_back(centroidOf(v, g.triangles[s.triangle]));
        if (s.from >= 0) dualLink(v, g, s.from, s.triangle, s.shared[0], s.shared[1], page.marks);
    }
    for (int k = 0; k <= index; ++k) {
        const ColouringStep& s = g.walk[k];
        if (k == index && before) break;
        const bool fresh = k == index;
        if (s.from < 0) {
            for (const int c : g.triangles[s.triangle]) page.marks.colours.push_back({v[c], g.colour[c], fresh});
        } else {
            page.marks.colours.push_back({v[s.vertex], s.colour, fresh});
        }
    }
    if (step.from < 0) {
        std::array<int, 3> corners = t;
        std::rotate(corners.begin(), std::find(corners.begin(), corners.end(), 0), corners.end());
        page.caption = {format("Bojenje, trougao 1 od %d: ", count) + triangleName(t) + ", uz ivicu 1-2.",
                        format("Njegova temena dobijaju tri boje: teme %d ", corners[0] + 1) + colourWord(g.colour[corners[0]]) +
                            format(", teme %d ", corners[1] + 1) + colourWord(g.colour[corners[1]]) +
                            format(", teme %d ", corners[2] + 1) + colourWord(g.colour[corners[2]]) + "."};
        page.concerned = {corners[0], corners[1], corners[2]};
        return page;
    }
    const int a = step.shared[0];
    const int b = step.shared[1];
    page.caption = {format("Bojenje, trougao %d od %d: ", index + 1, count) + triangleName(t) +
                    format(", preko dijagonale %d-%d od trougla ", a + 1, b + 1) + triangleName(g.triangles[step.from]) + "."};
    if (!before) {
        page.caption.push_back(format("Temena %d i %d dijagonale su ", a + 1, b + 1) + colourName(g.colour[a]) + " i " +
                               colourName(g.colour[b]) + format(", pa teme %d dobija treću boju: ", step.vertex + 1) +
                               colourWord(step.colour) + ".");
    }
    page.concerned = {step.vertex, a, b};
    return page;
}

// The guards' page: the smallest colour class ringed, every triangle tinted and tied by a sight
// line to the guard in its corner that sees it. Before its question is answered: every colour, no guard yet.
Page guardsPage(const Judgement& judged, const Gallery& g, bool before) {
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    const int guards = static_cast<int>(g.guards.size());
    Page page;
    page.marks = galleryBase(judged);
    for (int c = 0; c < n; ++c) page.marks.colours.push_back({v[c], g.colour[c], false});
    if (before) {
        page.caption = {format("Čuvari: n = %d temena, obojena sa tri boje.", n)};
        return page;
    }
    for (std::size_t t = 0; t < g.triangles.size(); ++t) {
        const auto& tri = g.triangles[t];
        page.marks.pieces.push_back({v[tri[0]], v[tri[1]], v[tri[2]], 0, true});
        page.marks.sights.push_back(Segment(centroidOf(v, tri), v[g.seenBy[t]]));
    }
    for (const int guard : g.guards) page.marks.guards.push_back(v[guard]);
    std::string list;
    for (int k = 0; k < guards; ++k) list += (k == 0 ? "" : ", ") + std::to_string(g.guards[k] + 1);
    page.caption = {(guards == 1 ? "Čuvari: teme " : "Čuvari: temena ") + list + format(" (%d <= floor(n/3) = %d).", guards, n / 3),
                    format("Klase boja: plava %d, narandžasta %d, ljubičasta %d; čuvari su najmanja klasa: ", g.classSize[0],
                           g.classSize[1], g.classSize[2]) +
                        colourName(g.guardColour) + ".",
                    format("Svaki trougao ima sve tri boje, pa i čuvara u jednom temenu, a on vidi ceo trougao: floor(n/3) čuvara "
                           "uvek je dovoljno za prost poligon od n temena (ovde n = %d).",
                           n)};
    page.concerned = g.guards;
    return page;
}

// The colouring's question on the page of step `index` (but the first, whose three colours are
// given): the colour of the vertex it colours.
Question colourQuestion(const Judgement& judged, const Gallery& g, int index) {
    const ColouringStep& step = g.walk[index];
    const int a = step.shared[0];
    const int b = step.shared[1];
    Question q;
    q.kind = QuestionKind::VertexColour;
    q.vertex = step.vertex;
    q.text = format("Koje boje je teme %d?", step.vertex + 1);
    for (int c = 0; c < GuardColours; ++c) q.choices.push_back({static_cast<char>('1' + c), format("%d ", c + 1) + colourName(c)});
    q.right.choice = step.colour;
    q.rule = format("temena %d i %d dijagonale su ", a + 1, b + 1) + colourName(g.colour[a]) + " i " + colourName(g.colour[b]) +
             format(", pa teme %d dobija treću boju, ", step.vertex + 1) + colourName(step.colour);
    q.view = colouringPage(judged, g, index, true);
    return q;
}

// The guards' question: how many guards are enough; right from the smallest class's size up to
// floor(n/3).
Question guardQuestion(const Judgement& judged, const Gallery& g) {
    const int n = static_cast<int>(judged.vertices.size());
    const int guards = static_cast<int>(g.guards.size());
    Question q;
    q.kind = QuestionKind::GuardCount;
    q.text = "Koliko čuvara je dovoljno?";
    q.right.choice = guards;
    q.most = n / 3;
    q.rule = format("dovoljno je %d: najmanja klasa boja, ", guards) + colourName(g.guardColour) +
             format(", ima %d temena, a svaki trougao ima jedno od njih u temenu; floor(n/3) = %d je uvek dovoljno", guards, n / 3);
    q.view = guardsPage(judged, g, true);
    return q;
}

// The gallery's pages after the lesson's last, for a polygon the lesson triangulates.
void galleryPages(const Judgement& judged, std::vector<Page>& pages) {
    const Gallery g = guardJudged(judged);
    if (g.walk.empty()) return;
    pages.push_back(dualPage(judged, g));
    for (int k = 0; k < static_cast<int>(g.walk.size()); ++k) {
        pages.push_back(colouringPage(judged, g, k, false));
        if (k > 0) pages.back().questions.push_back(colourQuestion(judged, g, k));
    }
    pages.push_back(guardsPage(judged, g, false));
    pages.back().questions.push_back(guardQuestion(judged, g));
}

}  // namespace

const char* colourName(int colour) { return colour >= 0 && colour < GuardColours ? ColourClassName[colour] : ""; }

const char* typeName(VertexType t) {
    switch (t) {
        case VertexType::Start:
            return "početno";
        case VertexType::End:
            return "krajnje";
        case VertexType::Split:
            return "razdvajanja";
        case VertexType::Merge:
            return "spajanja";
        case VertexType::Regular:
            break;
    }
    return "pravilno";
}

std::string vertexNumbers(const std::vector<int>& vertices) { return numbers(vertices); }

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

Lesson buildLesson(const Judgement& judged, long long task) {
    Lesson lesson;
    lesson.vertices = judged.vertices;
    lesson.verdict = judged.verdict;
    lesson.verdictLine = verdictLine(judged);
    lesson.task = task;
    auto tallest = [&](const Triangulation& t) {
        for (const SweepStep& s : t.steps) lesson.tallestStack = std::max(lesson.tallestStack, s.stackHeightAfter);
    };
    tallest(judged.triangulation);
    for (const Triangulation& t : judged.whole.pieces) tallest(t);
    lesson.pages.push_back(fullPage(judged));
    if (judged.vertices.size() >= 3) lesson.pages[0].questions.push_back(monotoneQuestion(judged));
    // A step of a sweep and its question, but the start's, which only fills the stack.
    auto sweepStep = [&](const Cut* cut, const Triangulation& t, int piece, int k) {
        lesson.pages.push_back(stepPage(judged, cut, t, piece, k));
        if (t.steps[k].kind != SweepCase::Start) lesson.pages.back().questions.push_back(sweepQuestion(judged, cut, t, piece, k));
    };
    switch (judged.verdict) {
        case Verdict::Triangulated:
            for (int k = 0; k < static_cast<int>(judged.triangulation.steps.size()); ++k) sweepStep(nullptr, judged.triangulation, -1, k);
            galleryPages(judged, lesson.pages);
            break;
        case Verdict::NotMonotone: {
            const Cut cut = cutOf(judged);
            lesson.pages.push_back(whyPage(judged));
            for (int k = 0; k < static_cast<int>(judged.vertices.size()); ++k) {
                lesson.pages.push_back(partitionPage(judged, cut, k, CutView::After));
                lesson.pages.back().questions = cutQuestions(judged, cut, k);
            }
            for (int q = 0; q < static_cast<int>(judged.whole.pieces.size()); ++q) {
                const Triangulation& t = judged.whole.pieces[q];
                for (int k = 0; k < static_cast<int>(t.steps.size()); ++k) sweepStep(&cut, t, q, k);
            }
            lesson.pages.push_back(wholePage(judged, cut));
            galleryPages(judged, lesson.pages);
            break;
        }
        case Verdict::FewerThanThree:
        case Verdict::NotSimple:
            lesson.pages.push_back(whyPage(judged));
            break;
    }
    // The lesson's parts, whose pages keep one height of caption band between them: the page that
    // says why, the cut, the pieces' sweeps (or the monotone polygon's), then the whole
    // triangulation with the guards' pages that go on from it.
    for (std::size_t k = 1; k < lesson.pages.size(); ++k) {
        Page& page = lesson.pages[k];
        page.part = page.panel == Panel::Status ? 2 : page.panel == Panel::Stack ? 3 : lesson.pages[k - 1].part >= 2 ? 4 : 1;
    }
    // Every page after the full picture: the verdict above its caption, and its place in the whole
    // lesson before its first line; so too the pages its questions are asked on, where a step of the
    // cut keeps only the verdict's first words (the rest names split and merge vertices). The full
    // picture asks before it says anything.
    auto place = [&](std::vector<std::string>& lines, int k, const std::string& verdict) {
        lines[0] = pageLine(lesson, k) + ". " + lines[0];
        lines.insert(lines.begin(), verdict);
    };
    for (int k = 0; k < static_cast<int>(lesson.pages.size()); ++k) {
        Page& page = lesson.pages[k];
        if (k > 0) place(page.caption, k, lesson.verdictLine);
        for (Question& q : page.questions) {
            q.number = ++lesson.questionCount;
            if (k == 0) {
                q.view.caption = {pageLine(lesson, 0)};
            } else {
                const bool cut = q.kind == QuestionKind::VertexType || q.kind == QuestionKind::CutDiagonals;
                place(q.view.caption, k, cut ? "Poligon nije monoton." : lesson.verdictLine);
            }
        }
    }
    return lesson;
}

int pageCount(const Lesson& lesson) { return static_cast<int>(lesson.pages.size()) - 1; }

std::string pageLine(const Lesson& lesson, int page) {
    const std::string place = format("Strana %d od %d", std::max(0, page) + 1, static_cast<int>(lesson.pages.size()));
    return lesson.task < 0 ? place : "Zadatak " + std::to_string(lesson.task) + ". " + place;
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
    // A long list of vertices wraps onto as many lines as it needs, every number said: the lines
    // above the last two may lie over the polygon's lowest part, each over its halo.
    std::vector<std::string> lines = wrapLines({lesson.verdictLine}, std::max(1, chars));
    lines.push_back(tail);
    return lines;
}

int stackBoxChars(int vertexCount) { return std::max(5, static_cast<int>(std::to_string(vertexCount).size()) + 2); }
