#pragma once
// A polygon written in a test as its (x, y) pairs, in boundary order.

#include <initializer_list>
#include <utility>
#include <vector>

#include "geometry/records.h"

template <typename Pairs>
std::vector<Point> polygonOf(const Pairs& xy) {
    std::vector<Point> v;
    for (const auto& [x, y] : xy) v.emplace_back(x, y, 0.0);
    return v;
}

inline std::vector<Point> polygonOf(std::initializer_list<std::pair<double, double>> xy) {
    return polygonOf<std::initializer_list<std::pair<double, double>>>(xy);
}
