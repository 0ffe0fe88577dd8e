#pragma once
// Which stretch of time the graph shows: the newest readings over a chosen span, following them
// as they come, or a stretch held still (paused, zoomed or moved by the user). Held stretches
// stay near the history: at least a tenth of the view overlaps it, never narrower than
// kLeastSpanMs nor much wider than the whole history.
#include <utility>

namespace corvane {

class TimeView {
public:
    static constexpr double kLeastSpanMs = 100;
    static constexpr double kLeastAllMs = 1000;  // "everything" of a history shorter than this
    enum Span { Span30s, Span2min, Span10min, SpanAll };

    Span span() const { return span_; }
    bool following() const { return following_; }

    // The stretch to draw for a history from `first` to `last` (milliseconds since the epoch).
    std::pair<double, double> range(double first, double last) const;

    // A chosen span: a followed view follows with it, a held one keeps its end.
    void setSpan(Span span, double first, double last);
    void follow() { following_ = true; }
    // Pauses at what is shown now.
    void hold(double first, double last);
    // Zooms by `factor` (below 1 in, above 1 out) keeping `around` where it is; holds.
    void zoom(double factor, double around, double first, double last);
    // Moves the view later by `ms` (earlier when negative); holds.
    void pan(double ms, double first, double last);
    // Holds the view ending at `end`, keeping its width.
    void moveEndTo(double end, double first, double last);
    // Holds [from, to] (kept near the history as above).
    void show(double from, double to, double first, double last);

private:
    double spanMs(double first, double last) const;

    Span span_ = Span2min;
    bool following_ = true;
    double from_ = 0;  // the held stretch
    double to_ = 0;
};

}  // namespace corvane
