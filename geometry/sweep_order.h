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
