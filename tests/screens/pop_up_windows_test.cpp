// The list and string windows and the transport key pad on their own: layout, what OK returns,
// lines appended while open, typed text as the unit's bytes, and the key pad's key codes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QFontMetricsF>
#include <QTest>
#include <QTimer>

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_sys_button.h"
#include "forms/form_fields.h"
#include "platform/window_messages.h"
#include "screens/corv_list_wnd.h"
#include "screens/corv_string_wnd.h"
#include "screens/transport_tool.h"
#include "pop_up_user.h"
#include "widget_test_support.h"

using namespace corvane;
using namespace corvane::test;

namespace {
// Runs `action` once the dialog's modal run has started.
void whenRunning(QDialog& dialog, std::function<void()> action) {
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        render(dialog);  // the first paint makes the caption buttons
        action();
    });
}
}  // namespace

TEST(ListWindow, LayoutFromItsTemplate) {
    QWidget owner;
    CCorvListWnd w(&owner, "Choose a vehicle");
    EXPECT_EQ(w.size(), QSize(411, 320));
    EXPECT_EQ(w.captionStatic().geometry(), QRect(10, 37, 390, 22));
    EXPECT_EQ(w.captionStatic().text(), "Choose a vehicle");
    EXPECT_EQ(w.listBox().geometry(), QRect(10, 68, 390, 185));
    // OK spans the list's width, 10 below it and 40 high.
    EXPECT_EQ(w.okButton().geometry(), QRect(10, 263, 390, 40));
    EXPECT_EQ(w.okButton().caption(), "OK");
    EXPECT_EQ(w.okButton().style(), ButtonStyle::PlainFace);
}

TEST(ListWindow, OkGivesTheChosenLineOrNone) {
    QWidget owner;
    CCorvListWnd empty(&owner, "Nothing");
    whenRunning(empty, [&] { empty.okButton().click(); });
    EXPECT_EQ(empty.DoModal(), IDOK);
    EXPECT_EQ(empty.choice(), 0);

    CCorvListWnd third(&owner, "Vehicles");
    third.appendLines({"Alder", "Birch", "Cedar", "Dogwood"});
    whenRunning(third, [&] {
        third.listBox().setCurrentRow(2);
        third.okButton().click();
    });
    EXPECT_EQ(third.DoModal(), IDOK);
    EXPECT_EQ(third.choice(), 3);

    // Escape and the close button end without OK and leave the choice as it was.
    CCorvListWnd escaped(&owner, "Vehicles");
    escaped.appendLines({"Alder"});
    whenRunning(escaped, [&] {
        escaped.listBox().setCurrentRow(0);
        QTest::keyClick(&escaped, Qt::Key_Escape);
    });
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
    EXPECT_EQ(escaped.choice(), 0);

    CCorvListWnd closed(&owner, "Vehicles");
    whenRunning(closed, [&] { closed.closeButton()->click(); });
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
}

TEST(ListWindow, LinesAppendedWhileOpenComeAtTheEndInOrderWithTheirBytes) {
    QWidget owner;
    CCorvListWnd w(&owner, "Codes");
    w.appendLines({"P0301", "P0171"});
    whenRunning(w, [&] {
        w.appendLines({"U0100 \x80 5", "B1000"});
        w.listBox().setCurrentRow(2);
        QTest::keyClick(&w.listBox(), Qt::Key_Return);
    });
    EXPECT_EQ(w.DoModal(), IDOK);
    ASSERT_EQ(w.lineCount(), 4);
    EXPECT_EQ(w.lineBytes(0), "P0301");
    EXPECT_EQ(w.lineBytes(2), "U0100 \x80 5") << "the unit's byte 0x80 comes back as sent";
    EXPECT_EQ(w.listBox().item(2)->text(), QStringLiteral("U0100 \u20AC 5"));
    EXPECT_EQ(w.lineBytes(3), "B1000");
    EXPECT_EQ(w.choice(), 3);
    EXPECT_EQ(w.lineBytes(7), "");
}

TEST(ListWindow, TheScrollBarComesOnlyWhenTheLinesOutgrowTheList) {
    QWidget owner;
    CCorvListWnd w(&owner, "Codes");
    w.show();
    w.appendLines({"P0301", "P0171", "U0100"});
    QScrollBar* bar = w.listBox().verticalScrollBar();
    // Wait for the list to lay its lines out, then for the bar to follow.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.listBox().visualItemRect(w.listBox().item(2)).height() > 0; }));
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    std::vector<std::string> more(30, "B1000");
    w.appendLines(more);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->isVisible(); }));
}

