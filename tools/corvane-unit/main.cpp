// corvane-unit: the simulated unit, on a pseudo-terminal or a serial device.
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <iostream>

#include "demo_workshop.h"
#include "scenario_player.h"
#include "trace_replay.h"
#include "unit_line.h"
#include "unit_options.h"
#include "unit_session.h"

namespace {
volatile sig_atomic_t g_stopFd = -1;

void onSignal(int) {
    const int fd = g_stopFd;
    if (fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t r = ::write(fd, &one, sizeof one);
    }
}

void installSignals(int stopFd) {
    g_stopFd = stopFd;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}
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
    installSignals(line->stopFd());
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
