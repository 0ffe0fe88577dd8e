#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/box_record.h"
#include "content/list_record.h"
#include "content/progress_record.h"
#include "content/report_buffer.h"
#include "content/text_record.h"
#include "content/value_table.h"
#include "content/wire_text.h"

using namespace corvane;

namespace {
std::vector<std::uint8_t> b(const std::string& s) { return {s.begin(), s.end()}; }
template <typename R>
void feed(R& r, const std::string& s) {
    auto v = b(s);
    r.append(v.data(), v.size());
}
}  // namespace

TEST(BoxRecord, KindTextAndCapacity) {
    BoxRecord box;
    feed(box, "kHi^");
    box.parse();
    EXPECT_EQ(box.boxKind(), static_cast<std::uint32_t>('k'));
    EXPECT_EQ(box.boxText(), "Hi");

    box.empty();
    feed(box, "aNo end");  // no '^': the text ends with the bytes held
    box.parse();
    EXPECT_EQ(box.boxText(), "No end");

    box.empty();
    feed(box, std::string(200, 'x'));
    feed(box, std::string(200, 'y'));
    EXPECT_EQ(box.count(), 251u);  // stops once the count has passed 250
    box.parse();
    EXPECT_EQ(box.boxText().size(), 250u);
}

TEST(ListRecord, LinesSeparatorsAndLimits) {
    ListRecord list;
    feed(list,
         "\x03"
         "A|B|C^");
    list.parse();
    EXPECT_EQ(list.header(), 3u);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"A", "B", "C"}));

    list.empty();
    feed(list, "\x03^");
    list.parse();
    EXPECT_EQ(list.items(), std::vector<std::string>{""});

    list.empty();
    feed(list,
         "\x01"
         "A|^");
    list.parse();
    EXPECT_EQ(list.items(), (std::vector<std::string>{"A", ""}));

    list.empty();
    std::string many = "\x02";
    for (int i = 0; i < 120; ++i) many += std::to_string(i) + "|";
    many += "end^";
    feed(list, many);
    list.parse();
    EXPECT_EQ(list.itemCount(), ListRecord::kMaxItems);
    EXPECT_EQ(list.items().back(), "99");

    // A shorter list after a longer one shows none of the older bytes.
    list.empty();
    feed(list,
         "\x02"
         "Z");
    list.parse();
    EXPECT_EQ(list.itemCount(), 0u);
}

TEST(TextRecord, HeaderAndText) {
    TextRecord text;
    feed(text,
         "\x07"
         "Engine warm^ignored");
    text.parse();
    EXPECT_EQ(text.header(), 7u);
    EXPECT_EQ(text.text(), "Engine warm");
    text.empty();
    feed(text, std::string(6000, 'q'));
    EXPECT_EQ(text.count(), TextRecord::kDataCapacity);
    text.parse();
    EXPECT_EQ(text.textLength(), TextRecord::kDataCapacity - 1);
}

TEST(ValueTable, FillsPositionsFromHeader) {
    ValueTable t;
    auto d = b("\x02\x04x||z^");
    t.fill(d.data(), d.size());
    std::string v;
    EXPECT_FALSE(t.value(1, v));
    ASSERT_TRUE(t.value(2, v));
    EXPECT_EQ(v, "x");
    ASSERT_TRUE(t.value(3, v));
    EXPECT_EQ(v, "");
    ASSERT_TRUE(t.value(4, v));
    EXPECT_EQ(v, "z");
    EXPECT_FALSE(t.value(5, v));
    EXPECT_FALSE(t.value(0, v));
    EXPECT_FALSE(t.value(201, v));

    auto bad = std::vector<std::uint8_t>{0xC9, 0xC9, 'a', '^'};
    t.fill(bad.data(), bad.size());
    for (int i = 1; i <= 200; ++i) EXPECT_FALSE(t.present(i));

    // A value of 230 characters without a separator is cut and not present; the next
    // position starts with the byte that follows.
    std::string longValue = "\x01\x02" + std::string(230, 'L') + "next^";
    auto lv = b(longValue);
    t.fill(lv.data(), lv.size());
    EXPECT_FALSE(t.present(1));
    ASSERT_TRUE(t.value(2, v));
    EXPECT_EQ(v, "next");
}

