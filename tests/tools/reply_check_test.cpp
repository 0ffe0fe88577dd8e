// The unit's check of the PC's replies, and its reading of the status reply.
#include <gtest/gtest.h>

#include "reply_check.h"

namespace corvane::unitsim {
namespace {

TEST(ReplyCheck, AcceptsTheRightReplyForEachCommand) {
    for (char c : std::string("BCEJLNTWXYZ")) EXPECT_EQ(checkReply(c, Frame{'K', 1, {}}), "") << c;
    for (char c : std::string("DHPS"))
        EXPECT_EQ(checkReply(c, Frame{'A', 1, {255, 255, 255, 255, 255, 1, '^'}}), "") << c;
    EXPECT_EQ(checkReply('F', Frame{'I', 1, {}}), "");
    EXPECT_EQ(checkReply('G', Frame{'N', 1, {'^'}}), "");
    EXPECT_EQ(checkReply('G', Frame{'N', 1, {'a', '.', 'b', '|', '1', '2', '^'}}), "");
    EXPECT_EQ(checkReply('R', Frame{'O', 1, {}}), "");
    EXPECT_EQ(checkReply('R', Frame{'O', 1, {'x', '|', 'y', '^'}}), "");
    EXPECT_EQ(checkReply('Q', Frame{'K', 1, {}}), "");  // any reply to a letter the PC does not know
}

TEST(ReplyCheck, NamesWhatIsWrong) {
    EXPECT_EQ(checkReply('S', Frame{'K', 1, {}}), "reply 'K' to 'S', expected 'A'");
    EXPECT_EQ(checkReply('B', Frame{'K', 0, {}}), "reply 'K' has SUB 0, expected 1");
    EXPECT_EQ(checkReply('Y', Frame{'K', 1, {1}}), "reply 'K' carries 1 DATA bytes");
    EXPECT_EQ(checkReply('S', Frame{'A', 1, {255, 255, 255, 255, 255, 1}}), "status reply 'A' is malformed");
    EXPECT_EQ(checkReply('G', Frame{'N', 1, {'a', '|', 'x', '^'}}), "file header 'N' is malformed");
    EXPECT_EQ(checkReply('G', Frame{'N', 1, {'a', '|', '^'}}), "file header 'N' is malformed");
    EXPECT_EQ(checkReply('R', Frame{'O', 1, {'x', '|'}}), "value reply 'O' does not end with '^'");
}

TEST(StatusReply, ReadsChoiceKeyBoxAndText) {
    StatusReply s;
    ASSERT_TRUE(StatusReply::parse(Frame{'A', 1, {0xFF, 0x01, 0x02, 2, 3, 1, 'B', 'C', '^'}}, s));
    EXPECT_TRUE(s.hasChoice());
    EXPECT_FALSE(s.isKey());
    EXPECT_EQ(s.code(), 0x000102u);  // a page hands its zero bytes over as 255
    EXPECT_TRUE(s.boxAnswered());
    EXPECT_EQ(s.listChoice, 3);
    EXPECT_EQ(s.text, "BC");

    ASSERT_TRUE(StatusReply::parse(Frame{'A', 1, {0xFE, 0x05, 0xFF, 1, 0xFF, 0xFF, '^'}}, s));
    EXPECT_TRUE(s.isKey());
    EXPECT_EQ(s.key(), 5);
    EXPECT_FALSE(s.boxAnswered());
    EXPECT_EQ(s.text, "");

    ASSERT_TRUE(StatusReply::parse(Frame{'A', 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, '^'}}, s));
    EXPECT_FALSE(s.hasChoice());
    EXPECT_FALSE(StatusReply::parse(Frame{'K', 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, '^'}}, s));
    EXPECT_FALSE(StatusReply::parse(Frame{'A', 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 'x'}}, s));
}

}  // namespace
}  // namespace corvane::unitsim
