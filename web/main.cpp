// The program in a browser: the same dialogue, lesson, workbench and frames as the window, reached
// from the page's script. The page hands in the polygon's text, the keys, the mouse, the clock and
// the canvas's size; it takes back the dialogue's console text, each frame's shapes (as JSON, for
// drawing on a canvas), the files to download, and the address's fragment.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <vector>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

#include "app/dialogue.h"
#include "geometry/task.h"
#include "viewer/frame.h"
#include "viewer/svg.h"
#include "viewer/text.h"
#include "viewer/workbench.h"

namespace {

// The most characters the page takes as a polygon's text, from the box, a file or a link: a
// hundred vertices with the longest numbers the dialogue reads need a little over 51,000.
constexpr int MaxInput = 100000;

const char* const ReplaceWarning = "Izmene nisu sačuvane: S čuva, Prikaži još jednom zamenjuje poligon.";

// The one state of the page, which every call from the script reaches.
struct Page {
    Workbench bench;
    std::string console;      // what the console program would have printed
    std::vector<Point> dialogueOf;  // the polygon whose dialogue the console holds
    bool replaceWarned = false;  // "Prikazi" met unsaved edits once: the next one replaces them
    std::string reply;        // the last text handed to the script
    int width = WindowWidth;  // the canvas
    int height = WindowHeight;
    double ratio = 1.0;       // its device pixels to a CSS pixel
    PictureStyle pictures;    // how I's pictures and D's print view look (the panel's controls)
    Workbench printed;        // the lesson as D's print view shows it
};
Page page;

const char* reply(std::string text) {
    page.reply = std::move(text);
    return page.reply.c_str();
}

// The effects the script carries out, as bits: draw, save (download the polygon), picture
// (download the page as SVG), play (time the next page), document (the lesson's print view).
int bitsOf(const Effect& e) {
    return (e.redraw ? 1 : 0) | (e.save ? 2 : 0) | (e.picture ? 4 : 0) | (e.play ? 8 : 0) | (e.document ? 16 : 0) |
           (e.screen ? 32 : 0);
}

// A line after the dialogue's, on a line of its own, as the console program prints it.
void consoleLine(const std::string& line) {
    if (!page.console.empty() && page.console.back() != '\n') page.console += '\n';
    page.console += line + "\n";
}

// A polygon is shown: one the dialogue read, or one drawn and closed on the empty page (not a new
// one under way, whose vertices the lesson does not have yet).
bool shown() { return !page.bench.lesson.vertices.empty(); }

void appendNumber(std::string& out, double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    out += text;
}

// A frame's shapes for the canvas, in its own pixels (origin at the top left): the text as the
// strokes of the window's font.
std::string json(const Frame& frame) {
    auto colour = [](const Rgba& c, float alpha) {
        char text[80];
        std::snprintf(text, sizeof text, "\"rgba(%d,%d,%d,%.3f)\"", static_cast<int>(c.r * 255 + 0.5),
                      static_cast<int>(c.g * 255 + 0.5), static_cast<int>(c.b * 255 + 0.5), alpha);
        return std::string(text);
    };
    std::string out = "{\"w\":" + std::to_string(frame.width) + ",\"h\":" + std::to_string(frame.height);
    out += ",\"clear\":" + colour(frame.clear, 1.0f);  // opaque on the canvas
    const PixelRect& p = frame.picture;
    out += ",\"clip\":[" + std::to_string(p.x) + "," + std::to_string(frame.height - p.y - p.height) + "," +
           std::to_string(p.width) + "," + std::to_string(p.height) + "],\"shapes\":[";
    bool first = true;
    for (const Shape& s : frame.shapes) {
        out += first ? "{" : ",{";
        first = false;
        out += "\"k\":" + std::to_string(static_cast<int>(s.kind)) + ",\"c\":" + colour(s.colour, s.colour.a);
        out += ",\"w\":";
        appendNumber(out, s.width);
        // The dashes as runs on and off from an "on", and how far into them the line starts.
        const DashRuns dashes = dashRuns(s.dash);
        out += ",\"d\":[";
        for (std::size_t i = 0; i < dashes.lengths.size(); ++i) {
            if (i > 0) out += ',';
            appendNumber(out, dashes.lengths[i]);
        }
        out += "],\"o\":";
        appendNumber(out, dashes.offset);
        out += ",\"x\":" + std::to_string(s.clipped ? 1 : 0);
        out += ",\"p\":[";
        std::vector<int> runs;
        if (s.kind == ShapeKind::Text) {
            const TextStrokes t = strokesOf(s.text);
            std::vector<float> placed;
            placeStrokes(s, t, placed);
            for (std::size_t i = 0; i + 1 < placed.size(); i += 2) {
                if (i > 0) out += ',';
                appendNumber(out, placed[i]);
                out += ',';
                appendNumber(out, frame.height - placed[i + 1]);
            }
            runs.assign(t.counts.begin(), t.counts.end());
        } else {
            for (std::size_t i = 0; i + 1 < s.xy.size(); i += 2) {
                if (i > 0) out += ',';
                appendNumber(out, s.xy[i]);
                out += ',';
                appendNumber(out, frame.height - s.xy[i + 1]);
            }
        }
        out += "],\"r\":[";
        for (std::size_t i = 0; i < runs.size(); ++i) out += (i > 0 ? "," : "") + std::to_string(runs[i]);
        out += "]}";
    }
    // The buttons drawn, each with its rectangle on the canvas (left, top, width, height) and its label.
    out += "],\"buttons\":[";
    first = true;
    for (const Button& b : frame.buttons) {
        out += first ? "{" : ",{";
        first = false;
        out += "\"x\":" + std::to_string(b.box.x) + ",\"y\":" + std::to_string(frame.height - b.box.y - b.box.height) +
               ",\"w\":" + std::to_string(b.box.width) + ",\"h\":" + std::to_string(b.box.height) + ",\"label\":\"" + b.label + "\"}";
    }
    // The words from the top down, for a screen reader (UTF-8, as every text of the window).
    out += "],\"texts\":[";
    first = true;
    for (const std::string& text : textsOf(frame)) {
        out += first ? "\"" : ",\"";
        first = false;
        for (const char c : text) {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
        out += '"';
    }
    return out + "]}";
}

// A new workbench in the page, laid out in the canvas. Its play generations go on from the last
// workbench's, so that a play tick still pending from the last polygon finds none of the new one's;
// so do Z, from the last task, and the exercise, on or off.
void show(Workbench bench) {
    bench.playGeneration = page.bench.playGeneration + 1;
    if (page.bench.exercise.on) setExercise(bench, true);
    bench.task.first = page.bench.task.first;
    if (bench.task.last < 0) {
        bench.task.last = page.bench.task.last;
        bench.task.polygon = page.bench.task.polygon;
    }
    page.bench = std::move(bench);
    page.bench.inPage = true;
    page.bench.view.pixelRatio = page.ratio;
    resize(page.bench, page.width, page.height);
}

// The dialogue on `input`, its lines kept for the console panel; false when the input ended before
// the polygon did (`why` then says what it refused last, if anything).
bool readInput(const std::string& input, Judgement& judged, std::string& why) {
    std::istringstream in(input);
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    static Point vertices[MaxVertices];
    int count = 0;
    const bool read = runDialogue(in, out, vertices, count, judged, &why);
    std::fclose(out);
    page.console.assign(text, size);
    std::free(text);
    page.dialogueOf = read ? judged.vertices : std::vector<Point>{};
    return read;
}

// The empty page, with the line that says why.
void openEmpty(const std::string& why) {
    Judgement none;
    Workbench bench = openWorkbench(none);
    bench.edit.message = why;
    show(std::move(bench));
}

// Shows the polygon the dialogue reads from `input`; false when the input ended before the polygon
// did: then the picture is the empty page, its band saying so and what was refused, as the console does.
bool openInput(const std::string& input) {
    Judgement judged;
    std::string refusal;
    if (readInput(input, judged, refusal)) {
        show(openWorkbench(judged));
        return true;
    }
    openEmpty(refusal.empty() ? "Unos je prekinut: poligon nije ceo." : "Unos je prekinut. " + refusal);
    return false;
}

// The polygon edits have made of the one read (not a new one under way, nor a drag not yet let go).
const std::vector<Point>& polygonNow() { return page.bench.history.polygons[page.bench.history.current]; }

bool samePoints(const std::vector<Point>& a, const std::vector<Point>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const Point& p, const Point& q) {
               return p.x == q.x && p.y == q.y;
           });
}

