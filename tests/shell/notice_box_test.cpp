// The shell's message box shows its whole text, however many lines it runs to, and answers
// with the button pressed.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "shell/connection_texts.h"
#include "shell/shell_message_box.h"
#include "controls/corv_button.h"

using namespace corvane;

namespace {

TEST(NoticeBox, GrowsWithItsTextAndKeepsEveryLine) {
    CCorvNoticeBox shortBox("Do you want to close CORVANE ?", CCorvNoticeBox::YesNo, nullptr);
    CCorvNoticeBox longBox(kUsbModeOffer, CCorvNoticeBox::YesNo, nullptr);
    EXPECT_EQ(shortBox.height(), CCorvNoticeBox::kMinHeight);
    EXPECT_GT(longBox.height(), shortBox.height());
    EXPECT_EQ(longBox.shownText().count('\n'), 3);
    // The buttons sit below the text.
    EXPECT_GT(longBox.yesButton()->geometry().top(), longBox.textRect().bottom());
    EXPECT_EQ(longBox.noButton()->geometry().top(), longBox.yesButton()->geometry().top());
    EXPECT_EQ(shortBox.okButton(), nullptr);
}

TEST(NoticeBox, AnswersWithThePressedButton) {
    for (bool yes : {true, false}) {
        CCorvNoticeBox box("Do you want to close CORVANE ?", CCorvNoticeBox::YesNo, nullptr);
        QTimer::singleShot(0, &box, [&] { QTest::mouseClick(yes ? box.yesButton() : box.noButton(), Qt::LeftButton); });
        EXPECT_EQ(box.RunModal(), yes ? IDOK : IDCANCEL);
    }
    CCorvNoticeBox ok("Please close and restart the CORVANE application", CCorvNoticeBox::Ok, nullptr);
    QTimer::singleShot(0, &ok, [&] { QTest::mouseClick(ok.okButton(), Qt::LeftButton); });
    EXPECT_EQ(ok.RunModal(), IDOK);
}

}  // namespace
