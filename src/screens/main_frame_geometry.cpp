#include "screens/main_frame_geometry.h"

#include <QRegularExpression>

#include "controls/skin_lines.h"

namespace corvane {

using namespace MainFrame;

MainFrameLayout mainFrameLayout(int W, int H, int menuWidth) {
    MainFrameLayout l;
    const int bandTop = H - kStatusBandHeight;
    l.titleBand = rectLTRB(0, 0, W, kTitleBandHeight);
    l.leftMargin = rectLTRB(0, kTitleBandHeight, kLeftMargin, bandTop);
    l.rightMargin = rectLTRB(W - kRightMargin, kTitleBandHeight, W, bandTop);
    l.statusBand = rectLTRB(0, bandTop, W, H);
    l.titleImage = rectLTRB(0, 0, kTitleImageWidth, kTitleImageHeight);
    l.accentBar = rectLTRB(280, 6, W - 5, 23);
    l.closeButton = QPoint(W - 21, 7);
    l.sizeButton = QPoint(W - 38, 7);
    l.minimiseButton = QPoint(W - 55, 7);
    l.comSettingButton = rectLTRB(325, 24, 450, 74);
    l.infoButton = rectLTRB(455, 24, 500, 74);
    l.menuPane = rectLTRB(kLeftMargin, kTitleBandHeight, kLeftMargin + menuWidth, bandTop);
    l.clientPane = clientPaneRect(l.menuPane.x() + l.menuPane.width(), W, H);
    l.statusLamp = rectLTRB(10, H - 24, 25, H - 9);
    l.statusText = rectLTRB(30, H - 25, W - 140, H - 8);
    l.busyBar = rectLTRB(W - 130, H - 25, W - 30, H - 8);
    return l;
}

QRect clientPaneRect(int menuRight, int W, int H) {
    return rectLTRB(menuRight, kTitleBandHeight, W - kRightMargin, H - kStatusBandHeight);
}

FrameDrag frameDragZone(int x, int y, int W, int H) {
    if (W - 8 < x && x < W - 4 && 30 < y && y < H - 18) return FrameDrag::Width;
    if (18 < x && x < W - 6 && H - 8 < y && y < H - 4) return FrameDrag::Height;
    if (W - 16 < x && x < W - 4 && H - 16 < y && y < H - 4) return FrameDrag::Corner;
    if (10 < x && x < W - 10 && 4 < y && y < 30) return FrameDrag::Move;
    return FrameDrag::None;
}

QRect draggedGeometry(const QRect& g, FrameDrag mode, int dx, int dy) {
    QRect r = g;
    switch (mode) {
        case FrameDrag::Move: r.translate(dx, dy); break;
        case FrameDrag::Corner:
            r.setRight(r.right() + dx);
            r.setBottom(r.bottom() + dy);
            break;
        case FrameDrag::Height: r.setBottom(r.bottom() + dy); break;
        case FrameDrag::Width: r.setRight(r.right() + dx); break;
        case FrameDrag::None: break;
    }
    return r;
}

std::optional<QRect> geometryFromText(const QString& text, const QRect& current, const QRect& screen) {
    // [=][<width>x<height>][{+-}<x>{+-}<y>]
    static const QRegularExpression pattern(
        QStringLiteral("^=?(?:(\\d{1,5})[xX](\\d{1,5}))?(?:([+-])(\\d{1,5})([+-])(\\d{1,5}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch() || text.trimmed().remove(QLatin1Char('=')).isEmpty()) return std::nullopt;
    QRect r = current;
    if (m.capturedLength(1)) {
        const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
        if (w <= 0 || h <= 0) return std::nullopt;
        r.setSize(QSize(w, h));
    }
    if (m.capturedLength(3)) {
        const int x = m.captured(4).toInt(), y = m.captured(6).toInt();
        r.moveLeft(m.captured(3) == QLatin1String("+") ? screen.left() + x
                                                       : screen.left() + screen.width() - x - r.width());
        r.moveTop(m.captured(5) == QLatin1String("+") ? screen.top() + y
                                                      : screen.top() + screen.height() - y - r.height());
    }
    return r;
}

bool placeIsReachable(const QRect& place, const QRect& screen) {
    const QRect band(place.left(), place.top(), place.width(), MainFrame::kTitleBandHeight);
    const QRect onScreen = band.intersected(screen);
    return place.width() > 0 && place.height() > 0 && onScreen.width() >= 100 && onScreen.height() >= 20;
}

}  // namespace corvane
