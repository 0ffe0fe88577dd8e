#include "controls/zone_cursor.h"

namespace corvane {

void keepChildCursor(const QChildEvent* event) {
    if (!event->polished() || !event->child()->isWidgetType()) return;
    auto* child = static_cast<QWidget*>(event->child());
    if (!child->testAttribute(Qt::WA_SetCursor)) child->setCursor(Qt::ArrowCursor);
}

void showZoneCursor(QWidget& window, const std::optional<QCursor>& zoneCursor) {
    // Outside every zone the window shows the arrow of its own rather than its parent's cursor,
    // which may be a zone cursor of the parent.
    window.setCursor(zoneCursor ? *zoneCursor : QCursor(Qt::ArrowCursor));
}

}  // namespace corvane
