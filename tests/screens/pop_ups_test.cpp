// The unit's pop-ups in the main window, with a pseudo-terminal as the port and the test playing
// the unit on a second thread: what each kind reports in the status reply, slots that ignore a
// second request, the unit taking the answer, files in both directions, and a window that keeps
// handling the link while a pop-up waits, even when it is closed or the unit goes away.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "command_payloads.h"
#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_work_bar.h"
#include "forms/form_fields.h"
#include "main_window_fixture.h"
#include "pop_up_user.h"
#include "pty_unit.h"
#include "widget_test_support.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {
constexpr std::uint8_t kNone = 0xFF;

struct Status {
    std::uint8_t boxResult = 0;
    std::uint8_t listChoice = 0;
    std::string text;
    Bytes choice;  // the three choice bytes
};

Status parseStatus(const std::optional<Frame>& f) {
    Status s;
    if (!f || f->letter != 'A' || f->data.size() < 7) return s;
    s.choice.assign(f->data.begin(), f->data.begin() + 3);
    s.boxResult = f->data[3];
    s.listChoice = f->data[4];
    s.text.assign(f->data.begin() + 6, f->data.end() - 1);
    return s;
}

class RecordedTransferView : public TransferProgressView {
public:
    void showTransferProgress(std::uint32_t total, std::uint32_t done) override { shown.emplace_back(total, done); }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> shown;
};

Bytes fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes pattern(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>((i * 13 + 5) & 0xFF);
    return b;
}

// True once every column of the file's row in the dialog's detail view is wide enough to show
// what it holds (name, size, type, date), the whole header inside the view.
bool detailsShownWhole(QFileDialog* dialog, const QString& fileName) {
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view || !view->isVisible() || !view->model()) return false;
    const QAbstractItemModel& model = *view->model();
    bool found = false;
    for (int row = 0; row < model.rowCount(view->rootIndex()); ++row)
        found |= model.index(row, 0, view->rootIndex()).data().toString() == fileName;
    const QHeaderView& header = *view->header();
    if (!found || header.length() > view->viewport()->width()) return false;
    for (int column = 0; column < header.count(); ++column)
        if (header.isSectionHidden(column) ||
            header.sectionSize(column) < static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column))
            return false;
    return true;
}

class PopUpsTest : public ::testing::Test {
protected:
    // Runs the unit's side on another thread while this thread turns the event loop (and any
    // nested loop a pop-up starts, in which the scripted user acts).
    template <typename F>
    auto runUnit(F f) {
        auto result = std::async(std::launch::async, f);
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.wait_for(0ms) == std::future_status::ready; }, 30000));
        return result.get();
    }

    void SetUp() override {
        // The file dialogs open in the home folder first: the sandbox, so nothing lands elsewhere.
        home = qEnvironmentVariable("HOME");
        qputenv("HOME", QFile::encodeName(QString::fromStdString(sandbox.dir().path().string())));
        ASSERT_TRUE(unit.ok());
        auto o = sandbox.options();
        o.portPath = unit.slavePath();
        window = sandbox.start(std::move(o));
        ASSERT_TRUE(window->link().isOpen());
        runUnit([this] {
            unit.exchange('H', 1, Bytes{replyLimit});
            return unit.exchange('S', 1);
        });
        ASSERT_TRUE(waitForStatus(*window, "Corvane connected..."));
    }
    void TearDown() override {
        window.reset();
        qputenv("HOME", QFile::encodeName(home));
        EXPECT_FALSE(user.timedOut()) << "a pop-up was left waiting and had to be rejected";
    }

    // Unit thread only.
    Status status() { return parseStatus(unit.exchange('S', 1)); }
    Status statusWhen(const std::function<bool(const Status&)>& done, std::chrono::milliseconds timeout = 8000ms) {
        const auto until = std::chrono::steady_clock::now() + timeout;
        Status s = status();
        while (!done(s) && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(5ms);
            s = status();
        }
        return s;
    }
    void box(char kind, const std::string& text) { unit.exchange('B', 1, unitsim::boxPayload(kind, text)); }

    // UI thread.
    CCorvMessageBox* shownBox() const {
        CCorvMessageBox* b = window->popUps().messageBox();
        return b && b->isVisible() ? b : nullptr;
    }

    std::uint8_t replyLimit = 128;  // announced in the handshake
    MainWindowSandbox sandbox;
    QString home;
    PtyUnit unit;
    std::unique_ptr<TestedMainWindow> window;
    PopUpUser user;
};
}  // namespace

