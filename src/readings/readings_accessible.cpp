#include "readings/readings_accessible.h"

#include "controls/controls_accessible.h"
#include "readings/recording_indicator.h"

namespace corvane {

namespace {

// The recording's mark in the title band reads as its text; its end is announced.
class RecordingIndicatorAccessible : public SkinTextAccessible {
public:
    explicit RecordingIndicatorAccessible(CRecordingIndicator* mark)
        : SkinTextAccessible(mark, QAccessible::StaticText) {}
    QString shownText() const override { return static_cast<CRecordingIndicator*>(widget())->text(); }
};

QAccessibleInterface* readingsFactory(const QString& className, QObject* object) {
    if (object && object->isWidgetType() && className == QLatin1String("corvane::CRecordingIndicator"))
        return new RecordingIndicatorAccessible(static_cast<CRecordingIndicator*>(object));
    return nullptr;
}

}  // namespace

void installReadingsAccessibility() { QAccessible::installFactory(readingsFactory); }

}  // namespace corvane
