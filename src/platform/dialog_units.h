#pragma once
// Dialog layouts are given in dialog units of the 8-point dialog font at 96 dpi; one shared
// conversion turns them into pixels.
#include <QRect>

namespace corvane {

constexpr int dialogUnitsToPixelsX(int du) { return du * 6 / 4; }
constexpr int dialogUnitsToPixelsY(int du) { return du * 13 / 8; }

// A rectangle given by its left, top, width and height in dialog units.
inline QRect dialogUnitsToPixels(int x, int y, int width, int height) {
    return QRect(dialogUnitsToPixelsX(x), dialogUnitsToPixelsY(y), dialogUnitsToPixelsX(width),
                 dialogUnitsToPixelsY(height));
}

}  // namespace corvane