// Any key or click but "Prikazi" takes its warning back.
void takeBackReplaceWarning() {
    if (!page.replaceWarned) return;
    page.replaceWarned = false;
    if (page.bench.edit.message == ReplaceWarning) page.bench.edit.message.clear();
    relayout(page.bench);
}

// Vertices as the address writes them: x and y apart by a comma, vertex from vertex by a semicolon.
std::string vertexList(const std::vector<Point>& v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) out += (i > 0 ? ";" : "") + floatText(v[i].x) + "," + floatText(v[i].y);
    return out;
}

// The pairs of a vertex list, each number as it stands; false (with the number of the pair at
// fault in `bad`, from 1) when a pair is not two numbers apart by one comma.
bool readPairs(const std::string& list, std::vector<std::pair<std::string, std::string>>& pairs, int& bad) {
    std::stringstream in(list);
    for (std::string vertex; std::getline(in, vertex, ';');) {
        const std::size_t comma = vertex.find(',');
        if (comma == std::string::npos || vertex.find(',', comma + 1) != std::string::npos || comma == 0 ||
            comma + 1 == vertex.size() || vertex.find(' ') != std::string::npos) {
            bad = static_cast<int>(pairs.size()) + 1;
            return false;
        }
        pairs.emplace_back(vertex.substr(0, comma), vertex.substr(comma + 1));
    }
    return true;
}

