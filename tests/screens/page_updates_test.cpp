// What the unit shows on the open page and reads back from it, over a pseudo-terminal with the
// test playing the unit: values, lists, texts, progress and the values collected for 'R'.
#include "live_page_fixture.h"

#include <QKeyEvent>

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "forms/choose_box.h"
#include "forms/form_fields.h"

using namespace corvane;
using namespace corvane::test;
using unitsim::MenuStreamBuilder;

namespace {
constexpr std::uint16_t kPage = 0x0105;

MenuStreamBuilder onePage(const std::vector<unitsim::ControlElement>& controls) {
    MenuStreamBuilder m;
    m.item("Page", kPage, 1);
    m.page(kPage, 0);
    for (const auto& c : controls) m.control(c);
    return m;
}

Frame values(std::uint8_t first, const std::vector<std::string>& v) {
    return Frame{'D', 0, unitsim::valuesPayload(first, v)};
}

std::string bytesOf(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Key presses carrying characters beyond ASCII, as a keyboard layout delivers them.
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}
}  // namespace

class PageUpdatesTest : public LivePageTest {};

TEST_F(PageUpdatesTest, ValuesReachOnlyControlsNumberedUpToTheControlCount) {
    handshake();
    // Values before any page is open have nowhere to go.
    sendAndSettle({values(1, {"1", "2"})});

    openPage(onePage({control(1, 's', 1, "Engine speed|rpm"), control(2, 'e', 7), control(7, 't', 13, "Title")}),
             kPage);
    sendAndSettle({values(1, {"812", "abc", "", "", "", "", "hidden"})});
    auto* speed = controlWindow<CCorvShowBox>(kPage, 0);
    auto* edit = controlWindow<CFormEdit>(kPage, 1);
    auto* title = controlWindow<CCorvStatic>(kPage, 2);
    ASSERT_TRUE(speed && edit && title);
    EXPECT_EQ(speed->value(), "812");
    EXPECT_EQ(edit->textBytes(), "abc");
    EXPECT_EQ(title->text(), "Title") << "value 7 is beyond the page's three controls";

    // A later 'D' changes only the positions it brings; a bad header brings none.
    sendAndSettle({values(2, {"xyz"})});
    EXPECT_EQ(speed->value(), "812");
    EXPECT_EQ(edit->textBytes(), "xyz");
    sendAndSettle({Frame{'D', 0, Bytes{201, 201, 'q', '^'}}});
    EXPECT_EQ(edit->textBytes(), "xyz");
}

TEST_F(PageUpdatesTest, TextsSetByTheUnitOrTypedByTheUserComeBackByteExactly) {
    handshake(255);
    const std::string odd = "\x81\x8D\x8F\x90\x9D";  // the bytes Windows-1252 leaves undefined
    openPage(onePage({control(1, 'c', 1, "Mode|Auto|M\xFCnchen|" + odd), control(2, 'e', 7),
                      control(3, 's', 13, "Temp"), control(4, 'e', 19)}),
             kPage);
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
    const std::string controls = "\x01\x09\x0A\x0D\x1F";
    sendAndSettle({values(1, {odd, high,
                              "\xB0"
                              "C",
                              controls})});

    auto* mode = controlWindow<CChooseBox>(kPage, 0);
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->currentItem(), 3) << "the choice box selects the entry with the same bytes";
    EXPECT_EQ(bytesOf(readBack(1, 4)), odd + "|" + high +
                                           "|\xB0"
                                           "C|" +
                                           controls + "^");

    // What the user types travels as Windows-1252.
    auto* edit = controlWindow<CFormEdit>(kPage, 1);
    ASSERT_NE(edit, nullptr);
    edit->clear();
    typeText(edit, QString::fromUtf8("Gr\xC3\xBC\xC3\x9F"
                                     "e \xE2\x82\xAC"));
    EXPECT_EQ(bytesOf(readBack(2, 2)),
              "Gr\xFC\xDF"
              "e \x80^");
    mode->nextItem();
    EXPECT_EQ(bytesOf(readBack(1, 1)), "Auto^");
}

