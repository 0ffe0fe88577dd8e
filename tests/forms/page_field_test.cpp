// The page fields: what each kind shows, gives back to the unit, adds to a report, and whether it
// is a reading or the list that goes with a page choice. One row per type letter.
#include "forms/page_field.h"

#include "controls/corv_progress.h"
#include "forms/client_form.h"
#include "forms/form_fields.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Kind {
    char letter;
    const char* text;             // the control's text
    const char* value;            // value() after showValue("Auto")
    const char* report;           // reportText() after showValue("Auto")
    const char* reportAfterText;  // reportText() after showText("Note") as well
    bool reading, list, everyValue;
};

// What the unit's values, texts and read-backs do to each kind.
constexpr Kind kKinds[] = {
    {'b', "Go", "", "", "", false, false, false},
    {'c', "Mode|Manual|Auto", "Auto", "Mode: Auto", "Mode: Auto", false, false, true},
    {'e', "", "Auto", "Auto", "Note", false, false, false},
    {'l', "", "", "", "", false, true, false},
    {'p', "", "", "", "", false, false, false},
    {'s', "Speed|km/h^", "Auto", "Speed: Auto", "Speed: Auto", true, false, false},
    {'t', "Title", "", "Auto", "Note", false, false, false},
    {'x', "", "", "", "Note", false, false, false},
};

struct PageFieldFixture : ::testing::Test {
    CClientForm form;

    PageFieldFixture() { form.resize(800, 1340); }
    ~PageFieldFixture() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    PageControl control(char letter, const std::string& text = {}) {
        PageControl c;
        c.id = 4;
        c.type = static_cast<std::uint8_t>(letter);
        c.left = 2, c.top = 4, c.right = 60, c.bottom = 10;
        c.text = text;
        return c;
    }
};

TEST_F(PageFieldFixture, EachKindShowsReadsBackAndReportsItsOwnWay) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(std::string("type ") + kind.letter);
        PageControl c = control(kind.letter, kind.text);
        form.addControl(c);
        PageField* field = form.field(c);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->id(), 4);
        EXPECT_EQ(field->isReading(), kind.reading);
        EXPECT_EQ(field->isList(), kind.list);
        EXPECT_EQ(field->showsEveryValue(), kind.everyValue);

        field->showValue("Auto");
        EXPECT_EQ(field->value(), kind.value);
        EXPECT_EQ(field->reportText(), kind.report);
        field->showText("Note");
        EXPECT_EQ(field->reportText(), kind.reportAfterText);
        form.removeControl(c);
    }
}

TEST_F(PageFieldFixture, ReadingHasItsCaptionAndUnit) {
    PageControl s = control('s', "Engine speed|1/min^");
    PageControl t = control('t', "Engine speed|1/min^");
    form.addControl(s);
    form.addControl(t);
    const ReadingLabel label = form.field(s)->readingLabel();
    EXPECT_EQ(label.caption, "Engine speed");
    EXPECT_EQ(label.unit, "1/min") << "the list's end mark is no part of the unit";
    EXPECT_EQ(form.field(t)->readingLabel().caption, "") << "a text is no reading";
}

TEST_F(PageFieldFixture, ListSelectionBarsAndInputLimit) {
    PageControl l = control('l');
    form.addControl(l);
    PageField& list = *form.field(l);
    list.showLines({"P0171", "K\xFChlung \x80"});
    EXPECT_EQ(list.listSelection().row, -1);
    EXPECT_EQ(list.value(), "") << "no line selected";
    qobject_cast<CFormListBox*>(list.widget())->setCurrentRow(1);
    EXPECT_EQ(list.listSelection().row, 1);
    EXPECT_EQ(list.listSelection().line, "K\xFChlung \x80");
    EXPECT_EQ(list.value(), "K\xFChlung \x80");
    EXPECT_EQ(list.reportText(), "K\xFChlung \x80");
    list.showProgress(10, 5);  // only bars show progress
    EXPECT_EQ(list.value(), "K\xFChlung \x80");

    PageControl p = control('p');
    p.id = 5;
    form.addControl(p);
    form.field(p)->showProgress(200, 250);
    auto* bar = qobject_cast<CCorvProgress*>(form.field(p)->widget());
    EXPECT_EQ(bar->maximum(), 200);
    EXPECT_EQ(bar->position(), 200) << "clamped to the range";

    PageControl e = control('e');
    e.id = 7;
    form.addControl(e);
    form.field(e)->limitInput(3);
    QTest::keyClicks(form.field(e)->widget(), QStringLiteral("abcd"));
    EXPECT_EQ(form.field(e)->value(), "abc") << "no more than one reply carries";
}

}  // namespace
}  // namespace corvane
