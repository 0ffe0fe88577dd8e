#pragma once
// Where the main window's furniture sits for a client area of W x H pixels, and which edge or
// band a mouse point grabs. Pure functions, so the frame's layout can be checked without a window.
#include <QRect>
#include <QString>

#include <optional>

namespace corvane {

namespace MainFrame {
inline constexpr int kTitleBandHeight = 75;
inline constexpr int kStatusBandHeight = 28;
inline constexpr int kLeftMargin = 10;
inline constexpr int kRightMargin = 15;
inline constexpr int kDefaultMenuWidth = 255;
inline constexpr int kCaptionButtonSize = 15;
inline constexpr int kTitleImageWidth = 322;
inline constexpr int kTitleImageHeight = 63;
// The smallest window: the caption buttons stay right of the band buttons and the title, and
// the panes keep room for their scroll bars.
inline constexpr int kMinimumWidth = 560;
inline constexpr int kMinimumHeight = 200;
// Wheel turns up to this many pixels right of the menu still scroll the menu.
inline constexpr int kWheelDeadStrip = 5;
}  // namespace MainFrame

// The rectangles of the main window's parts, in its client coordinates.
struct MainFrameLayout {
    QRect titleBand, leftMargin, rightMargin, statusBand;
    QRect titleImage, accentBar;
    QPoint closeButton, sizeButton, minimiseButton;
    QRect comSettingButton, infoButton;
    QRect menuPane, clientPane;
    QRect statusLamp, statusText, busyBar;
};

MainFrameLayout mainFrameLayout(int width, int height, int menuWidth = MainFrame::kDefaultMenuWidth);

// The client pane for a menu pane that ends at menuRight.
QRect clientPaneRect(int menuRight, int width, int height);

// What a press at a point grabs. At most one at a time.
enum class FrameDrag { None, Width, Height, Corner, Move };

// The zones are tried in the order right edge, bottom edge, corner, title; the first match counts.
FrameDrag frameDragZone(int x, int y, int width, int height);

// The window rectangle after a drag step of (dx, dy) in the given mode.
QRect draggedGeometry(const QRect& geometry, FrameDrag mode, int dx, int dy);

// The window rectangle that an X geometry string asks for ("WxH+X+Y", "WxH", "+X+Y",
// "-X-Y" counted from the right and bottom edges of `screen`); a part left out keeps that of
// `current`. None for text that is no such geometry.
std::optional<QRect> geometryFromText(const QString& text, const QRect& current, const QRect& screen);

// Whether a remembered window place can be used on this screen: enough of it (its title band)
// lies on it to grab it.
bool placeIsReachable(const QRect& place, const QRect& screen);

}  // namespace corvane
