#pragma once
// The ranges and labels of the graph's axes, safe for any finite value: a value axis always gets
// a span the chart can step through in a handful of ticks (a reading that moves by a few units in
// the last place is drawn as flat), and the time axis a label format that fits its span.
#include <QString>

namespace corvane {

struct AxisRange {
    double low = 0;
    double high = 1;
    double step = 0.5;  // between ticks, from `low`
    int digits = 2;     // significant digits that tell the tick labels apart
};

// The range of round numbers (steps of 1, 2 or 5 times a power of ten, about five of them) that
// holds [low, high]. Values beyond +-1e307 are taken as +-1e307, so that the span stays finite.
AxisRange valueAxisRange(double low, double high);

// The tick label format of a value axis ("%.4g" and the like).
QString valueLabelFormat(const AxisRange& range);

// The label format of the time axis for a span in milliseconds.
QString timeLabelFormat(double spanMs);

}  // namespace corvane
