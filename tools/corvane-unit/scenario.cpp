// Reply patterns and the description of the scenario format.
#include <cstdio>

#include "frame_text.h"
#include "scenario.h"

namespace corvane::unitsim {

namespace {
// Glob matching: '*' is any run of bytes (also none), '??' any one byte. When a byte does not
// fit, only the most recent '*' takes one byte more; earlier ones never need to, so the match
// takes at most pattern x data steps however many '*' the pattern holds (trying every split
// for every '*' took exponential time, and a script with a few of them hung the unit).
bool matchData(const std::vector<ReplyPattern::Token>& p, const std::vector<std::uint8_t>& d) {
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t pi = 0, di = 0;
    std::size_t star = kNone, starData = 0;
    while (di < d.size()) {
        if (pi < p.size() && p[pi].kind == ReplyPattern::Token::AnyRun) {
            star = pi++;
            starData = di;
        } else if (pi < p.size() && (p[pi].kind == ReplyPattern::Token::AnyByte || p[pi].value == d[di])) {
            ++pi;
            ++di;
        } else if (star != kNone) {
            pi = star + 1;
            di = ++starData;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi].kind == ReplyPattern::Token::AnyRun) ++pi;
    return pi == p.size();
}
}  // namespace

bool ReplyPattern::matches(const Frame& f) const {
    if (letter >= 0 && f.letter != letter) return false;
    if (sub >= 0 && f.sub != sub) return false;
    return matchData(data, f.data);
}

std::string ReplyPattern::describe() const {
    std::string out = letter < 0 ? "?" : std::string(1, static_cast<char>(letter));
    out += sub < 0 ? " sub ?" : " sub " + std::to_string(sub);
    if (data.empty()) return out + ", no data";
    out += ":";
    for (const Token& t : data) {
        if (t.kind == Token::AnyByte) {
            out += " ??";
        } else if (t.kind == Token::AnyRun) {
            out += " *";
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", t.value);
            out += ' ';
            out += hex;
        }
    }
    return out;
}

const char* scenarioFormatHelp() {
    return R"(Scenario files: one step per line; '#' starts a comment.
  DATA is hex bytes (00 0a FF, or 000AFF) and quoted texts ("Hi^", escapes \" \\ \r \n \t \0 \xNN).
  A PATTERN is a reply letter (or ?), its SUB (or ??), then DATA where ?? matches any one byte
  and * any run of bytes (also none). A reply must match the whole pattern.
  MS is milliseconds; "within MS" overrides the default time-out (2000, see "timeout").

  timeout MS                    default time-out of the following steps
  handshake [CAP] [within MS]   send 'H' with the receive capacity (default 128) once a second
                                until the PC answers; waits for the PC to open the line
  send L SUB [DATA]             send one frame (its reply is read by the next expect/wait)
  expect PATTERN [within MS]    the next reply must match
  wait PATTERN [within MS]      skip replies until one matches
  poll [with L SUB [DATA]] until PATTERN [within MS] [every MS]
                                send the frame (default: S 0) every MS (default 100) until its
                                reply matches
  silence MS                    no reply may arrive for MS
  sleep MS                      pause
  note "TEXT"                   print TEXT
  menu [FRAMESIZE]              a menu, sent as 'C' frames of FRAMESIZE data bytes (default 200)
                                when its "end" line is met; each frame must be answered 'K'
    group "NAME" ID ICON        open a group
    item "NAME" ID ICON         an item (its id is also the id of the page it opens)
    close                       close the current group
    page ID [CODE]              a page and its 24-bit page code (0 = none)
    control ID TYPE LEFT TOP RIGHT BOTTOM "TEXT" [code CODE] [style N]
  end

  Example:
    handshake 128
    menu 100
      item "Live data" 10 3
      page 10 0x01010A
      control 1 s 2 2 60 8 "Speed|km/h"
    end
    poll until A 1 01 01 0A ?? ?? 01 * within 5000   # the user opened page 10
    send Y 0
    expect K 1
)";
}

}  // namespace corvane::unitsim
