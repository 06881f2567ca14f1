#include "viewer/walkthrough.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/polygon.h"

namespace {

std::string format(const char* pattern, int a, int b, int c = 0, int d = 0, int e = 0) {
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
            return "pocetno";
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

std::string edgeName(int edge, int n) { return std::to_string(edge + 1) + "-" + std::to_string((edge + 1) % n + 1); }

}  // namespace

PageAt pageAt(const Judgement& shown, int page) {
    PageAt at;
    if (page <= 0) return at;
    if (shown.verdict == Verdict::Triangulated) {
        at.kind = PageKind::Step;
        at.sweep = &shown.triangulation;
        at.index = page - 1;
        at.steps = static_cast<int>(shown.triangulation.steps.size());
        return at;
    }
    at.kind = PageKind::Why;
    if (shown.verdict != Verdict::NotMonotone || page == 1) return at;
    // After the page that says why: the partition's steps, each piece's sweep, the whole.
    const int n = static_cast<int>(shown.vertices.size());
    int k = page - 2;
    if (k < n) {
        at.kind = PageKind::Partition;
        at.index = k;
        at.steps = n;
        return at;
    }
    k -= n;
    const std::vector<Triangulation>& pieces = shown.whole.pieces;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const int steps = static_cast<int>(pieces[p].steps.size());
        if (k < steps) {
            at.kind = PageKind::Step;
            at.sweep = &pieces[p];
            at.index = k;
            at.steps = steps;
            at.piece = static_cast<int>(p);
            return at;
        }
        k -= steps;
    }
    at.kind = PageKind::Whole;
    return at;
}

int pageCount(const Judgement& shown) {
    switch (shown.verdict) {
        case Verdict::Triangulated:
            return static_cast<int>(shown.triangulation.steps.size());
        case Verdict::NotMonotone: {
            int pages = 1 + static_cast<int>(shown.vertices.size()) + 1;
            for (const Triangulation& t : shown.whole.pieces) pages += static_cast<int>(t.steps.size());
            return pages;
        }
        case Verdict::FewerThanThree:
        case Verdict::NotSimple:
            break;
    }
    return 1;
}

KeyEffect pressKey(StepView& view, Key key, int pages) {
    const int page = view.page;
    switch (key) {
        case Key::Next:
            view.page = std::min(page + 1, pages);
            break;
        case Key::Previous:
            view.page = page == 0 ? pages : std::max(page - 1, 1);
            break;
        case Key::First:
            view.page = 1;
            break;
        // From the full picture, as if Right or Left took the first of the ten.
        case Key::TenForward:
            view.page = std::min(page + 10, pages);
            break;
        case Key::TenBack:
            view.page = std::max((page == 0 ? pages + 1 : page) - 10, 1);
            break;
        case Key::Full:
            view.page = 0;
            view.labels = false;
            view.playing = false;
            return KeyEffect::Redraw;
        case Key::Play:
            if (view.playing) {
                view.playing = false;
                return KeyEffect::Redraw;
            }
            // From the full picture or the last step, the play starts again at the first.
            if (page == 0 || page == pages) view.page = 1;
            view.playing = view.page < pages;
            return KeyEffect::Redraw;
        case Key::Faster:
        case Key::Slower: {
            const int interval = std::clamp(view.interval + (key == Key::Faster ? -1 : 1), 0, 4);
            if (interval == view.interval) return KeyEffect::None;
            view.interval = interval;
            return view.playing ? KeyEffect::Redraw : KeyEffect::None;
        }
        case Key::Labels:
            view.labels = !view.labels;
            return KeyEffect::Redraw;
        case Key::ResetView:
            return KeyEffect::ResetView;
        case Key::Help:
            view.help = !view.help;
            return KeyEffect::Redraw;
    }
    if (view.page == page) return KeyEffect::None;
    if (view.page == pages) view.playing = false;
    return KeyEffect::Redraw;
}

bool playTick(StepView& view, int pages) {
    if (!view.playing) return false;
    if (view.page < pages) ++view.page;
    view.playing = view.page < pages;
    return true;
}

