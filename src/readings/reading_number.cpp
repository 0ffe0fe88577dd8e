#include "readings/reading_number.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace corvane {

std::optional<double> readingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 64) return std::nullopt;
    std::string s(text);
    if (s.front() == '+') s.erase(0, 1);
    // Units of some regions write a decimal comma; a comma is taken as the point when there
    // is no point, never as a thousands separator.
    if (s.find('.') == std::string::npos) {
        const auto comma = s.find(',');
        if (comma != std::string::npos && s.find(',', comma + 1) == std::string::npos) s[comma] = '.';
    }
    // from_chars also reads "inf" and "nan": only digits may start the number.
    const std::size_t first = s.front() == '-' ? 1 : 0;
    if (first >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[first])) || s[first] == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace corvane
