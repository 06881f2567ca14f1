#pragma once
// Where things go in the window, as plain arithmetic: the size of the text for the window's size,
// the caption band, the stack panel and the picture that they leave free, which vertex numbers can
// be drawn without overlapping, and how the help panel fits.

#include <string>
#include <vector>

#include "viewer/camera.h"

// Text in a fixed-width font, measured in window pixels.
struct TextStyle {
    double size = 14.0;     // height of a digit or a capital
    double advance = 11.7;  // width of every character
    double line = 21.7;     // from one baseline to the next
    double margin = 11.2;   // around panels and between columns
};

// The window's text: a digit 14 pixels tall at the opening size, growing and shrinking with the
// window (never below 7 pixels). On a screen of `pixelRatio` device pixels to a CSS pixel (a
// browser's page) the sizes go by CSS pixels, and a dense screen (a phone's or a tablet's, held close
// and small) keeps its digits at least 11 CSS pixels tall.
TextStyle windowText(int windowWidth, int windowHeight, double pixelRatio = 1.0);
TextStyle textOfSize(double size);

// A UTF-8 string's width: its characters (not its bytes) times the advance.
double textWidth(const TextStyle& text, const std::string& s);

// Breaks each line at blanks (or, for a word longer than a line, inside it) so that none is longer
// than `maxChars` characters (counted as characters, never cut inside one).
std::vector<std::string> wrapLines(const std::vector<std::string>& lines, int maxChars);

enum class Command;  // viewer/commands.h

// A button drawn in the window: its rectangle in window pixels (GL's origin at the bottom left), its
// label, and what pressing it gives: a command of the table, with the key that goes with it.
struct Button {
    PixelRect box;
    std::string label;
    Command command;
    char key = 0;
    TextStyle text;   // its label's
    bool on = false;  // what it turns on is on (editing, the exercise, the help, full screen, play): drawn pressed
};
// The first `count` characters of a UTF-8 string (all of it when it is shorter).
std::string firstCharacters(const std::string& s, std::size_t count);

// A page of the window: the caption band across the top, the footer band across the bottom (while
// the polygon is being edited), the stack panel along the right side between them (when the page
// has one), and the picture in what they leave.
struct PageLayout {
    TextStyle text;
    std::vector<std::string> caption;  // wrapped to the window's width, drawn from the top down
    PixelRect captionBand;             // height 0 without a caption
    std::vector<std::string> footer;   // wrapped, drawn from the top of the footer band down
    PixelRect footerBand;              // along the bottom; height 0 without a footer
    PixelRect stackPanel;              // width 0 without a stack; across the window below the picture on a phone held upright
    TextStyle panelText;               // the panel's text: the window's, or larger where a tall window's column has room
    PixelRect picture;
    PixelRect toolbarBand;             // along the very bottom, below the footer; height 0 without the row
    std::vector<Button> buttons;       // drawn over the rest, in their order: a question's choices, then the row's
};

// A row of buttons of these labels from the left margin, their bottom at `bottom` (GL's origin), each
// as wide as its label and a little more, its text the window's or smaller, so that the row fits the
// window's width; their commands and keys are the caller's to fill in.
std::vector<Button> buttonRow(const std::vector<std::string>& labels, const TextStyle& text, int windowWidth, double bottom);

// The row of buttons along the window's bottom (the pages, play, editing, the exercise, the help and
// full screen): each at least a finger's breadth, 44 pixels at a pixel ratio of 1 (44 CSS pixels in
// a page), and as tall as two lines of the text where that is more. Their full labels where the
// whole row of them fits the width, else the brief ones (a key or an arrow), the text shrunk only
// where even those would not fit; a window too narrow for the row's fingers' breadths gets narrower
// buttons, never a row wider than itself. The band's height is 0 (no row) in a window less than
// four rows tall.
struct ToolLabel {
    std::string full;   // "Sledeća >", "Uredi (E)"
    std::string brief;  // ">", "E"
};
int toolbarHeight(const TextStyle& text, int windowHeight, double pixelRatio);
std::vector<Button> toolbarRow(const std::vector<ToolLabel>& labels, const TextStyle& text, int windowWidth, int bandHeight,
                               double pixelRatio);

// The caption band is as tall as the wrapped caption, or `reservedLines` lines if that is more;
// `stackChars` is the width of the stack panel's text in characters (0: no panel). The footer band is
// as tall as the wrapped footer, or `footerReserved` lines if that is more.
// The row of buttons takes `toolbar` pixels along the very bottom (0: none); the text follows
// `pixelRatio` (windowText). The panel, whose content takes at most `panelLines` lines, keeps the
// window's text up to the opening size; beyond it (a projector's window) its text grows faster than
// the window's, as far as the column's height and a third of the width allow, so that the panel
// fills its column instead of a corner of it.
PageLayout layoutPage(int windowWidth, int windowHeight, const std::vector<std::string>& caption, int reservedLines,
                      int stackChars, const std::vector<std::string>& footer = {}, int footerReserved = 0, int toolbar = 0,
                      double pixelRatio = 1.0, int panelLines = 0);

// How many characters of text fit across the window's caption band.
int captionChars(const TextStyle& text, int windowWidth);

// The rows a column of `count` entries shows in `rows` rows, bottom first, as entry indices; when
// they do not all fit, the middle gives way to one row of "..." (-1), so that the bottom and the top
// always show.
std::vector<int> columnRows(int count, int rows);

// A vertex number placed beside its vertex, at one of its corners: 0 up and right, 1 down and
// right, 2 up and left, 3 down and left.
struct Label {
    int vertex = 0;
    int corner = 0;
};

// The vertex numbers to draw, given where each vertex appears (window pixels, GL's origin): every
// vertex in `area`, each at the first corner that keeps its number inside the area and clear of the
// others, when they all find one; else only the `concerned` ones, in their order, each left out that
// finds none.
std::vector<Label> visibleLabels(const std::vector<PlanePoint>& at, const std::vector<int>& concerned,
                                 const TextStyle& text, const PixelRect& area);

// The box of vertex `vertex`'s number drawn at `corner` of the point `at`.
PixelRect labelBox(const TextStyle& text, int vertex, const PlanePoint& at, int corner = 0);

// The help panel: its rows go in one column or in two (split at a heading), whichever lets the text
// be larger, never larger than the window's text, shrunk until the panel fits the window.
struct HelpLayout {
    TextStyle text;
    int columns = 1;
    int firstOfSecondColumn = 0;  // row index where the second column starts
    int keyChars = 0;             // width of the first field of a row, swatch included
    PixelRect box;
};
// What the help draws before a row's key: a sample of the colour or mark the row explains.
enum class Swatch { None, Outline, RedDiagonal, BlueDiagonal, NewDiagonal, Sweep, Stack, Popped, Refused, LeftChain,
                    RightChain, Why, Chosen, Struck, PartitionDiagonal, Piece, LineEdge, StartMark, EndMark, SplitMark, MergeMark,
                    RegularMark, ColourClasses, Guard, DualGraph };
struct HelpRow {
    std::string key;  // a heading when `meaning` is empty
    std::string meaning;
    Swatch swatch = Swatch::None;
};
HelpLayout layoutHelp(int windowWidth, int windowHeight, const std::vector<HelpRow>& rows, double pixelRatio = 1.0);
