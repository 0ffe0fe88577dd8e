#pragma once
// Numbers of the program's pictures. The window classes ask for them by number; each number
// is a PNG in the program's compiled resources (resources/images/<number>.png).

namespace corvane {

inline constexpr int IDI_APPLICATION_ICON = 138;  // window icon
inline constexpr int IDI_INFO = 141;              // "info" button
inline constexpr int IDI_COM_SETTING = 142;       // "Com setting" button
inline constexpr int IDI_CHANGE_NORMAL = 143;     // choice box "Change" button, three states
inline constexpr int IDI_CHANGE_PRESSED = 144;
inline constexpr int IDI_CHANGE_HOVER = 145;
inline constexpr int IDC_CORNER_SIZE = 147;  // the corner sizing cursor
inline constexpr int IDB_LAMP_READY = 149;   // 15 x 15 status lamp: connected or ready
inline constexpr int IDB_LAMP_BUSY = 150;    // 15 x 15 status lamp: not connected or busy
inline constexpr int IDB_TITLE = 151;        // 322 x 63 title image

// The pictures that the unit selects for its menu items and page buttons (selectors 1 to 13).
inline constexpr int IDI_FUNCTION_ENGINE = 152;
inline constexpr int IDI_FUNCTION_BATTERY = 153;
inline constexpr int IDI_FUNCTION_GAUGE = 154;
inline constexpr int IDI_FUNCTION_WRENCH = 155;
inline constexpr int IDI_FUNCTION_KEY = 156;
inline constexpr int IDI_FUNCTION_CAR = 157;
inline constexpr int IDI_FUNCTION_BRAKE = 158;
inline constexpr int IDI_FUNCTION_TEMPERATURE = 159;
inline constexpr int IDI_FUNCTION_OIL = 160;
inline constexpr int IDI_FUNCTION_LAMP = 161;
inline constexpr int IDI_FUNCTION_REPORT = 162;
inline constexpr int IDI_FUNCTION_GRAPH = 163;
inline constexpr int IDI_FUNCTION_SETTINGS = 164;

}  // namespace corvane
