#include "controls/corv_button.h"
#include "controls/corv_sys_button.h"
#include "controls/palette.h"
#include "controls/skin_faces.h"
#include "platform/resource_ids.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

// The picture a face alone would give, for comparing the button's face region.
QImage faceAlone(int w, int h, bool sunken, const QColor& c, const QColor& back) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(back);
    QPainter p(&image);
    if (sunken)
        drawSunkenFace(p, 2, 2, w - 2, h - 2, c);
    else
        drawRaisedFace(p, 2, 2, w - 2, h - 2, c);
    return image;
}

bool sameInside(const QImage& a, const QImage& b, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

struct ButtonFixture : ::testing::Test {
    MessageRecorder parent;
    CCorvButton* button = new CCorvButton;
    void SetUp() override { parent.resize(300, 200); }
    void make(unsigned style, const std::string& caption = "") {
        ASSERT_TRUE(button->Create(caption, style, 10, 10, 110, 50, &parent, 77));
        button->SetBackColour(ColourPanel);
    }
};

TEST_F(ButtonFixture, FramedBareButtonShowsOnlyItsFrameWhenIdle) {
    make(ButtonStyle::Framed | ButtonStyle::BareNormal);
    const QImage idle = render(*button);
    EXPECT_EQ(pixel(idle, 50, 0), ColourSlate);  // 2-pixel frame, normal colour
    EXPECT_EQ(pixel(idle, 99, 20), ColourSlate);
    EXPECT_EQ(pixel(idle, 98, 20), ColourSlate);
    EXPECT_EQ(pixel(idle, 0, 20), ColourSlate);
    EXPECT_EQ(pixel(idle, 1, 20), ColourSlate);
    EXPECT_EQ(pixel(idle, 50, 20), ColourPanel);  // no face
}

TEST_F(ButtonFixture, HoverGivesTheAlertFrameAndARaisedFacePressASunkenOne) {
    make(ButtonStyle::Framed | ButtonStyle::BareNormal);
    move(*button, {50, 20});
    EXPECT_EQ(button->state(), ButtonHover);
    const QImage hover = render(*button);
    EXPECT_EQ(pixel(hover, 50, 0), ColourAlert);
    EXPECT_EQ(pixel(hover, 99, 39), ColourAlert);
    EXPECT_TRUE(sameInside(hover, faceAlone(100, 40, false, ColourAccent, ColourPanel), QRect(2, 2, 96, 36)));

    press(*button, {50, 20});
    EXPECT_EQ(button->state(), ButtonPressed);
    const QImage pressed = render(*button);
    EXPECT_EQ(pixel(pressed, 50, 39), ColourBlack);  // pressed frame colour while the button is down
    EXPECT_TRUE(sameInside(pressed, faceAlone(100, 40, true, ColourAccent, ColourPanel), QRect(2, 2, 96, 36)));

    leave(*button);
    EXPECT_EQ(button->state(), ButtonNormal);
    EXPECT_EQ(pixel(render(*button), 50, 20), ColourPanel);
}

TEST_F(ButtonFixture, CaptionUsesTheNormalColourIdleAndWhiteOnHover) {
    make(ButtonStyle::PlainFace, "HHHHHH");
    button->SetFaceColours(ColourBlack, ColourBlack, ColourBlack, ColourBlack);
    // The brightest caption pixel inside the face's flat middle (the face itself is black there).
    auto brightest = [&] {
        const QImage image = render(*button);
        int best = 0;
        for (int y = 6; y < 34; ++y)
            for (int x = 6; x < 94; ++x) best = std::max(best, pixel(image, x, y).green());
        return best;
    };
    const int idle = brightest();
    EXPECT_GE(idle, 60);
    EXPECT_LE(idle, 100);
    move(*button, {50, 20});
    EXPECT_GT(brightest(), 150);
}

TEST_F(ButtonFixture, ToggleFlipsOnEveryPressAndOnDoubleClick) {
    make(ButtonStyle::Toggle, "Group");
    press(*button, {50, 20});
    release(*button, {50, 20});
    EXPECT_TRUE(button->toggled());
    leave(*button);
    const QImage checked = render(*button);
    EXPECT_EQ(pixel(checked, 8, 8), Darken(ColourAccent, 15));  // sunken face when checked
    press(*button, {50, 20});
    release(*button, {50, 20});
    EXPECT_FALSE(button->toggled());
    leave(*button);
    EXPECT_EQ(pixel(render(*button), 8, 8), ColourAccent);  // raised again
    // Press, release, double click, release: two presses.
    press(*button, {50, 20});
    release(*button, {50, 20});
    doubleClick(*button, {50, 20});
    release(*button, {50, 20});
    EXPECT_FALSE(button->toggled());
}

TEST_F(ButtonFixture, ReleaseSendsTheCodeWhereverThePointerIsButClicksOnlyOverTheButton) {
    make(ButtonStyle::PlainFace | ButtonStyle::NotifyCode, "Go");
    button->SetNotifyCode(0x123456);
    QSignalSpy commands(button, &CCorvButton::command);
    press(*button, {50, 20});
    release(*button, {50, 20});
    ASSERT_EQ(parent.count(WM_BUTTON_CODE), 1);
    EXPECT_EQ(parent.messages.back().wParam, 0x123456u);
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 77);

    press(*button, {50, 20});
    move(*button, {250, 150}, true);
    release(*button, {250, 150});
    EXPECT_EQ(parent.count(WM_BUTTON_CODE), 2);
    EXPECT_EQ(commands.count(), 1);
}

