#include "app/demo_unit.h"

#include "demo_workshop.h"
#include "unit_line.h"
#include "unit_session.h"

namespace corvane {

namespace {
constexpr int kDemoCapacity = 128;
}

DemoUnit::DemoUnit() = default;

DemoUnit::~DemoUnit() { stop(); }

bool DemoUnit::start(std::string& error) {
    if (line_) return true;
    line_ = unitsim::UnitLine::openPty(error);
    if (!line_) return false;
    path_ = line_->slavePath();
    unitsim::UnitLine* line = line_.get();
    thread_ = std::thread([line] {
        unitsim::UnitSession session(*line, kDemoCapacity);
        unitsim::DemoWorkshop demo(session);
        demo.run();
    });
    return true;
}

void DemoUnit::stop() {
    if (!line_) return;
    line_->requestStop();
    if (thread_.joinable()) thread_.join();
    line_.reset();
}

}  // namespace corvane
