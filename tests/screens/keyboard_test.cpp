// The program by keyboard alone, in the real main window over a pseudo-terminal with the test
// playing the unit: keys aimed at a pop-up never reach the window behind it, Tab and the arrows
// reach every control in reading order, Enter chooses as a click does, and the focus mark shows
// after keyboard moves only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "command_payloads.h"
#include "controls/corv_button.h"
#include "controls/keyboard_focus.h"
#include "controls/palette.h"
#include "forms/choose_box.h"
#include "forms/form_fields.h"
#include "main_window_fixture.h"
#include "menu_stream_builder.h"
#include "pop_up_user.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;
using Bytes = std::basic_string<std::uint8_t>;

namespace {
constexpr std::uint16_t kEngineLive = 0x0102;
constexpr std::uint16_t kFormPage = 0x0103;

// How many pixels of the widget's picture are in the focus colour.
int highlightPixels(QWidget* w) {
    const QImage image = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == ColourHighlight;
    return n;
}

// A key as the keyboard gives it: to the window that has the keys.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWindow* target = QGuiApplication::focusWindow();
    ASSERT_NE(target, nullptr) << "no window has the keys";
    QTest::keyClick(target, key, modifiers);
}

class KeyboardTest : public ::testing::Test {
protected:
    template <typename F>
    auto asUnit(F f) {
        auto result = std::async(std::launch::async, f);
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.wait_for(0ms) == std::future_status::ready; }, 8000));
        return result.get();
    }
    void SetUp() override {
        ASSERT_TRUE(unit.ok());
        auto o = sandbox.options();
        o.portPath = unit.slavePath();
        window = sandbox.start(std::move(o));
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        asUnit([this] {
            unit.exchange('H', 1, {128});
            return unit.exchange('S', 1);
        });
        ASSERT_TRUE(waitForStatus(*window, "Corvane connected..."));
    }
    void TearDown() override { window.reset(); }

    // The three choice bytes and the box result of the next status reply.
    Bytes poll() {
        return asUnit([this] {
            const std::optional<Frame> f = unit.exchange('S', 1);
            return f && f->letter == 'A' && f->data.size() >= 4 ? Bytes(f->data.begin(), f->data.begin() + 4) : Bytes();
        });
    }
    void box(char kind, const std::string& text) {
        asUnit([&] { return unit.exchange('B', 1, unitsim::boxPayload(kind, text)); });
    }
    // The pop-up is up and has the keys.
    bool activeAndShown(QWidget* popUp) {
        return QTest::qWaitFor([&] { return popUp && popUp->isVisible() && QApplication::activeWindow() == popUp; });
    }

    MainWindowSandbox sandbox;
    PtyUnit unit;
    std::unique_ptr<TestedMainWindow> window;
};
}  // namespace

TEST_F(KeyboardTest, EnterAndEscapeOverNoticesAndTheKeyPadNeverAskToClose) {
    for (const char kind : {'t', 'w', 'p'}) {
        SCOPED_TRACE(std::string("notice ") + kind);
        box(kind, "Working...");
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->popUps().messageBox(); }));
        QPointer<QWidget> notice = window->popUps().messageBox();
        ASSERT_TRUE(activeAndShown(notice));
        // Keys that still reach the main window (a click there on a desktop) go back to the notice.
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_Return);
        ASSERT_TRUE(activeAndShown(notice));
        // Enter does not answer a notice; Escape closes it and the keys return to the window.
        press(Qt::Key_Return);
        EXPECT_TRUE(notice && notice->isVisible());
        press(Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !notice || !notice->isVisible(); }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
        asUnit([this] { return unit.exchange('Z', 1); });
    }

    box('a', "Keys");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->popUps().keyPad(); }));
    QPointer<CTransportTool> pad = window->popUps().keyPad();
    ASSERT_TRUE(activeAndShown(pad));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Enter);
    ASSERT_TRUE(activeAndShown(pad));
    // Enter presses the focused key like Space: START first, then "<<<" one Tab further on.
    press(Qt::Key_Return);
    EXPECT_EQ(poll().substr(0, 3), (Bytes{0xFE, 7, 0xFF}));
    press(Qt::Key_Tab);
    press(Qt::Key_Enter);
    EXPECT_EQ(poll().substr(0, 3), (Bytes{0xFE, 3, 0xFF}));
    press(Qt::Key_Escape);
    EXPECT_TRUE(pad && pad->isVisible()) << "the user cannot close the key pad";

    EXPECT_TRUE(sandbox.prompts().questions.empty()) << sandbox.prompts().questions.front();
}

