#include "viewer/renderer.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

namespace {

GLenum modeOf(ShapeKind kind) {
    switch (kind) {
        case ShapeKind::Lines:
            return GL_LINES;
        case ShapeKind::LineStrip:
            return GL_LINE_STRIP;
        case ShapeKind::LineLoop:
            return GL_LINE_LOOP;
        case ShapeKind::Points:
            return GL_POINTS;
        case ShapeKind::Triangles:
        case ShapeKind::Rect:
        case ShapeKind::Text:
            break;
    }
    return GL_TRIANGLES;
}

// The strokes of a run of text shapes drawn alike, placed in window pixels, in one draw.
struct TextRun {
    std::vector<float> points;
    std::vector<GLint> firsts;
    std::vector<GLsizei> counts;
};

void addText(const Shape& s, StrokeCache& strokes, TextRun& run) {
    const TextStrokes& t = keptStrokes(strokes, s.text);
    const GLint base = static_cast<GLint>(run.points.size() / 2);
    placeStrokes(s, t, run.points);
    for (std::size_t k = 0; k < t.firsts.size(); ++k) {
        run.firsts.push_back(base + t.firsts[k]);
        run.counts.push_back(t.counts[k]);
    }
}

}  // namespace

void drawFrame(const Frame& frame, StrokeCache& strokes) {
    glViewport(0, 0, frame.width, frame.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, frame.width, 0, frame.height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(frame.clear.r, frame.clear.g, frame.clear.b, frame.clear.a);
    glClear(GL_COLOR_BUFFER_BIT);  // the depth buffer is never tested, so never cleared
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    const PixelRect& p = frame.picture;
    const bool whole = p.x == 0 && p.y == 0 && p.width == frame.width && p.height == frame.height;
    glScissor(p.x, p.y, p.width, p.height);
    // GL's state changed only where a shape needs it otherwise: every change costs the driver work.
    struct State {
        bool scissor = false, smooth = false, blend = false;
        unsigned short dash = 0;
        float width = 1.0f;
    } now;
    auto set = [](bool& was, bool wanted, GLenum capability) {
        if (was == wanted) return;
        was = wanted;
        if (wanted) {
            glEnable(capability);
        } else {
            glDisable(capability);
        }
    };
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(1.0f);
    glPointSize(1.0f);
    TextRun run;
    for (std::size_t i = 0; i < frame.shapes.size(); ++i) {
        const Shape& s = frame.shapes[i];
        set(now.scissor, s.clipped && !whole, GL_SCISSOR_TEST);
        set(now.smooth, s.smooth, GL_LINE_SMOOTH);
        set(now.blend, s.smooth || s.colour.a < 1.0f, GL_BLEND);
        if (s.dash != now.dash) {
            if (now.dash == 0) glEnable(GL_LINE_STIPPLE);
            if (s.dash == 0) glDisable(GL_LINE_STIPPLE);
            if (s.dash != 0) glLineStipple(1, s.dash);
            now.dash = s.dash;
        }
        if (s.width != now.width) {
            now.width = s.width;
            glLineWidth(s.width);
            glPointSize(s.width);
        }
        glColor4f(s.colour.r, s.colour.g, s.colour.b, s.colour.a);
        switch (s.kind) {
            case ShapeKind::Rect:
                glRectf(s.xy[0], s.xy[1], s.xy[2], s.xy[3]);
                break;
            case ShapeKind::Text: {
                // With the texts after it drawn alike.
                run.points.clear();
                run.firsts.clear();
                run.counts.clear();
                addText(s, strokes, run);
                while (i + 1 < frame.shapes.size()) {
                    const Shape& next = frame.shapes[i + 1];
                    if (next.kind != ShapeKind::Text || next.width != s.width || next.smooth != s.smooth ||
                        next.clipped != s.clipped || !sameColour(next.colour, s.colour)) {
                        break;
                    }
                    addText(next, strokes, run);
                    ++i;
                }
                glVertexPointer(2, GL_FLOAT, 0, run.points.data());
                glMultiDrawArrays(GL_LINE_STRIP, run.firsts.data(), run.counts.data(), static_cast<GLsizei>(run.firsts.size()));
                break;
            }
            default:
                glVertexPointer(2, GL_FLOAT, 0, s.xy.data());
                glDrawArrays(modeOf(s.kind), 0, static_cast<GLsizei>(s.xy.size() / 2));
                break;
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_LINE_STIPPLE);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    glFlush();
}
