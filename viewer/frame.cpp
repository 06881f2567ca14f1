#include "viewer/frame.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "geometry/guards.h"
#include "viewer/commands.h"
#include "viewer/lesson.h"
#include "viewer/text.h"
#include "viewer/workbench.h"

namespace {

constexpr float DotSize = 4.0f;

// What the page is drawn on: the clear colour (opaque, also the halo behind text over the picture),
// the panels' and the help's shades, and the veil over the pieces not being swept, in the window's
// beige or, for a picture on white, all white (the panels set apart by their grey borders).
struct Paper {
    Rgba clear;
    Rgba panel;
    Rgba help;
    Rgba veil;
    Rgba veiledInk;  // black seen through the veil
};
Paper paperOf(bool white) {
    const Rgba clear = white ? WhitePaper : Rgba{ClearColour.r, ClearColour.g, ClearColour.b, 1.0f};
    return {clear, white ? WhitePaper : PanelShade, white ? WhitePaper : HelpShade, {clear.r, clear.g, clear.b, VeilAlpha},
            {clear.r * VeilAlpha, clear.g * VeilAlpha, clear.b * VeilAlpha, 1.0f}};
}

// The drawing colours of the colour codes 0..9.
Rgba inkOf(Colour code) { return code >= 0 && code <= 9 ? CodeInk[code] : Ink; }


// A length of the plane as a float keeps it, where a float can hold it (a radius, a line's reach);
// beyond that, the double itself.
double asFloat(double v) { return std::abs(v) <= FLT_MAX ? static_cast<float>(v) : v; }

// A point within the frame's reach: a number no further than FrameReach pixels from the window's
// corner on either axis.
bool withinReach(const PlanePoint& p) { return std::abs(p.x) <= FrameReach && std::abs(p.y) <= FrameReach; }

// Cuts the line a-b to the square of the frame's reach (the parameter of each end moved along the
// line, in double); false when nothing of it lies within, or an end is not a finite number.
bool clipLine(PlanePoint& a, PlanePoint& b) {
    if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y))) return false;
    if (withinReach(a) && withinReach(b)) return true;
    double from = 0.0;
    double to = 1.0;
    const double d[2] = {b.x - a.x, b.y - a.y};
    const double start[2] = {a.x, a.y};
    for (int axis = 0; axis < 2; ++axis) {
        for (const double side : {-FrameReach, FrameReach}) {
            // Inside where (start + t d) lies on the near side of `side`.
            const double lean = side < 0 ? -d[axis] : d[axis];
            const double room = side < 0 ? start[axis] - side : side - start[axis];
            if (lean == 0.0) {
                if (room < 0.0) return false;
                continue;
            }
            const double t = room / lean;
            if (lean > 0.0) {
                to = std::min(to, t);
            } else {
                from = std::max(from, t);
            }
        }
    }
    if (!(from <= to)) return false;
    const PlanePoint was = a;
    a = {was.x + from * d[0], was.y + from * d[1]};
    b = {was.x + to * d[0], was.y + to * d[1]};
    return true;
}

