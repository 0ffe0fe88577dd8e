#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "content/menu_record.h"

using corvane::MenuContent;
using corvane::MenuRecord;
using corvane::MenuTreeEntry;

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes bytes(std::initializer_list<int> v) {
    Bytes out;
    for (int b : v) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

void feed(MenuRecord& m, const Bytes& b) { m.append(b.data(), b.size()); }
}  // namespace

TEST(MenuRecord, ParsesTreeAndPageOfTheReferenceStream) {
    MenuRecord m;
    feed(m, bytes({0, 'F', 'A', '^', 0,   1, 3,   0, '$', 0, 'I', 'B', 'C',  '^', 0, 2,
                   5, 0,   '$', 0,   'E', 0, '$', 0, 'P', 0, 2,   1,   0xFF, 7,   0, '$'}));
    m.parse();
    ASSERT_EQ(m.entryCount(), 3u);
    EXPECT_EQ(m.entry(0).kind, MenuTreeEntry::GroupOpen);
    EXPECT_EQ(m.entry(0).name, "A");
    EXPECT_EQ(m.entry(0).id, 1u);
    EXPECT_EQ(m.entry(0).icon, 3);
    EXPECT_EQ(m.entry(1).kind, MenuTreeEntry::Item);
    EXPECT_EQ(m.entry(1).name, "BC");
    EXPECT_EQ(m.entry(1).id, 2u);
    EXPECT_EQ(m.entry(1).icon, 5);
    EXPECT_EQ(m.entry(2).kind, MenuTreeEntry::GroupClose);
    ASSERT_EQ(m.pageCount(), 1u);
    EXPECT_EQ(m.page(0).pageId, 2u);
    EXPECT_EQ(m.page(0).count(), 0u);
    EXPECT_EQ(m.page(0).pageCode, 0x010007u);
}

TEST(MenuRecord, ControlsWithAndWithoutCodeAndStyle) {
    MenuRecord m;
    feed(m, bytes({0,   'P', 0,   9,   0,   0,    0,   0,   '$', 0, 'O', 5,   'b', 1,   2,   9,    3, 'O',
                   'K', '^', 0,   '$', 0,   'O',  6,   'b', 1,   2, 9,   3,   'G', 'o', '^', 0,    0, 0x0C,
                   0,   0,   '$', 0,   'O', 0xFF, 'c', 1,   2,   9, 3,   '^', 1,   2,   3,   0xFF, 0, '$'}));
    m.parse();
    ASSERT_EQ(m.pageCount(), 1u);
    const auto& page = m.page(0);
    ASSERT_EQ(page.count(), 3u);
    const auto& ok = *page.controls[0];
    EXPECT_EQ(ok.id, 5);
    EXPECT_EQ(ok.type, 'b');
    EXPECT_EQ(ok.left, 1);
    EXPECT_EQ(ok.top, 2);
    EXPECT_EQ(ok.right, 9);
    EXPECT_EQ(ok.bottom, 3);
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.code, 0u);
    EXPECT_EQ(ok.style, 0);
    EXPECT_EQ(page.controls[1]->text, "Go");
    EXPECT_EQ(page.controls[1]->code, 12u);
    EXPECT_EQ(page.controls[1]->style, 0);
    // id 255 and style 255 are stored as 0; an empty text has last = first - 1.
    const auto& third = *page.controls[2];
    EXPECT_EQ(third.id, 0);
    EXPECT_EQ(third.text, "");
    EXPECT_EQ(third.textLast, static_cast<std::int64_t>(third.textFirst) - 1);
    EXPECT_EQ(third.code, 0x010203u);
    EXPECT_EQ(third.style, 0);
}

TEST(MenuRecord, QuirksOfTheTwoPassesAreKept) {
    MenuRecord m;
    // An item id 00 50 reads as 00 'P' in the page pass and starts a page there; a 00 '$'
    // inside a body ends the tree element early.
    feed(m, bytes({0, 'I', 'X', '^', 0, 'P', 1, 0, '$', 0, 'I', 'Y', 0, '$', 'Z', '^', 0, 3, 1, 0, '$'}));
    m.parse();
    EXPECT_GE(m.pageCount(), 1u);
    ASSERT_GE(m.entryCount(), 2u);
    EXPECT_EQ(m.entry(0).id, 0x50u);
    EXPECT_EQ(m.entry(1).name, "Y");
}

TEST(MenuRecord, IconByte255IsStoredAsZeroAndLongNamesAreCut) {
    MenuRecord m;
    Bytes s = {0, 'I'};
    for (int i = 0; i < 40; ++i) s.push_back('n');
    for (int b : std::initializer_list<int>{'^', 0, 7, 0xFF, 0, '$'}) s.push_back(static_cast<std::uint8_t>(b));
    feed(m, s);
    m.parse();
    ASSERT_EQ(m.entryCount(), 1u);
    EXPECT_EQ(m.entry(0).name, std::string(30, 'n'));
    EXPECT_EQ(m.entry(0).id, 7u);
    EXPECT_EQ(m.entry(0).icon, 0);
}

