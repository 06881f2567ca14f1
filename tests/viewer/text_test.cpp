// The stroke font and the text path in UTF-8: the Serbian letters drawn as their ASCII letters and
// one stroke more, and widths, wrapping and cuts counted in characters, never inside one.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/polygon_of.h"
#include "viewer/console_words.h"
#include "viewer/exercise.h"
#include "viewer/frame.h"
#include "viewer/layout.h"
#include "viewer/text.h"
#include "viewer/workbench.h"

namespace {

struct Reach {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
};

// Where the strips from `first` on lie, in the font's units.
Reach reachOf(const TextStrokes& t, std::size_t first) {
    Reach r;
    for (std::size_t k = first; k < t.firsts.size(); ++k) {
        for (int i = t.firsts[k]; i < t.firsts[k] + t.counts[k]; ++i) {
            r.x0 = std::min(r.x0, t.points[2 * i]);
            r.x1 = std::max(r.x1, t.points[2 * i]);
            r.y0 = std::min(r.y0, t.points[2 * i + 1]);
            r.y1 = std::max(r.y1, t.points[2 * i + 1]);
        }
    }
    return r;
}

}  // namespace

// Each letter is its ASCII letter's strokes and one more: a caron or an acute above the letter (over
// a small letter's x-height, 66.7, and a capital's height, 100, clear of both and of the line above),
// a bar across the stem of d and D; as wide as every other character.
TEST(Text, SerbianLettersAreTheirLettersWithOneStrokeMore) {
    struct Case {
        const char* letter;
        const char* base;
        float above;  // the extra stroke lies wholly above this height (or crosses the stem: -1)
    };
    const Case cases[] = {{"č", "c", 66.7f}, {"ć", "c", 66.7f}, {"š", "s", 66.7f}, {"ž", "z", 66.7f}, {"đ", "d", -1},
                          {"Č", "C", 100}, {"Ć", "C", 100},   {"Š", "S", 100},   {"Ž", "Z", 100},   {"Đ", "D", -1}};
    for (const Case& c : cases) {
        const TextStrokes letter = strokesOf(c.letter);
        const TextStrokes base = strokesOf(c.base);
        ASSERT_EQ(letter.firsts.size(), base.firsts.size() + 1) << c.letter;
        EXPECT_TRUE(std::equal(base.points.begin(), base.points.end(), letter.points.begin())) << c.letter;
        const Reach extra = reachOf(letter, base.firsts.size());
        const Reach stem = reachOf(base, 0);
        if (c.above > 0) {
            EXPECT_GT(extra.y0, c.above + 9) << c.letter;  // clear of the letter by two steps of its grid
            EXPECT_LT(extra.y1, 130) << c.letter;  // below the line above's descenders (a line is 155)
        } else {
            EXPECT_EQ(extra.y0, extra.y1) << c.letter;  // level
            EXPECT_GT(extra.y0, 40) << c.letter;
            EXPECT_LT(extra.x0, c.letter[1] == '\x91' ? 81.0f : 19.1f) << c.letter;  // across the stem
        }
        EXPECT_GE(extra.x0, stem.x0 - 15) << c.letter;
        EXPECT_LE(extra.x1, FontAdvance) << c.letter;
        EXPECT_EQ(strokesOf(std::string("a") + c.letter + "b").points.size(),
                  strokesOf("a").points.size() + letter.points.size() + strokesOf("b").points.size());
        EXPECT_TRUE(hasGlyph(charactersOf(c.letter)[0])) << c.letter;
    }
    // Beyond ASCII and the ten letters, a character is a blank, as wide as any.
    EXPECT_FALSE(hasGlyph(U'ä'));
    EXPECT_TRUE(strokesOf("ä").points.empty());
    EXPECT_EQ(strokesOf("äb").points, strokesOf(" b").points);
}

// UTF-8 read as characters: two, three and four bytes; every malformed byte a character of its own.
TEST(Text, Utf8IsReadAsCharactersAndEveryBadByteAsOne) {
    EXPECT_EQ(charactersOf("čaš"), std::u32string(U"čaš"));
    EXPECT_EQ(charactersOf("a\xE2\x82\xAC" "b\xF0\x9F\x98\x80"), (std::u32string{U'a', 0x20AC, U'b', 0x1F600}));
    const std::string bad[] = {"\x80", "\xC0\xAF", "\xC4", "\xE2\x82", "\xED\xA0\x80", "\xF5\x80\x80\x80", "\xFF"};
    for (const std::string& b : bad) {
        const std::u32string read = charactersOf(b + "z");
        EXPECT_EQ(read.back(), U'z') << b.size();
        EXPECT_EQ(read.size(), b.size() + 1) << b.size();  // each byte one U+FFFD
        EXPECT_TRUE(std::all_of(read.begin(), read.end() - 1, [](char32_t c) { return c == 0xFFFD; }));
    }
    for (const char* s : {"", "plain", "čćšžđ ČĆŠŽĐ", "\xF0\x9F\x98\x80"}) EXPECT_EQ(utf8Of(charactersOf(s)), s);
    EXPECT_EQ(characterCount("Sledeći korak"), 13u);
}

