#pragma once
// Helpers shared by every own window: no background erase, and the plain pane paint.
#include <QWidget>

namespace corvane {

// The widget paints every pixel itself through an off-screen surface: Qt neither fills its
// background before a paint nor expects it to be transparent.
void NoEraseBackground(QWidget* widget);

// Paints the widget's whole client area in ColourPane through one off-screen surface. For use
// from a paintEvent.
void PaintPlainPane(QWidget* widget);

}  // namespace corvane
