#pragma once
// Timing samples of one figure and the summaries the benchmark tables print.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace corvane::bench {

using Clock = std::chrono::steady_clock;

inline double microsecondsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::micro>(b - a).count();
}

class Samples {
public:
    void add(double us) { values_.push_back(us); }
    std::size_t size() const { return values_.size(); }
    // The value at quantile q (0..1), nearest rank.
    double quantile(double q) const {
        if (values_.empty()) return 0;
        std::vector<double> v = values_;
        std::sort(v.begin(), v.end());
        const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(v.size())));
        return v[std::min(v.size(), std::max<std::size_t>(rank, 1)) - 1];
    }
    double median() const { return quantile(0.5); }
    double p99() const { return quantile(0.99); }

private:
    std::vector<double> values_;
};

// CPU time of the whole process and of the calling thread.
double processCpuSeconds();
double threadCpuSeconds();

// Resident memory of a process from /proc (the caller's own when pid is 0), in MiB.
double residentMegabytes(int pid = 0);

// One line describing the machine and its load, for the head of a table.
std::string machineDescription();

}  // namespace corvane::bench
