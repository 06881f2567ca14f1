// A frame as data, without a window: what is where in window pixels, that no text lies over the
// picture and no two vertex numbers overlap; the same frame as SVG; the one table of commands; the
// command line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../support/polygon_of.h"
#include "app/options.h"
#include "viewer/commands.h"
#include "viewer/frame.h"
#include "viewer/svg.h"
#include "viewer/text.h"
#include "viewer/workbench.h"

namespace {

Workbench benchOf(std::initializer_list<std::pair<double, double>> xy) {
    const std::vector<Point> v = polygonOf(xy);
    return openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
}

void showPage(Workbench& bench, int page) {
    bench.steps.page = page;
    relayout(bench);
}

struct Box {
    double x0, y0, x1, y1;
};

// Where a text shape's strokes lie, in window pixels.
Box boxOf(const Shape& s) {
    const TextStrokes t = strokesOf(s.text);
    Box b{1e9, 1e9, -1e9, -1e9};
    for (std::size_t i = 0; i + 1 < t.points.size(); i += 2) {
        const double x = s.xy[0] + t.points[i] * s.scaleX, y = s.xy[1] + t.points[i + 1] * s.scaleY;
        b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
    }
    return b;
}

bool isNumber(const std::string& s) { return !s.empty() && std::all_of(s.begin(), s.end(), ::isdigit); }

const std::initializer_list<std::pair<double, double>> wShape = {{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6},
                                                                 {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}};

}  // namespace

// The full picture numbers the vertices its verdict names (the W's split vertex 3 and merge
// vertices 7 and 9; a crossing's edges' ends) and no other until L; with L, every one.
TEST(Frame, FullPictureNumbersTheVerticesItsVerdictNames) {
    auto numbers = [](const Workbench& bench) {
        std::vector<std::string> out;
        for (const std::string& t : textsOf(frameOf(bench))) {
            if (isNumber(t)) out.push_back(t);
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    Workbench w = benchOf(wShape);
    EXPECT_EQ(numbers(w), (std::vector<std::string>{"3", "7", "9"}));
    w.steps.labels = true;
    EXPECT_EQ(numbers(w).size(), 10u);
    EXPECT_EQ(numbers(benchOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}})), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(numbers(benchOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}})).empty());  // monotone: none named
}

// On every page of a W and of a hundred vertices on a circle, in the opening window and a small
// one: the captions, panels and bands lie outside the picture, the vertex numbers inside it and
// clear of one another; the full picture's lines lie below the polygon.
TEST(Frame, TextStaysOffThePictureAndNumbersApart) {
    std::vector<std::pair<double, double>> circle;
    for (int i = 0; i < 100; ++i) circle.emplace_back(100 * std::cos(i * M_PI / 50), 100 * std::sin(i * M_PI / 50));
    std::vector<Workbench> benches = {benchOf(wShape)};
    const std::vector<Point> c = polygonOf(circle);
    benches.push_back(openWorkbench(judgePolygon(c.data(), 100)));
    for (Workbench& bench : benches) {
        for (const auto& [w, h] : {std::pair{1024, 700}, std::pair{500, 400}}) {
            resize(bench, w, h);
            for (int page = 0; page <= pageCount(bench.lesson); ++page) {
                showPage(bench, page);
                const Frame frame = frameOf(bench);
                const PixelRect& p = frame.picture;
                std::vector<Box> numbers;
                double lowest = 1e9;  // the polygon's lowest point on the screen
                for (const Point& v : bench.lesson.vertices) lowest = std::min(lowest, sceneToPixels(bench.view, v.x, v.y).y);
                for (const Shape& s : frame.shapes) {
                    if (s.kind != ShapeKind::Text || s.colour.r > 0.85f) continue;  // halos go with their text
                    const Box b = boxOf(s);
                    const bool over = b.x1 > p.x && b.x0 < p.x + p.width && b.y1 > p.y && b.y0 < p.y + p.height;
                    if (isNumber(s.text) && over) {
                        numbers.push_back(b);
                    } else if (page == 0) {
                        EXPECT_LT(b.y1, lowest) << s.text;  // the bottom lines
                    } else {
                        EXPECT_FALSE(over) << "page " << page << ": " << s.text;
                    }
                }
                for (std::size_t i = 0; i < numbers.size(); ++i) {
                    for (std::size_t j = i + 1; j < numbers.size(); ++j) {
                        const Box& a = numbers[i];
                        const Box& b = numbers[j];
                        EXPECT_FALSE(a.x1 > b.x0 && b.x1 > a.x0 && a.y1 > b.y0 && b.y1 > a.y0) << "page " << page;
                    }
                }
            }
        }
    }
}

