#pragma once
// CComSetting: the small dialog in which the user picks the unit's port ("USB" or COM 01 to
// 50) for the next start of the program. Its right-click menu switches the verbose trace; that
// command goes to the main window, which owns the link.
#include "shell/port_config.h"
#include "controls/corv_dialog.h"
#include "controls/corv_static.h"

#include <QPointer>

class QAction;
class QComboBox;
class QMenu;

namespace corvane {

class CCorvButton;
class ShellPrompts;

inline constexpr int IDC_COM_NUMBER_TEXT = 1000;
inline constexpr int IDC_COM_LIST = 1001;
// The trace switch of the popup menu, handled by the main window.
inline constexpr int ID_VERBOSE_DEBUG_OUTPUT = 106;

inline constexpr const char* kComSettingPrompt = "Enter com number...";
inline constexpr const char* kVerboseDebugOutput = "Verbose debug output";

class CComSetting : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 146;
    static constexpr int kListPositions = PortConfig::kMaxComPort + 1;  // "USB", "01" .. "50"

    // The window state is written back with a changed port; the trace flag checks the menu item.
    CComSetting(QWidget* parent, PortConfigFile file, WindowState windowState, bool traceOn);
    ~CComSetting() override;

    // Runs the initialisation, then the dialog modally.
    int DoModal() override;
    // Reads (or first creates) the file, fills the list and makes the buttons and the menu.
    // Runs once; DoModal calls it.
    void OnInitDialog();

    int storedChoice() const { return storedChoice_; }
    bool changed() const { return changed_; }
    // Set when the last write of the file failed; the text says why.
    const std::string& writeError() const { return writeError_; }

    QComboBox* portList() const { return list_; }
    CCorvButton* okButton() const { return ok_; }
    QMenu* popupMenu() const { return menu_; }
    QAction* verboseAction() const { return verbose_; }
    const CCorvStatic& promptText() const { return prompt_; }

signals:
    // A command for the owner (the trace switch).
    void command(int id);

protected:
    void OnOK() override;
    void OnCommand(int id) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PortConfigFile file_;
    WindowState windowState_;
    bool traceOn_;
    int storedChoice_ = PortConfig::kDefaultPort;
    bool changed_ = false;
    bool initialised_ = false;
    std::string writeError_;

    CCorvStatic prompt_;
    QComboBox* list_ = nullptr;
    CCorvButton* ok_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* verbose_ = nullptr;
};

}  // namespace corvane
