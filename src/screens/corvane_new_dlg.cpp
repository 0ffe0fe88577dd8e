#include "screens/corvane_new_dlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/com_setting.h"
#include "shell/connection_texts.h"
#include "shell/port_open_error.h"
#include "shell/serial_devices.h"
#include "shell/shell_prompts.h"
#include "shell/udev_event_source.h"
#include "shell/usb_install_check.h"
#include "shell/usb_port_search.h"
#include "controls/palette.h"
#include "link/posix_serial_port.h"
#include "platform/cp1252.h"
#include "platform/dialog_units.h"
#include "platform/resource_ids.h"
#include "platform/resources.h"

namespace corvane {

namespace {
// The maker's web address is not part of this build; the about box names the product instead.
constexpr const char* kWebAddress = "CORVANE";
// The program's name as it is started here, and the release.
constexpr const char* kProgramRelease = "corvane R2.05a";
constexpr unsigned kComSettingStyle = ButtonStyle::IconBesideText | ButtonStyle::IconFace | ButtonStyle::Framed;
constexpr unsigned kInfoStyle = ButtonStyle::IconFace | ButtonStyle::Framed;
constexpr int kButtonIconSize = 40;

PortConfigFile configFileFor(const MainWindowOptions& options) {
    return options.configPath.empty() ? PortConfigFile() : PortConfigFile(options.configPath);
}
}  // namespace

QSize CCorvaneNewDlg::normalSize() { return QSize(dialogUnitsToPixelsX(431), dialogUnitsToPixelsY(286)); }

CCorvaneNewDlg::CCorvaneNewDlg(MainWindowOptions options, QWidget* parent)
    : MessageWindow<QDialog>(parent, Qt::Window | Qt::FramelessWindowHint),
      options_(std::move(options)),
      configFile_(configFileFor(options_)),
      bridge_([this](const LinkNotification& n) { onLinkNotification(n); }),
      link_(options_.byteTimeout),
      control_(link_, &bridge_),
      supervisor_(control_, [this] { return findUnitPort(options_.systemPaths); }),
      menuWnd_(this),
      clientWnd_(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setMinimumSize(MainFrame::kMinimumWidth, MainFrame::kMinimumHeight);
    prepareFurniture();
    // The page handlers fill the list window, the progress notice and the key pad's bar; the
    // pop-ups reset the page's transfer progress after a file save.
    pageUpdates_.setPopUps(&popUps_);
    popUps_.setTransferProgressView(&pageUpdates_);
    // However the window ends (the close button, the question, a signal), its place is kept.
    connect(this, &QDialog::finished, this, [this] { rememberPlacement(); });
    connect(&supervisor_, &ConnectionSupervisor::statusChanged, this, [this](const QString& text, StatusLamp lamp) {
        setStatusText(encodeCp1252(text));
        if (lamp == StatusLamp::Ready)
            showReadyLamp();
        else
            showBusyLamp();
        if (!supervisor_.connected()) takeWaitingReadings();
        emit connectionChanged();
    });
    connect(&supervisor_, &ConnectionSupervisor::timerPeriodChanged, this,
            [this](int milliseconds) { applySupervisionPeriod(milliseconds); });
    connect(&supervisor_, &ConnectionSupervisor::unitSilent, this, [this](int seconds) { showUnitSilence(seconds); });
    connect(&supervisor_, &ConnectionSupervisor::unitWentAway, this, [this] {
        // Nothing the gone unit asked for or was told reaches the next one.
        link_.dropPendingAnswers();
        bridge_.discardWaiting();
        pageChoices_.connectionLost();
    });
}

CCorvaneNewDlg::~CCorvaneNewDlg() {
    // A pop-up may be waiting in a nested event loop: it ends as cancelled and touches nothing
    // of this window afterwards.
    popUps_.closeAll();
    supervisionTimer_.stop();
    // Stops the worker, then closes the port, while every window it reports to still exists.
    link_.close();
    link_.closeTrace();
}

namespace {
// While the window ends nobody is asked anything: questions are answered No.
class SilentPrompts : public ShellPrompts {
public:
    using ShellPrompts::askYesNo;
    bool askYesNo(QWidget*, const std::string&, PresetAnswer) override { return false; }
    void inform(QWidget*, const std::string&) override {}
    std::optional<QString> chooseTraceFile(QWidget*, const QString&) override { return std::nullopt; }
};
}  // namespace

ShellPrompts& CCorvaneNewDlg::prompts() {
    if (ending_) {
        if (!silentPrompts_) silentPrompts_ = std::make_unique<SilentPrompts>();
        return *silentPrompts_;
    }
    if (options_.prompts) return *options_.prompts;
    if (!ownPrompts_) ownPrompts_ = std::make_unique<ModalShellPrompts>();
    return *ownPrompts_;
}

void CCorvaneNewDlg::informUser(const std::string& text) { prompts().inform(this, text); }

int CCorvaneNewDlg::DoModal() {
    OnInitDialog();
    // Ended while the start still asked something.
    if (ending_) return IDCANCEL;
    return exec();
}

void CCorvaneNewDlg::endAsClosed() {
    if (ending_) return;
    ending_ = true;
    popUps_.closeAll();
    // The shell's boxes, the COM setting dialog and the file dialogs wait in loops of their
    // own, nested in this window's: each ends as cancelled, so the waits unwind.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(w);
        if (dialog && dialog != this && dialog->isVisible()) dialog->reject();
    }
    QDialog::done(IDCANCEL);
}

