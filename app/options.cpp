#include "app/options.h"

#include <cstring>

#include "geometry/task.h"

namespace {

// The toolkit's own options, and whether each takes a value.
struct ToolkitOption {
    const char* name;
    bool value;
};
constexpr ToolkitOption ToolkitOptions[] = {{"-display", true}, {"-geometry", true}, {"-direct", false},
                                            {"-indirect", false}, {"-iconic", false}, {"-gldebug", false},
                                            {"-sync", false}};

// A size as WIDTHxHEIGHT, each a whole number in decimal digits from SmallestPicture to
// LargestPicture.
bool readSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    int sides[2] = {0, 0};
    const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
    for (int k = 0; k < 2; ++k) {
        const std::string& part = parts[k];
        if (part.empty() || part.size() > 5) return false;
        for (const char c : part) {
            if (c < '0' || c > '9') return false;
            sides[k] = sides[k] * 10 + (c - '0');
        }
        if (sides[k] < SmallestPicture || sides[k] > LargestPicture) return false;
    }
    width = sides[0];
    height = sides[1];
    return true;
}

}  // namespace

Options parseOptions(int argc, char** argv) {
    Options o;
    if (argc > 0) o.toolkit.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (arg == "--svg") {
            if (i + 1 >= argc) {
                o.error = "Opciji --svg nedostaje ime foldera. Spisak opcija daje --help.\n";
                return o;
            }
            o.svg = true;
            o.folder = argv[++i];
            continue;
        }
        if (arg == "--zadatak") {
            if (i + 1 >= argc) {
                o.error = "Opciji --zadatak nedostaje broj zadatka. Spisak opcija daje --help.\n";
                return o;
            }
            std::uint64_t task = 0;
            if (!readTask(argv[++i], task)) {
                o.error = "Broj zadatka je ceo broj od 0 do 999999999, a ne " + std::string(argv[i]) + ". Spisak opcija daje --help.\n";
                return o;
            }
            o.task = static_cast<long long>(task);
            continue;
        }
        if (arg == "--pdf") {
            if (i + 1 >= argc) {
                o.error = "Opciji --pdf nedostaje ime datoteke. Spisak opcija daje --help.\n";
                return o;
            }
            o.pdf = true;
            o.pdfFile = argv[++i];
            continue;
        }
        if (arg == "--velicina") {
            if (i + 1 >= argc || !readSize(argv[i + 1], o.width, o.height)) {
                o.error = std::string("Opcija --velicina trazi sirinu i visinu u pikselima, npr. 1920x1080 (od ") +
                          std::to_string(SmallestPicture) + " do " + std::to_string(LargestPicture) +
                          (i + 1 < argc ? std::string("), a ne \"") + argv[i + 1] + "\"" : std::string(")")) +
                          ". Spisak opcija daje --help.\n";
                return o;
            }
            ++i;
            continue;
        }
        if (arg == "--bela" || arg == "--bez-teksta" || arg == "--tekst") {
            (arg == "--bela" ? o.white : arg == "--bez-teksta" ? o.bare : o.text) = true;
            continue;
        }
        bool known = false;
        for (const ToolkitOption& t : ToolkitOptions) {
            if (arg != t.name) continue;
            known = true;
            if (t.value && i + 1 >= argc) {
                o.error = "Opciji " + arg + " nedostaje vrednost. Spisak opcija daje --help.\n";
                return o;
            }
            o.toolkit.push_back(argv[i]);
            if (t.value) o.toolkit.push_back(argv[++i]);
        }
        if (!known) {
            o.error = "Nepoznata opcija: " + arg + ". Spisak opcija daje --help.\n";
            return o;
        }
    }
    return o;
}

const char* usageText() {
    return "Upotreba: triangulacija [--zadatak S] [--svg FOLDER] [--pdf DATOTEKA] [--tekst]\n"
           "                      [--velicina SxV] [--bela] [--bez-teksta] [opcije prozora]\n"
           "Cita prost poligon sa standardnog ulaza, kaze da li je monoton, triangulise ga\n"
           "i prikazuje lekciju u prozoru.\n"
           "  --zadatak S      zadatak broj S (od 0 do 999999999) umesto poligona sa ulaza:\n"
           "                   isti poligon na svakom racunaru, paran S monoton, neparan ne;\n"
           "                   dijalog ga ispisuje kao da je unet\n"
           "  --svg FOLDER     posle dijaloga upisuje svaku stranu lekcije kao sliku:\n"
           "                   FOLDER/strana-001.svg, strana-002.svg, ... (bez prozora)\n"
           "  --pdf DATOTEKA   posle dijaloga upisuje celu lekciju u jedan PDF, strana\n"
           "                   lekcije po strani (bez prozora)\n"
           "  --tekst          posle dijaloga ispisuje rezultat: dijagonale i monotone delove\n"
           "  --velicina SxV   slike i PDF u sirini S i visini V piksela, npr. 1920x1080\n"
           "  --bela           slike i PDF na beloj pozadini\n"
           "  --bez-teksta     samo slika: bez opisa koraka, panela i pomoci\n"
           "  --help           ovo uputstvo\n"
           "Bez --svg i --pdf otvara se prozor; --velicina, --bela i --bez-teksta tada vaze\n"
           "za slike (I) i PDF (D) iz prozora.\n"
           "Opcije prozora (-display, -geometry, -iconic, ...) idu alatu za prozore.\n";
}
