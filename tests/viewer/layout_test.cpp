// Where the window puts things: text that scales, panels that leave the picture its own part,
// stack columns that elide their middle, vertex numbers that never overlap, a help that fits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/layout.h"

TEST(Layout, TextScalesWithTheWindowAndCaptionsWrapRatherThanRunOff) {
    EXPECT_DOUBLE_EQ(windowText(1024, 700).size, 14.0);
    EXPECT_GE(windowText(1280, 1024).size, 14.0);  // a projector's window
    EXPECT_DOUBLE_EQ(windowText(300, 200).size, 7.0);
    EXPECT_EQ(wrapLines({"Skinuta sa steka: 4, 3", "x"}, 12),
              (std::vector<std::string>{"Skinuta sa", "steka: 4, 3", "x"}));
    EXPECT_EQ(wrapLines({"abcdefgh"}, 3), (std::vector<std::string>{"abc", "def", "gh"}));
    // In every window the caption band, the stack panel and the picture share it out, the caption's
    // lines all fitting across it.
    const std::vector<std::string> caption = {"Dijagonala 12-34 bi izašla iz poligona, pa teme 56 ostaje na steku.",
                                              "Nove dijagonale: 0"};
    for (const auto& [w, h] : {std::pair{1024, 700}, std::pair{600, 800}, std::pair{300, 200}, std::pair{1920, 1080}}) {
        const PageLayout page = layoutPage(w, h, caption, 5, 14);
        const PixelRect& p = page.picture;
        EXPECT_EQ(std::make_tuple(p.x, p.y, p.height), std::make_tuple(0, 0, page.captionBand.y)) << w;
        EXPECT_EQ(p.width + page.stackPanel.width, w) << w;
        EXPECT_EQ(page.captionBand.y + page.captionBand.height, h) << w;
        EXPECT_EQ(page.stackPanel.x, p.width);
        EXPECT_GE(page.captionBand.height, 5 * page.text.line);
        for (const std::string& line : page.caption) EXPECT_LE(textWidth(page.text, line) + 2 * page.text.margin, w);
        EXPECT_GT(p.height, h / 3) << w;
    }
    const PageLayout full = layoutPage(1024, 700, {}, 0, 0);  // the full picture: the whole window
    EXPECT_EQ(std::make_tuple(full.picture.width, full.picture.height), std::make_tuple(1024, 700));
}

TEST(Layout, StackColumnsKeepTheirBottomAndTopAndElideTheMiddle) {
    EXPECT_EQ(columnRows(3, 5), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(columnRows(98, 7), (std::vector<int>{0, 1, 2, -1, 95, 96, 97}));
    EXPECT_EQ(columnRows(98, 2), (std::vector<int>{0, 97}));
    EXPECT_EQ(columnRows(98, 1), (std::vector<int>{97}));
}

TEST(Layout, VertexNumbersAllWhenApartElseOnlyTheConcernedWithoutOverlap) {
    const TextStyle text = windowText(1024, 700);
    const PixelRect area{0, 0, 1024, 600};
    auto shown = [&](const std::vector<PlanePoint>& at, const std::vector<int>& concerned) {
        std::string out;
        for (const Label& l : visibleLabels(at, concerned, text, area)) {
            out += std::to_string(l.vertex + 1) + "@" + std::to_string(l.corner) + " ";
        }
        return out;
    };
    // Apart: every number, up and to the right; one at the picture's top edge goes below instead, one
    // at its right edge to the left.
    EXPECT_EQ(shown({{100, 100}, {300, 100}, {500, 595}, {1020, 300}}, {2}), "3@1 1@0 2@0 4@2 ");
    // A dense chain: not every number finds room, so only the concerned are drawn, none overlapping.
    const std::vector<PlanePoint> dense = {{300, 100}, {302, 102}, {304, 104}, {306, 106}, {308, 108}, {900, 300}};
    EXPECT_EQ(shown(dense, {3, 0, 1, 2, 4}), "4@0 1@1 2@2 3@3 ");
    EXPECT_EQ(shown({{-50, 100}}, {0}), "");  // a vertex off the picture: no number
}

TEST(Layout, HelpFitsTheWindowWithoutLosingItsDescriptions) {
    std::vector<HelpRow> rows = {{"Tasteri", "", Swatch::None}};
    for (int i = 0; i < 14; ++i) rows.push_back({"Page Down / Up", "deset koraka napred / nazad", Swatch::None});
    rows.push_back({"Boje", "", Swatch::None});
    for (int i = 0; i < 14; ++i) rows.push_back({"crvena", "dijagonale do suprotnog lanca", Swatch::RedDiagonal});
    for (const auto& [w, h] : {std::pair{1024, 700}, std::pair{300, 200}, std::pair{1600, 300}}) {
        const HelpLayout help = layoutHelp(w, h, rows);
        EXPECT_LE(help.text.size, windowText(w, h).size);
        EXPECT_LE(help.box.x + help.box.width, w) << w;
        EXPECT_LE(help.box.y + help.box.height, h) << w;
        EXPECT_GE(help.box.x, 0);
    }
    // A wide, low window takes two columns, split at the heading in the middle.
    const HelpLayout wide = layoutHelp(1600, 300, rows);
    EXPECT_EQ(std::make_pair(wide.columns, wide.firstOfSecondColumn), std::make_pair(2, 15));
}

// The row of buttons along the bottom, on a phone held upright (at three device pixels a CSS pixel),
// a tablet, the opening window, a projector and windows too small for it: each button a finger's
// breadth, the row within the width and in its band, their full labels where they fit, else the
// brief ones; the rest of the page above the band. A dense screen keeps its text readable.
TEST(Layout, TheRowOfButtonsIsAFingerWideOnEveryScreenAndTheRestStandsAboveIt) {
    const std::vector<ToolLabel> labels = {{"< Prethodna", "<"}, {"Sledeća >", ">"}, {"Pusti (P)", "P"}, {"Uredi (E)", "E"},
                                           {"Vežba (V)", "V"}, {"Pomoć (H)", "H"}, {"Ceo ekran (F)", "F"}};
    struct Screen {
        int width, height;
        double ratio;
        bool row, full;
    };
    for (const Screen& s : {Screen{1170, 2364, 3.0, true, false}, Screen{1536, 2048, 2.0, true, false},
                            Screen{1024, 700, 1.0, true, true}, Screen{1920, 1080, 1.0, true, true},
                            Screen{300, 400, 1.0, true, false}, Screen{200, 150, 1.0, false, false}}) {
        const TextStyle text = windowText(s.width, s.height, s.ratio);
        const int band = toolbarHeight(text, s.height, s.ratio);
        EXPECT_EQ(band > 0, s.row) << s.width;
        if (band == 0) continue;
        const std::vector<Button> row = toolbarRow(labels, text, s.width, band, s.ratio);
        ASSERT_EQ(row.size(), labels.size());
        EXPECT_EQ(row[0].label, s.full ? "< Prethodna" : "<") << s.width << "x" << s.height;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const PixelRect& b = row[i].box;
            EXPECT_GE(b.height, 44 * s.ratio - 1) << s.width;
            EXPECT_GE(b.width, s.width >= 7 * 50 * s.ratio ? 44 * s.ratio - 1 : 1) << s.width;
            EXPECT_TRUE(b.x >= 0 && b.x + b.width <= s.width && b.y >= 0 && b.y + b.height <= band) << s.width;
            EXPECT_LE(textWidth(row[i].text, row[i].label), b.width) << s.width;
            if (i > 0) {
                EXPECT_GT(b.x, row[i - 1].box.x + row[i - 1].box.width) << s.width;
            }
        }
        const PageLayout page = layoutPage(s.width, s.height, {"Strana 2 od 12. Korak 1 od 6"}, 2, 14, {}, 0, band, s.ratio);
        EXPECT_EQ(page.toolbarBand.height, band);
        EXPECT_EQ(page.stackPanel.y, band) << s.width;  // the panel, beside the picture or below it, on the band
        EXPECT_EQ(page.picture.y + page.picture.height, page.captionBand.y) << s.width;
    }
    // On a phone the digits stay at least 11 CSS pixels tall; at a ratio of 1 nothing changes.
    EXPECT_GE(windowText(1170, 2364, 3.0).size, 33.0);
    EXPECT_DOUBLE_EQ(windowText(1024, 700, 1.0).size, windowText(1024, 700).size);
    EXPECT_DOUBLE_EQ(windowText(2048, 1400, 2.0).size, 2 * windowText(1024, 700).size);
}