// What is where: the hexagon's second step draws its new blue diagonal three pixels wide from the
// swept vertex (6,5) to (0,10), where the view puts them, and the black outline one pixel wide;
// written as SVG, it is the same shapes, the picture's clipped.
TEST(Frame, ShapesLieWhereTheViewPutsThePolygonAndSvgWritesThemAll) {
    Workbench bench = benchOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}});
    showPage(bench, 2);
    const Frame frame = frameOf(bench);
    const PlanePoint from = sceneToPixels(bench.view, 6, 5), to = sceneToPixels(bench.view, 0, 10);
    const auto wide = std::find_if(frame.shapes.begin(), frame.shapes.end(), [](const Shape& s) {
        return s.kind == ShapeKind::Lines && s.width == 3.0f && sameColour(s.colour, SameInk);
    });
    ASSERT_NE(wide, frame.shapes.end());
    ASSERT_EQ(wide->xy.size(), 4u);
    EXPECT_TRUE(wide->clipped);
    EXPECT_NEAR(wide->xy[0], from.x, 1e-3);
    EXPECT_NEAR(wide->xy[1], from.y, 1e-3);
    EXPECT_NEAR(wide->xy[2], to.x, 1e-3);
    EXPECT_NEAR(wide->xy[3], to.y, 1e-3);
    const auto outline = std::find_if(frame.shapes.begin(), frame.shapes.end(), [](const Shape& s) {
        return s.kind == ShapeKind::Lines && s.colour.r == 0.0f && s.colour.g == 0.0f && s.colour.b == 0.0f;
    });
    ASSERT_NE(outline, frame.shapes.end());
    EXPECT_EQ(outline->width, 1.0f);
    EXPECT_EQ(outline->xy.size(), 6u * 4u);
    EXPECT_EQ(textsOf(frame)[1], "Strana 3 od 12. Korak 2 od 5: teme 3 (6,5)");
    const std::string svg = svgOf(frame);
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("width=\"1024\" height=\"700\""), std::string::npos);
    EXPECT_EQ(count("<path") + count("<polyline") + count("<polygon") + count("<rect") - 2, frame.shapes.size());
    EXPECT_EQ(count("<g clip-path"), count("</g>"));
    EXPECT_NE(svg.find("stroke=\"" + colourOf(SameInk) + "\" stroke-width=\"3\""), std::string::npos);
}

// A dash pattern read a bit a pixel from the lowest, as the window's lines read it, into the runs
// the pictures draw: on first, the line starting `offset` into them; a repeating pattern once.
TEST(Frame, DashPatternsBecomeTheRunsThePicturesDraw) {
    struct Case {
        unsigned short dash;
        std::vector<double> lengths;
        double offset;
    };
    const Case cases[] = {
        {0x0000, {}, 0},         {0xFFFF, {}, 0},          {0x0F0F, {4, 4}, 0},    {0x00FF, {8, 8}, 0},
        {0xFF00, {8, 8}, 8},     {0x3333, {2, 2}, 0},      {0x0001, {1, 15}, 0},   {0x8000, {1, 15}, 1},
        {0x0FFF, {12, 4}, 0},    {0x1C7F, {7, 3, 3, 3}, 0}, {0xF0F3, {4, 4, 6, 2}, 12},
    };
    for (const Case& c : cases) {
        const DashRuns runs = dashRuns(c.dash);
        EXPECT_EQ(runs.lengths, c.lengths) << std::hex << c.dash;
        EXPECT_EQ(runs.offset, c.offset) << std::hex << c.dash;
    }
}

