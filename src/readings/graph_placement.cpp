#include "readings/graph_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "screens/main_frame_geometry.h"

namespace corvane {

namespace {
const QSize kWanted(960, 600);
const QSize kLeast(520, 240);
}  // namespace

QRect graphPlacement(const QRect& main, int band, const QRect& screen, const QSize& wanted, const QSize& least) {
    const int width = std::min(wanted.width(), screen.width());
    const int belowBand = std::max(screen.top(), main.top() + band);
    int top = std::min(belowBand, screen.bottom() + 1 - std::min(least.height(), screen.height()));
    top = std::max(top, screen.top());
    const int height = std::min(wanted.height(), screen.bottom() + 1 - top);
    const int left = std::clamp(main.center().x() - width / 2, screen.left(), screen.right() + 1 - width);
    return {left, top, width, height};
}

void placeGraphWindow(QWidget& graph, const QWidget* mainWindow) {
    QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect main = mainWindow ? mainWindow->frameGeometry() : area;
    const int band = mainWindow ? MainFrame::kTitleBandHeight : 0;
    graph.setMinimumSize(kLeast.boundedTo(area.size()));
    graph.setGeometry(graphPlacement(main, band, area, kWanted, kLeast));
}

}  // namespace corvane
