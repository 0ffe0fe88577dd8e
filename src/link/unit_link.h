#pragma once
// UnitLink: the device link engine. It owns the serial port, the receive worker, LinkLock,
// the received and reply frames, PendingAnswer and every content record the unit fills.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "content/box_record.h"
#include "content/list_record.h"
#include "content/menu_record.h"
#include "content/progress_record.h"
#include "content/report_buffer.h"
#include "content/text_record.h"
#include "content/transfer_record.h"
#include "content/value_table.h"
#include "link/frame.h"
#include "link/frame_codec.h"
#include "link/link_listener.h"
#include "link/pending_answer.h"
#include "link/serial_port.h"
#include "link/stop_event.h"
#include "link/trace_writer.h"

namespace corvane {

class UnitLink {
public:
    static constexpr std::uint32_t kDefaultReplyLimit = 64;
    static constexpr std::uint32_t kMissesBeforeDead = 100;  // the 101st miss clears the alive flag

    // `byteTimeout` is the per-byte read time-out of ports this link opens (500 ms on the
    // unit's line; tests shorten it).
    explicit UnitLink(std::chrono::milliseconds byteTimeout = std::chrono::milliseconds(500));
    ~UnitLink();
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    // Opening. Call only while the port is closed. On failure lastOpenError() holds the errno.
    bool openByName(const std::string& devicePath);
    int lastOpenError() const { return lastOpenError_; }
    // Uses an already open byte stream (tests and fuzzing).
    void attachPort(std::unique_ptr<SerialPort> port);

    void setMainWindow(LinkListener* window) { window_.store(window); }
    void startWorker();
    // Ends the worker and waits for it. Returns at once from a read in progress and from a
    // sent notification that is still waiting for its handler.
    void stopWorker();
    // Stops the worker, then closes the port.
    bool close();

    bool isOpen() const { return portOpen_.load(); }
    bool isAlive() const { return alive_.load() != 0; }
    // True once the open port reported its device gone (hung up, unplugged): the alive flag is
    // down and stays down until the link is closed and opened again.
    bool lineGone() const { return lineGone_.load(); }
    // True while the worker waits for the handler of a sent notification.
    bool waitingForWindow() const;
    std::uint32_t missCount() const { return misses_.load(); }

    // One read-dispatch-reply cycle; false only when no port is open. Takes LinkLock.
    bool pollStep();

    // The only way the user-interface thread changes PendingAnswer. Never blocks on LinkLock:
    // the update is queued and applied at once when the lock is free, otherwise by the worker
    // before it builds its next reply (and after a sent notification returns). Updates are
    // applied whole and in the order they were made.
    void updateAnswer(AnswerUpdate update);
    // The same for an answer the user made for the connection of `epoch` (answerEpoch() when
    // the question was asked): dropped when that connection has ended since.
    void updateAnswer(AnswerUpdate update, std::uint64_t epoch);
    // Counts the connections whose pending answers were dropped.
    std::uint64_t answerEpoch() const { return answerEpoch_.load(); }
    // The unit went away: the choice and the box answer it had not yet taken are not carried
    // to the next unit. Every answer made before this call, or later for an earlier epoch, is
    // dropped; menuLoaded stays.
    void dropPendingAnswers();

    // The verbose trace.
    bool openTrace(const std::string& path) { return trace_.open(path); }
    void closeTrace() { trace_.close(); }
    bool traceOpen() const { return trace_.isOpen(); }
    // Why the last openTrace() failed (an errno).
    int traceOpenError() const { return trace_.openError(); }
    // A trace that closed itself because its file could not be written, once.
    std::optional<TraceWriter::Failure> takeTraceFailure() { return trace_.takeFailure(); }

    // Content records. The worker fills them; the main window reads them in the handlers of
    // the notifications. Any access from another thread than the worker's takes lockRecords()
    // first: the worker holds that lock only while it changes a record (never across a read
    // of the line or a sent notification), so the wait is short, and a posted handler can
    // never see a record half refilled.
    [[nodiscard]] std::unique_lock<std::mutex> lockRecords() { return std::unique_lock(recordsMutex_); }
    BoxRecord& boxRecord() { return box_; }
    ListRecord& listRecord() { return list_; }
    TextRecord& textRecord() { return text_; }
    MenuRecord& menuRecord() { return menu_; }
    ValueTable& valueTable() { return values_; }
    TransferRecord& transferRecord() { return transfer_; }
    ProgressRecord& progressRecord() { return progress_; }
    ReportBuffer& reportBuffer() { return report_; }

    std::uint32_t replySizeLimit() const { return replyLimit_.load(); }
    bool conversationOpen() const { return conversationOpen_.load(); }

private:
    enum class Delivery { Done, Cancelled };

    bool pollStepLocked();
    void applyQueuedAnswers();  // LinkLock held
    void dispatch();            // LinkLock held; fills reply_
    void setReply(std::uint8_t letter, const std::uint8_t* data, std::size_t n);
    void replyK() { setReply('K', nullptr, 0); }
    void replyStatus();
    bool writeReply();
    void post(LinkNotification notification);
    Delivery send(LinkNotification notification);
    bool stopRequested();
    void workerLoop();

    std::chrono::milliseconds byteTimeout_;
    std::atomic<LinkListener*> window_{nullptr};

    BoxRecord box_;
    ListRecord list_;
    TextRecord text_;
    MenuRecord menu_;
    ValueTable values_;
    TransferRecord transfer_;
    ProgressRecord progress_;
    ReportBuffer report_;

    PendingAnswer answer_;
    struct QueuedAnswer {
        AnswerUpdate update;
        std::uint64_t epoch;
    };
    std::mutex queueMutex_;
    std::vector<QueuedAnswer> queue_;
    std::atomic<std::uint64_t> answerEpoch_{0};

    std::thread worker_;
    StopEvent stopEvent_;
    std::mutex linkLock_;      // LinkLock
    std::mutex recordsMutex_;  // guards the content records between the worker and readers

    FrameReader reader_;  // holds the bytes read after the frame in hand
    ReceivedFrame received_;
    ReplyFrame reply_;
    TraceWriter trace_;

    std::atomic<std::uint32_t> alive_{0};
    std::atomic<std::uint32_t> misses_{0};
    std::atomic<bool> lineGone_{false};
    std::uint8_t previousLetter_ = 0;
    bool previousCompleted_ = false;  // the previous frame completed a gathered content
    std::atomic<bool> conversationOpen_{false};
    bool handshakeAnswered_ = false;
    bool stepCancelled_ = false;  // a sent notification of this step was cancelled by stop
    std::atomic<std::uint32_t> replyLimit_{kDefaultReplyLimit};

    std::unique_ptr<SerialPort> port_;
    std::atomic<bool> portOpen_{false};
    int lastOpenError_ = 0;

    // Stop handling for sent notifications.
    mutable std::mutex sentMutex_;
    bool stopping_ = false;
    std::shared_ptr<SentMessageReply> pendingSent_;
};

}  // namespace corvane
