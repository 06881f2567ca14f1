#include "viewer/glyphs.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "viewer/text.h"

namespace {

// The font's reach in its units: the lowest and highest point of any character and the widest.
struct FontReach {
    float left = 0.0f, right = 0.0f, bottom = 0.0f, top = 0.0f;
};

FontReach fontReach() {
    FontReach r;
    for (const char32_t c : fontCharacters()) {
        const FontGlyph g = fontGlyph(c);
        for (int k = 0; k < g.stripCount; ++k) {
            for (int i = g.strips[2 * k]; i < g.strips[2 * k] + g.strips[2 * k + 1]; ++i) {
                r.left = std::min(r.left, g.points[2 * i]);
                r.right = std::max(r.right, g.points[2 * i]);
                r.bottom = std::min(r.bottom, g.points[2 * i + 1]);
                r.top = std::max(r.top, g.points[2 * i + 1]);
            }
        }
    }
    return r;
}

const FontReach& reach() {
    static const FontReach r = fontReach();
    return r;
}

// The distance from (x, y) to the segment from (x0, y0) to (x1, y1).
double distanceToSegment(double x, double y, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

}  // namespace

const std::vector<char32_t>& fontCharacters() {
    static const std::vector<char32_t> characters = [] {
        std::vector<char32_t> out;
        for (char32_t c = 0; c < 0x180; ++c) {  // the Serbian letters lie below U+0180
            if (hasGlyph(c)) out.push_back(c);
        }
        return out;
    }();
    return characters;
}

bool operator<(const GlyphLook& a, const GlyphLook& b) {
    return std::tie(a.scaleX, a.scaleY, a.width, a.smooth) < std::tie(b.scaleX, b.scaleY, b.width, b.smooth);
}

GlyphCell glyphCell(const GlyphLook& look) {
    // The pen reaches half its width and a pixel of softening beyond the strokes; a phase moves the
    // character up to a pixel right.
    const double pad = look.width / 2.0 + 1.0;
    const FontReach& r = reach();
    GlyphCell cell;
    cell.left = static_cast<int>(std::ceil(pad - r.left * look.scaleX));
    cell.below = static_cast<int>(std::ceil(pad - r.bottom * look.scaleY));
    cell.width = cell.left + static_cast<int>(std::ceil(r.right * look.scaleX + pad)) + 1;
    cell.height = cell.below + static_cast<int>(std::ceil(r.top * look.scaleY + pad));
    return cell;
}

std::vector<unsigned char> glyphCoverage(char32_t c, const GlyphLook& look, int phase) {
    const GlyphCell cell = glyphCell(look);
    std::vector<unsigned char> out(static_cast<std::size_t>(cell.width) * cell.height, 0);
    if (!hasGlyph(c)) return out;
    const FontGlyph g = fontGlyph(c);
    const double ox = cell.left + static_cast<double>(phase) / GlyphPhases, oy = cell.below;
    const double half = look.width / 2.0;
    // Every pixel the pen covers: by its centre's distance from the nearest stroke, fully within half
    // the pen's width and fading out over one pixel beyond (a round pen, so strips join smoothly).
    std::vector<double> covered(out.size(), 0.0);
    for (int k = 0; k < g.stripCount; ++k) {
        const int first = g.strips[2 * k], count = g.strips[2 * k + 1];
        for (int i = first; i + 1 < first + count; ++i) {
            const int j = i + 1;
            const double x0 = ox + g.points[2 * i] * look.scaleX, y0 = oy + g.points[2 * i + 1] * look.scaleY;
            const double x1 = ox + g.points[2 * j] * look.scaleX, y1 = oy + g.points[2 * j + 1] * look.scaleY;
            const int c0 = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - half - 1.0)));
            const int c1 = std::min(cell.width - 1, static_cast<int>(std::ceil(std::max(x0, x1) + half + 1.0)));
            const int r0 = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - half - 1.0)));
            const int r1 = std::min(cell.height - 1, static_cast<int>(std::ceil(std::max(y0, y1) + half + 1.0)));
            for (int row = r0; row <= r1; ++row) {
                for (int column = c0; column <= c1; ++column) {
                    const double d = distanceToSegment(column + 0.5, row + 0.5, x0, y0, x1, y1);
                    double& a = covered[static_cast<std::size_t>(row) * cell.width + column];
                    a = std::max(a, std::clamp(half + 0.5 - d, 0.0, 1.0));
                }
            }
        }
    }
    for (std::size_t p = 0; p < out.size(); ++p) {
        const double a = look.smooth ? covered[p] : (covered[p] >= 0.5 ? 1.0 : 0.0);
        out[p] = static_cast<unsigned char>(std::lround(255.0 * a));
    }
    return out;
}

GlyphInk inkBox(const std::vector<unsigned char>& coverage, const GlyphCell& cell) {
    GlyphInk box{cell.width, cell.height, 0, 0};
    for (int row = 0; row < cell.height; ++row) {
        for (int column = 0; column < cell.width; ++column) {
            if (coverage[static_cast<std::size_t>(row) * cell.width + column] == 0) continue;
            box = {std::min(box.left, column), std::min(box.bottom, row), std::max(box.right, column + 1), std::max(box.top, row + 1)};
        }
    }
    if (box.right == 0) box = GlyphInk{};
    return box;
}

GlyphPlace glyphPlace(double x) {
    const double quarters = std::round(x * GlyphPhases);
    GlyphPlace p;
    p.column = static_cast<int>(std::floor(quarters / GlyphPhases));
    p.phase = static_cast<int>(quarters - static_cast<double>(p.column) * GlyphPhases);
    return p;
}