double playSeconds(const StepView& view) { return PlayIntervals[view.interval]; }

bool labelsShown(const StepView& view) { return view.page > 0 || view.labels; }

namespace {

// A stack-sweep step's caption: the step, its case, what it popped and why the last (or, along the
// same chain, the first) gets no diagonal, why the cuts stopped, what went back on the stack, and the
// number of its diagonals.
std::vector<std::string> stepCaption(const Judgement& shown, const PageAt& at) {
    const Triangulation& t = *at.sweep;
    const SweepStep& step = t.steps[at.index];
    std::vector<std::string> lines;
    if (step.kind == SweepCase::Start) {
        lines.push_back(format("Korak %d od %d: pocetak", at.index + 1, at.steps));
    } else {
        // Six significant digits: a coordinate reads the same however large or small it is.
        const Point& p = shown.vertices[step.vertex];
        char text[200];
        std::snprintf(text, sizeof text, "Korak %d od %d: teme %d (%g,%g)", at.index + 1, at.steps, step.vertex + 1,
                      static_cast<double>(p.x), static_cast<double>(p.y));
        lines.push_back(text);
    }
    switch (step.kind) {
        case SweepCase::Start:
            lines.push_back("Dva najvisa temena idu na stek.");
            break;
        case SweepCase::OppositeChain:
            lines.push_back("Suprotni lanac: crvene dijagonale do temena sa steka.");
            break;
        case SweepCase::SameChain:
            lines.push_back("Isti lanac: plave dijagonale dok su unutar poligona.");
            break;
        case SweepCase::LowestVertex:
            lines.push_back(t.stackBefore(step).size() <= 2
                                ? "Najnize teme: nema temena izmedju dna i vrha steka, nema novih dijagonala."
                                : "Najnize teme: crvene dijagonale do preostalih temena sa steka.");
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
            lines.push_back(format("Dijagonala %d-%d bi izasla iz poligona, pa se teme %d vraca na stek.", c, r.to + 1,
                                   r.corner + 1));
            break;
        case RefusalReason::FlatCorner:
            lines.push_back(format("Dijagonala %d-%d bi prosla kroz teme %d, pa se teme %d vraca na stek.", c, r.to + 1,
                                   r.corner + 1, r.corner + 1));
            break;
        case RefusalReason::VertexInTriangle:
            lines.push_back(format("Trougao %d-%d-%d sadrzi teme %d, pa se teme %d vraca na stek.", c, r.corner + 1,
                                   r.to + 1, r.blocker + 1, r.corner + 1));
            break;
    }
    if (step.kind == SweepCase::OppositeChain || step.kind == SweepCase::SameChain) {
        // What went back on: the popped entries the stack after holds, then the swept vertex.
        std::vector<int> back;
        for (const int v : t.stackAfter(step)) {
            if (v == step.vertex || std::find(popped.begin(), popped.end(), v) != popped.end()) back.push_back(v);
        }
        lines.push_back("Vracena na stek: " + numbers(back) + ".");
    }
    lines.push_back("Nove dijagonale: " + std::to_string(step.diagonalCount));
    return lines;
}

}  // namespace

std::string verdictLine(const Judgement& shown) {
    const int n = static_cast<int>(shown.vertices.size());
    switch (shown.verdict) {
        case Verdict::FewerThanThree:
            break;
        case Verdict::NotSimple: {
            const int a = shown.contact[0];
            const int b = shown.contact[1];
            return format("Poligon nije prost: ivice %d-%d i %d-%d se dodiruju ili seku.", a + 1, (a + 1) % n + 1, b + 1,
                          (b + 1) % n + 1);
        }
        case Verdict::NotMonotone: {
            std::vector<int> splits;
            std::vector<int> merges;
            for (const int v : splitOrMergeVertices(shown.whole.partition)) {
                (shown.whole.partition.types[v] == VertexType::Split ? splits : merges).push_back(v);
            }
            return "Poligon nije monoton. Temena razdvajanja: " + numbers(splits) + ". Temena spajanja: " +
                   numbers(merges) + ".";
        }
        case Verdict::Triangulated:
            return format("Poligon je monoton. Broj dijagonala: %d.",
                          static_cast<int>(shown.triangulation.diagonals.size()), 0);
    }
    return "Manje od tri temena: nema sta da se triangulise.";
}

