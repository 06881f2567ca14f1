#include "viewer/svg.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "viewer/text.h"
#include "viewer/workbench.h"

namespace {

// A number of pixels, to a hundredth, in its fewest characters, appended to `out`.
void appendNumber(std::string& out, double v) {
    // A frame's numbers are finite and within its reach; anything else is written as 0, never as
    // a number the rounding below cannot hold.
    if (!(std::abs(v) <= FrameReach)) v = 0.0;
    long long hundredths = std::llround(v * 100);
    if (hundredths < 0) {
        out += '-';
        hundredths = -hundredths;
    }
    out += std::to_string(hundredths / 100);
    const int rest = static_cast<int>(hundredths % 100);
    if (rest == 0) return;
    out += '.';
    out += static_cast<char>('0' + rest / 10);
    if (rest % 10 != 0) out += static_cast<char>('0' + rest % 10);
}

std::string number(double v) {
    std::string s;
    appendNumber(s, v);
    return s;
}

}  // namespace

std::string colourOf(const Rgba& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<int>(std::lround(c.r * 255)),
                  static_cast<int>(std::lround(c.g * 255)), static_cast<int>(std::lround(c.b * 255)));
    return text;
}

namespace {

// Text as XML character data: its characters as UTF-8, markup's own escaped, and what XML cannot
// hold (control characters, malformed bytes) as U+FFFD.
std::string xmlText(const std::string& text) {
    std::u32string characters = charactersOf(text);
    for (char32_t& c : characters) {
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) c = 0xFFFD;
    }
    std::string out;
    for (const char c : utf8Of(characters)) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

struct Writer {
    const Frame& frame;
    std::string out;

    // A point of the frame, SVG's origin at the top left.
    void point(double x, double y) {
        appendNumber(out, x);
        out += ' ';
        appendNumber(out, frame.height - y);
    }
    // A path of the points taken `group` at a time, each group a run of its own, closed or not.
    void runs(const std::vector<float>& xy, std::size_t group, bool close) {
        out += "<path d=\"";
        for (std::size_t i = 0; i + group <= xy.size() / 2; i += group) {
            for (std::size_t k = 0; k < group; ++k) {
                out += k == 0 ? 'M' : 'L';
                point(xy[2 * (i + k)], xy[2 * (i + k) + 1]);
            }
            if (close) out += 'Z';
        }
        out += '"';
    }
    void stroke(const Shape& s, double width, const char* cap) {
        out += " fill=\"none\" stroke=\"" + colourOf(s.colour) + "\" stroke-width=\"" + number(width) +
               "\" stroke-linecap=\"" + cap + "\" stroke-linejoin=\"round\"";
        if (s.colour.a < 1.0f) out += " stroke-opacity=\"" + number(s.colour.a) + "\"";
        // The dashes of the window's pattern, wide lines' too.
        const DashRuns dashes = dashRuns(s.dash);
        if (!dashes.lengths.empty()) {
            out += " stroke-dasharray=\"";
            for (std::size_t i = 0; i < dashes.lengths.size(); ++i) out += (i > 0 ? " " : "") + number(dashes.lengths[i]);
            out += '"';
            if (dashes.offset != 0.0) out += " stroke-dashoffset=\"" + number(dashes.offset) + "\"";
        }
    }
    void fill(const Shape& s) {
        out += " fill=\"" + colourOf(s.colour) + "\"";
        if (s.colour.a < 1.0f) out += " fill-opacity=\"" + number(s.colour.a) + "\"";
    }
    void shape(const Shape& s) {
        const std::vector<float>& xy = s.xy;
        const std::size_t n = xy.size() / 2;
        switch (s.kind) {
            case ShapeKind::Lines:
                runs(xy, 2, false);
                stroke(s, s.width, "butt");
                out += "/>\n";
                return;
            case ShapeKind::LineStrip:
            case ShapeKind::LineLoop:
                out += s.kind == ShapeKind::LineLoop ? "<polygon points=\"" : "<polyline points=\"";
                for (std::size_t i = 0; i < n; ++i) {
                    if (i > 0) out += ' ';
                    point(xy[2 * i], xy[2 * i + 1]);
                }
                out += '"';
                stroke(s, s.width, "butt");
                out += "/>\n";
                return;
            case ShapeKind::Points:
                out += "<path d=\"";
                for (std::size_t i = 0; i < n; ++i) {
                    out += 'M';
                    point(xy[2 * i] - s.width / 2, xy[2 * i + 1] + s.width / 2);
                    out += "h" + number(s.width) + "v" + number(s.width) + "h-" + number(s.width) + "z";
                }
                out += '"';
                fill(s);
                out += "/>\n";
                return;
            case ShapeKind::Triangles:
                runs(xy, 3, true);
                fill(s);
                out += "/>\n";
                return;
            case ShapeKind::Rect:
                out += "<rect x=\"" + number(std::min(xy[0], xy[2])) + "\" y=\"" +
                       number(frame.height - std::max(xy[1], xy[3])) + "\" width=\"" + number(std::abs(xy[2] - xy[0])) +
                       "\" height=\"" + number(std::abs(xy[3] - xy[1])) + "\"";
                fill(s);
                out += "/>\n";
                return;
            case ShapeKind::Text: {
                // The strokes of the window's font, placed as the window places them.
                const TextStrokes t = strokesOf(s.text);
                std::vector<float> placed;
                placeStrokes(s, t, placed);
                out += "<path d=\"";
                for (std::size_t k = 0; k < t.firsts.size(); ++k) {
                    for (int i = 0; i < t.counts[k]; ++i) {
                        const int p = t.firsts[k] + i;
                        out += i == 0 ? 'M' : 'L';
                        point(placed[2 * p], placed[2 * p + 1]);
                    }
                }
                out += '"';
                stroke(s, s.width, "round");
                out += "/>\n";
                if (!isHalo(frame, s)) realText(s);
                return;
            }
        }
    }
    // The words of a text shape as text, unpainted, over its strokes: found by a search, selected and
    // copied as its characters, read by a screen reader; as wide as the strokes and its capitals as
    // tall.
    void realText(const Shape& s) {
        const TextPlacement p = placementOf(s);
        out += "<text x=\"";
        appendNumber(out, p.x);
        out += "\" y=\"";
        appendNumber(out, frame.height - p.baseline);
        out += "\" font-family=\"DejaVu Sans, sans-serif\" font-size=\"" + number(p.fontSize) + "\" textLength=\"" +
               number(p.width) + "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"none\">" + xmlText(s.text) + "</text>\n";
    }
};

}  // namespace

