// The shell's message box shows its whole text, however many lines it runs to, and answers
// with the button pressed.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include "shell/connection_texts.h"
#include "shell/shell_message_box.h"
#include "shell/shell_prompts.h"
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
        EXPECT_EQ(box.runModal(), yes ? IDOK : IDCANCEL);
    }
    CCorvNoticeBox ok("Please close and restart the CORVANE application", CCorvNoticeBox::Ok, nullptr);
    QTimer::singleShot(0, &ok, [&] { QTest::mouseClick(ok.okButton(), Qt::LeftButton); });
    EXPECT_EQ(ok.runModal(), IDOK);
}

}  // namespace

namespace {

TEST(ShellPromptsWithoutScreen, PrintTheTextAndNeverWait) {
    // These tests run on the offscreen platform, where a modal box could never be answered.
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    ModalShellPrompts prompts;
    testing::internal::CaptureStderr();
    prompts.inform(nullptr, "Error opening COM3:\nPermission denied");
    const bool yes = prompts.askYesNo(nullptr, kUsbModeOffer);
    const std::optional<QString> file = prompts.chooseTraceFile(nullptr, {});
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(yes);
    EXPECT_FALSE(file);
    EXPECT_NE(printed.find("corvane: (no display) Error opening COM3:\nPermission denied\n"), std::string::npos)
        << printed;
    EXPECT_NE(printed.find("(no display, answered No) The application has detected"), std::string::npos) << printed;
    EXPECT_EQ(printed.find('\r'), std::string::npos) << "line ends as the terminal wants them";
}

}  // namespace