// The triangle a-b-c cut to the square of the frame's reach: the corners of what is left, in order
// (none when nothing is, or a corner is not a finite number).
std::vector<PlanePoint> clipTriangle(const PlanePoint& a, const PlanePoint& b, const PlanePoint& c) {
    std::vector<PlanePoint> polygon = {a, b, c};
    for (const PlanePoint& p : polygon) {
        if (!(std::isfinite(p.x) && std::isfinite(p.y))) return {};
    }
    for (int axis = 0; axis < 2; ++axis) {
        for (const double side : {-FrameReach, FrameReach}) {
            auto coordinate = [&](const PlanePoint& p) { return axis == 0 ? p.x : p.y; };
            auto inside = [&](const PlanePoint& p) { return side < 0 ? coordinate(p) >= side : coordinate(p) <= side; };
            std::vector<PlanePoint> kept;
            for (std::size_t k = 0; k < polygon.size(); ++k) {
                const PlanePoint& p = polygon[k];
                const PlanePoint& q = polygon[(k + 1) % polygon.size()];
                if (inside(p)) kept.push_back(p);
                if (inside(p) != inside(q)) {
                    const double t = (side - coordinate(p)) / (coordinate(q) - coordinate(p));
                    PlanePoint cut{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
                    (axis == 0 ? cut.x : cut.y) = side;
                    kept.push_back(cut);
                }
            }
            polygon = std::move(kept);
        }
    }
    return polygon;
}

// Puts shapes into the frame in drawing order, with the pen's colour, width, dashes and manner; a
// run of lines, points or triangles drawn alike goes into one shape.
struct Painter {
    Frame& frame;
    Paper paper;
    Rgba colour = Ink;
    float width = 1.0f;
    unsigned short dash = 0;
    bool smooth = false;
    bool clipped = false;

    Shape& shape(ShapeKind kind) {
        if (!frame.shapes.empty()) {
            Shape& last = frame.shapes.back();
            const bool runs = kind == ShapeKind::Lines || kind == ShapeKind::Points || kind == ShapeKind::Triangles;
            if (runs && last.kind == kind && sameColour(last.colour, colour) && last.width == width && last.dash == dash &&
                last.smooth == smooth && last.clipped == clipped) {
                return last;
            }
        }
        Shape s;
        s.kind = kind;
        s.colour = colour;
        s.width = width;
        s.dash = dash;
        s.smooth = smooth;
        s.clipped = clipped;
        frame.shapes.push_back(std::move(s));
        return frame.shapes.back();
    }
    void add(Shape& s, const PlanePoint& p) {
        s.xy.push_back(static_cast<float>(p.x));
        s.xy.push_back(static_cast<float>(p.y));
    }
    // A line, cut to the reach of the frame; none where it lies beyond it or is not made of numbers.
    void line(PlanePoint a, PlanePoint b) {
        if (!clipLine(a, b)) return;
        Shape& s = shape(ShapeKind::Lines);
        add(s, a);
        add(s, b);
    }
    void run(ShapeKind kind, const std::vector<PlanePoint>& points) {
        const bool within = std::all_of(points.begin(), points.end(), withinReach);
        if (within) {
            Shape& s = shape(kind);
            for (const PlanePoint& p : points) add(s, p);
            return;
        }
        // Points beyond the frame's reach: a run of lines goes as its lines cut to the reach, a
        // point is left out, and a triangle is cut to the reach and filled as the fan of what is left.
        switch (kind) {
            case ShapeKind::LineStrip:
            case ShapeKind::LineLoop: {
                const std::size_t count = points.size();
                const std::size_t sides = kind == ShapeKind::LineLoop ? count : count - std::min<std::size_t>(count, 1);
                for (std::size_t k = 0; k < sides; ++k) line(points[k], points[(k + 1) % count]);
                return;
            }
            case ShapeKind::Points:
                for (const PlanePoint& p : points) {
                    if (withinReach(p)) add(shape(kind), p);
                }
                return;
            case ShapeKind::Triangles:
                for (std::size_t k = 0; k + 2 < points.size(); k += 3) {
                    const std::vector<PlanePoint> cut = clipTriangle(points[k], points[k + 1], points[k + 2]);
                    for (std::size_t i = 1; i + 1 < cut.size(); ++i) {
                        Shape& s = shape(kind);
                        add(s, cut[0]);
                        add(s, cut[i]);
                        add(s, cut[i + 1]);
                    }
                }
                return;
            default:
                return;
        }
    }
    void rect(double x0, double y0, double x1, double y1) {
        if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1))) return;
        Shape& s = shape(ShapeKind::Rect);
        add(s, {std::clamp(x0, -FrameReach, FrameReach), std::clamp(y0, -FrameReach, FrameReach)});
        add(s, {std::clamp(x1, -FrameReach, FrameReach), std::clamp(y1, -FrameReach, FrameReach)});
    }
    void rect(const PixelRect& r) { rect(r.x, r.y, r.x + r.width, r.y + r.height); }
    // A rectangle's outline, `inset` pixels inside its edges.
    void outline(const PixelRect& r, double inset) {
        run(ShapeKind::LineLoop, {{r.x + inset, r.y + inset}, {r.x + r.width - inset, r.y + inset},
                                  {r.x + r.width - inset, r.y + r.height - inset}, {r.x + inset, r.y + r.height - inset}});
    }
    // Text in the stroke font, its baseline from (x, y), narrowed to the style's advance.
    void text(const TextStyle& t, double x, double y, const std::string& s, double widen = 0.0) {
        if (s.empty() || !withinReach({x, y})) return;
        const float pen = width;
        width = static_cast<float>(std::max(1.0, t.size / 9.0) + widen);
        Shape& shaped = shape(ShapeKind::Text);
        width = pen;
        add(shaped, {x, y});
        shaped.text = s;
        shaped.scaleX = static_cast<float>(t.advance / FontAdvance);
        shaped.scaleY = static_cast<float>(t.size / FontHeight);
    }
    // Text over the picture: a halo of the clear colour first, so that it stays legible on lines.
    void legibleText(const TextStyle& t, double x, double y, const std::string& s) {
        colour = paper.clear;
        text(t, x, y, s, 3.0);
        colour = Ink;
        text(t, x, y, s);
    }
    // A crisp one-pixel grey line between the picture and a panel, on the panel's first row or column.
    void border(int x0, int y0, int x1, int y1) {
        const bool was = smooth;
        smooth = false;
        colour = Faded;
        width = 1.0f;
        line({x0 + 0.5, y0 + 0.5}, {x1 + 0.5, y1 + 0.5});
        smooth = was;
    }
};

// The widths of the picture's lines, in pixels: they grow with the text in large windows and keep
// the opening size's below it (edges 1, diagonals and the sweep line 1, this step's diagonals 3).
struct LineWidths {
    float edge;
    float diagonal;
    float wide;
    float partition;
    float partitionNew;
};
LineWidths lineWidths(const TextStyle& text) {
    const double grown = text.size / 14.0;
    LineWidths w;
    // Two pixels from a window about a thousand pixels high, as a projector's maximised window is.
    w.edge = static_cast<float>(std::max(1.0, std::floor(grown + 0.6)));
    w.diagonal = static_cast<float>(std::max(1.0, std::round(1.0 + 4.0 * (grown - 1.0))));
    w.wide = std::max(3.0f * w.edge, w.diagonal + 2.0f);
    w.partition = std::max(3.0f, w.diagonal + 2.0f);
    w.partitionNew = w.partition + 2.0f;
    return w;
}

// The picture: what the page draws in the polygon's plane, seen through the view.
struct Picture {
    Painter& pen;
    const ViewState& view;
    double ring;  // a ring's radius in the plane: 0.6 of a digit's height, however the picture is zoomed

    PlanePoint at(double x, double y) const { return sceneToPixels(view, x, y); }
    PlanePoint at(const Point& p) const { return at(p.x, p.y); }

