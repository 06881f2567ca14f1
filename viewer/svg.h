#pragma once
// A frame as an SVG document, shape for shape, its text in the window's stroke font; and the pictures
// for slides: the page on the screen, or every page of a lesson.

#include <string>

#include "geometry/judgement.h"
#include "viewer/frame.h"

std::string svgOf(const Frame& frame);

// Writes every page of the lesson of `judged`, as the window shows it at its opening size, to
// `folder`/strana-001.svg, strana-002.svg, ... (the folder made if need be), each first under a
// passing name; false when the folder cannot be made or written, nothing left under a final name.
bool writeLessonPictures(const Judgement& judged, const std::string& folder);
