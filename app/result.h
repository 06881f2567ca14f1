#pragma once
// The result of a judged polygon as text, one item a line, for checking a solution against it: the
// triangulation's diagonals and the monotone pieces, every vertex numbered from 1 as the dialogue
// and the window number them. ASCII, as every line of the console.

#include <string>
#include <vector>

#include "geometry/judgement.h"

// The lines --tekst prints after the dialogue:
//   Dijagonale: 5          how many, then each as "dijagonala 2-7" (the smaller number first), in
//   dijagonala 1-3         order of their ends
//   ...
//   Monotoni delovi: 2     how many, then each as "deo 1: 1 2 9 10", its vertices along the boundary
//   deo 1: 1 2 3 4         in the direction the polygon was typed, from its smallest number
//   ...
// A polygon that is not simple, or has fewer than three vertices, has a line that says so instead.
std::vector<std::string> resultLines(const Judgement& judged);
