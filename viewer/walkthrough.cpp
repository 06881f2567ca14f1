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

// Vertex numbers as the dialogue numbers them, from 1, joined by commas.
template <typename Indices>
std::string numbers(const Indices& indices) {
    std::string out;
    for (const int v : indices) out += (out.empty() ? "" : ", ") + std::to_string(v + 1);
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
        case Key::Quit:
            return KeyEffect::Quit;
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

// A stack-sweep step's caption: the step, its case, what it popped, why it stopped, its diagonals.
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
    if (!t.popped(step).empty()) lines.push_back("Skinuta sa steka: " + numbers(t.popped(step)));
    const Refusal& r = step.refusal;
    const int c = step.vertex + 1;
    switch (r.reason) {
        case RefusalReason::None:
            break;
        case RefusalReason::ReflexCorner:
            lines.push_back(format("Dijagonala %d-%d bi izasla iz poligona, pa teme %d ostaje na steku.", c, r.to + 1,
                                   r.corner + 1));
            break;
        case RefusalReason::FlatCorner:
            lines.push_back(format("Dijagonala %d-%d bi prosla kroz teme %d, pa teme %d ostaje na steku.", c, r.to + 1,
                                   r.corner + 1, r.corner + 1));
            break;
        case RefusalReason::VertexInTriangle:
            lines.push_back(format("Trougao %d-%d-%d sadrzi teme %d, pa teme %d ostaje na steku.", c, r.corner + 1,
                                   r.to + 1, r.blocker + 1, r.corner + 1));
            break;
    }
    lines.push_back("Nove dijagonale: " + std::to_string(step.diagonalCount));
    return lines;
}

}  // namespace

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
                case Verdict::NotSimple: {
                    const int a = shown.contact[0];
                    const int b = shown.contact[1];
                    return {format("Poligon nije prost: stranice %d-%d i %d-%d se seku ili dodiruju.", a + 1,
                                   (a + 1) % n + 1, b + 1, (b + 1) % n + 1)};
                }
                case Verdict::NotMonotone: {
                    // One vertex is named in the singular.
                    const std::vector<int> reasons = splitOrMergeVertices(shown.whole.partition);
                    return {reasons.size() == 1
                                ? "Poligon nije monoton: teme " + numbers(reasons) + " je teme razdvajanja ili spajanja."
                                : "Poligon nije monoton: temena " + numbers(reasons) +
                                      " su temena razdvajanja ili spajanja.",
                            "Dalje: podela na monotone delove, pa triangulacija svakog dela."};
                }
                default:
                    return {"Poligon sa manje od tri temena nema triangulaciju."};
            }
        case PageKind::Partition: {
            const Partition& p = shown.whole.partition;
            const PartitionStep& step = p.steps[at.index];
            lines.push_back(format("Korak %d od %d: teme %d, vrsta: ", at.index + 1, at.steps, step.vertex + 1) +
                            typeName(step.type));
            for (const PartitionDiagonal& d : p.diagonalsOf(step)) {
                lines.push_back(format("Nova dijagonala: %d-%d (pomocnik ivice ", d.from + 1, d.to + 1) +
                                edgeName(d.helperOf, n) + ")");
            }
            std::string line;
            for (const StatusEdge& e : statusAfter(p, shown.vertices.data(), n, at.index)) {
                line += (line.empty() ? "" : ", ") + edgeName(e.edge, n) + " (" + std::to_string(e.helper + 1) + ")";
            }
            lines.push_back("Ivice na brisucoj pravoj (pomocnik): " + (line.empty() ? std::string("nema") : line));
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

// A stack-sweep step of the polygon or of a piece: the chains' tints along its boundary, the sweep
// line, the step's diagonals (wide), its refused candidate and the vertex in its way (dashed), the
// rings of the stack and of the swept vertex, the crosses of the popped vertices.
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
    for (const int p : t.popped(step)) marks.crosses.push_back(v[p]);
}

