#pragma once
// Private messages exchanged between the program's own windows. The link's messages to the
// main window (0x401 and up) live in link/link_messages.h.
#include <cstdint>

namespace corvane {

// scroll bar -> its parent: the position may have changed; the parent reads it back.
inline constexpr std::uint32_t WM_SCROLL_VERT = 0x1788;
inline constexpr std::uint32_t WM_SCROLL_HORZ = 0x1789;
// main window -> pane -> its vertical scroll bar: wheel turned, wParam = signed amount
// (positive: towards the start).
inline constexpr std::uint32_t WM_SCROLL_WHEEL = 0x178A;
// function menu view -> menu window: layout changed (wParam widest right edge, lParam total height).
inline constexpr std::uint32_t WM_MENU_LAYOUT = 0x1B70;
// function menu view -> menu window -> main window: an item was pressed (wParam its id).
inline constexpr std::uint32_t WM_MENU_ITEM = 0x1B71;
// button -> its parent on release, for buttons made with NotifyAdvance.
inline constexpr std::uint32_t WM_BUTTON_ADVANCE = 0x2B10;
// button -> its parent on release, for buttons made with NotifyCode (wParam the 24-bit code).
inline constexpr std::uint32_t WM_BUTTON_CODE = 0x2B11;
// menu window -> main window: the menu pane's width was dragged.
inline constexpr std::uint32_t WM_MENU_EDGE = 0x464;
// transport key pad -> main window: a key-pad key (wParam its key code).
inline constexpr std::uint32_t WM_KEYPAD_KEY = 0x7E8;

}  // namespace corvane