// A number of a new polygon under way as the address has it: a finite float, written whole.
bool readNumber(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

// What a finger on the canvas at (x, y) (origin top left) meets, for the page's touch: a finger is
// far wider than the pointer the window's reaches are made for, so the button, vertex or edge
// nearest to it within `reach` pixels counts, and the press goes onto it, where the mouse's would
// meet it. Tried in the order a press tries them (pressButton).
enum class Touched { Nothing = 0, Click = 1, Vertex = 2, Edge = 3 };
struct Touch {
    Touched kind = Touched::Nothing;
    int x = 0;
    int y = 0;
};

Touch touchAt(const Workbench& bench, int x, int y, double reach) {
    const ViewState& view = bench.view;
    const PlanePoint finger{static_cast<double>(x), static_cast<double>(view.windowHeight - 1 - y)};
    Touch none{Touched::Nothing, x, y};
    if (bench.blank) return {Touched::Click, x, y};  // any press brings the page back
    // A GL pixel as the window's position the press is given.
    auto press = [&](Touched kind, const PlanePoint& p) {
        return Touch{kind, static_cast<int>(std::lround(p.x)), view.windowHeight - 1 - static_cast<int>(std::lround(p.y))};
    };
    const Button* button = nullptr;
    double best = reach;
    // Over the picture a finger near the row along the bottom means a vertex or an edge there: a
    // button of the row takes it only when it lands on the button.
    const bool overPicture = inPicture(view, x, y);
    for (const Button& b : bench.layout.buttons) {
        const bool ofTheRow = b.box.y + b.box.height <= bench.layout.toolbarBand.height;
        const double dx = std::max({b.box.x - finger.x, 0.0, finger.x - (b.box.x + b.box.width - 1)});
        const double dy = std::max({b.box.y - finger.y, 0.0, finger.y - (b.box.y + b.box.height - 1)});
        const double apart = std::hypot(dx, dy);
        if (apart <= best && !(overPicture && ofTheRow && apart > 0)) {
            best = apart;
            button = &b;
        }
    }
    if (button != nullptr) {
        return press(Touched::Click, {button->box.x + button->box.width / 2.0, button->box.y + button->box.height / 2.0});
    }
    if (bench.steps.help) return none;  // under the help only the buttons answer
    if (!inPicture(view, x, y)) return none;
    const std::vector<Point>& vertices = bench.lesson.vertices;
    // The vertex of `list` nearest to the finger within the reach, and where a press meets it.
    auto nearVertex = [&](const std::vector<Point>& list, Touch& at) {
        int nearest = -1;
        double closest = reach;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            const PlanePoint p = sceneToPixels(view, list[i].x, list[i].y);
            const double d = std::hypot(p.x - finger.x, p.y - finger.y);
            if (d <= closest) {
                closest = d;
                nearest = i;
                at = press(Touched::Vertex, p);
            }
        }
        return nearest >= 0 && vertexAt(view, list, at.x, at.y) == nearest;
    };
    const EditState& e = bench.edit;
    Touch at;
    if (!e.on) {
        const Question* q = waiting(bench.lesson, bench.exercise, bench.steps.page);
        if (q != nullptr && asksVertices(*q) && nearVertex(vertices, at)) return {Touched::Click, at.x, at.y};
        return none;
    }
    if (e.drawing) {
        // The first vertex closes a new polygon of three or more; anywhere else adds one.
        if (e.draft.size() >= 3 && nearVertex({e.draft.front()}, at)) return {Touched::Click, at.x, at.y};
        return {Touched::Click, x, y};
    }
    if (nearVertex(vertices, at)) return at;
    // The edge nearest within the reach, pressed at its point nearest to the finger, kept clear of
    // its ends (where a press would take hold of a vertex).
    const int n = static_cast<int>(vertices.size());
    Touch onEdge = none;
    double closest = reach;
    for (int i = 0; i < n && n >= 2; ++i) {
        const PlanePoint a = sceneToPixels(view, vertices[i].x, vertices[i].y);
        const PlanePoint b = sceneToPixels(view, vertices[(i + 1) % n].x, vertices[(i + 1) % n].y);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double clear = (VertexReach + 2.0) / std::max(length, 1e-9);
        if (clear >= 0.5) continue;
        const double t = std::clamp(((finger.x - a.x) * (b.x - a.x) + (finger.y - a.y) * (b.y - a.y)) / (length * length),
                                    clear, 1.0 - clear);
        const PlanePoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        const double d = std::hypot(p.x - finger.x, p.y - finger.y);
        const Touch there = press(Touched::Edge, p);
        if (d <= closest && edgeAt(view, vertices, there.x, there.y) == i) {
            closest = d;
            onEdge = there;
        }
    }
    return onEdge;
}

}  // namespace

