// What the main window makes of a configuration file that holds no port setting, cannot be read
// or cannot be written, and what the USB mode says about the computer it runs on: a missing
// driver, a missing udev rule, a port it may not open.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QComboBox>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>
#include <thread>

#include "shell/com_setting.h"
#include "shell/connection_texts.h"
#include "shell/port_open_error.h"
#include "main_window_fixture.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

// Takes root's power to open any file away from the calling thread while it lives, so that a
// device node's permissions count in a test run as root too. The window opens its port on this
// thread.
class WithoutFileOverride {
public:
    WithoutFileOverride() {
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ok_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutFileOverride() {
        if (ok_) ::syscall(SYS_capset, &header_, saved_);
    }
    bool ok() const { return ok_; }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool ok_ = false;
};

class MainWindowConfig : public ::testing::Test {
protected:
    // Opens the COM setting dialog through the main window and, once it runs, does `act` with
    // it. A dialog still open after two seconds is closed so that a fault cannot hang the test.
    void withComSetting(TestedMainWindow& window, const std::function<void(CComSetting&)>& act) {
        bool acted = false;
        QTimer::singleShot(0, &window, [&] {
            if (CComSetting* dialog = window.comSetting()) {
                acted = true;
                act(*dialog);
            }
        });
        QTimer::singleShot(2000, &window, [&] {
            if (CComSetting* dialog = window.comSetting()) dialog->done(IDCANCEL);
        });
        window.OnCommand(IDC_MAIN_COM_SETTING);
        EXPECT_TRUE(acted);
    }

    const std::vector<std::string>& notices() { return box.prompts().notices; }