TEST(ListWindow, LinesBeyondWhatTheAnswerByteCanNameAreDropped) {
    QWidget owner;
    CCorvListWnd w(&owner, "Many");
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) lines.push_back("line " + std::to_string(i));
    EXPECT_TRUE(w.appendLines(lines));
    EXPECT_FALSE(w.appendLines(lines));
    EXPECT_EQ(w.lineCount(), CCorvListWnd::kMaxLines);
    EXPECT_EQ(w.lineBytes(253), "line 53");
}

TEST(StringWindow, LayoutFromItsTemplate) {
    QWidget owner;
    CCorvStringWnd w(&owner, "Customer name");
    EXPECT_EQ(w.size(), QSize(409, 152));
    EXPECT_EQ(w.captionStatic().geometry(), QRect(20, 25, 369, 30));
    EXPECT_EQ(w.captionStatic().text(), "Customer name");
    EXPECT_EQ(w.editField().geometry(), QRect(20, 60, 369, 30));
    EXPECT_FALSE(w.editField().hasFrame());
    // Arial with a 22-pixel cell: ascent and descent together fill the cell.
    const QFontMetricsF metrics(w.editField().font());
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), 22, 0.8);
    EXPECT_EQ(w.okButton().geometry(), QRect(20, 100, 369, 40));
}

TEST(StringWindow, OkGivesTheTypedTextAsTheUnitsBytes) {
    QWidget owner;
    CCorvStringWnd empty(&owner, "Name");
    whenRunning(empty, [&] { empty.okButton().click(); });
    EXPECT_EQ(empty.DoModal(), IDOK);
    EXPECT_EQ(empty.text(), "");

    CCorvStringWnd typed(&owner, "Name");
    whenRunning(typed, [&] {
        typeText(&typed.editField(), QStringLiteral("M\u00FCller \u20AC5"));
        QTest::keyClick(&typed.editField(), Qt::Key_Return);
    });
    EXPECT_EQ(typed.DoModal(), IDOK);
    EXPECT_EQ(typed.text(),
              "M\xFCller \x80"
              "5");

    // Cancelled: the text stays empty even though something was typed.
    CCorvStringWnd cancelled(&owner, "Name");
    whenRunning(cancelled, [&] {
        typeText(&cancelled.editField(), QStringLiteral("abc"));
        cancelled.closeButton()->click();
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.text(), "");
}

TEST(StringWindow, CharactersTheUnitCannotTakeAreRefusedWithANoticeNamingThem) {
    QWidget owner;
    CCorvStringWnd w(&owner, "Name");
    w.show();
    typeText(&w.editField(), QStringLiteral("Ka"));
    EXPECT_EQ(w.refusalNotice(), QString());
    // Outside Windows-1252, and the two bytes that end a field or the reply on the wire.
    const std::pair<QString, QString> refusals[] = {
        {QStringLiteral("\u0142"), QStringLiteral("\"\u0142\" U+0142")},
        {QStringLiteral("|"), QStringLiteral("\"|\" (vertical line)")},
        {QStringLiteral("^"), QStringLiteral("\"^\" (circumflex accent)")},
        // Invisible or look-alike characters are named.
        {QStringLiteral("\u200B"), QStringLiteral("\"\u200B\" U+200B (zero width space)")},
        {QStringLiteral("\u0430"), QStringLiteral("\"\u0430\" U+0430 (Cyrillic letter)")},
    };
    for (const auto& [typed, named] : refusals) {
        typeText(&w.editField(), typed);
        EXPECT_EQ(w.editField().text(), QStringLiteral("Ka"));
        EXPECT_TRUE(w.refusalNotice().contains(named)) << w.refusalNotice().toStdString();
    }

    // A pasted text with such a character is refused whole, not changed into '?'.
    w.editField().insert(QStringLiteral("rol \U0001F600"));
    EXPECT_EQ(w.editField().text(), QStringLiteral("Ka"));
    EXPECT_TRUE(w.refusalNotice().contains(QStringLiteral("\"\U0001F600\" U+1F600")))
        << w.refusalNotice().toStdString();
    // The notice is drawn inside the caption band, clear of the caption buttons.
    EXPECT_TRUE(w.noticeBar().isVisible());
    EXPECT_LE(w.noticeBar().geometry().bottom(), 24);
    EXPECT_LE(w.noticeBar().geometry().right(), w.width() - 40);

    // Typing on clears the notice.
    typeText(&w.editField(), QStringLiteral("rol"));
    EXPECT_EQ(w.refusalNotice(), QString());
}

TEST(StringWindow, NoMoreCanBeTypedThanTheUnitTakesAndTheWindowSaysSo) {
    QWidget owner;
    CCorvStringWnd w(&owner, "Name");
    w.setMaxLength(5);
    w.show();
    typeText(&w.editField(), QStringLiteral("abcdefgh"));
    EXPECT_EQ(w.editField().text(), QStringLiteral("abcde"));
    EXPECT_TRUE(w.refusalNotice().contains(QStringLiteral("at most 5 characters"))) << w.refusalNotice().toStdString();
}

TEST(KeyPad, TenKeysAtTheirPlacesAndABarUnderThem) {
    MessageRecorder owner;
    CTransportTool pad(&owner);
    EXPECT_EQ(pad.size(), QSize(411, 108));
    const char* texts[] = {"START", "<<<", "<<", "<", "STOP", ">", ">>", ">>>", "END", "ESC"};
    int lastRight = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        QPushButton& key = pad.key(i);
        EXPECT_EQ(key.text(), QString::fromLatin1(texts[i]));
        EXPECT_EQ(key.y(), 30);
        EXPECT_EQ(key.height(), 42);
        EXPECT_GE(key.x(), lastRight) << texts[i] << " overlaps the key before it";
        lastRight = key.x() + key.width();
        EXPECT_EQ(key.focusPolicy(), Qt::StrongFocus);
    }
    EXPECT_EQ(pad.key(0).geometry(), QRect(13, 30, 45, 42));
    EXPECT_EQ(pad.key(9).geometry(), QRect(349, 30, 45, 42));
    EXPECT_EQ(pad.progressBar().geometry(), QRect(10, 73, 389, 25));
    EXPECT_EQ(pad.progressBar().maximum(), 100);
    EXPECT_EQ(pad.progressBar().position(), 0);

    // No caption buttons: the user cannot close the key pad.
    pad.show();
    render(pad);
    ASSERT_NE(pad.closeButton(), nullptr);
    EXPECT_FALSE(pad.closeButton()->isVisible());
    EXPECT_FALSE(pad.minimiseButton()->isVisible());
    QTest::keyClick(&pad, Qt::Key_Escape);
    QTest::keyClick(&pad, Qt::Key_Return);
    EXPECT_TRUE(pad.isVisible());
}