// The diagonals a page of a polygon that is not monotone has so far: the partition's (all of them
// from its last step on), and each piece's up to this page.
void diagonalsSoFar(const Judgement& shown, const PageAt& at, PageMarks& marks) {
    const std::vector<Point>& v = shown.vertices;
    const Partition& p = shown.whole.partition;
    const int partitionDiagonals =
        at.kind == PageKind::Partition ? p.steps[at.index].firstDiagonal : static_cast<int>(p.diagonals.size());
    for (int d = 0; d < partitionDiagonals; ++d) {
        marks.segments.push_back(coloured(v[p.diagonals[d].from], v[p.diagonals[d].to], PartitionColour));
    }
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
            break;
        case PageKind::Why:
            if (shown.verdict == Verdict::NotSimple) {
                for (const int e : shown.contact) marks.segments.push_back(coloured(v[e], v[(e + 1) % n], Magenta));
            }
            for (const int t : splitOrMergeVertices(shown.whole.partition)) {
                marks.circles.push_back(ringAt(v[t], ring, Magenta));
            }
            break;
        case PageKind::Partition: {
            // The line, the edges on it (wide, orange) each tied to its helper by a thin line, the
            // vertex marked by its type, and the diagonals so far, this step's wide.
            const Partition& p = shown.whole.partition;
            const PartitionStep& step = p.steps[at.index];
            marks.lines.push_back(sweepLineAt(v, step.vertex, ring));
            diagonalsSoFar(shown, at, marks);
            for (const StatusEdge& e : statusAfter(p, v.data(), n, at.index)) {
                const Point& a = v[e.edge];
                const Point& b = v[(e.edge + 1) % n];
                marks.wide.push_back(coloured(a, b, Orange));
                const Point middle((static_cast<double>(a.x) + b.x) / 2, (static_cast<double>(a.y) + b.y) / 2, 0.0);
                marks.segments.push_back(coloured(middle, v[e.helper], Orange));
            }
            for (const PartitionDiagonal& d : p.diagonalsOf(step)) marks.wide.push_back(coloured(v[d.from], v[d.to], PartitionColour));
            marks.types.push_back({v[step.vertex], step.type});
            break;
        }
        case PageKind::Step:
            if (at.piece >= 0) diagonalsSoFar(shown, at, marks);
            stepMarks(shown, at, ring, marks);
            break;
        case PageKind::Whole:
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
            for (const StatusEdge& e : statusAfter(p, shown.vertices.data(), n, at.index)) add(e.helper);
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
    const Entries<int> before = t.stackBefore(step);
    for (const int v : before) {
        columns.before.push_back({v, t.chains[v], std::find(popped.begin(), popped.end(), v) != popped.end(), false});
    }
    for (const int v : t.stackAfter(step)) columns.after.push_back({v, t.chains[v], false, v == step.vertex});
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
        {"Q, Esc", "kraj programa", Swatch::None},
        {"Uredjivanje", "", Swatch::None},
        {"E", "uredjivanje: ukljuci / iskljuci", Swatch::None},
        {"levi taster na temenu", "pomeranje temena", Swatch::None},
        {"klik na stranicu", "novo teme na njoj", Swatch::None},
        {"X, Delete", "brisanje temena pod pokazivacem", Swatch::None},
        {"G", "mreza: ukljuci / iskljuci", Swatch::None},
        {"U, Ctrl+Z / Ctrl+Y", "vrati / ponovi izmenu", Swatch::None},
        {"N", "novi poligon: klik dodaje teme, Enter zatvara", Swatch::None},
        {"S", "cuvanje u prvu slobodnu poligon-K.txt", Swatch::None},
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
        {"narandzasti krstic", "teme skinuto sa steka u ovom koraku", Swatch::Popped},
        {"tirkizna", "levi lanac", Swatch::LeftChain},
        {"ljubicasta", "desni lanac", Swatch::RightChain},
        {"magenta", "ono zbog cega poligon nije prost ili monoton", Swatch::Why},
        {"Podela na monotone delove", "", Swatch::None},
        {"tamnoljubicasta", "dijagonale podele", Swatch::PartitionDiagonal},
        {"narandzasta ivica", "ivica na brisucoj pravoj, tanka linija do pomocnika", Swatch::LineEdge},
        {"prazan kvadrat", "pocetno teme", Swatch::StartMark},
        {"pun kvadrat", "krajnje teme", Swatch::EndMark},
        {"trougao nagore", "teme razdvajanja", Swatch::SplitMark},
        {"trougao nadole", "teme spajanja", Swatch::MergeMark},
        {"tacka", "pravilno teme", Swatch::RegularMark},
    };
    return entries;
}
