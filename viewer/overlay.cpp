#include "viewer/overlay.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "scene/scene.h"
#include "viewer/renderer.h"

namespace {

struct Rgb {
    float r, g, b;
};

constexpr Rgb Clear{0.9f, 0.9f, 0.8f};
constexpr Rgb PanelShade{0.95f, 0.95f, 0.88f};
constexpr Rgb Ink{0.0f, 0.0f, 0.0f};
constexpr Rgb Faded{0.55f, 0.55f, 0.55f};
constexpr Rgb SweptInk{0.0f, 0.55f, 0.0f};
constexpr Rgb RefusedInk{0.3f, 0.3f, 0.3f};
constexpr Rgb GridInk{0.8f, 0.8f, 0.7f};
constexpr Rgb LeftTint{0.0f, 0.6f, 0.6f};
constexpr Rgb RightTint{0.6f, 0.25f, 0.75f};
constexpr Rgb LeftInk{0.0f, 0.42f, 0.42f};
constexpr Rgb RightInk{0.48f, 0.12f, 0.62f};
constexpr Rgb StrikeInk{0.85f, 0.0f, 0.0f};
constexpr Rgb PartitionInk{0.0f, 0.7f, 0.85f};  // saturated, and used by nothing else
constexpr float TintAlpha = 0.35f;
constexpr float VeilAlpha = 0.65f;
// Black seen through the veil.
constexpr Rgb VeiledInk{Clear.r * VeilAlpha, Clear.g * VeilAlpha, Clear.b * VeilAlpha};
// The pieces' light tints, taken in turn.
constexpr Rgb PieceInk[PieceTints] = {{1.0f, 0.93f, 0.6f},  {0.72f, 0.86f, 1.0f}, {0.78f, 0.95f, 0.72f},
                                      {1.0f, 0.8f, 0.86f},  {0.86f, 0.8f, 1.0f},  {1.0f, 0.86f, 0.7f}};
constexpr unsigned short Dashes = 0x0F0F;

void colour(const Rgb& c) { glColor3f(c.r, c.g, c.b); }

// Text in the stroke font, baseline at (x, y) in window pixels, narrowed to the layout's advance.
void text(const TextStyle& t, double x, double y, const std::string& s, double widen = 0.0) {
    glLineWidth(static_cast<float>(std::max(1.0, t.size / 9.0) + widen));
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glScaled(t.advance / 104.76, t.size / 100.0, 1.0);
    glutStrokeString(GLUT_STROKE_MONO_ROMAN, reinterpret_cast<const unsigned char*>(s.c_str()));
    glPopMatrix();
}

// Text over the picture: a halo of the clear colour first, so that it stays legible on lines.
void legibleText(const TextStyle& t, double x, double y, const std::string& s) {
    colour(Clear);
    text(t, x, y, s, 3.0);
    colour(Ink);
    text(t, x, y, s);
}

void rect(const PixelRect& r) { glRecti(r.x, r.y, r.x + r.width, r.y + r.height); }

// A crisp one-pixel grey line between the picture and a panel, on the panel's first row or column.
void border(int x0, int y0, int x1, int y1) {
    glDisable(GL_LINE_SMOOTH);
    glLineWidth(1.0f);
    colour(Faded);
    glBegin(GL_LINES);
    glVertex2d(x0 + 0.5, y0 + 0.5);
    glVertex2d(x1 + 0.5, y1 + 0.5);
    glEnd();
    glEnable(GL_LINE_SMOOTH);
}

// Runs `draw` with GL in window pixels, origin at the bottom left, smooth text lines, and restores
// the matrices and the state.
template <typename Draw>
void inWindowPixels(int width, int height, Draw draw) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    draw();
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    glLineWidth(1.0f);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// Triangles filled in their piece's tint, or under a veil of the clear colour.
void drawTriangles(const std::vector<TintedTriangle>& triangles) {
    if (triangles.empty()) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_TRIANGLES);
    for (const TintedTriangle& t : triangles) {
        const Rgb& c = t.tint >= 0 ? PieceInk[t.tint % PieceTints] : Clear;
        glColor4f(c.r, c.g, c.b, t.tint >= 0 ? 1.0f : VeilAlpha);
        sceneVertex(t.a);
        sceneVertex(t.b);
        sceneVertex(t.c);
    }
    glEnd();
    glDisable(GL_BLEND);
}

