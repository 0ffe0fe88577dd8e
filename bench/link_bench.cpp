// The link's figures beside the floor, measured in one run on one machine: the floor is a bare
// responder (plain blocking reads and one write per reply) on the same kind of pseudo-terminal,
// answering the same frames with replies of the same size. Floor and link take turns (exchange
// by exchange for the turnaround, in rounds for the rest) so that the machine's load falls on
// both alike.
//
// Prints a Markdown table. Options: --quick (fewer samples, for a smoke run).
#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bare_responder.h"
#include "content/menu_record.h"
#include "content/transfer_record.h"
#include "link/frame_codec.h"
#include "link/unit_link.h"
#include "sample_stats.h"
#include "ui_thread_listener.h"
#include "unit_side.h"

using namespace corvane;
using namespace corvane::bench;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr double kLineBaud = 57600;
constexpr double kBitsPerByte = 10;  // 8N1: start, 8 data, stop
constexpr std::size_t kFileSize = TransferRecord::kCapacity;

double lineSeconds(std::size_t bytes) { return static_cast<double>(bytes) * kBitsPerByte / kLineBaud; }

// The unit's CDC-ACM port on a full-speed USB bus (12 Mbit/s): a frame travels as bulk packets of
// up to 64 bytes, each with 13 bytes of protocol overhead (token, packet framing, handshake and
// the gaps between them; 19 full packets fill a 1 ms bus frame). Not held to any baud rate, this
// is the physical limit of the unit's USB line. The host controller's scheduling comes on top and
// is left out, so the figure is a lower bound.
constexpr double kUsbFullSpeedBitsPerSecond = 12e6;
constexpr std::size_t kUsbBulkPacket = 64, kUsbPacketOverhead = 13;

double busSeconds(std::size_t frameBytes) {
    const std::size_t packets = (frameBytes + kUsbBulkPacket - 1) / kUsbBulkPacket;
    return static_cast<double>(frameBytes + packets * kUsbPacketOverhead) * 8 / kUsbFullSpeedBitsPerSecond;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "link_bench: %s\n", what.c_str());
    std::exit(1);
}

Bytes replyBytes(const Frame& f) { return encodeFrame(f.letter, f.sub, f.data); }

// The link on the slave of its own pseudo-terminal, past the handshake and the first poll.
struct LinkUnderTest {
    UnitSide unit;
    UiThreadListener window;
    UnitLink link;
    Bytes statusReply;  // what the link answered to the first 'S'

    explicit LinkUnderTest(int capacity) {
        if (!unit.ok()) fail("no pseudo-terminal");
        if (!link.openByName(unit.path()))
            fail("cannot open " + unit.path() + ": " + std::strerror(link.lastOpenError()));
        link.setMainWindow(&window);
        link.startWorker();
        auto h = unit.exchange(encodeFrame('H', 1, Bytes{static_cast<std::uint8_t>(capacity)}));
        if (!h || h->letter != 'H') fail("no handshake reply");
        auto a = unit.exchange(encodeFrame('S', 1, {}));
        if (!a || a->letter != 'A') fail("no status reply");
        statusReply = replyBytes(*a);
    }
    ~LinkUnderTest() { link.close(); }
};

// The floor on its own pseudo-terminal. Replies are prepared before the clock runs.
struct Floor {
    UnitSide unit;
    BareResponder responder;
    Bytes status, ack, chunk, header;

    Floor(const Bytes& statusReply, std::size_t chunkBytes) : status(statusReply) {
        ack = encodeFrame('K', 1, {});
        chunk = encodeFrame('I', 1, Bytes(chunkBytes, 0x5A));
        header = encodeFrame(
            'N', 1, Bytes{'B', 'E', 'N', 'C', 'H', '.', 'B', 'I', 'N', '|', '3', '9', '3', '2', '1', '6', '^'});
        if (!unit.ok()) fail("no pseudo-terminal");
        const bool started = responder.start(unit.path(), [this](std::uint8_t letter, std::size_t) -> const Bytes& {
            switch (letter) {
                case 'S': return status;
                case 'F': return chunk;
                case 'G': return header;
                default: return ack;
            }
        });
        if (!started) fail("the bare responder cannot open " + unit.path());
    }
    ~Floor() {
        unit.write(encodeFrame(BareResponder::kQuitLetter, 1, {}));
        responder.join();
    }
};

