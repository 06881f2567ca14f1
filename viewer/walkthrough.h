#pragma once
// What the window shows besides the finished picture: the polygon as the dialogue read and judged
// it, the sweep's steps, and the keys that page through them. Plain values and arithmetic; the
// window draws what these functions describe.

#include <string>
#include <vector>

#include "geometry/records.h"
#include "geometry/triangulation.h"

enum class Verdict { FewerThanThree, NotSimple, NotMonotone, Triangulated };

struct Walkthrough {
    std::vector<Point> vertices;  // input order, as the dialogue numbered them from 1
    Verdict verdict = Verdict::FewerThanThree;
    Triangulation triangulation;  // a monotone polygon's, the listing's order even below 3 vertices
    int contact[2] = {0, 0};      // NotSimple: the first two edges (by their first vertex) that meet
    std::vector<int> turning;     // NotMonotone: the vertices where the boundary turns back in y
};

// Judges a polygon as the dialogue does: not simple (3 or more vertices whose edges meet), else
// triangulated when monotone (fewer than three vertices: monotone, but without steps), else not
// monotone, with what each verdict shows.
Walkthrough judgePolygon(const Point* vertices, int vertexCount);

// The pages the step keys go through: one per step, or the one page that says why there are none.
int pageCount(const Walkthrough& shown);

// The window's mode: page 0 is the full picture, 1..pageCount the steps.
struct StepView {
    int page = 0;
    bool labels = false;  // vertex numbers in the full picture (always shown on the pages)
    bool help = false;
};

enum class Key { Next, Previous, First, Full, Labels, ResetView, Help, Quit };
enum class KeyEffect { None, Redraw, ResetView, Quit };

KeyEffect pressKey(StepView& view, Key key, int pages);

bool labelsShown(const StepView& view);

// The caption in the window's corner for a page (nothing for the full picture).
std::vector<std::string> captionLines(const Walkthrough& shown, int page);

// How many of the scene's segments a page shows: the outline (one segment per vertex) and the
// diagonals added by steps 1..page; all of them on the full picture.
int segmentsShown(const Walkthrough& shown, int page, int sceneSegments);

// What a page draws over the scene: the sweep line, the step's new diagonals (drawn wider), the
// rings of the stack and of the swept vertex, or the marks of what keeps the polygon from having
// steps. `ring` is the radius of a ring.
struct PageMarks {
    std::vector<Line> lines;
    std::vector<Segment> wide;
    std::vector<Circle> circles;
    std::vector<Segment> segments;
};
PageMarks pageMarks(const Walkthrough& shown, int page, double ring);

// The help panel's lines.
const std::vector<std::string>& helpLines();
