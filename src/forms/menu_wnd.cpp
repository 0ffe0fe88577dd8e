#include "forms/menu_wnd.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/keyboard_focus.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "controls/zone_cursor.h"
#include "forms/pane_corner.h"
#include "platform/window_messages.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace corvane {

namespace {
const QColor kGripLine{64, 64, 64};
}

CMenuWnd::CMenuWnd(QWidget* parent) : MessageWindow<QWidget>(parent) {
    NoEraseBackground(this);
    setMouseTracking(true);  // the sizing cursor shows over the grip without a button held
    const QRect r = rect();
    viewRect_ = rectLTRB(r.left(), r.top(), r.right() + 1 - 25, r.bottom() + 1 - 15);
    view_ = new CCorvMenu(this);
    view_->hide();
    verticalBar_.Create(ScrollVertical, this);
    horizontalBar_.Create(ScrollHorizontal, this);
    created_ = true;
    view_->setGeometry(viewRect_);
    view_->show();
    placeBars();
    verticalBar_.show();
    horizontalBar_.show();
}

CMenuWnd::~CMenuWnd() = default;

int CMenuWnd::insertBranch(const std::string& caption, int parentIndex) {
    return view_->insertBranch(caption, parentIndex);
}

int CMenuWnd::insertLeaf(const std::string& caption, int command, int parentIndex, int icon, int iconWidth,
                         int iconHeight) {
    return view_->insertLeaf(caption, command, parentIndex, icon, iconWidth, iconHeight);
}

void CMenuWnd::setBranchSize(int height, int width) { view_->setBranchSize(height, width); }
void CMenuWnd::setLeafSize(int height, int width) { view_->setLeafSize(height, width); }
void CMenuWnd::setIndent(int pixels) { view_->setIndent(pixels); }

void CMenuWnd::setBackColour(const QColor& colour) {
    back_ = colour;
    view_->setBackColour(colour);
}

void CMenuWnd::setBranchFaceColour(const QColor& colour) { view_->setBranchFaceColour(colour); }

QRect CMenuWnd::cornerRect() const {
    const int w = width(), h = height();
    return rectLTRB(w - 25, h - 15, w - kGripWidth, h);
}

QRect CMenuWnd::gripRect() const { return rectLTRB(width() - kGripWidth, 0, width(), height()); }

void CMenuWnd::placeBars() {
    // Both bars share the rectangle left of the grip; each takes its own edge of it.
    verticalBar_.Place(0, 0, width() - kGripWidth, height());
    horizontalBar_.Place(0, 0, width() - kGripWidth, height());
}

void CMenuWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!created_) return;
    placeBars();
    viewRect_ = rectLTRB(0, 0, width() - 25, height() - 15);
    view_->setGeometry(viewRect_);
    // A new size changes the pages of both bars; the thumbs stay where the view is scrolled.
    contentSizeChanged(view_->widestRight(), view_->totalHeight());
}

// Sets the bar back to the position the view is scrolled to. Where the new range cannot hold
// that position, the bar falls back and the view follows it, so bar and view always agree.
void CMenuWnd::keepBarPosition(CCorvScrollBar& bar, int& previous, int& position, bool vertical) {
    bar.SetPos(previous);
    bar.repaint();
    const int p = bar.GetPos();
    if (p != previous) {
        if (vertical)
            view_->scrollBy(0, previous - p);
        else
            view_->scrollBy(previous - p, 0);
        previous = p;
    }
    position = p;
}

void CMenuWnd::contentSizeChanged(int widest, int total) {
    verticalBar_.SetRange(0, total, height() - 20);
    keepBarPosition(verticalBar_, previousVertical_, verticalPos_, true);
    horizontalBar_.SetRange(0, widest, width() - 20);
    keepBarPosition(horizontalBar_, previousHorizontal_, horizontalPos_, false);
}

void CMenuWnd::scrollVertical() {
    const int p = verticalBar_.GetPos();
    view_->scrollBy(0, previousVertical_ - p);
    verticalPos_ = p;
    previousVertical_ = p;
}

