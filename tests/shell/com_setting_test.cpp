// The COM setting dialog: the list it offers, the choice it preselects from the file, and when
// it rewrites the file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <fstream>

#include "shell/com_setting.h"
#include "controls/corv_button.h"
#include "fake_device_event_source.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;

namespace {

class ComSettingTest : public ::testing::Test {
protected:
    static bool pointConfigAt(const TempDir& folder) {
        return ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1) == 0;
    }

    std::string content() const {
        std::ifstream in(file.path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void write(const std::string& text) { std::ofstream(file.path(), std::ios::binary) << text; }

    TempDir dir;
    bool configured = pointConfigAt(dir);
    PortConfigFile file;  // the default place, inside the temporary XDG_CONFIG_HOME
};

TEST_F(ComSettingTest, ListOffersUsbThenFiftyNumberedPorts) {
    CComSetting dialog(nullptr, file, WindowState::Maximised, false);
    dialog.OnInitDialog();
    QComboBox* list = dialog.portList();
    ASSERT_EQ(list->count(), 51);
    EXPECT_EQ(list->itemText(0), "USB");
    EXPECT_EQ(list->itemText(1), "01");
    EXPECT_EQ(list->itemText(9), "09");
    EXPECT_EQ(list->itemText(50), "50");
    EXPECT_EQ(dialog.promptText().text(), "Enter com number...");
    // The OK button is as wide as the list, 10 to 55 pixels below it.
    const QRect ok = dialog.okButton()->geometry();
    EXPECT_EQ(ok.left(), list->geometry().left());
    EXPECT_EQ(ok.width(), list->geometry().width());
    EXPECT_EQ(ok.top(), list->geometry().bottom() + 1 + 10);
    EXPECT_EQ(ok.bottom() + 1, list->geometry().bottom() + 1 + 55);
}

TEST_F(ComSettingTest, MissingFileIsCreatedAndOkWithoutChangeWritesNothingMore) {
    ASSERT_EQ(file.path().parent_path(), dir.path());
    CComSetting dialog(nullptr, file, WindowState::WorkArea, false);
    dialog.OnInitDialog();
    EXPECT_EQ(content(), "COM01,0");
    EXPECT_EQ(dialog.portList()->currentIndex(), 1);

    write("COM01,2");  // a later rewrite would put back the dialog's window state
    dialog.accept();
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_FALSE(dialog.changed());
    EXPECT_EQ(content(), "COM01,2");
}

TEST_F(ComSettingTest, ChosenPortIsWrittenWithTheWindowState) {
    write("COM04,0");
    CComSetting dialog(nullptr, file, WindowState::WorkArea, false);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.portList()->currentIndex(), 4);

    dialog.portList()->setCurrentIndex(0);  // "USB"
    dialog.accept();
    EXPECT_TRUE(dialog.changed());
    EXPECT_EQ(content(), "COM00,1");

    CComSetting again(nullptr, file, WindowState::Normal, false);
    again.OnInitDialog();
    EXPECT_EQ(again.portList()->currentIndex(), 0);
    again.portList()->setCurrentIndex(12);
    again.accept();
    EXPECT_EQ(content(), "COM12,2");
}

TEST_F(ComSettingTest, FileWithOnlyThePortPreselectsIt) {
    write("COM07");
    CComSetting dialog(nullptr, file, WindowState::Maximised, false);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.portList()->currentIndex(), 7);
    EXPECT_EQ(content(), "COM07");
}

TEST_F(ComSettingTest, CancelLeavesTheFileAlone) {
    write("COM04,0");
    CComSetting dialog(nullptr, file, WindowState::Maximised, false);
    dialog.OnInitDialog();
    dialog.portList()->setCurrentIndex(9);
    dialog.reject();
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_FALSE(dialog.changed());
    EXPECT_EQ(content(), "COM04,0");
}

TEST_F(ComSettingTest, FailedWriteIsNotReportedAsAChange) {
    // A regular file where the configuration folder should be: no one can write below it.
    std::ofstream(dir / "blocker") << "x";
    CComSetting dialog(nullptr, PortConfigFile(dir / "blocker" / "corvane.cfg"), WindowState::Maximised, false);
    dialog.OnInitDialog();
    dialog.portList()->setCurrentIndex(3);
    dialog.accept();
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_FALSE(dialog.changed());
    EXPECT_FALSE(dialog.writeError().empty());
}

