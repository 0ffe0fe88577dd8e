#include "readings/axis_range.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {
constexpr double kLimit = 1e307;
// A span below this share of the values' size cannot be stepped through in a few ticks: each
// step must move a value by many units in the last place (one is about 2.2e-16 of it).
constexpr double kLeastRelativeSpan = 1e-12;
// Below this, values count as zero (no power of ten under it is needed on an axis).
constexpr double kLeastMagnitude = 1e-290;
}  // namespace

AxisRange valueAxisRange(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high)) return {};
    if (low > high) std::swap(low, high);
    low = std::clamp(low, -kLimit, kLimit);
    high = std::clamp(high, -kLimit, kLimit);
    const double magnitude = std::max(std::abs(low), std::abs(high));
    if (high - low <= std::max(magnitude * kLeastRelativeSpan, kLeastMagnitude)) {
        // Flat: 5% either side of it, or -1..1 around zero.
        const double middle = low / 2 + high / 2;
        const double pad = std::abs(middle) > kLeastMagnitude ? std::abs(middle) * 0.05 : 1.0;
        low = middle - pad;
        high = middle + pad;
    }
    const double rough = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10;
    for (double m : {1.0, 2.0, 5.0})
        if (rough <= m * power) {
            step = m * power;
            break;
        }
    AxisRange r;
    r.step = step;
    r.low = std::floor(low / step) * step;
    r.high = std::ceil(high / step) * step;
    const double size = std::max(std::abs(r.low), std::abs(r.high));
    r.digits = std::clamp(static_cast<int>(std::ceil(std::log10(size / step))) + 1, 2, 17);
    return r;
}

QString valueLabelFormat(const AxisRange& range) { return QStringLiteral("%.%1g").arg(std::max(4, range.digits)); }

QString timeLabelFormat(double spanMs) {
    if (spanMs < 20e3) return QStringLiteral("HH:mm:ss.zzz");
    if (spanMs < 86400e3) return QStringLiteral("HH:mm:ss");
    return QStringLiteral("dd MMM HH:mm");
}

}  // namespace corvane
