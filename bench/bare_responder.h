#pragma once
// The floor: the least a PC program can do to answer the unit. It opens the same kind of
// pseudo-terminal slave as the link, reads each frame with plain reads (waiting in poll()) and writes a
// reply of the size the link would send, with no checking, dispatch or threads in between.
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace corvane::bench {

class BareResponder {
public:
    // The reply bytes for a frame (letter, SUB, DATA length); prepared ahead where possible.
    using ReplyFor = std::function<const std::vector<std::uint8_t>&(std::uint8_t letter, std::size_t dataLength)>;

    // The letter that ends the responder (it is not answered).
    static constexpr std::uint8_t kQuitLetter = 'Q';

    BareResponder() = default;
    ~BareResponder() { join(); }
    BareResponder(const BareResponder&) = delete;
    BareResponder& operator=(const BareResponder&) = delete;

    bool start(const std::string& slavePath, ReplyFor replyFor);
    // Waits for the responder's end (after the unit side sent a frame with kQuitLetter).
    void join();

private:
    void run();

    int fd_ = -1;
    ReplyFor replyFor_;
    std::thread thread_;
};

}  // namespace corvane::bench
