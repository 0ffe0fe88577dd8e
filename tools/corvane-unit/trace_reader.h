#pragma once
// Reads a verbose trace written by the program's link: one record per command the unit sent,
// holding the command frame and the reply the PC gave. Anything that is not exactly what the
// link writes (a cut file, an edited record, another file) is refused with its line number.
#include <cstddef>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

struct TraceRecord {
    Frame command;  // what the unit sent
    Frame reply;    // what the PC answered
    int line = 0;   // line of the file where the record starts
};

struct TraceParse {
    bool ok = false;
    std::vector<TraceRecord> records;
    std::string error;  // "NAME:LINE: what is wrong"
};

// `text` is the whole file: records carry raw bytes, so it is read as bytes, not lines.
// Lines are counted at every line feed, as an editor shows them.
TraceParse parseTrace(const std::string& text, const std::string& name);
TraceParse loadTrace(const std::string& path);

// One half of a record in the trace's own notation, for messages:
// "0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3,".
std::string traceNotation(const Frame& frame);

// The whole record as the link writes it (used to build traces in tests and tools).
std::string formatTraceRecord(const Frame& command, const Frame& reply);

}  // namespace corvane::unitsim
