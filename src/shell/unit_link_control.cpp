#include "shell/unit_link_control.h"

#include "link/unit_link.h"

namespace corvane {

bool UnitLinkControl::open(const std::string& devicePath) { return link_.openByName(devicePath); }
bool UnitLinkControl::isOpen() const { return link_.isOpen(); }
bool UnitLinkControl::close() { return link_.close(); }
bool UnitLinkControl::isAlive() const { return link_.isAlive(); }
std::uint32_t UnitLinkControl::missCount() const { return link_.missCount(); }
bool UnitLinkControl::lineGone() const { return link_.lineGone(); }
int UnitLinkControl::lastOpenError() const { return link_.lastOpenError(); }

void UnitLinkControl::startWorker() {
    link_.setMainWindow(listener_);
    link_.startWorker();
}

}  // namespace corvane