struct Pair {
    Samples floor, link;
    // CPU of the whole process (the unit's side included, the same for both) per exchange.
    double floorCpu = 0, linkCpu = 0;
    int floorCount = 0, linkCount = 0;
};

void turnaround(UnitSide& unit, const Bytes& frame, int count, Samples* out, double* cpu = nullptr) {
    const double cpu0 = processCpuSeconds();
    for (int i = 0; i < count; ++i) {
        const auto t0 = Clock::now();
        if (!unit.write(frame) || !unit.reply()) fail("no reply within two seconds");
        if (out) out->add(microsecondsBetween(t0, Clock::now()));
    }
    if (cpu) *cpu += processCpuSeconds() - cpu0;
}

// Floor and link take turns exchange by exchange, so that both meet the same load.
void turnaroundInTurns(Pair& p, UnitSide& floorUnit, UnitSide& linkUnit, const Bytes& frame, int count) {
    for (int i = 0; i < count; ++i) {
        turnaround(floorUnit, frame, 1, &p.floor, &p.floorCpu);
        turnaround(linkUnit, frame, 1, &p.link, &p.linkCpu);
    }
    p.floorCount += count;
    p.linkCount += count;
}

// Frames kept in flight: the unit writes a burst and reads its replies. Frames per second.
double sustained(UnitSide& unit, const Bytes& frame, int bursts) {
    constexpr int kBurst = 8;
    Bytes burst;
    for (int i = 0; i < kBurst; ++i) burst.insert(burst.end(), frame.begin(), frame.end());
    const auto t0 = Clock::now();
    for (int b = 0; b < bursts; ++b) {
        if (!unit.write(burst)) fail("write");
        for (int i = 0; i < kBurst; ++i)
            if (!unit.reply()) fail("no reply within two seconds");
    }
    return kBurst * bursts / (microsecondsBetween(t0, Clock::now()) * 1e-6);
}

double cpuPerExchange(double seconds, int count) { return 1e6 * seconds / count; }

void printTurnaround(const std::string& what, const Pair& p) {
    std::printf("| %s, median | %.1f µs | %.1f µs | %.2f |\n", what.c_str(), p.link.median(), p.floor.median(),
                p.link.median() / p.floor.median());
    std::printf("| %s, 99th percentile | %.1f µs | %.1f µs | %.2f |\n", what.c_str(), p.link.p99(), p.floor.p99(),
                p.link.p99() / p.floor.p99());
    const double linkCpu = cpuPerExchange(p.linkCpu, p.linkCount), floorCpu = cpuPerExchange(p.floorCpu, p.floorCount);
    std::printf("| %s, CPU per exchange (both sides) | %.1f µs | %.1f µs | %.2f |\n", what.c_str(), linkCpu, floorCpu,
                linkCpu / floorCpu);
}

// One exchange on the unit's USB line: the bus time of the frame and its reply, and the share of
// the whole exchange (bus and PC) that the PC's software takes, for the link and for the floor.
void printBusRow(const std::string& what, std::size_t frameBytes, std::size_t replyBytes, const Pair& p) {
    const double bus = 1e6 * (busSeconds(frameBytes) + busSeconds(replyBytes));
    const double link = p.link.median(), floor = p.floor.median();
    std::printf("| %s (%zu + %zu bytes) | %.1f µs | %.1f µs | %.0f%% | %.0f%% |\n", what.c_str(), frameBytes,
                replyBytes, bus, link, 100 * link / (bus + link), 100 * floor / (bus + floor));
}

