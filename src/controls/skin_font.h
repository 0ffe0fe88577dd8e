#pragma once
// The skin's fonts are given in logical-font terms: a positive height is the cell height
// (ascent plus descent, the internal leading included), a negative one the character (em)
// height, and a nonzero width the average character width. Qt's pixel size is the em height,
// which for the bundled fonts is about nine tenths of the cell, so the height is converted from
// the family's own metrics, and the width is reached by stretching the font.
#include <QFont>
#include <QString>

namespace corvane {

// A height of 0 keeps the default size; a width of 0 keeps the font's own proportions.
QFont skinFont(const QString& family, int height, int averageWidth = 0, int weight = QFont::Normal);

// The Qt pixel size whose cell (ascent + descent) is closest to `cellHeight` for this font.
int pixelSizeForCellHeight(const QFont& font, int cellHeight);

}  // namespace corvane
