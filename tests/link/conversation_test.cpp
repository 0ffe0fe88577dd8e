// The opening rules, every command letter and the status reply, over a pseudo-terminal.
#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

class Conversation : public LinkFixture {};

TEST_F(Conversation, HandshakeIsAnsweredOnceThenTheConversationOpens) {
    auto h = unit.exchange('H', 1, Bytes{0x80});
    ASSERT_TRUE(h);
    EXPECT_EQ(h->letter, 'H');
    EXPECT_EQ(h->sub, 1);
    EXPECT_TRUE(h->data.empty());
    unit.send('H', 1, Bytes{0x20});
    EXPECT_FALSE(unit.reply(300ms)) << "a second 'H' before the conversation opens gets no reply";
    EXPECT_EQ(status(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, '^'}));
    EXPECT_EQ(link.replySizeLimit(), 128u);
    // A unit that restarts is answered with the status reply and its limit is not taken.
    auto again = unit.exchange('H', 1, Bytes{0x40});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->letter, 'A');
    EXPECT_EQ(link.replySizeLimit(), 128u);
}

TEST_F(Conversation, HandshakeWithoutDataKeepsTheDefaultLimit) {
    auto h = unit.exchange('H', 1);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->letter, 'H');
    status();
    EXPECT_EQ(link.replySizeLimit(), 64u);
}

TEST_F(Conversation, AnyOtherFirstLetterOpensTheConversation) {
    expectK(unit.exchange('J', 1, Bytes{0, 5}));
    EXPECT_TRUE(link.conversationOpen());
    ASSERT_TRUE(listener.waitFor(WM_LINK_SHOW_PAGE));
    EXPECT_EQ(listener.entries().back().as<LinkShowPage>().pageId, 5u);
}

TEST_F(Conversation, UnknownLettersRepeatThePreviousReply) {
    // Before any reply was prepared, the plain acknowledgement.
    expectK(unit.exchange('Q', 1));
    EXPECT_TRUE(link.conversationOpen());
    link.updateAnswer([](PendingAnswer& a) { a.boxResult = 2; });
    const Bytes a = status();
    auto q = unit.exchange('Q', 7, Bytes{1, 2});
    ASSERT_TRUE(q);
    EXPECT_EQ(q->letter, 'A');
    EXPECT_EQ(q->data, a);
}

TEST_F(Conversation, ChoicesTravelUntilTheUnitAcknowledges) {
    openConversation();
    // Key-pad key 5.
    link.updateAnswer([](PendingAnswer& a) {
        a.choiceHigh = PendingAnswer::kKeyPadChoice;
        a.choiceMid = 5;
        a.choiceLow = 255;
        a.listChoice = 255;
        a.answerText.clear();
    });
    EXPECT_EQ(status(), (Bytes{0xFE, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, '^'}));
    EXPECT_EQ(status(), (Bytes{0xFE, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, '^'})) << "kept until 'Y'";
    expectK(unit.exchange('Y', 1));
    EXPECT_EQ(listener.count(WM_LINK_CHOICE_TAKEN), 1u);
    EXPECT_EQ(status(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, '^'}));

    // A box answer with text stays until 'Z'.
    link.updateAnswer([](PendingAnswer& a) {
        a.boxResult = 2;
        a.listChoice = 3;
        a.answerText = "Line";
    });
    EXPECT_EQ(status(), (Bytes{0xFF, 0xFF, 0xFF, 2, 3, 0xFF, 'L', 'i', 'n', 'e', '^'}));
    expectK(unit.exchange('Y', 1));
    EXPECT_EQ(status(), (Bytes{0xFF, 0xFF, 0xFF, 2, 3, 0xFF, 'L', 'i', 'n', 'e', '^'}));
    expectK(unit.exchange('Z', 1));
    EXPECT_EQ(listener.count(WM_LINK_BOX_TAKEN), 1u);
    EXPECT_EQ(status(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, '^'}));
}

TEST_F(Conversation, StatusTextFitsTheDefaultLimit) {
    auto h = unit.exchange('H', 1);  // limit stays 64
    ASSERT_TRUE(h);
    link.updateAnswer([](PendingAnswer& a) { a.answerText = std::string(52, 't'); });
    EXPECT_EQ(status().size(), 7u + 52u);
    link.updateAnswer([](PendingAnswer& a) { a.answerText = std::string(53, 't'); });
    EXPECT_EQ(status().size(), 7u);
}

