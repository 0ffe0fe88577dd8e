// The main window's frame as the user meets it: the window-state cycle, sizing and moving by
// the edges, wheel routing between the panes, the menu edge message, the ways of closing, the
// painted bands and the status line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>

#include "shell/connection_texts.h"
#include "main_window_fixture.h"
#include "platform/resource_ids.h"
#include "platform/resources.h"
#include "platform/window_messages.h"
#include "pty_unit.h"
#include "widget_test_support.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Records the wheel messages a pane receives.
class WheelRecorder : public QObject {
public:
    explicit WheelRecorder(QObject* pane) { pane->installEventFilter(this); }
    std::vector<std::intptr_t> amounts;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == WindowMessageEvent::eventType()) {
            auto* m = static_cast<WindowMessageEvent*>(event);
            if (m->message() == WM_SCROLL_WHEEL) amounts.push_back(static_cast<std::intptr_t>(m->wParam()));
        }
        return false;
    }
};

class MainWindowFrame : public ::testing::Test {
protected:
    std::unique_ptr<TestedMainWindow> startWith(const std::string& config) {
        EXPECT_TRUE(unit.ok());
        if (!config.empty()) box.writeConfig(config);
        MainWindowOptions o = box.options();
        o.portPath = unit.slavePath();
        return box.start(o);
    }

    void mouse(TestedMainWindow& window, QEvent::Type type, QPoint at) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, window.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
    void drag(TestedMainWindow& window, QPoint from, QPoint to) {
        mouse(window, QEvent::MouseButtonPress, from);
        mouse(window, QEvent::MouseMove, to);
        mouse(window, QEvent::MouseButtonRelease, to);
    }
    // Brings the pointer from outside the window to the point, through the platform, so that
    // the widget there receives the move as it would from a real mouse.
    void pointerTo(TestedMainWindow& window, QPoint at) {
        QCursor::setPos(window.mapToGlobal(QPoint(-40, -40)));
        QCoreApplication::processEvents();
        QTest::mouseMove(&window, at);
    }
    void wheel(TestedMainWindow& window, QPoint at, int delta) {
        QWheelEvent event(at, window.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window, &event);
    }

    MainWindowSandbox box;
    PtyUnit unit;
};

TEST_F(MainWindowFrame, SizeButtonCyclesThePlacementAndRewritesTheFile) {
    auto window = startWith("COM07,1");
    const QRect workArea = window->screen()->availableGeometry();
    ASSERT_EQ(window->windowState(), WindowState::WorkArea);
    EXPECT_EQ(window->geometry(), workArea);

    window->sizeButton().click();
    EXPECT_EQ(window->windowState(), WindowState::Normal);
    EXPECT_EQ(box.readConfig(), "COM07,2");
    EXPECT_EQ(window->size(), TestedMainWindow::normalSize());
    EXPECT_FALSE(window->isMaximized());

    window->sizeButton().click();
    EXPECT_EQ(window->windowState(), WindowState::Maximised);
    EXPECT_EQ(box.readConfig(), "COM07,0");
    EXPECT_TRUE(window->isMaximized());

    window->sizeButton().click();
    EXPECT_EQ(window->windowState(), WindowState::WorkArea);
    EXPECT_EQ(box.readConfig(), "COM07,1");
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->geometry(), workArea);
}

