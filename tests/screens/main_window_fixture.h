#pragma once
// A main window in a sandbox: its configuration file in a temporary $XDG_CONFIG_HOME, a fake
// sysfs tree and /dev folder for USB detection, scripted USB events, recorded message boxes and
// a short per-byte time-out so that a silent unit is noticed in about two seconds.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "fake_device_event_source.h"
#include "fake_sysfs.h"
#include "platform/resource_ids.h"
#include "platform/resources.h"
#include "recording_prompts.h"
#include "screens/corvane_new_dlg.h"
#include "shell/com_setting.h"
#include "temp_dir.h"

namespace corvane::test {

// The main window as its tests look at it: its furniture found by the parts' object names, and
// what it opens to subclasses beyond what the program uses.
class TestedMainWindow : public CCorvaneNewDlg {
public:
    using CCorvaneNewDlg::CCorvaneNewDlg;
    using CCorvaneNewDlg::dragMode;
    using CCorvaneNewDlg::link;
    using CCorvaneNewDlg::linkBridge;
    using CCorvaneNewDlg::normalSize;
    using CCorvaneNewDlg::OnCommand;
    using CCorvaneNewDlg::pageUpdates;
    using CCorvaneNewDlg::popUps;
    using CCorvaneNewDlg::portNumber;
    using CCorvaneNewDlg::savedPort;
    using CCorvaneNewDlg::supervisionPeriodMs;
    using CCorvaneNewDlg::traceOn;
    using CCorvaneNewDlg::unitPresent;
    using CCorvaneNewDlg::usbDriverInstalled;
    using CCorvaneNewDlg::watchingDevices;
    using CCorvaneNewDlg::windowState;

    CCorvSysButton& closeButton() const { return part<CCorvSysButton>("closeButton"); }
    CCorvSysButton& sizeButton() const { return part<CCorvSysButton>("sizeButton"); }
    CCorvSysButton& minimiseButton() const { return part<CCorvSysButton>("minimiseButton"); }
    CCorvButton& comSettingButton() const { return part<CCorvButton>("comSettingButton"); }
    CCorvButton& infoButton() const { return part<CCorvButton>("infoButton"); }
    CCorvWorkBar& busyBar() const { return part<CCorvWorkBar>("busyBar"); }
    const QLabel& statusLamp() const { return part<QLabel>("statusLamp"); }
    CMenuWnd& menuWindow() const { return part<CMenuWnd>("menuWindow"); }
    CClientWnd& clientWindow() const { return part<CClientWnd>("clientWindow"); }
    QRect menuRect() const { return menuWindow().geometry(); }
    // The COM setting dialog while it is open.
    CComSetting* comSetting() const { return findChild<CComSetting*>(); }

    // The status line as shown.
    const std::string& statusText() const { return part<CCorvStatic>("statusText").text(); }
    bool readyLampShown() const { return statusLamp().pixmap().toImage() == resourcePixmap(IDB_LAMP_READY).toImage(); }
    bool busyBarRunning() const { return busyBar().isRunning(); }

private:
    template <typename Part>
    Part& part(const char* name) const {
        Part* found = findChild<Part*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
        if (!found) throw std::logic_error(std::string("the main window has no ") + name);
        return *found;
    }
};

// 101 empty reads take about two seconds: short for a test, and long enough that a test thread
// held up on a loaded machine does not see the unit fall silent between two of its frames.
inline constexpr std::chrono::milliseconds kShortByteTimeout{20};

class MainWindowSandbox {
public:
    MainWindowSandbox() : sysfs_(dir_ / "sys") {
        std::filesystem::create_directories(dir_ / "config");
        std::filesystem::create_directories(dir_ / "dev");
        std::filesystem::create_directories(dir_ / "modules");
        std::filesystem::create_directories(dir_ / "rules");
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        paths_.sysfsRoot = sysfs_.root();
        paths_.devRoot = dir_ / "dev";
        paths_.modulesRoot = dir_ / "modules";
        paths_.kernelRelease = "test";
        paths_.udevRuleDirs = {dir_ / "rules"};
    }

    const TempDir& dir() const { return dir_; }
    FakeSysfs& sysfs() { return sysfs_; }
    RecordingPrompts& prompts() { return prompts_; }
    // The event source of the window made last; null before it watches.
    FakeDeviceEventSource* events() const { return events_; }
    std::filesystem::path configPath() const { return dir_ / "config" / "corvane.cfg"; }

    void writeConfig(const std::string& content) {
        std::ofstream(configPath(), std::ios::binary | std::ios::trunc) << content;
    }
    std::string readConfig() const {
        std::ifstream in(configPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The unit's driver is loaded.
    void installUsbDriver() { sysfs_.addLoadedModule("cdc_acm"); }
    // The unit's port ttyACM0 is listed; with a device path, /dev/ttyACM0 leads there.
    void plugUnit(const std::string& devicePath = {}) {
        sysfs_.addUsbTty("1-1", "ttyACM0");
        if (!devicePath.empty()) std::filesystem::create_symlink(devicePath, dir_ / "dev" / "ttyACM0");
    }
    void unplugUnit() {
        sysfs_.removeTty("ttyACM0");
        std::error_code ec;
        std::filesystem::remove(dir_ / "dev" / "ttyACM0", ec);
    }

    MainWindowOptions options() {
        MainWindowOptions o;
        o.byteTimeout = kShortByteTimeout;
        o.systemPaths = paths_;
        o.prompts = &prompts_;
        o.makeEventSource = [this] {
            auto source = std::make_unique<FakeDeviceEventSource>();
            events_ = source.get();
            return std::unique_ptr<DeviceEventSource>(std::move(source));
        };
        return o;
    }

    std::unique_ptr<TestedMainWindow> start(MainWindowOptions o) {
        auto window = std::make_unique<TestedMainWindow>(std::move(o));
        window->OnInitDialog();
        return window;
    }
    std::unique_ptr<TestedMainWindow> start() { return start(options()); }

private:
    TempDir dir_;
    FakeSysfs sysfs_;
    SystemPaths paths_;
    RecordingPrompts prompts_;
    FakeDeviceEventSource* events_ = nullptr;
};

// Runs the event loop until the window's status line shows the text.
inline bool waitForStatus(const TestedMainWindow& window, const std::string& text, int milliseconds = 10000) {
    return QTest::qWaitFor([&] { return window.statusText() == text; }, milliseconds);
}

}  // namespace corvane::test
