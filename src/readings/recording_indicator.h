#pragma once
// The recording's mark in the main window's title band, right-aligned below the caption buttons
// where the window places nothing: a red dot with the rows written and the file while a
// recording runs, whatever the status line says meanwhile; when it ends, how it ended, for some
// seconds. Too narrow a window leaves no room, and the mark stays hidden.
#include <QTimer>
#include <QWidget>

namespace corvane {

class CRecordingIndicator : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeftmost = 610;  // right of the band's buttons
    static constexpr int kRightMargin = 15;
    static constexpr int kTop = 28, kHeight = 20;
    static constexpr int kWidest = 420, kNarrowest = 90;
    static constexpr int kEndShownMs = 10000;

    explicit CRecordingIndicator(QWidget* window);

    void showRecording(const QString& text);
    // Shown for kEndShownMs, then hidden.
    void showEnded(const QString& text);
    bool recordingShown() const { return recording_ && isVisible(); }
    const QString& text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QString text_;
    bool recording_ = false;
    bool wanted_ = false;
    QTimer endTimer_;
};

}  // namespace corvane
