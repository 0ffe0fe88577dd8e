// The recording file: what the recorder writes reads back the same, a damaged or foreign file is
// refused line by line, a file that cannot be written ends the recording with its reason, and
// the values that count as numbers on a graph.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "readings/held_readings.h"
#include "readings/reading_number.h"
#include "readings/readings_csv.h"
#include "readings/readings_recorder.h"
#include "readings/recording_viewer.h"
#include "temp_dir.h"

using namespace corvane;
using corvane::test::TempDir;

namespace {
QDateTime at(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, -3 * 3600 - 1800); }

struct ReadBack {
    std::vector<ReadingColumn> columns;
    std::vector<std::pair<qint64, std::vector<QString>>> rows;
    std::vector<QString> faults;
    std::vector<QString> notes;
};

RecordingReader readerInto(ReadBack& r) {
    RecordingReader reader;
    reader.columns = [&](const std::vector<ReadingColumn>& c) { r.columns = c; };
    reader.row = [&](qint64 t, const std::vector<std::string_view>& v) {
        std::vector<QString> texts;
        for (std::string_view f : v) texts.push_back(QString::fromUtf8(f.data(), static_cast<qsizetype>(f.size())));
        r.rows.emplace_back(t, texts);
    };
    return reader;
}

ReadBack readBack(const QString& name, std::string_view bytes, std::size_t piece = RecordingReader::kPieceBytes) {
    ReadBack r;
    const RecordingReader::Result result = readerInto(r).parse(name, bytes, piece);
    r.faults = result.faults;
    r.notes = result.notes;
    return r;
}

ReadBack readFile(const QString& path) {
    ReadBack r;
    const RecordingReader::Result result = readerInto(r).read(path);
    r.faults = result.faults;
    r.notes = result.notes;
    return r;
}

std::vector<std::string> texts(const std::vector<QString>& lines) {
    std::vector<std::string> out;
    for (const QString& l : lines) out.push_back(l.toStdString());
    return out;
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
        {header + "2026-12-09T10:00:00.000+01:00,5\r\n2026-02-29T10:00:00.000+01:00,5\r\n",
         {"f.csv:3: \"2026-02-29T10:00:00.000+01:00\" is not a time like 2026-12-09T14:03:07.250+01:00"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(readBack(QStringLiteral("f.csv"), c.bytes).faults), c.faults) << c.bytes;
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

TEST(RecordingFile, ACutLastRowIsLeftOutWithANoteAndLongFilesReadAcrossPieces) {
    const std::string header = "time,Battery [V]\r\n";
    const std::string good = "2026-12-09T10:00:00.000+01:00,14.2\r\n";
    for (const std::string& cut : {std::string("2026-12-09T10:00:00.020+01:00,14"), std::string("2026-12-09T10:0"),
                                   std::string("2026-12-09T10:00:00.020+01:00,\"14\r\n.1"),
                                   std::string("2026-12-09T10:00:00.020+01:00,14.1\r")}) {
        const ReadBack r = readBack(QStringLiteral("f.csv"), header + good + cut);
        EXPECT_TRUE(r.faults.empty()) << cut;
        ASSERT_EQ(r.rows.size(), 1u) << "the rows before the cut are shown, the cut one is not: " << cut;
        EXPECT_EQ(r.rows[0].second[0], QStringLiteral("14.2"));
        EXPECT_EQ(texts(r.notes), std::vector<std::string>{"f.csv:3: the last row has no line end (the recording was "
                                                           "cut short); it is left out"});
    }

    // Whatever bytes come, and wherever the pieces of the file end, it reads as if whole.
    std::mt19937 random(11);
    const std::string parts[] = {"\"",
                                 ",",
                                 "\r",
                                 "\n",
                                 "\r\n",
                                 "7.5",
                                 "#",
                                 "2025-12-09T10:00:00.000Z,",
                                 "2025-12-09T10:00:00.000Z,1,2\r\n",
                                 "2025-12-09T10:00:00.000Z,\"q\r\n\"\"x\"\"\",3\r\n"};
    for (int trial = 0; trial < 300; ++trial) {
        std::string bytes = trial % 3 ? "time,A,B\r\n" : "";
        for (int n = random() % 40; n > 0; --n) bytes += parts[random() % std::size(parts)];
        const ReadBack whole = readBack(QStringLiteral("f.csv"), bytes);
        for (std::size_t piece : {1, 2, 3, 7}) {
            const ReadBack pieces = readBack(QStringLiteral("f.csv"), bytes, piece);
            ASSERT_EQ(pieces.rows, whole.rows) << bytes << " in pieces of " << piece;
            ASSERT_EQ(pieces.faults, whole.faults) << bytes << " in pieces of " << piece;
            ASSERT_EQ(pieces.notes, whole.notes) << bytes << " in pieces of " << piece;
        }
    }

    // Over 3 MiB, read a MiB at a time: rows, quoted line breaks and CR LF pairs cut by the
    // pieces' ends all read as written, and notes before the header are passed over.
    TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "long.csv").string());
    std::string bytes = "# Held readings, \"quoted\", of a page\r\ntime,Note,Speed [rpm]\r\n";
    int rows = 0;
    while (bytes.size() < (7u << 19)) {
        bytes += "2025-12-09T10:00:00.000Z,\"a\r\n\"\"b\"\"\"," + std::to_string(rows) + "\r\n";
        ++rows;
    }
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    const ReadBack r = readFile(path);
    ASSERT_TRUE(r.faults.empty()) << r.faults.front().toStdString();
    ASSERT_EQ(r.rows.size(), static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        ASSERT_EQ(r.rows[i].second[1], QString::number(i));
        ASSERT_EQ(r.rows[i].second[0], QStringLiteral("a\r\n\"b\""));
    }
    EXPECT_EQ(r.rows[0].first, 1765274400000);
}

