#pragma once
// Window moves and edge drags handed to the window system. A Wayland compositor ignores a client
// that places or sizes its own top-level window by move()/setGeometry(), so there only the
// compositor can follow the pointer; an X11 window manager that offers it does the same (and
// snaps to screen edges). Each call is false where the platform refuses (X11 without a window
// manager, the offscreen platform): the caller then moves or sizes the window itself.
#include <QWidget>

namespace corvane {

// Starts a move of the top-level window of `widget` while the left button is held.
bool startSystemMove(QWidget& widget);
// Starts sizing the top-level window of `widget` by the given edges while the button is held.
bool startSystemResize(QWidget& widget, Qt::Edges edges);

}  // namespace corvane
