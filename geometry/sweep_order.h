#pragma once
// The order in which the plane's sweeps (the partition's, the simplicity test's) meet the vertices:
// from the highest down, of one height from the left: the plane turned by a hair, so that no two
// vertices are level and no edge is horizontal. Vertices are sorted in that order as integer keys.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "geometry/records.h"

// p comes before q in the sweep: higher, or as high and further left.
inline bool above(const Point& p, const Point& q) { return p.y > q.y || (p.y == q.y && p.x < q.x); }

// A vertex of the sweep's order under a key that sorts as the sweep goes, higher first, or as high
// and further left: one comparison of integers, no lookups while sorting.
struct Event {
    std::uint64_t key;
    int k;
};

// A code of a float that orders as the floats do (-0 as 0).
inline std::uint32_t orderCode(float f) {
    f += 0.0f;  // -0 becomes 0
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

inline Event eventOf(const Point& p, int k) {
    return {static_cast<std::uint64_t>(~orderCode(p.y)) << 32 | orderCode(p.x), k};
}

// Sorts events by key: by comparisons below a few thousand (faster there, measured), else by radix,
// eleven bits a pass (the buckets fit the first cache), passing over every digit all keys share.
inline void sortEvents(Event* events, int n, std::vector<Event>& spare, std::vector<int>& counts) {
    if (n < 4096) {
        std::sort(events, events + n, [](const Event& a, const Event& b) { return a.key < b.key; });
        return;
    }
    constexpr int Bits = 11;
    constexpr int Buckets = 1 << Bits;
    constexpr int Digits = (64 + Bits - 1) / Bits;
    if (spare.size() < static_cast<std::size_t>(n)) spare.resize(n);
    counts.assign(Digits * Buckets, 0);
    for (int e = 0; e < n; ++e) {
        const std::uint64_t key = events[e].key;
        for (int d = 0; d < Digits; ++d) ++counts[d * Buckets + (key >> (d * Bits) & (Buckets - 1))];
    }
    Event* from = events;
    Event* to = spare.data();
    for (int d = 0; d < Digits; ++d) {
        int* count = counts.data() + d * Buckets;
        if (count[from[0].key >> (d * Bits) & (Buckets - 1)] == n) continue;
        int at = 0;
        for (int b = 0; b < Buckets; ++b) {
            const int c = count[b];
            count[b] = at;
            at += c;
        }
        for (int e = 0; e < n; ++e) to[count[from[e].key >> (d * Bits) & (Buckets - 1)]++] = from[e];
        std::swap(from, to);
    }
    if (from != events) std::copy(from, from + n, events);
}

// Puts the events in order by key without a sort of the whole when their vertices lie on a few
// heights (combs, grids, staircases): each height's events are taken in the walk's order, which
// along such a polygon mostly runs by abscissa one way or the other, so that they come in order
// already or reversed, else they are sorted among themselves. False, nothing moved, on more heights.
// (Events of one key, two vertices at one place, may come in either order.)
inline bool sortByHeights(Event* events, int n, std::vector<Event>& spare, std::vector<unsigned char>& slots) {
    constexpr int MostHeights = 16;
    std::uint32_t heights[MostHeights];  // the keys' upper halves, each once, in the order met
    int counts[MostHeights] = {};
    int count = 0;
    if (slots.size() < static_cast<std::size_t>(n)) slots.resize(n);
    int at = 0;  // the slot of the last event's height: neighbours along the walk are often level
    for (int e = 0; e < n; ++e) {
        const std::uint32_t h = static_cast<std::uint32_t>(events[e].key >> 32);
        if (count == 0 || heights[at] != h) {
            at = 0;
            while (at < count && heights[at] != h) ++at;
            if (at == count) {
                if (count == MostHeights) return false;
                heights[count++] = h;
            }
        }
        slots[e] = static_cast<unsigned char>(at);
        ++counts[at];
    }
    // Where each height's events start, the heights taken in the sweep's order.
    int order[MostHeights];
    for (int h = 0; h < count; ++h) order[h] = h;
    std::sort(order, order + count, [&](int a, int b) { return heights[a] < heights[b]; });
    int start[MostHeights + 1];
    int next[MostHeights];
    start[0] = 0;
    for (int r = 0; r < count; ++r) {
        next[order[r]] = start[r];
        start[r + 1] = start[r] + counts[order[r]];
    }
    if (spare.size() < static_cast<std::size_t>(n)) spare.resize(n);
    for (int e = 0; e < n; ++e) spare[next[slots[e]]++] = events[e];
    auto byKey = [](const Event& a, const Event& b) { return a.key < b.key; };
    for (int r = 0; r < count; ++r) {
        Event* from = spare.data() + start[r];
        Event* to = spare.data() + start[r + 1];
        if (std::is_sorted(from, to, byKey)) continue;
        std::reverse(from, to);
        if (!std::is_sorted(from, to, byKey)) std::sort(from, to, byKey);
    }
    std::copy(spare.begin(), spare.begin() + n, events);
    return true;
}
