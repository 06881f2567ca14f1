#include "viewer/viewer.h"

#include <GL/freeglut.h>
#include <malloc.h>

#include <cstdio>

#include "viewer/frame.h"
#include "viewer/process.h"
#include "viewer/renderer.h"
#include "viewer/svg.h"
#include "viewer/workbench.h"

namespace {

// The one state of the window, which every callback of the toolkit reaches.
struct Window {
    Workbench bench;
    StrokeCache strokes;
    int closedPipe = -1;  // tells the program's process that the window closed
    bool consoleLineOpen = false;  // the console's last line is unfinished: a save line starts anew
};
Window window;

[[noreturn]] void closeWindow() { leaveWindow(window.closedPipe); }

// A line on the console after the dialogue's, on a line of its own.
void consoleLine(const std::string& line) {
    std::printf("%s%s\n", window.consoleLineOpen ? "\n" : "", line.c_str());
    window.consoleLineOpen = false;
    std::fflush(stdout);
}

void onTick(int generation);

// Carries out what an event asks of the window besides its new state.
void apply(const Effect& effect) {
    Workbench& bench = window.bench;
    if (effect.quit) closeWindow();
    if (effect.save) {
        std::string message;
        const bool written = savePolygon(bench.lesson.vertices, ".", message);
        wrote(bench, true, written, message);
        consoleLine(message);
    }
    if (effect.picture) {
        // The page as it is on the screen.
        std::string name;
        const bool written = writeFreeFile(".", "slika", ".svg", svgOf(frameOf(bench)), name);
        const std::string message = savedWord(false, written, name);
        wrote(bench, false, written, message);
        consoleLine(message);
    }
    if (effect.play) glutTimerFunc(static_cast<unsigned>(playSeconds(bench.steps) * 1000), onTick, bench.playGeneration);
    if (effect.redraw || effect.save || effect.picture) glutPostRedisplay();
}

void onTick(int generation) { apply(playTick(window.bench, generation)); }

void display() {
    drawFrame(frameOf(window.bench), window.strokes);
    glutSwapBuffers();
}

void press(const KeyPress& key, int x, int y) {
    const Workbench& bench = window.bench;
    Command command;
    if (commandFor(key, bench.edit.on, bench.edit.drawing, command)) apply(perform(window.bench, command, x, y));
}

void onKey(unsigned char key, int x, int y) { press({static_cast<char>(key), SpecialKey::None}, x, y); }

void onSpecialKey(int key, int x, int y) {
    const std::pair<int, SpecialKey> keys[] = {{GLUT_KEY_RIGHT, SpecialKey::Right},    {GLUT_KEY_LEFT, SpecialKey::Left},
                                               {GLUT_KEY_HOME, SpecialKey::Home},      {GLUT_KEY_END, SpecialKey::End},
                                               {GLUT_KEY_PAGE_UP, SpecialKey::PageUp}, {GLUT_KEY_PAGE_DOWN, SpecialKey::PageDown}};
    for (const auto& [glut, special] : keys) {
        if (glut == key) press({0, special}, x, y);
    }
}

void onMouse(int button, int state, int x, int y) { apply(pressButton(window.bench, button, state == GLUT_DOWN, x, y)); }

void onMotion(int x, int y) { apply(movePointerTo(window.bench, x, y)); }

void onWheel(int wheel, int direction, int x, int y) {
    if (wheel == 0) apply(turnWheel(window.bench, direction, x, y));  // the vertical wheel
}

void onReshape(int width, int height) { apply(resize(window.bench, width, height)); }

}  // namespace

void runViewer(int argc, char** argv, const Judgement& judged, bool consoleLineOpen) {
    window.bench = openWorkbench(judged);
    window.consoleLineOpen = consoleLineOpen;
    window.closedPipe = runInChildProcess();
    // The GL driver takes and gives back buffers of megabytes for every frame; kept in the heap
    // rather than mapped afresh each time, their pages are not faulted in again frame after frame.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    // Frames are drawn when something changed: an event, a resize, a page of the play.
    glutDisplayFunc(display);
    glutKeyboardFunc(onKey);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutMouseWheelFunc(onWheel);
    glutReshapeFunc(onReshape);
    // Closing the window leaves as Q does, with status 0, before the toolkit tears anything down.
    glutCloseFunc(closeWindow);
    glutMainLoop();
    closeWindow();
}
