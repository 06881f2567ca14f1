// The program's entry: the console dialogue, then the window.

#include <cstdio>
#include <iostream>

#include "app/dialogue.h"
#include "viewer/viewer.h"

namespace {
// Live until the process ends; the window reads the polygon through the scene and the judgement.
Point vertices[MaxVertices];
Judgement shown;
}  // namespace

int main(int argc, char** argv) {
    int vertexCount = 0;
    if (!runDialogue(std::cin, stdout, vertices, vertexCount, shown)) return 1;
    runViewer(argc, argv, shown);
}
