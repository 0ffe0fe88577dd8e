#include "sample_stats.h"

#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace corvane::bench {

namespace {

double cpuSeconds(clockid_t clock) {
    timespec ts{};
    ::clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::string firstLineWith(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return line;
    return {};
}

}  // namespace

double processCpuSeconds() { return cpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }
double threadCpuSeconds() { return cpuSeconds(CLOCK_THREAD_CPUTIME_ID); }

double residentMegabytes(int pid) {
    const std::string path = pid ? "/proc/" + std::to_string(pid) + "/status" : "/proc/self/status";
    std::istringstream line(firstLineWith(path, "VmRSS:"));
    std::string key;
    double kib = 0;
    line >> key >> kib;
    return kib / 1024.0;
}

std::string machineDescription() {
    std::string cpu = firstLineWith("/proc/cpuinfo", "model name");
    if (const auto colon = cpu.find(':'); colon != std::string::npos) cpu = cpu.substr(colon + 2);
    utsname u{};
    ::uname(&u);
    std::ifstream loadFile("/proc/loadavg");
    double load1 = 0;
    loadFile >> load1;
    std::ostringstream out;
    out << cpu << ", " << std::thread::hardware_concurrency() << " logical CPUs, Linux " << u.release
        << ", load average " << load1 << " at the start";
    return out.str();
}

}  // namespace corvane::bench
