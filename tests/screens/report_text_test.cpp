// Composing a report from layout bytes and the controls of a page made on a real client form.
#include <gtest/gtest.h>

#include <QApplication>

#include "controls/corv_show_box.h"
#include "forms/choose_box.h"
#include "forms/client_form.h"
#include "forms/form_fields.h"
#include "screens/report_text.h"

using namespace corvane;

namespace {
class ReportTextTest : public ::testing::Test {
protected:
    PageControl& add(std::uint8_t id, char type, std::string text = {}) {
        auto c = std::make_unique<PageControl>();
        c->id = id;
        c->type = static_cast<std::uint8_t>(type);
        c->top = static_cast<std::int32_t>(page.controls.size() * 6);
        c->left = 1;
        c->right = 60;
        c->bottom = c->top + 5;
        c->text = std::move(text);
        page.controls.push_back(std::move(c));
        form.addControl(*page.controls.back());
        return *page.controls.back();
    }
    // The widget of the control's field.
    QWidget* windowOf(const PageControl& c) const { return form.field(c)->widget(); }
    std::string compose(std::initializer_list<std::uint8_t> bytes, const MenuPage* on) {
        const std::vector<std::uint8_t> v(bytes);
        layout.empty();
        layout.append(v.data(), v.size());
        return composeReport(layout, on, form).text;
    }
    ~ReportTextTest() override {
        for (auto& c : page.controls) form.removeControl(*c);
    }

    CClientForm form;
    MenuPage page;
    ReportBuffer layout;
};
}  // namespace

TEST_F(ReportTextTest, EachControlKindAddsItsContents) {
    qobject_cast<CFormEdit*>(windowOf(add(6, 'e')))->setTextBytes("B\xE4");
    add(5, 't', "A");
    qobject_cast<CChooseBox*>(windowOf(add(7, 'c', "Mode|Manual|Auto")))->selectByText("Auto");
    qobject_cast<CCorvShowBox*>(windowOf(add(8, 's', "Coolant|C")))->setValue("88");
    qobject_cast<CFormMemo*>(windowOf(add(9, 'x')))->setTextBytes("line 1\r\nline 2");
    auto* list = qobject_cast<CFormListBox*>(windowOf(add(10, 'l')));
    list->addLine("P0300");
    list->addLine("P0171");
    add(11, 'p');
    add(12, 'b', "Go");

    EXPECT_EQ(compose({5, 252, 6, 254}, &page), "A: B\xE4\r\n");
    EXPECT_EQ(compose({7}, &page), "Mode: Auto");
    EXPECT_EQ(compose({8, 253, 9}, &page), "Coolant: 88 line 1\r\nline 2");
    EXPECT_EQ(compose({10, 11, 12, 99, 253}, &page), " ") << "no selection, a bar, a button, an unknown id";
    list->setCurrentRow(1);
    EXPECT_EQ(compose({10}, &page), "P0171");
}

TEST_F(ReportTextTest, TheLayoutEndsAtZeroOrAfterTheBufferAndCountsWhatItRead) {
    add(5, 't', "A");
    layout.empty();
    EXPECT_EQ(composeReport(layout, &page, form).layoutBytes, 0u) << "an empty layout has nothing to save";
    const std::vector<std::uint8_t> zeroFirst = {0, 5};
    layout.append(zeroFirst.data(), zeroFirst.size());
    EXPECT_EQ(composeReport(layout, &page, form).layoutBytes, 0u);

    // An unknown id still counts: the dialog is shown even when the text stays empty.
    layout.empty();
    const std::vector<std::uint8_t> unknown = {42};
    layout.append(unknown.data(), unknown.size());
    const ComposedReport r = composeReport(layout, &page, form);
    EXPECT_EQ(r.layoutBytes, 1u);
    EXPECT_EQ(r.text, "");

    // A full buffer: 1000 bytes, no more.
    layout.empty();
    const std::vector<std::uint8_t> spaces(1200, 253);
    layout.append(spaces.data(), spaces.size());
    const ComposedReport full = composeReport(layout, &page, form);
    EXPECT_EQ(full.layoutBytes, 1000u);
    EXPECT_EQ(full.text, std::string(1000, ' '));
}

TEST_F(ReportTextTest, OnlyTheFirstControlWithAnIdCountsAndOnlyWithAField) {
    add(5, 't', "first");
    add(5, 't', "second");
    EXPECT_EQ(compose({5}, &page), "first");
    form.removeControl(*page.controls[0]);
    EXPECT_EQ(compose({5, 254}, &page), "\r\n") << "a control without a field inserts nothing";
    EXPECT_EQ(compose({5, 252, 253}, nullptr), ":  ") << "no page open: only the separators";
}
