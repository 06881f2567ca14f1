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
constexpr float TintAlpha = 0.35f;
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

// The page's marks, lines `width` pixels wide (the wide ones three times that).
void drawMarks(const PageMarks& marks, double ring, float width) {
    glLineWidth(width);
    for (const Line& l : marks.lines) drawLine(l);
    glLineWidth(3.0f * width);
    for (const Segment& s : marks.wide) drawSegment(s);
    glLineWidth(width);
    for (const Segment& s : marks.segments) drawSegment(s);
    for (const Circle& c : marks.circles) drawCircle(c);
    // A cross on each popped vertex, as wide as a ring.
    glLineWidth(2.0f * width);
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
    glLineWidth(width);
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

// The stack panel: the stack before the step and after it, each drawn as an open box filled from its
// floor up, an entry in its chain's colour; the popped entries struck out, the swept vertex green,
// the top marked. Entries that do not fit give way to "..." in the middle.
void drawStackPanel(const Judgement& shown, const StepView& view, const PageLayout& page) {
    const PixelRect& panel = page.stackPanel;
    if (panel.width == 0) return;
    const TextStyle& t = page.text;
    colour(PanelShade);
    rect(panel);
    border(panel.x, panel.y, panel.x, panel.y + panel.height);
    if (pageAt(shown, view.page).kind != PageKind::Step) return;  // a page without a stack
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
    auto column = [&](const std::vector<StackEntry>& entries, double x, const char* label, bool after) {
        colour(Faded);
        glLineWidth(1.0f);
        glBegin(GL_LINE_STRIP);
        glVertex2d(x, floor + rows * t.line);
        glVertex2d(x, floor);
        glVertex2d(x + boxWidth, floor);
        glVertex2d(x + boxWidth, floor + rows * t.line);
        glEnd();
        text(t, x + (boxWidth - textWidth(t, label)) / 2, floor - t.line + 0.3 * t.size, label);
        const std::vector<int> shownRows = columnRows(static_cast<int>(entries.size()), rows);
        for (std::size_t r = 0; r < shownRows.size(); ++r) {
            const double baseline = floor + 0.35 * t.size + r * t.line;
            const int i = shownRows[r];
            const std::string number = i < 0 ? "..." : std::to_string(entries[i].vertex + 1);
            const double left = x + (boxWidth - textWidth(t, number)) / 2;
            if (i < 0) {
                colour(Faded);
                text(t, left, baseline, number);
                continue;
            }
            const StackEntry& e = entries[i];
            colour(e.popped ? Faded : e.pushed ? SweptInk : chainInk(e.chain));
            text(t, left, baseline, number);
            if (e.popped) {  // struck out
                glLineWidth(1.5f);
                glBegin(GL_LINES);
                glVertex2d(left - 0.2 * t.advance, baseline + 0.45 * t.size);
                glVertex2d(left + (number.size() + 0.2) * t.advance, baseline + 0.45 * t.size);
                glEnd();
            }
            if (after && i + 1 == static_cast<int>(entries.size())) {
                colour(Ink);
                text(t, x + boxWidth + 0.6 * t.advance, baseline, "vrh");
            }
        }
    };
    const double left = panel.x + t.margin;
    column(columns.before, left, "pre", false);
    column(columns.after, left + boxWidth + 2 * t.advance, "posle", true);
}

// The hint in the bottom left corner, where the framing leaves room below the polygon.
void drawHint(const std::vector<Point>& vertices, const ViewState& camera, const PageLayout& page) {
    const TextStyle& t = page.text;
    if (vertices.empty()) return;
    const float below = std::min_element(vertices.begin(), vertices.end(), [](const Point& a, const Point& b) {
                            return a.y < b.y;
                        })->y;
    const double polygonBottom = sceneToPixels(camera, camera.centreX, below).y;
    if (camera.zoom != 1.0f || camera.angle != 0.0f || camera.panX != 0.0 || camera.panY != 0.0) return;
    if (t.margin + t.size + 0.5 * t.margin > polygonBottom) return;
    // Plain lines, no blending: the first frame needs nothing the outline does not.
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
    colour(Faded);
    text(t, t.margin, t.margin, startHint());
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
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
        case Swatch::PartitionDiagonal:
            setColour(PartitionColour);
            return line(1);
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
    // text in large windows (one pixel up to the opening size's).
    const double ring = 0.6 * page.text.size / (pixelsPerUnit(camera) * camera.zoom);
    const float width = static_cast<float>(std::max(1.0, std::round(page.text.size / 14.0)));
    if (bench.edit.on && bench.edit.grid) drawGrid(camera);
    const PageMarks marks = pageMarks(shown, view.page, ring);
    drawTints(shown, marks, 0.5 * page.text.size);
    glLineWidth(width);
    drawScene(segmentsShown(shown, view.page, static_cast<int>(scene.segments.size())));
    drawMarks(marks, ring, width);
    if (bench.edit.drawing) drawDraft(bench.edit.draft, ring, width);
    if (bench.edit.dragged >= 0) {  // the vertex in hand
        glLineWidth(width);
        drawCircle(ringAt(shown.vertices[bench.edit.dragged], ring, Green));
        glLineWidth(1.0f);
    }
    glDisable(GL_SCISSOR_TEST);
    inWindowPixels(camera.windowWidth, camera.windowHeight, [&] {
        if (labelsShown(view)) drawLabels(shown, view, camera, page);
        drawCaption(page);
        drawStackPanel(shown, view, page);
        drawFooter(page);
        if (view.page == 0 && page.footer.empty()) drawHint(shown.vertices, camera, page);
        if (view.help) drawHelp(camera.windowWidth, camera.windowHeight);
    });
    glFlush();
    glutSwapBuffers();
}
