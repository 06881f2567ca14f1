#include "viewer/commands.h"

#include <algorithm>

namespace {

KeyPress key(char c) { return {c, SpecialKey::None}; }
KeyPress key(SpecialKey s) { return {0, s}; }

constexpr char BackSpace = '\b';
constexpr char Enter = '\r';
constexpr char Escape = 27;
constexpr char DeleteKey = 127;
constexpr char CtrlY = 'Y' - '@';
constexpr char CtrlZ = 'Z' - '@';

// Where a row stands in the help: under the keys, under editing, under the exercise, or under the mouse.
enum class Section { Keys, Editing, Exercise, Mouse, None };

struct Row {
    CommandRow row;
    Section section;
};

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {{{key(SpecialKey::Right), key(' '), key(SpecialKey::PageDown)}, When::Always, Command::Next, "Desno, razmak, Page Down",
          "sledeći korak"},
         Section::Keys},
        {{{key(SpecialKey::Left), key(BackSpace), key(SpecialKey::PageUp)}, When::Always, Command::Previous,
          "Levo, Backspace, Page Up", "prethodni korak"},
         Section::Keys},
        {{{key(SpecialKey::ShiftRight)}, When::Always, Command::TenForward, "Shift+Desno / Levo", "deset koraka napred / nazad"},
         Section::Keys},
        {{{key(SpecialKey::ShiftLeft)}, When::Always, Command::TenBack}, Section::Keys},
        {{{key(SpecialKey::Home)}, When::Always, Command::First, "Home", "prvi korak"}, Section::Keys},
        {{{key(SpecialKey::End)}, When::Always, Command::Full, "End", "cela slika (okreti i uveličanje ostaju)"},
         Section::Keys},
        {{{key('p'), key('P')}, When::Always, Command::Play, "P", "koraci sami od sebe: pokreni / zaustavi"}, Section::Keys},
        {{{key('+'), key('=')}, When::Always, Command::Faster, "+ / -", "brže / sporije (od 0.25 s do 4 s)"}, Section::Keys},
        {{{key('-')}, When::Always, Command::Slower}, Section::Keys},
        {{{key('l'), key('L')}, When::Always, Command::Labels, "L", "brojevi temena na celoj slici"}, Section::Keys},
        {{{key('r'), key('R')}, When::Always, Command::ResetView, "R", "ceo poligon u prozoru, bez okretanja i uveličanja"},
         Section::Keys},
        {{{key('b'), key('B'), key('.')}, When::Always, Command::Blank, "B, tačka", "crn ekran (bilo koji taster ili klik vraća)"},
         Section::Keys},
        {{{key('f'), key('F'), key(SpecialKey::F11)}, When::Always, Command::FullScreen, "F, F11", "ceo ekran: uključi / isključi"},
         Section::Keys},
        {{{key(Escape)}, When::Always, Command::Back, "Esc",
          "izlaz iz celog ekrana, crnog ekrana, vučenja ili crtanja, pomoći, pa uređivanja"},
         Section::Keys},
        {{{key('h'), key('H')}, When::Always, Command::Help, "H", "ova pomoć"}, Section::Keys},
        {{{key('i'), key('I')}, When::Always, Command::Picture, "I", "slika strane u prvu slobodnu slika-K.svg"},
         Section::Keys},
        {{{key('d'), key('D')}, When::Always, Command::Document, "D", "cela lekcija u prvu slobodnu lekcija-K.pdf"},
         Section::Keys},
        {{{key('q'), key('Q')}, When::Always, Command::Quit, "Q",
          "kraj programa (pita ako izmene nisu sačuvane)"},
         Section::Keys},
        {{{key('e'), key('E')}, When::Always, Command::Edit, "E", "uređivanje: uključi / isključi", "E kraj", 9},
         Section::Editing},
        {{{}, When::Editing, Command::MoveVertex, "levi taster na temenu", "pomeranje temena", "vuci teme", 1},
         Section::Editing},
        {{{}, When::Editing, Command::InsertVertex, "klik na stranicu", "novo teme na njoj", "klik na stranicu dodaje teme", 2},
         Section::Editing},
        {{{key('x'), key('X'), key(DeleteKey)}, When::Editing, Command::Delete, "X, Delete", "brisanje temena pod pokazivačem",
          "X ili Delete briše teme", 3},
         Section::Editing},
        {{{key('g'), key('G')}, When::Editing, Command::Grid, "G", "mreža: uključi / isključi", "G mreža", 4}, Section::Editing},
        {{{key('u'), key('U'), key(CtrlZ)}, When::Editing, Command::Undo, "U, Ctrl+Z / Ctrl+Y", "vrati / ponovi izmenu",
          "U ili Ctrl+Z vrati", 5},
         Section::Editing},
        {{{key(CtrlY)}, When::Editing, Command::Redo, "", "", "Ctrl+Y ponovi", 6}, Section::Editing},
        {{{key('n'), key('N')}, When::Editing, Command::New, "N", "novi poligon: klik dodaje teme, Enter zatvara",
          "N novi poligon", 7},
         Section::Editing},
        {{{key('s'), key('S')}, When::Always, Command::Save, "S", "čuvanje u prvu slobodnu poligon-K.txt", "S sačuvaj", 8},
         Section::Editing},
        {{{key('v'), key('V')}, When::Always, Command::Exercise, "V", "vežba: pitanje pre svakog koraka, uključi / isključi"},
         Section::Exercise},
        {{{key('z'), key('Z')}, When::Always, Command::NewTask, "Z", "novi zadatak: slučajan poligon, naizmenično monoton i ne"},
         Section::Exercise},
        {{{key('d'), key('D'), key('n'), key('N')}, When::Asking, Command::Answer, "D / N", "odgovor da / ne"}, Section::Exercise},
        {{{key('1'), key('2'), key('3'), key('4'), key('5'), key('6'), key('7'), key('8'), key('9'), key('0')}, When::Asking,
          Command::Answer, "1 - 5", "vrsta temena (1 početno, ..., 5 pravilno); boja (1 - 3)"},
         Section::Exercise},
        {{{}, When::Asking, Command::ChooseButton, "klik na dugme", "odgovor sa dugmeta"}, Section::Exercise},
        {{{}, When::Choosing, Command::ChooseVertex, "klik na teme, broj", "izbor temena (ponovo: poništava); broj čuvara"}, Section::Exercise},
        {{{key(' '), key(',')}, When::Choosing, Command::Separator, "razmak, zarez", "između brojeva temena"}, Section::Exercise},
        {{{key(BackSpace)}, When::Choosing, Command::Erase, "Backspace", "briše poslednju cifru ili izabrano teme"},
         Section::Exercise},
        {{{key(Enter)}, When::Choosing, Command::Confirm, "Enter", "potvrda izbora (bez izbora: nijedno)"}, Section::Exercise},
        {{{}, When::Drawing, Command::AddVertex, "", "", "klik dodaje teme", 1}, Section::None},
        {{{key(BackSpace)}, When::Drawing, Command::RemoveLast, "", "", "Backspace briše poslednje", 2}, Section::None},
        {{{key(Enter)}, When::Drawing, Command::Close, "", "", "Enter ili klik na prvo teme zatvara poligon", 3},
         Section::None},
        {{{}, When::Always, Command::RowButton, "dugme u redu dole", "isto što i njegov taster"},
         Section::Mouse},
        {{{}, When::Always, Command::Turn, "desni taster", "okretanje slike"}, Section::Mouse},
        {{{}, When::Always, Command::Pan, "levi taster", "pomeranje slike"}, Section::Mouse},
        {{{}, When::Always, Command::WheelZoom, "točak", "uveličavanje oko pokazivača"}, Section::Mouse},
        {{{}, When::Always, Command::DragZoom, "srednji, levi+desni", "uveličavanje: nagore veće, nadole manje"},
         Section::Mouse},
    };
    return table;
}

