// Replaying a trace the link wrote during a demo session against a fresh link: the same
// conversation gives the same replies, what the user did gives only notes, and an edited
// reply is caught at its frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "demo_menu.h"
#include "demo_workshop.h"
#include "scripted_ui.h"
#include "trace_reader.h"
#include "trace_replay.h"
#include "unit_line.h"

namespace corvane::unitsim {
namespace {

using namespace std::chrono_literals;
using testing::ScriptedUi;

// One demo session with a user, traced by the link, recorded once for all tests here.
class RecordedSession {
public:
    static const std::vector<TraceRecord>& records() {
        static RecordedSession session;
        return session.records_;
    }

private:
    RecordedSession() {
        // A folder of its own: test programs run in parallel, also from other build folders.
        char tmpl[] = "/tmp/corvane-replay-XXXXXX";
        if (::mkdtemp(tmpl) == nullptr) {
            ADD_FAILURE() << "no temporary folder";
            return;
        }
        const std::string dir = tmpl;
        const std::string tracePath = dir + "/trace.txt";
        const std::string logPath = dir + "/log.csv";
        std::string error;
        std::unique_ptr<UnitLine> line = UnitLine::openPty(error);
        if (!line) return;
        UnitSession session(*line, 128);
        DemoWorkshop demo(session);
        std::thread unit([&] { demo.run(); });
        {
            UnitLink link(100ms);
            ScriptedUi ui(link);
            link.openTrace(tracePath);
            if (link.openByName(line->slavePath())) {
                link.setMainWindow(&ui);
                link.startWorker();
                auto taken = [&] { return ui.pumpUntil([&] { return !ui.busy; }); };
                bool ok = ui.pumpUntil([&] { return ui.menus == 1 && ui.currentPage == demo::kAbout && !ui.busy; });
                // Settings changed by the user and read back ('R').
                ui.selectPage(demo::kSettings);
                ok = ok && taken() && ui.pumpUntil([&] {
                    return ui.valueOf(demo::settings::kWorkshop) ==
                           "Garage M\xFC"
                           "ller";
                });
                ui.typeInto(demo::settings::kWorkshop, "Smith Motors");
                ok = ok && ui.pressButton(demo::kSaveSettingsButton) && ui.pumpUntil([&] {
                    return !ui.boxes.empty() && ui.boxes.back().text == "Settings saved" && ui.messageBox == 0;
                });
                // A file sent to the PC and saved, then loaded by the user and fetched by the unit.
                ui.selectPage(demo::kFiles);
                ui.plans['s'] = {2, "", 0, logPath};
                ui.plans['o'] = {2, "", 0, logPath};
                ok = ok && taken() && ui.pressButton(demo::kSaveLogButton) &&
                     ui.pumpUntil([&] { return ui.valueOf(demo::files::kResult) == "log.csv saved on the PC."; }) &&
                     taken() && ui.pressButton(demo::kLoadFileButton) && ui.pumpUntil([&] {
                         return ui.valueOf(demo::files::kResult).find("same as the saved log") != std::string::npos;
                     });
                // Every record up to the text that reports the fetched file is written by now: a
                // record goes to the file before the link reads the next frame.
                if (!ok) ADD_FAILURE() << "the recorded session did not run through";
            }
            link.close();
        }
        line->requestStop();
        unit.join();
        const TraceParse parsed = loadTrace(tracePath);
        if (!parsed.ok) ADD_FAILURE() << parsed.error;
        records_ = parsed.records;
        std::remove(tracePath.c_str());
        std::remove(logPath.c_str());
        ::rmdir(dir.c_str());
    }
    std::vector<TraceRecord> records_;
};

// Plays records to a fresh link on a pseudo-terminal; no window, nobody answers pop-ups.
struct ReplayRun {
    bool passed = false;
    std::string difference;
    std::size_t played = 0, notes = 0;
    std::string output;
};

ReplayRun replay(const std::vector<TraceRecord>& records, bool verbose = true) {
    ReplayRun run;
    std::string error;
    std::unique_ptr<UnitLine> line = UnitLine::openPty(error);
    if (!line) {
        run.difference = error;
        return run;
    }
    UnitLink link(100ms);
    if (!link.openByName(line->slavePath())) {
        run.difference = "the link could not open " + line->slavePath();
        return run;
    }
    link.startWorker();
    UnitSession session(*line, 128);
    session.replyTimeout = 10s;
    std::ostringstream out;
    TraceReplay player(session, &out);
    player.verbose = verbose;
    run.passed = player.play(records);
    run.difference = player.difference();
    run.played = player.framesPlayed();
    run.notes = player.notes();
    run.output = out.str();
    link.close();
    return run;
}

std::size_t firstIndex(const std::vector<TraceRecord>& records, char command, std::size_t from = 0) {
    for (std::size_t i = from; i < records.size(); ++i)
        if (records[i].command.letter == static_cast<std::uint8_t>(command)) return i;
    return records.size();
}

TEST(TraceReplay, TheRecordedSessionReplaysWithoutDifference) {
    const auto& records = RecordedSession::records();
    ASSERT_GT(records.size(), 50u);
    for (char letter : std::string("CJSYZBRDTNEGF")) ASSERT_LT(firstIndex(records, letter), records.size()) << letter;
    const ReplayRun run = replay(records);
    EXPECT_TRUE(run.passed) << run.difference << "\n" << run.output;
    EXPECT_EQ(run.played, records.size());
    // The user's page choices and answers, the settings read back and the header of the file
    // the user loaded ("log.csv" instead of the unit's name) are not there this time.
    EXPECT_NE(run.output.find("status reply: choice FF FF FF instead of 01 01 "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("(what the user set on the page)"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("file header"), std::string::npos) << run.output;
    EXPECT_GT(run.notes, 3u);
}

TEST(TraceReplay, ATraceSwitchedOnMidConversationReplaysFromTheStateItShows) {
    const auto& records = RecordedSession::records();
    const std::size_t menuDone = firstIndex(records, 'J');  // the menu is complete before the first jump
    const std::size_t header = firstIndex(records, 'G');
    ASSERT_LT(header, records.size());
    // Switched on after the menu came, and switched on while the user's file was being fetched
    // (the file-open box is answered, the file is on the PC).
    for (const std::size_t from : {menuDone + 3, header}) {
        SCOPED_TRACE("the trace starts at record " + std::to_string(from + 1));
        const std::vector<TraceRecord> late(records.begin() + static_cast<std::ptrdiff_t>(from), records.end());
        const ReplayRun run = replay(late, false);
        EXPECT_TRUE(run.passed) << run.difference << "\n" << run.output;
        EXPECT_EQ(run.played, late.size());
        EXPECT_EQ(run.output.find("note:"), std::string::npos) << "notes are only counted without --verbose";
        if (from != header) {
            EXPECT_NE(run.output.find("corvane-unit: assumed: the trace began after the menu was loaded: a stand-in "
                                      "menu was sent first"),
                      std::string::npos)
                << run.output;
        } else {
            EXPECT_NE(run.output.find("assumed: the trace reads a file the PC held before it began"), std::string::npos)
                << run.output;
            EXPECT_GT(run.notes, 0u);
        }
    }
}

TEST(TraceReplay, AnEditedReplyIsCaughtAtItsFrame) {
    auto records = RecordedSession::records();
    ASSERT_GT(records.size(), 50u);
    // The menu-loaded byte of the status reply after the menu: set by the link alone.
    const std::size_t poll = firstIndex(records, 'S');
    ASSERT_LT(poll, records.size());
    ASSERT_EQ(records[poll].reply.data.at(5), 0x01);
    records[poll].reply.data[5] = 0xFF;
    // Written and read back like a trace file, so the line numbers are the file's.
    std::string text;
    for (const TraceRecord& r : records) text += formatTraceRecord(r.command, r.reply);
    const TraceParse edited = parseTrace(text, "edited");
    ASSERT_TRUE(edited.ok) << edited.error;
    const std::vector<TraceRecord> shortened(edited.records.begin(),
                                             edited.records.begin() + static_cast<std::ptrdiff_t>(poll + 5));

    const ReplayRun run = replay(shortened);
    EXPECT_FALSE(run.passed);
    EXPECT_EQ(run.played, poll + 1);
    const std::string frame =
        "frame " + std::to_string(poll + 1) + " (trace line " + std::to_string(edited.records[poll].line) + ")";
    EXPECT_GT(edited.records[poll].line, static_cast<int>(4 * poll + 1));  // menu frames hold line feeds
    EXPECT_EQ(run.difference.rfind(frame + ": the reply differs: menu-loaded byte 01 instead of FF\n", 0), 0u)
        << run.difference;
    EXPECT_NE(run.difference.find("\n  command:  RX - 0x02,0x53,0x00 -  - 0x55,"), std::string::npos) << run.difference;
    EXPECT_NE(run.difference.find("\n  recorded: TX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3,"),
              std::string::npos)
        << run.difference;
    EXPECT_NE(run.difference.find("\n  replayed: TX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0x01,0x5E, - 0xA5,"),
              std::string::npos)
        << run.difference;
}

TEST(TraceReplay, WhatTheUserLoadedGivesNotesTheUnitsOwnFileMustMatch) {
    auto records = RecordedSession::records();
    // The unit fetches the file the user loaded through the file-open box: its chunks may be
    // anything this time, so even a changed byte only gives a note.
    const std::size_t chunk = firstIndex(records, 'F');
    ASSERT_LT(chunk, records.size());
    ASSERT_FALSE(records[chunk].reply.data.empty());
    records[chunk].reply.data[0] ^= 0x01;
    const std::vector<TraceRecord> loaded(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(chunk + 1));
    const ReplayRun note = replay(loaded);
    EXPECT_TRUE(note.passed) << note.difference;
    EXPECT_NE(note.output.find("frame " + std::to_string(chunk + 1) + " (trace line " +
                               std::to_string(records[chunk].line) + "): file chunk DATA byte 1"),
              std::string::npos)
        << note.output;

    // Without the file-open box the PC still holds the unit's own file, named as the unit
    // named it: the header the user's file gave ("log.csv") is then a real difference.
    std::vector<TraceRecord> own;
    for (std::size_t i = 0; i <= chunk; ++i)
        if (records[i].command.letter != 'B' || records[i].command.data.empty() || records[i].command.data[0] != 'o')
            own.push_back(records[i]);
    const std::size_t header = firstIndex(own, 'G');
    ASSERT_LT(header, own.size());
    const ReplayRun exact = replay(own);
    EXPECT_FALSE(exact.passed);
    EXPECT_EQ(exact.played, header + 1);
    EXPECT_NE(exact.difference.find("frame " + std::to_string(header + 1) + " (trace line "), std::string::npos);
    EXPECT_NE(exact.difference.find(": the reply differs: "), std::string::npos) << exact.difference;
}

}  // namespace
}  // namespace corvane::unitsim
