#pragma once
// The two panes of the main window: the menu window on the left, the client window on the
// right. Both take WM_SCROLL_WHEEL; the menu window tells its parent WM_MENU_ITEM and
// WM_MENU_EDGE. While the client window is not part of the build yet, a plain pane stands in
// so that the frame, its layout and the wheel routing work and can be tested.
#include <QColor>

#include "controls/palette.h"

#if CORVANE_HAVE_FORMS
#include "forms/client_wnd.h"
#include "forms/menu_wnd.h"
#else
#include "platform/window_message.h"

#include <QWidget>
#endif

namespace corvane {

#if CORVANE_HAVE_FORMS
using MenuPane = CMenuWnd;
using ClientPane = CClientWnd;
#else
class PlainPane : public MessageWindow<QWidget> {
public:
    explicit PlainPane(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
using MenuPane = PlainPane;
using ClientPane = PlainPane;
#endif

// The menu view's look in the main window: dark background, accent branches, branch entries
// 180 x 30, leaf entries 200 x 45, 30 pixels of indent per level.
void configureMenuPane(MenuPane& menu);

}  // namespace corvane
