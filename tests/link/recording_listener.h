#pragma once
// A stand-in for the main window: records every notification and completes sent ones, at
// once or when the test lets them go.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "link/link_listener.h"

namespace corvane::test {

class RecordingListener : public LinkListener {
public:
    struct Entry {
        LinkNotification note;
        bool sent;
        std::uint32_t message() const { return messageOf(note); }
        template <typename Kind>
        const Kind& as() const {
            return std::get<Kind>(note);
        }
    };

    // Runs on the worker thread for each sent message before it is completed.
    void setOnSent(std::function<void(const LinkNotification&)> f) {
        std::lock_guard lock(m_);
        onSent_ = std::move(f);
    }
    // When set, sent messages are held until release() is called.
    void setHoldSent(bool hold) {
        std::lock_guard lock(m_);
        holdSent_ = hold;
    }

    void postNotification(LinkNotification m) override { record(std::move(m), false); }
    void sendNotification(LinkNotification m, std::shared_ptr<SentMessageReply> reply) override {
        std::function<void(const LinkNotification&)> onSent;
        {
            std::lock_guard lock(m_);
            onSent = onSent_;
        }
        if (onSent) onSent(m);
        record(m, true);
        std::lock_guard lock(m_);
        if (holdSent_)
            held_.push_back(std::move(reply));
        else
            reply->complete();
    }

    void release() {
        std::vector<std::shared_ptr<SentMessageReply>> held;
        {
            std::lock_guard lock(m_);
            held.swap(held_);
        }
        for (auto& r : held) r->complete();
    }

    std::vector<Entry> entries() const {
        std::lock_guard lock(m_);
        return entries_;
    }
    std::size_t count(std::uint32_t message) const {
        std::lock_guard lock(m_);
        std::size_t n = 0;
        for (const auto& e : entries_) n += e.message() == message;
        return n;
    }
    // Waits until `n` messages with this number have arrived.
    bool waitFor(std::uint32_t message, std::size_t n = 1,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) {
        std::unique_lock lock(m_);
        return cv_.wait_for(lock, timeout, [&] {
            std::size_t c = 0;
            for (const auto& e : entries_) c += e.message() == message;
            return c >= n;
        });
    }
    void clear() {
        std::lock_guard lock(m_);
        entries_.clear();
    }

private:
    void record(LinkNotification m, bool sent) {
        std::lock_guard lock(m_);
        entries_.push_back({std::move(m), sent});
        cv_.notify_all();
    }

    mutable std::mutex m_;
    std::condition_variable cv_;
    std::vector<Entry> entries_;
    std::vector<std::shared_ptr<SentMessageReply>> held_;
    std::function<void(const LinkNotification&)> onSent_;
    bool holdSent_ = false;
};

}  // namespace corvane::test