TEST_F(MainWindowFrame, EdgesSizeAndTitleMovesOnlyWhenNotMaximised) {
    auto window = startWith("COM01,2");
    const QRect before = window->geometry();
    const int W = window->width(), H = window->height();

    drag(*window, {W - 6, 100}, {W + 24, 140});
    EXPECT_EQ(window->size(), QSize(W + 30, H));
    EXPECT_EQ(window->menuRect().width(), MainFrame::kDefaultMenuWidth);
    EXPECT_EQ(window->clientWindow().geometry().right(), window->width() - 16);

    const int W2 = window->width();
    drag(*window, {100, H - 6}, {120, H + 14});
    EXPECT_EQ(window->size(), QSize(W2, H + 20));

    drag(*window, {W2 - 6, H + 14}, {W2 - 16, H + 4});
    EXPECT_EQ(window->size(), QSize(W2 - 10, H + 10));
    EXPECT_EQ(window->dragMode(), FrameDrag::None);

    const QRect sized = window->geometry();
    drag(*window, {200, 10}, {230, 25});
    EXPECT_EQ(window->geometry(), sized.translated(30, 15));
    EXPECT_EQ(window->pos(), before.topLeft() + QPoint(30, 15));

    // A drag that starts outside every zone moves nothing.
    const QRect still = window->geometry();
    drag(*window, {400, 300}, {500, 400});
    EXPECT_EQ(window->geometry(), still);

    // Maximised: no sizing, no moving.
    window->sizeButton().click();
    ASSERT_EQ(window->windowState(), WindowState::Maximised);
    const QRect maximised = window->geometry();
    drag(*window, {window->width() - 6, 100}, {window->width() + 40, 100});
    drag(*window, {200, 10}, {260, 60});
    EXPECT_EQ(window->geometry(), maximised);
}

TEST_F(MainWindowFrame, DragZoneCursorsShowOnlyOverTheFrameItself) {
    auto window = startWith("COM01,2");
    const int W = window->width(), H = window->height();
    const QPoint title(200, 10), rightEdge(W - 6, 100), bottomEdge(100, H - 6), corner(W - 10, H - 10);
    auto cursorAfterMove = [&](QPoint at) {
        pointerTo(*window, at);
        return cursorShownAt(*window, at);
    };
    EXPECT_EQ(cursorAfterMove(title), Qt::SizeAllCursor);
    EXPECT_EQ(cursorAfterMove(rightEdge), Qt::SizeHorCursor);
    EXPECT_EQ(cursorAfterMove(bottomEdge), Qt::SizeVerCursor);
    EXPECT_EQ(cursorAfterMove(corner), Qt::BitmapCursor) << "the program's own corner cursor";

    // Over whatever lies on the frame the arrow shows, whichever widget takes the move.
    const QPoint sizeButton(W - 31, 14), comSetting(330, 27), menuPane(100, 200), status(60, H - 15);
    for (QPoint over : {sizeButton, comSetting, menuPane, status}) {
        EXPECT_EQ(cursorAfterMove(title), Qt::SizeAllCursor);
        EXPECT_EQ(cursorAfterMove(over), Qt::ArrowCursor) << over.x() << "," << over.y();
        // The same point reported to the frame, as a child passes on a move it does not take.
        mouse(*window, QEvent::MouseMove, over);
        EXPECT_EQ(cursorShownAt(*window, over), Qt::ArrowCursor) << over.x() << "," << over.y();
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "the frame's own cursor is cleared";
    }

    // Leaving a zone for the plain frame, or the window altogether, clears the cursor.
    EXPECT_EQ(cursorAfterMove(rightEdge), Qt::SizeHorCursor);
    EXPECT_EQ(cursorAfterMove({5, 200}), Qt::ArrowCursor);
    EXPECT_EQ(cursorAfterMove(title), Qt::SizeAllCursor);
    leave(*window);
    EXPECT_EQ(cursorShownAt(*window, title), Qt::ArrowCursor);

    // A drag keeps its cursor wherever the pointer goes until the button is released.
    mouse(*window, QEvent::MouseButtonPress, bottomEdge);
    mouse(*window, QEvent::MouseMove, {5, H - 6});
    EXPECT_EQ(window->cursor().shape(), Qt::SizeVerCursor);
    mouse(*window, QEvent::MouseButtonRelease, {5, H - 6});
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowFrame, AMaximisedWindowShowsNoSizingOrMovingCursor) {
    auto window = startWith("COM01,2");
    pointerTo(*window, {200, 10});
    ASSERT_EQ(cursorShownAt(*window, {200, 10}), Qt::SizeAllCursor);
    window->sizeButton().click();
    ASSERT_EQ(window->windowState(), WindowState::Maximised);
    EXPECT_EQ(cursorShownAt(*window, {200, 10}), Qt::ArrowCursor) << "cleared by the change of state";
    const int W = window->width(), H = window->height();
    for (QPoint at : {QPoint(200, 10), QPoint(W - 6, 100), QPoint(100, H - 6), QPoint(W - 10, H - 10)}) {
        pointerTo(*window, at);
        EXPECT_EQ(cursorShownAt(*window, at), Qt::ArrowCursor) << at.x() << "," << at.y();
    }
}

