// Reading the link's verbose trace back: every record the link writes comes back as it was,
// and anything else is refused with the line it fails on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "link/trace_writer.h"
#include "trace_reader.h"
#include "trace_replay.h"

namespace corvane::unitsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A record exactly as the link's own trace writer formats it.
std::string linkRecord(const Frame& command, const Frame& reply) {
    ReceivedFrame rx;
    rx.command = command.letter;
    rx.sub = command.sub;
    rx.dataLength = static_cast<std::uint8_t>(command.data.size());
    std::copy(command.data.begin(), command.data.end(), rx.data.begin());
    rx.checksum = frameChecksum(rx.command, rx.sub, rx.data.data(), rx.dataLength);
    ReplyFrame tx;
    tx.letter = reply.letter;
    tx.sub = reply.sub;
    tx.dataLength = static_cast<std::uint8_t>(reply.data.size());
    std::copy(reply.data.begin(), reply.data.end(), tx.data.begin());
    tx.checksum = frameChecksum(tx.letter, tx.sub, tx.data.data(), tx.dataLength);
    return TraceWriter::formatRecord(rx, tx);
}

const Frame kPoll{'S', 0, {}};
const Frame kIdle{'A', 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, '^'}};
const Frame kAck{'K', 1, {}};

std::string twoRecords() { return linkRecord(kPoll, kIdle) + linkRecord(Frame{'J', 0, {0, 20}}, kAck); }

// The line number in "NAME:LINE: ..." or -1.
int errorLine(const TraceParse& p, const std::string& name = "t") {
    if (p.error.rfind(name + ":", 0) != 0) return -1;
    return std::atoi(p.error.c_str() + name.size() + 1);
}

TEST(TraceReader, ReadsBackWhatTheLinkWrites) {
    // Raw DATA may hold line ends, zero bytes and text that looks like a record head.
    const Frame text{'T', 1, {0x01, 'a', '\r', '\n', 'R', 'X', ' ', '-', ' ', 0x00, '\n', '^'}};
    Frame bigCommand{'C', 0, Bytes(kMaxReceivedData)};
    Frame bigReply{'I', 1, Bytes(kMaxReplyData)};
    for (std::size_t i = 0; i < bigCommand.data.size(); ++i) bigCommand.data[i] = static_cast<std::uint8_t>(i * 7);
    for (std::size_t i = 0; i < bigReply.data.size(); ++i) bigReply.data[i] = static_cast<std::uint8_t>(255 - i);
    const std::string trace = linkRecord(kPoll, kIdle) + linkRecord(text, kAck) + linkRecord(bigCommand, kAck) +
                              linkRecord(Frame{'F', 0, {}}, bigReply) + linkRecord(Frame{'Q', 0, {}}, kIdle) +
                              linkRecord(Frame{0x00, 0, {}}, kIdle);
    const TraceParse p = parseTrace(trace, "t");
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.records.size(), 6u);
    const std::vector<std::pair<Frame, Frame>> want = {{kPoll, kIdle},
                                                       {text, kAck},
                                                       {bigCommand, kAck},
                                                       {Frame{'F', 0, {}}, bigReply},
                                                       {Frame{'Q', 0, {}}, kIdle},
                                                       {Frame{0x00, 0, {}}, kIdle}};
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.records[i].command.letter, want[i].first.letter);
        EXPECT_EQ(p.records[i].command.sub, want[i].first.sub);
        EXPECT_EQ(p.records[i].command.data, want[i].first.data);
        EXPECT_EQ(p.records[i].reply.letter, want[i].second.letter);
        EXPECT_EQ(p.records[i].reply.data, want[i].second.data);
    }
    // Four lines a record, plus the two line feeds inside the text's raw bytes.
    EXPECT_EQ(p.records[0].line, 1);
    EXPECT_EQ(p.records[1].line, 5);
    EXPECT_EQ(p.records[2].line, 11);
}

TEST(TraceReader, ReadsTheRecordOfAStatusPollByteForByte) {
    // Written out by hand, so the reader does not only agree with the writer.
    const std::string record =
        "RX - 0x02,0x53,0x01 -  - 0x56,\r\n\t2,S,1,"
        "\r\nTX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3,\r\n\t9,A,1,"
        "\xFF\xFF\xFF\xFF\xFF\xFF\x5E\r\n";
    const TraceParse p = parseTrace(record, "t");
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0].command.letter, 'S');
    EXPECT_EQ(p.records[0].command.sub, 1);
    EXPECT_EQ(p.records[0].reply.data, (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, '^'}));
    EXPECT_EQ(traceNotation(p.records[0].reply), "0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3,");
    EXPECT_EQ(traceNotation(p.records[0].command), "0x02,0x53,0x01 -  - 0x56,");
    EXPECT_EQ(formatTraceRecord(p.records[0].command, p.records[0].reply), record);
}

