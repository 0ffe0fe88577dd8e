#pragma once
// A stand-in for the main window in tests: it receives the link's notifications, keeps a small
// model of the open page, answers pop-ups as planned and makes choices the way the window does
// (through UnitLink::updateAnswer). The test thread plays the user-interface thread: it calls
// pumpUntil() to handle notifications while it waits for something.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/unit_link.h"

namespace corvane::testing {

class ScriptedUi : public LinkListener {
public:
    // How the user answers a pop-up of one kind.
    struct BoxPlan {
        std::uint8_t result = 2;  // 2 accepted, 3 yes / COMPUTER, 4 refused
        std::string text;         // typed text ('n')
        int listLine = 0;         // 1-based line chosen in the list window ('l'); 0 none
        std::string path;         // file to save to ('s') or load from ('o')
    };
    struct BoxSeen {
        char kind = 0;
        std::string text;
        bool fromX = false;
    };
    struct Progress {
        int range = -1;
        int position = -1;
    };

    explicit ScriptedUi(UnitLink& link);

    void postNotification(LinkNotification m) override;
    void sendNotification(LinkNotification m, std::shared_ptr<SentMessageReply> reply) override;

    // Handles notifications until `done` holds or the time runs out; true when it held.
    bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // User actions.
    void selectPage(std::uint32_t pageId);  // a menu leaf, or the unit's page jump
    bool pressButton(std::uint32_t code);   // false while busy, as the window ignores it
    void pressKey(std::uint8_t key);
    void selectListLine(std::uint8_t listId, int index);  // 0-based, -1 none
    void pressChange(std::uint8_t choiceId);              // the choice box's "Change" button
    void typeInto(std::uint8_t editId, const std::string& text);

    std::map<char, BoxPlan> plans;
    std::string fileOpenError;  // set when a planned file could not be read

    // What has been seen.
    bool busy = false;
    std::uint32_t currentPage = 0;
    int menus = 0;
    int valueMessages = 0;
    int choicesTaken = 0;
    int boxesTaken = 0;
    int transferMessages = 0;
    std::vector<BoxSeen> boxes;
    std::vector<std::string> reports;
    std::map<std::uint32_t, Progress> progress;  // by target id
    bool keyPadOpen = false;
    char messageBox = 0;  // kind of the open message box, 0 none
    bool listWindowOpen = false;
    std::vector<std::string> listWindowLines;

    // The open page's controls as the window would show them.
    std::string valueOf(std::uint8_t id) const;
    const std::vector<std::string>& linesOf(std::uint8_t listId) const;

private:
    struct Envelope {
        LinkNotification m;
        std::shared_ptr<SentMessageReply> reply;  // null for posted messages
        std::function<void()> work;               // a result read under LinkLock, to apply here
    };
    struct ControlState {
        char type = 0;
        std::string caption;
        std::vector<std::string> items;  // choice box entries
        int current = 0;                 // choice box entry, 0-based
        std::string value;
        std::vector<std::string> lines;  // list box
        int selected = -1;
    };
    struct Timed {
        std::chrono::steady_clock::time_point at;
        std::function<void()> action;
    };

    void handle(Envelope& e);
    void onBox(bool fromX);
    void answerBox(char kind);
    // Runs `read` under LinkLock (through the answer queue) and `apply` afterwards on this thread.
    void underLinkLock(std::function<void(PendingAnswer&)> read, std::function<void()> apply);
    void queue(Envelope e);
    std::string composeReport();
    const PageControl* firstControl(std::uint8_t id) const;

    UnitLink& link_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<Envelope> inbox_;
    std::vector<Timed> timers_;
    std::map<std::uint8_t, ControlState> controls_;  // by control id, first control wins
};

}  // namespace corvane::testing