// The chains' bands on a step of the sweep: the left one solid, the right one dashed, so that a print
// in black and white tells them apart; the SVG draws those dashes on the wide band, and the help's
// samples show the bands as the picture does.
TEST(Frame, TheRightChainsBandIsDashedInTheWindowAndInTheSvg) {
    Workbench bench = benchOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}});
    showPage(bench, 2);
    const Frame frame = frameOf(bench);
    int left = 0, right = 0;
    for (const Shape& s : frame.shapes) {
        if (sameColour(s.colour, LeftTint)) {
            ++left;
            EXPECT_EQ(s.dash, 0);
        }
        if (sameColour(s.colour, RightTint)) {
            ++right;
            EXPECT_EQ(s.dash, RightTintDash);
            EXPECT_GT(s.width, 5.0f);
        }
    }
    EXPECT_GT(left, 0);
    EXPECT_GT(right, 0);
    const std::string svg = svgOf(frame);
    const std::size_t band = svg.find("stroke=\"" + colourOf(RightTint) + "\"");
    ASSERT_NE(band, std::string::npos);
    const std::string element = svg.substr(band, svg.find("/>", band) - band);
    EXPECT_NE(element.find("stroke-dasharray=\"8 8\""), std::string::npos) << element;
    const std::size_t solid = svg.find("stroke=\"" + colourOf(LeftTint) + "\"");
    ASSERT_NE(solid, std::string::npos);
    EXPECT_EQ(svg.substr(solid, svg.find("/>", solid) - solid).find("dasharray"), std::string::npos);
    bench.steps.help = true;
    int dashedSamples = 0;
    for (const Shape& s : frameOf(bench).shapes) dashedSamples += sameColour(s.colour, RightTint) && s.dash == RightTintDash;
    EXPECT_GT(dashedSamples, right);
}

