#include "viewer/workbench.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int LeftButton = 0;

// What the events ask of the window.
constexpr Effect Redraw{true, false, false, false, false};
constexpr Effect PolygonChanged{true, true, false, false, false};
constexpr Effect Navigated{true, false, true, false, false};
constexpr Effect SaveAsked{true, false, false, true, false};
constexpr Effect Quit{false, false, false, false, true};

const char* const TooMany = "Najvise 100 temena: novo teme nije dodato.";
const char* const Taken = "Na tom mestu vec postoji teme.";
const char* const TooFew = "Poligon mora imati bar tri temena.";
const char* const OutOfRange = "Tacka je van opsega brojeva.";
const char* const NoVertex = "Nema temena ispod pokazivaca.";
const char* const UnsavedEdits = "Izmene nisu sacuvane: S cuva, Q zatvara bez cuvanja.";

// The pointer in GL's window pixels, origin at the bottom left, as sceneToPixels gives points.
PlanePoint pointerPixels(const ViewState& view, int x, int y) {
    return {static_cast<double>(x), static_cast<double>(view.windowHeight - 1 - y)};
}

double distance(const PlanePoint& a, const PlanePoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The point of the segment ab nearest to p, as the fraction of the way from a to b.
double nearestFraction(const PlanePoint& p, const PlanePoint& a, const PlanePoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0.0) return 0.0;
    return std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
}

double snap(double value, double step) { return std::round(value / step) * step; }

// A point of the plane as the polygon keeps it: floats, zero as +0 (so that it is saved as 0).
Point planePoint(double x, double y) {
    Point p(x, y, 0.0);
    p.x += 0.0f;
    p.y += 0.0f;
    return p;
}

bool samePlace(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

bool samePolygon(const std::vector<Point>& a, const std::vector<Point>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), samePlace);
}

// The polygon with every zero coordinate as +0.
std::vector<Point> withPlainZeros(std::vector<Point> polygon) {
    for (Point& p : polygon) p = planePoint(p.x, p.y);
    return polygon;
}

bool taken(const std::vector<Point>& vertices, const Point& p) {
    return std::any_of(vertices.begin(), vertices.end(), [&](const Point& v) { return samePlace(v, p); });
}

// Shows `polygon` as an edit that undo can take back.
void commit(Workbench& bench, const std::vector<Point>& polygon) {
    record(bench.history, polygon);
    setPolygon(bench, polygon);
}

// Takes hold of vertex `v` for a drag, the layout held still until it ends.
void grab(Workbench& bench, int v) {
    bench.edit.held = layoutOf(bench);
    bench.edit.dragged = v;
}

// Ends a drag: the polygon it left is an edit, unless it is the one there was.
void release(Workbench& bench) {
    EditState& e = bench.edit;
    if (e.dragged < 0) return;
    e.dragged = -1;
    const std::vector<Point>& now = bench.shown.vertices;
    if (!samePolygon(bench.history.polygons[bench.history.current], now)) record(bench.history, now);
}

const char* const EditKeys =
    "Uredjivanje: vuci teme, klik na stranicu dodaje teme, X ili Delete brise teme, G mreza, "
    "U ili Ctrl+Z vrati, Ctrl+Y ponovi, N novi poligon, S sacuvaj, E kraj";
const char* const DrawingKeys =
    "Novi poligon: klik dodaje teme, Backspace brise poslednje, Enter ili klik na prvo teme zatvara poligon";

// Inserts a vertex after `edge`'s first vertex: where the pointer is on the grid, else the point of
// the edge nearest to the pointer.
Effect insertOnEdge(Workbench& bench, int edge, int x, int y) {
    std::vector<Point> polygon = bench.shown.vertices;
    const int n = static_cast<int>(polygon.size());
    if (n >= MaxVertices) {
        bench.edit.message = TooMany;
        return Redraw;
    }
    Point placed;
    if (!placePoint(bench, x, y, placed)) {
        bench.edit.message = OutOfRange;
        return Redraw;
    }
    if (bench.edit.grid && taken(polygon, placed)) {
        bench.edit.message = Taken;
        return Redraw;
    }
    if (!bench.edit.grid) {
        const Point& a = polygon[edge];
        const Point& b = polygon[(edge + 1) % n];
        const double t = nearestFraction(pointerPixels(bench.view, x, y), sceneToPixels(bench.view, a.x, a.y),
                                         sceneToPixels(bench.view, b.x, b.y));
        placed = planePoint(a.x + t * (static_cast<double>(b.x) - a.x), a.y + t * (static_cast<double>(b.y) - a.y));
    }
    grab(bench, edge + 1);
    polygon.insert(polygon.begin() + edge + 1, placed);
    setPolygon(bench, polygon);
    // The new vertex can be dragged on at once; the insertion and the drag are one edit.
    return PolygonChanged;
}

