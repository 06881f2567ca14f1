#include "viewer/layout.h"

#include <algorithm>
#include <cmath>

#include "viewer/text.h"

namespace {

// The stroke font's characters are 104.76 units apart and its digits 100 units tall; drawn at
// 0.8 of their width, so that a caption line fits the window as a proportional font's would.
constexpr double AdvancePerSize = 1.0476 * 0.8;

bool overlap(const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

}  // namespace

TextStyle textOfSize(double size) {
    TextStyle t;
    t.size = size;
    t.advance = size * AdvancePerSize;
    t.line = size * 1.55;
    t.margin = size * 0.8;
    return t;
}

TextStyle windowText(int windowWidth, int windowHeight, double pixelRatio) {
    const double ratio = std::max(0.25, pixelRatio);
    const double reach = std::min(windowHeight / ratio, 0.85 * windowWidth / ratio);
    double size = std::clamp(0.02 * reach, 7.0, 48.0);
    if (ratio > 1.5) size = std::max(size, 11.0);
    return textOfSize(size * ratio);
}

double textWidth(const TextStyle& text, const std::string& s) {
    return text.advance * static_cast<double>(characterCount(s));
}

std::vector<std::string> wrapLines(const std::vector<std::string>& lines, int maxChars) {
    const std::size_t limit = static_cast<std::size_t>(std::max(1, maxChars));
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        // Counted and cut in characters, so that a letter beyond ASCII is never split.
        if (characterCount(line) <= limit) {
            out.push_back(line);
            continue;
        }
        std::u32string rest = charactersOf(line);
        while (rest.size() > limit) {
            std::size_t cut = rest.rfind(U' ', limit);
            if (cut == std::u32string::npos || cut == 0) {
                out.push_back(utf8Of(rest.substr(0, limit)));
                rest = rest.substr(limit);
            } else {
                out.push_back(utf8Of(rest.substr(0, cut)));
                rest = rest.substr(cut + 1);
            }
        }
        out.push_back(utf8Of(rest));
    }
    return out;
}

std::string firstCharacters(const std::string& s, std::size_t count) {
    if (characterCount(s) <= count) return s;
    return utf8Of(charactersOf(s).substr(0, count));
}

int captionChars(const TextStyle& text, int windowWidth) {
    return static_cast<int>((windowWidth - 2 * text.margin) / text.advance);
}

