#pragma once
// The questions and notices the application shell puts to the user, behind one interface so
// that the main window and the COM setting dialog can be driven without a modal wait.
#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace corvane {

// The answer that Enter gives to a question before the user has moved to another button.
enum class PresetAnswer { Yes, No };

class ShellPrompts {
public:
    virtual ~ShellPrompts() = default;
    // A Yes/No question; true for Yes. The text is raw Windows-1252 bytes.
    virtual bool askYesNo(QWidget* owner, const std::string& text, PresetAnswer preset) = 0;
    bool askYesNo(QWidget* owner, const std::string& text) { return askYesNo(owner, text, PresetAnswer::Yes); }
    // A notice with an OK button.
    virtual void inform(QWidget* owner, const std::string& text) = 0;
    // The file for the verbose trace, proposed in `folder` (empty: where the dialog likes);
    // nothing when the user cancels.
    virtual std::optional<QString> chooseTraceFile(QWidget* owner, const QString& folder) = 0;
};

// The program's own skinned boxes and the platform's save-file dialog, all modal. Where no
// screen exists (Qt's offscreen platform) the texts go to standard error instead, questions
// are answered No and no trace file is chosen.
class ModalShellPrompts : public ShellPrompts {
public:
    using ShellPrompts::askYesNo;
    bool askYesNo(QWidget* owner, const std::string& text, PresetAnswer preset) override;
    void inform(QWidget* owner, const std::string& text) override;
    std::optional<QString> chooseTraceFile(QWidget* owner, const QString& folder) override;
};

// The default file name and filters of the trace file dialog.
inline constexpr const char* kTraceDefaultName = "Verbose.txt";
inline constexpr const char* kTraceDefaultSuffix = "txt";

}  // namespace corvane
