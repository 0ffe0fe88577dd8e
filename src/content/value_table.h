#pragma once
// ValueTable: the values of the open page ('D') and the answer text for 'R'.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

class ValueTable {
public:
    static constexpr int kPositions = 200;
    static constexpr std::size_t kMaxValueLength = 230;
    static constexpr std::size_t kReplyCapacity = 238;  // bytes an 'O' reply carries at most
    static constexpr std::uint32_t kDefaultReplyLimit = 64;

    // Refills the table from one 'D' frame's DATA.
    void fill(const std::uint8_t* data, std::size_t n);
    // Value at position 1..200; false when the last 'D' gave none there.
    bool value(int position, std::string& out) const;
    bool present(int position) const;

    // ValueReplyText, filled by the main window while it answers 'R'.
    void emptyReply() { reply_.clear(); }
    // Adds a value followed by '|' when it fits; returns false (and adds nothing) otherwise.
    // The caller stops at the first value that does not fit: a value left out would move every
    // later one into the wrong field.
    bool addReplyValue(const std::string& value);
    // The last '|' becomes '^'. An empty reply stays empty.
    void closeReply();
    const std::string& replyText() const { return reply_; }

    // The longest single value a reply can carry with this announced limit; -1: not even an
    // empty one.
    static int longestValue(std::uint32_t replyLimit);

    void setReplyLimit(std::uint32_t limit) { replyLimit_ = limit; }
    std::uint32_t replyLimit() const { return replyLimit_; }

private:
    std::array<std::string, kPositions> values_;
    std::array<bool, kPositions> present_{};
    std::string reply_;
    std::uint32_t replyLimit_ = kDefaultReplyLimit;
};

}  // namespace corvane