TEST_F(PopUpsTest, WaitingBoxesReportShownThenTheButtonPressed) {
    struct Case {
        char kind;
        int type;
        const char* press;  // "left", "right", "centre" or "close"
        std::uint8_t result;
    };
    const Case cases[] = {
        {'k', MessageBoxOk, "centre", 2},         {'k', MessageBoxOk, "close", 4},
        {'y', MessageBoxYesNo, "left", 3},        {'y', MessageBoxYesNo, "right", 4},
        {'q', MessageBoxComputerUnit, "left", 3}, {'q', MessageBoxComputerUnit, "right", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.kind) + " " + c.press);
        std::atomic<bool> seenShown{false};
        user.when([&] { return seenShown.load() && shownBox(); },
                  [&] {
                      CCorvMessageBox* b = shownBox();
                      EXPECT_EQ(b->type(), c.type);
                      EXPECT_EQ(b->text(), "Clear all codes?\r\nEngine off");
                      EXPECT_EQ(b->parentWidget(), window.get());
                      render(*b);  // the first paint makes the caption buttons
                      const std::string press = c.press;
                      QAbstractButton* button = press == "left"     ? static_cast<QAbstractButton*>(b->leftButton())
                                                : press == "right"  ? static_cast<QAbstractButton*>(b->rightButton())
                                                : press == "centre" ? static_cast<QAbstractButton*>(b->centreButton())
                                                                    : static_cast<QAbstractButton*>(b->closeButton());
                      button->click();
                  });
        const auto [shown, answered] = runUnit([&] {
            box(c.kind, "Clear all codes?\r\nEngine off");
            const Status s = statusWhen([](const Status& s) { return s.boxResult == 1; });
            seenShown = true;
            const Status a = statusWhen([](const Status& s) { return s.boxResult != 1; });
            unit.exchange('Z', 1);
            return std::pair{s, a};
        });
        EXPECT_EQ(shown.boxResult, 1);
        EXPECT_EQ(answered.boxResult, c.result);
        EXPECT_EQ(window->popUps().messageBox(), nullptr) << "the slot is free again";
    }
}

TEST_F(PopUpsTest, NoticesStayWithoutWaitingUntilTheUnitTakesThem) {
    for (const char kind : {'t', 'w', 'p'}) {
        SCOPED_TRACE(std::string(1, kind));
        const Status s = runUnit([&] {
            box(kind, "Priming the pump");
            return statusWhen([](const Status& s) { return s.boxResult == 1; });
        });
        EXPECT_EQ(s.boxResult, 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shownBox() != nullptr; }, 3000));
        CCorvMessageBox* b = shownBox();
        EXPECT_EQ(b->textLine(0).text(), "Priming the pump");
        if (kind == 't') {
            EXPECT_EQ(b->type(), MessageBoxText);
        }
        if (kind == 'w') {
            ASSERT_NE(b->busyBar(), nullptr);
            EXPECT_TRUE(b->busyBar()->isRunning());
        }
        if (kind == 'p') {
            ASSERT_NE(b->progressBar(), nullptr);
            EXPECT_EQ(b->progressBar()->maximum(), 1000);
            EXPECT_EQ(b->progressBar()->position(), 0);
            window->popUps().setMessageBoxProgress(4000, 1000);
            EXPECT_EQ(b->progressBar()->maximum(), 4000);
            EXPECT_EQ(b->progressBar()->position(), 1000);
        } else {
            window->popUps().setMessageBoxProgress(4000, 1000);  // only the progress notice takes it
        }
        QPointer<CCorvMessageBox> gone = b;
        runUnit([&] { return unit.exchange('Z', 1); });
        EXPECT_EQ(window->popUps().messageBox(), nullptr);
        EXPECT_TRUE(gone.isNull() || !gone->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 2000)) << "the notice is destroyed";
    }
}

