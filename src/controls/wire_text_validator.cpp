#include "controls/wire_text_validator.h"

#include "platform/cp1252.h"

namespace corvane {

namespace {

// The bytes that end a field and the whole text in the unit's replies.
constexpr char16_t kFieldSeparator = u'|';
constexpr char16_t kTextEnd = u'^';

// The text split into code points, so that a character outside the basic plane counts once.
QStringList characters(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        out << text.mid(i, length);
        i += length;
    }
    return out;
}

bool unitTakes(const QString& character) {
    if (character.size() == 1 && (character[0] == kFieldSeparator || character[0] == kTextEnd)) return false;
    return decodeCp1252(encodeCp1252(character)) == character;
}

QString describe(const QString& character) {
    const QString quoted = QStringLiteral("\"%1\"").arg(character);
    if (character == QChar(kFieldSeparator)) return quoted + QStringLiteral(" (vertical line)");
    if (character == QChar(kTextEnd)) return quoted + QStringLiteral(" (circumflex accent)");
    const char32_t code = character.toUcs4().value(0);
    return quoted + QStringLiteral(" U+") +
           QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, u'0');
}

}  // namespace

QString WireTextValidator::refusedCharacters(const QString& text) {
    QString refused;
    for (const QString& c : characters(text))
        if (!unitTakes(c) && !refused.contains(c)) refused += c;
    return refused;
}

QString WireTextValidator::refusalNotice(const QString& refused) {
    QStringList names;
    for (const QString& c : characters(refused)) names << describe(c);
    return QStringLiteral("The unit cannot take ") + names.join(QStringLiteral(", "));
}

QString WireTextValidator::limitNotice(int maxLength) {
    if (maxLength <= 0) return QStringLiteral("The unit takes no text here");
    return QStringLiteral("The unit takes at most %1 characters here").arg(maxLength);
}

QValidator::State WireTextValidator::validate(QString& input, int&) const {
    // Only characters beyond those the program put there count: the unit's own text may hold
    // what the user cannot type.
    QString added;
    for (const QString& c : characters(refusedCharacters(input)))
        if (input.count(c) > tolerated_.count(c)) added += c;
    if (!added.isEmpty()) {
        emit refused(added);
        return Invalid;
    }
    if (maxLength_ >= 0 && input.size() > maxLength_ && input.size() > tolerated_.size()) {
        emit limitReached(maxLength_);
        return Invalid;
    }
    return Acceptable;
}

}  // namespace corvane
