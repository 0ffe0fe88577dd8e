#include "controls/system_drag.h"

#include <QWindow>

namespace corvane {

namespace {
QWindow* topLevelWindow(QWidget& widget) { return widget.window()->windowHandle(); }
}  // namespace

bool startSystemMove(QWidget& widget) {
    QWindow* window = topLevelWindow(widget);
    return window && window->startSystemMove();
}

bool startSystemResize(QWidget& widget, Qt::Edges edges) {
    QWindow* window = topLevelWindow(widget);
    return window && window->startSystemResize(edges);
}

}  // namespace corvane
