// The link's notifications on the main window: one place that hands each kind to the handler
// object that owns it, and the readings the page's boxes show with each values frame.
#include "screens/corvane_new_dlg.h"

namespace corvane {

namespace {
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;
}  // namespace

void CCorvaneNewDlg::onLinkNotification(const LinkNotification& notification) {
    std::visit(Overloaded{
                   [this](const LinkMenu& n) { pageChoices_.buildOutline(n.menu); },
                   [this](const LinkShowPage& n) { pageChoices_.selectPage(n.pageId); },
                   [this](const LinkChoiceTaken&) { pageChoices_.leaveBusy(); },
                   [this](const LinkList& n) { pageUpdates_.fillList(n); },
                   [this](const LinkText& n) { pageUpdates_.setText(n); },
                   [this](const LinkValues& n) {
                       const std::vector<ShownValues> readings = pageUpdates_.showValues(n);
                       if (!readings.empty()) emit valuesShown(readings);
                   },
                   [this](const LinkValueRequest& n) { pageUpdates_.collectValues(n.first, n.last); },
                   [this](const LinkProgress& n) { pageUpdates_.setProgress(n); },
                   [this](const LinkTransferOut& n) { pageUpdates_.showTransferProgress(n); },
                   [this](const LinkTransferIn& n) { pageUpdates_.showTransferProgress(n); },
                   [this](const LinkReport&) { pageUpdates_.saveReport(); },
                   [this](const LinkBox& n) { popUps_.onBox(n); },
                   [this](const LinkBoxTaken&) { popUps_.onBoxTaken(); },
               },
               notification);
    emit messageHandled(messageOf(notification));
}

void CCorvaneNewDlg::takeWaitingReadings() {
    // Values frames that arrived before the connection ended are readings of it, even when the
    // window has not shown them yet; they are shown later, or dropped with the unit.
    const std::vector<ShownValues> readings = pageUpdates_.readingsOf(bridge_.takeWaitingFrames());
    if (!readings.empty()) emit valuesShown(readings);
}

}  // namespace corvane