std::string pageLine(const Judgement& shown, int page) {
    return format("Strana %d od %d", std::max(0, page) + 1, pageCount(shown) + 1);
}

std::vector<std::string> bottomLines(const Judgement& shown, int chars) {
    // As many of the three as fit go on the last line; the verdict wraps above it when they do not.
    const std::string verdict = verdictLine(shown);
    const std::string tail = pageLine(shown, 0) + BottomGap + startHint();
    const std::string one = verdict + BottomGap + tail;
    if (static_cast<int>(one.size()) <= chars) return {one};
    std::vector<std::string> lines = wrapLines({verdict}, chars);
    lines.push_back(tail);
    return lines;
}

std::vector<std::string> captionLines(const Judgement& shown, const StepView& view) {
    const int page = view.page;
    if (page <= 0) return {};
    const int n = static_cast<int>(shown.vertices.size());
    const PageAt at = pageAt(shown, page);
    std::vector<std::string> lines;
    switch (at.kind) {
        case PageKind::Full:
            return {};
        case PageKind::Why:
            switch (shown.verdict) {
                case Verdict::NotMonotone:
                    lines = {"Teme razdvajanja (trougao nagore): oba suseda su niza, a unutrasnjost je s obe strane.",
                             "Teme spajanja (trougao nadole): oba suseda su visa, a unutrasnjost je s obe strane.",
                             "Dalje: podela na monotone delove, pa triangulacija svakog dela."};
                    break;
                case Verdict::NotSimple:
                    lines = {"Nema koraka: samo prost poligon moze da se triangulise."};
                    break;
                default:
                    lines = {"Nema koraka."};
                    break;
            }
            break;
        case PageKind::Partition: {
            const Partition& p = shown.whole.partition;
            const PartitionStep& step = p.steps[at.index];
            lines.push_back(format("Korak %d od %d: teme %d, vrsta: ", at.index + 1, at.steps, step.vertex + 1) +
                            typeName(step.type));
            if (step.type == VertexType::Merge && step.helped >= 0) {
                lines.push_back(format("Teme %d je teme spajanja: postaje pomocnik ivice ", step.vertex + 1, 0) +
                                edgeName(step.helped, n) +
                                "; dijagonala iz njega ide nadole, do sledeceg temena koje vidi tu ivicu.");
            }
            for (const PartitionDiagonal& d : p.diagonalsOf(step)) {
                std::string line = format("Nova dijagonala: %d-%d (pomocnik ivice ", d.from + 1, d.to + 1) + edgeName(d.helperOf, n);
                if (p.types[d.to] == VertexType::Merge) line += format(" bio je teme spajanja %d", d.to + 1, 0);
                lines.push_back(line + ")");
            }
            break;
        }
        case PageKind::Whole: {
            const int partition = static_cast<int>(shown.whole.partition.diagonals.size());
            lines.push_back(format("Cela triangulacija. Broj dijagonala: %d, od toga iz podele na monotone delove: %d.",
                                   static_cast<int>(shown.whole.diagonals.size()), partition));
            lines.push_back(format("Broj monotonih delova: %d.", partition + 1, 0));
            break;
        }
        case PageKind::Step:
            lines = stepCaption(shown, at);
            if (at.piece >= 0) {
                lines[0] = format("Deo %d od %d: ", at.piece + 1, static_cast<int>(shown.whole.pieces.size())) + lines[0];
            }
            break;
    }
    // The verdict first, then where the page stands beside its own first line.
    lines[0] = pageLine(shown, page) + ". " + lines[0];
    lines.insert(lines.begin(), verdictLine(shown));
    if (view.playing) {
        char text[80];
        std::snprintf(text, sizeof text, "Automatski: korak svakih %g s (P zaustavlja)", playSeconds(view));
        lines.push_back(text);
    }
    return lines;
}

int stackBoxChars(int vertexCount) { return std::max(5, static_cast<int>(std::to_string(vertexCount).size()) + 2); }

