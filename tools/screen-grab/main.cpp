// screen-grab: saves the whole X screen as a PNG, prints the colour of one pixel, counts the
// light pixels of a rectangle (text drawn in white shows up there), measures the contrast of a
// rectangle's text against its background, or prints the clipboard's text. Used by
// the scripts and end-to-end tests that run the program under Xvfb, where no other screenshot
// tool is installed.
#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {
int usage() {
    std::fprintf(stderr,
                 "Usage: screen-grab OUTPUT.png       save the screen of $DISPLAY\n"
                 "       screen-grab --pixel X Y      print the colour at (X, Y) as \"R G B\"\n"
                 "       screen-grab --light X Y W H  print how many pixels of the rectangle have\n"
                 "                                    red, green and blue all at 200 or more\n"
                 "       screen-grab --find R G B [X Y W H [LEAST]]  print \"X Y W\": the first run of pixels\n"
                 "                                    of that colour (at least LEAST long), scanning rows\n"
                 "                                    from the top, in the whole screen or the rectangle\n"
                 "                                    (nothing when none)\n"
                 "       screen-grab --contrast X Y W H  print the contrast ratio (1 to 21) between the\n"
                 "                                    rectangle's most common colour and the colour that\n"
                 "                                    stands out most from it\n"
                 "       screen-grab --clipboard      print the text on the clipboard\n");
    return 2;
}

// Relative luminance of a colour, as the contrast ratio of the web's accessibility rules uses it.
double luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

int main(int argc, char** argv) {
    const bool pixel = argc == 4 && std::strcmp(argv[1], "--pixel") == 0;
    const bool light = argc == 6 && std::strcmp(argv[1], "--light") == 0;
    const bool find = (argc == 5 || argc == 9 || argc == 10) && std::strcmp(argv[1], "--find") == 0;
    const bool measure = argc == 6 && std::strcmp(argv[1], "--contrast") == 0;
    const bool clipboard = argc == 2 && std::strcmp(argv[1], "--clipboard") == 0;
    if (!pixel && !light && !find && !measure && (argc != 2 || std::strcmp(argv[1], "--help") == 0)) return usage();
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen-grab: no screen\n");
        return 1;
    }
    if (pixel) {
        const int x = std::atoi(argv[2]);
        const int y = std::atoi(argv[3]);
        const QImage one = screen->grabWindow(0, x, y, 1, 1).toImage();
        if (one.isNull()) return 1;
        const QColor c = one.pixelColor(0, 0);
        std::printf("%d %d %d\n", c.red(), c.green(), c.blue());
        return 0;
    }
    if (light) {
        const int x = std::atoi(argv[2]), y = std::atoi(argv[3]), w = std::atoi(argv[4]), h = std::atoi(argv[5]);
        if (w <= 0 || h <= 0) return usage();
        const QImage area = screen->grabWindow(0, x, y, w, h).toImage();
        if (area.isNull()) return 1;
        long count = 0;
        for (int row = 0; row < area.height(); ++row)
            for (int col = 0; col < area.width(); ++col) {
                const QColor c = area.pixelColor(col, row);
                if (c.red() >= 200 && c.green() >= 200 && c.blue() >= 200) ++count;
            }
        std::printf("%ld\n", count);
        return 0;
    }
    if (clipboard) {
        std::printf("%s", QGuiApplication::clipboard()->text().toUtf8().constData());
        return 0;
    }
    if (measure) {
        const int x = std::atoi(argv[2]), y = std::atoi(argv[3]), w = std::atoi(argv[4]), h = std::atoi(argv[5]);
        if (w <= 0 || h <= 0) return usage();
        const QImage area = screen->grabWindow(0, x, y, w, h).toImage();
        if (area.isNull()) return 1;
        std::map<QRgb, int> counts;
        for (int row = 0; row < area.height(); ++row)
            for (int col = 0; col < area.width(); ++col) ++counts[area.pixel(col, row) | 0xff000000u];
        QRgb background = counts.begin()->first;
        for (const auto& [rgb, n] : counts)
            if (n > counts[background]) background = rgb;
        double most = 1;
        for (const auto& [rgb, n] : counts) most = std::max(most, contrast(QColor(background), QColor(rgb)));
        std::printf("%.2f\n", most);
        return 0;
    }
    if (find) {
        // Finds a window by a colour band it draws, where the window system does not tell
        // where a window is (a Wayland compositor nested in the X screen).
        const QColor want(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
        const int least = argc == 10 ? std::atoi(argv[9]) : 1;
        const QRect region = argc >= 9
                                 ? QRect(std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]), std::atoi(argv[8]))
                                 : screen->geometry();
        const QImage all = screen->grabWindow(0, region.x(), region.y(), region.width(), region.height()).toImage();
        for (int row = 0; row < all.height(); ++row)
            for (int col = 0; col < all.width(); ++col) {
                if (all.pixelColor(col, row) != want) continue;
                int end = col;
                while (end + 1 < all.width() && all.pixelColor(end + 1, row) == want) ++end;
                if (end - col + 1 < least) {
                    col = end;
                    continue;
                }
                std::printf("%d %d %d\n", region.x() + col, region.y() + row, end - col + 1);
                return 0;
            }
        return 0;
    }
    const QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "screen-grab: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
