#include "controls/skin_faces.h"

#include "controls/palette.h"
#include "controls/skin_lines.h"

namespace corvane {

namespace {

enum class Shade { Lighten, Darken };

QColor shade(const QColor& colour, Shade how, int percent) {
    return how == Shade::Lighten ? Lighten(colour, percent) : Darken(colour, percent);
}

// The four edges share their geometry between the two faces; only the shading differs.
struct EdgeShading {
    Shade how;
    int percent;
};

void drawEdges(QPainter& p, int l, int t, int r, int b, const QColor& base, EdgeShading top, EdgeShading bottom,
               EdgeShading left, EdgeShading right) {
    QColor k = base;
    for (int i = 0; i <= 5; ++i) {
        k = shade(k, top.how, top.percent);
        drawSkinLine(p, {l + 5 - i, t + 5 - i}, {r - 5 + i, t + 5 - i}, k);
    }
    k = base;
    for (int i = 0; i <= 4; ++i) {
        k = shade(k, bottom.how, bottom.percent);
        drawSkinLine(p, {l + 5 - i, b - 5 + i}, {r - 5 + i, b - 5 + i}, k);
    }
    k = base;
    for (int i = 0; i <= 5; ++i) {
        k = shade(k, left.how, left.percent);
        drawSkinLine(p, {l + 5 - i, t + 5 - i}, {l + 5 - i, b - 5 + i}, k);
    }
    k = base;
    for (int i = 0; i <= 4; ++i) {
        k = shade(k, right.how, right.percent);
        drawSkinLine(p, {r - 5 + i, t + 5 - i}, {r - 5 + i, b - 5 + i}, k);
    }
}

}  // namespace

void drawRaisedFace(QPainter& p, int l, int t, int r, int b, const QColor& base) {
    fillSkinRect(p, rectLTRB(l, t, r, b), base);
    drawEdges(p, l, t, r, b, base, {Shade::Lighten, 5}, {Shade::Darken, 10}, {Shade::Darken, 10}, {Shade::Lighten, 5});
}

void drawSunkenFace(QPainter& p, int l, int t, int r, int b, const QColor& base) {
    const QColor d = Darken(base, 15);
    fillSkinRect(p, rectLTRB(l, t, r, b), d);
    drawEdges(p, l, t, r, b, d, {Shade::Darken, 10}, {Shade::Lighten, 2}, {Shade::Lighten, 2}, {Shade::Darken, 10});
}

}  // namespace corvane
