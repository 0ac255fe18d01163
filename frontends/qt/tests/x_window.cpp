// What a shell test needs of an X window that xdotool does not do, on $DISPLAY:
//   x_window close WINDOW-ID     asks it to close as a window manager's close button does, with
//                                a WM_DELETE_WINDOW message (under a bare X server nothing else
//                                closes a window politely)
//   x_window pixel WINDOW-ID X Y prints the colour at X,Y (window coordinates) as RRGGBB
// WINDOW-ID is decimal or 0x hexadecimal.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

int Close(Display* display, const Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent ? 0 : 1;
}

int PrintPixel(Display* display, const Window window, const int x, const int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "cannot read pixel %d,%d\n", x, y);
        return 1;
    }
    XColor colour{};
    colour.pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
    std::printf("%02x%02x%02x\n", colour.red >> 8, colour.green >> 8, colour.blue >> 8);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view verb = argc > 1 ? argv[1] : "";
    const bool close = verb == "close" && argc == 3;
    if (!close && !(verb == "pixel" && argc == 5)) {
        std::fprintf(stderr, "usage: %s close WINDOW-ID | pixel WINDOW-ID X Y\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[2], nullptr, 0);
    const int status = close ? Close(display, window)
                             : PrintPixel(display, window, std::atoi(argv[3]), std::atoi(argv[4]));
    XCloseDisplay(display);
    return status;
}
