#pragma once
// CComSetting: the small dialog in which the user picks the unit's port ("USB", COM 01 to 50,
// or a serial device present, by its name) for the next start of the program. Its right-click
// menu switches the verbose trace (a command for the main window, which owns the link) and the
// reopening of a numbered port that returns. A line below the OK button tells whether the trace
// is on and which file it goes to.
#include "shell/port_config.h"
#include "shell/serial_devices.h"
#include "controls/corv_dialog.h"
#include "controls/corv_static.h"

#include <QPointer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;

class QActionGroup;

namespace corvane {

class CCorvButton;
class DeviceEventSource;
class ShellPrompts;

inline constexpr int IDC_COM_NUMBER_TEXT = 1000;
inline constexpr int IDC_COM_LIST = 1001;
// The trace switch of the popup menu, handled by the main window.
inline constexpr int ID_VERBOSE_DEBUG_OUTPUT = 106;

// Shown in the user's language.
inline constexpr const char* kComSettingPrompt = QT_TRANSLATE_NOOP("corvane::CComSetting", "Enter com number...");
inline constexpr const char* kVerboseDebugOutput = QT_TRANSLATE_NOOP("corvane::CComSetting", "Verbose debug output");
inline constexpr const char* kReopenReturningPort =
    QT_TRANSLATE_NOOP("corvane::CComSetting", "Reopen a COM port that returns");

class CComSetting : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 146;
    static constexpr int kListPositions = PortConfig::kMaxComPort + 1;  // "USB", "01" .. "50"

    // Room below the OK button for the trace line, added to the dialog's 88 dialog units.
    static constexpr int kTraceLineHeight = 40;

    // The window state is written back with a changed port; the trace flag checks the menu item
    // and, with the trace file, fills the trace line.
    CComSetting(QWidget* parent, PortConfigFile file, WindowState windowState, bool traceOn, QString traceFile = {});
    ~CComSetting() override;

    // Lists the serial devices present after the numbered ports, anew whenever `events` reports
    // a device coming or going. Call before the initialisation.
    void setDeviceListing(std::function<std::vector<SerialDevice>()> listDevices, DeviceEventSource* events);
    // The main window switched the trace while the dialog is open: the menu and the trace line
    // follow, the port chosen so far stays.
    void setTraceState(bool traceOn, const QString& traceFile);

    // Runs the initialisation, then the dialog modally.
    int DoModal() override;
    // Reads (or first creates) the file, fills the list and makes the buttons and the menu.
    // Runs once; DoModal calls it.
    void OnInitDialog();

    // The user chose a port other than the stored one and it has been written.
    bool changed() const { return changed_; }
    // The whole setting written by OK, if any.
    const std::optional<PortConfig>& savedConfig() const { return savedConfig_; }
    // The device chosen by name when OK was pressed, as it was listed.
    const std::optional<SerialDevice>& chosenDevice() const { return chosenDevice_; }
    // Set when the last write of the file failed; the text says why.
    const std::string& writeError() const { return writeError_; }

    QComboBox* portList() const { return list_; }
    CCorvButton* okButton() const { return ok_; }
    QMenu* popupMenu() const { return menu_; }
    QAction* verboseAction() const { return verbose_; }
    QAction* reconnectAction() const { return reconnect_; }
    // The choice of the program's language: one checkable item per language, its code as data
    // (empty: the system's language).
    QActionGroup* languageChoice() const { return languages_; }
    // "Verbose trace off..." or "Verbose trace on, written to" and the file (its middle left out
    // when it is too long; the tooltip has it whole).
    QLabel* traceLine() const { return traceLine_; }
    const CCorvStatic& promptText() const { return prompt_; }

signals:
    // A command for the owner (the trace switch).
    void command(int id);

protected:
    void OnOK() override;
    void OnCommand(int id) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void fillTraceLine();
    // Lists the devices anew after the numbered ports, keeping the selection.
    void refreshDevices();
    // The list position of a device path; -1 when it is not listed.
    int positionOf(const std::string& path) const;

    PortConfigFile file_;
    WindowState windowState_;
    bool traceOn_;
    QString traceFile_;
    int storedChoice_ = PortConfig::kDefaultPort;
    bool changed_ = false;
    bool fileUnusable_ = false;
    PortConfig stored_;  // the setting read when the dialog opened
    std::optional<PortConfig> savedConfig_;
    std::optional<SerialDevice> chosenDevice_;
    std::function<std::vector<SerialDevice>()> listDevices_;
    DeviceEventSource* events_ = nullptr;
    std::vector<SerialDevice> devices_;  // as listed after the numbered ports
    bool initialised_ = false;
    std::string writeError_;

    CCorvStatic prompt_;
    QComboBox* list_ = nullptr;
    CCorvButton* ok_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* verbose_ = nullptr;
    QAction* reconnect_ = nullptr;
    QActionGroup* languages_ = nullptr;
    QLabel* traceLine_ = nullptr;
};

}  // namespace corvane
