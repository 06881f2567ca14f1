#pragma once
// Every key and mouse action of the window, one row each in one table: its keys, when it acts, what
// it does and its help. The help panel and the editing band are made from the table, and every front
// end looks its keys up in it.

#include <string>
#include <vector>

#include "viewer/layout.h"

// A key as the window gets it: a character, or one of the keys without one.
enum class SpecialKey { None, Right, Left, Home, End, PageUp, PageDown };
struct KeyPress {
    char character = 0;
    SpecialKey special = SpecialKey::None;
};

// When a row acts: always (unless a row before it for the same key acts), only while editing, or only
// while a new polygon is drawn.
enum class When { Always, Editing, Drawing };

enum class Command {
    // The pages.
    Next, Previous, First, Full, TenForward, TenBack, Play, Faster, Slower, Labels, ResetView, Help, Picture, Document,
    Quit,
    // Editing.
    Edit, Grid, Undo, Redo, New, Save, Delete, Cancel, Close, RemoveLast,
    // The mouse, in its rows for the help and the band.
    MoveVertex, InsertVertex, AddVertex, Turn, Pan, WheelZoom, DragZoom,
};

struct CommandRow {
    std::vector<KeyPress> keys;  // none for the mouse
    When when = When::Always;
    Command command = Command::Next;
    const char* keyText = "";  // the help's first column, empty where the row shares the help's line above
    const char* help = "";     // what it does, in the help
    const char* band = "";     // its words in the editing band, empty when it has none there
    int bandOrder = 0;         // its place among them
};

// The command the key gives in the window's state; false when it gives none.
bool commandFor(const KeyPress& key, bool editing, bool drawing, Command& command);

// The help panel's rows: the table's, then the colours and marks, each with a sample. In a browser's
// page, where S and I download their files and nothing closes, the rows say what the page does.
const std::vector<HelpRow>& helpRows(bool inPage = false);

// The editing band's line of keys, while editing or while a new polygon is drawn.
std::string editingKeys(bool drawing);
