#pragma once
// A frame as an SVG document, shape for shape, its text in the window's stroke font (and each line
// as real text, unpainted, for a search or a screen reader); and the pictures for slides: the page
// on the screen, or every page of a lesson.

#include <string>

#include "geometry/judgement.h"
#include "viewer/frame.h"
#include "viewer/workbench.h"

std::string svgOf(const Frame& frame);

// A colour as the SVG writes it, "#rrggbb" (its opacity apart).
std::string colourOf(const Rgba& c);

// What became of a lesson's pictures: how many of its pages were written, of how many, and whether
// the disk filled up before the rest.
struct LessonPictures {
    int pages = 0;
    int total = 0;
    bool diskFull = false;
};

// Writes every page of the lesson of `judged`, as the window shows it at its opening size (or as
// `style` asks: another size, white, the picture alone), to
// `folder`/strana-001.svg, strana-002.svg, ... (the folder made if need be), each first under a
// passing name, so that nothing half-written is left under a final one; the writing stops at the
// first page that cannot be written. Afterwards the folder's strana-NNN.svg files are exactly the
// pages written: those of a lesson written there before are taken away; no other file is touched.
// `task`, when not -1: the task the polygon is, named on its pages.
LessonPictures writeLessonPictures(const Judgement& judged, const std::string& folder, const PictureStyle& style = {},
                                   long long task = -1);

// The console's line on it: every page written, the disk full after so many, or the folder that
// cannot be written.
std::string picturesWord(const LessonPictures& written, const std::string& folder);
