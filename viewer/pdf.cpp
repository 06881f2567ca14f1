#include "viewer/pdf.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "viewer/frame.h"

namespace {

// A line of text is fitted to its strokes' width, but never squeezed or stretched past these, so
// that a line of blanks and narrow digits still reads as DejaVu Sans.
constexpr double NarrowestFit = 0.75;
constexpr double WidestFit = 1.33;

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct Drawer {
    cairo_t* cr;
    const Frame& frame;

    // A point of the frame, the page's origin at its top left.
    void moveTo(double x, double y) { cairo_move_to(cr, x, frame.height - y); }
    void lineTo(double x, double y) { cairo_line_to(cr, x, frame.height - y); }
    void colour(const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }
    void stroke(const Shape& s, cairo_line_cap_t cap) {
        colour(s.colour);
        cairo_set_line_width(cr, s.width);
        cairo_set_line_cap(cr, cap);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        // The dashes of the window's pattern, wide lines' too.
        const DashRuns dashes = dashRuns(s.dash);
        cairo_set_dash(cr, dashes.lengths.data(), static_cast<int>(dashes.lengths.size()), dashes.offset);
        cairo_stroke(cr);
    }
    void fill(const Shape& s) {
        colour(s.colour);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
    }
    // The points taken `group` at a time, each group a run of its own, closed or not.
    void runs(const std::vector<float>& xy, std::size_t group, bool close) {
        for (std::size_t i = 0; i + group <= xy.size() / 2; i += group) {
            for (std::size_t k = 0; k < group; ++k) {
                const double x = xy[2 * (i + k)];
                const double y = xy[2 * (i + k) + 1];
                if (k == 0) {
                    moveTo(x, y);
                } else {
                    lineTo(x, y);
                }
            }
            if (close) cairo_close_path(cr);
        }
    }
    void text(const Shape& s) {
        const TextPlacement p = placementOf(s);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, p.fontSize);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, s.text.c_str(), &extents);
        const double fit = extents.x_advance > 0 ? std::clamp(p.width / extents.x_advance, NarrowestFit, WidestFit) : 1.0;
        cairo_save(cr);
        cairo_translate(cr, p.x, frame.height - p.baseline);
        cairo_scale(cr, fit, 1.0);
        cairo_move_to(cr, 0, 0);
        colour(s.colour);
        if (isHalo(frame, s)) {
            // The halo behind text over the picture: the letters' outline, widened; a path, not text.
            cairo_text_path(cr, s.text.c_str());
            cairo_restore(cr);
            cairo_set_line_width(cr, s.width);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_set_dash(cr, nullptr, 0, 0.0);
            cairo_stroke(cr);
            return;
        }
        cairo_show_text(cr, s.text.c_str());
        cairo_restore(cr);
    }
    void shape(const Shape& s) {
        const std::vector<float>& xy = s.xy;
        const std::size_t n = xy.size() / 2;
        switch (s.kind) {
            case ShapeKind::Lines:
                runs(xy, 2, false);
                return stroke(s, CAIRO_LINE_CAP_BUTT);
            case ShapeKind::LineStrip:
            case ShapeKind::LineLoop:
                runs(xy, n, s.kind == ShapeKind::LineLoop);
                return stroke(s, CAIRO_LINE_CAP_BUTT);
            case ShapeKind::Points:
                for (std::size_t i = 0; i < n; ++i) {
                    cairo_rectangle(cr, xy[2 * i] - s.width / 2, frame.height - xy[2 * i + 1] - s.width / 2, s.width, s.width);
                }
                return fill(s);
            case ShapeKind::Triangles:
                runs(xy, 3, true);
                return fill(s);
            case ShapeKind::Rect:
                cairo_rectangle(cr, std::min(xy[0], xy[2]), frame.height - std::max(xy[1], xy[3]), std::abs(xy[2] - xy[0]),
                                std::abs(xy[3] - xy[1]));
                return fill(s);
            case ShapeKind::Text:
                return text(s);
        }
    }
    // The frame on the current page: the clear colour, then every shape in order, the picture's kept
    // to the picture.
    void page() {
        cairo_save(cr);
        cairo_scale(cr, PointsPerPixel, PointsPerPixel);
        cairo_set_source_rgb(cr, frame.clear.r, frame.clear.g, frame.clear.b);
        cairo_paint(cr);
        bool clipped = false;
        for (const Shape& s : frame.shapes) {
            if (s.clipped != clipped) {
                if (s.clipped) {
                    const PixelRect& p = frame.picture;
                    cairo_save(cr);
                    cairo_rectangle(cr, p.x, frame.height - p.y - p.height, p.width, p.height);
                    cairo_clip(cr);
                } else {
                    cairo_restore(cr);
                }
                clipped = s.clipped;
            }
            shape(s);
        }
        if (clipped) cairo_restore(cr);
        cairo_restore(cr);
    }
};

}  // namespace

std::string lessonPdf(const Workbench& bench, const PictureStyle& style) {
    Workbench picture = lessonBench(bench, style);
    const int width = picture.view.windowWidth;
    const int height = picture.view.windowHeight;
    std::string bytes;
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(appendBytes, &bytes, width * PointsPerPixel, height * PointsPerPixel);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, ("Triangulacija: " + picture.lesson.verdictLine).c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "triangulacija");
    cairo_t* cr = cairo_create(surface);
    const int pages = pageCount(picture.lesson) + 1;
    for (int page = 0; page < pages; ++page) {
        picture.steps.page = page;
        relayout(picture);
        const Frame frame = frameOf(picture);
        Drawer{cr, frame}.page();
        const std::string link = "page=" + std::to_string(page + 1);
        cairo_pdf_surface_add_outline(surface, CAIRO_PDF_OUTLINE_ROOT, frame.title.c_str(),
                                      link.c_str(), static_cast<cairo_pdf_outline_flags_t>(0));
        cairo_show_page(cr);
    }
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool finished = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return drawn && finished ? bytes : std::string();
}

LessonDocument writeLessonPdf(const Judgement& judged, const PictureStyle& style, const std::string& file, long long task) {
    LessonDocument result;
    Workbench bench = openWorkbench(judged);
    if (task >= 0) markTask(bench, task);
    result.pages = pageCount(bench.lesson) + 1;
    const std::string bytes = lessonPdf(bench, style);
    if (bytes.empty()) return result;
    const std::filesystem::path path(file);
    if (path.filename().empty()) return result;  // a folder's name, not a file's
    const std::string passing = (path.parent_path() / ("." + path.filename().string() + ".part")).string();
    if (writeWholeFile(passing, bytes, false) != 0) return result;
    if (std::rename(passing.c_str(), file.c_str()) != 0) {
        std::remove(passing.c_str());
        return result;
    }
    result.written = true;
    return result;
}

std::string documentWord(const LessonDocument& written, const std::string& file) {
    if (!written.written) return "Ne mogu da pisem datoteku " + file + ".";
    return "Lekcija (" + std::to_string(written.pages) + " strana) je upisana u datoteku " + file + ".";
}
