// The demo's pop-up page: every kind of pop-up the unit can open, each followed by a text that
// says what the unit received, so a user sees the whole round trip.
#include <cstdio>

#include "demo_menu.h"
#include "demo_workshop.h"

namespace corvane::unitsim {

using namespace std::chrono_literals;

namespace {
std::string answerName(std::uint8_t result, const char* accepted, const char* first, const char* refused) {
    switch (result) {
        case StatusReply::Accepted: return std::string("2 (") + accepted + ")";
        case StatusReply::Yes: return std::string("3 (") + first + ")";
        case StatusReply::Refused: return std::string("4 (") + refused + ")";
        default: return std::to_string(result);
    }
}

std::string checksum(const Bytes& b) {
    unsigned sum = 0;
    for (std::uint8_t v : b) sum = (sum + v) & 0xFFFF;
    char text[8];
    std::snprintf(text, sizeof text, "%04X", sum);
    return text;
}
}  // namespace

void DemoWorkshop::showReceived(const std::string& what) {
    record_.popUpReceived = what;
    setText(demo::popups::kReceived, "The unit received:\r\n" + what);
}

bool DemoWorkshop::fetchFile(std::string& name, Bytes& file) {
    const UnitSession::Result header = session_.exchange('G', 0);
    std::size_t size = 0;
    if (!header.ok() || !parseFileHeader(header.reply.data, name, size)) return false;
    file.clear();
    for (;;) {
        const UnitSession::Result chunk = session_.exchange('F', 0);
        if (!chunk.ok()) return false;
        if (chunk.reply.data.empty()) break;
        file.insert(file.end(), chunk.reply.data.begin(), chunk.reply.data.end());
        if (file.size() > size) break;
    }
    if (file.size() != size)
        fault("file " + name + " announced " + std::to_string(size) + " bytes but " + std::to_string(file.size()) +
              " arrived");
    return true;
}

DemoWorkshop::State DemoWorkshop::popUpButton(std::uint32_t code) {
    switch (code) {
        case demo::kAskYesNoButton: {
            const std::uint8_t r = askBox('y', "Do you see this question?\r\nAnswer YES or NO.");
            if (r) showReceived("box result " + answerName(r, "-", "YES", "NO or closed"));
            break;
        }
        case demo::kShowMessageButton: {
            const std::uint8_t r = askBox('k',
                                          "A message from the unit. A line wider than the box wraps at its "
                                          "words, and the box grows to show the whole text.\r\nPress OK.");
            if (r) showReceived("box result " + answerName(r, "OK", "-", "closed"));
            break;
        }
        case demo::kAskComputerButton: {
            const std::uint8_t r = askBox('q', "Where should the unit store the record?");
            if (r) showReceived("box result " + answerName(r, "-", "COMPUTER", "CORVANE or closed"));
            break;
        }
        case demo::kShowNoticeButton:
        case demo::kShowWaitButton: {
            const bool busy = code == demo::kShowWaitButton;
            if (!showNotice(busy ? 'w' : 't',
                            busy ? "Please wait, the unit is busy..." : "A notice: it goes by itself."))
                break;
            idleFor(1500ms);
            closeBox();
            showReceived(std::string("box result 1 (") + (busy ? "busy" : "text") +
                         " notice shown); the unit closed it after 1.5 s");
            break;
        }
        case demo::kShowProgressButton: {
            // The progress notice follows a file travelling to the PC.
            if (!showNotice('p', "Sending a file to the PC...")) break;
            Bytes file(6000);
            for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>('A' + i % 26);
            send('N', 0, fileHeaderPayload("PROGRESS.TXT", file.size()));
            for (const Frame& f : fileDataFrames(file, 200)) {
                if (!send(f)) break;
                idleFor(50ms);
            }
            closeBox();
            showReceived("box result 1 (shown) while 6000 bytes went to the PC");
            break;
        }
        case demo::kPickLineButton: {
            if (!openBox('l', "Pick a line")) break;
            StatusReply s;
            if (!pollUntil([](const StatusReply& r) { return r.boxResult != StatusReply::None; }, s, 5s)) break;
            setList(0, {"First line", "Second line", "Third line \x80 5"});
            if (!pollUntil([](const StatusReply& r) { return r.boxAnswered(); }, s, std::chrono::hours(24))) break;
            closeBox();
            if (s.boxResult == StatusReply::Accepted)
                showReceived("box result 2 (OK), line " +
                             (s.listChoice == 255 ? std::string("none") : std::to_string(s.listChoice)) + ", text \"" +
                             s.text + "\"");
            else
                showReceived("box result " + answerName(s.boxResult, "OK", "-", "cancelled"));
            break;
        }
        case demo::kTypeTextButton: {
            StatusReply s;
            const std::uint8_t r = askBox('n', "Type a text for the unit", &s);
            if (r == StatusReply::Accepted)
                showReceived("box result 2 (OK), text \"" + s.text + "\"");
            else if (r)
                showReceived("box result " + answerName(r, "OK", "-", "cancelled"));
            break;
        }
        case demo::kOpenKeyPadButton:
            if (openBox('a', "Key pad")) {
                showReceived("the key pad is open: every key goes to the unit, ESC closes it");
                event("key pad opened");
                return State::KeyPad;
            }
            break;
        case demo::kFileRoundTripButton: {
            // A file from the PC to the unit, and the same bytes back to a file the user picks.
            const std::uint8_t r = askBox('o', "(*.*)|*.*|");
            std::string name;
            Bytes file;
            if (r != StatusReply::Accepted || !fetchFile(name, file)) {
                showReceived("no file (box result " + answerName(r, "OK", "-", "cancelled or failed") + ")");
                break;
            }
            record_.echoedFile = file;
            if (!send('N', 0, fileHeaderPayload(name, file.size())) || !sendAll(fileDataFrames(file, 200))) break;
            StatusReply reply;
            const std::uint8_t saved = askBox('s', "(*.*)|*.*|", &reply);
            const std::string as = reply.text.empty() ? std::string() : " as " + reply.text;
            showReceived(name + ": " + std::to_string(file.size()) + " bytes, sum " + checksum(file) +
                         "; sent back: " + (saved == StatusReply::Accepted ? "saved" + as : "not saved"));
            event("file " + name + " of " + std::to_string(file.size()) + " bytes fetched and sent back");
            break;
        }
        default: break;
    }
    return State::Idle;
}

}  // namespace corvane::unitsim
