#include "readings/recording_indicator.h"

#include <QEvent>
#include <QPainter>

#include "controls/accessible_announce.h"
#include "controls/palette.h"
#include "controls/skin_font.h"

namespace corvane {

CRecordingIndicator::CRecordingIndicator(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(skinFont(QStringLiteral("Arial"), -12));
    endTimer_.setSingleShot(true);
    connect(&endTimer_, &QTimer::timeout, this, [this] {
        wanted_ = false;
        hide();
    });
    window->installEventFilter(this);
    hide();
}

void CRecordingIndicator::showRecording(const QString& text) {
    endTimer_.stop();
    recording_ = true;
    text_ = text;
    wanted_ = true;
    place();
    update();
}

void CRecordingIndicator::showEnded(const QString& text) {
    recording_ = false;
    text_ = text;
    wanted_ = true;
    place();
    update();
    announceNameChange(this);
    endTimer_.start(kEndShownMs);
}

void CRecordingIndicator::place() {
    const int right = parentWidget()->width() - kRightMargin;
    const int width = std::min(kWidest, right - kLeftmost);
    if (!wanted_ || width < kNarrowest) {
        hide();
        return;
    }
    setGeometry(right - width, kTop, width, kHeight);
    show();
    raise();
}

bool CRecordingIndicator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) place();
    return QWidget::eventFilter(watched, event);
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
               fontMetrics().elidedText(text_, Qt::ElideMiddle, textRect.width()));
}

}  // namespace corvane