// The chains' tints: a wide translucent band along each edge, under the outline.
void drawTints(const Judgement& shown, const PageMarks& marks, double width) {
    if (marks.tints.empty()) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(static_cast<float>(width));
    glBegin(GL_LINES);
    for (const ChainEdge& e : marks.tints) {
        const Rgb& c = e.chain == Chain::Left ? LeftTint : RightTint;
        glColor4f(c.r, c.g, c.b, TintAlpha);
        sceneVertex(shown.vertices[e.from]);
        sceneVertex(shown.vertices[e.to]);
    }
    glEnd();
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
}

// The mark of a vertex type centred on (x, y), `r` across from its middle, each corner handed to
// `vertex`: an open square for a start, a filled one for an end, a triangle pointing up for a split
// and down for a merge, a dot for a regular vertex.
template <typename Vertex>
void typeShape(VertexType type, double x, double y, double r, Vertex vertex) {
    switch (type) {
        case VertexType::Start:
        case VertexType::End:
            glBegin(type == VertexType::Start ? GL_LINE_LOOP : GL_QUADS);
            vertex(x - r, y - r);
            vertex(x + r, y - r);
            vertex(x + r, y + r);
            vertex(x - r, y + r);
            glEnd();
            return;
        case VertexType::Split:
        case VertexType::Merge: {
            const double s = type == VertexType::Split ? 1.0 : -1.0;
            glBegin(GL_TRIANGLES);
            vertex(x, y + s * 1.3 * r);
            vertex(x - r, y - s * r);
            vertex(x + r, y - s * r);
            glEnd();
            return;
        }
        case VertexType::Regular:
            glBegin(GL_POLYGON);
            for (int i = 0; i < 16; ++i) vertex(x + 0.6 * r * std::cos(i * M_PI / 8), y + 0.6 * r * std::sin(i * M_PI / 8));
            glEnd();
            return;
    }
}

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
    w.edge = static_cast<float>(std::max(1.0, std::round(grown)));
    w.diagonal = static_cast<float>(std::max(1.0, std::round(1.0 + 4.0 * (grown - 1.0))));
    w.wide = std::max(3.0f * w.edge, w.diagonal + 2.0f);
    w.partition = std::max(3.0f, w.diagonal + 2.0f);
    w.partitionNew = w.partition + 2.0f;
    return w;
}

// The marks under the veil: the sweep line, the diagonals so far, the verdict's edges.
void drawLowerMarks(const PageMarks& marks, const LineWidths& w) {
    glLineWidth(w.diagonal);
    for (const Line& l : marks.lines) drawLine(l);
    for (const Segment& s : marks.segments) drawSegment(s);
}

void drawPartitionDiagonals(const std::vector<Segment>& diagonals, float width) {
    if (diagonals.empty()) return;
    glLineWidth(width);
    colour(PartitionInk);
    glBegin(GL_LINES);
    for (const Segment& s : diagonals) {
        sceneVertex(s.start);
        sceneVertex(s.end);
    }
    glEnd();
}