TEST_F(PopUpsTest, AnOccupiedSlotIgnoresTheRequestAndXShowsTheRecordAgain) {
    // A second 'k' while the first waits: ignored, the first keeps its slot and its text.
    std::atomic<bool> secondSent{false};
    user.when([&] { return secondSent.load() && shownBox(); },
              [&] {
                  EXPECT_EQ(shownBox()->text(), "First");
                  shownBox()->centreButton()->click();
              });
    const Status first = runUnit([&] {
        box('k', "First");
        statusWhen([](const Status& s) { return s.boxResult == 1; });
        box('k', "Second");
        status();  // 'B' frames that follow each other make one request
        box('t', "A notice");
        status();
        secondSent = true;
        const Status s = statusWhen([](const Status& s) { return s.boxResult != 1; });
        unit.exchange('Z', 1);
        return s;
    });
    EXPECT_EQ(first.boxResult, 2);
    QTest::qWait(50);
    EXPECT_EQ(window->popUps().messageBox(), nullptr) << "the ignored requests opened nothing afterwards";

    // 'X' while a notice is shown leaves it alone; after the unit took it, 'X' brings it back.
    runUnit([&] {
        box('t', "Insert the next key");
        return statusWhen([](const Status& s) { return s.boxResult == 1; });
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownBox() != nullptr; }, 3000));
    QPointer<CCorvMessageBox> notice = shownBox();
    runUnit([&] { return unit.exchange('X', 1); });
    QTest::qWait(50);
    EXPECT_EQ(window->popUps().messageBox(), notice.data());
    runUnit([&] { return unit.exchange('Z', 1); });
    EXPECT_EQ(window->popUps().messageBox(), nullptr);
    const Status again = runUnit([&] {
        unit.exchange('X', 1);
        return statusWhen([](const Status& s) { return s.boxResult == 1; });
    });
    EXPECT_EQ(again.boxResult, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownBox() != nullptr; }, 3000));
    EXPECT_NE(shownBox(), notice.data());
    EXPECT_EQ(shownBox()->textLine(0).text(), "Insert the next key");

    // A notice the user closed frees its slot for the unit's next box.
    render(*shownBox());  // the first paint makes the caption buttons
    shownBox()->closeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->popUps().messageBox() == nullptr; }, 3000));

    // Unknown kinds open nothing and leave the answer alone.
    const Status unknown = runUnit([&] {
        unit.exchange('Z', 1);
        box('m', "What?");
        status();
        box('K', "Upper case");
        return status();
    });
    QTest::qWait(50);
    EXPECT_EQ(unknown.boxResult, kNone);
    EXPECT_EQ(window->popUps().messageBox(), nullptr);
}

TEST_F(PopUpsTest, TheUnitTakingTheAnswerLeavesAWaitingBoxForTheUser) {
    std::atomic<bool> taken{false};
    user.when([&] { return taken.load(); },
              [&] {
                  ASSERT_NE(shownBox(), nullptr) << "the box stays on screen";
                  EXPECT_TRUE(shownBox()->isEnabled());
                  shownBox()->centreButton()->click();
              });
    const auto [afterTaken, answered] = runUnit([&] {
        box('k', "Fault codes cleared");
        statusWhen([](const Status& s) { return s.boxResult == 1; });
        unit.exchange('Z', 1);
        const Status t = status();
        taken = true;
        const Status a = statusWhen([](const Status& s) { return s.boxResult == 2; });
        return std::pair{t, a};
    });
    EXPECT_EQ(afterTaken.boxResult, kNone);
    EXPECT_EQ(answered.boxResult, 2);
}