Effect addToDraft(Workbench& bench, int x, int y) {
    EditState& e = bench.edit;
    if (e.draft.size() >= 3 && vertexAt(bench.view, {e.draft.front()}, x, y) == 0) {
        return pressEditKey(bench, EditKey::Close, x, y);
    }
    Point placed;
    if (!placePoint(bench, x, y, placed)) {
        e.message = OutOfRange;
    } else if (static_cast<int>(e.draft.size()) >= MaxVertices) {
        e.message = TooMany;
    } else if (taken(e.draft, placed)) {
        e.message = Taken;
    } else {
        e.draft.push_back(placed);
    }
    return Redraw;
}

}  // namespace

Workbench openWorkbench(const Judgement& judged) {
    Workbench bench;
    bench.shown = judged;
    bench.shown.vertices = withPlainZeros(judged.vertices);
    bench.history.polygons.push_back(bench.shown.vertices);
    bench.saved = bench.shown.vertices;
    bench.consoleLineOpen = judged.verdict == Verdict::Triangulated || judged.verdict == Verdict::FewerThanThree;
    return bench;
}

void setPolygon(Workbench& bench, const std::vector<Point>& polygon) {
    const std::vector<Point> plain = withPlainZeros(polygon);
    bench.shown = judgePolygon(plain.data(), static_cast<int>(plain.size()));
    const int pages = pageCount(bench.shown);
    if (bench.steps.page >= pages) {
        bench.steps.page = std::min(bench.steps.page, pages);
        bench.steps.playing = false;
    }
}

void record(History& history, const std::vector<Point>& polygon) {
    history.polygons.resize(history.current + 1);
    history.polygons.push_back(polygon);
    ++history.current;
}

Effect pressEditKey(Workbench& bench, EditKey key, int x, int y) {
    EditState& e = bench.edit;
    if (key != EditKey::Toggle && !e.on) return {};
    if (key == EditKey::Cancel && e.dragged >= 0) {
        // The vertex in hand goes back where the drag found it (an inserted one goes away).
        e.dragged = -1;
        e.message.clear();
        setPolygon(bench, bench.history.polygons[bench.history.current]);
        return PolygonChanged;
    }
    release(bench);  // a key during a drag ends it first
    const std::vector<Point>& current = bench.history.polygons[bench.history.current];
    e.message.clear();
    switch (key) {
        case EditKey::Toggle:
            e.on = !e.on;
            if (!e.on && e.drawing) {  // a new polygon left unfinished is dropped
                e.drawing = false;
                e.draft.clear();
                setPolygon(bench, current);
                return PolygonChanged;
            }
            return Redraw;
        case EditKey::Grid:
            e.grid = !e.grid;
            return Redraw;
        case EditKey::New:
            e.drawing = true;
            e.draft.clear();
            bench.steps.page = 0;
            bench.steps.playing = false;
            setPolygon(bench, {});
            return PolygonChanged;
        case EditKey::RemoveLast:
            if (!e.drawing) return Redraw;
            if (!e.draft.empty()) {
                e.draft.pop_back();
                return Redraw;
            }
            // Nothing drawn yet: back to the polygon there was.
            e.drawing = false;
            setPolygon(bench, current);
            return PolygonChanged;
        case EditKey::Close:
            if (!e.drawing) return Redraw;
            if (e.draft.size() < 3) {
                e.message = TooFew;
                return Redraw;
            }
            e.drawing = false;
            commit(bench, e.draft);
            e.draft.clear();
            return PolygonChanged;
        case EditKey::Undo:
        case EditKey::Redo: {
            // While a new polygon is drawn, undo takes back its last vertex.
            if (e.drawing) return key == EditKey::Undo ? pressEditKey(bench, EditKey::RemoveLast, x, y) : Redraw;
            History& h = bench.history;
            const int to = h.current + (key == EditKey::Undo ? -1 : 1);
            if (to < 0 || to >= static_cast<int>(h.polygons.size())) {
                e.message = key == EditKey::Undo ? "Nema izmena za vracanje." : "Nema izmena za ponavljanje.";
                return Redraw;
            }
            h.current = to;
            setPolygon(bench, h.polygons[to]);
            return PolygonChanged;
        }
        case EditKey::Cancel:
            // The drag was put back by release's caller; here a new polygon is dropped or editing ends.
            if (e.drawing) {
                e.drawing = false;
                e.draft.clear();
                setPolygon(bench, current);
                return PolygonChanged;
            }
            e.on = false;
            return Redraw;
        case EditKey::Delete: {
            if (e.drawing) return Redraw;
            const int v = inPicture(bench.view, x, y) ? vertexAt(bench.view, bench.shown.vertices, x, y) : -1;
            if (v < 0) {
                e.message = NoVertex;
                return Redraw;
            }
            if (bench.shown.vertices.size() <= 3) {
                e.message = TooFew;
                return Redraw;
            }
            std::vector<Point> polygon = bench.shown.vertices;
            polygon.erase(polygon.begin() + v);
            commit(bench, polygon);
            return PolygonChanged;
        }
        case EditKey::Save:
            if (e.drawing) {
                e.message = "Novi poligon jos nije zatvoren (Enter).";
                return Redraw;
            }
            return SaveAsked;
    }
    return {};
}