// The marks over everything in the picture: the veiled pieces' edges, faded, the partition's
// diagonals, then the step's own.
void drawUpperMarks(const PageMarks& marks, double ring, const LineWidths& w) {
    glLineWidth(w.edge);
    colour(VeiledInk);
    glBegin(GL_LINES);
    for (const Segment& s : marks.fadedEdges) {
        sceneVertex(s.start);
        sceneVertex(s.end);
    }
    glEnd();
    drawPartitionDiagonals(marks.partition, w.partition);
    drawPartitionDiagonals(marks.partitionNew, w.partitionNew);
    glLineWidth(w.wide);
    for (const Segment& s : marks.wide) drawSegment(s);
    glLineWidth(w.edge);
    for (const Circle& c : marks.circles) drawCircle(c);
    // A cross on each vertex that left the stack for good, as wide as a ring.
    glLineWidth(2.0f * w.edge);
    setColour(Orange);
    glBegin(GL_LINES);
    for (const Point& p : marks.crosses) {
        const double r = 0.8 * ring;
        for (const double s : {1.0, -1.0}) {
            sceneVertex(p.x - r, p.y - s * r, p.z);
            sceneVertex(p.x + r, p.y + s * r, p.z);
        }
    }
    glEnd();
    // The refused candidate and the vertex in its way, dashed, over everything else.
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, Dashes);
    for (const Segment& s : marks.dashed) {
        colour(RefusedInk);
        glBegin(GL_LINES);
        sceneVertex(s.start);
        sceneVertex(s.end);
        glEnd();
    }
    for (Circle c : marks.dashedCircles) {
        c.colour = -1;  // no colour code: the grey set here stays
        colour(RefusedInk);
        drawCircle(c);
    }
    glDisable(GL_LINE_STIPPLE);
    // A vertex's type: an open or a filled square, a triangle up or down, a dot.
    glLineWidth(w.edge);
    setColour(Black);
    for (const TypeMark& m : marks.types) {
        typeShape(m.type, m.at.x, m.at.y, 1.2 * ring, [](double x, double y) { sceneVertex(x, y, 0.0); });
    }
    glLineWidth(1.0f);
}

void drawLabels(const Judgement& shown, const StepView& view, const ViewState& camera, const PageLayout& page) {
    std::vector<PlanePoint> at;
    for (const Point& v : shown.vertices) at.push_back(sceneToPixels(camera, v.x, v.y));
    std::vector<Label> shownLabels;
    if (view.page == 0) {  // L on the full picture: every number
        for (int v = 0; v < static_cast<int>(at.size()); ++v) shownLabels.push_back({v, 0});
    } else {
        shownLabels = visibleLabels(at, concernedVertices(shown, view.page), page.text, page.picture);
    }
    for (const Label& l : shownLabels) {
        const PixelRect box = labelBox(page.text, l.vertex, at[l.vertex], l.corner);
        legibleText(page.text, box.x, box.y, std::to_string(l.vertex + 1));
    }
}

void drawCaption(const PageLayout& page) {
    if (page.captionBand.height == 0) return;
    const TextStyle& t = page.text;
    colour(Ink);
    for (std::size_t i = 0; i < page.caption.size(); ++i) {
        const double baseline = page.captionBand.y + page.captionBand.height - t.margin - t.size - i * t.line;
        text(t, t.margin, baseline, page.caption[i]);
    }
    border(0, page.captionBand.y, page.captionBand.width, page.captionBand.y);
}

const Rgb& chainInk(Chain c) { return c == Chain::Left ? LeftInk : c == Chain::Right ? RightInk : Ink; }

// A red line through the whole of a struck entry's box, so that a struck 1, 4 or 7 still reads as
// itself and not as a cross.
void strike(const TextStyle& t, double left, double right, double baseline) {
    colour(StrikeInk);
    glLineWidth(static_cast<float>(std::max(1.5, t.size / 10.0)));
    glBegin(GL_LINES);
    glVertex2d(left, baseline + 0.5 * t.size);
    glVertex2d(right, baseline + 0.5 * t.size);
    glEnd();
}

