#pragma once
// The demo workshop: a believable diagnostic session, written as a state machine over the
// unit's conversation. It sends the menu, jumps to its welcome page, then polls and reacts to
// the user's choices: live values, fault codes, actuator tests with progress and the key pad,
// settings read back, pop-ups of every kind, a report and files in both directions.
#include <cstdint>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "command_payloads.h"
#include "reply_check.h"
#include "unit_session.h"

namespace corvane::unitsim {

struct DemoSettings {
    std::string units = "Metric";
    std::string language = "English";
    // A byte above 0x7F (u with diaeresis), which must come back unchanged when read back.
    std::string workshop =
        "Garage M\xFC"
        "ller";
    std::string phone = "0221 4711";
};

// What the session did, for the closing summary and the tests.
struct DemoRecord {
    std::set<char> boxKinds;  // every kind of 'B' sent
    unsigned choicesTaken = 0;
    unsigned keysTaken = 0;
    unsigned valueUpdates = 0;  // 'D' frames on the live data page
    DemoSettings settings;
    std::string customerName;
    std::string vehicle;
    std::string storage;
    std::string faultDetails;   // the details text shown for the chosen fault code
    std::string popUpReceived;  // what the pop-up page shows the unit received last
    Bytes echoedFile;           // the file fetched from the PC and sent back
    Bytes savedLog;             // the last file sent to the PC
    std::string fetchedName;
    Bytes fetchedFile;  // the last file fetched from the PC
    bool fetchedMatchesLog = false;
    std::vector<std::string> events;  // one line per function the unit carried out
};

class DemoWorkshop {
public:
    enum class State { Handshake, SendMenu, Welcome, Idle, LiveData, KeyPad, Done };

    explicit DemoWorkshop(UnitSession& session);

    // Runs until the line goes away or a stop is requested. True when the conversation had
    // started (a session that never met a PC is not a success).
    bool run();
    State state() const { return state_; }
    const DemoRecord& record() const { return record_; }

    // Optional narration of what the unit does, one line per event.
    void setNarration(std::ostream* out) { narration_ = out; }
    // Time between status polls.
    std::chrono::milliseconds pollInterval{100};

private:
    State onHandshake();
    State onSendMenu();
    State onWelcome();
    State onIdle();
    State onLiveData();
    State onKeyPad();

    // Takes a choice seen in a status reply: 'Y', then the function it selects.
    State takeChoice(const StatusReply& status, State current);
    State openPage(std::uint16_t pageId);
    State pressButton(std::uint32_t code, const StatusReply& status);
    void pressKey(std::uint8_t key);

    // Functions behind the buttons.
    void liveReport();
    void snapshot();
    void faultDetails(const StatusReply& status);
    void clearFaultCodes();
    void runInjectorTest();
    void primePump();
    void resetService();
    void learnKeys();
    void saveSettings();
    void enterCustomer();
    void chooseVehicle();
    void storeRecord();
    void saveLog();
    void loadFile();
    // The pop-up page: opens the pop-up the button names and shows what came back.
    State popUpButton(std::uint32_t code);
    void showReceived(const std::string& what);
    bool fetchFile(std::string& name, Bytes& file);

    // Building blocks; each returns false once the conversation has ended.
    bool send(std::uint8_t letter, std::uint8_t sub, Bytes data = {});
    bool send(const Frame& frame);
    bool sendAll(const std::vector<Frame>& frames);
    bool status(StatusReply& s);  // one 'S' poll
    bool idleFor(std::chrono::milliseconds t);
    // Polls until `done` holds; false when the conversation ended or `timeout` passed.
    bool pollUntil(const std::function<bool(const StatusReply&)>& done, StatusReply& last,
                   std::chrono::milliseconds timeout);
    bool openBox(char kind, const std::string& text);
    // A box the user answers: open it, wait for the answer, then 'Z'. Result 0 when it ended.
    std::uint8_t askBox(char kind, const std::string& text, StatusReply* answer = nullptr);
    // A notice that stays until the unit closes it: open it and wait until it is shown.
    bool showNotice(char kind, const std::string& text);
    bool closeBox() { return send('Z', 0); }
    bool setText(std::uint8_t id, const std::string& text);
    bool setValues(std::uint8_t first, const std::vector<std::string>& values);
    bool setList(std::uint8_t header, const std::vector<std::string>& lines);
    bool setProgress(std::uint8_t target, int range, int position);
    void sendLiveValues();
    void event(const std::string& line);
    void fault(const std::string& what);

    UnitSession& session_;
    State state_ = State::Handshake;
    DemoRecord record_;
    std::ostream* narration_ = nullptr;
    std::uint16_t currentPage_ = 0;
    unsigned tick_ = 0;
    int injector_ = 1;
    bool faultsCleared_ = false;
    std::vector<std::string> liveHistory_;  // CSV lines gathered on the live data page
};

const char* stateName(DemoWorkshop::State s);

}  // namespace corvane::unitsim
