#pragma once
// The verbose trace: one record per dispatched command with the frame and its reply, in
// hexadecimal and as raw bytes.
#include <cstdio>
#include <mutex>
#include <string>

#include "link/frame.h"

namespace corvane {

class TraceWriter {
public:
    ~TraceWriter() { close(); }

    // Creates (or truncates) the file when no trace is open; false when it cannot be created.
    // Its own lock is held only while a record is written, so the user-interface thread never
    // waits for a whole poll step, and a record is never cut by a close.
    bool open(const std::string& path);
    void close();
    bool isOpen() const;

    void writeRecord(const ReceivedFrame& received, const ReplyFrame& reply);

    // The record's bytes, as written to the file.
    static std::string formatRecord(const ReceivedFrame& received, const ReplyFrame& reply);

private:
    mutable std::mutex m_;
    std::FILE* file_ = nullptr;
};

}  // namespace corvane
