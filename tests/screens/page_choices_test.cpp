// The unit's menu mirrored in the main window, pages opened, and choices reaching the unit,
// with a pseudo-terminal as the port and the test playing the unit on a second thread.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>

#include "forms/form_fields.h"
#include "main_window_fixture.h"
#include "menu_stream_builder.h"
#include "platform/window_message.h"
#include "platform/window_messages.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {
constexpr std::uint16_t kLivePage = 0x0102;
constexpr std::uint16_t kListPage = 0x0103;

Bytes statusBytes(std::optional<Frame> f) { return f && f->letter == 'A' ? f->data : Bytes{}; }

class PageChoicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(unit.ok());
        auto o = sandbox.options();
        o.portPath = unit.slavePath();
        window = sandbox.start(std::move(o));
        ASSERT_TRUE(window->link().isOpen());
    }
    void TearDown() override { window.reset(); }

    // Runs the unit's side on another thread while the window's event loop turns.
    template <typename F>
    auto asUnit(F f) {
        auto result = std::async(std::launch::async, f);
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.wait_for(0ms) == std::future_status::ready; }, 8000));
        return result.get();
    }
    Bytes poll() {
        return asUnit([this] { return statusBytes(unit.exchange('S', 1)); });
    }

    void sendMenu(const unitsim::MenuStreamBuilder& menu) {
        asUnit([&] {
            for (const Frame& f : menu.frames(60)) unit.exchange(static_cast<char>(f.letter), f.sub, f.data);
            return true;
        });
    }

    static unitsim::MenuStreamBuilder workshopMenu() {
        unitsim::MenuStreamBuilder m;
        m.group("Engine", 1, 0).item("Live", kLivePage, 1).item("Fault list", kListPage, 13).endGroup();
        m.item("About", 0x0201, 99);
        m.page(kLivePage, 0x000102);
        m.control({1, 't', 1, 1, 40, 4, "Live values", std::nullopt, 0});
        m.page(kListPage, 0);
        m.control({2, 'l', 1, 1, 60, 30, "", std::nullopt, 0});
        m.control({3, 'b', 1, 32, 30, 38, "Clear", 0x010203, 0});
        m.control({4, 'b', 32, 32, 40, 38, "", 0x010204, 8});
        return m;
    }

    void handshake() {
        asUnit([this] {
            unit.exchange('H', 1, Bytes{128});
            return unit.exchange('S', 1);
        });
        // The supervision shows the connection first; the menu's texts come after it.
        ASSERT_TRUE(waitForStatus(*window, "Corvane connected..."));
    }

    PageControl& control(std::uint16_t pageId, std::size_t index) {
        return *window->pageChoices().menu().findPage(pageId)->controls[index];
    }
    // The widget of the field of a page's control, or null while it has none.
    QWidget* controlWindow(std::uint16_t pageId, std::size_t index) {
        const PageField* field = window->pageChoices().field(control(pageId, index));
        return field ? field->widget() : nullptr;
    }

    MainWindowSandbox sandbox;
    PtyUnit unit;
    std::unique_ptr<TestedMainWindow> window;
};
}  // namespace

