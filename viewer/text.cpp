#include "viewer/text.h"

TextStrokes strokesOf(const std::string& s) {
    TextStrokes out;
    // Each character starts where the one before it advanced to, as the toolkit draws a string.
    float origin = 0.0f;
    for (const char c : s) {
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
