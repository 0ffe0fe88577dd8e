#include "trace_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "link/trace_writer.h"

namespace corvane::unitsim {

namespace {

std::string hexByte(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFFu);
    return buf;
}

// A failed read: where it failed and why. Thrown only inside this file, caught by parseTrace.
struct Refusal {
    std::size_t at;
    std::string what;
};

class TraceCursor {
public:
    explicit TraceCursor(const std::string& text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t pos() const { return pos_; }
    bool startsWith(const char* literal) const { return text_.compare(pos_, std::strlen(literal), literal) == 0; }

    [[noreturn]] void refuse(const std::string& what) const { throw Refusal{pos_, what}; }
    [[noreturn]] void refuseAt(std::size_t at, const std::string& what) const { throw Refusal{at, what}; }

    void expect(const char* literal, const char* what) {
        if (startsWith(literal)) {
            pos_ += std::strlen(literal);
            return;
        }
        if (text_.size() - pos_ < std::strlen(literal) &&
            text_.compare(pos_, std::string::npos, literal, text_.size() - pos_) == 0)
            refuse(std::string("the file ends inside a record (cut short?) before ") + what);
        refuse(std::string("expected ") + what);
    }

    // "0x" and two upper-case hexadecimal digits, as the link writes them.
    std::uint8_t hex(const char* what) {
        auto digit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
        if (text_.size() - pos_ < 4) refuse(std::string("the file ends inside a record (cut short?) at ") + what);
        if (text_[pos_] != '0' || text_[pos_ + 1] != 'x' || !digit(text_[pos_ + 2]) || !digit(text_[pos_ + 3]))
            refuse(std::string("expected ") + what + " as 0x and two upper-case hexadecimal digits");
        auto value16 = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
        const auto value = static_cast<std::uint8_t>(value16(text_[pos_ + 2]) * 16 + value16(text_[pos_ + 3]));
        pos_ += 4;
        return value;
    }

    // A decimal number and its ',', which must read exactly `want` (the link prints LEN and
    // SUB twice).
    void decimal(unsigned want, const char* what) {
        const std::string text = std::to_string(want) + ",";
        const std::size_t left = text_.size() - pos_;
        if (left < text.size() && text_.compare(pos_, left, text, 0, left) == 0)
            refuse(std::string("the file ends inside a record (cut short?) at ") + what);
        if (!startsWith(text.c_str()))
            refuse(std::string(what) + " does not read " + std::to_string(want) +
                   " as in the hexadecimal line above it");
        pos_ += text.size() - 1;  // the ',' is read by the caller
    }

    void byte(std::uint8_t want, const char* what) {
        if (atEnd()) refuse(std::string("the file ends inside a record (cut short?) at ") + what);
        if (static_cast<std::uint8_t>(text_[pos_]) != want)
            refuse(std::string(what) + " differs from the hexadecimal line above it");
        ++pos_;
    }

    // The raw copy of the DATA bytes.
    void raw(const std::vector<std::uint8_t>& want) {
        if (text_.size() - pos_ < want.size()) refuse("the file ends inside the raw DATA bytes (cut short?)");
        for (std::size_t i = 0; i < want.size(); ++i)
            if (static_cast<std::uint8_t>(text_[pos_ + i]) != want[i])
                refuseAt(pos_ + i, "raw DATA byte " + std::to_string(i + 1) + " differs from the hexadecimal " +
                                       hexByte(want[i]));
        pos_ += want.size();
    }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
};

// One half of a record: "0xLL,0xCC,0xSS - DATA - 0xCK,\r\n\tLEN,C,SUB,RAW". The head ("RX - "
// or "\r\nTX - ") has been read.
Frame readHalf(TraceCursor& in, std::size_t maxData, const char* side) {
    const std::size_t start = in.pos();
    const std::uint8_t len = in.hex("LEN");
    in.expect(",", "',' after LEN");
    Frame f;
    f.letter = in.hex("the letter");
    in.expect(",", "',' after the letter");
    f.sub = in.hex("SUB");
    in.expect(" - ", "' - ' before the DATA bytes");
    while (!in.startsWith(" - ")) {
        if (in.atEnd()) in.refuse("the file ends inside the DATA bytes (cut short?)");
        f.data.push_back(in.hex("a DATA byte or ' - '"));
        in.expect(",", "',' after a DATA byte");
        if (f.data.size() > maxData)
            in.refuse(std::string("more DATA bytes than a ") + side + " frame carries (" + std::to_string(maxData) +
                      ")");
    }
    in.expect(" - ", "' - ' before the checksum");
    if (len != f.data.size() + 2)
        in.refuseAt(start, "LEN " + hexByte(len) + " does not match the " + std::to_string(f.data.size()) +
                               " DATA bytes listed (LEN is their number + 2)");
    const std::size_t checksumAt = in.pos();
    const std::uint8_t checksum = in.hex("the checksum");
    const std::uint8_t right = frameChecksum(f.letter, f.sub, f.data.data(), f.data.size());
    if (checksum != right)
        in.refuseAt(checksumAt, "checksum " + hexByte(checksum) + " does not match the frame (" + hexByte(right) + ")");
    in.expect(",\r\n\t", "',' then CR LF TAB after the checksum");
    in.decimal(len, "the decimal LEN");
    in.expect(",", "',' after the decimal LEN");
    in.byte(f.letter, "the plain letter");
    in.expect(",", "',' after the plain letter");
    in.decimal(f.sub, "the decimal SUB");
    in.expect(",", "',' after the decimal SUB");
    in.raw(f.data);
    return f;
}

// Line numbers of positions met in increasing order: each byte of the text is counted once, so
// numbering every record of a large trace stays linear.
class LineCounter {
public:
    explicit LineCounter(const std::string& text) : text_(text) {}
    int lineAt(std::size_t at) {
        at = std::min(at, text_.size());
        if (at < counted_) {  // an earlier position (an error pointing back into a record)
            counted_ = 0;
            line_ = 1;
        }
        const auto from = text_.begin() + static_cast<std::ptrdiff_t>(counted_);
        line_ += static_cast<int>(std::count(from, text_.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        counted_ = at;
        return line_;
    }

private:
    const std::string& text_;
    std::size_t counted_ = 0;
    int line_ = 1;
};

}  // namespace

TraceParse parseTrace(const std::string& text, const std::string& name) {
    TraceParse result;
    TraceCursor in(text);
    LineCounter lines(text);
    try {
        if (text.empty()) in.refuse("the file is empty: no record was traced");
        while (!in.atEnd()) {
            TraceRecord r;
            r.line = lines.lineAt(in.pos());
            in.expect("RX - ", "'RX - ' at the start of a record");
            r.command = readHalf(in, kMaxReceivedData, "command");
            in.expect("\r\nTX - ", "CR LF and 'TX - ' before the reply");
            r.reply = readHalf(in, kMaxReplyData, "reply");
            in.expect("\r\n", "CR LF at the end of the record");
            result.records.push_back(std::move(r));
        }
    } catch (const Refusal& r) {
        result.records.clear();
        result.error = name + ":" + std::to_string(lines.lineAt(r.at)) + ": " + r.what;
        return result;
    }
    result.ok = true;
    return result;
}

TraceParse loadTrace(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        TraceParse r;
        r.error = path + ": cannot be read: " + std::strerror(errno);
        return r;
    }
    std::ostringstream all;
    all << f.rdbuf();
    if (f.bad()) {
        TraceParse r;
        r.error = path + ": read error";
        return r;
    }
    return parseTrace(all.str(), path);
}

std::string formatTraceRecord(const Frame& command, const Frame& reply) {
    ReceivedFrame rx;
    rx.command = command.letter;
    rx.sub = command.sub;
    rx.dataLength = static_cast<std::uint8_t>(std::min(command.data.size(), kMaxReceivedData));
    std::copy_n(command.data.begin(), rx.dataLength, rx.data.begin());
    rx.checksum = frameChecksum(rx.command, rx.sub, rx.data.data(), rx.dataLength);
    ReplyFrame tx;
    tx.letter = reply.letter;
    tx.sub = reply.sub;
    tx.dataLength = static_cast<std::uint8_t>(std::min(reply.data.size(), kMaxReplyData));
    std::copy_n(reply.data.begin(), tx.dataLength, tx.data.begin());
    tx.checksum = frameChecksum(tx.letter, tx.sub, tx.data.data(), tx.dataLength);
    return TraceWriter::formatRecord(rx, tx);
}

std::string traceNotation(const Frame& frame) {
    // The command half of a record the link would write for this frame, up to its line end.
    const std::string record = formatTraceRecord(frame, Frame{});
    return record.substr(5, record.find("\r\n") - 5);
}

}  // namespace corvane::unitsim
