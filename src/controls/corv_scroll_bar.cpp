#include "controls/corv_scroll_bar.h"

#include "controls/mem_dc.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "platform/dialog_units.h"
#include "platform/window_messages.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

namespace corvane {

namespace {
constexpr int kEnd = 16;  // the thumb keeps 16 px from both ends of the bar
}

CCorvScrollBar::CCorvScrollBar() : MessageWindow<QWidget>(nullptr) {
    NoEraseBackground(this);
    setMouseTracking(true);
}

bool CCorvScrollBar::Create(ScrollOrientation orientation, QWidget* parent) {
    if (!parent) return false;
    orientation_ = orientation;
    setParent(parent);
    hide();
    // The size of the empty child template; the first Place sets the real one.
    resize(dialogUnitsToPixelsX(268), dialogUnitsToPixelsY(82));
    return true;
}

void CCorvScrollBar::Place(int left, int top, int right, int bottom) {
    if (orientation_ == ScrollVertical)
        setGeometry(right - kThickness, top, kThickness, bottom - kThickness - top);
    else
        setGeometry(left, bottom - kThickness, right - kThickness - left, kThickness);
    computeThumbLength();
    positionThumb();
    update();
}

void CCorvScrollBar::SetRange(int min, int max, int page) {
    min_ = min;
    max_ = max;
    page_ = page <= 0 ? 1 : page;
    pos_ = 0;
    computeThumbLength();
    positionThumb();
}

int CCorvScrollBar::maxPos() const { return max_ - page_ - min_; }

void CCorvScrollBar::SetPos(int value) {
    // Outside the open range the position falls back to 0. Inside it, a value past the last
    // full page is held at the last page, so that the thumb stays on the track.
    if (min_ < value && value < max_)
        pos_ = std::max(min_, std::min(value, maxPos()));
    else
        pos_ = 0;
    positionThumb();
}

int CCorvScrollBar::extent() const { return orientation_ == ScrollVertical ? height() : width(); }

int CCorvScrollBar::along(const QPoint& point) const { return orientation_ == ScrollVertical ? point.y() : point.x(); }

int CCorvScrollBar::thumbStart() const { return orientation_ == ScrollVertical ? thumb_.top() : thumb_.left(); }

int CCorvScrollBar::thumbEnd() const {
    return orientation_ == ScrollVertical ? thumb_.top() + thumb_.height() : thumb_.left() + thumb_.width();
}

void CCorvScrollBar::computeThumbLength() {
    float ratio = static_cast<float>(max_ - min_) / static_cast<float>(page_);
    if (ratio < 1.0f) ratio = 1.0f;
    ratio_ = ratio;
    thumbLength_ = std::max(0, static_cast<int>(static_cast<float>(extent() - 2 * kEnd) / ratio_));
    inactive_ = false;
}

void CCorvScrollBar::positionThumb() {
    const int mp = maxPos();
    int d = 0;
    // With less than a page of content there is nothing to scroll: the thumb stays at the start.
    if (mp > 0) {
        const float offset =
            static_cast<float>(static_cast<double>(extent() - thumbLength_ - 2 * kEnd) * (pos_ - min_) / mp);
        d = static_cast<int>(offset);
    }
    const int start = std::max(kEnd, kEnd + d);
    if (orientation_ == ScrollVertical)
        thumb_ = QRect(0, start, width(), kEnd + d + thumbLength_ - start);
    else
        thumb_ = QRect(start, 0, kEnd + d + thumbLength_ - start, height());
}

CCorvScrollBar::Zone CCorvScrollBar::zoneAt(int v) const {
    const int e = extent();
    if (thumbStart() < v && v < thumbEnd()) return Zone::Thumb;
    if (1 <= v && v <= 14) return Zone::UpArrow;
    if (e - 15 < v && v < e) return Zone::DownArrow;
    if (15 < v && v < thumbStart()) return Zone::PageUp;
    if (thumbEnd() < v && v < e - 15) return Zone::PageDown;
    return Zone::None;
}

void CCorvScrollBar::applyStep(Step step) {
    const int mp = maxPos();
    switch (step) {
        case Step::LineUp:
            pos_ -= kLineStep;
            if (pos_ < min_) pos_ = min_;
            if (orientation_ == ScrollVertical && pos_ > mp) pos_ = mp;
            break;
        case Step::LineDown:
            pos_ += kLineStep;
            if (pos_ > mp) pos_ = mp;
            break;
        case Step::PageUp:
            pos_ -= kPageStep;
            if (pos_ < min_) pos_ = min_;
            break;
        case Step::PageDown:
            pos_ += kPageStep;
            if (pos_ > mp) pos_ = mp;
            break;
    }
    // A range shorter than a page has no room to move: the position stays at the start.
    if (pos_ < min_) pos_ = min_;
    positionThumb();
}

void CCorvScrollBar::notifyParent() {
    sendWindowMessage(parentWidget(), orientation_ == ScrollVertical ? WM_SCROLL_VERT : WM_SCROLL_HORZ, 0, 0);
}

void CCorvScrollBar::clearRepeat() { repeatPageUp_ = repeatPageDown_ = repeatLineUp_ = repeatLineDown_ = false; }

void CCorvScrollBar::drawNow() {
    // Handlers show their result at once, with the thumb where the step or drag left it.
    paintFromHandler_ = true;
    repaint();
    paintFromHandler_ = false;
}

// --- input -----------------------------------------------------------------------------------

std::intptr_t CCorvScrollBar::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
    if (message != WM_SCROLL_WHEEL || inactive_ || orientation_ != ScrollVertical) return 0;
    const auto amount = static_cast<std::intptr_t>(wParam);
    bool stepped = false;
    if (amount > 0) {
        pos_ = std::max(min_, pos_ - 2 * kLineStep);
        stepped = true;
    } else if (amount < 0) {
        pos_ = std::max(min_, std::min(maxPos(), pos_ + 2 * kLineStep));
        stepped = true;
    }
    if (stepped) {
        positionThumb();
        drawNow();
    }
    sendWindowMessage(parentWidget(), WM_SCROLL_VERT, 0, 0);
    return 0;
}

