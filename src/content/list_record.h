#pragma once
// ListRecord: list lines gathered from 'L' frames.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class ListRecord {
public:
    static constexpr std::size_t kDataCapacity = 5000;
    static constexpr std::size_t kMaxItems = 100;

    void empty();
    void append(const std::uint8_t* data, std::size_t n);
    // Header from byte 0, then lines separated by '|' and ended by '^'.
    void parse();

    // Id of the page list box that receives the lines; 0 for the list box opened by 'B'.
    std::uint32_t header() const { return header_; }
    const std::vector<std::string>& items() const { return items_; }
    std::size_t itemCount() const { return items_.size(); }
    std::size_t count() const { return count_; }

private:
    std::array<std::uint8_t, kDataCapacity> data_{};
    std::size_t count_ = 0;
    std::uint32_t header_ = 0;
    std::vector<std::string> items_;
};

}  // namespace corvane
