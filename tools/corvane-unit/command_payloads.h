#pragma once
// Builders for the DATA of the unit's commands other than the menu.
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

using Bytes = std::vector<std::uint8_t>;

// 'H': the receive capacity the unit announces.
Bytes handshakePayload(std::uint8_t capacity);
// 'B': box kind letter and text, ended by '^'.
Bytes boxPayload(char kind, const std::string& text);
// 'L': header (page list box id, 0 for the list pop-up), lines separated by '|', ended by '^';
// split into frames of at most maxData bytes, SUB 1 on the last.
std::vector<Frame> listFrames(std::uint8_t header, const std::vector<std::string>& lines,
                              std::size_t maxData = kMaxReceivedData);
// 'T': header (page control id), text, '^'; split like 'L'.
std::vector<Frame> textFrames(std::uint8_t header, const std::string& text, std::size_t maxData = kMaxReceivedData);
// 'D': values for positions first .. first + n - 1, separated by '|' and ended by '^'.
Bytes valuesPayload(std::uint8_t first, const std::vector<std::string>& values);
// 'P': target id (255 for the key pad), range and position in decimal, each followed by '|'.
Bytes progressPayload(std::uint8_t target, int range, int position);
// 'N': file name, '|', size in decimal, '^'.
Bytes fileHeaderPayload(const std::string& name, std::size_t size);
// 'E': the file bytes in frames of at most maxData bytes; SUB 2 on the first, 0 on the rest.
std::vector<Frame> fileDataFrames(const Bytes& file, std::size_t maxData = kMaxReceivedData);
// 'J': the 16-bit page id.
Bytes pageJumpPayload(std::uint16_t pageId);
// 'R': lowest and highest control id to read back.
Bytes valueRequestPayload(std::uint8_t firstId, std::uint8_t lastId);

// A 'W' report layout: control ids and separator codes.
class ReportLayout {
public:
    ReportLayout& control(std::uint8_t id);  // ids 1..251
    ReportLayout& lineBreak();               // CR LF
    ReportLayout& space();
    ReportLayout& colon();  // ": "
    const Bytes& bytes() const { return bytes_; }
    // One 'W' frame with SUB 1 (a report layout is never gathered over frames).
    Frame frame() const { return Frame{'W', 1, bytes_}; }

private:
    Bytes bytes_;
};

// Splits the values of an 'O' reply ("a|b|c^"); an empty reply gives no values.
std::vector<std::string> splitValueReply(const Bytes& data);
// Reads a file header ("name|size^"); false for '^' alone or a malformed one.
bool parseFileHeader(const Bytes& data, std::string& name, std::size_t& size);

}  // namespace corvane::unitsim
