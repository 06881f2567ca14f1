// Drives the dialogue's reading with arbitrary bytes, then the checks made on what it read.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/dialogue.h"
#include "geometry/polygon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Point vertices[MaxVertices];
    int vertexCount = -1;
    if (readPolygon(in, sink, vertices, vertexCount)) {
        if (vertexCount < 1 || vertexCount > MaxVertices) std::abort();
        if (vertexCount >= 3) isSimple(vertices, vertexCount);
        isMonotone(vertices, vertexCount);
    }
    return 0;
}
