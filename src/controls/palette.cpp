#include "controls/palette.h"

namespace corvane {

namespace {
int darkenChannel(int c, int percent) { return c - c * percent / 100; }
int lightenChannel(int c, int percent) { return c + (255 - c) * percent / 100; }
}  // namespace

QColor Darken(const QColor& colour, int percent) {
    return QColor(darkenChannel(colour.red(), percent), darkenChannel(colour.green(), percent),
                  darkenChannel(colour.blue(), percent));
}

QColor Lighten(const QColor& colour, int percent) {
    return QColor(lightenChannel(colour.red(), percent), lightenChannel(colour.green(), percent),
                  lightenChannel(colour.blue(), percent));
}

}  // namespace corvane
