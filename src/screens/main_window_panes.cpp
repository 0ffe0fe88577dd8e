#include "screens/main_window_panes.h"

#include "controls/palette.h"

namespace corvane {

void configureMenuPane(CMenuWnd& menu) {
    menu.setBackColour(ColourPanel);
    menu.setBranchFaceColour(ColourAccent);
    menu.setBranchSize(30, 180);
    menu.setLeafSize(45, 200);
    menu.setIndent(30);
}

}  // namespace corvane
