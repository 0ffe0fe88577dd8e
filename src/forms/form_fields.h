#pragma once
// The plain fields a page can hold: a single-line edit field ('e'), a read-only multi-line text
// field ('x') and a list box ('l'). Their texts are Windows-1252 bytes from the unit, shown
// decoded; what is read back for the unit is the same bytes unless the user changed the text.
// The edit field takes only what the unit can take back (WireTextValidator) and says so under
// the field when it refuses a character.
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>

#include <string>

namespace corvane {

class CCorvNotice;
class WireTextValidator;

// The unit's text fields show dark text on light grey: the edit field lighter than the
// read-only text.
inline const QColor kEditFieldBack{230, 230, 230};
inline const QColor kMemoFieldBack{180, 180, 180};
void setFieldColours(QWidget* field, const QColor& back);

class CFormEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFormEdit(QWidget* parent);
    ~CFormEdit() override;
    void setTextBytes(const std::string& bytes);
    std::string textBytes() const;

    // The longest text the user can type (one reply must carry it); negative: no limit.
    void setMaxBytes(int bytes);
    // The notice shown under the field, empty while none is shown.
    QString refusalNotice() const;

protected:
    // The notice goes when the user moves on or the field leaves the page.
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showNotice(const QString& text);
    void hideNotice();

    std::string bytes_;
    QString shown_;
    WireTextValidator* validator_ = nullptr;
    // A sibling, not a child, so that it may reach beyond the field; it goes with the field.
    QPointer<CCorvNotice> notice_;
};

class CFormMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CFormMemo(QWidget* parent);
    void setTextBytes(const std::string& bytes);
    std::string textBytes() const;

private:
    std::string bytes_;
    QString shown_;
};

class CFormListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CFormListBox(QWidget* parent);
    void addLine(const std::string& bytes);
    // The selected row, or -1 when no line is selected.
    int selectedRow() const;
    // The bytes of a line; empty for a row that does not exist.
    std::string lineBytes(int row) const;
    std::string selectedTextBytes() const { return lineBytes(selectedRow()); }
};

}  // namespace corvane
