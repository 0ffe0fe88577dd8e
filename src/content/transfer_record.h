#pragma once
// TransferRecord: one file travelling between the unit and the PC, in either direction.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class TransferRecord {
public:
    static constexpr std::size_t kCapacity = 393216;  // 0x60000
    static constexpr std::size_t kMaxNameLength = 250;

    TransferRecord();

    // DATA of 'N': name, '|', size in decimal, '^'. Also rewinds.
    void parseHeader(const std::uint8_t* data, std::size_t n);
    void emptyStore() { held_ = 0; }
    // Bytes beyond the capacity are dropped.
    void append(const std::uint8_t* data, std::size_t n);
    // Header for the 'N' reply to 'G': the name, '|', the size, '^' when the name is shorter
    // than limit - 5 and the whole header fits in `maxBytes`; '^' alone otherwise. Rewinds.
    std::size_t buildHeader(std::uint8_t* out, std::size_t maxBytes, std::uint32_t limit);
    // Copies the next chunk of at most `capacity` bytes into `out`; returns its length.
    std::size_t takeChunk(std::uint8_t* out, std::size_t capacity);
    void rewind() { readPos_ = 0; }

    // Loads a file chosen on the PC for sending to the unit; false when it is too long.
    bool load(const std::uint8_t* bytes, std::size_t length, const std::string& name);

    const std::uint8_t* store() const { return store_.data(); }
    std::size_t held() const { return held_; }
    std::size_t readPosition() const { return readPos_; }
    std::int32_t announcedSize() const { return announcedSize_; }
    const std::string& fileName() const { return fileName_; }
    const std::string& extension() const { return extension_; }

private:
    void setName(const std::string& name);

    std::vector<std::uint8_t> store_;
    std::size_t held_ = 0;
    std::size_t readPos_ = 0;
    std::int32_t announcedSize_ = 0;
    std::string fileName_;
    std::string extension_;
};

}  // namespace corvane
