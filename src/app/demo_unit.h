#pragma once
// The simulated unit of `corvane --demo`: the demo workshop runs on its own thread at the
// master side of a pseudo-terminal, and the program opens the slave like any serial device.
// It ends with the program.
#include <memory>
#include <string>
#include <thread>

namespace corvane {

namespace unitsim {
class UnitLine;
}

class DemoUnit {
public:
    DemoUnit();
    ~DemoUnit();
    DemoUnit(const DemoUnit&) = delete;
    DemoUnit& operator=(const DemoUnit&) = delete;

    // Creates the pseudo-terminal and starts the unit; false with a message when it cannot.
    bool start(std::string& error);
    // The device the program opens.
    const std::string& devicePath() const { return path_; }
    // Stops the unit and waits for its thread.
    void stop();

private:
    std::unique_ptr<unitsim::UnitLine> line_;
    std::thread thread_;
    std::string path_;
};

}  // namespace corvane
