// The lean triangulation keeps its work arrays with the thread between calls. An allocation that
// fails part way through a call must leave them fit for the next call: a caller may catch the
// failure on a huge polygon and go on with smaller ones. This binary counts (and can fail) every
// allocation, so it runs apart from the other tests; the sanitizer build checks the memory too.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <thread>
#include <vector>

#include "geometry/partition.h"
#include "geometry/polygon.h"

namespace {

// On this thread: allocations counted from 0 while `counting`; the one numbered `failAt` throws.
thread_local bool counting = false;
thread_local long allocations = 0;
thread_local long failAt = -1;

}  // namespace

// The allocator in full, so that new and delete match (GCC cannot tell that free here pairs with
// the malloc above).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    if (counting && allocations++ == failAt) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Teeth hanging from a bar, the tips all level: split and merge vertices, long runs of equal heights.
std::vector<Point> comb(int teeth) {
    std::vector<Point> v = {Point(0, 100, 0)};
    for (int t = 0; t < teeth; ++t) {
        v.emplace_back(4 * t, 0, 0);
        v.emplace_back(4 * t + 1, 0, 0);
        v.emplace_back(4 * t + 1, 50, 0);
        v.emplace_back(4 * t + 4, 50, 0);
    }
    v.back().y = 0;
    v.emplace_back(4 * teeth, 100, 0);
    return v;
}

std::vector<int> diagonalsOf(const std::vector<Point>& v) {
    std::vector<int> out(2 * v.size());
    const int count = triangulateDiagonals(v.data(), static_cast<int>(v.size()), reinterpret_cast<int(*)[2]>(out.data()));
    out.resize(2 * static_cast<std::size_t>(count));
    return out;
}

// On a fresh thread (fresh work arrays): a small polygon, then a large one whose allocation number
// `fail` throws (-1: none), then a middling one. Returns the last one's diagonals; `threw` says
// whether the large one failed. With fail = -1, `count` gets the large call's allocations.
std::vector<int> smallLargeMiddling(long fail, bool& threw, long& count) {
    std::vector<int> out;
    std::thread([&] {
        const std::vector<Point> small = comb(2), large = comb(1100), middling = comb(150);
        diagonalsOf(small);
        allocations = 0;
        failAt = fail;
        counting = true;
        threw = false;
        try {
            diagonalsOf(large);
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        counting = false;
        count = allocations;
        out = diagonalsOf(middling);
    }).join();
    return out;
}

}  // namespace

TEST(Workspace, StaysSoundAfterAnAllocationFailsPartWay) {
    bool threw = false;
    long count = 0;
    const std::vector<int> expected = smallLargeMiddling(-1, threw, count);
    ASSERT_FALSE(threw);
    ASSERT_GT(count, 3) << "the large polygon should grow the work arrays";
    ASSERT_EQ(expected.size(), 2 * (comb(150).size() - 3));
    for (long fail = 0; fail < count; ++fail) {
        long ignored = 0;
        const std::vector<int> after = smallLargeMiddling(fail, threw, ignored);
        EXPECT_TRUE(threw) << "allocation " << fail;
        EXPECT_EQ(after, expected) << "after allocation " << fail << " of " << count << " failed";
    }
}
