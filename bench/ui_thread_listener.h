#pragma once
// Stands in for the main window in the link benchmarks: notifications are handled on a thread
// of their own, as the user-interface thread handles them, so a sent notification costs the
// worker the same hand-over and wake-up it costs in the program.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "link/link_listener.h"

namespace corvane::bench {

class UiThreadListener : public LinkListener {
public:
    UiThreadListener() : thread_([this] { run(); }) {}
    ~UiThreadListener() override {
        {
            std::lock_guard lock(m_);
            ending_ = true;
        }
        cv_.notify_one();
        thread_.join();
    }

    void postNotification(LinkNotification) override { enqueue(nullptr); }
    void sendNotification(LinkNotification, std::shared_ptr<SentMessageReply> reply) override {
        enqueue(std::move(reply));
    }

private:
    void enqueue(std::shared_ptr<SentMessageReply> reply) {
        {
            std::lock_guard lock(m_);
            queue_.push_back(std::move(reply));
        }
        cv_.notify_one();
    }
    void run() {
        std::unique_lock lock(m_);
        for (;;) {
            cv_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            if (queue_.empty()) return;
            auto reply = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            if (reply) reply->complete();
            lock.lock();
        }
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::deque<std::shared_ptr<SentMessageReply>> queue_;  // null for a posted notification
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace corvane::bench
