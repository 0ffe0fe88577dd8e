// The supervision driving the real UnitLink: the unit's port is found in a fake sysfs tree,
// its /dev node is a link to a pseudo-terminal, and the test plays the unit on the master.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <thread>

#include "shell/connection_supervisor.h"
#include "shell/connection_texts.h"
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
