#pragma once
// The window's state as one value, and what the keys, the mouse, the clock and the window's size do
// to it: the view, the pages of the lesson, and the polygon being edited (vertices moved, inserted
// and removed, a new polygon drawn, undo and redo, a grid to snap to). Plain values and arithmetic;
// a front end (the GL window, or any other) draws the frame the state makes and carries out the
// effects that need the outside world (files, the clock, closing).

#include <string>
#include <vector>

#include "geometry/judgement.h"
#include "viewer/camera.h"
#include "viewer/commands.h"
#include "viewer/exercise.h"
#include "viewer/layout.h"
#include "viewer/lesson.h"

inline constexpr double VertexReach = 8.0;  // pixels from a vertex that take hold of it
inline constexpr double EdgeReach = 6.0;    // pixels from an edge that insert a vertex on it

// Seconds between two pages while they play: 0.25 to 4, doubling.
inline constexpr double PlayIntervals[] = {0.25, 0.5, 1.0, 2.0, 4.0};
inline constexpr int StartingInterval = 2;  // 1 s

// The page shown: 0 is the full picture, 1..pageCount the steps.
struct StepView {
    int page = 0;
    bool labels = false;  // vertex numbers in the full picture (always shown on the pages)
    bool help = false;
    bool playing = false;  // the pages advance by themselves, one per interval
    int interval = StartingInterval;
};

// Every polygon the window has shown, the dialogue's first; undo and redo move along it.
struct History {
    std::vector<std::vector<Point>> polygons;
    int current = 0;
};

struct EditState {
    bool on = false;
    bool grid = false;          // moved and inserted vertices land on the grid
    bool drawing = false;       // a new polygon under way: its vertices so far in `draft`
    std::vector<Point> draft;
    int dragged = -1;           // the vertex under a left-drag
    PageLayout held;            // the layout when the drag began, kept still under the pointer
    std::string message;        // the window's word on the last edit: refused, or where it was saved
};

// The tasks: the one the polygon is, if it is one (undo can come back to it), and the one Z opens next.
struct TaskState {
    long long shown = -1;        // the task the polygon shown is, or -1
    long long last = -1;         // the task opened last; -1 for none yet
    std::vector<Point> polygon;  // that task's polygon
    long long first = 1000;      // the task Z opens when none was opened yet (the front end's clock sets it)
};

// How a picture of a page looks: its size in pixels (0 by 0: the window's), on white instead of the
// window's beige, and the picture alone (`bare`: no caption band, no panel, no lines below the
// polygon, no help; the vertex numbers stay, as part of the picture). The window's own frames are
// the default style.
struct PictureStyle {
    int width = 0;
    int height = 0;
    bool white = false;
    bool bare = false;
    bool written = false;  // a picture for a file, a slide or a print: no row of buttons along its bottom
};

struct Workbench {
    ViewState view;
    StepView steps;
    Lesson lesson;       // the polygon and everything its pages show
    PageLayout layout;   // the page laid out in the window as it now is
    EditState edit;
    ExerciseState exercise;
    TaskState task;
    History history;
    std::vector<Point> saved;  // the polygon as the dialogue read it or as it was last saved
    bool quitWarned = false;   // Q or Escape met unsaved edits once: the next one closes
    int playGeneration = 0;    // a play tick armed for an earlier play (or speed) is ignored
    bool inPage = false;       // shown in a browser's page: the help says S and I download, nothing closes
    bool blank = false;        // the screen black (B): any key or click brings the page back
    bool blankClick = false;   // the button that brought the page back is still down: its release does nothing
    bool fullScreen = false;   // the window over the whole screen (F), as the front end last set it
    PictureStyle style;        // how its frames look: the window's own, or a picture's
    // The caption band's height in lines, by part of the lesson: the tallest caption of its pages
    // wrapped to `captionChars`.
    int captionChars = -1;
    std::vector<int> captionLines;
};

// The window's state on the polygon the dialogue read and judged, in a window of the opening size,
// the polygon framed in it.
Workbench openWorkbench(const Judgement& judged);

// What an event asks of the front end besides the new state, which is laid out already.
struct Effect {
    bool redraw = false;
    bool save = false;     // the polygon is to be written to a file
    bool picture = false;  // the page, as it is on the screen, is to be written as SVG
    bool quit = false;     // the window is to close
    bool play = false;     // a play interval is to be timed from now (playSeconds, playGeneration)
    bool document = false;  // every page of the lesson as it now is, as one document (a PDF, or a print)
    bool screen = false;    // the window is to go to full screen, or back, as `fullScreen` now says
};

// A command of the table, the pointer at window position (x, y) (origin top left); `key` is the key
// that gave it, for the answers that take one (a choice's key, a digit).
Effect perform(Workbench& bench, Command command, int x, int y, char key = 0);

// The command a key gives in the workbench's state (editing, drawing, a question waiting); false for none.
// While the screen is black, every key gives Blank, which brings the page back.
bool keyCommand(const Workbench& bench, const KeyPress& key, Command& command);

// The polygon shown is task `task`'s (the dialogue read its text, or a link gave its number): its
// number goes on its pages, Z goes on from it, and it counts as unsaved until S saves it. A polygon
// that is not that task's keeps only the number, for Z.
void markTask(Workbench& bench, long long task);

// The task Z opens when none was opened yet, from a front end's clock (seconds): four digits.
long long taskFromClock(long long seconds);

// The front end's window went to full screen or back by itself (the browser's own Escape, a window
// manager): the state follows, and the next F toggles from there.
void fullScreenWas(Workbench& bench, bool on);

// The exercise on (its answers taken back) or off; editing ends first, as E ends it.
void setExercise(Workbench& bench, bool on);

