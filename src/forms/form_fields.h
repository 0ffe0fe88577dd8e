#pragma once
// The plain fields a page can hold: a single-line edit field ('e'), a read-only multi-line text
// field ('x') and a list box ('l'). Their texts are Windows-1252 bytes from the unit, shown
// decoded; what is read back for the unit is the same bytes unless the user changed the text.
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QString>

#include <string>

namespace corvane {

class CFormEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFormEdit(QWidget* parent);
    void setTextBytes(const std::string& bytes);
    std::string textBytes() const;

private:
    std::string bytes_;
    QString shown_;
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
