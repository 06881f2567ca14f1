#include "viewer/console_words.h"

std::string consoleSavedWord(SavedFile file, bool written, const std::string& name) {
    if (!written) {
        return std::string(file == SavedFile::Polygon   ? "Poligon nije sacuvan"
                           : file == SavedFile::Picture ? "Slika nije sacuvana"
                                                        : "Lekcija nije sacuvana") +
               ": u tekucoj fascikli ne moze da se napravi datoteka.";
    }
    switch (file) {
        case SavedFile::Polygon:
            return "Poligon je sacuvan u datoteku " + name + ".";
        case SavedFile::Picture:
            return "Slika je sacuvana u datoteci " + name + ".";
        case SavedFile::Lesson:
            break;
    }
    return "Lekcija je sacuvana u datoteci " + name + ".";
}

std::string keptEditsWord(bool written, const std::string& name) {
    return written ? "Izmene su sacuvane u datoteci " + name + "."
                   : "Izmene nisu sacuvane: u tekucoj fascikli ne moze da se napravi datoteka.";
}