// The stack panel: the stack before the step and after it, each drawn as an open box filled from its
// floor up, an entry in its chain's colour; every entry the step popped struck through in "pre", the
// swept vertex green in "posle", and a line from each entry pushed back to its new place; the top
// marked. Entries that do not fit give way to "..." in the middle.
void drawStackPanel(const Judgement& shown, const StepView& view, const PageLayout& page) {
    const PixelRect& panel = page.stackPanel;
    const TextStyle& t = page.text;
    const StackColumns columns = stackColumns(shown, view.page);
    const int boxChars = stackBoxChars(static_cast<int>(shown.vertices.size()));
    const double boxWidth = boxChars * t.advance;
    const double top = panel.y + panel.height - t.margin - t.size;  // the highest baseline there is room for
    const double floor = panel.y + t.margin + t.line;
    // The boxes as tall as the sweep's tallest stack, as far as the panel reaches; the title above.
    const int tallest = tallestStack(shown);
    const int rows = std::clamp(static_cast<int>((top - t.line - floor) / t.line), 0, tallest);
    colour(Ink);
    text(t, panel.x + t.margin, floor + rows * t.line + 0.6 * t.line, "Stek");
    const double left = panel.x + t.margin;
    const double right = left + boxWidth + 2 * t.advance;
    // Each column's rows, bottom first, and the baseline of each row.
    const std::vector<int> beforeRows = columnRows(static_cast<int>(columns.before.size()), rows);
    const std::vector<int> afterRows = columnRows(static_cast<int>(columns.after.size()), rows);
    auto baselineOf = [&](std::size_t r) { return floor + 0.35 * t.size + r * t.line; };
    auto column = [&](const std::vector<StackEntry>& entries, const std::vector<int>& shownRows, double x,
                      const char* label, bool after) {
        colour(Faded);
        glLineWidth(1.0f);
        glBegin(GL_LINE_STRIP);
        glVertex2d(x, floor + rows * t.line);
        glVertex2d(x, floor);
        glVertex2d(x + boxWidth, floor);
        glVertex2d(x + boxWidth, floor + rows * t.line);
        glEnd();
        text(t, x + (boxWidth - textWidth(t, label)) / 2, floor - t.line + 0.3 * t.size, label);
        for (std::size_t r = 0; r < shownRows.size(); ++r) {
            const double baseline = baselineOf(r);
            const int i = shownRows[r];
            const std::string number = i < 0 ? "..." : std::to_string(entries[i].vertex + 1);
            const double at = x + (boxWidth - textWidth(t, number)) / 2;
            if (i < 0) {
                colour(Faded);
                text(t, at, baseline, number);
                continue;
            }
            const StackEntry& e = entries[i];
            colour(e.pushed ? SweptInk : chainInk(e.chain));
            text(t, at, baseline, number);
            if (e.popped) strike(t, x + 0.3 * t.advance, x + boxWidth - 0.3 * t.advance, baseline);
            if (after && i + 1 == static_cast<int>(entries.size())) {
                colour(Ink);
                text(t, x + boxWidth + 0.6 * t.advance, baseline, "vrh");
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
    glLineWidth(static_cast<float>(std::max(2.0, t.size / 7.0)));
    glBegin(GL_LINES);
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
        colour(chainInk(e.chain));
        glVertex2d(left + boxWidth + 0.2 * t.advance, baselineOf(from) + 0.5 * t.size);
        glVertex2d(right - 0.2 * t.advance, baselineOf(to) + 0.5 * t.size);
    }
    glEnd();
}

// The partition's panel: the edges on the sweep line, left to right from the top down, each with its
// helper; the edge put on in this step green, the one taken off struck, a changed helper as
// "old->new". Rows that do not fit give way to "..." in the middle.
void drawStatusPanel(const Judgement& shown, const StepView& view, const PageLayout& page) {
    const PixelRect& panel = page.stackPanel;
    const TextStyle& t = page.text;
    const int n = static_cast<int>(shown.vertices.size());
    const std::vector<StatusRow> status = statusRows(shown, view.page);
    auto edgeName = [&](int e) { return std::to_string(e + 1) + "-" + std::to_string((e + 1) % n + 1); };
    const double x = panel.x + t.margin;
    double baseline = panel.y + panel.height - t.margin - t.size;
    colour(Ink);
    text(t, x, baseline, "Brisuca prava");
    baseline -= t.line;
    colour(Faded);
    text(t, x, baseline, "ivica pomocnik");
    // The edge's name ends where "ivica" does, its helper starts under "pomocnik".
    const double edgeEnd = x + 5 * t.advance;
    const double helperAt = x + 6 * t.advance;
    const int rows = static_cast<int>((baseline - panel.y - t.margin) / t.line);
    const std::vector<int> shownRows = columnRows(static_cast<int>(status.size()), rows);
    for (const int i : shownRows) {
        baseline -= t.line;
        if (i < 0) {
            colour(Faded);
            text(t, x, baseline, "...");
            continue;
        }
        const StatusRow& r = status[i];
        const std::string edge = edgeName(r.edge);
        const std::string helper =
            (r.oldHelper >= 0 ? std::to_string(r.oldHelper + 1) + "->" : std::string()) + std::to_string(r.helper + 1);
        colour(r.inserted ? SweptInk : Ink);
        const double edgeAt = std::max(x, edgeEnd - textWidth(t, edge));
        text(t, edgeAt, baseline, edge);
        text(t, helperAt, baseline, helper);
        if (r.removed) strike(t, edgeAt - 0.2 * t.advance, helperAt + textWidth(t, helper) + 0.2 * t.advance, baseline);
    }
}

// The panel beside the picture: the stack on a sweep's step, the sweep line on the partition's.
void drawPanel(const Judgement& shown, const StepView& view, const PageLayout& page) {
    const PixelRect& panel = page.stackPanel;
    if (panel.width == 0) return;
    colour(PanelShade);
    rect(panel);
    border(panel.x, panel.y, panel.x, panel.y + panel.height);
    const PageKind kind = pageAt(shown, view.page).kind;
    if (kind == PageKind::Step) drawStackPanel(shown, view, page);
    if (kind == PageKind::Partition) drawStatusPanel(shown, view, page);
}

// The full picture's lines in its bottom left corner, below the polygon as it is framed: the
// verdict and the page's place in ink, the hint in grey, each over a halo of the clear colour should
// the polygon be moved under them.
void drawBottomLines(const Judgement& shown, const PageLayout& page) {
    const TextStyle& t = page.text;
    const PixelRect& p = page.picture;
    const std::vector<std::string> lines = bottomLines(shown, captionChars(t, p.width));
    const std::string hint = startHint();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double baseline = p.y + 0.6 * t.margin + (lines.size() - 1 - i) * 1.35 * t.size;
        std::string ink = lines[i];
        const bool hinted = ink.size() >= hint.size() && ink.compare(ink.size() - hint.size(), hint.size(), hint) == 0;
        if (hinted) ink.erase(ink.size() - hint.size());
        colour(Clear);
        text(t, p.x + t.margin, baseline, lines[i], 3.0);
        colour(Ink);
        text(t, p.x + t.margin, baseline, ink);
        if (hinted) {
            colour(Faded);
            text(t, p.x + t.margin + textWidth(t, ink), baseline, hint);
        }
    }
}

// A sample of what a help row explains, in the box of three characters at (x, y).
void drawSwatch(Swatch swatch, const TextStyle& t, double x, double y) {
    const double x0 = x;
    const double x1 = x + 2.5 * t.advance;
    const double mid = y + 0.45 * t.size;
    const double cx = (x0 + x1) / 2;
    const double r = 0.4 * t.size;
    auto line = [&](double width) {
        glLineWidth(static_cast<float>(width));
        glBegin(GL_LINES);
        glVertex2d(x0, mid);
        glVertex2d(x1, mid);
        glEnd();
        glLineWidth(1.0f);
    };
    auto circle = [&]() {
        glLineWidth(1.0f);
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 24; ++i) glVertex2d(cx + r * std::cos(i * M_PI / 12), mid + r * std::sin(i * M_PI / 12));
        glEnd();
    };
    switch (swatch) {
        case Swatch::None:
            return;
        case Swatch::Outline:
            setColour(Black);
            return line(1);
        case Swatch::RedDiagonal:
            setColour(Red);
            return line(1);
        case Swatch::BlueDiagonal:
            setColour(Blue);
            return line(1);
        case Swatch::NewDiagonal:
            setColour(Red);
            return line(3);
        case Swatch::Refused:
            colour(RefusedInk);
            glEnable(GL_LINE_STIPPLE);
            glLineStipple(1, Dashes);
            line(1);
            glDisable(GL_LINE_STIPPLE);
            return;
        case Swatch::Sweep:
            setColour(Green);
            line(1);
            return circle();
        case Swatch::Stack:
            setColour(Orange);
            return circle();
        case Swatch::Popped:
            setColour(Orange);
            glLineWidth(2.0f);
            glBegin(GL_LINES);
            glVertex2d(cx - r, mid - r);
            glVertex2d(cx + r, mid + r);
            glVertex2d(cx - r, mid + r);
            glVertex2d(cx + r, mid - r);
            glEnd();
            glLineWidth(1.0f);
            return;
        case Swatch::LeftChain:
        case Swatch::RightChain: {
            const Rgb& c = swatch == Swatch::LeftChain ? LeftTint : RightTint;
            glColor4f(c.r, c.g, c.b, TintAlpha);
            line(0.6 * t.size);
            setColour(Black);
            return line(1);
        }
        case Swatch::Why:
            setColour(Magenta);
            return circle();
        case Swatch::Struck:
            colour(Faded);
            text(t, cx - 0.5 * t.advance, y, "7");
            return strike(t, x0, x1, y);
        case Swatch::PartitionDiagonal:
            colour(PartitionInk);
            return line(3);
        case Swatch::Piece:
            colour(PieceInk[0]);
            glRectd(x0, mid - r, cx, mid + r);
            colour(PieceInk[1]);
            glRectd(cx, mid - r, x1, mid + r);
            return;
        case Swatch::LineEdge:
            setColour(Orange);
            return line(3);
        case Swatch::StartMark:
        case Swatch::EndMark:
        case Swatch::SplitMark:
        case Swatch::MergeMark:
        case Swatch::RegularMark: {
            static constexpr VertexType types[] = {VertexType::Start, VertexType::End, VertexType::Split,
                                                   VertexType::Merge, VertexType::Regular};
            setColour(Black);
            typeShape(types[static_cast<int>(swatch) - static_cast<int>(Swatch::StartMark)], cx, mid, r,
                      [](double x, double y) { glVertex2d(x, y); });
            return;
        }
    }
}