PageLayout layoutFor(const Judgement& shown, const StepView& view, int windowWidth, int windowHeight,
                     const std::vector<std::string>& footer, int footerReserved) {
    const std::vector<std::string> caption = captionLines(shown, view);
    if (caption.empty()) return layoutPage(windowWidth, windowHeight, caption, 0, 0, footer, footerReserved);
    const int pages = pageCount(shown);
    const int chars = captionChars(windowText(windowWidth, windowHeight), windowWidth);
    int reserved = 0;
    StepView any = view;
    any.playing = true;
    for (any.page = 1; any.page <= pages; ++any.page) {
        reserved = std::max(reserved, static_cast<int>(wrapLines(captionLines(shown, any), chars).size()));
    }
    // Two columns, the stack before the step and after it, two characters apart, the top marked "vrh".
    const int boxChars = stackBoxChars(static_cast<int>(shown.vertices.size()));
    const bool stack = shown.verdict == Verdict::Triangulated || shown.verdict == Verdict::NotMonotone;
    const int stackChars = stack ? 2 * boxChars + 2 + 4 : 0;
    return layoutPage(windowWidth, windowHeight, caption, reserved, stackChars, footer, footerReserved);
}

const char* startHint() { return "H - pomoc, strelice - koraci"; }

int segmentsShown(const Judgement& shown, int page, int sceneSegments) {
    if (page <= 0 || shown.verdict != Verdict::Triangulated) return sceneSegments;
    const SweepStep& step = shown.triangulation.steps[page - 1];
    return std::min(sceneSegments, static_cast<int>(shown.vertices.size()) + step.firstDiagonal + step.diagonalCount);
}

namespace {

// The sweep line, horizontal at the height of `vertex` and reaching past the polygon on both sides;
// drawLine draws it 100 directions each way from its point. The point's abscissa is the vertex
// abscissa nearest the middle, a float exact wherever the polygon lies, so that the line stays about
// centred on the picture.
Line sweepLineAt(const std::vector<Point>& v, int vertex, double ring) {
    const auto [left, right] = std::minmax_element(v.begin(), v.end(), [](const Point& a, const Point& b) {
        return a.x < b.x;
    });
    const double middle = (static_cast<double>(left->x) + right->x) / 2;
    float across = left->x;
    for (const Point& p : v) {
        if (std::abs(p.x - middle) < std::abs(across - middle)) across = p.x;
    }
    const double reach = std::max(across - static_cast<double>(left->x), static_cast<double>(right->x) - across);
    Line line;
    line.point = Point(across, v[vertex].y, 0.0);
    line.direction = Point((reach + 4 * ring) / 100, 0.0, 0.0);
    line.colour = Green;
    return line;
}

Segment coloured(const Point& a, const Point& b, Colour colour) {
    Segment s(a, b);
    s.colour = colour;
    return s;
}

// The whole polygon's boundary, or a piece's, in its order.
std::vector<int> boundaryOf(const Judgement& shown, int piece) {
    if (piece >= 0) return shown.whole.partition.pieces[piece];
    std::vector<int> cycle(shown.vertices.size());
    for (std::size_t i = 0; i < cycle.size(); ++i) cycle[i] = static_cast<int>(i);
    return cycle;
}

// Whether the step put `vertex` back on the stack after taking it off.
bool wentBack(const Triangulation& t, const SweepStep& step, int vertex) {
    const Entries<int> after = t.stackAfter(step);
    return std::find(after.begin(), after.end(), vertex) != after.end();
}

// A stack-sweep step of the polygon or of a piece: the chains' tints along its boundary, the sweep
// line, the step's diagonals (wide), its refused candidate and the vertex in its way (dashed), the
// rings of the stack and of the swept vertex, the crosses of the vertices that left the stack for good.
void stepMarks(const Judgement& shown, const PageAt& at, double ring, PageMarks& marks) {
    const std::vector<Point>& v = shown.vertices;
    const Triangulation& t = *at.sweep;
    const SweepStep& step = t.steps[at.index];
    auto circle = [&](int vertex, double radius, Colour colour) { marks.circles.push_back(ringAt(v[vertex], radius, colour)); };
    // Each edge lies along the chain of its end that is not the highest or the lowest vertex; an
    // edge joining those two is a whole chain, across from the other one.
    const std::vector<int> cycle = boundaryOf(shown, at.piece);
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
    marks.lines.push_back(sweepLineAt(v, step.vertex, ring));
    for (const SweepDiagonal& g : t.diagonalsOf(step)) marks.wide.push_back(coloured(v[g.from], v[g.to], diagonalColour(g.made)));
    if (step.refusal.reason != RefusalReason::None) marks.dashed.push_back(Segment(v[step.vertex], v[step.refusal.to]));
    if (step.refusal.blocker >= 0) {
        marks.dashedCircles.push_back(ringAt(v[step.refusal.blocker], 1.3 * ring, Black));
    }
    for (const int entry : t.stackAfter(step)) circle(entry, ring, Orange);
    circle(step.vertex, 1.6 * ring, Green);
    for (const int p : t.popped(step)) {
        if (!wentBack(t, step, p)) marks.crosses.push_back(v[p]);
    }
}

// The triangles of piece `piece`: the faces its boundary and its sweep's diagonals cut it into.
std::vector<std::vector<int>> pieceTriangles(const Judgement& shown, int piece) {
    const std::vector<int>& cycle = shown.whole.partition.pieces[piece];
    std::vector<Point> points;
    std::vector<int> local(shown.vertices.size(), -1);
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        points.push_back(shown.vertices[cycle[k]]);
        local[cycle[k]] = static_cast<int>(k);
    }
    std::vector<PartitionDiagonal> diagonals;
    for (const SweepDiagonal& d : shown.whole.pieces[piece].diagonals) diagonals.push_back({local[d.from], local[d.to], 0});
    std::vector<std::vector<int>> faces = facesOf(points.data(), static_cast<int>(points.size()), diagonals);
    for (std::vector<int>& face : faces) {
        for (int& i : face) i = cycle[i];
    }
    return faces;
}

