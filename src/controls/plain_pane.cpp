#include "controls/plain_pane.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"

#include <QPainter>

namespace corvane {

void NoEraseBackground(QWidget* widget) {
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
    widget->setAttribute(Qt::WA_NoSystemBackground);
    widget->setAutoFillBackground(false);
}

void PaintPlainPane(QWidget* widget) {
    QPainter target(widget);
    CMemDC dc(target, widget->rect());
    dc->fillRect(widget->rect(), ColourPane);
}

}  // namespace corvane
