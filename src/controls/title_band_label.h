#pragma once
// A line of text of the main window's own in its title band: right-aligned right of the band's
// buttons, where the window places nothing, and moved with every resize of the window. Too
// narrow a window leaves no room, and the line stays hidden. Subclasses say when they are wanted
// and paint what they show; mouse clicks go through to the band.
#include <QWidget>

namespace corvane {

class CTitleBandLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeftmost = 610;  // right of the band's buttons
    static constexpr int kRightMargin = 15;
    static constexpr int kHeight = 20;
    static constexpr int kWidest = 420, kNarrowest = 90;

    // top: the line's place from the top of the band (the band ends at 75).
    CTitleBandLabel(QWidget* window, int top);

    const QString& text() const { return text_; }

protected:
    // Shows or hides the line as wanted() says and room allows, at its place for the window's
    // current width.
    void place();
    virtual bool wanted() const = 0;
    void setShownText(const QString& text) { text_ = text; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString text_;
    int top_;
};

}  // namespace corvane