// The columns in which a key's text is drawn: where the key differs from the same key blank.
std::pair<int, int> textColumns(QPushButton& key) {
    const QImage withText = render(key);
    const QString text = key.text();
    key.setText(QString());
    const QImage blank = render(key);
    key.setText(text);
    int first = key.width(), last = -1;
    for (int y = 0; y < key.height(); ++y)
        for (int x = 0; x < key.width(); ++x)
            if (withText.pixel(x, y) != blank.pixel(x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(KeyPad, EveryKeysTextKeepsClearOfItsEdges) {
    MessageRecorder owner;
    CTransportTool pad(&owner);
    pad.show();
    for (std::size_t i = 0; i < 10; ++i) {
        QPushButton& key = pad.key(i);
        const auto [first, last] = textColumns(key);
        ASSERT_LE(first, last) << key.text().toStdString() << " shows no text";
        EXPECT_GE(first, 4) << key.text().toStdString();
        EXPECT_LE(last, key.width() - 5) << key.text().toStdString();
    }
}

TEST(KeyPad, EachKeySendsExactlyOneKeyCode) {
    MessageRecorder owner;
    CTransportTool pad(&owner);
    const std::uintptr_t codes[] = {7, 3, 1, 2, 255, 5, 4, 6, 8, 9};
    for (std::size_t i = 0; i < 10; ++i) {
        owner.messages.clear();
        pad.key(i).click();
        ASSERT_EQ(owner.messages.size(), 1u) << pad.key(i).text().toStdString();
        EXPECT_EQ(owner.messages[0].message, WM_KEYPAD_KEY);
        EXPECT_EQ(owner.messages[0].wParam, codes[i]) << pad.key(i).text().toStdString();
        EXPECT_EQ(owner.messages[0].lParam, 0);
    }
    // A key reached with Tab is pressed with the space bar.
    owner.messages.clear();
    pad.show();
    pad.key(4).setFocus();
    QTest::keyClick(&pad.key(4), Qt::Key_Space);
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0].wParam, 255u);
}