PageLayout layoutPage(int windowWidth, int windowHeight, const std::vector<std::string>& caption, int reservedLines,
                      int stackChars, const std::vector<std::string>& footer, int footerReserved, int toolbar,
                      double pixelRatio, int panelLines) {
    PageLayout page;
    page.text = windowText(windowWidth, windowHeight, pixelRatio);
    const TextStyle& t = page.text;
    // The row of buttons along the very bottom; the rest is laid out above it.
    const int base = std::clamp(toolbar, 0, windowHeight);
    page.toolbarBand = {0, 0, windowWidth, base};
    if (!caption.empty()) {
        page.caption = wrapLines(caption, captionChars(t, windowWidth));
        const int lines = std::max(static_cast<int>(page.caption.size()), reservedLines);
        const int height = static_cast<int>(std::ceil(lines * t.line + 1.5 * t.margin));
        page.captionBand = {0, windowHeight - height, windowWidth, height};
    } else {
        page.captionBand = {0, windowHeight, windowWidth, 0};
    }
    // A window too low for its caption keeps what of it fits, and the stack panel, only where three
    // of its lines fit, the rest of the height to the picture.
    page.captionBand.y = std::max(base, page.captionBand.y);
    page.captionBand.height = windowHeight - page.captionBand.y;
    // The footer takes at most half of what the caption leaves.
    page.footer = wrapLines(footer, captionChars(t, windowWidth));
    const int footerHeight =
        page.footer.empty() ? 0
                            : std::min((page.captionBand.y - base) / 2,
                                       static_cast<int>(std::ceil(
                                           std::max(static_cast<int>(page.footer.size()), footerReserved) * t.line +
                                           1.5 * t.margin)));
    page.footerBand = {0, base, windowWidth, footerHeight};
    const int below = page.captionBand.y - base - footerHeight;
    const bool room = below >= 4 * t.line + 2 * t.margin;
    page.panelText = t;
    if (stackChars > 0 && room && panelLines > 0) {
        const double css = t.size / std::max(0.25, pixelRatio);
        const double most = t.size * std::max(1.0, css / 14.0);
        const double byHeight = below / (panelLines * 1.55 + 2 * 0.8);
        const double byWidth = (windowWidth / 3.0) / (stackChars * AdvancePerSize + 2 * 0.8);
        page.panelText = textOfSize(std::max(t.size, std::min({most, byHeight, byWidth})));
    }
    const TextStyle& pt = page.panelText;
    const int panelWidth = stackChars > 0 && room ? static_cast<int>(std::ceil(stackChars * pt.advance)) +
                                                        2 * static_cast<int>(std::lround(pt.margin))
                                                  : 0;
    // A window held upright (a phone's) keeps its width for the picture: the panel lies across it,
    // below the picture, as tall as its lines, at most a third of the height.
    // A panel of more lines than a third of the height keeps that third, its rows giving way in the
    // middle as they do beside the picture.
    const int lines = std::max(panelLines, 4);
    const int across = std::min(static_cast<int>(std::ceil(lines * pt.line + 2 * pt.margin)), below / 3);
    if (panelWidth > 0 && windowHeight >= 1.5 * windowWidth && panelWidth <= windowWidth &&
        across >= 4 * pt.line + 2 * pt.margin) {
        page.stackPanel = {0, base + footerHeight, windowWidth, across};
        page.picture = {0, base + footerHeight + across, windowWidth, below - across};
        return page;
    }
    page.stackPanel = {windowWidth - panelWidth, base + footerHeight, panelWidth, below};
    page.picture = {0, base + footerHeight, std::max(1, windowWidth - panelWidth), std::max(1, below)};
    return page;
}

std::vector<int> columnRows(int count, int rows) {
    std::vector<int> out;
    if (count <= rows) {
        for (int i = 0; i < count; ++i) out.push_back(i);
        return out;
    }
    if (rows <= 0) return out;
    if (rows < 3) {  // no room for the ellipsis: the bottom (when two fit) and the top
        if (rows == 2) out.push_back(0);
        out.push_back(count - 1);
        return out;
    }
    const int bottom = (rows - 1) / 2;
    const int top = rows - 1 - bottom;
    for (int i = 0; i < bottom; ++i) out.push_back(i);
    out.push_back(-1);
    for (int i = count - top; i < count; ++i) out.push_back(i);
    return out;
}

PixelRect labelBox(const TextStyle& text, int vertex, const PlanePoint& at, int corner) {
    const int digits = static_cast<int>(std::to_string(vertex + 1).size());
    const double gap = 0.45 * text.size;
    const int width = static_cast<int>(std::ceil(digits * text.advance));
    const int height = static_cast<int>(std::ceil(text.size));
    const bool right = corner == 0 || corner == 1;
    const bool up = corner == 0 || corner == 2;
    return {static_cast<int>(std::lround(right ? at.x + gap : at.x - gap - width)),
            static_cast<int>(std::lround(up ? at.y + gap : at.y - gap - height)), width, height};
}