    MainWindowSandbox box;
};

TEST_F(MainWindowConfig, DamagedFileIsReportedOnceAndMeansComOneNeverTheUsbMode) {
    box.installUsbDriver();  // a computer where the USB mode could start
    for (const std::string content : {"", "COM", "COMab,2", "garbage\n"}) {
        box.prompts().notices.clear();
        box.writeConfig(content);
        auto window = box.start();

        EXPECT_EQ(window->portNumber(), 1) << '"' << content << '"';
        EXPECT_FALSE(window->watchingDevices()) << content;
        EXPECT_FALSE(window->usbDriverInstalled()) << content;
        // One box about the file; maybe one more about COM1, which this machine may not have.
        ASSERT_FALSE(notices().empty()) << content;
        EXPECT_EQ(notices()[0].rfind("The configuration file " + box.configPath().string(), 0), 0u) << notices()[0];
        EXPECT_NE(notices()[0].find("COM1 is used"), std::string::npos) << notices()[0];
        for (std::size_t i = 1; i < notices().size(); ++i)
            EXPECT_EQ(notices()[i].rfind("Error opening COM1:", 0), 0u) << notices()[i];
        EXPECT_EQ(box.readConfig(), content);
        EXPECT_FALSE(window->savedPort());
    }
}

TEST_F(MainWindowConfig, FolderInPlaceOfTheFileIsReportedAndLeftAlone) {
    fs::create_directory(box.configPath());
    auto window = box.start();
    EXPECT_EQ(window->portNumber(), 1);
    ASSERT_FALSE(notices().empty());
    EXPECT_EQ(
        notices()[0].rfind(
            "The configuration file " + box.configPath().string() + " is a folder. Remove or rename that folder", 0),
        0u)
        << notices()[0];
    EXPECT_EQ(notices()[0].find("Com setting"), std::string::npos) << "choosing a port cannot mend it";

    const std::size_t shown = notices().size();
    window->OnCommand(IDC_MAIN_SIZE);
    EXPECT_TRUE(fs::is_directory(box.configPath()));
    EXPECT_EQ(notices().size(), shown) << "the size cycle does not try to save over it";
}

TEST_F(MainWindowConfig, FifoOrDeviceInPlaceOfTheFileIsReportedWithoutWaiting) {
    // A FIFO nobody writes held the start for ever, with no window and no word.
    for (const bool fifo : {true, false}) {
        box.prompts().notices.clear();
        fs::remove(box.configPath());
        if (fifo)
            ASSERT_EQ(::mkfifo(box.configPath().c_str(), 0600), 0);
        else
            fs::create_symlink("/dev/zero", box.configPath());
        auto window = box.start();
        EXPECT_EQ(window->portNumber(), 1);
        ASSERT_FALSE(notices().empty());
        EXPECT_EQ(
            notices()[0].rfind("The configuration file " + box.configPath().string() + " is not a regular file.", 0),
            0u)
            << notices()[0];
        window->OnCommand(IDC_MAIN_SIZE);
        EXPECT_EQ(fs::is_fifo(box.configPath()), fifo) << "left as it is";
    }
}

TEST_F(MainWindowConfig, SizeCycleKeepsADamagedFileUntilAPortIsChosen) {
    box.writeConfig("COMxy,2");
    auto window = box.start();
    const std::size_t shown = notices().size();
    window->OnCommand(IDC_MAIN_SIZE);
    window->OnCommand(IDC_MAIN_SIZE);
    EXPECT_EQ(box.readConfig(), "COMxy,2");
    EXPECT_EQ(notices().size(), shown) << "the file was reported once";

    // OK in the dialog is a choice, even of the port already in use: it replaces the file.
    withComSetting(*window, [](CComSetting& dialog) {
        EXPECT_EQ(dialog.portList()->currentIndex(), 1);
        dialog.accept();
    });
    EXPECT_EQ(box.readConfig(), PortConfigFile::format({1, window->windowState()}));
    EXPECT_EQ(window->savedPort(), 1);
    window->OnCommand(IDC_MAIN_SIZE);
    EXPECT_EQ(box.readConfig(), PortConfigFile::format({1, window->windowState()}));
}

TEST_F(MainWindowConfig, CancelledDialogLeavesADamagedFileAsItIs) {
    box.writeConfig("COM7");
    auto window = box.start();
    withComSetting(*window, [](CComSetting& dialog) { dialog.reject(); });
    EXPECT_EQ(box.readConfig(), "COM7");
}

TEST_F(MainWindowConfig, SizeCycleAfterAChosenPortKeepsTheChoice) {
    // The running program keeps port 4 until it is restarted; the file must keep port 9 that the
    // user chose, not get the running port back with the new window state.
    box.writeConfig("COM04,2");
    auto window = box.start();
    withComSetting(*window, [](CComSetting& dialog) {
        dialog.portList()->setCurrentIndex(9);
        dialog.accept();
    });
    ASSERT_EQ(box.readConfig(), "COM09,2");
    window->OnCommand(IDC_MAIN_SIZE);
    EXPECT_EQ(window->portNumber(), 4);
    EXPECT_EQ(box.readConfig(), "COM09,0");
}

TEST_F(MainWindowConfig, FailedWritesNameTheFileAndTheReason) {
    // A regular file where the configuration folder should be: nothing below it can be written.
    std::ofstream(box.dir() / "blocker") << "x";
    MainWindowOptions o = box.options();
    o.configPath = box.dir() / "blocker" / "corvane.cfg";
    auto window = box.start(o);
    box.prompts().notices.clear();

    window->OnCommand(IDC_MAIN_SIZE);
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_NE(notices()[0].find("blocker"), std::string::npos) << notices()[0];
    EXPECT_NE(notices()[0].find(std::strerror(ENOTDIR)), std::string::npos) << notices()[0];

    // The dialog's first write of a missing file fails the same way and is said when it closes.
    box.prompts().notices.clear();
    withComSetting(*window, [](CComSetting& dialog) { dialog.reject(); });
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_NE(notices()[0].find("blocker"), std::string::npos) << notices()[0];
}

TEST_F(MainWindowConfig, AcceptedUsbOfferThatCannotBeSavedIsSaid) {
    box.installUsbDriver();
    box.plugUnit();
    std::ofstream(box.dir() / "blocker") << "x";
    MainWindowOptions o = box.options();
    o.configPath = box.dir() / "blocker" / "corvane.cfg";
    box.prompts().answerYes = true;
    auto window = box.start(o);
    EXPECT_EQ(window->portNumber(), 0) << "this run uses the USB mode all the same";
    ASSERT_FALSE(notices().empty());
    EXPECT_NE(notices()[0].find("blocker"), std::string::npos) << notices()[0];
}

TEST_F(MainWindowConfig, UsbModeWithTheDriverButNoRuleStarts) {
    // The rule decides who may open the port; it is no driver.
    box.installUsbDriver();
    box.writeConfig("COM00,1");
    auto window = box.start();
    EXPECT_TRUE(notices().empty()) << notices().front();
    EXPECT_TRUE(window->usbDriverInstalled());
    EXPECT_TRUE(window->watchingDevices());
    EXPECT_EQ(window->statusText(), kStatusUnplugged);
    // The unit is absent: the supervision looks for its port once a second.
    EXPECT_EQ(window->supervisionPeriodMs(), 1000);
}

TEST_F(MainWindowConfig, MissingDriverBoxSaysWhatThisComputerLacks) {
    box.writeConfig("COM00,1");
    auto window = box.start();
    ASSERT_EQ(notices().size(), 1u);
    const std::string& text = notices()[0];
    EXPECT_EQ(text.rfind(std::string(kUsbDriverMissing) + "\r\n\r\n", 0), 0u) << text;
    const std::string added = text.substr(std::strlen(kUsbDriverMissing) + 4);
    EXPECT_EQ(added.find('\n'), std::string::npos) << "one line: " << added;
    EXPECT_NE(added.find("cdc_acm"), std::string::npos) << added;
    EXPECT_NE(added.find((box.dir() / "modules" / "test").string()), std::string::npos) << added;
    EXPECT_FALSE(window->watchingDevices());
}

TEST_F(MainWindowConfig, RefusedUsbPortIsExplainedOnceAtStart) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    ASSERT_EQ(::chmod(unit.slavePath().c_str(), 0), 0);
    box.installUsbDriver();
    box.plugUnit(unit.slavePath());
    box.writeConfig("COM00,1");
    std::unique_ptr<TestedMainWindow> window;
    {
        WithoutFileOverride asUser;
        ASSERT_TRUE(asUser.ok());
        window = box.start();
    }
    EXPECT_FALSE(window->link().isOpen());
    EXPECT_EQ(window->statusText(), kStatusStandbyAtStart);
    ASSERT_EQ(notices().size(), 1u);
    const std::string& text = notices()[0];
    const std::string device = (box.dir() / "dev" / "ttyACM0").string();
    EXPECT_EQ(text.rfind("Error opening " + device + ":\n" + std::strerror(EACCES), 0), 0u) << text;
    EXPECT_NE(text.find("70-corvane.rules"), std::string::npos) << text;
}

