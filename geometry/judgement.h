#pragma once
// The verdict on a polygon, as the dialogue prints it and the window shows it.

#include <vector>

#include "geometry/partition.h"
#include "geometry/records.h"
#include "geometry/triangulation.h"

enum class Verdict { FewerThanThree, NotSimple, NotMonotone, Triangulated };

struct Judgement {
    std::vector<Point> vertices;  // input order, as the dialogue numbered them from 1
    Verdict verdict = Verdict::FewerThanThree;
    Triangulation triangulation;  // a monotone polygon's, the listing's order even below 3 vertices
    int contact[2] = {0, 0};      // NotSimple: the first two edges (by their first vertex) that meet
    WholeTriangulation whole;     // NotMonotone: the partition and each piece's sweep, with stacks
};

// Judges a polygon: not simple (3 or more vertices whose edges meet), else triangulated when
// monotone (fewer than three vertices: monotone, but without steps), else not monotone, with what
// each verdict shows.
Judgement judgePolygon(const Point* vertices, int vertexCount);
