#include "viewer/viewer.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>

#include "viewer/display.h"
#include "viewer/frame.h"
#include "viewer/pdf.h"
#include "viewer/process.h"
#include "viewer/renderer.h"
#include "viewer/svg.h"
#include "viewer/workbench.h"

namespace {

using Clock = std::chrono::steady_clock;

// The one state of the window, which every callback of the toolkit reaches.
struct Window {
    Workbench bench;
    PictureStyle pictures;  // how I's pictures and D's lesson look (the command line's options)
    TextCache text;
    int closedPipe = -1;  // tells the program's process that the window closed
    bool consoleLineOpen = false;  // the console's last line is unfinished: a save line starts anew
    int signals[2] = {-1, -1};     // a signal to end on, written by its handler, read by the loop
    bool ticking = false;          // a page of the play is due at `tickAt`
    Clock::time_point tickAt;
    int tickGeneration = 0;
};
Window window;

void consoleLine(const std::string& line);

// Before the window ends in a way no key chose (a signal, a lost connection, the window destroyed
// from outside, or the toolkit closing it on its own), every unsaved polygon goes into a file.
void saveBeforeTheEnd() {
    for (const std::string& line : saveUnsaved(window.bench, ".")) consoleLine(line);
}

[[noreturn]] void closeWindow() { leaveWindow(window.closedPipe, true); }

// The toolkit closes the window itself (a close request it took before the loop below could):
// nothing unsaved is lost, and the program ends as a close does.
[[noreturn]] void closedByTheToolkit() {
    saveBeforeTheEnd();
    closeWindow();
}

// A line on the console after the dialogue's, on a line of its own.
void consoleLine(const std::string& line) {
    std::printf("%s%s\n", window.consoleLineOpen ? "\n" : "", line.c_str());
    window.consoleLineOpen = false;
    std::fflush(stdout);
}

// Carries out what an event asks of the window besides its new state.
void apply(const Effect& effect) {
    Workbench& bench = window.bench;
    if (effect.quit) closeWindow();
    if (effect.save) {
        SavedWords words;
        const bool written = savePolygon(bench.lesson.vertices, ".", words);
        wrote(bench, true, written, words.band);
        consoleLine(words.console);
    }
    if (effect.picture) {
        // The page as it is on the screen.
        std::string name;
        const bool written = writeFreeFile(".", "slika", ".svg", svgOf(frameOf(pictureBench(bench, window.pictures))), name);
        const SavedWords words = savedWords(SavedFile::Picture, written, name);
        wrote(bench, false, written, words.band);
        consoleLine(words.console);
    }
    if (effect.document) {
        // Every page of the lesson as it now is.
        std::string name;
        const std::string pdf = lessonPdf(bench, window.pictures);
        const bool written = !pdf.empty() && writeFreeFile(".", "lekcija", ".pdf", pdf, name);
        const SavedWords words = savedWords(SavedFile::Lesson, written, name);
        wrote(bench, false, written, words.band);
        consoleLine(words.console);
    }
    if (effect.play) {
        window.ticking = true;
        window.tickGeneration = bench.playGeneration;
        window.tickAt = Clock::now() + std::chrono::milliseconds(static_cast<int>(playSeconds(bench.steps) * 1000));
    }
    if (effect.screen) {
        // The toolkit's full screen, and back to the size and place the window had before it.
        if (bench.fullScreen) {
            glutFullScreen();
        } else {
            glutLeaveFullScreen();
        }
    }
    if (effect.redraw || effect.save || effect.picture || effect.document) glutPostRedisplay();
}


void display() {
    drawFrame(frameOf(window.bench), window.text);
    glutSwapBuffers();
}

void press(const KeyPress& key, int x, int y) {
    Command command;
    if (keyCommand(window.bench, key, command)) apply(perform(window.bench, command, x, y, key.character));
}

void onKey(unsigned char key, int x, int y) { press({static_cast<char>(key), SpecialKey::None}, x, y); }

void onSpecialKey(int key, int x, int y) {
    const std::pair<int, SpecialKey> keys[] = {{GLUT_KEY_RIGHT, SpecialKey::Right},    {GLUT_KEY_LEFT, SpecialKey::Left},
                                               {GLUT_KEY_HOME, SpecialKey::Home},      {GLUT_KEY_END, SpecialKey::End},
                                               {GLUT_KEY_PAGE_UP, SpecialKey::PageUp}, {GLUT_KEY_PAGE_DOWN, SpecialKey::PageDown},
                                               {GLUT_KEY_F11, SpecialKey::F11}};
    const bool shift = (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0;
    for (auto [glut, special] : keys) {
        if (glut != key) continue;
        if (shift && special == SpecialKey::Right) special = SpecialKey::ShiftRight;
        if (shift && special == SpecialKey::Left) special = SpecialKey::ShiftLeft;
        press({0, special}, x, y);
    }
}

void onMouse(int button, int state, int x, int y) { apply(pressButton(window.bench, button, state == GLUT_DOWN, x, y)); }

void onMotion(int x, int y) { apply(movePointerTo(window.bench, x, y)); }

void onWheel(int wheel, int direction, int x, int y) {
    if (wheel == 0) apply(turnWheel(window.bench, direction, x, y));  // the vertical wheel
}

void onReshape(int width, int height) { apply(resize(window.bench, width, height)); }

// The connection to the display is lost (the server ended, or the window was killed): what is
// unsaved goes into a file, and the program ends as a close does, without another word to the server.
void onLostConnection() {
    saveBeforeTheEnd();
    leaveWindow(window.closedPipe, false);
}

void onSignal(int signal) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    const int saved = errno;
    const ssize_t written = write(window.signals[1], &byte, 1);  // nothing else is safe in a handler
    static_cast<void>(written);
    errno = saved;
}

// Ends on `signal` as it would have ended without a handler (its status unchanged), after saving.
[[noreturn]] void endOnSignal(int signal) {
    saveBeforeTheEnd();
    std::fflush(nullptr);
    ::signal(signal, SIG_DFL);
    raise(signal);
    _exit(128 + signal);
}

// The toolkit's events one batch at a time, with what it cannot do for the program taken first: the
// close request, the window destroyed from outside, a signal to end on, the play's next page. Waits
// for the display's connection, a signal or the play's clock without turning.
[[noreturn]] void runLoop() {
    const int connection = displayConnection();
    for (;;) {
        // The close button is Q: unsaved edits get their warning, and the window stays.
        while (takeCloseRequest()) apply(perform(window.bench, Command::Quit, 0, 0));
        if (windowGone()) {
            saveBeforeTheEnd();
            leaveWindow(window.closedPipe, false, 1);
        }
        if (window.ticking && Clock::now() >= window.tickAt) {
            window.ticking = false;
            apply(playTick(window.bench, window.tickGeneration));
        }
        glutMainLoopEvent();
        if (windowGone() || flushDisplay()) continue;
        int wait = -1;
        if (window.ticking) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(window.tickAt - Clock::now()).count();
            wait = static_cast<int>(std::max<long long>(0, left + 1));
        }
        pollfd fds[2] = {{connection, POLLIN, 0}, {window.signals[0], POLLIN, 0}};
        if (poll(fds, 2, wait) < 0 && errno != EINTR) continue;
        unsigned char signal = 0;
        if ((fds[1].revents & POLLIN) && read(window.signals[0], &signal, 1) == 1) endOnSignal(signal);
    }
}

}  // namespace

