#pragma once
// Readable one-line forms of link frames for the --log output and error messages.
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

// Bytes as text: runs of printable characters in double quotes, other bytes as hex.
std::string describeBytes(const std::vector<std::uint8_t>& bytes);
// "S sub 0, 0 bytes" or "C sub 1, 12 bytes: 00 "F" ...".
std::string describeFrame(const Frame& frame);

}  // namespace corvane::unitsim
