// Reading a large verbose trace, as `corvane-unit --replay` does before it plays anything:
// builds a trace of the requested size from records the link writes in a long session (status
// polls, page values, menu frames, file chunks), then times loadTrace() on it.
//   trace_read_bench [MEGABYTES] [--keep FILE]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "trace_reader.h"

using namespace corvane;
using namespace corvane::unitsim;

namespace {

std::vector<std::uint8_t> bytes(std::size_t n, std::uint8_t first) {
    std::vector<std::uint8_t> out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(first + i * 7);
    return out;
}

std::string buildTrace(std::size_t wanted) {
    const Frame status{'A', 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, '^'}};
    const std::vector<std::string> cycle = {
        formatTraceRecord(Frame{'S', 0, {}}, status),
        formatTraceRecord(Frame{'D', 0, bytes(60, 0x30)}, status),
        formatTraceRecord(Frame{'C', 0, bytes(120, 0x41)}, Frame{'K', 1, {}}),
        formatTraceRecord(Frame{'F', 0, {}}, Frame{'I', 1, bytes(124, 0x00)}),
    };
    std::string text;
    text.reserve(wanted + 4096);
    for (std::size_t i = 0; text.size() < wanted; ++i) text += cycle[i % cycle.size()];
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    double megabytes = 6;
    std::string keep;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else
            megabytes = std::atof(argv[i]);
    }
    if (megabytes <= 0) {
        std::fprintf(stderr, "usage: trace_read_bench [MEGABYTES] [--keep FILE]\n");
        return 2;
    }
    const std::string text = buildTrace(static_cast<std::size_t>(megabytes * 1024 * 1024));
    char tmpl[] = "/tmp/corvane-trace-bench-XXXXXX";
    std::string path = keep;
    if (path.empty()) {
        const int fd = ::mkstemp(tmpl);
        if (fd < 0) return 1;
        path = tmpl;
        std::FILE* closer = ::fdopen(fd, "w");
        std::fclose(closer);
    }
    std::ofstream(path, std::ios::binary) << text;

    const auto start = std::chrono::steady_clock::now();
    const TraceParse parsed = loadTrace(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (keep.empty()) std::remove(path.c_str());
    if (!parsed.ok) {
        std::fprintf(stderr, "the generated trace was refused: %s\n", parsed.error.c_str());
        return 1;
    }
    std::printf("trace of %.1f MB, %zu records, read in %.3f s (%.1f MB/s)\n", text.size() / 1048576.0,
                parsed.records.size(), seconds, text.size() / 1048576.0 / seconds);
    return 0;
}
