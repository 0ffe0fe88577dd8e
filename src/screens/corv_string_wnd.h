#pragma once
// CCorvStringWnd: the modal string window in which the user types a text for the unit. The
// unit's texts are Windows-1252 bytes, so the field takes only characters that code page holds:
// any other typed or pasted character is refused and a notice in the caption band says which,
// rather than sending a byte the user did not mean.
#include <QString>
#include <QValidator>

#include <string>

#include "controls/corv_dialog.h"
#include "controls/corv_static.h"

class QLineEdit;

namespace corvane {

class CCorvButton;

// Accepts a text only when every character has a Windows-1252 byte; tells which ones did not.
class Cp1252Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
    // The characters of `text` that Windows-1252 cannot hold, each once, in order.
    static QString unencodable(const QString& text);

signals:
    void refused(const QString& characters) const;
};

class CCorvStringWnd : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 148;

    // caption: raw Windows-1252 bytes.
    CCorvStringWnd(QWidget* owner, const std::string& caption);
    ~CCorvStringWnd() override;

    // At most this many characters can be typed (the unit takes no longer answer); 0: no limit.
    void setMaxLength(int characters);

    // The typed text as Windows-1252 bytes; empty until OK is pressed.
    const std::string& text() const { return text_; }
    const std::string& caption() const { return caption_; }

    QLineEdit& editField() { return *edit_; }
    CCorvButton& okButton() { return *ok_; }
    const CCorvStatic& captionStatic() const { return captionStatic_; }
    // The notice shown when a character was refused; empty while there is none.
    const std::string& refusalNotice() const { return notice_.text(); }

protected:
    void OnOK() override;
    void OnCommand(int id) override;

private:
    void showRefusal(const QString& characters);

    std::string caption_;
    std::string text_;
    CCorvStatic captionStatic_;
    CCorvStatic notice_;
    QLineEdit* edit_ = nullptr;
    CCorvButton* ok_ = nullptr;
};

}  // namespace corvane
