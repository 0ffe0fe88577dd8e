// The functions behind the demo's page buttons and key-pad keys.
#include <algorithm>
#include <cstdio>

#include "demo_menu.h"
#include "demo_workshop.h"

namespace corvane::unitsim {

using namespace std::chrono_literals;

namespace {
constexpr const char* kNoFaultDetails = "No fault codes stored: nothing to show.";

std::string fixed1(int tenths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%d", tenths / 10, tenths % 10);
    return buf;
}

unsigned byteSum(const Bytes& b) {
    unsigned sum = 0;
    for (std::uint8_t v : b) sum = (sum + v) & 0xFFFF;
    return sum;
}
}  // namespace

void DemoWorkshop::sendLiveValues() {
    // A cold engine idling, about ten ticks a second: the coolant warms up over two minutes;
    // each minute the throttle is blipped to 3500 rpm, the battery dips under a load and the
    // coolant sensor drops out for half a second ("---").
    const unsigned t = tick_;
    const unsigned cycle = t % 600;
    int rpm = 790 + static_cast<int>((t * 37) % 40);
    if (cycle >= 150 && cycle < 190) {
        const int phase = static_cast<int>(cycle - 150);
        rpm = 800 + (phase < 15 ? phase * 180 : phase < 25 ? 2700 : (40 - phase) * 180);
    }
    const int coolant = std::min(90, 20 + static_cast<int>(t / 20)) - (t >= 1400 ? static_cast<int>(t % 3) : 0);
    const bool sensorOut = cycle >= 500 && cycle < 506;
    int battery = 140 + static_cast<int>(t % 3);  // tenths of a volt
    if (cycle >= 400 && cycle < 412) battery = 118 + static_cast<int>(cycle - 400) / 2;
    const std::vector<std::string> values = {std::to_string(rpm), sensorOut ? "---" : std::to_string(coolant), "0",
                                             fixed1(battery)};
    if (!setValues(demo::live::kSpeed, values)) return;
    ++record_.valueUpdates;
    liveHistory_.push_back(values[0] + ";" + values[1] + ";" + values[2] + ";" + values[3]);
    if (liveHistory_.size() > 200) liveHistory_.erase(liveHistory_.begin());
    if (tick_ % 4 == 0) setProgress(demo::live::kLoad, 100, 15 + static_cast<int>((t * 7) % 30));
}

void DemoWorkshop::pressKey(std::uint8_t key) {
    switch (key) {
        case demo::kKeyStart:
            event("key pad: START, cycling injector " + std::to_string(injector_));
            for (int p = 0; p <= 100 && !session_.finished(); p += 20) {
                setProgress(demo::kKeyPadProgress, 100, p);
                idleFor(pollInterval);
            }
            break;
        case demo::kKeyEnd: injector_ = 6; break;
        case demo::kKeyForwardOne: injector_ = std::min(6, injector_ + 1); break;
        case demo::kKeyForwardTwo: injector_ = std::min(6, injector_ + 2); break;
        case demo::kKeyForwardThree: injector_ = 6; break;
        case demo::kKeyBackOne: injector_ = std::max(1, injector_ - 1); break;
        case demo::kKeyBackTwo: injector_ = std::max(1, injector_ - 2); break;
        case demo::kKeyBackThree: injector_ = 1; break;
        default: break;
    }
    if (key != demo::kKeyStart) {
        event("key pad: key " + std::to_string(key) + ", injector " + std::to_string(injector_));
        setProgress(demo::kKeyPadProgress, 6, injector_);
    }
}

void DemoWorkshop::liveReport() {
    ReportLayout layout;
    layout.control(demo::live::kTitle).lineBreak();
    for (std::uint8_t id : {demo::live::kSpeed, demo::live::kCoolant, demo::live::kVehicleSpeed, demo::live::kBattery})
        layout.control(id).lineBreak();
    // The PC answers once the user has closed its save dialog; the unit waits as long as that takes.
    const auto usual = session_.userTimeout;
    session_.userTimeout = std::chrono::hours(24);
    const bool answered = send(layout.frame());
    session_.userTimeout = usual;
    if (answered) event("report of the live values requested");
}

void DemoWorkshop::snapshot() {
    if (!showNotice('t', "Snapshot of the live values stored")) return;
    idleFor(500ms);
    closeBox();
    event("snapshot stored");
}

void DemoWorkshop::faultDetails(const StatusReply& s) {
    if (faultsCleared_) {
        setText(demo::faults::kDetails, kNoFaultDetails);
        if (s.listChoice != 255) closeBox();
        return;
    }
    if (s.listChoice == 255 || s.text.empty()) {
        setText(demo::faults::kDetails, "Select a fault code first.");
        return;
    }
    const std::string code = s.text.substr(0, s.text.find(' '));
    record_.faultDetails = s.text + "\r\nFreeze frame: 812 rpm, coolant 88 C\r\nStatus: confirmed, MIL on";
    setText(demo::faults::kDetails, record_.faultDetails);
    closeBox();  // the list answer has been read; clear it for the next choice
    event("details of " + code + " (line " + std::to_string(s.listChoice) + ")");
}

void DemoWorkshop::clearFaultCodes() {
    const std::uint8_t answer = askBox('y', "Clear all stored fault codes?");
    if (answer != StatusReply::Yes) {
        if (answer) setText(demo::faults::kSummary, "Fault codes kept");
        return;
    }
    if (!showNotice('w', "Clearing fault codes, please wait...")) return;
    idleFor(800ms);
    closeBox();
    faultsCleared_ = true;
    // The details of a cleared code would still read "MIL on". The list goes between the two
    // texts: 'T' right after 'T' would continue the first text.
    record_.faultDetails.clear();
    setText(demo::faults::kDetails, kNoFaultDetails);
    setList(demo::faults::kList, {"No fault codes"});
    setText(demo::faults::kSummary, "No fault codes stored");
    askBox('k', "Fault codes cleared");
    event("fault codes cleared");
}

void DemoWorkshop::runInjectorTest() {
    setText(demo::injector::kStatus, "Injector balance test running...");
    for (int p = 0; p <= 100 && !session_.finished(); p += 5) {
        setProgress(demo::injector::kProgress, 100, p);
        idleFor(pollInterval);
    }
    setText(demo::injector::kStatus, "Test passed: all injectors within 2 %");
    event("injector test run");
}

void DemoWorkshop::primePump() {
    if (!showNotice('w', "Priming the fuel pump, please wait...")) return;
    for (int tenths = 0; tenths <= 45 && !session_.finished(); tenths += 5) {
        setValues(demo::pump::kPressure, {fixed1(tenths)});
        idleFor(pollInterval);
    }
    closeBox();
    setText(demo::pump::kStatus, "Pump primed: 4.5 bar");
    event("fuel pump primed");
}

void DemoWorkshop::resetService() {
    if (askBox('y', "Reset the service interval now?") != StatusReply::Yes) return;
    setValues(demo::service::kDistance, {"15000"});
    askBox('k', "Service interval reset to 15000 km");
    event("service interval reset");
}

void DemoWorkshop::learnKeys() {
    // The same instruction serves for every key: 'X' shows the box request again.
    if (!showNotice('t', "Insert the next key and switch the ignition on")) return;
    idleFor(400ms);
    closeBox();
    setValues(demo::keys::kStored, {"1"});
    send('X', 0);
    StatusReply s;
    if (!pollUntil([](const StatusReply& r) { return r.boxResult == StatusReply::Shown; }, s, 3s))
        fault("the notice requested again with 'X' was not reported as shown");
    idleFor(400ms);
    closeBox();
    setValues(demo::keys::kStored, {"2"});
    askBox('k', "2 keys learned");
    event("2 keys learned");
}

void DemoWorkshop::saveSettings() {
    const UnitSession::Result r =
        session_.exchange('R', 0, valueRequestPayload(demo::settings::kUnits, demo::settings::kPhone));
    if (!r.ok()) return;
    const std::vector<std::string> v = splitValueReply(r.reply.data);
    if (v.size() != 4) {
        fault("settings read back with " + std::to_string(v.size()) + " values instead of 4");
        askBox('k', "Settings could not be read");
        return;
    }
    record_.settings = DemoSettings{v[0], v[1], v[2], v[3]};
    askBox('k', "Settings saved");
    event("settings saved: " + v[0] + ", " + v[1] + ", " + v[2] + ", " + v[3]);
}

void DemoWorkshop::enterCustomer() {
    StatusReply answer;
    if (askBox('n', "Customer name", &answer) != StatusReply::Accepted) return;
    record_.customerName = answer.text;
    setValues(demo::customer::kName, {answer.text});
    event("customer entered: " + answer.text);
}

void DemoWorkshop::chooseVehicle() {
    // The lines go to the list window, so it must be open before they are sent.
    if (!openBox('l', "Choose a vehicle")) return;
    StatusReply s;
    if (!pollUntil([](const StatusReply& r) { return r.boxResult != StatusReply::None; }, s, 5s)) {
        fault("the list window was not reported as shown");
        closeBox();
        return;
    }
    setList(0, {"Alder 1.6 petrol 2019", "Birch 2.0 diesel 2021", "Cedar EV 2024"});
    if (!pollUntil([](const StatusReply& r) { return r.boxAnswered(); }, s, std::chrono::hours(24))) return;
    closeBox();
    if (s.boxResult != StatusReply::Accepted || s.listChoice == 255) return;
    record_.vehicle = s.text;
    setValues(demo::customer::kVehicle, {s.text});
    event("vehicle chosen: line " + std::to_string(s.listChoice) + ", " + s.text);
}

void DemoWorkshop::storeRecord() {
    const std::uint8_t answer = askBox('q', "Store the customer record on");
    if (!answer) return;
    record_.storage = answer == StatusReply::Yes ? "computer" : "Corvane unit";
    setText(demo::customer::kStorage, "Customer record stored on the " + record_.storage);
    event("customer record stored on the " + record_.storage);
}

void DemoWorkshop::saveLog() {
    std::string csv = "rpm;coolant;speed;battery\r\n";
    for (const std::string& line : liveHistory_) csv += line + "\r\n";
    for (int i = 0; csv.size() < 1500; ++i) csv += std::to_string(780 + i % 90) + ";88;0;13.9\r\n";
    record_.savedLog.assign(csv.begin(), csv.end());

    // The bytes travel first: the save box writes what the PC holds when the user confirms,
    // and proposes the announced name.
    if (!showNotice('p', "Sending log file...")) return;
    if (!send('N', 0, fileHeaderPayload("LOG0001.CSV", record_.savedLog.size()))) return;
    if (!sendAll(fileDataFrames(record_.savedLog, 200))) return;
    closeBox();
    StatusReply reply;
    const std::uint8_t answer = askBox('s', "(*.csv)|*.csv|(*.*)|*.*|", &reply);
    // The PC answers with the name the user chose, when it fits its reply.
    if (answer == StatusReply::Accepted)
        setText(demo::files::kResult,
                reply.text.empty() ? "The log file was saved on the PC." : reply.text + " saved on the PC.");
    else
        setText(demo::files::kResult, "LOG0001.CSV was not saved on the PC.");
    event(std::string("log file of ") + std::to_string(record_.savedLog.size()) + " bytes sent, " +
          (answer == StatusReply::Accepted ? "saved" : "not saved"));
}

void DemoWorkshop::loadFile() {
    if (askBox('o', "(*.csv)|*.csv|(*.*)|*.*|") != StatusReply::Accepted) {
        setText(demo::files::kResult, "Loading cancelled.");
        return;
    }
    const UnitSession::Result header = session_.exchange('G', 0);
    std::string name;
    std::size_t size = 0;
    if (!header.ok() || !parseFileHeader(header.reply.data, name, size)) {
        setText(demo::files::kResult, "The PC offered no file.");
        return;
    }
    const std::size_t chunkLimit = session_.capacity() > 4 ? session_.capacity() - 4u : 0u;
    Bytes file;
    for (;;) {
        const UnitSession::Result chunk = session_.exchange('F', 0);
        if (!chunk.ok()) return;
        if (chunk.reply.data.empty()) break;
        if (chunk.reply.data.size() > chunkLimit)
            fault("file chunk of " + std::to_string(chunk.reply.data.size()) + " bytes exceeds the capacity");
        file.insert(file.end(), chunk.reply.data.begin(), chunk.reply.data.end());
        if (file.size() > size) break;
    }
    if (file.size() != size)
        fault("file " + name + " announced " + std::to_string(size) + " bytes but " + std::to_string(file.size()) +
              " arrived");
    record_.fetchedName = name;
    record_.fetchedFile = file;
    record_.fetchedMatchesLog = !record_.savedLog.empty() && file == record_.savedLog;
    char sum[16];
    std::snprintf(sum, sizeof sum, "%04X", byteSum(file));
    setText(demo::files::kResult, "Loaded " + name + ": " + std::to_string(file.size()) + " bytes, sum " + sum +
                                      (record_.fetchedMatchesLog ? ", same as the saved log." : "."));
    event("file " + name + " fetched, " + std::to_string(file.size()) + " bytes" +
          (record_.fetchedMatchesLog ? ", same as the saved log" : ""));
}

}  // namespace corvane::unitsim
