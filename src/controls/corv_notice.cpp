#include "controls/corv_notice.h"
#include "controls/accessible_announce.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_font.h"
#include "controls/skin_lines.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvane {

namespace {
constexpr int kMargin = 4;
}

CCorvNotice::CCorvNotice(QWidget* parent) : QWidget(parent), font_(skinFont(QStringLiteral("Arial"), 16, 8)) {
    NoEraseBackground(this);
    // The notice only informs: clicks and drags go to what lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CCorvNotice::setNotice(const QString& text) {
    text_ = text;
    update();
    announceNameChange(this);
}

int CCorvNotice::widthFor(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text) + 2 * kMargin;
}

void CCorvNotice::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemDC dc(target, rect());
    QPainter& p = dc.painter();
    fillSkinRect(p, rect(), ColourAccent);
    p.setFont(font_);
    p.setPen(ColourPanel);
    p.drawText(rect().adjusted(kMargin, 0, -kMargin, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

}  // namespace corvane
