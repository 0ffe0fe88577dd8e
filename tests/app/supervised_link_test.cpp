// The supervision driving the real UnitLink: the unit's port is found in a fake sysfs tree,
// its /dev node is a link to a pseudo-terminal, and the test plays the unit on the master.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <thread>

#include "app/connection_supervisor.h"
#include "app/connection_texts.h"
#include "app/unit_link_control.h"
#include "fake_device_event_source.h"
#include "fake_sysfs.h"
#include "link/frame_codec.h"
#include "link/unit_link.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

class Pty {
public:
    Pty() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        path_ = name;
        termios tio {};
        ::tcgetattr(master_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(master_, TCSANOW, &tio);
    }
    ~Pty() {
        if (master_ >= 0) ::close(master_);
        if (slave_ >= 0) ::close(slave_);
    }
    bool ok() const { return master_ >= 0; }
    const std::string& slavePath() const { return path_; }
    void send(char letter, std::uint8_t sub, const std::vector<std::uint8_t>& data) {
        auto bytes = encodeFrame(static_cast<std::uint8_t>(letter), sub, data);
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace

TEST(SupervisedLink, RealLinkOpensOnceConnectsAndClosesOnRemoval) {
    Pty unit;
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

    unit.send('H', 1, {0x80});  // the unit's handshake: any valid frame sets the alive flag
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
