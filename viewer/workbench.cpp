#include "viewer/workbench.h"

#include "viewer/console_words.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "geometry/task.h"

Effect pressEditKey(Workbench& bench, Command key, int x, int y);

namespace {

constexpr int LeftButton = 0;

// What the events ask of the window.
constexpr Effect Redraw{true, false, false, false, false, false};
constexpr Effect SaveAsked{true, true, false, false, false, false};
constexpr Effect Quit{false, false, false, true, false, false};

const char* const TooMany = "Najviše 100 temena: novo teme nije dodato.";
const char* const Taken = "Na tom mestu već postoji teme.";
const char* const TooFew = "Poligon mora imati bar tri temena.";
const char* const OutOfRange = "Tačka je van opsega brojeva.";
const char* const NoVertex = "Nema temena ispod pokazivača.";
const char* const UnsavedEdits = "Izmene nisu sačuvane: S čuva, Q zatvara bez čuvanja.";

// The pointer in GL's window pixels, origin at the bottom left, as sceneToPixels gives points.
PlanePoint pointerPixels(const ViewState& view, int x, int y) {
    return {static_cast<double>(x), static_cast<double>(view.windowHeight - 1 - y)};
}

double distance(const PlanePoint& a, const PlanePoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The point of the segment ab nearest to p, as the fraction of the way from a to b.
double nearestFraction(const PlanePoint& p, const PlanePoint& a, const PlanePoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0.0) return 0.0;
    return std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
}

double snap(double value, double step) { return std::round(value / step) * step; }

// A point of the plane as the polygon keeps it: floats, zero as +0 (so that it is saved as 0).
Point planePoint(double x, double y) {
    Point p(x, y, 0.0);
    p.x += 0.0f;
    p.y += 0.0f;
    return p;
}

bool samePlace(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

bool samePolygon(const std::vector<Point>& a, const std::vector<Point>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), samePlace);
}

// The polygon with every zero coordinate as +0.
std::vector<Point> withPlainZeros(std::vector<Point> polygon) {
    for (Point& p : polygon) p = planePoint(p.x, p.y);
    return polygon;
}

bool taken(const std::vector<Point>& vertices, const Point& p) {
    return std::any_of(vertices.begin(), vertices.end(), [&](const Point& v) { return samePlace(v, p); });
}

// Shows `polygon` as an edit that undo can take back.
void commit(Workbench& bench, const std::vector<Point>& polygon) {
    record(bench.history, polygon);
    setPolygon(bench, polygon);
}

// Takes hold of vertex `v` for a drag, the layout held still until it ends.
void grab(Workbench& bench, int v) {
    bench.edit.held = bench.layout;
    bench.edit.dragged = v;
}

// Ends a drag: the polygon it left is an edit, unless it is the one there was.
void release(Workbench& bench) {
    EditState& e = bench.edit;
    if (e.dragged < 0) return;
    e.dragged = -1;
    const std::vector<Point>& now = bench.lesson.vertices;
    if (!samePolygon(bench.history.polygons[bench.history.current], now)) record(bench.history, now);
}

// Inserts a vertex after `edge`'s first vertex: where the pointer is on the grid, else the point of
// the edge nearest to the pointer.
Effect insertOnEdge(Workbench& bench, int edge, int x, int y) {
    std::vector<Point> polygon = bench.lesson.vertices;
    const int n = static_cast<int>(polygon.size());
    if (n >= MaxVertices) {
        bench.edit.message = TooMany;
        return Redraw;
    }
    Point placed;
    if (!placePoint(bench, x, y, placed)) {
        bench.edit.message = OutOfRange;
        return Redraw;
    }
    if (bench.edit.grid && taken(polygon, placed)) {
        bench.edit.message = Taken;
        return Redraw;
    }
    if (!bench.edit.grid) {
        const Point& a = polygon[edge];
        const Point& b = polygon[(edge + 1) % n];
        const double t = nearestFraction(pointerPixels(bench.view, x, y), sceneToPixels(bench.view, a.x, a.y),
                                         sceneToPixels(bench.view, b.x, b.y));
        placed = planePoint(a.x + t * (static_cast<double>(b.x) - a.x), a.y + t * (static_cast<double>(b.y) - a.y));
    }
    grab(bench, edge + 1);
    polygon.insert(polygon.begin() + edge + 1, placed);
    setPolygon(bench, polygon);
    // The new vertex can be dragged on at once; the insertion and the drag are one edit.
    return Redraw;
}

Effect addToDraft(Workbench& bench, int x, int y) {
    EditState& e = bench.edit;
    if (e.draft.size() >= 3 && vertexAt(bench.view, {e.draft.front()}, x, y) == 0) {
        return pressEditKey(bench, Command::Close, x, y);
    }
    Point placed;
    if (!placePoint(bench, x, y, placed)) {
        e.message = OutOfRange;
    } else if (static_cast<int>(e.draft.size()) >= MaxVertices) {
        e.message = TooMany;
    } else if (taken(e.draft, placed)) {
        e.message = Taken;
    } else {
        e.draft.push_back(placed);
    }
    return Redraw;
}

