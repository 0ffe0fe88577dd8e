#include "forms/client_area_wnd.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"

#include <QPainter>

#include <algorithm>

namespace corvane {

CClientAreaWnd::CClientAreaWnd(QWidget* parent) : QWidget(parent), form_(new CClientForm(this)) {
    NoEraseBackground(this);
    form_->show();
}

void CClientAreaWnd::setTarget(QObject* target) {
    target_ = target;
    form_->setTarget(target);
}

QSize CClientAreaWnd::formSize() {
    formWidth_ = std::max(kMinimumFormWidth, width());
    form_->setGeometry(0, 0, formWidth_, kFormHeight);
    return form_->size();
}

void CClientAreaWnd::scrollContents(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    form_->move(form_->pos() + QPoint(dx, dy));
}

void CClientAreaWnd::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemDC dc(target, rect());
    fillSkinRect(dc.painter(), rect(), ColourPanel);
}

}  // namespace corvane