    // Segments with the dots at their ends, in their colours: each run of one colour its lines, then
    // its dots (the same pixels as segment after segment, and a vertex shows the colour of the last
    // segment through it).
    void segments(const std::vector<Segment>& list, float width) {
        for (std::size_t first = 0; first < list.size();) {
            std::size_t end = first;
            while (end < list.size() && list[end].colour == list[first].colour) ++end;
            pen.colour = inkOf(list[first].colour);
            pen.width = width;
            for (std::size_t k = first; k < end; ++k) pen.line(at(list[k].start), at(list[k].end));
            pen.width = DotSize;
            for (std::size_t k = first; k < end; ++k) pen.run(ShapeKind::Points, {at(list[k].start), at(list[k].end)});
            first = end;
        }
    }
    void plain(const std::vector<Segment>& list, const Rgba& colour, float width) {
        pen.colour = colour;
        pen.width = width;
        for (const Segment& s : list) pen.line(at(s.start), at(s.end));
    }
    // A ring of a hundred sides about `centre`, as a circle of the plane.
    void circle(const Point& centre, double radius) {
        std::vector<PlanePoint> loop;
        for (int i = 0; i < 100; ++i) {
            const float theta = static_cast<float>(i * 2.0 * M_PI / 100);
            const float c = static_cast<float>(std::cos(static_cast<double>(theta)));
            const float s = static_cast<float>(std::sin(static_cast<double>(theta)));
            loop.push_back(at(centre.x + radius * c, centre.y + radius * s));
        }
        pen.run(ShapeKind::LineLoop, loop);
    }
    void triangles(const std::vector<TintedTriangle>& list) {
        for (const TintedTriangle& t : list) {
            pen.colour = t.light ? GalleryInk : t.tint >= 0 ? PieceInk[t.tint % PieceTints] : pen.paper.veil;
            pen.run(ShapeKind::Triangles, {at(t.a), at(t.b), at(t.c)});
        }
    }
};

// The mark of a vertex type centred on (x, y), `r` across from its middle, in the kind of shape
// `draw` makes of the points: an open square for a start, a filled one for an end, a triangle
// pointing up for a split and down for a merge, a dot for a regular vertex.
template <typename Draw>
void typeShape(VertexType type, double x, double y, double r, Draw draw) {
    switch (type) {
        case VertexType::Start:
            return draw(ShapeKind::LineLoop, std::vector<std::pair<double, double>>{{x - r, y - r}, {x + r, y - r}, {x + r, y + r}, {x - r, y + r}});
        case VertexType::End:
            return draw(ShapeKind::Triangles, std::vector<std::pair<double, double>>{{x - r, y - r}, {x + r, y - r}, {x + r, y + r},
                                                                                     {x - r, y - r}, {x + r, y + r}, {x - r, y + r}});
        case VertexType::Split:
        case VertexType::Merge: {
            const double s = type == VertexType::Split ? 1.0 : -1.0;
            return draw(ShapeKind::Triangles,
                        std::vector<std::pair<double, double>>{{x, y + s * 1.3 * r}, {x - r, y - s * r}, {x + r, y - s * r}});
        }
        case VertexType::Regular: {
            std::vector<std::pair<double, double>> fan;
            auto corner = [&](int i) {
                return std::make_pair(x + 0.6 * r * std::cos(i * M_PI / 8), y + 0.6 * r * std::sin(i * M_PI / 8));
            };
            for (int i = 1; i + 1 < 16; ++i) {
                fan.push_back(corner(0));
                fan.push_back(corner(i));
                fan.push_back(corner(i + 1));
            }
            return draw(ShapeKind::Triangles, fan);
        }
    }
}

// The corners of a colour's shape centred on (x, y), `r` across from its middle: a disc for the
// first colour, a square for the second, a triangle for the third.
std::vector<std::pair<double, double>> colourCorners(int colour, double x, double y, double r) {
    if (colour == 0) {
        std::vector<std::pair<double, double>> disc;
        for (int i = 0; i < 24; ++i) disc.emplace_back(x + r * std::cos(i * M_PI / 12), y + r * std::sin(i * M_PI / 12));
        return disc;
    }
    if (colour == 1) {
        const double h = 0.85 * r;
        return {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}};
    }
    return {{x, y + 1.2 * r}, {x - 1.05 * r, y - 0.6 * r}, {x + 1.05 * r, y - 0.6 * r}};
}

// A colour's shape on the corners given: filled in its colour, outlined in black.
void colourShape(Painter& pen, int colour, const std::vector<PlanePoint>& corners, float outline) {
    std::vector<PlanePoint> fan;
    for (std::size_t k = 1; k + 1 < corners.size(); ++k) fan.insert(fan.end(), {corners[0], corners[k], corners[k + 1]});
    pen.colour = ColourClassInk[std::clamp(colour, 0, GuardColours - 1)];
    pen.run(ShapeKind::Triangles, fan);
    pen.colour = Ink;
    pen.width = outline;
    pen.run(ShapeKind::LineLoop, corners);
}

