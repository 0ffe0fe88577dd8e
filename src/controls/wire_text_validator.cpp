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

// Characters that show as nothing, or as another character, get a name: the code point alone
// would leave the user guessing what was pasted.
struct NamedCharacter {
    char32_t code;
    const char* name;
};
constexpr NamedCharacter kNamed[] = {
    {u'|', "vertical line"},
    {u'^', "circumflex accent"},
    {0x2002, "en space"},
    {0x2003, "em space"},
    {0x2007, "figure space"},
    {0x2009, "thin space"},
    {0x200A, "hair space"},
    {0x200B, "zero width space"},
    {0x200C, "zero width non-joiner"},
    {0x200D, "zero width joiner"},
    {0x200E, "left-to-right mark"},
    {0x200F, "right-to-left mark"},
    {0x2010, "hyphen"},
    {0x2011, "non-breaking hyphen"},
    {0x2012, "figure dash"},
    {0x2028, "line separator"},
    {0x2029, "paragraph separator"},
    {0x202F, "narrow no-break space"},
    {0x2060, "word joiner"},
    {0x2212, "minus sign"},
    {0x2215, "division slash"},
    {0x2223, "divides"},
    {0x3000, "ideographic space"},
    {0xFEFF, "zero width no-break space"},
    {0xFF3E, "fullwidth circumflex accent"},
    {0xFF5C, "fullwidth vertical line"},
};

QString nameOf(char32_t code) {
    for (const NamedCharacter& named : kNamed)
        if (named.code == code) return QString::fromLatin1(named.name);
    switch (QChar::category(code)) {
        case QChar::Separator_Space: return QStringLiteral("space");
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph: return QStringLiteral("line break");
        case QChar::Other_Format: return QStringLiteral("invisible format character");
        case QChar::Mark_NonSpacing:
        case QChar::Mark_Enclosing: return QStringLiteral("combining mark");
        default: break;
    }
    // Letters that look like Latin ones.
    if (QChar::isLetter(code)) {
        if (QChar::script(code) == QChar::Script_Greek) return QStringLiteral("Greek letter");
        if (QChar::script(code) == QChar::Script_Cyrillic) return QStringLiteral("Cyrillic letter");
    }
    return {};
}

QString describe(const QString& character) {
    const char32_t code = character.toUcs4().value(0);
    QString text = QStringLiteral("\"%1\"").arg(character);
    // The wire's own two bytes are known by their names; every other by its code point too.
    if (code != kFieldSeparator && code != kTextEnd)
        text += QStringLiteral(" U+") + QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, u'0');
    const QString name = nameOf(code);
    if (!name.isEmpty()) text += QStringLiteral(" (%1)").arg(name);
    return text;
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
