#pragma once
// CCorvaneNewDlg: the program's main window. It owns the device link and every view: a frameless
// window that paints its own title band, margins and status band, holds the menu window and the
// client window, opens the unit's port at start and supervises the connection with timer 1.
#include <QBasicTimer>
#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <memory>
#include <optional>
#include <string>

#include "shell/connection_supervisor.h"
#include "shell/link_window_bridge.h"
#include "shell/port_config.h"
#include "shell/unit_link_control.h"
#include "controls/corv_button.h"
#include "controls/corv_static.h"
#include "controls/corv_sys_button.h"
#include "controls/corv_work_bar.h"
#include "link/unit_link.h"
#include "platform/window_message.h"
#include "screens/file_dialogs.h"
#include "screens/main_frame_geometry.h"
#include "screens/main_window_options.h"
#include "screens/main_window_panes.h"
#include "screens/page_choices.h"
#include "screens/page_updates.h"
#include "screens/report_save.h"
#include "screens/pop_ups.h"
#include "screens/status_line.h"

namespace corvane {

class CComSetting;
class DeviceEventSource;
class ShellPrompts;
struct UsbInstallation;

// Commands of the main window's buttons and of the COM setting dialog's menu.
inline constexpr int IDC_MAIN_CLOSE = 101;
inline constexpr int IDC_MAIN_SIZE = 102;
inline constexpr int IDC_MAIN_MINIMISE = 103;
inline constexpr int IDC_MAIN_COM_SETTING = 104;
inline constexpr int IDC_MAIN_ABOUT = 105;
inline constexpr int IDC_MAIN_TRACE = 106;
inline constexpr int IDC_STATUS_TEXT = 1000;

// The window's own questions and notices, shown in the user's language.
inline constexpr const char* kCloseQuestion =
    QT_TRANSLATE_NOOP("corvane::CCorvaneNewDlg", "Do you want to close CORVANE ?");
inline constexpr const char* kUsbAutoSelectQuestion = QT_TRANSLATE_NOOP(
    "corvane::CCorvaneNewDlg", "COM port will be automatically selected for USB devices\r\nDo you want to continue?");
inline constexpr const char* kRestartNotice =
    QT_TRANSLATE_NOOP("corvane::CCorvaneNewDlg", "Please close and restart the CORVANE application");

class CCorvaneNewDlg : public MessageWindow<QDialog>, public StatusLine {
    Q_OBJECT
public:
    // Timer 1: connection supervision.
    static constexpr int kSupervisionTimerId = 1;

