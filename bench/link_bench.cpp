// Frame turnaround over a pseudo-terminal (the unit's frame fully written -> the reply fully
// read), sustained frames per second, and the parse time of a full 50000-byte menu.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "content/menu_record.h"
#include "link/frame_codec.h"
#include "link/unit_link.h"

using namespace corvane;

namespace {

struct PtyPair {
    int master = -1, slave = -1;
    std::string path;
    PtyPair() {
        char name[256];
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) path = name;
        termios tio{};
        ::tcgetattr(master, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(master, TCSANOW, &tio);
    }
    ~PtyPair() {
        ::close(master);
        ::close(slave);
    }
};

// Reads whole reply frames from the master, keeping bytes that belong to the next one.
class ReplyReader {
public:
    explicit ReplyReader(int fd) : fd_(fd) {}
    // False on a time-out.
    bool next() {
        for (;;) {
            while (pos_ < len_)
                if (decoder_.push(buf_[pos_++])) return true;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0) return false;
            const ssize_t n = ::read(fd_, buf_, sizeof buf_);
            if (n <= 0) return false;
            len_ = static_cast<std::size_t>(n);
            pos_ = 0;
        }
    }

private:
    int fd_;
    FrameDecoder decoder_;
    std::uint8_t buf_[512];
    std::size_t len_ = 0, pos_ = 0;
};

struct RunningLink {
    PtyPair pty;
    UnitLink link;
    ReplyReader reader{pty.master};
    RunningLink() {
        link.openByName(pty.path);
        link.startWorker();
        const auto h = encodeFrame('H', 1, std::vector<std::uint8_t>{128});
        [[maybe_unused]] auto w = ::write(pty.master, h.data(), h.size());
        reader.next();
    }
    ~RunningLink() { link.close(); }
};

void BM_StatusPollTurnaround(benchmark::State& state) {
    RunningLink r;
    const auto s = encodeFrame('S', 1, {});
    for (auto _ : state) {
        if (::write(r.pty.master, s.data(), s.size()) != static_cast<ssize_t>(s.size())) state.SkipWithError("write");
        if (!r.reader.next()) state.SkipWithError("no reply");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatusPollTurnaround)->UseRealTime()->Unit(benchmark::kMicrosecond);

// A full-size 'C' frame (249 DATA bytes) and its acknowledgement.
void BM_LargeFrameTurnaround(benchmark::State& state) {
    RunningLink r;
    const auto c = encodeFrame('C', 0, std::vector<std::uint8_t>(249, 'x'));
    for (auto _ : state) {
        if (::write(r.pty.master, c.data(), c.size()) != static_cast<ssize_t>(c.size())) state.SkipWithError("write");
        if (!r.reader.next()) state.SkipWithError("no reply");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.size()));
}
BENCHMARK(BM_LargeFrameTurnaround)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Frames kept in flight: the unit writes the next frame while the previous reply is read.
void BM_SustainedFramesPerSecond(benchmark::State& state) {
    RunningLink r;
    const auto s = encodeFrame('S', 1, {});
    constexpr int kBurst = 8;
    std::vector<std::uint8_t> burst;
    for (int i = 0; i < kBurst; ++i) burst.insert(burst.end(), s.begin(), s.end());
    for (auto _ : state) {
        if (::write(r.pty.master, burst.data(), burst.size()) != static_cast<ssize_t>(burst.size())) state.SkipWithError("write");
        for (int i = 0; i < kBurst; ++i)
            if (!r.reader.next()) state.SkipWithError("no reply");
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}
BENCHMARK(BM_SustainedFramesPerSecond)->UseRealTime()->Unit(benchmark::kMicrosecond);

// A menu of 100 entries and 100 pages of controls filling the whole 50000-byte buffer.
std::vector<std::uint8_t> fullMenu() {
    std::vector<std::uint8_t> s;
    auto add = [&](std::initializer_list<int> bytes) {
        for (int b : bytes) s.push_back(static_cast<std::uint8_t>(b));
    };
    for (int i = 0; i < 30; ++i) {
        add({0, 'F', 'G', 'r', 'o', 'u', 'p', '^', 0, i + 1, 1, 0, '$'});
        add({0, 'I', 'I', 't', 'e', 'm', '^', 1, i + 1, 2, 0, '$'});
        add({0, 'E', 0, '$'});
    }
    for (int p = 0; s.size() < MenuRecord::kBufferCapacity - 64; ++p) {
        add({0, 'P', 1, p & 0xFF, 0, 1, p & 0xFF, 0, '$'});
        for (int c = 0; c < 20 && s.size() < MenuRecord::kBufferCapacity - 64; ++c) {
            add({0, 'O', c + 1, 'b', 1, c + 1, 20, c + 2});
            for (char ch : std::string("Button caption|value")) s.push_back(static_cast<std::uint8_t>(ch));
            add({'^', 0, 1, c, 0, 0, '$'});
        }
    }
    s.resize(MenuRecord::kBufferCapacity, 0);
    return s;
}

void BM_ParseFullMenu(benchmark::State& state) {
    const auto menu = fullMenu();
    for (auto _ : state) {
        auto record = std::make_unique<MenuRecord>();
        record->append(menu.data(), menu.size());
        record->parse();
        benchmark::DoNotOptimize(record->pageCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(menu.size()));
}
BENCHMARK(BM_ParseFullMenu)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