void drawMarks(Picture& picture, const Workbench& bench, const Page& page, const LineWidths& w) {
    Painter& pen = picture.pen;
    const PageMarks& marks = page.marks;
    const std::vector<Point>& v = bench.lesson.vertices;
    const double ring = picture.ring;
    if (bench.edit.on && bench.edit.grid) {  // the grid to snap to, faint, under everything else
        pen.colour = GridInk;
        pen.width = 1.0f;
        for (const GridLine& l : gridLines(bench.view, gridStep(bench.view))) {
            pen.line(picture.at(l.from.x, l.from.y), picture.at(l.to.x, l.to.y));
        }
    }
    picture.triangles(marks.pieces);
    // The chains' tints: a wide translucent band along each edge, under the outline, the right
    // chain's dashed.
    pen.width = static_cast<float>(0.5 * bench.layout.text.size);
    for (const ChainEdge& e : marks.tints) {
        pen.colour = e.chain == Chain::Left ? LeftTint : RightTint;
        pen.dash = e.chain == Chain::Left ? 0 : RightTintDash;
        pen.line(picture.at(v[e.from]), picture.at(v[e.to]));
    }
    pen.dash = 0;
    picture.segments(marks.outline, w.edge);
    picture.segments(marks.diagonals, w.diagonal);
    pen.colour = inkOf(Green);
    pen.width = w.diagonal;
    for (const SweepLine& l : marks.lines) {
        // Reaching four rings past the polygon on either side.
        const double direction = asFloat((l.reach + 4 * ring) / 100);
        pen.line(picture.at(l.at.x + 100.0 * direction, l.at.y), picture.at(l.at.x - 100.0 * direction, l.at.y));
    }
    picture.segments(marks.segments, w.diagonal);
    picture.triangles(marks.veiled);
    picture.plain(marks.fadedEdges, pen.paper.veiledInk, w.edge);
    picture.plain(marks.partition, PartitionInk, w.partition);
    picture.plain(marks.partitionNew, PartitionInk, w.partitionNew);
    picture.segments(marks.wide, w.wide);
    pen.width = w.edge;
    for (const Ring& r : marks.rings) {
        pen.colour = inkOf(r.colour);
        picture.circle(r.centre, asFloat(r.rings * ring));
    }
    // A cross on each vertex that left the stack for good, as wide as a ring.
    pen.colour = inkOf(Orange);
    pen.width = 2.0f * w.edge;
    for (const Point& p : marks.crosses) {
        const double r = 0.8 * ring;
        for (const double s : {1.0, -1.0}) pen.line(picture.at(p.x - r, p.y - s * r), picture.at(p.x + r, p.y + s * r));
    }
    // The refused candidate and the vertex in its way, dashed, over everything else.
    pen.dash = RefusedDash;
    picture.plain(marks.dashed, RefusedInk, 2.0f * w.edge);
    for (const Ring& r : marks.dashedRings) picture.circle(r.centre, asFloat(r.rings * ring));
    pen.dash = 0;
    pen.colour = Ink;
    pen.width = w.edge;
    for (const TypeMark& m : marks.types) {
        typeShape(m.type, m.at.x, m.at.y, 1.2 * ring, [&](ShapeKind kind, const std::vector<std::pair<double, double>>& points) {
            std::vector<PlanePoint> at;
            for (const auto& [x, y] : points) at.push_back(picture.at(x, y));
            pen.run(kind, at);
        });
    }
    // The gallery's pages: the dual graph's links, dashed, and its nodes; each coloured vertex in its
    // colour and shape (a disc, a square, a triangle), outlined in black, larger where this page
    // coloured it; a guard ringed twice.
    pen.colour = DualInk;
    pen.width = w.edge;
    pen.dash = DualDash;
    for (const Segment& l : marks.dualLinks) pen.line(picture.at(l.start), picture.at(l.end));
    pen.dash = 0;
    for (const Segment& l : marks.sights) pen.line(picture.at(l.start), picture.at(l.end));
    pen.width = 3.0f * DotSize;
    for (const Point& p : marks.dualNodes) pen.run(ShapeKind::Points, {picture.at(p)});
    for (const ColourMark& m : marks.colours) {
        std::vector<PlanePoint> corners;
        for (const auto& [x, y] : colourCorners(m.colour, m.at.x, m.at.y, (m.fresh ? 1.3 : 0.9) * ring)) corners.push_back(picture.at(x, y));
        colourShape(pen, m.colour, corners, m.fresh ? 2.0f * w.edge : w.edge);
    }
    pen.colour = Ink;
    pen.width = 2.0f * w.edge;
    for (const Point& g : marks.guards) {
        picture.circle(g, asFloat(1.9 * ring));
        picture.circle(g, asFloat(2.4 * ring));
    }
    // A new polygon as far as it is drawn: its edges so far, a dot on each vertex, and a ring on the
    // first, where a click closes it; and the vertex in hand.
    const EditState& e = bench.edit;
    if (e.drawing && !e.draft.empty()) {
        std::vector<PlanePoint> at;
        for (const Point& p : e.draft) at.push_back(picture.at(p));
        pen.colour = Ink;
        pen.run(ShapeKind::LineStrip, at);
        pen.width = 4.0f * w.edge;
        pen.run(ShapeKind::Points, at);
        pen.width = w.edge;
        pen.colour = inkOf(Green);
        picture.circle(e.draft.front(), asFloat(ring));
    }
    if (e.dragged >= 0) {
        pen.colour = inkOf(Green);
        pen.width = w.edge;
        picture.circle(v[e.dragged], asFloat(ring));
    }
    // The vertices chosen as an answer, ringed in blue, wider than the stack's rings.
    pen.colour = inkOf(Blue);
    pen.width = 2.0f * w.edge;
    for (const int chosen : bench.exercise.chosen) picture.circle(v[chosen], static_cast<float>(1.3 * ring));
}

void drawLabels(Painter& pen, const Workbench& bench, const Page& page) {
    const PageLayout& layout = bench.layout;
    std::vector<PlanePoint> at;
    for (const Point& v : bench.lesson.vertices) at.push_back(sceneToPixels(bench.view, v.x, v.y));
    std::vector<Label> labels;
    if (bench.steps.page == 0 && bench.steps.labels) {  // L on the full picture: every number
        for (int v = 0; v < static_cast<int>(at.size()); ++v) labels.push_back({v, 0});
    } else if (bench.steps.page == 0) {
        // Without L, the numbers of the vertices the verdict names, each where it finds room.
        std::vector<PlanePoint> named;
        std::vector<int> order;
        for (const int v : page.concerned) named.push_back(at[v]);
        for (std::size_t k = 0; k < named.size(); ++k) order.push_back(static_cast<int>(k));
        for (Label l : visibleLabels(named, order, layout.text, layout.picture)) {
            l.vertex = page.concerned[l.vertex];
            labels.push_back(l);
        }
    } else {
        labels = visibleLabels(at, page.concerned, layout.text, layout.picture);
    }
    for (const Label& l : labels) {
        const PixelRect box = labelBox(layout.text, l.vertex, at[l.vertex], l.corner);
        pen.legibleText(layout.text, box.x, box.y, std::to_string(l.vertex + 1));
    }
}

