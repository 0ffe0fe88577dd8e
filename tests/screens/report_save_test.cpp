// The report save over a pseudo-terminal: the unit's layout becomes a text composed from the open
// page, saved through the real (Qt) save dialog, which the test drives from a timer while the
// dialog's own event loop runs.
#include "live_page_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include <fstream>
#include <iterator>

#include "forms/form_fields.h"

using namespace corvane;
using namespace corvane::test;
using unitsim::MenuStreamBuilder;

namespace {
constexpr std::uint16_t kPage = 0x0106;

std::string fileContent(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QString qpath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

bool cancel(QFileDialog& d) {
    d.reject();
    return true;
}
}  // namespace

class ReportSaveTest : public LivePageTest {
protected:
    // A page with a text, an edit, a choice box, a caption/value box, a list, a bar and a button,
    // filled by the unit.
    void openReportPage() {
        MenuStreamBuilder m;
        m.item("Report", kPage, 1);
        m.page(kPage, 0);
        m.control(control(1, 't', 1, "A"));
        m.control(control(2, 'e', 7));
        m.control(control(3, 'c', 13, "Mode|Manual|Auto"));
        m.control(control(4, 's', 19, "Speed|rpm"));
        m.control(control(5, 'l', 25));
        m.control(control(6, 'p', 38));
        unitsim::ControlElement go = control(7, 'b', 44, "Go");
        go.code = 0x010203;
        m.control(go);
        openPage(m, kPage);
        sendAndSettle({Frame{'D', 0, unitsim::valuesPayload(2, {"B", "Auto", "812"})}});
        sendAndSettle(unitsim::listFrames(5, {"P0300 misfire", "P0171 lean"}));
    }

    // Sends the layout as one 'W' frame and returns its reply, which comes once the dialog has
    // been dealt with.
    std::optional<Frame> sendReport(const Bytes& layout) {
        return asUnit(
            [&] {
                unit.send('W', 1, layout);
                return unit.reply(std::chrono::milliseconds(20000));
            },
            22000);
    }

    TempDir folder;
};

TEST_F(ReportSaveTest, TheComposedReportIsSavedByteForByteWhereTheUserChose) {
    handshake();
    openReportPage();
    QString dialogFolder;
    QStringList filters;
    QString suffix;
    FileDialogDriver driver(window->fileDialogs(), [&](QFileDialog& d) {
        dialogFolder = d.directory().absolutePath();
        filters = d.nameFilters();
        suffix = d.defaultSuffix();
        return chooseFile(d, qpath(folder / "report"));
    });
    // A text, colon, an edit; the choice box; the caption/value box; an unknown id (42) inserts
    // nothing; a space; the list has no selection yet and the bar adds nothing.
    auto k = sendReport({1, 252, 2, 254, 3, 254, 4, 254, 42, 253, 5, 6, 254});
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    EXPECT_EQ(driver.dialogsSeen(), 1);
    EXPECT_EQ(dialogFolder, QDir(QDir::homePath()).absolutePath()) << "the first dialog opens in the home folder";
    EXPECT_EQ(filters, (QStringList{"(*.txt)", "(*.*)"}));
    EXPECT_EQ(suffix, "txt");
    EXPECT_EQ(fileContent(folder / "report.txt"), "A: B\r\nMode: Auto\r\nSpeed: 812\r\n \r\n");
    EXPECT_TRUE(sandbox.prompts().notices.empty());

    // The next dialog opens where the last report went; a selected list line is reported, and
    // the layout ends at its zero byte.
    auto* list = controlWindow<CFormListBox>(kPage, 4);
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(1);
    driver.setAction([&](QFileDialog& d) {
        dialogFolder = d.directory().absolutePath();
        return chooseFile(d, qpath(folder / "codes.txt"));
    });
    ASSERT_TRUE(sendReport({5, 254, 0, 1}));
    EXPECT_EQ(dialogFolder, qpath(folder.path()));
    EXPECT_EQ(fileContent(folder / "codes.txt"), "P0171 lean\r\n");
}

TEST_F(ReportSaveTest, NothingIsWrittenForAnEmptyLayoutACancelOrWhileAFileDialogIsOpen) {
    handshake();
    openReportPage();
    FileDialogDriver driver(window->fileDialogs(), [&](QFileDialog& d) {
        d.setDirectory(qpath(folder.path()));
        return cancel(d);
    });
    // A layout that starts with 0 shows no dialog.
    auto k = sendReport({0, 1, 2});
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    EXPECT_EQ(driver.dialogsSeen(), 0);

    ASSERT_TRUE(sendReport({1, 254}));
    EXPECT_EQ(driver.dialogsSeen(), 1);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "a cancelled report leaves no file";

    // A file dialog of the unit's file requests is open: the report is dropped, no second dialog.
    // Everything below runs inside that dialog's event loop.
    QString openChosen = QStringLiteral("unset");
    int seenWhileOpen = -1;
    bool reported = false;
    driver.setAction([&](QFileDialog&) { return false; });
    QTimer whileOpen;
    QObject::connect(&whileOpen, &QTimer::timeout, [&] {
        if (reported || !window->fileDialogs().isOpen()) return;
        reported = true;
        auto reply = asUnit([&] {
            unit.send('W', 1, Bytes{1, 254});
            return unit.reply(std::chrono::milliseconds(10000));
        });
        EXPECT_TRUE(reply && reply->letter == 'K');
        seenWhileOpen = driver.dialogsSeen();
        window->fileDialogs().cancelOpenDialog();
    });
    whileOpen.start(10);
    QTimer::singleShot(0, window.get(), [&] { openChosen = window->fileDialogs().askOpen(window.get(), {}); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return openChosen != QStringLiteral("unset"); }, 20000));
    EXPECT_TRUE(openChosen.isEmpty());
    EXPECT_TRUE(reported);
    EXPECT_EQ(seenWhileOpen, 2) << "only the open dialog itself was seen";
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(sandbox.prompts().notices.empty());
}

