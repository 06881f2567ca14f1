#pragma once
// The console's own lines on the files the window and the page write: ASCII, byte for byte as the
// console has always printed them, whatever the band says beside them in Serbian with its letters.

#include <string>

#include "viewer/workbench.h"

// A text of the window in the console's ASCII: č and ć as c, š as s, ž as z, đ as dj (capitals alike).
std::string consoleAscii(const std::string& text);

// The band's word on a file written, as the console prints it: "Poligon je sacuvan u datoteku
// poligon-2.txt.", "Slika nije sacuvana: ...".
std::string consoleSavedWord(SavedFile file, bool written, const std::string& name);

// Unsaved edits kept before the window ends: "Izmene su sacuvane u datoteci poligon-3.txt.".
std::string keptEditsWord(bool written, const std::string& name);