void drawCaption(Painter& pen, const PageLayout& layout) {
    if (layout.captionBand.height == 0) return;
    const TextStyle& t = layout.text;
    pen.colour = Ink;
    for (std::size_t i = 0; i < layout.caption.size(); ++i) {
        const double baseline = layout.captionBand.y + layout.captionBand.height - t.margin - t.size - i * t.line;
        pen.text(t, t.margin, baseline, layout.caption[i]);
    }
    pen.border(0, layout.captionBand.y, layout.captionBand.width, layout.captionBand.y);
}

const Rgba& chainInk(Chain c) { return c == Chain::Left ? LeftInk : c == Chain::Right ? RightInk : Ink; }

// A red line through the whole of a struck entry's box, so that a struck 1, 4 or 7 still reads as
// itself and not as a cross.
void strike(Painter& pen, const TextStyle& t, double left, double right, double baseline) {
    pen.colour = StrikeInk;
    pen.width = static_cast<float>(std::max(1.5, t.size / 10.0));
    pen.line({left, baseline + 0.5 * t.size}, {right, baseline + 0.5 * t.size});
}

// The stack panel: the stack before the step and after it, each drawn as an open box filled from its
// floor up, an entry in its chain's colour; every entry the step popped struck through in "pre", the
// swept vertex green in "posle", and a line from each entry pushed back to its new place; the top
// marked. Entries that do not fit give way to "..." in the middle.
void drawStackPanel(Painter& pen, const Lesson& lesson, const Page& page, const PageLayout& layout) {
    const PixelRect& panel = layout.stackPanel;
    const TextStyle& t = layout.panelText;
    const StackColumns& columns = page.stack;
    const int boxChars = stackBoxChars(static_cast<int>(lesson.vertices.size()));
    const double boxWidth = boxChars * t.advance;
    const double top = panel.y + panel.height - t.margin - t.size;  // the highest baseline there is room for
    const double floor = panel.y + t.margin + t.line;
    // The boxes as tall as the sweep's tallest stack, as far as the panel reaches; the title above.
    const int rows = std::clamp(static_cast<int>((top - t.line - floor) / t.line), 0, lesson.tallestStack);
    pen.colour = Ink;
    pen.text(t, panel.x + t.margin, floor + rows * t.line + 0.6 * t.line, "Stek");
    const double left = panel.x + t.margin;
    const double right = left + boxWidth + 2 * t.advance;
    const std::vector<int> beforeRows = columnRows(static_cast<int>(columns.before.size()), rows);
    const std::vector<int> afterRows = columnRows(static_cast<int>(columns.after.size()), rows);
    auto baselineOf = [&](std::size_t r) { return floor + 0.35 * t.size + r * t.line; };
    auto column = [&](const std::vector<StackEntry>& entries, const std::vector<int>& shownRows, double x,
                      const char* label, bool after) {
        pen.colour = Faded;
        pen.width = 1.0f;
        pen.run(ShapeKind::LineStrip, {{x, floor + rows * t.line}, {x, floor}, {x + boxWidth, floor},
                                       {x + boxWidth, floor + rows * t.line}});
        pen.text(t, x + (boxWidth - textWidth(t, label)) / 2, floor - t.line + 0.3 * t.size, label);
        for (std::size_t r = 0; r < shownRows.size(); ++r) {
            const double baseline = baselineOf(r);
            const int i = shownRows[r];
            const std::string number = i < 0 ? "..." : std::to_string(entries[i].vertex + 1);
            const double at = x + (boxWidth - textWidth(t, number)) / 2;
            if (i < 0) {
                pen.colour = Faded;
                pen.text(t, at, baseline, number);
                continue;
            }
            const StackEntry& e = entries[i];
            pen.colour = e.pushed ? SweptInk : chainInk(e.chain);
            pen.text(t, at, baseline, number);
            if (e.popped) strike(pen, t, x + 0.3 * t.advance, x + boxWidth - 0.3 * t.advance, baseline);
            if (after && i + 1 == static_cast<int>(entries.size())) {
                pen.colour = Ink;
                pen.text(t, x + boxWidth + 0.6 * t.advance, baseline, "vrh");
            }
        }
    };
    column(columns.before, beforeRows, left, "pre", false);
    column(columns.after, afterRows, right, "posle", true);
    // From each entry pushed back, where it stood before, to where it stands after.
    auto rowOf = [](const std::vector<int>& shownRows, int index) {
        const auto it = std::find(shownRows.begin(), shownRows.end(), index);
        return it == shownRows.end() ? -1 : static_cast<int>(it - shownRows.begin());
    };
    pen.width = static_cast<float>(std::max(2.0, t.size / 7.0));
    for (int a = 0; a < static_cast<int>(columns.after.size()); ++a) {
        const StackEntry& e = columns.after[a];
        if (!e.back) continue;
        int b = -1;
        for (int k = 0; k < static_cast<int>(columns.before.size()); ++k) {
            if (columns.before[k].vertex == e.vertex) b = k;
        }
        const int from = rowOf(beforeRows, b);
        const int to = rowOf(afterRows, a);
        if (from < 0 || to < 0) continue;
        pen.colour = chainInk(e.chain);
        pen.line({left + boxWidth + 0.2 * t.advance, baselineOf(from) + 0.5 * t.size},
                 {right - 0.2 * t.advance, baselineOf(to) + 0.5 * t.size});
    }
}

