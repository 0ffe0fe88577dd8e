// UnitLink: port, receive worker, poll step and the answer path.
#include "link/unit_link.h"

#include <cerrno>

#include "link/frame_codec.h"
#include "link/posix_serial_port.h"

namespace corvane {

UnitLink::UnitLink(std::chrono::milliseconds byteTimeout) : byteTimeout_(byteTimeout) {}

UnitLink::~UnitLink() { close(); }

bool UnitLink::openByName(const std::string& devicePath) {
    if (isOpen()) {
        lastOpenError_ = EALREADY;
        return false;
    }
    auto port = std::make_unique<PosixSerialPort>(byteTimeout_);
    if (!port->open(devicePath)) {
        lastOpenError_ = port->lastError();
        return false;
    }
    lastOpenError_ = 0;
    attachPort(std::move(port));
    return true;
}

void UnitLink::attachPort(std::unique_ptr<SerialPort> port) {
    std::lock_guard lock(linkLock_);
    port_ = std::move(port);
    reader_.clear();  // bytes of an earlier port are not part of this conversation
    portOpen_.store(port_ && port_->isOpen());
    lineGone_.store(false);
}

void UnitLink::startWorker() {
    if (worker_.joinable()) return;  // one worker at most
    stopEvent_.reset();
    worker_ = std::thread([this] { workerLoop(); });
}

// Goes straight from one poll step to the next. A pause here would only delay the unit's next
// frame: the user-interface thread never waits for LinkLock (its answers are queued and applied
// inside the step), a silent line blocks in the read, and stop interrupts that read.
void UnitLink::workerLoop() {
    for (;;) {
        if (stopEvent_.tryWait()) return;
        std::unique_lock lock(linkLock_);
        const bool open = pollStepLocked();
        lock.unlock();
        if (!open) return;
    }
}

void UnitLink::stopWorker() {
    if (worker_.joinable()) {
        {
            std::lock_guard lock(sentMutex_);
            stopping_ = true;
            if (pendingSent_) pendingSent_->cancel();
        }
        LinkListener* window = window_.load();
        if (window) window->setStopping(true);  // a post waiting for room returns
        stopEvent_.set();
        if (port_) port_->interrupt();
        worker_.join();
        {
            std::lock_guard lock(sentMutex_);
            stopping_ = false;
        }
        if (window) window->setStopping(false);
        if (port_) port_->clearInterrupt();
    }
    alive_.store(0);
}

bool UnitLink::close() {
    stopWorker();
    std::lock_guard lock(linkLock_);
    bool ok = true;
    if (port_) ok = port_->close();
    port_.reset();
    reader_.clear();
    portOpen_.store(false);
    lineGone_.store(false);
    return ok;
}

void UnitLink::updateAnswer(AnswerUpdate update) { updateAnswer(std::move(update), answerEpoch_.load()); }

void UnitLink::updateAnswer(AnswerUpdate update, std::uint64_t epoch) {
    {
        std::lock_guard lock(queueMutex_);
        if (epoch != answerEpoch_.load()) return;  // made for a unit that has gone
        queue_.push_back({std::move(update), epoch});
    }
    // The worker holds LinkLock through blocking reads and sent notifications; never wait for it.
    if (linkLock_.try_lock()) {
        applyQueuedAnswers();
        linkLock_.unlock();
    }
}

void UnitLink::dropPendingAnswers() {
    {
        std::lock_guard lock(queueMutex_);
        const std::uint64_t epoch = answerEpoch_.fetch_add(1) + 1;
        queue_.clear();
        queue_.push_back({[](PendingAnswer& a) {
                              a.choiceHigh = a.choiceMid = a.choiceLow = PendingAnswer::kUnset;
                              a.boxResult = a.listChoice = PendingAnswer::kUnset;
                              a.answerText.clear();
                          },
                          epoch});
    }
    if (linkLock_.try_lock()) {
        applyQueuedAnswers();
        linkLock_.unlock();
    }
}

void UnitLink::applyQueuedAnswers() {
    std::vector<QueuedAnswer> updates;
    std::uint64_t epoch;
    {
        std::lock_guard lock(queueMutex_);
        updates.swap(queue_);
        epoch = answerEpoch_.load();
    }
    for (auto& u : updates)
        if (u.epoch == epoch) u.update(answer_);
}

bool UnitLink::pollStep() {
    std::lock_guard lock(linkLock_);
    return pollStepLocked();
}

bool UnitLink::pollStepLocked() {
    if (!port_ || !port_->isOpen()) return false;
    applyQueuedAnswers();
    const FrameReadResult r = reader_.read(*port_, received_);
    if (r == FrameReadResult::Interrupted) return true;  // the link is being stopped
    if (r == FrameReadResult::Gone) {
        // A device that is gone will not speak again on this handle: say so at once instead of
        // waiting out 101 misses. The port paces further reads, so the worker does not spin.
        misses_.fetch_add(1);
        alive_.store(0);
        lineGone_.store(true);
        return true;
    }
    if (r == FrameReadResult::Miss) {
        if (misses_.fetch_add(1) + 1 > kMissesBeforeDead) alive_.store(0);
        return true;
    }
    alive_.store(1);
    misses_.store(0);
    // Choices made while the worker waited in the read belong in this frame's reply.
    applyQueuedAnswers();

    if (!conversationOpen_.load()) {
        if (received_.command == 'H') {
            if (!handshakeAnswered_) {
                // An 'H' without DATA keeps the default limit.
                if (received_.dataLength > 0) {
                    replyLimit_.store(received_.data[0]);
                    values_.setReplyLimit(received_.data[0]);
                }
                handshakeAnswered_ = true;
                std::uint8_t out[kFrameBufferSize];
                const std::size_t n = encodeFrame('H', 1, nullptr, 0, out);
                port_->write(out, n);  // a failed write is not retried; the unit asks again
            }
            return true;  // handshake frames are not traced
        }
        conversationOpen_.store(true);
    }

    // A step cut short by stop never reached the unit: what an unknown letter repeats and what
    // tells the first frame of a gathered transfer must stay as the unit last saw them.
    const ReplyFrame replySent = reply_;
    const std::uint8_t letterBefore = previousLetter_;
    const bool completedBefore = previousCompleted_;
    stepCancelled_ = false;
    dispatch();
    if (!stepCancelled_ && !writeReply() && stopRequested()) stepCancelled_ = true;
    if (stepCancelled_) {
        reply_ = replySent;
        previousLetter_ = letterBefore;
        previousCompleted_ = completedBefore;
        return true;  // nothing more is sent and nothing is traced
    }
    trace_.writeRecord(received_, reply_);
    return true;
}

void UnitLink::setReply(std::uint8_t letter, const std::uint8_t* data, std::size_t n) {
    reply_.letter = letter;
    reply_.sub = 1;
    reply_.dataLength = static_cast<std::uint8_t>(n);
    for (std::size_t i = 0; i < n; ++i) reply_.data[i] = data[i];
}

bool UnitLink::writeReply() {
    std::uint8_t out[kFrameBufferSize];
    const std::size_t n = encodeFrame(reply_.letter, reply_.sub, reply_.data.data(), reply_.dataLength, out);
    if (n == 0) return false;  // never sends an oversize reply
    reply_.checksum = out[n - 1];
    return port_->write(out, n);
}

bool UnitLink::stopRequested() {
    std::lock_guard lock(sentMutex_);
    return stopping_;
}

bool UnitLink::waitingForWindow() const {
    std::lock_guard lock(sentMutex_);
    return pendingSent_ != nullptr;
}

void UnitLink::post(LinkNotification notification) {
    if (LinkListener* window = window_.load()) window->postNotification(std::move(notification));
}

UnitLink::Delivery UnitLink::send(LinkNotification notification) {
    LinkListener* window = window_.load();
    if (!window) return Delivery::Done;
    auto reply = std::make_shared<SentMessageReply>();
    {
        std::lock_guard lock(sentMutex_);
        if (stopping_) {
            stepCancelled_ = true;
            return Delivery::Cancelled;
        }
        pendingSent_ = reply;
    }
    window->sendNotification(std::move(notification), reply);
    const bool handled = reply->wait();
    {
        std::lock_guard lock(sentMutex_);
        pendingSent_.reset();
    }
    if (!handled) {
        stepCancelled_ = true;
        return Delivery::Cancelled;
    }
    // Choices the handler (or the user meanwhile) made are applied before the reply is built.
    applyQueuedAnswers();
    return Delivery::Done;
}

}  // namespace corvane
