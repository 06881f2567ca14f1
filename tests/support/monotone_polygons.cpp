#include "monotone_polygons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "geometry/exact.h"
#include "geometry/partition.h"

namespace testing_support {
namespace {

using I = std::int64_t;
using Wide = std::int64_t;  // coordinates stay below 2^18 after scaling, so products fit

// Coordinates scaled by 1024 are integers for every polygon made here.
struct P {
    I x;
    I y;
};

P scaled(const Point& p) { return {static_cast<I>(p.x * 1024.0), static_cast<I>(p.y * 1024.0)}; }

int sign(Wide v) { return (v > 0) - (v < 0); }
int turn(P a, P b, P c) { return sign(Wide(b.x - a.x) * (c.y - a.y) - Wide(b.y - a.y) * (c.x - a.x)); }
bool same(P a, P b) { return a.x == b.x && a.y == b.y; }

// p lies strictly inside segment a-b.
bool strictlyInside(P a, P b, P p) {
    if (turn(a, b, p) != 0 || same(p, a) || same(p, b)) return false;
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}
bool onClosed(P a, P b, P p) { return same(p, a) || same(p, b) || strictlyInside(a, b, p); }

// The segments meet at a point inside both (a proper crossing or an overlap of positive length).
bool cross(P a, P b, P c, P d) {
    const int o1 = turn(a, b, c), o2 = turn(a, b, d), o3 = turn(c, d, a), o4 = turn(c, d, b);
    if (o1 * o2 < 0 && o3 * o4 < 0) return true;
    if (o1 == 0 && o2 == 0) {  // on one line: overlap of positive length?
        const bool byX = a.x != b.x;
        I lo1 = byX ? std::min(a.x, b.x) : std::min(a.y, b.y), hi1 = byX ? std::max(a.x, b.x) : std::max(a.y, b.y);
        I lo2 = byX ? std::min(c.x, d.x) : std::min(c.y, d.y), hi2 = byX ? std::max(c.x, d.x) : std::max(c.y, d.y);
        return std::max(lo1, lo2) < std::min(hi1, hi2);
    }
    return false;
}

bool meet(P a, P b, P c, P d) {
    const int o1 = turn(a, b, c), o2 = turn(a, b, d), o3 = turn(c, d, a), o4 = turn(c, d, b);
    if (o1 * o2 < 0 && o3 * o4 < 0) return true;
    return onClosed(a, b, c) || onClosed(a, b, d) || onClosed(c, d, a) || onClosed(c, d, b);
}

// Doubled coordinates q = 2p: is the point inside the polygon or on its boundary?
bool insideOrOn(const std::vector<P>& poly, P q) {
    const size_t n = poly.size();
    bool in = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const P a{2 * poly[j].x, 2 * poly[j].y}, b{2 * poly[i].x, 2 * poly[i].y};
        if (onClosed(a, b, q)) return true;
        if ((a.y > q.y) != (b.y > q.y)) {
            const Wide lhs = Wide(q.x - a.x) * (b.y - a.y);
            const Wide rhs = Wide(b.x - a.x) * (q.y - a.y);
            if ((b.y > a.y) ? lhs < rhs : lhs > rhs) in = !in;
        }
    }
    return in;
}

std::vector<P> scaledAll(const std::vector<Point>& polygon) {
    std::vector<P> out;
    for (const Point& p : polygon) out.push_back(scaled(p));
    return out;
}

}  // namespace

bool exactlySimple(const std::vector<Point>& polygon) {
    const std::vector<P> p = scaledAll(polygon);
    const int n = static_cast<int>(p.size());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (same(p[i], p[j])) return false;
    for (int i = 0; i < n; ++i) {
        const P a = p[i], b = p[(i + 1) % n], c = p[(i + 2) % n];
        if (turn(a, b, c) == 0 && (onClosed(b, a, c) || onClosed(b, c, a))) return false;
        for (int j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;
            if (meet(a, b, p[j], p[(j + 1) % n])) return false;
        }
    }
    return true;
}

std::vector<Point> randomStar(std::mt19937& random, int n) {
    std::uniform_real_distribution<double> angle(0, 2 * M_PI), radius(1, 100);
    std::vector<double> angles(n);
    for (double& a : angles) a = angle(random);
    std::sort(angles.begin(), angles.end());
    if (random() % 2) std::reverse(angles.begin(), angles.end());
    std::vector<Point> v;
    for (const double a : angles) {
        const double r = radius(random);
        v.emplace_back(std::round(r * std::cos(a) * 1024) / 1024, std::round(r * std::sin(a) * 1024) / 1024, 0.0);
    }
    return v;
}

