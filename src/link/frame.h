#pragma once
// The link frame: 00 0A LEN CMD SUB DATA... CKSUM, where LEN = data length + 2 and
// CKSUM = (LEN + CMD + SUB + every DATA byte) mod 256.
#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane {

inline constexpr std::uint8_t kSync1 = 0x00;
inline constexpr std::uint8_t kSync2 = 0x0A;
inline constexpr std::size_t kFrameBufferSize = 252;
inline constexpr std::size_t kMinLen = 2;
inline constexpr std::size_t kMaxLen = 251;           // LEN + 1 bytes must fit the 252-byte buffer
inline constexpr std::size_t kMaxReceivedData = 249;  // kMaxLen - 2
inline constexpr std::size_t kMaxReplyData = 246;     // the writer builds n + 6 bytes in 252
inline constexpr std::size_t kFrameDataArea = 250;

struct ReceivedFrame {
    std::uint8_t command = 0;
    std::uint8_t sub = 0;
    std::uint8_t dataLength = 0;
    std::array<std::uint8_t, kFrameDataArea> data{};
    std::uint8_t checksum = 0;
};

struct ReplyFrame {
    std::uint8_t letter = 0;  // 0 until a reply has been prepared
    std::uint8_t sub = 0;
    std::uint8_t dataLength = 0;
    std::array<std::uint8_t, kFrameDataArea> data{};
    std::uint8_t checksum = 0;
};

inline std::uint8_t frameChecksum(std::uint8_t letter, std::uint8_t sub, const std::uint8_t* data, std::size_t n) {
    unsigned sum = static_cast<unsigned>(n + 2) + letter + sub;
    for (std::size_t i = 0; i < n; ++i) sum += data[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

}  // namespace corvane
