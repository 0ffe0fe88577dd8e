// Timer 1 of the main window following the link's alive flag, and the USB unit coming and
// going: the status line and the lamp through the connection states, with a pseudo-terminal
// as the unit's port. A short per-byte time-out makes the 101 empty reads take two seconds.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/connection_texts.h"
#include "main_window_fixture.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;

namespace {

class MainWindowSupervision : public ::testing::Test {
protected:
    MainWindowSandbox box;
    PtyUnit unit;
};

TEST_F(MainWindowSupervision, ComModeFollowsTheUnitTalkingAndFallingSilent) {
    ASSERT_TRUE(unit.ok());
    MainWindowOptions o = box.options();
    o.portPath = unit.slavePath();
    auto window = box.start(o);
    ASSERT_EQ(window->statusText(), kStatusNotConnected);

    unit.send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(waitForStatus(*window, kStatusConnected));
    EXPECT_TRUE(window->readyLampShown());
    EXPECT_TRUE(window->connected());

    // Silence: after 101 empty reads the alive flag falls.
    ASSERT_TRUE(waitForStatus(*window, kStatusNotConnected));
    EXPECT_FALSE(window->readyLampShown());
    EXPECT_GE(window->link().missCount(), 101u);

    unit.send('H', 1, std::vector<std::uint8_t>{0x80});
    EXPECT_TRUE(waitForStatus(*window, kStatusConnected));
}

TEST_F(MainWindowSupervision, ScreenTextStaysWhileTheConnectionStateHolds) {
    ASSERT_TRUE(unit.ok());
    MainWindowOptions o = box.options();
    o.portPath = unit.slavePath();
    o.byteTimeout = std::chrono::milliseconds(500);  // the unit's own: silence takes 50 s to tell
    auto window = box.start(o);
    unit.send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(waitForStatus(*window, kStatusConnected));

    window->setStatusText("Function in progress, please wait...");
    window->showBusyLamp();
    unit.send('S', 1);
    QTest::qWait(150);  // several ticks with the unit still alive
    EXPECT_EQ(window->statusText(), "Function in progress, please wait...");
    EXPECT_FALSE(window->readyLampShown());
}

TEST_F(MainWindowSupervision, SilentUnitIsShownAndTheLineComesBackWhenItSpeaks) {
    ASSERT_TRUE(unit.ok());
    MainWindowOptions o = box.options();
    o.portPath = unit.slavePath();
    o.byteTimeout = std::chrono::milliseconds(500);  // the unit's own: the alive flag holds for 50 s
    auto window = box.start(o);
    unit.send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(waitForStatus(*window, kStatusConnected));
    window->setStatusText(kStatusBusy);  // a screen's text under the notice

    ASSERT_TRUE(waitForStatus(*window, silentUnitText(3), 20000)) << window->statusText();
    EXPECT_TRUE(window->connected());
    EXPECT_TRUE(waitForStatus(*window, silentUnitText(4), 20000)) << window->statusText();
    unit.send('S', 1);
    EXPECT_TRUE(waitForStatus(*window, kStatusBusy, 20000)) << window->statusText();
}

TEST_F(MainWindowSupervision, UsbUnitPluggedTalkingSilentAndUnplugged) {
    ASSERT_TRUE(unit.ok());
    box.installUsbDriver();
    std::ofstream(box.dir() / "rules" / "70-corvane.rules") << "# the unit's rule\n";
    box.writeConfig("COM00,1");
    auto window = box.start();
    ASSERT_EQ(window->statusText(), kStatusUnplugged);
    ASSERT_NE(box.events(), nullptr);

    // Ticks while the unit is absent change nothing.
    QTest::qWait(120);
    EXPECT_EQ(window->statusText(), kStatusUnplugged);

    box.plugUnit(unit.slavePath());
    box.events()->plug(unitEvent());
    EXPECT_EQ(window->statusText(), kStatusOpen);
    EXPECT_TRUE(window->readyLampShown());
    EXPECT_TRUE(window->link().isOpen());
    EXPECT_EQ(window->supervisionPeriodMs(), 50);

    unit.send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(waitForStatus(*window, kStatusConnected));
    ASSERT_TRUE(waitForStatus(*window, kStatusCommunicationError));
    EXPECT_FALSE(window->readyLampShown());
    EXPECT_TRUE(window->link().isOpen());

    const std::string usbDevice =
        std::filesystem::canonical(box.sysfs().root() / "devices/pci0000:00/0000:00:14.0/usb1/1-1").string();
    box.unplugUnit();
    box.events()->unplug(unitEvent(usbDevice));
    EXPECT_EQ(window->statusText(), kStatusUnplugged);
    EXPECT_FALSE(window->link().isOpen());
    EXPECT_FALSE(window->unitPresent());
}

TEST_F(MainWindowSupervision, UsbArrivalWithoutAnOpenablePortWaitsAsStandby) {
    box.installUsbDriver();
    std::ofstream(box.dir() / "rules" / "70-corvane.rules") << "# the unit's rule\n";
    box.writeConfig("COM00,1");
    auto window = box.start();

    box.plugUnit();  // listed, but the node cannot be opened yet
    box.events()->plug(unitEvent());
    EXPECT_EQ(window->statusText(), kStatusStandby);
    EXPECT_EQ(window->supervisionPeriodMs(), 1000);

    // Another USB device going away changes nothing.
    UsbDeviceEvent other{"/sys/devices/pci0000:00/usb1/1-2", 0x1234, 0x5678, true};
    box.events()->unplug(other);
    EXPECT_EQ(window->statusText(), kStatusStandby);
}

TEST_F(MainWindowSupervision, StandbyUnitIsOpenedByTheOneSecondTick) {
    ASSERT_TRUE(unit.ok());
    box.installUsbDriver();
    box.plugUnit();
    box.writeConfig("COM00,1");
    auto window = box.start();
    ASSERT_EQ(window->statusText(), kStatusStandbyAtStart);

    std::filesystem::create_symlink(unit.slavePath(), box.dir() / "dev" / "ttyACM0");
    ASSERT_TRUE(waitForStatus(*window, kStatusOpen, 3000));
    EXPECT_TRUE(window->link().isOpen());
    EXPECT_EQ(window->supervisionPeriodMs(), 50);
}

}  // namespace