// Each piece's tint: its own, by turns, unless a neighbour (a piece across one of the partition's
// diagonals) has it already.
std::vector<int> pieceTints(const Judgement& shown) {
    const Partition& p = shown.whole.partition;
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

// The pieces filled with their tints: every one, or only `active` with the others under a veil.
void pieceFills(const Judgement& shown, int active, PageMarks& marks) {
    const std::vector<Point>& v = shown.vertices;
    const std::vector<int> tints = pieceTints(shown);
    const int n = static_cast<int>(v.size());
    for (int q = 0; q < static_cast<int>(tints.size()); ++q) {
        const bool tinted = active < 0 || q == active;
        for (const std::vector<int>& f : pieceTriangles(shown, q)) {
            for (std::size_t k = 1; k + 1 < f.size(); ++k) {
                (tinted ? marks.pieces : marks.veiled).push_back({v[f[0]], v[f[k]], v[f[k + 1]], tinted ? tints[q] : -1});
            }
        }
        if (tinted) continue;
        // The veil's own edge half covers the polygon's edges along it: they are drawn again, faded.
        const std::vector<int>& cycle = shown.whole.partition.pieces[q];
        for (std::size_t k = 0; k < cycle.size(); ++k) {
            const int a = cycle[k];
            const int b = cycle[(k + 1) % cycle.size()];
            if ((a + 1) % n == b || (b + 1) % n == a) marks.fadedEdges.push_back(Segment(v[a], v[b]));
        }
    }
}

// The diagonals a page of a polygon that is not monotone has so far: the partition's (all of them
// from its last step on), and each piece's up to this page.
void diagonalsSoFar(const Judgement& shown, const PageAt& at, PageMarks& marks) {
    const std::vector<Point>& v = shown.vertices;
    const Partition& p = shown.whole.partition;
    const int partitionDiagonals =
        at.kind == PageKind::Partition ? p.steps[at.index].firstDiagonal : static_cast<int>(p.diagonals.size());
    for (int d = 0; d < partitionDiagonals; ++d) marks.partition.push_back(Segment(v[p.diagonals[d].from], v[p.diagonals[d].to]));
    if (at.kind == PageKind::Partition) return;
    const int pieces = at.kind == PageKind::Whole ? static_cast<int>(shown.whole.pieces.size()) : at.piece + 1;
    for (int q = 0; q < pieces; ++q) {
        const Triangulation& t = shown.whole.pieces[q];
        const int count = q == at.piece ? t.steps[at.index].firstDiagonal : static_cast<int>(t.diagonals.size());
        for (int d = 0; d < count; ++d) {
            marks.segments.push_back(coloured(v[t.diagonals[d].from], v[t.diagonals[d].to], diagonalColour(t.diagonals[d].made)));
        }
    }
}

// What the verdict points at: the two edges that meet, in magenta, or the split and merge vertices,
// ringed in magenta and marked with their shapes.
void verdictMarks(const Judgement& shown, double ring, PageMarks& marks) {
    const std::vector<Point>& v = shown.vertices;
    const int n = static_cast<int>(v.size());
    if (shown.verdict == Verdict::NotSimple) {
        for (const int e : shown.contact) marks.segments.push_back(coloured(v[e], v[(e + 1) % n], Magenta));
    }
    if (shown.verdict == Verdict::NotMonotone) {
        // The ring wide enough to hold the shape.
        for (const int t : splitOrMergeVertices(shown.whole.partition)) {
            marks.circles.push_back(ringAt(v[t], 2.2 * ring, Magenta));
            marks.types.push_back({v[t], shown.whole.partition.types[t]});
        }
    }
}

// The edges on the sweep line after partition step `step` (-1: before the first), by their first
// vertex, with their helpers, left to right.
std::vector<StatusEdge> lineAfter(const Judgement& shown, int step) {
    if (step < 0) return {};
    return statusAfter(shown.whole.partition, shown.vertices.data(), static_cast<int>(shown.vertices.size()), step);
}

}  // namespace

