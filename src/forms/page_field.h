#pragma once
// PageField: one control of the open page as the client form shows it. Every type letter of the
// unit's pages has one kind of field (forms/fields/), made by makePageField, the one place that
// looks at the letter. A field makes its widget on the form and is the only code that knows what
// the widget shows, what it gives back to the unit, what it adds to a report and whether it is a
// reading; the handlers of the page ask the fields and never the widgets. The content record of
// the control describes it and holds no view.
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/menu_record.h"

namespace corvane {

// Where a field puts its widget: the rectangle on the form (the control's grid geometry), the
// form, and the widget's window id (the control's id + 2000).
struct FieldPlace {
    QRect rect;
    QWidget* form = nullptr;
    int windowId = 0;
};

// The name of a reading and the unit it is measured in: raw single-byte text.
struct ReadingLabel {
    std::string caption;
    std::string unit;
};

// The line of a list that goes to the unit with a page choice.
struct ListSelection {
    int row = -1;      // -1: no line is selected
    std::string line;  // the line's bytes; empty without a selection
};

class PageField {
public:
    virtual ~PageField();
    PageField(const PageField&) = delete;
    PageField& operator=(const PageField&) = delete;

    std::uint8_t id() const { return id_; }
    // The field's window on the form.
    QWidget* widget() const { return widget_; }

    // Shows a value the unit sent for the page; a kind without a value ignores it.
    virtual void showValue(const std::string& value);
    // True for a kind that must be shown every value a run of frames gives it, in turn (a choice
    // box: a value it does not list leaves the one before standing). Showing only the last value
    // is enough for the other kinds.
    virtual bool showsEveryValue() const { return false; }
    // The value the unit reads back, raw single-byte text; empty for a kind without one.
    virtual std::string value() const { return {}; }
    // A text the unit sets on the control; a kind that shows no text ignores it.
    virtual void showText(const std::string& text);
    // The lines the unit fills a list with; other kinds ignore them.
    virtual void showLines(const std::vector<std::string>& lines);
    // Progress from the unit or a file transfer: position out of 0..range. Only bars show it.
    virtual void showProgress(int range, int position);
    // What the control adds to a report of the page.
    virtual std::string reportText() const { return {}; }
    // A reading is a value the unit measures: its value() is the number shown, and it has a
    // caption and a unit. Only caption and value boxes are readings.
    virtual bool isReading() const { return false; }
    virtual ReadingLabel readingLabel() const { return {}; }
    // A list gives its selected line with a page choice; the other kinds have none.
    virtual bool isList() const { return false; }
    virtual ListSelection listSelection() const { return {}; }
    // The most bytes the user may type into the field (one reply must carry them back).
    virtual void limitInput(int bytes);

protected:
    PageField(const PageControl& control, QWidget* widget);

private:
    std::uint8_t id_;
    QWidget* widget_;  // a child of the form; the form deletes it
};

// The field of the control's type letter, its widget made and shown on the form at `place`;
// null for a letter that names no kind.
std::unique_ptr<PageField> makePageField(const PageControl& control, const FieldPlace& place);

}  // namespace corvane
