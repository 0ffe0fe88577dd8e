// corvane-unit: the simulated unit, on a pseudo-terminal or a serial device.
#include <signal.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <iostream>
#include <thread>

#include "demo_workshop.h"
#include "scenario_player.h"
#include "trace_replay.h"
#include "unit_line.h"
#include "unit_options.h"
#include "unit_session.h"

namespace {
// SIGINT and SIGTERM are taken from a signal descriptor by a thread of their own, which tells the
// line to stop: no handler runs in the middle of the unit's work, and a sanitizer that holds
// handlers back until its next intercepted call cannot hold the stop back. The thread is ended
// and joined before the line closes.
class StopSignals {
public:
    explicit StopSignals(int stopFd) {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        signalFd_ = ::signalfd(-1, &signals_, SFD_CLOEXEC);
        quitFd_ = ::eventfd(0, EFD_CLOEXEC);
        if (signalFd_ < 0 || quitFd_ < 0) {
            // Without the descriptors the signals end the unit at once, as by default.
            ::pthread_sigmask(SIG_UNBLOCK, &signals_, nullptr);
            return;
        }
        thread_ = std::thread([this, stopFd] {
            pollfd p[2] = {{signalFd_, POLLIN, 0}, {quitFd_, POLLIN, 0}};
            while (::poll(p, 2, -1) < 0 && errno == EINTR) {
            }
            if (!(p[0].revents & POLLIN)) return;
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t r = ::write(stopFd, &one, sizeof one);
        });
    }
    ~StopSignals() {
        if (thread_.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t r = ::write(quitFd_, &one, sizeof one);
            thread_.join();
        }
        if (signalFd_ >= 0) ::close(signalFd_);
        if (quitFd_ >= 0) ::close(quitFd_);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    sigset_t signals_{};
    int signalFd_ = -1;
    int quitFd_ = -1;
    std::thread thread_;
};
}  // namespace

int main(int argc, char** argv) {
    using namespace corvane::unitsim;
    UnitOptions options;
    std::string error;
    if (!parseUnitOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "corvane-unit: " << error << "\n" << unitUsageHint();
        return 2;
    }
    if (options.help) {
        std::cout << unitUsage();
        return 0;
    }
    if (options.version) {
        std::cout << unitVersion();
        return 0;
    }

    // A broken script is reported before any line is opened.
    Scenario scenario;
    if (!options.scenario.empty()) {
        ScenarioParse parsed = loadScenario(options.scenario);
        if (!parsed.ok) {
            std::cerr << "corvane-unit: " << parsed.error << "\n";
            return 2;
        }
        scenario = std::move(parsed.scenario);
    }
    // So is a trace that cannot be played back.
    std::vector<TraceRecord> trace;
    if (!options.replay.empty()) {
        TraceParse parsed = loadTrace(options.replay);
        if (!parsed.ok) {
            std::cerr << "corvane-unit: " << parsed.error << "\n";
            return 2;
        }
        trace = std::move(parsed.records);
        if (!options.capacityGiven) {
            std::string why;
            options.capacity = replayCapacity(trace, why);
            std::cerr << "corvane-unit: receive capacity " << unsigned{options.capacity} << ", " << why << "\n";
        }
    }

    std::unique_ptr<UnitLine> line = options.pty ? UnitLine::openPty(error) : UnitLine::openSerial(options.port, error);
    if (!line) {
        std::cerr << "corvane-unit: " << error << "\n";
        return 1;
    }
    ::signal(SIGPIPE, SIG_IGN);
    const StopSignals stopSignals(line->stopFd());
    if (options.log) line->setLog(&std::cerr);
    if (options.pty) std::cout << line->slavePath() << std::endl;  // flushed: the PC waits for it

    if (!options.scenario.empty()) {
        ScenarioPlayer player(*line, &std::cerr);
        if (!player.play(scenario)) {
            std::cerr << "corvane-unit: " << player.error() << "\n";
            return 1;
        }
        std::cerr << "corvane-unit: scenario passed (" << player.stepsPassed() << " steps)\n";
        return 0;
    }

    if (!options.replay.empty()) {
        UnitSession session(*line, options.capacity);
        // The PC's replies come at once unless it waits for its user; a loaded machine gets room.
        session.replyTimeout = std::chrono::seconds(10);
        TraceReplay replay(session, &std::cerr);
        replay.verbose = options.verbose;
        if (!replay.play(trace)) {
            std::cerr << "corvane-unit: " << options.replay << ": " << replay.difference() << "\n";
            return 1;
        }
        std::cerr << "corvane-unit: " << options.replay << ": " << replay.framesPlayed()
                  << " frames replayed, no difference";
        if (replay.notes() > 0)
            std::cerr << " (" << replay.notes() << (replay.notes() == 1 ? " note" : " notes")
                      << " where the user's answers of the time differ"
                      << (options.verbose ? ")" : "; --verbose lists them)");
        std::cerr << "\n";
        return 0;
    }

    UnitSession session(*line, options.capacity);
    DemoWorkshop demo(session);
    if (options.log) demo.setNarration(&std::cerr);
    const bool started = demo.run();
    for (const std::string& f : session.faults) std::cerr << "corvane-unit: " << f << "\n";
    std::cerr << "corvane-unit: " << session.repliesChecked << " replies checked, "
              << session.faults.size() + session.faultsDropped << " faults"
              << (line->stopRequested() ? ", stopped"
                  : started             ? ", line closed"
                                        : "")
              << "\n";
    if (line->stopRequested()) return 0;
    return started ? 0 : 1;
}
