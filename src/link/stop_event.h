#pragma once
// An auto-reset event: set() wakes one wait, which resets it.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace corvane {

class StopEvent {
public:
    void set() {
        std::lock_guard lock(m_);
        signalled_ = true;
        cv_.notify_all();
    }
    void reset() {
        std::lock_guard lock(m_);
        signalled_ = false;
    }
    // True when signalled within the time-out (the event is then reset).
    bool wait(std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_);
        if (!cv_.wait_for(lock, timeout, [this] { return signalled_; })) return false;
        signalled_ = false;
        return true;
    }
    // True when signalled (the event is then reset); never waits.
    bool tryWait() {
        std::lock_guard lock(m_);
        const bool was = signalled_;
        signalled_ = false;
        return was;
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

}  // namespace corvane
