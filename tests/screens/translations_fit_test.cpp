// The German texts fit the controls that show them at the skin's sizes: no caption wider than
// the room its button gives it, no label line wider than its label, no status text wider than
// the status line of a window in its normal size.
#include <QFontMetrics>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include "controls/corv_button.h"
#include "controls/corv_message_box.h"
#include "controls/corv_static.h"
#include "main_window_fixture.h"
#include "platform/cp1252.h"
#include "screens/main_frame_geometry.h"
#include "screens/status_line.h"
#include "screens/transport_tool.h"
#include "shell/com_setting.h"
#include "shell/connection_texts.h"
#include "shell/shell_message_box.h"

namespace corvane {
namespace {

// Every control under `top` whose text does not fit, with the text and the room it has.
std::vector<std::string> tooWide(QWidget& top) {
    std::vector<std::string> faults;
    auto fault = [&](const QString& text, int width, int room) {
        faults.push_back(text.toStdString() + " (" + std::to_string(width) + " px in " + std::to_string(room) + ")");
    };
    for (CCorvButton* button : top.findChildren<CCorvButton*>()) {
        const int room = button->captionRoom();
        const int width = QFontMetrics(button->shownCaptionFont())
                              .size(Qt::TextSingleLine | Qt::TextShowMnemonic, button->text())
                              .width();
        if (room > 0 && width > room) fault(button->text(), width, room);
    }
    for (CCorvStatic* label : top.findChildren<CCorvStatic*>()) {
        for (const QString& line :
             decodeCp1252(label->text()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
            const int width = CCorvStatic::shownWidth(encodeCp1252(line), CCorvStatic::labelFont());
            if (width > label->width()) fault(line, width, label->width());
        }
    }
    for (QPushButton* key : top.findChildren<QPushButton*>()) {
        const int width = QFontMetrics(key->font()).horizontalAdvance(key->text());
        if (width > key->width() - 4) fault(key->text(), width, key->width() - 4);
    }
    return faults;
}

std::string joined(const std::vector<std::string>& faults) {
    std::string all;
    for (const std::string& f : faults) all += "\n  " + f;
    return all;
}

TEST(GermanTexts, FitTheirControls) {
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(":/i18n/corvane_de.qm")));
    QCoreApplication::installTranslator(&german);
    ASSERT_EQ(QCoreApplication::translate("corvane::StatusLine", kStatusReady), QStringLiteral("Corvane bereit..."));

    test::MainWindowSandbox sandbox;
    std::unique_ptr<test::TestedMainWindow> window = sandbox.start();
    EXPECT_EQ(joined(tooWide(*window)), "");

    // Every status text, in the status line of a window in its normal size.
    const QSize normal = test::TestedMainWindow::normalSize();
    const int statusRoom = mainFrameLayout(normal.width(), normal.height()).statusText.width();
    std::vector<std::string> statusFaults;
    for (const char* source :
         {kStatusNotConnected, kStatusConnected, kStatusCommunicationError, kStatusOpenAtStart, kStatusStandbyAtStart,
          kStatusUnplugged, kStatusOpen, kStatusStandby, kStatusNoLongerFound}) {
        const QString shown = QCoreApplication::translate("corvane::ConnectionSupervisor", source);
        const int width = CCorvStatic::shownWidth(encodeCp1252(shown), CCorvStatic::labelFont());
        if (width > statusRoom) statusFaults.push_back(shown.toStdString());
    }
    for (const char* source : {kStatusReady, kStatusBusy, kStatusKeyPadWait, kStatusChoiceNotDelivered}) {
        const QString shown = QCoreApplication::translate("corvane::StatusLine", source);
        if (CCorvStatic::shownWidth(encodeCp1252(shown), CCorvStatic::labelFont()) > statusRoom)
            statusFaults.push_back(shown.toStdString());
    }
    const std::string silent = silentUnitText(59);
    if (CCorvStatic::shownWidth(silent, CCorvStatic::labelFont()) > statusRoom) statusFaults.push_back(silent);
    EXPECT_EQ(joined(statusFaults), "");

    // The dialogs and boxes of the program's own, and the unit's boxes with their buttons.
    CComSetting comSetting(nullptr, PortConfigFile(sandbox.dir() / "com.cfg"), WindowState::Normal, false);
    comSetting.OnInitDialog();
    EXPECT_EQ(joined(tooWide(comSetting)), "");
    for (CCorvNoticeBox::Kind kind : {CCorvNoticeBox::YesNo, CCorvNoticeBox::Ok}) {
        CCorvNoticeBox box("?", kind, nullptr);
        EXPECT_EQ(joined(tooWide(box)), "");
    }
    for (int type : {MessageBoxYesNo, MessageBoxOk, MessageBoxComputerUnit}) {
        CCorvMessageBox box(nullptr);
        box.Create("?", type, nullptr);
        EXPECT_EQ(joined(tooWide(box)), "");
    }
    CTransportTool keyPad(nullptr);
    EXPECT_EQ(joined(tooWide(keyPad)), "");

    QCoreApplication::removeTranslator(&german);
}

}  // namespace
}  // namespace corvane