// The bounds of the polygon framed in the picture, turns, moves and zooms kept; none for no vertex.
void frameVertices(ViewState& view, const std::vector<Point>& vertices) {
    if (vertices.empty()) return;
    Point lo = vertices[0];
    Point hi = vertices[0];
    for (const Point& p : vertices) {
        lo = Point(std::min(lo.x, p.x), std::min(lo.y, p.y), 0.0);
        hi = Point(std::max(hi.x, p.x), std::max(hi.y, p.y), 0.0);
    }
    frameBounds(view, lo, hi, false);
}

// The keys that page: the page, the play and its speed, the numbers, the help; the pages of a new
// polygon under way wait for it. A play that starts, changes speed or is moved to another page waits
// one whole interval for its next page.
Effect turnPage(Workbench& bench, Command key) {
    if (bench.edit.drawing && key != Command::Help && key != Command::ResetView) return {};
    StepView& view = bench.steps;
    const StepView before = view;
    const int pages = pageCount(bench.lesson);
    const int page = view.page;
    Effect effect = Redraw;
    switch (key) {
        case Command::Next:
            view.page = std::min(page + 1, pages);
            break;
        case Command::Previous:
            view.page = page == 0 ? pages : std::max(page - 1, 1);
            break;
        case Command::First:
            view.page = 1;
            break;
        // From the full picture, as if Right or Left took the first of the ten.
        case Command::TenForward:
            view.page = std::min(page + 10, pages);
            break;
        case Command::TenBack:
            view.page = std::max((page == 0 ? pages + 1 : page) - 10, 1);
            break;
        case Command::Full:
            view.page = 0;
            view.labels = false;
            view.playing = false;
            break;
        case Command::Play:
            if (view.playing) {
                view.playing = false;
                break;
            }
            // From the full picture or the last page, the play starts again at the first.
            if (page == 0 || page == pages) view.page = 1;
            view.playing = view.page < pages;
            break;
        case Command::Faster:
        case Command::Slower: {
            const int interval = std::clamp(view.interval + (key == Command::Faster ? -1 : 1), 0, 4);
            if (interval == view.interval) return {};
            view.interval = interval;
            if (!view.playing) effect = {};
            break;
        }
        case Command::Labels:
            view.labels = !view.labels;
            break;
        case Command::ResetView:
            resetNavigation(bench.view);
            frameVertices(bench.view, bench.lesson.vertices);
            break;
        case Command::Help:
            view.help = !view.help;
            break;
        default:
            return {};
    }
    const bool paged = key == Command::Next || key == Command::Previous || key == Command::First ||
                       key == Command::TenForward || key == Command::TenBack;
    if (paged) {
        if (view.page == page) return {};
        if (view.page == pages) view.playing = false;
    }
    if (view.playing && (!before.playing || before.interval != view.interval || before.page != view.page)) {
        ++bench.playGeneration;
        effect.play = true;
    }
    return effect;
}

}  // namespace

Workbench openWorkbench(const Judgement& judged) {
    Workbench bench;
    Judgement plain = judged;
    plain.vertices = withPlainZeros(judged.vertices);
    bench.lesson = buildLesson(plain);
    startExercise(bench.exercise, bench.lesson);
    bench.history.polygons.push_back(bench.lesson.vertices);
    bench.saved = bench.lesson.vertices;
    frameVertices(bench.view, bench.lesson.vertices);
    relayout(bench);
    return bench;
}

void setPolygon(Workbench& bench, const std::vector<Point>& polygon) {
    const std::vector<Point> plain = withPlainZeros(polygon);
    TaskState& task = bench.task;
    task.shown = task.last >= 0 && samePolygon(plain, task.polygon) ? task.last : -1;
    bench.lesson = buildLesson(judgePolygon(plain.data(), static_cast<int>(plain.size())), task.shown);
    bench.captionChars = -1;
    // Another polygon asks other questions: the exercise starts over on it.
    startExercise(bench.exercise, bench.lesson);
    const int pages = pageCount(bench.lesson);
    if (bench.steps.page >= pages) {
        bench.steps.page = pages;
        bench.steps.playing = false;
    }
}

void record(History& history, const std::vector<Point>& polygon) {
    history.polygons.resize(history.current + 1);
    history.polygons.push_back(polygon);
    ++history.current;
}

