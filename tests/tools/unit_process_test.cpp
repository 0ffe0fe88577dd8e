// The corvane-unit program itself: its first line, its exit status, and how it ends.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string.h>

#include "link/frame_codec.h"
#include "scripted_ui.h"

extern char** environ;

namespace corvane::unitsim {
namespace {

using namespace std::chrono_literals;

class UnitProcess {
public:
    explicit UnitProcess(std::vector<std::string> args) {
        char tmpl[] = "/tmp/corvane-unit-err-XXXXXX";
        const int errFd = ::mkostemp(tmpl, O_CLOEXEC);
        errPath_ = tmpl;
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return;  // dup2 hands the child its own copies
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        posix_spawn_file_actions_adddup2(&fa, errFd, 2);
        posix_spawn_file_actions_addclose(&fa, out[0]);
        args.insert(args.begin(), CORVANE_UNIT_PATH);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, CORVANE_UNIT_PATH, &fa, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&fa);
        ::close(out[1]);
        ::close(errFd);
        outFd_ = out[0];
    }
    ~UnitProcess() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (outFd_ >= 0) ::close(outFd_);
        ::unlink(errPath_.c_str());
    }
    // The first line of standard output, or "" when none came within the time.
    std::string firstLine(std::chrono::milliseconds timeout = 5s) {
        std::string line;
        const auto until = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < until) {
            pollfd p{outFd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            char c;
            if (::read(outFd_, &c, 1) != 1) break;
            if (c == '\n') return line;
            line += c;
        }
        return {};
    }
    // Exit status, or -1 when the process is still running after `timeout`.
    int waitExit(std::chrono::milliseconds timeout = 30s) {
        const auto until = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(20000);
        }
        whereAtTimeOut_ = describeWhereItIs();
        return -1;
    }
    // Where the process was when waitExit() last gave up: each thread's wait channel and
    // system call, the kernel stack where readable, and the process status.
    const std::string& whereAtTimeOut() const { return whereAtTimeOut_; }
    // Waits until standard error holds `text`.
    bool waitForError(const std::string& text, std::chrono::milliseconds timeout = 30s) {
        const auto until = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < until) {
            if (errors().find(text) != std::string::npos) return true;
            ::usleep(20000);
        }
        return false;
    }
    std::string errors() const {
        std::ifstream f(errPath_);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
    pid_t pid() const { return pid_; }

private:
    std::string describeWhereItIs() const {
        namespace fs = std::filesystem;
        const fs::path proc = "/proc/" + std::to_string(pid_);
        std::string out = "\nprocess " + std::to_string(pid_) + " still running";
        std::error_code ec;
        for (const auto& task : fs::directory_iterator(proc / "task", ec)) {
            out += "\n-- thread " + task.path().filename().string() + ": wchan " + readText(task.path() / "wchan") +
                   ", syscall " + readText(task.path() / "syscall");
            const std::string stack = readText(task.path() / "stack");
            if (!stack.empty()) out += "\n" + stack;
        }
        out += "\n-- status\n" + readText(proc / "status");
        return out;
    }
    static std::string readText(const std::filesystem::path& file) {
        std::ifstream f(file);
        std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        while (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

    pid_t pid_ = -1;
    int outFd_ = -1;
    bool exited_ = false;
    std::string errPath_;
    std::string whereAtTimeOut_;
};

std::string writeScript(const std::string& text) {
    char tmpl[] = "/tmp/corvane-scn-XXXXXX";
    const int fd = ::mkstemp(tmpl);
    [[maybe_unused]] const ssize_t w = ::write(fd, text.data(), text.size());
    ::close(fd);
    return tmpl;
}

TEST(UnitProcess, BadScriptOrOptionsStopBeforeAnyLineIsOpened) {
    const std::string script = writeScript("handshake\nsend S\n");
    UnitProcess p({"--pty", "--scenario", script});
    EXPECT_EQ(p.waitExit(), 2) << p.whereAtTimeOut();
    EXPECT_NE(p.errors().find(script + ":2: missing SUB"), std::string::npos) << p.errors();
    ::unlink(script.c_str());

    UnitProcess q({"--pty", "--capacity", "300"});
    EXPECT_EQ(q.waitExit(), 2) << q.whereAtTimeOut();
    EXPECT_NE(q.errors().find("--capacity takes a number from 1 to 255"), std::string::npos);

    UnitProcess r({"--pty", "--scenario", "a.scn", "--replay", "Verbose.txt"});
    EXPECT_EQ(r.waitExit(), 2);
    EXPECT_NE(r.errors().find("give either --scenario or --replay, not both"), std::string::npos) << r.errors();
}

TEST(UnitProcess, FailedScenarioExitsNonZeroNamingTheLine) {
    const std::string script = writeScript("handshake 100 within 5000\nsend S 0\nexpect K 1\n");
    UnitProcess p({"--pty", "--scenario", script});
    const std::string path = p.firstLine();
    ASSERT_FALSE(path.empty());
    UnitLink link(100ms);
    ASSERT_TRUE(link.openByName(path));
    link.startWorker();
    EXPECT_EQ(p.waitExit(), 1) << p.whereAtTimeOut();
    EXPECT_EQ(link.replySizeLimit(), 100u);
    EXPECT_NE(p.errors().find(script + ":3: expected K sub 1, no data, got A sub 1, 7 bytes"), std::string::npos)
        << p.errors();
    link.close();
    ::unlink(script.c_str());
}

TEST(UnitProcess, DemoWaitsForThePcThenEndsWhenTheLineGoesAway) {
    UnitProcess p({"--pty", "--log"});
    const std::string path = p.firstLine();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    // A PC that opens and closes the line before answering does not end the unit.
    const int early = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(early, 0);
    ::close(early);
    EXPECT_EQ(p.waitExit(700ms), -1);

    UnitLink link(100ms);
    testing::ScriptedUi ui(link);
    ASSERT_TRUE(link.openByName(path));
    link.setMainWindow(&ui);
    link.startWorker();
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.menus == 1 && ui.currentPage == 20 && !ui.busy; }));
    link.close();
    EXPECT_EQ(p.waitExit(), 0) << p.whereAtTimeOut();
    const std::string log = p.errors();
    EXPECT_NE(log.find("unit -> PC H sub 0, 1 bytes: 80"), std::string::npos);
    EXPECT_NE(log.find("PC -> unit K sub 1, 0 bytes"), std::string::npos);
    EXPECT_NE(log.find(", 0 faults, line closed"), std::string::npos) << log;
}

