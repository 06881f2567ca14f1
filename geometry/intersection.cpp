#include "geometry/intersection.h"

#include <utility>

namespace {

// Each named quantity is formed in double and rounded to float once.
float rounded(double value) { return static_cast<float>(value); }

void swapXY(Point& p) { std::swap(p.x, p.y); }

// What the classifier forms from segment a alone; the diagonal test forms it once per candidate.
struct FirstSegment {
    const Point& a0;
    const Point& a1;
    float ux, uy, uz;
    float lenU2;
    double tolU;

    FirstSegment(const Point& start, const Point& end)
        : a0(start), a1(end), ux(end.x - start.x), uy(end.y - start.y), uz(end.z - start.z),
          lenU2(rounded((static_cast<double>(ux) * ux + static_cast<double>(uy) * uy) + static_cast<double>(uz) * uz)),
          tolU(static_cast<double>(lenU2) * static_cast<double>(IntersectionTolerance)) {}
};

IntersectionKind classify(const FirstSegment& a, const Point& b0, const Point& b1, Point& intersection) {
    const Point& a0 = a.a0;
    const Point& a1 = a.a1;
    const float ux = a.ux, uy = a.uy, uz = a.uz;
    const double tolU = a.tolU;
    const float dx = b0.x - a0.x, dy = b0.y - a0.y, dz = b0.z - a0.z;
    const float vx = b1.x - b0.x, vy = b1.y - b0.y, vz = b1.z - b0.z;

    const double pv = static_cast<double>(vx) * uy;
    const double pu = static_cast<double>(ux) * vy;

    const double dDx = dx, dDy = dy, dDz = dz;
    const float triple = rounded(static_cast<double>(vz) * uy * dDx - static_cast<double>(vy) * uz * dDx +
                                 static_cast<double>(vx) * uz * dDy - static_cast<double>(ux) * vz * dDy -
                                 dDz * pv + dDz * pu);

    const float lenV2 = rounded(static_cast<double>(vz) * vz +
                                (static_cast<double>(vx) * vx + static_cast<double>(vy) * vy));
    const double limit = static_cast<double>(lenV2) * tolU;

    if (static_cast<double>(triple) * triple > limit) return NotCoplanar;

    const float crossDU = rounded(static_cast<double>(uy) * dx - static_cast<double>(ux) * dy);
    const float denom = rounded(pu - pv);

    if (static_cast<double>(denom) * denom > limit) {
        const float s = rounded(static_cast<double>(crossDU) / denom);
        // A parameter that is not a number fails these bounds. (t is formed only when s passes:
        // it decides nothing otherwise.)
        if (!(s >= 0.0f && s <= 1.0f)) return NoIntersection;
        const float crossDV = rounded(static_cast<double>(vy) * dx - static_cast<double>(vx) * dy);
        const float t = rounded(static_cast<double>(crossDV) / denom);
        if (t >= 0.0f && t <= 1.0f) {
            intersection.x = rounded(static_cast<double>(ux) * t + a0.x);
            intersection.y = rounded(static_cast<double>(uy) * t + a0.y);
            return PointIntersection;
        }
        return NoIntersection;
    }

    // Parallel: is b on a's line (only b's start is tested), and do the extents overlap?
    const float lenD2 = rounded(static_cast<double>(dz) * dz +
                                (static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    if (static_cast<double>(crossDU) * crossDU > static_cast<double>(lenD2) * tolU) return NoIntersection;
    Point p0 = a0, p1 = a1, q0 = b0, q1 = b1;  // ordered and exchanged in copies
    if (p0.x == p1.x) {  // vertical in the x-y plane, or of zero length: compare ordinates
        swapXY(p0);
        swapXY(p1);
        swapXY(q0);
        swapXY(q1);
    }
    if (p1.x < p0.x) std::swap(p0, p1);
    if (q1.x < q0.x) std::swap(q0, q1);
    // b beginning exactly where a ends does not overlap it; b ending where a begins does.
    return (q0.x < p1.x && q1.x >= p0.x) ? CollinearOverlap : NoIntersection;
}

}  // namespace

IntersectionKind intersectSegments(Segment a, Segment b, Point& intersection) {
    return classify(FirstSegment(a.start, a.end), b.start, b.end, intersection);
}

bool isDiagonal(int i, int j, const Point* vertices, int vertexCount) {
    const int n = vertexCount;
    if (i < 0 || j < 0 || i >= n || j >= n) return false;
    const FirstSegment candidate(vertices[i], vertices[j]);
    Point scratch;
    int total = 0;
    // The codes are never negative: once the total is above 0 it stays there, and the edges left
    // cannot change the answer.
    for (int k = 0; k <= n - 2 && total == 0; ++k) {
        if (k == i || k == i - 1 || k == j || k == j - 1) continue;
        total += classify(candidate, vertices[k], vertices[k + 1], scratch);
    }
    if (total == 0 && i != 0 && j != 0 && i != n - 1 && j != n - 1) {
        total += classify(candidate, vertices[n - 1], vertices[0], scratch);
    }
    return total == 0;
}