TEST_F(PageUpdatesTest, CollectingIdsGivesOneValuePerControlInPageOrder) {
    handshake();
    openPage(onePage({control(1, 'e', 1), control(2, 'l', 7), control(3, 's', 20, "Cap"), control(5, 't', 26, "Label"),
                      control(5, 'e', 32)}),
             kPage);
    sendAndSettle({values(1, {"one", "two", "three"})});
    sendAndSettle(unitsim::listFrames(2, {"P0300", "P0171"}));
    sendAndSettle({values(5, {"five"})});

    // A list without a selected line gives an empty value, never its neighbour's.
    EXPECT_EQ(bytesOf(readBack(1, 3)), "one||three^");
    EXPECT_EQ(bytesOf(readBack(3, 1)), "") << "a > b reads nothing";
    EXPECT_EQ(bytesOf(readBack(4, 4)), "") << "no control has id 4";
    // Both controls with id 5, in page order; a text has no value to read.
    EXPECT_EQ(bytesOf(readBack(4, 6)), "|five^");

    auto* list = controlWindow<CFormListBox>(kPage, 1);
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(1);
    EXPECT_EQ(bytesOf(readBack(2, 2)), "P0171^");
}

TEST_F(PageUpdatesTest, ValuesArriveInTheirFieldsAsTypedOrNotAtAll) {
    handshake(64);
    openPage(onePage({control(1, 'e', 1), control(2, 'e', 7), control(3, 'e', 13), control(4, 'e', 19)}), kPage);
    const std::string a(30, 'a'), b(25, 'b');
    sendAndSettle({values(1, {a, b, "cc", "d"})});
    // 30 + 0 < 59 and 25 + 31 < 59 fit; 2 + 57 does not: the reply ends there rather than
    // handing "d" to the unit as the third value.
    EXPECT_EQ(bytesOf(readBack(1, 4)), a + "|" + b + "^");

    // A field takes no more than one reply carries back (64 - 6), and says so.
    auto* first = controlWindow<CFormEdit>(kPage, 0);
    auto* second = controlWindow<CFormEdit>(kPage, 1);
    ASSERT_TRUE(first && second);
    second->clear();
    typeText(second, QString(70, QLatin1Char('L')));
    EXPECT_EQ(bytesOf(readBack(2, 2)), std::string(58, 'L') + "^");
    EXPECT_TRUE(second->refusalNotice().contains(QStringLiteral("at most 58")))
        << second->refusalNotice().toStdString();

    // The wire's separators and characters outside the unit's code page are refused as typed,
    // naming what was refused, so "a|b" never reads back as two values.
    first->clear();
    typeText(first, QStringLiteral("a|b^c\u03A9"));
    EXPECT_EQ(bytesOf(readBack(1, 1)), "abc^");
    EXPECT_TRUE(first->refusalNotice().contains(QStringLiteral("\"\u03A9\" U+03A9")))
        << first->refusalNotice().toStdString();
}