// The partition's panel: the edges on the sweep line, left to right from the top down, each with its
// helper; the edge put on in this step green, the one taken off struck, a changed helper as
// "old->new". Rows that do not fit give way to "..." in the middle.
void drawStatusPanel(Painter& pen, const Lesson& lesson, const Page& page, const PageLayout& layout) {
    const PixelRect& panel = layout.stackPanel;
    const TextStyle& t = layout.panelText;
    const int n = static_cast<int>(lesson.vertices.size());
    const double x = panel.x + t.margin;
    double baseline = panel.y + panel.height - t.margin - t.size;
    pen.colour = Ink;
    pen.text(t, x, baseline, "Brišuća prava");
    baseline -= t.line;
    pen.colour = Faded;
    pen.text(t, x, baseline, "ivica pomoćnik");
    // The edge's name ends where "ivica" does, its helper starts under "pomocnik".
    const double edgeEnd = x + 5 * t.advance;
    const double helperAt = x + 6 * t.advance;
    const int rows = static_cast<int>((baseline - panel.y - t.margin) / t.line);
    for (const int i : columnRows(static_cast<int>(page.status.size()), rows)) {
        baseline -= t.line;
        if (i < 0) {
            pen.colour = Faded;
            pen.text(t, x, baseline, "...");
            continue;
        }
        const StatusRow& r = page.status[i];
        const std::string edge = edgeName(r.edge, n);
        const std::string helper =
            (r.oldHelper >= 0 ? std::to_string(r.oldHelper + 1) + "->" : std::string()) + std::to_string(r.helper + 1);
        pen.colour = r.inserted ? SweptInk : Ink;
        const double edgeAt = std::max(x, edgeEnd - textWidth(t, edge));
        pen.text(t, edgeAt, baseline, edge);
        pen.text(t, helperAt, baseline, helper);
        if (r.removed) strike(pen, t, edgeAt - 0.2 * t.advance, helperAt + textWidth(t, helper) + 0.2 * t.advance, baseline);
    }
}

// The panel beside the picture: the stack on a sweep's step, the sweep line on the partition's.
void drawPanel(Painter& pen, const Lesson& lesson, const Page& page, const PageLayout& layout) {
    const PixelRect& panel = layout.stackPanel;
    if (panel.width == 0) return;
    pen.colour = pen.paper.panel;
    pen.rect(panel);
    // Its grey line on the side of the picture: the left, or the top of a panel across the window.
    if (panel.x > 0) {
        pen.border(panel.x, panel.y, panel.x, panel.y + panel.height);
    } else {
        pen.border(0, panel.y + panel.height - 1, panel.width, panel.y + panel.height - 1);
    }
    if (page.panel == Panel::Stack) drawStackPanel(pen, lesson, page, layout);
    if (page.panel == Panel::Status) drawStatusPanel(pen, lesson, page, layout);
}

// The full picture's lines in its bottom left corner, below the polygon as it is framed: the
// verdict and the page's place in ink, the hint in grey, each over a halo of the clear colour should
// the polygon be moved under them.
void drawBottomLines(Painter& pen, const Lesson& lesson, const PageLayout& layout) {
    const TextStyle& t = layout.text;
    const PixelRect& p = layout.picture;
    const std::vector<std::string> lines = bottomLines(lesson, captionChars(t, p.width));
    const std::string hint = startHint();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double baseline = p.y + 0.6 * t.margin + (lines.size() - 1 - i) * 1.35 * t.size;
        std::string ink = lines[i];
        const bool hinted = ink.size() >= hint.size() && ink.compare(ink.size() - hint.size(), hint.size(), hint) == 0;
        if (hinted) ink.erase(ink.size() - hint.size());
        pen.colour = pen.paper.clear;
        pen.text(t, p.x + t.margin, baseline, lines[i], 3.0);
        pen.colour = Ink;
        pen.text(t, p.x + t.margin, baseline, ink);
        if (hinted) {
            pen.colour = Faded;
            pen.text(t, p.x + t.margin + textWidth(t, ink), baseline, hint);
        }
    }
}

