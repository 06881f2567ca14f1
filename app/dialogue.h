#pragma once
// The console dialogue: banner, reading the polygon, its outline in the scene, and the verdict.

#include <cstdio>
#include <istream>
#include <string>

#include "geometry/judgement.h"
#include "geometry/records.h"
#include "geometry/triangulation.h"
#include "scene/scene.h"

// Reads the vertex count (1..MaxVertices) and the vertices from whitespace-separated tokens of
// `in`, from its start (where a UTF-8 byte-order mark is skipped), printing prompts, echoes and,
// for a refused entry, a message naming the token before asking again (the last such message, when
// asked for, in `lastRefusal`). Returns false when the input ends before the
// polygon is complete; `vertexCount` and the first `vertexCount` entries of `vertices` (room for
// MaxVertices) hold the polygon when it returns true.
bool readPolygon(std::istream& in, std::FILE* out, Point* vertices, int& vertexCount,
                 std::string* lastRefusal = nullptr);

// The listing of the vertices in the sweep's order, highest first.
void printListing(std::FILE* out, const Point* vertices, const Triangulation& result);

// The whole dialogue up to the hand-over to the window: banner, polygon, outline added to the
// scene, verdict and, for a simple monotone polygon, the listing and the diagonals; `shown` gets
// what the window's step mode shows. Everything printed is flushed before it returns. Returns
// false (after saying so) when the input ended early.
bool runDialogue(std::istream& in, std::FILE* out, Point* vertices, int& vertexCount, Judgement& shown,
                 std::string* lastRefusal = nullptr);

// True when the dialogue's last line is unfinished: the listing of a monotone polygon ends without a
// line break, so that a line printed after the dialogue starts anew.
bool dialogueLineOpen(const Judgement& shown);
