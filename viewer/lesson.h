#pragma once
// The lesson the window shows for a judged polygon, built once as data whenever the polygon changes:
// every page with everything it shows (its caption, its marks in the polygon's plane, its panel).
// Turning, zooming, resizing and paging only pick a page and lay it out.

#include <string>
#include <vector>

#include "geometry/judgement.h"
#include "geometry/records.h"
#include "geometry/triangulation.h"

// An edge of the outline along one of the two chains, for the chain's tint.
struct ChainEdge {
    int from = 0;
    int to = 0;
    Chain chain = Chain::Left;
};

// A vertex marked by its type: start an open square, end a filled one, split a triangle pointing
// up, merge one pointing down, regular a dot.
struct TypeMark {
    Point at;
    VertexType type = VertexType::Regular;
};

// A triangle of a monotone piece, filled with the piece's light tint (an index into the window's
// tints, neighbouring pieces told apart), or under the veil (-1).
struct TintedTriangle {
    Point a, b, c;
    int tint = 0;
};

// A ring about a vertex, its radius in rings (a ring is as wide as the window's text makes it).
struct Ring {
    Point centre;
    float rings = 1.0f;
    Colour colour = Black;
};

// The sweep line at a vertex's height, reaching `reach` to either side of `at` and a little more.
struct SweepLine {
    Point at;
    double reach = 0.0;
};

// What a page draws in the polygon's plane, from the bottom up: the pieces' tints, the chains' tints,
// the outline and the triangulation's diagonals shown (each with its end dots), the sweep line, the
// diagonals so far and the verdict's edges, a veil over the pieces not being swept (their edges
// faded), the partition's diagonals (this step's wider), then the step's own marks: its new
// diagonals (wide), the rings, the crosses of the vertices that left the stack for good, its refused
// candidate and the vertex in its way (dashed), the vertex types.
struct PageMarks {
    std::vector<TintedTriangle> pieces;
    std::vector<ChainEdge> tints;
    std::vector<Segment> outline;
    std::vector<Segment> diagonals;
    std::vector<SweepLine> lines;
    std::vector<Segment> segments;
    std::vector<TintedTriangle> veiled;
    std::vector<Segment> fadedEdges;
    std::vector<Segment> partition;
    std::vector<Segment> partitionNew;
    std::vector<Segment> wide;
    std::vector<Ring> rings;
    std::vector<Point> crosses;
    std::vector<Segment> dashed;
    std::vector<Ring> dashedRings;
    std::vector<TypeMark> types;
};

// How many light tints the pieces take turns at.
inline constexpr int PieceTints = 6;

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

// The partition panel of a step: the edges on the sweep line after it, left to right, each with its
// helper; the edge this step took off stays in its place, struck.
struct StatusRow {
    int edge = 0;        // by its first vertex
    int helper = 0;
    int oldHelper = -1;  // the helper before this step, when the step changed it
    bool inserted = false;
    bool removed = false;
};

enum class Panel { None, Stack, Status };

struct Page {
    std::vector<std::string> caption;  // the band's lines, unwrapped: the verdict first (none on the full picture)
    PageMarks marks;
    std::vector<int> concerned;  // the vertices whose numbers come first, most important first
    Panel panel = Panel::None;
    StackColumns stack;
    std::vector<StatusRow> status;
};

struct Lesson {
    std::vector<Point> vertices;  // input order, as the dialogue numbered them from 1
    Verdict verdict = Verdict::FewerThanThree;
    std::string verdictLine;
    std::vector<Page> pages;  // the full picture first
    bool panelBeside = false;  // the steps have a panel beside the picture (a stack or the sweep line)
    int tallestStack = 0;      // of any sweep the pages show
};

// Every page of the lesson of a judged polygon: for a monotone one a page per step of its sweep; for
// one that is not monotone the page that says why, a page per vertex of the cut, each piece's steps
// in turn, and the whole triangulation; else the one page that says why there are no steps.
Lesson buildLesson(const Judgement& judged);

// The verdict in one line, as every page shows it: monotone with its number of diagonals, not
// monotone with its split and merge vertices, not simple with the first two edges that meet, or fewer
// than three vertices.
std::string verdictLine(const Judgement& judged);

// An edge by its vertices' numbers from 1, "3-4" (edge k runs from vertex k to the next).
std::string edgeName(int edge, int vertexCount);

// The number of pages after the full picture.
int pageCount(const Lesson& lesson);

// Where page `page` (0, the full picture, counts as 1) stands in the whole lesson: "Strana 2 od 24".
std::string pageLine(const Lesson& lesson, int page);

// A page's title, for a picture's or a document's reader: its caption's first line after the verdict
// ("Strana 3 od 8. Korak 2 od 7: ..."), or for the full picture its place and the verdict.
std::string pageTitle(const Lesson& lesson, int page);

// The one line the full picture carries after the verdict and its page.
const char* startHint();

// The full picture's lines in its bottom left corner, below the polygon, top first: the verdict, the
// page's place and the hint, on one line when `chars` characters hold them, else the verdict above
// (its first line, when a long list of vertices would take more).
inline constexpr const char* BottomGap = "  ";
std::vector<std::string> bottomLines(const Lesson& lesson, int chars);

// The width, in characters, of a column of the stack panel: its label, or a vertex number with air.
int stackBoxChars(int vertexCount);
