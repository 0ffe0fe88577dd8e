#include "reply_comparison.h"

#include <cstdio>

namespace corvane::unitsim {

namespace {
using Verdict = ReplyComparison::Verdict;

constexpr std::size_t kStatusFixed = 6;  // choice (3), box result, list choice, menu loaded

std::string hexBytes(const std::vector<std::uint8_t>& d, std::size_t from, std::size_t to) {
    std::string out;
    char buf[4];
    for (std::size_t i = from; i < to && i < d.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", d[i]);
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

std::string letterText(std::uint8_t l) {
    if (l >= 0x20 && l < 0x7F) return std::string("'") + static_cast<char>(l) + "'";
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", l);
    return buf;
}

Verdict note(std::string what) { return {Verdict::Kind::Note, std::move(what)}; }
Verdict differs(std::string what) { return {Verdict::Kind::Differs, std::move(what)}; }

// Six bytes, a text and '^': the shape the link always builds.
bool statusShaped(const Frame& f) { return f.data.size() >= kStatusFixed + 1 && f.data.back() == '^'; }

std::string firstDifference(const Frame& recorded, const Frame& replayed) {
    if (recorded.data.size() != replayed.data.size())
        return std::to_string(replayed.data.size()) + " DATA bytes instead of " + std::to_string(recorded.data.size());
    for (std::size_t i = 0; i < recorded.data.size(); ++i)
        if (recorded.data[i] != replayed.data[i])
            return "DATA byte " + std::to_string(i + 1) + " is " + hexBytes(replayed.data, i, i + 1) + " instead of " +
                   hexBytes(recorded.data, i, i + 1);
    return {};
}
}  // namespace

Verdict ReplyComparison::compareStatus(const Frame& recorded, const Frame& replayed) const {
    if (!statusShaped(replayed)) return differs("the status reply is not six bytes, a text and '^'");
    if (!statusShaped(recorded)) {
        // Not what the link builds today: nothing in it can be told apart, so all of it counts.
        const std::string diff = firstDifference(recorded, replayed);
        return diff.empty() ? Verdict{} : differs(diff);
    }
    const auto& a = recorded.data;
    const auto& b = replayed.data;
    // Set by the link alone, once the menu is complete: never up to the user.
    if (a[5] != b[5]) {
        std::string what = "menu-loaded byte " + hexBytes(b, 5, 6) + " instead of " + hexBytes(a, 5, 6);
        // Before the trace's own menu: the menu came from an earlier conversation of this PC.
        if (b[5] == 1 && !menuSent_) what += " (the PC held a menu already: replay to a program started afresh)";
        return differs(what);
    }
    std::string what;
    auto add = [&](const std::string& part) { what += (what.empty() ? "" : "; ") + part; };
    if (hexBytes(a, 0, 3) != hexBytes(b, 0, 3)) add("choice " + hexBytes(b, 0, 3) + " instead of " + hexBytes(a, 0, 3));
    if (a[3] != b[3]) add("box result " + hexBytes(b, 3, 4) + " instead of " + hexBytes(a, 3, 4));
    if (a[4] != b[4]) add("list choice " + hexBytes(b, 4, 5) + " instead of " + hexBytes(a, 4, 5));
    const std::string textA(a.begin() + kStatusFixed, a.end() - 1), textB(b.begin() + kStatusFixed, b.end() - 1);
    if (textA != textB) add("answer text \"" + textB + "\" instead of \"" + textA + "\"");
    if (what.empty()) return {};
    return note("status reply: " + what + " (the user's answers at that moment)");
}

Verdict ReplyComparison::compare(const Frame& command, const Frame& recorded, const Frame& replayed) {
    Verdict v;
    if (recorded.letter != replayed.letter) {
        v = differs("reply letter " + letterText(replayed.letter) + " instead of " + letterText(recorded.letter));
    } else if (recorded.sub != replayed.sub) {
        v = differs("reply SUB " + std::to_string(replayed.sub) + " instead of " + std::to_string(recorded.sub));
    } else if (recorded.letter == 'A') {
        v = compareStatus(recorded, replayed);
    } else {
        const std::string diff = firstDifference(recorded, replayed);
        if (!diff.empty()) {
            // The letter of a reply names what it carries, also when the PC repeats its previous
            // reply for a letter it does not know.
            if (recorded.letter == 'O')
                v = note("values " + diff + " (what the user set on the page)");
            else if (recorded.letter == 'N' && nameFromUser_)
                v = note("file header " + diff + " (a file the user loaded)");
            else if (recorded.letter == 'I' && storeFromUser_)
                v = note("file chunk " + diff + " (a file the user loaded)");
            else
                v = differs(diff);
        }
    }
    follow(command);
    return v;
}

void ReplyComparison::follow(const Frame& command) {
    switch (command.letter) {
        case 'B':
            // Frames of one request are gathered until another letter comes between them.
            if (previous_ != 'B') boxData_.clear();
            boxData_.insert(boxData_.end(), command.data.begin(), command.data.end());
            [[fallthrough]];
        case 'X':  // shows the present box request again
            if (!boxData_.empty() && boxData_[0] == 'o') nameFromUser_ = storeFromUser_ = true;
            break;
        case 'C':
            if (command.sub == 1) menuSent_ = true;
            break;
        case 'N':  // the unit names the file it is about to send
            nameFromUser_ = false;
            break;
        case 'E':  // the first frame of the unit's file empties the store
            if (command.sub == 2) storeFromUser_ = false;
            break;
        default: break;
    }
    previous_ = command.letter;
}

}  // namespace corvane::unitsim