TEST_F(PopUpsTest, ListWindowAnswersTheChosenLineOrNoneOrCancelled) {
    // A line chosen among lines that came in two parts: its number and its bytes as sent.
    std::atomic<bool> shown{false};
    user.when([&] { return shown.load() && window->popUps().listWindow(); },
              [&] {
                  CCorvListWnd* w = window->popUps().listWindow();
                  EXPECT_EQ(w->caption(), "Choose a vehicle");
                  EXPECT_TRUE(window->popUps().appendToListWindow({"Alder 1.6", "Birch 2.0"}));
                  EXPECT_TRUE(window->popUps().appendToListWindow({"Cedar \x80V", "Dogwood"}));
                  w->listBox().setCurrentRow(2);
                  w->okButton().click();
              });
    Status s = runUnit([&] {
        box('l', "Choose a vehicle");
        shown = statusWhen([](const Status& s) { return s.boxResult == 1; }).boxResult == 1;
        return statusWhen([](const Status& s) { return s.boxResult != 1; });
    });
    EXPECT_EQ(s.boxResult, 2);
    EXPECT_EQ(s.listChoice, 3);
    EXPECT_EQ(s.text, "Cedar \x80V");
    EXPECT_EQ(window->popUps().listWindow(), nullptr);
    EXPECT_FALSE(window->popUps().appendToListWindow({"late"})) << "no list window is open";

    // OK without a chosen line: accepted, no line, no text.
    shown = false;
    user.when([&] { return shown.load() && window->popUps().listWindow(); },
              [&] {
                  window->popUps().appendToListWindow({"Alder"});
                  window->popUps().listWindow()->okButton().click();
              });
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('l', "Choose");
        shown = statusWhen([](const Status& s) { return s.boxResult == 1; }).boxResult == 1;
        return statusWhen([](const Status& s) { return s.boxResult != 1; });
    });
    EXPECT_EQ(s.boxResult, 2);
    EXPECT_EQ(s.listChoice, kNone);
    EXPECT_EQ(s.text, "");

    // The unit taking the answer while the window is open ends it as cancelled.
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('l', "Choose");
        statusWhen([](const Status& s) { return s.boxResult == 1; });
        unit.exchange('Z', 1);
        return statusWhen([](const Status& s) { return s.boxResult == 4; });
    });
    EXPECT_EQ(s.boxResult, 4);
    EXPECT_EQ(window->popUps().listWindow(), nullptr);
}

TEST_F(PopUpsTest, StringWindowAnswersTheTypedTextAsTheUnitsBytes) {
    std::atomic<bool> shown{false};
    user.when([&] { return shown.load() && window->popUps().stringWindow(); },
              [&] {
                  CCorvStringWnd* w = window->popUps().stringWindow();
                  EXPECT_EQ(w->caption(), "Customer name");
                  EXPECT_EQ(w->maxLength(), 128 - 12) << "what the unit's capacity lets travel";
                  typeText(&w->editField(), QStringLiteral("J\u00FCrgen |^\u0141"));
                  QTest::keyClick(&w->editField(), Qt::Key_Return);
              });
    Status s = runUnit([&] {
        box('n', "Customer name");
        shown = statusWhen([](const Status& s) { return s.boxResult == 1; }).boxResult == 1;
        return statusWhen([](const Status& s) { return s.boxResult != 1; });
    });
    EXPECT_EQ(s.boxResult, 2);
    EXPECT_EQ(s.text, "J\xFCrgen ") << "the refused characters never reached the unit";
    EXPECT_EQ(s.listChoice, kNone);

    // Cancelled by the unit's 'Z' while the user types.
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('n', "Customer name");
        statusWhen([](const Status& s) { return s.boxResult == 1; });
        unit.exchange('Z', 1);
        return statusWhen([](const Status& s) { return s.boxResult == 4; });
    });
    EXPECT_EQ(s.boxResult, 4);
    EXPECT_EQ(s.text, "");
    EXPECT_EQ(window->popUps().stringWindow(), nullptr);
}

class PopUpsShortRepliesTest : public PopUpsTest {
protected:
    PopUpsShortRepliesTest() { replyLimit = 12; }
};

