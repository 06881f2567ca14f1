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
    return "Upotreba: triangulacija [--zadatak S] [--svg FOLDER] [opcije prozora]\n"
           "Cita prost poligon sa standardnog ulaza, kaze da li je monoton, triangulise ga\n"
           "i prikazuje lekciju u prozoru.\n"
           "  --zadatak S   zadatak broj S (od 0 do 999999999) umesto poligona sa ulaza:\n"
           "                isti poligon na svakom racunaru, paran S monoton, neparan ne;\n"
           "                dijalog ga ispisuje kao da je unet\n"
           "  --svg FOLDER  posle dijaloga upisuje svaku stranu lekcije kao sliku:\n"
           "                FOLDER/strana-001.svg, strana-002.svg, ... (bez prozora)\n"
           "  --help        ovo uputstvo\n"
           "Opcije prozora (-display, -geometry, -iconic, ...) idu alatu za prozore.\n";
}
