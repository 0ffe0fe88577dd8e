#pragma once
// The skin's fixed colours. Every control keeps its own copies with these as defaults; owners
// override some of them.
#include <QColor>

namespace corvane {

inline const QColor ColourPanel{25, 25, 25};         // dialog bodies, backgrounds on dialogs and the main window
inline const QColor ColourPane{60, 60, 60};          // default backgrounds, plain panes, thumb hover face
inline const QColor ColourShade{50, 50, 50};         // scroll-bar track, spare button colours
inline const QColor ColourSlate{90, 90, 90};         // normal frame of buttons and caption buttons
inline const QColor ColourEdgeDark{100, 100, 100};   // bottom and left edges, normal caption, pressed scroll parts
inline const QColor ColourEdgeLight{200, 200, 200};  // top and right edges, static text
inline const QColor ColourAccent{255, 128, 64};      // caption band and frame, caption-button face, button faces
inline const QColor ColourGlyphDark{40, 40, 40};     // caption-button frame and hover glyph on dialogs
inline const QColor ColourHighlight{255, 255, 128};  // focus frame of buttons
inline const QColor ColourAlert{255, 0, 0};          // hover and pressed frame of buttons
inline const QColor ColourWhite{255, 255, 255};      // active caption, caption-button glyph
inline const QColor ColourBlack{0, 0, 0};            // scroll-bar thumb and arrow faces

// Channel-wise shading by p percent, in integer steps.
// Darken: c - floor(c * p / 100). Lighten: c + floor((255 - c) * p / 100).
QColor Darken(const QColor& colour, int percent);
QColor Lighten(const QColor& colour, int percent);

}  // namespace corvane
