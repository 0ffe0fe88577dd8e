// Connection supervision: what the status line shows and when, opening and reopening the
// unit's port, and plug/unplug sequences through a scripted event source.
#include <gtest/gtest.h>

#include "shell/connection_supervisor.h"
#include "shell/connection_texts.h"
#include <fstream>

#include "fake_device_event_source.h"
#include "fake_link.h"
#include "fake_sysfs.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

struct Shown {
    std::string text;
    StatusLamp lamp;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << '"' << s.text << "\" " << (s.lamp == StatusLamp::Ready ? "ready" : "not ready");
}

class Supervision : public ::testing::Test {
protected:
    Supervision()
        : supervisor(link, [this] {
              ++searches;
              return port;
          }) {
        QObject::connect(&supervisor, &ConnectionSupervisor::statusChanged,
                         [this](const QString& text, StatusLamp lamp) {
                             shown.push_back({text.toStdString(), lamp});
                         });
        QObject::connect(&supervisor, &ConnectionSupervisor::timerPeriodChanged,
                         [this](int ms) { periods.push_back(ms); });
        supervisor.watch(source);
    }

    // What was shown since the last call.
    std::vector<Shown> takeShown() { return std::exchange(shown, {}); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) supervisor.tick();
    }
    void expectOneHandleAndWorker() {
        EXPECT_EQ(link.openWhileOpen, 0);
        EXPECT_EQ(link.badWorkerStarts, 0);
    }

    FakeLink link;
    std::optional<UnitPort> port;
    int searches = 0;
    FakeDeviceEventSource source;
    ConnectionSupervisor supervisor;
    std::vector<Shown> shown;
    std::vector<int> periods;
};

const UnitPort kUnitPort{"/dev/ttyACM0", "ttyACM0", "/sys/devices/pci0000:00/usb1/1-1"};

}  // namespace

TEST_F(Supervision, SilentConnectedUnitIsToldEachSecondUntilItSpeaks) {
    auto now = std::chrono::steady_clock::time_point{};
    supervisor.setClock([&] { return now; });
    std::vector<int> silent;
    QObject::connect(&supervisor, &ConnectionSupervisor::unitSilent, [&](int s) { silent.push_back(s); });
    auto tickAt = [&](std::chrono::milliseconds t, std::uint32_t misses) {
        now = std::chrono::steady_clock::time_point{} + t;
        link.misses = misses;
        supervisor.tick();
    };
    using std::chrono::milliseconds;
    ASSERT_TRUE(supervisor.startComMode("/dev/ttyS0"));
    link.alive = true;
    tickAt(milliseconds(0), 0);
    tickAt(milliseconds(2900), 5);  // not yet: short pauses are the unit's own
    EXPECT_TRUE(silent.empty());
    tickAt(milliseconds(3000), 6);
    tickAt(milliseconds(3050), 6);
    tickAt(milliseconds(4000), 8);
    EXPECT_EQ(silent, (std::vector<int>{3, 4}));
    EXPECT_EQ(supervisor.silentSeconds(), 4);
    // A frame between two ticks shows as a lower count; the notice ends.
    tickAt(milliseconds(4100), 1);
    EXPECT_EQ(silent, (std::vector<int>{3, 4, 0}));
    // Silent again until the alive flag falls: the notice ends before the connection text.
    tickAt(milliseconds(7200), 7);
    takeShown();
    link.alive = false;
    tickAt(milliseconds(60000), 101);
    EXPECT_EQ(silent, (std::vector<int>{3, 4, 0, 3, 0}));
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusNotConnected, StatusLamp::NotReady}}));
    tickAt(milliseconds(70000), 120);  // not connected: no silence notice
    EXPECT_EQ(silent.size(), 5u);
}

