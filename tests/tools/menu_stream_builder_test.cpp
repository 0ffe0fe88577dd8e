// The menu-stream builder and the payload builders, read back by the PC's own parsers.
#include <gtest/gtest.h>

#include "command_payloads.h"
#include "content/box_record.h"
#include "content/list_record.h"
#include "content/menu_record.h"
#include "content/progress_record.h"
#include "content/text_record.h"
#include "content/transfer_record.h"
#include "content/value_table.h"
#include "demo_menu.h"
#include "menu_stream_builder.h"

namespace corvane::unitsim {
namespace {

// Feeds frames to a MenuRecord the way the dispatcher does.
void parseFrames(MenuRecord& record, const std::vector<Frame>& frames) {
    record.emptyBuffer();
    for (const Frame& f : frames) {
        record.append(f.data.data(), f.data.size());
        if (f.sub == 1) record.parse();
    }
}

ControlElement element(std::uint8_t id, char type, std::string text, std::optional<std::uint32_t> code = {},
                       std::uint8_t style = 0) {
    ControlElement c;
    c.id = id;
    c.type = type;
    c.left = 2;
    c.top = 4;
    c.right = 40;
    c.bottom = 10;
    c.text = std::move(text);
    c.code = code;
    c.style = style;
    return c;
}

TEST(MenuStreamBuilder, BuildsTheDocumentedElementBytes) {
    MenuStreamBuilder m;
    m.group("A", 1, 3).item("BC", 2, 5).endGroup().page(2, 0x010007);
    const std::vector<std::uint8_t> want = {0, 'F', 'A', '^', 0,   1, 3,   0, '$', 0, 'I', 'B', 'C', '^', 0, 2,
                                            5, 0,   '$', 0,   'E', 0, '$', 0, 'P', 0, 2,   1,   0,   7,   0, '$'};
    EXPECT_EQ(m.bytes(), want);
    MenuStreamBuilder c;
    c.page(1, 0).control(element(5, 'b', "OK")).control(element(6, 'b', "Go", 12, 0));
    const std::vector<std::uint8_t> tail = {0, 'O', 5, 'b', 2,  4,  40,  10,  'O', 'K', '^', 0,  '$', 0, 'O',
                                            6, 'b', 2, 4,   40, 10, 'G', 'o', '^', 0,   0,   12, 0,   0, '$'};
    EXPECT_EQ(std::vector<std::uint8_t>(c.bytes().begin() + 9, c.bytes().end()), tail);
}

TEST(MenuStreamBuilder, DemoMenuParsesBackToTheSameTreeAndPages) {
    const MenuStreamBuilder m = demo::buildDemoMenu();
    EXPECT_TRUE(m.problems().empty()) << m.problems().front();
    for (std::size_t frameSize : {1u, 7u, 120u, 249u}) {
        const std::vector<Frame> frames = m.frames(frameSize);
        ASSERT_EQ(frames.size(), (m.bytes().size() + frameSize - 1) / frameSize);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].letter, 'C');
            EXPECT_EQ(frames[i].sub, i + 1 == frames.size() ? 1 : 0);
            EXPECT_LE(frames[i].data.size(), frameSize);
        }
        MenuRecord r;
        parseFrames(r, frames);
        ASSERT_EQ(r.entryCount(), 21u);
        ASSERT_EQ(r.pageCount(), 11u);
    }

    MenuRecord r;
    parseFrames(r, m.frames(120));
    // Tree: kinds, names, ids and icons in order.
    struct E {
        int kind;
        const char* name;
        std::uint32_t id;
        int icon;
    };
    const E want[] = {{2, "Vehicle", 1, 1},
                      {2, "Engine", 2, 2},
                      {1, "Live data", 10, 3},
                      {1, "Fault codes", 11, 4},
                      {2, "Actuator tests", 3, 5},
                      {1, "Injector test", 12, 6},
                      {1, "Fuel pump", 13, 7},
                      {3, "", 0, 0},
                      {3, "", 0, 0},
                      {2, "Body", 4, 8},
                      {1, "Service reset", 14, 9},
                      {1, "Key programming", 15, 10},
                      {3, "", 0, 0},
                      {3, "", 0, 0},
                      {2, "Workshop", 5, 11},
                      {1, "Settings", 16, 12},
                      {1, "Customer", 17, 13},
                      {1, "Files", 18, 1},
                      {1, "Pop-ups", 19, 4},
                      {1, "About", 20, 2},
                      {3, "", 0, 0}};
    for (std::size_t i = 0; i < 21; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.entry(i).kind, want[i].kind);
        EXPECT_EQ(r.entry(i).name, want[i].name);
        EXPECT_EQ(r.entry(i).id, want[i].id);
        EXPECT_EQ(r.entry(i).icon, want[i].icon);
    }
    // Every item opens a page that carries its page code; every control type is used.
    std::set<char> types;
    for (std::size_t i = 0; i < 21; ++i) {
        if (r.entry(i).kind != 1) continue;
        const MenuPage* p = r.findPage(r.entry(i).id);
        ASSERT_NE(p, nullptr) << r.entry(i).name;
        EXPECT_EQ(p->pageCode, demo::pageCode(static_cast<std::uint16_t>(r.entry(i).id)));
        for (const auto& c : p->controls) types.insert(static_cast<char>(c->type));
    }
    EXPECT_EQ(types, (std::set<char>{'b', 'c', 'e', 'l', 'p', 's', 't', 'x'}));
    const MenuPage* live = r.findPage(demo::kLiveData);
    ASSERT_EQ(live->count(), 8u);
    const PageControl& snapshot = *live->controls[7];
    EXPECT_EQ(snapshot.type, 'b');
    EXPECT_EQ(snapshot.code, static_cast<std::uint32_t>(demo::kSnapshotButton));
    EXPECT_EQ(snapshot.style, 8);
    EXPECT_EQ(snapshot.text, "Snapshot");
    EXPECT_EQ((std::array<int, 4>{snapshot.left, snapshot.top, snapshot.right, snapshot.bottom}),
              (std::array<int, 4>{34, 48, 50, 64}));
    EXPECT_EQ(live->controls[1]->text, "Engine speed|rpm");
    EXPECT_EQ(live->controls[1]->code, 0u);
}

