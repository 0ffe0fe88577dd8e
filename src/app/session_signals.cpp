#include "app/session_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>

namespace corvane {

namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler only writes the signal's number to a pipe: the user-interface thread reads it.
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_caught = 0;

extern "C" void onEndingSignal(int number) {
    const int saved = errno;
    if (g_caught) {
        // Asked again while the first request is handled: the signal's own way, at once.
        ::signal(number, SIG_DFL);
        ::raise(number);
    }
    g_caught = 1;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

struct Receiver {
    QPointer<QObject> context;
    std::function<void()> end;
    QPointer<QSocketNotifier> notifier;
};

Receiver& receiver() {
    static Receiver r;
    return r;
}

}  // namespace

void SessionSignals::install() {
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGXFSZ, SIG_IGN);
}

void SessionSignals::onEnd(QObject* context, std::function<void()> end) {
    Receiver& r = receiver();
    r.context = context;
    r.end = std::move(end);
    if (r.notifier || !QCoreApplication::instance()) return;
    // Until now the signals end the program their own way: there was nothing to close.
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes of the other threads go on where they can.
    action.sa_flags = SA_RESTART;
    for (int number : kEndingSignals) ::sigaction(number, &action, nullptr);
    // Lives as long as the application object, which owns it.
    r.notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(r.notifier, &QSocketNotifier::activated, r.notifier, [] {
        unsigned char bytes[16];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        Receiver& now = receiver();
        if (now.context && now.end) now.end();
    });
}

}  // namespace corvane
