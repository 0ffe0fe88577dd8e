// The readings room on a main window, with the test playing the unit on a pseudo-terminal: the
// recording's rows byte for byte, its end when the page changes, and the graph's lines.
#include <QValueAxis>

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "live_page_fixture.h"
#include "readings/readings_room.h"
#include "readings/recording_viewer.h"

using namespace corvane;
using namespace corvane::test;
using unitsim::MenuStreamBuilder;

namespace {
constexpr std::uint16_t kEngine = 0x0105;
constexpr std::uint16_t kOther = 0x0106;

Frame values(std::uint8_t first, const std::vector<std::string>& v) {
    return Frame{'D', 0, unitsim::valuesPayload(first, v)};
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

class ReadingsRoomTest : public LivePageTest {
protected:
    void SetUp() override {
        LivePageTest::SetUp();
        // Each values frame a quarter second later, at a fixed UTC offset of +01:00.
        room = std::make_unique<ReadingsRoom>(*window, [this](LinkClock::time_point) {
            return QDateTime::fromMSecsSinceEpoch(1765274400000 + 250 * ticks++, Qt::OffsetFromUTC, 3600);
        });
    }
    void TearDown() override {
        room.reset();
        LivePageTest::TearDown();
    }

    void openEnginePage() {
        MenuStreamBuilder m;
        m.item("Engine \"live\"", kEngine, 1);
        m.item("Other", kOther, 1);
        m.page(kEngine, 0);
        m.control(control(1, 's', 1, "Engine speed|rpm"));
        m.control(control(2, 's', 7,
                          "Coolant, temp.|\xB0"
                          "C"));
        m.control(control(3, 'e', 13));
        m.control(control(4, 's', 19, "Note"));
        m.page(kOther, 0);
        m.control(control(1, 's', 1, "Battery|V"));
        openPage(m, kEngine);
    }

    std::unique_ptr<ReadingsRoom> room;
    int ticks = 0;
};

TEST_F(ReadingsRoomTest, RowsAreWrittenAsTheValuesComeAndTheRecordingEndsWithThePage) {
    handshake();
    openEnginePage();
    const std::filesystem::path path = sandbox.dir().path() / "engine.csv";
    const QString qpath = QString::fromStdString(path.string());
    ASSERT_TRUE(room->startRecording(qpath));
    EXPECT_EQ(window->statusText(), "Recording the readings to " + path.string());

    sendAndSettle({values(1, {"812", "85", "typed", "ok"})});
    const std::string header =
        "time,Engine speed [rpm],\"Coolant, temp. [\xC2\xB0"
        "C]\",Note\r\n";
    const std::string row1 = "2025-12-09T11:00:00.000+01:00,812,85,ok\r\n";
    // Written at once, not when the recording ends.
    EXPECT_EQ(fileBytes(path), header + row1);

    sendAndSettle({values(1, {"1500", "---"})});
    sendAndSettle({values(4, {"a,b \"q\" M\xFC"})});
    const std::string row2 = "2025-12-09T11:00:00.250+01:00,1500,---,ok\r\n";
    const std::string row3 = "2025-12-09T11:00:00.500+01:00,1500,---,\"a,b \"\"q\"\" M\xC3\xBC\"\r\n";
    EXPECT_EQ(fileBytes(path), header + row1 + row2 + row3);

    // Another page opened by the unit ends the recording; later values are not recorded.
    exchange('J', 0, Bytes{kOther >> 8, kOther & 0xFF});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !room->recording(); }, 5000));
    EXPECT_EQ(window->statusText(), "Recording ended (the page closed): 3 rows in " + path.string());
    sendAndSettle({values(1, {"13.9"})});
    EXPECT_EQ(fileBytes(path), header + row1 + row2 + row3);

    // The recording opens again in the viewer, with the non-number as a gap.
    auto recorded = std::make_unique<ReadingsHistory>();
    EXPECT_TRUE(loadRecording(qpath, *recorded).faults.empty());
    RecordingViewer viewer(qpath, std::move(recorded));
    viewer.graph().redraw();
    ASSERT_EQ(viewer.graph().drawnPoints(1).size(), 2u);
    EXPECT_TRUE(std::isnan(viewer.graph().drawnPoints(1)[1].y()));
    EXPECT_EQ(room->history().columns(), (std::vector<ReadingColumn>{{"Battery", "V"}}))
        << "the graph follows the page";

    // A unit that falls silent ends a recording too, keeping its rows.
    const std::filesystem::path battery = sandbox.dir().path() / "battery.csv";
    ASSERT_TRUE(room->startRecording(QString::fromStdString(battery.string())));
    sendAndSettle({values(1, {"14.1"})});  // the fifth notification: a second after the first
    ASSERT_TRUE(QTest::qWaitFor([&] { return !room->recording(); }, 15000));
    EXPECT_EQ(window->statusText(), "Recording ended (the unit is gone): 1 row in " + battery.string());
    EXPECT_EQ(fileBytes(battery), "time,Battery [V]\r\n2025-12-09T11:00:01.000+01:00,14.1\r\n");
    // The line breaks where the unit went away.
    EXPECT_EQ(room->history().at(0, room->history().lastTime() + 1).kind, ReadingAt::Gap);
}

