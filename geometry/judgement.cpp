#include "geometry/judgement.h"

#include "geometry/polygon.h"

Judgement judgePolygon(const Point* vertices, int vertexCount) {
    Judgement j;
    j.vertices.assign(vertices, vertices + vertexCount);
    if (vertexCount >= 3 && findContact(vertices, vertexCount, j.contact[0], j.contact[1])) {
        j.verdict = Verdict::NotSimple;
    } else if (isMonotone(vertices, vertexCount)) {
        j.triangulation = triangulateMonotone(vertices, vertexCount);
        j.verdict = vertexCount >= 3 ? Verdict::Triangulated : Verdict::FewerThanThree;
    } else {
        j.verdict = Verdict::NotMonotone;
        j.whole = triangulatePolygon(vertices, vertexCount, true);
    }
    return j;
}
