#include "controls/corv_button.h"
#include "controls/accessible_announce.h"
#include "controls/skin_font.h"

#include "controls/keyboard_focus.h"
#include "controls/mem_dc.h"
#include "controls/plain_pane.h"
#include "controls/skin_faces.h"
#include "controls/skin_lines.h"
#include "platform/cp1252.h"
#include "platform/resources.h"
#include "platform/window_messages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace corvane {

CCorvButton::CCorvButton() : MessageWindow<QAbstractButton>(nullptr) {
    NoEraseBackground(this);
    setMouseTracking(true);
    trackKeyboardFocus();
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(id_); });
}

CCorvButton::~CCorvButton() = default;

bool CCorvButton::Create(const std::string& caption, unsigned style, int left, int top, int right, int bottom,
                         QWidget* parent, int id) {
    if (!parent) return false;
    style_ = style;
    id_ = id;
    setParent(parent);
    hide();  // not part of the parent's picture while its pixels are captured
    const QRect place = rectLTRB(left, top, right, bottom);
    if (style_ & ButtonStyle::TransparentBack) captureBackground(place);
    setCaption(caption);
    // Every button is reachable with Tab: the keyboard is a way to use the whole program.
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(place);
    show();
    return true;
}

void CCorvButton::captureBackground(const QRect& rect) {
    QWidget* parent = parentWidget();
    if (!parent || rect.isEmpty()) return;
    capturedBack_ = parent->grab(rect);
}

void CCorvButton::SetFrameColours(const QColor& hover, const QColor& pressed, const QColor& normal, const QColor& focus,
                                  const QColor& fifth) {
    frameHover_ = hover;
    framePressed_ = pressed;
    frameNormal_ = normal;
    frameFocus_ = focus;
    frameSpare_ = fifth;
}

void CCorvButton::SetFaceColours(const QColor& active, const QColor& pressed, const QColor& normal,
                                 const QColor& fourth) {
    faceActive_ = active;
    facePressed_ = pressed;
    faceNormal_ = normal;
    faceSpare_ = fourth;
}

void CCorvButton::SetBackColour(const QColor& colour) {
    back_ = colour;
    update();
}

void CCorvButton::SetIcons(int id1, int width1, int height1, int id2, int width2, int height2, int id3, int width3,
                           int height3) {
    const int ids[3] = {id1, id2, id3};
    const int widths[3] = {width1, width2, width3};
    const int heights[3] = {height1, height2, height3};
    for (int i = 0; i < 3; ++i) {
        icons_[i].picture = ids[i] ? resourcePixmap(ids[i]) : QPixmap();
        icons_[i].width = widths[i];
        icons_[i].height = heights[i];
    }
}

void CCorvButton::SetCaptionFont(const QString& faceName, int height) {
    captionFont_ = skinFont(faceName, height, kCaptionAverageWidth, QFont::DemiBold);
}

void CCorvButton::SetNotifyCode(int code) { notifyCode_ = code; }

void CCorvButton::MoveAndRecapture(int left, int top, int right, int bottom) {
    hide();
    capturedBack_ = QPixmap();
    const QRect place = rectLTRB(left, top, right, bottom);
    captureBackground(place);
    setGeometry(place);
    show();
}

void CCorvButton::setCaption(const std::string& bytes) {
    caption_ = bytes;
    setText(decodeCp1252(bytes));
    announceNameChange(this);
}

// --- drawing ---------------------------------------------------------------------------------

void CCorvButton::drawFrame(QPainter& p, const QRect& rect, const QColor& colour) const {
    const int l = rect.left(), t = rect.top(), r = rect.left() + rect.width(), b = rect.top() + rect.height();
    if (style_ & ButtonStyle::IconFace)
        drawSkinPolyline(p, {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}}, colour, 1);
    else
        drawSkinPolyline(p, {{l, t}, {r - 1, t + 1}, {r - 1, b - 1}, {l + 1, b - 1}, {l + 1, t + 1}}, colour, 2);
}