void runViewer(int argc, char** argv, const Judgement& judged, bool consoleLineOpen, const PictureStyle& pictures,
               long long task) {
    window.bench = openWorkbench(judged);
    window.pictures = pictures;
    window.bench.task.first = taskFromClock(static_cast<long long>(std::time(nullptr)));
    if (task >= 0) markTask(window.bench, task);
    window.consoleLineOpen = consoleLineOpen;
    window.closedPipe = runInChildProcess();
    // The GL driver takes and gives back buffers of megabytes for every frame; kept in the heap
    // rather than mapped afresh each time, their pages are not faulted in again frame after frame.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // The opening size and place before the toolkit reads its options, so that -geometry WxH+X+Y,
    // which it takes from them, has the last word.
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutInitWindowPosition(100, 50);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Geometrija - prikaz zadatka");
    // Frames are drawn when something changed: an event, a resize, a page of the play.
    glutDisplayFunc(display);
    glutKeyboardFunc(onKey);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutMouseWheelFunc(onWheel);
    glutReshapeFunc(onReshape);
    // Where the toolkit itself closes the window, it leaves as Q does, with status 0, before the
    // toolkit tears anything down, nothing unsaved lost.
    glutCloseFunc(closedByTheToolkit);
    watchDisplay(onLostConnection);
    // A signal that ends the program (the terminal closed, a kill, Ctrl+C) first saves what is unsaved.
    if (pipe2(window.signals, O_CLOEXEC | O_NONBLOCK) == 0) {
        for (const int s : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) std::signal(s, onSignal);
    }
    std::signal(SIGPIPE, SIG_IGN);  // a console that went away does not end the window before it saves
    runLoop();
}