Circle ringAt(const Point& centre, double radius, Colour colour) {
    Circle c;
    c.centre = centre;
    c.radius = static_cast<float>(radius);
    c.colour = colour;
    return c;
}

PageMarks pageMarks(const Judgement& shown, int page, double ring) {
    PageMarks marks;
    const PageAt at = pageAt(shown, page);
    const std::vector<Point>& v = shown.vertices;
    const int n = static_cast<int>(v.size());
    switch (at.kind) {
        case PageKind::Full:
        case PageKind::Why:
            verdictMarks(shown, ring, marks);
            break;
        case PageKind::Partition: {
            // The line, the edges on it (wide, orange) each tied to its helper by a thin line, the
            // vertex marked by its type, and the diagonals so far, this step's wider; on the last
            // step the pieces the diagonals cut, each in its tint.
            const Partition& p = shown.whole.partition;
            const PartitionStep& step = p.steps[at.index];
            if (at.index + 1 == at.steps) pieceFills(shown, -1, marks);
            marks.lines.push_back(sweepLineAt(v, step.vertex, ring));
            diagonalsSoFar(shown, at, marks);
            for (const StatusEdge& e : lineAfter(shown, at.index)) {
                const Point& a = v[e.edge];
                const Point& b = v[(e.edge + 1) % n];
                marks.wide.push_back(coloured(a, b, Orange));
                const Point middle((static_cast<double>(a.x) + b.x) / 2, (static_cast<double>(a.y) + b.y) / 2, 0.0);
                marks.segments.push_back(coloured(middle, v[e.helper], Orange));
            }
            for (const PartitionDiagonal& d : p.diagonalsOf(step)) marks.partitionNew.push_back(Segment(v[d.from], v[d.to]));
            marks.types.push_back({v[step.vertex], step.type});
            break;
        }
        case PageKind::Step:
            if (at.piece >= 0) {
                pieceFills(shown, at.piece, marks);
                diagonalsSoFar(shown, at, marks);
            }
            stepMarks(shown, at, ring, marks);
            break;
        case PageKind::Whole:
            pieceFills(shown, -1, marks);
            diagonalsSoFar(shown, at, marks);
            break;
    }
    return marks;
}

