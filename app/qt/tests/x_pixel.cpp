// Prints the colour of one pixel of an X window as RRGGBB in hexadecimal, so that a shell test
// can see what the window shows.
// Usage: x_pixel WINDOW-ID X Y (window coordinates), on $DISPLAY.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WINDOW-ID X Y\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const int x = std::atoi(argv[2]);
    const int y = std::atoi(argv[3]);
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "cannot read pixel %d,%d\n", x, y);
        XCloseDisplay(display);
        return 1;
    }
    XColor colour{};
    colour.pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
    std::printf("%02x%02x%02x\n", colour.red >> 8, colour.green >> 8, colour.blue >> 8);
    XCloseDisplay(display);
    return 0;
}
