#include "controls/corv_dialog.h"
#include "controls/corv_sys_button.h"
#include "controls/palette.h"
#include "widget_test_support.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

struct DialogFixture : ::testing::Test {
    QWidget owner;
    CCorvDialog* dialog = nullptr;
    void make(bool captionButtons) {
        dialog = new CCorvDialog(146, &owner, captionButtons);
        dialog->resize(225, 143);
        dialog->move(100, 100);
    }
    void TearDown() override { delete dialog; }
};

TEST_F(DialogFixture, PaintShowsCaptionBandFrameAndEdges) {
    make(true);
    const QImage image = render(*dialog);
    EXPECT_EQ(pixel(image, 100, 10), ColourAccent);  // caption band
    EXPECT_EQ(pixel(image, 100, 24), ColourAccent);
    EXPECT_EQ(pixel(image, 100, 60), ColourPanel);  // body
    EXPECT_EQ(pixel(image, 3, 60), ColourAccent);   // 4-pixel frame, left
    EXPECT_EQ(pixel(image, 4, 60), ColourPanel);
    EXPECT_EQ(pixel(image, 221, 60), ColourAccent);  // right
    EXPECT_EQ(pixel(image, 220, 60), ColourPanel);
    EXPECT_EQ(pixel(image, 100, 139), ColourAccent);  // bottom
    EXPECT_EQ(pixel(image, 100, 138), ColourPanel);
    EXPECT_EQ(pixel(image, 100, 0), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 224, 60), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 100, 142), ColourEdgeDark);
    EXPECT_EQ(pixel(image, 0, 60), ColourEdgeDark);
}

TEST_F(DialogFixture, CaptionButtonsAreMadeAtTheFirstPaintAtTheTopRight) {
    make(true);
    EXPECT_EQ(dialog->closeButton(), nullptr);
    render(*dialog);
    ASSERT_NE(dialog->closeButton(), nullptr);
    EXPECT_EQ(dialog->closeButton()->geometry(), QRect(204, 5, 15, 15));
    EXPECT_EQ(dialog->minimiseButton()->geometry(), QRect(185, 5, 15, 15));
    EXPECT_FALSE(dialog->closeButton()->isHidden());
}

TEST_F(DialogFixture, WithoutCaptionButtonsTheyExistButStayHidden) {
    make(false);
    render(*dialog);
    ASSERT_NE(dialog->closeButton(), nullptr);
    EXPECT_TRUE(dialog->closeButton()->isHidden());
    EXPECT_TRUE(dialog->minimiseButton()->isHidden());
}

TEST_F(DialogFixture, OnlyTheCaptionBandDrags) {
    make(true);
    press(*dialog, {50, 25});
    EXPECT_FALSE(dialog->isDragging());
    move(*dialog, {80, 60}, true);
    EXPECT_EQ(dialog->pos(), QPoint(100, 100));
    release(*dialog, {80, 60});

    press(*dialog, {50, 24});
    EXPECT_TRUE(dialog->isDragging());
    move(*dialog, {70, 30}, true);
    EXPECT_EQ(dialog->pos(), QPoint(120, 106));
    release(*dialog, {70, 30});
    EXPECT_FALSE(dialog->isDragging());
    move(*dialog, {90, 40});
    EXPECT_EQ(dialog->pos(), QPoint(120, 106));
}

TEST_F(DialogFixture, CloseButtonEndsAModalRunWithCancel) {
    make(true);
    QTimer::singleShot(0, dialog, [this] {
        render(*dialog);  // the first paint makes the caption buttons
        dialog->closeButton()->click();
    });
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog->isModalRun());
}

TEST_F(DialogFixture, EscapeCancelsAndEnterConfirms) {
    make(true);
    QTimer::singleShot(0, dialog, [this] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog, &key);
    });
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    QTimer::singleShot(0, dialog, [this] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog, &key);
    });
    EXPECT_EQ(dialog->DoModal(), IDOK);
}

TEST_F(DialogFixture, MinimisingAModalDialogTakesItsOwnerAlong) {
    owner.show();
    make(true);
    QTimer::singleShot(0, dialog, [this] {
        render(*dialog);  // the first paint makes the caption buttons
        dialog->minimiseButton()->click();
        EXPECT_TRUE(dialog->isMinimized());
        EXPECT_TRUE(owner.isMinimized());
        dialog->done(IDOK);
    });
    dialog->DoModal();
}

TEST_F(DialogFixture, AModelessDialogMinimisesAlone) {
    owner.show();
    make(true);
    dialog->show();
    render(*dialog);  // the first paint makes the caption buttons
    dialog->minimiseButton()->click();
    EXPECT_TRUE(dialog->isMinimized());
    EXPECT_FALSE(owner.isMinimized());
}

}  // namespace
}  // namespace corvane