TEST_F(Supervision, ComModeFollowsTheAliveFlagOnlyOnChanges) {
    ASSERT_TRUE(supervisor.startComMode("/dev/ttyS2"));
    EXPECT_EQ(link.opens, std::vector<std::string>{"/dev/ttyS2"});
    EXPECT_EQ(link.workerStarts, 1);
    EXPECT_EQ(periods, std::vector<int>{50});
    EXPECT_TRUE(takeShown().empty()) << "the line keeps its first text until the unit speaks";

    ticks(3);
    EXPECT_TRUE(takeShown().empty());
    link.alive = true;
    ticks(5);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}));
    EXPECT_TRUE(supervisor.connected());
    link.alive = false;
    ticks(5);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusNotConnected, StatusLamp::NotReady}}));
    link.alive = true;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}));

    // Device events are no business of the COM mode.
    source.unplug(unitEvent());
    source.plug(unitEvent());
    EXPECT_TRUE(takeShown().empty());
    EXPECT_EQ(link.closes, 0);
    EXPECT_EQ(searches, 0);
}

TEST_F(Supervision, ComPortThatCannotBeOpenedStartsNothing) {
    link.openSucceeds = false;
    EXPECT_FALSE(supervisor.startComMode("/dev/ttyS0"));
    EXPECT_EQ(link.lastOpenError(), 2);
    EXPECT_EQ(link.workerStarts, 0);
    EXPECT_TRUE(periods.empty()) << "no timer runs";
    EXPECT_EQ(supervisor.timerPeriodMs(), 0);
}

TEST_F(Supervision, UsbStartShowsWhatItFound) {
    supervisor.startUsbMode();
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
    EXPECT_EQ(periods, std::vector<int>{1000}) << "an absent unit is looked for once a second";
    EXPECT_FALSE(supervisor.unitPresent());
    ticks(10);
    EXPECT_EQ(searches, 11) << "one search per tick while the unit is absent";
    EXPECT_TRUE(takeShown().empty()) << "and the line keeps what it shows";
    EXPECT_TRUE(link.opens.empty());

    // Plugged in without an arrival event (no monitor, or the event was lost).
    port = kUnitPort;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    EXPECT_EQ(periods, (std::vector<int>{1000, 50}));
    EXPECT_TRUE(supervisor.unitPresent());
    EXPECT_EQ(link.workerStarts, 1);
    ticks(3);
    EXPECT_EQ(searches, 12) << "an open port needs no search";
    expectOneHandleAndWorker();
}

TEST_F(Supervision, UsbStartOpensTheUnitAndReportsTheConversationState) {
    port = kUnitPort;
    supervisor.startUsbMode();
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpenAtStart, StatusLamp::Ready}}));
    EXPECT_EQ(link.opens, std::vector<std::string>{"/dev/ttyACM0"});
    EXPECT_EQ(link.workerStarts, 1);

    ticks(3);
    EXPECT_TRUE(takeShown().empty());
    EXPECT_EQ(searches, 1) << "an open port needs no search";
    link.alive = true;
    ticks(3);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}));
    link.alive = false;
    ticks(3);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusCommunicationError, StatusLamp::NotReady}}));
    link.alive = true;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}));
    expectOneHandleAndWorker();
}

TEST_F(Supervision, UnitInStandbyIsRetriedEverySecondUntilItOpens) {
    port = kUnitPort;
    link.openSucceeds = false;
    supervisor.startUsbMode();
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusStandbyAtStart, StatusLamp::NotReady}}));
    EXPECT_EQ(periods, std::vector<int>{1000});

    ticks(3);
    EXPECT_EQ(link.opens.size(), 4u) << "one open per tick";
    EXPECT_TRUE(takeShown().empty()) << "failed retries are silent";
    EXPECT_EQ(link.workerStarts, 0);

    link.openSucceeds = true;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    EXPECT_EQ(periods, (std::vector<int>{1000, 50}));
    EXPECT_EQ(link.workerStarts, 1);
    ticks(5);
    EXPECT_EQ(link.opens.size(), 5u);
    expectOneHandleAndWorker();
}

