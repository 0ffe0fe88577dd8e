#pragma once
// CCorvStringWnd: the modal string window in which the user types a text for the unit. The
// field takes only what the unit can take (WireTextValidator): any other typed or pasted
// character, or one past the unit's limit, is refused and a notice in the caption band says
// why, rather than sending a byte the user did not mean.
#include <QString>

#include <string>

#include "controls/corv_dialog.h"
#include "controls/corv_notice.h"
#include "controls/corv_static.h"

class QLineEdit;

namespace corvane {

class CCorvButton;
class WireTextValidator;

class CCorvStringWnd : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 148;

    // caption: raw Windows-1252 bytes.
    CCorvStringWnd(QWidget* owner, const std::string& caption);
    ~CCorvStringWnd() override;

    // At most this many characters can be typed (the unit takes no longer answer); negative:
    // no limit.
    void setMaxLength(int characters);
    int maxLength() const;

    // The typed text as Windows-1252 bytes; empty until OK is pressed.
    const std::string& text() const { return text_; }
    const std::string& caption() const { return caption_; }

    QLineEdit& editField() { return *edit_; }
    CCorvButton& okButton() { return *ok_; }
    const CCorvStatic& captionStatic() const { return captionStatic_; }
    // The notice shown when a character was refused; empty while there is none.
    QString refusalNotice() const { return notice_->notice(); }
    const CCorvNotice& noticeBar() const { return *notice_; }

protected:
    void OnOK() override;
    void OnCommand(int id) override;

private:
    std::string caption_;
    std::string text_;
    CCorvStatic captionStatic_;
    CCorvNotice* notice_ = nullptr;
    WireTextValidator* validator_ = nullptr;
    QLineEdit* edit_ = nullptr;
    CCorvButton* ok_ = nullptr;
};

}  // namespace corvane
