#pragma once
// A port over memory: reads come from byte strings, writes are collected. Each string fed is
// one delivery of the line: a read takes at most the rest of the current one, so tests can
// put several frames into one read or cut a frame across reads. A read past the input is a
// time-out, as on a silent line.
#include <cstdint>
#include <vector>

#include "link/serial_port.h"

namespace corvane {

class MemoryPort : public SerialPort {
public:
    explicit MemoryPort(std::vector<std::uint8_t> input = {});

    void feed(const std::vector<std::uint8_t>& bytes);
    bool exhausted() const { return pos_ >= input_.size(); }
    // Read requests that returned bytes, and those that met the end of the input.
    std::size_t reads() const { return reads_; }
    std::size_t emptyReads() const { return emptyReads_; }
    const std::vector<std::uint8_t>& written() const { return output_; }

    bool isOpen() const override { return open_; }
    ReadResult read(std::uint8_t* out, std::size_t capacity, std::size_t& got) override;
    bool write(const std::uint8_t* data, std::size_t n) override;
    void interrupt() override {}
    void clearInterrupt() override {}
    bool close() override {
        open_ = false;
        return true;
    }

private:
    std::vector<std::uint8_t> input_;
    std::vector<std::size_t> deliveryEnds_;  // where each fed string ends in input_, ascending
    std::size_t pos_ = 0;
    std::size_t delivery_ = 0;  // the fed string that pos_ lies in
    std::size_t reads_ = 0;
    std::size_t emptyReads_ = 0;
    std::vector<std::uint8_t> output_;
    bool open_ = true;
};

}  // namespace corvane
