#pragma once
// TextRecord: a new text for a page control, gathered from 'T' frames.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

class TextRecord {
public:
    static constexpr std::size_t kDataCapacity = 5000;

    void empty();
    void append(const std::uint8_t* data, std::size_t n);
    // Header from byte 0, text from byte 1 up to '^' (or the end of the bytes held).
    void parse();

    std::uint32_t header() const { return header_; }
    const std::string& text() const { return text_; }
    std::size_t textLength() const { return text_.size(); }
    std::size_t count() const { return count_; }

private:
    std::array<std::uint8_t, kDataCapacity> data_{};
    std::size_t count_ = 0;
    std::uint32_t header_ = 0;
    std::string text_;
};

}  // namespace corvane
