#pragma once
// The recording's mark in the main window's title band: a red dot with the rows written and the
// file while a recording runs, whatever the status line says meanwhile; when it ends, how it
// ended, for some seconds.
#include <QTimer>

#include "controls/title_band_label.h"

namespace corvane {

class CRecordingIndicator : public CTitleBandLabel {
    Q_OBJECT
public:
    static constexpr int kTop = 28;
    static constexpr int kEndShownMs = 10000;

    explicit CRecordingIndicator(QWidget* window);

    void showRecording(const QString& text);
    // Shown for kEndShownMs, then hidden.
    void showEnded(const QString& text);
    bool recordingShown() const { return recording_ && isVisible(); }

protected:
    bool wanted() const override { return wanted_; }
    void paintEvent(QPaintEvent* event) override;

private:
    bool recording_ = false;
    bool wanted_ = false;
    QTimer endTimer_;
};

}  // namespace corvane
