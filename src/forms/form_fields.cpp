#include "forms/form_fields.h"

#include "controls/corv_notice.h"
#include "controls/keyboard_focus.h"
#include "controls/wire_text_validator.h"
#include "platform/cp1252.h"

#include <QByteArray>
#include <QPalette>

#include <algorithm>

namespace corvane {

namespace {
constexpr int kBytesRole = Qt::UserRole + 1;
constexpr int kNoticeHeight = 18;
constexpr int kNoticeGap = 2;
}  // namespace

void setFieldColours(QWidget* field, const QColor& back) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
}

CFormEdit::CFormEdit(QWidget* parent) : QLineEdit(parent), validator_(new WireTextValidator(this)) {
    setValidator(validator_);
    showKeyboardFocusOn(this);
    connect(validator_, &WireTextValidator::refused, this,
            [this](const QString& c) { showNotice(WireTextValidator::refusalNotice(c)); });
    connect(validator_, &WireTextValidator::limitReached, this,
            [this](int n) { showNotice(WireTextValidator::limitNotice(n)); });
    // The notice goes once the user types something the field accepts.
    connect(this, &QLineEdit::textEdited, this, [this] { hideNotice(); });
}

CFormEdit::~CFormEdit() { delete notice_.data(); }

void CFormEdit::setTextBytes(const std::string& bytes) {
    bytes_ = bytes;
    // The unit's own text stands as it is, whatever it holds; only what the user adds is checked.
    validator_->tolerate(decodeCp1252(bytes));
    setText(decodeCp1252(bytes));
    // Kept as the field shows it, which may differ from the decoded text (line breaks).
    shown_ = text();
}

std::string CFormEdit::textBytes() const { return text() == shown_ ? bytes_ : encodeCp1252(text()); }

void CFormEdit::setMaxBytes(int bytes) { validator_->setMaxLength(bytes); }

QString CFormEdit::refusalNotice() const { return notice_ && !notice_->isHidden() ? notice_->notice() : QString(); }

void CFormEdit::focusOutEvent(QFocusEvent* event) {
    hideNotice();
    QLineEdit::focusOutEvent(event);
}

void CFormEdit::hideEvent(QHideEvent* event) {
    hideNotice();
    QLineEdit::hideEvent(event);
}

void CFormEdit::showNotice(const QString& text) {
    QWidget* area = parentWidget();
    if (!area) return;
    if (!notice_) notice_ = new CCorvNotice(area);
    notice_->setNotice(text);
    // Under the field, or over it when the field sits at the bottom; as wide as the text needs
    // and no wider than the area.
    const QRect field = geometry();
    const int width = std::min(std::max(field.width(), notice_->widthFor(text)), area->width());
    const int left = std::clamp(field.left(), 0, std::max(0, area->width() - width));
    int top = field.bottom() + 1 + kNoticeGap;
    if (top + kNoticeHeight > area->height()) top = std::max(0, field.top() - kNoticeGap - kNoticeHeight);
    notice_->setGeometry(left, top, width, kNoticeHeight);
    notice_->raise();
    notice_->show();
}

void CFormEdit::hideNotice() {
    if (notice_) notice_->hide();
}

CFormMemo::CFormMemo(QWidget* parent) : QPlainTextEdit(parent) { showKeyboardFocusOn(this); }

void CFormMemo::setTextBytes(const std::string& bytes) {
    bytes_ = bytes;
    setPlainText(decodeCp1252(bytes));
    shown_ = toPlainText();
}

std::string CFormMemo::textBytes() const {
    const QString now = toPlainText();
    return now == shown_ ? bytes_ : encodeCp1252(now);
}

CFormListBox::CFormListBox(QWidget* parent) : QListWidget(parent) { showKeyboardFocusOn(this); }

void CFormListBox::addLine(const std::string& bytes) {
    auto* item = new QListWidgetItem(decodeCp1252(bytes), this);
    item->setData(kBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

int CFormListBox::selectedRow() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

std::string CFormListBox::lineBytes(int row) const {
    const QListWidgetItem* line = item(row);
    if (!line) return {};
    const QByteArray bytes = line->data(kBytesRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace corvane