// A line of letters beyond ASCII is as wide as its characters, and wraps and is cut between them.
TEST(Text, WidthsWrapsAndCutsCountCharacters) {
    const TextStyle t = textOfSize(14);
    EXPECT_DOUBLE_EQ(textWidth(t, "čuvanje"), 7 * t.advance);
    EXPECT_DOUBLE_EQ(textWidth(t, "čuvanje"), textWidth(t, "cuvanje"));
    EXPECT_EQ(wrapLines({"čćš žđČ ĆŠŽĐ"}, 7), (std::vector<std::string>{"čćš žđČ", "ĆŠŽĐ"}));
    EXPECT_EQ(wrapLines({"ččččččččč"}, 4), (std::vector<std::string>{"čččč", "čččč", "č"}));
    for (const std::string& line : wrapLines({"pomoćnik ivice 1-2, brišuća prava, vraćena na stek"}, 9)) {
        EXPECT_LE(characterCount(line), 9u) << line;
        EXPECT_EQ(utf8Of(charactersOf(line)), line);  // whole characters only
    }
    EXPECT_EQ(firstCharacters("ščž", 2), "šč");
    EXPECT_EQ(firstCharacters("ab", 5), "ab");
}

// Every character of every text the window, the page and the pictures can show is one the font
// draws: the pages of lessons of every kind of polygon (monotone, convex, not monotone, a comb, not
// simple, too few vertices), the help of the window and of the page, the editing bands, the grid's
// line and the band's words.
TEST(Text, EveryGlyphTheLessonCanShowIsInTheFont) {
    std::vector<std::vector<Point>> polygons = {
        polygonOf({{0, 10}, {6, 9}, {1, 7}, {7, 5}, {2, 3}, {5, 0}, {-4, 2}, {-1, 6}}),
        polygonOf({{0, 0}, {4, 0}, {6, 3}, {4, 6}, {0, 6}, {-2, 3}}),
        polygonOf({{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}}),
        polygonOf({{0, 0}, {2, 2}, {4, 0}, {4, 4}, {0, 4}}), polygonOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}}),
        polygonOf({{1, 1}, {2, 2}}), polygonOf({{1, 1}}), polygonOf({{0, 0}, {1, 0}, {2, 0}})};
    std::vector<std::pair<double, double>> comb = {{0, 10}};
    for (int t = 0; t < 20; ++t) {
        comb.emplace_back(2 * t + 1, 0);
        comb.emplace_back(2 * t + 2, 8);
    }
    comb.emplace_back(40, 10);
    std::vector<Point> c;
    for (const auto& [x, y] : comb) c.emplace_back(x, y, 0.0);
    polygons.push_back(c);
    std::vector<std::string> texts;
    for (const std::vector<Point>& p : polygons) {
        Workbench bench = openWorkbench(judgePolygon(p.data(), static_cast<int>(p.size())));
        bench.steps.labels = true;
        for (const bool inPage : {false, true}) {
            bench.inPage = inPage;
            for (int page = 0; page <= pageCount(bench.lesson); ++page) {
                bench.steps.page = page;
                bench.steps.help = page == 0;
                bench.steps.playing = page == 1;
                relayout(bench);
                for (const std::string& t : textsOf(frameOf(bench))) texts.push_back(t);
            }
        }
        // The exercise: every question as it is asked, and the lines of its answers, right and wrong.
        bench.steps.help = false;
        bench.steps.playing = false;
        perform(bench, Command::Exercise, 0, 0);
        for (int page = 0; page <= pageCount(bench.lesson); ++page) {
            bench.steps.page = page;
            relayout(bench);
            for (const std::string& t : textsOf(frameOf(bench))) texts.push_back(t);
            for (const Question& q : bench.lesson.pages[page].questions) {
                Answer other = q.right;
                other.choice = q.right.choice == 0 ? 1 : 0;
                other.vertices.push_back(q.vertex);
                texts.push_back(grade(q, q.right).line);
                texts.push_back(grade(q, other).line);
                for (const Choice& c : q.choices) texts.push_back(c.label);
            }
        }
        perform(bench, Command::Exercise, 0, 0);
        // Editing: the band, the grid, a deletion refused, a new polygon, the warning before closing.
        bench.steps.page = 0;
        for (const Command command : {Command::Edit, Command::Grid, Command::Delete, Command::Quit, Command::New}) {
            perform(bench, command, 1, 1);
            for (const std::string& t : textsOf(frameOf(bench))) texts.push_back(t);
        }
    }
    for (const SavedFile file : {SavedFile::Polygon, SavedFile::Picture, SavedFile::Lesson}) {
        for (const bool written : {false, true}) texts.push_back(savedWord(file, written, "poligon-1.txt"));
    }
    std::size_t characters = 0;
    for (const std::string& t : texts) {
        for (const char32_t ch : charactersOf(t)) {
            ++characters;
            EXPECT_TRUE(hasGlyph(ch)) << "U+" << std::hex << static_cast<unsigned>(ch) << " in \"" << t << "\"";
        }
    }
    EXPECT_GT(characters, 20000u);
}

// The console keeps its ASCII: a band's word with the Serbian letters is printed as the console has
// always printed it, and nothing beyond ASCII reaches the console.
TEST(Text, TheConsoleHasTheBandsWordsInItsAscii) {
    EXPECT_EQ(consoleAscii("Lekcija nije sačuvana: u tekućoj fascikli ne može da se napravi datoteka."),
              "Lekcija nije sacuvana: u tekucoj fascikli ne moze da se napravi datoteka.");
    EXPECT_EQ(consoleAscii("čćšžđ ČĆŠŽĐ uređivanje"), "ccszdj CCSZDj uredjivanje");
    EXPECT_EQ(consoleAscii("ä\xFF"), "??");
    for (const SavedFile file : {SavedFile::Polygon, SavedFile::Picture, SavedFile::Lesson}) {
        for (const bool written : {false, true}) {
            const std::string line = consoleSavedWord(file, written, "slika-1.svg");
            EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= 32 && c < 127; })) << line;
            EXPECT_EQ(characterCount(line), characterCount(savedWord(file, written, "slika-1.svg")));
        }
    }
}
