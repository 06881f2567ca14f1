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
};

enum class EditKey { Toggle, Grid, Undo, Redo, New, Save, Delete, Close, RemoveLast };

// A key of editing, the pointer at window position (x, y) (origin top left). Every key but E does
// nothing while editing is off.
Effect pressEditKey(Workbench& bench, EditKey key, int x, int y);

// A mouse button pressed or released at (x, y): in editing, the left button takes hold of a vertex,
// inserts one on an edge, or adds one to a new polygon; everything else navigates.
Effect pressButton(Workbench& bench, int button, bool pressed, int x, int y);

// The pointer moved to (x, y) with a button down.
Effect movePointerTo(Workbench& bench, int x, int y);

// Shows `polygon` in place of the current one, judged anew; the step shown stays the same step
// number where it still exists, else the last.
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
// The point of the polygon's plane that a vertex placed at (x, y) gets: on the grid while snapping.
Point placePoint(const Workbench& bench, int x, int y);

// The grid lines across the visible part of the plane, at most a few hundred (coarser steps when
// zoomed far out).
struct GridLine {
    PlanePoint from;
    PlanePoint to;
};
std::vector<GridLine> gridLines(const ViewState& view, double step);

// The lines along the bottom of the window while editing: what the keys do, and the last message.
std::vector<std::string> footerLines(const Workbench& bench);

// The layout of the page the window shows, as it now is.
PageLayout layoutOf(const Workbench& bench);

// The polygon in the dialogue's input format: the count, then one "x y" line per vertex, each
// number in the fewest digits that read back as the same float.
std::string polygonText(const std::vector<Point>& vertices);

// Writes the polygon to the first free poligon-K.txt (K = 1, 2, ...) in `folder`, never over an
// existing file. Returns the line that says where it went, or that it could not be written.
std::string savePolygon(const std::vector<Point>& vertices, const std::string& folder);
