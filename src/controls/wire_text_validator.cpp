#include "controls/wire_text_validator.h"

#include "platform/cp1252.h"

#include <QCoreApplication>

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
    {u'|', QT_TRANSLATE_NOOP("corvane::WireTextValidator", "vertical line")},
    {u'^', QT_TRANSLATE_NOOP("corvane::WireTextValidator", "circumflex accent")},
    {0x2002, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "en space")},
    {0x2003, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "em space")},
    {0x2007, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "figure space")},
    {0x2009, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "thin space")},
    {0x200A, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "hair space")},
    {0x200B, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "zero width space")},
    {0x200C, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "zero width non-joiner")},
    {0x200D, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "zero width joiner")},
    {0x200E, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "left-to-right mark")},
    {0x200F, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "right-to-left mark")},
    {0x2010, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "hyphen")},
    {0x2011, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "non-breaking hyphen")},
    {0x2012, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "figure dash")},
    {0x2028, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "line separator")},
    {0x2029, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "paragraph separator")},
    {0x202F, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "narrow no-break space")},
    {0x2060, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "word joiner")},
    {0x2212, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "minus sign")},
    {0x2215, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "division slash")},
    {0x2223, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "divides")},
    {0x3000, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "ideographic space")},
    {0xFEFF, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "zero width no-break space")},
    {0xFF3E, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "fullwidth circumflex accent")},
    {0xFF5C, QT_TRANSLATE_NOOP("corvane::WireTextValidator", "fullwidth vertical line")},
};

QString nameOf(char32_t code) {
    for (const NamedCharacter& named : kNamed)
        if (named.code == code) return QCoreApplication::translate("corvane::WireTextValidator", named.name);
    switch (QChar::category(code)) {
        case QChar::Separator_Space: return QCoreApplication::translate("corvane::WireTextValidator", "space");
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph: return QCoreApplication::translate("corvane::WireTextValidator", "line break");
        case QChar::Other_Format:
            return QCoreApplication::translate("corvane::WireTextValidator", "invisible format character");
        case QChar::Mark_NonSpacing:
        case QChar::Mark_Enclosing: return QCoreApplication::translate("corvane::WireTextValidator", "combining mark");
        default: break;
    }
    // Letters that look like Latin ones.
    if (QChar::isLetter(code)) {
        if (QChar::script(code) == QChar::Script_Greek)
            return QCoreApplication::translate("corvane::WireTextValidator", "Greek letter");
        if (QChar::script(code) == QChar::Script_Cyrillic)
            return QCoreApplication::translate("corvane::WireTextValidator", "Cyrillic letter");
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
    return tr("The unit cannot take %1").arg(names.join(tr(", ")));
}

QString WireTextValidator::limitNotice(int maxLength) {
    if (maxLength <= 0) return tr("The unit takes no text here");
    return tr("The unit takes at most %1 characters here").arg(maxLength);
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