TEST_F(Supervision, PortThatDisappearsDuringStandbyMeansUnplugged) {
    port = kUnitPort;
    link.openSucceeds = false;
    supervisor.startUsbMode();
    takeShown();
    port.reset();
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusNoLongerFound, StatusLamp::NotReady}}));
    EXPECT_FALSE(supervisor.unitPresent());
    ticks(5);
    EXPECT_TRUE(takeShown().empty());
}

TEST_F(Supervision, PlugUnplugPlug) {
    supervisor.startUsbMode();
    takeShown();

    port = kUnitPort;
    source.plug(unitEvent());
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    EXPECT_EQ(link.workerStarts, 1);
    link.alive = true;
    ticks(2);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}));

    port.reset();
    source.unplug(unitEvent());
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
    EXPECT_EQ(link.closes, 1);
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(supervisor.unitPresent());
    EXPECT_FALSE(supervisor.connected());
    EXPECT_EQ(periods.back(), 1000);
    const int searchesAfterRemoval = searches;
    ticks(10);
    EXPECT_TRUE(takeShown().empty()) << "after a removal, ticks change nothing on the line";
    EXPECT_EQ(searches, searchesAfterRemoval + 10) << "they only look for the unit";
    EXPECT_EQ(link.opens.size(), 1u);

    port = kUnitPort;
    source.plug(unitEvent());
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    EXPECT_EQ(link.opens.size(), 2u);
    EXPECT_EQ(link.workerStarts, 2);
    link.alive = true;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}))
        << "the indicator was cleared by the removal";
    expectOneHandleAndWorker();
}

TEST_F(Supervision, ArrivalWhileOpenKeepsTheOneHandleAndWorker) {
    port = kUnitPort;
    supervisor.startUsbMode();
    link.alive = true;
    ticks(1);
    takeShown();

    source.plug(unitEvent());
    source.plug(unitEvent("/sys/devices/pci0000:00/usb1/1-2"));
    ticks(3);
    EXPECT_EQ(link.opens.size(), 1u);
    EXPECT_EQ(link.workerStarts, 1);
    EXPECT_EQ(link.closes, 0);
    EXPECT_TRUE(takeShown().empty()) << "the connected line stays";
    expectOneHandleAndWorker();
}

TEST_F(Supervision, OtherDevicesAndOtherUnitsLeaveTheLinkAlone) {
    port = kUnitPort;
    supervisor.startUsbMode();
    takeShown();

    source.unplug({kUnitPort.usbDevice, 0x046d, 0xc52b, true});  // a mouse on the same path
    source.unplug({"/sys/devices/x/2-1", kUnitVendorId, kUnitProductId, false});
    source.unplug(unitEvent("/sys/devices/pci0000:00/usb1/1-4"));  // a second unit
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.closes, 0);
    EXPECT_TRUE(takeShown().empty());

    source.unplug(unitEvent(kUnitPort.usbDevice));
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
}

TEST_F(Supervision, RemovalWithoutAnOpenPortOnlyUpdatesTheLine) {
    port = kUnitPort;
    link.openSucceeds = false;
    supervisor.startUsbMode();
    takeShown();
    port.reset();  // the tty goes with its device
    source.unplug(unitEvent());
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
    EXPECT_FALSE(supervisor.unitPresent());
    EXPECT_EQ(link.workerStarts, 0);
    const std::size_t opens = link.opens.size();
    ticks(3);
    EXPECT_EQ(link.opens.size(), opens);
}

