#include "link/trace_writer.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>

namespace corvane {

namespace {
void appendHex(std::string& out, unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFFu);
    out += buf;
}

void appendHalf(std::string& out, const char* head, std::uint8_t letter, std::uint8_t sub, const std::uint8_t* data,
                std::size_t n, std::uint8_t checksum) {
    const unsigned len = static_cast<unsigned>(n + 2);
    out += head;
    appendHex(out, len);
    out += ',';
    appendHex(out, letter);
    out += ',';
    appendHex(out, sub);
    out += " - ";
    for (std::size_t i = 0; i < n; ++i) {
        appendHex(out, data[i]);
        out += ',';
    }
    out += " - ";
    appendHex(out, checksum);
    out += ',';
    // The letter is appended as a byte: through "%c" a letter 0x00 would end the formatted
    // text and cut the record.
    out += "\r\n\t" + std::to_string(len) + ',';
    out += static_cast<char>(letter);
    out += ',' + std::to_string(sub) + ',';
    out.append(reinterpret_cast<const char*>(data), n);
}
}  // namespace

std::string TraceWriter::formatRecord(const ReceivedFrame& rx, const ReplyFrame& tx) {
    std::string out;
    appendHalf(out, "RX - ", rx.command, rx.sub, rx.data.data(), rx.dataLength, rx.checksum);
    appendHalf(out, "\r\nTX - ", tx.letter, tx.sub, tx.data.data(), tx.dataLength, tx.checksum);
    out += "\r\n";
    return out;
}

bool TraceWriter::open(const std::string& path) {
    std::lock_guard lock(m_);
    if (file_) return true;
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    openError_ = file_ ? 0 : (errno ? errno : EIO);
    if (file_) path_ = path;
    return file_ != nullptr;
}

int TraceWriter::openError() const {
    std::lock_guard lock(m_);
    return openError_;
}

std::optional<TraceWriter::Failure> TraceWriter::takeFailure() {
    std::lock_guard lock(m_);
    return std::exchange(failure_, std::nullopt);
}

void TraceWriter::close() {
    std::lock_guard lock(m_);
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool TraceWriter::isOpen() const {
    std::lock_guard lock(m_);
    return file_ != nullptr;
}

void TraceWriter::writeRecord(const ReceivedFrame& received, const ReplyFrame& reply) {
    std::lock_guard lock(m_);
    if (!file_) return;
    const std::string record = formatRecord(received, reply);
    errno = 0;
    const bool written =
        std::fwrite(record.data(), 1, record.size(), file_) == record.size() && std::fflush(file_) == 0;
    if (written) return;
    failure_ = Failure{path_, errno ? errno : EIO};
    // A file that refused one record would refuse the next ones too, or take them with a gap.
    std::fclose(file_);
    file_ = nullptr;
}

}  // namespace corvane