bool pressedBy(const CommandRow& row, const KeyPress& k) {
    return std::any_of(row.keys.begin(), row.keys.end(),
                       [&](const KeyPress& r) { return r.character == k.character && r.special == k.special; });
}

}  // namespace

bool commandFor(const KeyPress& key, bool editing, bool drawing, Command& command) {
    return commandFor(key, KeyState{editing, drawing, false, false}, command);
}

bool commandFor(const KeyPress& key, const KeyState& state, Command& command) {
    // A row of the narrower state first: while drawing, while editing, while choosing vertices, while
    // asking, then always.
    for (const When when : {When::Drawing, When::Editing, When::Choosing, When::Asking, When::Always}) {
        if ((when == When::Drawing && !state.drawing) || (when == When::Editing && !state.editing) ||
            (when == When::Choosing && !state.choosing) || (when == When::Asking && !state.asking)) {
            continue;
        }
        for (const Row& r : rows()) {
            if (r.row.when == when && pressedBy(r.row, key)) {
                command = r.row.command;
                return true;
            }
        }
    }
    return false;
}

namespace {

// A row's help in a browser's page: S and I download, and Q closes nothing (no row).
const char* pageHelp(const CommandRow& row) {
    switch (row.command) {
        case Command::Picture:
            return "slika strane: preuzima se slika-K.svg";
        case Command::Document:
            return "cela lekcija za štampu, stranu po stranu (sačuvajte je kao PDF)";
        case Command::Save:
            return "čuvanje: preuzima se poligon-K.txt";
        case Command::Quit:
            return nullptr;
        default:
            return row.help;
    }
}

}  // namespace

