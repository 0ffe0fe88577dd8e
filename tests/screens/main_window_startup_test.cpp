// The main window's start: which port it opens, which boxes it shows and how the status line,
// the lamp and the supervision timer start, in COM mode, with a device named on the command line
// and in the USB mode over a fake sysfs tree. A pseudo-terminal stands in for the unit's port.
#include <gtest/gtest.h>

#include "shell/connection_texts.h"
#include "main_window_fixture.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;

namespace {

class MainWindowStart : public ::testing::Test {
protected:
    MainWindowSandbox box;
};

TEST_F(MainWindowStart, NamedPortOpensWithoutBoxAndSupervisesEvery50ms) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    MainWindowOptions o = box.options();
    o.portPath = unit.slavePath();
    auto window = box.start(o);

    EXPECT_TRUE(box.prompts().notices.empty());
    EXPECT_TRUE(box.prompts().questions.empty());
    EXPECT_TRUE(window->link().isOpen());
    EXPECT_EQ(window->supervisionPeriodMs(), 50);
    EXPECT_EQ(window->statusText(), kStatusNotConnected);
    EXPECT_FALSE(window->readyLampShown());
    EXPECT_FALSE(window->watchingDevices());
}

TEST_F(MainWindowStart, PortThatCannotBeOpenedShowsTheErrorAndStartsNoTimer) {
    MainWindowOptions o = box.options();
    o.portPath = (box.dir() / "no-such-device").string();
    auto window = box.start(o);

    ASSERT_EQ(box.prompts().notices.size(), 1u);
    const std::string& text = box.prompts().notices[0];
    EXPECT_EQ(text.rfind("Error opening " + o.portPath + ":\n", 0), 0u) << text;
    EXPECT_NE(text.find("No such file or directory"), std::string::npos) << text;
    EXPECT_FALSE(window->link().isOpen());
    EXPECT_EQ(window->supervisionPeriodMs(), 0);
    EXPECT_EQ(window->statusText(), kStatusNotConnected);
}

TEST_F(MainWindowStart, ConfiguredComNumberOpensItsTtySDevice) {
    // COM50 is /dev/ttyS49, which no test machine has: the error names the COM port.
    box.writeConfig("COM50,2");
    auto window = box.start();
    EXPECT_EQ(window->portNumber(), 50);
    EXPECT_EQ(window->windowState(), WindowState::Normal);
    ASSERT_EQ(box.prompts().notices.size(), 1u);
    EXPECT_EQ(box.prompts().notices[0].rfind("Error opening COM50:\n", 0), 0u) << box.prompts().notices[0];
}

TEST_F(MainWindowStart, ConfigurationWithoutWindowStateKeepsTheWindowMaximised) {
    for (const char* content : {"COM03", "COM03,"}) {
        box.writeConfig(content);
        auto window = box.start();
        EXPECT_EQ(window->portNumber(), 3) << content;
        EXPECT_EQ(window->windowState(), WindowState::WorkArea) << content;
        EXPECT_TRUE(window->isMaximized()) << content;
    }
}

TEST_F(MainWindowStart, MissingConfigurationMeansComOne) {
    auto window = box.start();
    EXPECT_EQ(window->portNumber(), 1);
    EXPECT_FALSE(std::filesystem::exists(box.configPath()));
}

TEST_F(MainWindowStart, UnitOnUsbIsOfferedAndAcceptingSwitchesToUsbMode) {
    box.installUsbDriver();
    box.plugUnit();
    box.writeConfig("COM05,1");
    box.prompts().answerYes = true;
    auto window = box.start();

    ASSERT_EQ(box.prompts().questions.size(), 1u);
    EXPECT_EQ(box.prompts().questions[0], kUsbModeOffer);
    EXPECT_EQ(box.readConfig(), "COM00,1");
    EXPECT_EQ(window->portNumber(), 0);
    EXPECT_TRUE(window->usbDriverInstalled());
    EXPECT_TRUE(window->watchingDevices());
}

TEST_F(MainWindowStart, DecliningTheUsbOfferKeepsTheComPortAndIsRemembered) {
    box.installUsbDriver();
    box.plugUnit();
    box.writeConfig("COM50,1");
    box.prompts().answerYes = false;
    auto window = box.start();

    EXPECT_EQ(box.prompts().questions.size(), 1u);
    EXPECT_EQ(box.readConfig(), "COM50,1\nusb-offer=declined");
    EXPECT_EQ(window->portNumber(), 50);
    EXPECT_FALSE(window->usbDriverInstalled());
    window.reset();
    box.start();
    EXPECT_EQ(box.prompts().questions.size(), 1u) << "asked once, not at every start";
}

TEST_F(MainWindowStart, UsbUnitFoundAndOpened) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    box.installUsbDriver();
    box.plugUnit(unit.slavePath());
    box.writeConfig("COM00,1");
    auto window = box.start();

    EXPECT_TRUE(box.prompts().questions.empty());
    EXPECT_TRUE(box.prompts().notices.empty());
    EXPECT_EQ(window->statusText(), kStatusOpenAtStart);
    EXPECT_TRUE(window->readyLampShown());
    EXPECT_EQ(window->supervisionPeriodMs(), 50);
    EXPECT_TRUE(window->unitPresent());
    EXPECT_TRUE(window->link().isOpen());
}

TEST_F(MainWindowStart, UsbUnitListedButNotOpenableIsInStandby) {
    box.installUsbDriver();
    box.plugUnit();  // listed in sysfs, but no device node to open
    box.writeConfig("COM00,1");
    auto window = box.start();

    EXPECT_EQ(window->statusText(), kStatusStandbyAtStart);
    EXPECT_FALSE(window->readyLampShown());
    EXPECT_EQ(window->supervisionPeriodMs(), 1000);
    EXPECT_TRUE(window->unitPresent());
    EXPECT_FALSE(window->link().isOpen());
}

TEST_F(MainWindowStart, UsbUnitAbsentIsUnplugged) {
    box.installUsbDriver();
    std::ofstream(box.dir() / "rules" / "70-corvane.rules") << "# the unit's rule\n";
    box.writeConfig("COM00,2");
    auto window = box.start();

    EXPECT_TRUE(box.prompts().notices.empty());
    EXPECT_EQ(window->statusText(), kStatusUnplugged);
    EXPECT_FALSE(window->readyLampShown());
    EXPECT_EQ(window->supervisionPeriodMs(), 1000) << "the absent unit is looked for once a second";
    EXPECT_FALSE(window->unitPresent());
}

TEST_F(MainWindowStart, UsbModeWithoutDriverShowsTheDriverBoxAndStartsNothing) {
    box.writeConfig("COM00,1");
    auto window = box.start();

    ASSERT_EQ(box.prompts().notices.size(), 1u);
    EXPECT_EQ(box.prompts().notices[0].rfind(kUsbDriverMissing, 0), 0u) << box.prompts().notices[0];
    EXPECT_EQ(window->supervisionPeriodMs(), 0);
    EXPECT_FALSE(window->watchingDevices());
    EXPECT_FALSE(window->usbDriverInstalled());
    EXPECT_EQ(window->statusText(), kStatusNotConnected);
}

}  // namespace
