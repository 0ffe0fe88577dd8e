#pragma once
// LinkControl over the real UnitLink. The worker's notifications go to the given listener,
// which is set on the link each time before the worker starts.
#include "shell/link_control.h"

namespace corvane {

class UnitLink;
class LinkListener;

class UnitLinkControl : public LinkControl {
public:
    explicit UnitLinkControl(UnitLink& link, LinkListener* listener = nullptr) : link_(link), listener_(listener) {}

    bool open(const std::string& devicePath) override;
    bool isOpen() const override;
    bool close() override;
    bool isAlive() const override;
    std::uint32_t missCount() const override;
    bool lineGone() const override;
    void startWorker() override;
    int lastOpenError() const override;

private:
    UnitLink& link_;
    LinkListener* listener_;
};

}  // namespace corvane