TEST_F(MainWindowConfig, UsbUnitInStandbyGetsNoBox) {
    box.installUsbDriver();
    box.plugUnit();  // listed, but no device node: the unit may still be waking up
    box.writeConfig("COM00,1");
    auto window = box.start();
    EXPECT_EQ(window->statusText(), kStatusStandbyAtStart);
    EXPECT_TRUE(notices().empty()) << notices().front();
}

}  // namespace

namespace {

// Picks the entry whose text starts with `name` and presses OK.
void chooseByName(CComSetting& dialog, const QString& name) {
    const int position = dialog.portList()->findText(name, Qt::MatchStartsWith);
    ASSERT_GE(position, CComSetting::kListPositions) << name.toStdString();
    dialog.portList()->setCurrentIndex(position);
    dialog.accept();
}

}  // namespace

TEST_F(MainWindowConfig, DeviceChosenByNameIsOpenedAtTheNextStartAndKeptByTheSizeCycle) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    box.sysfs().addUsbSerialTty("1-2", "ttyUSB0", {"0403", "6001", "FT232R USB UART", "FTDI", "A50285BI"});
    fs::create_symlink(unit.slavePath(), box.dir() / "dev" / "ttyUSB0");
    fs::create_directories(box.dir() / "dev" / "serial" / "by-id");
    const fs::path stable = box.dir() / "dev" / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    fs::create_symlink("../../ttyUSB0", stable);
    box.writeConfig("COM04,2");

    {
        auto window = box.start();
        box.prompts().notices.clear();  // COM4 is not on this computer
        withComSetting(*window, [](CComSetting& dialog) { chooseByName(dialog, "FTDI FT232R USB UART (A50285BI)"); });
        EXPECT_EQ(notices(), std::vector<std::string>{kRestartNotice});
        EXPECT_EQ(box.readConfig(), "COM04,2\ndevice=" + stable.string());
        window->OnCommand(IDC_MAIN_SIZE);
        EXPECT_EQ(box.readConfig(), "COM04,0\ndevice=" + stable.string());
    }
    auto restarted = box.start();
    EXPECT_TRUE(restarted->link().isOpen());
    ASSERT_TRUE(unit.exchange('H', 1, std::vector<std::uint8_t>{0x80})) << "the adapter's line is the one opened";
    ASSERT_TRUE(unit.exchange('S', 1));
    EXPECT_TRUE(waitForStatus(*restarted, kStatusConnected));

    // Pulled mid-conversation and plugged back: reopened on its new line without a restart.
    unit.closeMaster();
    box.sysfs().removeTty("ttyUSB0");
    fs::remove(box.dir() / "dev" / "ttyUSB0");
    ASSERT_NE(box.events(), nullptr);
    box.events()->ttyChanged();
    EXPECT_TRUE(waitForStatus(*restarted, kStatusUnplugged));
    // Another adapter on the same node is not the chosen one.
    PtyUnit other, replugged;
    ASSERT_TRUE(other.ok() && replugged.ok());
    box.sysfs().addUsbSerialTty("1-3", "ttyUSB0", {"1a86", "7523", "USB Serial"});
    fs::create_symlink(other.slavePath(), box.dir() / "dev" / "ttyUSB0");
    box.events()->ttyChanged();
    QTest::qWait(1200);  // a search of the once-a-second timer included
    EXPECT_FALSE(restarted->link().isOpen());
    box.sysfs().removeTty("ttyUSB0");
    fs::remove(box.dir() / "dev" / "ttyUSB0");
    box.sysfs().addUsbSerialTty("1-2", "ttyUSB0", {"0403", "6001", "FT232R USB UART", "FTDI", "A50285BI"});
    fs::create_symlink(replugged.slavePath(), box.dir() / "dev" / "ttyUSB0");
    box.events()->ttyChanged();
    EXPECT_EQ(restarted->statusText(), kStatusOpen);
    std::optional<Frame> status;
    std::thread asUnit([&] { status = replugged.exchange('S', 1); });
    EXPECT_TRUE(waitForStatus(*restarted, kStatusConnected));
    asUnit.join();
    ASSERT_TRUE(status);
    EXPECT_EQ(status->letter, 'A');
}