std::vector<int> concernedVertices(const Judgement& shown, int page) {
    std::vector<int> out;
    auto add = [&](int v) {
        if (v >= 0 && std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
    };
    const PageAt at = pageAt(shown, page);
    const int n = static_cast<int>(shown.vertices.size());
    switch (at.kind) {
        case PageKind::Full:
            break;
        case PageKind::Why:
            if (shown.verdict == Verdict::FewerThanThree) {
                for (int v = 0; v < n; ++v) add(v);
            }
            if (shown.verdict == Verdict::NotSimple) {
                for (const int e : shown.contact) {
                    add(e);
                    add((e + 1) % n);
                }
            }
            for (const int v : splitOrMergeVertices(shown.whole.partition)) add(v);
            break;
        case PageKind::Partition: {
            const Partition& p = shown.whole.partition;
            const PartitionStep& step = p.steps[at.index];
            add(step.vertex);
            for (const PartitionDiagonal& d : p.diagonalsOf(step)) add(d.to);
            for (const StatusEdge& e : lineAfter(shown, at.index)) add(e.helper);
            break;
        }
        case PageKind::Step: {
            const Triangulation& t = *at.sweep;
            const SweepStep& step = t.steps[at.index];
            add(step.vertex);
            for (const SweepDiagonal& d : t.diagonalsOf(step)) add(d.to);
            add(step.refusal.to);
            add(step.refusal.corner);
            add(step.refusal.blocker);
            for (const int p : t.popped(step)) add(p);
            const Entries<int> stack = t.stackAfter(step);
            for (int i = stack.size() - 1; i >= 0; --i) add(stack[i]);
            break;
        }
        case PageKind::Whole:
            for (const int v : splitOrMergeVertices(shown.whole.partition)) add(v);
            break;
    }
    return out;
}

StackColumns stackColumns(const Judgement& shown, int page) {
    StackColumns columns;
    const PageAt at = pageAt(shown, page);
    if (at.kind != PageKind::Step) return columns;
    const Triangulation& t = *at.sweep;
    const SweepStep& step = t.steps[at.index];
    const Entries<int> popped = t.popped(step);
    auto wasPopped = [&](int v) { return std::find(popped.begin(), popped.end(), v) != popped.end(); };
    for (const int v : t.stackBefore(step)) columns.before.push_back({v, t.chains[v], wasPopped(v), false, false});
    for (const int v : t.stackAfter(step)) {
        columns.after.push_back({v, t.chains[v], false, v == step.vertex, v != step.vertex && wasPopped(v)});
    }
    return columns;
}

int tallestStack(const Judgement& shown) {
    int tallest = 0;
    auto of = [&](const Triangulation& t) {
        for (const SweepStep& s : t.steps) tallest = std::max(tallest, s.stackHeightAfter);
    };
    of(shown.triangulation);
    for (const Triangulation& t : shown.whole.pieces) of(t);
    return tallest;
}

std::vector<StatusRow> statusRows(const Judgement& shown, int page) {
    std::vector<StatusRow> rows;
    const PageAt at = pageAt(shown, page);
    if (at.kind != PageKind::Partition) return rows;
    const PartitionStep& step = shown.whole.partition.steps[at.index];
    const std::vector<StatusEdge> before = lineAfter(shown, at.index - 1);
    for (const StatusEdge& e : lineAfter(shown, at.index)) {
        StatusRow row{e.edge, e.helper, -1, e.edge == step.inserted, false};
        if (e.edge == step.helped) {
            for (const StatusEdge& b : before) {
                if (b.edge == e.edge) row.oldHelper = b.helper;
            }
        }
        rows.push_back(row);
    }
    // The edge taken off, struck, after those that stood left of it before.
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].edge != step.removed) continue;
        auto place = rows.begin();
        for (std::size_t j = 0; j < i; ++j) {
            const auto found = std::find_if(rows.begin(), rows.end(), [&](const StatusRow& r) { return r.edge == before[j].edge; });
            if (found != rows.end()) place = found + 1;
        }
        rows.insert(place, StatusRow{before[i].edge, before[i].helper, -1, false, true});
    }
    return rows;
}