TEST_F(PageUpdatesTest, ListsAndTextsGoToTheControlsWithTheirId) {
    handshake();
    unitsim::ControlElement go = control(6, 'b', 40, "Go");
    go.code = 0x020101;
    openPage(onePage({control(1, 't', 1, "Summary"), control(2, 'l', 7), control(3, 'l', 20), control(4, 'x', 33),
                      control(5, 'e', 46), go}),
             kPage);
    auto* summary = controlWindow<CCorvStatic>(kPage, 0);
    auto* codes = controlWindow<CFormListBox>(kPage, 1);
    auto* other = controlWindow<CFormListBox>(kPage, 2);
    auto* memo = controlWindow<CFormMemo>(kPage, 3);
    auto* edit = controlWindow<CFormEdit>(kPage, 4);
    auto* button = controlWindow<CCorvButton>(kPage, 5);
    ASSERT_TRUE(summary && codes && other && memo && edit && button);

    sendAndSettle(unitsim::listFrames(2, {"A", "B", "C"}));
    EXPECT_EQ(codes->count(), 3);
    EXPECT_EQ(other->count(), 0);
    // A new list replaces the old lines; a list for an id the page lacks goes nowhere.
    sendAndSettle(unitsim::listFrames(2, {"D\xE4"}));
    ASSERT_EQ(codes->count(), 1);
    EXPECT_EQ(codes->lineBytes(0), "D\xE4");
    sendAndSettle(unitsim::listFrames(9, {"nowhere"}));
    EXPECT_EQ(codes->count(), 1);

    sendAndSettle(unitsim::textFrames(1, "3 codes stored"));
    EXPECT_EQ(summary->text(), "3 codes stored");
    const std::string longText = std::string(300, 'x') + "\r\nFreeze frame: 812 rpm \xB0";
    sendAndSettle(unitsim::textFrames(4, longText, 100));
    EXPECT_EQ(memo->textBytes(), longText);
    sendAndSettle(unitsim::textFrames(5, "typed"));
    EXPECT_EQ(edit->textBytes(), "typed");
    sendAndSettle(unitsim::textFrames(6, "Again"));
    EXPECT_EQ(button->text(), QStringLiteral("Again"));
}

TEST_F(PageUpdatesTest, ListLinesForTheListWindowGoToThePopUpOnlyWhileItIsOpen) {
    handshake();
    openPage(onePage({control(2, 'l', 7)}), kPage);
    auto* list = controlWindow<CFormListBox>(kPage, 0);
    ASSERT_NE(list, nullptr);
    // Without pop-ups nothing can be open: the lines are dropped and the page is left alone.
    sendAndSettle(unitsim::listFrames(0, {"lost"}));
    EXPECT_EQ(list->count(), 0);

    RecordingPopUps popUps;
    window->pageUpdates().setPopUps(&popUps);
    sendAndSettle(unitsim::listFrames(0, {"closed"}));
    EXPECT_TRUE(popUps.listWindow.empty());
    popUps.listWindowOpen = true;
    sendAndSettle(unitsim::listFrames(0, {"Alder", "Birch"}));
    sendAndSettle(unitsim::listFrames(0, {"Cedar"}));
    EXPECT_EQ(popUps.listWindow, (std::vector<std::string>{"Alder", "Birch", "Cedar"})) << "appended, never emptied";
    EXPECT_EQ(list->count(), 0);
    window->pageUpdates().setPopUps(nullptr);
}

// A unit as fast as USB sends lists and texts back to back, while the window has not yet
// handled the first: each arrives whole and once, with its own lines.
TEST_F(PageUpdatesTest, ListsAndTextsSentBackToBackArriveWholeAndOnce) {
    handshake();
    openPage(onePage({control(1, 't', 1, "Summary"), control(2, 'l', 7), control(3, 'l', 20)}), kPage);
    auto* summary = controlWindow<CCorvStatic>(kPage, 0);
    auto* two = controlWindow<CFormListBox>(kPage, 1);
    auto* three = controlWindow<CFormListBox>(kPage, 2);
    ASSERT_TRUE(summary && two && three);
    RecordingPopUps popUps;
    popUps.listWindowOpen = true;
    window->pageUpdates().setPopUps(&popUps);

    // The window's event loop does not turn while the unit sends.
    std::vector<Frame> frames = unitsim::listFrames(2, {"P0100", "P0200"});
    frames.push_back(Frame{'S', 0, {}});
    for (const auto& list : {unitsim::listFrames(3, {"C1"}), unitsim::listFrames(0, {"one", "two"}),
                             unitsim::listFrames(0, {"three"}), unitsim::textFrames(1, "2 codes")})
        frames.insert(frames.end(), list.begin(), list.end());
    for (const Frame& f : frames) ASSERT_TRUE(unit.exchange(static_cast<char>(f.letter), f.sub, f.data));

    ASSERT_TRUE(QTest::qWaitFor([&] { return summary->text() == "2 codes"; }, 10000));
    ASSERT_EQ(two->count(), 2);
    EXPECT_EQ(two->lineBytes(1), "P0200");
    ASSERT_EQ(three->count(), 1);
    EXPECT_EQ(three->lineBytes(0), "C1");
    EXPECT_EQ(popUps.listWindow, (std::vector<std::string>{"one", "two", "three"}));
    window->pageUpdates().setPopUps(nullptr);
}

