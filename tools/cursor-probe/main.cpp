// cursor-probe: prints what the X server shows as the pointer's cursor right now, as
// "WIDTH HEIGHT XHOT YHOT CHECKSUM" of its image. The same cursor always gives the same line, so
// the end-to-end tests can tell the arrow from a sizing or moving cursor under Xvfb.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "Usage: %s   (prints the cursor shown on $DISPLAY)\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cursor-probe: cannot open the display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "cursor-probe: the X server has no XFIXES extension\n");
        XCloseDisplay(display);
        return 1;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        std::fprintf(stderr, "cursor-probe: no cursor image\n");
        XCloseDisplay(display);
        return 1;
    }
    // FNV-1a over the pixels; the library hands them out as longs holding 32-bit ARGB.
    std::uint32_t hash = 2166136261u;
    const std::size_t count = static_cast<std::size_t>(image->width) * image->height;
    for (std::size_t i = 0; i < count; ++i) {
        const auto argb = static_cast<std::uint32_t>(image->pixels[i]);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (argb >> shift) & 0xFFu;
            hash *= 16777619u;
        }
    }
    std::printf("%d %d %d %d %08x\n", image->width, image->height, image->xhot, image->yhot, hash);
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
