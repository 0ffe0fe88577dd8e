// The verbose trace switched from the COM setting dialog's menu and from the command line, and
// the main window's handling of the COM setting command around the modal dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "file_size_limit.h"
#include "shell/com_setting.h"
#include "main_window_fixture.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {

class TraceSwitch : public ::testing::Test {
protected:
    TraceSwitch() {
        EXPECT_TRUE(unit.ok());
        MainWindowOptions o = box.options();
        o.portPath = unit.slavePath();
        options = o;
    }

    // Opens the COM setting dialog through the main window's command and, once it runs, does
    // `act` with it. A dialog still open after two seconds is closed so that a fault cannot
    // hang the test.
    void withComSetting(TestedMainWindow& window, const std::function<void(CComSetting&)>& act) {
        bool acted = false;
        QTimer::singleShot(0, &window, [&] {
            if (CComSetting* dialog = window.comSetting()) {
                acted = true;
                act(*dialog);
                if (dialog->isVisible()) dialog->done(IDCANCEL);
            }
        });
        QTimer::singleShot(2000, &window, [&] {
            if (CComSetting* dialog = window.comSetting()) dialog->done(IDCANCEL);
        });
        window.OnCommand(IDC_MAIN_COM_SETTING);
        EXPECT_TRUE(acted);
        EXPECT_EQ(window.comSetting(), nullptr);
    }

    std::uintmax_t traceSize() const {
        std::error_code ec;
        const auto size = std::filesystem::file_size(traceFile(), ec);
        return ec ? 0 : size;
    }
    std::filesystem::path traceFile() const { return box.dir() / "Verbose.txt"; }

    MainWindowSandbox box;
    PtyUnit unit;
    MainWindowOptions options;
};

TEST_F(TraceSwitch, MenuItemOpensTheTraceAndClosesItAgain) {
    auto window = box.start(options);
    box.prompts().traceFile = QString::fromStdString(traceFile().string());

    bool checkedBefore = true;
    withComSetting(*window, [&](CComSetting& dialog) {
        checkedBefore = dialog.verboseAction()->isChecked();
        dialog.verboseAction()->trigger();
    });
    EXPECT_FALSE(checkedBefore);
    EXPECT_EQ(box.prompts().traceFileRequests, 1);
    EXPECT_TRUE(window->traceOn());
    EXPECT_TRUE(window->link().traceOpen());
    EXPECT_TRUE(std::filesystem::exists(traceFile()));

    // The unit's conversation is written while the trace is on.
    unit.send('H', 1, std::vector<std::uint8_t>{0x80});
    ASSERT_TRUE(unit.reply(3000ms).has_value());
    unit.send('S', 1);
    ASSERT_TRUE(unit.reply(3000ms).has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return traceSize() > 0; }, 3000));

    bool checkedWhileOn = false;
    withComSetting(*window, [&](CComSetting& dialog) {
        EXPECT_EQ(dialog.traceLine()->toolTip().toStdString(), traceFile().string()) << "the dialog says where it goes";
        checkedWhileOn = dialog.verboseAction()->isChecked();
        dialog.verboseAction()->trigger();
    });
    EXPECT_TRUE(checkedWhileOn);
    EXPECT_EQ(box.prompts().traceFileRequests, 1) << "switching off asks for no file";
    EXPECT_FALSE(window->traceOn());
    EXPECT_FALSE(window->link().traceOpen());
    const auto sizeWhenClosed = traceSize();
    // A record goes out after its reply: once the second reply is in, the first poll's record
    // would have been written.
    for (int i = 0; i < 2; ++i) {
        unit.send('S', 1);
        ASSERT_TRUE(unit.reply(3000ms).has_value());
    }
    EXPECT_EQ(traceSize(), sizeWhenClosed);
}

TEST_F(TraceSwitch, PortChosenButNotConfirmedSurvivesSwitchingTheTrace) {
    box.writeConfig("COM04,1");
    auto window = box.start(options);
    box.prompts().traceFile = QString::fromStdString(traceFile().string());
    withComSetting(*window, [&](CComSetting& dialog) {
        dialog.portList()->setCurrentIndex(9);
        dialog.verboseAction()->trigger();
        // Still open, the choice in place, the menu and the line telling the trace runs.
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.portList()->currentIndex(), 9);
        EXPECT_TRUE(dialog.verboseAction()->isChecked());
        EXPECT_TRUE(dialog.traceLine()->text().startsWith("Verbose trace on"));
        dialog.accept();
    });
    EXPECT_EQ(box.prompts().traceFileRequests, 1);
    EXPECT_TRUE(window->traceOn());
    EXPECT_EQ(box.readConfig(), "COM09,1");
    EXPECT_EQ(box.prompts().notices, std::vector<std::string>{kRestartNotice});
}

