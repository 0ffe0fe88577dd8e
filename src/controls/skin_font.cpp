#include "controls/skin_font.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {
// Metrics are read at a large size, where the font engine's rounding does not matter.
constexpr int kProbePixels = 1000;
constexpr int kMaxStretch = 4000;  // Qt's limit
}  // namespace

int pixelSizeForCellHeight(const QFont& font, int cellHeight) {
    QFont probe(font);
    probe.setPixelSize(kProbePixels);
    const QFontMetricsF metrics(probe);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) return std::max(1, cellHeight);
    return std::max(1, static_cast<int>(std::lround(cellHeight * kProbePixels / cell)));
}

QFont skinFont(const QString& family, int height, int averageWidth, int weight) {
    QFont font(family);
    font.setWeight(static_cast<QFont::Weight>(weight));
    if (height > 0)
        font.setPixelSize(pixelSizeForCellHeight(font, height));
    else if (height < 0)
        font.setPixelSize(-height);
    if (averageWidth > 0) {
        const qreal natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0) {
            const auto stretch = static_cast<int>(std::lround(100.0 * averageWidth / natural));
            font.setStretch(std::clamp(stretch, 1, kMaxStretch));
        }
    }
    return font;
}

}  // namespace corvane
