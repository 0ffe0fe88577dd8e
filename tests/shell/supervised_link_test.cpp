// The supervision driving the real UnitLink: the unit's port is found in a fake sysfs tree,
// its /dev node is a link to a pseudo-terminal, and the test plays the unit on the master.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <thread>

#include "shell/connection_supervisor.h"
#include "shell/connection_texts.h"
#include "shell/serial_devices.h"
#include "shell/unit_link_control.h"
#include "fake_device_event_source.h"
#include "fake_sysfs.h"
#include "link/unit_link.h"
#include "pty_unit.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(SupervisedLink, RealLinkOpensOnceConnectsAndClosesOnRemoval) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    TempDir dir;
    FakeSysfs sysfs(dir / "sys");
    sysfs.addUsbTty("1-1", "ttyACM0");
    fs::create_directories(dir / "dev");
    fs::create_symlink(unit.slavePath(), dir / "dev" / "ttyACM0");
    SystemPaths paths;
    paths.sysfsRoot = sysfs.root();
    paths.devRoot = dir / "dev";

    UnitLink link(20ms);
    UnitLinkControl control(link);
    FakeDeviceEventSource source;
    ConnectionSupervisor supervisor(control, [&] { return findUnitPort(paths); });
    supervisor.watch(source);
    std::vector<std::string> shown;
    QObject::connect(&supervisor, &ConnectionSupervisor::statusChanged,
                     [&](const QString& text, StatusLamp) { shown.push_back(text.toStdString()); });

    supervisor.startUsbMode();
    ASSERT_EQ(shown, std::vector<std::string>{kStatusOpenAtStart});
    ASSERT_TRUE(link.isOpen());

    // A second arrival must not open the port again: the link would refuse a second open.
    source.plug(unitEvent());
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.lastOpenError(), 0) << "no second open was tried";

    unit.send('H', 1, std::vector<std::uint8_t>{0x80});  // the unit's handshake: any valid frame sets the alive flag
    QElapsedTimer clock;
    clock.start();
    while (!supervisor.connected() && clock.elapsed() < 3000) {
        supervisor.tick();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(supervisor.connected());
    EXPECT_EQ(shown.back(), kStatusConnected);

    const std::string usbDevice = fs::canonical(sysfs.root() / "devices/pci0000:00/0000:00:14.0/usb1/1-1").string();
    source.unplug(unitEvent(usbDevice));
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.isAlive());
    EXPECT_EQ(shown.back(), kStatusUnplugged);
}

namespace {

// The adapter's tty in the fake tree, its node a link to the pseudo-terminal of this plug.
void plugAdapter(FakeSysfs& sysfs, const fs::path& dev, const std::string& busPort, const UsbIdentity& id,
                 const std::string& line) {
    sysfs.addUsbSerialTty(busPort, "ttyUSB0", id);
    fs::create_symlink(line, dev / "ttyUSB0");
}

void pullAdapter(FakeSysfs& sysfs, const fs::path& dev) {
    sysfs.removeTty("ttyUSB0");
    fs::remove(dev / "ttyUSB0");
}

// Ticks as the window's timer would until `done`, for at most three seconds.
template <typename Done>
bool tickUntil(ConnectionSupervisor& supervisor, Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 3000) {
        supervisor.tick();
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

}  // namespace

TEST(SupervisedLink, PulledAdapterIsReopenedWhenItReturnsButNotForAnotherOnItsNode) {
    TempDir dir;
    FakeSysfs sysfs(dir / "sys");
    const fs::path dev = dir / "dev";
    fs::create_directories(dev);
    SystemPaths paths;
    paths.sysfsRoot = sysfs.root();
    paths.devRoot = dev;
    const UsbIdentity ftdi("0403", "6001", "FT232R USB UART", "FTDI", "A50285BI");
    auto firstPlug = std::make_unique<PtyUnit>();
    PtyUnit otherAdapter, secondPlug;
    ASSERT_TRUE(firstPlug->ok() && otherAdapter.ok() && secondPlug.ok());
    plugAdapter(sysfs, dev, "1-2", ftdi, firstPlug->slavePath());

    UnitLink link(20ms);
    UnitLinkControl control(link);
    FakeDeviceEventSource source;
    ConnectionSupervisor supervisor(control, [] { return std::nullopt; });
    std::vector<std::string> shown;
    QObject::connect(&supervisor, &ConnectionSupervisor::statusChanged,
                     [&](const QString& text, StatusLamp) { shown.push_back(text.toStdString()); });
    // Stored by its node (no udev link): only its identity tells it from another adapter.
    const std::string node = (dev / "ttyUSB0").string();
    supervisor.setReopenTarget(node, [&] { return listSerialDevices(paths, [](const std::string&) { return true; }); });
    supervisor.setReopen(true);
    supervisor.watch(source);
    ASSERT_TRUE(supervisor.startComMode(node));
    firstPlug->send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(firstPlug->reply(3000ms));
    firstPlug->send('S', 1);
    ASSERT_TRUE(firstPlug->reply(3000ms));
    ASSERT_TRUE(tickUntil(supervisor, [&] { return supervisor.connected(); }));

    // Pulled: the line hangs up and the node goes.
    firstPlug.reset();
    pullAdapter(sysfs, dev);
    ASSERT_TRUE(tickUntil(supervisor, [&] { return !link.isOpen(); }));
    EXPECT_EQ(shown.back(), kStatusUnplugged);
    EXPECT_EQ(supervisor.timerPeriodMs(), ConnectionSupervisor::kSearchPeriodMs) << "looked for once a second";

    // Another adapter gets the same node: left alone.
    plugAdapter(sysfs, dev, "1-3", UsbIdentity("1a86", "7523", "USB Serial"), otherAdapter.slavePath());
    source.ttyChanged();
    supervisor.tick();
    EXPECT_FALSE(link.isOpen());
    pullAdapter(sysfs, dev);
    source.ttyChanged();

    // The same adapter back, on a new line: reopened, and the conversation goes on.
    plugAdapter(sysfs, dev, "1-2", ftdi, secondPlug.slavePath());
    source.ttyChanged();
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(shown.back(), kStatusOpen);
    secondPlug.send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(secondPlug.reply(3000ms));
    secondPlug.send('S', 1);
    const std::optional<Frame> status = secondPlug.reply(3000ms);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->letter, 'A');
    EXPECT_TRUE(tickUntil(supervisor, [&] { return supervisor.connected(); }));
    EXPECT_EQ(supervisor.timerPeriodMs(), ConnectionSupervisor::kNormalPeriodMs);
}
