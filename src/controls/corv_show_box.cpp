#include "controls/corv_show_box.h"
#include "controls/accessible_announce.h"
#include "controls/skin_font.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "platform/cp1252.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvane {

namespace {
constexpr int kCaptionTop = 2;
}  // namespace

CCorvShowBox::CCorvShowBox()
    : QWidget(nullptr),
      captionFont_(skinFont(QStringLiteral("Tahoma"), 12, 7)),
      valueFont_(skinFont(QStringLiteral("Arial"), 22, 10)) {
    NoEraseBackground(this);
}

bool CCorvShowBox::Create(int left, int top, int right, int bottom, QWidget* parent, int id) {
    if (!parent) return false;
    id_ = id;
    setParent(parent);
    setGeometry(rectLTRB(left, top, right, bottom));
    show();
    return true;
}

void CCorvShowBox::setCaption(const std::string& caption) { caption_ = caption.substr(0, kMaxCaption); }

void CCorvShowBox::setValue(const std::string& value) {
    value_ = value;
    repaint();
    announceValueChange(this);
}

CCorvShowBox::Split CCorvShowBox::splitCaption(const QString& caption, int wrapWidth,
                                               const std::function<int(const QString&)>& width) {
    if (width(caption) <= wrapWidth) return {caption, {}};
    for (qsizetype b = caption.size() - 1; b >= 1; --b) {
        if (caption[b] == QLatin1Char(' ') && width(caption.left(b)) < wrapWidth)
            return {caption.left(b), caption.mid(b + 1)};
    }
    return {{}, caption};
}

void CCorvShowBox::paintEvent(QPaintEvent*) {
    const int l = 0, t = 0, r = width(), b = height();
    wrapWidth_ = (r - l) / 2;
    QPainter target(this);
    CMemDC dc(target, rect());
    QPainter& p = dc.painter();
    fillSkinRect(p, rect(), ColourBlack);
    drawSkinPolyline(p, {{l, t}, {r - 1, t}, {r - 1, b - 1}}, ColourEdgeLight);
    drawSkinPolyline(p, {{r - 1, b - 1}, {l, b - 1}, {l, t}}, ColourEdgeDark);

    p.setFont(captionFont_);
    p.setPen(ColourEdgeLight);
    const QFontMetrics metrics(captionFont_);
    const Split split = splitCaption(decodeCp1252(caption_), wrapWidth_,
                                     [&](const QString& text) { return metrics.horizontalAdvance(text); });
    line1_ = split.line1;
    line2_ = split.line2;
    const int flags = Qt::TextSingleLine | Qt::TextDontClip;
    // Line 1 hangs two pixels below the top frame line, which has the caption's colour: a
    // capital touching it would merge with it ("T" reading as "l"). Line 2 stands on
    // bottom - 3; the value stands on the bottom.
    p.drawText(QRect(l + 2, t + kCaptionTop, r, b), Qt::AlignLeft | Qt::AlignTop | flags, line1_);
    p.drawText(QRect(l + 2, t, r, b - 3 - t), Qt::AlignLeft | Qt::AlignBottom | flags, line2_);
    p.setFont(valueFont_);
    p.setPen(ColourWhite);
    p.drawText(QRect(l, t, r - 2 - l, b - t), Qt::AlignRight | Qt::AlignBottom | flags, decodeCp1252(value_));
}

}  // namespace corvane
