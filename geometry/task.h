#pragma once
// Tasks for the exercise: a simple polygon with small integer coordinates made from a whole number
// alone, the same on every machine and in every build (its own integer generator, no floating point
// in any choice), so that a teacher can give a class "task 4711" and every student gets the same one.

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/records.h"

// The largest task number: nine digits, so that it reads and types easily.
inline constexpr std::uint64_t MaxTask = 999999999;

// The grid the tasks' vertices lie on: 0..TaskGrid in either coordinate.
inline constexpr int TaskGrid = 20;

// Even tasks are y-monotone, odd ones are not: the next task is always of the other kind.
inline bool taskIsMonotone(std::uint64_t task) { return task % 2 == 0; }

// The polygon of task `task` (at most MaxTask): 8 to 14 vertices at integer points of the grid, simple,
// no two vertices closer than two steps, none closer than one step to an edge it does not end, none
// on the line through its two neighbours; y-monotone for an even task, with at least one diagonal the
// stack sweep refuses, else with at least one split and one merge vertex.
std::vector<Point> taskPolygon(std::uint64_t task);

// The checks every task passes that the verdict does not make: the spacing of vertices and edges
// above, on integer coordinates within the grid.
bool readableTask(const std::vector<Point>& polygon);

// A task's number as typed or linked: decimal digits only, at most MaxTask. False for anything else.
bool readTask(const std::string& text, std::uint64_t& task);
