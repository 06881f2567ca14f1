#include "geometry/polygon.h"

#include <algorithm>

#include "geometry/exact.h"

bool isMonotone(const Point* vertices, int vertexCount) {
    const int n = vertexCount;
    if (n <= 1) return true;
    int lowest = 0;
    int highest = 0;
    findExtremes(vertices, n, lowest, highest);
    // A wrap by comparison, not a remainder: the lean triangulation asks this of every polygon.
    for (int c = lowest; c != highest;) {  // rising chain, walked forward
        const int next = c + 1 == n ? 0 : c + 1;
        if (vertices[next].y < vertices[c].y) return false;
        c = next;
    }
    for (int c = highest; c != lowest;) {  // falling chain, walked forward
        const int next = c + 1 == n ? 0 : c + 1;
        if (vertices[next].y > vertices[c].y) return false;
        c = next;
    }
    return true;
}

namespace {

// p lies on the closed segment a-b, given that the three are on one line.
bool withinBox(const Point& a, const Point& b, const Point& p) {
    const bool inX = (a.x <= p.x && p.x <= b.x) || (b.x <= p.x && p.x <= a.x);
    const bool inY = (a.y <= p.y && p.y <= b.y) || (b.y <= p.y && p.y <= a.y);
    return inX && inY;
}

// The closed segments a-b and c-d have a point in common.
bool segmentsMeet(const Point& a, const Point& b, const Point& c, const Point& d) {
    // Segments whose boxes lie apart cannot meet: plain comparisons of the floats, exact too.
    if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y)) {
        return false;
    }
    const int o1 = orientation(a, b, c);
    const int o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a);
    const int o4 = orientation(c, d, b);
    if (o1 * o2 < 0 && o3 * o4 < 0) return true;
    return (o1 == 0 && withinBox(a, b, c)) || (o2 == 0 && withinBox(a, b, d)) ||
           (o3 == 0 && withinBox(c, d, a)) || (o4 == 0 && withinBox(c, d, b));
}

}  // namespace

bool areAdjacent(int vertexCount, const Point& p, const Point& q, const Point* vertices) {
    // The last matching vertex counts, so scan from the end and stop once both are found; a point
    // that matches none is taken for vertex 0.
    int a = -1;
    int b = -1;
    for (int k = vertexCount - 1; k >= 0 && (a < 0 || b < 0); --k) {
        if (a < 0 && vertices[k].x == p.x && vertices[k].y == p.y) a = k;
        if (b < 0 && vertices[k].x == q.x && vertices[k].y == q.y) b = k;
    }
    if (a < 0) a = 0;
    if (b < 0) b = 0;
    const int difference = a > b ? a - b : b - a;
    return difference == 1 || (a == 0 && b == vertexCount - 1) || (b == 0 && a == vertexCount - 1);
}

bool findContact(const Point* vertices, int vertexCount, int& edgeA, int& edgeB) {
    const int n = vertexCount;
    for (int i = 0; i < n; ++i) {
        const Point& a = vertices[i];
        const Point& b = vertices[(i + 1) % n];
        // Neighbouring edges a-b and b-c meet only at b unless they fold back along one line (a
        // repeated vertex folds back too). On one line, c lies on the same side of b as a exactly
        // when one of them lies within the box of b and the other.
        const Point& c = vertices[(i + 2) % n];
        if (orientation(a, b, c) == 0 && (withinBox(b, a, c) || withinBox(b, c, a))) {
            edgeA = i;
            edgeB = (i + 1) % n;
            return true;
        }
        for (int j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;  // the closing edge neighbours edge 0
            if (segmentsMeet(a, b, vertices[j], vertices[(j + 1) % n])) {
                edgeA = i;
                edgeB = j;
                return true;
            }
        }
    }
    return false;
}

bool isSimple(const Point* vertices, int vertexCount) {
    int edgeA = 0;
    int edgeB = 0;
    return !findContact(vertices, vertexCount, edgeA, edgeB);
}

int polygonOrientation(const Point* vertices, int vertexCount) {
    // The lowest vertex (leftmost among the lowest) is convex; the turn there is the polygon's.
    int m = 0;
    float x = vertices[0].x;
    float y = vertices[0].y;
    for (int k = 1; k < vertexCount; ++k) {
        if (vertices[k].y < y || (vertices[k].y == y && vertices[k].x < x)) {
            m = k;
            x = vertices[k].x;
            y = vertices[k].y;
        }
    }
    const Point& previous = vertices[(m + vertexCount - 1) % vertexCount];
    const Point& next = vertices[(m + 1) % vertexCount];
    return orientation(previous, vertices[m], next);
}
