// The client window: form size and bar ranges, scrolling by bar and wheel, re-layout and reset
// back to the top-left corner, and the corner square.
#include "forms/client_wnd.h"

#include "controls/palette.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QTimerEvent>

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct ClientWndFixture : ::testing::Test {
    test::MessageRecorder parent;
    CClientWnd* client = new CClientWnd(&parent);

    ClientWndFixture() {
        parent.resize(1200, 800);
        client->setGeometry(265, 75, 615, 415);  // an area of 600 x 400
        parent.show();
    }
    void wheel(int delta) {
        sendWindowMessage(client, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(delta)), 0);
    }
    // Moves a bar the way its own input does: position, then the notice to the client window.
    void scrollTo(int horizontal, int vertical) {
        client->horizontalBar().SetPos(horizontal);
        sendWindowMessage(client, WM_SCROLL_HORZ, 0, 0);
        client->verticalBar().SetPos(vertical);
        sendWindowMessage(client, WM_SCROLL_VERT, 0, 0);
    }
    QPoint formPos() { return client->form().pos(); }
};

TEST_F(ClientWndFixture, NarrowAreaGetsAnEightHundredPixelForm) {
    EXPECT_EQ(client->areaRect(), QRect(0, 0, 600, 400));
    EXPECT_EQ(client->area().geometry(), QRect(0, 0, 600, 400));
    EXPECT_EQ(client->formSize(), QSize(800, 1340));
    EXPECT_EQ(client->form().geometry(), QRect(0, 0, 800, 1340));
    EXPECT_EQ(client->horizontalBar().maximum(), 800);
    EXPECT_EQ(client->horizontalBar().page(), 600);
    EXPECT_EQ(client->verticalBar().maximum(), 1340);
    EXPECT_EQ(client->verticalBar().page(), 400);
    EXPECT_EQ(client->verticalBar().geometry(), QRect(600, 0, 15, 400));
    EXPECT_EQ(client->horizontalBar().geometry(), QRect(0, 400, 600, 15));
}

TEST_F(ClientWndFixture, WideAreaGetsAFormAsWideAsItself) {
    client->resize(1015, 615);
    EXPECT_EQ(client->formSize(), QSize(1000, 1340));
    EXPECT_EQ(client->horizontalBar().maximum(), 1000);
    EXPECT_EQ(client->horizontalBar().page(), 1000);
    EXPECT_EQ(client->verticalBar().page(), 600);
}

TEST_F(ClientWndFixture, WheelMovesTheFormByTheBarsChange) {
    PageControl control;
    control.type = 't';
    control.left = 10, control.top = 20, control.right = 30, control.bottom = 25;
    client->addControl(control);
    ASSERT_NE(client->form().field(control), nullptr);
    QWidget* window = client->form().field(control)->widget();
    wheel(-120);
    const int p = client->verticalBar().GetPos();
    EXPECT_EQ(p, 10);
    EXPECT_EQ(formPos(), QPoint(0, -p));
    // Controls keep their place on the form; in the area they lie p higher.
    EXPECT_EQ(window->pos(), QPoint(50, 100));
    EXPECT_EQ(window->mapTo(&client->area(), QPoint(0, 0)), QPoint(50, 100 - p));
    wheel(120);
    EXPECT_EQ(formPos(), QPoint(0, 0));
}

TEST_F(ClientWndFixture, ResetScrollReturnsToTheCornerOnce) {
    scrollTo(40, 300);
    EXPECT_EQ(formPos(), QPoint(-40, -300));
    EXPECT_EQ(client->scrollOffset(), QPoint(40, 300));
    client->resetScroll();
    EXPECT_EQ(formPos(), QPoint(0, 0));
    EXPECT_EQ(client->verticalBar().GetPos(), 0);
    EXPECT_EQ(client->horizontalBar().GetPos(), 0);
    EXPECT_EQ(client->scrollOffset(), QPoint(0, 0));
    client->resetScroll();
    EXPECT_EQ(formPos(), QPoint(0, 0));
    // The next bar movement measures from the corner.
    scrollTo(0, 20);
    EXPECT_EQ(formPos(), QPoint(0, -20));
}

TEST_F(ClientWndFixture, ResizeShowsTheTopLeftCornerAgain) {
    scrollTo(40, 300);
    client->resize(715, 515);
    EXPECT_EQ(formPos(), QPoint(0, 0));
    EXPECT_EQ(client->verticalBar().GetPos(), 0);
    EXPECT_EQ(client->horizontalBar().GetPos(), 0);
    scrollTo(0, 30);
    EXPECT_EQ(formPos(), QPoint(0, -30));
}

TEST_F(ClientWndFixture, CornerSquareHasTheRaisedEdges) {
    EXPECT_EQ(client->cornerRect(), QRect(600, 400, 15, 15));
    const QImage image = test::render(*client);
    EXPECT_EQ(test::pixel(image, 607, 407), ColourBlack);
    EXPECT_EQ(test::pixel(image, 607, 400), ColourEdgeLight);
    EXPECT_EQ(test::pixel(image, 614, 407), ColourEdgeLight);
    EXPECT_EQ(test::pixel(image, 600, 407), ColourEdgeDark);
    EXPECT_EQ(test::pixel(image, 607, 414), ColourEdgeDark);
    // The empty form shows the pane colour.
    EXPECT_EQ(test::pixel(image, 300, 200), ColourPane);
}

TEST_F(ClientWndFixture, AreaTallerThanTheFormShowsThePanelBelowIt) {
    client->resize(815, 1500);
    const QImage image = test::render(*client);
    EXPECT_EQ(test::pixel(image, 100, 1339), ColourPane);
    EXPECT_EQ(test::pixel(image, 100, 1340), ColourPanel);
}

// The bars' own input: clicks and a held press on an arrow and on the track move the form with
// the thumb, step for step.
TEST_F(ClientWndFixture, ClicksAndHeldPressesOnTheBarsMoveTheForm) {
    CCorvScrollBar& vertical = client->verticalBar();      // 400 long
    CCorvScrollBar& horizontal = client->horizontalBar();  // 600 long
    for (int i = 1; i <= 6; ++i) {
        test::press(vertical, {7, 392});
        test::release(vertical, {7, 392});
        EXPECT_EQ(formPos(), QPoint(0, -5 * i)) << "click " << i;
    }
    test::press(vertical, {7, 380});  // the track below the thumb
    test::release(vertical, {7, 380});
    EXPECT_EQ(formPos(), QPoint(0, -50));
    test::press(horizontal, {592, 7});
    test::release(horizontal, {592, 7});
    EXPECT_EQ(formPos(), QPoint(-5, -50));

    test::press(vertical, {7, 392});
    for (int tick = 0; tick < 10; ++tick) {
        QTimerEvent event(vertical.autoRepeatQtTimerId());
        QCoreApplication::sendEvent(&vertical, &event);
        EXPECT_EQ(formPos().y(), -vertical.GetPos()) << "tick " << tick;
    }
    test::release(vertical, {7, 392});
    EXPECT_EQ(vertical.GetPos(), 105);
    EXPECT_EQ(formPos(), QPoint(-horizontal.GetPos(), -vertical.GetPos()));
}

}  // namespace
}  // namespace corvane
