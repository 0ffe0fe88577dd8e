#include "screens/pop_ups.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

#include "controls/corv_progress.h"
#include "link/frame.h"
#include "link/link_messages.h"
#include "platform/cp1252.h"
#include "screens/transfer_files.h"

namespace corvane {

namespace {
// The status reply carries six answer bytes and '^' besides the text.
constexpr int kStatusFixedBytes = 7;

bool isNotice(int type) { return type == MessageBoxText || type == MessageBoxBusy || type == MessageBoxProgress; }
}  // namespace

PopUps::PopUps(UnitLink& link, QWidget& owner, FileDialogs& files, PageChoices& choices, Notify notify)
    : link_(link), owner_(owner), files_(files), choices_(choices), notify_(std::move(notify)) {}

PopUps::~PopUps() { closeAll(); }

std::string PopUps::fileTooLongNotice(const std::string& fileName) {
    return encodeCp1252(
        QCoreApplication::translate("corvane::PopUps", "%1: %2 holds more than the %3 bytes the unit can take")
            .arg(QCoreApplication::translate("corvane::PopUps", kFileTooLong), decodeCp1252(fileName),
                 QString::number(TransferRecord::kCapacity)));
}

std::string PopUps::noRoomForTextNotice(std::uint32_t replyLimit) {
    return encodeCp1252(QCoreApplication::translate(
                            "corvane::PopUps",
                            "The unit asked for a text, but its replies (%1 bytes) have no room for one: nothing can "
                            "be typed")
                            .arg(replyLimit));
}

int PopUps::maxAnswerText(std::uint32_t replyLimit) {
    return std::clamp(static_cast<int>(replyLimit) - 12, 0, static_cast<int>(kMaxReplyData) - kStatusFixedBytes);
}

void PopUps::setBoxResult(std::uint8_t result, std::uint64_t epoch) {
    link_.updateAnswer([result](PendingAnswer& a) { a.boxResult = result; }, epoch);
}

void PopUps::dispose(QWidget* popUp) {
    if (!popUp) return;
    // Hidden at once; deleted once the event that asked for it is over, in case one of the
    // pop-up's own handlers is still on the stack.
    popUp->hide();
    popUp->deleteLater();
}

void PopUps::onBox(const LinkBox& box) {
    // Only the box counts, not who posted the message: 'X' shows the present box again.
    const std::string& text = box.text;
    switch (box.kind) {
        case 'a': openKeyPad(); break;
        case 'k': askMessageBox(MessageBoxOk, text, kAccepted); break;
        case 'l': askListChoice(text); break;
        case 'n': askString(text); break;
        case 'o': loadFileForUnit(text); break;
        case 'p': showNotice(MessageBoxProgress, text); break;
        case 'q': askMessageBox(MessageBoxComputerUnit, text, kFirstButton); break;
        case 's': saveFileFromUnit(text); break;
        case 't': showNotice(MessageBoxText, text); break;
        case 'w': showNotice(MessageBoxBusy, text); break;
        case 'y': askMessageBox(MessageBoxYesNo, text, kFirstButton); break;
        default: break;
    }
}

void PopUps::askMessageBox(int type, const std::string& text, std::uint8_t firstButtonResult) {
    const std::uint64_t epoch = link_.answerEpoch();
    if (messageBox_) return;
    const std::weak_ptr<int> alive = life_;
    QPointer<CCorvMessageBox> box = new CCorvMessageBox(text, type, &owner_);
    messageBox_ = box;
    setBoxResult(kShown, epoch);
    const int result = box->runModal();
    if (alive.expired()) return;
    if (messageBox_ == box) messageBox_ = nullptr;
    delete box.data();
    setBoxResult(result == IDOK ? firstButtonResult : kRefused, epoch);
}

void PopUps::showNotice(int type, const std::string& text) {
    const std::uint64_t epoch = link_.answerEpoch();
    if (messageBox_) return;
    auto* box = new CCorvMessageBox(&owner_);
    box->Create(text, type, &owner_);
    box->show();
    if (type == MessageBoxBusy) box->StartBusyBar();
    if (type == MessageBoxProgress) {
        box->SetProgressRange(0, 1000);
        box->SetProgressPos(0);
    }
    // The user may close a notice with its close button or Escape: the slot is then free for
    // the unit's next box instead of holding a hidden one.
    QObject::connect(box, &QDialog::finished, box, [this, box] {
        if (messageBox_ == box) messageBox_ = nullptr;
        dispose(box);
    });
    messageBox_ = box;
    setBoxResult(kShown, epoch);
}

void PopUps::askListChoice(const std::string& caption) {
    const std::uint64_t epoch = link_.answerEpoch();
    if (listWindow_) return;
    const std::weak_ptr<int> alive = life_;
    QPointer<CCorvListWnd> window = new CCorvListWnd(&owner_, caption);
    listWindow_ = window;
    setBoxResult(kShown, epoch);
    const int result = window->DoModal();
    if (alive.expired()) return;
    if (listWindow_ == window) listWindow_ = nullptr;
    if (result == IDOK && window) {
        const int choice = window->choice();
        // The chosen line's bytes as the unit sent them, kept by the window itself: the list
        // record may have been refilled since.
        const std::string line = choice > 0 ? window->lineBytes(choice - 1) : std::string();
        link_.updateAnswer(
            [choice, line](PendingAnswer& a) {
                a.boxResult = kAccepted;
                a.listChoice = choice > 0 ? static_cast<std::uint8_t>(choice) : PendingAnswer::kUnset;
                a.answerText = line;
            },
            epoch);
    } else {
        setBoxResult(kRefused, epoch);
    }
    delete window.data();
}

void PopUps::askString(const std::string& caption) {
    const std::uint64_t epoch = link_.answerEpoch();
    if (stringWindow_ || refusingString_) return;
    const std::weak_ptr<int> alive = life_;
    const std::uint32_t replyLimit = link_.replySizeLimit();
    const int room = maxAnswerText(replyLimit);
    if (room == 0) {
        // No reply can carry a typed text: answering "entered" would hand the unit an empty
        // one. The request fails, and the user learns why.
        setBoxResult(kRefused, epoch);
        refusingString_ = true;
        if (notify_) notify_(noRoomForTextNotice(replyLimit));
        if (!alive.expired()) refusingString_ = false;
        return;
    }
    QPointer<CCorvStringWnd> window = new CCorvStringWnd(&owner_, caption);
    window->setMaxLength(room);
    stringWindow_ = window;
    setBoxResult(kShown, epoch);
    const int result = window->DoModal();
    if (alive.expired()) return;
    if (stringWindow_ == window) stringWindow_ = nullptr;
    if (result == IDOK && window) {
        const std::string text = window->text();
        link_.updateAnswer(
            [text](PendingAnswer& a) {
                a.boxResult = kAccepted;
                a.answerText = text;
            },
            epoch);
    } else {
        setBoxResult(kRefused, epoch);
    }
    delete window.data();
}

void PopUps::loadFileForUnit(const std::string& filter) {
    const std::uint64_t epoch = link_.answerEpoch();
    if (files_.isOpen()) return;
    const std::weak_ptr<int> alive = life_;
    setBoxResult(kShown, epoch);
    const QString path = files_.askOpen(&owner_, {decodeCp1252(filter), {}, {}});
    if (alive.expired()) return;
    if (path.isEmpty()) {
        setBoxResult(kRefused, epoch);
        return;
    }
    const FileForUnit file = readFileForUnit(path, TransferRecord::kCapacity);
    switch (file.outcome) {
        case FileForUnit::Outcome::Loaded: {
            // The name travels in the header "name|size^": a '|' or '^' of a Linux file name
            // would end it early, so they travel as '_'.
            std::string name = encodeCp1252(QFileInfo(path).fileName());
            std::replace(name.begin(), name.end(), '|', '_');
            std::replace(name.begin(), name.end(), '^', '_');
            {
                auto records = link_.lockRecords();
                link_.transferRecord().load(file.bytes.data(), file.bytes.size(), name);
            }
            setBoxResult(kAccepted, epoch);
            break;
        }
        case FileForUnit::Outcome::TooLong:
            setBoxResult(kRefused, epoch);
            if (notify_) notify_(fileTooLongNotice(encodeCp1252(QFileInfo(path).fileName())));
            break;
        case FileForUnit::Outcome::Failed:
            setBoxResult(kRefused, epoch);
            if (notify_) notify_(file.error);
            break;
    }
}

void PopUps::saveFileFromUnit(const std::string& filter) {
    const std::uint64_t epoch = link_.answerEpoch();
    if (files_.isOpen()) return;
    const std::weak_ptr<int> alive = life_;
    std::string name, extension, incomplete;
    {
        auto records = link_.lockRecords();
        const TransferRecord& t = link_.transferRecord();
        name = t.fileName();
        extension = t.extension();
        incomplete = incompleteFileNotice(name, t.announcedSize(), t.held(), TransferRecord::kCapacity);
    }
    if (!incomplete.empty()) {
        // Part of a file saved as the whole would pass for it: nothing is asked, the box fails.
        setBoxResult(kRefused, epoch);
        if (transferView_) transferView_->showTransferProgress(0, 0);
        if (notify_) notify_(incomplete);
        return;
    }
    setBoxResult(kShown, epoch);
    const QString path =
        files_.askSave(&owner_, {decodeCp1252(filter), safeFileName(name), safeDefaultSuffix(name, extension)});
    if (alive.expired()) return;
    std::string error;
    if (!path.isEmpty()) {
        // The bytes held when the user confirmed, whole as announced.
        std::vector<std::uint8_t> bytes;
        {
            auto records = link_.lockRecords();
            const TransferRecord& t = link_.transferRecord();
            bytes.assign(t.store(), t.store() + t.held());
            error = incompleteFileNotice(t.fileName(), t.announcedSize(), t.held(), TransferRecord::kCapacity);
        }
        if (error.empty()) error = writeFileFromUnit(path, bytes.data(), bytes.size());
        if (error.empty()) {
            files_.noteSaved(path, SavedFile::UnitFile, decodeCp1252(name));
            const std::string saved = savedNameForUnit(path);
            link_.updateAnswer(
                [saved](PendingAnswer& a) {
                    a.boxResult = kAccepted;
                    a.answerText = saved;
                },
                epoch);
        } else {
            setBoxResult(kRefused, epoch);
        }
    } else {
        setBoxResult(kRefused, epoch);
    }
    if (transferView_) transferView_->showTransferProgress(0, 0);
    if (!error.empty() && notify_) notify_(error);
}

std::string PopUps::savedNameForUnit(const QString& path) {
    // The name the user chose, with the answer, for a unit that shows where its file went. Only
    // a name that travels exactly: no stand-in bytes, no separators of the status reply.
    const QString name = QFileInfo(path).fileName();
    const std::string bytes = encodeCp1252(name);
    if (decodeCp1252(bytes) != name || bytes.find_first_of("|^") != std::string::npos) return {};
    return bytes;
}

void PopUps::openKeyPad() {
    if (keyPad_) return;
    keyPad_ = new CTransportTool(&owner_);
    keyPad_->show();
    choices_.keyPadOpened();
}

void PopUps::onBoxTaken() {
    if (messageBox_) {
        // Notices go; a box that waits for the user stays for the user to answer.
        if (isNotice(messageBox_->type())) {
            CCorvMessageBox* box = messageBox_;
            messageBox_ = nullptr;
            dispose(box);
        } else {
            messageBox_->setEnabled(true);
        }
    } else if (listWindow_) {
        listWindow_->reject();
    } else if (stringWindow_) {
        stringWindow_->reject();
    }
    if (keyPad_) {
        CTransportTool* pad = keyPad_;
        keyPad_ = nullptr;
        dispose(pad);
        choices_.keyPadClosed();
    }
}

void PopUps::closeAll() {
    files_.cancelOpenDialog();
    // Waiting pop-ups end their wait as cancelled; their handlers free them.
    if (messageBox_ && !isNotice(messageBox_->type())) messageBox_->done(IDCANCEL);
    if (listWindow_) listWindow_->done(IDCANCEL);
    if (stringWindow_) stringWindow_->done(IDCANCEL);
    if (messageBox_ && isNotice(messageBox_->type())) {
        CCorvMessageBox* box = messageBox_;
        messageBox_ = nullptr;
        delete box;
    }
    if (keyPad_) {
        CTransportTool* pad = keyPad_;
        keyPad_ = nullptr;
        delete pad;
    }
}

bool PopUps::appendToListWindow(const std::vector<std::string>& lines) {
    if (!listWindow_) return false;
    listWindow_->appendLines(lines);
    return true;
}

void PopUps::setMessageBoxProgress(int range, int position) {
    if (!messageBox_ || messageBox_->type() != MessageBoxProgress) return;
    messageBox_->SetProgressRange(0, range);
    messageBox_->SetProgressPos(position);
}

void PopUps::setKeyPadProgress(int range, int position) {
    if (!keyPad_) return;
    keyPad_->progressBar().SetRange(0, range);
    keyPad_->progressBar().SetPos(position);
}

}  // namespace corvane