// A sample of what a help row explains, in the box of three characters at (x, y).
void drawSwatch(Painter& pen, Swatch swatch, const TextStyle& t, double x, double y) {
    const double x0 = x;
    const double x1 = x + 2.5 * t.advance;
    const double mid = y + 0.45 * t.size;
    const double cx = (x0 + x1) / 2;
    const double r = 0.4 * t.size;
    auto line = [&](const Rgba& colour, double width) {
        pen.colour = colour;
        pen.width = static_cast<float>(width);
        pen.line({x0, mid}, {x1, mid});
        pen.width = 1.0f;
    };
    auto circle = [&](const Rgba& colour) {
        pen.colour = colour;
        pen.width = 1.0f;
        std::vector<PlanePoint> loop;
        for (int i = 0; i < 24; ++i) loop.push_back({cx + r * std::cos(i * M_PI / 12), mid + r * std::sin(i * M_PI / 12)});
        pen.run(ShapeKind::LineLoop, loop);
    };
    switch (swatch) {
        case Swatch::None:
            return;
        case Swatch::Outline:
            return line(inkOf(Black), 1);
        case Swatch::RedDiagonal:
            return line(inkOf(Red), 1);
        case Swatch::BlueDiagonal:
            return line(inkOf(Blue), 1);
        case Swatch::NewDiagonal:
            return line(inkOf(Red), 3);
        case Swatch::Refused:
            pen.dash = RefusedDash;
            line(RefusedInk, 1);
            pen.dash = 0;
            return;
        case Swatch::Sweep:
            line(inkOf(Green), 1);
            return circle(inkOf(Green));
        case Swatch::Stack:
            return circle(inkOf(Orange));
        case Swatch::Popped:
            pen.colour = inkOf(Orange);
            pen.width = 2.0f;
            pen.line({cx - r, mid - r}, {cx + r, mid + r});
            pen.line({cx - r, mid + r}, {cx + r, mid - r});
            pen.width = 1.0f;
            return;
        case Swatch::LeftChain:
        case Swatch::RightChain:
            pen.dash = swatch == Swatch::LeftChain ? 0 : RightTintDash;
            line(swatch == Swatch::LeftChain ? LeftTint : RightTint, 0.6 * t.size);
            pen.dash = 0;
            return line(inkOf(Black), 1);
        case Swatch::Why:
            return circle(inkOf(Magenta));
        case Swatch::Chosen:
            return circle(inkOf(Blue));
        case Swatch::Struck:
            pen.colour = Faded;
            pen.text(t, cx - 0.5 * t.advance, y, "7");
            return strike(pen, t, x0, x1, y);
        case Swatch::PartitionDiagonal:
            return line(PartitionInk, 3);
        case Swatch::Piece:
            pen.colour = PieceInk[0];
            pen.rect(x0, mid - r, cx, mid + r);
            pen.colour = PieceInk[1];
            pen.rect(cx, mid - r, x1, mid + r);
            return;
        case Swatch::LineEdge:
            return line(inkOf(Orange), 3);
        case Swatch::StartMark:
        case Swatch::EndMark:
        case Swatch::SplitMark:
        case Swatch::MergeMark:
        case Swatch::RegularMark: {
            static constexpr VertexType types[] = {VertexType::Start, VertexType::End, VertexType::Split,
                                                   VertexType::Merge, VertexType::Regular};
            pen.colour = inkOf(Black);
            typeShape(types[static_cast<int>(swatch) - static_cast<int>(Swatch::StartMark)], cx, mid, r,
                      [&](ShapeKind kind, const std::vector<std::pair<double, double>>& points) {
                          std::vector<PlanePoint> at;
                          for (const auto& [px, py] : points) at.push_back({px, py});
                          pen.run(kind, at);
                      });
            return;
        }
        case Swatch::ColourClasses:
            for (int c = 0; c < GuardColours; ++c) {
                std::vector<PlanePoint> at;
                for (const auto& [px, py] : colourCorners(c, x0 + (c + 0.5) * (x1 - x0) / GuardColours, mid, std::min(r, (x1 - x0) / 7))) {
                    at.push_back({px, py});
                }
                colourShape(pen, c, at, 1.0f);
            }
            return;
        case Swatch::Guard:
            pen.colour = Ink;
            pen.width = 1.0f;
            for (const double k : {0.6, 1.0}) {
                std::vector<PlanePoint> loop;
                for (int i = 0; i < 24; ++i) loop.push_back({cx + k * r * std::cos(i * M_PI / 12), mid + k * r * std::sin(i * M_PI / 12)});
                pen.run(ShapeKind::LineLoop, loop);
            }
            return;
        case Swatch::DualGraph:
            pen.dash = DualDash;
            line(DualInk, 1);
            pen.dash = 0;
            pen.colour = DualInk;
            pen.width = 1.5f * DotSize;
            pen.run(ShapeKind::Points, {{cx, mid}});
            pen.width = 1.0f;
            return;
    }
}

// The help panel in the middle of the window: a light box with a black border, the rows on it.
// It keeps clear of the row of buttons along the bottom, which stays at hand under it.
void drawHelp(Painter& pen, int width, int height, bool inPage, int below, double pixelRatio) {
    const std::vector<HelpRow>& entries = helpRows(inPage);
    HelpLayout help = layoutHelp(width, height - below, entries, pixelRatio);
    help.box.y += below;
    const TextStyle& t = help.text;
    const PixelRect& box = help.box;
    pen.colour = pen.paper.help;
    pen.rect(box);
    pen.colour = inkOf(Black);
    pen.width = 1.0f;
    pen.outline(box, 0.0);
    const double columnWidth = (box.width - 2 * t.margin - (help.columns - 1) * 3 * t.advance) / help.columns;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const int column = i < help.firstOfSecondColumn ? 0 : 1;
        const int row = column == 0 ? i : i - help.firstOfSecondColumn;
        const double x = box.x + t.margin + column * (columnWidth + 3 * t.advance);
        const double y = box.y + box.height - t.margin - t.size - row * t.line;
        const HelpRow& e = entries[i];
        pen.colour = inkOf(Black);
        if (e.meaning.empty()) {
            pen.text(t, x, y, e.key);
            continue;
        }
        drawSwatch(pen, e.swatch, t, x + t.advance, y);
        pen.colour = inkOf(Black);
        pen.text(t, x + 4 * t.advance, y, e.key);
        pen.text(t, x + (help.keyChars + 2) * t.advance, y, e.meaning);
    }
}

// The band along the bottom while editing: the verdict, what the keys do, then the last message.
void drawFooter(Painter& pen, const PageLayout& layout) {
    const PixelRect& band = layout.footerBand;
    if (band.height == 0) return;
    const TextStyle& t = layout.text;
    pen.colour = pen.paper.panel;
    pen.rect(band);
    pen.colour = Ink;
    for (std::size_t i = 0; i < layout.footer.size(); ++i) {
        const double baseline = band.y + band.height - 0.75 * t.margin - t.size - i * t.line;
        pen.text(t, t.margin, baseline, layout.footer[i]);
    }
    pen.border(0, band.y + band.height - 1, band.width, band.y + band.height - 1);
}