const std::vector<HelpRow>& helpRows(bool inPage) {
    const auto make = [](bool page) {
        std::vector<HelpRow> out;
        const std::pair<Section, const char*> sections[] = {
            {Section::Keys, "Tasteri"}, {Section::Editing, "Uređivanje"}, {Section::Exercise, "Vežba"}, {Section::Mouse, "Miš"}};
        for (const auto& [section, heading] : sections) {
            out.push_back({heading, "", Swatch::None});
            for (const Row& r : rows()) {
                const char* help = page ? pageHelp(r.row) : r.row.help;
                if (r.section == section && *r.row.keyText != '\0' && help != nullptr) {
                    out.push_back({r.row.keyText, help, Swatch::None});
                }
            }
        }
        const std::vector<HelpRow> colours = {
            {"Boje", "", Swatch::None},
            {"crna", "stranice poligona", Swatch::Outline},
            {"crvena", "dijagonale do suprotnog lanca i iz najnižeg temena", Swatch::RedDiagonal},
            {"plava", "dijagonale duž istog lanca", Swatch::BlueDiagonal},
            {"deblja", "dijagonale ovog koraka", Swatch::NewDiagonal},
            {"isprekidana", "dijagonala koju korak odbija, i teme koje joj smeta", Swatch::Refused},
            {"zelena", "brišuća prava i teme koje se obrađuje", Swatch::Sweep},
            {"narandžasti krug", "teme na steku", Swatch::Stack},
            {"narandžasti krstić", "teme skinuto sa steka, a nije vraćeno", Swatch::Popped},
            {"tirkizna", "levi lanac, puna traka", Swatch::LeftChain},
            {"ljubičasta", "desni lanac, isprekidana traka", Swatch::RightChain},
            {"magenta", "ono zbog čega poligon nije prost ili monoton", Swatch::Why},
            {"plavi krug", "teme izabrano kao odgovor (Vežba)", Swatch::Chosen},
            {"precrtano", "skinuto sa steka ili sa brišuće prave", Swatch::Struck},
            {"Podela na monotone delove", "", Swatch::None},
            {"lila", "dijagonale podele", Swatch::PartitionDiagonal},
            {"svetle boje", "monotoni delovi (bledi: oni koji se ne obrađuju)", Swatch::Piece},
            {"narandžasta ivica", "ivica na brišućoj pravoj, tanka linija do pomoćnika", Swatch::LineEdge},
            {"prazan kvadrat", "početno teme", Swatch::StartMark},
            {"pun kvadrat", "krajnje teme", Swatch::EndMark},
            {"trougao nagore", "teme razdvajanja", Swatch::SplitMark},
            {"trougao nadole", "teme spajanja", Swatch::MergeMark},
            {"tačka", "pravilno teme", Swatch::RegularMark},
            {"Čuvari", "", Swatch::None},
            {"siva isprekidana", "dualni graf: čvor u trouglu, veza preko dijagonale", Swatch::DualGraph},
            {"krug, kvadrat, trougao", "tri boje temena: plava, narandžasta, ljubičasta", Swatch::ColourClasses},
            {"dva kruga", "čuvar", Swatch::Guard},
        };
        out.insert(out.end(), colours.begin(), colours.end());
        return out;
    };
    static const std::vector<HelpRow> window = make(false), page = make(true);
    return inPage ? page : window;
}

std::string editingKeys(bool drawing) {
    std::vector<const CommandRow*> band;
    for (const Row& r : rows()) {
        const bool drawn = r.row.when == When::Drawing;
        if (*r.row.band != '\0' && drawn == drawing) band.push_back(&r.row);
    }
    std::stable_sort(band.begin(), band.end(), [](const CommandRow* a, const CommandRow* b) { return a->bandOrder < b->bandOrder; });
    std::string line = drawing ? "Novi poligon: " : "Uređivanje: ";
    for (std::size_t i = 0; i < band.size(); ++i) line += (i == 0 ? "" : ", ") + std::string(band[i]->band);
    return line;
}
