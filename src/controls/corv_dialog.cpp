#include "controls/corv_dialog.h"

#include "controls/corv_button.h"
#include "controls/corv_sys_button.h"
#include "controls/keyboard_focus.h"
#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "controls/system_drag.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvane {

CCorvDialog::CCorvDialog(int templateId, QWidget* parent, bool captionButtons)
    : MessageWindow<QDialog>(parent, Qt::Dialog | Qt::FramelessWindowHint),
      templateId_(templateId),
      captionButtons_(captionButtons) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    trackKeyboardFocus();
    takeFocusWhenShown(this);
}

CCorvDialog::~CCorvDialog() = default;

int CCorvDialog::DoModal() {
    modal_ = true;
    return exec();
}

void CCorvDialog::OnOK() { done(IDOK); }

void CCorvDialog::OnCancel() { done(IDCANCEL); }

void CCorvDialog::OnCommand(int id) {
    if (id == IDC_CLOSE_BUTTON) {
        OnCancel();
    } else if (id == IDC_MINIMISE_BUTTON) {
        showMinimized();
        // A modal dialog blocks its owner, so the owner goes down with it.
        if (modal_ && parentWidget()) parentWidget()->window()->showMinimized();
    }
}

void CCorvDialog::routeCommands(CCorvButton* button) {
    connect(button, &CCorvButton::command, this, [this](int id) { OnCommand(id); });
}

void CCorvDialog::createCaptionButtons() {
    auto make = [this](int kind, int id) {
        auto* button = new CCorvSysButton;
        button->Create(kind, 0, 0, kCaptionButtonSize, this, id);
        button->SetFaceColour(ColourAccent);
        button->SetStateColours(ColourGlyphDark, ColourAccent, ColourEdgeDark, ColourGlyphDark);
        connect(button, &CCorvSysButton::command, this, [this](int command) { OnCommand(command); });
        return button;
    };
    closeButton_ = make(SysButtonClose, IDC_CLOSE_BUTTON);
    minimiseButton_ = make(SysButtonMinimise, IDC_MINIMISE_BUTTON);
}

void CCorvDialog::paintEvent(QPaintEvent*) {
    const int l = 0, t = 0, r = width(), b = height();
    {
        QPainter target(this);
        CMemDC dc(target, rect());
        QPainter& p = dc.painter();
        fillSkinRect(p, rectLTRB(l + 2, t + 2, r - 2, b - 2), ColourPanel);
        fillSkinRect(p, rectLTRB(l, t, r, t + kCaptionBandHeight), ColourAccent);
        drawSkinPolyline(p, {{l + 2, t + 24}, {l + 2, b - 2}, {r - 2, b - 2}, {r - 2, t + 24}}, ColourAccent, 4);
        drawSkinPolyline(p, {{l, t}, {r - 1, t}, {r - 1, b - 1}}, ColourEdgeLight);
        drawSkinPolyline(p, {{r - 1, b - 1}, {l, b - 1}, {l, t}}, ColourEdgeDark);
    }
    if (!closeButton_) createCaptionButtons();
    closeButton_->SetPosition(r - 21, t + 5);
    minimiseButton_->SetPosition(r - 40, t + 5);
    if (!captionButtons_) {
        closeButton_->hide();
        minimiseButton_->hide();
    }
}

void CCorvDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionBandHeight) {
        // The window system moves the dialog where it can; otherwise the dialog follows the
        // pointer itself.
        dragging_ = !startSystemMove(*this);
        dragAnchor_ = event->position().toPoint();
    }
    QDialog::mousePressEvent(event);
}

void CCorvDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        // The anchor stays: the point of the dialog that was grabbed follows the pointer.
        move(pos() + event->position().toPoint() - dragAnchor_);
    }
    QDialog::mouseMoveEvent(event);
}

void CCorvDialog::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

void CCorvDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter presses the focused button (the skinned buttons take it themselves),
            // otherwise it is the dialog's OK.
            if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()); button && button->window() == this)
                button->click();
            else
                OnOK();
            return;
        case Qt::Key_Up:
        case Qt::Key_Left:
        case Qt::Key_Down:
        case Qt::Key_Right:
            // The arrows step through the buttons like Tab and Shift+Tab.
            focusNextPrevChild(event->key() == Qt::Key_Down || event->key() == Qt::Key_Right);
            return;
        default: QDialog::keyPressEvent(event); return;  // Escape ends with reject(), that is OnCancel
    }
}

}  // namespace corvane