TEST_F(ReadingsRoomTest, TheGraphDrawsAGapForANonNumberAndAnAxisPerUnit) {
    handshake();
    openEnginePage();
    QTest::mouseClick(&room->graphButton(), Qt::LeftButton);
    CReadingsGraph* graph = room->graph();
    ASSERT_TRUE(graph && graph->isVisible());
    EXPECT_EQ(room->graphButton().geometry(), QRect(505, 24, 45, 50));

    sendAndSettle({values(1, {"800", "12.5"})});
    sendAndSettle({values(1, {"---", "12.5"})});
    sendAndSettle({values(1, {"", "13"})});
    sendAndSettle({values(1, {"900", "14"})});
    graph->redraw();

    // Another page and back: the page's readings are still there, its title on the window.
    exchange('J', 0, Bytes{kOther >> 8, kOther & 0xFF});
    ASSERT_TRUE(QTest::qWaitFor([&] { return room->history().columns().size() == 1; }, 5000));
    EXPECT_EQ(graph->windowTitle(), QStringLiteral("Readings - Other"));
    sendAndSettle({values(1, {"14.1"})});
    exchange('J', 0, Bytes{kEngine >> 8, kEngine & 0xFF});
    ASSERT_TRUE(QTest::qWaitFor([&] { return room->history().columns().size() == 3; }, 5000));
    EXPECT_EQ(room->history().rows(), 4u);
    EXPECT_EQ(graph->windowTitle(), QStringLiteral("Readings - Engine \"live\""));
    graph->redraw();

    const std::vector<QPointF> rpm = graph->drawnPoints(0);
    ASSERT_EQ(rpm.size(), 3u);
    EXPECT_EQ(rpm[0].y(), 800);
    EXPECT_TRUE(std::isnan(rpm[1].y())) << "a gap, never a zero";
    EXPECT_EQ(rpm[2].y(), 900);
    EXPECT_TRUE(graph->drawnPoints(2).empty()) << "a box that never shows a number draws nothing";

    // rpm and degrees each fill their own axis.
    QValueAxis* rpmAxis = graph->axisOfUnit("rpm");
    QValueAxis* degrees =
        graph->axisOfUnit(QString::fromUtf8("\xC2\xB0"
                                            "C"));
    ASSERT_TRUE(rpmAxis && degrees && rpmAxis != degrees);
    EXPECT_TRUE(rpmAxis->min() >= 600 && rpmAxis->min() <= 800 && rpmAxis->max() >= 900 && rpmAxis->max() <= 1100)
        << rpmAxis->min() << ".." << rpmAxis->max();
    EXPECT_TRUE(degrees->min() >= 11 && degrees->min() <= 12.5 && degrees->max() >= 14 && degrees->max() <= 15)
        << degrees->min() << ".." << degrees->max();

    // A reading the user takes off is not drawn; the picture is saved.
    graph->setReadingShown(0, false);
    graph->redraw();
    EXPECT_TRUE(graph->drawnPoints(0).empty());
    const QString picture = QString::fromStdString((sandbox.dir().path() / "graph.png").string());
    QString error;
    ASSERT_TRUE(graph->savePicture(picture, error)) << error.toStdString();
    EXPECT_FALSE(QImage(picture).isNull());

    // A file that cannot be written is said with its name and the reason.
    EXPECT_FALSE(room->startRecording(QStringLiteral("/dev/full")));
    ASSERT_FALSE(sandbox.prompts().notices.empty());
    EXPECT_EQ(sandbox.prompts().notices.back(), "Cannot write /dev/full: No space left on device");
}

// Frames the unit sends while the window is still busy become one row each, with times in the
// order they came, and the recording's mark in the band stays whatever the status line says.
TEST_F(ReadingsRoomTest, EveryFrameThatWaitedIsARowAndTheBandMarksTheRecording) {
    handshake();
    openEnginePage();
    const std::filesystem::path path = sandbox.dir().path() / "burst.csv";
    ASSERT_TRUE(room->startRecording(QString::fromStdString(path.string())));
    ASSERT_TRUE(room->indicator().recordingShown());
    // The event loop stands still while the unit sends: every frame waits before the first is shown.
    for (int n = 0; n < 40; ++n)
        ASSERT_TRUE(unit.exchange('D', 0, unitsim::valuesPayload(1, {std::to_string(n), std::to_string(100 + n)})));
    sendAndSettle({});
    EXPECT_EQ(room->recorder().rows(), 40u);
    EXPECT_EQ(room->history().rows(), 40u);
    const std::string rows = fileBytes(path);
    EXPECT_NE(rows.find(",0,100,\r\n"), std::string::npos);
    EXPECT_NE(rows.find(",39,139,\r\n"), std::string::npos);
    EXPECT_LT(rows.find(",0,100,"), rows.find(",39,139,"));

    // A page choice takes the status line; the band still says the recording runs.
    window->pageChoices().enterBusy();
    EXPECT_EQ(window->statusText(), "Function in progress, please wait...");
    EXPECT_TRUE(room->indicator().recordingShown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return room->indicator().text().contains(QStringLiteral(": 40 rows")); }, 5000))
        << room->indicator().text().toStdString();
    room->stopRecording();
    EXPECT_FALSE(room->indicator().recordingShown());
    EXPECT_TRUE(room->indicator().isVisible()) << "the end stays readable a while";
    EXPECT_TRUE(room->indicator().text().startsWith(QStringLiteral("Recording ended (stopped): 40 rows")));

    // A pipe that nothing reads is refused at once, never waited on.
    const std::filesystem::path pipe = sandbox.dir().path() / "pipe.csv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(room->startRecording(QString::fromStdString(pipe.string())));
    EXPECT_EQ(sandbox.prompts().notices.back(), "Cannot write " + pipe.string() + ": it is a pipe that nothing reads");
}

TEST_F(ReadingsRoomTest, RecordingWithoutAUnitSaysWhy) {
    EXPECT_FALSE(room->startRecording(QString::fromStdString((sandbox.dir().path() / "none.csv").string())));
    ASSERT_FALSE(sandbox.prompts().notices.empty());
    EXPECT_EQ(sandbox.prompts().notices.back().rfind("No unit is connected", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(sandbox.dir().path() / "none.csv"));
}