const std::vector<HelpRow>& helpEntries() {
    static const std::vector<HelpRow> entries = {
        {"Tasteri", "", Swatch::None},
        {"Desno, razmak", "sledeci korak", Swatch::None},
        {"Levo, Backspace", "prethodni korak", Swatch::None},
        {"Page Down / Up", "deset koraka napred / nazad", Swatch::None},
        {"Home", "prvi korak", Swatch::None},
        {"End", "cela slika (okreti i uvelicanje ostaju)", Swatch::None},
        {"P", "koraci sami od sebe: pokreni / zaustavi", Swatch::None},
        {"+ / -", "brze / sporije (od 0.25 s do 4 s)", Swatch::None},
        {"L", "brojevi temena na celoj slici", Swatch::None},
        {"R", "ceo poligon u prozoru, bez okretanja i uvelicanja", Swatch::None},
        {"H", "ova pomoc", Swatch::None},
        {"Q, Esc", "kraj programa (pita ako izmene nisu sacuvane)", Swatch::None},
        {"Uredjivanje", "", Swatch::None},
        {"E", "uredjivanje: ukljuci / iskljuci", Swatch::None},
        {"levi taster na temenu", "pomeranje temena", Swatch::None},
        {"klik na stranicu", "novo teme na njoj", Swatch::None},
        {"X, Delete", "brisanje temena pod pokazivacem", Swatch::None},
        {"G", "mreza: ukljuci / iskljuci", Swatch::None},
        {"U, Ctrl+Z / Ctrl+Y", "vrati / ponovi izmenu", Swatch::None},
        {"N", "novi poligon: klik dodaje teme, Enter zatvara", Swatch::None},
        {"S", "cuvanje u prvu slobodnu poligon-K.txt", Swatch::None},
        {"Esc", "odustani od vucenja ili novog poligona, inace kraj", Swatch::None},
        {"Mis", "", Swatch::None},
        {"desni taster", "okretanje slike", Swatch::None},
        {"levi taster", "pomeranje slike", Swatch::None},
        {"tocak", "uvelicavanje oko pokazivaca", Swatch::None},
        {"srednji, levi+desni", "uvelicavanje: nagore vece, nadole manje", Swatch::None},
        {"Boje", "", Swatch::None},
        {"crna", "stranice poligona", Swatch::Outline},
        {"crvena", "dijagonale do suprotnog lanca i iz najnizeg temena", Swatch::RedDiagonal},
        {"plava", "dijagonale duz istog lanca", Swatch::BlueDiagonal},
        {"deblja", "dijagonale ovog koraka", Swatch::NewDiagonal},
        {"isprekidana", "dijagonala koju korak odbija, i teme koje joj smeta", Swatch::Refused},
        {"zelena", "brisuca prava i teme koje se obradjuje", Swatch::Sweep},
        {"narandzasti krug", "teme na steku", Swatch::Stack},
        {"narandzasti krstic", "teme skinuto sa steka, a nije vraceno", Swatch::Popped},
        {"tirkizna", "levi lanac", Swatch::LeftChain},
        {"ljubicasta", "desni lanac", Swatch::RightChain},
        {"magenta", "ono zbog cega poligon nije prost ili monoton", Swatch::Why},
        {"precrtano", "skinuto sa steka ili sa brisuce prave", Swatch::Struck},
        {"Podela na monotone delove", "", Swatch::None},
        {"cijan", "dijagonale podele", Swatch::PartitionDiagonal},
        {"svetle boje", "monotoni delovi (bledi: oni koji se ne obradjuju)", Swatch::Piece},
        {"narandzasta ivica", "ivica na brisucoj pravoj, tanka linija do pomocnika", Swatch::LineEdge},
        {"prazan kvadrat", "pocetno teme", Swatch::StartMark},
        {"pun kvadrat", "krajnje teme", Swatch::EndMark},
        {"trougao nagore", "teme razdvajanja", Swatch::SplitMark},
        {"trougao nadole", "teme spajanja", Swatch::MergeMark},
        {"tacka", "pravilno teme", Swatch::RegularMark},
    };
    return entries;
}
