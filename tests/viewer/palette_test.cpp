// The palette as every viewer sees it: each pair of colours that carries a meaning at least 20 apart
// (CIEDE2000) for normal vision and under the protanopia, deuteranopia and tritanopia of Machado,
// Oliveira and Fernandes (2009), severity 1; a translucent tint compared as it shows over the paper.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "geometry/records.h"
#include "viewer/palette.h"

namespace {

struct Lab {
    double L = 0.0;
    double a = 0.0;
    double b = 0.0;
};

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr Vision Visions[] = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia};

const char* nameOf(Vision v) {
    switch (v) {
        case Vision::Normal:
            return "normal vision";
        case Vision::Protanopia:
            return "protanopia";
        case Vision::Deuteranopia:
            return "deuteranopia";
        case Vision::Tritanopia:
            return "tritanopia";
    }
    return "";
}

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado et al.'s matrices for linear RGB, severity 1.0.
const Matrix& simulationOf(Vision v) {
    static const Matrix identity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    static const Matrix protanopia{{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
    static const Matrix deuteranopia{{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
    static const Matrix tritanopia{{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};
    switch (v) {
        case Vision::Protanopia:
            return protanopia;
        case Vision::Deuteranopia:
            return deuteranopia;
        case Vision::Tritanopia:
            return tritanopia;
        case Vision::Normal:
            break;
    }
    return identity;
}

// A channel as the screen has it, in 8 bits, then linearised.
double linear(float channel) {
    const double c = std::lround(std::clamp(static_cast<double>(channel), 0.0, 1.0) * 255.0) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colour (its opacity aside) in CIELAB as the viewer sees it: linear RGB through the
// simulation, clamped, to XYZ (sRGB primaries, D65), to Lab against D65's white.
Lab labOf(const Rgba& colour, Vision v) {
    const double rgb[3] = {linear(colour.r), linear(colour.g), linear(colour.b)};
    const Matrix& m = simulationOf(v);
    double seen[3];
    for (int i = 0; i < 3; ++i) seen[i] = std::clamp(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2], 0.0, 1.0);
    const double X = 0.4124564 * seen[0] + 0.3575761 * seen[1] + 0.1804375 * seen[2];
    const double Y = 0.2126729 * seen[0] + 0.7151522 * seen[1] + 0.0721750 * seen[2];
    const double Z = 0.0193339 * seen[0] + 0.1191920 * seen[1] + 0.9503041 * seen[2];
    auto f = [](double t) {
        const double d = 6.0 / 29.0;
        return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
    };
    const double fx = f(X / 0.95047), fy = f(Y / 1.0), fz = f(Z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double degrees(double radians) { return radians * 180.0 / M_PI; }
double radians(double degrees) { return degrees * M_PI / 180.0; }

// CIEDE2000, kL = kC = kH = 1.
double ciede2000(const Lab& one, const Lab& two) {
    const double c1 = std::hypot(one.a, one.b), c2 = std::hypot(two.a, two.b);
    const double meanC7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * one.a, a2 = (1 + g) * two.a;
    const double C1 = std::hypot(a1, one.b), C2 = std::hypot(a2, two.b);
    auto hueOf = [](double b, double a) {
        if (a == 0.0 && b == 0.0) return 0.0;
        const double h = degrees(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hueOf(one.b, a1), h2 = hueOf(two.b, a2);
    const double dL = two.L - one.L, dC = C2 - C1;
    double dh = 0.0;
    if (C1 * C2 != 0.0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dH = 2 * std::sqrt(C1 * C2) * std::sin(radians(dh / 2));
    const double L = (one.L + two.L) / 2, C = (C1 + C2) / 2;
    double h = h1 + h2;
    if (C1 * C2 != 0.0) {
        if (std::abs(h1 - h2) <= 180) {
            h = (h1 + h2) / 2;
        } else {
            h = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
        }
    }
    const double t = 1 - 0.17 * std::cos(radians(h - 30)) + 0.24 * std::cos(radians(2 * h)) +
                     0.32 * std::cos(radians(3 * h + 6)) - 0.20 * std::cos(radians(4 * h - 63));
    const double turn = 30 * std::exp(-std::pow((h - 275) / 25, 2));
    const double C7 = std::pow(C, 7);
    const double rc = 2 * std::sqrt(C7 / (C7 + std::pow(25.0, 7)));
    const double sl = 1 + 0.015 * (L - 50) * (L - 50) / std::sqrt(20 + (L - 50) * (L - 50));
    const double sc = 1 + 0.045 * C, sh = 1 + 0.015 * C * t;
    const double rt = -std::sin(radians(2 * turn)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

double difference(const Rgba& one, const Rgba& two, Vision v) { return ciede2000(labOf(one, v), labOf(two, v)); }

// A translucent colour as it shows over an opaque paper.
Rgba over(const Rgba& tint, const Rgba& paper) {
    auto mix = [&](float t, float p) { return tint.a * t + (1 - tint.a) * p; };
    return {mix(tint.r, paper.r), mix(tint.g, paper.g), mix(tint.b, paper.b), 1.0f};
}

struct Pair {
    std::string name;
    Rgba one;
    Rgba two;
};

// Every pair at least `least` apart for every viewer; the failures name the pair, the viewer and the figure.
void expectApart(const std::vector<Pair>& pairs, double least = 20.0) {
    for (const Pair& p : pairs) {
        for (const Vision v : Visions) {
            const double d = difference(p.one, p.two, v);
            EXPECT_GE(d, least) << p.name << ", " << nameOf(v);
        }
    }
}

constexpr Rgba Beige{ClearColour.r, ClearColour.g, ClearColour.b, 1.0f};

}  // namespace

// The method itself: Sharma, Wu and Dalal's first two pairs; sRGB's red where CIELAB puts it; white
// and a grey unchanged by every simulation (each matrix's rows add up to one); and the simulation
// sees what the users did: the old chains' teal and purple tints over the beige, far apart to normal
// vision, all but one grey-blue under deuteranopia.
TEST(Palette, TheMeasureIsCiede2000AfterTheSimulation) {
    EXPECT_NEAR(ciede2000({50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(ciede2000({50.0, 3.1571, -77.2803}, {50.0, 0.0, -82.7485}), 2.8615, 1e-4);
    EXPECT_NEAR(ciede2000({50.0, 0.0, -82.7485}, {50.0, 2.6772, -79.7751}), 2.0425, 1e-4);
    EXPECT_EQ(ciede2000({61.0, 12.0, -30.0}, {61.0, 12.0, -30.0}), 0.0);
    const Lab red = labOf({1.0f, 0.0f, 0.0f, 1.0f}, Vision::Normal);
    EXPECT_NEAR(red.L, 53.24, 0.05);
    EXPECT_NEAR(red.a, 80.09, 0.05);
    EXPECT_NEAR(red.b, 67.20, 0.05);
    for (const Vision v : Visions) {
        for (const Rgba grey : {Rgba{1.0f, 1.0f, 1.0f, 1.0f}, Rgba{0.5f, 0.5f, 0.5f, 1.0f}}) {
            const Lab seen = labOf(grey, v);
            const Lab plain = labOf(grey, Vision::Normal);
            EXPECT_NEAR(seen.L, plain.L, 0.01) << nameOf(v);
            EXPECT_NEAR(std::hypot(seen.a, seen.b), 0.0, 0.05) << nameOf(v);
        }
    }
    const Rgba oldLeft = over({0.0f, 0.6f, 0.6f, 0.35f}, Beige), oldRight = over({0.6f, 0.25f, 0.75f, 0.35f}, Beige);
    EXPECT_GT(difference(oldLeft, oldRight, Vision::Normal), 30.0);
    EXPECT_LT(difference(oldLeft, oldRight, Vision::Deuteranopia), 10.0);
}

// Each pair the lesson tells apart by colour alone, on the window's beige and on white.
TEST(Palette, EveryMeaningfulPairStaysApartForEveryViewer) {
    std::vector<Pair> pairs;
    for (const Rgba& paper : {Beige, WhitePaper}) {
        const std::string on = paper.b == Beige.b ? " (bez)" : " (bela)";
        pairs.push_back({"levi i desni lanac" + on, over(LeftTint, paper), over(RightTint, paper)});
        const Pair onPaper[] = {
            {"crna: stranice poligona", Ink, paper},
            {"crvena: dijagonale do suprotnog lanca", OppositeInk, paper},
            {"plava: dijagonale duz istog lanca", SameInk, paper},
            {"zelena: brisuca prava", SweepInk, paper},
            {"narandzasti krug: teme na steku", StackInk, paper},
            {"magenta: ono zbog cega poligon nije prost ili monoton", WhyInk, paper},
            {"lila: dijagonale podele", PartitionInk, paper},
        };
        for (const Pair& p : onPaper) pairs.push_back({p.name + on, p.one, p.two});
        for (int t = 0; t < PieceTints; ++t) pairs.push_back({"monotoni deo " + std::to_string(t) + on, PieceInk[t], paper});
    }
    for (int a = 0; a < PieceTints; ++a) {
        for (int b = a + 1; b < PieceTints; ++b) pairs.push_back({"susedni monotoni delovi", PieceInk[a], PieceInk[b]});
    }
    const std::vector<Pair> lines = {
        {"crvene i plave dijagonale", OppositeInk, SameInk},
        {"brisuca prava i teme na steku", SweepInk, StackInk},
        {"brisuca prava i crvena dijagonala", SweepInk, OppositeInk},
        {"brisuca prava i plava dijagonala", SweepInk, SameInk},
        {"teme na steku i crvena dijagonala", StackInk, OppositeInk},
        {"teme na steku i plava dijagonala", StackInk, SameInk},
        {"dijagonala podele i ivica na brisucoj pravoj", PartitionInk, StackInk},
        {"dijagonala podele i brisuca prava", PartitionInk, SweepInk},
        {"dijagonala podele i crvena dijagonala", PartitionInk, OppositeInk},
        {"dijagonala podele i plava dijagonala", PartitionInk, SameInk},
        {"dijagonala podele i stranica", PartitionInk, Ink},
        {"crvena dijagonala i stranica", OppositeInk, Ink},
        {"plava dijagonala i stranica", SameInk, Ink},
        {"brisuca prava i stranica", SweepInk, Ink},
        {"teme na steku i stranica", StackInk, Ink},
        {"magenta i stranica", WhyInk, Ink},
        // The stack panel: a vertex's chain, the swept vertex, an end of the sweep in ink, on the panel.
        {"stek: levi i desni lanac", LeftInk, RightInk},
        {"stek: levi lanac i teme koje se obradjuje", LeftInk, SweptInk},
        {"stek: desni lanac i teme koje se obradjuje", RightInk, SweptInk},
        {"stek: levi lanac i krajnje teme", LeftInk, Ink},
        {"stek: desni lanac i krajnje teme", RightInk, Ink},
        {"stek: teme koje se obradjuje i krajnje teme", SweptInk, Ink},
        {"stek: levi lanac na panelu", LeftInk, PanelShade},
        {"stek: desni lanac na panelu", RightInk, PanelShade},
        {"stek: teme koje se obradjuje na panelu", SweptInk, PanelShade},
        {"stek: precrtano na panelu", StrikeInk, PanelShade},
        {"stek: precrtano i krajnje teme", StrikeInk, Ink},
    };
    pairs.insert(pairs.end(), lines.begin(), lines.end());
    expectApart(pairs);
    // The lesson's marks are drawn in the colours their codes name.
    const std::pair<Colour, Rgba> codes[] = {{Red, OppositeInk}, {Blue, SameInk}, {Green, SweepInk},
                                             {Orange, StackInk}, {Magenta, WhyInk}, {Black, Ink}};
    for (const auto& [code, ink] : codes) {
        EXPECT_TRUE(CodeInk[code].r == ink.r && CodeInk[code].g == ink.g && CodeInk[code].b == ink.b) << code;
    }
}

// The three colour classes of the vertices: apart from each other, from either paper and from the
// light tints of the triangles they lie on, each with its own name.
TEST(Palette, TheColourClassesStayApartAndAreNamed) {
    std::vector<Pair> pairs;
    for (int a = 0; a < 3; ++a) {
        pairs.push_back({std::string(ColourClassName[a]) + " (bez)", ColourClassInk[a], Beige});
        pairs.push_back({std::string(ColourClassName[a]) + " (bela)", ColourClassInk[a], WhitePaper});
        for (int b = a + 1; b < 3; ++b) {
            pairs.push_back({std::string(ColourClassName[a]) + " i " + ColourClassName[b], ColourClassInk[a], ColourClassInk[b]});
            EXPECT_NE(std::string(ColourClassName[a]), ColourClassName[b]);
        }
        // On the gallery's pages they lie on the triangles' light tints.
        pairs.push_back({std::string(ColourClassName[a]) + " na svetlom trouglu", ColourClassInk[a], over(GalleryInk, Beige)});
        pairs.push_back({std::string(ColourClassName[a]) + " na svetlom trouglu (bela)", ColourClassInk[a], over(GalleryInk, WhitePaper)});
    }
    expectApart(pairs);
}
