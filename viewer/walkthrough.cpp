#include "viewer/walkthrough.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/polygon.h"

namespace {

std::string format(const char* pattern, int a, int b, int c = 0, int d = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

const SweepStep& stepOf(const Walkthrough& shown, int page) { return shown.triangulation.steps[page - 1]; }

}  // namespace

Walkthrough judgePolygon(const Point* vertices, int vertexCount) {
    Walkthrough w;
    w.vertices.assign(vertices, vertices + vertexCount);
    if (vertexCount >= 3 && findContact(vertices, vertexCount, w.contact[0], w.contact[1])) {
        w.verdict = Verdict::NotSimple;
    } else if (isMonotone(vertices, vertexCount)) {
        w.triangulation = triangulateMonotone(vertices, vertexCount);
        w.verdict = vertexCount >= 3 ? Verdict::Triangulated : Verdict::FewerThanThree;
    } else {
        w.verdict = Verdict::NotMonotone;
        w.turning = turningVertices(vertices, vertexCount);
    }
    return w;
}

int pageCount(const Walkthrough& shown) {
    return shown.verdict == Verdict::Triangulated ? static_cast<int>(shown.triangulation.steps.size()) : 1;
}

KeyEffect pressKey(StepView& view, Key key, int pages) {
    switch (key) {
        case Key::Next:
            if (view.page == pages) return KeyEffect::None;
            ++view.page;
            return KeyEffect::Redraw;
        case Key::Previous:
            if (view.page == 1) return KeyEffect::None;
            view.page = view.page == 0 ? pages : view.page - 1;
            return KeyEffect::Redraw;
        case Key::First:
            view.page = 1;
            return KeyEffect::Redraw;
        case Key::Full:
            view.page = 0;
            view.labels = false;
            return KeyEffect::Redraw;
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
    return KeyEffect::None;
}

bool labelsShown(const StepView& view) { return view.page > 0 || view.labels; }

std::vector<std::string> captionLines(const Walkthrough& shown, int page) {
    if (page <= 0) return {};
    const int n = static_cast<int>(shown.vertices.size());
    switch (shown.verdict) {
        case Verdict::FewerThanThree:
            return {"Poligon sa manje od tri temena nema triangulaciju."};
        case Verdict::NotSimple: {
            const int a = shown.contact[0];
            const int b = shown.contact[1];
            return {format("Poligon nije prost: stranice %d-%d i %d-%d se seku ili dodiruju.", a + 1, (a + 1) % n + 1,
                           b + 1, (b + 1) % n + 1)};
        }
        case Verdict::NotMonotone: {
            std::string numbers;
            for (const int v : shown.turning) numbers += (numbers.empty() ? "" : ", ") + std::to_string(v + 1);
            return {"Poligon nije monoton: temena " + numbers + " su lokalni ekstremi po ordinati."};
        }
        case Verdict::Triangulated:
            break;
    }
    const Triangulation& t = shown.triangulation;
    const SweepStep& step = stepOf(shown, page);
    const int pages = pageCount(shown);
    std::vector<std::string> lines;
    if (step.kind == SweepCase::Start) {
        lines.push_back(format("Korak %d od %d: pocetak", page, pages));
    } else {
        const Point& p = shown.vertices[step.vertex];
        char text[200];
        std::snprintf(text, sizeof text, "Korak %d od %d: teme %d (%f,%f)", page, pages, step.vertex + 1,
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
            lines.push_back("Najnize teme: crvene dijagonale do preostalih temena sa steka.");
            break;
    }
    lines.push_back("Nove dijagonale: " + std::to_string(step.diagonalCount));
    std::string stack = "Stek (od dna): ";
    for (const int entry : t.stackAfter(step)) stack += (stack.back() == ' ' ? "" : " ") + std::to_string(entry + 1);
    lines.push_back(stack);
    return lines;
}

int segmentsShown(const Walkthrough& shown, int page, int sceneSegments) {
    if (page <= 0 || shown.verdict != Verdict::Triangulated) return sceneSegments;
    const SweepStep& step = stepOf(shown, page);
    return std::min(sceneSegments, static_cast<int>(shown.vertices.size()) + step.firstDiagonal + step.diagonalCount);
}

PageMarks pageMarks(const Walkthrough& shown, int page, double ring) {
    PageMarks marks;
    if (page <= 0) return marks;
    const std::vector<Point>& v = shown.vertices;
    auto circle = [&](int vertex, double radius, Colour colour) {
        Circle c;
        c.centre = v[vertex];
        c.radius = static_cast<float>(radius);
        c.colour = colour;
        marks.circles.push_back(c);
    };
    switch (shown.verdict) {
        case Verdict::FewerThanThree:
            break;
        case Verdict::NotSimple:
            for (const int e : shown.contact) {
                Segment s(v[e], v[(e + 1) % v.size()]);
                s.colour = Magenta;
                marks.segments.push_back(s);
            }
            break;
        case Verdict::NotMonotone:
            for (const int t : shown.turning) circle(t, ring, Magenta);
            break;
        case Verdict::Triangulated: {
            const SweepStep& step = stepOf(shown, page);
            const Triangulation& t = shown.triangulation;
            // The sweep line, horizontal through the swept vertex and reaching past the polygon on
            // both sides; drawLine draws it 100 directions each way from its point. The point's
            // abscissa is the vertex abscissa nearest the middle, a float exact wherever the polygon
            // lies, so that the line stays about centred on the picture.
            const auto [left, right] = std::minmax_element(v.begin(), v.end(), [](const Point& a, const Point& b) {
                return a.x < b.x;
            });
            const double middle = (static_cast<double>(left->x) + right->x) / 2;
            float across = left->x;
            for (const Point& p : v) {
                if (std::abs(p.x - middle) < std::abs(across - middle)) across = p.x;
            }
            const double reach = std::max(across - static_cast<double>(left->x), static_cast<double>(right->x) - across);
            Line sweepLine;
            sweepLine.point = Point(across, v[step.vertex].y, 0.0);
            sweepLine.direction = Point((reach + 4 * ring) / 100, 0.0, 0.0);
            sweepLine.colour = Green;
            marks.lines.push_back(sweepLine);
            // The step's own diagonals, drawn again wider over the picture.
            for (int d = step.firstDiagonal; d < step.firstDiagonal + step.diagonalCount; ++d) {
                const SweepDiagonal& g = t.diagonals[d];
                Segment s(v[g.from], v[g.to]);
                s.colour = diagonalColour(g.made);
                marks.wide.push_back(s);
            }
            for (const int entry : t.stackAfter(step)) circle(entry, ring, Orange);
            circle(step.vertex, 1.6 * ring, Green);
            break;
        }
    }
    return marks;
}

const std::vector<std::string>& helpLines() {
    static const std::vector<std::string> lines = {
        "Tasteri",
        "  Strelica desno, razmak     sledeci korak",
        "  Strelica levo, Backspace   prethodni korak",
        "  Home                       prvi korak",
        "  End                        cela slika, kao na pocetku",
        "  L                          brojevi temena na celoj slici",
        "  R                          pocetni pogled",
        "  H                          ova pomoc",
        "  Q, Esc                     kraj programa",
        "Mis",
        "  desni taster               okretanje slike",
        "  levi taster                pomeranje slike",
        "  srednji, ili levi i desni  uvelicavanje: nagore vece, nadole manje",
        "Boje",
        "  crna                       stranice poligona",
        "  crvena                     dijagonale do suprotnog lanca i iz najnizeg temena",
        "  plava                      dijagonale duz istog lanca",
        "  zelena                     brisuca prava i teme koje se obradjuje",
        "  narandzasta                temena na steku",
        "  magenta                    ono zbog cega poligon nije prost ili monoton",
    };
    return lines;
}
