// Finding the unit's port in sysfs, the installation check, and telling the unit's USB
// events from other devices.
#include <gtest/gtest.h>

#include "shell/usb_device_event.h"
#include "shell/usb_install_check.h"
#include "shell/usb_port_search.h"
#include "fake_sysfs.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

class UsbDetection : public ::testing::Test {
protected:
    UsbDetection() : sysfs(dir / "sys") {
        paths.sysfsRoot = dir / "sys";
        paths.devRoot = "/dev";
        paths.modulesRoot = dir / "lib" / "modules";
        paths.kernelRelease = "6.1.0-test";
        paths.udevRuleDirs = {dir / "etc" / "udev" / "rules.d", dir / "usr" / "lib" / "udev" / "rules.d"};
    }

    fs::path modules() const { return paths.modulesRoot / paths.kernelRelease; }

    TempDir dir;
    FakeSysfs sysfs;
    SystemPaths paths;
};

}  // namespace

TEST_F(UsbDetection, FindsTheUnitsTtyThroughItsUsbDevice) {
    sysfs.addVirtualTty("console");
    sysfs.addPlatformTty("ttyS0");
    const fs::path device = sysfs.addUsbTty("1-2", "ttyACM0");
    auto port = findUnitPort(paths);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->devicePath, "/dev/ttyACM0");
    EXPECT_EQ(port->ttyName, "ttyACM0");
    EXPECT_EQ(port->usbDevice, fs::canonical(device).string());
}

TEST_F(UsbDetection, MatchesIdsAndDescriptionIgnoringCaseOnly) {
    sysfs.addUsbTty("1-1", "ttyACM0", {"5e31", "0002", "CORVANE diagnostic tool"});    // other product
    sysfs.addUsbTty("1-2", "ttyACM1", {"1234", "0001", "CORVANE diagnostic tool"});    // other vendor
    sysfs.addUsbTty("1-3", "ttyACM2", {"5e31", "0001", "CORVANE diagnostic tool 2"});  // longer name
    sysfs.addUsbTty("1-4", "ttyACM3", {"5e31", "0001", ""});                           // no product string
    EXPECT_FALSE(findUnitPort(paths));

    sysfs.addUsbTty("1-5", "ttyACM4", {"5E31", "0001", "corvane DIAGNOSTIC tool"});
    auto port = findUnitPort(paths);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->ttyName, "ttyACM4");
}

TEST_F(UsbDetection, ListsSeveralUnitsInNumberOrder) {
    sysfs.addUsbTty("1-1", "ttyACM10");
    sysfs.addUsbTty("1-2", "ttyACM2");
    paths.devRoot = dir / "dev";
    auto ports = findUnitPorts(paths);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].devicePath, (dir / "dev" / "ttyACM2").string());
    EXPECT_EQ(ports[1].ttyName, "ttyACM10");
    EXPECT_NE(ports[0].usbDevice, ports[1].usbDevice);
}

TEST_F(UsbDetection, UsbDeviceWithoutItsTtyIsNotAPort) {
    sysfs.addUsbDevice("1-1", {});
    EXPECT_FALSE(findUnitPort(paths));
    sysfs.addTty("1-1", "ttyACM0");
    EXPECT_TRUE(findUnitPort(paths));
    sysfs.removeTty("ttyACM0");
    EXPECT_FALSE(findUnitPort(paths));

    paths.sysfsRoot = dir / "nothing-here";
    EXPECT_FALSE(findUnitPort(paths));
}

TEST_F(UsbDetection, DriverIsFoundLoadedBuiltInOrOnDisk) {
    EXPECT_FALSE(cdcAcmDriverAvailable(paths));
    writeFile(modules() / "modules.dep",
              "kernel/drivers/usb/serial/ftdi_sio.ko.xz: kernel/drivers/usb/serial/usbserial.ko.xz\n");
    writeFile(modules() / "modules.builtin", "kernel/drivers/usb/class/cdc-wdm.ko\n");
    EXPECT_FALSE(cdcAcmDriverAvailable(paths)) << "other modules are not the driver";

    writeFile(modules() / "modules.dep", "kernel/drivers/usb/class/cdc-acm.ko.zst:\n");
    EXPECT_TRUE(cdcAcmDriverAvailable(paths));
    fs::remove(modules() / "modules.dep");

    writeFile(modules() / "modules.builtin",
              "kernel/drivers/usb/class/cdc-wdm.ko\nkernel/drivers/usb/class/cdc-acm.ko\n");
    EXPECT_TRUE(cdcAcmDriverAvailable(paths));
    fs::remove(modules() / "modules.builtin");

    writeFile(modules() / "kernel/drivers/usb/class/cdc-acm.ko.xz", "");
    EXPECT_TRUE(cdcAcmDriverAvailable(paths));
    paths.kernelRelease = "5.10.0-other";
    EXPECT_FALSE(cdcAcmDriverAvailable(paths)) << "modules of another kernel do not count";

    sysfs.addLoadedModule("cdc_acm");
    EXPECT_TRUE(cdcAcmDriverAvailable(paths));
}