// The panel beside the picture: the window's text up to the opening size and on a phone, where it
// lies across the window below the picture, which keeps the whole width; on a projector's window
// larger, its lines within the column's height and the panel within a third of the width, a low
// window's panel as large as its height allows.
TEST(Layout, ThePanelGrowsToItsColumnOnAProjectorAndNoFurther) {
    const std::vector<std::string> caption = {"Strana 5 od 16. Korak 4 od 7: teme 4 (7,5)", "Nove dijagonale: 1"};
    struct Case {
        int width, height;
        double ratio;
        double least, most;  // the panel's text to the window's
        bool across;
    };
    for (const Case& c : {Case{1024, 700, 1.0, 1.0, 1.0, false}, Case{1170, 2364, 3.0, 1.0, 1.0, true},
                          Case{1920, 1080, 1.0, 1.4, 1.6, false}, Case{1920, 400, 1.0, 1.0, 1.6, false}}) {
        const PageLayout page = layoutPage(c.width, c.height, caption, 2, 12, {}, 0, 0, c.ratio, 6);
        const double grown = page.panelText.size / page.text.size;
        EXPECT_GE(grown, c.least - 1e-9) << c.width << "x" << c.height;
        EXPECT_LE(grown, c.most + 1e-9) << c.width << "x" << c.height;
        if (page.stackPanel.width == 0) continue;
        EXPECT_LE(6 * page.panelText.line + 2 * page.panelText.margin, page.stackPanel.height + 1) << c.width << "x" << c.height;
        EXPECT_EQ(page.stackPanel.x == 0, c.across) << c.width;
        if (c.across) {
            EXPECT_EQ(page.picture.width, c.width);
            EXPECT_EQ(page.picture.y, page.stackPanel.y + page.stackPanel.height);
            EXPECT_LE(page.stackPanel.height, (page.captionBand.y - page.stackPanel.y) / 3);
        } else {
            EXPECT_LE(page.stackPanel.width, c.width / 3 + 1) << c.width;
            EXPECT_EQ(page.picture.width + page.stackPanel.width, c.width);
        }
    }
    // A phone's panel of more lines than a third of its height still lies across, in that third.
    const PageLayout tall = layoutPage(1170, 2361, std::vector<std::string>(20, "Teme 5 je pravilno teme."), 21, 12, {}, 0, 132, 3.0, 40);
    EXPECT_EQ(std::make_pair(tall.stackPanel.x, tall.picture.width), std::make_pair(0, 1170));
    EXPECT_LE(tall.stackPanel.height, (tall.captionBand.y - tall.stackPanel.y) / 3);
}
