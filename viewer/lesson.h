#pragma once
// The lesson the window shows for a judged polygon, built once as data whenever the polygon changes:
// every page with everything it shows (its caption, its marks in the polygon's plane, its panel).
// Turning, zooming, resizing and paging only pick a page and lay it out.

#include <string>
#include <utility>
#include <vector>

#include "geometry/judgement.h"
#include "geometry/records.h"
#include "geometry/triangulation.h"
#include "viewer/palette.h"

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
    bool light = false;  // one of the gallery's light fills, under the marks of the colouring
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

// A vertex of the three-colouring, drawn in its colour and its shape: a disc, a square, a triangle
// (colours 0, 1, 2); the vertex this page coloured is drawn larger.
struct ColourMark {
    Point at;
    int colour = 0;
    bool fresh = false;
};

// What a page draws in the polygon's plane, from the bottom up: the pieces' tints, the chains' tints,
// the outline and the triangulation's diagonals shown (each with its end dots), the sweep line, the
// diagonals so far and the verdict's edges, a veil over the pieces not being swept (their edges
// faded), the partition's diagonals (this step's wider), then the step's own marks: its new
// diagonals (wide), the rings, the crosses of the vertices that left the stack for good, its refused
// candidate and the vertex in its way (dashed), the vertex types; and for the gallery's pages the
// dual graph (its links across the diagonals, a node in every triangle), the guards' sight lines,
// the vertices' colours and the guards' rings, over everything else.
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
    std::vector<Segment> dualLinks;
    std::vector<Segment> sights;  // from a triangle's middle to the guard in its corner that sees it
    std::vector<Point> dualNodes;
    std::vector<ColourMark> colours;
    std::vector<Point> guards;
};

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

struct Question;

struct Page {
    std::vector<std::string> caption;  // the band's lines, unwrapped: the verdict first (none on the full picture)
    PageMarks marks;
    std::vector<int> concerned;  // the vertices whose numbers come first, most important first
    Panel panel = Panel::None;
    StackColumns stack;
    std::vector<StatusRow> status;
    std::vector<Question> questions;  // what the exercise asks on this page, in turn (none on most)
    int part = 0;  // the part of the lesson the page belongs to (the sweep, the cut, the guards, ...)
};

// What the exercise asks, and what it takes as an answer.
enum class QuestionKind {
    Monotone,        // the full picture: "Da li je poligon monoton?"
    SweepDiagonals,  // a step of the stack sweep: the vertices the swept vertex is joined to
    VertexType,      // a step of the cut: the vertex's type
    CutDiagonals,    // a step of the cut: the other ends of its new diagonals
    VertexColour,    // a page of the colouring: the colour the vertex takes
    GuardCount,      // the guards' page: how many guards are enough, a number typed
};

// An answer: one of the question's choices (by its index), a number typed (in `choice`, for a
// question that asks for a number), or a set of vertices (input indices, ascending).
struct Answer {
    bool given = false;
    int choice = -1;
    std::vector<int> vertices;
};

// One of a question's answers to choose from: its key (a digit or a letter, either case) and its
// label on its button.
struct Choice {
    char key = 0;
    std::string label;
};

// A question of a step, built with the lesson from the same records as the step's page: its right
// answer, what the reasons say (clauses, without a capital or a full stop), and the picture it is
// asked on, as the page stood before the step.
struct Question {
    QuestionKind kind = QuestionKind::Monotone;
    int vertex = -1;      // the vertex asked about; -1 for the polygon
    int number = 0;       // its place among the lesson's questions, from 1
    std::string text;     // "Koje je vrste teme 6?"
    std::vector<Choice> choices;  // answered by one of these; none: by a set of vertices
    Answer right;
    int most = -1;        // for a number: the largest that is right too (the right answer's the least)
    std::string rule;     // why the right answer is right: "teme 3 je teme razdvajanja: ..."
    std::string result;   // for vertices: the right answer named, "dijagonale iz temena 6 idu do temena 3 i 5"
    std::vector<std::pair<int, std::string>> whyNot;  // for vertices: why a vertex is none of the answer
    std::string elsewhere;  // for vertices: why any other vertex is none (after "teme K "), or nothing to say
    Page view;            // the page as it is shown while the question waits for its answer
};

struct Lesson {
    std::vector<Point> vertices;  // input order, as the dialogue numbered them from 1
    Verdict verdict = Verdict::FewerThanThree;
    std::string verdictLine;
    long long task = -1;      // the task the polygon is ("Zadatak 4711" on its pages), or -1
    std::vector<Page> pages;  // the full picture first
    int questionCount = 0;    // of every page
    int tallestStack = 0;      // of any sweep the pages show
};

// Every page of the lesson of a judged polygon: for a monotone one a page per step of its sweep; for
// one that is not monotone the page that says why, a page per vertex of the cut, each piece's steps
// in turn, and the whole triangulation; for either, then, the gallery's pages: the dual graph, a
// page per triangle of the three-colouring and the guards; else the one page that says why there
// are no steps. Every
// step page holds its questions; `task`, when not -1, is the number of the task the polygon is.
Lesson buildLesson(const Judgement& judged, long long task = -1);

// Whether a question is answered with a number typed, or with vertices chosen (by a click or their
// numbers); the rest are answered with one of their choices.
inline bool asksNumber(const Question& q) { return q.kind == QuestionKind::GuardCount; }
inline bool asksVertices(const Question& q) { return q.choices.empty() && !asksNumber(q); }

// The three colours of the colouring as the captions name them: "plava", "narandžasta", "ljubičasta".
const char* colourName(int colour);

// A vertex type as the captions and the answers name it: "pocetno", "krajnje", "razdvajanja",
// "spajanja", "pravilno" (in the order of VertexType).
const char* typeName(VertexType type);

// The verdict in one line, as every page shows it: monotone with its number of diagonals, not
// monotone with its split and merge vertices, not simple with the first two edges that meet, or fewer
// than three vertices.
std::string verdictLine(const Judgement& judged);

// Vertices by their numbers from 1, as the dialogue numbers them: "3", "3 i 7", "3, 7 i 9"; "nema"
// for none.
std::string vertexNumbers(const std::vector<int>& vertices);

// An edge by its vertices' numbers from 1, "3-4" (edge k runs from vertex k to the next).
std::string edgeName(int edge, int vertexCount);

// The number of pages after the full picture.
int pageCount(const Lesson& lesson);

// Where page `page` (0, the full picture, counts as 1) stands in the whole lesson: "Strana 2 od 24",
// after the task's number for a task: "Zadatak 4711. Strana 2 od 24".
std::string pageLine(const Lesson& lesson, int page);

// A page's title, for a picture's or a document's reader: its caption's first line after the verdict
// ("Strana 3 od 8. Korak 2 od 7: ..."), or for the full picture its place and the verdict.
std::string pageTitle(const Lesson& lesson, int page);

// The one line the full picture carries after the verdict and its page.
const char* startHint();

// The full picture's lines in its bottom left corner, below the polygon, top first: the verdict, the
// page's place and the hint, on one line when `chars` characters hold them, else the verdict above,
// wrapped to `chars` (every vertex it names said).
inline constexpr const char* BottomGap = "  ";
std::vector<std::string> bottomLines(const Lesson& lesson, int chars);

// The width, in characters, of a column of the stack panel: its label, or a vertex number with air.
int stackBoxChars(int vertexCount);
