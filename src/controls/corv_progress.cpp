#include "controls/corv_progress.h"
#include "controls/accessible_announce.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"

#include <QPainter>

#include <algorithm>

namespace corvane {

void drawBarFrame(QPainter& p, int width, int height) {
    const int r = width, b = height;
    drawSkinPolyline(p, {{0, 0}, {r - 1, 0}, {r - 1, b - 1}}, ColourEdgeLight);
    drawSkinPolyline(p, {{r - 1, b - 1}, {0, b - 1}, {0, 0}}, ColourEdgeDark);
}

CCorvProgress::CCorvProgress() : QWidget(nullptr) { NoEraseBackground(this); }

bool CCorvProgress::Create(int left, int top, int right, int bottom, QWidget* parent) {
    if (!parent) return false;
    setParent(parent);
    setGeometry(rectLTRB(left, top, right, bottom));
    hide();
    return true;
}

void CCorvProgress::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void CCorvProgress::SetPos(int value) {
    if (value > maximum_) value = maximum_;
    if (value < minimum_) value = minimum_;
    position_ = value;
    repaint();
    announceValueChange(this);
}

int CCorvProgress::barWidth() const {
    if (maximum_ == minimum_) return 0;
    const double share = static_cast<double>(position_ - minimum_) * (width() - 6) / (maximum_ - minimum_);
    // A reversed range or a narrow bar must not draw outside the frame.
    return std::clamp(static_cast<int>(share), 0, std::max(0, width() - 6));
}

void CCorvProgress::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemDC dc(target, rect());
    QPainter& p = dc.painter();
    fillSkinRect(p, rect(), ColourBlack);
    drawBarFrame(p, width(), height());
    fillSkinRect(p, rectLTRB(3, 2, 3 + barWidth(), height() - 2), ColourAccent);
}

}  // namespace corvane
