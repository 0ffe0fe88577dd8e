#pragma once
// 's': a caption and value box, the page's reading. The text "caption|unit" names it: the box
// shows the caption and the value the unit sends; the unit is not shown but heads the reading's
// column in the graph and a recording. The unit reads the value back; a report shows
// "caption: value".
#include "controls/corv_show_box.h"
#include "forms/page_field.h"

namespace corvane {

class ReadingField : public PageField {
public:
    ReadingField(const PageControl& control, const FieldPlace& place);

    void showValue(const std::string& value) override;
    std::string value() const override;
    std::string reportText() const override;
    bool isReading() const override { return true; }
    ReadingLabel readingLabel() const override { return label_; }

private:
    ReadingField(const PageControl& control, const FieldPlace& place, CCorvShowBox* box);

    CCorvShowBox* box_;
    ReadingLabel label_;
};

}  // namespace corvane
