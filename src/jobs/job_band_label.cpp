#include "jobs/job_band_label.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

#include "controls/palette.h"
#include "controls/skin_font.h"

namespace corvane {

CJobBandLabel::CJobBandLabel(QWidget* window) : QWidget(window) {
    // The band under it still takes the clicks (nothing to press here; the job button is left).
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(skinFont(QStringLiteral("Arial"), -12));
    window->installEventFilter(this);
    hide();
}

void CJobBandLabel::setText(const QString& text, bool warning) {
    text_ = text;
    warning_ = warning;
    setAccessibleName(text);
    place();
    update();
}

void CJobBandLabel::place() {
    const int right = parentWidget()->width() - kRightMargin;
    const int width = std::min(kWidest, right - kLeftmost);
    if (text_.isEmpty() || width < kNarrowest) {
        hide();
        return;
    }
    setGeometry(right - width, kTop, width, kHeight);
    show();
}

bool CJobBandLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) place();
    return QWidget::eventFilter(watched, event);
}

void CJobBandLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColourPanel);
    p.setPen(warning_ ? ColourAccent : ColourEdgeLight);
    p.drawText(rect(), Qt::AlignVCenter | Qt::AlignRight, fontMetrics().elidedText(text_, Qt::ElideMiddle, width()));
}

}  // namespace corvane