TEST_F(MainWindowFrame, TheWindowIsNeverMadeSmallerThanItsFurnitureNeeds) {
    auto window = startWith("COM01,2");
    const int W = window->width(), H = window->height();
    drag(*window, {W - 10, H - 10}, {W - 10 - 2000, H - 10 - 2000});
    EXPECT_EQ(window->size(), QSize(MainFrame::kMinimumWidth, MainFrame::kMinimumHeight));
    // The caption buttons stay right of the band buttons.
    EXPECT_GT(window->minimiseButton().geometry().left(), window->infoButton().geometry().right());
}

TEST_F(MainWindowFrame, WheelGoesToThePaneUnderThePointerWithADeadStripForTheMenu) {
    auto window = startWith("COM01,2");
    WheelRecorder menu(&window->menuWindow());
    WheelRecorder client(&window->clientWindow());
    const int menuRight = window->menuRect().x() + window->menuRect().width();  // 265

    wheel(*window, {100, 200}, 120);
    wheel(*window, {menuRight + 5, 200}, -120);
    wheel(*window, {menuRight + 6, 200}, -240);
    EXPECT_EQ(menu.amounts, (std::vector<std::intptr_t>{120, -120}));
    EXPECT_EQ(client.amounts, (std::vector<std::intptr_t>{-240}));

    // A turn over a pane passes through the pane to the main window, which routes it.
    QWidget& pane = window->clientWindow();
    const QPoint inPane(40, 40);
    QWheelEvent overPane(inPane, pane.mapToGlobal(inPane), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
    QApplication::sendEvent(&pane, &overPane);
    EXPECT_EQ(client.amounts, (std::vector<std::intptr_t>{-240, 360}));
}

TEST_F(MainWindowFrame, MenuEdgeMessageMovesTheClientAndAResizeRestoresTheMenu) {
    auto window = startWith("COM01,2");
    QRect widened = window->menuWindow().geometry();
    widened.setWidth(widened.width() + 60);
    window->menuWindow().setGeometry(widened);
    sendWindowMessage(window.get(), WM_MENU_EDGE);
    EXPECT_EQ(window->menuRect(), widened);
    EXPECT_EQ(window->clientWindow().geometry().left(), widened.x() + widened.width());
    EXPECT_EQ(window->clientWindow().geometry().right(), window->width() - 16);

    window->resize(window->width() + 10, window->height());
    EXPECT_EQ(window->menuWindow().geometry().width(), MainFrame::kDefaultMenuWidth);
    EXPECT_EQ(window->clientWindow().geometry().left(), 10 + MainFrame::kDefaultMenuWidth);
}

TEST_F(MainWindowFrame, CloseButtonEndsAtOnceOtherWaysAsk) {
    auto window = startWith("COM01,2");
    box.prompts().answerYes = false;

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &escape);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    window->close();  // as the window manager closes it
    EXPECT_EQ(box.prompts().questions, (std::vector<std::string>(3, kCloseQuestion)));
    // Nothing in progress: Enter in the question answers YES, as the question always did.
    EXPECT_EQ(box.prompts().presets, std::vector<PresetAnswer>(3, PresetAnswer::Yes));
    EXPECT_TRUE(window->isVisible());

    box.prompts().answerYes = true;
    window->accept();
    EXPECT_FALSE(window->isVisible());

    auto second = startWith("");
    box.prompts().questions.clear();
    second->closeButton().click();
    EXPECT_TRUE(box.prompts().questions.empty());
    EXPECT_FALSE(second->isVisible());
}