std::pair<int, int> firstContactByPairs(const std::vector<Point>& v) {
    const int n = static_cast<int>(v.size());
    // p lies on the closed segment a-b, given that the three are on one line.
    auto on = [](const Point& a, const Point& b, const Point& p) {
        return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
    };
    auto meet = [&](const Point& a, const Point& b, const Point& c, const Point& d) {
        if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
            std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y)) {
            return false;  // boxes apart
        }
        const int o1 = orientation(a, b, c), o2 = orientation(a, b, d), o3 = orientation(c, d, a), o4 = orientation(c, d, b);
        if (o1 * o2 < 0 && o3 * o4 < 0) return true;
        return (o1 == 0 && on(a, b, c)) || (o2 == 0 && on(a, b, d)) || (o3 == 0 && on(c, d, a)) || (o4 == 0 && on(c, d, b));
    };
    for (int i = 0; i < n; ++i) {
        const Point &a = v[i], &b = v[(i + 1) % n], &c = v[(i + 2) % n];
        // Neighbours fold back when the far ends lie on one side of the shared vertex, on one line.
        if (orientation(a, b, c) == 0 && (on(b, a, c) || on(b, c, a))) return {i, (i + 1) % n};
        for (int j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;
            if (meet(a, b, v[j], v[(j + 1) % n])) return {i, j};
        }
    }
    return {-1, -1};
}

std::vector<Point> randomMonotonePolygon(std::mt19937& random, int n, Kind kind) {
    const bool runs = kind == Kind::LongRuns;
    const bool grid = kind == Kind::Grid || runs;
    // Grids: ordinates 0..span and abscissae within a few units, so ties and collinear vertices
    // are common. Reals: multiples of 1/1024, ordinates distinct, |coordinates| <= 100. Long runs:
    // some forty vertices an ordinate, the highest and the lowest alone on theirs.
    const int span = runs ? std::max(2, n / 40) : grid ? std::max(3, n / 2) : 50 * 1024;
    const int width = runs ? 2 * n : grid ? std::max(2, n / 4) : 50 * 1024;
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (;;) {
        std::vector<int> ys;
        while (static_cast<int>(ys.size()) < n) {
            const int y = pick(0, span);
            if (!grid && std::find(ys.begin(), ys.end(), y) != ys.end()) continue;
            ys.push_back(y);
        }
        std::sort(ys.rbegin(), ys.rend());
        if (runs) {
            ys.front() = ys[1] + 1;
            ys.back() = ys[n - 2] - 1;
        }
        // Small polygons let the chains reach past each other (and are kept only when simple);
        // larger ones keep the left chain left of the right one, then shear the whole.
        const int reach = n <= 12 ? width / 2 : 0;
        const int shear = pick(-1, 1);
        std::vector<std::pair<int, int>> left, right;
        for (int k = 1; k + 1 < n; ++k) {
            if (pick(0, 1)) {
                left.push_back({pick(-width, reach - 1), ys[k]});
            } else {
                right.push_back({pick(1 - reach, width), ys[k]});
            }
        }
        // A chain's vertices on one ordinate run one way in x, or the chain would fold back.
        // Each run is walked by iterators bounded by the chain's own end, so that the optimiser
        // sees every step stay inside the vector.
        for (auto* chain : {&left, &right}) {
            for (auto first = chain->begin(); first != chain->end();) {
                const int y = first->second;
                const auto last = std::find_if(first, chain->end(), [y](const std::pair<int, int>& v) { return v.second != y; });
                std::sort(first, last);
                if (runs) {
                    // Apart along the run, pushed away from the middle: left runs leftwards.
                    for (auto v = first + 1; v != last; ++v) v->first = std::max(v->first, (v - 1)->first + 1);
                    if (chain == &left) {
                        const int over = std::max(0, (last - 1)->first + 1);
                        for (auto v = first; v != last; ++v) v->first -= over;
                    }
                }
                if (pick(0, 1)) std::reverse(first, last);
                first = last;
            }
        }
        std::vector<Point> polygon;
        const double unit = grid ? 1.0 : 1.0 / 1024.0;
        auto add = [&](int x, int y) { polygon.emplace_back((x + shear * y) * unit, y * unit, 0.0); };
        add(pick(-width, width), ys.front());
        for (const auto& [x, y] : left) add(x, y);  // down the left chain
        add(pick(-width, width), ys.back());
        for (auto it = right.rbegin(); it != right.rend(); ++it) add(it->first, it->second);  // up the right
        if (!exactlySimple(polygon)) continue;
        if (pick(0, 1)) std::reverse(polygon.begin(), polygon.end());
        std::rotate(polygon.begin(), polygon.begin() + pick(0, n - 1), polygon.end());
        return polygon;
    }
}