// The help panel in the middle of the window: a light box with a black border, the rows on it.
void drawHelp(int width, int height) {
    const std::vector<HelpRow>& entries = helpEntries();
    const HelpLayout help = layoutHelp(width, height, entries);
    const TextStyle& t = help.text;
    const PixelRect& box = help.box;
    glColor3f(1.0f, 1.0f, 0.95f);
    rect(box);
    setColour(Black);
    glLineWidth(1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2i(box.x, box.y);
    glVertex2i(box.x + box.width, box.y);
    glVertex2i(box.x + box.width, box.y + box.height);
    glVertex2i(box.x, box.y + box.height);
    glEnd();
    const double columnWidth = (box.width - 2 * t.margin - (help.columns - 1) * 3 * t.advance) / help.columns;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const int column = i < help.firstOfSecondColumn ? 0 : 1;
        const int row = column == 0 ? i : i - help.firstOfSecondColumn;
        const double x = box.x + t.margin + column * (columnWidth + 3 * t.advance);
        const double y = box.y + box.height - t.margin - t.size - row * t.line;
        const HelpRow& e = entries[i];
        setColour(Black);
        if (e.meaning.empty()) {
            text(t, x, y, e.key);
            continue;
        }
        drawSwatch(e.swatch, t, x + t.advance, y);
        setColour(Black);
        text(t, x + 4 * t.advance, y, e.key);
        text(t, x + (help.keyChars + 2) * t.advance, y, e.meaning);
    }
}

