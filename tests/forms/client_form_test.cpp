// The client form: one window per page control, by type letter, on the 5-pixel grid; button
// codes to the target; adding and removing; texts read back byte for byte.
#include "forms/client_form.h"

#include "controls/corv_button.h"
#include "controls/corv_notice.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "controls/palette.h"
#include "forms/choose_box.h"
#include "forms/control_text.h"
#include "forms/form_fields.h"
#include "platform/resource_ids.h"
#include "platform/resources.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace corvane {
namespace {

PageControl makeControl(char type, const std::string& text = {}, std::uint8_t id = 7) {
    PageControl c;
    c.id = id;
    c.type = static_cast<std::uint8_t>(type);
    c.left = 2, c.top = 4, c.right = 40, c.bottom = 10;
    c.text = text;
    return c;
}

struct FormFixture : ::testing::Test {
    test::MessageRecorder target;
    CClientForm form;

    // The widget of the control's field, or null while it has none.
    QWidget* windowOf(const PageControl& c) const {
        const PageField* field = form.field(c);
        return field ? field->widget() : nullptr;
    }

    FormFixture() {
        form.resize(800, 1340);
        form.setTarget(&target);
        form.show();
    }
    ~FormFixture() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void click(QWidget& w) {
        const QPoint c = w.rect().center();
        test::press(w, c);
        test::release(w, c);
    }
};

TEST_F(FormFixture, EveryTypeLetterMakesItsWindowOnTheGrid) {
    struct Kind {
        char type;
        bool (*isKind)(QWidget*);
    };
    const Kind kinds[] = {
        {'b', [](QWidget* w) { return qobject_cast<CCorvButton*>(w) != nullptr; }},
        {'c', [](QWidget* w) { return qobject_cast<CChooseBox*>(w) != nullptr; }},
        {'e', [](QWidget* w) { return qobject_cast<CFormEdit*>(w) != nullptr; }},
        {'l', [](QWidget* w) { return qobject_cast<CFormListBox*>(w) != nullptr; }},
        {'p', [](QWidget* w) { return qobject_cast<CCorvProgress*>(w) != nullptr; }},
        {'s', [](QWidget* w) { return qobject_cast<CCorvShowBox*>(w) != nullptr; }},
        {'t', [](QWidget* w) { return qobject_cast<CCorvStatic*>(w) != nullptr; }},
        {'x', [](QWidget* w) { return qobject_cast<CFormMemo*>(w) != nullptr; }},
    };
    std::uint8_t id = 1;
    for (const Kind& kind : kinds) {
        PageControl c = makeControl(kind.type, "Caption|A|B", id);
        form.addControl(c);
        QWidget* window = windowOf(c);
        ASSERT_NE(window, nullptr) << kind.type;
        EXPECT_EQ(form.field(c)->id(), id) << kind.type;
        EXPECT_TRUE(kind.isKind(window)) << kind.type;
        EXPECT_EQ(window->parentWidget(), &form) << kind.type;
        EXPECT_EQ(window->geometry(), QRect(10, 20, 190, 30)) << kind.type;
        EXPECT_TRUE(window->isVisible()) << kind.type;
        EXPECT_EQ(CClientForm::windowIdOf(window), 2000 + id) << kind.type;
        form.removeControl(c);
        ++id;
    }
}

TEST_F(FormFixture, UnknownLetterMakesNothing) {
    PageControl c = makeControl('q', "Caption");
    form.addControl(c);
    EXPECT_EQ(form.field(c), nullptr);
    EXPECT_EQ(form.fieldCount(), 0u);
    EXPECT_TRUE(form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty());
}

TEST_F(FormFixture, AddingTwiceMakesOneWindowAndRemovingTakesTheFieldOff) {
    PageControl c = makeControl('t', "Hello");
    form.addControl(c);
    QWidget* first = windowOf(c);
    form.addControl(c);
    EXPECT_EQ(windowOf(c), first);
    EXPECT_EQ(form.findChildren<CCorvStatic*>().size(), 1);

    QPointer<QWidget> watched(first);
    form.removeControl(c);
    EXPECT_EQ(form.field(c), nullptr);
    EXPECT_TRUE(form.findChildren<CCorvStatic*>().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());

    // A control without a field stays as it is.
    form.removeControl(c);
    EXPECT_EQ(form.field(c), nullptr);
    // And can be shown again.
    form.addControl(c);
    EXPECT_NE(windowOf(c), nullptr);
}

TEST_F(FormFixture, TextButtonSendsItsCodeToTheTarget) {
    PageControl c = makeControl('b', "Start");
    c.code = 0x010203;
    form.addControl(c);
    auto* button = qobject_cast<CCorvButton*>(windowOf(c));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->style(), 0x2400u);
    EXPECT_EQ(button->caption(), "Start");
    click(*button);
    ASSERT_EQ(target.count(WM_BUTTON_CODE), 1);
    EXPECT_EQ(target.messages.back().wParam, 0x010203u);
    EXPECT_EQ(target.messages.back().lParam, 0);
}

