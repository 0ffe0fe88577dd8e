#pragma once
// A running link on the slave of a pseudo-terminal, with the test as the unit.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "link/unit_link.h"
#include "pty_unit.h"
#include "recording_listener.h"

namespace corvane::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

class LinkFixture : public ::testing::Test {
protected:
    explicit LinkFixture(std::chrono::milliseconds byteTimeout = std::chrono::milliseconds(100)) : link(byteTimeout) {}

    void SetUp() override {
        ASSERT_TRUE(unit.ok());
        ASSERT_TRUE(link.openByName(unit.slavePath())) << std::strerror(link.lastOpenError());
        link.setMainWindow(&listener);
        link.startWorker();
    }
    void TearDown() override { link.close(); }

    // Handshake with the given capacity, then open the conversation with 'S'.
    void openConversation(int capacity = 128) {
        auto h = unit.exchange('H', 1, Bytes{static_cast<std::uint8_t>(capacity)});
        ASSERT_TRUE(h);
        ASSERT_EQ(h->letter, 'H');
        auto a = unit.exchange('S', 1);
        ASSERT_TRUE(a);
        ASSERT_EQ(a->letter, 'A');
    }

    Bytes status() {
        auto a = unit.exchange('S', 1);
        EXPECT_TRUE(a);
        EXPECT_EQ(a ? a->letter : 0, 'A');
        return a ? a->data : Bytes{};
    }

    void expectK(const std::optional<Frame>& f) {
        ASSERT_TRUE(f);
        EXPECT_EQ(f->letter, 'K');
        EXPECT_EQ(f->sub, 1);
        EXPECT_TRUE(f->data.empty());
    }

    // Runs `f` with the link's records locked, as a window handler does.
    template <typename F>
    auto withRecords(F f) {
        auto lock = link.lockRecords();
        return f();
    }

    PtyUnit unit;
    UnitLink link;
    RecordingListener listener;
};

}  // namespace corvane::test
