#include "viewer/process.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>
#include <cstdio>

// Leaves at once, with everything printed already out: the window goes from the screen, the
// program's process ends with status 0, and this one, with the toolkit's and the driver's threads,
// ends without anyone waiting for it.
void leaveWindow(int closedPipe, bool unmap, int status) {
    std::fflush(nullptr);
    if (Display* display = unmap ? glXGetCurrentDisplay() : nullptr) {
        XUnmapWindow(display, glXGetCurrentDrawable());
        XFlush(display);
    }
    // Nothing more is read or written: a pipe that the program's output goes into ends with it.
    const int nowhere = open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2 && nowhere >= 0; ++fd) dup2(nowhere, fd);
    if (status == 0 && closedPipe >= 0 && write(closedPipe, "x", 1) != 1) _exit(1);
    _exit(status);
}

// The window lives in a child process, and the program ends with it. A process has ended only
// once every one of its threads has, and the GL driver keeps one at the lowest priority (its shader
// cache's writer), which a busy machine runs last: it would hold the exit back for seconds. So the
// program's own process, which the shell waits for, never loads the driver: it ends as soon as the
// window closes, with status 0, or with the window's status if that process ended otherwise (for
// instance when there is no display). The window's process ends with the program's.
namespace {

// A signal that would end the program: passed on to the window's process, which saves what is
// unsaved and then ends on it; the program's process ends after it, on the same signal.
volatile sig_atomic_t windowProcess = 0;
volatile sig_atomic_t received = 0;

void passOn(int signal) {
    received = signal;
    if (windowProcess > 0) kill(windowProcess, signal);
}

}  // namespace

int runInChildProcess() {
    std::fflush(nullptr);
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;  // then the window runs here
    signal(SIGCHLD, SIG_DFL);  // so that the window's end can be waited for, whatever was inherited
    const pid_t program = getpid();
    const pid_t window = fork();
    if (window < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return -1;
    }
    if (window == 0) {
        close(pipeEnds[0]);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != program) _exit(1);  // the program ended already
        return pipeEnds[1];
    }
    close(pipeEnds[1]);
    windowProcess = window;
    struct sigaction passing {};
    passing.sa_handler = passOn;
    sigemptyset(&passing.sa_mask);
    for (const int s : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) sigaction(s, &passing, nullptr);
    char byte = 0;
    ssize_t got;
    while ((got = read(pipeEnds[0], &byte, 1)) < 0 && errno == EINTR) {
    }
    if (got == 1) _exit(0);
    int status = 0;
    pid_t ended;
    while ((ended = waitpid(window, &status, 0)) < 0 && errno == EINTR) {
    }
    if (ended != window) _exit(1);
    if (WIFSIGNALED(status) && WTERMSIG(status) == received) {
        signal(received, SIG_DFL);
        raise(received);
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0));
}

