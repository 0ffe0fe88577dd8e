// The serial devices offered by name: which ttys are listed, how each is named, its stable
// path and whether it may be opened.
#include <gtest/gtest.h>

#include "shell/serial_devices.h"
#include "fake_sysfs.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

// A sysfs tree and a /dev folder with nodes and udev's by-id links, as on a machine with two
// adapters, a CDC-ACM board, the unit and a serial card plugged in.
class SerialDeviceList : public ::testing::Test {
protected:
    SerialDeviceList() : sysfs(dir / "sys") {
        paths.sysfsRoot = dir / "sys";
        paths.devRoot = dir / "dev";
        sysfs.addVirtualTty("console");
        sysfs.addPlatformTty("ttyS0");
        sysfs.addUsbSerialTty("1-3", "ttyUSB10", {"0403", "6001", "FT232R USB UART", "FTDI", "A50285BI"});
        sysfs.addUsbSerialTty("1-4", "ttyUSB2", {"1a86", "7523", "USB Serial", "", ""});
        sysfs.addUsbTty("1-5", "ttyACM1", {"2341", "0043", "Arduino Uno", "Arduino LLC", "7563331"});
        sysfs.addUsbTty("1-6", "ttyACM0", {"5e31", "0001", "CORVANE diagnostic tool", "Corvane", "U0042"});
        sysfs.addPciTty("ttyS4");
        for (const char* node : {"ttyS0", "ttyS4", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyACM1", "console"})
            writeFile(paths.devRoot / node, "");
        fs::create_directories(paths.devRoot / "serial" / "by-id");
        fs::create_symlink("../../ttyUSB10", byId("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
        fs::create_symlink("../../ttyACM0", byId("usb-Corvane_CORVANE_diagnostic_tool_U0042-if00"));
    }

    fs::path byId(const std::string& name) const { return paths.devRoot / "serial" / "by-id" / name; }

    TempDir dir;
    FakeSysfs sysfs;
    SystemPaths paths;
    // Runs as root in CI, where every node may be opened: the check is the test's.
    AccessCheck deniedForUsb2 = [this](const std::string& node) {
        return node != (paths.devRoot / "ttyUSB2").string();
    };
};

}  // namespace

TEST_F(SerialDeviceList, ListsUsbAndPciPortsByNameWithStablePathAndAccess) {
    const std::vector<SerialDevice> devices = listSerialDevices(paths, deniedForUsb2);
    std::vector<std::string> names;
    for (const SerialDevice& device : devices) names.push_back(device.displayName());
    // No console, pty or motherboard port; ttyUSB2 before ttyUSB10.
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Corvane unit (U0042) - ttyACM0",
                         "Arduino Uno (7563331) - ttyACM1",
                         "PCI serial port - ttyS4",
                         "USB Serial - ttyUSB2",
                         "FTDI FT232R USB UART (A50285BI) - ttyUSB10",
                     }));
    ASSERT_EQ(devices.size(), 5u);
    EXPECT_TRUE(devices[0].isUnit);
    EXPECT_FALSE(devices[1].isUnit);
    EXPECT_EQ(devices[0].stablePath, byId("usb-Corvane_CORVANE_diagnostic_tool_U0042-if00").string());
    EXPECT_EQ(devices[4].stablePath, byId("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string());
    // Without a udev link the node is what is remembered.
    EXPECT_EQ(devices[3].stablePath, (paths.devRoot / "ttyUSB2").string());
    EXPECT_FALSE(devices[3].mayOpen);
    EXPECT_TRUE(devices[4].mayOpen);

    // Found again by its stable path, its node, or any link to the node.
    fs::create_symlink(paths.devRoot / "ttyUSB10", dir / "my-adapter");
    for (const fs::path& path :
         {byId("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"), paths.devRoot / "ttyUSB10", dir / "my-adapter"}) {
        const std::optional<SerialDevice> found = findSerialDevice(devices, path.string());
        ASSERT_TRUE(found) << path;
        EXPECT_EQ(found->ttyName, "ttyUSB10");
    }
    EXPECT_FALSE(findSerialDevice(devices, byId("usb-gone-if00").string()));
    EXPECT_FALSE(findSerialDevice(devices, (paths.devRoot / "ttyS0").string()));

    // What --list-ports prints of each.
    const std::string text = formatSerialDeviceList(devices);
    EXPECT_NE(text.find("FTDI FT232R USB UART (A50285BI) - ttyUSB10\n    node:        " +
                        (paths.devRoot / "ttyUSB10").string() + "\n    stable path: " +
                        byId("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string() + "\n    may open:    yes\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("USB Serial - ttyUSB2\n"), std::string::npos);
    EXPECT_NE(text.find("    may open:    no, permission denied\n"), std::string::npos);
}

TEST_F(SerialDeviceList, DescriptorStringsShowOnlyCharactersThatShow) {
    // A C0 escape, a C1 control (CSI), a right-to-left override, a bad byte and a cut-off
    // character in the product; a serial number that reaches the length cap mid-character.
    sysfs.addUsbSerialTty("1-7", "ttyUSB3",
                          {"067b", "2303",
                           "Bad\x1b[2J\xc2\x9b"
                           "31m Caf\xc3\xa9 \xe2\x80\xae"
                           "evil\xff\xe2\x80",
                           "", std::string(79, 'S') + "\xc3\xa9" + std::string(10, 'S')});
    const std::optional<SerialDevice> found =
        findSerialDevice(listSerialDevices(paths), (paths.devRoot / "ttyUSB3").string());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->product, "Bad[2J31m Caf\xc3\xa9 evil");
    EXPECT_EQ(found->serial, std::string(79, 'S'));
    EXPECT_EQ(found->displayName(), "Bad[2J31m Caf\xc3\xa9 evil (" + std::string(79, 'S') + ") - ttyUSB3");
}

TEST_F(SerialDeviceList, NumberedPortsWithAChipBehindThemAreListedFirst) {
    writeFile(sysfs.root() / "class" / "tty" / "ttyS0" / "type", "4\n");  // a 16550A
    for (const char* name : {"ttyS1", "ttyS2", "ttyS3"}) sysfs.addPlatformTty(name);
    writeFile(sysfs.root() / "class" / "tty" / "ttyS1" / "type", "0\n");  // announced, no chip
    writeFile(sysfs.root() / "class" / "tty" / "ttyS3" / "type", "4\n");
    for (const char* node : {"ttyS1", "ttyS3"}) writeFile(paths.devRoot / node, "");  // ttyS2: no node

    const std::vector<SerialDevice> numbered = listNumberedPorts(paths, deniedForUsb2);
    ASSERT_EQ(numbered.size(), 2u);
    EXPECT_EQ(numbered[0].comNumber, 1);
    EXPECT_EQ(numbered[1].comNumber, 4);
    EXPECT_EQ(numbered[1].displayName(), "COM4, numbered port - ttyS3");
    // The serial card's ttyS4 is listed by name, not as a numbered port.
    std::vector<SerialDevice> all = numbered;
    for (SerialDevice& d : listSerialDevices(paths, deniedForUsb2)) all.push_back(std::move(d));
    const std::string text = formatSerialDeviceList(all);
    EXPECT_EQ(text.rfind("COM1, numbered port - ttyS0\n    node:        " + (paths.devRoot / "ttyS0").string() +
                             "\n    stable path: " + (paths.devRoot / "ttyS0").string() + "\n    may open:    yes\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("PCI serial port - ttyS4\n"), std::string::npos) << text;
}