// ---- file transfers -----------------------------------------------------------------------

// One side's share of a transfer: time and CPU summed exchange by exchange, and what crossed
// the line.
struct TransferFigures {
    double seconds = 0;
    double cpu = 0;             // process CPU seconds
    std::size_t lineBytes = 0;  // both directions
    double usbSeconds = 0;      // the same frames on the unit's USB line
    std::size_t exchanges = 0;

    // Sends `frame`, waits for a reply with the letter `expect` and counts the exchange.
    Frame exchange(UnitSide& unit, const Bytes& frame, std::uint8_t expect) {
        const double cpu0 = processCpuSeconds();
        const auto t0 = Clock::now();
        auto r = unit.exchange(frame);
        seconds += microsecondsBetween(t0, Clock::now()) * 1e-6;
        cpu += processCpuSeconds() - cpu0;
        if (!r || r->letter != expect) fail(std::string("no '") + char(expect) + "' reply in a transfer");
        const std::size_t back = frameBytes(r->data.size());
        lineBytes += frame.size() + back;
        usbSeconds += busSeconds(frame.size()) + busSeconds(back);
        ++exchanges;
        return *r;
    }
};

// The unit sends the file to floor and link in turns, frame by frame: 'N', then 'E' frames of
// `chunk` bytes, the first with SUB 2.
void sendFile(UnitSide& floorUnit, UnitSide& linkUnit, std::size_t chunk, const Bytes& file, TransferFigures& floor,
              TransferFigures& link) {
    const std::string header = "BENCH.BIN|" + std::to_string(file.size()) + "^";
    std::vector<Bytes> frames = {encodeFrame('N', 1, Bytes(header.begin(), header.end()))};
    for (std::size_t at = 0; at < file.size(); at += chunk) {
        const auto from = file.begin() + static_cast<std::ptrdiff_t>(at);
        frames.push_back(encodeFrame(
            'E', at == 0 ? 2 : 0, Bytes(from, from + static_cast<std::ptrdiff_t>(std::min(chunk, file.size() - at)))));
    }
    for (const Bytes& f : frames) {
        floor.exchange(floorUnit, f, 'K');
        link.exchange(linkUnit, f, 'K');
    }
}

// The unit fetches the file from floor and link in turns: 'G', then 'F' until the link's chunk
// comes back empty (the floor answers every 'F' with a full chunk).
Bytes fetchFile(UnitSide& floorUnit, UnitSide& linkUnit, TransferFigures& floor, TransferFigures& link) {
    const Bytes g = encodeFrame('G', 1, {}), f = encodeFrame('F', 1, {});
    floor.exchange(floorUnit, g, 'N');
    link.exchange(linkUnit, g, 'N');
    Bytes received;
    for (;;) {
        floor.exchange(floorUnit, f, 'I');
        const Frame r = link.exchange(linkUnit, f, 'I');
        if (r.data.empty()) return received;
        received.insert(received.end(), r.data.begin(), r.data.end());
    }
}

// One row: the figures of one file, the mean of `runs`.
void printTransfer(int capacity, const char* way, const TransferFigures& l, const TransferFigures& f, int runs) {
    const double linkCpu = cpuPerExchange(l.cpu, static_cast<int>(l.exchanges));
    const double floorCpu = cpuPerExchange(f.cpu, static_cast<int>(f.exchanges));
    const double line = lineSeconds(l.lineBytes);
    std::printf("| %d | %s | %zu | %.3f s | %.3f s | %.2f | %.1f µs | %.1f µs | %.3f s | %.0f%% | %.1f s | %.2f%% |\n",
                capacity, way, l.exchanges / runs, l.seconds / runs, f.seconds / runs, l.seconds / f.seconds, linkCpu,
                floorCpu, l.usbSeconds / runs, 100 * l.seconds / (l.usbSeconds + l.seconds), line / runs,
                100 * l.seconds / line);
}

