#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>

#include "link/posix_serial_port.h"
#include "pty_unit.h"

using namespace corvane;
using namespace std::chrono_literals;

TEST(PosixSerialPort, MissingDeviceAndComNumbers) {
    PosixSerialPort port;
    EXPECT_FALSE(port.open("/dev/does-not-exist-corvane"));
    EXPECT_EQ(port.lastError(), ENOENT);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(PosixSerialPort::comDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(PosixSerialPort::comDevicePath(12), "/dev/ttyS11");
    // A file that is not a terminal cannot be configured.
    EXPECT_FALSE(port.open("/dev/null"));
    EXPECT_FALSE(port.isOpen());
}

TEST(PosixSerialPort, ExclusiveBetweenTwoOpeners) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    PosixSerialPort first, second;
    ASSERT_TRUE(first.open(unit.slavePath())) << strerror(first.lastError());
    EXPECT_FALSE(second.open(unit.slavePath()));
    EXPECT_FALSE(second.isOpen());
    first.close();
    EXPECT_TRUE(second.open(unit.slavePath())) << strerror(second.lastError());
}

TEST(PosixSerialPort, PurgesOldBytesReadsAndTimesOut) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    unit.sendBytes({1, 2, 3});  // waiting before the port is opened
    PosixSerialPort port(50ms);
    ASSERT_TRUE(port.open(unit.slavePath()));
    std::uint8_t b = 0;
    EXPECT_EQ(port.readByte(b), SerialPort::ReadResult::Timeout);
    unit.sendBytes({0x42});
    ASSERT_EQ(port.readByte(b), SerialPort::ReadResult::Data);
    EXPECT_EQ(b, 0x42);
    const std::uint8_t out[] = {9, 8, 7};
    ASSERT_TRUE(port.write(out, 3));
    EXPECT_EQ(unit.readBytes(3, 1000ms), (std::vector<std::uint8_t>{9, 8, 7}));
    port.interrupt();
    EXPECT_EQ(port.readByte(b), SerialPort::ReadResult::Interrupted);
    port.clearInterrupt();
    EXPECT_EQ(port.readByte(b), SerialPort::ReadResult::Timeout);
}

TEST(PosixSerialPort, UnpluggedLineFailsAtTheTimeOutPace) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    PosixSerialPort port(30ms);
    ASSERT_TRUE(port.open(unit.slavePath()));
    unit.closeMaster();
    std::uint8_t b;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i) EXPECT_NE(port.readByte(b), SerialPort::ReadResult::Data);
    // Three failed reads take about three time-outs instead of returning at once.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);
}
