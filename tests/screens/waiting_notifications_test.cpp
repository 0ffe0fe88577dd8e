// What the unit sends while the window is still busy waits whole: two values frames that each
// fill half a page are both read back, and a page code is handed to the unit even when another
// jump follows at once. The frames are exchanged while the window's event loop stands still, so
// every notification waits before the first is handled.
#include "live_page_fixture.h"

using namespace corvane;
using namespace corvane::test;

namespace {
constexpr std::uint16_t kSettings = 0x0201, kOther = 0x0202;

unitsim::MenuStreamBuilder settingsMenu(std::uint32_t settingsCode) {
    unitsim::MenuStreamBuilder m;
    m.item("Settings", kSettings, 1).item("Other", kOther, 1);
    m.page(kSettings, settingsCode);
    for (std::uint8_t id = 1; id <= 6; ++id) {
        unitsim::ControlElement edit;
        edit.id = id;
        edit.type = 'e';
        edit.left = 1;
        edit.top = static_cast<std::uint8_t>(1 + 6 * (id - 1));
        edit.right = 60;
        edit.bottom = static_cast<std::uint8_t>(edit.top + 5);
        m.control(edit);
    }
    m.page(kOther, 0);
    return m;
}

Bytes pageBytes(std::uint16_t page) {
    return Bytes{static_cast<std::uint8_t>(page >> 8), static_cast<std::uint8_t>(page)};
}
}  // namespace

class WaitingNotifications : public LivePageTest {};

TEST_F(WaitingNotifications, TwoValuesFramesThatFillOnePageAreBothReadBack) {
    handshake();
    openPage(settingsMenu(0), kOther);
    for (int round = 0; round < 5; ++round) {
        const std::string r = std::to_string(round);
        ASSERT_TRUE(unit.exchange('J', 0, pageBytes(kOther)));
        ASSERT_TRUE(unit.exchange('J', 0, pageBytes(kSettings)));
        ASSERT_TRUE(unit.exchange('D', 0, unitsim::valuesPayload(1, {"a" + r, "b" + r, "c" + r})));
        ASSERT_TRUE(unit.exchange('D', 0, unitsim::valuesPayload(4, {"d" + r, "e" + r, "f" + r})));
        const Bytes reply = readBack(1, 6);
        EXPECT_EQ(std::string(reply.begin(), reply.end()),
                  "a" + r + "|b" + r + "|c" + r + "|d" + r + "|e" + r + "|f" + r + "^")
            << "round " << round;
    }
}

TEST_F(WaitingNotifications, APageCodeReachesTheUnitThoughAnotherJumpFollowsAtOnce) {
    handshake();
    openPage(settingsMenu(0x010203), kOther);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(exchange('Y', 0));  // the unit takes any choice before: the bytes are empty again
        ASSERT_TRUE(unit.exchange('J', 0, pageBytes(kSettings)));
        ASSERT_TRUE(unit.exchange('J', 0, pageBytes(kOther)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->linkBridge().waitingCount() == 0; }, 5000));
        const std::optional<Frame> status = exchange('S', 0);
        ASSERT_TRUE(status && status->letter == 'A');
        EXPECT_EQ(Bytes(status->data.begin(), status->data.begin() + 3), (Bytes{0x01, 0x02, 0x03}))
            << "round " << round;
        EXPECT_EQ(window->pageChoices().currentPageId(), kOther);
    }
}
