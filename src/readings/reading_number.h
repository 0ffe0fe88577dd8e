#pragma once
// Whether a value shown in a caption/value box reads as a number, and which.
#include <optional>
#include <string_view>

namespace corvane {

// A decimal number with optional sign, fraction (point or comma) and exponent, with spaces
// around it; anything else (empty, "---", "P0300", "12 V") is no number. Infinite or NaN never.
std::optional<double> readingNumber(std::string_view text);

}  // namespace corvane