TEST_F(Supervision, TtyAppearingAfterTheArrivalConnectsOnTheNextRetry) {
    supervisor.startUsbMode();
    takeShown();
    periods.clear();

    source.plug(unitEvent());  // the USB device is there, its tty not yet
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusStandby, StatusLamp::NotReady}}));
    EXPECT_EQ(periods, std::vector<int>{1000});
    EXPECT_TRUE(supervisor.unitPresent());
    EXPECT_EQ(link.workerStarts, 0);

    ticks(2);
    EXPECT_TRUE(takeShown().empty()) << "still waiting for the tty";

    port = kUnitPort;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    EXPECT_EQ(periods, (std::vector<int>{1000, 50}));
    EXPECT_EQ(link.opens, std::vector<std::string>{"/dev/ttyACM0"});
    EXPECT_EQ(link.workerStarts, 1);
    expectOneHandleAndWorker();
}

TEST_F(Supervision, TtyThatNeverAppearsEndsInUnplugged) {
    supervisor.startUsbMode();
    source.plug(unitEvent());
    takeShown();
    ticks(ConnectionSupervisor::kArrivalRetries);
    EXPECT_TRUE(takeShown().empty());
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusNoLongerFound, StatusLamp::NotReady}}));
    EXPECT_FALSE(supervisor.unitPresent());
    EXPECT_EQ(supervisor.timerPeriodMs(), 1000);
    const int searchesBefore = searches;
    ticks(3);
    EXPECT_EQ(searches, searchesBefore + 3);
    EXPECT_TRUE(takeShown().empty());
    EXPECT_EQ(link.workerStarts, 0);
}

TEST_F(Supervision, ArrivalRestartsTheFastTimer) {
    supervisor.startUsbMode();  // 1000 ms while absent
    port = kUnitPort;
    periods.clear();
    source.plug(unitEvent());
    EXPECT_EQ(periods, std::vector<int>{50}) << "arrival starts the fast timer";
    periods.clear();
    link.close();
    supervisor.tick();  // the port closed under the supervision: reopened by the tick
    EXPECT_EQ(link.opens.size(), 2u);
    source.plug(unitEvent());
    EXPECT_EQ(link.opens.size(), 2u) << "an arrival while open opens nothing";
}

TEST_F(Supervision, UsbLineThatIsGoneClosesAsARemovalAndTheReplugIsFoundWithoutEvents) {
    port = kUnitPort;
    supervisor.startUsbMode();
    link.alive = true;
    ticks(1);
    takeShown();
    periods.clear();

    // The device hung up; no removal event comes.
    link.alive = false;
    link.gone = true;
    port.reset();
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
    EXPECT_EQ(link.closes, 1);
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(supervisor.unitPresent());
    EXPECT_FALSE(supervisor.connected());
    EXPECT_EQ(periods, std::vector<int>{1000});
    ticks(3);
    EXPECT_TRUE(takeShown().empty());
    EXPECT_EQ(link.opens.size(), 1u);

    // Plugged in again, no arrival event either.
    port = kUnitPort;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    EXPECT_EQ(link.opens.size(), 2u);
    EXPECT_EQ(link.workerStarts, 2);
    link.alive = true;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusConnected, StatusLamp::Ready}}));
    expectOneHandleAndWorker();
}

TEST_F(Supervision, UsbLineGoneWhileTheTtyIsStillListedEndsInStandbyThenUnplugged) {
    port = kUnitPort;
    supervisor.startUsbMode();
    takeShown();
    link.gone = true;
    link.openSucceeds = false;  // the node lingers but cannot be opened
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusStandby, StatusLamp::NotReady}}));
    port.reset();
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusNoLongerFound, StatusLamp::NotReady}}));
    EXPECT_EQ(link.workerStarts, 1);
    expectOneHandleAndWorker();
}

TEST_F(Supervision, ComModeLineThatIsGoneShowsNotConnectedAndKeepsThePort) {
    ASSERT_TRUE(supervisor.startComMode("/dev/ttyS0"));
    link.alive = true;
    ticks(1);
    takeShown();
    link.alive = false;  // the link drops the flag at once when the line is gone
    link.gone = true;
    ticks(3);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusNotConnected, StatusLamp::NotReady}}));
    EXPECT_EQ(link.closes, 0) << "the COM mode never reopens, so it never closes either";
    EXPECT_EQ(searches, 0);
    EXPECT_EQ(periods, std::vector<int>{50});
}

