#pragma once
// The main window with what the window benchmarks look at beyond what the program uses.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <atomic>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "screens/corvane_new_dlg.h"
#include "unit_side.h"

namespace corvane::bench {

class BenchWindow : public CCorvaneNewDlg {
public:
    using CCorvaneNewDlg::CCorvaneNewDlg;
    using CCorvaneNewDlg::link;
    using CCorvaneNewDlg::linkBridge;
    CClientWnd& clientWindow() { return *findChild<CClientWnd*>(QStringLiteral("clientWindow")); }
};

// The main window on the pseudo-terminal at portPath, with a configuration file of its own in
// dir, initialised and shown at the given size. Its link is open unless the port could not be.
inline std::unique_ptr<BenchWindow> openBenchWindow(const QTemporaryDir& dir, const std::string& portPath, int width,
                                                    int height) {
    const std::string config = dir.filePath(QStringLiteral("corvane.cfg")).toStdString();
    std::ofstream(config, std::ios::binary) << "COM01,2";
    MainWindowOptions o;
    o.portPath = portPath;
    o.configPath = config;
    auto window = std::make_unique<BenchWindow>(std::move(o));
    window->OnInitDialog();
    window->setGeometry(0, 0, width, height);
    window->show();
    return window;
}

// One exchange as the unit, while the window's event loop turns (the window answers some
// frames only from it); the reply, if one came.
inline std::optional<Frame> exchangeWhileTurning(UnitSide& unit, const Frame& f) {
    std::optional<Frame> reply;
    std::atomic<bool> done{false};
    std::thread t([&] {
        reply = unit.exchange(encodeFrame(f.letter, f.sub, f.data));
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    t.join();
    return reply;
}

}  // namespace corvane::bench
