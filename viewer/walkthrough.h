#pragma once
// What the window shows besides the finished picture: the polygon as the dialogue read and judged
// it, the sweep's steps, and the keys that page through them. Plain values and arithmetic; the
// window draws what these functions describe.

#include <string>
#include <vector>

#include "geometry/records.h"
#include "geometry/judgement.h"
#include "geometry/triangulation.h"
#include "viewer/layout.h"

// The pages the step keys go through: for a monotone polygon one per step of its sweep; for one
// that is not monotone the page that says why, one per vertex of the partition's sweep, the steps of
// each piece's sweep in turn, and the whole triangulation; else the one page that says why there are
// no steps.
int pageCount(const Judgement& shown);

enum class PageKind { Full, Why, Partition, Step, Whole };

// What a page shows: the partition's step `index`, or step `index` of the stack sweep `sweep` (of
// piece `piece`, or of the whole polygon when -1), one of `steps`.
struct PageAt {
    PageKind kind = PageKind::Full;
    int index = 0;
    int steps = 0;
    int piece = -1;
    const Triangulation* sweep = nullptr;
};
PageAt pageAt(const Judgement& shown, int page);


// Seconds between two steps while they play: 0.25 to 4, doubling.
inline constexpr double PlayIntervals[] = {0.25, 0.5, 1.0, 2.0, 4.0};
inline constexpr int StartingInterval = 2;  // 1 s

// The window's mode: page 0 is the full picture, 1..pageCount the steps.
struct StepView {
    int page = 0;
    bool labels = false;  // vertex numbers in the full picture (always shown on the pages)
    bool help = false;
    bool playing = false;  // the steps advance by themselves, one per interval
    int interval = StartingInterval;
};

enum class Key { Next, Previous, First, Full, TenForward, TenBack, Play, Faster, Slower, Labels, ResetView, Help };
enum class KeyEffect { None, Redraw, ResetView };

KeyEffect pressKey(StepView& view, Key key, int pages);

// One interval of play has passed: the next step, and the play stops at the last. True when the
// page changed.
bool playTick(StepView& view, int pages);

double playSeconds(const StepView& view);

bool labelsShown(const StepView& view);

// The verdict in one line, as every page shows it: monotone with its number of diagonals, not
// monotone with its split and merge vertices, not simple with the first two edges that meet, or fewer
// than three vertices.
std::string verdictLine(const Judgement& shown);

// Where page `page` (0, the full picture, counts as 1) stands in the whole lesson: "Strana 2 od 24".
std::string pageLine(const Judgement& shown, int page);

// The caption in the window's top band for a page (nothing for the full picture): the verdict, then
// the page's place in the lesson beside its own caption.
std::vector<std::string> captionLines(const Judgement& shown, const StepView& view);

// The full picture's lines in its bottom left corner, below the polygon, top first: the verdict, the
// page's place and the hint, on one line when `chars` characters hold them, else the verdict above.
inline constexpr const char* BottomGap = "  ";
std::vector<std::string> bottomLines(const Judgement& shown, int chars);

// The width, in characters, of a column of the stack panel: its label, or a vertex number with air.
int stackBoxChars(int vertexCount);

// The layout of the page `view` shows, in a window of this size. On the steps the caption band keeps
// the height of the tallest step's caption and the stack panel one width, so that the picture holds
// still from step to step. `footer` goes along the bottom, in a band at least `footerReserved` lines
// tall.
PageLayout layoutFor(const Judgement& shown, const StepView& view, int windowWidth, int windowHeight,
                     const std::vector<std::string>& footer = {}, int footerReserved = 0);

// The one line the full picture carries, in its bottom left corner.
const char* startHint();

// How many of the scene's segments a page shows: the outline (one segment per vertex) and the
// diagonals added by steps 1..page; all of them on the full picture.
int segmentsShown(const Judgement& shown, int page, int sceneSegments);

// An edge of the outline along one of the two chains, for the chain's tint.
struct ChainEdge {
    int from = 0;
    int to = 0;
    Chain chain = Chain::Left;
};

// A ring of `radius` scene units about `centre`.
Circle ringAt(const Point& centre, double radius, Colour colour);

// A vertex marked by its type: start an open square, end a filled one, split a triangle pointing
// up, merge one pointing down, regular a dot.
struct TypeMark {
    Point at;
    VertexType type = VertexType::Regular;
};

// A triangle of a monotone piece, filled with the piece's light tint (an index into the window's
// tints, neighbouring pieces told apart).
struct TintedTriangle {
    Point a, b, c;
    int tint = 0;
};

// What a page draws over the scene, from the bottom up: the pieces' tints, the chains' tints, the
// diagonals so far and the sweep line, a veil over the pieces not being swept (their edges faded), the partition's
// diagonals (wide; this step's wider), then the step's own marks: its new diagonals (wide), its
// refused candidate and the vertex in its way (dashed), the rings of the stack and of the swept
// vertex, the crosses of the vertices that left the stack for good, the vertex types; or the marks of
// the verdict, on the full picture too: the two edges that meet, the split and merge vertices ringed
// with their shapes. `ring` is the radius of a ring in scene units.
struct PageMarks {
    std::vector<TintedTriangle> pieces;
    std::vector<ChainEdge> tints;
    std::vector<Line> lines;
    std::vector<Segment> segments;
    std::vector<TintedTriangle> veiled;
    std::vector<Segment> fadedEdges;  // the polygon's edges under the veil
    std::vector<Segment> partition;
    std::vector<Segment> partitionNew;
    std::vector<Segment> wide;
    std::vector<Segment> dashed;
    std::vector<Circle> dashedCircles;
    std::vector<Circle> circles;
    std::vector<Point> crosses;
    std::vector<TypeMark> types;
};
PageMarks pageMarks(const Judgement& shown, int page, double ring);

// How many light tints the pieces take turns at.
inline constexpr int PieceTints = 6;

// The vertices a page is about, most important first: the swept vertex, the ends of its diagonals
// and of its refused candidate, the popped vertices, then the stack from the top down; on the page
// that says why there are no steps, the vertices it marks.
std::vector<int> concernedVertices(const Judgement& shown, int page);

// The stack panel of a step: the stack before the step and after it, bottom first.
struct StackEntry {
    int vertex = 0;
    Chain chain = Chain::Ends;
    bool popped = false;  // before: taken off the stack in this step
    bool pushed = false;  // after: the vertex this step swept
    bool back = false;    // after: taken off in this step and pushed back
};
struct StackColumns {
    std::vector<StackEntry> before;
    std::vector<StackEntry> after;
};
StackColumns stackColumns(const Judgement& shown, int page);

// The tallest stack of any sweep the pages show.
int tallestStack(const Judgement& shown);

// The partition panel of a step: the edges on the sweep line after it, left to right, each with its
// helper; the edge this step took off stays in its place, struck.
struct StatusRow {
    int edge = 0;        // by its first vertex
    int helper = 0;
    int oldHelper = -1;  // the helper before this step, when the step changed it
    bool inserted = false;
    bool removed = false;
};
std::vector<StatusRow> statusRows(const Judgement& shown, int page);

// The help panel's rows: the keys, the mouse and the colours.
const std::vector<HelpRow>& helpEntries();