Effect pressEditKey(Workbench& bench, Command key, int x, int y) {
    EditState& e = bench.edit;
    // Only E, and S (which a warning about unsaved edits offers), act while editing is off.
    if (key != Command::Edit && key != Command::Save && !e.on) return {};
    if (key == Command::Cancel && e.dragged >= 0) {
        // The vertex in hand goes back where the drag found it (an inserted one goes away).
        e.dragged = -1;
        e.message.clear();
        setPolygon(bench, bench.history.polygons[bench.history.current]);
        return Redraw;
    }
    release(bench);  // a key during a drag ends it first
    const std::vector<Point>& current = bench.history.polygons[bench.history.current];
    e.message.clear();
    switch (key) {
        case Command::Edit:
            e.on = !e.on;
            if (e.on) setExercise(bench, false);  // editing and the exercise take turns
            if (!e.on && e.drawing) {  // a new polygon left unfinished is dropped
                e.drawing = false;
                e.draft.clear();
                setPolygon(bench, current);
                return Redraw;
            }
            return Redraw;
        case Command::Grid:
            e.grid = !e.grid;
            return Redraw;
        case Command::New:
            e.drawing = true;
            e.draft.clear();
            bench.steps.page = 0;
            bench.steps.playing = false;
            setPolygon(bench, {});
            return Redraw;
        case Command::RemoveLast:
            if (!e.drawing) return Redraw;
            if (!e.draft.empty()) {
                e.draft.pop_back();
                return Redraw;
            }
            // Nothing drawn yet: back to the polygon there was.
            e.drawing = false;
            setPolygon(bench, current);
            return Redraw;
        case Command::Close:
            if (!e.drawing) return Redraw;
            if (e.draft.size() < 3) {
                e.message = TooFew;
                return Redraw;
            }
            e.drawing = false;
            commit(bench, e.draft);
            e.draft.clear();
            return Redraw;
        case Command::Undo:
        case Command::Redo: {
            // While a new polygon is drawn, undo takes back its last vertex.
            if (e.drawing) return key == Command::Undo ? pressEditKey(bench, Command::RemoveLast, x, y) : Redraw;
            History& h = bench.history;
            const int to = h.current + (key == Command::Undo ? -1 : 1);
            if (to < 0 || to >= static_cast<int>(h.polygons.size())) {
                e.message = key == Command::Undo ? "Nema izmena za vraćanje." : "Nema izmena za ponavljanje.";
                return Redraw;
            }
            h.current = to;
            setPolygon(bench, h.polygons[to]);
            return Redraw;
        }
        case Command::Cancel:
            // The drag was put back by release's caller; here a new polygon is dropped or editing ends.
            if (e.drawing) {
                e.drawing = false;
                e.draft.clear();
                setPolygon(bench, current);
                return Redraw;
            }
            e.on = false;
            return Redraw;
        case Command::Delete: {
            if (e.drawing) return Redraw;
            const int v = inPicture(bench.view, x, y) ? vertexAt(bench.view, bench.lesson.vertices, x, y) : -1;
            if (v < 0) {
                e.message = NoVertex;
                return Redraw;
            }
            if (bench.lesson.vertices.size() <= 3) {
                e.message = TooFew;
                return Redraw;
            }
            std::vector<Point> polygon = bench.lesson.vertices;
            polygon.erase(polygon.begin() + v);
            commit(bench, polygon);
            return Redraw;
        }
        case Command::Save:
            if (e.drawing) {
                e.message = "Novi poligon još nije zatvoren (Enter).";
                return Redraw;
            }
            return SaveAsked;
        default:
            break;
    }
    return {};
}

namespace {

// Any key or button but Q takes a warning about unsaved edits back; outside editing, the last word.
// True when there was something to take back.
bool takeBackWarning(Workbench& bench) {
    const bool shown = bench.quitWarned || (!bench.edit.message.empty() && (!bench.edit.on || bench.edit.message == UnsavedEdits));
    bench.quitWarned = false;
    if (bench.edit.message == UnsavedEdits || !bench.edit.on) bench.edit.message.clear();
    return shown;
}

Effect pressOrReleaseButton(Workbench& bench, int button, bool pressed, int x, int y) {
    EditState& e = bench.edit;
    if (!pressed && e.dragged >= 0) {
        release(bench);
        pressOrRelease(bench.view, button, pressed, x, y);
        return Redraw;
    }
    // A button drawn in the window gives its command, as its key would.
    if (pressed && button == LeftButton) {
        const PlanePoint at = pointerPixels(bench.view, x, y);
        for (const Button& b : bench.layout.buttons) {
            if (at.x >= b.box.x && at.x < b.box.x + b.box.width && at.y >= b.box.y && at.y < b.box.y + b.box.height) {
                const Button pressedButton = b;  // the layout is made anew by the command
                return perform(bench, pressedButton.command, x, y, pressedButton.key);
            }
        }
    }
    // A click on a vertex chooses it for the question waiting (again: takes it back).
    if (pressed && button == LeftButton && !e.on && inPicture(bench.view, x, y) && !bench.steps.help) {
        const Question* q = waiting(bench.lesson, bench.exercise, bench.steps.page);
        const int v = q != nullptr && asksVertices(*q) ? vertexAt(bench.view, bench.lesson.vertices, x, y) : -1;
        if (v >= 0) {
            choose(bench.exercise, v);
            return Redraw;
        }
    }
    // Editing is where the picture shows, and not under the help.
    if (pressed && button == LeftButton && e.on && inPicture(bench.view, x, y) && !bench.steps.help) {
        e.message.clear();
        if (e.drawing) return addToDraft(bench, x, y);
        const int v = vertexAt(bench.view, bench.lesson.vertices, x, y);
        if (v >= 0) {
            grab(bench, v);
            return Redraw;
        }
        const int edge = edgeAt(bench.view, bench.lesson.vertices, x, y);
        if (edge >= 0) return insertOnEdge(bench, edge, x, y);
    }
    if (e.drawing) return {};  // no panning while a new polygon is drawn
    pressOrRelease(bench.view, button, pressed, x, y);
    return Redraw;
}

Effect movePointerNow(Workbench& bench, int x, int y);

}  // namespace

Effect pressButton(Workbench& bench, int button, bool pressed, int x, int y) {
    // A click on a black screen brings the page back and does nothing else, its release neither.
    if (bench.blank || (bench.blankClick && !pressed)) {
        bench.blankClick = pressed;
        if (!pressed) return {};
        bench.blank = false;
        relayout(bench);
        return Redraw;
    }
    bench.blankClick = false;
    const bool takenBack = pressed && takeBackWarning(bench);
    Effect effect = pressOrReleaseButton(bench, button, pressed, x, y);
    if (takenBack) effect.redraw = true;
    relayout(bench);
    return effect;
}