extern "C" {

// The polygon in the dialogue's input format, typed, pasted or opened from a file. 1 when it is shown.
EMSCRIPTEN_KEEPALIVE int webOpen(const char* input) { return openInput(input) ? 1 : 0; }

// The most characters webOpen and webOpenFragment are given: the page refuses a longer text itself,
// before it reaches the program's memory, and says so with webRefuseInput.
EMSCRIPTEN_KEEPALIVE int webMaxInput() { return MaxInput; }

// A text of `length` characters, too long to read: the empty page, its band saying so.
EMSCRIPTEN_KEEPALIVE void webRefuseInput(int length) {
    page.console.clear();
    page.dialogueOf.clear();
    openEmpty("Unos je predugačak: " + std::to_string(length) + " znakova, a najviše je " + std::to_string(MaxInput) + ".");
}

// Whether the polygon shown may be replaced now ("Prikazi", a file): 0 when it has unsaved edits and
// this is the first try, which only warns in the band, as Q does in the window; the next try replaces.
EMSCRIPTEN_KEEPALIVE int webMayReplace() {
    if (!unsaved(page.bench) || page.replaceWarned) {
        page.replaceWarned = false;
        return 1;
    }
    page.replaceWarned = true;
    page.bench.edit.message = ReplaceWarning;
    relayout(page.bench);
    return 0;
}

// True while leaving the page would lose edits (the browser then asks before it goes).
EMSCRIPTEN_KEEPALIVE int webUnsaved() { return unsaved(page.bench) ? 1 : 0; }

// The address's fragment, "p=4&v=0,0;10,0;10,10;0,10": the page as "Strana" counts it, then the
// vertices; with "n=x,y;x,y" a new polygon under way as far as it was drawn (which a reload keeps);
// "z=4711" a task (its own polygon, when no vertices are given), "vezba=1" the exercise on (without
// it, off).
// What cannot be read opens the empty page, its band saying why. The console starts anew: it holds
// the dialogue only where the vertices went to it.
EMSCRIPTEN_KEEPALIVE void webOpenFragment(const char* fragment) {
    page.console.clear();
    page.dialogueOf.clear();
    std::string f = fragment;
    if (!f.empty() && f[0] == '#') f.erase(0, 1);
    std::string pagePart, vertexPart, draftPart, taskPart;
    bool hasPage = false, hasVertices = false, hasDraft = false, hasTask = false, exercise = false;
    std::stringstream fields(f);
    for (std::string field; std::getline(fields, field, '&');) {
        if (field.rfind("p=", 0) == 0) {
            pagePart = field.substr(2);
            hasPage = true;
        } else if (field.rfind("v=", 0) == 0) {
            vertexPart = field.substr(2);
            hasVertices = true;
        } else if (field.rfind("n=", 0) == 0) {
            draftPart = field.substr(2);
            hasDraft = true;
        } else if (field.rfind("z=", 0) == 0) {
            taskPart = field.substr(2);
            hasTask = true;
        } else if (field == "vezba=1") {
            exercise = true;
        }
    }
    const std::string prefix = "Adresa se ne može pročitati: ";
    std::uint64_t task = 0;
    if (hasTask && !readTask(taskPart, task)) return openEmpty(prefix + "zadatak je ceo broj od 0 do 999999999 (z=4711).");
    if (hasTask && !hasVertices) {
        vertexPart = vertexList(taskPolygon(task));  // the task's polygon, as a link with its vertices gives it
        hasVertices = true;
    }
    if ((!hasVertices || vertexPart.empty()) && !hasDraft) return openEmpty(prefix + "nema temena (#p=1&v=x,y;x,y;...).");
    int pageNumber = 1;
    if (hasPage) {
        char* end = nullptr;
        const long p = std::strtol(pagePart.c_str(), &end, 10);
        if (pagePart.empty() || *end != '\0' || p < 1 || p > 100000) {
            return openEmpty(prefix + "strana mora biti ceo broj od 1 naviše (p=1).");
        }
        pageNumber = static_cast<int>(p);
    }
    std::vector<std::pair<std::string, std::string>> pairs, draftPairs;
    int bad = 0;
    if (!readPairs(vertexPart, pairs, bad)) return openEmpty(prefix + "teme " + std::to_string(bad) + " nije par brojeva x,y.");
    if (!readPairs(draftPart, draftPairs, bad)) {
        return openEmpty(prefix + "teme " + std::to_string(bad) + " novog poligona nije par brojeva x,y.");
    }
    if (static_cast<int>(pairs.size()) > MaxVertices || static_cast<int>(draftPairs.size()) > MaxVertices) {
        return openEmpty(prefix + "najviše " + std::to_string(MaxVertices) + " temena.");
    }
    std::vector<Point> draft;
    for (const auto& [x, y] : draftPairs) {
        Point p;
        if (!readNumber(x, p.x) || !readNumber(y, p.y)) return openEmpty(prefix + "novi poligon nema ispravne brojeve.");
        draft.push_back(p);
    }
    if (!pairs.empty()) {
        // The vertices as the dialogue would read them typed, one per line.
        std::string input = std::to_string(pairs.size()) + "\n";
        for (const auto& [x, y] : pairs) input += x + " " + y + "\n";
        if (!openInput(input)) return openEmpty(prefix + "temena nisu ispravni brojevi (dijalog u konzoli kaže zašto).");
        page.bench.steps.page = std::min(pageNumber - 1, pageCount(page.bench.lesson));
    } else {
        openEmpty("");
    }
    if (hasDraft) {
        // The new polygon goes on where the address left it.
        Workbench& bench = page.bench;
        bench.edit.on = true;
        bench.edit.drawing = true;
        bench.edit.draft = draft;
        bench.steps.page = 0;
        setPolygon(bench, {});
    }
    if (hasTask && !pairs.empty()) markTask(page.bench, static_cast<long long>(task));
    if (!hasDraft) setExercise(page.bench, exercise);  // as the link says; a new polygon under way is editing's
    relayout(page.bench);
}

// The fragment that opens the polygon as it now is at the page now shown, and while a new one is
// drawn, the polygon before it and the new one so far; empty without either.
EMSCRIPTEN_KEEPALIVE const char* webFragment() {
    const EditState& e = page.bench.edit;
    const std::vector<Point>& v = e.drawing ? polygonNow() : page.bench.lesson.vertices;
    std::string f;
    if (!v.empty()) {
        f = "p=" + std::to_string(e.drawing ? 1 : page.bench.steps.page + 1);
        if (!e.drawing && page.bench.task.shown >= 0) f += "&z=" + std::to_string(page.bench.task.shown);
        if (page.bench.exercise.on) f += "&vezba=1";
        f += "&v=" + vertexList(v);
    }
    if (e.drawing) f += (f.empty() ? "n=" : "&n=") + vertexList(e.draft);
    return reply(f);
}

// The console: the dialogue for the polygon shown, as if it had been typed (after an edit, the
// edited one's), then the lines since.
EMSCRIPTEN_KEEPALIVE const char* webConsole() {
    const std::vector<Point>& now = polygonNow();
    if (!now.empty() && !samePoints(now, page.dialogueOf)) {
        Judgement judged;
        std::string why;
        readInput(polygonText(now), judged, why);
    }
    return page.console.c_str();
}

// The polygon shown, in the dialogue's input format; empty without one.
EMSCRIPTEN_KEEPALIVE const char* webPolygonText() {
    return reply(shown() ? polygonText(page.bench.lesson.vertices) : std::string());
}

// The canvas's size in device pixels, `ratio` of them to a CSS pixel (the text and the buttons go by
// CSS pixels).
EMSCRIPTEN_KEEPALIVE int webResize(int width, int height, double ratio) {
    page.width = width;
    page.height = height;
    page.ratio = std::isfinite(ratio) && ratio > 0 ? ratio : 1.0;
    page.bench.view.pixelRatio = page.ratio;
    return bitsOf(resize(page.bench, width, height));
}

// A key: a character (its code), or one of the keys without one (1 right, 2 left, 3 home, 4 end,
// 5 page up, 6 page down, 7 Shift+Right, 8 Shift+Left, 9 F11). Closing keys do nothing in a page, and neither do characters outside
// ASCII, which no row of the table has.
EMSCRIPTEN_KEEPALIVE int webKey(int character, int special, int x, int y) {
    if (character < 0 || character > 127) return 0;
    static const SpecialKey specials[] = {SpecialKey::None, SpecialKey::Right, SpecialKey::Left, SpecialKey::Home,
                                          SpecialKey::End, SpecialKey::PageUp, SpecialKey::PageDown,
                                          SpecialKey::ShiftRight, SpecialKey::ShiftLeft, SpecialKey::F11};
    const KeyPress key{static_cast<char>(character), specials[special >= 0 && special <= 9 ? special : 0]};
    takeBackReplaceWarning();
    Command command;
    if (!keyCommand(page.bench, key, command) || command == Command::Quit) return 0;
    // S with no polygon to save (a new one under way gets the band's word that it is not closed).
    if (command == Command::Save && !shown() && !page.bench.edit.drawing) return 0;
    return bitsOf(perform(page.bench, command, x, y, key.character));
}

// Full screen: what the program asks for (after a key whose bits say 32), and what the page got (the
// browser leaves it on its own Escape too).
EMSCRIPTEN_KEEPALIVE int webFullScreen() { return page.bench.fullScreen ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void webFullScreenWas(int on) { fullScreenWas(page.bench, on != 0); }

EMSCRIPTEN_KEEPALIVE int webButton(int button, int pressed, int x, int y) {
    if (pressed != 0) takeBackReplaceWarning();
    return bitsOf(pressButton(page.bench, button, pressed != 0, x, y));
}

EMSCRIPTEN_KEEPALIVE int webMotion(int x, int y) { return bitsOf(movePointerTo(page.bench, x, y)); }

EMSCRIPTEN_KEEPALIVE int webWheel(int direction, int x, int y) { return bitsOf(turnWheel(page.bench, direction, x, y)); }

// A finger put down at (x, y): "kind x y", what it meets (0 nothing, 1 a press there clicks, 2 a
// vertex to drag, 3 an edge to insert a vertex on) and where the page presses for it.
EMSCRIPTEN_KEEPALIVE const char* webTouch(int x, int y, int reach) {
    const Touch t = touchAt(page.bench, x, y, reach);
    return reply(std::to_string(static_cast<int>(t.kind)) + " " + std::to_string(t.x) + " " + std::to_string(t.y));
}

// Two fingers: the picture moved from where their middle was to where it is now, then scaled by
// `factor` (how much further apart they are) about it.
EMSCRIPTEN_KEEPALIVE int webPinch(int fromX, int fromY, int toX, int toY, double factor) {
    ViewState& view = page.bench.view;
    if (page.bench.blank) return 0;
    double ax = 0.0, ay = 0.0, bx = 0.0, by = 0.0;
    pointerOnPlane(view, fromX, fromY, ax, ay);
    pointerOnPlane(view, toX, toY, bx, by);
    view.panX += bx - ax;
    view.panY += by - ay;
    if (std::isfinite(factor) && factor > 0.0) zoomAbout(view, toX, toY, factor);
    return 1;
}

// The play's clock: the generation to time, the interval in milliseconds; a tick of a generation.
EMSCRIPTEN_KEEPALIVE int webPlayGeneration() { return page.bench.playGeneration; }
EMSCRIPTEN_KEEPALIVE int webPlayMilliseconds() { return static_cast<int>(playSeconds(page.bench.steps) * 1000); }
EMSCRIPTEN_KEEPALIVE int webTick(int generation) { return bitsOf(playTick(page.bench, generation)); }

EMSCRIPTEN_KEEPALIVE const char* webFrame() { return reply(json(frameOf(page.bench))); }

// The polygon to download as the K-th saved one, and the page as the K-th picture; each says so
// in the band and on the console.
EMSCRIPTEN_KEEPALIVE const char* webSavedPolygon(int k) {
    const SavedWords words = savedWords(SavedFile::Polygon, true, "poligon-" + std::to_string(k) + ".txt");
    const std::string text = polygonText(page.bench.lesson.vertices);
    wrote(page.bench, true, true, words.band);
    consoleLine(words.console);
    return reply(text);
}

EMSCRIPTEN_KEEPALIVE const char* webPicture(int k) {
    const std::string svg = svgOf(frameOf(pictureBench(page.bench, page.pictures)));
    const SavedWords words = savedWords(SavedFile::Picture, true, "slika-" + std::to_string(k) + ".svg");
    wrote(page.bench, false, true, words.band);
    consoleLine(words.console);
    return reply(svg);
}

// How the pictures (I) and the print view (D) look: a size (0 by 0: the canvas's), white, the
// picture alone; from the panel's controls.
EMSCRIPTEN_KEEPALIVE void webPictureStyle(int width, int height, int white, int bare) {
    const bool sized = width >= 100 && width <= 10000 && height >= 100 && height <= 10000;
    page.pictures = {sized ? width : 0, sized ? height : 0, white != 0, bare != 0};
}

// D's print view: the lesson as it now is, laid out for printing, its pages counted; then each page
// as SVG, from 0. The band says what to do with it.
EMSCRIPTEN_KEEPALIVE int webPrintPages() {
    page.printed = lessonBench(page.bench, page.pictures);
    const int pages = pageCount(page.printed.lesson) + 1;
    wrote(page.bench, false, true,
          "Lekcija (" + std::to_string(pages) + " strana) je spremna za štampu: sačuvajte je kao PDF.");
    return pages;
}

EMSCRIPTEN_KEEPALIVE const char* webPrintPage(int k) {
    page.printed.steps.page = std::clamp(k, 0, pageCount(page.printed.lesson));
    relayout(page.printed);
    return reply(svgOf(frameOf(page.printed)));
}

// The page without a polygon yet: its band says what to do.
EMSCRIPTEN_KEEPALIVE void webOpenNothing() { openEmpty("Unesite poligon u polje desno i pritisnite Prikaži."); }

}  // extern "C"
