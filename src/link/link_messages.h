#pragma once
// The numbers of the link's notifications to the main window (link/link_notifications.h).
#include <cstdint>

namespace corvane {

inline constexpr std::uint32_t WM_LINK_MENU = 0x401;           // posted: MenuRecord has new entries and pages
inline constexpr std::uint32_t WM_LINK_BOX = 0x402;            // posted: BoxRecord holds a box (lParam 1 for 'X')
inline constexpr std::uint32_t WM_LINK_LIST = 0x403;           // posted: ListRecord complete, wParam = header
inline constexpr std::uint32_t WM_LINK_TEXT = 0x404;           // posted: TextRecord complete
inline constexpr std::uint32_t WM_LINK_CHOICE_TAKEN = 0x405;   // sent: the unit took the choice
inline constexpr std::uint32_t WM_LINK_VALUES = 0x406;         // posted: ValueTable refilled
inline constexpr std::uint32_t WM_LINK_VALUE_REQUEST = 0x407;  // sent: fill ValueReplyText
inline constexpr std::uint32_t WM_LINK_PROGRESS = 0x408;       // posted: ProgressRecord refilled
inline constexpr std::uint32_t WM_LINK_TRANSFER = 0x409;       // sent for 'E', posted for 'F'
inline constexpr std::uint32_t WM_LINK_BOX_TAKEN = 0x40A;      // sent: the unit took the box answer
inline constexpr std::uint32_t WM_LINK_SHOW_PAGE = 0x40B;      // posted: show page wParam
inline constexpr std::uint32_t WM_LINK_REPORT = 0x40C;         // sent: save the report in ReportBuffer

}  // namespace corvane