TEST_F(PopUpsShortRepliesTest, AStringNoReplyCanCarryFailsAndTheUserIsTold) {
    const Status s = runUnit([&] {
        box('n', "Customer name");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 4) << "never \"entered\" with a text that cannot travel";
    EXPECT_EQ(window->popUps().stringWindow(), nullptr);
    ASSERT_FALSE(sandbox.prompts().notices.empty());
    EXPECT_NE(sandbox.prompts().notices.back().find("(12 bytes)"), std::string::npos)
        << sandbox.prompts().notices.back();
}

TEST_F(PopUpsTest, KeyPadSendsEveryKeyAndGoesWithTheBoxTaken) {
    Status s = runUnit([&] {
        box('a', "Injector selection");
        return status();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->popUps().keyPad() != nullptr; }, 3000));
    CTransportTool* pad = window->popUps().keyPad();
    EXPECT_TRUE(pad->isVisible());
    EXPECT_TRUE(window->pageChoices().busy());
    EXPECT_EQ(window->statusText(), kStatusKeyPadWait) << "the unit waits for the user";
    EXPECT_EQ(s.boxResult, kNone) << "the key pad reports no box result";

    const std::uint8_t codes[] = {7, 3, 1, 2, 255, 5, 4, 6, 8};
    for (std::size_t i = 0; i < 9; ++i) {
        pad->key(i).click();
        s = runUnit([&] { return status(); });
        const Bytes expected = codes[i] == 255 ? Bytes{0xFF, 0xFF, 0xFF} : Bytes{0xFE, codes[i], 0xFF};
        EXPECT_EQ(s.choice, expected) << pad->key(i).text().toStdString();
        EXPECT_EQ(s.listChoice, kNone);
    }

    // The unit's progress for target 255 moves the key pad's bar.
    window->popUps().setKeyPadProgress(6, 3);
    EXPECT_EQ(pad->progressBar().maximum(), 6);
    EXPECT_EQ(pad->progressBar().position(), 3);

    // ESC: its code, and the window is no longer busy.
    pad->key(9).click();
    s = runUnit([&] { return status(); });
    EXPECT_EQ(s.choice, (Bytes{0xFE, 9, 0xFF}));
    EXPECT_FALSE(window->pageChoices().busy());

    // A second 'a' keeps the one key pad; 'Z' takes it away.
    QPointer<CTransportTool> gone = pad;
    runUnit([&] {
        box('a', "again");
        return unit.exchange('Z', 1);
    });
    EXPECT_EQ(window->popUps().keyPad(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 2000));
    window->popUps().setKeyPadProgress(6, 6);  // no key pad: nothing to move

    // A key pad that 'Z' closes before the unit took its last key ends the busy state it began.
    runUnit([&] {
        box('a', "third");
        return status();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->popUps().keyPad() != nullptr; }, 3000));
    window->popUps().keyPad()->key(4).click();
    runUnit([&] { return unit.exchange('Z', 1); });
    EXPECT_FALSE(window->pageChoices().busy());
    EXPECT_EQ(window->statusText(), kStatusReady);
    EXPECT_TRUE(window->readyLampShown());
}

