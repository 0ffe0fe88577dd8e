// The recording file: what the recorder writes reads back the same, a damaged or foreign file is
// refused line by line, a file that cannot be written ends the recording with its reason, and
// the values that count as numbers on a graph.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <iterator>

#include "readings/reading_number.h"
#include "readings/readings_csv.h"
#include "readings/readings_recorder.h"
#include "temp_dir.h"

using namespace corvane;
using corvane::test::TempDir;

namespace {
QDateTime at(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, -3 * 3600 - 1800); }

struct ReadBack {
    std::vector<ReadingColumn> columns;
    std::vector<std::pair<qint64, std::vector<QString>>> rows;
    std::vector<QString> faults;
};

ReadBack readBack(const QString& name, std::string_view bytes) {
    ReadBack r;
    RecordingReader reader;
    reader.columns = [&](const std::vector<ReadingColumn>& c) { r.columns = c; };
    reader.row = [&](qint64 t, const std::vector<QString>& v) { r.rows.emplace_back(t, v); };
    r.faults = reader.parse(name, bytes);
    return r;
}
}  // namespace

TEST(ReadingNumber, NumbersAndWhatIsNoNumber) {
    EXPECT_EQ(readingNumber("812"), 812.0);
    EXPECT_EQ(readingNumber(" -12.5 "), -12.5);
    EXPECT_EQ(readingNumber("13,8"), 13.8) << "a decimal comma";
    EXPECT_EQ(readingNumber("+1e3"), 1000.0);
    for (const char* text : {"", "---", "  ", "12 V", "P0300", "nan", "inf", "-", "1,234,5", "0x10", "1e999"})
        EXPECT_FALSE(readingNumber(text)) << text;
}

TEST(RecordingFile, WhatIsWrittenReadsBackWithItsTimesAndTexts) {
    TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "r.csv").string());
    ReadingsRecorder recorder;
    ASSERT_TRUE(recorder.start(path, {{"Speed", "km/h"}, {"Note, \"quoted\"", ""}}));
    ASSERT_TRUE(recorder.write(at(1765270987250), {"12.5", "line\r\nbreak \xB0"}));
    ASSERT_TRUE(recorder.write(at(1765270987500), {"", "M\xFCller"}));
    recorder.stop();
    EXPECT_EQ(recorder.rows(), 2u);

    std::ifstream in(path.toStdString(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2), "time,Speed [km/h],\"Note, \"\"quoted\"\"\"\r\n");
    EXPECT_NE(bytes.find("2025-12-09T05:33:07.250-03:30,12.5,\"line\r\nbreak \xC2\xB0\"\r\n"), std::string::npos)
        << bytes;

    const ReadBack r = readBack(QStringLiteral("r.csv"), bytes);
    ASSERT_TRUE(r.faults.empty()) << r.faults.front().toStdString();
    ASSERT_EQ(r.columns.size(), 2u);
    EXPECT_EQ(r.columns[0], (ReadingColumn{"Speed", "km/h"}));
    EXPECT_EQ(r.columns[1], (ReadingColumn{"Note, \"quoted\"", ""}));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].first, 1765270987250);
    EXPECT_EQ(r.rows[0].second[1], QString::fromUtf8("line\r\nbreak \xC2\xB0"));
    EXPECT_EQ(r.rows[1].second, (std::vector<QString>{"", QString::fromUtf8("M\xC3\xBCller")}));
}

TEST(RecordingFile, DamagedOrForeignFilesAreRefusedLineByLine) {
    const std::string header = "time,Speed [km/h]\r\n";
    const std::string good = "2026-12-09T10:00:00.000+01:00,5\r\n";
    struct Case {
        std::string bytes;
        std::vector<std::string> faults;
    };
    const Case cases[] = {
        {"", {"f.csv:1: the file is empty, not a recording of readings"}},
        {"Date;Speed\r\n1;2\r\n", {"f.csv:1: the first column is not \"time\": not a recording of readings"}},
        {"time\r\n", {"f.csv:1: the header names no readings"}},
        {header + good + "2026-12-09T10:00:00.200+01:00\r\n" + good + "12:00:01,7\r\n",
         {"f.csv:3: 1 fields where the header has 2",
          "f.csv:5: \"12:00:01\" is not a time like 2026-12-09T14:03:07.250+01:00"}},
        {header + "2026-12-09T10:00:00.000+01:00,\"a\"b\r\n" + good + "2026-12-09T10:00:00.000+01:00,a\"b\r\n",
         {"f.csv:2: text after the closing quote of a field", "f.csv:4: a quote inside a field that is not quoted"}},
        {header + "2026-12-09T10:00:00.000+01:00,\xFC\r\n", {"f.csv:2: the text is not UTF-8"}},
        {header + good + "2026-12-09T10:00:00.000+01:00,\"cut off\r\n", {"f.csv:3: a quoted field is not closed"}},
    };
    for (const Case& c : cases) {
        const ReadBack r = readBack(QStringLiteral("f.csv"), c.bytes);
        std::vector<std::string> faults;
        for (const QString& f : r.faults) faults.push_back(f.toStdString());
        EXPECT_EQ(faults, c.faults) << c.bytes;
    }
    // A quoted line break counts as a line: the fault after it names the right one.
    const ReadBack r = readBack(QStringLiteral("f.csv"), header + "2026-12-09T10:00:00.000+01:00,\"a\r\nb\"\r\nx\r\n");
    ASSERT_EQ(r.faults.size(), 1u);
    EXPECT_EQ(r.faults[0].toStdString(), "f.csv:4: 1 fields where the header has 2");
}

TEST(RecordingFile, AFileThatCannotBeWrittenEndsTheRecordingWithItsReason) {
    ReadingsRecorder full;
    EXPECT_FALSE(full.start(QStringLiteral("/dev/full"), {{"Speed", "km/h"}}));
    EXPECT_FALSE(full.recording());
    EXPECT_EQ(full.errorText().toStdString(), "Cannot write /dev/full: No space left on device");

    TempDir dir;
    ReadingsRecorder missing;
    const QString nowhere = QString::fromStdString((dir.path() / "no" / "r.csv").string());
    EXPECT_FALSE(missing.start(nowhere, {{"Speed", ""}}));
    EXPECT_EQ(missing.errorText(), QStringLiteral("Cannot write %1: No such file or directory").arg(nowhere));
}

TEST(RecordingFile, ADiskThatFillsInTheMiddleOfARowKeepsTheWholeRowsBefore) {
    // A file size limit stands in for the full disk: the write stops part way through a row.
    TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "r.csv").string());
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 150;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ReadingsRecorder recorder;
    bool started = recorder.start(path, {{"Speed", "km/h"}});
    int written = 0;
    while (started && written < 20 && recorder.write(at(1765270987250 + written), {"1234.5"})) ++written;
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldSignal);
    ASSERT_TRUE(started);

    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(recorder.rows(), static_cast<std::size_t>(written));
    EXPECT_EQ(recorder.errorText(), QStringLiteral("Cannot write %1: File too large").arg(path));
    std::ifstream in(path.toStdString(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string row = "2025-12-09T05:33:07.250-03:30,1234.5\r\n";
    EXPECT_EQ(bytes.size(), std::string("time,Speed [km/h]\r\n").size() + written * row.size())
        << "only whole rows stay";
    const ReadBack r = readBack(QStringLiteral("r.csv"), bytes);
    EXPECT_TRUE(r.faults.empty());
    EXPECT_EQ(r.rows.size(), static_cast<std::size_t>(written));
}