Effect movePointerTo(Workbench& bench, int x, int y) {
    const Effect effect = movePointerNow(bench, x, y);
    relayout(bench);
    return effect;
}

// Q, or Escape outside editing: closes, unless the polygon was edited since it was read or last
// saved (a new one under way counts); then the first press only warns, and the next closes.
Effect pressQuit(Workbench& bench) {
    release(bench);
    if (bench.quitWarned || !unsaved(bench)) return Quit;
    bench.quitWarned = true;
    bench.edit.message = UnsavedEdits;
    return Redraw;
}

bool unsaved(const Workbench& bench) {
    const EditState& e = bench.edit;
    return !samePolygon(bench.history.polygons[bench.history.current], bench.saved) || (e.drawing && !e.draft.empty());
}

std::vector<std::string> saveUnsaved(Workbench& bench, const std::string& folder) {
    const EditState& e = bench.edit;
    std::vector<std::string> lines;
    auto keep = [&](const std::vector<Point>& polygon) {
        std::string name;
        const bool written = writeFreeFile(folder, "poligon", ".txt", polygonText(polygon), name);
        lines.push_back(keptEditsWord(written, name));
        return written;
    };
    // The polygon in hand: while a new one is drawn the lesson is empty, and the one before it waits.
    const std::vector<Point> polygon = e.drawing ? bench.history.polygons[bench.history.current] : bench.lesson.vertices;
    if (!samePolygon(polygon, bench.saved) && keep(polygon)) bench.saved = polygon;
    if (e.drawing && !e.draft.empty()) keep(e.draft);
    return lines;
}

namespace {

// The exercise's keys, for the question waiting on the page: a choice's key answers it; a digit goes
// into a vertex's number, which a space or a comma ends; BackSpace takes back the last digit, or else
// the last vertex chosen; Enter gives the vertices chosen (none: none) as the answer, or for a
// question that asks for a number, the number typed.
Effect exerciseKey(Workbench& bench, Command command, char key) {
    ExerciseState& state = bench.exercise;
    const int page = bench.steps.page;
    const Question* q = waiting(bench.lesson, state, page);
    if (q == nullptr) return {};
    const int n = static_cast<int>(bench.lesson.vertices.size());
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    state.message.clear();
    switch (command) {
        case Command::Answer:
            if (!q->choices.empty()) {
                for (std::size_t i = 0; i < q->choices.size(); ++i) {
                    if (lower(q->choices[i].key) != lower(key)) continue;
                    Answer answer;
                    answer.choice = static_cast<int>(i);
                    answerWaiting(state, bench.lesson, page, answer);
                    return Redraw;
                }
                return {};
            }
            if (asksNumber(*q) && (key == '+' || key == '-')) {
                // The buttons' step up and down, from nothing typed as from 0, within three digits.
                const int typed = state.typed.empty() ? 0 : std::stoi(state.typed);
                state.typed = std::to_string(std::clamp(typed + (key == '+' ? 1 : -1), 0, 999));
                return Redraw;
            }
            if (key < '0' || key > '9') return {};
            if (state.typed.size() < 3) {
                state.typed += key;
            } else {
                state.message = asksNumber(*q) ? "Broj ima najviše tri cifre." : "Teme ima najviše tri cifre.";
            }
            return Redraw;
        case Command::Separator:
            if (!asksNumber(*q)) takeTyped(state, n);
            return Redraw;
        case Command::Erase:
            if (!state.typed.empty()) {
                state.typed.pop_back();
            } else if (!state.chosen.empty()) {
                state.chosen.pop_back();
            }
            return Redraw;
        case Command::Confirm: {
            if (asksNumber(*q)) {
                if (state.typed.empty()) return Redraw;  // nothing typed: the line says what to do
                Answer answer;
                answer.choice = std::stoi(state.typed);
                answerWaiting(state, bench.lesson, page, answer);
                return Redraw;
            }
            takeTyped(state, n);
            if (!state.message.empty()) return Redraw;  // a number that is no vertex's: nothing answered
            Answer answer;
            answer.vertices = state.chosen;
            answerWaiting(state, bench.lesson, page, answer);
            return Redraw;
        }
        default:
            break;
    }
    return {};
}

// Z: the next task after the last one opened (of the other kind), or the first; the polygon framed
// anew, on its full picture. Undo (in editing) brings back the polygon there was.
Effect newTask(Workbench& bench) {
    EditState& e = bench.edit;
    release(bench);
    e.drawing = false;
    e.draft.clear();
    TaskState& task = bench.task;
    task.last = task.last < 0 ? task.first : task.last >= static_cast<long long>(MaxTask) ? 0 : task.last + 1;
    task.polygon = withPlainZeros(taskPolygon(static_cast<std::uint64_t>(task.last)));
    bench.steps.page = 0;
    bench.steps.playing = false;
    commit(bench, task.polygon);
    resetNavigation(bench.view);
    frameVertices(bench.view, bench.lesson.vertices);
    return Redraw;
}

}  // namespace

