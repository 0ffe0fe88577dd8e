#include "shell/shell_message_box.h"

#include "controls/corv_button.h"
#include "controls/corv_message_box.h"
#include "controls/keyboard_focus.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "platform/cp1252.h"

#include <QFontMetrics>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace corvane {

CCorvNoticeBox::CCorvNoticeBox(const std::string& text, Kind kind, QWidget* owner)
    : CCorvDialog(kTemplateId, owner, true), font_(QStringLiteral("Arial")) {
    font_.setPixelSize(16);
    text_ = decodeCp1252(text);
    text_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setWindowTitle(QStringLiteral("CORVANE"));

    const int textWidth = kWidth - 2 * kTextMargin;
    const QRect needed = QFontMetrics(font_).boundingRect(QRect(0, 0, textWidth, 10000),
                                                          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
    textRect_ = QRect(kTextMargin, kTextTop, textWidth, needed.height());
    const int buttonTop = std::max(kMinHeight - 50, textRect_.bottom() + 1 + 15);
    const int height = buttonTop + kButtonHeight + 20;
    setFixedSize(kWidth, height);

    if (kind == YesNo || kind == YesNoPresetNo) {
        yes_ = makeButton(encodeCp1252(tr("YES")),
                          rectLTRB(20, buttonTop, 20 + kButtonWidth, buttonTop + kButtonHeight), IDOK);
        no_ = makeButton(encodeCp1252(tr("NO")),
                         rectLTRB(kWidth - 20 - kButtonWidth, buttonTop, kWidth - 20, buttonTop + kButtonHeight),
                         IDCANCEL);
        presetNo_ = kind == YesNoPresetNo;
        // The box hands the keys to the control focused before it is shown. NO shows the focus
        // mark, so that what Enter will do can be seen: once the window system has activated the
        // box, which clears the mark of a focus it hands out.
        if (presetNo_) {
            no_->setFocus(Qt::OtherFocusReason);
            no_->installEventFilter(this);
        }
    } else {
        const int left = (kWidth - kButtonWidth) / 2;
        ok_ = makeButton(encodeCp1252(tr("OK")),
                         rectLTRB(left, buttonTop, left + kButtonWidth, buttonTop + kButtonHeight), IDOK);
    }
    if (owner) move(CCorvMessageBox::centredOver(owner->window()->frameGeometry(), size()));
}

CCorvButton* CCorvNoticeBox::makeButton(const std::string& caption, const QRect& rect, int id) {
    auto* button = new CCorvButton;
    button->Create(caption, CCorvMessageBox::kButtonStyle, rect.left(), rect.top(), rect.left() + rect.width(),
                   rect.top() + rect.height(), this, id);
    button->SetBackColour(ColourPanel);
    button->SetFrameColours(ColourEdgeLight, ColourEdgeLight, ColourEdgeDark, ColourEdgeDark, ColourEdgeDark);
    button->SetFaceColours(ColourAccent, ColourAccent, ColourAccent, ColourEdgeDark);
    routeCommands(button);
    return button;
}

int CCorvNoticeBox::runModal() { return DoModal(); }

void CCorvNoticeBox::OnCommand(int id) {
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL || id == IDC_CLOSE_BUTTON) {
        OnCancel();
    } else {
        CCorvDialog::OnCommand(id);
    }
}

bool CCorvNoticeBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == no_ && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::OtherFocusReason)
            QMetaObject::invokeMethod(
                this, [this] { markKeyboardNavigation(no_); }, Qt::QueuedConnection);
    }
    return CCorvDialog::eventFilter(watched, event);
}

void CCorvNoticeBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && presetNo_ && focusWidget() != yes_) {
        OnCancel();
        return;
    }
    CCorvDialog::keyPressEvent(event);
}

void CCorvNoticeBox::paintEvent(QPaintEvent* event) {
    CCorvDialog::paintEvent(event);
    QPainter p(this);
    p.setFont(font_);
    p.setPen(ColourEdgeLight);
    p.drawText(textRect_, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
}

}  // namespace corvane