// A main window that closes the page as soon as a page button is pressed.
class ClosingTarget : public MessageWindow<QWidget> {
public:
    CClientForm* form = nullptr;
    PageControl* control = nullptr;
    int codes = 0;

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == WM_BUTTON_CODE) {
            ++codes;
            form->removeControl(*control);
        }
        return 0;
    }
};

TEST_F(FormFixture, ButtonCanBeRemovedWhileItsPressIsHandled) {
    PageControl c = makeControl('b', "Close");
    c.code = 5;
    ClosingTarget closing;
    closing.form = &form;
    closing.control = &c;
    form.setTarget(&closing);
    form.addControl(c);
    QPointer<QWidget> button(windowOf(c));
    click(*button);
    EXPECT_EQ(closing.codes, 1);
    EXPECT_EQ(form.field(c), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(button.isNull());
}

TEST_F(FormFixture, IconButtonShowsItsIconOnThePane) {
    PageControl c = makeControl('b', "");
    c.left = 2, c.top = 2, c.right = 22, c.bottom = 22;  // 100 x 100
    c.style = 5;
    c.icon = IDI_FUNCTION_OIL;
    c.code = 0x0A0B0C;
    form.addControl(c);
    auto* button = qobject_cast<CCorvButton*>(windowOf(c));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->style(), 0x200Cu);
    const QImage image = test::render(*button);
    // Pane colour around the 80 x 80 icon (framed: the frame only shows on hover).
    EXPECT_EQ(test::pixel(image, 5, 50), ColourPane);
    const QImage icon = resourceImage(IDI_FUNCTION_OIL).scaled(80, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int opaque = 0, missing = 0;
    for (int y = 0; y < 80; y += 4)
        for (int x = 0; x < 80; x += 4) {
            if (qAlpha(icon.pixel(x, y)) != 255) continue;
            ++opaque;
            missing += test::pixel(image, 10 + x, 10 + y) == ColourPane;
        }
    ASSERT_GT(opaque, 50);
    EXPECT_EQ(missing, 0) << "opaque icon pixels are drawn";
    click(*button);
    ASSERT_EQ(target.count(WM_BUTTON_CODE), 1);
    EXPECT_EQ(target.messages.back().wParam, 0x0A0B0Cu);
}

TEST_F(FormFixture, IconButtonLowerThanItsIconShowsAllOfItAndItsCaption) {
    // The size of a text button (140 x 30): the 80-pixel icon would be cut to a stripe.
    PageControl c = makeControl('b', "Load file");
    c.left = 2, c.top = 2, c.right = 30, c.bottom = 8;
    c.style = 3;
    c.icon = IDI_FUNCTION_OIL;
    form.addControl(c);
    auto* button = qobject_cast<CCorvButton*>(windowOf(c));
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->height(), 30);
    const QImage image = test::render(*button);
    // The icon, 26 pixels inside the frame, whole at the left: its top and bottom rows too.
    const QImage icon = resourceImage(IDI_FUNCTION_OIL).scaled(26, 26, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int opaque = 0, missing = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 26; ++x) {
            if (qAlpha(icon.pixel(x, y)) != 255) continue;
            ++opaque;
            missing += test::pixel(image, 5 + x, 2 + y) == ColourPane;
        }
    ASSERT_GT(opaque, 100);
    EXPECT_EQ(missing, 0) << "the whole icon is drawn";
    // The caption beside it.
    int caption = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 40; x < image.width() - 2; ++x) caption += test::pixel(image, x, y) != ColourPane;
    EXPECT_GT(caption, 40) << "the caption is drawn beside the icon";
}

TEST_F(FormFixture, ShowBoxTakesTheCaptionBeforeTheBar) {
    PageControl c = makeControl('s', "Speed|km/h");
    form.addControl(c);
    auto* box = qobject_cast<CCorvShowBox*>(windowOf(c));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->caption(), "Speed");
    EXPECT_EQ(box->value(), "");
    EXPECT_EQ(box->controlId(), 2007);
}