Verdict checkTriangulation(const std::vector<Point>& polygon, const std::vector<Diagonal>& diagonals) {
    Verdict verdict;
    auto fail = [&](const std::string& why) {
        verdict.valid = false;
        verdict.positiveArea = false;
        if (verdict.why.empty()) verdict.why = why;
    };
    const std::vector<P> p = scaledAll(polygon);
    const int n = static_cast<int>(p.size());
    if (static_cast<int>(diagonals.size()) != n - 3) fail("diagonals: " + std::to_string(diagonals.size()));
    std::vector<std::pair<P, P>> ds;
    for (const Diagonal& d : diagonals) {
        const P a = scaled(d.from), b = scaled(d.to);
        char name[120];
        std::snprintf(name, sizeof name, " (%.10g,%.10g)-(%.10g,%.10g)", d.from.x, d.from.y, d.to.x, d.to.y);
        auto fail = [&](const std::string& why) {
            verdict.valid = false;
            verdict.positiveArea = false;
            if (verdict.why.empty()) verdict.why = why + name;
        };
        int ia = -1, ib = -1;
        for (int k = 0; k < n; ++k) {
            if (same(p[k], a)) ia = k;
            if (same(p[k], b)) ib = k;
        }
        if (ia < 0 || ib < 0 || ia == ib) {
            fail("a diagonal does not join two vertices");
            continue;
        }
        if ((ia + 1) % n == ib || (ib + 1) % n == ia) fail("a diagonal joins neighbours");
        // Cut the diagonal at every vertex on it; each piece must not leave the polygon.
        std::vector<P> cuts{a, b};
        for (int k = 0; k < n; ++k) {
            if (strictlyInside(a, b, p[k])) {
                cuts.push_back(p[k]);
                verdict.positiveArea = false;
                if (verdict.flat.empty()) verdict.flat = std::string("a diagonal runs through a vertex") + name;
            }
        }
        std::sort(cuts.begin(), cuts.end(), [](P l, P r) { return l.x != r.x ? l.x < r.x : l.y < r.y; });
        for (size_t c = 0; c + 1 < cuts.size(); ++c) {
            if (!insideOrOn(p, {cuts[c].x + cuts[c + 1].x, cuts[c].y + cuts[c + 1].y})) fail("a diagonal leaves the polygon");
        }
        for (int k = 0; k < n; ++k) {
            if (cross(a, b, p[k], p[(k + 1) % n])) fail("a diagonal crosses an edge");
        }
        for (const auto& [c, d] : ds) {
            if (cross(a, b, c, d)) fail("two diagonals cross");
        }
        ds.push_back({a, b});
    }
    return verdict;
}

std::string floatTriangulationFault(const std::vector<Point>& v, const std::vector<Diagonal>& diagonals) {
    const int n = static_cast<int>(v.size());
    if (static_cast<int>(diagonals.size()) != n - 3) return "diagonals: " + std::to_string(diagonals.size());
    auto at = [&](const Point& p) {
        for (int k = 0; k < n; ++k)
            if (v[k].x == p.x && v[k].y == p.y) return k;
        return -1;
    };
    auto cross = [](const Point& a, const Point& b, const Point& c, const Point& d) {
        return orientation(a, b, c) * orientation(a, b, d) < 0 && orientation(c, d, a) * orientation(c, d, b) < 0;
    };
    int low = 0;  // the lowest vertex, leftmost among the lowest, turns the polygon's way
    for (int k = 1; k < n; ++k)
        if (v[k].y < v[low].y || (v[k].y == v[low].y && v[k].x < v[low].x)) low = k;
    const int sense = orientation(v[(low + n - 1) % n], v[low], v[(low + 1) % n]);
    for (size_t i = 0; i < diagonals.size(); ++i) {
        const Point &a = diagonals[i].from, &b = diagonals[i].to;
        const int ia = at(a), ib = at(b);
        if (ia < 0 || ib < 0 || ia == ib) return "a diagonal does not join two vertices";
        if ((ia + 1) % n == ib || (ib + 1) % n == ia) return "a diagonal joins neighbours";
        for (int k = 0; k < n; ++k) {
            const bool between = a.x != b.x ? std::min(a.x, b.x) < v[k].x && v[k].x < std::max(a.x, b.x)
                                            : std::min(a.y, b.y) < v[k].y && v[k].y < std::max(a.y, b.y);
            if (between && orientation(a, b, v[k]) == 0) return "a diagonal runs through a vertex";
            if (cross(a, b, v[k], v[(k + 1) % n])) return "a diagonal crosses an edge";
        }
        // Touching nothing on the way, it lies inside when it leaves a into the polygon.
        const Point &p = v[(ia + n - 1) % n], &q = v[(ia + 1) % n];
        const bool into = orientation(p, a, q) * sense >= 0
                              ? orientation(a, q, b) * sense > 0 && orientation(a, p, b) * sense < 0
                              : orientation(a, p, b) * sense < 0 || orientation(a, q, b) * sense > 0;
        if (!into) return "a diagonal leaves the polygon";
        for (size_t j = 0; j < i; ++j) {
            const bool twice = std::minmax(ia, ib) == std::minmax(at(diagonals[j].from), at(diagonals[j].to));
            if (twice || cross(a, b, diagonals[j].from, diagonals[j].to)) return "two diagonals cross";
        }
    }
    return "";
}

