#pragma once
// Breaking a line of the unit's text into rows of a fixed width, for boxes that grow to show a
// whole message instead of clipping it mid-letter.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

// Width in pixels of a text of raw Windows-1252 bytes as it will be drawn.
using TextWidth = std::function<int(const std::string&)>;

// The line broken into rows no wider than `width`: at a space where there is one (the space
// itself is dropped), inside a word only when the word alone is wider than a row. A line feed
// starts a new row. An empty line gives one empty row. At most `maxRows` + 1 rows are made, so
// that a huge text costs no more than what can be shown and the caller still sees the overflow.
std::vector<std::string> wrapRows(const std::string& line, int width, const TextWidth& widthOf, std::size_t maxRows);

// Keeps at most `maxRows` rows; when some are left out, the last kept row ends with an ellipsis
// and is shortened until the ellipsis fits.
void limitRows(std::vector<std::string>& rows, std::size_t maxRows, int width, const TextWidth& widthOf);

}  // namespace corvane
