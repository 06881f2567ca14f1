#pragma once
// The window's state as one value, and what the mouse and the editing keys do to it: the view, the
// step pages, and the polygon being edited (vertices moved, inserted and removed, a new polygon
// drawn, undo and redo, a grid to snap to). Plain values and arithmetic; the window draws the state
// and applies the effects to GL and the scene.

#include <string>
#include <vector>

#include "geometry/judgement.h"
#include "viewer/camera.h"
#include "viewer/layout.h"
#include "viewer/walkthrough.h"

inline constexpr double VertexReach = 8.0;  // pixels from a vertex that take hold of it
inline constexpr double EdgeReach = 6.0;    // pixels from an edge that insert a vertex on it

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

struct Workbench {
    ViewState view;
    StepView steps;
    Judgement shown;  // the polygon and its verdict: everything drawn comes from it
    EditState edit;
    History history;
    std::vector<Point> saved;  // the polygon as the dialogue read it or as it was last saved
    bool quitWarned = false;   // Q or Escape met unsaved edits once: the next one closes
    int playGeneration = 0;  // a play tick armed for an earlier play (or speed) is ignored
    bool consoleLineOpen = false;  // the console's last line is unfinished: a save line starts anew
};

// The window's state on the polygon the dialogue read and judged. The dialogue's listing of a
// monotone polygon leaves the console's last line open.
Workbench openWorkbench(const Judgement& judged);

// What an event asks of the window besides its new state.
struct Effect {
    bool redraw = false;
    bool polygon = false;     // the polygon changed: the scene is built again from it
    bool navigation = false;  // turned, moved or zoomed: the model-view changes
    bool save = false;        // the polygon is to be written to a file
    bool quit = false;        // the window is to close
};

enum class EditKey { Toggle, Grid, Undo, Redo, New, Save, Delete, Close, RemoveLast, Cancel };

// A key of editing, the pointer at window position (x, y) (origin top left). Every key but E does
// nothing while editing is off. Cancel (Escape) puts back the vertex under a drag, or drops the new
// polygon under way and brings back the one there was, or else leaves editing.
Effect pressEditKey(Workbench& bench, EditKey key, int x, int y);

// Q, or Escape outside editing: closes, unless the polygon was edited since it was read or last
// saved (a new one under way counts); then the first press only warns, and the next closes.
Effect pressQuit(Workbench& bench);

// Any other key or button: a warning about unsaved edits is taken back.
void withdrawQuitWarning(Workbench& bench);

// True when the polygon differs from the one read or last saved, or a new one is under way.
bool unsaved(const Workbench& bench);

// A mouse button pressed or released at (x, y): in editing, the left button takes hold of a vertex,
// inserts one on an edge, or adds one to a new polygon; everything else navigates.
Effect pressButton(Workbench& bench, int button, bool pressed, int x, int y);

// The pointer moved to (x, y) with a button down. A dragged vertex follows the pointer as far as
// the picture's edge, never under a band.
Effect movePointerTo(Workbench& bench, int x, int y);

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

// The layout of the page the window shows, as it now is.
PageLayout layoutOf(const Workbench& bench);

// The polygon in the dialogue's input format: the count, then one "x y" line per vertex, each
// number in the fewest digits that read back as the same float (zero as 0).
std::string polygonText(const std::vector<Point>& vertices);

// Writes the polygon to the first free poligon-K.txt (K = 1, 2, ...) in `folder`, never over an
// existing file. True when it was written; `message` says where it went, or that it could not be.
bool savePolygon(const std::vector<Point>& vertices, const std::string& folder, std::string& message);