TEST(RecordingFile, OnlyBoundedRegularFilesAreRead) {
    TempDir dir;
    auto at = [&](const char* name) { return QString::fromStdString((dir.path() / name).string()); };
    const QString fifo = at("fifo.csv"), big = at("big.csv"), wide = at("wide.csv"), caption = at("caption.csv");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    std::ofstream(big.toStdString()) << "time,A\r\n";
    std::filesystem::resize_file(big.toStdString(), (std::uintmax_t{1} << 30) + 1);
    std::string header = "time";
    for (int i = 0; i < 201; ++i) header += ",R" + std::to_string(i);
    std::ofstream(wide.toStdString()) << header << "\r\n";
    std::ofstream(caption.toStdString()) << "time,A," << std::string(4097, 'x') << "\r\n";
    const struct {
        QString path;
        std::string fault;
    } cases[] = {
        {fifo, ":1: a pipe, not a recording of readings"},  // read at once, never waited on
        {QStringLiteral("/dev/zero"), ":1: a device, not a recording of readings"},
        {QString::fromStdString(dir.path().string()), ":1: a folder, not a recording of readings"},
        {big, ":1: 1.0 GiB, more than the 1.0 GiB a recording may have"},
        {wide, ":1: 201 readings, more than the 200 a recording may have"},
        {caption, ":1: the caption of reading 2 has 4097 bytes, more than the 4096 a caption may have"},
        {at("missing.csv"), ":1: No such file or directory"},
    };
    for (const auto& c : cases) EXPECT_EQ(texts(readFile(c.path).faults), std::vector{c.path.toStdString() + c.fault});
}