// The grid to snap to, faint, under everything else.
void drawGrid(const ViewState& camera) {
    colour(GridInk);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    for (const GridLine& l : gridLines(camera, gridStep(camera))) {
        sceneVertex(l.from.x, l.from.y, 0.0);
        sceneVertex(l.to.x, l.to.y, 0.0);
    }
    glEnd();
}

// A new polygon as far as it is drawn: its edges so far, a dot on each vertex, and a ring on the
// first, where a click closes it.
void drawDraft(const std::vector<Point>& draft, double ring, float width) {
    if (draft.empty()) return;
    setColour(Black);
    glLineWidth(width);
    glBegin(GL_LINE_STRIP);
    for (const Point& p : draft) sceneVertex(p);
    glEnd();
    glPointSize(4.0f * width);
    glBegin(GL_POINTS);
    for (const Point& p : draft) sceneVertex(p);
    glEnd();
    glPointSize(1.0f);
    drawCircle(ringAt(draft.front(), ring, Green));
    glLineWidth(1.0f);
}

// The footer of editing along the bottom: what the keys do, then the last message.
void drawFooter(const PageLayout& page) {
    const PixelRect& band = page.footerBand;
    if (band.height == 0) return;
    const TextStyle& t = page.text;
    colour(PanelShade);
    rect(band);
    colour(Ink);
    for (std::size_t i = 0; i < page.footer.size(); ++i) {
        const double baseline = band.y + band.height - 0.75 * t.margin - t.size - i * t.line;
        text(t, t.margin, baseline, page.footer[i]);
    }
    border(0, band.y + band.height - 1, band.width, band.y + band.height - 1);
}

}  // namespace