bool CCorvaneNewDlg::OnInitDialog() {
    if (initialised_) return true;
    initialised_ = true;

    setWindowIcon(resourceIcon(IDI_APPLICATION_ICON));
    config_.windowState = WindowState::WorkArea;
    setWindowTitle(QStringLiteral("CORVANE"));
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
    normalGeometry_ = QRect(geometry().topLeft(), normalSize());

    createFurniture();
    // Without a window state in the file the window stays maximised as it was first shown.
    const bool stateRead = readConfiguration();
    if (takePlacementChoices() || stateRead)
        placeWindow();
    else
        showMaximized();
    // Where no window manager hands out the keyboard (a kiosk), the window takes it itself.
    activateWindow();
    if (!configProblem_.empty()) prompts().inform(this, encodeCp1252(QString::fromStdString(configProblem_)));

    const UsbInstallation usb = checkUsbInstallation(options_.systemPaths);
    startTraceFromCommandLine();
    if (!options_.portPath.empty()) {
        // A device named on the command line is opened like a numbered port.
        startComMode();
        return true;
    }
    offerUsbMode(usb);
    if (config_.usbMode())
        startUsbMode(usb.driverInstalled());
    else
        startComMode();
    return true;
}

void CCorvaneNewDlg::prepareFurniture() {
    // The status line works from the start: handlers may report to it before the furniture is
    // placed and shown.
    statusText_.setParent(this);
    busyBar_.setParent(this);
    statusLamp_.setParent(this);
    readyLamp_ = resourcePixmap(IDB_LAMP_READY);
    busyLamp_ = resourcePixmap(IDB_LAMP_BUSY);
    // Names that say what each part of the window is, for whoever looks for one (tests, tools).
    for (auto [part, name] :
         std::initializer_list<std::pair<QObject*, const char*>>{{&closeButton_, "closeButton"},
                                                                 {&sizeButton_, "sizeButton"},
                                                                 {&minimiseButton_, "minimiseButton"},
                                                                 {&comSettingButton_, "comSettingButton"},
                                                                 {&infoButton_, "infoButton"},
                                                                 {&busyBar_, "busyBar"},
                                                                 {&statusText_, "statusText"},
                                                                 {&statusLamp_, "statusLamp"},
                                                                 {&menuWnd_, "menuWindow"},
                                                                 {&clientWnd_, "clientWindow"}})
        part->setObjectName(QString::fromLatin1(name));
}