TEST_F(PageUpdatesTest, ProgressGoesToTheBarWithTheTargetIdAndTheKeyPad) {
    handshake();
    openPage(onePage({control(1, 'p', 1), control(2, 'p', 7), control(3, 't', 13, "Bars")}), kPage);
    auto* first = controlWindow<CCorvProgress>(kPage, 0);
    auto* second = controlWindow<CCorvProgress>(kPage, 1);
    ASSERT_TRUE(first && second);

    sendAndSettle({Frame{'P', 0, unitsim::progressPayload(2, 1000, 500)}});
    EXPECT_EQ(second->maximum(), 1000);
    EXPECT_EQ(second->position(), 500);
    EXPECT_EQ(first->maximum(), 100);
    EXPECT_EQ(first->position(), 0);
    sendAndSettle({Frame{'P', 0, unitsim::progressPayload(2, 1000, 1500)}});
    EXPECT_EQ(second->position(), 1000) << "clamped by the bar";

    // Target 255 is the key pad's bar: without pop-ups, or with the key pad closed, no page bar moves.
    sendAndSettle({Frame{'P', 0, unitsim::progressPayload(255, 100, 25)}});
    RecordingPopUps popUps;
    window->pageUpdates().setPopUps(&popUps);
    sendAndSettle({Frame{'P', 0, unitsim::progressPayload(255, 6, 3)}});
    EXPECT_EQ(popUps.keyPadProgress, (std::vector<std::pair<int, int>>{{6, 3}}));
    EXPECT_EQ(first->position(), 0);
    EXPECT_EQ(second->position(), 1000);
    window->pageUpdates().setPopUps(nullptr);
}

TEST_F(PageUpdatesTest, TransferProgressShowsInTheProgressBoxOrElseOnThePageBars) {
    handshake();
    openPage(onePage({control(1, 'p', 1), control(2, 'p', 7)}), kPage);
    auto* first = controlWindow<CCorvProgress>(kPage, 0);
    auto* second = controlWindow<CCorvProgress>(kPage, 1);
    ASSERT_TRUE(first && second);

    // 'E' is a sent notification: its reply comes once the bars are set.
    ASSERT_TRUE(
        exchangeAll({Frame{'N', 0, unitsim::fileHeaderPayload("LOG.CSV", 100)}, Frame{'E', 2, Bytes(40, 'x')}}));
    EXPECT_EQ(first->maximum(), 100);
    EXPECT_EQ(first->position(), 40);
    EXPECT_EQ(second->position(), 40);

    RecordingPopUps popUps;
    popUps.boxOpen = true;
    window->pageUpdates().setPopUps(&popUps);
    ASSERT_TRUE(exchangeAll({Frame{'E', 0, Bytes(20, 'y')}}));
    EXPECT_EQ(popUps.boxProgress, (std::vector<std::pair<int, int>>{{100, 60}}));
    EXPECT_EQ(first->position(), 40) << "an open box takes the progress; the page shows none";

    // After a file save the pop-ups reset the page's bars through the same view.
    popUps.boxOpen = false;
    static_cast<TransferProgressView&>(window->pageUpdates()).showTransferProgress(0, 0);
    EXPECT_EQ(first->maximum(), 0);
    EXPECT_EQ(first->position(), 0);
    window->pageUpdates().setPopUps(nullptr);
}
