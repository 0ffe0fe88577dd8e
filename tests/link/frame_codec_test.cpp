#include <gtest/gtest.h>

#include <vector>

#include "link/frame_codec.h"
#include "link/memory_port.h"

using namespace corvane;
using Bytes = std::vector<std::uint8_t>;

TEST(FrameWriter, AcknowledgementsAndChecksums) {
    std::uint8_t out[kFrameBufferSize];
    ASSERT_EQ(encodeFrame('K', 1, nullptr, 0, out), 6u);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0x00, 0x0A, 0x02, 0x4B, 0x01, 0x4E}));
    ASSERT_EQ(encodeFrame('H', 1, nullptr, 0, out), 6u);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0x00, 0x0A, 0x02, 0x48, 0x01, 0x4B}));
    // The sum wraps: only the low 8 bits are sent.
    const Bytes data(10, 0xF0);
    ASSERT_EQ(encodeFrame('A', 1, data.data(), data.size(), out), 16u);
    EXPECT_EQ(out[15], static_cast<std::uint8_t>(12 + 'A' + 1 + 10 * 0xF0));
    // Oversize replies are refused, the largest one is built whole.
    const Bytes big(kMaxReplyData + 1, 1);
    EXPECT_EQ(encodeFrame('I', 1, big.data(), big.size(), out), 0u);
    EXPECT_EQ(encodeFrame('I', 1, big.data(), kMaxReplyData, out), kMaxReplyData + 6);
}

TEST(FrameReader, ReadsValidFramesAndRejectsBadOnes) {
    MemoryPort port;
    FrameReader reader;
    ReceivedFrame f;
    port.feed(encodeFrame('S', 1, {}));
    ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
    EXPECT_EQ(f.command, 'S');
    EXPECT_EQ(f.dataLength, 0);
    EXPECT_EQ(f.checksum, 2 + 'S' + 1);

    // A checksum off by one is dropped; the next frame is read normally.
    Bytes bad = encodeFrame('D', 1, {1, 2, 3});
    bad.back() += 1;
    port.feed(bad);
    port.feed(encodeFrame('T', 1, {'x', '^'}));
    EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);
    ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
    EXPECT_EQ(f.command, 'T');
    EXPECT_EQ(f.dataLength, 2);
    EXPECT_TRUE(port.exhausted());
    // Silence is a miss.
    EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);
}

TEST(FrameReader, RegainsStepWithoutScanning) {
    MemoryPort port(Bytes{0x0A, 0x00, 0x0A, 0x03, 'K', 0x01, 0x05, 0x53});
    FrameReader reader;
    ReceivedFrame f;
    EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);  // consumes 0x0A only
    EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);  // checksum 0x54 expected
    EXPECT_EQ(reader.held(), 0u);

    // 00 followed by something else than 0A consumes two bytes.
    MemoryPort two(Bytes{0x00, 0x07, 0x00, 0x0A, 0x02, 'S', 0x01, 0x56});
    EXPECT_EQ(reader.read(two, f), FrameReadResult::Miss);
    EXPECT_EQ(reader.read(two, f), FrameReadResult::Ok);
}

TEST(FrameReader, LengthOutsideTheFormatIsAMissWithoutReadingFurther) {
    for (std::uint8_t len : {0, 1, 252, 255}) {
        Bytes line = {0x00, 0x0A, len};
        const Bytes next = encodeFrame('S', 1, {});
        line.insert(line.end(), next.begin(), next.end());
        MemoryPort port(line);
        FrameReader reader;
        ReceivedFrame f;
        EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss) << int(len);
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok) << int(len);
        EXPECT_EQ(f.command, 'S');
    }
    // The longest legal frame carries 249 DATA bytes.
    MemoryPort port(encodeFrame('C', 0, Bytes(kMaxReceivedData, 0x41)));
    FrameReader reader;
    ReceivedFrame f;
    ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
    EXPECT_EQ(f.dataLength, kMaxReceivedData);
}

namespace {
Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
Bytes dataOf(const ReceivedFrame& f) { return Bytes(f.data.begin(), f.data.begin() + f.dataLength); }
}  // namespace

// The port hands over whatever the line delivered at once: several frames, part of one, or a
// frame among noise. Each frame must come out whole, once, in order, and with one request per
// delivery.
TEST(FrameReader, FramesJoinedSplitAndAmongNoiseInOneRead) {
    Bytes payload(40);
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i * 37 + 1);
    const Bytes c = encodeFrame('C', 0, payload), s = encodeFrame('S', 1, {});
    ReceivedFrame f;

    // Two frames in one read: the second is taken from what the first read brought.
    {
        MemoryPort port(joined({c, s}));
        FrameReader reader;
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
        EXPECT_EQ(dataOf(f), payload);
        EXPECT_EQ(reader.held(), s.size());
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
        EXPECT_EQ(f.command, 'S');
        EXPECT_EQ(port.reads(), 1u);
        EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss) << "nothing is read twice";
    }
    // A frame cut at every position, the next frame behind its second part.
    for (std::size_t cut = 1; cut < c.size(); ++cut) {
        MemoryPort port;
        port.feed(Bytes(c.begin(), c.begin() + static_cast<long>(cut)));
        port.feed(joined({Bytes(c.begin() + static_cast<long>(cut), c.end()), s}));
        FrameReader reader;
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok) << "cut at " << cut;
        EXPECT_EQ(f.command, 'C');
        EXPECT_EQ(dataOf(f), payload) << "cut at " << cut;
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok) << "cut at " << cut;
        EXPECT_EQ(f.command, 'S');
        EXPECT_EQ(port.reads(), 2u);
        EXPECT_TRUE(port.exhausted());
    }
    // Noise before and after a frame in one read is consumed attempt by attempt as on a line
    // read byte by byte: 0A, then 00 07, then 55; after the frame 00 0A 01 (LEN too small),
    // then 42. The frame in the next read is met at its first byte.
    {
        MemoryPort port(joined({Bytes{0x0A, 0x00, 0x07, 0x55}, c, Bytes{0x00, 0x0A, 0x01, 0x42}}));
        port.feed(s);
        FrameReader reader;
        for (int miss = 0; miss < 3; ++miss) EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss) << miss;
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
        EXPECT_EQ(dataOf(f), payload);
        EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);
        EXPECT_EQ(reader.held(), 1u);
        EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
        EXPECT_EQ(f.command, 'S');
        EXPECT_EQ(port.reads(), 2u);
    }
    // A frame cut off by silence is dropped; the frame after the silence is read whole.
    {
        MemoryPort port(Bytes(c.begin(), c.begin() + 20));
        FrameReader reader;
        EXPECT_EQ(reader.read(port, f), FrameReadResult::Miss);
        port.feed(c);
        ASSERT_EQ(reader.read(port, f), FrameReadResult::Ok);
        EXPECT_EQ(dataOf(f), payload);
    }
}

TEST(FrameDecoder, SameRulesAsTheReader) {
    FrameDecoder d;
    Bytes line = {0x0A, 0x00, 0x0A, 0x01};
    Bytes bad = encodeFrame('S', 1, {});
    bad.back() ^= 0xFF;
    line.insert(line.end(), bad.begin(), bad.end());
    const Bytes good = encodeFrame('A', 1, {0xFF, 0x5E});
    line.insert(line.end(), good.begin(), good.end());
    std::vector<Frame> frames;
    for (auto b : line)
        if (auto f = d.push(b)) frames.push_back(*f);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].letter, 'A');
    EXPECT_EQ(frames[0].data, (Bytes{0xFF, 0x5E}));
    EXPECT_EQ(d.rejected(), 3u);
}