void setExercise(Workbench& bench, bool on) {
    if (on && bench.edit.on) pressEditKey(bench, Command::Edit, 0, 0);
    bench.exercise.on = on;
    startExercise(bench.exercise, bench.lesson);
    bench.captionChars = -1;
}

void markTask(Workbench& bench, long long task) {
    bench.task.last = task;
    bench.task.polygon = withPlainZeros(taskPolygon(static_cast<std::uint64_t>(task)));
    if (samePolygon(bench.lesson.vertices, bench.task.polygon)) bench.saved.clear();  // unsaved until S saves it
    setPolygon(bench, bench.lesson.vertices);
    relayout(bench);
}

namespace {

// Escape: leaves the innermost of full screen, the black screen, a drag or a new polygon under way,
// the help and editing, one a press; with none of them, nothing (it never closes the window).
Effect backOut(Workbench& bench, int x, int y) {
    Effect effect = Redraw;
    if (bench.fullScreen) {
        bench.fullScreen = false;
        effect.screen = true;
    } else if (bench.blank) {
        bench.blank = false;
    } else if (bench.edit.on && (bench.edit.dragged >= 0 || bench.edit.drawing)) {
        effect = pressEditKey(bench, Command::Cancel, x, y);
    } else if (bench.steps.help) {
        bench.steps.help = false;
    } else if (bench.edit.on) {
        effect = pressEditKey(bench, Command::Cancel, x, y);
    } else {
        effect = {};
    }
    return effect;
}

}  // namespace

void fullScreenWas(Workbench& bench, bool on) {
    if (bench.fullScreen == on) return;
    bench.fullScreen = on;
    relayout(bench);
}

long long taskFromClock(long long seconds) { return 1000 + 2 * (((seconds % 4500) + 4500) % 4500); }

bool keyCommand(const Workbench& bench, const KeyPress& key, Command& command) {
    if (bench.blank && (key.character != 0 || key.special != SpecialKey::None)) {
        command = Command::Blank;
        return true;
    }
    const Question* q = waiting(bench.lesson, bench.exercise, bench.steps.page);
    const KeyState state{bench.edit.on, bench.edit.drawing, q != nullptr, q != nullptr && q->choices.empty()};
    return commandFor(key, state, command);
}

Effect perform(Workbench& bench, Command command, int x, int y, char key) {
    const bool takenBack = command != Command::Quit && takeBackWarning(bench);
    Effect effect;
    switch (command) {
        case Command::Quit:
            effect = pressQuit(bench);
            break;
        case Command::Exercise:
            setExercise(bench, !bench.exercise.on);
            effect = Redraw;
            break;
        case Command::NewTask:
            effect = newTask(bench);
            break;
        case Command::Answer:
        case Command::Separator:
        case Command::Erase:
        case Command::Confirm:
            effect = exerciseKey(bench, command, key);
            break;
        case Command::Picture:
            effect.picture = true;
            break;
        case Command::Blank:
            bench.blank = !bench.blank;
            effect = Redraw;
            break;
        case Command::FullScreen:
            bench.fullScreen = !bench.fullScreen;
            effect = Redraw;
            effect.screen = true;
            break;
        case Command::Back:
            effect = backOut(bench, x, y);
            break;
        case Command::Document:
            effect.document = true;
            break;
        case Command::Edit:
        case Command::Grid:
        case Command::Undo:
        case Command::Redo:
        case Command::New:
        case Command::Save:
        case Command::Delete:
        case Command::Cancel:
        case Command::Close:
        case Command::RemoveLast:
            effect = pressEditKey(bench, command, x, y);
            break;
        default:
            effect = turnPage(bench, command);
            break;
    }
    if (takenBack) effect.redraw = true;
    relayout(bench);
    return effect;
}

Effect turnWheel(Workbench& bench, int direction, int x, int y) {
    // Over the picture; not over the caption or a panel.
    if (!inPicture(bench.view, x, y)) return {};
    zoomAbout(bench.view, x, y, direction > 0 ? WheelStep : 1.0 / WheelStep);
    return Redraw;
}

Effect resize(Workbench& bench, int width, int height) {
    resizeWindow(bench.view, width, height);
    relayout(bench);
    return Redraw;
}

Effect playTick(Workbench& bench, int generation) {
    StepView& view = bench.steps;
    if (generation != bench.playGeneration || !view.playing) return {};
    const int pages = pageCount(bench.lesson);
    if (view.page < pages) ++view.page;
    view.playing = view.page < pages;
    relayout(bench);
    Effect effect = Redraw;
    if (view.playing) {
        ++bench.playGeneration;
        effect.play = true;
    }
    return effect;
}

double playSeconds(const StepView& view) { return PlayIntervals[view.interval]; }

void wrote(Workbench& bench, bool savedPolygon, bool written, const std::string& message) {
    if (savedPolygon && written) bench.saved = bench.lesson.vertices;
    bench.edit.message = message;
    relayout(bench);
}