TEST_F(MainWindowFrame, BandsArePaintedWithTheTitleBlackTurnedToThePanelColour) {
    auto window = startWith("COM01,2");
    const QImage shot = window->grab().toImage();
    const int W = window->width(), H = window->height();
    EXPECT_EQ(shot.pixelColor(300, 10), QColor(255, 128, 64)) << "accent bar";
    EXPECT_EQ(shot.pixelColor(5, 200), QColor(25, 25, 25)) << "left margin";
    EXPECT_EQ(shot.pixelColor(W - 6, 200), QColor(100, 100, 100)) << "narrow frame line";
    EXPECT_EQ(shot.pixelColor(W - 7, 200), QColor(64, 64, 64)) << "wide frame line";
    EXPECT_EQ(shot.pixelColor(200, H - 6), QColor(100, 100, 100)) << "bottom frame line";

    const QImage title = resourceImage(IDB_TITLE).convertToFormat(QImage::Format_ARGB32);
    int black = 0, kept = 0;
    for (int y = 0; y < title.height() && y < 20; ++y) {
        for (int x = 0; x < title.width(); ++x) {
            const QRgb pixel = title.pixel(x, y);
            if ((pixel & 0xFFFFFF) == 0 && black < 20) {
                ++black;
                EXPECT_EQ(shot.pixelColor(x, y), QColor(25, 25, 25)) << x << "," << y;
            } else if (qAlpha(pixel) == 255 && (pixel & 0xFFFFFF) != 0 && kept < 20) {
                ++kept;
                EXPECT_EQ(shot.pixel(x, y) & 0xFFFFFF, pixel & 0xFFFFFF) << x << "," << y;
            }
        }
    }
    EXPECT_GT(black + kept, 0);
}

TEST_F(MainWindowFrame, TitleLetteringStaysClearOfTheAccentBandAtEverySize) {
    // The picture itself: nothing but the empty background from a few pixels before the band
    // on, in the rows above the trace line.
    const QImage title = resourceImage(IDB_TITLE).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 272; x < title.width(); ++x) ASSERT_EQ(title.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;

    auto window = startWith("COM01,2");
    const QRect workArea = window->screen()->availableGeometry();
    for (QSize size : {QSize(MainFrame::kMinimumWidth, MainFrame::kMinimumHeight), TestedMainWindow::normalSize(),
                       QSize(900, 500), workArea.size()}) {
        window->resize(size);
        const QImage shot = window->grab().toImage();
        for (int y = 4; y < 26; ++y)
            for (int x = 272; x < 280; ++x)
                ASSERT_EQ(shot.pixelColor(x, y), QColor(25, 25, 25)) << size.width() << ": " << x << "," << y;
        EXPECT_EQ(shot.pixelColor(280, 6), QColor(255, 128, 64)) << size.width();
        // The caption buttons lie right of the title and of the band buttons.
        EXPECT_GT(window->minimiseButton().geometry().left(), 500) << size.width();
    }
}

TEST_F(MainWindowFrame, StatusLineShowsTextLampAndBusyBar) {
    auto window = startWith("COM01,2");
    EXPECT_EQ(window->statusText(), kStatusNotConnected);
    EXPECT_FALSE(window->readyLampShown());
    const QImage busy = window->statusLamp().pixmap().toImage();

    window->setStatusText("Function in progress, please wait...");
    window->showReadyLamp();
    window->startBusyBar();
    EXPECT_EQ(window->statusText(), "Function in progress, please wait...");
    EXPECT_TRUE(window->readyLampShown());
    EXPECT_EQ(window->statusLamp().pixmap().toImage(), resourcePixmap(IDB_LAMP_READY).toImage());
    EXPECT_NE(window->statusLamp().pixmap().toImage(), busy);
    EXPECT_TRUE(window->busyBarRunning());
    window->stopBusyBar();
    EXPECT_FALSE(window->busyBarRunning());
}

TEST_F(MainWindowFrame, AboutBoxNamesTheProgramAndItsManualPage) {
    auto window = startWith("COM01,2");
    window->infoButton().click();
    ASSERT_EQ(box.prompts().notices.size(), 1u);
    const std::string& text = box.prompts().notices[0];
    EXPECT_EQ(text.rfind("corvane R2.05a\r\n\r\nWeb site ", 0), 0u) << text;
    EXPECT_NE(text.find("man corvane"), std::string::npos) << text;
    for (const char* windowsThing : {".exe", "Windows", "start menu"})
        EXPECT_EQ(text.find(windowsThing), std::string::npos) << windowsThing << " in " << text;
}

}  // namespace
