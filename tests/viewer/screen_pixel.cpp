#include "screen_pixel.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace {

Display* connectionTo(const char* display) {
    static Display* connection = nullptr;
    static std::string name;
    if (connection == nullptr || name != display) {
        if (connection != nullptr) XCloseDisplay(connection);
        connection = XOpenDisplay(display);
        name = display;
    }
    return connection;
}

}  // namespace

bool warpPointer(const char* display, int x, int y) {
    Display* connection = connectionTo(display);
    if (connection == nullptr) return false;
    XWarpPointer(connection, None, DefaultRootWindow(connection), 0, 0, 0, 0, x, y);
    XFlush(connection);
    return true;
}

bool screenPixel(const char* display, int x, int y, int& red, int& green, int& blue) {
    Display* connection = connectionTo(display);
    if (connection == nullptr) return false;
    XImage* image = XGetImage(connection, DefaultRootWindow(connection), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    red = static_cast<int>((value >> 16) & 0xff);
    green = static_cast<int>((value >> 8) & 0xff);
    blue = static_cast<int>(value & 0xff);
    return true;
}

bool screenRegion(const char* display, int x, int y, int width, int height, std::vector<unsigned char>& bytes) {
    Display* connection = connectionTo(display);
    if (connection == nullptr) return false;
    XImage* image = XGetImage(connection, DefaultRootWindow(connection), x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bytes.assign(image->data, image->data + static_cast<std::size_t>(image->bytes_per_line) * image->height);
    XDestroyImage(image);
    return true;
}

bool sendKey(const char* display, unsigned long window, unsigned long keysym) {
    Display* connection = connectionTo(display);
    if (connection == nullptr) return false;
    XKeyEvent event{};
    event.display = connection;
    event.window = window;
    event.root = DefaultRootWindow(connection);
    event.subwindow = None;
    event.time = CurrentTime;
    event.same_screen = True;
    event.keycode = XKeysymToKeycode(connection, keysym);
    for (const int type : {KeyPress, KeyRelease}) {
        event.type = type;
        XSendEvent(connection, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                   reinterpret_cast<XEvent*>(&event));
    }
    XFlush(connection);
    return true;
}
