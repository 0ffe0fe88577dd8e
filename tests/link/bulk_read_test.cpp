// The link takes whatever the line delivers at once: frames written together, a frame among
// noise, a frame that arrives in pieces. Each frame is answered once, in order.
#include <thread>

#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {
// A long per-byte time-out: the pause between the pieces of a frame below can never drop it.
class BulkReads : public LinkFixture {
protected:
    BulkReads() : LinkFixture(5000ms) {}
};

void append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }
}  // namespace

TEST_F(BulkReads, FramesTogetherAmongNoiseOrInPiecesAreEachAnsweredOnceInOrder) {
    Bytes first(249), second(249);
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = static_cast<std::uint8_t>(i * 7);
        second[i] = static_cast<std::uint8_t>(i * 11 + 3);
    }
    // Noise, the handshake, more noise, a status poll, a file's first chunk and trailing noise,
    // all in one write.
    Bytes burst = {0x0A, 0x00, 0x07};
    append(burst, encodeFrame('H', 1, Bytes{200}));
    burst.push_back(0x55);
    append(burst, encodeFrame('S', 1, {}));
    append(burst, encodeFrame('E', 2, first));
    append(burst, {0x00, 0x0A, 0x01});
    unit.sendBytes(burst);
    auto h = unit.reply();
    ASSERT_TRUE(h);
    EXPECT_EQ(h->letter, 'H');
    auto a = unit.reply();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->letter, 'A');
    expectK(unit.reply());
    EXPECT_EQ(link.replySizeLimit(), 200u);

    // The next chunk in two pieces, the second carrying a status poll behind it.
    const Bytes e = encodeFrame('E', 0, second);
    unit.sendBytes(Bytes(e.begin(), e.begin() + 100));
    // A pause so that the link usually reads the first piece on its own; what is checked holds
    // either way (the reader splits at every position in the frame reader test).
    std::this_thread::sleep_for(20ms);
    Bytes rest(e.begin() + 100, e.end());
    append(rest, encodeFrame('S', 1, {}));
    unit.sendBytes(rest);
    expectK(unit.reply());
    a = unit.reply();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->letter, 'A');
    EXPECT_FALSE(unit.reply(300ms)) << "no frame is answered twice";

    append(first, second);
    withRecords([&] {
        const auto& t = link.transferRecord();
        EXPECT_EQ(Bytes(t.store(), t.store() + t.held()), first);
    });
}
