#pragma once
// The off-screen surface through which every own window paints: the caller draws in the
// target's own coordinates, and the picture reaches the target in one copy when the surface
// ends. On a printer the surface draws straight into the target.
#include <QImage>
#include <QPainter>
#include <QRect>

#include <optional>

namespace corvane {

class CMemDC {
public:
    // Covers the target's clip box (or the whole device when the target does not clip).
    explicit CMemDC(QPainter& target);
    // Covers `rect`, in the target's logical coordinates.
    CMemDC(QPainter& target, const QRect& rect);
    ~CMemDC();

    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The painter to draw with; it starts with the target's pen, brush, font and background.
    QPainter& painter() { return offScreen_ ? *surface_ : target_; }
    QPainter* operator->() { return &painter(); }

    const QRect& rect() const { return rect_; }
    bool isOffScreen() const { return offScreen_; }

private:
    void begin();

    QPainter& target_;
    QRect rect_;
    bool offScreen_;
    QImage image_;
    std::optional<QPainter> surface_;
};

}  // namespace corvane
