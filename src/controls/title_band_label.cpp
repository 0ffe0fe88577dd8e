#include "controls/title_band_label.h"

#include <QEvent>

#include <algorithm>

#include "controls/skin_font.h"

namespace corvane {

CTitleBandLabel::CTitleBandLabel(QWidget* window, int top) : QWidget(window), top_(top) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(skinFont(QStringLiteral("Arial"), -12));
    window->installEventFilter(this);
    hide();
}

void CTitleBandLabel::place() {
    const int right = parentWidget()->width() - kRightMargin;
    const int width = std::min(kWidest, right - kLeftmost);
    if (!wanted() || width < kNarrowest) {
        hide();
        return;
    }
    setGeometry(right - width, top_, width, kHeight);
    show();
    raise();
}

bool CTitleBandLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) place();
    return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