TEST(ValueTable, ReplyTextFitsTheLimit) {
    ValueTable t;
    EXPECT_TRUE(t.addReplyValue(std::string(30, 'a')));
    EXPECT_TRUE(t.addReplyValue(std::string(25, 'b')));
    EXPECT_FALSE(t.addReplyValue("cc"));
    t.closeReply();
    EXPECT_EQ(t.replyText().size(), 57u);
    EXPECT_EQ(t.replyText().back(), '^');

    ValueTable empty;
    empty.closeReply();
    EXPECT_EQ(empty.replyText(), "");

    // With the largest announced capacity the closed text still fits one 'O' reply.
    ValueTable wide;
    wide.setReplyLimit(255);
    while (wide.addReplyValue(std::string(9, 'w'))) {
    }
    wide.closeReply();
    EXPECT_LE(wide.replyText().size(), ValueTable::kReplyCapacity);
    EXPECT_EQ(wide.replyText().back(), '^');
}

TEST(ValueTable, TheLongestValueAloneFitsAndOneMoreDoesNot) {
    for (std::uint32_t limit : {0u, 5u, 6u, 64u, 243u, 255u}) {
        const int longest = ValueTable::longestValue(limit);
        ValueTable t;
        t.setReplyLimit(limit);
        if (longest >= 0) {
            EXPECT_TRUE(t.addReplyValue(std::string(static_cast<std::size_t>(longest), 'x'))) << limit;
        }
        t.emptyReply();
        EXPECT_FALSE(t.addReplyValue(std::string(static_cast<std::size_t>(longest + 1), 'x'))) << limit;
    }
    EXPECT_EQ(ValueTable::longestValue(64), 58);
}

TEST(ProgressRecord, TargetRangePosition) {
    ProgressRecord p;
    auto d =
        b("\xFF"
          "100|25|");
    p.fill(d.data(), d.size());
    EXPECT_EQ(p.target(), 255u);
    EXPECT_EQ(p.range(), 100);
    EXPECT_EQ(p.position(), 25);

    auto odd = b("\x04  -7x|abc|");
    p.fill(odd.data(), odd.size());
    EXPECT_EQ(p.target(), 4u);
    EXPECT_EQ(p.range(), -7);
    EXPECT_EQ(p.position(), 0);

    p.fill(nullptr, 0);
    EXPECT_EQ(p.range(), 0);
}

TEST(WireText, PlainDecimalSaturatesAndStops) {
    auto d = b("99999999999");
    EXPECT_EQ(parsePlainDecimal(d.data(), d.size(), 11), 2147483647);
    auto n = b("-99999999999");
    EXPECT_EQ(parsePlainDecimal(n.data(), n.size(), 12), -2147483647 - 1);
    auto s = b("  +12a3");
    EXPECT_EQ(parsePlainDecimal(s.data(), s.size(), 10), 12);
    auto cut = b("123456");
    EXPECT_EQ(parsePlainDecimal(cut.data(), cut.size(), 3), 123);
}

TEST(ReportBuffer, StopsAtZeroAndCapacity) {
    ReportBuffer r;
    std::vector<std::uint8_t> d = {'a', 'b', 0, 'c'};
    r.append(d.data(), d.size());
    EXPECT_EQ(r.count(), 2u);
    r.rewind();
    EXPECT_EQ(r.nextByte(), 'a');
    EXPECT_EQ(r.nextByte(), 'b');
    EXPECT_EQ(r.nextByte(), 0);
    r.empty();
    std::vector<std::uint8_t> big(1500, 'z');
    r.append(big.data(), big.size());
    EXPECT_EQ(r.count(), ReportBuffer::kCapacity);
}
