// The font's characters as pixels: each in its cell whole, where its strokes are, as thick as the
// pen, and a quarter of a pixel further right for each phase.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "viewer/glyphs.h"
#include "viewer/text.h"

namespace {

const char32_t Letters[] = {U'A', U'W', U'g', U'j', U'y', U'(', U'|', U'_', U'@', U'8', U'č', U'Ć', U'š', U'Ž', U'đ'};

// The looks a window uses: its text at the opening size, a halo around it, a projector's, a small one.
const GlyphLook Looks[] = {{0.1117f, 0.14f, 1.6f, true}, {0.1117f, 0.14f, 4.6f, true}, {0.35f, 0.44f, 4.9f, true},
                           {0.067f, 0.07f, 1.0f, true}, {0.1117f, 0.14f, 1.6f, false}};

struct Ink {
    double total = 0.0;  // in pixels fully covered
    double x = 0.0;      // the centre of the ink, across
};

Ink inkOf(const std::vector<unsigned char>& pixels, const GlyphCell& cell) {
    Ink ink;
    for (int row = 0; row < cell.height; ++row) {
        for (int column = 0; column < cell.width; ++column) {
            const double a = pixels[static_cast<std::size_t>(row) * cell.width + column] / 255.0;
            ink.total += a;
            ink.x += a * (column + 0.5);
        }
    }
    ink.x /= ink.total;
    return ink;
}

// How long a character's strokes are, in pixels of a look.
double strokeLength(char32_t c, const GlyphLook& look) {
    const FontGlyph g = fontGlyph(c);
    double length = 0.0;
    for (int k = 0; k < g.stripCount; ++k) {
        for (int i = g.strips[2 * k]; i + 1 < g.strips[2 * k] + g.strips[2 * k + 1]; ++i) {
            length += std::hypot((g.points[2 * i + 2] - g.points[2 * i]) * look.scaleX,
                                 (g.points[2 * i + 3] - g.points[2 * i + 1]) * look.scaleY);
        }
    }
    return length;
}

}  // namespace

TEST(Glyphs, EachCharacterLiesWholeInItsCellAsThickAsThePenAndMovesWithItsPhase) {
    for (const GlyphLook& look : Looks) {
        const GlyphCell cell = glyphCell(look);
        for (const char32_t c : Letters) {
            SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<int>(c) << " pen " << look.width);
            double x0 = 0.0;
            for (int phase = 0; phase < GlyphPhases; ++phase) {
                const std::vector<unsigned char> pixels = glyphCoverage(c, look, phase);
                ASSERT_EQ(pixels.size(), static_cast<std::size_t>(cell.width) * cell.height);
                // Nothing reaches the cell's edge, so nothing of it is cut off and no cell bleeds into the next;
                // the box drawn of it holds all its ink and touches it on every side.
                const GlyphInk box = inkBox(pixels, cell);
                int touching[4] = {0, 0, 0, 0};
                for (int row = 0; row < cell.height; ++row) {
                    for (int column = 0; column < cell.width; ++column) {
                        if (pixels[static_cast<std::size_t>(row) * cell.width + column] != 0) {
                            EXPECT_TRUE(column >= box.left && column < box.right && row >= box.bottom && row < box.top);
                            touching[0] += column == box.left;
                            touching[1] += column == box.right - 1;
                            touching[2] += row == box.bottom;
                            touching[3] += row == box.top - 1;
                        }
                        if (row == 0 || column == 0 || row == cell.height - 1 || column == cell.width - 1) {
                            EXPECT_EQ(pixels[static_cast<std::size_t>(row) * cell.width + column], 0) << row << "," << column;
                        }
                        if (!look.smooth) {
                            const unsigned char a = pixels[static_cast<std::size_t>(row) * cell.width + column];
                            EXPECT_TRUE(a == 0 || a == 255);
                        }
                    }
                }
                for (const int t : touching) EXPECT_GT(t, 0);
                const Ink ink = inkOf(pixels, cell);
                // A round pen: the strokes' length times its width, and the caps and joins a little more,
                // where the strokes lie farther apart than the pen is wide (an underscore's do not).
                const double length = strokeLength(c, look);
                if (look.smooth && look.width < 2.0f && c != U'_' && c != U'@' && c != U'Ć') {
                    EXPECT_GT(ink.total, 0.8 * length * look.width);
                }
                EXPECT_LT(ink.total, 1.1 * length * look.width + 12.0 * look.width * look.width);
                if (phase == 0) x0 = ink.x;
                if (look.smooth) {
                    EXPECT_NEAR(ink.x - x0, phase / 4.0, 0.12);
                }
            }
        }
    }
    // A blank, and a character the font lacks, are no ink at all, and their box is empty.
    for (const char32_t c : {U' ', U'ж'}) {
        const std::vector<unsigned char> pixels = glyphCoverage(c, Looks[0], 1);
        for (const unsigned char a : pixels) EXPECT_EQ(a, 0);
        const GlyphInk box = inkBox(pixels, glyphCell(Looks[0]));
        EXPECT_EQ(box.right - box.left, 0);
    }
}

TEST(Glyphs, AnOriginGoesToTheNearestQuarterOfAPixel) {
    struct Case {
        double x;
        int column, phase;
    };
    for (const Case& c : {Case{10.0, 10, 0}, Case{10.3, 10, 1}, Case{10.49, 10, 2}, Case{10.76, 10, 3},
                          Case{10.9, 11, 0}, Case{-0.3, -1, 3}, Case{-1.0, -1, 0}, Case{0.124, 0, 0}}) {
        const GlyphPlace p = glyphPlace(c.x);
        EXPECT_EQ(p.column, c.column) << c.x;
        EXPECT_EQ(p.phase, c.phase) << c.x;
    }
}
