#include "controls/accessible_text.h"

namespace corvane {

QString ReadOnlyAccessibleText::text(int startOffset, int endOffset) const {
    const QString all = shownText();
    if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
    if (startOffset < 0) startOffset = 0;
    if (startOffset >= endOffset) return {};
    return all.mid(startOffset, endOffset - startOffset);
}

QString ReadOnlyAccessibleText::attributes(int offset, int* startOffset, int* endOffset) const {
    // One run without attributes covers the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    if (offset < 0 || offset > *endOffset) *startOffset = *endOffset = -1;
    return {};
}

QString spokenText(QString text) {
    QString spoken;
    spoken.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) spoken += c, ++i;
            continue;
        }
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            spoken += QLatin1Char(' ');
            continue;
        }
        spoken += c == QLatin1Char('\n') ? QLatin1Char(' ') : c;
    }
    return spoken.simplified();
}

}  // namespace corvane