    explicit CCorvaneNewDlg(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~CCorvaneNewDlg() override;

    // Initialises the window, then runs it until it is closed.
    int DoModal();
    // Builds the furniture, places the window, opens the port and starts the supervision.
    // Runs once; DoModal calls it.
    bool OnInitDialog();

    // The status line, for the connection supervision, the screen handlers and the rooms.
    void setStatusText(const std::string& bytes) override;
    void showReadyLamp() override;
    void showBusyLamp() override;
    void startBusyBar() override;
    void stopBusyBar() override;

    // The unit's menu, its pages and the user's choices.
    PageChoices& pageChoices() { return pageChoices_; }
    // The file dialog slot shared by the report save, the unit's file requests and the rooms.
    FileDialogs& fileDialogs() { return fileDialogs_; }
    // The connection state the status line shows: a unit is talking to the window.
    bool connected() const { return supervisor_.connected(); }

    // The release text the about box opens with.
    static std::string aboutRelease();

    // A notice with an OK button; raw single-byte text.
    void informUser(const std::string& text);
    // Ends the window as its close button does, from wherever it is: the pop-ups, boxes and
    // dialogs that wait end as cancelled, nothing more is asked, and DoModal returns.
    void endAsClosed();

signals:
    // A link notification or a private message of the page or the menu has been handled. Rooms
    // beside the window's own parts (the readings graph) follow the page through it.
    void messageHandled(std::uint32_t message);
    // What the open page's reading fields showed with each values frame, in the order the frames
    // came; every frame once.
    void valuesShown(const std::vector<corvane::ShownValues>& readings);
    // The connection state in the status line has changed (see connected()).
    void connectionChanged();

public slots:
    // Enter and the platform's ways of closing ask first; the close caption button does not.
    void accept() override;
    void reject() override;

protected:
    // What a subclass may look at beyond what the program uses: the window's tests and
    // benchmarks open these (and find the furniture by its object names).

    // The dialog's own size in normal placement: 431 x 286 dialog units.
    static QSize normalSize();
    // The commands of the caption buttons, the two band buttons and the trace switch.
    void OnCommand(int id);
    UnitLink& link() { return link_; }
    // What the link announced and the window has yet to handle.
    const LinkWindowBridge& linkBridge() const { return bridge_; }
    // What the unit shows on and reads back from the open page, and the report save.
    PageUpdates& pageUpdates() { return pageUpdates_; }
    // The unit's pop-ups.
    PopUps& popUps() { return popUps_; }
    // Start-up and connection state.
    int portNumber() const { return config_.port; }
    WindowState windowState() const { return config_.windowState; }
    bool usbDriverInstalled() const { return usbDriver_; }
    bool unitPresent() const { return supervisor_.unitPresent(); }
    bool traceOn() const { return traceOn_; }
    // The period timer 1 runs with; 0 while it is stopped.
    int supervisionPeriodMs() const { return supervisionTimer_.isActive() ? supervisionPeriodMs_ : 0; }
    bool watchingDevices() const { return eventSource_ != nullptr; }
    FrameDrag dragMode() const { return dragMode_; }
    // The port the configuration file holds as far as this window knows: the one read at start,
    // or chosen since. None while the file is damaged or unreadable: it is then not rewritten
    // with the window state, only when the user chooses a port.
    std::optional<int> savedPort() const { return saved_ ? std::optional<int>(saved_->port) : std::nullopt; }

    // The private messages from the panes. Handlers of further messages are added to the switch.
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // The link's notifications, through the bridge (main_window_link.cpp).
    void onLinkNotification(const LinkNotification& notification);
    // The connection ended: the readings of values frames still waiting are given out now.
    void takeWaitingReadings();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Children get the arrow, so that the frame's zone cursors never show over them.
    void childEvent(QChildEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Keyboard use of the main window (main_window_keys.cpp): Enter, Escape and the arrows here,
    // Tab and Shift+Tab through every control in reading order.
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Wheel turns that reach a pane unhandled are routed like those over the frame.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    static std::string aboutText();
    ShellPrompts& prompts();
    void prepareFurniture();
    void createFurniture();
    // True when the file gave the window state. A damaged or unreadable file leaves its
    // message in configProblem_.
    bool readConfiguration();
    void placeWindow();
    // The remembered normal place and a geometry asked for on the command line (main_window_
    // placement.cpp); true when the command line chose the placement for this run.
    bool takePlacementChoices();
    // Writes the placement as the window ends, when it differs from the file's.
    void rememberPlacement();
    // Writes the file with the current window state; a failure is shown with the file and the
    // reason. True when written.
    bool saveConfiguration(PortConfig config);
    // The udev monitor (or the test's source), made on first use.
    DeviceEventSource& deviceEvents();
    void offerUsbMode(const UsbInstallation& usb);
    void startComMode();
    void startUsbMode(bool driverInstalled);
    void reportRefusedUsbPort();
    void startTraceFromCommandLine();
    bool switchTraceOn(const QString& path);
    // Tells the user once when the trace stopped because its file could not be written.
    void reportTraceFailure();
    static std::string traceFileErrorText(const QString& path, int error);

    void cycleWindowState();
    void minimiseWindow();
    void openComSetting();
    void toggleTrace();
    void askToClose();
    // The unit is working on a choice (busy) or waits on one of its pop-ups.
    bool unitFunctionInProgress() const;

    void layoutViews();
    void onMenuEdgeChanged();
    void routeWheel(int delta, int screenX);
    void paintRegion(QPainter& target, const QRect& region, bool titleBand);
    const QImage& titlePattern();
    QCursor cursorFor(FrameDrag zone) const;
    // The cursor for a pointer at this point of the window.
    void updateFrameCursor(QPoint point);
    // Hands a frame drag to the window system; false where it refuses (we then drag ourselves).
    bool handDragToWindowSystem(FrameDrag zone);
    void keepSystemDraggedGeometry();
    void applySupervisionPeriod(int milliseconds);
    // The silence notice over the status line (0: the line's own text again).
    void showUnitSilence(int seconds);

    // The keyboard's way through the window: the band's buttons left to right, the menu entries
    // shown top to bottom, then the open page's controls in reading order.
    std::vector<QWidget*> keyboardChain();
    void setUpKeyboard();
    // Scrolls the pane that holds a control moved to by the keyboard so that it can be seen.
    void bringIntoView(QWidget* control);
    // The notice or key pad on screen that does not wait: it takes the keys aimed at it.
    QWidget* shownPopUp() const;

    MainWindowOptions options_;
    std::unique_ptr<ShellPrompts> ownPrompts_;
    PortConfigFile configFile_;
    PortConfig config_;
    std::optional<PortConfig> saved_;
    std::string configProblem_;  // what is wrong with the configuration file, for the start to say

    // The bridge outlives the link: the worker is stopped before the bridge goes.
    LinkWindowBridge bridge_;
    UnitLink link_;
    UnitLinkControl control_;
    ConnectionSupervisor supervisor_;
    std::unique_ptr<DeviceEventSource> eventSource_;
    QBasicTimer supervisionTimer_;
    int supervisionPeriodMs_ = 0;

    bool initialised_ = false;
    bool ending_ = false;
    std::unique_ptr<ShellPrompts> silentPrompts_;  // what is asked while the window ends
    bool viewsCreated_ = false;
    bool usbDriver_ = false;
    bool traceOn_ = false;
    QString traceFile_;  // where the trace goes while it is on
    bool restorePending_ = false;
    CComSetting* comSetting_ = nullptr;
    QRect normalGeometry_;

    FrameDrag dragMode_ = FrameDrag::None;
    bool systemDragged_ = false;  // the window system has moved or sized the window
    QPoint lastPoint_;
    QRect menuRect_;
    QImage titlePattern_;
    QPixmap readyLamp_;
    QPixmap busyLamp_;
    QCursor cornerCursor_;

    CCorvButton comSettingButton_;
    CCorvButton infoButton_;
    CCorvWorkBar busyBar_;
    CCorvSysButton closeButton_;
    CCorvSysButton sizeButton_;
    CCorvSysButton minimiseButton_;
    CCorvStatic statusText_;
    std::string ownStatusText_;  // the line's text under a silence notice
    bool unitSilent_ = false;
    QLabel statusLamp_;
    CMenuWnd menuWnd_;
    CClientWnd clientWnd_;
    PageChoices pageChoices_{link_, menuWnd_, clientWnd_, *this};
    FileDialogs fileDialogs_;
    ReportSave reportSave_{fileDialogs_, this, [this](const std::string& text) { informUser(text); }};
    PageUpdates pageUpdates_{link_, pageChoices_, reportSave_};
    PopUps popUps_{link_, *this, fileDialogs_, pageChoices_, [this](const std::string& text) { informUser(text); }};
};

}  // namespace corvane