TEST_F(ComSettingTest, RightClickOpensTheTraceMenuCheckedWhileTheTraceIsOn) {
    for (bool traceOn : {false, true}) {
        CComSetting dialog(nullptr, file, WindowState::Maximised, traceOn);
        dialog.OnInitDialog();
        dialog.show();
        QSignalSpy commands(&dialog, &CComSetting::command);
        ASSERT_EQ(dialog.popupMenu()->actions().size(), 3);  // the trace, reopening, the language
        EXPECT_EQ(dialog.verboseAction()->text(), "Verbose debug output");
        EXPECT_EQ(dialog.verboseAction()->isChecked(), traceOn);

        // The menu opens where the pointer is.
        QTest::mouseClick(&dialog, Qt::RightButton, {}, QPoint(5, 120));
        EXPECT_TRUE(dialog.popupMenu()->isVisible());
        EXPECT_EQ(dialog.popupMenu()->geometry().topLeft(), dialog.mapToGlobal(QPoint(5, 120)));
        dialog.verboseAction()->trigger();
        ASSERT_EQ(commands.size(), 1);
        EXPECT_EQ(commands[0][0].toInt(), ID_VERBOSE_DEBUG_OUTPUT);
        dialog.popupMenu()->hide();
    }
}

}  // namespace

namespace {

TEST_F(ComSettingTest, TheLanguageChosenIsSavedWithOkForTheNextStart) {
    write("COM03,2\nreconnect=1");
    {
        CComSetting dialog(nullptr, file, WindowState::Normal, false);
        dialog.OnInitDialog();
        QActionGroup* languages = dialog.languageChoice();
        ASSERT_NE(languages, nullptr);
        QStringList offered;
        for (QAction* a : languages->actions()) offered << a->data().toString();
        EXPECT_EQ(offered, QStringList({QString(), "en", "de"}));  // the system's, English, each catalogue
        EXPECT_TRUE(languages->actions()[0]->isChecked());
        EXPECT_EQ(languages->actions()[2]->text(), "Deutsch");
        languages->actions()[2]->trigger();
        dialog.okButton()->click();
        // The port stays; the language needs the restart the notice asks for.
        EXPECT_TRUE(dialog.changed());
    }
    EXPECT_EQ(content(), "COM03,2\nreconnect=1\nlanguage=de");
    CComSetting again(nullptr, file, WindowState::Normal, false);
    again.OnInitDialog();
    EXPECT_EQ(again.languageChoice()->checkedAction()->data().toString(), "de");
}

TEST_F(ComSettingTest, TraceLineSaysWhetherTheTraceRunsAndWhereItGoes) {
    CComSetting off(nullptr, file, WindowState::Maximised, false);
    off.OnInitDialog();
    EXPECT_TRUE(off.traceLine()->text().startsWith("Verbose trace off")) << off.traceLine()->text().toStdString();

    const QString path =
        QStringLiteral("/home/technician/workshop/") + QString(80, 'x') + QStringLiteral("/Verbose.txt");
    CComSetting on(nullptr, file, WindowState::Maximised, true, path);
    on.OnInitDialog();
    const QStringList lines = on.traceLine()->text().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Verbose trace on, written to");
    EXPECT_TRUE(lines[1].startsWith("/home/")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("/Verbose.txt")) << lines[1].toStdString();
    EXPECT_EQ(on.traceLine()->toolTip(), path);
    // Both lines fit the label, and the label fits inside the dialog's frame.
    const QFontMetrics metrics(on.traceLine()->font());
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), on.traceLine()->width());
    EXPECT_LE(2 * metrics.lineSpacing(), on.traceLine()->height());
    EXPECT_LE(on.traceLine()->geometry().bottom(), on.height() - 5);
    EXPECT_GT(on.traceLine()->geometry().top(), on.okButton()->geometry().bottom());
}

}  // namespace

namespace {

SerialDevice listedDevice(const std::string& tty, const std::string& product, const std::string& serial,
                          bool mayOpen = true) {
    SerialDevice device;
    device.ttyName = tty;
    device.node = "/dev/" + tty;
    device.stablePath = serial.empty() ? device.node : "/dev/serial/by-id/usb-" + product + "_" + serial + "-if00";
    device.product = product;
    device.serial = serial;
    device.vendorId = "0403";
    device.productId = "6001";
    device.mayOpen = mayOpen;
    return device;
}

class ComSettingDevices : public ComSettingTest {
protected:
    void open(CComSetting& dialog) {
        dialog.setDeviceListing([this] { return present; }, &events);
        dialog.OnInitDialog();
    }
    QStringList deviceEntries(const CComSetting& dialog) const {
        QStringList entries;
        for (int i = CComSetting::kListPositions; i < dialog.portList()->count(); ++i)
            entries << dialog.portList()->itemText(i);
        return entries;
    }

