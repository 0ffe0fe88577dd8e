#pragma once
// CMenuWnd: the left-hand pane of the main window. It holds the function menu view in a
// scrolling frame with two skinned scroll bars, passes the view's item presses on to its parent,
// takes wheel turns on its vertical bar, and lets the user widen or narrow it by dragging the
// grip strip along its right edge.
#include "controls/corv_scroll_bar.h"
#include "platform/window_message.h"
#include "forms/corv_menu.h"

#include <QColor>
#include <QRect>
#include <QWidget>

#include <string>

namespace corvane {

class CMenuWnd : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    static constexpr int kGripWidth = 10;  // the strip along the right edge
    static constexpr int kBarThickness = 15;
    static constexpr int kDragZone = 7;      // rightmost pixels where a press starts a drag
    static constexpr int kMovesPerStep = 5;  // a drag resizes on every fifth mouse move
    // A drag never makes the pane narrower than this, so that the view and the grip stay
    // reachable, and never pushes its right edge closer than this to the parent's right edge.
    static constexpr int kMinimumWidth = 60;
    static constexpr int kParentReserve = 60;

    explicit CMenuWnd(QWidget* parent);
    ~CMenuWnd() override;

    // Passed straight on to the view.
    int insertBranch(const std::string& caption, int parentIndex);
    int insertLeaf(const std::string& caption, int command, int parentIndex, int icon, int iconWidth, int iconHeight);
    void clear() { view_->clear(); }
    void setBranchSize(int height, int width);
    void setLeafSize(int height, int width);
    void setIndent(int pixels);
    // The view's background; the menu window keeps a copy.
    void setBackColour(const QColor& colour);
    void setBranchFaceColour(const QColor& colour);

    // Scrolls as little as needed to show this rectangle of the view's unscrolled layout.
    void scrollToShow(const QRect& inLayout);

    CCorvMenu& view() { return *view_; }
    CCorvScrollBar& verticalBar() { return verticalBar_; }
    CCorvScrollBar& horizontalBar() { return horizontalBar_; }
    QRect cornerRect() const;
    QRect gripRect() const;
    bool isDragging() const { return dragging_; }
    int moveCounter() const { return moveCounter_; }
    int verticalPosition() const { return verticalPos_; }

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Children get the arrow, so that the grip's cursor never shows over them.
    void childEvent(QChildEvent* event) override;

private:
    bool inDragZone(int x) const;
    void placeBars();
    void contentSizeChanged(int widest, int total);
    void keepBarPosition(CCorvScrollBar& bar, int& previous, int& position, bool vertical);
    void scrollVertical();
    void scrollHorizontal();
    void dragStep(int x, int y);

    CCorvMenu* view_ = nullptr;  // a child window: goes with the menu window
    QRect viewRect_;
    CCorvScrollBar verticalBar_;
    CCorvScrollBar horizontalBar_;
    int moveCounter_ = 0;
    bool created_ = false;
    QColor back_{25, 25, 25};
    int verticalPos_ = 0;
    int previousVertical_ = 0;
    int horizontalPos_ = 0;
    int previousHorizontal_ = 0;
    bool dragging_ = false;
    QPoint anchor_;
};

}  // namespace corvane