TEST(TraceReader, RefusesEveryCutShortTrace) {
    const std::string whole = twoRecords();
    const std::size_t boundary = linkRecord(kPoll, kIdle).size();
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const TraceParse p = parseTrace(whole.substr(0, n), "t");
        if (n == boundary) {
            EXPECT_TRUE(p.ok) << p.error;
            EXPECT_EQ(p.records.size(), 1u);
            continue;
        }
        ASSERT_FALSE(p.ok) << "a trace cut after " << n << " bytes was taken";
        EXPECT_TRUE(p.records.empty());
        EXPECT_GE(errorLine(p), 1) << p.error;
        EXPECT_NE(p.error.find(n == 0 ? "empty" : "cut short"), std::string::npos) << n << ": " << p.error;
    }
}

struct Edit {
    const char* name;
    std::string from, to;
    int line;
    const char* reason;
};

TEST(TraceReader, RefusesEditedRecordsNamingLineAndReason) {
    const std::string good = twoRecords();
    const std::vector<Edit> edits = {
        // The reply's hex DATA changed without its checksum.
        {"hex byte", "0xFF,0x01,0x5E, - 0xA5", "0xFF,0x02,0x5E, - 0xA5", 3,
         "checksum 0xA5 does not match the frame (0xA6)"},
        // Hex and checksum changed, the raw copy left alone.
        {"raw copy", "0xFF,0x01,0x5E, - 0xA5", "0xFF,0x02,0x5E, - 0xA6", 4,
         "raw DATA byte 6 differs from the hexadecimal 0x02"},
        {"LEN", "TX - 0x09", "TX - 0x08", 3, "LEN 0x08 does not match the 7 DATA bytes"},
        {"decimal LEN", "\t9,A,1,", "\t7,A,1,", 4, "the decimal LEN does not read 9"},
        {"plain letter", "\t4,J,0,", "\t4,j,0,", 6, "the plain letter differs"},
        {"lower-case hex", "0x4A", "0x4a", 5, "upper-case hexadecimal"},
        {"line ends", "\r\n\t4,J", "\n\t4,J", 5, "CR LF TAB"},
        {"second head", "RX - 0x04,0x4A", "Rx - 0x04,0x4A", 5, "'RX - ' at the start of a record"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.name);
        std::string text = good;
        const std::size_t at = text.find(e.from);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, e.from.size(), e.to);
        const TraceParse p = parseTrace(text, "t");
        ASSERT_FALSE(p.ok);
        EXPECT_EQ(errorLine(p), e.line) << p.error;
        EXPECT_NE(p.error.find(e.reason), std::string::npos) << p.error;
    }
    // A line end added at the end, as an editor might.
    const TraceParse trailing = parseTrace(good + "\n", "t");
    EXPECT_FALSE(trailing.ok);
    EXPECT_EQ(errorLine(trailing), 9) << trailing.error;
}

TEST(TraceReader, RefusesAnotherFileAndAMissingOne) {
    const TraceParse other = parseTrace("handshake 128\nsend S 0\n", "script.scn");
    EXPECT_FALSE(other.ok);
    EXPECT_EQ(other.error, "script.scn:1: expected 'RX - ' at the start of a record");

    const TraceParse missing = loadTrace("/nonexistent-dir/Verbose.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "/nonexistent-dir/Verbose.txt: cannot be read: No such file or directory");

    char path[] = "/tmp/corvane-trace-reader-XXXXXX";  // unique: test programs run in parallel
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    std::ofstream(path, std::ios::binary) << twoRecords();
    const TraceParse loaded = loadTrace(path);
    EXPECT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(loaded.records.size(), 2u);
    std::remove(path);
}

TEST(TraceReader, CapacityIsReadFromAFullFileChunk) {
    auto chunk = [](std::size_t n) { return TraceRecord{Frame{'F', 0, {}}, Frame{'I', 1, Bytes(n, 'x')}, 0}; };
    const TraceRecord header{Frame{'G', 0, {}}, Frame{'N', 1, {'a', '|', '9', '^'}}, 0};
    // 130 bytes at the default limit of 64: 60, 60, 10, then the empty chunk.
    EXPECT_EQ(capacityFromTrace({header, chunk(60), chunk(60), chunk(10), chunk(0)}), 64);
    // A file that fits one chunk says nothing about the limit.
    EXPECT_EQ(capacityFromTrace({header, chunk(10), chunk(0)}), std::nullopt);
    // Nor do two short readings, each started again by 'G'.
    EXPECT_EQ(capacityFromTrace({header, chunk(10), chunk(0), header, chunk(10), chunk(0)}), std::nullopt);
    EXPECT_EQ(capacityFromTrace({header, chunk(124), header, chunk(124), chunk(5)}), 128);

    // Without a full chunk: 128, unless a status text of the trace needs more (a text goes only
    // while it is shorter than the capacity less 11 bytes). The choice is said.
    std::string why;
    EXPECT_EQ(replayCapacity({header, chunk(10)}, why), 128);
    EXPECT_NE(why.find("assumed: the trace does not show it"), std::string::npos) << why;
    Bytes status{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
    status.insert(status.end(), 150, 't');
    status.push_back('^');
    EXPECT_EQ(replayCapacity({header, TraceRecord{Frame{'S', 0, {}}, Frame{'A', 1, status}, 0}}, why), 162);
    EXPECT_NE(why.find("longest status text"), std::string::npos) << why;
    EXPECT_EQ(replayCapacity({header, chunk(60), chunk(60), chunk(1)}, why), 64);
}

}  // namespace
}  // namespace corvane::unitsim