TEST_F(ReportSaveTest, AnUnwritableTargetIsToldWithItsNameAndReasonAndTheLinkGoesOn) {
    handshake();
    openReportPage();
    // A full disk: a name that leads to /dev/full. It exists, so the dialog asks whether to
    // replace it, and the driver says yes.
    const auto full = folder / "full.txt";
    std::filesystem::create_symlink("/dev/full", full);
    FileDialogDriver driver(window->fileDialogs(), [&](QFileDialog& d) { return chooseFile(d, qpath(full)); });
    auto k = sendReport({1, 252, 2, 254});
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    ASSERT_EQ(sandbox.prompts().notices.size(), 1u);
    EXPECT_EQ(sandbox.prompts().notices[0],
              "Cannot write the report file " + full.string() + ":\nNo space left on device");
    EXPECT_TRUE(std::filesystem::is_symlink(full)) << "the link is left as it was";

    // A folder that cannot take the file.
    const auto locked = folder / "locked";
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    if (::access(locked.c_str(), W_OK) != 0) {
        driver.setAction([&](QFileDialog& d) { return chooseFile(d, qpath(locked / "report.txt")); });
        ASSERT_TRUE(sendReport({1, 254}));
        ASSERT_EQ(sandbox.prompts().notices.size(), 2u);
        EXPECT_EQ(sandbox.prompts().notices[1],
                  "Cannot write the report file " + (locked / "report.txt").string() + ":\nPermission denied");
    }
    // The conversation goes on.
    auto a = exchange('S', 0);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->letter, 'A');
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->connected(); }, 5000));
}

TEST_F(ReportSaveTest, ChoicesMadeWhileTheDialogIsOpenReachTheUnitWholeAndInOrderAfterIt) {
    handshake();
    openReportPage();
    auto* list = controlWindow<CFormListBox>(kPage, 4);
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(0);

    // The worker waits in the report's notification, holding the link lock, for as long as the
    // dialog is open; the window must neither block nor call the unit lost meanwhile (a reading
    // worker would miss 101 bytes of 5 ms each in about half a second).
    std::chrono::steady_clock::time_point opened{};
    bool stillConnected = false;
    FileDialogDriver driver(window->fileDialogs(), [&](QFileDialog& d) {
        const auto now = std::chrono::steady_clock::now();
        if (opened == std::chrono::steady_clock::time_point{}) {
            opened = now;
            window->pageChoices().onKeyPadKey(5);
            window->pageChoices().onPageChoice(0x010203);
            return false;
        }
        if (now - opened < 1500ms) return false;
        stillConnected = window->connected() && window->link().isAlive();
        return chooseFile(d, qpath(folder / "held.txt"));
    });
    auto k = sendReport({1, 254});
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    EXPECT_TRUE(stillConnected) << "the supervision called the unit lost while the dialog was open";
    EXPECT_EQ(window->statusText(), "Function in progress, please wait...");
    EXPECT_EQ(fileContent(folder / "held.txt"), "A\r\n");

    // The key first, then the page choice with its list line: applied in that order, each whole.
    auto a = exchange('S', 0);
    ASSERT_TRUE(a);
    const Bytes expected = {0x01, 0x02, 0x03, 0xFF, 0x01, 0x01, 'P', '0', '3', '0',
                            '0',  ' ',  'm',  'i',  's',  'f',  'i', 'r', 'e', '^'};
    EXPECT_EQ(a->data, expected);
}