// A file each way, `rounds` times; floor and link take turns exchange by exchange, so that the
// machine's load falls on both alike.
void transfers(int capacity, const Bytes& file, int rounds) {
    // The PC's chunks are capacity - 4 bytes (at most a full reply); the unit's 'E' frames are
    // taken as large as the PC's chunks (at most a full frame), as a unit with that buffer would.
    const std::size_t outChunk = std::min<std::size_t>(static_cast<std::size_t>(capacity) - 4, kMaxReplyData);
    const std::size_t inChunk = std::min<std::size_t>(static_cast<std::size_t>(capacity) - 4, kMaxReceivedData);
    LinkUnderTest l(capacity);
    Floor fl(l.statusReply, outChunk);

    TransferFigures inFloor, inLink, outFloor, outLink;
    for (int r = 0; r < rounds; ++r) {
        sendFile(fl.unit, l.unit, inChunk, file, inFloor, inLink);
        {
            auto records = l.link.lockRecords();
            if (l.link.transferRecord().held() != file.size() ||
                std::memcmp(l.link.transferRecord().store(), file.data(), file.size()) != 0)
                fail("the file that arrived differs from the one sent");
            l.link.transferRecord().load(file.data(), file.size(), "BENCH.BIN");
        }
        if (fetchFile(fl.unit, l.unit, outFloor, outLink) != file) fail("the file fetched differs from the one loaded");
    }
    printTransfer(capacity, "'E' in", inLink, inFloor, rounds);
    printTransfer(capacity, "'G'/'F' out", outLink, outFloor, rounds);
}

// ---- menu parse ---------------------------------------------------------------------------

// 30 groups with an item each, then pages of 20 controls until the 50000-byte buffer is full.
Bytes fullMenu() {
    Bytes s;
    auto add = [&](std::initializer_list<int> bytes) {
        for (int b : bytes) s.push_back(static_cast<std::uint8_t>(b));
    };
    for (int i = 0; i < 30; ++i) {
        add({0, 'F', 'G', 'r', 'o', 'u', 'p', '^', 0, i + 1, 1, 0, '$'});
        add({0, 'I', 'I', 't', 'e', 'm', '^', 1, i + 1, 2, 0, '$'});
        add({0, 'E', 0, '$'});
    }
    for (int p = 0; s.size() < MenuRecord::kBufferCapacity - 64; ++p) {
        add({0, 'P', 1, p & 0xFF, 0, 1, p & 0xFF, 0, '$'});
        for (int c = 0; c < 20 && s.size() < MenuRecord::kBufferCapacity - 64; ++c) {
            add({0, 'O', c + 1, 'b', 1, c + 1, 20, c + 2});
            for (char ch : std::string("Button caption|value")) s.push_back(static_cast<std::uint8_t>(ch));
            add({'^', 0, 1, c, 0, 0, '$'});
        }
    }
    s.resize(MenuRecord::kBufferCapacity, 0);
    return s;
}

Samples menuParse(int runs, std::size_t& pages) {
    const Bytes menu = fullMenu();
    Samples s;
    for (int i = 0; i < runs; ++i) {
        auto record = std::make_unique<MenuRecord>();
        record->append(menu.data(), menu.size());
        const auto t0 = Clock::now();
        record->parse();
        s.add(microsecondsBetween(t0, Clock::now()));
        pages = record->pageCount();
    }
    return s;
}

