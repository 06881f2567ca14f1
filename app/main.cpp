// The program's entry: the command line, the console dialogue (on the console's polygon or a task's),
// then the window, or the lesson's pages written as pictures.

#include <cstdio>
#include <iostream>
#include <sstream>

#include "app/dialogue.h"
#include "app/options.h"
#include "geometry/task.h"
#include "viewer/svg.h"
#include "viewer/viewer.h"
#include "viewer/workbench.h"

namespace {
// Live until the process ends.
Point vertices[MaxVertices];
Judgement shown;
}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    if (!options.error.empty()) {
        std::fputs(options.error.c_str(), stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    // A task's polygon goes to the dialogue as its text, so that the console shows it as if typed.
    std::istringstream task;
    if (options.task >= 0) task.str(polygonText(taskPolygon(static_cast<std::uint64_t>(options.task))));
    std::istream& input = options.task >= 0 ? static_cast<std::istream&>(task) : std::cin;
    int vertexCount = 0;
    if (!runDialogue(input, stdout, vertices, vertexCount, shown)) return 1;
    const bool lineOpen = dialogueLineOpen(shown);
    if (options.svg) {
        const LessonPictures written = writeLessonPictures(shown, options.folder, options.task);
        std::printf("%s%s\n", lineOpen ? "\n" : "", picturesWord(written, options.folder).c_str());
        return written.pages == written.total ? 0 : 1;
    }
    std::vector<char*> toolkit = options.toolkit;
    toolkit.push_back(nullptr);
    runViewer(static_cast<int>(toolkit.size()) - 1, toolkit.data(), shown, lineOpen, options.task);
}
