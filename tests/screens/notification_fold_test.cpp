// Folding the link's waiting notifications never changes what the user sees or what the unit is
// told: random sequences of every kind of notification, handled one by one by one main window and
// after folding (as they wait while the window is busy) by another, leave both windows with the
// same page contents, pop-ups, status line, readings and answers for the unit.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <deque>
#include <random>
#include <sstream>

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "forms/choose_box.h"
#include "forms/form_fields.h"
#include "main_window_fixture.h"
#include "menu_stream_builder.h"

using namespace corvane;
using namespace corvane::test;

namespace {
constexpr std::uint16_t kPageA = 0x0101, kPageB = 0x0102, kNoPage = 0x0109;

// The main window's one entry for the link's notifications, opened for the test.
class FoldWindow : public CCorvaneNewDlg {
public:
    using CCorvaneNewDlg::CCorvaneNewDlg;
    using CCorvaneNewDlg::onLinkNotification;
};

unitsim::ControlElement control(std::uint8_t id, char type, std::uint8_t top, std::string text = {},
                                std::optional<std::uint32_t> code = {}) {
    return {id, type, 1, top, 60, static_cast<std::uint8_t>(top + 5), std::move(text), code, 0};
}

// Page A holds one control of every kind (and a box sharing its id with a choice box), page B has
// a page code, and no page has kNoPage.
MenuContent testMenu() {
    unitsim::MenuStreamBuilder m;
    m.item("A", kPageA, 1).item("B", kPageB, 2).item("None", kNoPage, 3);
    m.page(kPageA, 0);
    m.control(control(1, 's', 1, "Speed|rpm"));
    m.control(control(2, 'c', 7, "Gear|one|two|three"));
    m.control(control(2, 's', 13, "Gear shown"));
    m.control(control(3, 'e', 19));
    m.control(control(4, 't', 25, "label"));
    m.control(control(5, 'l', 31));
    m.control(control(6, 'p', 37));
    m.control(control(7, 'b', 43, "Go", 0x010203));
    m.control(control(8, 'x', 49));
    m.page(kPageB, 0x000102);
    m.control(control(1, 's', 1, "Volt|V"));
    m.control(control(2, 'p', 7));
    m.control(control(3, 'l', 13));
    MenuRecord record;
    record.append(m.bytes().data(), m.bytes().size());
    record.parse();
    return record.snapshot();
}

bool isSent(const LinkNotification& n) {
    return std::holds_alternative<LinkChoiceTaken>(n) || std::holds_alternative<LinkValueRequest>(n) ||
           std::holds_alternative<LinkTransferIn>(n) || std::holds_alternative<LinkBoxTaken>(n);
}

// A random notification of any kind but those that wait for the user (questions, lists, files,
// report saves): the menu, jumps, lines, texts, values, progress, notices, the key pad, and the
// unit taking answers and reading values back.
class NotificationMaker {
public:
    explicit NotificationMaker(unsigned seed) : rng_(seed) {}

    // Half the time another of the kind before, as a unit that repeats itself sends them.
    LinkNotification next() {
        if (pick(2) == 0) kind_ = pick(15);
        switch (kind_) {
            case 0: return pick(6) == 0 ? LinkNotification{LinkMenu{menu_}} : next();
            case 1:
            case 2: return LinkShowPage{std::array{kPageA, kPageB, kNoPage}[pick(3)]};
            case 3: return LinkList{std::array{5u, 3u, 0u, 9u}[pick(4)], lines()};
            case 4: return LinkText{static_cast<std::uint32_t>(pick(9)), word()};
            case 5:
            case 6:
            case 7: return values();
            case 8:
                return LinkProgress{std::array{6u, 2u, 255u}[pick(3)], static_cast<std::int32_t>(pick(200)),
                                    static_cast<std::int32_t>(pick(250)) - 20};
            case 9: return LinkTransferOut{pick(5000), pick(6000)};
            case 10: return LinkBox{static_cast<std::uint32_t>("twpa"[pick(4)]), word(), pick(3) == 0};
            case 11: return pick(2) ? LinkNotification{LinkBoxTaken{}} : LinkNotification{LinkChoiceTaken{}};
            case 12: return LinkValueRequest{static_cast<std::uint32_t>(pick(4)), static_cast<std::uint32_t>(pick(10))};
            case 13:
                return LinkTransferIn{static_cast<std::int64_t>(pick(3000)) - 10,
                                      static_cast<std::int64_t>(pick(3000))};
            default: return values();
        }
    }
    std::mt19937& rng() { return rng_; }
    const MenuContent& menu() const { return menu_; }

private:
    std::uint64_t pick(std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng_); }
    std::string word() {
        static const std::array<const char*, 7> words = {"one", "two", "three", "x", "", "12.5", "\xE9t\xE9"};
        return words[pick(words.size())];
    }
    std::vector<std::string> lines() {
        std::vector<std::string> l(1 + pick(3));
        for (auto& line : l) line = word();
        return l;
    }
    LinkValues values() {
        ValuesFrame frame;
        frame.arrival = LinkClock::time_point(std::chrono::milliseconds(++frames_));
        const int first = static_cast<int>(pick(9)) + 1, last = first + static_cast<int>(pick(4));
        for (int p = first; p <= last; ++p) frame.present.emplace_back(p, word());
        return LinkValues::of(std::move(frame));
    }

