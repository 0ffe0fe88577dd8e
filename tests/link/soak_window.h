#pragma once
// The soak's stand-in for the main window: its own thread with a message queue, as the user
// interface has. It handles the link's notifications, makes the user's choices through the
// answer path, switches the trace on and off, and now and then closes and reopens the link
// instead of handling a sent notification, so that the close meets a worker that waits.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "link/unit_link.h"

namespace corvane::test {

// A choice number as three choice bytes of seven bits each: never 255, so never "no choice".
// The window first makes a draft of each choice (the number with kDraft added) and then the
// choice itself, as a user who changes his mind: a draft may be seen on its way, but never once
// its choice has been seen, and never as the last word.
inline constexpr std::uint32_t kDraft = 1u << 20;
inline void encodeChoice(std::uint32_t v, PendingAnswer& a) {
    a.choiceHigh = static_cast<std::uint8_t>((v >> 14) & 0x7F);
    a.choiceMid = static_cast<std::uint8_t>((v >> 7) & 0x7F);
    a.choiceLow = static_cast<std::uint8_t>(v & 0x7F);
}
inline std::uint32_t decodeChoice(std::uint8_t high, std::uint8_t mid, std::uint8_t low) {
    return (std::uint32_t{high} << 14) | (std::uint32_t{mid} << 7) | low;
}

class SoakWindow : public LinkListener {
public:
    struct Counts {
        std::atomic<std::uint64_t> posted{0}, sentHandled{0}, closes{0}, closesWithSentPending{0}, traceSwitches{0},
            choicesMade{0}, answerUpdates{0};
    };

    // `closeOneIn`: one sent notification in this many is met by a close instead of its handler.
    SoakWindow(UnitLink& link, std::string devicePath, std::string tracePath, unsigned closeOneIn)
        : link_(link), path_(std::move(devicePath)), tracePath_(std::move(tracePath)), closeOneIn_(closeOneIn) {}
    ~SoakWindow() override { stop(); }

    // Opens the link, makes the first choice and starts the window's thread.
    bool start() {
        if (!link_.openByName(path_)) return false;
        link_.setMainWindow(this);
        link_.startWorker();
        open_.store(true);
        makeChoice(1);
        thread_ = std::thread([this] { run(); });
        return true;
    }
    void stop() {
        {
            std::lock_guard lock(m_);
            stopping_ = true;
            cv_.notify_all();
        }
        if (thread_.joinable()) thread_.join();
    }

    // Incremented each time the link has been closed; the unit uses it to tell a reply lost to
    // a close from a reply that is late.
    std::uint64_t generation() const { return generation_.load(); }
    bool linkOpen() const { return open_.load(); }
    std::uint32_t currentChoice() const { return current_.load(); }
    const Counts& counts() const { return counts_; }
    std::vector<std::string> faults() const {
        std::lock_guard lock(m_);
        return faults_;
    }

    void postNotification(LinkNotification m) override { push({std::move(m), nullptr}); }
    void sendNotification(LinkNotification m, std::shared_ptr<SentMessageReply> reply) override {
        push({std::move(m), std::move(reply)});
    }

private:
    struct Item {
        LinkNotification message;
        std::shared_ptr<SentMessageReply> reply;  // null for a posted message
    };

    void push(Item item) {
        std::lock_guard lock(m_);
        queue_.push_back(std::move(item));
        cv_.notify_all();
    }
    void fault(const std::string& what) {
        std::lock_guard lock(m_);
        if (faults_.size() < 50) faults_.push_back(what);
    }

    void run() {
        for (;;) {
            Item item;
            {
                std::unique_lock lock(m_);
                cv_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
                if (stopping_) return;
                item = std::move(queue_.front());
                queue_.pop_front();
            }
            if (++handled_ % 29 == 0) switchTrace();
            if (item.reply)
                onSent(item);
            else
                onPosted(item.message);
        }
    }

