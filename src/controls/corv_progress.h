#pragma once
// CCorvProgress: an orange bar inside a bevelled frame showing how far an operation has gone.
#include <QColor>
#include <QPainter>
#include <QWidget>

namespace corvane {

class CCorvProgress : public QWidget {
    Q_OBJECT
public:
    CCorvProgress();

    // A hidden child at the rectangle (right and bottom exclusive); the owner shows it.
    bool Create(int left, int top, int right, int bottom, QWidget* parent);
    // Stores the range; nothing is redrawn.
    void SetRange(int minimum, int maximum);
    // Clamps the value to the range, stores it and redraws at once.
    void SetPos(int value);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    // Width of the orange bar for the current position and size.
    int barWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int maximum_ = 100;
    int minimum_ = 0;
    int position_ = 0;
};

// The bevel shared by the progress and busy bars: light top and right, dark bottom and left.
void drawBarFrame(QPainter& p, int width, int height);

}  // namespace corvane
