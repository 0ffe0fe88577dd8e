// The choice box: its parts, the list rules, stepping with "Change", selection by text and the
// bytes it gives back.
#include "forms/choose_box.h"

#include "controls/palette.h"
#include "forms/client_form.h"
#include "widget_test_support.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct ChooseBoxFixture : ::testing::Test {
    CClientForm form;
    PageControl control;
    CChooseBox* box = nullptr;

    ChooseBoxFixture() { form.resize(800, 1340); }
    ~ChooseBoxFixture() override {
        form.removeControl(control);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A choice box made by the form, 200 x 50 at (10, 20).
    CChooseBox& make(const std::string& text) {
        control.id = 3;
        control.type = 'c';
        control.left = 2, control.top = 4, control.right = 42, control.bottom = 14;
        control.text = text;
        form.addControl(control);
        const PageField* field = form.field(control);
        box = field ? qobject_cast<CChooseBox*>(field->widget()) : nullptr;
        if (!box) throw std::runtime_error("no choice box");
        return *box;
    }
    void change() {
        CCorvButton& b = box->changeButton();
        test::press(b, {10, 10});
        test::release(b, {10, 10});
    }
    std::string shown() { return box->valueDisplay().value(); }
};

TEST_F(ChooseBoxFixture, PartsSitBesideEachOther) {
    make("Mode|ON|OFF");
    EXPECT_EQ(box->geometry(), QRect(10, 20, 200, 50));
    EXPECT_EQ(box->valueDisplay().geometry(), QRect(0, 0, 150, 50));
    EXPECT_EQ(box->valueDisplay().controlId(), CChooseBox::kValueDisplayId);
    EXPECT_EQ(box->changeButton().geometry(), QRect(155, 0, 45, 50));
    EXPECT_EQ(box->changeButton().commandId(), CChooseBox::kChangeButtonId);
    EXPECT_EQ(box->changeButton().style(), 0x1008u);
    EXPECT_EQ(box->changeButton().caption(), "Change");
    // The strip between display and button is the box's own pane.
    const QImage image = test::render(*box);
    EXPECT_EQ(test::pixel(image, 152, 25), ColourPane);
    EXPECT_EQ(test::pixel(image, 75, 25), ColourBlack);
}

TEST_F(ChooseBoxFixture, ChangeStepsThroughTheItemsAndWraps) {
    make("Mode|ON|OFF|AUTO");
    EXPECT_EQ(box->captionText(), "Mode");
    EXPECT_EQ(box->valueDisplay().caption(), "Mode");
    ASSERT_EQ(box->itemCount(), 3);
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(box->currentItemText(), "ON") << "reads the first item before any press";
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        change();
        seen.push_back(shown());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"OFF", "AUTO", "ON", "OFF"}));
    EXPECT_EQ(box->currentItemText(), "OFF");
}

TEST_F(ChooseBoxFixture, SelectByTextMakesTheItemCurrent) {
    make("Mode|ON|OFF|AUTO");
    box->selectByText("AUTO");
    EXPECT_EQ(shown(), "AUTO");
    EXPECT_EQ(box->currentItem(), 3);
    change();
    EXPECT_EQ(shown(), "ON");
    // No match changes nothing; the match is exact.
    box->selectByText("auto");
    box->selectByText("AUT");
    EXPECT_EQ(shown(), "ON");
    EXPECT_EQ(box->currentItem(), 1);
}

TEST_F(ChooseBoxFixture, LastOfEqualItemsWins) {
    make("Gear|1|2|1|3");
    box->selectByText("1");
    EXPECT_EQ(box->currentItem(), 3);
    change();
    EXPECT_EQ(shown(), "3");
}

TEST_F(ChooseBoxFixture, OneItemOrNoneCannotChange) {
    make("Only|ONE");
    change();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(box->currentItemText(), "ONE");
    box->setItems("");
    EXPECT_EQ(box->itemCount(), 1);
    change();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(box->currentItemText(), "");
}

TEST_F(ChooseBoxFixture, ListRules) {
    make("Caption");
    box->setItems("A|B|C^D|E");
    EXPECT_EQ(box->itemCount(), 3);
    EXPECT_EQ(box->item(2), "C");

    // The 19th bar ends the reading: 19 items with text and an empty 20th.
    std::string many;
    for (int i = 1; i <= 25; ++i) many += (i > 1 ? "|" : "") + std::to_string(i);
    box->setItems(many);
    EXPECT_EQ(box->itemCount(), 20);
    EXPECT_EQ(box->item(18), "19");
    EXPECT_EQ(box->item(19), "");

    // A new list replaces the old one whole.
    box->setItems("X|Y");
    EXPECT_EQ(box->itemCount(), 2);
    EXPECT_EQ(box->item(0), "X");
    box->setItems("P|Q|R");
    EXPECT_EQ(box->item(0), "P");
    EXPECT_EQ(box->item(2), "R");
}

TEST_F(ChooseBoxFixture, ShorterListMovesTheCurrentItemBackToTheFirst) {
    make("Mode|ON|OFF|AUTO");
    box->selectByText("AUTO");
    box->setItems("YES|NO");
    EXPECT_EQ(box->currentItem(), 1);
    EXPECT_EQ(box->currentItemText(), "YES");
}

TEST_F(ChooseBoxFixture, HighBytesTravelUnchanged) {
    // Caption and items with bytes above 0x7F, undefined ones included.
    make(
        "Temp\xE9rature|20 \xB0"
        "C|\x80 5|\x81\x8D\x8F");
    EXPECT_EQ(box->captionText(), "Temp\xE9rature");
    box->selectByText("\x80 5");
    EXPECT_EQ(box->currentItemText(), "\x80 5");
    change();
    EXPECT_EQ(box->currentItemText(), "\x81\x8D\x8F");
    change();
    EXPECT_EQ(box->currentItemText(),
              "20 \xB0"
              "C");
}

}  // namespace
}  // namespace corvane
