// The in-process demo unit talks to a real link over its pseudo-terminal and stops cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/demo_unit.h"
#include "link/unit_link.h"

using namespace corvane;
using namespace std::chrono_literals;

TEST(DemoUnit, SendsItsMenuToTheLinkAndStopsWithTheProgram) {
    DemoUnit unit;
    std::string error;
    ASSERT_TRUE(unit.start(error)) << error;
    ASSERT_FALSE(unit.devicePath().empty());
    UnitLink link(100ms);
    ASSERT_TRUE(link.openByName(unit.devicePath()));
    link.startWorker();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    std::size_t entries = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        {
            auto records = link.lockRecords();
            entries = link.menuRecord().entryCount();
        }
        if (entries > 0 && link.isAlive()) break;
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_GE(entries, 10u);
    EXPECT_TRUE(link.isAlive());
    const auto start = std::chrono::steady_clock::now();
    unit.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s)
        << "a stop that waits for nothing, with room for a loaded machine";
    link.close();
}