Effect pressButton(Workbench& bench, int button, bool pressed, int x, int y) {
    EditState& e = bench.edit;
    if (!pressed && e.dragged >= 0) {
        release(bench);
        pressOrRelease(bench.view, button, pressed, x, y);
        return Redraw;
    }
    // Editing is where the picture shows, and not under the help.
    if (pressed && button == LeftButton && e.on && inPicture(bench.view, x, y) && !bench.steps.help) {
        e.message.clear();
        if (e.drawing) return addToDraft(bench, x, y);
        const int v = vertexAt(bench.view, bench.shown.vertices, x, y);
        if (v >= 0) {
            grab(bench, v);
            return Redraw;
        }
        const int edge = edgeAt(bench.view, bench.shown.vertices, x, y);
        if (edge >= 0) return insertOnEdge(bench, edge, x, y);
    }
    if (e.drawing) return {};  // no panning while a new polygon is drawn
    pressOrRelease(bench.view, button, pressed, x, y);
    return Redraw;
}

Effect pressQuit(Workbench& bench) {
    release(bench);
    if (bench.quitWarned || !unsaved(bench)) return Quit;
    bench.quitWarned = true;
    bench.edit.message = UnsavedEdits;
    return Redraw;
}

void withdrawQuitWarning(Workbench& bench) {
    if (!bench.quitWarned) return;
    bench.quitWarned = false;
    if (bench.edit.message == UnsavedEdits) bench.edit.message.clear();
}

bool unsaved(const Workbench& bench) {
    const EditState& e = bench.edit;
    return !samePolygon(bench.history.polygons[bench.history.current], bench.saved) || (e.drawing && !e.draft.empty());
}

Effect movePointerTo(Workbench& bench, int x, int y) {
    EditState& e = bench.edit;
    if (e.dragged >= 0) {
        // The pointer kept within the picture, so that the vertex in hand never goes under a band.
        const PixelRect& p = bench.view.picture;
        x = std::clamp(x, p.x, p.x + p.width - 1);
        y = std::clamp(y, bench.view.windowHeight - p.y - p.height, bench.view.windowHeight - 1 - p.y);
        Point placed;
        if (!placePoint(bench, x, y, placed)) {
            e.message = OutOfRange;
            return Redraw;
        }
        if (e.message == OutOfRange) e.message.clear();
        if (samePlace(placed, bench.shown.vertices[e.dragged])) return {};
        std::vector<Point> polygon = bench.shown.vertices;
        polygon[e.dragged] = placed;
        setPolygon(bench, polygon);
        return PolygonChanged;
    }
    if (!movePointer(bench.view, x, y)) return {};
    return Navigated;
}

