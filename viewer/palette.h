#pragma once
// The colours of the window, the page and the pictures, in one place. Each pair that carries a
// meaning stays apart at a glance (a CIEDE2000 difference of 20 or more) for normal vision and
// under a simulation of protanopia, deuteranopia and tritanopia alike, a tint as it shows over
// either paper; tests/viewer/palette_test.cpp measures every such pair.

// A colour in sRGB, each channel 0..1, and its opacity.
struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// The papers.
inline constexpr Rgba ClearColour{0.9f, 0.9f, 0.8f, 0.0f};  // the window's beige (a picture on white has white)
inline constexpr Rgba WhitePaper{1.0f, 1.0f, 1.0f, 1.0f};   // a picture on white (--bela), and the page's print
inline constexpr Rgba PanelShade{0.95f, 0.95f, 0.88f, 1.0f};  // the stack's and the sweep line's panel
inline constexpr Rgba HelpShade{1.0f, 1.0f, 0.95f, 1.0f};     // the help's box
inline constexpr float VeilAlpha = 0.65f;  // the paper over the pieces not being swept

// The inks.
inline constexpr Rgba Ink{0.0f, 0.0f, 0.0f, 1.0f};          // the polygon's edges, the text, the highest and the lowest vertex in the stack panel
inline constexpr Rgba Faded{0.55f, 0.55f, 0.55f, 1.0f};     // what only helps the eye: borders, "...", the hint
inline constexpr Rgba GridInk{0.8f, 0.8f, 0.7f, 1.0f};      // the grid to snap to, faint
inline constexpr Rgba RefusedInk{0.3f, 0.3f, 0.3f, 1.0f};   // the refused candidate and the vertex in its way (dashed)
inline constexpr Rgba OppositeInk{0.7f, 0.2f, 0.05f, 1.0f}; // red: diagonals to the opposite chain and from the lowest vertex
inline constexpr Rgba SameInk{0.05f, 0.3f, 0.8f, 1.0f};     // blue: diagonals along the same chain; a vertex chosen as an answer
inline constexpr Rgba SweepInk{0.05f, 0.6f, 0.45f, 1.0f};   // green: the sweep line and the vertex being swept
inline constexpr Rgba StackInk{1.0f, 0.65f, 0.15f, 1.0f};   // orange: the stack's rings and crosses, the edges on the sweep line
inline constexpr Rgba WhyInk{0.85f, 0.1f, 0.75f, 1.0f};     // magenta: what keeps the polygon from being triangulated
inline constexpr Rgba PartitionInk{0.65f, 0.6f, 1.0f, 1.0f}; // lilac: the partition's diagonals, used by nothing else

// The chains: a wide translucent band along each edge, the left one solid, the right one dashed (so
// that a print in black and white still tells them apart), and their numbers in the stack panel.
inline constexpr float TintAlpha = 0.4f;
inline constexpr Rgba LeftTint{0.35f, 0.65f, 0.6f, TintAlpha};  // teal: the left chain's band
inline constexpr Rgba RightTint{0.55f, 0.0f, 0.95f, TintAlpha}; // purple: the right chain's band
inline constexpr unsigned short RightTintDash = 0x00FF;         // eight pixels on, eight off
inline constexpr Rgba LeftInk{0.1f, 0.4f, 0.4f, 1.0f};    // a left chain's vertex in the stack panel
inline constexpr Rgba RightInk{0.5f, 0.0f, 0.9f, 1.0f};   // a right chain's vertex in the stack panel
inline constexpr Rgba SweptInk{0.0f, 0.7f, 0.1f, 1.0f};   // green in the panel: the swept vertex, the edge put on the sweep line
inline constexpr Rgba StrikeInk{0.85f, 0.0f, 0.0f, 1.0f}; // the line through an entry taken off
inline constexpr unsigned short RefusedDash = 0x0F0F;     // four pixels on, four off

// The monotone pieces' opaque fills: the pieces across a diagonal of the partition take turns.
inline constexpr int PieceTints = 2;
inline constexpr Rgba PieceInk[PieceTints] = {
    {1.0f, 0.75f, 0.25f, 1.0f},  // amber
    {0.5f, 0.8f, 1.0f, 1.0f},    // sky blue
};

// The three colour classes of the polygon's vertices (the triangulation's three-colouring), and
// their names in the captions.
inline constexpr Rgba ColourClassInk[3] = {
    {0.05f, 0.35f, 0.5f, 1.0f},   // blue
    {0.9f, 0.6f, 0.0f, 1.0f},     // orange
    {0.65f, 0.5f, 0.75f, 1.0f},   // reddish purple
};
inline constexpr const char* ColourClassName[3] = {"plava", "narandžasta", "ljubičasta"};
// The gallery's light fill under the colours' marks: the triangle being coloured, and on the guards'
// page every triangle, each tied to the guard that sees it by a sight line in the dual graph's ink.
inline constexpr Rgba GalleryInk{0.5f, 0.8f, 1.0f, 0.45f};
inline constexpr Rgba DualInk{0.35f, 0.35f, 0.35f, 1.0f};    // the dual graph's nodes and links
inline constexpr unsigned short DualDash = 0x0F0F;           // its links: four pixels on, four off

// The drawing colours of the colour codes 0..9 (geometry/records.h): Red, Green, Blue, Yellow,
// Orange, Magenta, Cyan, Purple, White, Black; the lesson's marks name theirs by these.
inline constexpr Rgba CodeInk[10] = {
    OppositeInk, SweepInk, SameInk, {1.0f, 1.0f, 0.0f, 1.0f}, StackInk,
    WhyInk, {0.0f, 1.0f, 1.0f, 1.0f}, {0.5f, 0.0f, 0.5f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, Ink,
};
