#pragma once
// The read side of the accessibility text interface for controls that draw their own text: a
// screen reader reads the text by characters, words or lines and hears it when it changes.
// Nothing can be selected or edited; the caret stays at the start.
#include <QAccessibleTextInterface>
#include <QString>

namespace corvane {

class ReadOnlyAccessibleText : public QAccessibleTextInterface {
public:
    // The whole text the control shows, as a listener should hear it.
    virtual QString shownText() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
};

// A control's text as a listener hears it: '&' marks of mnemonics dropped ("&&" stays one '&'),
// line breaks read as spaces.
QString spokenText(QString text);

}  // namespace corvane
