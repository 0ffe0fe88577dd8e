#include "app/corvane_new_app.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/demo_unit.h"
#include "i18n/program_language.h"
#include "shell/port_config.h"
#include "app/session_signals.h"
#include "app/window_system_start.h"
#include "jobs/jobs_accessible.h"
#include "jobs/jobs_room.h"
#include "readings/readings_accessible.h"
#include "readings/reading_progress.h"
#include "readings/readings_room.h"
#include "readings/recording_viewer.h"
#include "screens/corvane_new_dlg.h"
#include "screens/screens_accessible.h"
#include "shell/serial_devices.h"
#include "version/corvane_version.h"

namespace corvane {

namespace {
constexpr int kUsageError = 2;

void print(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    if (!text.endsWith('\n')) std::fputc('\n', to);
}

// The exit status of a run that only prints: 1 when the output could not be written whole (a
// full disk; a pipe whose reader has gone, which needs no words).
int outputWritten() {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    const int error = errno;
    if (error != EPIPE)
        print(stderr, QCoreApplication::translate("corvane::CCorvaneNewApp", "corvane: cannot write the output: %1")
                          .arg(QString::fromLocal8Bit(std::strerror(error))));
    return 1;
}

// The language chosen in the Com setting dialog, empty for the locale's.
QString configuredLanguage() {
    PortConfig config;
    PortConfigFile().read(config);
    return QString::fromStdString(config.language);
}

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}
}  // namespace

CCorvaneNewApp::CCorvaneNewApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("corvane"));
    setApplicationVersion(QString::fromLatin1(kCorvaneVersion));
    installProgramLanguage(*this, configuredLanguage());
    installAccessibility();
    installReadingsAccessibility();
    installJobsAccessibility();
}

int CCorvaneNewApp::InitInstance(const CommandLine& commandLine) {
    MainWindowOptions options;
    options.portPath = commandLine.portPath.toStdString();
    options.traceFile = commandLine.traceFile.toStdString();
    options.windowGeometry = commandLine.windowGeometry.toStdString();
    // The demo unit talks on a pseudo-terminal that the window opens like any serial device;
    // it is made before the window and ends after it.
    DemoUnit demo;
    if (commandLine.demo) {
        std::string error;
        if (!demo.start(error)) {
            print(stderr, tr("corvane: cannot start the demo unit: %1").arg(QString::fromStdString(error)));
            return 1;
        }
        options.portPath = demo.devicePath();
        print(stderr, tr("corvane: demo unit on %1").arg(QString::fromStdString(demo.devicePath())));
    }
    {
        CCorvaneNewDlg dialog(std::move(options));
        ReadingsRoom readings(dialog);
        JobsRoom jobs(dialog, &readings);
        // A logout, kill or Ctrl+C ends the window as its close button does.
        SessionSignals::onEnd(&dialog, [&dialog] { dialog.endAsClosed(); });
        dialog.DoModal();
    }  // the window goes, and with it the link: worker stopped, port closed
    demo.stop();
    return 0;
}

int runCorvane(int argc, char** argv) {
    SessionSignals::install();
    // The command line is read before any window system is touched, so --help and --version
    // work without a display.
    CommandLine commandLine = parseCommandLine(argumentList(argc, argv));
    // What only prints needs no window system, but speaks the user's language all the same.
    std::optional<QCoreApplication> printing;
    if (!commandLine.error.isEmpty() || commandLine.help || commandLine.version || commandLine.listPorts) {
        printing.emplace(argc, argv);
        installProgramLanguage(*printing, configuredLanguage());
        commandLine = parseCommandLine(argumentList(argc, argv));
    }
    if (!commandLine.error.isEmpty()) {
        print(stderr, QStringLiteral("corvane: %1").arg(commandLine.error));
        print(stderr, commandLineHint());
        return kUsageError;
    }
    if (commandLine.help) {
        print(stdout, commandLineHelp());
        return outputWritten();
    }
    if (commandLine.version) {
        print(stdout, programVersion());
        return outputWritten();
    }
    if (commandLine.listPorts) {
        // The computer's own numbered ports first (COM1 is the port used when none is set).
        std::vector<SerialDevice> ports = listNumberedPorts(SystemPaths{});
        for (SerialDevice& device : listSerialDevices(SystemPaths{})) ports.push_back(std::move(device));
        print(stdout, QString::fromStdString(formatSerialDeviceList(ports)));
        return outputWritten();
    }
    const bool plotting = !commandLine.plotFile.isEmpty();
    QStringList plotFiles{commandLine.plotFile};
    if (!commandLine.plotCompareFile.isEmpty()) plotFiles << commandLine.plotCompareFile;
    // At a terminal a recording is read before any window is made: a damaged one is refused on
    // the command line.
    std::optional<PlotCommand> plot;
    if (plotting && !PlotCommand::windowsInAnyCase()) {
        // Its faults are told in the user's language: an application object for the reading.
        QCoreApplication reading(argc, argv);
        installProgramLanguage(reading, configuredLanguage());
        plot.emplace(plotFiles, progressLine);
        if (!plot->needsWindows()) return 1;
    }
    // Without a usable display Qt would abort in the application object's construction.
    std::optional<WindowSystemStart> windowSystemStart(std::in_place, argumentList(argc, argv));
    CCorvaneNewApp app(argc, argv);
    windowSystemStart.reset();
    if (plotting) {
        auto ended = std::make_shared<bool>(false);
        SessionSignals::onEnd(&app, [ended] {
            *ended = true;
            QCoreApplication::quit();
        });
        // Started from a desktop: the windows come first, so that a long read shows how far it
        // has come and may be cancelled (or ended by a signal).
        if (!plot)
            plot.emplace(plotFiles, [ended](const QString& file) -> RecordingReader::Progress {
                RecordingReader::Progress window = progressWindow(nullptr, file);
                return [window, ended](qint64 done, qint64 size) { return window(done, size) && !*ended; };
            });
        return plot->exec();
    }
    return app.InitInstance(commandLine);
}

}  // namespace corvane