void drawFrame(const Workbench& bench, const PageLayout& page) {
    const Judgement& shown = bench.shown;
    const StepView& view = bench.steps;
    const ViewState& camera = bench.view;
    const PixelRect& p = page.picture;
    const bool whole = p.width == camera.windowWidth && p.height == camera.windowHeight;
    glViewport(0, 0, camera.windowWidth, camera.windowHeight);
    clearFrame();
    // The picture, kept to its part of the window.
    glViewport(p.x, p.y, p.width, p.height);
    if (!whole) {
        glScissor(p.x, p.y, p.width, p.height);
        glEnable(GL_SCISSOR_TEST);
    }
    // A ring's radius is 0.6 of a digit's height, however the picture is zoomed. Lines grow with the
    // text in large windows.
    const double ring = 0.6 * page.text.size / (pixelsPerUnit(camera) * camera.zoom);
    const LineWidths widths = lineWidths(page.text);
    if (bench.edit.on && bench.edit.grid) drawGrid(camera);
    const PageMarks marks = pageMarks(shown, view.page, ring);
    drawTriangles(marks.pieces);
    drawTints(shown, marks, 0.5 * page.text.size);
    drawScene(segmentsShown(shown, view.page, static_cast<int>(scene.segments.size())), widths.edge, widths.diagonal);
    drawLowerMarks(marks, widths);
    drawTriangles(marks.veiled);
    drawUpperMarks(marks, ring, widths);
    if (bench.edit.drawing) drawDraft(bench.edit.draft, ring, widths.edge);
    if (bench.edit.dragged >= 0) {  // the vertex in hand
        glLineWidth(widths.edge);
        drawCircle(ringAt(shown.vertices[bench.edit.dragged], ring, Green));
        glLineWidth(1.0f);
    }
    glDisable(GL_SCISSOR_TEST);
    inWindowPixels(camera.windowWidth, camera.windowHeight, [&] {
        if (labelsShown(view)) drawLabels(shown, view, camera, page);
        drawCaption(page);
        drawPanel(shown, view, page);
        drawFooter(page);
        if (view.page == 0 && !bench.edit.on) drawBottomLines(shown, page);
        if (view.help) drawHelp(camera.windowWidth, camera.windowHeight);
    });
    glFlush();
    glutSwapBuffers();
}