// Every key gives its row's command in its state, the narrower state first; the help and the
// editing band are the table's words.
TEST(Commands, OneTableGivesTheKeysTheHelpAndTheBand) {
    struct Case {
        KeyPress key;
        KeyState state;  // editing, drawing, a question asking, its answer vertices
        bool gives;
        Command command;
    };
    const KeyState still{}, editing{true, false, false, false}, drawing{true, true, false, false};
    const KeyState asking{false, false, true, false}, choosing{false, false, true, true};
    const Case cases[] = {
        {{' ', SpecialKey::None}, still, true, Command::Next},
        {{0, SpecialKey::Right}, editing, true, Command::Next},
        {{'\b', SpecialKey::None}, editing, true, Command::Previous},
        {{'\b', SpecialKey::None}, drawing, true, Command::RemoveLast},
        // Escape backs out of what is open and never closes; the remote's Page Down / Up turn one page,
        // Shift+Right / Left ten; B, "." and F are the projector's.
        {{27, SpecialKey::None}, still, true, Command::Back},
        {{27, SpecialKey::None}, drawing, true, Command::Back},
        {{0, SpecialKey::PageDown}, still, true, Command::Next},
        {{0, SpecialKey::PageUp}, editing, true, Command::Previous},
        {{0, SpecialKey::ShiftRight}, still, true, Command::TenForward},
        {{0, SpecialKey::ShiftLeft}, asking, true, Command::TenBack},
        {{'.', SpecialKey::None}, still, true, Command::Blank},
        {{'b', SpecialKey::None}, editing, true, Command::Blank},
        {{'F', SpecialKey::None}, choosing, true, Command::FullScreen},
        {{0, SpecialKey::F11}, still, true, Command::FullScreen},
        {{'Q', SpecialKey::None}, editing, true, Command::Quit},
        {{'g', SpecialKey::None}, still, false, Command::Next},  // editing's keys wait for editing
        {{'G', SpecialKey::None}, editing, true, Command::Grid},
        {{'Y' - '@', SpecialKey::None}, editing, true, Command::Redo},
        {{'\r', SpecialKey::None}, editing, false, Command::Next},
        {{'\r', SpecialKey::None}, drawing, true, Command::Close},
        {{'i', SpecialKey::None}, still, true, Command::Picture},
        // The exercise: V and Z always; the answers only while a question asks; a space, a comma,
        // BackSpace and Enter are the choice's while the answer is a set of vertices.
        {{'v', SpecialKey::None}, editing, true, Command::Exercise},
        {{'Z', SpecialKey::None}, still, true, Command::NewTask},
        {{'D', SpecialKey::None}, editing, true, Command::Document},
        {{'d', SpecialKey::None}, asking, true, Command::Answer},
        {{'N', SpecialKey::None}, asking, true, Command::Answer},
        {{'N', SpecialKey::None}, editing, true, Command::New},
        {{'4', SpecialKey::None}, asking, true, Command::Answer},
        {{'4', SpecialKey::None}, still, false, Command::Next},
        {{' ', SpecialKey::None}, asking, true, Command::Next},
        {{' ', SpecialKey::None}, choosing, true, Command::Separator},
        {{',', SpecialKey::None}, choosing, true, Command::Separator},
        {{'\b', SpecialKey::None}, asking, true, Command::Previous},
        {{'\b', SpecialKey::None}, choosing, true, Command::Erase},
        {{'\r', SpecialKey::None}, choosing, true, Command::Confirm},
        {{0, SpecialKey::Right}, choosing, true, Command::Next},
        // A letter beyond ASCII, as the toolkit hands it in a byte (a Latin-2 č, a UTF-8 lead byte), is none.
        {{static_cast<char>(0xE8), SpecialKey::None}, still, false, Command::Next},
        {{static_cast<char>(0xC4), SpecialKey::None}, editing, false, Command::Next},
    };
    for (const Case& c : cases) {
        Command command = Command::Next;
        EXPECT_EQ(commandFor(c.key, c.state, command), c.gives) << static_cast<int>(c.key.character);
        if (c.gives) {
            EXPECT_EQ(command, c.command) << static_cast<int>(c.key.character);
        }
    }
    EXPECT_EQ(editingKeys(false), "Uređivanje: vuci teme, klik na stranicu dodaje teme, X ili Delete briše teme, G mreža, "
                                  "U ili Ctrl+Z vrati, Ctrl+Y ponovi, N novi poligon, S sačuvaj, E kraj");
    EXPECT_EQ(editingKeys(true),
              "Novi poligon: klik dodaje teme, Backspace briše poslednje, Enter ili klik na prvo teme zatvara poligon");
    const std::vector<HelpRow>& help = helpRows();
    ASSERT_GT(help.size(), 20u);
    EXPECT_EQ(help[0].key, "Tasteri");
    EXPECT_TRUE(std::any_of(help.begin(), help.end(), [](const HelpRow& r) { return r.key == "I"; }));
}

TEST(Options, SvgFolderHelpAndTheToolkitsOptions) {
    auto parse = [](std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return parseOptions(static_cast<int>(argv.size()), argv.data());
    };
    const Options svg = parse({"triangulacija", "--svg", "out", "-display", ":3"});
    EXPECT_TRUE(svg.svg && svg.error.empty());
    EXPECT_EQ(svg.folder, "out");
    EXPECT_EQ(svg.toolkit.size(), 3u);  // the name, -display, :3
    EXPECT_TRUE(parse({"triangulacija", "--help"}).help);
    EXPECT_EQ(parse({"triangulacija", "--svg"}).error, "Opciji --svg nedostaje ime foldera. Spisak opcija daje --help.\n");
    EXPECT_EQ(parse({"triangulacija", "-display"}).error, "Opciji -display nedostaje vrednost. Spisak opcija daje --help.\n");
    EXPECT_EQ(parse({"triangulacija", "-x"}).error, "Nepoznata opcija: -x. Spisak opcija daje --help.\n");
    const Options task = parse({"triangulacija", "--zadatak", "4711", "--svg", "out"});
    EXPECT_TRUE(task.error.empty() && task.svg);
    EXPECT_EQ(task.task, 4711);
    EXPECT_EQ(parse({"triangulacija"}).task, -1);
    EXPECT_EQ(parse({"triangulacija", "--zadatak", "-3"}).error,
              "Broj zadatka je ceo broj od 0 do 999999999, a ne -3. Spisak opcija daje --help.\n");
}

