#!/usr/bin/env bash
# Writes viewer/stroke_font.cpp: the strokes of the window's font (the toolkit's monospaced roman
# stroke font, as the installed freeglut 3.4 holds it), for characters 32 to 126, and the letters of
# Serbian Latin that ASCII lacks (c, s, z with caron, c with acute, d with stroke, and their capitals),
# each its ASCII letter's strokes and one stroke more on the font's own grid, so that the text of a
# frame can be drawn and written as SVG without the toolkit. Run once when the font is to be read
# again; the result is committed.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/read_font.c" <<'C'
#include <stdio.h>
/* The layout of the toolkit's stroke font data. */
typedef struct { float X, Y; } Vertex;
typedef struct { int Number; const Vertex* Vertices; } Strip;
typedef struct { float Right; int Number; const Strip* Strips; } Glyph;
typedef struct { char* Name; int Quantity; float Height; const Glyph** Characters; } Font;
extern Font fgStrokeMonoRoman;
/* A letter the font lacks: its ASCII letter and one stroke more (a caron, an acute or a bar), its
   points on the font's grid, where 21 steps make a capital's height. */
typedef struct { unsigned code; char base; const char* name; int count; int grid[6]; } Composed;
static const Composed composed[] = {
    {0x10D, 'c', "c with caron", 3, {8, 20, 11, 17, 14, 20}},
    {0x107, 'c', "c with acute", 2, {10, 17, 14, 21}},
    {0x161, 's', "s with caron", 3, {8, 20, 11, 17, 14, 20}},
    {0x17E, 'z', "z with caron", 3, {8, 20, 11, 17, 14, 20}},
    {0x111, 'd', "d with stroke", 2, {13, 18, 20, 18}},
    {0x10C, 'C', "C with caron", 3, {8, 26, 11, 23, 14, 26}},
    {0x106, 'C', "C with acute", 2, {10, 23, 13, 26}},
    {0x160, 'S', "S with caron", 3, {8, 26, 11, 23, 14, 26}},
    {0x17D, 'Z', "Z with caron", 3, {8, 26, 11, 23, 14, 26}},
    {0x110, 'D', "D with stroke", 2, {1, 10, 8, 10}},
};
enum { ComposedCount = sizeof composed / sizeof composed[0] };
static float onGrid(int steps) { return (float)(steps * 100.0 / 21.0); }
int main(void) {
    const Font* f = &fgStrokeMonoRoman;
    int points = 0, strips = 0, c, s, v, k;
    printf("// Made by scripts/stroke_font.sh from the toolkit's monospaced roman stroke font: do not edit.\n\n");
    printf("#include \"viewer/text.h\"\n\nnamespace {\n\n");
    printf("// Each strip's first point and its number of points.\nconst short StripTable[][2] = {\n");
    for (c = 32; c < 127; ++c) {
        printf("    ");
        for (s = 0; s < f->Characters[c]->Number; ++s) {
            printf("{%d, %d}, ", points, f->Characters[c]->Strips[s].Number);
            points += f->Characters[c]->Strips[s].Number;
        }
        printf("// '%c'\n", c == '\\' ? '/' : c);
    }
    /* The composed letters: their ASCII letter's strips, then their own, whose points follow the
       toolkit's in the table. */
    int extra = points;
    for (k = 0; k < ComposedCount; ++k) {
        const Glyph* g = f->Characters[(int)composed[k].base];
        int base = 0;
        for (c = 32; c < composed[k].base; ++c) {
            for (s = 0; s < f->Characters[c]->Number; ++s) base += f->Characters[c]->Strips[s].Number;
        }
        printf("    ");
        for (s = 0; s < g->Number; ++s) {
            printf("{%d, %d}, ", base, g->Strips[s].Number);
            base += g->Strips[s].Number;
        }
        printf("{%d, %d}, // U+%04X, %s\n", extra, composed[k].count, composed[k].code, composed[k].name);
        extra += composed[k].count;
    }
    printf("};\n\n// The points, x then y, in the font's units: a capital 100 high.\nconst float PointTable[] = {");
    int column = 0;
    for (c = 32; c < 127; ++c) {
        for (s = 0; s < f->Characters[c]->Number; ++s) {
            const Strip* strip = &f->Characters[c]->Strips[s];
            for (v = 0; v < strip->Number; ++v) {
                if (column++ % 4 == 0) printf("\n   ");
                printf(" %.9g, %.9g,", strip->Vertices[v].X, strip->Vertices[v].Y);
            }
        }
    }
    for (k = 0; k < ComposedCount; ++k) {
        for (v = 0; v < composed[k].count; ++v) {
            if (column++ % 4 == 0) printf("\n   ");
            printf(" %.9g, %.9g,", onGrid(composed[k].grid[2 * v]), onGrid(composed[k].grid[2 * v + 1]));
        }
    }
    printf("\n");
    printf("};\n\n// Each character's advance and first strip.\nconst struct {\n    float advance;\n    short first;\n    short count;\n} GlyphTable[] = {\n");
    for (c = 32; c < 127; ++c) {
        printf("    {%.9g, %d, %d},\n", f->Characters[c]->Right, strips, f->Characters[c]->Number);
        strips += f->Characters[c]->Number;
    }
    for (k = 0; k < ComposedCount; ++k) {
        const Glyph* g = f->Characters[(int)composed[k].base];
        printf("    {%.9g, %d, %d},\n", g->Right, strips, g->Number + 1);
        strips += g->Number + 1;
    }
    printf("};\n\n// The composed letters, in the order of their rows after the toolkit's characters.\n");
    printf("const char32_t ComposedLetters[] = {");
    for (k = 0; k < ComposedCount; ++k) printf("%s0x%X", k == 0 ? "" : ", ", composed[k].code);
    printf("};\n\n}  // namespace\n\n");
    printf("bool hasGlyph(char32_t c) {\n");
    printf("    if (c >= 32 && c <= 126) return true;\n");
    printf("    for (const char32_t letter : ComposedLetters) {\n");
    printf("        if (letter == c) return true;\n");
    printf("    }\n");
    printf("    return false;\n}\n\n");
    printf("FontGlyph fontGlyph(char32_t c) {\n");
    printf("    int row = c >= 32 && c <= 126 ? static_cast<int>(c) - 32 : 0;\n");
    printf("    for (int k = 0; k < %d; ++k) {\n", ComposedCount);
    printf("        if (ComposedLetters[k] == c) row = 95 + k;\n");
    printf("    }\n");
    printf("    const auto& g = GlyphTable[row];\n");
    printf("    return {g.advance, &StripTable[g.first][0], g.count, PointTable};\n}\n");
    return 0;
}
C
cc "$work/read_font.c" -o "$work/read_font" -lglut
"$work/read_font" > viewer/stroke_font.cpp
echo "wrote viewer/stroke_font.cpp"
