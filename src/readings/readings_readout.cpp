#include "readings/readings_readout.h"

#include <QCoreApplication>

#include <QDateTime>
#include <QStringList>

#include <cmath>

namespace corvane {

namespace {
QString noReading() { return QCoreApplication::translate("corvane::ReadingsReadout", "no reading"); }

QString valueAt(const MeasuredLine& line, double time) {
    if (std::isnan(time)) return {};
    const ReadingAt at = line.history->at(line.column, time - line.offset);
    switch (at.kind) {
        case ReadingAt::None: return {};
        case ReadingAt::Gap: return noReading();
        case ReadingAt::Value: return readingText(at.low);
        case ReadingAt::Range:
            return at.low == at.high ? readingText(at.low)
                                     : QStringLiteral("%1 to %2").arg(readingText(at.low), readingText(at.high));
    }
    return {};
}
}  // namespace

QString readingText(double value) {
    if (std::isnan(value)) return noReading();
    return QString::number(value, 'g', 9);
}

QString momentText(double ms, bool withDate) {
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(ms)));
    return t.toString(withDate ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss.zzz"));
}

QString durationText(double ms) {
    const bool negative = ms < 0;
    const auto total = static_cast<long long>(std::llround(std::abs(ms)));
    const long long days = total / 86400000, hours = total / 3600000 % 24, minutes = total / 60000 % 60;
    const double seconds = static_cast<double>(total % 60000) / 1000.0;
    QString text;
    if (days > 0)
        text = QCoreApplication::translate("corvane::ReadingsReadout", "%1 d %2 h %3 min")
                   .arg(days)
                   .arg(hours)
                   .arg(minutes);
    else if (hours > 0)
        text = QCoreApplication::translate("corvane::ReadingsReadout", "%1 h %2 min %3 s")
                   .arg(hours)
                   .arg(minutes)
                   .arg(static_cast<long long>(seconds));
    else if (minutes > 0)
        text =
            QCoreApplication::translate("corvane::ReadingsReadout", "%1 min %2 s").arg(minutes).arg(seconds, 0, 'f', 3);
    else
        text = QStringLiteral("%1 s").arg(seconds, 0, 'f', 3);
    return negative ? QStringLiteral("-") + text : text;
}

Readout measure(const std::vector<MeasuredLine>& lines, double cursor, double a, double b) {
    Readout r;
    if (!std::isnan(cursor)) r.cursorTime = momentText(cursor);
    if (!std::isnan(a)) r.aTime = momentText(a);
    if (!std::isnan(b)) r.bTime = momentText(b);
    const bool both = !std::isnan(a) && !std::isnan(b);
    if (both) r.between = durationText(b - a);
    for (const MeasuredLine& line : lines) {
        ReadoutRow row;
        row.name = line.name;
        row.atCursor = valueAt(line, cursor);
        row.atA = valueAt(line, a);
        row.atB = valueAt(line, b);
        if (both) {
            const ReadingAt atA = line.history->at(line.column, a - line.offset);
            const ReadingAt atB = line.history->at(line.column, b - line.offset);
            if (atA.kind == ReadingAt::Value && atB.kind == ReadingAt::Value)
                row.change = readingText(atB.low - atA.low);
            const ReadingStats s = line.history->stats(line.column, a - line.offset, b - line.offset);
            if (s.count > 0) {
                // "about" where summaries reach beyond A or B (readings older than the raw part).
                const QString about = s.exact ? QString() : QStringLiteral("~");
                row.least = about + readingText(s.low);
                row.greatest = about + readingText(s.high);
                row.mean = about + readingText(s.mean);
            } else {
                row.least = row.greatest = row.mean = noReading();
            }
        }
        r.rows.push_back(row);
    }
    return r;
}

QString Readout::summary() const {
    QStringList parts;
    if (!cursorTime.isEmpty())
        parts << QCoreApplication::translate("corvane::ReadingsReadout", "Cursor %1").arg(cursorTime);
    if (!aTime.isEmpty()) parts << QStringLiteral("A %1").arg(aTime);
    if (!bTime.isEmpty()) parts << QStringLiteral("B %1").arg(bTime);
    if (!between.isEmpty()) parts << QStringLiteral("B - A %1").arg(between);
    if (parts.isEmpty()) return QStringLiteral("Move over the graph for values; click for cursor A, Shift+click for B");
    return parts.join(QStringLiteral("   "));
}

QString Readout::text() const {
    QString out;
    if (!shown.isEmpty()) out += QStringLiteral("Shown %1\n").arg(shown);
    out += summary() + QLatin1Char('\n');
    out += QStringLiteral("Reading\tAt cursor\tAt A\tAt B\tB - A\tLeast A..B\tGreatest A..B\tMean A..B\n");
    for (const ReadoutRow& row : rows)
        out +=
            QStringList{row.name, row.atCursor, row.atA, row.atB, row.change, row.least, row.greatest, row.mean}.join(
                QLatin1Char('\t')) +
            QLatin1Char('\n');
    return out;
}

}  // namespace corvane
