#include "controls/corv_button.h"
#include "controls/corv_message_box.h"
#include "controls/corv_progress.h"
#include "controls/corv_sys_button.h"
#include "controls/corv_work_bar.h"
#include "widget_test_support.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

using Lines = std::array<std::string, 3>;

TEST(MessageBoxLines, CarriageReturnsSplitTheTextIntoAtMostThreeLines) {
    EXPECT_EQ(CCorvMessageBox::splitLines("one\r\ntwo\r\nthree\r\nfour"), (Lines{"one", "two", "three"}));
    const std::string longLine(300, 'x');
    EXPECT_EQ(CCorvMessageBox::splitLines(longLine), (Lines{longLine, "", ""}));
    EXPECT_EQ(CCorvMessageBox::splitLines("a\nb"), (Lines{"a\nb", "", ""}));
    EXPECT_EQ(CCorvMessageBox::splitLines("a\r\n\r\nc"), (Lines{"a", "", "c"}));
}

TEST(MessageBoxLines, ALoneCarriageReturnKeepsTheNextCharacter) {
    EXPECT_EQ(CCorvMessageBox::splitLines("a\rbc"), (Lines{"a", "bc", ""}));
    EXPECT_EQ(CCorvMessageBox::splitLines("end\r"), (Lines{"end", "", ""}));
}

TEST(MessageBoxGeometry, CentredOverTheOwnersOuterRectangle) {
    EXPECT_EQ(CCorvMessageBox::centredOver(QRect(QPoint(100, 100), QPoint(899, 699)), QSize(450, 150)),
              QPoint(275, 325));
}

struct MessageBoxFixture : ::testing::Test {
    QWidget owner;
    void SetUp() override { owner.setGeometry(100, 100, 800, 600); }
    // Clicks one of the box's buttons as soon as its modal run has started.
    void clickWhenRunning(CCorvMessageBox& box, std::function<QAbstractButton*()> which) {
        QTimer::singleShot(0, &box, [&box, which] {
            render(box);  // the first paint makes the caption buttons
            which()->click();
        });
    }
};

TEST_F(MessageBoxFixture, YesNoBoxLayoutAndResults) {
    CCorvMessageBox box("Erase the codes?\r\nThe engine must be off.", MessageBoxYesNo, &owner);
    clickWhenRunning(box, [&] { return box.leftButton(); });
    EXPECT_EQ(box.RunModal(), IDOK);
    EXPECT_EQ(box.geometry(), QRect(275, 325, 450, 150));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("CORVANE"));
    EXPECT_EQ(box.leftButton()->geometry(), QRect(20, 100, 190, 30));
    EXPECT_EQ(box.rightButton()->geometry(), QRect(240, 100, 190, 30));
    EXPECT_EQ(box.leftButton()->caption(), "YES");
    EXPECT_EQ(box.rightButton()->caption(), "NO");
    EXPECT_EQ(box.leftButton()->style(), 0x14u);
    EXPECT_EQ(box.textLine(0).geometry(), QRect(20, 30, 410, 19));
    EXPECT_EQ(box.textLine(2).geometry(), QRect(20, 70, 410, 19));
    EXPECT_EQ(box.textLine(1).text(), "The engine must be off.");
    EXPECT_EQ(box.textLine(2).text(), "");
}

TEST_F(MessageBoxFixture, NoAndTheCloseButtonCancel) {
    CCorvMessageBox no("Continue?", MessageBoxYesNo, &owner);
    clickWhenRunning(no, [&] { return no.rightButton(); });
    EXPECT_EQ(no.RunModal(), IDCANCEL);
    CCorvMessageBox closed("Continue?", MessageBoxYesNo, &owner);
    clickWhenRunning(closed, [&] { return closed.closeButton(); });
    EXPECT_EQ(closed.RunModal(), IDCANCEL);
}

TEST_F(MessageBoxFixture, ComputerOrUnitBoxAnswersLikeYesNo) {
    CCorvMessageBox computer("Where is the file?", MessageBoxComputerUnit, &owner);
    clickWhenRunning(computer, [&] { return computer.leftButton(); });
    EXPECT_EQ(computer.RunModal(), IDOK);
    EXPECT_EQ(computer.leftButton()->caption(), "COMPUTER");
    CCorvMessageBox unit("Where is the file?", MessageBoxComputerUnit, &owner);
    clickWhenRunning(unit, [&] { return unit.rightButton(); });
    EXPECT_EQ(unit.RunModal(), IDCANCEL);
    EXPECT_EQ(unit.rightButton()->caption(), "CORVANE");
}

TEST_F(MessageBoxFixture, OkBoxHasOneCentredButton) {
    CCorvMessageBox box("Done.", MessageBoxOk, &owner);
    clickWhenRunning(box, [&] { return box.centreButton(); });
    EXPECT_EQ(box.RunModal(), IDOK);
    EXPECT_EQ(box.centreButton()->geometry(), QRect(130, 100, 190, 30));
    EXPECT_EQ(box.leftButton(), nullptr);
}

TEST_F(MessageBoxFixture, TypesThatDoNotWaitReturnAtOnceFromAModalRun) {
    for (int type : {MessageBoxText, MessageBoxBusy, MessageBoxProgress}) {
        CCorvMessageBox box("Working", type, &owner);
        box.hide();
        EXPECT_EQ(box.RunModal(), IDOK) << type;
        EXPECT_FALSE(box.isModalRun());
    }
}

TEST_F(MessageBoxFixture, ProgressBoxIsFedAndOtherTypesIgnoreTheFeed) {
    CCorvMessageBox progress("Loading", MessageBoxProgress, &owner);
    ASSERT_NE(progress.progressBar(), nullptr);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.progressBar()->geometry(), QRect(20, 100, 410, 30));
    progress.SetProgressRange(0, 200);
    progress.SetProgressPos(50);
    EXPECT_EQ(progress.progressBar()->position(), 50);
    EXPECT_EQ(progress.progressBar()->maximum(), 200);

    CCorvMessageBox busy("Please wait", MessageBoxBusy, &owner);
    ASSERT_NE(busy.busyBar(), nullptr);
    EXPECT_EQ(busy.busyBar()->geometry(), QRect(20, 104, 410, 22));
    busy.SetProgressRange(0, 10);
    busy.SetProgressPos(5);
    EXPECT_EQ(busy.progressBar(), nullptr);
    busy.StartBusyBar();
    EXPECT_TRUE(busy.busyBar()->isRunning());
}

TEST_F(MessageBoxFixture, TextBoxCreatedWithoutWaitingIsCentredAndHasNoButtons) {
    CCorvMessageBox box(&owner);
    ASSERT_TRUE(box.Create("Receiving file\r\nreport.txt", MessageBoxText, &owner));
    box.show();
    EXPECT_EQ(box.pos(), QPoint(275, 325));
    EXPECT_EQ(box.leftButton(), nullptr);
    EXPECT_EQ(box.centreButton(), nullptr);
    EXPECT_EQ(box.textLine(1).text(), "report.txt");
    EXPECT_FALSE(box.isModal());
}

}  // namespace
}  // namespace corvane