TEST_F(FormFixture, ControlTextSplitsAtTheFirstBarAndIsCut) {
    EXPECT_EQ(splitControlText("Mode|ON|OFF").caption, "Mode");
    EXPECT_EQ(splitControlText("Mode|ON|OFF").list, "ON|OFF");
    EXPECT_EQ(splitControlText("Plain").list, "");
    EXPECT_EQ(splitControlText("").caption, "");
    const ControlText longText = splitControlText(std::string(600, 'a') + "|" + std::string(600, 'b'));
    EXPECT_EQ(longText.caption.size(), 499u);
    EXPECT_EQ(longText.list.size(), 499u);
}

TEST_F(FormFixture, FieldsGiveBackTheUnitsBytes) {
    // Every byte a text can carry, including the five that Windows-1252 leaves undefined.
    std::string bytes;
    for (int b = 0x20; b <= 0xFF; ++b) bytes.push_back(static_cast<char>(b));
    const std::string withBreak = "Zeile 1\r\nZ\xE4hler \x80\x81";

    PageControl e = makeControl('e');
    form.addControl(e);
    auto* edit = qobject_cast<CFormEdit*>(windowOf(e));
    ASSERT_NE(edit, nullptr);
    edit->setTextBytes(bytes);
    EXPECT_EQ(edit->textBytes(), bytes);
    EXPECT_EQ(edit->text().at(0xE9 - 0x20), QChar(0x00E9));
    edit->setText(QString::fromUtf16(u"Gr\u00FC\u00DFe \u20AC"));  // typed by the user
    EXPECT_EQ(edit->textBytes(),
              "Gr\xFC\xDF"
              "e \x80");

    PageControl x = makeControl('x');
    form.addControl(x);
    auto* memo = qobject_cast<CFormMemo*>(windowOf(x));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    memo->setTextBytes(withBreak);
    EXPECT_EQ(memo->textBytes(), withBreak);

    PageControl l = makeControl('l');
    form.addControl(l);
    auto* list = qobject_cast<CFormListBox*>(windowOf(l));
    ASSERT_NE(list, nullptr);
    list->addLine("Motor");
    list->addLine("K\xFChlung \x9D");
    EXPECT_EQ(list->selectedRow(), -1);
    EXPECT_EQ(list->selectedTextBytes(), "");
    list->setCurrentRow(1);
    EXPECT_EQ(list->selectedRow(), 1);
    EXPECT_EQ(list->selectedTextBytes(), "K\xFChlung \x9D");
    EXPECT_EQ(list->item(1)->text(), QString::fromUtf16(u"K\u00FChlung \u009D"));
}

TEST_F(FormFixture, EditFieldRefusesWhatTheUnitCannotTakeYetKeepsTheUnitsOwnText) {
    PageControl e = makeControl('e');
    form.addControl(e);
    auto* edit = qobject_cast<CFormEdit*>(windowOf(e));
    ASSERT_NE(edit, nullptr);
    const auto type = [edit](const QString& c) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
        QCoreApplication::sendEvent(edit, &press);
    };
    // The unit's text may hold a separator; the field stays editable around it.
    edit->setTextBytes("A|B");
    EXPECT_EQ(edit->refusalNotice(), QString());
    edit->end(false);
    type(QStringLiteral("C"));
    EXPECT_EQ(edit->textBytes(), "A|BC");

    for (const QString& refused : {QStringLiteral("|"), QStringLiteral("^"), QStringLiteral("\u03A9")}) {
        type(refused);
        EXPECT_EQ(edit->textBytes(), "A|BC");
        EXPECT_TRUE(edit->refusalNotice().contains(refused)) << edit->refusalNotice().toStdString();
    }
    // The notice shows just under the field, and goes when the user types on or the field goes.
    const auto notices = form.findChildren<CCorvNotice*>();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0]->y(), edit->geometry().bottom() + 3);
    type(QStringLiteral("D"));
    EXPECT_EQ(edit->refusalNotice(), QString());
    form.removeControl(e);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.findChildren<CCorvNotice*>().isEmpty());
}

TEST_F(FormFixture, EditFieldsUseTheirColours) {
    PageControl e = makeControl('e');
    PageControl x = makeControl('x', {}, 8);
    x.top = 20, x.bottom = 30;
    form.addControl(e);
    form.addControl(x);
    EXPECT_EQ(windowOf(e)->palette().color(QPalette::Base), QColor(230, 230, 230));
    EXPECT_EQ(windowOf(x)->palette().color(QPalette::Base), QColor(180, 180, 180));
    const QImage image = test::render(form);
    EXPECT_EQ(test::pixel(image, 150, 25), QColor(230, 230, 230));
    EXPECT_EQ(test::pixel(image, 150, 140), QColor(180, 180, 180));
    EXPECT_EQ(test::pixel(image, 600, 600), ColourPane);
}

}  // namespace
}  // namespace corvane
