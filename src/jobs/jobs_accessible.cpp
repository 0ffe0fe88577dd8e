#include "jobs/jobs_accessible.h"

#include "controls/controls_accessible.h"
#include "jobs/job_band_label.h"

namespace corvane {

namespace {

// The current job's line in the title band reads as its text.
class JobBandLabelAccessible : public SkinTextAccessible {
public:
    explicit JobBandLabelAccessible(CJobBandLabel* label) : SkinTextAccessible(label, QAccessible::StaticText) {}
    QString shownText() const override { return static_cast<CJobBandLabel*>(widget())->text(); }
};

QAccessibleInterface* jobsFactory(const QString& className, QObject* object) {
    if (object && object->isWidgetType() && className == QLatin1String("corvane::CJobBandLabel"))
        return new JobBandLabelAccessible(static_cast<CJobBandLabel*>(object));
    return nullptr;
}

}  // namespace

void installJobsAccessibility() { QAccessible::installFactory(jobsFactory); }

}  // namespace corvane
