#pragma once
// Where the graph window opens, so that it works without a window manager too: on the main
// window's screen, below the main window's title band (its buttons stay reachable), never larger
// than what is left of that screen, and centred on the main window across.
#include <QRect>
#include <QSize>

class QWidget;

namespace corvane {

// `main` is the main window's frame and `screen` the available area of its screen, both in
// screen coordinates; `band` the height of the main window's title band. `wanted` is the size
// the window would like, `least` the size below which it is no use.
QRect graphPlacement(const QRect& main, int band, const QRect& screen, const QSize& wanted, const QSize& least);

// Places `graph` by graphPlacement beside `mainWindow` (or in the middle of the primary screen
// when there is none) and sets its minimum size, never larger than the screen.
void placeGraphWindow(QWidget& graph, const QWidget* mainWindow);

}  // namespace corvane