TEST_F(PopUpsTest, LoadingAFileForTheUnitStopsAtTheStoresSize) {
    const auto exact = pattern(393216);
    {
        std::ofstream(sandbox.dir() / "exact.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(exact.data()), static_cast<std::streamsize>(exact.size()));
        auto over = pattern(393217);
        std::ofstream(sandbox.dir() / "over.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(over.data()), static_cast<std::streamsize>(over.size()));
    }
    auto choose = [&](const std::filesystem::path& file, QStringList filters = {QStringLiteral("All files (*)")}) {
        user.when([&] { return window->fileDialogs().openDialog() != nullptr; },
                  [this, file, filters] {
                      QFileDialog* d = window->fileDialogs().openDialog();
                      EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
                      EXPECT_EQ(d->directory().absolutePath(), QString::fromStdString(sandbox.dir().path().string()))
                          << "home the first time, then the folder last used";
                      EXPECT_EQ(d->nameFilters(), filters);
                      chooseFile(d, QString::fromStdString(file.string()));
                  });
    };

    // The dialog opens large, in its detail view, with the file's size and date readable.
    // (Until then the scripted user waits, and at its time-out the load is cancelled.)
    user.when(
        [&] {
            QFileDialog* d = window->fileDialogs().openDialog();
            return d && detailsShownWhole(d, QStringLiteral("exact.bin"));
        },
        [this] {
            QFileDialog* d = window->fileDialogs().openDialog();
            EXPECT_GE(d->width(), 900);
            EXPECT_GE(d->height(), 560);
            EXPECT_EQ(d->viewMode(), QFileDialog::Detail);
        });
    const QStringList binFilters = {QStringLiteral("(*.bin)"), QStringLiteral("(*.*)")};
    choose(sandbox.dir() / "exact.bin", binFilters);
    Status s = runUnit([&] {
        box('o', "(*.bin)|*.bin|(*.*)|*.*|");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 2);
    auto header = runUnit([&] { return unit.exchange('G', 1); });
    ASSERT_TRUE(header);
    EXPECT_EQ(std::string(header->data.begin(), header->data.end()), "exact.bin|393216^");
    auto chunk = runUnit([&] { return unit.exchange('F', 1); });
    ASSERT_TRUE(chunk);
    EXPECT_EQ(chunk->data, Bytes(exact.begin(), exact.begin() + 124));
    EXPECT_EQ(window->fileDialogs().lastFolder(), QString::fromStdString(sandbox.dir().path().string()));

    // One byte more: "File too long", refused, and the record still holds the first file.
    choose(sandbox.dir() / "over.bin", binFilters);
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('o', "(*.bin)|*.bin|(*.*)|*.*|");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 4);
    ASSERT_FALSE(sandbox.prompts().notices.empty());
    EXPECT_EQ(sandbox.prompts().notices.back(),
              "File too long: over.bin holds more than the 393216 bytes the unit can take");
    header = runUnit([&] { return unit.exchange('G', 1); });
    EXPECT_EQ(std::string(header->data.begin(), header->data.end()), "exact.bin|393216^");

    // A source that cannot be read: the reason and the file are named, the box failed.
    ASSERT_EQ(::mkfifo((sandbox.dir() / "pipe").c_str(), 0600), 0);
    choose(sandbox.dir() / "pipe");
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('o', "");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 4);
    EXPECT_NE(sandbox.prompts().notices.back().find((sandbox.dir() / "pipe").string()), std::string::npos)
        << sandbox.prompts().notices.back();

    // A name with the header's own separators: they travel as '_', so the unit reads it whole.
    std::ofstream(sandbox.dir() / "log|2^x.bin", std::ios::binary) << "12345";
    choose(sandbox.dir() / "log|2^x.bin");
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('o', "");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 2);
    header = runUnit([&] { return unit.exchange('G', 1); });
    ASSERT_TRUE(header);
    EXPECT_EQ(std::string(header->data.begin(), header->data.end()), "log_2_x.bin|5^");

    // Cancelled.
    user.when([&] { return window->fileDialogs().openDialog() != nullptr; },
              [&] { window->fileDialogs().openDialog()->reject(); });
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('o', "");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 4);
}

TEST_F(PopUpsTest, SavingTheUnitsFileProposesASafeNameAndWritesTheBytes) {
    RecordedTransferView progress;
    window->popUps().setTransferProgressView(&progress);
    const Bytes file = pattern(700);
    runUnit([&] {
        unit.exchange('N', 1, unitsim::fileHeaderPayload("..\\../tmp/evil:LOG\x01.CSV", file.size()));
        for (const Frame& f : unitsim::fileDataFrames(file, 200)) unit.exchange('E', f.sub, f.data);
        return true;
    });
    const auto target = sandbox.dir() / "saved.csv";
    user.when([&] { return window->fileDialogs().openDialog() != nullptr; },
              [&] {
                  QFileDialog* d = window->fileDialogs().openDialog();
                  EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
                  const QStringList proposed = d->selectedFiles();
                  ASSERT_EQ(proposed.size(), 1);
                  EXPECT_EQ(QFileInfo(proposed.first()).fileName(), QStringLiteral("evilLOG.CSV"))
                      << proposed.first().toStdString();
                  chooseFile(d, QString::fromStdString(target.string()));
              });
    Status s = runUnit([&] {
        box('s', "(*.csv)|*.csv|");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 2);
    EXPECT_EQ(s.text, "saved.csv") << "the name saved under goes back with the answer";
    EXPECT_EQ(fileBytes(target), file);
    ASSERT_FALSE(progress.shown.empty());
    EXPECT_EQ(progress.shown.back(), (std::pair<std::uint32_t, std::uint32_t>{0, 0}));
    window->popUps().setTransferProgressView(nullptr);
}

TEST_F(PopUpsTest, AFileThatDidNotArriveAsAnnouncedIsNotSavedAndTheUserIsTold) {
    struct Case {
        std::size_t announced, sent;
        const char* notice;
    };
    const Case cases[] = {
        {1000, 400,
         "The file LOG.CSV from the unit is incomplete: 400 of the 1000 bytes announced arrived, 600 are missing. "
         "It was not saved."},
        {400000, 1000,
         "The file LOG.CSV from the unit is announced with 400000 bytes, more than the 393216 bytes a file from the "
         "unit may have; only 1000 are held. It was not saved."},
        {300, 500,
         "The file LOG.CSV from the unit is not as announced: 500 bytes arrived, 300 were announced. It was "
         "not saved."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.announced) + " announced, " + std::to_string(c.sent) + " sent");
        const std::size_t noticesBefore = sandbox.prompts().notices.size();
        // No save dialog may open: a scripted user would be needed to close it.
        const Status s = runUnit([&] {
            unit.exchange('Z', 1);
            unit.exchange('N', 1, unitsim::fileHeaderPayload("LOG.CSV", c.announced));
            for (const Frame& f : unitsim::fileDataFrames(pattern(c.sent), 250)) unit.exchange('E', f.sub, f.data);
            box('s', "");
            return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
        });
        EXPECT_EQ(s.boxResult, 4) << "part of a file is never reported as saved";
        ASSERT_EQ(sandbox.prompts().notices.size(), noticesBefore + 1);
        EXPECT_EQ(sandbox.prompts().notices.back(), c.notice);
        EXPECT_EQ(window->fileDialogs().openDialog(), nullptr);
    }
}

