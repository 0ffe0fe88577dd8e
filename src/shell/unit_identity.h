#pragma once
// How the Corvane unit identifies itself on USB.
#include <cstdint>

namespace corvane {

// The USB product string of the unit's serial port, compared ignoring case.
inline constexpr const char* kUnitDescription = "CORVANE diagnostic tool";
inline constexpr std::uint16_t kUnitVendorId = 0x5e31;
inline constexpr std::uint16_t kUnitProductId = 0x0001;

// The packaged udev rule, and the stable name it gives the unit's port under /dev.
inline constexpr const char* kUnitRuleFileName = "70-corvane.rules";
inline constexpr const char* kUnitDeviceLinkName = "corvane";

}  // namespace corvane