TEST_F(PageChoicesTest, MenuBuildsTheOutlineWithIconsAndAMenuSentAgainReplacesIt) {
    handshake();
    sendMenu(workshopMenu());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->menuWindow().view().entryCount() == 5; }, 10000));
    const CCorvMenu& view = window->menuWindow().view();
    EXPECT_EQ(view.entry(1).text, "Engine");
    EXPECT_EQ(view.entry(2).text, "Live");
    EXPECT_EQ(view.entry(2).parent, 1);
    EXPECT_EQ(view.entry(4).parent, 0) << "the group closing returns to the root";
    EXPECT_EQ(window->statusText(), "Corvane ready...");
    {
        const MenuContent& menu = window->pageChoices().menu();
        EXPECT_EQ(menu.entries[1].iconBitmap, 157u);                   // selector 1
        EXPECT_EQ(menu.entries[2].iconBitmap, 156u);                   // selector 13
        EXPECT_EQ(menu.entries[3].iconBitmap, 0u);                     // selector 99: unchanged
        EXPECT_EQ(menu.findPage(kListPage)->controls[2]->icon, 152u);  // style 8
    }

    // The unit opens a page, restarts and sends its menu again: one outline, one set of
    // controls, and no page of the old menu left open.
    asUnit([this] { return unit.exchange('J', 1, Bytes{0x01, 0x03}); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().currentPageId() == kListPage; }, 10000));
    QPointer<QWidget> oldList = controlWindow(kListPage, 0);
    ASSERT_FALSE(oldList.isNull());
    poll();
    sendMenu(workshopMenu());
    ASSERT_TRUE(QTest::qWaitFor([&] { return oldList.isNull(); }, 10000)) << "the old page's controls are freed";
    EXPECT_EQ(view.entryCount(), 5);
    EXPECT_EQ(window->pageChoices().currentPage(), nullptr);
    asUnit([this] { return unit.exchange('J', 1, Bytes{0x01, 0x03}); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return controlWindow(kListPage, 0) != nullptr; }, 10000));
    EXPECT_EQ(window->clientWindow().form().findChildren<CFormListBox*>().size(), 1);

    // A smaller menu leaves nothing of the bigger one, in the outline or among the pages.
    poll();
    unitsim::MenuStreamBuilder more;
    more.item("Extra", 0x0301, 2);
    more.page(0x0301, 0);
    sendMenu(more);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.entryCount() == 2; }, 10000));
    EXPECT_EQ(view.entry(1).text, "Extra");
    EXPECT_EQ(window->pageChoices().menu().findPage(kListPage), nullptr);
    EXPECT_TRUE(window->clientWindow().form().findChildren<CFormListBox*>().empty());
}

TEST_F(PageChoicesTest, DeepGroupsStayInsideTheOutline) {
    handshake();
    unitsim::MenuStreamBuilder deep;
    for (int level = 0; level < 12; ++level)
        deep.group("G" + std::to_string(level), static_cast<std::uint16_t>(level + 1), 0);
    deep.item("Deepest", 0x0401, 1);
    for (int level = 0; level < 12; ++level) deep.endGroup();
    deep.item("Top", 0x0402, 1);
    deep.page(0x0401, 0);
    sendMenu(deep);
    const CCorvMenu& view = window->menuWindow().view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.entryCount() == 15; }, 10000));
    EXPECT_EQ(view.entry(13).parent, 9) << "entries below the ninth group sit at the deepest level";
    EXPECT_EQ(view.entry(14).parent, 0) << "every group closing is matched";
}

