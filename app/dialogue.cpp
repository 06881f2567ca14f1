#include "app/dialogue.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "geometry/polygon.h"
#include "geometry/triangulation.h"
#include "scene/scene.h"

namespace {

// The next whitespace-separated token, or false at the end of the input.
bool nextToken(std::istream& in, std::string& token) {
    token.clear();
    return static_cast<bool>(in >> token);
}

void discardRestOfLine(std::istream& in) {
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// A whole token in the form "%d" reads: an optional sign, then decimal digits only.
bool parseCount(const std::string& token, int& count) {
    std::size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i == token.size()) return false;
    for (std::size_t k = i; k < token.size(); ++k) {
        if (token[k] < '0' || token[k] > '9') return false;
    }
    errno = 0;
    const long value = std::strtol(token.c_str(), nullptr, 10);
    if (errno == ERANGE || value < 1 || value > MaxVertices) return false;
    count = static_cast<int>(value);
    return true;
}

// A whole token in the form "%f" reads, whose value is a finite 32-bit float.
bool parseCoordinate(const std::string& token, float& value) {
    if (token.empty()) return false;
    char* end = nullptr;
    value = std::strtof(token.c_str(), &end);
    return end == token.c_str() + token.size() && std::isfinite(value);
}

enum class Read { Accepted, Refused, Ended };

Read readCount(std::istream& in, int& count) {
    std::string token;
    if (!nextToken(in, token)) return Read::Ended;
    return parseCount(token, count) ? Read::Accepted : Read::Refused;
}

Read readCoordinates(std::istream& in, float& x, float& y) {
    std::string token;
    if (!nextToken(in, token)) return Read::Ended;
    if (!parseCoordinate(token, x)) return Read::Refused;
    if (!nextToken(in, token)) return Read::Ended;
    return parseCoordinate(token, y) ? Read::Accepted : Read::Refused;
}

void addOutline(const Point* vertices, int vertexCount) {
    Segment edges[MaxVertices];
    for (int i = 0; i + 1 < vertexCount; ++i) {
        edges[i] = Segment(vertices[i], vertices[i + 1]);
        addSegment(Black, edges[i]);
    }
    // The closing edge runs from the first vertex to the last.
    addSegment(Black, Segment(vertices[0], vertices[vertexCount - 1]));
}

}  // namespace

bool readPolygon(std::istream& in, std::FILE* out, Point* vertices, int& vertexCount) {
    // Prompts, reads, and on a refusal says why, drops the rest of the line and asks again.
    // False when the input ends first.
    auto ask = [&](auto prompt, auto read, const char* refusal) {
        for (;;) {
            prompt();
            std::fflush(out);
            const Read result = read();
            if (result != Read::Refused) return result == Read::Accepted;
            std::fputs(refusal, out);
            discardRestOfLine(in);
        }
    };
    if (!ask([&] { std::fputs("Unesite broj temena: ", out); }, [&] { return readCount(in, vertexCount); },
             "Neispravan broj temena: unesite ceo broj od 1 do 100.\n")) {
        return false;
    }
    for (int k = 1; k <= vertexCount; ++k) {
        float x = 0.0f;
        float y = 0.0f;
        if (!ask([&] { std::fprintf(out, "Unesite koordinate %d. tacke: ", k); },
                 [&] { return readCoordinates(in, x, y); },
                 "Neispravne koordinate: unesite dva broja, npr. 2.5 3\n")) {
            return false;
        }
        vertices[k - 1] = Point();
        vertices[k - 1].x = x;
        vertices[k - 1].y = y;
        std::fprintf(out, "Uneli ste %f %f. \n", static_cast<double>(x), static_cast<double>(y));
    }
    return true;
}

void printListing(std::FILE* out, const Point* vertices, const Triangulation& result) {
    std::fputs("Temena u opadajucem poretku po ordinati: \n", out);
    for (const int index : result.order) {
        const Point& p = vertices[index];
        std::fprintf(out, "(%f,%f) ", static_cast<double>(p.x), static_cast<double>(p.y));
    }
}

void addDiagonals(Scene& target, const Point* vertices, const Triangulation& result) {
    for (const SweepDiagonal& d : result.diagonals) {
        addSegment(target, d.made == SweepCase::SameChain ? Blue : Red, Segment(vertices[d.from], vertices[d.to]));
    }
}

bool runDialogue(std::istream& in, std::FILE* out, Point* vertices, int& vertexCount, Walkthrough& shown) {
    std::fputs(" - TRIANGULACIJA MONOTONIH POLIGONA -  \n \n", out);
    std::fputs("Podrazumeva se da se unosi prost poligon \n \n", out);
    if (!readPolygon(in, out, vertices, vertexCount)) {
        std::fputs("\nUnos je prekinut.\n", out);
        std::fflush(out);
        return false;
    }
    addOutline(vertices, vertexCount);
    shown.vertices.assign(vertices, vertices + vertexCount);
    shown.verdict = Verdict::FewerThanThree;
    if (vertexCount >= 3 && findContact(vertices, vertexCount, shown.contact[0], shown.contact[1])) {
        std::fputs("Poligon koji ste uneli nije prost.\n", out);
        shown.verdict = Verdict::NotSimple;
    } else if (isMonotone(vertices, vertexCount)) {
        std::fputs("Poligon je monoton!\n", out);
        shown.triangulation = triangulateMonotone(vertices, vertexCount);
        printListing(out, vertices, shown.triangulation);
        if (shown.triangulation.stackEmptied) {
            std::fputs("Stek je prazan!\n", out);
            std::fflush(out);
            std::exit(1);
        }
        addDiagonals(scene, vertices, shown.triangulation);
        if (vertexCount >= 3) shown.verdict = Verdict::Triangulated;
    } else {
        std::fputs("Poligon koji ste uneli nije monoton.\n", out);
        shown.verdict = Verdict::NotMonotone;
        shown.turning = turningVertices(vertices, vertexCount);
    }
    std::fflush(out);
    return true;
}
