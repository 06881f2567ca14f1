#pragma once
// The value records every part of the program exchanges, and the colour codes the renderer knows.

#include <cstdint>

// A colour code: 0..9 name a drawing colour, any other value names none.
using Colour = std::int32_t;

inline constexpr Colour Red = 0;
inline constexpr Colour Green = 1;
inline constexpr Colour Blue = 2;
inline constexpr Colour Yellow = 3;
inline constexpr Colour Orange = 4;
inline constexpr Colour Magenta = 5;
inline constexpr Colour Cyan = 6;
inline constexpr Colour Purple = 7;
inline constexpr Colour White = 8;
inline constexpr Colour Black = 9;

// Capacity of the dialogue's vertex array and of the triangulation's work arrays.
inline constexpr int MaxVertices = 100;

struct Point {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    Colour colour = Black;

    Point() = default;
    Point(double px, double py, double pz)
        : x(static_cast<float>(px)), y(static_cast<float>(py)), z(static_cast<float>(pz)) {}
};

struct Segment {
    Point start;
    Point end;
    Colour colour = Black;

    Segment() = default;
    Segment(const Point& from, const Point& to) : start(from), end(to) {}
};

// An unbounded line through `point` along `direction`.
struct Line {
    Point point;
    Point direction;
    Colour colour = Black;
};

// A circle in the plane z = centre.z.
struct Circle {
    Point centre;
    float radius = 0.0f;
    Colour colour = Black;
};
