#pragma once
// The console's own lines on the files the window and the page write: ASCII, byte for byte as the
// console has always printed them, whatever the band says beside them in Serbian with its letters.

#include <string>

#include "viewer/workbench.h"

// "Poligon je sacuvan u datoteku poligon-2.txt.", "Slika nije sacuvana: ...".
std::string consoleSavedWord(SavedFile file, bool written, const std::string& name);

// Unsaved edits kept before the window ends: "Izmene su sacuvane u datoteci poligon-3.txt.".
std::string keptEditsWord(bool written, const std::string& name);