void CCorvScrollBar::mousePressEvent(QMouseEvent* event) {
    if (inactive_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    lastMouse_ = event->position().toPoint();
    // Every step is reported at once, so the parent's content moves with the thumb even for a
    // click that ends before the first repeat.
    auto startRepeat = [&](Step step, bool& flag) {
        applyStep(step);
        drawNow();
        notifyParent();
        repeatTimer_.start(kAutoRepeatMs, this);
        flag = true;
    };
    switch (zoneAt(along(lastMouse_))) {
        case Zone::Thumb:
            dragging_ = true;
            clearRepeat();
            thumbState_ = PartPressed;
            break;
        case Zone::UpArrow:
            startRepeat(Step::LineUp, repeatLineUp_);
            upState_ = PartPressed;
            break;
        case Zone::DownArrow:
            startRepeat(Step::LineDown, repeatLineDown_);
            downState_ = PartPressed;
            break;
        case Zone::PageUp: startRepeat(Step::PageUp, repeatPageUp_); break;
        case Zone::PageDown: startRepeat(Step::PageDown, repeatPageDown_); break;
        case Zone::None: break;
    }
    drawNow();
}

void CCorvScrollBar::timerEvent(QTimerEvent* event) {
    if (event->timerId() != repeatTimer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    const int v = along(lastMouse_);
    if (thumbStart() < v && v < thumbEnd()) {
        clearRepeat();
        notifyParent();
        repeatTimer_.stop();
        return;
    }
    std::pair<bool, Step> repeats[] = {{repeatLineUp_, Step::LineUp},
                                       {repeatLineDown_, Step::LineDown},
                                       {repeatPageUp_, Step::PageUp},
                                       {repeatPageDown_, Step::PageDown}};
    for (const auto& [set, step] : repeats) {
        if (!set) continue;
        // The step first, then the report: the parent reads the position this tick reached.
        applyStep(step);
        drawNow();
        notifyParent();
        repeatTimer_.start(kAutoRepeatMs, this);
        break;
    }
}

void CCorvScrollBar::mouseMoveEvent(QMouseEvent* event) {
    if (inactive_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (dragging_) {
        const int e = extent();
        int start = thumbStart() + along(point) - along(lastMouse_);
        if (start < kEnd) start = kEnd;
        if (start + thumbLength_ > e - kEnd) start = e - kEnd - thumbLength_;
        if (orientation_ == ScrollVertical)
            thumb_.moveTop(start);
        else
            thumb_.moveLeft(start);
    }
    lastMouse_ = point;
    switch (zoneAt(along(point))) {
        case Zone::Thumb:
            if (thumbState_ == PartNormal) thumbState_ = PartHover;
            break;
        case Zone::UpArrow:
            if (upState_ == PartNormal) upState_ = PartHover;
            break;
        case Zone::DownArrow:
            if (downState_ == PartNormal) downState_ = PartHover;
            break;
        default: thumbState_ = upState_ = downState_ = PartNormal; break;
    }
    drawNow();
    QWidget::mouseMoveEvent(event);
}

void CCorvScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (inactive_ || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (dragging_) {
        const int free = extent() - thumbLength_ - 2 * kEnd;
        const int mp = maxPos();
        if (free <= 0 || mp <= min_) {
            pos_ = min_;
        } else {
            const long long moved = thumbStart() - kEnd;
            pos_ = static_cast<int>(static_cast<long long>(mp) * moved / free);
            pos_ = std::max(min_, std::min(pos_, mp));
        }
        notifyParent();
    }
    clearRepeat();
    repeatTimer_.stop();
    dragging_ = false;
    thumbState_ = upState_ = downState_ = PartNormal;
    drawNow();
}

void CCorvScrollBar::leaveEvent(QEvent*) {
    clearRepeat();
    repeatTimer_.stop();
    dragging_ = false;
    thumbState_ = upState_ = downState_ = PartNormal;
    drawNow();
}

void CCorvScrollBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    computeThumbLength();
}

// --- drawing ---------------------------------------------------------------------------------

void CCorvScrollBar::paintEvent(QPaintEvent*) {
    if (!paintFromHandler_) positionThumb();
    QPainter target(this);
    CMemDC dc(target, rect());
    draw(dc.painter());
}

void CCorvScrollBar::draw(QPainter& p) const {
    if (orientation_ == ScrollVertical)
        drawVertical(p);
    else
        drawHorizontal(p);
}

namespace {

void drawThumb(QPainter& p, const QRect& thumb, const QColor& face, bool vertical) {
    const int tl = thumb.left(), tt = thumb.top();
    const int tr = thumb.left() + thumb.width(), tb = thumb.top() + thumb.height();
    fillSkinRect(p, thumb, face);
    const int bottom = vertical ? tb : tb - 1;
    drawSkinPolyline(p, {{tl, tt}, {tr - 1, tt}, {tr - 1, bottom}}, ColourEdgeLight);
    drawSkinPolyline(p, {{tl, tt}, {tl, bottom}, {tr, bottom}}, ColourEdgeDark);
}

// A box with light top and right edges and dark left and bottom edges; `lastRow` is the row of
// the bottom edge.
void drawBox(QPainter& p, int x0, int y0, int x1, int y1, int lastRow, const QColor& face) {
    fillSkinRect(p, rectLTRB(x0, y0, x1, y1), face);
    drawSkinPolyline(p, {{x0, y0}, {x1 - 1, y0}, {x1 - 1, lastRow}}, ColourEdgeLight);
    drawSkinPolyline(p, {{x0, y0}, {x0, lastRow}, {x1, lastRow}}, ColourEdgeDark);
}

void row(QPainter& p, int y, int x0, int x1, const QColor& c) { fillSkinRect(p, rectLTRB(x0, y, x1 + 1, y + 1), c); }
void column(QPainter& p, int x, int y0, int y1, const QColor& c) { fillSkinRect(p, rectLTRB(x, y0, x + 1, y1 + 1), c); }

}  // namespace

void CCorvScrollBar::drawVertical(QPainter& p) const {
    const int l = 0, t = 0, r = width(), b = height();
    fillSkinRect(p, rectLTRB(l, t + 16, r, b - 15), trackColour);
    drawThumb(p, thumb_, thumbFaces_[thumbState_], true);

    drawBox(p, l, b - 15, r, b, b - 1, arrowFaces_[downState_]);
    int cx = (l + r) / 2, cy = (2 * b - 15) / 2;
    row(p, cy - 2, cx - 3, cx + 3, arrowGlyphColour);
    row(p, cy - 1, cx - 2, cx + 2, arrowGlyphColour);
    row(p, cy, cx - 1, cx + 1, arrowGlyphColour);
    row(p, cy + 1, cx, cx, arrowGlyphColour);

    drawBox(p, l, t, r, t + 15, t + 15, arrowFaces_[upState_]);
    cy = (2 * t + 15) / 2;
    row(p, cy + 2, cx - 3, cx + 3, arrowGlyphColour);
    row(p, cy + 1, cx - 2, cx + 2, arrowGlyphColour);
    row(p, cy, cx - 1, cx + 1, arrowGlyphColour);
    row(p, cy - 1, cx, cx, arrowGlyphColour);
}

void CCorvScrollBar::drawHorizontal(QPainter& p) const {
    const int l = 0, t = 0, r = width(), b = height();
    fillSkinRect(p, rectLTRB(l + 16, t, r - 16, b), trackColour);
    drawThumb(p, thumb_, thumbFaces_[thumbState_], false);
    const int cy = (t + b) / 2;

    drawBox(p, l, t, l + 16, b, b - 1, arrowFaces_[upState_]);
    int cx = (l + l + 16) / 2;
    column(p, cx + 2, cy - 3, cy + 3, arrowGlyphColour);
    column(p, cx + 1, cy - 2, cy + 2, arrowGlyphColour);
    column(p, cx, cy - 1, cy + 1, arrowGlyphColour);
    column(p, cx - 1, cy, cy, arrowGlyphColour);

    drawBox(p, r - 16, t, r, b, b - 1, arrowFaces_[downState_]);
    cx = (r - 16 + r) / 2;
    column(p, cx - 2, cy - 3, cy + 3, arrowGlyphColour);
    column(p, cx - 1, cy - 2, cy + 2, arrowGlyphColour);
    column(p, cx, cy - 1, cy + 1, arrowGlyphColour);
    column(p, cx + 1, cy, cy, arrowGlyphColour);
}

}  // namespace corvane
