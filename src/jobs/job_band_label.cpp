#include "jobs/job_band_label.h"

#include <QPainter>

#include "controls/palette.h"

namespace corvane {

CJobBandLabel::CJobBandLabel(QWidget* window) : CTitleBandLabel(window, kTop) {}

void CJobBandLabel::setText(const QString& text, bool warning) {
    setShownText(text);
    warning_ = warning;
    setAccessibleName(text);
    place();
    update();
}

void CJobBandLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColourPanel);
    p.setPen(warning_ ? ColourAccent : ColourEdgeLight);
    p.drawText(rect(), Qt::AlignVCenter | Qt::AlignRight, fontMetrics().elidedText(text(), Qt::ElideMiddle, width()));
}

}  // namespace corvane