    void onSent(const Item& item) {
        // A notification of a link closed since it was sent was cancelled; it is not handled.
        if (item.reply->isCancelled()) return;
        if (rng_() % closeOneIn_ == 0) {
            closeAndReopen(true);
            return;
        }
        const LinkNotification& m = item.message;
        {
            auto records = link_.lockRecords();
            if (const auto* request = std::get_if<LinkValueRequest>(&m)) {
                // The answer names the request, so the unit can tell it from an older one.
                ValueTable& table = link_.valueTable();
                table.addReplyValue("r" + std::to_string(request->first));
                table.closeReply();
            } else if (std::holds_alternative<LinkReport>(m)) {
                ReportBuffer& report = link_.reportBuffer();
                report.rewind();
                std::string layout;
                while (const std::uint8_t b = report.nextByte()) layout.push_back(static_cast<char>(b));
                if (layout.rfind("rep", 0) != 0) fault("report layout '" + layout + "'");
            } else if (const auto* in = std::get_if<LinkTransferIn>(&m)) {
                if (static_cast<std::int64_t>(link_.transferRecord().held()) != in->held)
                    fault("the transfer record changed while its notification was pending");
            }
        }
        item.reply->complete();
        ++counts_.sentHandled;
    }

    void onPosted(const LinkNotification& m) {
        ++counts_.posted;
        std::uint32_t acked = 0;
        if (const auto* text = std::get_if<LinkText>(&m)) {
            if (text->text.rfind("ack:", 0) == 0)
                for (std::size_t i = 4; i < text->text.size() && i < 12 && text->text[i] >= '0' && text->text[i] <= '9';
                     ++i)
                    acked = acked * 10 + static_cast<std::uint32_t>(text->text[i] - '0');
        } else if (const auto* box = std::get_if<LinkBox>(&m)) {
            readSink_ += box->text.size();
        } else if (const auto* list = std::get_if<LinkList>(&m)) {
            readSink_ += list->items.size();
        } else if (const auto* menu = std::get_if<LinkMenu>(&m)) {
            readSink_ += menu->menu.pages.size();
        } else if (const auto* progress = std::get_if<LinkProgress>(&m)) {
            readSink_ += static_cast<std::size_t>(progress->position);
        } else if (const auto* values = std::get_if<LinkValues>(&m)) {
            readSink_ += values->frames.size();
        }
        // The unit has seen the current choice: the user makes the next one. A repeated or
        // older acknowledgement changes nothing.
        const std::uint32_t current = current_.load();
        if (acked > current) fault("the unit acknowledged choice " + std::to_string(acked) + " before it was made");
        if (acked == current) makeChoice(current + 1);
    }

    // Three updates per choice, in this order: the draft, the choice, its text. The unit checks
    // that none of them overtakes another.
    void makeChoice(std::uint32_t v) {
        current_.store(v);
        link_.updateAnswer([v](PendingAnswer& a) { encodeChoice(v | kDraft, a); });
        link_.updateAnswer([v](PendingAnswer& a) { encodeChoice(v, a); });
        link_.updateAnswer([v](PendingAnswer& a) { a.answerText = "c" + std::to_string(v); });
        counts_.answerUpdates += 3;
        ++counts_.choicesMade;
    }

    void closeAndReopen(bool sentPending) {
        open_.store(false);
        link_.close();
        ++counts_.closes;
        if (sentPending) ++counts_.closesWithSentPending;
        generation_.fetch_add(1);
        if (!link_.openByName(path_)) {
            fault("the link did not reopen: errno " + std::to_string(link_.lastOpenError()));
            return;
        }
        link_.startWorker();
        open_.store(true);
    }

    void switchTrace() {
        if (link_.traceOpen())
            link_.closeTrace();
        else if (!link_.openTrace(tracePath_))
            fault("the trace did not open");
        ++counts_.traceSwitches;
    }

    UnitLink& link_;
    const std::string path_;
    const std::string tracePath_;
    const unsigned closeOneIn_;
    std::thread thread_;
    mutable std::mutex m_;
    std::condition_variable cv_;
    std::deque<Item> queue_;
    bool stopping_ = false;
    std::vector<std::string> faults_;
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<bool> open_{false};
    std::atomic<std::uint32_t> current_{0};
    Counts counts_;
    std::minstd_rand rng_{20261208};
    std::uint64_t handled_ = 0;
    std::size_t readSink_ = 0;  // keeps the reads of the records from being optimised away
};

}  // namespace corvane::test