    std::mt19937 rng_;
    std::uint64_t kind_ = 0;
    MenuContent menu_ = testMenu();
    int frames_ = 0;
};

// What a user and the unit can tell of a window: the open page's controls, the pop-ups, the
// status line and the answer waiting for the unit.
std::string observe(FoldWindow& w) {
    std::ostringstream o;
    PageChoices& pages = w.pageChoices();
    o << "page " << pages.currentPageId() << '/' << pages.currentPageIndex() << " busy " << pages.busy() << " status '"
      << w.statusText() << "' lamp " << w.readyLampShown() << " bar " << w.busyBarRunning() << '\n';
    if (const MenuPage* page = pages.currentPage()) {
        for (const auto& c : page->controls) {
            o << c->type << int(c->id) << ':';
            QWidget* window = c->window;
            if (!window) {
                o << "none\n";
                continue;
            }
            if (auto* show = qobject_cast<CCorvShowBox*>(window)) o << show->Value();
            if (auto* choose = qobject_cast<CChooseBox*>(window)) o << choose->currentItemText();
            if (auto* edit = qobject_cast<CFormEdit*>(window)) o << edit->textBytes();
            if (auto* memo = qobject_cast<CFormMemo*>(window)) o << memo->textBytes();
            if (auto* label = qobject_cast<CCorvStatic*>(window)) o << label->text();
            if (auto* button = qobject_cast<CCorvButton*>(window)) o << button->caption();
            if (auto* bar = qobject_cast<CCorvProgress*>(window)) o << bar->maximum() << '@' << bar->position();
            if (auto* list = qobject_cast<CFormListBox*>(window)) {
                for (int row = 0; row < list->count(); ++row) o << list->lineBytes(row) << '|';
                o << " sel " << list->selectedRow();
            }
            o << '\n';
        }
    }
    PopUps& popUps = w.popUps();
    if (CCorvMessageBox* box = popUps.messageBox()) {
        o << "box " << box->GetType() << ' ' << box->text();
        if (CCorvProgress* bar = box->progressBar()) o << ' ' << bar->maximum() << '@' << bar->position();
        o << '\n';
    }
    if (CTransportTool* pad = popUps.keyPad())
        o << "pad " << pad->progressBar().maximum() << '@' << pad->progressBar().position() << '\n';
    PendingAnswer answer;
    w.link().updateAnswer([&answer](PendingAnswer& a) { answer = a; });
    o << "answer " << int(answer.choiceHigh) << ',' << int(answer.choiceMid) << ',' << int(answer.choiceLow) << ','
      << int(answer.boxResult) << ',' << int(answer.listChoice) << ',' << answer.answerText;
    return o.str();
}

// One window handling notifications, with what it gave out: readings and read-back answers.
struct Handling {
    explicit Handling(MainWindowSandbox& sandbox) : window(sandbox.options()) {
        QObject::connect(&window, &CCorvaneNewDlg::valuesShown, [this](const std::vector<ShownValues>& shown) {
            for (const ShownValues& s : shown) {
                std::string row = std::to_string(s.arrival.time_since_epoch().count());
                for (const std::string& v : s.values) row += ',' + v;
                given.push_back(row);
            }
        });
    }
    void handle(const LinkNotification& n) {
        window.onLinkNotification(n);
        if (std::holds_alternative<LinkValueRequest>(n)) {
            auto records = window.link().lockRecords();
            given.push_back("reply " + window.link().valueTable().replyText());
        }
    }
    FoldWindow window;
    std::vector<std::string> given;
};
}  // namespace

TEST(NotificationFolding, HandlingFoldedNotificationsEqualsHandlingThemOneByOne) {
    MainWindowSandbox sandbox;
    Handling oneByOne(sandbox), folded(sandbox);
    const unsigned seed = 20261210;
    NotificationMaker maker(seed);
    std::size_t folds = 0;
    for (int sequence = 0; sequence < 1000; ++sequence) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", sequence " + std::to_string(sequence));
        std::vector<LinkNotification> notes{LinkMenu{maker.menu()}, LinkShowPage{kPageA}};
        const int length = 5 + static_cast<int>(maker.rng()() % 40);
        for (int i = 0; i < length; ++i) notes.push_back(maker.next());

        for (const LinkNotification& n : notes) oneByOne.handle(n);

        // As the bridge keeps them: a posted one folds into the last waiting one where its rule
        // lets it; the window catches up at random moments, and always before the worker goes on
        // after a sent one.
        std::deque<LinkNotification> waiting;
        auto catchUp = [&] {
            while (!waiting.empty()) {
                folded.handle(waiting.front());
                waiting.pop_front();
            }
        };
        for (const LinkNotification& n : notes) {
            if (!isSent(n) && !waiting.empty() && foldInto(waiting.back(), n)) {
                ++folds;
                continue;
            }
            waiting.push_back(n);
            if (isSent(n) || maker.rng()() % 5 == 0) catchUp();
        }
        catchUp();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        ASSERT_EQ(observe(folded.window), observe(oneByOne.window));
        ASSERT_EQ(folded.given, oneByOne.given);
    }
    EXPECT_GT(folds, 4000u) << "the sequences hardly folded: the test proves little";
}