// The band of the row of buttons along the bottom, under them: the panels' shade, a grey line on top.
void drawToolbar(Painter& pen, const PageLayout& layout) {
    const PixelRect& band = layout.toolbarBand;
    if (band.height == 0) return;
    pen.colour = pen.paper.panel;
    pen.rect(band);
    pen.border(0, band.y + band.height - 1, band.width, band.y + band.height - 1);
}

// The buttons: each a light box with a grey border, its label in the middle; one whose state is on
// (editing, the exercise, the help, full screen) the other way round: light letters on ink.
void drawButtons(Painter& pen, const PageLayout& layout) {
    for (const Button& b : layout.buttons) {
        const TextStyle& t = b.text;
        const PixelRect& r = b.box;
        pen.colour = b.on ? Ink : HelpShade;
        pen.rect(r);
        pen.colour = Faded;
        pen.width = 1.0f;
        pen.outline(r, 0.5);
        pen.colour = b.on ? HelpShade : Ink;
        pen.text(t, r.x + (r.width - textWidth(t, b.label)) / 2, r.y + (r.height - t.size) / 2, b.label);
    }
}

}  // namespace

Frame frameOf(const Workbench& bench) {
    const ViewState& view = bench.view;
    const PageLayout& layout = bench.layout;
    const Page& page = shownPage(bench);
    Frame frame;
    frame.width = view.windowWidth;
    frame.height = view.windowHeight;
    frame.clear = bench.style.white ? Rgba{WhitePaper.r, WhitePaper.g, WhitePaper.b, 0.0f} : ClearColour;
    frame.picture = layout.picture;
    frame.title = pageTitle(bench.lesson, bench.steps.page);
    if (bench.blank) {  // the projector's black screen: nothing but black
        frame.clear = Rgba{0.0f, 0.0f, 0.0f, frame.clear.a};
        return frame;
    }
    Painter pen{frame, paperOf(bench.style.white)};
    // The picture, kept to its part of the window.
    pen.clipped = true;
    Picture picture{pen, view, 0.6 * layout.text.size / (pixelsPerUnit(view) * view.zoom)};
    drawMarks(picture, bench, page, lineWidths(layout.text));
    // Around it, in window pixels, smooth.
    pen.clipped = false;
    pen.smooth = true;
    pen.dash = 0;
    drawLabels(pen, bench, page);
    drawCaption(pen, layout);
    drawPanel(pen, bench.lesson, page, layout);
    drawFooter(pen, layout);
    if (bench.steps.page == 0 && !bench.edit.on && !bench.exercise.on && !bench.style.bare) {
        drawBottomLines(pen, bench.lesson, layout);
    }
    if (bench.steps.help) {
        drawHelp(pen, view.windowWidth, view.windowHeight, bench.inPage, layout.toolbarBand.height, view.pixelRatio);
    }
    // The buttons over everything, the help too: the row along the bottom works while the help shows.
    if (!bench.style.written) drawToolbar(pen, layout);
    if (!bench.style.bare) {
        drawButtons(pen, layout);
        frame.buttons = layout.buttons;
    }
    return frame;
}

DashRuns dashRuns(unsigned short dash) {
    auto on = [&](int bit) { return ((dash >> (bit & 15)) & 1) != 0; };
    DashRuns runs;
    if (dash == 0 || dash == 0xFFFF) return runs;
    int start = 0;  // the first pixel of an "on" run
    while (!(on(start) && !on(start + 15))) ++start;
    for (int bit = start; bit < start + 16;) {
        int length = 1;
        while (length < start + 16 - bit && on(bit + length) == on(bit)) ++length;
        runs.lengths.push_back(length);
        bit += length;
    }
    runs.offset = (16 - start) % 16;
    // A pattern that repeats within its sixteen pixels, as its shortest period.
    for (std::size_t half = runs.lengths.size() / 2;
         runs.lengths.size() % 4 == 0 && std::equal(runs.lengths.begin(), runs.lengths.begin() + half, runs.lengths.begin() + half);
         half = runs.lengths.size() / 2) {
        runs.lengths.resize(half);
    }
    double period = 0.0;
    for (const double l : runs.lengths) period += l;
    runs.offset = std::fmod(runs.offset, period);
    return runs;
}

void placeStrokes(const Shape& s, const TextStrokes& t, std::vector<float>& out) {
    for (std::size_t i = 0; i + 1 < t.points.size(); i += 2) {
        out.push_back(s.xy[0] + t.points[i] * s.scaleX);
        out.push_back(s.xy[1] + t.points[i + 1] * s.scaleY);
    }
}

TextPlacement placementOf(const Shape& s) {
    TextPlacement p;
    p.x = s.xy[0];
    p.baseline = s.xy[1];
    p.fontSize = FontHeight * s.scaleY / DejaVuCapitalHeight;
    p.width = static_cast<double>(characterCount(s.text)) * FontAdvance * s.scaleX;
    return p;
}

bool isHalo(const Frame& frame, const Shape& s) {
    return s.kind == ShapeKind::Text && sameColour(s.colour, {frame.clear.r, frame.clear.g, frame.clear.b, 1.0f});
}

std::vector<std::string> textsOf(const Frame& frame) {
    std::vector<const Shape*> texts;
    for (const Shape& s : frame.shapes) {
        if (s.kind == ShapeKind::Text && !isHalo(frame, s)) texts.push_back(&s);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const Shape* a, const Shape* b) { return a->xy[1] > b->xy[1]; });
    std::vector<std::string> out;
    for (const Shape* s : texts) out.push_back(s->text);
    return out;
}
