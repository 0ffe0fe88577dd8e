#pragma once
// CCorvWorkBar: the busy bar. While started, three orange blocks run from left to right through
// a bevelled frame, 10 px every 50 ms, and start again from the left.
#include <QBasicTimer>
#include <QWidget>

#include <vector>

namespace corvane {

class CCorvWorkBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerId = 1;  // the animation timer
    static constexpr int kPeriodMs = 50;
    static constexpr int kStartPosition = -40;
    static constexpr int kStep = 10;

    CCorvWorkBar();

    bool Create(int left, int top, int right, int bottom, QWidget* parent);
    // Starts (or restarts) the animation; the blocks continue from where they stopped.
    void Start();
    void Stop();
    bool isRunning() const { return timer_.isActive(); }

    int blockPosition() const { return position_; }
    // Advances the blocks by one step, as a timer tick does, and draws at once.
    void advance();

    // The block spans (left, right exclusive) that a drawing at `position` shows for inner
    // width `innerWidth`.
    struct Span {
        int left;
        int right;
    };
    static std::vector<Span> blockSpans(int position, int innerWidth);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int position_ = kStartPosition;
    int lastDrawn_ = kStartPosition;
    int innerWidth_ = 100;
    QBasicTimer timer_;
};

}  // namespace corvane
