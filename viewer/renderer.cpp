#include "viewer/renderer.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <vector>

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

// The strokes of a run of text shapes drawn alike, placed in window pixels, in one draw: for a text
// too large for a sheet of its characters.
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

// Every character the font has, at every phase: the most cells a sheet ever holds.
int sheetCells() { return static_cast<int>(fontCharacters().size()) * GlyphPhases; }
// Looks kept at once; a window resized again and again makes new ones, so they start over beyond it.
constexpr std::size_t MaxSheets = 16;

GlyphLook lookOf(const Shape& s) { return {s.scaleX, s.scaleY, s.width, s.smooth}; }

// The sheet of a look, its texture made (empty) the first time; null where the cells of the
// look's characters would not fit into one texture.
GlyphSheet* sheetOf(TextCache& text, const GlyphLook& look) {
    auto kept = text.sheets.find(look);
    if (kept != text.sheets.end()) return kept->second.texture != 0 ? &kept->second : nullptr;
    if (text.sheets.size() >= MaxSheets) {
        for (auto& [_, sheet] : text.sheets) {
            if (sheet.texture != 0) glDeleteTextures(1, &sheet.texture);
        }
        text.sheets.clear();
    }
    GlyphSheet& sheet = text.sheets[look];
    sheet.cell = glyphCell(look);
    // As square a texture as the cells make.
    const int cells = sheetCells();
    sheet.columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(cells * static_cast<double>(sheet.cell.height) /
                                                                      sheet.cell.width))));
    sheet.rows = (cells + sheet.columns - 1) / sheet.columns;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const long long w = static_cast<long long>(sheet.columns) * sheet.cell.width;
    const long long h = static_cast<long long>(sheet.rows) * sheet.cell.height;
    if (w > largest || h > largest) return nullptr;
    const std::vector<unsigned char> empty(static_cast<std::size_t>(w * h), 0);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, static_cast<GLsizei>(w), static_cast<GLsizei>(h), 0, GL_ALPHA,
                 GL_UNSIGNED_BYTE, empty.data());
    sheet.texture = texture;
    return &sheet;
}

// Where a cell starts in its sheet's texture, in texels across and up.
std::pair<int, int> cornerOf(const GlyphSheet& sheet, int slot) {
    return {(slot % sheet.columns) * sheet.cell.width, (slot / sheet.columns) * sheet.cell.height};
}

// The cell of a character at a phase, its pixels put into the sheet's texture the first time.
int slotOf(GlyphSheet& sheet, const GlyphLook& look, char32_t c, int phase) {
    auto kept = sheet.slots.find({c, phase});
    if (kept != sheet.slots.end()) return kept->second;
    const int slot = static_cast<int>(sheet.slots.size());
    sheet.slots[{c, phase}] = slot;
    const std::vector<unsigned char> pixels = glyphCoverage(c, look, phase);
    sheet.inks.push_back(inkBox(pixels, sheet.cell));
    glBindTexture(GL_TEXTURE_2D, sheet.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const auto [x, y] = cornerOf(sheet, slot);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, sheet.cell.width, sheet.cell.height, GL_ALPHA, GL_UNSIGNED_BYTE, pixels.data());
    return slot;
}

// The quads of a run of texts drawn alike from one sheet: window pixels and the texture's.
struct QuadRun {
    std::vector<float> corners;
    std::vector<float> texels;
};

// Each character of a text a quad of its cell, its origin on the nearest quarter of a pixel across and
// the baseline on the nearest row.
void addQuads(const Shape& s, GlyphSheet& sheet, QuadRun& run) {
    const GlyphLook look = lookOf(s);
    const GlyphCell& cell = sheet.cell;
    const float sw = 1.0f / static_cast<float>(sheet.columns * cell.width);
    const float sh = 1.0f / static_cast<float>(sheet.rows * cell.height);
    const float bottom = std::round(s.xy[1]) - static_cast<float>(cell.below);
    double origin = s.xy[0];
    for (const char32_t c : charactersOf(s.text)) {
        const FontGlyph g = fontGlyph(c);
        if (hasGlyph(c) && g.stripCount > 0) {
            const GlyphPlace at = glyphPlace(origin);
            const int slot = slotOf(sheet, look, c, at.phase);
            // Only the part of the cell with ink: most of a cell is the room other characters need.
            const GlyphInk& ink = sheet.inks[static_cast<std::size_t>(slot)];
            if (ink.right > ink.left) {
                const float x0 = static_cast<float>(at.column - cell.left + ink.left);
                const float x1 = x0 + static_cast<float>(ink.right - ink.left);
                const float y0 = bottom + static_cast<float>(ink.bottom), y1 = y0 + static_cast<float>(ink.top - ink.bottom);
                const auto [cx, cy] = cornerOf(sheet, slot);
                const float u0 = static_cast<float>(cx + ink.left) * sw;
                const float v0 = static_cast<float>(cy + ink.bottom) * sh;
                const float u1 = u0 + static_cast<float>(ink.right - ink.left) * sw;
                const float v1 = v0 + static_cast<float>(ink.top - ink.bottom) * sh;
                run.corners.insert(run.corners.end(), {x0, y0, x1, y0, x1, y1, x0, y1});
                run.texels.insert(run.texels.end(), {u0, v0, u1, v0, u1, v1, u0, v1});
            }
        }
        origin += static_cast<double>(g.advance) * s.scaleX;
    }
}

}  // namespace

void drawFrame(const Frame& frame, TextCache& text) {
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
    QuadRun quads;
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
                // With the texts after it drawn alike: from the look's sheet, one quad a character.
                auto alike = [&](const Shape& next) {
                    return next.kind == ShapeKind::Text && next.width == s.width && next.smooth == s.smooth &&
                           next.clipped == s.clipped && sameColour(next.colour, s.colour) && next.scaleX == s.scaleX &&
                           next.scaleY == s.scaleY;
                };
                GlyphSheet* sheet = sheetOf(text, lookOf(s));
                if (sheet == nullptr) {
                    run.points.clear();
                    run.firsts.clear();
                    run.counts.clear();
                    addText(s, text.strokes, run);
                    while (i + 1 < frame.shapes.size() && alike(frame.shapes[i + 1])) addText(frame.shapes[++i], text.strokes, run);
                    glVertexPointer(2, GL_FLOAT, 0, run.points.data());
                    glMultiDrawArrays(GL_LINE_STRIP, run.firsts.data(), run.counts.data(), static_cast<GLsizei>(run.firsts.size()));
                    break;
                }
                quads.corners.clear();
                quads.texels.clear();
                addQuads(s, *sheet, quads);
                while (i + 1 < frame.shapes.size() && alike(frame.shapes[i + 1])) addQuads(frame.shapes[++i], *sheet, quads);
                set(now.blend, true, GL_BLEND);
                glEnable(GL_TEXTURE_2D);
                glBindTexture(GL_TEXTURE_2D, sheet->texture);
                glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
                glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                glVertexPointer(2, GL_FLOAT, 0, quads.corners.data());
                glTexCoordPointer(2, GL_FLOAT, 0, quads.texels.data());
                glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(quads.corners.size() / 2));
                glDisableClientState(GL_TEXTURE_COORD_ARRAY);
                glDisable(GL_TEXTURE_2D);
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