TEST_F(TraceSwitch, FileThatCannotBeCreatedLeavesTheTraceOffAndSaysWhy) {
    auto window = box.start(options);
    box.prompts().traceFile = QString::fromStdString((box.dir() / "missing-folder" / "Verbose.txt").string());
    withComSetting(*window, [&](CComSetting& dialog) { dialog.verboseAction()->trigger(); });
    EXPECT_FALSE(window->traceOn());
    ASSERT_EQ(box.prompts().notices.size(), 1u);
    EXPECT_NE(box.prompts().notices[0].find("missing-folder"), std::string::npos);
}

TEST_F(TraceSwitch, FolderThatTakesNoFilesIsNamedWithTheReason) {
    std::filesystem::path folder = box.dir() / "read-only";
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::replace);
    // Root writes into any folder; sysfs takes no new file from anyone.
    if (::access(folder.c_str(), W_OK) == 0) folder = "/sys";
    const std::string path = (folder / "Verbose.txt").string();
    box.writeConfig("COM04,1");
    auto window = box.start(options);
    box.prompts().traceFile = QString::fromStdString(path);
    withComSetting(*window, [&](CComSetting& dialog) { dialog.verboseAction()->trigger(); });
    EXPECT_FALSE(window->traceOn());
    ASSERT_EQ(box.prompts().notices.size(), 1u);
    EXPECT_EQ(box.prompts().notices[0], "Cannot write the trace file " + path + ":\n" + std::strerror(EACCES));
    EXPECT_EQ(box.readConfig(), "COM04,1");
}

TEST_F(TraceSwitch, FullTraceTargetIsReportedOnceAndTheConversationGoesOn) {
    box.writeConfig("COM04,1");
    const std::string path = traceFile().string();
    options.traceFile = path;
    auto window = box.start(options);
    ASSERT_TRUE(window->traceOn()) << "the file opens; only writing to it fails";
    {
        // No file may grow meanwhile: the trace file takes no record, as on a full disk.
        FileSizeLimit noRoom(0);
        unit.send('H', 1, std::vector<std::uint8_t>{0x80});
        ASSERT_TRUE(unit.reply(3000ms).has_value());
        unit.send('S', 1);
        ASSERT_TRUE(unit.reply(3000ms).has_value());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !box.prompts().notices.empty(); }, 5000));
    }
    EXPECT_EQ(box.prompts().notices[0],
              "Cannot write the trace file " + path + ":\n" + std::string(std::strerror(EFBIG)));
    EXPECT_FALSE(window->traceOn()) << "no check mark for a trace that is not written";
    EXPECT_FALSE(window->link().traceOpen());

    // Nothing else is lost: the unit is still answered, the configuration is untouched, and
    // the message is not repeated.
    for (int i = 0; i < 3; ++i) {
        unit.send('S', 1);
        auto reply = unit.reply(3000ms);
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(reply->letter, 'A');
    }
    QTest::qWait(200);  // a few supervision ticks
    EXPECT_EQ(box.prompts().notices.size(), 1u);
    EXPECT_EQ(box.readConfig(), "COM04,1");
    EXPECT_TRUE(window->link().isOpen());
}

TEST_F(TraceSwitch, CommandLineStartsWithTheTraceOn) {
    options.traceFile = traceFile().string();
    auto window = box.start(options);
    EXPECT_TRUE(window->traceOn());
    EXPECT_TRUE(window->link().traceOpen());
}

TEST_F(TraceSwitch, TraceCommandOutsideTheComSettingDialogIsIgnored) {
    auto window = box.start(options);
    box.prompts().traceFile = QString::fromStdString(traceFile().string());
    window->OnCommand(IDC_MAIN_TRACE);
    EXPECT_EQ(box.prompts().traceFileRequests, 0);
    EXPECT_FALSE(window->traceOn());
}

TEST_F(TraceSwitch, ChangedPortAsksForARestart) {
    box.writeConfig("COM04,1");
    auto window = box.start(options);
    withComSetting(*window, [&](CComSetting& dialog) {
        dialog.portList()->setCurrentIndex(9);
        dialog.accept();
    });
    EXPECT_EQ(box.readConfig(), "COM09,1");
    ASSERT_EQ(box.prompts().notices.size(), 1u);
    EXPECT_EQ(box.prompts().notices[0], kRestartNotice);
    EXPECT_EQ(window->portNumber(), 4) << "the running program keeps its port";
}

TEST_F(TraceSwitch, UsbModeAsksBeforeOpeningTheComSetting) {
    box.installUsbDriver();
    std::ofstream(box.dir() / "rules" / "70-corvane.rules") << "# the unit's rule\n";
    box.writeConfig("COM00,1");
    auto window = box.start();
    box.prompts().answerYes = false;
    window->OnCommand(IDC_MAIN_COM_SETTING);  // declined: no dialog, so no modal wait
    ASSERT_EQ(box.prompts().questions.size(), 1u);
    EXPECT_EQ(box.prompts().questions[0], kUsbAutoSelectQuestion);
}

}  // namespace
