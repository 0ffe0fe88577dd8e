#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/transfer_record.h"

using corvane::TransferRecord;

namespace {
std::vector<std::uint8_t> b(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

TEST(TransferRecord, HeaderNameExtensionAndSize) {
    TransferRecord t;
    auto h = b("LOG.TXT|1200^");
    t.parseHeader(h.data(), h.size());
    EXPECT_EQ(t.fileName(), "LOG.TXT");
    EXPECT_EQ(t.extension(), "TXT");
    EXPECT_EQ(t.announcedSize(), 1200);

    auto dots = b("A.B.C|5^");
    t.parseHeader(dots.data(), dots.size());
    EXPECT_EQ(t.extension(), "C");
    auto plain = b("README|x^");
    t.parseHeader(plain.data(), plain.size());
    EXPECT_EQ(t.extension(), "README");
    EXPECT_EQ(t.announcedSize(), 0);
    auto huge = b("F|12345678901^");
    t.parseHeader(huge.data(), huge.size());
    EXPECT_EQ(t.announcedSize(), 1234567890) << "only ten characters are looked at";
    auto over = b("F|9999999999^");
    t.parseHeader(over.data(), over.size());
    EXPECT_EQ(t.announcedSize(), 2147483647) << "saturates instead of overflowing";
}

TEST(TransferRecord, ChunksAndCapacity) {
    TransferRecord t;
    std::vector<std::uint8_t> file(130);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(t.load(file.data(), file.size(), "/home/x/dump.bin"));
    EXPECT_EQ(t.fileName(), "dump.bin");
    std::uint8_t out[246];
    std::vector<std::size_t> sizes;
    std::vector<std::uint8_t> got;
    for (;;) {
        const std::size_t n = t.takeChunk(out, 60);
        sizes.push_back(n);
        got.insert(got.end(), out, out + n);
        if (n == 0) break;
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{60, 60, 10, 0}));
    EXPECT_EQ(got, file);

    std::vector<std::uint8_t> tooLong(TransferRecord::kCapacity + 1);
    EXPECT_FALSE(t.load(tooLong.data(), tooLong.size(), "big"));
    EXPECT_EQ(t.held(), 130u) << "a refused file leaves the record as it was";

    t.emptyStore();
    std::vector<std::uint8_t> block(200000, 1);
    t.append(block.data(), block.size());
    t.append(block.data(), block.size());
    EXPECT_EQ(t.held(), TransferRecord::kCapacity);
}

TEST(TransferRecord, HeaderForTheUnitFitsLimitAndReply) {
    TransferRecord t;
    std::uint8_t out[246];
    auto h = b(std::string(60, 'n') + "|7^");
    t.parseHeader(h.data(), h.size());
    ASSERT_EQ(t.buildHeader(out, sizeof out, 64), 1u);
    EXPECT_EQ(out[0], '^');
    std::size_t n = t.buildHeader(out, sizeof out, 128);
    EXPECT_EQ(std::string(out, out + n), std::string(60, 'n') + "|7^");

    // A long name with a large size would not fit one reply at the largest limit.
    std::string name(244, 'q');  // 244 + "|1^" is one byte more than a reply holds
    ASSERT_TRUE(t.load(reinterpret_cast<const std::uint8_t*>("x"), 1, name));
    n = t.buildHeader(out, sizeof out, 255);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(out[0], '^');
    ASSERT_TRUE(t.load(reinterpret_cast<const std::uint8_t*>("x"), 1, std::string(243, 'q')));
    EXPECT_EQ(t.buildHeader(out, sizeof out, 255), 246u);
}
