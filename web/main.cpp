// The program in a browser: the same dialogue, lesson, workbench and frames as the window, reached
// from the page's script. The page hands in the polygon's text, the keys, the mouse, the clock and
// the canvas's size; it takes back the dialogue's console text, each frame's shapes (as JSON, for
// drawing on a canvas), the files to download, and the address's fragment.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

#include "app/dialogue.h"
#include "viewer/frame.h"
#include "viewer/svg.h"
#include "viewer/text.h"
#include "viewer/workbench.h"

namespace {

// The one state of the page, which every call from the script reaches.
struct Page {
    Workbench bench;
    std::string console;      // what the console program would have printed
    std::string reply;        // the last text handed to the script
    int width = WindowWidth;  // the canvas
    int height = WindowHeight;
};
Page page;

const char* reply(std::string text) {
    page.reply = std::move(text);
    return page.reply.c_str();
}

// The effects the script carries out, as bits: draw, save (download the polygon), picture
// (download the page as SVG), play (time the next page).
int bitsOf(const Effect& e) {
    return (e.redraw ? 1 : 0) | (e.save ? 2 : 0) | (e.picture ? 4 : 0) | (e.play ? 8 : 0);
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
        out += ",\"d\":" + std::to_string(s.dash != 0 ? 1 : 0) + ",\"x\":" + std::to_string(s.clipped ? 1 : 0);
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
    // The words from the top down, for a screen reader (ASCII, as every text of the window).
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
// workbench's, so that a play tick still pending from the last polygon finds none of the new one's.
void show(Workbench bench) {
    bench.playGeneration = page.bench.playGeneration + 1;
    page.bench = std::move(bench);
    page.bench.inPage = true;
    resize(page.bench, page.width, page.height);
}

// Shows the polygon the dialogue reads from `input`, the dialogue's lines kept for the console
// panel; false when the input ended before the polygon did (the picture stays as it was).
bool openInput(const std::string& input) {
    std::istringstream in(input);
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    static Point vertices[MaxVertices];
    int count = 0;
    Judgement judged;
    const bool read = runDialogue(in, out, vertices, count, judged);
    std::fclose(out);
    page.console.assign(text, size);
    std::free(text);
    if (!read) return false;
    show(openWorkbench(judged));
    return true;
}

// The empty page, with the line that says why.
void openEmpty(const std::string& why) {
    Judgement none;
    Workbench bench = openWorkbench(none);
    bench.edit.message = why;
    show(std::move(bench));
}

}  // namespace

extern "C" {

// The polygon in the dialogue's input format, typed, pasted or opened from a file. 1 when it is shown.
EMSCRIPTEN_KEEPALIVE int webOpen(const char* input) { return openInput(input) ? 1 : 0; }

// The address's fragment, "p=4&v=0,0;10,0;10,10;0,10": the page as "Strana" counts it, then the
// vertices. What cannot be read opens the empty page, its band saying why. The console starts
// anew: it holds the dialogue only where the vertices went to it.
EMSCRIPTEN_KEEPALIVE void webOpenFragment(const char* fragment) {
    page.console.clear();
    std::string f = fragment;
    if (!f.empty() && f[0] == '#') f.erase(0, 1);
    std::string pagePart, vertexPart;
    bool hasPage = false, hasVertices = false;
    std::stringstream fields(f);
    for (std::string field; std::getline(fields, field, '&');) {
        if (field.rfind("p=", 0) == 0) {
            pagePart = field.substr(2);
            hasPage = true;
        } else if (field.rfind("v=", 0) == 0) {
            vertexPart = field.substr(2);
            hasVertices = true;
        }
    }
    const std::string prefix = "Adresa se ne moze procitati: ";
    if (!hasVertices || vertexPart.empty()) return openEmpty(prefix + "nema temena (#p=1&v=x,y;x,y;...).");
    int pageNumber = 1;
    if (hasPage) {
        char* end = nullptr;
        const long p = std::strtol(pagePart.c_str(), &end, 10);
        if (pagePart.empty() || *end != '\0' || p < 1 || p > 100000) {
            return openEmpty(prefix + "strana mora biti ceo broj od 1 navise (p=1).");
        }
        pageNumber = static_cast<int>(p);
    }
    // The vertices as the dialogue would read them typed, one per line.
    std::string input;
    int count = 0;
    std::stringstream list(vertexPart);
    for (std::string vertex; std::getline(list, vertex, ';');) {
        const std::size_t comma = vertex.find(',');
        if (comma == std::string::npos || vertex.find(',', comma + 1) != std::string::npos || comma == 0 ||
            comma + 1 == vertex.size() || vertex.find(' ') != std::string::npos) {
            return openEmpty(prefix + "teme " + std::to_string(count + 1) + " nije par brojeva x,y.");
        }
        input += vertex.substr(0, comma) + " " + vertex.substr(comma + 1) + "\n";
        ++count;
    }
    if (count > MaxVertices) return openEmpty(prefix + "najvise " + std::to_string(MaxVertices) + " temena.");
    if (!openInput(std::to_string(count) + "\n" + input)) {
        return openEmpty(prefix + "temena nisu ispravni brojevi (dijalog u konzoli kaze zasto).");
    }
    page.bench.steps.page = std::min(pageNumber - 1, pageCount(page.bench.lesson));
    relayout(page.bench);
}

// The fragment that opens the polygon as it now is at the page now shown; empty without a polygon,
// and while a new one is drawn, so that the address keeps the last polygon until the new one closes.
EMSCRIPTEN_KEEPALIVE const char* webFragment() {
    if (!shown()) return reply("");
    std::string f = "p=" + std::to_string(page.bench.steps.page + 1) + "&v=";
    const std::vector<Point>& v = page.bench.lesson.vertices;
    for (std::size_t i = 0; i < v.size(); ++i) f += (i > 0 ? ";" : "") + floatText(v[i].x) + "," + floatText(v[i].y);
    return reply(f);
}

EMSCRIPTEN_KEEPALIVE const char* webConsole() { return page.console.c_str(); }

// The polygon shown, in the dialogue's input format; empty without one.
EMSCRIPTEN_KEEPALIVE const char* webPolygonText() {
    return reply(shown() ? polygonText(page.bench.lesson.vertices) : std::string());
}

EMSCRIPTEN_KEEPALIVE int webResize(int width, int height) {
    page.width = width;
    page.height = height;
    return bitsOf(resize(page.bench, width, height));
}

// A key: a character (its code), or one of the keys without one (1 right, 2 left, 3 home, 4 end,
// 5 page up, 6 page down). Closing keys do nothing in a page, and neither do characters outside
// ASCII, which no row of the table has.
EMSCRIPTEN_KEEPALIVE int webKey(int character, int special, int x, int y) {
    if (character < 0 || character > 127) return 0;
    static const SpecialKey specials[] = {SpecialKey::None, SpecialKey::Right, SpecialKey::Left, SpecialKey::Home,
                                          SpecialKey::End, SpecialKey::PageUp, SpecialKey::PageDown};
    const KeyPress key{static_cast<char>(character), specials[special >= 0 && special <= 6 ? special : 0]};
    Command command;
    if (!commandFor(key, page.bench.edit.on, page.bench.edit.drawing, command) || command == Command::Quit) return 0;
    // S with no polygon to save (a new one under way gets the band's word that it is not closed).
    if (command == Command::Save && !shown() && !page.bench.edit.drawing) return 0;
    return bitsOf(perform(page.bench, command, x, y));
}

EMSCRIPTEN_KEEPALIVE int webButton(int button, int pressed, int x, int y) {
    return bitsOf(pressButton(page.bench, button, pressed != 0, x, y));
}

EMSCRIPTEN_KEEPALIVE int webMotion(int x, int y) { return bitsOf(movePointerTo(page.bench, x, y)); }

EMSCRIPTEN_KEEPALIVE int webWheel(int direction, int x, int y) { return bitsOf(turnWheel(page.bench, direction, x, y)); }

// The play's clock: the generation to time, the interval in milliseconds; a tick of a generation.
EMSCRIPTEN_KEEPALIVE int webPlayGeneration() { return page.bench.playGeneration; }
EMSCRIPTEN_KEEPALIVE int webPlayMilliseconds() { return static_cast<int>(playSeconds(page.bench.steps) * 1000); }
EMSCRIPTEN_KEEPALIVE int webTick(int generation) { return bitsOf(playTick(page.bench, generation)); }

EMSCRIPTEN_KEEPALIVE const char* webFrame() { return reply(json(frameOf(page.bench))); }

// The polygon to download as the K-th saved one, and the page as the K-th picture; each says so
// in the band and on the console.
EMSCRIPTEN_KEEPALIVE const char* webSavedPolygon(int k) {
    const std::string message = savedWord(true, true, "poligon-" + std::to_string(k) + ".txt");
    const std::string text = polygonText(page.bench.lesson.vertices);
    wrote(page.bench, true, true, message);
    consoleLine(message);
    return reply(text);
}

EMSCRIPTEN_KEEPALIVE const char* webPicture(int k) {
    const std::string svg = svgOf(frameOf(page.bench));
    const std::string message = savedWord(false, true, "slika-" + std::to_string(k) + ".svg");
    wrote(page.bench, false, true, message);
    consoleLine(message);
    return reply(svg);
}

// The page without a polygon yet: its band says what to do.
EMSCRIPTEN_KEEPALIVE void webOpenNothing() { openEmpty("Unesite poligon u polje desno i pritisnite Prikazi."); }

}  // extern "C"
