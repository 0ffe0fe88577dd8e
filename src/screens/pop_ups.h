#pragma once
// PopUps: the main window's side of the unit's pop-up requests. One slot per kind of pop-up
// (message box, list window, string window, file dialog, key pad); a request for an occupied
// slot is ignored. The outcome goes to the unit through PendingAnswer, always by the link's
// non-blocking answer path.
//
// Waiting pop-ups run a nested event loop in which the link's messages keep being handled, so
// every handler here may be re-entered: a slot can be emptied, the window closed or the unit
// unplugged while a pop-up waits. After each wait the handler checks that it still exists and
// reads nothing from a pop-up that has gone.
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/corv_message_box.h"
#include "link/unit_link.h"
#include "screens/corv_list_wnd.h"
#include "screens/corv_string_wnd.h"
#include "screens/file_dialogs.h"
#include "screens/page_choices.h"
#include "screens/pop_up_slots.h"
#include "screens/transport_tool.h"

namespace corvane {

class PopUps : public PopUpSlots {
public:
    // boxResult values.
    static constexpr std::uint8_t kShown = 1;
    static constexpr std::uint8_t kAccepted = 2;
    static constexpr std::uint8_t kFirstButton = 3;
    static constexpr std::uint8_t kRefused = 4;
    static constexpr const char* kFileTooLong = QT_TRANSLATE_NOOP("corvane::PopUps", "File too long");

    // Shows a notice with an OK button (raw Windows-1252 text) and returns when it is closed.
    using Notify = std::function<void(const std::string&)>;

    PopUps(UnitLink& link, QWidget& owner, FileDialogs& files, PageChoices& choices, Notify notify);
    ~PopUps() override;
    PopUps(const PopUps&) = delete;
    PopUps& operator=(const PopUps&) = delete;

    // WM_LINK_BOX: opens what the box request asks for ('B', or 'X' for the box again).
    void onBox(const LinkBox& box);
    // WM_LINK_BOX_TAKEN: closes what the unit no longer waits for.
    void onBoxTaken();
    // The program ends: every waiting pop-up ends as cancelled, the others go.
    void closeAll();

    // Where the transfer progress is reset after a file was saved; may stay unset.
    void setTransferProgressView(TransferProgressView* view) { transferView_ = view; }

    // PopUpSlots.
    bool appendToListWindow(const std::vector<std::string>& lines) override;
    bool messageBoxOpen() const override { return !messageBox_.isNull(); }
    void setMessageBoxProgress(int range, int position) override;
    void setKeyPadProgress(int range, int position) override;

    // The slots; null while empty.
    CCorvMessageBox* messageBox() const { return messageBox_.data(); }
    CCorvListWnd* listWindow() const { return listWindow_.data(); }
    CCorvStringWnd* stringWindow() const { return stringWindow_.data(); }
    CTransportTool* keyPad() const { return keyPad_.data(); }
    FileDialogs& fileDialogs() { return files_; }

    // The longest text the unit's status reply can carry with its announced capacity.
    static int maxAnswerText(std::uint32_t replyLimit);
    // What the user is told when a file is refused for its size, or a text cannot be typed.
    static std::string fileTooLongNotice(const std::string& fileName);
    static std::string noRoomForTextNotice(std::uint32_t replyLimit);
    // The saved file's name as the answer text of a save box: its Windows-1252 bytes, or empty
    // when the name cannot travel as it is.
    static std::string savedNameForUnit(const QString& path);

private:
    void askMessageBox(int type, const std::string& text, std::uint8_t firstButtonResult);
    void showNotice(int type, const std::string& text);
    void askListChoice(const std::string& caption);
    void askString(const std::string& caption);
    void loadFileForUnit(const std::string& filter);
    void saveFileFromUnit(const std::string& filter);
    void openKeyPad();

    // For the box asked in the connection of `epoch`: dropped once that unit has gone.
    void setBoxResult(std::uint8_t result, std::uint64_t epoch);
    static void dispose(QWidget* popUp);

    UnitLink& link_;
    QWidget& owner_;
    FileDialogs& files_;
    PageChoices& choices_;
    Notify notify_;
    TransferProgressView* transferView_ = nullptr;
    // Expires with this object: a handler resuming after a wait checks it before anything else.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);

    QPointer<CCorvMessageBox> messageBox_;
    QPointer<CCorvListWnd> listWindow_;
    QPointer<CCorvStringWnd> stringWindow_;
    QPointer<CTransportTool> keyPad_;
    // Set while the user is told that a text cannot be typed: a repeated request waits for it.
    bool refusingString_ = false;
};

}  // namespace corvane