TEST_F(Conversation, GatheredRecordsAndTheirMessages) {
    openConversation();
    // 'C' over three frames gives one parse and one message; menuLoaded becomes 1.
    const Bytes menu = {0, 'F', 'A', '^', 0,   1, 3,   0, '$', 0, 'I', 'B', 'C',  '^', 0, 2,
                        5, 0,   '$', 0,   'E', 0, '$', 0, 'P', 0, 2,   1,   0xFF, 7,   0, '$'};
    expectK(unit.exchange('C', 0, Bytes(menu.begin(), menu.begin() + 10)));
    expectK(unit.exchange('C', 0, Bytes(menu.begin() + 10, menu.begin() + 20)));
    expectK(unit.exchange('C', 1, Bytes(menu.begin() + 20, menu.end())));
    ASSERT_TRUE(listener.waitFor(WM_LINK_MENU));
    EXPECT_EQ(listener.count(WM_LINK_MENU), 1u);
    withRecords([&] {
        EXPECT_EQ(link.menuRecord().entryCount(), 3u);
        EXPECT_EQ(link.menuRecord().pageCount(), 1u);
    });
    EXPECT_EQ(status()[5], 1) << "menuLoaded";

    // 'L' with SUB 0, 0, 1; then a list interrupted by 'S' restarts its gathering.
    expectK(unit.exchange('L', 0,
                          bytesOf("\x03"
                                  "A|")));
    expectK(unit.exchange('L', 0, bytesOf("B|")));
    expectK(unit.exchange('L', 1, bytesOf("C^")));
    ASSERT_TRUE(listener.waitFor(WM_LINK_LIST));
    EXPECT_EQ(listener.entries().back().as<LinkList>().header, 3u);
    withRecords([&] { EXPECT_EQ(link.listRecord().items(), (std::vector<std::string>{"A", "B", "C"})); });
    expectK(unit.exchange('L', 0,
                          bytesOf("\x04"
                                  "old|")));
    status();
    expectK(unit.exchange('L', 1,
                          bytesOf("\x05"
                                  "new^")));
    ASSERT_TRUE(listener.waitFor(WM_LINK_LIST, 2));
    withRecords([&] {
        EXPECT_EQ(link.listRecord().header(), 5u);
        EXPECT_EQ(link.listRecord().items(), std::vector<std::string>{"new"});
    });

    // 'T' gathers the same way.
    expectK(unit.exchange('T', 0,
                          bytesOf("\x09"
                                  "Hel")));
    expectK(unit.exchange('T', 1, bytesOf("lo^")));
    ASSERT_TRUE(listener.waitFor(WM_LINK_TEXT));
    withRecords([&] {
        EXPECT_EQ(link.textRecord().header(), 9u);
        EXPECT_EQ(link.textRecord().text(), "Hello");
    });

    // 'B' parses on every frame; 'X' asks for the same box again.
    expectK(unit.exchange('B', 1, bytesOf("kHi^")));
    ASSERT_TRUE(listener.waitFor(WM_LINK_BOX));
    withRecords([&] {
        EXPECT_EQ(link.boxRecord().boxKind(), static_cast<std::uint32_t>('k'));
        EXPECT_EQ(link.boxRecord().boxText(), "Hi");
    });
    expectK(unit.exchange('X', 1));
    ASSERT_TRUE(listener.waitFor(WM_LINK_BOX, 2));
    EXPECT_TRUE(listener.entries().back().as<LinkBox>().again);
    EXPECT_EQ(listener.entries().back().as<LinkBox>().text, "Hi");
}

TEST_F(Conversation, ValuesProgressAndTheReadBack) {
    openConversation(64);
    auto d = unit.exchange('D', 1, bytesOf("\x02\x04x||z^"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->letter, 'A');
    ASSERT_TRUE(listener.waitFor(WM_LINK_VALUES));
    std::string v;
    withRecords([&] { EXPECT_TRUE(link.valueTable().value(4, v)); });
    EXPECT_EQ(v, "z");

    auto p = unit.exchange('P', 1,
                           bytesOf("\xFF"
                                   "100|25|"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->letter, 'A');
    ASSERT_TRUE(listener.waitFor(WM_LINK_PROGRESS));
    withRecords([&] { EXPECT_EQ(link.progressRecord().position(), 25); });

    // 'R': the window fills the reply text while the worker waits.
    listener.setOnSent([&](const LinkNotification& m) {
        auto records = link.lockRecords();
        const auto* request = std::get_if<LinkValueRequest>(&m);
        if (!request) return;
        EXPECT_EQ(request->first, 1u);
        EXPECT_EQ(request->last, 3u);
        link.valueTable().addReplyValue(std::string(30, 'a'));
        link.valueTable().addReplyValue(std::string(25, 'b'));
        link.valueTable().addReplyValue("cc");
        link.valueTable().closeReply();
    });
    auto o = unit.exchange('R', 1, Bytes{1, 3});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->letter, 'O');
    EXPECT_EQ(o->data.size(), 57u);
    EXPECT_EQ(o->data.back(), '^');
    // Without a window answer the reply is empty rather than the previous text.
    listener.setOnSent(nullptr);
    auto empty = unit.exchange('R', 1, Bytes{1, 3});
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->data.empty());
}

