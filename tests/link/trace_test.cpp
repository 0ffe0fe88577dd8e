#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "file_size_limit.h"
#include "link/trace_writer.h"
#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;

namespace {
std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
std::string tempPath(const char* name) { return std::string(::testing::TempDir()) + name; }
}  // namespace

TEST(TraceWriter, StatusPollRecordIsByteExact) {
    ReceivedFrame rx;
    rx.command = 'S';
    rx.sub = 1;
    rx.dataLength = 0;
    rx.checksum = 0x56;
    ReplyFrame tx;
    tx.letter = 'A';
    tx.sub = 1;
    tx.dataLength = 7;
    for (int i = 0; i < 6; ++i) tx.data[i] = 0xFF;
    tx.data[6] = 0x5E;
    tx.checksum = 0xA3;
    const std::string expected =
        "RX - 0x02,0x53,0x01 -  - 0x56,\r\n\t2,S,1,"
        "\r\nTX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3,\r\n\t9,A,1,"
        "\xFF\xFF\xFF\xFF\xFF\xFF\x5E\r\n";
    EXPECT_EQ(TraceWriter::formatRecord(rx, tx), expected);
}

TEST(TraceWriter, ACommandLetterZeroIsWrittenAsAByteAndTheRecordGoesOn) {
    // A letter outside the command table is answered (with the previous reply) and traced
    // like any other, also the byte 0x00.
    ReceivedFrame rx;
    rx.command = 0x00;
    rx.sub = 0x00;
    rx.checksum = 0x02;
    ReplyFrame tx;
    tx.letter = 'K';
    tx.sub = 1;
    tx.checksum = 0x4E;
    const std::string expected = std::string("RX - 0x02,0x00,0x00 -  - 0x02,\r\n\t2,\0,0,", 39) +
                                 "\r\nTX - 0x02,0x4B,0x01 -  - 0x4E,\r\n\t2,K,1,\r\n";
    EXPECT_EQ(TraceWriter::formatRecord(rx, tx), expected);
}

TEST(TraceWriter, AFileFullInTheMiddleOfARecordEndsTheTraceOnItsLastWholeRecord) {
    const std::string path = tempPath("corvane-trace-cut.txt");
    TraceWriter trace;
    ASSERT_TRUE(trace.open(path));
    ReceivedFrame rx;
    rx.command = 'S';
    rx.sub = 1;
    ReplyFrame tx;
    tx.letter = 'A';
    tx.sub = 1;
    tx.dataLength = 7;
    trace.writeRecord(rx, tx);
    const std::string whole = readFile(path);
    ASSERT_EQ(whole, TraceWriter::formatRecord(rx, tx));
    {
        // The file takes ten more bytes of the next record, then the disk is full.
        FileSizeLimit noRoom(whole.size() + 10);
        trace.writeRecord(rx, tx);
    }
    EXPECT_FALSE(trace.isOpen());
    const auto failure = trace.takeFailure();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, EFBIG);
    EXPECT_EQ(readFile(path), whole) << "the part of the record the file took is cut away";
    ::unlink(path.c_str());
}

class Trace : public LinkFixture {};

TEST_F(Trace, RecordsEachDispatchedCommandButNotTheHandshake) {
    const std::string path = tempPath("corvane-trace.txt");
    ASSERT_TRUE(link.openTrace(path));
    unit.exchange('H', 1, Bytes{0x80});
    unit.exchange('S', 1);
    unit.exchange('T', 1, Bytes{0x01, 0x00, 0x0A, '^'});
    // A record is written after its reply goes out: one more exchange makes sure it is there.
    unit.exchange('S', 1);
    link.closeTrace();
    const std::string text = readFile(path);
    EXPECT_EQ(text.find("0x48"), std::string::npos) << "handshake frames are not traced";
    EXPECT_EQ(text.rfind("RX - 0x02,0x53,0x01 -  - 0x56,\r\n\t2,S,1,\r\nTX - 0x09,0x41,0x01 - ", 0), 0u);
    // Raw DATA bytes are copied unchanged, zero bytes included.
    EXPECT_NE(text.find(std::string("\t6,T,1,\x01\x00\x0A^", 11)), std::string::npos);

    // Switching on again with the same name starts the file afresh.
    ASSERT_TRUE(link.openTrace(path));
    unit.exchange('S', 1);
    unit.exchange('S', 1);
    link.closeTrace();
    const std::string again = readFile(path);
    EXPECT_EQ(again.find("T,1"), std::string::npos);
    EXPECT_EQ(again.rfind("RX - 0x02,0x53", 0), 0u);

    EXPECT_FALSE(link.openTrace("/nonexistent-dir/trace.txt"));
    EXPECT_FALSE(link.traceOpen());
    EXPECT_EQ(link.traceOpenError(), ENOENT);
    unit.exchange('S', 1);  // no trace open: nothing happens

    // Only a file takes the trace: a FIFO nobody reads would block the program as it opens,
    // a device would swallow the records.
    const std::string fifo = tempPath("corvane-trace-fifo");
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& special : {fifo, std::string("/dev/null")}) {
        EXPECT_FALSE(link.openTrace(special)) << special;
        EXPECT_EQ(link.traceOpenError(), TraceWriter::kNotRegularFile);
    }
    EXPECT_EQ(TraceWriter::describeError(TraceWriter::kNotRegularFile), "it is not a regular file");
    ::unlink(fifo.c_str());
}

TEST_F(Trace, FileThatTakesNoDataClosesTheTraceOnceAndTheLinkGoesOn) {
    openConversation();
    const std::string full = tempPath("corvane-trace-full.txt");
    ASSERT_TRUE(link.openTrace(full));
    EXPECT_FALSE(link.takeTraceFailure());
    {
        // Files may not grow while it lives: the trace file takes no record, as on a full disk.
        FileSizeLimit noRoom(0);
        const Bytes before = status();
        // The record of that poll is written after its reply: the next exchange waits for it.
        const Bytes after = status();
        EXPECT_EQ(before, after);
    }
    EXPECT_FALSE(link.traceOpen()) << "the trace closed itself";
    const auto failure = link.takeTraceFailure();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, full);
    EXPECT_EQ(failure->error, EFBIG);
    EXPECT_FALSE(link.takeTraceFailure()) << "told once";
    expectK(unit.exchange('T', 1,
                          bytesOf("\x09"
                                  "still here^")));
    status();  // the step of 'T' has ended (its record would come after its reply)
    EXPECT_FALSE(link.takeTraceFailure());

    // A trace switched on again works as before.
    const std::string path = tempPath("corvane-trace-after-full.txt");
    ASSERT_TRUE(link.openTrace(path));
    status();
    status();
    link.closeTrace();
    EXPECT_EQ(readFile(path).rfind("RX - 0x02,0x53", 0), 0u);
    ::unlink(full.c_str());
}
