#pragma once
// Small helpers for the unit's single-byte wire texts.
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

inline constexpr std::uint8_t kFieldSeparator = '|';
inline constexpr std::uint8_t kTextEnd = '^';

// Reads a plain decimal integer the way the unit writes it: optional leading blanks,
// an optional sign, then digits. Anything else ends the number; no digits give 0.
// At most `maxChars` bytes of [p, p + n) are looked at. The result saturates at the
// limits of a signed 32-bit value so that a long digit run can never overflow.
std::int32_t parsePlainDecimal(const std::uint8_t* p, std::size_t n, std::size_t maxChars);

// The raw bytes as a std::string (the link keeps texts as bytes, never decoded).
inline std::string bytesToString(const std::uint8_t* p, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace corvane