// A drag's captions change with every motion; the kept strokes start over rather than grow without
// end, and what they give is always the string's own strokes.
TEST(Text, KeptStrokesStayBoundedThroughALongDrag) {
    StrokeCache cache;
    for (std::size_t i = 0; i < MaxKeptTexts + 100; ++i) {
        const std::string caption = "teme 3 (" + std::to_string(i) + ",7)";
        const TextStrokes& t = keptStrokes(cache, caption);
        ASSERT_LE(cache.size(), MaxKeptTexts);
        if (i % 997 == 0) {
            EXPECT_EQ(t.points, strokesOf(caption).points) << caption;
        }
    }
    EXPECT_EQ(keptStrokes(cache, "Strana 1 od 3").counts, strokesOf("Strana 1 od 3").counts);
}

// Whatever the polygon's size and the window's, however far it is zoomed or turned, every page's
// frame holds finite numbers within the frame's reach, and its SVG is written with numbers only: the
// monotone example scaled by powers of two from 2^-140 to near the top of the float range, in
// windows from 1 by 1 pixel to a wide strip, zoomed out and in to the ends.
TEST(Frame, EveryCoordinateIsAFiniteNumberWithinReachOnAnyView) {
    const float example[][2] = {{0, 10}, {6, 9}, {1, 7}, {7, 5}, {2, 3}, {5, 0}, {-4, 2}, {-1, 6}};
    const int sizes[][2] = {{1, 1}, {1, 700}, {2000, 1}, {200, 20}, {380, 30}, {1024, 700}};
    int frames = 0;
    for (const double scale : {0x1p-140, 1e-20, 1.0, 1e20, 1e37, 3e37}) {
        std::vector<Point> v;
        for (const auto& xy : example) v.push_back(Point(xy[0] * scale, xy[1] * scale, 0.0));
        Workbench bench = openWorkbench(judgePolygon(v.data(), static_cast<int>(v.size())));
        for (const auto& size : sizes) {
            resize(bench, size[0], size[1]);
            for (const float zoom : {MinZoom, 1.0f, MaxZoom}) {
                bench.view.zoom = zoom;
                bench.view.angle = zoom == MaxZoom ? 33.0f : 0.0f;
                for (int page = 0; page <= pageCount(bench.lesson); ++page) {
                    showPage(bench, page);
                    const Frame frame = frameOf(bench);
                    ++frames;
                    for (const Shape& s : frame.shapes) {
                        for (const float c : s.xy) {
                            ASSERT_TRUE(std::isfinite(c) && std::abs(c) <= FrameReach)
                                << "scale " << scale << ", window " << size[0] << "x" << size[1] << ", zoom " << zoom
                                << ", page " << page << ": " << c;
                        }
                    }
                    const std::string svg = svgOf(frame);
                    ASSERT_EQ(svg.find("nan"), std::string::npos);
                    ASSERT_EQ(svg.find("inf"), std::string::npos);
                }
            }
        }
    }
    EXPECT_EQ(frames, 6 * 6 * 3 * 16);  // the full picture, seven steps, the dual graph, six triangles coloured, the guards
}

// A long rectangle zoomed a thousand times and moved so that its right end lies beyond the frame's
// reach: its long edges are cut where they cross the square's side, each still along its own line
// from the end that lies within.
TEST(Frame, LinesBeyondReachAreCutWhereTheyLeaveIt) {
    Workbench bench = benchOf({{0, 0}, {1000, 0}, {1000, 1}, {0, 1}});
    bench.view.zoom = MaxZoom;
    bench.view.panX = 1000.0 * MaxZoom;  // the pan is in the plane as the zoom leaves it
    int cut = 0;
    for (const Shape& s : frameOf(bench).shapes) {
        if (s.kind != ShapeKind::Lines) continue;
        for (std::size_t i = 0; i + 3 < s.xy.size(); i += 4) {
            if (s.xy[i] != FrameReach && s.xy[i + 2] != FrameReach) continue;
            EXPECT_LT(std::min(s.xy[i], s.xy[i + 2]), FrameReach);
            cut += s.xy[i + 1] == s.xy[i + 3];  // a long edge, level as it was
        }
    }
    EXPECT_GE(cut, 2);
}

