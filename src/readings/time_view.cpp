#include "readings/time_view.h"

#include <algorithm>
#include <cmath>

namespace corvane {

double TimeView::spanMs(double first, double last) const {
    switch (span_) {
        case Span30s: return 30e3;
        case Span2min: return 120e3;
        case Span10min: return 600e3;
        case SpanAll: break;
    }
    return std::max(kLeastAllMs, last - first);
}

std::pair<double, double> TimeView::range(double first, double last) const {
    if (!following_) return {from_, to_};
    const double span = spanMs(first, last);
    // A history shorter than the span fills the view from the left.
    const double end = span_ == SpanAll ? first + span : std::max(last, first + span);
    return {end - span, end};
}

void TimeView::setSpan(Span span, double first, double last) {
    if (following_) {
        span_ = span;
        return;
    }
    const double end = to_;
    span_ = span;
    if (span == SpanAll)
        show(first, first + spanMs(first, last), first, last);
    else
        show(end - spanMs(first, last), end, first, last);
}

void TimeView::hold(double first, double last) {
    if (!following_) return;
    const auto [from, to] = range(first, last);
    following_ = false;
    from_ = from;
    to_ = to;
}

void TimeView::show(double from, double to, double first, double last) {
    following_ = false;
    if (!(to > from) || !std::isfinite(from) || !std::isfinite(to)) return;
    const double whole = std::max(kLeastAllMs, last - first);
    double span = std::clamp(to - from, kLeastSpanMs, whole * 1.25);
    const double middle = from / 2 + to / 2;
    from = middle - span / 2;
    // At least a tenth of the view on the history.
    from = std::clamp(from, first - span * 0.9, std::max(first, last) - span * 0.1);
    from_ = from;
    to_ = from + span;
}

void TimeView::zoom(double factor, double around, double first, double last) {
    hold(first, last);
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const double span = to_ - from_;
    const double wanted = std::clamp(span * factor, kLeastSpanMs, std::max(kLeastAllMs, last - first) * 1.25);
    const double share = span > 0 ? std::clamp((around - from_) / span, 0.0, 1.0) : 0.5;
    const double from = around - share * wanted;
    // Zooming out does not drift: the kept point stays under the pointer unless the view
    // meets the history's bounds.
    show(from, from + wanted, first, last);
}

void TimeView::pan(double ms, double first, double last) {
    hold(first, last);
    show(from_ + ms, to_ + ms, first, last);
}

void TimeView::moveEndTo(double end, double first, double last) {
    hold(first, last);
    const double span = to_ - from_;
    show(end - span, end, first, last);
}

}  // namespace corvane