TEST_F(PageChoicesTest, LeafPageButtonAndKeyPadReachTheUnit) {
    handshake();
    sendMenu(workshopMenu());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->menuWindow().view().entryCount() == 5; }, 10000));

    // A leaf with a page code: the code travels with zero bytes as 0xFF, the window is busy.
    postWindowMessage(window.get(), WM_MENU_ITEM, kLivePage);
    ASSERT_TRUE(waitForStatus(*window, "Function in progress, please wait..."));
    EXPECT_FALSE(window->readyLampShown());
    EXPECT_TRUE(window->busyBarRunning());
    EXPECT_NE(controlWindow(kLivePage, 0), nullptr);
    Bytes s = poll();
    ASSERT_GE(s.size(), 7u);
    EXPECT_EQ(Bytes(s.begin(), s.begin() + 6), (Bytes{0xFF, 0x01, 0x02, 0xFF, 0xFF, 0x01}));

    // A leaf while busy changes nothing; the unit may still open a page.
    postWindowMessage(window.get(), WM_MENU_ITEM, kListPage);
    QCoreApplication::sendPostedEvents(window.get());  // handled now
    EXPECT_EQ(window->pageChoices().currentPageId(), kLivePage);

    asUnit([this] { return unit.exchange('Y', 1); });
    ASSERT_TRUE(waitForStatus(*window, "Corvane ready..."));
    EXPECT_TRUE(window->readyLampShown());
    EXPECT_FALSE(window->busyBarRunning());

    // The unit opens the list page: the live page's controls go, the list page's come.
    asUnit([this] { return unit.exchange('J', 1, Bytes{0x01, 0x03}); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().currentPageId() == kListPage; }, 10000));
    EXPECT_EQ(controlWindow(kLivePage, 0), nullptr);
    auto* list = qobject_cast<CFormListBox*>(controlWindow(kListPage, 0));
    ASSERT_NE(list, nullptr);
    list->addLine("P0300");
    list->addLine(
        "B\xC4"
        "ttery \x80");
    list->setCurrentRow(1);

    // The page button's code travels unchanged with the list line, byte for byte.
    auto* button = controlWindow(kListPage, 1);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(waitForStatus(*window, "Function in progress, please wait..."));
    s = poll();
    const Bytes expected = {0x01, 0x02, 0x03, 0xFF, 0x02, 0x01, 'B', 0xC4, 't', 't', 'e', 'r', 'y', ' ', 0x80, '^'};
    EXPECT_EQ(s, expected);

    // Key-pad keys are taken in any state; ESC ends the busy state without redrawing it.
    postWindowMessage(window.get(), WM_KEYPAD_KEY, 1);
    QCoreApplication::sendPostedEvents(window.get());
    s = poll();
    EXPECT_EQ(Bytes(s.begin(), s.begin() + 3), (Bytes{0xFE, 0x01, 0xFF}));
    EXPECT_EQ(s[4], 0xFF);
    postWindowMessage(window.get(), WM_KEYPAD_KEY, 0xFF);
    QCoreApplication::sendPostedEvents(window.get());
    s = poll();
    EXPECT_EQ(Bytes(s.begin(), s.begin() + 3), (Bytes{0xFF, 0xFF, 0xFF}));
    postWindowMessage(window.get(), WM_KEYPAD_KEY, 9);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->pageChoices().busy(); }, 10000));
    EXPECT_EQ(window->statusText(), "Function in progress, please wait...");
}

TEST_F(PageChoicesTest, ChoicesWhileTheWorkerWaitsForTheWindowArriveWholeAndInOrder) {
    handshake();
    sendMenu(workshopMenu());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->menuWindow().view().entryCount() == 5; }, 10000));
    postWindowMessage(window.get(), WM_MENU_ITEM, kLivePage);
    ASSERT_TRUE(waitForStatus(*window, "Function in progress, please wait..."));

    // 'Y' is a sent notification: the worker now holds LinkLock and waits for this thread,
    // which does not turn its event loop yet.
    auto taken = std::async(std::launch::async, [this] { return unit.exchange('Y', 1); });
    const auto waitStart = std::chrono::steady_clock::now();
    while (!window->link().waitingForWindow() && std::chrono::steady_clock::now() - waitStart < 10s)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(window->link().waitingForWindow()) << "the worker never sent its notification";
    // Were the window to wait for LinkLock here, it would wait for ever: the bound only turns
    // that hang into a failure, with room for a loaded machine.
    const auto start = std::chrono::steady_clock::now();
    window->pageChoices().onKeyPadKey(4);
    window->pageChoices().onKeyPadKey(6);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "the window never waits for LinkLock";
    EXPECT_TRUE(window->link().waitingForWindow()) << "the worker is still waiting for the window";
    EXPECT_EQ(taken.wait_for(0ms), std::future_status::timeout);

    ASSERT_TRUE(QTest::qWaitFor([&] { return taken.wait_for(0ms) == std::future_status::ready; }, 5000));
    auto k = taken.get();
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    const Bytes s = poll();
    EXPECT_EQ(Bytes(s.begin(), s.begin() + 5), (Bytes{0xFE, 0x06, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(window->statusText(), "Corvane ready...");
}
