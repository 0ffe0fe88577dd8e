#pragma once
// CCorvNotice: a one-line notice in the skin's accent colours, telling the user why a typed
// character did not go in. Unlike CCorvStatic it shows any character, not only the unit's code
// page: the notice names characters the unit has no byte for.
#include <QFont>
#include <QString>
#include <QWidget>

namespace corvane {

class CCorvNotice : public QWidget {
    Q_OBJECT
public:
    explicit CCorvNotice(QWidget* parent);

    // Shows the text (an empty text hides the notice's words but leaves it in place).
    void setNotice(const QString& text);
    const QString& notice() const { return text_; }
    // Width that shows `text` whole, margins included.
    int widthFor(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont font_;
    QString text_;
};

}  // namespace corvane
