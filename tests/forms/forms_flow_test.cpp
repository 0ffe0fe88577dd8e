// From the unit's menu stream to the user's choices: a MenuRecord parsed from 'C' frames fills
// a menu window and a client window; a leaf press and a page-button press reach the main window
// with the numbers the unit sent.
#include "content/menu_record.h"
#include "controls/corv_button.h"
#include "controls/palette.h"
#include "forms/choose_box.h"
#include "forms/client_wnd.h"
#include "forms/menu_wnd.h"
#include "menu_stream_builder.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

using unitsim::ControlElement;
using unitsim::MenuStreamBuilder;

constexpr std::uint16_t kReadCodesId = 0x0101;
constexpr std::uint32_t kStartCode = 0x010203;

ControlElement element(std::uint8_t id, char type, std::uint8_t left, std::uint8_t top, std::uint8_t right,
                       std::uint8_t bottom, const std::string& text, std::optional<std::uint32_t> code = {}) {
    ControlElement c;
    c.id = id;
    c.type = type;
    c.left = left, c.top = top, c.right = right, c.bottom = bottom;
    c.text = text;
    c.code = code;
    return c;
}

MenuStreamBuilder workshopMenu() {
    MenuStreamBuilder m;
    m.group("Motor", 0x0100, 1)
        .item("Fehler lesen", kReadCodesId, 1)
        .item("K\xFChlung \x80", 0x0102, 6)
        .endGroup()
        .item("Batterie", 0x0201, 9);
    m.page(kReadCodesId, 0);
    m.control(element(1, 'b', 2, 2, 30, 12, "Start", kStartCode));
    m.control(element(2, 'c', 2, 14, 50, 24, "Modus|AN|AUS|\xC4nderung"));
    m.control(element(3, 'l', 2, 26, 80, 60, ""));
    return m;
}

void parseFrames(MenuRecord& record, const MenuStreamBuilder& m) {
    record.emptyBuffer();
    for (const Frame& f : m.frames(60)) record.append(f.data.data(), f.data.size());
    record.parse();
}

// Stands in for the main window: holds both panes and records what they tell it.
struct FlowFixture : ::testing::Test {
    test::MessageRecorder mainWindow;
    CMenuWnd* menu = new CMenuWnd(&mainWindow);
    CClientWnd* client = new CClientWnd(&mainWindow);
    MenuRecord record;
    std::vector<int> itemEntries;  // view entry of every item, in tree order

    FlowFixture() {
        mainWindow.resize(1000, 700);
        menu->setGeometry(10, 75, 255, 597);
        client->setGeometry(265, 75, 720, 597);
        menu->setBackColour(ColourPanel);
        menu->setBranchFaceColour(ColourAccent);
        menu->setBranchSize(30, 180);
        menu->setLeafSize(45, 200);
        menu->setIndent(30);
        mainWindow.show();
    }
    ~FlowFixture() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The outline from the tree entries, with a stack of open groups over the root.
    void buildOutline() {
        std::vector<int> stack{0};
        for (std::size_t i = 0; i < record.entryCount(); ++i) {
            const MenuTreeEntry& e = record.entry(i);
            if (e.kind == MenuTreeEntry::GroupOpen) {
                stack.push_back(menu->insertBranch(e.name, stack.back()));
            } else if (e.kind == MenuTreeEntry::Item) {
                itemEntries.push_back(menu->insertLeaf(e.name, static_cast<int>(e.id), stack.back(), 0, 32, 32));
            } else if (e.kind == MenuTreeEntry::GroupClose && stack.size() > 1) {
                stack.pop_back();
            }
        }
    }
    void openPage(std::uint32_t pageId) {
        client->resetScroll();
        MenuPage* page = record.findPage(pageId);
        ASSERT_NE(page, nullptr);
        for (auto& control : page->controls) client->addControl(*control);
    }
    // The widget of the control's field, or null while it has none.
    QWidget* windowOf(const PageControl& c) const {
        const PageField* field = client->form().field(c);
        return field ? field->widget() : nullptr;
    }
    static void click(QWidget& w) {
        const QPoint c = w.rect().center();
        test::press(w, c);
        test::release(w, c);
    }
    std::vector<test::Message> received(std::uint32_t message) const {
        std::vector<test::Message> found;
        for (const auto& m : mainWindow.messages)
            if (m.message == message) found.push_back(m);
        return found;
    }
};

TEST_F(FlowFixture, LeafAndPageButtonReachTheMainWindowWithTheUnitsNumbers) {
    const MenuStreamBuilder stream = workshopMenu();
    ASSERT_TRUE(stream.problems().empty());
    parseFrames(record, stream);
    ASSERT_EQ(record.entryCount(), 5u);
    ASSERT_EQ(record.pageCount(), 1u);
    buildOutline();
    ASSERT_EQ(itemEntries.size(), 3u);

    // The group starts closed: open it, then press its first item.
    CCorvMenu& view = menu->view();
    EXPECT_FALSE(view.button(itemEntries[0])->isVisible());
    click(*view.button(1));
    ASSERT_TRUE(view.button(itemEntries[0])->isVisible());
    EXPECT_EQ(view.button(itemEntries[0])->geometry().topLeft(), QPoint(30, 34));
    click(*view.button(itemEntries[0]));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const auto items = received(WM_MENU_ITEM);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].wParam, kReadCodesId);

    // The main window opens the page the item names; its button hands back the page code.
    openPage(static_cast<std::uint32_t>(items[0].wParam));
    MenuPage& page = *record.findPage(kReadCodesId);
    for (auto& control : page.controls) EXPECT_NE(windowOf(*control), nullptr);
    auto* start = qobject_cast<CCorvButton*>(windowOf(*page.controls[0]));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->geometry(), QRect(10, 10, 140, 50));
    click(*start);
    const auto codes = received(WM_BUTTON_CODE);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].wParam, kStartCode);

    // Closing the page takes every window off the form.
    for (auto& control : page.controls) client->removeControl(*control);
    for (auto& control : page.controls) EXPECT_EQ(windowOf(*control), nullptr);
}

TEST_F(FlowFixture, UnitTextsAreShownDecodedAndReadBackAsSent) {
    parseFrames(record, workshopMenu());
    buildOutline();
    EXPECT_EQ(menu->view().button(itemEntries[1])->text(), QString::fromUtf16(u"K\u00FChlung \u20AC"));
    EXPECT_EQ(menu->view().button(itemEntries[1])->caption(), "K\xFChlung \x80");

    openPage(kReadCodesId);
    auto* box = qobject_cast<CChooseBox*>(windowOf(*record.findPage(kReadCodesId)->controls[1]));
    ASSERT_NE(box, nullptr);
    box->selectByText("\xC4nderung");
    EXPECT_EQ(box->valueDisplay().value(), "\xC4nderung");
    EXPECT_EQ(box->currentItemText(), "\xC4nderung");
    EXPECT_EQ(box->captionText(), "Modus");
}

TEST_F(FlowFixture, ScrolledPageOpensAtTheTop) {
    parseFrames(record, workshopMenu());
    for (int i = 0; i < 3; ++i)
        sendWindowMessage(client, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(std::intptr_t{-120}), 0);
    ASSERT_EQ(client->form().pos(), QPoint(0, -30));
    openPage(kReadCodesId);
    EXPECT_EQ(client->form().pos(), QPoint(0, 0));
    EXPECT_EQ(client->verticalBar().GetPos(), 0);
}

}  // namespace
}  // namespace corvane