    FakeDeviceEventSource events;
    std::vector<SerialDevice> present = {listedDevice("ttyUSB0", "FT232R", "A50285BI"),
                                         listedDevice("ttyUSB1", "CP2102", "", false)};
};

}  // namespace

TEST_F(ComSettingDevices, DevicesFollowTheNumberedPortsAndComeAndGoWhileOpen) {
    write("COM04,1");
    CComSetting dialog(nullptr, file, WindowState::WorkArea, false);
    open(dialog);
    EXPECT_EQ(deviceEntries(dialog), (QStringList{"FT232R (A50285BI) - ttyUSB0", "CP2102 - ttyUSB1 (no permission)"}));
    EXPECT_EQ(dialog.portList()->currentIndex(), 4);

    // A device plugged in while the dialog is open appears; the choice made so far stays, and a
    // chosen device that is pulled stays choosable.
    dialog.portList()->setCurrentIndex(CComSetting::kListPositions);
    present.push_back(listedDevice("ttyACM0", "Uno", "75633"));
    events.ttyChanged();
    EXPECT_EQ(deviceEntries(dialog).size(), 3);
    EXPECT_EQ(dialog.portList()->currentText(), "FT232R (A50285BI) - ttyUSB0");
    // Names longer than the narrow box are whole in the drop-down and in the box's tooltip.
    EXPECT_EQ(dialog.portList()->toolTip(), dialog.portList()->currentText());
    const QFontMetrics metrics(dialog.portList()->view()->font());
    EXPECT_GT(dialog.portList()->view()->minimumWidth(),
              metrics.horizontalAdvance(QStringLiteral("CP2102 - ttyUSB1 (no permission)")));
    present.erase(present.begin());
    events.unplug({});
    EXPECT_EQ(dialog.portList()->currentText(), "/dev/serial/by-id/usb-FT232R_A50285BI-if00 (not present)");
}

TEST_F(ComSettingDevices, ChosenDeviceIsWrittenAfterTheSevenBytesAndPreselectedNextTime) {
    write("COM04,1");
    CComSetting dialog(nullptr, file, WindowState::WorkArea, false);
    open(dialog);
    dialog.portList()->setCurrentIndex(CComSetting::kListPositions + 1);
    dialog.accept();
    EXPECT_TRUE(dialog.changed());
    ASSERT_TRUE(dialog.chosenDevice());
    EXPECT_FALSE(dialog.chosenDevice()->mayOpen) << "the main window explains the fix";
    // The seven-byte reader keeps the number it had.
    EXPECT_EQ(content(), "COM04,1\ndevice=/dev/ttyUSB1");

    // Next time it is preselected even while unplugged; the reopen switch alone is saved and
    // needs no restart.
    present.pop_back();
    CComSetting again(nullptr, file, WindowState::WorkArea, false);
    open(again);
    EXPECT_EQ(again.portList()->currentText(), "/dev/ttyUSB1 (not present)");
    EXPECT_FALSE(again.reconnectAction()->isChecked());
    again.reconnectAction()->trigger();
    again.accept();
    EXPECT_FALSE(again.changed());
    EXPECT_EQ(content(), "COM04,1\ndevice=/dev/ttyUSB1\nreconnect=1");

    // Back to a numbered port: the device line goes, the reopen choice stays.
    CComSetting third(nullptr, file, WindowState::WorkArea, false);
    open(third);
    EXPECT_TRUE(third.reconnectAction()->isChecked());
    third.portList()->setCurrentIndex(2);
    third.accept();
    EXPECT_EQ(content(), "COM02,1\nreconnect=1");
}

TEST_F(ComSettingDevices, DropDownListIsDrawnInTheSkinsColours) {
    CComSetting dialog(nullptr, file, WindowState::Maximised, false);
    open(dialog);
    dialog.show();
    dialog.portList()->showPopup();
    QAbstractItemView* view = dialog.portList()->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QImage picture = view->grab().toImage();
    // The pane grey behind the lines, never the platform's white.
    int white = 0, pane = 0;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3) {
            const QColor c = picture.pixelColor(x, y);
            white += c.lightness() > 240;
            pane += c == QColor(60, 60, 60);
        }
    EXPECT_EQ(white, 0);
    EXPECT_GT(pane, (picture.width() / 3) * (picture.height() / 3) / 2);
    dialog.portList()->hidePopup();
}
