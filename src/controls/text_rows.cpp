#include "controls/text_rows.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr char kEllipsis = '\x85';  // "…" in Windows-1252

void wrapPiece(const std::string& piece, int width, const TextWidth& widthOf, std::size_t limit,
               std::vector<std::string>& rows) {
    if (piece.empty()) {
        rows.emplace_back();
        return;
    }
    std::size_t start = 0;
    while (start < piece.size() && rows.size() < limit) {
        // [start, fit) is the longest run from start that fits the row.
        std::size_t fit = start;
        while (fit < piece.size() && widthOf(piece.substr(start, fit + 1 - start)) <= width) ++fit;
        if (fit == piece.size()) {
            rows.push_back(piece.substr(start));
            return;
        }
        const std::size_t space = piece.rfind(' ', fit);
        std::size_t end = (space != std::string::npos && space > start) ? space : std::max(fit, start + 1);
        std::size_t cut = end;
        while (cut > start && piece[cut - 1] == ' ') --cut;
        rows.push_back(piece.substr(start, cut - start));
        start = end;
        while (start < piece.size() && piece[start] == ' ') ++start;
    }
}

}  // namespace

std::vector<std::string> wrapRows(const std::string& line, int width, const TextWidth& widthOf, std::size_t maxRows) {
    std::vector<std::string> rows;
    const std::size_t limit = maxRows + 1;
    std::size_t from = 0;
    for (;;) {
        const std::size_t feed = line.find('\n', from);
        wrapPiece(line.substr(from, feed == std::string::npos ? std::string::npos : feed - from), width, widthOf, limit,
                  rows);
        if (feed == std::string::npos || rows.size() >= limit) break;
        from = feed + 1;
    }
    if (rows.size() > limit) rows.resize(limit);
    return rows;
}

void limitRows(std::vector<std::string>& rows, std::size_t maxRows, int width, const TextWidth& widthOf) {
    if (rows.size() <= maxRows || maxRows == 0) return;
    rows.resize(maxRows);
    std::string& last = rows.back();
    while (!last.empty() && (last.back() == ' ' || widthOf(last + kEllipsis) > width)) last.pop_back();
    last += kEllipsis;
}

}  // namespace corvane
