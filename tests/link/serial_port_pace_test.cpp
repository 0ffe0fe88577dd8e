// The port takes waiting bytes without waiting, yet still waits for a byte that is not there
// yet, lets a stop request win over waiting bytes, and writes whole replies when the line's
// buffer is full.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <vector>

#include "link/posix_serial_port.h"
#include "pty_unit.h"

using namespace corvane;
using namespace std::chrono_literals;
using Result = SerialPort::ReadResult;

TEST(PosixSerialPortPace, WaitingBytesAreReadInOrderAndALateByteIsAwaited) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    PosixSerialPort port(2000ms);
    ASSERT_TRUE(port.open(unit.slavePath()));
    unit.sendBytes({0x00, 0x0A, 0x02, 'S', 0x01, 0x56});
    std::vector<std::uint8_t> got(6);
    for (auto& b : got) ASSERT_EQ(port.readByte(b), Result::Data);
    EXPECT_EQ(got, (std::vector<std::uint8_t>{0x00, 0x0A, 0x02, 'S', 0x01, 0x56}));

    // Nothing waiting: the read blocks until the byte comes (well inside the time-out).
    auto late = std::async(std::launch::async, [&] {
        std::uint8_t b = 0;
        const Result r = port.readByte(b);
        return r == Result::Data ? int{b} : -1;
    });
    EXPECT_EQ(late.wait_for(100ms), std::future_status::timeout) << "returned before any byte came";
    unit.sendBytes({0x77});
    ASSERT_EQ(late.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(late.get(), 0x77);
}

TEST(PosixSerialPortPace, StopWinsOverWaitingBytesWhichStayForTheNextWorker) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    PosixSerialPort port(200ms);
    ASSERT_TRUE(port.open(unit.slavePath()));
    unit.sendBytes({1, 2, 3});
    std::uint8_t b = 0;
    ASSERT_EQ(port.readByte(b), Result::Data);
    port.interrupt();
    EXPECT_EQ(port.readByte(b), Result::Interrupted);
    EXPECT_EQ(port.readByte(b), Result::Interrupted) << "stays interrupted until cleared";
    port.clearInterrupt();
    ASSERT_EQ(port.readByte(b), Result::Data);
    EXPECT_EQ(b, 2);
    ASSERT_EQ(port.readByte(b), Result::Data);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(port.readByte(b), Result::Timeout);
}

TEST(PosixSerialPortPace, WriteLargerThanTheLineBufferArrivesWhole) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    PosixSerialPort port(500ms);
    ASSERT_TRUE(port.open(unit.slavePath()));
    std::vector<std::uint8_t> out(256 * 1024);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    // The unit reads while the port writes; the pseudo-terminal holds far less than this.
    auto reader = std::async(std::launch::async, [&] { return unit.readBytes(out.size(), 20s); });
    EXPECT_TRUE(port.write(out.data(), out.size()));
    EXPECT_TRUE(reader.get() == out);
}