void CCorvaneNewDlg::createFurniture() {
    const MainFrameLayout l = mainFrameLayout(width(), height());
    auto makeCaptionButton = [this](CCorvSysButton& button, int kind, QPoint at, int id) {
        button.Create(kind, at.x(), at.y(), MainFrame::kCaptionButtonSize, this, id);
        button.SetFaceColour(ColourAccent);
        button.SetStateColours(ColourGlyphDark, ColourAccent, ColourEdgeDark, ColourGlyphDark);
        connect(&button, &CCorvSysButton::command, this, [this](int command) { OnCommand(command); });
    };
    makeCaptionButton(closeButton_, SysButtonClose, l.closeButton, IDC_MAIN_CLOSE);
    makeCaptionButton(sizeButton_, SysButtonMaximise, l.sizeButton, IDC_MAIN_SIZE);
    makeCaptionButton(minimiseButton_, SysButtonMinimise, l.minimiseButton, IDC_MAIN_MINIMISE);

    cornerCursor_ = resourceCursor(IDC_CORNER_SIZE, QCursor(Qt::SizeFDiagCursor));

    menuRect_ = l.menuPane;
    menuWnd_.setGeometry(menuRect_);
    configureMenuPane(menuWnd_);
    menuWnd_.show();
    viewsCreated_ = true;
    clientWnd_.setGeometry(l.clientPane);
    clientWnd_.show();
    menuWnd_.installEventFilter(this);
    clientWnd_.installEventFilter(this);

    auto place = [](const QRect& r) {
        return std::array{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    };
    auto [sl, st, sr, sb] = place(l.comSettingButton);
    comSettingButton_.Create(encodeCp1252(tr("Com setting")), kComSettingStyle, sl, st, sr, sb, this,
                             IDC_MAIN_COM_SETTING);
    comSettingButton_.SetCaptionFont(QStringLiteral("MS sans serif"), 10);
    comSettingButton_.SetIcons(IDI_COM_SETTING, kButtonIconSize, kButtonIconSize, IDI_COM_SETTING, kButtonIconSize,
                               kButtonIconSize, IDI_COM_SETTING, kButtonIconSize, kButtonIconSize);
    comSettingButton_.SetBackColour(ColourPanel);
    connect(&comSettingButton_, &CCorvButton::command, this, [this](int id) { OnCommand(id); });

    auto [il, it, ir, ib] = place(l.infoButton);
    infoButton_.Create(encodeCp1252(tr("info")), kInfoStyle, il, it, ir, ib, this, IDC_MAIN_ABOUT);
    infoButton_.SetIcons(IDI_INFO, kButtonIconSize, kButtonIconSize, IDI_INFO, kButtonIconSize, kButtonIconSize,
                         IDI_INFO, kButtonIconSize, kButtonIconSize);
    infoButton_.SetBackColour(ColourPanel);
    connect(&infoButton_, &CCorvButton::command, this, [this](int id) { OnCommand(id); });

    auto [tl, tt, tr, tb] = place(l.statusText);
    ownStatusText_ = encodeCp1252(ConnectionSupervisor::tr(kStatusNotConnected));
    statusText_.Create(ownStatusText_, tl, tt, tr, tb, this, IDC_STATUS_TEXT);
    statusText_.SetColours(ColourPanel, ColourEdgeLight);

    auto [bl, bt, br, bb] = place(l.busyBar);
    busyBar_.Create(bl, bt, br, bb, this);
    busyBar_.show();

    statusLamp_.setGeometry(l.statusLamp);
    statusLamp_.setStyleSheet(QStringLiteral("background: rgb(25,25,25);"));
    showBusyLamp();
    statusLamp_.show();
    setUpKeyboard();
}

bool CCorvaneNewDlg::readConfiguration() {
    // A missing file means port 1; a file without the window state leaves it as it is.
    constexpr auto kNotRead = static_cast<WindowState>(-1);
    PortConfig read;
    read.windowState = kNotRead;
    const ConfigReadResult result = configFile_.read(read);
    config_.port = read.port;
    config_.device = read.device;
    config_.reconnect = read.reconnect;
    if (result.unusable()) {
        // Said once, when the window stands; the file is left for the user to look at.
        saved_.reset();
        configProblem_ = result.error;
    } else {
        saved_ = read;
    }
    if (read.windowState == kNotRead) return false;
    config_.windowState = read.windowState;
    return true;
}

void CCorvaneNewDlg::placeWindow() {
    systemDragged_ = false;  // the placement below is ours, not a drag's result
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    switch (config_.windowState) {
        case WindowState::Maximised:
            // Where no window manager maximises a frameless window, it covers the work area itself;
            // otherwise the first click on the size button would seem to do nothing.
            if (screen && !isMaximized()) setGeometry(screen->availableGeometry());
            showMaximized();
            break;
        case WindowState::WorkArea:
            showNormal();
            if (screen) setGeometry(screen->availableGeometry());
            break;
        case WindowState::Normal:
            showNormal();
            setGeometry(normalGeometry_);
            break;
    }
}

void CCorvaneNewDlg::offerUsbMode(const UsbInstallation& usb) {
    // A device the user chose by name is their choice: no offer to replace it.
    if (!config_.device.empty() || !shouldOfferUsbMode(saved_.value_or(config_), usb)) return;
    if (!prompts().askYesNo(this, encodeCp1252(tr(kUsbModeOffer)))) {
        // No is an answer for good: the offer is not made at every start. A damaged file waits
        // for the user's choice of a port instead.
        if (saved_) {
            PortConfig declined = *saved_;
            declined.usbOfferDeclined = true;
            saveConfiguration(declined);
        }
        return;
    }
    config_.port = PortConfig::kUsbMode;
    PortConfig usbMode = saved_.value_or(config_);
    usbMode.port = PortConfig::kUsbMode;
    saveConfiguration(usbMode);
}

bool CCorvaneNewDlg::saveConfiguration(PortConfig config) {
    config.windowState = config_.windowState;
    const ConfigWriteResult written = configFile_.write(config);
    if (!written) {
        prompts().inform(this, encodeCp1252(QString::fromStdString(written.error)));
        return false;
    }
    saved_ = config;
    return true;
}

DeviceEventSource& CCorvaneNewDlg::deviceEvents() {
    if (eventSource_) return *eventSource_;
    if (options_.makeEventSource) {
        eventSource_ = options_.makeEventSource();
    } else {
        auto udev = std::make_unique<UdevEventSource>();
        // Without the monitor the unit is still found at start, a line that hangs up counts as
        // unplugged, and the timer looks for the unit once a second until it is back.
        if (!udev->isWatching())
            std::fprintf(stderr, "corvane: %s\n",
                         tr("USB plug events are not followed: %1")
                             .arg(QString::fromStdString(udev->setupError()))
                             .toLocal8Bit()
                             .constData());
        eventSource_ = std::move(udev);
    }
    return *eventSource_;
}

void CCorvaneNewDlg::startComMode() {
    const bool named = !options_.portPath.empty() || !config_.device.empty();
    const std::string device = !options_.portPath.empty() ? options_.portPath
                               : named                    ? config_.device
                                                          : PosixSerialPort::comDevicePath(config_.port);
    // A device chosen by name in the dialog is reopened when it returns; a numbered port or a
    // device given with --port when the user switched reopening on.
    supervisor_.setReopenTarget(device, [this] { return listSerialDevices(options_.systemPaths); });
    supervisor_.setReopen((options_.portPath.empty() && !config_.device.empty()) || config_.reconnect);
    if (supervisor_.reopens()) supervisor_.watch(deviceEvents());
    if (supervisor_.startComMode(device)) return;
    const int error = control_.lastOpenError();
    // An adapter that is not plugged in yet is waited for; the status line says it is away.
    if (supervisor_.waitingForDevice() && (error == ENOENT || error == ENODEV || error == ENXIO)) return;
    // Without reopening no timer runs: the status line keeps "not connected" for this run.
    const std::string label = named ? device : comPortLabel(config_.port);
    prompts().inform(this, encodeCp1252(QString::fromStdString(describePortOpenError(label, device, error))));
}

void CCorvaneNewDlg::startUsbMode(bool driverInstalled) {
    if (!driverInstalled) {
        prompts().inform(this, encodeCp1252(tr(kUsbDriverMissing)) + "\r\n\r\n" +
                                   encodeCp1252(QString::fromStdString(usbDriverMissingHint(options_.systemPaths))));
        return;
    }
    usbDriver_ = true;
    supervisor_.watch(deviceEvents());
    supervisor_.startUsbMode();
    statusText_.repaint();
    reportRefusedUsbPort();
}

void CCorvaneNewDlg::reportRefusedUsbPort() {
    // A port that is there but may not be opened is no unit in standby: the timer would retry
    // it for ever in silence. Say once what stands in the way (the group, the udev rule).
    const int error = control_.lastOpenError();
    if (!supervisor_.unitPresent() || control_.isOpen() || (error != EACCES && error != EPERM)) return;
    const std::optional<UnitPort> port = findUnitPort(options_.systemPaths);
    if (!port) return;
    prompts().inform(
        this, encodeCp1252(QString::fromStdString(describePortOpenError(port->devicePath, port->devicePath, error))));
}

void CCorvaneNewDlg::startTraceFromCommandLine() {
    if (options_.traceFile.empty()) return;
    switchTraceOn(QString::fromStdString(options_.traceFile));
}

bool CCorvaneNewDlg::switchTraceOn(const QString& path) {
    const std::string file = path.toStdString();
    if (link_.openTrace(file)) {
        traceOn_ = true;
        traceFile_ = QFileInfo(path).absoluteFilePath();
        fileDialogs_.noteSaved(traceFile_, SavedFile::Trace);
        return true;
    }
    // The check mark would claim a trace that is not being written.
    traceOn_ = false;
    prompts().inform(this, traceFileErrorText(path, link_.traceOpenError()));
    return false;
}

void CCorvaneNewDlg::reportTraceFailure() {
    const std::optional<TraceWriter::Failure> failure = link_.takeTraceFailure();
    if (!failure) return;
    // The trace closed itself on a file that takes no more (a full disk); the link goes on.
    traceOn_ = false;
    prompts().inform(this, traceFileErrorText(QString::fromStdString(failure->path), failure->error));
}

std::string CCorvaneNewDlg::traceFileErrorText(const QString& path, int error) {
    return encodeCp1252(
        tr("Cannot write the trace file %1:\n%2").arg(path, QString::fromLocal8Bit(TraceWriter::describeError(error))));
}

void CCorvaneNewDlg::OnCommand(int id) {
    switch (id) {
        case IDC_MAIN_CLOSE:
            // The close caption button ends the program without asking.
            QDialog::done(IDCANCEL);
            break;
        case IDC_MAIN_SIZE: cycleWindowState(); break;
        case IDC_MAIN_MINIMISE: minimiseWindow(); break;
        case IDC_MAIN_COM_SETTING: openComSetting(); break;
        case IDC_MAIN_ABOUT: prompts().inform(this, aboutText()); break;
        case IDC_MAIN_TRACE: toggleTrace(); break;
        default: break;
    }
}

void CCorvaneNewDlg::cycleWindowState() {
    if (config_.windowState == WindowState::Normal) normalGeometry_ = geometry();
    config_.windowState = nextWindowState(config_.windowState);
    placeWindow();
    // A maximised window has no sizing or moving cursor, and the frame moved under the pointer.
    updateFrameCursor(mapFromGlobal(QCursor::pos()));
    update();
    // The port written is the one last saved, which a port chosen in the COM setting dialog
    // since the start has replaced: the running program's own port would undo that choice.
    if (saved_) saveConfiguration(*saved_);
}

void CCorvaneNewDlg::minimiseWindow() {
    showMinimized();
    update();
    restorePending_ = true;
}

void CCorvaneNewDlg::openComSetting() {
    if (usbDriver_ && !prompts().askYesNo(this, encodeCp1252(tr(kUsbAutoSelectQuestion)))) return;
    CComSetting dialog(this, configFile_, config_.windowState, traceOn_, traceFile_);
    dialog.setDeviceListing([this] { return listSerialDevices(options_.systemPaths); }, &deviceEvents());
    connect(&dialog, &CComSetting::command, this, [this](int id) { OnCommand(id); });
    comSetting_ = &dialog;
    const int result = dialog.DoModal();
    comSetting_ = nullptr;
    if (dialog.savedConfig()) {
        saved_ = dialog.savedConfig();
        // The reopen switch takes effect at once for the numbered port in use.
        if (!supervisor_.usbMode() && options_.portPath.empty() && config_.device.empty()) {
            supervisor_.setReopen(saved_->reconnect);
            if (saved_->reconnect) supervisor_.watch(deviceEvents());
        }
    }
    if (!dialog.writeError().empty()) {
        prompts().inform(this, encodeCp1252(QString::fromStdString(dialog.writeError())));
        return;
    }
    if (result != IDOK || !dialog.changed()) return;
    std::string notice = encodeCp1252(tr(kRestartNotice));
    // A device the user may not open: say now what stands in the way, not at the next start.
    if (const std::optional<SerialDevice>& device = dialog.chosenDevice(); device && !device->mayOpen)
        notice +=
            "\r\n\r\n" +
            encodeCp1252(QString::fromStdString(describePortOpenError(device->displayName(), device->node, EACCES)));
    prompts().inform(this, notice);
}

void CCorvaneNewDlg::toggleTrace() {
    // Only the COM setting dialog's menu switches the trace.
    if (!comSetting_) return;
    if (traceOn_) {
        traceOn_ = false;
        link_.closeTrace();
    } else if (std::optional<QString> path = prompts().chooseTraceFile(comSetting_, fileDialogs_.saveFolder())) {
        switchTraceOn(*path);
    }
    // The dialog stays open with the port chosen so far; its menu and trace line follow.
    comSetting_->setTraceState(traceOn_, traceFile_);
}

void CCorvaneNewDlg::accept() { askToClose(); }

void CCorvaneNewDlg::reject() { askToClose(); }

void CCorvaneNewDlg::askToClose() {
    // While the unit works on a choice or has a pop-up up, a careless Enter must not end the
    // session in the middle of the unit's function: the question then starts on NO.
    const PresetAnswer preset = unitFunctionInProgress() ? PresetAnswer::No : PresetAnswer::Yes;
    if (prompts().askYesNo(this, encodeCp1252(tr(kCloseQuestion)), preset)) QDialog::done(IDOK);
}

bool CCorvaneNewDlg::unitFunctionInProgress() const {
    return pageChoices_.busy() || popUps_.messageBox() || popUps_.listWindow() || popUps_.stringWindow() ||
           popUps_.keyPad() || fileDialogs_.isOpen();
}

std::string CCorvaneNewDlg::aboutRelease() { return kProgramRelease; }

std::string CCorvaneNewDlg::aboutText() {
    return encodeCp1252(
        tr("%1\r\n\r\nWeb site %2\r\n\r\nYou can read the user's manual with the command\r\n man corvane")
            .arg(QString::fromStdString(aboutRelease()), QString::fromLatin1(kWebAddress)));
}

namespace {
// The screen handlers' fixed texts in the user's language; any other text is shown as given.
std::string shownStatusText(const std::string& bytes) {
    for (const char* fixed : {kStatusReady, kStatusBusy, kStatusKeyPadWait, kStatusChoiceNotDelivered})
        if (bytes == fixed) return encodeCp1252(QCoreApplication::translate("corvane::StatusLine", fixed));
    return bytes;
}
}  // namespace

void CCorvaneNewDlg::setStatusText(const std::string& bytes) {
    ownStatusText_ = shownStatusText(bytes);
    // While the unit is silent the notice stays; the text comes back when the unit speaks.
    if (unitSilent_) return;
    statusText_.setText(ownStatusText_);
    statusText_.repaint();
}

void CCorvaneNewDlg::showUnitSilence(int seconds) {
    unitSilent_ = seconds > 0;
    statusText_.setText(unitSilent_ ? silentUnitText(seconds) : ownStatusText_);
    statusText_.repaint();
}

void CCorvaneNewDlg::showReadyLamp() {
    statusLamp_.setPixmap(readyLamp_);
    statusLamp_.setAccessibleName(tr("Lamp: ready"));
}

void CCorvaneNewDlg::showBusyLamp() {
    statusLamp_.setPixmap(busyLamp_);
    statusLamp_.setAccessibleName(tr("Lamp: not ready"));
}

void CCorvaneNewDlg::startBusyBar() { busyBar_.Start(); }

void CCorvaneNewDlg::stopBusyBar() { busyBar_.Stop(); }

void CCorvaneNewDlg::applySupervisionPeriod(int milliseconds) {
    supervisionPeriodMs_ = milliseconds;
    if (milliseconds > 0)
        supervisionTimer_.start(milliseconds, this);
    else
        supervisionTimer_.stop();
}

}  // namespace corvane
