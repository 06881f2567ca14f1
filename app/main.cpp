// The program's entry: the command line, the console dialogue (on the console's polygon or a task's),
// then the window; or the result as text, the lesson's pages written as pictures, the lesson as one PDF.

#include <cstdio>
#include <iostream>
#include <sstream>

#include "app/dialogue.h"
#include "app/options.h"
#include "app/result.h"
#include "geometry/task.h"
#include "viewer/pdf.h"
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
    bool lineOpen = dialogueLineOpen(shown);
    // A line after the dialogue's, on a line of its own.
    auto say = [&](const std::string& line) {
        std::printf("%s%s\n", lineOpen ? "\n" : "", line.c_str());
        lineOpen = false;
    };
    if (options.text) {
        for (const std::string& line : resultLines(shown)) say(line);
    }
    const PictureStyle style{options.width, options.height, options.white, options.bare};
    int status = 0;
    if (options.svg) {
        const LessonPictures written = writeLessonPictures(shown, options.folder, style, options.task);
        say(picturesWord(written, options.folder));
        if (written.pages != written.total) status = 1;
    }
    if (options.pdf) {
        const LessonDocument written = writeLessonPdf(shown, style, options.pdfFile, options.task);
        say(documentWord(written, options.pdfFile));
        if (!written.written) status = 1;
    }
    if (options.text || options.svg || options.pdf) {
        std::fflush(stdout);
        return status;
    }
    std::vector<char*> toolkit = options.toolkit;
    toolkit.push_back(nullptr);
    runViewer(static_cast<int>(toolkit.size()) - 1, toolkit.data(), shown, lineOpen, style, options.task);
}
