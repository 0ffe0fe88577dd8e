#pragma once
// CCorvScrollBar: the skin's 15-pixel scroll bar, vertical or horizontal. It keeps an integer
// position within a range and a page, steps by lines and pages with auto-repeat while the mouse
// button is held, lets the user drag the thumb, takes wheel steps from its parent
// (WM_SCROLL_WHEEL), and tells its parent after changes with WM_SCROLL_VERT or WM_SCROLL_HORZ;
// the parent then reads GetPos().
#include "controls/palette.h"
#include "platform/window_message.h"

#include <QBasicTimer>
#include <QRect>
#include <QWidget>

namespace corvane {

enum ScrollOrientation { ScrollVertical = 0, ScrollHorizontal = 1 };

class CCorvScrollBar : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    static constexpr int kThickness = 15;
    static constexpr int kAutoRepeatTimerId = 1000;  // the auto-repeat timer
    static constexpr int kAutoRepeatMs = 100;
    static constexpr int kLineStep = 5;
    static constexpr int kPageStep = 20;

    enum PartState { PartNormal = 0, PartHover = 1, PartPressed = 2 };

    CCorvScrollBar();

    // Makes the bar a hidden child of parent; the parent places and shows it.
    bool Create(ScrollOrientation orientation, QWidget* parent);
    // Lays the bar along the right (vertical) or bottom (horizontal) edge of the rectangle
    // (left, top, exclusive right and bottom), leaving the 15 x 15 corner free.
    void Place(int left, int top, int right, int bottom);
    void SetRange(int min, int max, int page);
    void SetPos(int value);
    int GetPos() const { return pos_; }

    ScrollOrientation orientation() const { return orientation_; }
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    int page() const { return page_; }
    // The highest position: max - page - min, never below min.
    int maxPos() const;
    int thumbLength() const { return thumbLength_; }
    // Thumb rectangle in client coordinates, where the last paint, step or drag left it.
    QRect thumbRect() const { return thumb_; }
    bool isDragging() const { return dragging_; }
    bool isAutoRepeating() const { return repeatTimer_.isActive(); }
    // Qt's id of the running auto-repeat timer (0 when stopped), for delivering its ticks.
    int autoRepeatQtTimerId() const { return repeatTimer_.timerId(); }
    PartState thumbState() const { return static_cast<PartState>(thumbState_); }
    PartState upArrowState() const { return static_cast<PartState>(upState_); }
    PartState downArrowState() const { return static_cast<PartState>(downState_); }

    QColor trackColour = ColourShade;
    QColor arrowGlyphColour = ColourAccent;

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    enum class Zone { None, Thumb, UpArrow, DownArrow, PageUp, PageDown };
    enum class Step { LineUp, LineDown, PageUp, PageDown };

    int extent() const;
    int along(const QPoint& point) const;
    int thumbStart() const;
    int thumbEnd() const;
    Zone zoneAt(int v) const;
    void computeThumbLength();
    void positionThumb();
    void applyStep(Step step);
    void notifyParent();
    void clearRepeat();
    void drawNow();
    void draw(QPainter& p) const;
    void drawVertical(QPainter& p) const;
    void drawHorizontal(QPainter& p) const;

    float ratio_ = 1.0f;
    QColor thumbFaces_[3] = {ColourBlack, ColourPane, ColourEdgeDark};
    QColor arrowFaces_[3] = {ColourBlack, ColourPane, ColourEdgeDark};
    QRect thumb_;
    ScrollOrientation orientation_ = ScrollVertical;
    int min_ = 0;
    int max_ = 1000;
    int page_ = 10;
    int pos_ = 0;
    int thumbLength_ = 40;
    bool repeatPageUp_ = false;
    bool repeatPageDown_ = false;
    bool repeatLineUp_ = false;
    bool repeatLineDown_ = false;
    bool inactive_ = true;
    bool dragging_ = false;
    QPoint lastMouse_;
    int thumbState_ = PartNormal;
    int downState_ = PartNormal;
    int upState_ = PartNormal;
    QBasicTimer repeatTimer_;
    bool paintFromHandler_ = false;
};

}  // namespace corvane