int vertexAt(const ViewState& view, const std::vector<Point>& vertices, int x, int y) {
    const PlanePoint pointer = pointerPixels(view, x, y);
    int nearest = -1;
    double best = VertexReach;
    for (int i = 0; i < static_cast<int>(vertices.size()); ++i) {
        const double d = distance(pointer, sceneToPixels(view, vertices[i].x, vertices[i].y));
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

int edgeAt(const ViewState& view, const std::vector<Point>& vertices, int x, int y) {
    const int n = static_cast<int>(vertices.size());
    if (n < 2 || vertexAt(view, vertices, x, y) >= 0) return -1;
    const PlanePoint pointer = pointerPixels(view, x, y);
    int nearest = -1;
    double best = EdgeReach;
    for (int i = 0; i < n; ++i) {
        const PlanePoint a = sceneToPixels(view, vertices[i].x, vertices[i].y);
        const PlanePoint b = sceneToPixels(view, vertices[(i + 1) % n].x, vertices[(i + 1) % n].y);
        const double t = nearestFraction(pointer, a, b);
        const double d = distance(pointer, {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

double gridStep(const ViewState& view) {
    double size = std::max(view.boundsWidth, view.boundsHeight);
    if (!(size > 0.0)) size = view.picture.height / pixelsPerUnit(view);
    size /= view.zoom;
    const double target = size / 20.0;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    double best = power;
    for (const double m : {2.0, 5.0, 10.0}) {
        if (std::abs(std::log(m * power / target)) < std::abs(std::log(best / target))) best = m * power;
    }
    return best;
}

bool placePoint(const Workbench& bench, int x, int y, Point& placed) {
    PlanePoint p = pointerInScene(bench.view, x, y);
    if (bench.edit.grid) {
        const double step = gridStep(bench.view);
        p = {snap(p.x, step), snap(p.y, step)};
    }
    const Point point = planePoint(p.x, p.y);
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return false;
    placed = point;
    return true;
}

std::vector<GridLine> gridLines(const ViewState& view, double step) {
    // The bounding box of the plane points under the picture's corners.
    const PixelRect& r = view.picture;
    const int top = view.windowHeight - (r.y + r.height);
    const int bottom = view.windowHeight - r.y;
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const int cx : {r.x, r.x + r.width}) {
        for (const int cy : {top, bottom}) {
            const PlanePoint p = pointerInScene(view, cx, cy);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    while ((maxX - minX) / step > 200 || (maxY - minY) / step > 200) step *= 10;
    std::vector<GridLine> lines;
    for (double k = std::ceil(minX / step); k * step <= maxX; ++k) lines.push_back({{k * step, minY}, {k * step, maxY}});
    for (double k = std::ceil(minY / step); k * step <= maxY; ++k) lines.push_back({{minX, k * step}, {maxX, k * step}});
    return lines;
}

std::vector<std::string> footerLines(const Workbench& bench, int chars) {
    const EditState& e = bench.edit;
    if (!e.on) return e.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{e.message};
    std::string verdict = verdictLine(bench.shown);
    if (bench.steps.page == 0) verdict += BottomGap + pageLine(bench.shown, 0);
    std::vector<std::string> lines = wrapLines({verdict}, chars);
    if (lines.size() > 2) {  // a long list of vertices gives way
        lines.resize(2);
        lines[1] = lines[1].substr(0, static_cast<std::size_t>(std::max(0, chars - 3))) + "...";
    }
    lines.push_back(e.drawing ? DrawingKeys : EditKeys);
    if (e.grid) {
        char text[80];
        std::snprintf(text, sizeof text, "Mreza: korak %g", gridStep(bench.view));
        lines.push_back(text);
    }
    if (!e.message.empty()) lines.push_back(e.message);
    return lines;
}

PageLayout layoutOf(const Workbench& bench) {
    // The band keeps its height through the whole of editing (the keys of either kind, the grid's
    // line and a message), so that the picture holds still under the pointer.
    const int w = bench.view.windowWidth;
    const int h = bench.view.windowHeight;
    const int chars = captionChars(windowText(w, h), w);
    const int keys = static_cast<int>(std::max(wrapLines({EditKeys}, chars).size(), wrapLines({DrawingKeys}, chars).size()));
    PageLayout page = layoutFor(bench.shown, bench.steps, w, h, footerLines(bench, chars), bench.edit.on ? keys + 4 : 0);
    if (bench.edit.dragged >= 0) {
        // Under a drag the texts follow the polygon, but every part of the window stays where it was.
        const PageLayout& held = bench.edit.held;
        page.text = held.text;
        page.captionBand = held.captionBand;
        page.stackPanel = held.stackPanel;
        page.footerBand = held.footerBand;
        page.picture = held.picture;
    }
    return page;
}

std::string polygonText(const std::vector<Point>& vertices) {
    auto number = [](float value) {
        char text[40];
        for (int digits = 1;; ++digits) {
            std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
            if (value == 0.0f) return std::string("0");
            const float back = std::strtof(text, nullptr);
            if (digits >= 9 || back == value) return std::string(text);
        }
    };
    std::string out = std::to_string(vertices.size()) + "\n";
    for (const Point& p : vertices) out += number(p.x) + " " + number(p.y) + "\n";
    return out;
}

bool savePolygon(const std::vector<Point>& vertices, const std::string& folder, std::string& message) {
    const std::string text = polygonText(vertices);
    for (int k = 1; k <= 100000; ++k) {
        const std::string name = "poligon-" + std::to_string(k) + ".txt";
        const int fd = ::open((folder + "/" + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) break;
        const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (::close(fd) == 0 && written) {
            message = "Poligon je sacuvan u datoteku " + name + ".";
            return true;
        }
        ::unlink((folder + "/" + name).c_str());
        break;
    }
    message = "Poligon nije sacuvan: u tekucoj fascikli ne moze da se napravi datoteka.";
    return false;
}
