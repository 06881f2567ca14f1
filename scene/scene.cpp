#include "scene/scene.h"

#include <limits>

Scene scene;

namespace {

constexpr float infinity = std::numeric_limits<float>::infinity();

void widen(Scene& target, const Point& p) {
    // Strict comparisons: a NaN coordinate fails each of them and changes nothing.
    if (target.boundsMin.x > p.x) target.boundsMin.x = p.x;
    if (target.boundsMin.y > p.y) target.boundsMin.y = p.y;
    if (target.boundsMax.x < p.x) target.boundsMax.x = p.x;
    if (target.boundsMax.y < p.y) target.boundsMax.y = p.y;
}

}  // namespace

Point Scene::emptyMin() { return Point(infinity, infinity, 0.0); }
Point Scene::emptyMax() { return Point(-infinity, -infinity, 0.0); }

void addSegment(Scene& target, Colour colour, Segment segment) {
    segment.colour = colour;
    target.segments.push_back(segment);
    widen(target, segment.start);
    widen(target, segment.end);
}

void addSegment(Colour colour, Segment segment) { addSegment(scene, colour, segment); }

bool boundsEmpty(const Scene& target) {
    return !(target.boundsMin.x <= target.boundsMax.x && target.boundsMin.y <= target.boundsMax.y);
}

void showInScene(Scene& target, const Judgement& judged) {
    target = Scene();
    const std::vector<Point>& v = judged.vertices;
    const int n = static_cast<int>(v.size());
    if (n == 0) return;
    for (int i = 0; i + 1 < n; ++i) addSegment(target, Black, Segment(v[i], v[i + 1]));
    addSegment(target, Black, Segment(v[0], v[n - 1]));
    if (judged.verdict != Verdict::Triangulated && judged.verdict != Verdict::FewerThanThree) return;
    for (const SweepDiagonal& d : judged.triangulation.diagonals) {
        addSegment(target, diagonalColour(d.made), Segment(v[d.from], v[d.to]));
    }
}
