#pragma once
// The current job's vehicle and customer in the main window's title band, below the
// recording's mark. When the window is too narrow for it, the job button's tool tip says it.
#include "controls/title_band_label.h"

namespace corvane {

class CJobBandLabel : public CTitleBandLabel {
    Q_OBJECT
public:
    static constexpr int kTop = 52;  // under the recording's mark (28..48), above the band's end

    explicit CJobBandLabel(QWidget* window);

    void setText(const QString& text, bool warning);

protected:
    bool wanted() const override { return !text().isEmpty(); }
    void paintEvent(QPaintEvent* event) override;

private:
    bool warning_ = false;
};

}  // namespace corvane
