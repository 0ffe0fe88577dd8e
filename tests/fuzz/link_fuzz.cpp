#include "link_fuzz.h"

#include <algorithm>
#include <memory>

#include "link/frame.h"
#include "link/memory_port.h"
#include "link/unit_link.h"

namespace corvane {

namespace {
// Answers sent notifications at once, filling the value reply as a window would.
class InstantListener : public LinkListener {
public:
    explicit InstantListener(UnitLink& link) : link_(link) {}
    void postNotification(LinkNotification) override {}
    void sendNotification(LinkNotification m, std::shared_ptr<SentMessageReply> reply) override {
        auto records = link_.lockRecords();
        if (std::holds_alternative<LinkValueRequest>(m)) {
            auto& table = link_.valueTable();
            for (int pos = 1; pos <= 200; ++pos) {
                std::string v;
                if (table.value(pos, v))
                    table.addReplyValue(v);
                else
                    table.addReplyValue(std::string(static_cast<std::size_t>(pos % 40), 'v'));
            }
            table.closeReply();
        } else if (std::holds_alternative<LinkReport>(m)) {
            auto& report = link_.reportBuffer();
            report.rewind();
            while (report.nextByte() != 0) {
            }
        }
        reply->complete();
    }

private:
    UnitLink& link_;
};
}  // namespace

bool repliesWellFormed(const std::vector<std::uint8_t>& bytes, std::size_t& frames, std::string& problem) {
    std::size_t i = 0;
    frames = 0;
    while (i < bytes.size()) {
        if (bytes.size() - i < 6) {
            problem = "truncated frame at offset " + std::to_string(i);
            return false;
        }
        if (bytes[i] != kSync1 || bytes[i + 1] != kSync2) {
            problem = "bad sync at offset " + std::to_string(i);
            return false;
        }
        const std::size_t len = bytes[i + 2];
        if (len < kMinLen || len - 2 > kMaxReplyData) {
            problem = "bad LEN " + std::to_string(len) + " at offset " + std::to_string(i);
            return false;
        }
        if (i + len + 4 > bytes.size()) {
            problem = "frame runs past the output at offset " + std::to_string(i);
            return false;
        }
        if (bytes[i + 4] != 1) {
            problem = "reply SUB is not 1 at offset " + std::to_string(i);
            return false;
        }
        const std::uint8_t sum = frameChecksum(bytes[i + 3], bytes[i + 4], bytes.data() + i + 5, len - 2);
        if (sum != bytes[i + 3 + len]) {
            problem = "bad checksum at offset " + std::to_string(i);
            return false;
        }
        i += len + 4;
        ++frames;
    }
    return true;
}

FuzzOutcome fuzzLinkBytes(const std::uint8_t* data, std::size_t size) {
    FuzzOutcome outcome;
    UnitLink link;
    InstantListener listener(link);
    link.setMainWindow(&listener);
    // The line delivers the input in pieces of one size, chosen by the input's length, so frames
    // meet read boundaries at every position across inputs.
    auto port = std::make_unique<MemoryPort>();
    const std::size_t piece = 1 + (size * 7919) % 521;
    for (std::size_t at = 0; at < size; at += piece)
        port->feed(std::vector<std::uint8_t>(data + at, data + std::min(size, at + piece)));
    MemoryPort* raw = port.get();
    link.attachPort(std::move(port));
    // The reader asks the port again only when it has used up every byte it holds, so the first
    // empty read means all input was taken. Every poll step consumes at least one byte.
    while (raw->emptyReads() == 0 && outcome.polls <= size + 1) {
        link.pollStep();
        ++outcome.polls;
    }
    outcome.wellFormed = repliesWellFormed(raw->written(), outcome.frames, outcome.problem);
    return outcome;
}

}  // namespace corvane
