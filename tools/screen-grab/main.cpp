// screen-grab: saves the whole X screen as a PNG. Used by the scripts and end-to-end tests that
// run the program under Xvfb, where no other screenshot tool is installed.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "Usage: screen-grab OUTPUT.png   (grabs the screen of $DISPLAY)\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen-grab: no screen\n");
        return 1;
    }
    const QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "screen-grab: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
