#include "controls/corv_sys_button.h"

#include "controls/keyboard_focus.h"
#include "controls/mem_dc.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvane {

CCorvSysButton::CCorvSysButton() : QAbstractButton(nullptr) {
    NoEraseBackground(this);
    setMouseTracking(true);
    // Reached with Tab only: a click on a caption button leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    trackKeyboardFocus();
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(id_); });
}

bool CCorvSysButton::Create(int kind, int x, int y, int size, QWidget* parent, int id) {
    if (!parent) return false;
    kind_ = kind;
    size_ = size;
    id_ = id;
    setParent(parent);
    setGeometry(x, y, size, size);
    show();
    return true;
}

void CCorvSysButton::SetFaceColour(const QColor& colour) {
    face_ = colour;
    update();
}

void CCorvSysButton::SetStateColours(const QColor& frame, const QColor& pressedGlyph, const QColor& normalGlyph,
                                     const QColor& spare) {
    frame_ = frame;
    pressedGlyph_ = pressedGlyph;
    normalGlyph_ = normalGlyph;
    spare_ = spare;
}

void CCorvSysButton::SetPosition(int x, int y) { setGeometry(x, y, size_, size_); }

void CCorvSysButton::drawGlyph(QPainter& p, const QColor& c) const {
    const int s = size_;
    const int l = 0, t = 0, r = size_, b = size_;
    switch (kind_) {
        case SysButtonClose:
            drawSkinLine(p, {2, 2}, {s - 3, s - 3}, c);
            drawSkinLine(p, {3, 2}, {s - 2, s - 3}, c);
            drawSkinLine(p, {s - 3, 2}, {2, s - 3}, c);
            drawSkinLine(p, {s - 4, 2}, {1, s - 3}, c);
            break;
        case SysButtonMinimise:
            drawSkinLine(p, {2, s - 5}, {s - 2, s - 5}, c);
            drawSkinLine(p, {2, s - 4}, {s - 2, s - 4}, c);
            break;
        case SysButtonMaximise:
            // Two overlapping windows: the front one lower left, the back one upper right.
            drawSkinLine(p, {l + 2, t + 5}, {r - 4, t + 5}, c);
            drawSkinPolyline(p, {{l + 2, t + 6}, {r - 5, t + 6}, {r - 5, b - 3}, {l + 2, b - 3}, {l + 2, t + 6}}, c);
            drawSkinLine(p, {l + 5, t + 2}, {r - 2, t + 2}, c);
            drawSkinPolyline(p, {{l + 5, t + 3}, {r - 3, t + 3}, {r - 3, b - 6}, {r - 5, b - 6}}, c);
            fillSkinRect(p, QRect(l + 5, t + 4, 1, 1), c);
            break;
        default: break;
    }
}

void CCorvSysButton::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemDC dc(target, rect());
    QPainter& p = dc.painter();
    selected_ = isDown();
    const int r = width(), b = height();
    fillSkinRect(p, rect(), face_);
    auto outline = [&] { drawSkinPolyline(p, {{0, 0}, {r - 1, 0}, {r - 1, b - 1}, {0, b - 1}, {0, 0}}, frame_); };
    switch (state_) {
        case ButtonNormal: drawGlyph(p, normalGlyph_); break;
        case ButtonHover:
            outline();
            drawGlyph(p, frame_);
            break;
        case ButtonPressed:
            outline();
            drawGlyph(p, selected_ ? pressedGlyph_ : frame_);
            break;
    }
    if (showsKeyboardFocus(this)) drawKeyboardFocusMark(p, rect(), 0);
}

void CCorvSysButton::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) {
        state_ = ButtonHover;
        update();
        tracking_ = true;
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CCorvSysButton::leaveEvent(QEvent*) {
    state_ = ButtonNormal;
    tracking_ = false;
    update();
}

void CCorvSysButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        state_ = ButtonPressed;
        update();
    }
    QAbstractButton::mousePressEvent(event);
}

void CCorvSysButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        state_ = ButtonHover;
        update();
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CCorvSysButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CCorvSysButton::keyPressEvent(QKeyEvent* event) {
    switch (buttonKeyOf(*event)) {
        case ButtonKey::Press:
            // Only Space (and Select) press a caption button. Enter is the key people press at a
            // pop-up without looking: on a close button it would end a notice, a dialog or the
            // program behind the user's back, so it does nothing here.
            if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) && !event->isAutoRepeat()) click();
            event->accept();
            return;
        case ButtonKey::Arrow: event->ignore(); return;
        case ButtonKey::Other: QAbstractButton::keyPressEvent(event); return;
    }
}

void CCorvSysButton::keyReleaseEvent(QKeyEvent* event) {
    // The press has done the click already.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
        event->accept();
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

}  // namespace corvane
