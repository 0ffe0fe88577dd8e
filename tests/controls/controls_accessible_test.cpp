// What a screen reader gets from the skinned controls: names, values and roles as a listener
// hears them, a press that does what a click does, and value changes told settled and no faster
// than a listener follows.
#include "controls/accessible_announce.h"
#include "controls/controls_accessible.h"
#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QAccessibleInterface* reader(QWidget& widget) { return QAccessible::queryAccessibleInterface(&widget); }

struct ControlsAccessible : ::testing::Test {
    test::MessageRecorder parent;
    ControlsAccessible() {
        installControlsAccessibility();
        parent.resize(400, 300);
        parent.show();
    }
};

TEST_F(ControlsAccessible, ControlsReadAsShownAndPressDoesWhatAClickDoes) {
    auto* box = new CCorvShowBox;
    box->Create(10, 10, 210, 50, &parent);
    box->setCaption(
        "Coolant temp. \xB0"
        "C");
    box->setValue("87.5 ");
    QAccessibleInterface* boxReader = reader(*box);
    EXPECT_EQ(boxReader->role(), QAccessible::EditableText);
    EXPECT_TRUE(boxReader->state().readOnly);
    EXPECT_EQ(boxReader->text(QAccessible::Name), QString::fromUtf8("Coolant temp. \u00B0C"));
    EXPECT_EQ(boxReader->textInterface()->text(0, -1), QStringLiteral("87.5"));
    EXPECT_EQ(boxReader->valueInterface()->currentValue().toDouble(), 87.5);
    box->setValue("open");
    EXPECT_FALSE(boxReader->valueInterface()->currentValue().isValid());  // a text is no number

    auto* label = new CCorvStatic;
    label->Create("Fault &memory\r\nread", 10, 60, 210, 100, &parent);
    EXPECT_EQ(reader(*label)->text(QAccessible::Name), QStringLiteral("Fault memory read"));

    auto* bar = new CCorvProgress;
    bar->Create(10, 110, 210, 130, &parent);
    bar->SetRange(0, 200);
    bar->SetPos(50);
    QAccessibleInterface* barReader = reader(*bar);
    EXPECT_EQ(barReader->role(), QAccessible::ProgressBar);
    EXPECT_EQ(barReader->valueInterface()->currentValue().toInt(), 50);
    EXPECT_EQ(barReader->valueInterface()->maximumValue().toInt(), 200);
    EXPECT_EQ(barReader->text(QAccessible::Value), QStringLiteral("25 %"));

    // A page button's press through the reader hands its code to the parent, as a click does,
    // once the reader's request has returned.
    auto* button = new CCorvButton;
    button->Create("&Report", ButtonStyle::PlainFace | ButtonStyle::NotifyCode, 10, 140, 110, 170, &parent, 7);
    button->SetNotifyCode(0x0A0B0C);
    int clicks = 0;
    QObject::connect(button, &CCorvButton::command, [&](int id) { clicks += id == 7; });
    QAccessibleInterface* buttonReader = reader(*button);
    EXPECT_EQ(buttonReader->text(QAccessible::Name), QStringLiteral("Report"));
    ASSERT_TRUE(buttonReader->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    buttonReader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(parent.count(WM_BUTTON_CODE), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }));
    ASSERT_EQ(parent.count(WM_BUTTON_CODE), 1);
    EXPECT_EQ(parent.messages.back().wParam, 0x0A0B0Cu);
}

TEST(SettledValue, ABurstOfChangesIsToldOnceWithTheValueThatStands) {
    QString value;
    std::vector<QString> said;
    QObject owner;
    SettledValue pace(
        &owner, [&] { return value; }, [&](const QString& v) { said.push_back(v); });

    // A burst of readings within one interval: the listener hears the last one, once.
    for (int rpm = 800; rpm < 830; ++rpm) {
        value = QString::number(rpm);
        pace.changed();
    }
    EXPECT_TRUE(said.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !said.empty(); }));
    EXPECT_EQ(said, std::vector<QString>{QStringLiteral("829")});

    // A value that comes back within the next interval to what was said is not said again; a
    // new one is, also when it comes right after.
    value = QStringLiteral("830");
    pace.changed();
    value = QStringLiteral("829");
    QTest::qWait(3 * kValueAnnouncementMs);
    EXPECT_EQ(said.size(), 1u);
    value = QStringLiteral("1200");
    pace.changed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return said.size() == 2; }));
    EXPECT_EQ(said.back(), QStringLiteral("1200"));
}

}  // namespace
}  // namespace corvane