TEST(RecordingFile, ALongReadTellsHowFarItHasComeAndStopsWhenAsked) {
    TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "long.csv").string());
    constexpr int kRows = 100000;  // about 3.6 MB: four pieces
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << "time,Battery [V]\r\n";
        for (int i = 0; i < kRows; ++i) out << "2026-12-09T10:00:00.000+01:00," << i << "\r\n";
    }
    const qint64 size = static_cast<qint64>(std::filesystem::file_size(path.toStdString()));
    const qint64 pieces = (size + qint64(RecordingReader::kPieceBytes) - 1) / qint64(RecordingReader::kPieceBytes);
    ASSERT_GE(pieces, 3);

    std::vector<qint64> told;
    ReadBack whole;
    RecordingReader reader = readerInto(whole);
    reader.progress = [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, size);
        told.push_back(done);
        return true;
    };
    const RecordingReader::Result all = reader.read(path);
    EXPECT_FALSE(all.stopped);
    EXPECT_TRUE(all.faults.empty());
    EXPECT_EQ(whole.rows.size(), std::size_t(kRows));
    ASSERT_EQ(qint64(told.size()), pieces);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), size);

    // Stopped after the second piece: the reading ends there, marked stopped, not as a fault.
    ReadBack part;
    RecordingReader stopping = readerInto(part);
    int calls = 0;
    stopping.progress = [&](qint64, qint64) { return ++calls < 2; };
    const RecordingReader::Result stopped = stopping.read(path);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.faults.empty());
    EXPECT_EQ(calls, 2);
    EXPECT_LT(part.rows.size(), std::size_t(kRows));

    // corvane --plot stopped by its progress window: no viewer, no refusal, a quiet end.
    PlotCommand plot(QStringList{path},
                     [](const QString&) -> RecordingReader::Progress { return [](qint64, qint64) { return false; }; });
    EXPECT_TRUE(plot.stopped());
    EXPECT_FALSE(plot.refused());
    EXPECT_FALSE(plot.needsWindows());
    EXPECT_EQ(plot.exec(), 0);
}

TEST(HeldReadings, WhatTheGraphHoldsIsWrittenAsItCameAndReadsBackTheSame) {
    ReadingsHistory history(4096);  // a raw part of 1360 rows
    history.reset({{"Odd, \"one\"", "V"}, {"Big", ""}});
    const double start = 1765274400000;
    const double odd[] = {0.1, 1e20 + 16384, 5e-324, -0.0, std::numeric_limits<double>::quiet_NaN()};
    for (int i = 0; i < 3000; ++i) history.append(start + 20.0 * i, {odd[i % 5], 1e300 * i});
    history.markGap();
    history.append(start + 60010, {1, 2});
    ASSERT_FALSE(history.holdsEverything());

    TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "held.csv").string());
    QString error;
    ASSERT_TRUE(writeHeldReadings(history, QStringLiteral("Live data"), path, error)) << error.toStdString();
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "# Live data: held readings, " + heldSpan(history).text.toStdString() + "\r");
    EXPECT_NE(first.find("1360 rows from 2025-12-09"), std::string::npos) << first;
    EXPECT_NE(first.find("the readings before it only as summaries, not written"), std::string::npos);

    ReadingsHistory back;
    ASSERT_TRUE(loadRecording(path, back).faults.empty());
    ASSERT_EQ(back.columns(), history.columns());
    ASSERT_EQ(back.heldRows(), history.heldRows());
    for (std::size_t i = 0; i < back.heldRows(); ++i) {
        ASSERT_EQ(back.heldRowTime(i), history.heldRowTime(i));
        for (std::size_t c = 0; c < 2; ++c) {
            const double a = history.heldValue(i, c), b = back.heldValue(i, c);
            ASSERT_TRUE(std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b)) << i;
        }
    }

    // A file that cannot be written is said with the reason, and nothing is left half written.
    EXPECT_FALSE(writeHeldReadings(history, QStringLiteral("Live data"),
                                   QString::fromStdString((dir.path() / "no" / "held.csv").string()), error));
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("Cannot write %1/no/held.csv: ").arg(QString::fromStdString(dir.path().string()))));
}