TEST_F(ButtonFixture, AdvanceWinsOverCode) {
    make(ButtonStyle::IconFace | ButtonStyle::NotifyAdvance | ButtonStyle::NotifyCode, "Change");
    press(*button, {50, 20});
    release(*button, {50, 20});
    EXPECT_EQ(parent.count(WM_BUTTON_ADVANCE), 1);
    EXPECT_EQ(parent.count(WM_BUTTON_CODE), 0);
}

TEST_F(ButtonFixture, PlainButtonsSendNoMessages) {
    make(ButtonStyle::PlainFace, "OK");
    press(*button, {50, 20});
    release(*button, {50, 20});
    EXPECT_TRUE(parent.messages.empty());
}

TEST_F(ButtonFixture, IconFaceDrawsTheIconsOfEachStateCentred) {
    make(ButtonStyle::IconFace);
    button->SetIcons(IDI_CHANGE_NORMAL, 32, 32, 0, 32, 32, IDI_CHANGE_HOVER, 32, 32);
    auto iconPixels = [&] {
        const QImage image = render(*button);
        int n = 0, minX = 1000, maxX = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                if (pixel(image, x, y) != ColourPanel) {
                    ++n;
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
        return std::tuple(n, minX, maxX);
    };
    auto [idle, idleMin, idleMax] = iconPixels();
    EXPECT_GT(idle, 20);
    EXPECT_GE(idleMin, 34);  // centred: the icon spans 34 .. 65
    EXPECT_LE(idleMax, 65);
    // Pressed with no second icon: nothing drawn.
    press(*button, {50, 20});
    EXPECT_EQ(std::get<0>(iconPixels()), 0);
}

TEST_F(ButtonFixture, BareNormalIconButtonShowsNothingUntilHovered) {
    make(ButtonStyle::IconFace | ButtonStyle::BareNormal);
    button->SetIcons(IDI_INFO, 32, 32, IDI_INFO, 32, 32, IDI_INFO, 32, 32);
    const QImage idle = render(*button);
    for (int x = 0; x < 100; x += 3) EXPECT_EQ(pixel(idle, x, 20), ColourPanel);
    move(*button, {50, 20});
    bool drawn = false;
    const QImage hover = render(*button);
    for (int x = 34; x < 66; ++x) drawn |= pixel(hover, x, 20) != ColourPanel;
    EXPECT_TRUE(drawn);
}

TEST_F(ButtonFixture, TransparentBackShowsTheParentsPixels) {
    struct Painted : QWidget {
        void paintEvent(QPaintEvent*) override {
            QPainter p(this);
            p.fillRect(rect(), QColor(10, 200, 30));
        }
    } painted;
    painted.resize(200, 100);
    ASSERT_TRUE(button->Create("", ButtonStyle::TransparentBack, 20, 20, 120, 60, &painted, 1));
    EXPECT_EQ(pixel(render(*button), 50, 20), QColor(10, 200, 30));
    button->MoveAndRecapture(0, 0, 50, 50);
    EXPECT_EQ(button->geometry(), QRect(0, 0, 50, 50));
    EXPECT_EQ(pixel(render(*button), 25, 25), QColor(10, 200, 30));
}

TEST(CCorvSysButton, CloseGlyphIsTwoPixelsThickCornerToCorner) {
    QWidget parent;
    auto* close = new CCorvSysButton;
    ASSERT_TRUE(close->Create(SysButtonClose, 0, 0, 15, &parent, 101));
    close->SetFaceColour(ColourAccent);
    const QImage image = render(*close);
    for (int i = 2; i <= 11; ++i) {
        EXPECT_EQ(pixel(image, i, i), ColourWhite) << i;
        EXPECT_EQ(pixel(image, i + 1, i), ColourWhite) << i;
        EXPECT_EQ(pixel(image, 14 - i, i), ColourWhite) << i;
        EXPECT_EQ(pixel(image, 13 - i, i), ColourWhite) << i;
    }
    EXPECT_EQ(pixel(image, 12, 12), ColourAccent);
    EXPECT_EQ(pixel(image, 7, 2), ColourAccent);
    EXPECT_EQ(pixel(image, 0, 0), ColourAccent);  // no outline when idle
}

TEST(CCorvSysButton, HoverOutlinesAndPressedGlyphOnlyWhileDown) {
    QWidget parent;
    auto* minimise = new CCorvSysButton;
    ASSERT_TRUE(minimise->Create(SysButtonMinimise, 0, 0, 15, &parent, 103));
    minimise->SetFaceColour(ColourAccent);
    minimise->SetStateColours(ColourGlyphDark, ColourAccent, ColourEdgeDark, ColourGlyphDark);
    QImage image = render(*minimise);
    EXPECT_EQ(pixel(image, 2, 10), ColourEdgeDark);
    EXPECT_EQ(pixel(image, 12, 11), ColourEdgeDark);
    EXPECT_EQ(pixel(image, 13, 10), ColourAccent);
    move(*minimise, {7, 7});
    image = render(*minimise);
    EXPECT_EQ(pixel(image, 0, 0), ColourGlyphDark);
    EXPECT_EQ(pixel(image, 14, 14), ColourGlyphDark);
    EXPECT_EQ(pixel(image, 5, 10), ColourGlyphDark);
    QSignalSpy commands(minimise, &CCorvSysButton::command);
    press(*minimise, {7, 7});
    EXPECT_EQ(pixel(render(*minimise), 5, 10), ColourAccent);  // pressed glyph colour
    release(*minimise, {7, 7});
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 103);
}

TEST(CCorvSysButton, MaximiseGlyphShowsTwoWindows) {
    QWidget parent;
    auto* maximise = new CCorvSysButton;
    ASSERT_TRUE(maximise->Create(SysButtonMaximise, 0, 0, 15, &parent, 102));
    maximise->SetFaceColour(ColourBlack);
    const QImage image = render(*maximise);
    EXPECT_EQ(pixel(image, 2, 5), ColourWhite);   // front window's title
    EXPECT_EQ(pixel(image, 10, 6), ColourWhite);  // its right side
    EXPECT_EQ(pixel(image, 2, 12), ColourWhite);  // its bottom left
    EXPECT_EQ(pixel(image, 12, 2), ColourWhite);  // back window's title
    EXPECT_EQ(pixel(image, 5, 4), ColourWhite);   // the single pixel
    EXPECT_EQ(pixel(image, 6, 9), ColourBlack);   // inside the front window
}

}  // namespace
}  // namespace corvane
