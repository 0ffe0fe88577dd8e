// Where the main window stands: the normal place remembered from the last run, a geometry asked
// for on the command line, and what is remembered when the window ends.
#include "screens/corvane_new_dlg.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

namespace corvane {

namespace {
bool reachableOnAScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (placeIsReachable(place, screen->availableGeometry())) return true;
    return false;
}
}  // namespace

bool CCorvaneNewDlg::takePlacementChoices() {
    // A place on a screen that is gone (a projector unplugged) is not used.
    if (saved_ && saved_->normalPlace) {
        const WindowPlace& p = *saved_->normalPlace;
        const QRect place(p.x, p.y, p.width, p.height);
        if (reachableOnAScreen(place)) normalGeometry_ = place;
    }
    if (options_.windowGeometry.empty()) return false;
    QScreen* screen = QGuiApplication::primaryScreen();
    const std::optional<QRect> asked = geometryFromText(QString::fromStdString(options_.windowGeometry),
                                                        normalGeometry_, screen ? screen->geometry() : QRect());
    if (!asked) return false;
    // The geometry asked for is a normal window's.
    normalGeometry_ = *asked;
    config_.windowState = WindowState::Normal;
    return true;
}

void CCorvaneNewDlg::rememberPlacement() {
    // A damaged or unreadable file waits for the user's choice of a port.
    if (!saved_) return;
    const bool normalShown = config_.windowState == WindowState::Normal && !isMinimized();
    const QRect normal = normalShown ? geometry() : normalGeometry_;
    PortConfig config = *saved_;
    config.windowState = config_.windowState;
    config.normalPlace = WindowPlace{normal.x(), normal.y(), normal.width(), normal.height()};
    if (config == *saved_) return;
    // Said on standard error only: a box while the window goes would hold its end.
    if (const ConfigWriteResult written = configFile_.write(config); !written) {
        std::fprintf(stderr, "corvane: %s\n",
                     tr("the window's place is not remembered: %1")
                         .arg(QString::fromStdString(written.error))
                         .toLocal8Bit()
                         .constData());
        return;
    }
    saved_ = config;
}

}  // namespace corvane
