#pragma once
// WireTextValidator: what the user may type into a field whose text goes to the unit. The unit's
// texts are Windows-1252 bytes and its replies have no escape: a character the code page lacks
// would arrive as '?', and '|' or '^' would end the field or the whole reply early. Such
// characters are refused as they are typed or pasted, as is anything past the longest text the
// unit can take, and the signals say why so that the field can show a notice.
#include <QString>
#include <QValidator>

namespace corvane {

class WireTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;

    // Longest text, in characters (one byte each on the wire); negative: no limit.
    void setMaxLength(int characters) { maxLength_ = characters; }
    int maxLength() const { return maxLength_; }
    // A text the program put into the field (the unit's own): its characters and length are
    // let stand, so that the user can still edit around them; only what is added is checked.
    void tolerate(const QString& text) { tolerated_ = text; }

    // The characters of `text` the unit cannot take, each once, in order.
    static QString refusedCharacters(const QString& text);
    // The notices shown for a refusal and for a field at its limit.
    static QString refusalNotice(const QString& characters);
    static QString limitNotice(int maxLength);

signals:
    void refused(const QString& characters) const;
    void limitReached(int maxLength) const;

private:
    int maxLength_ = -1;
    QString tolerated_;
};

}  // namespace corvane
