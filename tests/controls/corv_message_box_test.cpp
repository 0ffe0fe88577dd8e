#include "controls/corv_button.h"
#include "controls/corv_message_box.h"
#include "controls/corv_progress.h"
#include "controls/corv_static.h"
#include "controls/corv_sys_button.h"
#include "controls/palette.h"
#include "controls/corv_work_bar.h"
#include "widget_test_support.h"

#include <QTimer>

#include <numeric>

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

TEST(MessageBoxLines, ACarriageReturnTakesTheNextCharacterAlong) {
    EXPECT_EQ(CCorvMessageBox::splitLines("a\rbc"), (Lines{"a", "c", ""}));
    EXPECT_EQ(CCorvMessageBox::splitLines("a\r\rbc"), (Lines{"a", "bc", ""}));
    EXPECT_EQ(CCorvMessageBox::splitLines("end\r"), (Lines{"end", "", ""}));
}

// Every row fits the row width, and the rows hold the words in order, broken only at spaces.
void expectWrappedWhole(const std::vector<std::string>& rows, const std::string& words) {
    std::string joined;
    const QFont font = CCorvStatic::labelFont();
    for (const std::string& row : rows) {
        EXPECT_LE(CCorvStatic::shownWidth(row, font), CCorvMessageBox::kRowWidth) << row;
        joined += (joined.empty() ? "" : " ") + row;
    }
    EXPECT_EQ(joined, words);
}

TEST(MessageBoxLines, LongLinesWrapAtWordsUpToTwelveRowsThenEndInAnEllipsis) {
    const std::string advice =
        "Check the wiring between the engine control module and the harness connector C104 and retest "
        "after repair; if the fault comes back, replace the sensor";
    auto rows = CCorvMessageBox::rowsFor("Fault P0171\r\n" + advice + "\r\n\r\n");
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], "Fault P0171");
    EXPECT_EQ(rows.back().empty(), false) << "empty lines at the end take no rows";
    expectWrappedWhole({rows.begin() + 1, rows.end()}, advice);

    // A word wider than a row is broken inside; a line feed of its own starts a row.
    rows = CCorvMessageBox::rowsFor(std::string(150, 'W') + "\nend");
    EXPECT_EQ(rows.back(), "end");
    EXPECT_EQ(std::accumulate(rows.begin(), rows.end() - 1, std::string()), std::string(150, 'W'));

    std::string many;
    for (int i = 0; i < 200; ++i) many += "word" + std::to_string(i) + " ";
    rows = CCorvMessageBox::rowsFor(many);
    ASSERT_EQ(rows.size(), CCorvMessageBox::kMaxRows);
    EXPECT_EQ(rows.back().back(), '\x85');
    EXPECT_LE(CCorvStatic::shownWidth(rows.back(), CCorvStatic::labelFont()), CCorvMessageBox::kRowWidth);
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
    EXPECT_EQ(box.runModal(), IDOK);
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

TEST_F(MessageBoxFixture, ABoxGrowsToShowEveryRowAboveItsButtons) {
    const std::string text =
        "Misfire on cylinder 3\r\nCheck the wiring between the engine control module and the harness "
        "connector C104 and retest after repair; if the fault comes back, measure the sensor's supply "
        "at pin 2 with the ignition on";
    CCorvMessageBox box(text, MessageBoxYesNo, &owner);
    clickWhenRunning(box, [&] { return box.leftButton(); });
    EXPECT_EQ(box.runModal(), IDOK);
    const int rows = box.rowCount();
    ASSERT_EQ(rows, static_cast<int>(CCorvMessageBox::rowsFor(text).size()));
    ASSERT_GT(rows, 3);
    const int height = 150 + 20 * (rows - 3);
    EXPECT_EQ(box.geometry(), QRect(275, 400 - height / 2, 450, height));
    EXPECT_EQ(box.leftButton()->geometry(), QRect(20, height - 50, 190, 30));

    // Each row is drawn, below the one before it and above the buttons.
    const QImage image = render(box);
    for (int i = 0; i < rows; ++i) {
        const QRect row = box.textLine(i).geometry();
        EXPECT_EQ(row, QRect(20, 30 + 20 * i, 410, 19));
        int ink = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x) ink += pixel(image, x, y) != ColourPanel;
        EXPECT_GT(ink, 20) << "row " << i << " " << box.textLine(i).text();
    }
    EXPECT_LT(box.textLine(rows - 1).geometry().bottom(), box.leftButton()->y());
}

TEST_F(MessageBoxFixture, NoAndTheCloseButtonCancel) {
    CCorvMessageBox no("Continue?", MessageBoxYesNo, &owner);
    clickWhenRunning(no, [&] { return no.rightButton(); });
    EXPECT_EQ(no.runModal(), IDCANCEL);
    CCorvMessageBox closed("Continue?", MessageBoxYesNo, &owner);
    clickWhenRunning(closed, [&] { return closed.closeButton(); });
    EXPECT_EQ(closed.runModal(), IDCANCEL);
}

TEST_F(MessageBoxFixture, ComputerOrUnitBoxAnswersLikeYesNo) {
    CCorvMessageBox computer("Where is the file?", MessageBoxComputerUnit, &owner);
    clickWhenRunning(computer, [&] { return computer.leftButton(); });
    EXPECT_EQ(computer.runModal(), IDOK);
    EXPECT_EQ(computer.leftButton()->caption(), "COMPUTER");
    CCorvMessageBox unit("Where is the file?", MessageBoxComputerUnit, &owner);
    clickWhenRunning(unit, [&] { return unit.rightButton(); });
    EXPECT_EQ(unit.runModal(), IDCANCEL);
    EXPECT_EQ(unit.rightButton()->caption(), "CORVANE");
}

TEST_F(MessageBoxFixture, OkBoxHasOneCentredButton) {
    CCorvMessageBox box("Done.", MessageBoxOk, &owner);
    clickWhenRunning(box, [&] { return box.centreButton(); });
    EXPECT_EQ(box.runModal(), IDOK);
    EXPECT_EQ(box.centreButton()->geometry(), QRect(130, 100, 190, 30));
    EXPECT_EQ(box.leftButton(), nullptr);
}

TEST_F(MessageBoxFixture, TypesThatDoNotWaitReturnAtOnceFromAModalRun) {
    for (int type : {MessageBoxText, MessageBoxBusy, MessageBoxProgress}) {
        CCorvMessageBox box("Working", type, &owner);
        box.hide();
        EXPECT_EQ(box.runModal(), IDOK) << type;
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