TEST_F(KeyboardTest, TabAndArrowsReachEveryControlAndEnterChoosesLikeAClick) {
    unitsim::MenuStreamBuilder menu;
    menu.group("Engine", 1, 0).item("Live", kEngineLive, 1).endGroup();
    menu.item("Form", kFormPage, 2);
    menu.page(kEngineLive, 0);
    menu.page(kFormPage, 0);
    // Given out of reading order: the keyboard follows the places, not the order sent.
    menu.control({4, 'c', 1, 50, 60, 58, "Mode|ON|OFF", std::nullopt, 0});
    menu.control({3, 'e', 1, 40, 60, 46, "", std::nullopt, 0});
    menu.control({2, 'b', 32, 1, 60, 8, "Right", 0x010204, 0});
    menu.control({1, 'b', 1, 1, 30, 8, "Left", 0x010203, 0});
    asUnit([&] {
        for (const Frame& f : menu.frames(60)) unit.exchange(static_cast<char>(f.letter), f.sub, f.data);
        return true;
    });
    CCorvMenu& view = window->menuWindow().view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.entryCount() == 4; }));
    auto focused = [] { return QApplication::focusWidget(); };

    // The band left to right, then the menu; round again to the start, and back with Shift+Tab.
    std::vector<QWidget*> expected = {&window->comSettingButton(),
                                      &window->infoButton(),
                                      &window->minimiseButton(),
                                      &window->sizeButton(),
                                      &window->closeButton(),
                                      view.button(1),
                                      view.button(3),
                                      &window->comSettingButton()};
    for (QWidget* w : expected) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused(), w);
    }
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), view.button(3));
    EXPECT_GT(highlightPixels(view.button(3)), 0) << "no focus mark after Shift+Tab";

    // The outline: Up to the branch, Right opens it, Down into it, Left out to the branch and
    // Left again closes it.
    press(Qt::Key_Up);
    EXPECT_EQ(focused(), view.button(1));
    press(Qt::Key_Right);
    EXPECT_TRUE(view.entry(1).expanded);
    EXPECT_TRUE(view.button(1)->toggled());
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), view.button(2));
    press(Qt::Key_Left);
    EXPECT_EQ(focused(), view.button(1));
    press(Qt::Key_Left);
    EXPECT_FALSE(view.entry(1).expanded);
    EXPECT_FALSE(view.button(1)->toggled());

    // Enter on a leaf opens its page as a click does; the page's controls follow the menu in
    // reading order.
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().currentPageId() == kFormPage; }));
    auto pageWindow = [&](std::size_t index) {
        return window->pageChoices()
            .field(*window->pageChoices().menu().findPage(kFormPage)->controls[index])
            ->widget();
    };
    auto* choose = qobject_cast<CChooseBox*>(pageWindow(0));
    auto* edit = qobject_cast<CFormEdit*>(pageWindow(1));
    ASSERT_TRUE(choose && edit);
    for (QWidget* w :
         {pageWindow(3), pageWindow(2), static_cast<QWidget*>(edit), static_cast<QWidget*>(&choose->changeButton())}) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused(), w);
        EXPECT_GT(highlightPixels(w), 0) << "no focus mark on a page control";
    }

    // Enter on the Change button steps the choice box; Enter in the edit field does nothing.
    press(Qt::Key_Return);
    EXPECT_EQ(choose->currentItemText(), "OFF");
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Return);
    // Enter on a page button hands its code to the unit, as a click does.
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), pageWindow(3));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->pageChoices().busy());
    EXPECT_EQ(poll(), (Bytes{0x01, 0x02, 0x03, 0xFF}));
    EXPECT_TRUE(sandbox.prompts().questions.empty());

    // A mouse click takes the mark away; nothing focused, Enter asks the close question, and
    // Escape always does.
    QWidget* left = pageWindow(3);
    EXPECT_GT(highlightPixels(left), 0);
    QTest::mouseClick(pageWindow(2), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(highlightPixels(pageWindow(2)), 0);
    window->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(sandbox.prompts().questions.size(), 1u);
    press(Qt::Key_Escape);
    EXPECT_EQ(sandbox.prompts().questions.size(), 2u);
    // The unit is at work on the page button's code: Enter in the question would answer NO.
    EXPECT_EQ(sandbox.prompts().presets, std::vector<PresetAnswer>(2, PresetAnswer::No));
}

TEST_F(KeyboardTest, MessageBoxButtonsByTabArrowsAndEnter) {
    // Each run: the keys pressed in a question box, and the answer the unit gets.
    const std::vector<std::pair<std::vector<Qt::Key>, std::uint8_t>> runs = {
        {{Qt::Key_Return}, 3},                              // nothing moved: the first button
        {{Qt::Key_Tab, Qt::Key_Return}, 4},                 // Tab to "NO"
        {{Qt::Key_Right, Qt::Key_Left, Qt::Key_Enter}, 3},  // arrows there and back
        {{Qt::Key_Down, Qt::Key_Space}, 4},                 // Space as well
        {{Qt::Key_Escape}, 4},
    };
    // The keys come back to the control that had them when each box opened.
    moveFocusByKey(&window->infoButton());
    for (const auto& [keys, result] : runs) {
        // The box waits in a nested event loop: the user acts from a timer inside it.
        PopUpUser user;
        user.when(
            [&] {
                QWidget* b = window->popUps().messageBox();
                return b && b->isVisible() && QApplication::activeWindow() == b;
            },
            [&] {
                for (Qt::Key key : keys) press(key);
            });
        const std::uint8_t answer = asUnit([&] {
            unit.exchange('B', 1, unitsim::boxPayload('y', "Sure?"));
            const auto until = std::chrono::steady_clock::now() + 6s;
            std::uint8_t r = 0;
            while (std::chrono::steady_clock::now() < until) {
                const std::optional<Frame> f = unit.exchange('S', 1);
                r = f && f->data.size() >= 4 ? f->data[3] : 0;
                if (r == 3 || r == 4) break;
                std::this_thread::sleep_for(5ms);
            }
            unit.exchange('Z', 1);
            return r;
        });
        EXPECT_EQ(answer, result);
        EXPECT_FALSE(user.timedOut());
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &window->infoButton(); }));
    }
    EXPECT_TRUE(sandbox.prompts().questions.empty());
}