TEST(UnitProcess, EndsCleanlyOnSigterm) {
    UnitProcess p({"--pty"});
    ASSERT_FALSE(p.firstLine().empty());
    ::kill(p.pid(), SIGTERM);
    // Ending takes milliseconds; the bound leaves room for a loaded machine under sanitizers.
    EXPECT_EQ(p.waitExit(30s), 0) << p.whereAtTimeOut() << "\n-- its output\n" << p.errors();
    EXPECT_NE(p.errors().find("stopped"), std::string::npos) << p.errors();
}

TEST(UnitProcess, SigtermAndSigintEndAScenarioAtEveryStep) {
    // Each step waits far longer than the test: the signal, not a time-out, has to end it. The
    // poll starts with a reply still unread and polls for a reply that never comes.
    const std::vector<std::pair<std::string, bool>> steps = {
        {"note \"step\"\nhandshake\n", false},
        {"handshake within 5000\nnote \"step\"\nsleep 600000\n", true},
        {"handshake within 5000\nsend S 0\nsleep 300\nnote \"step\"\npoll until K 1 within 600000\n", true},
        {"handshake within 5000\nnote \"step\"\nwait K 1 within 600000\nexpect K 1\n", true},
    };
    for (const int signal : {SIGTERM, SIGINT}) {
        for (const auto& [text, withPc] : steps) {
            SCOPED_TRACE(std::string(strsignal(signal)) + " in:\n" + text);
            const std::string script = writeScript(text);
            UnitProcess p({"--pty", "--scenario", script});
            const std::string path = p.firstLine();
            ASSERT_FALSE(path.empty());
            UnitLink link(100ms);
            if (withPc) {
                ASSERT_TRUE(link.openByName(path));
                link.startWorker();
            }
            ASSERT_TRUE(p.waitForError("step\n")) << p.errors();
            ::kill(p.pid(), signal);
            EXPECT_EQ(p.waitExit(30s), 1) << p.whereAtTimeOut() << "\n-- its output\n" << p.errors();
            EXPECT_NE(p.errors().find(": stopped"), std::string::npos) << p.errors();
            link.close();
            ::unlink(script.c_str());
        }
    }
}

}  // namespace
}  // namespace corvane::unitsim

namespace corvane::unitsim {
namespace {

TEST(UnitProcess, PortModeTalksOnAnExistingDeviceAndEndsOnItsHangUp) {
    // The test holds the master of a pty pair and plays the PC's bytes by hand.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);  // not inherited by the unit
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    UnitProcess p({"--port", slave, "--capacity", "64"});
    FrameDecoder decoder;
    std::optional<Frame> hello;
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (!hello && std::chrono::steady_clock::now() < until) {
        pollfd pf{master, POLLIN, 0};
        if (::poll(&pf, 1, 50) <= 0) continue;
        std::uint8_t b;
        if (::read(master, &b, 1) == 1) hello = decoder.push(b);
    }
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->letter, 'H');
    EXPECT_EQ(hello->data, (std::vector<std::uint8_t>{64}));
    ::close(master);                                      // the device goes away
    EXPECT_EQ(p.waitExit(30s), 1) << p.whereAtTimeOut();  // no conversation ever started
}

}  // namespace
}  // namespace corvane::unitsim
