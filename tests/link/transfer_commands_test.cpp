// Files in both directions: 'N' and 'E' from the unit, 'G' and 'F' for the unit.
#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;

class TransferCommands : public LinkFixture {};

TEST_F(TransferCommands, FileFromTheUnitIsGatheredFromSubTwo) {
    openConversation();
    expectK(unit.exchange('N', 1, bytesOf("LOG.TXT|35^")));
    withRecords([&] { EXPECT_EQ(link.transferRecord().fileName(), "LOG.TXT"); });
    Bytes all;
    const std::vector<std::size_t> sizes = {10, 20, 5};
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        Bytes chunk(sizes[k]);
        for (auto& b : chunk) b = static_cast<std::uint8_t>(all.size() + (&b - chunk.data()) + 200);
        all.insert(all.end(), chunk.begin(), chunk.end());
        expectK(unit.exchange('E', k == 0 ? 2 : 0, chunk));
    }
    std::vector<std::int64_t> held;
    for (const auto& e : listener.entries()) {
        const auto* in = std::get_if<LinkTransferIn>(&e.note);
        if (!in) continue;
        EXPECT_TRUE(e.sent);
        EXPECT_EQ(in->announced, 35);
        held.push_back(in->held);
    }
    EXPECT_EQ(held, (std::vector<std::int64_t>{10, 30, 35}));
    withRecords([&] {
        const auto& t = link.transferRecord();
        EXPECT_EQ(Bytes(t.store(), t.store() + t.held()), all);
    });

    // Other commands may come between the frames of one file; only SUB 2 restarts it.
    status();
    expectK(unit.exchange('E', 0, Bytes{1}));
    withRecords([&] { EXPECT_EQ(link.transferRecord().held(), 36u); });
    expectK(unit.exchange('E', 2, Bytes{1}));
    withRecords([&] { EXPECT_EQ(link.transferRecord().held(), 1u); });
}

TEST_F(TransferCommands, FileForTheUnitIsSentInChunks) {
    auto h = unit.exchange('H', 1);  // default limit 64: chunks of 60
    ASSERT_TRUE(h);
    Bytes file(130);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(255 - i);
    ASSERT_TRUE(withRecords([&] { return link.transferRecord().load(file.data(), file.size(), "/tmp/SETUP.CFG"); }));

    auto g = unit.exchange('G', 1);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->letter, 'N');
    EXPECT_EQ(std::string(g->data.begin(), g->data.end()), "SETUP.CFG|130^");

    Bytes got;
    std::vector<std::size_t> sizes;
    for (int i = 0; i < 4; ++i) {
        auto chunk = unit.exchange('F', 1);
        ASSERT_TRUE(chunk);
        EXPECT_EQ(chunk->letter, 'I');
        sizes.push_back(chunk->data.size());
        got.insert(got.end(), chunk->data.begin(), chunk->data.end());
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{60, 60, 10, 0}));
    EXPECT_EQ(got, file);
    ASSERT_TRUE(listener.waitFor(WM_LINK_TRANSFER, 4));
    std::vector<std::int64_t> positions;
    for (const auto& e : listener.entries()) {
        const auto* out = std::get_if<LinkTransferOut>(&e.note);
        if (!out) continue;
        EXPECT_FALSE(e.sent);
        EXPECT_EQ(out->total, 130u);
        positions.push_back(static_cast<std::int64_t>(out->position));
    }
    EXPECT_EQ(positions, (std::vector<std::int64_t>{60, 120, 130, 0}));

    // 'G' restarts the sending from the first byte.
    unit.exchange('G', 1);
    auto again = unit.exchange('F', 1);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->data, Bytes(file.begin(), file.begin() + 60));
}