TEST_F(MainWindowConfig, DeviceThatMayNotBeOpenedIsMarkedAndChoosingItExplainsTheFix) {
    box.sysfs().addUsbTty("1-3", "ttyACM3", {"2341", "0043", "Arduino Uno", "Arduino LLC", ""});
    const fs::path node = box.dir() / "dev" / "ttyACM3";
    std::ofstream(node) << "";
    fs::permissions(node, fs::perms::none);
    WithoutFileOverride asUser;
    if (!asUser.ok()) GTEST_SKIP() << "cannot drop the file override capability here";
    auto window = box.start();
    // What the start said about the configured COM1 (a real /dev/ttyS0, busy in another test or
    // missing on this machine) is not this test's concern.
    const std::size_t before = notices().size();
    withComSetting(*window, [](CComSetting& dialog) {
        EXPECT_GE(dialog.portList()->findText("Arduino Uno - ttyACM3 (no permission)"), CComSetting::kListPositions);
        chooseByName(dialog, "Arduino Uno");
    });
    ASSERT_EQ(notices().size(), before + 1);
    const std::string& notice = notices().back();
    EXPECT_EQ(notice.rfind(kRestartNotice, 0), 0u);
    // The hint the program gives for a denied port, naming the node.
    EXPECT_NE(notice.find(describePortOpenError("Arduino Uno - ttyACM3", node.string(), EACCES)), std::string::npos)
        << notice;
}
