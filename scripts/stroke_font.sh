#!/usr/bin/env bash
# Writes viewer/stroke_font.cpp: the strokes of the window's font (the toolkit's monospaced roman
# stroke font, as the installed freeglut 3.4 holds it), for characters 32 to 126, so that the text of
# a frame can be drawn and written as SVG without the toolkit. Run once when the font is to be read
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
int main(void) {
    const Font* f = &fgStrokeMonoRoman;
    int points = 0, strips = 0, c, s, v;
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
    printf("\n");
    printf("};\n\n// Each character's advance and first strip.\nconst struct {\n    float advance;\n    short first;\n    short count;\n} GlyphTable[] = {\n");
    for (c = 32; c < 127; ++c) {
        printf("    {%.9g, %d, %d},\n", f->Characters[c]->Right, strips, f->Characters[c]->Number);
        strips += f->Characters[c]->Number;
    }
    printf("};\n\n}  // namespace\n\n");
    printf("FontGlyph fontGlyph(char c) {\n");
    printf("    if (c < 32 || c > 126) c = ' ';\n");
    printf("    const auto& g = GlyphTable[c - 32];\n");
    printf("    return {g.advance, &StripTable[g.first][0], g.count, PointTable};\n}\n");
    return 0;
}
C
cc "$work/read_font.c" -o "$work/read_font" -lglut
"$work/read_font" > viewer/stroke_font.cpp
echo "wrote viewer/stroke_font.cpp"
