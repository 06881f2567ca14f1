#include "viewer/display.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

Display* display = nullptr;
Window window = 0;
bool gone = false;
void (*whenLost)() = nullptr;

Bool isCloseRequest(Display* d, XEvent* e, XPointer) {
    static const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    static const Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    return e->type == ClientMessage && e->xclient.window == window && e->xclient.message_type == protocols &&
           static_cast<Atom>(e->xclient.data.l[0]) == deleteWindow;
}

Bool isDestroyed(Display*, XEvent* e, XPointer) { return e->type == DestroyNotify && e->xdestroywindow.window == window; }

// An error about the window itself means it is gone; the toolkit's other errors are not the
// window's end.
int onError(Display*, XErrorEvent* e) {
    if (e->resourceid == window && (e->error_code == BadWindow || e->error_code == BadDrawable)) gone = true;
    return 0;
}

int onLostConnection(Display*) {
    whenLost();
    return 0;
}

}  // namespace

void watchDisplay(void (*lost)()) {
    display = glXGetCurrentDisplay();
    window = glXGetCurrentDrawable();
    whenLost = lost;
    XSetErrorHandler(onError);
    XSetIOErrorHandler(onLostConnection);
}

bool takeCloseRequest() {
    XEvent e;
    XEventsQueued(display, QueuedAfterReading);
    return XCheckIfEvent(display, &e, isCloseRequest, nullptr);
}

bool windowGone() {
    XEvent e;
    if (!gone && XCheckIfEvent(display, &e, isDestroyed, nullptr)) gone = true;
    return gone;
}

bool flushDisplay() {
    XFlush(display);
    return XEventsQueued(display, QueuedAlready) > 0;
}

int displayConnection() { return ConnectionNumber(display); }