namespace {

Effect movePointerNow(Workbench& bench, int x, int y) {
    EditState& e = bench.edit;
    if (e.dragged >= 0) {
        // The pointer kept within the picture, so that the vertex in hand never goes under a band.
        const PixelRect& p = bench.view.picture;
        x = std::clamp(x, p.x, p.x + p.width - 1);
        y = std::clamp(y, bench.view.windowHeight - p.y - p.height, bench.view.windowHeight - 1 - p.y);
        Point placed;
        if (!placePoint(bench, x, y, placed)) {
            e.message = OutOfRange;
            return Redraw;
        }
        if (e.message == OutOfRange) e.message.clear();
        if (samePlace(placed, bench.lesson.vertices[e.dragged])) return {};
        std::vector<Point> polygon = bench.lesson.vertices;
        polygon[e.dragged] = placed;
        setPolygon(bench, polygon);
        return Redraw;
    }
    if (!movePointer(bench.view, x, y)) return {};
    return Redraw;
}

}  // namespace

int vertexAt(const ViewState& view, const std::vector<Point>& vertices, int x, int y) {
    const PlanePoint pointer = pointerPixels(view, x, y);
    int nearest = -1;
    double best = VertexReach;
    for (int i = 0; i < static_cast<int>(vertices.size()); ++i) {
        const double d = distance(pointer, sceneToPixels(view, vertices[i].x, vertices[i].y));
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

int edgeAt(const ViewState& view, const std::vector<Point>& vertices, int x, int y) {
    const int n = static_cast<int>(vertices.size());
    if (n < 2 || vertexAt(view, vertices, x, y) >= 0) return -1;
    const PlanePoint pointer = pointerPixels(view, x, y);
    int nearest = -1;
    double best = EdgeReach;
    for (int i = 0; i < n; ++i) {
        const PlanePoint a = sceneToPixels(view, vertices[i].x, vertices[i].y);
        const PlanePoint b = sceneToPixels(view, vertices[(i + 1) % n].x, vertices[(i + 1) % n].y);
        const double t = nearestFraction(pointer, a, b);
        const double d = distance(pointer, {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

double gridStep(const ViewState& view) {
    double size = std::max(view.boundsWidth, view.boundsHeight);
    if (!(size > 0.0)) size = view.picture.height / pixelsPerUnit(view);
    size /= view.zoom;
    const double target = size / 20.0;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    double best = power;
    for (const double m : {2.0, 5.0, 10.0}) {
        if (std::abs(std::log(m * power / target)) < std::abs(std::log(best / target))) best = m * power;
    }
    return best;
}

bool placePoint(const Workbench& bench, int x, int y, Point& placed) {
    PlanePoint p = pointerInScene(bench.view, x, y);
    if (bench.edit.grid) {
        const double step = gridStep(bench.view);
        p = {snap(p.x, step), snap(p.y, step)};
    }
    const Point point = planePoint(p.x, p.y);
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return false;
    placed = point;
    return true;
}

std::vector<GridLine> gridLines(const ViewState& view, double step) {
    // The bounding box of the plane points under the picture's corners.
    const PixelRect& r = view.picture;
    const int top = view.windowHeight - (r.y + r.height);
    const int bottom = view.windowHeight - r.y;
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const int cx : {r.x, r.x + r.width}) {
        for (const int cy : {top, bottom}) {
            const PlanePoint p = pointerInScene(view, cx, cy);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    while ((maxX - minX) / step > 200 || (maxY - minY) / step > 200) step *= 10;
    std::vector<GridLine> lines;
    for (double k = std::ceil(minX / step); k * step <= maxX; ++k) lines.push_back({{k * step, minY}, {k * step, maxY}});
    for (double k = std::ceil(minY / step); k * step <= maxY; ++k) lines.push_back({{minX, k * step}, {maxX, k * step}});
    return lines;
}

std::vector<std::string> footerLines(const Workbench& bench, int chars) {
    const EditState& e = bench.edit;
    if (!e.on) return e.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{e.message};
    // A new polygon under way: the verdict it would get, closed as it stands.
    std::string verdict = e.drawing ? verdictLine(judgePolygon(e.draft.data(), static_cast<int>(e.draft.size())))
                                    : bench.lesson.verdictLine;
    if (bench.steps.page == 0 && !e.drawing) verdict += BottomGap + pageLine(bench.lesson, 0);
    std::vector<std::string> lines = wrapLines({verdict}, chars);
    if (lines.size() > 2) {  // a long list of vertices gives way
        lines.resize(2);
        lines[1] = firstCharacters(lines[1], static_cast<std::size_t>(std::max(0, chars - 3))) + "...";
    }
    lines.push_back(editingKeys(e.drawing));
    if (e.grid) {
        char text[80];
        std::snprintf(text, sizeof text, "Mreža: korak %g", gridStep(bench.view));
        lines.push_back(text);
    }
    if (!e.message.empty()) lines.push_back(e.message);
    return lines;
}

const Page& shownPage(const Workbench& bench) {
    const int page = std::clamp(bench.steps.page, 0, pageCount(bench.lesson));
    return exercisePage(bench.lesson, bench.exercise, page);
}

Workbench pictureBench(const Workbench& bench, const PictureStyle& style) {
    Workbench picture = bench;
    picture.style = style;
    picture.style.written = true;
    picture.edit.on = false;
    picture.edit.message.clear();
    picture.edit.dragged = -1;
    picture.steps.playing = false;
    picture.blank = false;
    if (style.bare) picture.steps.help = false;
    picture.captionChars = -1;
    if (style.width > 0 && style.height > 0) {
        picture.view.pixelRatio = 1.0;  // a picture of a size of its own: its pixels are the page's
        resize(picture, style.width, style.height);
    } else {
        relayout(picture);
    }
    return picture;
}

Workbench lessonBench(const Workbench& bench, const PictureStyle& style) {
    Workbench lesson = pictureBench(bench, style);
    lesson.steps.help = false;
    return lesson;
}

void relayout(Workbench& bench) {
    const int w = bench.view.windowWidth;
    const int h = bench.view.windowHeight;
    const double ratio = bench.view.pixelRatio;
    const int chars = captionChars(windowText(w, h, ratio), w);
    const int shown = std::clamp(bench.steps.page, 0, pageCount(bench.lesson));
    ExerciseCaption asked;
    if (bench.exercise.on) asked = exerciseCaption(bench.lesson, bench.exercise, shown);
    // The picture alone has no caption, and so no panel beside it either.
    std::vector<std::string> caption = bench.style.bare ? std::vector<std::string>{}
                                       : bench.exercise.on ? asked.lines
                                                           : shownPage(bench).caption;
    const auto playingLine = [](double seconds) {
        char text[80];
        std::snprintf(text, sizeof text, "Automatski: korak svakih %g s (P zaustavlja)", seconds);
        return std::string(text);
    };
    if (!caption.empty() && bench.steps.playing) caption.push_back(playingLine(playSeconds(bench.steps)));
    // The caption band keeps the height of the tallest caption of the page's part of the lesson (the
    // sweep, the cut, the guards, ...) with the playing line of any interval, so that the picture
    // holds still from page to page within a part and as the play speeds up or slows down, and moves
    // only where the lesson turns to its next part; worked out again only for another lesson or width.
    if (bench.captionChars != chars) {
        bench.captionChars = chars;
        bench.captionLines.clear();
        for (const Page& p : bench.lesson.pages) {
            if (p.caption.empty()) continue;
            if (static_cast<int>(bench.captionLines.size()) <= p.part) bench.captionLines.resize(p.part + 1, 0);
            std::vector<std::string> lines = p.caption;
            lines.emplace_back();
            for (const double seconds : PlayIntervals) {
                lines.back() = playingLine(seconds);
                bench.captionLines[p.part] = std::max(bench.captionLines[p.part], static_cast<int>(wrapLines(lines, chars).size()));
            }
        }
    }
    const int part = bench.lesson.pages[shown].part;
    // In the exercise, the band keeps the height of its page's tallest caption, the question's or the
    // answer's with the playing line, so that the picture holds still while the page goes from its
    // question to its step; the captions of the whole lesson with their answers would leave the
    // picture too little room.
    const int reserved = caption.empty()       ? 0
                         : bench.exercise.on ? tallestExerciseCaption(bench.lesson, shown, chars) + 1
                         : part < static_cast<int>(bench.captionLines.size()) ? bench.captionLines[part]
                                                                               : 0;
    // The panel: two columns, the stack before the step and after it, two characters apart, the top
    // marked "vrh"; the sweep line's edges fit in it too.
    const int boxChars = stackBoxChars(static_cast<int>(bench.lesson.vertices.size()));
    const int panelChars = bench.lesson.pages[shown].panel != Panel::None && !bench.style.bare ? 2 * boxChars + 2 + 4 : 0;
    // The band keeps its height through the whole of editing (the verdict, the keys of either kind,
    // the grid's line and a message), so that the picture holds still under the pointer.
    const int keys = static_cast<int>(
        std::max(wrapLines({editingKeys(false)}, chars).size(), wrapLines({editingKeys(true)}, chars).size()));
    // The row of buttons along the bottom: in the window's own frames, never in a picture written out.
    // A picture of the window's size keeps its place, empty, so that it shows the page just as the
    // window does; one of a size of its own (a slide) or of the polygon alone has the height for it.
    const PictureStyle& style = bench.style;
    const bool keepsRow = !style.written || (style.width == 0 && style.height == 0 && !style.bare);
    const int toolbar = keepsRow ? toolbarHeight(windowText(w, h, ratio), h, ratio) : 0;
    // A message is given the lines one of eighty characters wraps to, so that on a narrow screen too
    // the picture holds still as messages come and go.
    const int messageLines = std::max(1, (80 + chars - 1) / std::max(1, chars));
    // The panel's most lines over the lesson: the tallest stack with its title and column labels,
    // the most edges on the sweep line with the title and heading, so that its text holds still.
    int panelLines = 0;
    if (panelChars > 0) {
        std::size_t status = 0;
        for (const Page& p : bench.lesson.pages) status = std::max(status, p.status.size());
        panelLines = bench.lesson.pages[shown].panel == Panel::Stack ? bench.lesson.tallestStack + 3
                                                                     : static_cast<int>(status) + 3;
    }
    PageLayout layout = layoutPage(w, h, caption, reserved, panelChars, footerLines(bench, chars),
                                   bench.edit.on ? keys + 3 + messageLines : 0, toolbar, ratio, panelLines);
    if (bench.edit.dragged >= 0) {
        // Under a drag the texts follow the polygon, but every part of the window stays where it was.
        const PageLayout& held = bench.edit.held;
        layout.text = held.text;
        layout.captionBand = held.captionBand;
        layout.stackPanel = held.stackPanel;
        layout.panelText = held.panelText;
        layout.footerBand = held.footerBand;
        layout.picture = held.picture;
    }
    // The buttons of a waiting question, on the two lines its caption keeps for them: its choices, or
    // for a number a step down and up and the confirmation, for vertices taking the last one back
    // and the confirmation (so that a finger answers every question).
    if (asked.buttonsAt >= 0 && !bench.steps.help) {
        const Question* q = waiting(bench.lesson, bench.exercise, shown);
        std::vector<std::string> labels;
        std::vector<std::pair<Command, char>> gives;
        if (!q->choices.empty()) {
            for (const Choice& c : q->choices) {
                labels.push_back(c.label);
                gives.emplace_back(Command::Answer, c.key);
            }
        } else {
            if (asksNumber(*q)) {
                labels = {"-", "+"};
                gives = {{Command::Answer, '-'}, {Command::Answer, '+'}};
            } else {
                labels = {"Obriši"};
                gives = {{Command::Erase, 0}};
            }
            labels.emplace_back("Potvrdi (Enter)");
            gives.emplace_back(Command::Confirm, 0);
        }
        const std::vector<std::string> above(asked.lines.begin(), asked.lines.begin() + asked.buttonsAt);
        const int line = static_cast<int>(wrapLines(above, chars).size()) + 1;  // the second of the two
        const TextStyle& t = layout.text;
        const PixelRect& band = layout.captionBand;
        const double bottom = band.y + band.height - t.margin - t.size - line * t.line + 0.25 * t.size;
        layout.buttons = buttonRow(labels, t, w, bottom);
        for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
            layout.buttons[i].command = gives[i].first;
            layout.buttons[i].key = gives[i].second;
        }
    }
    if (toolbar > 0 && !style.written) {
        const bool playing = bench.steps.playing;
        const std::vector<ToolLabel> labels = {{"< Prethodna", "<"}, {"Sledeća >", ">"},
                                               {playing ? "Stani (P)" : "Pusti (P)", "P"}, {"Uredi (E)", "E"},
                                               {"Vežba (V)", "V"}, {"Pomoć (H)", "H"}, {"Ceo ekran (F)", "F"}};
        const std::pair<Command, bool> gives[] = {{Command::Previous, false}, {Command::Next, false},
                                                  {Command::Play, playing},   {Command::Edit, bench.edit.on},
                                                  {Command::Exercise, bench.exercise.on}, {Command::Help, bench.steps.help},
                                                  {Command::FullScreen, bench.fullScreen}};
        std::vector<Button> row = toolbarRow(labels, layout.text, w, toolbar, ratio);
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i].command = gives[i].first;
            row[i].on = gives[i].second;
            layout.buttons.push_back(row[i]);
        }
    }
    bench.layout = layout;
    const PixelRect& was = bench.view.picture;
    const PixelRect& now = layout.picture;
    if (was.x != now.x || was.y != now.y || was.width != now.width || was.height != now.height) {
        framePicture(bench.view, now);
    }
}

std::string floatText(float value) {
    if (value == 0.0f) return "0";
    // Of the precisions that read back as the same float, the one written shortest: 10, not 1e+01.
    std::string best;
    char text[40];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        const bool same = std::strtof(text, nullptr) == value;
        if ((same || digits == 9) && (best.empty() || std::strlen(text) < best.size())) best = text;
    }
    return best;
}

std::string polygonText(const std::vector<Point>& vertices) {
    std::string out = std::to_string(vertices.size()) + "\n";
    for (const Point& p : vertices) out += floatText(p.x) + " " + floatText(p.y) + "\n";
    return out;
}

int writeWholeFile(const std::string& path, const std::string& text, bool fresh) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (fresh ? O_EXCL : O_TRUNC), 0644);
    if (fd < 0) return errno;
    int error = 0;
    for (std::size_t done = 0; done < text.size() && error == 0;) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            error = n == 0 ? EIO : errno;
        }
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) ::unlink(path.c_str());
    return error;
}

