#include "controls/corv_static.h"
#include "controls/accessible_announce.h"
#include "controls/skin_font.h"

#include "controls/mem_dc.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "platform/cp1252.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvane {

CCorvStatic::CCorvStatic() : QWidget(nullptr), font_(labelFont()) { NoEraseBackground(this); }

QFont CCorvStatic::labelFont() { return skinFont(QStringLiteral("Arial"), 16, 8); }

int CCorvStatic::shownWidth(const std::string& bytes, const QFont& font) {
    return QFontMetrics(font).size(Qt::TextSingleLine | Qt::TextShowMnemonic, decodeCp1252(bytes)).width();
}

bool CCorvStatic::Create(const std::string& text, int left, int top, int right, int bottom, QWidget* parent, int id) {
    if (!parent) return false;
    id_ = id;
    setParent(parent);
    text_ = text;
    setGeometry(rectLTRB(left, top, right, bottom));
    show();
    return true;
}

void CCorvStatic::SetColours(const QColor& back, const QColor& text) {
    back_ = back;
    textColour_ = text;
}

void CCorvStatic::setText(const std::string& bytes) {
    text_ = bytes;
    update();
    announceNameChange(this);
}

void CCorvStatic::paintEvent(QPaintEvent*) {
    QString shown = decodeCp1252(std::string_view(text_).substr(0, kMaxShownCharacters));
    // CR LF, CR and LF each end a line.
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QPainter target(this);
    CMemDC dc(target, rect());
    QPainter& p = dc.painter();
    p.setFont(font_);
    p.setPen(textColour_);
    fillSkinRect(p, rect(), back_);
    // Line breaks in the text break the line; nothing else does. '&' underlines the next
    // character and "&&" shows one '&'. Whatever does not fit is clipped.
    p.setClipRect(rect());
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, shown);
}

}  // namespace corvane
