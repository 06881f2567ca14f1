#pragma once
// Every key and mouse action of the window, one row each in one table: its keys, when it acts, what
// it does and its help. The help panel and the editing band are made from the table, and every front
// end looks its keys up in it.

#include <string>
#include <vector>

#include "viewer/layout.h"

// A key as the window gets it: a character, or one of the keys without one.
// Shift+Right and Shift+Left are keys of their own here (the jump of ten).
enum class SpecialKey { None, Right, Left, Home, End, PageUp, PageDown, ShiftRight, ShiftLeft, F11 };
struct KeyPress {
    char character = 0;
    SpecialKey special = SpecialKey::None;
};

// When a row acts: always (unless a row before it for the same key acts), only while editing, only
// while a new polygon is drawn, only while the exercise waits for an answer, or only while it waits
// for vertices to be chosen.
enum class When { Always, Editing, Drawing, Asking, Choosing };

// The window's state as the keys see it.
struct KeyState {
    bool editing = false;
    bool drawing = false;
    bool asking = false;    // a question of the exercise waits for its answer
    bool choosing = false;  // and its answer is a set of vertices
};

enum class Command {
    // The pages.
    Next, Previous, First, Full, TenForward, TenBack, Play, Faster, Slower, Labels, ResetView, Help, Picture, Document,
    Quit,
    // The projector: the screen black and back, full screen on and off, and Escape, which leaves
    // the innermost of full screen, the black screen, a drag or a drawing, the help and editing.
    Blank, FullScreen, Back,
    // Editing.
    Edit, Grid, Undo, Redo, New, Save, Delete, Cancel, Close, RemoveLast,
    // The exercise: on and off, a new task, and the answers: a choice's key or a digit of a vertex's
    // number (the key goes with the command), a space or comma after a number, taking back the last
    // digit or vertex, and Enter.
    Exercise, NewTask, Answer, Separator, Erase, Confirm,
    // The mouse, in its rows for the help and the band.
    MoveVertex, InsertVertex, AddVertex, ChooseVertex, ChooseButton, Turn, Pan, WheelZoom, DragZoom, RowButton,
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

// The command the key gives in the window's state, the narrowest state's row first; false when it
// gives none.
bool commandFor(const KeyPress& key, const KeyState& state, Command& command);
bool commandFor(const KeyPress& key, bool editing, bool drawing, Command& command);

// The help panel's rows: the table's, then the colours and marks, each with a sample. In a browser's
// page, where S and I download their files and nothing closes, the rows say what the page does.
const std::vector<HelpRow>& helpRows(bool inPage = false);

// The editing band's line of keys, while editing or while a new polygon is drawn.
std::string editingKeys(bool drawing);