bool writeFreeFile(const std::string& folder, const std::string& stem, const std::string& extension,
                   const std::string& text, std::string& name) {
    for (int k = 1; k <= 100000; ++k) {
        name = stem + "-" + std::to_string(k) + extension;
        const int error = writeWholeFile(folder + "/" + name, text, true);
        if (error != EEXIST) return error == 0;
    }
    return false;
}

std::string savedWord(SavedFile file, bool written, const std::string& name) {
    if (!written) {
        return std::string(file == SavedFile::Polygon   ? "Poligon nije sačuvan"
                           : file == SavedFile::Picture ? "Slika nije sačuvana"
                                                        : "Lekcija nije sačuvana") +
               ": u tekućoj fascikli ne može da se napravi datoteka.";
    }
    switch (file) {
        case SavedFile::Polygon:
            return "Poligon je sačuvan u datoteku " + name + ".";
        case SavedFile::Picture:
            return "Slika je sačuvana u datoteci " + name + ".";
        case SavedFile::Lesson:
            break;
    }
    return "Lekcija je sačuvana u datoteci " + name + ".";
}

SavedWords savedWords(SavedFile file, bool written, const std::string& name) {
    return {savedWord(file, written, name), consoleSavedWord(file, written, name)};
}

bool savePolygon(const std::vector<Point>& vertices, const std::string& folder, SavedWords& words) {
    std::string name;
    const bool written = writeFreeFile(folder, "poligon", ".txt", polygonText(vertices), name);
    words = savedWords(SavedFile::Polygon, written, name);
    return written;
}