TEST(MenuStreamBuilder, FlagsBytesTheParserWouldMistakeForStructure) {
    // Id 0x0050 holds the pair 00 'P': the PC would find a page inside the item.
    MenuStreamBuilder bad;
    bad.item("X", 0x0050, 1).page(1, 0);
    ASSERT_EQ(bad.problems().size(), 1u);
    EXPECT_NE(bad.problems()[0].find("item 'X'"), std::string::npos);
    MenuRecord r;
    parseFrames(r, bad.frames());
    ASSERT_GE(r.pageCount(), 1u);
    EXPECT_NE(r.page(0).pageId, 1u);  // the problem is real: the PC sees a page that was never built

    MenuStreamBuilder more;
    more.item("Name^", 1, 1).page(2, 0x00240A).control(element(1, 'b', "B", 0x002401, 0));
    more.item("late", 3, 1);
    ASSERT_EQ(more.problems().size(), 5u) << ::testing::PrintToString(more.problems());
    EXPECT_NE(more.problems()[0].find("'^'"), std::string::npos);
    EXPECT_NE(more.problems()[1].find("page 2"), std::string::npos);
    EXPECT_NE(more.problems()[2].find("reads as no code"), std::string::npos);
    EXPECT_NE(more.problems()[3].find("control 1"), std::string::npos);
    EXPECT_NE(more.problems()[4].find("before the first page"), std::string::npos);
}

TEST(CommandPayloads, ParseBackThroughTheContentRecords) {
    BoxRecord box;
    const Bytes b = boxPayload('k', "Hi");
    box.append(b.data(), b.size());
    box.parse();
    EXPECT_EQ(box.boxKind(), static_cast<std::uint32_t>('k'));
    EXPECT_EQ(box.boxText(), "Hi");

    // A list over three frames, gathered as the dispatcher does.
    const std::vector<std::string> lines = {"Alder 1.6", "", "Cedar EV 2024 with a longer line"};
    const std::vector<Frame> lf = listFrames(3, lines, 10);
    ASSERT_EQ(lf.size(), 5u);
    ListRecord list;
    for (const Frame& f : lf) list.append(f.data.data(), f.data.size());
    EXPECT_EQ(lf.back().sub, 1);
    EXPECT_EQ(lf.front().sub, 0);
    list.parse();
    EXPECT_EQ(list.header(), 3u);
    EXPECT_EQ(list.items(), lines);

    TextRecord text;
    for (const Frame& f : textFrames(7, "line one\r\nline two", 6)) text.append(f.data.data(), f.data.size());
    text.parse();
    EXPECT_EQ(text.header(), 7u);
    EXPECT_EQ(text.text(), "line one\r\nline two");

    ValueTable values;
    const Bytes v = valuesPayload(2, {"x", "", "z"});
    EXPECT_EQ(v, (Bytes{2, 4, 'x', '|', '|', 'z', '^'}));
    values.fill(v.data(), v.size());
    std::string out;
    EXPECT_FALSE(values.value(1, out));
    EXPECT_TRUE(values.value(3, out));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(values.value(4, out));
    EXPECT_EQ(out, "z");

    ProgressRecord progress;
    const Bytes p = progressPayload(255, 100, 25);
    progress.fill(p.data(), p.size());
    EXPECT_EQ(progress.target(), 255u);
    EXPECT_EQ(progress.range(), 100);
    EXPECT_EQ(progress.position(), 25);

    TransferRecord transfer;
    const Bytes h = fileHeaderPayload("LOG.TXT", 1200);
    transfer.parseHeader(h.data(), h.size());
    EXPECT_EQ(transfer.fileName(), "LOG.TXT");
    EXPECT_EQ(transfer.announcedSize(), 1200);
    std::string name;
    std::size_t size = 0;
    ASSERT_TRUE(parseFileHeader(h, name, size));
    EXPECT_EQ(name, "LOG.TXT");
    EXPECT_EQ(size, 1200u);
    EXPECT_FALSE(parseFileHeader(Bytes{'^'}, name, size));

    Bytes file(450);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<Frame> ef = fileDataFrames(file, 200);
    ASSERT_EQ(ef.size(), 3u);
    EXPECT_EQ(ef[0].sub, 2);
    EXPECT_EQ(ef[1].sub, 0);
    EXPECT_EQ(ef[2].sub, 0);
    for (const Frame& f : ef) {
        if (f.sub == 2) transfer.emptyStore();
        transfer.append(f.data.data(), f.data.size());
    }
    EXPECT_EQ(Bytes(transfer.store(), transfer.store() + transfer.held()), file);

    ReportLayout layout;
    layout.control(5).colon().control(6).space().lineBreak();
    EXPECT_EQ(layout.frame().data, (Bytes{5, 252, 6, 253, 254}));
    EXPECT_EQ(layout.frame().sub, 1);
    EXPECT_EQ(splitValueReply(Bytes{'a', '|', '|', 'c', '^'}), (std::vector<std::string>{"a", "", "c"}));
    EXPECT_TRUE(splitValueReply({}).empty());
}

}  // namespace
}  // namespace corvane::unitsim