namespace {

bool isBeige(const Rgba& c) { return std::abs(c.r - 0.9f) < 0.06f && std::abs(c.g - 0.9f) < 0.06f && std::abs(c.b - 0.8f) < 0.09f; }

std::vector<Workbench> benchesOfEveryKind() {
    std::vector<Workbench> benches = {benchOf(wShape), benchOf({{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}}),
                                      benchOf({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), benchOf({{1, 1}, {2, 2}})};
    return benches;
}

}  // namespace

// The picture alone: on every page of a polygon of every kind, no caption band, no panel, no lines
// below the polygon, no help; the picture is the whole frame and its only words are vertex numbers.
TEST(Picture, AloneItIsThePictureAndItsVertexNumbers) {
    PictureStyle bare;
    bare.bare = true;
    for (Workbench& bench : benchesOfEveryKind()) {
        bench.steps.help = true;
        bench.steps.labels = true;
        Workbench picture = pictureBench(bench, bare);
        for (int page = 0; page <= pageCount(picture.lesson); ++page) {
            showPage(picture, page);
            const Frame frame = frameOf(picture);
            EXPECT_EQ(frame.picture.width, frame.width);
            EXPECT_EQ(frame.picture.height, frame.height);
            for (const std::string& text : textsOf(frame)) EXPECT_TRUE(isNumber(text)) << page << ": " << text;
            EXPECT_FALSE(frame.title.empty());  // the SVG's title still says which page it is
        }
    }
}

// A picture taken while editing (or with the band's word on the last file saved) leaves the band,
// its grid and a drag's ring out, and shows the page as it is outside editing; what was turned and
// zoomed stays, at any size asked; the window's own state is untouched.
TEST(Picture, TakenWhileEditingLeavesTheBandOut) {
    Workbench bench = benchOf(wShape);
    perform(bench, Command::Edit, 0, 0);
    perform(bench, Command::Grid, 0, 0);
    bench.edit.message = "Slika je sačuvana u datoteci slika-1.svg.";
    bench.view.angle = 30.0f;
    bench.view.zoom = 1.5f;
    showPage(bench, 4);
    const Frame window = frameOf(bench);
    const auto says = [](const Frame& f, const std::string& what) {
        const std::vector<std::string> texts = textsOf(f);
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(what) != std::string::npos; });
    };
    ASSERT_TRUE(says(window, "Uređivanje:") && says(window, "slika-1.svg"));
    Workbench outside = benchOf(wShape);
    outside.view.angle = 30.0f;
    outside.view.zoom = 1.5f;
    showPage(outside, 4);
    const Frame picture = frameOf(pictureBench(bench, {}));
    EXPECT_FALSE(says(picture, "Uređivanje:") || says(picture, "slika-1.svg") || says(picture, "Mreža"));
    EXPECT_EQ(textsOf(picture), textsOf(frameOf(pictureBench(outside, {}))));
    EXPECT_EQ(svgOf(picture), svgOf(frameOf(pictureBench(outside, {}))));
    EXPECT_TRUE(bench.edit.on && bench.edit.grid);
    EXPECT_EQ(svgOf(frameOf(bench)), svgOf(window));
    // At a slide's size: the frame is that size, the view as turned and zoomed.
    PictureStyle slide;
    slide.width = 1920;
    slide.height = 1080;
    const Workbench big = pictureBench(bench, slide);
    EXPECT_EQ(frameOf(big).width, 1920);
    EXPECT_EQ(frameOf(big).height, 1080);
    EXPECT_EQ(big.view.angle, 30.0f);
    EXPECT_EQ(big.view.zoom, 1.5f);
    EXPECT_EQ(big.steps.page, 4);
}

