#pragma once
// The whole lesson as one PDF, a page of the lesson a page of the document: every shape of the frame
// drawn as the SVG writer draws it, the text as real text (selectable, searchable, with its letters)
// in DejaVu Sans, where the window draws its stroke text and as large. Made with cairo; only the
// native program has it.

#include <string>

#include "geometry/judgement.h"
#include "viewer/workbench.h"

// A pixel of the frame on the PDF's page, in points: a 1024 by 700 window is a page of 768 by 525
// points (10.7 by 7.3 inches), as a screen of 96 pixels an inch shows it.
inline constexpr double PointsPerPixel = 0.75;

// Every page of the lesson on the workbench as a picture of it shows the page (pictureBench: its
// view turned and zoomed, at the style's size, in its look), the help left out, as the bytes of one
// PDF, each page bookmarked by its place in the lesson; empty when cairo could not make it.
std::string lessonPdf(const Workbench& bench, const PictureStyle& style);

// What became of a lesson written as a PDF.
struct LessonDocument {
    int pages = 0;
    bool written = false;
};

// Writes the lesson of `judged`, as the window opens on it, to `file`: first under a passing name
// beside it (".NAME.part"), then renamed, so that nothing half-written is ever left under `file`.
// `task`, when not -1: the task the polygon is, named on its pages.
LessonDocument writeLessonPdf(const Judgement& judged, const PictureStyle& style, const std::string& file,
                              long long task = -1);

// The console's line on it: "Lekcija (25 strana) je upisana u datoteku w.pdf.", or the file that
// cannot be written.
std::string documentWord(const LessonDocument& written, const std::string& file);
