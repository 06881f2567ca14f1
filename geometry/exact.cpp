#include "geometry/exact.h"

namespace {

// s + e == a + b exactly, with s the rounded sum (round-to-nearest doubles).
void twoSum(double a, double b, double& s, double& e) {
    s = a + b;
    const double bVirtual = s - a;
    const double aVirtual = s - bVirtual;
    e = (a - aVirtual) + (b - bVirtual);
}

}  // namespace

int signOfSum(const double* terms, int count) {
    // Grow a non-overlapping expansion term by term; its components stay ordered by magnitude,
    // so the sign of the whole sum is the sign of the last (largest) component.
    double expansion[17];
    int length = 0;
    for (int t = 0; t < count; ++t) {
        double q = terms[t];
        int kept = 0;
        for (int i = 0; i < length; ++i) {
            double sum;
            double error;
            twoSum(q, expansion[i], sum, error);
            q = sum;
            if (error != 0.0) expansion[kept++] = error;
        }
        if (q != 0.0 || kept == 0) expansion[kept++] = q;
        length = kept;
    }
    if (length == 0) return 0;
    const double top = expansion[length - 1];
    return (top > 0.0) - (top < 0.0);
}

int orientationOfCloseCall(const Point& a, const Point& b, const Point& c) {
    // (b - a) x (c - a) expanded into six products of two floats; each product of two floats is
    // exact in double, and their sum is signed exactly.
    const double ax = a.x, ay = a.y, bx = b.x, by = b.y, cx = c.x, cy = c.y;
    const double terms[6] = {bx * cy, -(bx * ay), -(ax * cy), -(by * cx), by * ax, ay * cx};
    return signOfSum(terms, 6);
}
