#include "forms/pane_corner.h"

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"

namespace corvane {

void paintScrollCorner(QPainter& target, const QRect& corner, const QColor& fill) {
    CMemDC dc(target, corner);
    QPainter& p = dc.painter();
    const int l = corner.left(), t = corner.top();
    const int r = l + corner.width(), b = t + corner.height();
    fillSkinRect(p, corner, fill);
    drawSkinPolyline(p, {{l, t}, {r - 1, t}, {r - 1, b - 1}}, ColourEdgeLight);
    drawSkinPolyline(p, {{l, t}, {l, b - 1}, {r, b - 1}}, ColourEdgeDark);
}

}  // namespace corvane
