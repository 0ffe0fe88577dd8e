// The demo's states and the building blocks its functions use.
#include "demo_workshop.h"

#include "demo_menu.h"

namespace corvane::unitsim {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const char* stateName(DemoWorkshop::State s) {
    switch (s) {
        case DemoWorkshop::State::Handshake: return "handshake";
        case DemoWorkshop::State::SendMenu: return "send menu";
        case DemoWorkshop::State::Welcome: return "welcome";
        case DemoWorkshop::State::Idle: return "idle";
        case DemoWorkshop::State::LiveData: return "live data";
        case DemoWorkshop::State::KeyPad: return "key pad";
        case DemoWorkshop::State::Done: return "done";
    }
    return "?";
}

DemoWorkshop::DemoWorkshop(UnitSession& session) : session_(session) {}

bool DemoWorkshop::run() {
    while (state_ != State::Done) {
        State next = State::Done;
        switch (state_) {
            case State::Handshake: next = onHandshake(); break;
            case State::SendMenu: next = onSendMenu(); break;
            case State::Welcome: next = onWelcome(); break;
            case State::Idle: next = onIdle(); break;
            case State::LiveData: next = onLiveData(); break;
            case State::KeyPad: next = onKeyPad(); break;
            case State::Done: break;
        }
        if (session_.finished()) next = State::Done;
        state_ = next;
    }
    return session_.started();
}

DemoWorkshop::State DemoWorkshop::onHandshake() {
    if (!session_.handshake()) return State::Done;
    event("handshake answered");
    return State::SendMenu;
}

DemoWorkshop::State DemoWorkshop::onSendMenu() {
    const MenuStreamBuilder menu = demo::buildDemoMenu();
    for (const std::string& p : menu.problems()) fault("demo menu: " + p);
    // Small frames, so the menu travels in several pieces as a real unit's would.
    if (!sendAll(menu.frames(120))) return State::Done;
    StatusReply s;
    if (!status(s)) return State::Done;
    if (s.menuLoaded != 1) fault("the PC does not report the menu as loaded");
    event("menu sent in " + std::to_string(menu.frames(120).size()) + " frames");
    return State::Welcome;
}

DemoWorkshop::State DemoWorkshop::onWelcome() {
    if (!send('J', 0, pageJumpPayload(demo::kAbout))) return State::Done;
    event("jumped to the About page");
    return State::Idle;
}

DemoWorkshop::State DemoWorkshop::onIdle() {
    StatusReply s;
    if (!status(s)) return State::Done;
    if (s.hasChoice()) return takeChoice(s, State::Idle);
    idleFor(pollInterval);
    return State::Idle;
}

DemoWorkshop::State DemoWorkshop::onLiveData() {
    ++tick_;
    StatusReply s;
    if (!status(s)) return State::Done;
    if (s.hasChoice()) return takeChoice(s, State::LiveData);
    // Values five times a second, the load bar every other time.
    if (tick_ % 2 == 0) sendLiveValues();
    idleFor(pollInterval);
    return State::LiveData;
}

DemoWorkshop::State DemoWorkshop::onKeyPad() {
    StatusReply s;
    if (!status(s)) return State::Done;
    if (s.hasChoice()) return takeChoice(s, State::KeyPad);
    idleFor(pollInterval);
    return State::KeyPad;
}

DemoWorkshop::State DemoWorkshop::takeChoice(const StatusReply& s, State current) {
    if (!send('Y', 0)) return State::Done;
    if (s.isKey()) {
        ++record_.keysTaken;
        if (current != State::KeyPad) return current;  // a key pad closed meanwhile
        if (s.key() == demo::kKeyEsc) {
            closeBox();  // takes the key pad away
            event("key pad closed with ESC");
            return State::Idle;
        }
        pressKey(s.key());
        return State::KeyPad;
    }
    ++record_.choicesTaken;
    const std::uint32_t code = s.code();
    if (demo::isPageCode(code)) return openPage(static_cast<std::uint16_t>(code & 0xFF));
    const State after = pressButton(code, s);
    return after == State::Idle && current == State::LiveData && currentPage_ == demo::kLiveData ? State::LiveData
                                                                                                 : after;
}

DemoWorkshop::State DemoWorkshop::openPage(std::uint16_t pageId) {
    currentPage_ = pageId;
    switch (pageId) {
        case demo::kLiveData: event("page Live data: streaming values"); return State::LiveData;
        case demo::kFaultCodes:
            // Texts and the list alternate: 'T' right after 'T' would continue the first text.
            setText(demo::faults::kDetails, "Select a fault code and press Details.");
            if (faultsCleared_) {
                setList(demo::faults::kList, {"No fault codes"});
                setText(demo::faults::kSummary, "No fault codes stored");
            } else {
                setList(demo::faults::kList, {"P0301 Cylinder 1 misfire", "P0171 System too lean (bank 1)",
                                              "U0100 Lost communication with ECM"});
                setText(demo::faults::kSummary, "3 fault codes stored");
            }
            event("page Fault codes");
            break;
        case demo::kInjectorTest:
            setText(demo::injector::kStatus, "Injector balance test: ready");
            setProgress(demo::injector::kProgress, 100, 0);
            event("page Injector test");
            break;
        case demo::kFuelPump:
            setValues(demo::pump::kPressure, {"0.0"});
            event("page Fuel pump");
            break;
        case demo::kServiceReset:
            setValues(demo::service::kDistance, {"1250"});
            event("page Service reset");
            break;
        case demo::kKeyProgramming:
            setValues(demo::keys::kStored, {"0"});
            event("page Key programming");
            break;
        case demo::kSettings:
            setValues(demo::settings::kUnits, {record_.settings.units, record_.settings.language,
                                               record_.settings.workshop, record_.settings.phone});
            event("page Settings");
            break;
        case demo::kCustomer:
            setValues(demo::customer::kName, {record_.customerName, record_.vehicle});
            event("page Customer");
            break;
        case demo::kPopUps:
            showReceived("Nothing yet: press a button.");
            event("page Pop-ups");
            break;
        case demo::kFiles:
            setProgress(demo::files::kProgress, 100, 0);
            setText(demo::files::kResult, "No file moved yet.");
            event("page Files");
            break;
        case demo::kAbout:
            setText(demo::about::kInfo,
                    "Corvane diagnostic unit (simulated)\r\nFirmware 2.4.1\r\nSerial number CV-000123\r\n"
                    "Vehicle database 2026.11");
            event("page About");
            break;
        default: event("page " + std::to_string(pageId) + " is not known to the unit"); break;
    }
    return State::Idle;
}

DemoWorkshop::State DemoWorkshop::pressButton(std::uint32_t code, const StatusReply& s) {
    switch (code) {
        case demo::kReportButton: liveReport(); break;
        case demo::kSnapshotButton: snapshot(); break;
        case demo::kDetailsButton: faultDetails(s); break;
        case demo::kClearCodesButton: clearFaultCodes(); break;
        case demo::kRunTestButton: runInjectorTest(); break;
        case demo::kKeyPadButton:
            if (openBox('a', "Injector selection")) {
                event("key pad opened");
                return State::KeyPad;
            }
            break;
        case demo::kPrimePumpButton: primePump(); break;
        case demo::kResetServiceButton: resetService(); break;
        case demo::kLearnKeyButton: learnKeys(); break;
        case demo::kSaveSettingsButton: saveSettings(); break;
        case demo::kEnterCustomerButton: enterCustomer(); break;
        case demo::kChooseVehicleButton: chooseVehicle(); break;
        case demo::kStoreWhereButton: storeRecord(); break;
        case demo::kSaveLogButton: saveLog(); break;
        case demo::kLoadFileButton: loadFile(); break;
        default:
            if (demo::isPopUpButton(code)) return popUpButton(code);
            event("choice " + std::to_string(code) + " is not known to the unit");
            break;
    }
    return State::Idle;
}

// --- building blocks ---

void DemoWorkshop::event(const std::string& line) {
    record_.events.push_back(line);
    if (narration_) *narration_ << "unit: " << line << std::endl;
}

void DemoWorkshop::fault(const std::string& what) { session_.fault(what); }

bool DemoWorkshop::send(const Frame& frame) { return session_.exchange(frame).ok(); }

bool DemoWorkshop::send(std::uint8_t letter, std::uint8_t sub, Bytes data) {
    return send(Frame{letter, sub, std::move(data)});
}

bool DemoWorkshop::sendAll(const std::vector<Frame>& frames) {
    for (const Frame& f : frames)
        if (!send(f)) return false;
    return true;
}

bool DemoWorkshop::status(StatusReply& s) { return session_.poll(s); }

bool DemoWorkshop::idleFor(std::chrono::milliseconds t) { return session_.line().pause(t); }

bool DemoWorkshop::pollUntil(const std::function<bool(const StatusReply&)>& done, StatusReply& last,
                             std::chrono::milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    while (!session_.finished()) {
        if (status(last) && done(last)) return true;
        if (Clock::now() >= until) return false;
        idleFor(pollInterval);
    }
    return false;
}

bool DemoWorkshop::openBox(char kind, const std::string& text) {
    record_.boxKinds.insert(kind);
    return send('B', 0, boxPayload(kind, text));
}

std::uint8_t DemoWorkshop::askBox(char kind, const std::string& text, StatusReply* answer) {
    if (!openBox(kind, text)) return 0;
    StatusReply s;
    // The user may take as long as they like; the unit waits for them.
    if (!pollUntil([](const StatusReply& r) { return r.boxAnswered(); }, s, std::chrono::hours(24))) return 0;
    if (answer) *answer = s;
    closeBox();
    return s.boxResult;
}

bool DemoWorkshop::showNotice(char kind, const std::string& text) {
    if (!openBox(kind, text)) return false;
    StatusReply s;
    if (!pollUntil([](const StatusReply& r) { return r.boxResult == StatusReply::Shown; }, s, 3s))
        fault(std::string("notice '") + kind + "' was not reported as shown");
    return !session_.finished();
}

bool DemoWorkshop::setText(std::uint8_t id, const std::string& text) { return sendAll(textFrames(id, text, 100)); }

bool DemoWorkshop::setValues(std::uint8_t first, const std::vector<std::string>& values) {
    return send('D', 0, valuesPayload(first, values));
}

bool DemoWorkshop::setList(std::uint8_t header, const std::vector<std::string>& lines) {
    return sendAll(listFrames(header, lines, 100));
}

bool DemoWorkshop::setProgress(std::uint8_t target, int range, int position) {
    return send('P', 0, progressPayload(target, range, position));
}

}  // namespace corvane::unitsim
