#include "forms/form_fields.h"

#include "platform/cp1252.h"

#include <QByteArray>

namespace corvane {

namespace {
constexpr int kBytesRole = Qt::UserRole + 1;
}

CFormEdit::CFormEdit(QWidget* parent) : QLineEdit(parent) {}

void CFormEdit::setTextBytes(const std::string& bytes) {
    bytes_ = bytes;
    setText(decodeCp1252(bytes));
    // Kept as the field shows it, which may differ from the decoded text (line breaks).
    shown_ = text();
}

std::string CFormEdit::textBytes() const { return text() == shown_ ? bytes_ : encodeCp1252(text()); }

CFormMemo::CFormMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void CFormMemo::setTextBytes(const std::string& bytes) {
    bytes_ = bytes;
    setPlainText(decodeCp1252(bytes));
    shown_ = toPlainText();
}

std::string CFormMemo::textBytes() const {
    const QString now = toPlainText();
    return now == shown_ ? bytes_ : encodeCp1252(now);
}

CFormListBox::CFormListBox(QWidget* parent) : QListWidget(parent) {}

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