TEST_F(Conversation, ReportsAreSavedOnlyFromSubOne) {
    openConversation();
    int saved = 0;
    std::string layout;
    listener.setOnSent([&](const LinkNotification& m) {
        auto records = link.lockRecords();
        if (!std::holds_alternative<LinkReport>(m)) return;
        ++saved;
        auto& r = link.reportBuffer();
        r.rewind();
        for (std::uint8_t b; (b = r.nextByte()) != 0;) layout.push_back(static_cast<char>(b));
    });
    expectK(unit.exchange('W', 0, bytesOf("lost")));
    expectK(unit.exchange('W', 1, bytesOf("kept")));
    withRecords([&] {
        EXPECT_EQ(saved, 1);
        EXPECT_EQ(layout, "kept");
    });
    withRecords([&] { EXPECT_EQ(link.reportBuffer().count(), 0u); });
}

TEST_F(Conversation, CommandsWithoutAWindowAreStillAnswered) {
    link.setMainWindow(nullptr);
    openConversation();
    expectK(unit.exchange('Y', 1));
    auto o = unit.exchange('R', 1, Bytes{1, 1});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->letter, 'O');
    EXPECT_TRUE(listener.entries().empty());
}

// Every reply must fit the writer's 246 DATA bytes, whatever capacity the unit announces.
class ReplyCapacity : public LinkFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ReplyCapacity, EveryReplyFits) {
    const int capacity = GetParam();
    openConversation(capacity);
    ASSERT_EQ(link.replySizeLimit(), static_cast<std::uint32_t>(capacity));

    // Status text: included only when it is below the limit minus 11 and fits the reply.
    const std::size_t longest = std::min<std::size_t>(capacity - 12, kMaxReplyData - 7);
    link.updateAnswer([&](PendingAnswer& a) { a.answerText = std::string(longest, 'q'); });
    EXPECT_EQ(status().size(), 7 + longest);
    link.updateAnswer([&](PendingAnswer& a) { a.answerText = std::string(longest + 1, 'q'); });
    EXPECT_EQ(status().size(), 7u);

    // 'F' chunks.
    std::vector<std::uint8_t> file(1000);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(withRecords([&] { return link.transferRecord().load(file.data(), file.size(), "f.bin"); }));
    std::vector<std::uint8_t> got;
    for (int guard = 0; guard < 100; ++guard) {
        auto i = unit.exchange('F', 1);
        ASSERT_TRUE(i);
        ASSERT_EQ(i->letter, 'I');
        EXPECT_EQ(
            i->data.size(),
            i->data.empty() ? 0 : std::min<std::size_t>({capacity - 4u, kMaxReplyData, file.size() - got.size()}));
        if (i->data.empty()) break;
        got.insert(got.end(), i->data.begin(), i->data.end());
    }
    EXPECT_EQ(got, file);

    // 'G' header with a long name and an eleven-character size.
    // The unit can send at most 249 DATA bytes: a 236-byte name with a ten-character size.
    const std::string name(std::min(capacity - 6, 236), 'n');
    std::string header = name + "|-999999999^";
    expectK(unit.exchange('N', 1, bytesOf(header)));
    auto g = unit.exchange('G', 1);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->letter, 'N');
    EXPECT_LE(g->data.size(), kMaxReplyData);
    if (name.size() + 12 <= kMaxReplyData)
        EXPECT_EQ(std::string(g->data.begin(), g->data.end()), header);
    else
        EXPECT_EQ(g->data, Bytes{'^'});

    // 'O' with every value the window can offer.
    listener.setOnSent([&](const LinkNotification& m) {
        auto records = link.lockRecords();
        if (!std::holds_alternative<LinkValueRequest>(m)) return;
        while (link.valueTable().addReplyValue("12345")) {
        }
        link.valueTable().closeReply();
    });
    auto o = unit.exchange('R', 1, Bytes{1, 200});
    ASSERT_TRUE(o);
    EXPECT_LE(o->data.size(), ValueTable::kReplyCapacity);
    EXPECT_EQ(o->data.back(), '^');
}

INSTANTIATE_TEST_SUITE_P(Capacities, ReplyCapacity, ::testing::Values(64, 128, 240, 255));