// On white: the background, the panels, the halos and the veil are white, nothing beige is left;
// the window's own frame keeps its beige.
TEST(Picture, OnWhiteNothingIsBeige) {
    PictureStyle white;
    white.white = true;
    for (Workbench& bench : benchesOfEveryKind()) {
        bench.steps.labels = true;
        Workbench picture = pictureBench(bench, white);
        bool beigeInWindow = false;
        for (int page = 0; page <= pageCount(picture.lesson); ++page) {
            showPage(picture, page);
            const Frame frame = frameOf(picture);
            EXPECT_EQ(frame.clear.r + frame.clear.g + frame.clear.b, 3.0f);
            for (const Shape& s : frame.shapes) EXPECT_FALSE(isBeige(s.colour)) << page << " " << static_cast<int>(s.kind);
            showPage(bench, page);
            for (const Shape& s : frameOf(bench).shapes) beigeInWindow = beigeInWindow || isBeige(s.colour);
        }
        EXPECT_TRUE(beigeInWindow);  // its numbers' halos at least
    }
}

// Every line a page shows is in its SVG as text too, unpainted, over its strokes and as wide; what
// XML cannot hold (markup's own characters, control characters, malformed bytes) is escaped or
// replaced, so the document stays well formed; the title names the page.
TEST(Svg, EveryLineIsAlsoRealTextEscapedAsXmlNeeds) {
    Workbench bench = benchOf(wShape);
    showPage(bench, 3);
    bench.edit.message = "a<b & c>d \x01 \xFF č";
    relayout(bench);
    const Frame frame = frameOf(bench);
    const std::string svg = svgOf(frame);
    std::vector<std::string> written;
    for (std::size_t at = svg.find("<text "); at != std::string::npos; at = svg.find("<text ", at + 1)) {
        const std::size_t from = svg.find('>', at) + 1;
        EXPECT_NE(svg.substr(at, from - at).find("fill=\"none\""), std::string::npos);
        written.push_back(svg.substr(from, svg.find("</text>", from) - from));
    }
    std::vector<std::string> shown;
    for (const Shape& s : frame.shapes) {
        if (s.kind == ShapeKind::Text && !isHalo(frame, s)) shown.push_back(s.text);
    }
    ASSERT_EQ(written.size(), shown.size());
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        if (shown[i].find_first_of("<>&") == std::string::npos) {
            EXPECT_EQ(written[i], shown[i]);
        }
    }
    EXPECT_NE(svg.find(">a&lt;b &amp; c&gt;d \xEF\xBF\xBD \xEF\xBF\xBD č</text>"), std::string::npos);
    EXPECT_NE(svg.find("<title>Strana 4 od 35. Korak 2 od 10: teme 10 (1,6)</title>"), std::string::npos);
    // As wide as the strokes: the length the text is fitted to is its characters' advances.
    const std::size_t length = svg.find("textLength=\"", svg.rfind("<text ", svg.find("\">Strana 4 od 35")));
    ASSERT_NE(length, std::string::npos);
    const Shape& line = *std::find_if(frame.shapes.begin(), frame.shapes.end(), [](const Shape& s) {
        return s.text.rfind("Strana 4 od 35", 0) == 0;
    });
    EXPECT_NEAR(std::stod(svg.substr(length + 12)), characterCount(line.text) * FontAdvance * line.scaleX, 0.01);
}

TEST(Options, SlideOptionsAndTheirSizes) {
    auto parse = [](std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return parseOptions(static_cast<int>(argv.size()), argv.data());
    };
    const Options o = parse({"triangulacija", "--pdf", "l.pdf", "--velicina", "1920x1080", "--bela", "--bez-teksta", "--tekst"});
    EXPECT_TRUE(o.error.empty()) << o.error;
    EXPECT_TRUE(o.pdf && o.white && o.bare && o.text && !o.svg);
    EXPECT_EQ(o.pdfFile, "l.pdf");
    EXPECT_EQ(std::make_pair(o.width, o.height), std::make_pair(1920, 1080));
    EXPECT_EQ(parse({"t", "--velicina", "100x10000"}).height, 10000);
    for (const char* size : {"99x100", "100x10001", "0100x00100x", "1920x1080 ", "", "x", "१९२०x1080"}) {
        EXPECT_FALSE(parse({"t", "--velicina", size}).error.empty()) << size;
    }
    EXPECT_EQ(parse({"t", "--pdf"}).error, "Opciji --pdf nedostaje ime datoteke. Spisak opcija daje --help.\n");
}