TEST_F(PopUpsTest, TheProposedNameAndTypeAreTheUnits) {
    const Bytes file = pattern(50);
    runUnit([&] {
        unit.exchange('N', 1, unitsim::fileHeaderPayload("LOG0001.CSV", file.size()));
        for (const Frame& f : unitsim::fileDataFrames(file, 200)) unit.exchange('E', f.sub, f.data);
        return true;
    });
    // The user types a bare name: the unit's extension is added.
    user.when([&] { return window->fileDialogs().openDialog() != nullptr; },
              [&] {
                  QFileDialog* d = window->fileDialogs().openDialog();
                  EXPECT_EQ(QFileInfo(d->selectedFiles().value(0)).fileName(), QStringLiteral("LOG0001.CSV"));
                  EXPECT_EQ(d->defaultSuffix(), QStringLiteral("CSV"));
                  chooseFile(d, QStringLiteral("today"));
              });
    const Status s = runUnit([&] {
        box('s', "");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 2);
    EXPECT_EQ(fileBytes(sandbox.dir() / "today.CSV"), file);
}

TEST_F(PopUpsTest, AnUnwritableTargetIsReportedAndTheBoxFails) {
    const Bytes file = pattern(300);
    runUnit([&] {
        // No type in the name: the dialog adds none to the paths chosen below.
        unit.exchange('N', 1, unitsim::fileHeaderPayload("LOGFILE", file.size()));
        for (const Frame& f : unitsim::fileDataFrames(file, 200)) unit.exchange('E', f.sub, f.data);
        return true;
    });
    auto saveTo = [&](const QString& path) {
        user.when([&] { return window->fileDialogs().openDialog() != nullptr; },
                  [this, path] {
                      QFileDialog* d = window->fileDialogs().openDialog();
                      chooseFile(d, path);
                  });
    };

    // A full device: the save dialog first asks before it replaces the existing "file".
    saveTo(QStringLiteral("/dev/full"));
    user.when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
              [] {
                  auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                  question->button(QMessageBox::Yes)->click();
              });
    Status s = runUnit([&] {
        box('s', "");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 4) << "a failed save is never reported as saved";
    ASSERT_FALSE(sandbox.prompts().notices.empty());
    EXPECT_EQ(sandbox.prompts().notices.back(), "Cannot save the file /dev/full:\nNo space left on device");

    // A folder that is not there.
    const auto missing = sandbox.dir() / "gone" / "LOGFILE";
    saveTo(QString::fromStdString(missing.string()));
    s = runUnit([&] {
        unit.exchange('Z', 1);
        box('s', "");
        return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
    });
    EXPECT_EQ(s.boxResult, 4);
    EXPECT_EQ(sandbox.prompts().notices.back(),
              "Cannot save the file " + missing.string() + ":\nNo such file or directory");

    // A read-only folder (root writes anywhere, so only for other users).
    if (::geteuid() != 0) {
        std::filesystem::create_directory(sandbox.dir() / "locked");
        ::chmod((sandbox.dir() / "locked").c_str(), 0555);
        const auto locked = sandbox.dir() / "locked" / "LOGFILE";
        saveTo(QString::fromStdString(locked.string()));
        s = runUnit([&] {
            unit.exchange('Z', 1);
            box('s', "");
            return statusWhen([](const Status& s) { return s.boxResult != 1 && s.boxResult != kNone; });
        });
        EXPECT_EQ(s.boxResult, 4);
        EXPECT_EQ(sandbox.prompts().notices.back(), "Cannot save the file " + locked.string() + ":\nPermission denied");
    }
}

TEST_F(PopUpsTest, SentMessagesAreHandledWhileABoxWaits) {
    std::atomic<bool> unitDone{false};
    user.when([&] { return unitDone.load(); },
              [&] {
                  ASSERT_NE(shownBox(), nullptr) << "the box still waits";
                  shownBox()->leftButton()->click();
              });
    window->pageChoices().enterBusy();
    const auto [values, taken, answered] = runUnit([&] {
        box('y', "Reset the interval?");
        statusWhen([](const Status& s) { return s.boxResult == 1; });
        // A value request and the choice taken are sent to the window and wait for it.
        auto o = unit.exchange('R', 1, unitsim::valueRequestPayload(1, 3));
        auto k = unit.exchange('Y', 1);
        unitDone = true;
        const Status a = statusWhen([](const Status& s) { return s.boxResult != 1; });
        return std::tuple{o, k, a};
    });
    ASSERT_TRUE(values);
    EXPECT_EQ(values->letter, 'O');
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->letter, 'K');
    EXPECT_FALSE(window->pageChoices().busy()) << "the choice taken was handled under the box";
    EXPECT_EQ(answered.boxResult, 3);
}