std::vector<Label> visibleLabels(const std::vector<PlanePoint>& at, const std::vector<int>& concerned,
                                 const TextStyle& text, const PixelRect& area) {
    // A little air around each number, so that neighbours never touch.
    const int pad = static_cast<int>(std::ceil(0.15 * text.size));
    auto padded = [&](const PixelRect& b) { return PixelRect{b.x - pad, b.y - pad, b.width + 2 * pad, b.height + 2 * pad}; };
    const int n = static_cast<int>(at.size());
    // Places the numbers of `vertices` in turn, each in the first corner of its vertex where it stays in
    // the area and clear of those placed; false when one finds no such corner.
    auto place = [&](const std::vector<int>& vertices, bool skipCrowded, std::vector<Label>& placed) {
        for (const int v : vertices) {
            if (v < 0 || v >= n) continue;
            if (std::any_of(placed.begin(), placed.end(), [&](const Label& l) { return l.vertex == v; })) continue;
            bool done = false;
            for (int corner = 0; corner < 4 && !done; ++corner) {
                const PixelRect box = labelBox(text, v, at[v], corner);
                if (!inside(box, area)) continue;
                const bool clear = std::none_of(placed.begin(), placed.end(), [&](const Label& l) {
                    return overlap(padded(labelBox(text, l.vertex, at[l.vertex], l.corner)), padded(box));
                });
                if (clear) {
                    placed.push_back({v, corner});
                    done = true;
                }
            }
            if (!done && !skipCrowded) return false;
        }
        return true;
    };
    // Every vertex in view, the concerned first: zoomed in, the view holds few, and all are named.
    std::vector<int> all;
    auto inView = [&](int v) {
        return v >= 0 && v < n && at[v].x >= area.x && at[v].x <= area.x + area.width && at[v].y >= area.y &&
               at[v].y <= area.y + area.height;
    };
    for (const int v : concerned) {
        if (inView(v)) all.push_back(v);
    }
    for (int v = 0; v < n; ++v) {
        if (inView(v)) all.push_back(v);
    }
    std::vector<Label> placed;
    if (place(all, false, placed)) return placed;
    placed.clear();
    place(concerned, true, placed);
    return placed;
}

HelpLayout layoutHelp(int windowWidth, int windowHeight, const std::vector<HelpRow>& rows, double pixelRatio) {
    const TextStyle normal = windowText(windowWidth, windowHeight, pixelRatio);
    std::size_t keyChars = 0;
    std::size_t meaningChars = 0;
    for (const HelpRow& r : rows) {
        if (r.meaning.empty()) continue;
        keyChars = std::max(keyChars, characterCount(r.key) + 4);  // room for a swatch before the key
        meaningChars = std::max(meaningChars, characterCount(r.meaning));
    }
    const int rowChars = static_cast<int>(keyChars + 2 + meaningChars);
    // The second column starts at the heading nearest the middle.
    int split = 0;
    for (int i = 1; i < static_cast<int>(rows.size()); ++i) {
        if (!rows[i].meaning.empty()) continue;
        const int rowsCount = static_cast<int>(rows.size());
        if (split == 0 || std::abs(2 * i - rowsCount) < std::abs(2 * split - rowsCount)) split = i;
    }
    HelpLayout best;
    best.text.size = 0;
    for (int columns = 1; columns <= (split > 0 ? 2 : 1); ++columns) {
        const int tallest = columns == 1 ? static_cast<int>(rows.size())
                                         : std::max(split, static_cast<int>(rows.size()) - split);
        const double charsWide = columns * rowChars + (columns - 1) * 3 + 2 * 0.8 / AdvancePerSize;
        // Width: chars * advance + margins; height: rows * line + margins, all proportional to size.
        const double byWidth = windowWidth / (charsWide * AdvancePerSize);
        const double byHeight = windowHeight / (tallest * 1.55 + 2 * 0.8);
        const double size = std::min({normal.size, byWidth, byHeight});
        if (size <= best.text.size) continue;
        best.text = textOfSize(size);
        best.columns = columns;
        best.firstOfSecondColumn = columns == 2 ? split : static_cast<int>(rows.size());
        const int width = static_cast<int>(std::ceil(charsWide * best.text.advance));
        const int height = static_cast<int>(std::ceil(tallest * best.text.line + 2 * best.text.margin));
        best.box = {std::max(0, (windowWidth - width) / 2), std::max(0, (windowHeight - height) / 2), width, height};
    }
    best.keyChars = static_cast<int>(keyChars);
    return best;
}

