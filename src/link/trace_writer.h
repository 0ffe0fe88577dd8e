#pragma once
// The verbose trace: one record per dispatched command with the frame and its reply, in
// hexadecimal and as raw bytes.
#include <sys/types.h>

#include <mutex>
#include <optional>
#include <string>

#include "link/frame.h"

namespace corvane {

class TraceWriter {
public:
    // A trace that stopped because its file could not be written (a full disk, a device that
    // takes no data): which file, and the errno that stopped it.
    struct Failure {
        std::string path;
        int error = 0;
    };

    ~TraceWriter() { close(); }

    // Not an errno: the trace file named is a FIFO, a device or anything else but a file.
    static constexpr int kNotRegularFile = -1;

    // Creates (or truncates) the file when no trace is open; false when it cannot be created
    // or is no regular file, and openError() then holds the errno or kNotRegularFile.
    // Its own lock is held only while a record is written, so the user-interface thread never
    // waits for a whole poll step, and a record is never cut by a close.
    bool open(const std::string& path);
    void close();
    bool isOpen() const;
    int openError() const;
    // The reason for an error of openError() or a Failure, ready to show after the file's name.
    static std::string describeError(int error);

    // Writes one record. When the file takes it only in part or not at all, the part is cut
    // away, the trace closes itself (the rest of the link goes on) and keeps the failure for
    // takeFailure().
    void writeRecord(const ReceivedFrame& received, const ReplyFrame& reply);
    // The failure that closed the trace since the last call, if any.
    std::optional<Failure> takeFailure();

    // The record's bytes, as written to the file.
    static std::string formatRecord(const ReceivedFrame& received, const ReplyFrame& reply);

private:
    mutable std::mutex m_;
    int fd_ = -1;
    // Bytes of whole records in the file: where a record the file took only in part is cut.
    off_t written_ = 0;
    std::string path_;
    int openError_ = 0;
    std::optional<Failure> failure_;
};

}  // namespace corvane
