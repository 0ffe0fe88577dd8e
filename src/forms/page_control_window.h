#pragma once
// Makes the window of one page control on the client form, by the control's type letter:
// 'b' button, 'c' choice box, 'e' edit field, 'l' list box, 'p' progress bar, 's' caption and
// value box, 't' text, 'x' read-only multi-line text.
#include "content/menu_record.h"

#include <QRect>
#include <QWidget>

namespace corvane {

// Button styles of page buttons: a text button (style byte 0) and an icon button.
unsigned pageButtonStyle(std::uint8_t styleByte);
inline constexpr int kPageButtonIconSize = 80;

// The new child of `form` at `rect`, shown, or nullptr for a letter without a window kind.
QWidget* createPageControlWindow(const PageControl& control, const QRect& rect, QWidget* form, int windowId);

}  // namespace corvane
