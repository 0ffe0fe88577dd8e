// The whole demo workshop against the real link engine over a pseudo-terminal, with a scripted
// stand-in for the window answering and choosing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "demo_menu.h"
#include "demo_workshop.h"
#include "scripted_ui.h"
#include "unit_line.h"
#include "unit_session.h"

namespace corvane::unitsim {
namespace {

using namespace std::chrono_literals;
using testing::ScriptedUi;

bool isNumber(const std::string& s, bool oneDecimal = false) {
    const std::size_t dot = s.find('.');
    if (oneDecimal != (dot != std::string::npos)) return false;
    if (oneDecimal && dot + 2 != s.size()) return false;
    std::string digits = s;
    if (oneDecimal) digits.erase(dot, 1);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos && dot != 0;
}

// The report lines "Caption: value" with a number as the value.
bool reportLine(const std::string& report, std::size_t& at, const std::string& caption, bool oneDecimal = false) {
    const std::size_t end = report.find("\r\n", at);
    if (end == std::string::npos) return false;
    const std::string line = report.substr(at, end - at);
    at = end + 2;
    return line.rfind(caption + ": ", 0) == 0 && isNumber(line.substr(caption.size() + 2), oneDecimal);
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

class DemoWorkshopTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        line = UnitLine::openPty(error);
        ASSERT_TRUE(line) << error;
        session = std::make_unique<UnitSession>(*line, 128);
        demo = std::make_unique<DemoWorkshop>(*session);
        unit = std::thread([this] { started = demo->run(); });
        ASSERT_TRUE(link.openByName(line->slavePath())) << line->slavePath();
        link.setMainWindow(&ui);
        link.startWorker();
        char tmpl[] = "/tmp/corvane-demo-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }

    void TearDown() override {
        link.close();
        if (line) line->requestStop();  // a unit still waiting for its handshake
        if (unit.joinable()) unit.join();
        std::remove((dir + "/log.csv").c_str());
        ::rmdir(dir.c_str());
    }

    // Waits until the unit has taken the current choice.
    bool taken() {
        return ui.pumpUntil([this] { return !ui.busy; });
    }
    bool open(std::uint16_t page) {
        ui.selectPage(page);
        return taken();
    }

    UnitLink link{std::chrono::milliseconds(100)};
    ScriptedUi ui{link};
    std::unique_ptr<UnitLine> line;
    std::unique_ptr<UnitSession> session;
    std::unique_ptr<DemoWorkshop> demo;
    std::thread unit;
    bool started = false;
    std::string dir;
};

TEST_F(DemoWorkshopTest, WholeSessionExercisesEveryCommandAndEveryReplyIsRight) {
    // Handshake, menu and the jump to the About page, whose text the unit fills.
    ASSERT_TRUE(ui.pumpUntil([&] {
        return ui.menus == 1 && ui.currentPage == demo::kAbout && !ui.busy &&
               ui.valueOf(demo::about::kInfo).find("Firmware") != std::string::npos;
    }));
    EXPECT_EQ(link.replySizeLimit(), 128u);
    const MenuRecord& menu = link.menuRecord();
    EXPECT_EQ(menu.entryCount(), 21u);
    EXPECT_EQ(menu.pageCount(), 11u);

    // Live data: values several times a second, then a report built from them.
    ASSERT_TRUE(open(demo::kLiveData));
    const int before = ui.valueMessages;
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueMessages >= before + 4 && ui.progress.count(demo::live::kLoad); }));
    EXPECT_TRUE(isNumber(ui.valueOf(demo::live::kSpeed)));
    EXPECT_TRUE(isNumber(ui.valueOf(demo::live::kBattery), true));
    ASSERT_TRUE(ui.pressButton(demo::kReportButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.reports.size() == 1; }));
    const std::string& report = ui.reports[0];
    const std::string title = "Engine running - live values\r\n";
    std::size_t at = title.size();
    EXPECT_EQ(report.substr(0, at), title);
    EXPECT_TRUE(reportLine(report, at, "Engine speed") && reportLine(report, at, "Coolant temp.") &&
                reportLine(report, at, "Vehicle speed") && reportLine(report, at, "Battery", true) &&
                at == report.size())
        << report;
    ASSERT_TRUE(taken());
    // The values keep coming after the report, until another choice.
    const int afterReport = ui.valueMessages;
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueMessages >= afterReport + 2; }));
    const int boxesTaken = ui.boxesTaken;
    ASSERT_TRUE(ui.pressButton(demo::kSnapshotButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.boxesTaken > boxesTaken && ui.messageBox == 0; }));
    EXPECT_EQ(ui.boxes.back().kind, 't');

    // Fault codes: list and texts, details of the chosen line, clearing after a yes.
    ASSERT_TRUE(open(demo::kFaultCodes));
    const int valuesOnLeaving = ui.valueMessages;
    ASSERT_TRUE(ui.pumpUntil([&] {
        return ui.linesOf(demo::faults::kList).size() == 3 &&
               ui.valueOf(demo::faults::kSummary) == "3 fault codes stored";
    }));
    ui.selectListLine(demo::faults::kList, 1);
    const int takenBeforeDetails = ui.boxesTaken;
    ASSERT_TRUE(ui.pressButton(demo::kDetailsButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::faults::kDetails).rfind("P0171", 0) == 0; }));
    // The unit clears the list answer it has read.
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.boxesTaken == takenBeforeDetails + 1; }));
    ui.plans['y'] = {3, "", 0, ""};
    ASSERT_TRUE(ui.pressButton(demo::kClearCodesButton));
    ASSERT_TRUE(ui.pumpUntil([&] {
        return ui.valueOf(demo::faults::kSummary) == "No fault codes stored" && !ui.boxes.empty() &&
               ui.boxes.back().kind == 'k' && ui.messageBox == 0;
    }));
    EXPECT_EQ(ui.linesOf(demo::faults::kList), std::vector<std::string>{"No fault codes"});
    // The details of a cleared code go with it, also when "Details" is pressed again.
    const std::string noDetails = "No fault codes stored: nothing to show.";
    EXPECT_EQ(ui.valueOf(demo::faults::kDetails), noDetails);
    ASSERT_TRUE(taken());
    ui.selectListLine(demo::faults::kList, 0);
    const int takenBeforeSecondDetails = ui.boxesTaken;
    ASSERT_TRUE(ui.pressButton(demo::kDetailsButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.boxesTaken == takenBeforeSecondDetails + 1; }));
    EXPECT_EQ(ui.valueOf(demo::faults::kDetails), noDetails);
    EXPECT_EQ(ui.valueMessages, valuesOnLeaving);  // no live values on another page

    // Injector test: progress of a long function, then the key pad.
    ASSERT_TRUE(open(demo::kInjectorTest));
    ASSERT_TRUE(ui.pressButton(demo::kRunTestButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::injector::kStatus).rfind("Test passed", 0) == 0; }));
    EXPECT_EQ(ui.progress[demo::injector::kProgress].range, 100);
    EXPECT_EQ(ui.progress[demo::injector::kProgress].position, 100);
    ASSERT_TRUE(ui.pressButton(demo::kKeyPadButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.keyPadOpen; }));
    int choices = ui.choicesTaken;
    ui.pressKey(demo::kKeyForwardOne);
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.choicesTaken > choices && ui.progress[255].range == 6; }));
    EXPECT_EQ(ui.progress[255].position, 2);
    choices = ui.choicesTaken;
    ui.pressKey(demo::kKeyStart);
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.choicesTaken > choices && ui.progress[255].position == 100; }));
    ui.pressKey(demo::kKeyEsc);
    ASSERT_TRUE(ui.pumpUntil([&] { return !ui.keyPadOpen; }));

    // Fuel pump: a wait notice while the pressure rises.
    ASSERT_TRUE(open(demo::kFuelPump));
    ASSERT_TRUE(ui.pressButton(demo::kPrimePumpButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::pump::kStatus) == "Pump primed: 4.5 bar"; }));
    EXPECT_EQ(ui.valueOf(demo::pump::kPressure), "4.5");
    EXPECT_EQ(ui.messageBox, 0);

    // Service reset refused: nothing changes.
    ASSERT_TRUE(open(demo::kServiceReset));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::service::kDistance) == "1250"; }));
    ui.plans['y'] = {4, "", 0, ""};
    const std::size_t boxCount = ui.boxes.size();
    ASSERT_TRUE(ui.pressButton(demo::kResetServiceButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.boxes.size() == boxCount + 1 && ui.messageBox == 0 && !ui.busy; }));
    ui.pumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(ui.valueOf(demo::service::kDistance), "1250");
    EXPECT_EQ(ui.boxes.size(), boxCount + 1);

    // Key programming: the notice is shown again with 'X'.
    ASSERT_TRUE(open(demo::kKeyProgramming));
    ASSERT_TRUE(ui.pressButton(demo::kLearnKeyButton));
    ASSERT_TRUE(ui.pumpUntil([&] {
        return ui.valueOf(demo::keys::kStored) == "2" && !ui.boxes.empty() && ui.boxes.back().kind == 'k' &&
               ui.messageBox == 0;
    }));
    const auto& b = ui.boxes;
    ASSERT_GE(b.size(), 3u);
    EXPECT_EQ(b[b.size() - 3].kind, 't');
    EXPECT_FALSE(b[b.size() - 3].fromX);
    EXPECT_EQ(b[b.size() - 2].kind, 't');
    EXPECT_TRUE(b[b.size() - 2].fromX);
    EXPECT_EQ(b[b.size() - 2].text, b[b.size() - 3].text);

    // Settings: shown by the unit, changed by the user, read back after "Save settings".
    ASSERT_TRUE(open(demo::kSettings));
    ASSERT_TRUE(ui.pumpUntil([&] {
        return ui.valueOf(demo::settings::kWorkshop) ==
               "Garage M\xFC"
               "ller";
    }));
    EXPECT_EQ(ui.valueOf(demo::settings::kUnits), "Metric");
    ui.pressChange(demo::settings::kUnits);
    ui.pressChange(demo::settings::kLanguage);
    ui.pressChange(demo::settings::kLanguage);
    ui.typeInto(demo::settings::kWorkshop, "Smith Motors");
    ui.typeInto(demo::settings::kPhone, "555 0199");
    ASSERT_TRUE(ui.pressButton(demo::kSaveSettingsButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.boxes.back().text == "Settings saved" && ui.messageBox == 0; }));

    // Customer: string box, list window, two-button question.
    ASSERT_TRUE(open(demo::kCustomer));
    ui.plans['n'] = {2, "Jane Miller", 0, ""};
    ASSERT_TRUE(ui.pressButton(demo::kEnterCustomerButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::customer::kName) == "Jane Miller"; }));
    ui.plans['l'] = {2, "", 2, ""};
    ASSERT_TRUE(taken());
    ASSERT_TRUE(ui.pressButton(demo::kChooseVehicleButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::customer::kVehicle) == "Birch 2.0 diesel 2021"; }));
    EXPECT_EQ(ui.listWindowLines.size(), 3u);
    ui.plans['q'] = {3, "", 0, ""};
    ASSERT_TRUE(taken());
    ASSERT_TRUE(ui.pressButton(demo::kStoreWhereButton));
    ASSERT_TRUE(
        ui.pumpUntil([&] { return ui.valueOf(demo::customer::kStorage) == "Customer record stored on the computer"; }));

    // Files: a log sent to the PC and saved, then the same file fetched back.
    ASSERT_TRUE(open(demo::kFiles));
    const std::string logPath = dir + "/log.csv";
    ui.plans['s'] = {2, "", 0, logPath};
    ui.plans['o'] = {2, "", 0, logPath};
    ASSERT_TRUE(ui.pressButton(demo::kSaveLogButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.valueOf(demo::files::kResult) == "log.csv saved on the PC."; }));
    EXPECT_EQ(link.transferRecord().fileName(), "LOG0001.CSV");
    ASSERT_TRUE(taken());
    ASSERT_TRUE(ui.pressButton(demo::kLoadFileButton));
    ASSERT_TRUE(ui.pumpUntil([&] {
        return ui.valueOf(demo::files::kResult).find("same as the saved log") != std::string::npos;
    })) << ui.valueOf(demo::files::kResult);
    EXPECT_TRUE(ui.fileOpenError.empty());

    // The PC closes the line: the unit ends on its own.
    link.close();
    unit.join();
    EXPECT_TRUE(started);

    const DemoRecord& rec = demo->record();
    for (const std::string& f : session->faults) ADD_FAILURE() << "unit saw: " << f;
    for (char letter : std::string("BCDEFGHJLNPRSTWXYZ"))
        EXPECT_GT(session->sentByLetter[static_cast<unsigned char>(letter)], 0u) << "never sent '" << letter << "'";
    EXPECT_EQ(rec.boxKinds, (std::set<char>{'a', 'k', 'l', 'n', 'o', 'p', 'q', 's', 't', 'w', 'y'}));
    EXPECT_GT(session->repliesChecked, 100u);
    RecordProperty("replies_checked", static_cast<int>(session->repliesChecked));
    RecordProperty("value_updates", static_cast<int>(rec.valueUpdates));
    EXPECT_EQ(rec.settings.units, "Imperial");
    EXPECT_EQ(rec.settings.language, "Francais");
    EXPECT_EQ(rec.settings.workshop, "Smith Motors");
    EXPECT_EQ(rec.settings.phone, "555 0199");
    EXPECT_EQ(rec.customerName, "Jane Miller");
    EXPECT_EQ(rec.storage, "computer");
    const std::string saved = readFile(logPath);
    EXPECT_EQ(saved, std::string(rec.savedLog.begin(), rec.savedLog.end()));
    EXPECT_GE(saved.size(), 1500u);
    EXPECT_TRUE(rec.fetchedMatchesLog);
    EXPECT_EQ(rec.fetchedName, "log.csv");
    EXPECT_GT(ui.transferMessages, 10);
}

