#pragma once
// CClientWnd: the right-hand pane of the main window, a scrolling viewport onto the page form.
// It holds the client area (with the form) and a vertical and a horizontal skinned scroll bar,
// and paints the square where the bars meet. It places, scrolls and forwards; it knows nothing
// of the unit.
#include "controls/corv_scroll_bar.h"
#include "forms/client_area_wnd.h"
#include "platform/window_message.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace corvane {

class CClientWnd : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    static constexpr int kBarThickness = 15;

    // Page-button codes go to `parent` until setTarget names another window.
    explicit CClientWnd(QWidget* parent);
    ~CClientWnd() override;

    void addControl(const PageControl& control) { area_->addControl(control); }
    void removeControl(const PageControl& control) { area_->removeControl(control); }
    // Both bars and the form back to offset 0.
    void resetScroll();
    // Scrolls as little as needed to show this rectangle of the form (the keyboard's focus).
    void scrollToShow(const QRect& inForm);
    // Where WM_BUTTON_CODE from page buttons goes, with its code unchanged.
    void setTarget(QObject* target) { area_->setTarget(target); }

    CClientForm& form() { return area_->form(); }
    CClientAreaWnd& area() { return *area_; }
    CCorvScrollBar& verticalBar() { return verticalBar_; }
    CCorvScrollBar& horizontalBar() { return horizontalBar_; }
    QRect areaRect() const { return areaRect_; }
    QSize formSize() const { return formSize_; }
    QRect cornerRect() const;
    // The offset by which the form is scrolled: it lies at (-x, -y) in the area.
    QPoint scrollOffset() const { return QPoint(previousHorizontal_, previousVertical_); }

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void placeBars();
    void scrollVertical();
    void scrollHorizontal();

    CClientAreaWnd* area_ = nullptr;  // a child window; destroyed after both bars
    QSize formSize_;
    QRect areaRect_;
    CCorvScrollBar verticalBar_;
    CCorvScrollBar horizontalBar_;
    bool created_ = false;
    QColor cornerColour_{0, 0, 0};
    int verticalPos_ = 0;
    int previousVertical_ = 0;
    int horizontalPos_ = 0;
    int previousHorizontal_ = 0;
};

}  // namespace corvane