std::vector<Button> buttonRow(const std::vector<std::string>& labels, const TextStyle& text, int windowWidth, double bottom) {
    // Each label with a character of air on either side, a character apart.
    std::size_t chars = 0;
    for (const std::string& l : labels) chars += characterCount(l) + 3;
    const double room = windowWidth - 2 * text.margin;
    const TextStyle t = chars * text.advance <= room || chars == 0 ? text : textOfSize(text.size * room / (chars * text.advance));
    std::vector<Button> row;
    double x = text.margin;
    const int height = static_cast<int>(std::lround(2.0 * t.size));
    for (const std::string& l : labels) {
        const int width = static_cast<int>(std::lround((characterCount(l) + 2) * t.advance));
        Button b{{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(bottom)), width, height}, l, Command{}, 0, t};
        row.push_back(b);
        x += width + t.advance;
    }
    return row;
}

namespace {

// The air around the toolbar's buttons and between them: a few pixels, more with the text.
int toolbarAir(const TextStyle& text, double pixelRatio) {
    return static_cast<int>(std::lround(std::max(4.0 * std::max(0.25, pixelRatio), 0.3 * text.size)));
}

// A finger's breadth in the window's pixels.
int fingerPixels(double pixelRatio) { return static_cast<int>(std::lround(44.0 * std::max(0.25, pixelRatio))); }

}  // namespace

int toolbarHeight(const TextStyle& text, int windowHeight, double pixelRatio) {
    const int button = std::max(fingerPixels(pixelRatio), static_cast<int>(std::lround(2.0 * text.size)));
    const int band = button + 2 * toolbarAir(text, pixelRatio);
    return windowHeight >= 4 * band ? band : 0;
}

std::vector<Button> toolbarRow(const std::vector<ToolLabel>& labels, const TextStyle& text, int windowWidth, int bandHeight,
                               double pixelRatio) {
    std::vector<Button> row;
    const int n = static_cast<int>(labels.size());
    if (n == 0 || bandHeight <= 0) return row;
    const int air = toolbarAir(text, pixelRatio);
    const int height = std::max(1, bandHeight - 2 * air);
    const int finger = fingerPixels(pixelRatio);
    const double room = windowWidth - 2.0 * air - (n - 1.0) * air;
    // The buttons' widths with these labels in this text: each its label and a character of air on
    // either side, never narrower than a finger.
    auto widths = [&](bool full, const TextStyle& t) {
        std::vector<int> out;
        for (const ToolLabel& l : labels) {
            const double chars = static_cast<double>(characterCount(full ? l.full : l.brief)) + 2.0;
            out.push_back(std::max(finger, static_cast<int>(std::ceil(chars * t.advance))));
        }
        return out;
    };
    auto total = [](const std::vector<int>& w) {
        double sum = 0;
        for (const int x : w) sum += x;
        return sum;
    };
    bool full = true;
    TextStyle t = text;
    std::vector<int> w = widths(true, t);
    if (total(w) > room) {
        full = false;
        w = widths(false, t);
    }
    if (total(w) > room) {
        // Even the brief labels overflow: the buttons share the width evenly, the text shrunk to fit.
        const int each = std::max(1, static_cast<int>(std::floor(room / n)));
        std::size_t widest = 1;
        for (const ToolLabel& l : labels) widest = std::max(widest, characterCount(l.brief));
        const double fits = each / ((static_cast<double>(widest) + 1.0) * text.advance / text.size);
        if (fits < t.size) t = textOfSize(std::max(1.0, fits));
        w.assign(n, each);
    }
    // The row in the middle of the band.
    double x = (windowWidth - total(w) - (n - 1.0) * air) / 2.0;
    for (int i = 0; i < n; ++i) {
        Button b{{static_cast<int>(std::lround(x)), air, w[i], height}, full ? labels[i].full : labels[i].brief, Command{}, 0, t};
        row.push_back(b);
        x += w[i] + air;
    }
    return row;
}
