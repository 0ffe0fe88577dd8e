#pragma once
// A main window on a pseudo-terminal with the test playing the unit on a second thread, for the
// tests of what the unit shows on and reads back from the open page. Also a recording stand-in
// for the pop-ups and a driver for the file dialog, whose exec() runs its own event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "command_payloads.h"
#include "main_window_fixture.h"
#include "menu_stream_builder.h"
#include "pty_unit.h"
#include "screens/pop_up_slots.h"

namespace corvane::test {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

inline Bytes textBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// What the page handlers asked of the pop-ups.
class RecordingPopUps : public PopUpSlots {
public:
    bool appendToListWindow(const std::vector<std::string>& lines) override {
        if (!listWindowOpen) return false;
        listWindow.insert(listWindow.end(), lines.begin(), lines.end());
        return true;
    }
    bool messageBoxOpen() const override { return boxOpen; }
    void setMessageBoxProgress(int range, int position) override { boxProgress.push_back({range, position}); }
    void setKeyPadProgress(int range, int position) override { keyPadProgress.push_back({range, position}); }

    bool listWindowOpen = false;
    bool boxOpen = false;
    std::vector<std::string> listWindow;
    std::vector<std::pair<int, int>> boxProgress;
    std::vector<std::pair<int, int>> keyPadProgress;
};

// Acts on the file dialog while it is open: `act` runs on every tick while a dialog is open (it
// returns true once it has seen to closing it). A question whether to replace an existing file
// is answered Yes.
class FileDialogDriver {
public:
    FileDialogDriver(FileDialogs& dialogs, std::function<bool(QFileDialog&)> act)
        : dialogs_(dialogs), act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start(10);
    }
    // What to do with the next dialogs.
    void setAction(std::function<bool(QFileDialog&)> act) { act_ = std::move(act); }
    int dialogsSeen() const { return seen_; }

private:
    void tick() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
            return;
        }
        QFileDialog* dialog = dialogs_.openDialog();
        if (!dialog) return;
        // Dialogs live on the stack and may reuse an address: each is marked once seen.
        if (!dialog->property("driverSeen").toBool()) {
            dialog->setProperty("driverSeen", true);
            ++seen_;
        }
        if (!dialog->property("driverDone").toBool() && act_(*dialog)) dialog->setProperty("driverDone", true);
    }

    FileDialogs& dialogs_;
    std::function<bool(QFileDialog&)> act_;
    QTimer timer_;
    int seen_ = 0;
};

// Types `path` into the dialog's file name field, as a user does, and confirms it. The
// confirmation is queued: it may ask whether to replace the file, and that question must be
// answered by a later tick of the driver.
inline bool chooseFile(QFileDialog& dialog, const QString& path) {
    // Selecting first drops a file the dialog may have selected in its list; it fills the name
    // field only while that field lacks the focus, so the name is typed in as well.
    dialog.selectFile(path);
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(path);
    QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
    return true;
}

class LivePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(unit.ok());
        auto o = sandbox.options();
        o.portPath = unit.slavePath();
        window = sandbox.start(std::move(o));
        ASSERT_TRUE(window->link().isOpen());
    }
    void TearDown() override { window.reset(); }

    // Runs the unit's side on another thread while the window's event loop turns.
    template <typename F>
    auto asUnit(F f, int milliseconds = 10000) {
        auto result = std::async(std::launch::async, f);
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.wait_for(0ms) == std::future_status::ready; }, milliseconds));
        return result.get();
    }
    std::optional<Frame> exchange(char letter, std::uint8_t sub, const Bytes& data = {}) {
        return asUnit([&, letter, sub] { return unit.exchange(letter, sub, data); });
    }
    bool exchangeAll(const std::vector<Frame>& frames) {
        return asUnit([&] {
            for (const Frame& f : frames)
                if (!unit.exchange(static_cast<char>(f.letter), f.sub, f.data)) return false;
            return true;
        });
    }
    // The DATA of the 'O' reply to a read-back of ids first..last.
    Bytes readBack(std::uint8_t first, std::uint8_t last) {
        auto o = exchange('R', 0, Bytes{first, last});
        EXPECT_TRUE(o && o->letter == 'O');
        return o ? o->data : Bytes{};
    }

    void handshake(std::uint8_t capacity = 128) {
        asUnit([this, capacity] {
            unit.exchange('H', 1, Bytes{capacity});
            return unit.exchange('S', 1);
        });
        ASSERT_TRUE(waitForStatus(*window, "Corvane connected..."));
    }

    // Sends the menu, then opens the page with the unit's 'J' and waits until it is shown.
    void openPage(const unitsim::MenuStreamBuilder& menu, std::uint16_t pageId) {
        ASSERT_TRUE(menu.problems().empty()) << menu.problems().front();
        ASSERT_TRUE(exchangeAll(menu.frames(120)));
        exchange('J', 0, Bytes{static_cast<std::uint8_t>(pageId >> 8), static_cast<std::uint8_t>(pageId & 0xFF)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().currentPageId() == pageId; }, 5000));
    }

    // The widget of the field of the page's control at `index` (page order).
    template <typename W>
    W* controlWindow(std::uint16_t pageId, std::size_t index) {
        const MenuPage* page = window->pageChoices().menu().findPage(pageId);
        if (!page || index >= page->controls.size()) return nullptr;
        const PageField* field = window->pageChoices().field(*page->controls[index]);
        return field ? qobject_cast<W*>(field->widget()) : nullptr;
    }

    // Sends a posted-message command, then a status poll: once the poll is answered the
    // notification is queued ahead of anything the test does next; the wait lets it be handled.
    void sendAndSettle(const std::vector<Frame>& frames) {
        std::vector<Frame> all = frames;
        all.push_back(Frame{'S', 0, {}});
        ASSERT_TRUE(exchangeAll(all));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    static unitsim::ControlElement control(std::uint8_t id, char type, std::uint8_t top, std::string text = {}) {
        unitsim::ControlElement c;
        c.id = id;
        c.type = type;
        c.left = 1;
        c.top = top;
        c.right = 60;
        c.bottom = static_cast<std::uint8_t>(top + 5);
        c.text = std::move(text);
        return c;
    }

    MainWindowSandbox sandbox;
    PtyUnit unit;
    std::unique_ptr<TestedMainWindow> window;
};

}  // namespace corvane::test
