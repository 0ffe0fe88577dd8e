#include "readings/recording_indicator.h"

#include <QPainter>

#include "controls/accessible_announce.h"
#include "controls/palette.h"

namespace corvane {

CRecordingIndicator::CRecordingIndicator(QWidget* window) : CTitleBandLabel(window, kTop) {
    endTimer_.setSingleShot(true);
    connect(&endTimer_, &QTimer::timeout, this, [this] {
        wanted_ = false;
        hide();
    });
}

void CRecordingIndicator::showRecording(const QString& text) {
    endTimer_.stop();
    recording_ = true;
    setShownText(text);
    wanted_ = true;
    place();
    update();
}

void CRecordingIndicator::showEnded(const QString& text) {
    recording_ = false;
    setShownText(text);
    wanted_ = true;
    place();
    update();
    announceNameChange(this);
    endTimer_.start(kEndShownMs);
}

void CRecordingIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int dot = height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(recording_ ? ColourAlert : ColourEdgeDark);
    p.drawEllipse(QRect(2, (height() - dot) / 2, dot, dot));
    p.setPen(ColourWhite);
    const QRect textRect = rect().adjusted(dot + 8, 0, 0, 0);
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(text(), Qt::ElideMiddle, textRect.width()));
}

}  // namespace corvane
