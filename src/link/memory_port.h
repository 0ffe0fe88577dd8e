#pragma once
// A port over memory: reads come from a byte string, writes are collected. A read past the
// input is a time-out, as on a silent line.
#include <cstdint>
#include <vector>

#include "link/serial_port.h"

namespace corvane {

class MemoryPort : public SerialPort {
public:
    explicit MemoryPort(std::vector<std::uint8_t> input = {}) : input_(std::move(input)) {}

    void feed(const std::vector<std::uint8_t>& bytes) { input_.insert(input_.end(), bytes.begin(), bytes.end()); }
    bool exhausted() const { return pos_ >= input_.size(); }
    const std::vector<std::uint8_t>& written() const { return output_; }
    void clearWritten() { output_.clear(); }

    bool isOpen() const override { return open_; }
    ReadResult readByte(std::uint8_t& out) override;
    bool write(const std::uint8_t* data, std::size_t n) override;
    void interrupt() override {}
    void clearInterrupt() override {}
    bool close() override {
        open_ = false;
        return true;
    }

private:
    std::vector<std::uint8_t> input_;
    std::size_t pos_ = 0;
    std::vector<std::uint8_t> output_;
    bool open_ = true;
};

}  // namespace corvane
