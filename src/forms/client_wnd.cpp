#include "forms/client_wnd.h"

#include "controls/keyboard_focus.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "forms/pane_corner.h"
#include "platform/window_messages.h"

#include <QPainter>

namespace corvane {

CClientWnd::CClientWnd(QWidget* parent) : MessageWindow<QWidget>(parent) {
    NoEraseBackground(this);
    verticalBar_.Create(ScrollVertical, this);
    horizontalBar_.Create(ScrollHorizontal, this);
    created_ = true;
    areaRect_ = rectLTRB(0, 0, width() - kBarThickness, height() - kBarThickness);
    placeBars();
    verticalBar_.show();
    horizontalBar_.show();
    area_ = new CClientAreaWnd(this);
    area_->setTarget(parent);
    area_->setGeometry(areaRect_);
    area_->show();
}

CClientWnd::~CClientWnd() = default;

QRect CClientWnd::cornerRect() const {
    return rectLTRB(width() - kBarThickness, height() - kBarThickness, width(), height());
}

void CClientWnd::placeBars() {
    verticalBar_.Place(0, 0, width(), height());
    horizontalBar_.Place(0, 0, width(), height());
}

void CClientWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!created_) return;
    placeBars();
    areaRect_ = rectLTRB(0, 0, width() - kBarThickness, height() - kBarThickness);
    area_->setGeometry(areaRect_);
    // The form returns to the top-left corner, and both bars to 0 with it.
    formSize_ = area_->formSize();
    verticalBar_.SetRange(0, formSize_.height(), areaRect_.height());
    verticalBar_.repaint();
    horizontalBar_.SetRange(0, formSize_.width(), areaRect_.width());
    horizontalBar_.repaint();
    verticalPos_ = previousVertical_ = 0;
    horizontalPos_ = previousHorizontal_ = 0;
}

void CClientWnd::resetScroll() {
    horizontalBar_.SetPos(0);
    horizontalBar_.repaint();
    verticalBar_.SetPos(0);
    verticalBar_.repaint();
    area_->scrollContents(previousHorizontal_, previousVertical_);
    verticalPos_ = previousVertical_ = 0;
    horizontalPos_ = previousHorizontal_ = 0;
}

void CClientWnd::scrollVertical() {
    const int p = verticalBar_.GetPos();
    area_->scrollContents(0, previousVertical_ - p);
    verticalPos_ = previousVertical_ = p;
}

void CClientWnd::scrollHorizontal() {
    const int p = horizontalBar_.GetPos();
    area_->scrollContents(previousHorizontal_ - p, 0);
    horizontalPos_ = previousHorizontal_ = p;
}

void CClientWnd::scrollToShow(const QRect& r) {
    verticalBar_.SetPos(scrollPositionShowing(previousVertical_, areaRect_.height(), r.top(), r.top() + r.height()));
    verticalBar_.repaint();
    scrollVertical();
    horizontalBar_.SetPos(
        scrollPositionShowing(previousHorizontal_, areaRect_.width(), r.left(), r.left() + r.width()));
    horizontalBar_.repaint();
    scrollHorizontal();
}

std::intptr_t CClientWnd::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case WM_SCROLL_VERT: scrollVertical(); return 0;
        case WM_SCROLL_HORZ: scrollHorizontal(); return 0;
        case WM_SCROLL_WHEEL: sendWindowMessage(&verticalBar_, WM_SCROLL_WHEEL, wParam, lParam); return 0;
        default: return WindowMessageHandler::windowMessage(message, wParam, lParam);
    }
}

void CClientWnd::paintEvent(QPaintEvent*) {
    QPainter target(this);
    paintScrollCorner(target, cornerRect(), cornerColour_);
}

}  // namespace corvane
