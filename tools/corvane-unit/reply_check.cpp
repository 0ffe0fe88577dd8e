#include "reply_check.h"

namespace corvane::unitsim {

std::uint8_t expectedReplyLetter(std::uint8_t command) {
    switch (command) {
        case 'B':
        case 'C':
        case 'E':
        case 'J':
        case 'L':
        case 'N':
        case 'T':
        case 'W':
        case 'X':
        case 'Y':
        case 'Z': return 'K';
        case 'D':
        case 'H':
        case 'P':
        case 'S': return 'A';
        case 'F': return 'I';
        case 'G': return 'N';
        case 'R': return 'O';
        default: return 0;
    }
}

namespace {
std::string letterText(std::uint8_t l) { return std::string("'") + static_cast<char>(l) + "'"; }

// name '|' digits '^', or '^' alone.
bool isFileHeader(const std::vector<std::uint8_t>& d) {
    if (d.empty() || d.back() != '^') return false;
    if (d.size() == 1) return true;
    std::size_t bar = d.size();
    for (std::size_t i = 0; i < d.size(); ++i)
        if (d[i] == '|') bar = i;
    if (bar == d.size() || bar + 1 >= d.size() - 1) return false;
    for (std::size_t i = bar + 1; i + 1 < d.size(); ++i)
        if (d[i] < '0' || d[i] > '9') return false;
    return true;
}
}  // namespace

std::string checkReply(std::uint8_t command, const Frame& reply) {
    const std::uint8_t want = expectedReplyLetter(command);
    if (want == 0) return {};  // any reply is right for an unknown command
    if (reply.letter != want)
        return "reply " + letterText(reply.letter) + " to " + letterText(command) + ", expected " + letterText(want);
    if (reply.sub != 1)
        return "reply " + letterText(reply.letter) + " has SUB " + std::to_string(reply.sub) + ", expected 1";
    switch (want) {
        case 'K':
            if (!reply.data.empty()) return "reply 'K' carries " + std::to_string(reply.data.size()) + " DATA bytes";
            break;
        case 'A': {
            StatusReply s;
            if (!StatusReply::parse(reply, s)) return "status reply 'A' is malformed";
            break;
        }
        case 'N':
            if (!isFileHeader(reply.data)) return "file header 'N' is malformed";
            break;
        case 'O':
            // Values separated by '|' and ended by '^', or nothing at all.
            if (!reply.data.empty() && reply.data.back() != '^') return "value reply 'O' does not end with '^'";
            break;
        default: break;
    }
    return {};
}

bool StatusReply::parse(const Frame& reply, StatusReply& out) {
    const auto& d = reply.data;
    if (reply.letter != 'A' || d.size() < 7 || d.back() != '^') return false;
    out.choiceHigh = d[0];
    out.choiceMid = d[1];
    out.choiceLow = d[2];
    out.boxResult = d[3];
    out.listChoice = d[4];
    out.menuLoaded = d[5];
    out.text.assign(d.begin() + 6, d.end() - 1);
    return true;
}

std::uint32_t StatusReply::code() const {
    auto b = [](std::uint8_t v) { return std::uint32_t{v == 255 ? std::uint8_t{0} : v}; };
    return (b(choiceHigh) << 16) | (b(choiceMid) << 8) | b(choiceLow);
}

}  // namespace corvane::unitsim