TEST_F(Supervision, ReopenIsOffForANumberedPortAndAFailingReopenIsSaidOnce) {
    // Off, as for every numbered port unless the user asks: a hung-up line stays closed.
    std::vector<SerialDevice> present;  // a port that is not a listed device: its path is all there is
    supervisor.setReopenTarget("/dev/ttyS2", [&] { return present; });
    ASSERT_TRUE(supervisor.startComMode("/dev/ttyS2"));
    link.gone = true;
    ticks(3);
    EXPECT_EQ(link.closes, 0);
    EXPECT_EQ(link.opens.size(), 1u);

    // On: the hang-up closes the port; /dev/ttyS2 exists on no test machine for sure, so a
    // device that comes back is given by a path that exists.
    supervisor.setReopen(true);
    supervisor.setReopenTarget("/", [&] { return present; });
    ticks(1);
    EXPECT_EQ(link.closes, 1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusUnplugged, StatusLamp::NotReady}}));
    // The returning device is busy: said once with the reason, retried each second, quietly.
    link.openSucceeds = false;
    link.opens.clear();
    source.ttyChanged();
    ticks(4);
    EXPECT_EQ(link.opens.size(), 5u);
    EXPECT_EQ(supervisor.timerPeriodMs(), ConnectionSupervisor::kRetryPeriodMs);
    const std::vector<Shown> said = takeShown();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text, "Corvane cannot reopen /: No such file or directory");
    link.openSucceeds = true;
    ticks(1);
    EXPECT_EQ(takeShown(), (std::vector<Shown>{{kStatusOpen, StatusLamp::Ready}}));
    expectOneHandleAndWorker();
}

TEST_F(Supervision, AdapterAbsentAtStartIsKnownByTheOneFirstOpenedAndOnlyItIsReopened) {
    TempDir dir;
    FakeSysfs sysfs(dir / "sys");
    fs::create_directories(dir / "dev");
    SystemPaths paths;
    paths.sysfsRoot = sysfs.root();
    paths.devRoot = dir / "dev";
    const fs::path node = dir / "dev" / "ttyUSB0";
    auto plug = [&](const std::string& busPort, const UsbIdentity& id) {
        sysfs.addUsbSerialTty(busPort, "ttyUSB0", id);
        std::ofstream(node) << "";
        source.ttyChanged();
    };
    auto unplug = [&] {
        sysfs.removeTty("ttyUSB0");
        fs::remove(node);
        link.gone = true;
        source.ttyChanged();
    };
    const UsbIdentity chosen{"0403", "6001", "FT232R USB UART", "FTDI", "A50285BI"};
    supervisor.setReopenTarget(node.string(),
                               [&] { return listSerialDevices(paths, [](const std::string&) { return true; }); });
    supervisor.setReopen(true);

    // Not plugged in at the start: waited for, and the first adapter under the path is opened.
    link.openSucceeds = false;
    EXPECT_FALSE(supervisor.startComMode(node.string()));
    EXPECT_TRUE(supervisor.waitingForDevice());
    link.openSucceeds = true;
    plug("1-2", chosen);
    ASSERT_TRUE(link.isOpen());

    // Pulled, and another adapter takes the node: left alone, by events and by the search.
    unplug();
    EXPECT_FALSE(link.isOpen());
    const std::size_t opensBefore = link.opens.size();
    plug("1-3", {"1a86", "7523", "USB Serial"});
    ticks(3);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(link.opens.size(), opensBefore);

    // The adapter opened first returns: reopened.
    sysfs.removeTty("ttyUSB0");
    fs::remove(node);
    plug("1-2", chosen);
    EXPECT_TRUE(link.isOpen());
    expectOneHandleAndWorker();
}