TEST_F(UsbDetection, RuleCountsUnlessMaskedInAnEarlierFolder) {
    EXPECT_FALSE(unitRuleInstalled(paths));
    writeFile(paths.udevRuleDirs[1] / "70-corvane.rules", "SUBSYSTEM==\"tty\"\n");
    EXPECT_TRUE(unitRuleInstalled(paths));
    fs::create_directories(paths.udevRuleDirs[0]);
    fs::create_symlink("/dev/null", paths.udevRuleDirs[0] / "70-corvane.rules");
    EXPECT_FALSE(unitRuleInstalled(paths)) << "a link to /dev/null masks the rule";
    fs::remove(paths.udevRuleDirs[0] / "70-corvane.rules");
    writeFile(paths.udevRuleDirs[0] / "70-corvane.rules", "");
    EXPECT_FALSE(unitRuleInstalled(paths)) << "so does an empty file";
    writeFile(paths.udevRuleDirs[0] / "70-corvane.rules", "# local copy\n");
    EXPECT_TRUE(unitRuleInstalled(paths));
}

TEST_F(UsbDetection, InstalledNeedsTheDriverAndTheRuleOrAPort) {
    sysfs.addUsbTty("1-1", "ttyACM0");
    EXPECT_FALSE(checkUsbInstallation(paths).installed()) << "a port without the driver";
    EXPECT_FALSE(checkUsbInstallation(paths).driverInstalled());

    sysfs.addLoadedModule("cdc_acm");
    UsbInstallation found = checkUsbInstallation(paths);
    EXPECT_TRUE(found.installed());
    EXPECT_TRUE(found.portPresent);
    EXPECT_FALSE(found.ruleInstalled);

    sysfs.removeTty("ttyACM0");
    EXPECT_FALSE(checkUsbInstallation(paths).installed()) << "the driver alone is no unit to offer";
    EXPECT_TRUE(checkUsbInstallation(paths).driverInstalled()) << "but the USB mode can run";
    writeFile(paths.udevRuleDirs[0] / "70-corvane.rules", "# rule\n");
    EXPECT_TRUE(checkUsbInstallation(paths).installed()) << "the driver and the rule, unit unplugged";

    // The offer needs the unit itself on USB: the package's rule and driver are on every
    // computer it is installed on.
    const UsbInstallation packageOnly = checkUsbInstallation(paths);
    EXPECT_FALSE(shouldOfferUsbMode({3, WindowState::Maximised}, packageOnly));
    sysfs.addUsbTty("1-1", "ttyACM0");
    const UsbInstallation unitThere = checkUsbInstallation(paths);
    EXPECT_TRUE(shouldOfferUsbMode({3, WindowState::Maximised}, unitThere));
    EXPECT_FALSE(shouldOfferUsbMode({0, WindowState::Maximised}, unitThere)) << "already in the USB mode";
    PortConfig declined(3, WindowState::Maximised);
    declined.usbOfferDeclined = true;
    EXPECT_FALSE(shouldOfferUsbMode(declined, unitThere)) << "the user said No before";
    EXPECT_FALSE(shouldOfferUsbMode({3, WindowState::Maximised}, UsbInstallation{}));
}

TEST(UsbDeviceEvent, ProductPropertyAndUnitIdentity) {
    std::uint16_t vendor = 0, product = 0;
    ASSERT_TRUE(parseUsbProductProperty("5e31/1/100", vendor, product));
    EXPECT_EQ(vendor, 0x5e31);
    EXPECT_EQ(product, 0x0001);
    for (const char* bad : {"", "5e31", "5e31/1", "zz/1/0", "5e31//0", "12345/1/0", "5e31/1x/0"})
        EXPECT_FALSE(parseUsbProductProperty(bad, vendor, product)) << bad;

    EXPECT_TRUE(isUnitDevice({"/sys/devices/x/1-1", 0x5e31, 0x0001, true}));
    EXPECT_FALSE(isUnitDevice({"/sys/devices/x/1-1", 0x5e31, 0x0002, true}));
    EXPECT_FALSE(isUnitDevice({"/sys/devices/x/1-1", 0x1234, 0x0001, true}));
    EXPECT_FALSE(isUnitDevice({"/sys/devices/x/1-1", 0x5e31, 0x0001, false})) << "unknown ids";
}