std::string describe(const std::vector<Point>& polygon) {
    std::string s = std::to_string(polygon.size()) + "\n";
    char line[80];
    for (const Point& q : polygon) {
        std::snprintf(line, sizeof line, "%.10g %.10g\n", q.x, q.y);
        s += line;
    }
    return s;
}

int turnOf(const Point& a, const Point& b, const Point& c) { return turn(scaled(a), scaled(b), scaled(c)); }

bool inClosedTriangle(const Point& p, const Point& a, const Point& b, const Point& c) {
    const int s = turnOf(a, b, c);
    return turnOf(a, b, p) * s >= 0 && turnOf(b, c, p) * s >= 0 && turnOf(c, a, p) * s >= 0;
}

int senseOf(const std::vector<Point>& polygon) {
    const std::vector<P> p = scaledAll(polygon);
    Wide twiceArea = 0;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        twiceArea += Wide(p[j].x) * p[i].y - Wide(p[i].x) * p[j].y;
    }
    return sign(twiceArea);
}

bool sweptBefore(const Point& a, const Point& b) { return a.y > b.y || (a.y == b.y && a.x < b.x); }

int vertexTypeOf(const std::vector<Point>& v, int i) {
    const int n = static_cast<int>(v.size());
    const Point& a = v[(i + n - 1) % n];
    const Point& b = v[(i + 1) % n];
    const bool reflex = senseOf(v) * turnOf(a, v[i], b) < 0;
    if (sweptBefore(v[i], a) && sweptBefore(v[i], b)) return reflex ? 2 : 0;
    if (sweptBefore(a, v[i]) && sweptBefore(b, v[i])) return reflex ? 3 : 1;
    return 4;
}

std::string triangulationFault(const std::vector<Point>& polygon, const std::vector<Diagonal>& diagonals, bool grid) {
    std::string fault = floatTriangulationFault(polygon, diagonals);
    if (grid && fault.empty()) {
        const Verdict verdict = checkTriangulation(polygon, diagonals);
        fault = !verdict.valid ? verdict.why : verdict.flat;
    }
    return fault;
}

namespace {

std::vector<IndexPair> normalized(std::vector<IndexPair> pairs) {
    for (IndexPair& d : pairs) {
        if (d.first > d.second) std::swap(d.first, d.second);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

std::vector<IndexPair> leanDiagonals(const std::vector<Point>& polygon) {
    std::vector<int> out(2 * polygon.size() + 2);
    const int count = triangulateDiagonals(polygon.data(), static_cast<int>(polygon.size()), reinterpret_cast<int(*)[2]>(out.data()));
    std::vector<IndexPair> pairs;
    for (int i = 0; i < count; ++i) pairs.emplace_back(out[2 * i], out[2 * i + 1]);
    return normalized(pairs);
}

}  // namespace

std::string leanFault(const std::vector<Point>& polygon, std::vector<IndexPair> shown) {
    shown = normalized(shown);
    if (leanDiagonals(polygon) != shown) return "the lean entry's diagonals are not those shown";
    for (const int power : {-120, -60, -1, 1, 60, 120}) {
        std::vector<Point> scaled = polygon;
        bool exact = true;
        for (Point& p : scaled) {
            const float x = std::ldexp(p.x, power);
            const float y = std::ldexp(p.y, power);
            exact = exact && std::isfinite(x) && std::isfinite(y) && std::ldexp(x, -power) == p.x && std::ldexp(y, -power) == p.y;
            p.x = x;
            p.y = y;
        }
        if (exact && leanDiagonals(scaled) != shown) return "the lean entry's diagonals change at scale 2^" + std::to_string(power);
    }
    return "";
}

std::vector<Point> polygonFromBytes(const std::uint8_t* data, std::size_t size, std::size_t most, bool& grid) {
    std::vector<Point> v;
    grid = size > 0 && data[0] % 2 == 0;
    if (grid) {
        for (std::size_t i = 1; i + 1 < size && v.size() < most; i += 2) {
            v.emplace_back(static_cast<std::int8_t>(data[i]) / 4.0, static_cast<std::int8_t>(data[i + 1]) / 4.0, 0.0);
        }
        return v;
    }
    for (std::size_t i = 1; i + 8 <= size && v.size() < most; i += 8) {
        float x, y;
        std::memcpy(&x, data + i, 4);
        std::memcpy(&y, data + i + 4, 4);
        if (!std::isfinite(x) || !std::isfinite(y)) return {};
        v.emplace_back(x, y, 0.0);
    }
    return v;
}

}  // namespace testing_support