std::string svgOf(const Frame& frame) {
    Writer w{frame, {}};
    const std::string width = std::to_string(frame.width);
    const std::string height = std::to_string(frame.height);
    const PixelRect& p = frame.picture;
    w.out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
            width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height + "\">\n";
    w.out += "<defs><clipPath id=\"picture\"><rect x=\"" + std::to_string(p.x) + "\" y=\"" +
             std::to_string(frame.height - p.y - p.height) + "\" width=\"" + std::to_string(p.width) + "\" height=\"" +
             std::to_string(p.height) + "\"/></clipPath></defs>\n";
    // What the page is and says, for a screen reader and a search: its title, and every line of it
    // from the top down as the description.
    w.out += "<title>" + xmlText(frame.title) + "</title>\n";
    const std::vector<std::string> texts = textsOf(frame);
    if (!texts.empty()) {
        w.out += "<desc>";
        for (std::size_t i = 0; i < texts.size(); ++i) w.out += (i > 0 ? "\n" : "") + xmlText(texts[i]);
        w.out += "</desc>\n";
    }
    w.out += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" + colourOf(frame.clear) + "\"/>\n";
    bool clipped = false;
    for (const Shape& s : frame.shapes) {
        if (s.clipped != clipped) {
            w.out += s.clipped ? "<g clip-path=\"url(#picture)\">\n" : "</g>\n";
            clipped = s.clipped;
        }
        w.shape(s);
    }
    if (clipped) w.out += "</g>\n";
    w.out += "</svg>\n";
    return w.out;
}

namespace {

// A page's picture as the lesson names it: strana-001.svg, ..., strana-1000.svg.
std::string pageFileName(int page) {
    char name[32];
    std::snprintf(name, sizeof name, "strana-%03d.svg", page);
    return name;
}

// A name the pictures of some lesson could have: "strana-", three digits or more, ".svg".
bool isPageFileName(const std::string& name) {
    const std::string head = "strana-";
    const std::string tail = ".svg";
    if (name.size() < head.size() + 3 + tail.size() || name.compare(0, head.size(), head) != 0 ||
        name.compare(name.size() - tail.size(), tail.size(), tail) != 0) {
        return false;
    }
    return std::all_of(name.begin() + head.size(), name.end() - tail.size(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

LessonPictures writeLessonPictures(const Judgement& judged, const std::string& folder, const PictureStyle& style,
                                   long long task) {
    LessonPictures result;
    Workbench opened = openWorkbench(judged);
    if (task >= 0) markTask(opened, task);
    Workbench bench = pictureBench(opened, style);
    result.total = pageCount(bench.lesson) + 1;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) return result;
    for (int page = 0; page < result.total; ++page) {
        bench.steps.page = page;
        relayout(bench);
        const std::string name = pageFileName(page + 1);
        const std::string final = folder + "/" + name;
        const std::string passing = folder + "/." + name + ".part";
        const int failure = writeWholeFile(passing, svgOf(frameOf(bench)), false);
        if (failure == 0 && std::rename(passing.c_str(), final.c_str()) == 0) {
            ++result.pages;
            continue;
        }
        result.diskFull = failure == ENOSPC || failure == EDQUOT;
        std::remove(passing.c_str());
        break;
    }
    // The folder's pictures are this lesson's pages, and only these: a longer lesson's written there
    // before are taken away, every other file is left as it is.
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!isPageFileName(name)) continue;
        const int page = std::atoi(name.c_str() + 7);
        if (page >= 1 && page <= result.pages && name == pageFileName(page)) continue;
        std::filesystem::remove(it->path(), error);
        error.clear();
    }
    return result;
}

std::string picturesWord(const LessonPictures& written, const std::string& folder) {
    if (written.pages == written.total) {
        return "Sve strane lekcije (" + std::to_string(written.total) + ") upisane su u folder " + folder + ".";
    }
    if (written.diskFull) {
        return "Disk je pun: u folder " + folder + " upisano je " + std::to_string(written.pages) + " od " +
               std::to_string(written.total) + " strana lekcije.";
    }
    return "Ne mogu da pisem u folder " + folder + ".";
}
