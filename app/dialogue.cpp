#include "app/dialogue.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "geometry/triangulation.h"
#include "scene/scene.h"

namespace {

// No count or coordinate needs more characters: even the exact decimal expansion of a float is
// shorter. A longer token is refused as it reaches this length and is never held whole.
constexpr std::size_t MaxTokenLength = 256;

bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

enum class Token { Whole, TooLong, Ended };

// Whitespace-separated tokens of `in`, read straight from its buffer.
class Tokens {
public:
    explicit Tokens(std::istream& in) : in_(in) {}

    // The next token; TooLong once MaxTokenLength characters are taken and another follows, the
    // rest of it left in the input. Ended when only whitespace is left. A UTF-8 byte-order mark
    // at the very start of the input, as some editors begin a text file with, is skipped; a mark
    // cut short there, or one anywhere else, is part of a token like any other bytes.
    Token next(std::string& token) {
        using Traits = std::streambuf::traits_type;
        std::streambuf& buf = *in_.rdbuf();
        token.clear();
        int c = buf.sgetc();
        if (atStart_) {
            atStart_ = false;
            static const char mark[] = "\xEF\xBB\xBF";
            std::size_t matched = 0;
            for (; matched < 3 && c == Traits::to_int_type(mark[matched]); ++matched) c = buf.snextc();
            if (matched < 3) token.assign(mark, matched);
        }
        if (token.empty()) {
            while (c != Traits::eof() && isSpace(c)) c = buf.snextc();
        }
        while (c != Traits::eof() && !isSpace(c)) {
            if (token.size() == MaxTokenLength) return Token::TooLong;
            token.push_back(Traits::to_char_type(c));
            c = buf.snextc();
        }
        return token.empty() ? Token::Ended : Token::Whole;
    }

    // Drops everything up to and including the next line break.
    void discardRestOfLine() {
        using Traits = std::streambuf::traits_type;
        std::streambuf& buf = *in_.rdbuf();
        for (int c = buf.sbumpc(); c != Traits::eof() && c != '\n'; c = buf.sbumpc()) {
        }
    }

private:
    std::istream& in_;
    bool atStart_ = true;
};

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

// A whole token in the form "%f" reads, whose value is a finite 32-bit float. A non-zero number
// too small for a float comes back as 0 with ERANGE; it is refused rather than merged with a typed
// 0. Subnormal floats, ERANGE or not, are kept.
bool parseCoordinate(const std::string& token, float& value) {
    if (token.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtof(token.c_str(), &end);
    const bool vanished = value == 0.0f && errno == ERANGE;
    return end == token.c_str() + token.size() && std::isfinite(value) && !vanished;
}

enum class Read { Accepted, Refused, Ended };

// Reads a token and hands it to `parse`; a token too long for any number is refused unparsed. A
// refused token is left in `token` (its first MaxTokenLength characters).
template <typename Parse>
Read readToken(Tokens& tokens, std::string& token, Parse parse) {
    switch (tokens.next(token)) {
        case Token::Ended:
            return Read::Ended;
        case Token::TooLong:
            return Read::Refused;
        case Token::Whole:
            break;
    }
    return parse(token) ? Read::Accepted : Read::Refused;
}

Read readCount(Tokens& tokens, std::string& token, int& count) {
    return readToken(tokens, token, [&](const std::string& t) { return parseCount(t, count); });
}

Read readCoordinates(Tokens& tokens, std::string& token, float& x, float& y) {
    const Read first = readToken(tokens, token, [&](const std::string& t) { return parseCoordinate(t, x); });
    if (first != Read::Accepted) return first;
    return readToken(tokens, token, [&](const std::string& t) { return parseCoordinate(t, y); });
}

// A refused token as the console names it: in quotes, its printable ASCII as typed and any other
// byte as '?', cut to 32 characters with "..." after.
std::string quoted(const std::string& token) {
    constexpr std::size_t Shown = 32;
    std::string out = "\"";
    for (std::size_t i = 0; i < token.size() && i < Shown; ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        out += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    return out + (token.size() > Shown ? "...\"" : "\"");
}

}  // namespace

bool readPolygon(std::istream& in, std::FILE* out, Point* vertices, int& vertexCount, std::string* lastRefusal) {
    // Prompts, reads, and on a refusal says why, naming the token, drops the rest of the line and
    // asks again. False when the input ends first.
    Tokens tokens(in);
    std::string token;
    auto ask = [&](auto prompt, auto read, const char* what, const char* how) {
        for (;;) {
            prompt();
            std::fflush(out);
            const Read result = read();
            if (result != Read::Refused) return result == Read::Accepted;
            const std::string refusal = std::string(what) + " (" + quoted(token) + "): " + how;
            std::fprintf(out, "%s\n", refusal.c_str());
            if (lastRefusal != nullptr) *lastRefusal = refusal;
            tokens.discardRestOfLine();
        }
    };
    if (!ask([&] { std::fputs("Unesite broj temena: ", out); }, [&] { return readCount(tokens, token, vertexCount); },
             "Neispravan broj temena", "unesite ceo broj od 1 do 100.")) {
        return false;
    }
    for (int k = 1; k <= vertexCount; ++k) {
        float x = 0.0f;
        float y = 0.0f;
        if (!ask([&] { std::fprintf(out, "Unesite koordinate %d. tacke: ", k); },
                 [&] { return readCoordinates(tokens, token, x, y); }, "Neispravne koordinate",
                 "unesite dva broja, npr. 2.5 3")) {
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

bool runDialogue(std::istream& in, std::FILE* out, Point* vertices, int& vertexCount, Judgement& shown,
                 std::string* lastRefusal) {
    std::fputs(" - TRIANGULACIJA MONOTONIH POLIGONA -  \n \n", out);
    std::fputs("Podrazumeva se da se unosi prost poligon \n \n", out);
    if (!readPolygon(in, out, vertices, vertexCount, lastRefusal)) {
        std::fputs("\nUnos je prekinut.\n", out);
        std::fflush(out);
        return false;
    }
    shown = judgePolygon(vertices, vertexCount);
    showInScene(scene, shown);
    switch (shown.verdict) {
        case Verdict::NotSimple:
            std::fputs("Poligon koji ste uneli nije prost.\n", out);
            break;
        case Verdict::NotMonotone:
            std::fputs("Poligon koji ste uneli nije monoton.\n", out);
            break;
        case Verdict::FewerThanThree:
        case Verdict::Triangulated:
            std::fputs("Poligon je monoton!\n", out);
            printListing(out, vertices, shown.triangulation);
            break;
    }
    std::fflush(out);
    return true;
}

bool dialogueLineOpen(const Judgement& shown) {
    return shown.verdict == Verdict::Triangulated || shown.verdict == Verdict::FewerThanThree;
}