TEST(MenuRecord, NeverReadsPastTheBytesHeldOrStaleBytes) {
    MenuRecord m;
    // A long first transfer, then a short one that is a prefix of a page header and a
    // control without '^': nothing of the first may show up in the second parse.
    Bytes first = {0, 'P', 0, 1, 0, 0, 0, 0, '$', 0, 'O', 1, 'b', 1, 1, 2, 2, 'L', 'o', 'n', 'g', '^', 0, '$'};
    feed(m, first);
    m.parse();
    ASSERT_EQ(m.pageCount(), 1u);
    m.emptyBuffer();
    feed(m, bytes({0, 'P', 0, 2, 0, 0, 0, 0, '$', 0, 'O', 1, 'b', 1, 1, 2, 2, 'x'}));
    m.parse();
    ASSERT_EQ(m.pageCount(), 1u);
    EXPECT_EQ(m.page(0).count(), 0u) << "a control whose text never ends is skipped";
    // Truncated elements at the very end of the buffer.
    for (const Bytes& tail : {bytes({0}), bytes({0, 'P'}), bytes({0, 'P', 0, 3, 1}), bytes({0, 'F', 'a', '^'}),
                              bytes({0, 'P', 0, 4, 0, 0, 0, 0, '$', 0, 'O', 1, 'b'})}) {
        MenuRecord t;
        feed(t, tail);
        t.parse();
        EXPECT_LE(t.pageCount(), 1u);
    }
}

TEST(MenuRecord, ALaterTransferReplacesTheMenuAndEarlierCopiesStayWhole) {
    MenuRecord m;
    feed(m, bytes({0,   'I', 'A', '^', 0,   1, 1, 0, '$', 0,   'P', 0,   1,   0,   0,   0, 0,
                   '$', 0,   'O', 1,   't', 1, 1, 2, 2,   'F', 'i', 'r', 's', 't', '^', 0, '$'}));
    m.parse();
    const MenuContent first = m.snapshot();
    m.emptyBuffer();
    feed(m, bytes({0, 'P', 0, 2, 0, 0, 0, 0, '$', 0, 'O', 1, 't', 1, 1, 2, 2, 'S', 'e', 'c', '^', 0, '$'}));
    m.parse();
    // A unit that restarted sends its whole menu again: nothing of the first one stays.
    EXPECT_EQ(m.entryCount(), 0u);
    ASSERT_EQ(m.pageCount(), 1u);
    EXPECT_EQ(m.findPage(1), nullptr);
    EXPECT_EQ(m.findPage(2)->controls[0]->text, "Sec");
    // The copy handed out for the first menu is the window's own.
    ASSERT_EQ(first.entries.size(), 1u);
    EXPECT_EQ(first.entries[0].name, "A");
    ASSERT_NE(first.findPage(1), nullptr);
    EXPECT_EQ(first.findPage(1)->controls[0]->text, "First");
    EXPECT_EQ(first.findPage(2), nullptr);
}

TEST(MenuRecord, CapacitiesAreHeld) {
    MenuRecord m;
    Bytes s;
    for (int i = 0; i < 150; ++i)
        for (int b : std::initializer_list<int>{0, 'I', 'a', '^', 0, i & 0x7F, 1, 0, '$'})
            s.push_back(static_cast<std::uint8_t>(b));
    for (int pg = 0; pg < 120; ++pg) {
        for (int b : std::initializer_list<int>{0, 'P', 1, pg, 0, 0, 0, 0, '$'})
            s.push_back(static_cast<std::uint8_t>(b));
    }
    feed(m, s);
    m.parse();
    EXPECT_EQ(m.entryCount(), MenuRecord::kMaxEntries);
    EXPECT_EQ(m.pageCount(), MenuRecord::kMaxPages);

    // The buffer drops bytes beyond 50000.
    MenuRecord big;
    Bytes chunk(40000, 'x');
    feed(big, chunk);
    feed(big, chunk);
    EXPECT_EQ(big.bufferCount(), MenuRecord::kBufferCapacity);
    big.parse();
    EXPECT_EQ(big.entryCount(), 0u);

    // At most 200 controls per page.
    MenuRecord many;
    Bytes p = {0, 'P', 0, 1, 0, 0, 0, 0, '$'};
    for (int i = 0; i < 230; ++i)
        for (int b : std::initializer_list<int>{0, 'O', 1, 'b', 1, 1, 2, 2, '^', 0, '$'})
            p.push_back(static_cast<std::uint8_t>(b));
    feed(many, p);
    many.parse();
    ASSERT_GE(many.pageCount(), 1u);
    // The '$' of the page's own terminator takes the first of the 200 steps.
    EXPECT_EQ(many.page(0).count(), 199u);
}