TEST_F(DemoWorkshopTest, PopUpPageTellsWhatTheUnitReceivedAndSendsAFileBackIdentical) {
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.menus == 1 && ui.currentPage == demo::kAbout && !ui.busy; }));
    ASSERT_TRUE(open(demo::kPopUps));
    ASSERT_TRUE(
        ui.pumpUntil([&] { return ui.valueOf(demo::popups::kReceived).find("Nothing yet") != std::string::npos; }));
    auto press = [&](std::uint32_t code, const std::string& expected) {
        const std::string before = ui.valueOf(demo::popups::kReceived);
        if (!taken() || !ui.pressButton(code)) return false;
        return ui.pumpUntil([&] {
            const std::string now = ui.valueOf(demo::popups::kReceived);
            return now != before && now.find(expected) != std::string::npos && ui.messageBox == 0;
        });
    };
    ui.plans['y'] = {3, "", 0, ""};
    EXPECT_TRUE(press(demo::kAskYesNoButton, "box result 3 (YES)")) << ui.valueOf(demo::popups::kReceived);
    ui.plans['k'] = {4, "", 0, ""};
    EXPECT_TRUE(press(demo::kShowMessageButton, "box result 4 (closed)")) << ui.valueOf(demo::popups::kReceived);
    ui.plans['q'] = {4, "", 0, ""};
    EXPECT_TRUE(press(demo::kAskComputerButton, "box result 4 (CORVANE or closed)"));
    EXPECT_TRUE(press(demo::kShowNoticeButton, "box result 1 (text notice shown)"));
    EXPECT_TRUE(press(demo::kShowWaitButton, "box result 1 (busy notice shown)"));
    EXPECT_TRUE(press(demo::kShowProgressButton, "6000 bytes went to the PC"));
    ui.plans['l'] = {2, "", 3, ""};
    EXPECT_TRUE(press(demo::kPickLineButton, "line 3, text \"Third line \x80 5\""))
        << ui.valueOf(demo::popups::kReceived);
    ui.plans['n'] = {2, "Hello unit", 0, ""};
    EXPECT_TRUE(press(demo::kTypeTextButton, "text \"Hello unit\""));

    // A file from the PC to the unit and back to another file: the same bytes.
    const std::string source = dir + "/source.bin", copy = dir + "/copy.bin";
    {
        std::ofstream out(source, std::ios::binary);
        for (int i = 0; i < 3000; ++i) out.put(static_cast<char>((i * 31) & 0xFF));
    }
    ui.plans['o'] = {2, "", 0, source};
    ui.plans['s'] = {2, "", 0, copy};
    EXPECT_TRUE(press(demo::kFileRoundTripButton, "source.bin: 3000 bytes")) << ui.valueOf(demo::popups::kReceived);
    EXPECT_NE(ui.valueOf(demo::popups::kReceived).find("sent back: saved"), std::string::npos);
    EXPECT_EQ(readFile(copy), readFile(source));
    EXPECT_EQ(readFile(copy).size(), 3000u);

    ASSERT_TRUE(taken());
    ASSERT_TRUE(ui.pressButton(demo::kOpenKeyPadButton));
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.keyPadOpen; }));
    ui.pressKey(demo::kKeyEsc);
    ASSERT_TRUE(ui.pumpUntil([&] { return !ui.keyPadOpen && !ui.busy; }));

    link.close();
    unit.join();
    for (const std::string& f : session->faults) ADD_FAILURE() << "unit saw: " << f;
    EXPECT_EQ(demo->record().boxKinds, (std::set<char>{'a', 'k', 'l', 'n', 'o', 'p', 'q', 's', 't', 'w', 'y'}));
    std::remove(source.c_str());
    std::remove(copy.c_str());
}

}  // namespace
}  // namespace corvane::unitsim
