// Keyboard use of the main window. Tab and Shift+Tab run through every control in reading order
// and wrap round; a focused button takes Enter and Space itself; Enter asks the close question
// only where nothing focused would take it, Escape asks it as the window's close does. While a
// notice or the key pad is on screen, Enter and Escape here hand the keys back to it: no key
// aimed at a pop-up may close the program behind it.
#include "screens/corvane_new_dlg.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

#include "controls/keyboard_focus.h"

namespace corvane {

namespace {
bool takesTab(const QWidget* w, const QWidget* within) {
    // A widget that hands its focus on (a list's viewport) is reached through the one it names.
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() && w->isVisibleTo(within);
}
}  // namespace

void CCorvaneNewDlg::setUpKeyboard() {
    trackKeyboardFocus();
    // Nothing inside is focused at start: Enter asks the close question, as it always did
    // before the user chose anything. A click on the window's own surface returns to that.
    setFocusPolicy(Qt::ClickFocus);
    setFocus(Qt::OtherFocusReason);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this && testAttribute(Qt::WA_KeyboardFocusChange)) bringIntoView(now);
    });
}

std::vector<QWidget*> CCorvaneNewDlg::keyboardChain() {
    std::vector<QWidget*> chain;
    // Rooms beside the window may put buttons of their own in the band right of "info" ("graph",
    // "job"): they come after it, left to right.
    std::vector<QWidget*> band{&comSettingButton_, &infoButton_};
    QList<QWidget*> rooms = findChildren<QWidget*>(QStringLiteral("bandRoomButton"), Qt::FindDirectChildrenOnly);
    std::stable_sort(rooms.begin(), rooms.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    band.insert(band.end(), rooms.begin(), rooms.end());
    band.insert(band.end(), {&minimiseButton_, &sizeButton_, &closeButton_});
    for (QWidget* w : band)
        if (takesTab(w, this)) chain.push_back(w);

    CCorvMenu& view = menuWnd_.view();
    for (int index : view.shownEntries()) chain.push_back(view.button(index));

    // The page: top to bottom, then left to right, wherever a control sits on the form.
    CClientForm& form = clientWnd_.form();
    std::vector<std::pair<QPoint, QWidget*>> page;
    for (QWidget* w : form.findChildren<QWidget*>())
        if (takesTab(w, &form)) page.emplace_back(w->mapTo(&form, QPoint(0, 0)), w);
    std::stable_sort(page.begin(), page.end(), [](const auto& a, const auto& b) {
        return a.first.y() != b.first.y() ? a.first.y() < b.first.y() : a.first.x() < b.first.x();
    });
    for (const auto& [at, w] : page) chain.push_back(w);
    return chain;
}

bool CCorvaneNewDlg::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> chain = keyboardChain();
    if (chain.empty()) return false;
    const auto n = static_cast<std::ptrdiff_t>(chain.size());
    QWidget* current = QApplication::focusWidget();
    const auto at = std::find_if(chain.begin(), chain.end(), [current](QWidget* w) {
        return current && (w == current || w->isAncestorOf(current));
    });
    std::ptrdiff_t index;
    if (at == chain.end())
        index = next ? 0 : n - 1;
    else
        index = ((at - chain.begin()) + (next ? 1 : n - 1)) % n;
    chain[static_cast<std::size_t>(index)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void CCorvaneNewDlg::bringIntoView(QWidget* control) {
    CCorvMenu& view = menuWnd_.view();
    if (const int entry = view.entryOf(control); entry > 0) {
        menuWnd_.scrollToShow(view.entry(entry).place);
        return;
    }
    CClientForm& form = clientWnd_.form();
    if (form.isAncestorOf(control))
        clientWnd_.scrollToShow(QRect(control->mapTo(&form, QPoint(0, 0)), control->size()));
}

QWidget* CCorvaneNewDlg::shownPopUp() const {
    if (CCorvMessageBox* box = popUps_.messageBox(); box && box->isVisible()) return box;
    if (CTransportTool* pad = popUps_.keyPad(); pad && pad->isVisible()) return pad;
    return nullptr;
}

void CCorvaneNewDlg::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter || key == Qt::Key_Escape) {
        if (QWidget* popUp = shownPopUp()) {
            popUp->raise();
            popUp->activateWindow();
            return;
        }
        // Enter in a field or list of the page does nothing else.
        QWidget* focus = QApplication::focusWidget();
        if (enter && focus && focus != this && isAncestorOf(focus)) return;
        askToClose();
        return;
    }
    switch (key) {
        // Arrows that no control used step like Tab and Shift+Tab.
        case Qt::Key_Up:
        case Qt::Key_Left: focusNextPrevChild(false); return;
        case Qt::Key_Down:
        case Qt::Key_Right: focusNextPrevChild(true); return;
        default: QDialog::keyPressEvent(event); return;
    }
}

}  // namespace corvane
