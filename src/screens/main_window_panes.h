#pragma once
// The two panes of the main window: the menu window on the left, the client window on the
// right. Both take WM_SCROLL_WHEEL; the menu window tells its parent WM_MENU_ITEM and
// WM_MENU_EDGE.
#include "forms/client_wnd.h"
#include "forms/menu_wnd.h"

namespace corvane {

// The menu view's look in the main window: dark background, accent branches, branch entries
// 180 x 30, leaf entries 200 x 45, 30 pixels of indent per level.
void configureMenuPane(CMenuWnd& menu);

}  // namespace corvane
