// Which differences between a recorded reply and a replayed one are real, and which only
// reflect what the user did at that moment.
#include <gtest/gtest.h>

#include "reply_comparison.h"

namespace corvane::unitsim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = ReplyComparison::Verdict::Kind;

Frame status(Bytes six, const std::string& text = "") {
    Bytes d = std::move(six);
    d.insert(d.end(), text.begin(), text.end());
    d.push_back('^');
    return Frame{'A', 1, d};
}
const Frame kS{'S', 0, {}};
const Frame kK{'K', 1, {}};
const Bytes kNothing{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};

TEST(ReplyComparison, UserAnswersInTheStatusReplyAreNotesTheRestMustMatch) {
    ReplyComparison c;
    EXPECT_EQ(c.compare(kS, status(kNothing), status(kNothing)).kind, Kind::Same);
    // Page code, box result, list line and text: what the user did.
    const auto v = c.compare(kS, status({0x01, 0x01, 0x0A, 0x02, 0x03, 0x01}, "Jane"), status(kNothing));
    EXPECT_EQ(v.kind, Kind::Note);
    EXPECT_EQ(v.what,
              "status reply: choice FF FF FF instead of 01 01 0A; box result FF instead of 02; "
              "list choice FF instead of 03; answer text \"\" instead of \"Jane\" (the user's answers at that moment)");
    // The menu-loaded byte is the link's own.
    const auto menu = c.compare(kS, status(kNothing), status({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(menu.kind, Kind::Differs);
    EXPECT_EQ(menu.what, "menu-loaded byte FF instead of 01");
    // A status reply that lost its end marker or its six bytes is a fault, whatever the user did.
    EXPECT_EQ(c.compare(kS, status(kNothing), Frame{'A', 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}}).kind, Kind::Differs);
    EXPECT_EQ(c.compare(kS, status(kNothing), Frame{'A', 1, {'^'}}).kind, Kind::Differs);
    // The same rules for the other commands answered with the status reply.
    for (char letter : std::string("DHP"))
        EXPECT_EQ(c.compare(Frame{static_cast<std::uint8_t>(letter), 0, {}},
                            status({0xFE, 0x05, 0xFF, 0xFF, 0xFF, 0x01}), status(kNothing))
                      .kind,
                  Kind::Note)
            << letter;
}

TEST(ReplyComparison, LetterSubAndPlainRepliesMatchByteForByte) {
    ReplyComparison c;
    EXPECT_EQ(c.compare(Frame{'J', 0, {0, 20}}, kK, kK).kind, Kind::Same);
    const auto letter = c.compare(kS, status(kNothing), kK);
    EXPECT_EQ(letter.kind, Kind::Differs);
    EXPECT_EQ(letter.what, "reply letter 'K' instead of 'A'");
    const auto sub = c.compare(Frame{'B', 0, {'k', 'x', '^'}}, kK, Frame{'K', 0, {}});
    EXPECT_EQ(sub.kind, Kind::Differs);
    EXPECT_EQ(sub.what, "reply SUB 0 instead of 1");
    EXPECT_EQ(c.compare(Frame{'Y', 0, {}}, kK, Frame{'K', 1, {0x00}}).what, "1 DATA bytes instead of 0");
    // The values read back with 'R' are the user's settings: a note, but never another letter.
    const auto values =
        c.compare(Frame{'R', 0, {1, 4}}, Frame{'O', 1, {'a', '|', 'b', '^'}}, Frame{'O', 1, {'a', '|', 'c', '^'}});
    EXPECT_EQ(values.kind, Kind::Note);
    EXPECT_EQ(values.what, "values DATA byte 3 is 63 instead of 62 (what the user set on the page)");
    EXPECT_EQ(c.compare(Frame{'R', 0, {1, 4}}, Frame{'O', 1, {'^'}}, kK).kind, Kind::Differs);
    // A letter the PC does not know repeats its previous reply: the rules of that reply apply.
    EXPECT_EQ(c.compare(Frame{'Q', 0, {}}, status({0x01, 0x01, 0x0A, 0xFF, 0xFF, 0x01}), status(kNothing)).kind,
              Kind::Note);
    EXPECT_EQ(c.compare(Frame{'Q', 0, {}}, kK, Frame{'K', 1, {0x01}}).kind, Kind::Differs);
}

TEST(ReplyComparison, FileRepliesAreExactUnlessTheUserLoadedTheFile) {
    const Frame g{'G', 0, {}};
    const Frame f{'F', 0, {}};
    const Frame headerA{'N', 1, {'L', 'O', 'G', '|', '5', '^'}};
    const Frame headerB{'N', 1, {'l', 'o', 'g', '|', '5', '^'}};
    const Frame chunkA{'I', 1, {1, 2, 3}};
    const Frame chunkB{'I', 1, {1, 2, 4}};
    ReplyComparison c;
    // The unit's own file: its header and bytes come back exactly.
    EXPECT_EQ(c.compare(Frame{'N', 0, {'L', 'O', 'G', '|', '5', '^'}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(Frame{'E', 2, {1, 2, 3}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(g, headerA, headerB).kind, Kind::Differs);
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Differs);
    // A file-open box asked for over two 'B' frames: what the PC holds is now the user's file.
    EXPECT_EQ(c.compare(Frame{'B', 0, {'o'}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(Frame{'B', 1, {'*', '.', 'c', 's', 'v', '^'}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(g, headerA, headerB).kind, Kind::Note);
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Note);
    // The unit names a file again: the header is its own, the bytes are still the user's.
    EXPECT_EQ(c.compare(Frame{'N', 0, {'L', 'O', 'G', '|', '5', '^'}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(g, headerA, headerB).kind, Kind::Differs);
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Note);
    // More bytes for the same file do not replace it; the first frame of a new file does.
    EXPECT_EQ(c.compare(Frame{'E', 0, {4}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Note);
    EXPECT_EQ(c.compare(Frame{'E', 2, {1, 2, 3}}, kK, kK).kind, Kind::Same);
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Differs);
}

TEST(ReplyComparison, ABoxShownAgainWithXCountsAsTheBoxItShows) {
    const Frame f{'F', 0, {}};
    const Frame chunkA{'I', 1, {1}};
    const Frame chunkB{'I', 1, {2}};
    ReplyComparison c;
    // A message box, then another request after a different letter: not a file-open box.
    c.compare(Frame{'B', 0, {'k', 'H', 'i', '^'}}, kK, kK);
    c.compare(Frame{'X', 0, {}}, kK, kK);
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Differs);
    c.compare(Frame{'B', 0, {'o', '*', '^'}}, kK, kK);
    c.compare(Frame{'E', 2, {1}}, kK, kK);  // the unit's file replaces the loaded one
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Differs);
    c.compare(Frame{'X', 0, {}}, kK, kK);  // the open box again: the user may load another file
    EXPECT_EQ(c.compare(f, chunkA, chunkB).kind, Kind::Note);
}

}  // namespace
}  // namespace corvane::unitsim