TEST_F(PopUpsTest, TheUnitUnpluggedWhileABoxWaitsChangesNothingForTheUser) {
    std::atomic<bool> unplugged{false};
    user.when([&] { return unplugged.load() && shownBox(); }, [&] { unit.closeMaster(); });
    user.when([&] { return !window->link().isAlive() || window->statusText() != "Corvane connected..."; },
              [&] {
                  ASSERT_NE(shownBox(), nullptr);
                  shownBox()->centreButton()->click();
              });
    runUnit([&] {
        box('k', "Unit going away");
        statusWhen([](const Status& s) { return s.boxResult == 1; });
        unplugged = true;
        return true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return user.done(); }, 10000));
    EXPECT_EQ(window->popUps().messageBox(), nullptr);
}

TEST_F(PopUpsTest, ClosingTheWindowWhileAPopUpWaitsEndsEverythingCleanly) {
    // A key pad and a notice are open, a list window waits; the window goes.
    // (The window reads the box record when it handles the request, so the unit lets each
    // request be seen before it sends the next.)
    runUnit([&] {
        box('a', "pad");
        return status();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->popUps().keyPad() != nullptr; }, 3000));
    runUnit([&] {
        box('t', "notice");
        return status();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownBox() != nullptr; }, 3000));
    QPointer<CTransportTool> pad = window->popUps().keyPad();
    QPointer<CCorvMessageBox> notice = shownBox();
    QPointer<CCorvListWnd> list;
    std::atomic<bool> shown{false};
    user.when([&] { return shown.load() && window->popUps().listWindow(); },
              [&] {
                  list = window->popUps().listWindow();
                  window.reset();
              });
    runUnit([&] {
        box('l', "Choose");
        shown = statusWhen([](const Status& s) { return s.boxResult == 1; }).boxResult == 1;
        return true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window == nullptr; }, 5000));
    EXPECT_TRUE(pad.isNull());
    EXPECT_TRUE(notice.isNull());
    EXPECT_TRUE(list.isNull());
    // The port was closed: the unit's side reads the hang-up.
    EXPECT_FALSE(unit.exchange('S', 1).has_value());
}

TEST_F(PopUpsTest, ClosingTheWindowWhileTheFileDialogWaits) {
    QPointer<QFileDialog> dialog;
    user.when([&] { return window->fileDialogs().openDialog() != nullptr; },
              [&] {
                  dialog = window->fileDialogs().openDialog();
                  window.reset();
              });
    runUnit([&] {
        box('o', "");
        return true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window == nullptr; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }, 2000));
}
