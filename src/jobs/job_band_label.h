#pragma once
// The current job's vehicle and customer in the main window's title band: right of the band's
// buttons and below the recording's mark, where the window places nothing. Too narrow a window
// leaves no room, and the text stays hidden (the job button's tool tip says it as well).
#include <QWidget>

namespace corvane {

class CJobBandLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeftmost = 610;  // right of the band's buttons, as the recording's mark
    static constexpr int kRightMargin = 15;
    static constexpr int kTop = 52, kHeight = 20;  // under the mark (28..48), above the band's end (75)
    static constexpr int kWidest = 420, kNarrowest = 90;

    explicit CJobBandLabel(QWidget* window);

    void setText(const QString& text, bool warning);
    const QString& text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QString text_;
    bool warning_ = false;
};

}  // namespace corvane
