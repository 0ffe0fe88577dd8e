#pragma once
// 'p': a progress bar. It shows the unit's progress for its id and the progress of a file
// transfer while no message box shows it.
#include "controls/corv_progress.h"
#include "forms/page_field.h"

namespace corvane {

class ProgressField : public PageField {
public:
    ProgressField(const PageControl& control, const FieldPlace& place);

    void showProgress(int range, int position) override;

private:
    ProgressField(const PageControl& control, const FieldPlace& place, CCorvProgress* bar);

    CCorvProgress* bar_;
};

}  // namespace corvane