void CCorvButton::drawIcon(QPainter& p, const Icon& icon, int width, int height, const QRect& box) const {
    if (icon.picture.isNull()) return;
    const int l = box.left(), t = box.top(), r = box.left() + box.width(), b = box.top() + box.height();
    const QRect target(l + (r - width - l) / 2, t + (b - height - t) / 2, width, height);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(target, icon.picture);
    p.restore();
}

void CCorvButton::drawCaption(QPainter& p, QRect box) const {
    if (text().isEmpty()) return;
    p.save();
    if (captionFont_) p.setFont(*captionFont_);
    if (state_ == ButtonPressed) box.translate(2, 2);
    p.setPen(state_ == ButtonNormal ? captionNormal_ : captionActive_);
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
    p.restore();
}

void CCorvButton::drawShaded(QPainter& p, const QRect& r, const QRect& f) const {
    const bool framed = style_ & ButtonStyle::Framed;
    const bool toggle = style_ & ButtonStyle::Toggle;
    const int l = f.left(), t = f.top(), rr = f.left() + f.width(), b = f.top() + f.height();
    auto raised = [&](const QColor& c) { drawRaisedFace(p, l, t, rr, b, c); };
    auto sunken = [&](const QColor& c) { drawSunkenFace(p, l, t, rr, b, c); };
    auto toggleFace = [&] { checked_ ? sunken(faceActive_) : raised(faceActive_); };

    switch (state_) {
        case ButtonNormal:
            if (framed) {
                drawFrame(p, r, focus_ ? frameFocus_ : frameNormal_);
            } else if (style_ & ButtonStyle::PlainFace) {
                raised(faceNormal_);
            } else if (style_ & (ButtonStyle::BareNormal | ButtonStyle::TransparentBack)) {
                // no face
            } else if (toggle) {
                toggleFace();
            } else {
                raised(faceNormal_);
            }
            break;
        case ButtonHover:
            if (framed) drawFrame(p, r, frameHover_);
            if (toggle)
                toggleFace();
            else
                raised(faceActive_);
            break;
        case ButtonPressed:
            if (toggle) {
                toggleFace();
            } else if (selected_) {
                if (framed) drawFrame(p, r, framePressed_);
                sunken(facePressed_);
            } else {
                if (framed) drawFrame(p, r, frameHover_);
                sunken(faceActive_);
            }
            break;
    }
    drawCaption(p, r);
}

void CCorvButton::drawIconMode(QPainter& p, const QRect& r) const {
    const bool framed = style_ & ButtonStyle::Framed;
    const bool beside = style_ & ButtonStyle::IconBesideText;
    const Icon& first = icons_[0];
    const QRect box = beside ? QRect(r.left(), r.top(), first.width + 10, r.height()) : r;
    bool shiftCaption = false;

    switch (state_) {
        case ButtonNormal:
            if (framed && focus_) drawFrame(p, r, frameFocus_);
            if (!(style_ & ButtonStyle::BareNormal)) drawIcon(p, first, first.width, first.height, box);
            break;
        case ButtonHover:
            if (framed) drawFrame(p, r, frameHover_);
            drawIcon(p, icons_[2], icons_[2].width, icons_[2].height, box);
            break;
        case ButtonPressed:
            if (selected_) {
                drawIcon(p, icons_[1], first.width, first.height, box.translated(2, 2));
                shiftCaption = true;
            } else {
                if (framed) drawFrame(p, r, frameHover_);
                drawIcon(p, first, first.width, first.height, box);
            }
            break;
    }
    if (beside) {
        QRect captionBox(r.left() + first.width + 10, r.top(), r.width() - first.width - 10, r.height());
        if (shiftCaption) captionBox.translate(2, 2);
        drawCaption(p, captionBox);
    }
}

