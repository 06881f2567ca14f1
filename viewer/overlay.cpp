#include "viewer/overlay.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "scene/scene.h"
#include "viewer/renderer.h"

namespace {

void* const CaptionFont = GLUT_BITMAP_HELVETICA_18;
constexpr int CaptionLineHeight = 24;
void* const LabelFont = GLUT_BITMAP_HELVETICA_12;
void* const HelpFont = GLUT_BITMAP_9_BY_15;  // fixed width, so the help's columns line up
constexpr int HelpCharWidth = 9;
constexpr int HelpLineHeight = 18;
constexpr int Margin = 12;

void text(void* font, const std::string& s) {
    glutBitmapString(font, reinterpret_cast<const unsigned char*>(s.c_str()));
}

// Black text at the raster position `place` sets, over a one-pixel halo of the clear colour, so
// that it stays legible where it crosses the picture's lines.
template <typename Place>
void legible(void* font, const std::string& s, Place place) {
    static const int offsets[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    glColor3f(0.9f, 0.9f, 0.8f);
    for (const auto& d : offsets) {
        place();
        glBitmap(0, 0, 0, 0, static_cast<float>(d[0]), static_cast<float>(d[1]), nullptr);
        text(font, s);
    }
    setColour(Black);
    place();
    text(font, s);
}

// Runs `draw` with GL in window pixels, origin at the bottom left, and restores the matrices.
template <typename Draw>
void inWindowPixels(int width, int height, Draw draw) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// Each number beside its vertex, up and to the right: the raster position follows the vertex
// through every turn, pan and zoom, while the bitmap stays upright and of one size.
void drawLabels(const Walkthrough& shown) {
    for (std::size_t i = 0; i < shown.vertices.size(); ++i) {
        const Point& v = shown.vertices[i];
        const GlPoint p = toGl(v.x, v.y, v.z);
        legible(LabelFont, std::to_string(i + 1), [&] {
            glRasterPos3f(p.x, p.y, p.z);
            glBitmap(0, 0, 0, 0, 6, 6, nullptr);
        });
    }
}

// The panel under the caption in the top left corner: the clear colour, translucent, so that the
// scene's lines fade behind the caption while the marks and numbers drawn after it stay clear.
void drawCaptionPanel(const std::vector<std::string>& lines, int height) {
    if (lines.empty()) return;
    int longest = 0;
    for (const std::string& line : lines) {
        longest = std::max(longest, glutBitmapLength(CaptionFont, reinterpret_cast<const unsigned char*>(line.c_str())));
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.9f, 0.9f, 0.8f, 0.75f);
    glRecti(0, height - 2 * Margin - static_cast<int>(lines.size()) * CaptionLineHeight + 4, longest + 2 * Margin, height);
    glDisable(GL_BLEND);
}

void drawCaption(const std::vector<std::string>& lines, int height) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int baseline = height - Margin - 16 - static_cast<int>(i) * CaptionLineHeight;
        legible(CaptionFont, lines[i], [&] { glRasterPos2i(Margin, baseline); });
    }
}

// The help panel in the middle of the window: a light box with a black border, the lines on it.
void drawHelp(int width, int height) {
    const std::vector<std::string>& lines = helpLines();
    std::size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    const int boxWidth = static_cast<int>(longest) * HelpCharWidth + 2 * Margin;
    const int boxHeight = static_cast<int>(lines.size()) * HelpLineHeight + 2 * Margin;
    // Centred, but never starting left of the window or above it: a raster position outside the
    // window would drop its whole line.
    const int left = std::max(0, (width - boxWidth) / 2);
    const int bottom = height - std::max(0, (height - boxHeight) / 2) - boxHeight;
    glColor3f(1.0f, 1.0f, 0.95f);
    glRecti(left, bottom, left + boxWidth, bottom + boxHeight);
    setColour(Black);
    glBegin(GL_LINE_LOOP);
    glVertex2i(left, bottom);
    glVertex2i(left + boxWidth, bottom);
    glVertex2i(left + boxWidth, bottom + boxHeight);
    glVertex2i(left, bottom + boxHeight);
    glEnd();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        glRasterPos2i(left + Margin, bottom + boxHeight - Margin - 13 - static_cast<int>(i) * HelpLineHeight);
        text(HelpFont, lines[i]);
    }
}

}  // namespace

void drawWalkthrough(const Walkthrough& shown, const StepView& view, double ring, int viewportWidth,
                     int viewportHeight) {
    drawScene(segmentsShown(shown, view.page, static_cast<int>(scene.segments.size())));
    const std::vector<std::string> caption = captionLines(shown, view.page);
    inWindowPixels(viewportWidth, viewportHeight, [&] { drawCaptionPanel(caption, viewportHeight); });
    const PageMarks marks = pageMarks(shown, view.page, ring);
    for (const Line& l : marks.lines) drawLine(l);
    glLineWidth(3.0f);
    for (const Segment& s : marks.wide) drawSegment(s);
    glLineWidth(1.0f);
    for (const Segment& s : marks.segments) drawSegment(s);
    for (const Circle& c : marks.circles) drawCircle(c);
    if (labelsShown(view)) drawLabels(shown);
    inWindowPixels(viewportWidth, viewportHeight, [&] {
        drawCaption(caption, viewportHeight);
        if (view.help) drawHelp(viewportWidth, viewportHeight);
    });
    glFlush();
    glutSwapBuffers();
}