// CPU the process spends while the link waits on a silent line (500 ms read time-outs).
double silentLineCpuPercent(double seconds) {
    UnitSide unit;
    UnitLink link;
    if (!link.openByName(unit.path())) fail("cannot open " + unit.path());
    link.startWorker();
    const double cpu0 = processCpuSeconds();
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double cpu = processCpuSeconds() - cpu0;
    const double wall = microsecondsBetween(t0, Clock::now()) * 1e-6;
    link.close();
    return 100.0 * cpu / wall;
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int rounds = quick ? 2 : 10;
    const int perRound = quick ? 100 : 500;

    std::printf("Machine: %s\n\n", machineDescription().c_str());

    // Turnaround and sustained rate, floor and link taking turns.
    {
        LinkUnderTest l(128);
        Floor fl(l.statusReply, 124);
        struct Case {
            std::string name;
            Bytes frame;
            std::size_t replyBytes;
            int perRound;
            Pair p;
        };
        std::vector<Case> cases;
        cases.push_back({"status poll 'S' -> 'A'", encodeFrame('S', 1, {}), l.statusReply.size(), perRound, {}});
        for (std::size_t n : {std::size_t{64}, std::size_t{128}, kMaxReceivedData})
            cases.push_back({"'C' frame of " + std::to_string(n) + " data bytes -> 'K'",
                             encodeFrame('C', 0, Bytes(n, 'x')),
                             frameBytes(0),
                             perRound / 5,
                             {}});
        // A sent notification: the worker waits until the stand-in window has handled it.
        cases.push_back({"'E' frame of 249 data bytes, handed to the window, -> 'K'",
                         encodeFrame('E', 0, Bytes(kMaxReceivedData, 'x')),
                         frameBytes(0),
                         perRound / 5,
                         {}});
        const Bytes s = encodeFrame('S', 1, {});
        double floorFps = 0, linkFps = 0;
        turnaround(fl.unit, s, 200, nullptr);  // warm both up
        turnaround(l.unit, s, 200, nullptr);
        for (int r = 0; r < rounds; ++r) {
            for (Case& c : cases) turnaroundInTurns(c.p, fl.unit, l.unit, c.frame, c.perRound);
            floorFps += sustained(fl.unit, s, perRound / 8) / rounds;
            linkFps += sustained(l.unit, s, perRound / 8) / rounds;
        }
        std::printf("| figure | link | floor | link / floor |\n|---|---|---|---|\n");
        for (const Case& c : cases) printTurnaround(c.name + " turnaround", c.p);
        std::printf("| status polls sustained (8 in flight) | %.0f frames/s | %.0f frames/s | %.2f |\n", linkFps,
                    floorFps, floorFps / linkFps);
        std::printf(
            "\n(%zu turnaround samples for the status poll, %zu for each other frame; the link/floor ratio of the "
            "rate is floor rate / link rate, so above 1 means slower, as for the times.)\n\n",
            cases[0].p.link.size(), cases[1].p.link.size());

        std::printf(
            "| exchange on the unit's USB line (frame + reply) | bus time at full speed | link turnaround (median) | "
            "software share, link | software share, floor |\n|---|---|---|---|---|\n");
        for (const Case& c : cases) printBusRow(c.name, c.frame.size(), c.replyBytes, c.p);
        std::printf("\n");
    }

    // A full file each way at three receive capacities.
    Bytes file(kFileSize);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>((i * 131 + i / 251) & 0xFF);
    std::printf(
        "| capacity | file of %zu bytes (mean of %d runs) | exchanges | link on the pty | floor on the pty | link / "
        "floor | "
        "CPU per exchange, link | CPU per exchange, floor | bus time at USB full speed | software share of USB time | "
        "line time at 57600 baud | pty time / line time |\n|---|---|---|---|---|---|---|---|---|---|---|---|\n",
        kFileSize, quick ? 1 : 3);
    for (int capacity : {64, 128, 255}) transfers(capacity, file, quick ? 1 : 3);

    std::size_t pages = 0;
    const Samples parse = menuParse(quick ? 20 : 300, pages);
    std::printf("\n| figure | median | 99th percentile |\n|---|---|---|\n");
    std::printf("| parse of a full 50000-byte menu (%zu pages) | %.0f µs | %.0f µs |\n", pages, parse.median(),
                parse.p99());
    std::printf("\nCPU on a silent line (the link alone, 500 ms read time-outs, %d s): %.3f%% of a core\n",
                quick ? 1 : 5, silentLineCpuPercent(quick ? 1 : 5));
    return 0;
}
