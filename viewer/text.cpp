#include "viewer/text.h"

#include <algorithm>

std::u32string charactersOf(const std::string& s) {
    std::u32string out;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char lead = byte(i);
        // The length the lead byte announces, and the least value such a sequence may carry.
        const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                                      : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        static constexpr char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool whole = length > 0 && i + length <= s.size();
        for (int k = 1; whole && k < length; ++k) {
            whole = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        whole = whole && c >= least[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        out.push_back(whole ? c : 0xFFFD);
        i += whole ? length : 1;
    }
    return out;
}

std::string utf8Of(const std::u32string& s) {
    std::string out;
    for (const char32_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::size_t characterCount(const std::string& s) {
    // Plain ASCII, as most of the window's texts are, counts as its bytes.
    if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return s.size();
    return charactersOf(s).size();
}

TextStrokes strokesOf(const std::string& s) {
    TextStrokes out;
    // Each character starts where the one before it advanced to, as the toolkit draws a string.
    float origin = 0.0f;
    for (const char32_t c : charactersOf(s)) {
        const FontGlyph g = fontGlyph(c);
        for (int k = 0; k < g.stripCount; ++k) {
            const int first = g.strips[2 * k];
            const int count = g.strips[2 * k + 1];
            out.firsts.push_back(static_cast<int>(out.points.size() / 2));
            out.counts.push_back(count);
            for (int i = first; i < first + count; ++i) {
                out.points.push_back(origin + g.points[2 * i]);
                out.points.push_back(g.points[2 * i + 1]);
            }
        }
        origin += g.advance;
    }
    return out;
}

const TextStrokes& keptStrokes(StrokeCache& cache, const std::string& s) {
    auto kept = cache.find(s);
    if (kept != cache.end()) return kept->second;
    if (cache.size() >= MaxKeptTexts) cache.clear();
    return cache.emplace(s, strokesOf(s)).first->second;
}
