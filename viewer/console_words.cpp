#include "viewer/console_words.h"

#include "viewer/text.h"

std::string consoleAscii(const std::string& text) {
    std::string out;
    for (const char32_t c : charactersOf(text)) {
        switch (c) {
            case U'č':
            case U'ć':
                out += 'c';
                break;
            case U'Č':
            case U'Ć':
                out += 'C';
                break;
            case U'š':
                out += 's';
                break;
            case U'Š':
                out += 'S';
                break;
            case U'ž':
                out += 'z';
                break;
            case U'Ž':
                out += 'Z';
                break;
            case U'đ':
                out += "dj";
                break;
            case U'Đ':
                out += "Dj";
                break;
            default:
                out += c < 0x80 ? utf8Of(std::u32string(1, c)) : "?";
        }
    }
    return out;
}

std::string consoleSavedWord(SavedFile file, bool written, const std::string& name) {
    return consoleAscii(savedWord(file, written, name));
}

std::string keptEditsWord(bool written, const std::string& name) {
    return written ? "Izmene su sacuvane u datoteci " + name + "."
                   : "Izmene nisu sacuvane: u tekucoj fascikli ne moze da se napravi datoteka.";
}
