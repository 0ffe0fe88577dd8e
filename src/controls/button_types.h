#pragma once
// Flags and states shared by the skin's buttons.

namespace corvane {

// Bits of a CCorvButton's style word, fixed at creation.
namespace ButtonStyle {
inline constexpr unsigned TransparentBack = 0x1;   // paint the parent's pixels under the button as background
inline constexpr unsigned TabStop = 0x2;           // reachable with the tab key
inline constexpr unsigned Framed = 0x4;            // frame along the edges; the face is inset by 2 px
inline constexpr unsigned IconFace = 0x8;          // icons instead of a shaded face
inline constexpr unsigned BareNormal = 0x10;       // no face (or no icon) in the normal state
inline constexpr unsigned PressShift = 0x20;       // accepted; icon faces always shift when pressed
inline constexpr unsigned Toggle = 0x40;           // a press flips the checked state
inline constexpr unsigned IconBesideText = 0x100;  // with IconFace: icon at the left, caption beside it
inline constexpr unsigned PlainFace = 0x400;       // normal state always shows a raised face
inline constexpr unsigned NotifyAdvance = 0x1000;  // release sends WM_BUTTON_ADVANCE to the parent
inline constexpr unsigned NotifyCode = 0x2000;     // release sends WM_BUTTON_CODE with the notify code
}  // namespace ButtonStyle

enum ButtonState { ButtonNormal = 1, ButtonHover = 2, ButtonPressed = 3 };

// Kinds of caption button.
enum SysButtonKind { SysButtonClose = 0x200, SysButtonMinimise = 1, SysButtonMaximise = 2 };

}  // namespace corvane
