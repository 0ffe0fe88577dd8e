#pragma once
// Sizing and moving cursors shown over zones of a window's own surface. Qt hands a widget's
// cursor down to every child that has none of its own, so a window that shows such a cursor
// gives each of its children the arrow: the zone cursor then shows only where the pointer is
// over the window itself, whichever child the pointer moves on to.
#include <QChildEvent>
#include <QCursor>
#include <QWidget>

#include <optional>

namespace corvane {

// For a window's childEvent: a child widget polished without a cursor of its own gets the arrow.
void keepChildCursor(const QChildEvent* event);

// Shows the zone's cursor, or the arrow when there is none.
void showZoneCursor(QWidget& window, const std::optional<QCursor>& zoneCursor);

}  // namespace corvane