void CMenuWnd::scrollHorizontal() {
    const int p = horizontalBar_.GetPos();
    view_->scrollBy(previousHorizontal_ - p, 0);
    horizontalPos_ = p;
    previousHorizontal_ = p;
}

void CMenuWnd::scrollToShow(const QRect& r) {
    verticalBar_.SetPos(scrollPositionShowing(previousVertical_, viewRect_.height(), r.top(), r.top() + r.height()));
    verticalBar_.repaint();
    scrollVertical();
    horizontalBar_.SetPos(
        scrollPositionShowing(previousHorizontal_, viewRect_.width(), r.left(), r.left() + r.width()));
    horizontalBar_.repaint();
    scrollHorizontal();
}

std::intptr_t CMenuWnd::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case WM_MENU_LAYOUT: contentSizeChanged(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
        case WM_MENU_ITEM: postWindowMessage(parentWidget(), WM_MENU_ITEM, wParam, lParam); return 0;
        case WM_SCROLL_VERT: scrollVertical(); return 0;
        case WM_SCROLL_HORZ: scrollHorizontal(); return 0;
        case WM_SCROLL_WHEEL: sendWindowMessage(&verticalBar_, WM_SCROLL_WHEEL, wParam, lParam); return 0;
        default: return WindowMessageHandler::windowMessage(message, wParam, lParam);
    }
}

bool CMenuWnd::inDragZone(int x) const { return width() - 8 < x && x < width(); }

void CMenuWnd::mousePressEvent(QMouseEvent* event) {
    // Qt keeps the mouse with this window until the button is released.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && inDragZone(at.x())) {
        anchor_ = at;
        dragging_ = true;
        moveCounter_ = 0;
    }
    QWidget::mousePressEvent(event);
}

void CMenuWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool overGrip = inDragZone(at.x()) && !childAt(at);
    showZoneCursor(*this, overGrip || dragging_ ? std::optional<QCursor>(Qt::SizeHorCursor) : std::nullopt);
    if (dragging_ && ++moveCounter_ >= kMovesPerStep) dragStep(at.x(), at.y());
    QWidget::mouseMoveEvent(event);
}

void CMenuWnd::dragStep(int x, int y) {
    // The left edge stays, so the mouse's travel since the last step is the change of width.
    const QRect outer = geometry();
    int width = outer.width() + (x - anchor_.x());
    if (QWidget* parent = parentWidget()) width = std::min(width, parent->width() - kParentReserve - outer.left());
    width = std::max(width, kMinimumWidth);
    setGeometry(outer.left(), outer.top(), width, outer.height());
    moveCounter_ = 0;
    anchor_ = QPoint(x, y);
    sendWindowMessage(parentWidget(), WM_MENU_EDGE, 0, 0);
}

void CMenuWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        if (!inDragZone(event->position().toPoint().x())) showZoneCursor(*this, std::nullopt);
    }
    QWidget::mouseReleaseEvent(event);
}

void CMenuWnd::leaveEvent(QEvent* event) {
    if (!dragging_) showZoneCursor(*this, std::nullopt);
    QWidget::leaveEvent(event);
}

void CMenuWnd::childEvent(QChildEvent* event) {
    keepChildCursor(event);
    QWidget::childEvent(event);
}

void CMenuWnd::paintEvent(QPaintEvent*) {
    QPainter target(this);
    paintScrollCorner(target, cornerRect(), ColourBlack);

    const QRect strip = gripRect();
    CMemDC dc(target, strip);
    QPainter& p = dc.painter();
    const int line = strip.left() + strip.width() - 6;
    const int top = strip.top(), bottom = strip.top() + strip.height();
    fillSkinRect(p, strip, ColourPanel);
    drawSkinLine(p, {line, top + 1}, {line, bottom - 1}, kGripLine, 3);
    drawSkinLine(p, {line, top}, {line, bottom}, ColourEdgeDark);
}

}  // namespace corvane