void CCorvButton::paintEvent(QPaintEvent*) {
    QPainter target(this);
    const QRect r = rect();
    CMemDC dc(target, r);
    QPainter& p = dc.painter();
    if ((style_ & ButtonStyle::TransparentBack) && !capturedBack_.isNull())
        p.drawPixmap(QRect(QPoint(0, 0), size()), capturedBack_);
    else
        fillSkinRect(p, r, back_);

    selected_ = isDown();
    // The focus shows only to a keyboard user, and stays while the button keeps the focus.
    focus_ = showsKeyboardFocus(this);

    const QRect face = (style_ & ButtonStyle::Framed) ? r.adjusted(2, 2, -2, -2) : r;
    if (style_ & ButtonStyle::IconFace)
        drawIconMode(p, r);
    else
        drawShaded(p, r, face);
    // The framed style shows the focus in its frame colour, where that colour differs from the
    // normal one; every other button gets the skin's focus mark.
    const bool frameShowsFocus =
        (style_ & ButtonStyle::Framed) && state_ == ButtonNormal && frameFocus_ != frameNormal_;
    if (focus_ && !frameShowsFocus) drawKeyboardFocusMark(p, r);
}

// --- mouse and focus -------------------------------------------------------------------------

void CCorvButton::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) {
        state_ = ButtonHover;
        update();
        tracking_ = true;
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CCorvButton::leaveEvent(QEvent*) {
    state_ = ButtonNormal;
    tracking_ = false;
    update();
}

void CCorvButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        state_ = ButtonPressed;
        if (style_ & ButtonStyle::Toggle) checked_ = !checked_;
        update();
    }
    QAbstractButton::mousePressEvent(event);
}

void CCorvButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        state_ = ButtonHover;
        update();
        // The parent may react by closing the page that holds this button.
        const QPointer<CCorvButton> self(this);
        notifyParent();
        if (!self) return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CCorvButton::notifyParent() {
    if (style_ & ButtonStyle::NotifyAdvance)
        sendWindowMessage(parentWidget(), WM_BUTTON_ADVANCE, 0, 0);
    else if (style_ & ButtonStyle::NotifyCode)
        sendWindowMessage(parentWidget(), WM_BUTTON_CODE, static_cast<std::uintptr_t>(notifyCode_), 0);
}

int CCorvButton::captionRoom() const {
    if (!(style_ & ButtonStyle::IconFace)) return width();
    if (!(style_ & ButtonStyle::IconBesideText)) return 0;
    return width() - icons_[0].width - 10;
}

void CCorvButton::setToggled(bool on) {
    if ((checked_ != 0) == on) return;
    checked_ = on;
    update();
    QAccessible::State changed;
    changed.checked = changed.expanded = changed.collapsed = true;
    announceStateChange(this, changed);
}

void CCorvButton::pressByKey() {
    if (!isEnabled() || !isVisible()) return;
    // In the order of a mouse click: the toggle flips on the press, the parent hears of it on
    // the release, then the click itself.
    if (style_ & ButtonStyle::Toggle) checked_ = !checked_;
    update();
    const QPointer<CCorvButton> self(this);
    notifyParent();
    if (self) click();
}

void CCorvButton::keyPressEvent(QKeyEvent* event) {
    switch (buttonKeyOf(*event)) {
        case ButtonKey::Press:
            // A held key presses once.
            if (!event->isAutoRepeat()) pressByKey();
            event->accept();
            return;
        case ButtonKey::Arrow: event->ignore(); return;
        case ButtonKey::Other: QAbstractButton::keyPressEvent(event); return;
    }
}

void CCorvButton::keyReleaseEvent(QKeyEvent* event) {
    // The press has done the click already.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
        event->accept();
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

void CCorvButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is a second press: a toggle flips again.
    mousePressEvent(event);
}

void CCorvButton::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    update();
}

void CCorvButton::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    update();
}

}  // namespace corvane
