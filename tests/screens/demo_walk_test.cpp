// A new user's walk through the demo in the real main window: every entry of the menu opened,
// every button of every page pressed, every pop-up answered as a person would. The window must
// come back from "Function in progress" after each step: no function of the demo may leave it
// busy for good.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <iostream>
#include <functional>
#include <thread>

#include "controls/corv_button.h"
#include "forms/form_fields.h"
#include "platform/window_messages.h"
#include "demo_menu.h"
#include "demo_workshop.h"
#include "main_window_fixture.h"
#include "unit_line.h"
#include "pop_up_user.h"
#include "unit_session.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {

// Answers whatever pop-up waits, the way a user would: the first button, a typed name, the
// first file offered, ESC on the key pad. Notices are left for the unit to close.
class AnsweringUser {
public:
    AnsweringUser(TestedMainWindow& window, std::filesystem::path folder)
        : window_(window), folder_(std::move(folder)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(20);
    }
    int answered = 0;
    int keyPadsEscaped = 0;

private:
    void answer() {
        PopUps& p = window_.popUps();
        if (QFileDialog* d = window_.fileDialogs().openDialog()) {
            const bool open = d->acceptMode() == QFileDialog::AcceptOpen;
            const auto path = folder_ / (open ? "for-unit.bin" : "from-unit-" + std::to_string(answered));
            ++answered;
            chooseFile(d, QString::fromStdString(path.string()));
        } else if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++answered;
            question->button(QMessageBox::Yes)->click();
        } else if (CCorvMessageBox* b = p.messageBox(); b && b->isVisible() && (b->leftButton() || b->centreButton())) {
            ++answered;
            (b->leftButton() ? b->leftButton() : b->centreButton())->click();
        } else if (CCorvListWnd* l = p.listWindow(); l && l->isVisible()) {
            ++answered;
            if (l->lineCount() > 0) l->listBox().setCurrentRow(0);
            l->okButton().click();
        } else if (CCorvStringWnd* s = p.stringWindow(); s && s->isVisible()) {
            ++answered;
            typeText(&s->editField(), QStringLiteral("Walker"));
            s->okButton().click();
        } else if (CTransportTool* pad = p.keyPad(); pad && pad->isVisible() && pad != escapedPad_) {
            // ESC once, as a person would, then wait for the unit to take the key pad away.
            ++answered;
            ++keyPadsEscaped;
            escapedPad_ = pad;
            pad->key(9).click();
        }
    }

    TestedMainWindow& window_;
    std::filesystem::path folder_;
    QTimer timer_;
    QPointer<CTransportTool> escapedPad_;
};

}  // namespace

TEST(DemoWalk, EveryEntryAndEveryPageButtonLeavesTheWindowReady) {
    MainWindowSandbox sandbox;
    // The file dialogs open in the home folder first: the sandbox, so nothing lands elsewhere.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(QString::fromStdString(sandbox.dir().path().string())));
    {
        std::ofstream out(sandbox.dir() / "for-unit.bin", std::ios::binary);
        for (int i = 0; i < 2000; ++i) out.put(static_cast<char>(i & 0xFF));
    }
    std::string error;
    auto line = unitsim::UnitLine::openPty(error);
    ASSERT_TRUE(line) << error;
    unitsim::UnitSession session(*line, 128);
    unitsim::DemoWorkshop demo(session);
    std::thread unit([&] { demo.run(); });
    std::unique_ptr<TestedMainWindow> window;
    // However the test ends: the window closes the line, then the unit ends.
    struct Ending {
        std::function<void()> run;
        ~Ending() { run(); }
    } ending{[&] {
        if (::testing::Test::HasFailure())
            for (const std::string& e : demo.record().events) std::cerr << "unit: " << e << "\n";
        window.reset();
        line->requestStop();
        unit.join();
        qputenv("HOME", home);
    }};

    auto o = sandbox.options();
    o.portPath = line->slavePath();
    o.byteTimeout = 100ms;
    window = sandbox.start(std::move(o));
    AnsweringUser user(*window, sandbox.dir().path());

    // The menu arrives (the root, five groups, eleven items) and the unit opens its welcome page.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->menuWindow().view().entryCount() == 17; }, 20000))
        << window->menuWindow().view().entryCount();
    std::vector<std::uint32_t> leaves;
    for (const MenuTreeEntry& e : window->pageChoices().menu().entries)
        if (e.kind == MenuTreeEntry::Item) leaves.push_back(e.id);
    ASSERT_EQ(leaves.size(), 11u);
    // Ready: no choice waits for the unit and no key pad is left open.
    auto ready = [&] {
        return QTest::qWaitFor([&] { return !window->pageChoices().busy() && !window->popUps().keyPad(); }, 30000);
    };

    // The unit opens its welcome page by itself; the walk starts once it is there.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().currentPageId() == unitsim::demo::kAbout; }, 20000));

    for (const std::uint32_t leaf : leaves) {
        ASSERT_TRUE(ready()) << "busy before entry " << leaf;
        postWindowMessage(window.get(), WM_MENU_ITEM, leaf);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().currentPageId() == leaf; }, 5000));
        ASSERT_TRUE(ready()) << "entry " << leaf << " left the window busy";

        std::vector<QPointer<QWidget>> buttons;
        std::vector<std::string> names;
        {
            const MenuPage* page = window->pageChoices().menu().findPage(static_cast<std::uint16_t>(leaf));
            ASSERT_NE(page, nullptr);
            for (const auto& control : page->controls) {
                const PageField* field = window->pageChoices().field(*control);
                if (control->type == 'b' && field) {
                    buttons.emplace_back(field->widget());
                    names.push_back(control->text);
                }
            }
        }
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            SCOPED_TRACE("entry " + std::to_string(leaf) + ", button \"" + names[i] + "\"");
            ASSERT_TRUE(ready());
            ASSERT_FALSE(buttons[i].isNull());
            QTest::mouseClick(buttons[i].data(), Qt::LeftButton, {}, QPoint(5, 5));
            const int escapedBefore = user.keyPadsEscaped;
            ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageChoices().busy(); }, 5000)) << "the press was ignored";
            // A person waits for the key pad that the button opens, and closes it with ESC.
            if (names[i] == "Key pad") {
                ASSERT_TRUE(QTest::qWaitFor([&] { return user.keyPadsEscaped > escapedBefore; }, 10000));
            }
            ASSERT_TRUE(ready()) << "the button left the window busy";
            // The function may still run with its pop-ups; the next choice waits for the unit.
        }
    }
    ASSERT_TRUE(ready());
    // The last function may still be at work: the walk ends once the unit has done them all.
    EXPECT_TRUE(QTest::qWaitFor([&] { return demo.record().boxKinds.size() == 11; }, 30000));
    EXPECT_GE(user.answered, 10) << "the walk met the demo's pop-ups";
    EXPECT_EQ(demo.record().boxKinds, (std::set<char>{'a', 'k', 'l', 'n', 'o', 'p', 'q', 's', 't', 'w', 'y'}));

    ending.run();
    ending.run = [] {};
    // What the unit thought of the replies is the subject of the link and page tests; here it
    // only helps to read a failure.
    for (const std::string& f : session.faults) std::cerr << "unit saw: " << f << "\n";
}
