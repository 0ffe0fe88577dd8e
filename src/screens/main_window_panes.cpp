#include "screens/main_window_panes.h"

#if !CORVANE_HAVE_FORMS
#include "controls/plain_pane.h"
#endif

namespace corvane {

#if CORVANE_HAVE_FORMS
void configureMenuPane(MenuPane& menu) {
    menu.setBackColour(ColourPanel);
    menu.setBranchFaceColour(ColourAccent);
    menu.setBranchSize(30, 180);
    menu.setLeafSize(45, 200);
    menu.setIndent(30);
}
#else
PlainPane::PlainPane(QWidget* parent) : MessageWindow<QWidget>(parent) { NoEraseBackground(this); }

void PlainPane::paintEvent(QPaintEvent*) { PaintPlainPane(this); }

void configureMenuPane(MenuPane&) {}
#endif

}  // namespace corvane
