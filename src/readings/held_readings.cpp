#include "readings/held_readings.h"

#include <QCoreApplication>

#include <QDateTime>
#include <QRegularExpression>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <string>

#include "readings/readings_csv.h"
#include "readings/readings_readout.h"

namespace corvane {

namespace {
QDateTime timeOf(double ms) { return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(ms))); }

// The shortest text that reads back as the same number.
void appendNumber(std::string& line, double value) {
    if (std::isnan(value)) return;
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    if (error == std::errc()) line.append(text, end);
}
}  // namespace

HeldSpan heldSpan(const ReadingsHistory& history) {
    HeldSpan held;
    held.rows = history.heldRows();
    if (held.rows == 0) return held;
    held.from = history.heldRowTime(0);
    held.to = history.heldRowTime(held.rows - 1);
    held.everything = history.holdsEverything();
    const QDateTime a = timeOf(held.from), b = timeOf(held.to);
    held.text = QCoreApplication::translate("corvane::HeldReadings", "%1 rows from %2 to %3 (%4)")
                    .arg(held.rows)
                    .arg(momentText(held.from, true), momentText(held.to, a.date() != b.date()),
                         durationText(held.to - held.from));
    held.text += held.everything
                     ? QCoreApplication::translate("corvane::HeldReadings", ", everything since the graph began")
                     : QCoreApplication::translate("corvane::HeldReadings",
                                                   ", the readings before it only as summaries, not written");
    return held;
}

QString heldFileName(const QString& pageTitle, const ReadingsHistory& history) {
    const HeldSpan held = heldSpan(history);
    QString title = pageTitle.trimmed();
    title.replace(QRegularExpression(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f]+)")), QStringLiteral("-"));
    if (title.isEmpty()) title = QStringLiteral("readings");
    return QCoreApplication::translate("corvane::HeldReadings", "%1 held %2 to %3.csv")
        .arg(title, timeOf(held.from).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")),
             timeOf(held.to).toString(QStringLiteral("HH-mm-ss")));
}

bool writeHeldReadings(const ReadingsHistory& history, const QString& pageTitle, const QString& path, QString& error) {
    const HeldSpan held = heldSpan(history);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error =
            QCoreApplication::translate("corvane::HeldReadings", "Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    std::string text = "# ";
    text += (pageTitle.isEmpty() ? QStringLiteral("Readings") : pageTitle).toUtf8().toStdString();
    text += ": held readings, " + held.text.toUtf8().toStdString() + "\r\n";
    text += csvHeader(history.columns());
    std::string line;
    for (std::size_t i = 0; i < held.rows; ++i) {
        line = recordingTime(timeOf(history.heldRowTime(i)));
        for (std::size_t c = 0; c < history.size(); ++c) {
            line.push_back(',');
            appendNumber(line, history.heldValue(i, c));
        }
        line += "\r\n";
        text += line;
        if (text.size() > (1u << 20)) {
            file.write(text.data(), static_cast<qint64>(text.size()));
            text.clear();
        }
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
    if (!file.commit()) {
        error =
            QCoreApplication::translate("corvane::HeldReadings", "Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace corvane