// A mouse button pressed or released at (x, y): in editing, the left button takes hold of a vertex,
// inserts one on an edge, or adds one to a new polygon; everything else navigates.
Effect pressButton(Workbench& bench, int button, bool pressed, int x, int y);

// The pointer moved to (x, y) with a button down. A dragged vertex follows the pointer as far as
// the picture's edge, never under a band.
Effect movePointerTo(Workbench& bench, int x, int y);

// A notch of the wheel at (x, y), over the picture: 10 % larger (direction > 0) or smaller.
Effect turnWheel(Workbench& bench, int direction, int x, int y);

// The window's new size; a height of 0 counts as 1.
Effect resize(Workbench& bench, int width, int height);

// A play interval armed for `generation` has passed: the next page, the play stopping at the last.
Effect playTick(Workbench& bench, int generation);

double playSeconds(const StepView& view);

// True when the polygon differs from the one read or last saved, or a new one is under way.
bool unsaved(const Workbench& bench);

// Writes what would be lost if the window ended now: the polygon, when it differs from the one read
// or last saved, and a new polygon under way, each to the first free poligon-K.txt in `folder`. The
// console's lines on it, one a file: "Izmene su sacuvane u datoteci poligon-3.txt."; none when
// nothing was unsaved.
std::vector<std::string> saveUnsaved(Workbench& bench, const std::string& folder);

// Shows `polygon` in place of the current one, judged anew (a zero coordinate taken as +0); the step
// shown stays the same step number where it still exists, else the last.
void setPolygon(Workbench& bench, const std::vector<Point>& polygon);

// Keeps `polygon` as the newest in the history, after the current one; what was undone is dropped.
void record(History& history, const std::vector<Point>& polygon);

// The vertex within VertexReach pixels of (x, y), the nearest; -1 when none is.
int vertexAt(const ViewState& view, const std::vector<Point>& vertices, int x, int y);
// The edge (by its first vertex, the closing edge by the last) within EdgeReach pixels of (x, y)
// and no vertex within VertexReach; -1 when there is none.
int edgeAt(const ViewState& view, const std::vector<Point>& vertices, int x, int y);

// The grid's step: 1, 2 or 5 times a power of ten, the nearest such number to a twentieth of the
// framed size as it is zoomed.
double gridStep(const ViewState& view);
// The point of the polygon's plane that a vertex placed at (x, y) gets: on the grid while snapping,
// zero as +0. False when a coordinate would leave the float range.
bool placePoint(const Workbench& bench, int x, int y, Point& placed);

// The grid lines across the visible part of the plane, at most a few hundred (coarser steps when
// zoomed far out).
struct GridLine {
    PlanePoint from;
    PlanePoint to;
};
std::vector<GridLine> gridLines(const ViewState& view, double step);

// The lines along the bottom of the window while editing, wrapped to `chars` characters: the verdict
// (at most two lines; on the full picture with the page's place), what the keys do, the grid's step,
// and the last message. Outside editing only a message, when there is one.
std::vector<std::string> footerLines(const Workbench& bench, int chars);

// Lays the page out in the window as it now is and frames the polygon in the picture it leaves:
// after every event, so that the pointer always maps through the framing on the screen.
void relayout(Workbench& bench);

// The page on the screen: in the exercise, a question's page while it waits.
const Page& shownPage(const Workbench& bench);

// The workbench as a picture of its page shows it: at the style's size (what was turned, moved and
// zoomed kept, as a resize keeps it), in the style's look, the play stopped, and without what belongs
// to the window rather than to the lesson: the editing band and its grid, the band's last message,
// a drag's ring. A new polygon under way is drawn as far as it goes. Its frames are the picture's;
// another page is had by setting `steps.page` and laying it out again (relayout).
Workbench pictureBench(const Workbench& bench, const PictureStyle& style);

// The same for the whole lesson as one document (a PDF, or the page's print view): a picture's,
// without the help panel, which no page of a handout wants.
Workbench lessonBench(const Workbench& bench, const PictureStyle& style);

// The files the window writes: the polygon (S), the page as a picture (I), the whole lesson (D).
enum class SavedFile { Polygon, Picture, Lesson };

// The band's word for a file written as `name`, or not written: "Poligon je sacuvan u datoteku
// poligon-2.txt.".
std::string savedWord(SavedFile file, bool written, const std::string& name);

// What tells of a file written: the band's word and the console's line (consoleSavedWord).
struct SavedWords {
    std::string band;
    std::string console;
};
SavedWords savedWords(SavedFile file, bool written, const std::string& name);

// What became of a file the front end wrote (the polygon saved, or a picture): its word goes into the
// band; a saved polygon is the one that counts as unchanged from now on.
void wrote(Workbench& bench, bool savedPolygon, bool written, const std::string& message);

// A float in the fewest digits that read back as the same float (zero as 0).
std::string floatText(float value);

// The polygon in the dialogue's input format: the count, then one "x y" line per vertex, each
// number as floatText writes it.
std::string polygonText(const std::vector<Point>& vertices);

// Writes `text` whole to `path`: a new file when `fresh` (an existing one is left alone, EEXIST), else
// over what is there. 0 when it is written, else the error (errno); nothing is left of a file that
// could not be written whole.
int writeWholeFile(const std::string& path, const std::string& text, bool fresh);

// Writes `text` to the first free `stem`-K`extension` (K = 1, 2, ...) in `folder`, never over an
// existing file; `name` gets the file's name. False when it could not be written (nothing is left).
bool writeFreeFile(const std::string& folder, const std::string& stem, const std::string& extension,
                   const std::string& text, std::string& name);

// Writes the polygon to the first free poligon-K.txt in `folder`. True when it was written; `words`
// say where it went, or that it could not be.
bool savePolygon(const std::vector<Point>& vertices, const std::string& folder, SavedWords& words);
