#include "readings/readings_csv.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include "platform/cp1252.h"

namespace corvane {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

bool validUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

std::optional<qint64> parseTime(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}(Z|[+-]\d\d:\d\d)?$)"));
    if (!form.match(text).hasMatch()) return std::nullopt;
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid()) return std::nullopt;
    return time.toMSecsSinceEpoch();
}

// Splits CSV text into records, each with the line it starts on.
class RecordScanner {
public:
    explicit RecordScanner(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t line() const { return line_; }

    // The next record's fields; false with `fault` set when it is malformed (the rest of its
    // line is skipped).
    bool next(std::vector<std::string>& fields, QString& fault) {
        fields.clear();
        std::string field;
        for (;;) {
            field.clear();
            if (peek() == '"') {
                if (!quoted(field, fault)) return skipLine();
            } else if (!plain(field, fault)) {
                return skipLine();
            }
            fields.push_back(field);
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            endOfLine();
            return true;
        }
    }

private:
    int peek() const { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_]) : -1; }
    bool lineEndsHere() const {
        return peek() == '\n' || (peek() == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n');
    }
    void endOfLine() {
        if (peek() == '\r') ++pos_;
        if (peek() == '\n') {
            ++pos_;
            ++line_;
        }
    }
    bool skipLine() {
        while (!atEnd() && peek() != '\n') ++pos_;
        endOfLine();
        return false;
    }
    bool quoted(std::string& field, QString& fault) {
        ++pos_;
        for (;;) {
            if (atEnd()) {
                fault = QStringLiteral("a quoted field is not closed");
                return false;
            }
            const char c = bytes_[pos_++];
            if (c == '"') {
                if (peek() != '"') break;
                ++pos_;
            } else if (c == '\n') {
                ++line_;
            }
            field.push_back(c);
        }
        if (atEnd() || peek() == ',' || lineEndsHere()) return true;
        fault = QStringLiteral("text after the closing quote of a field");
        return false;
    }
    bool plain(std::string& field, QString& fault) {
        while (!atEnd() && peek() != ',' && !lineEndsHere()) {
            if (peek() == '"' || peek() == '\r' || peek() == '\n') {
                fault = peek() == '"' ? QStringLiteral("a quote inside a field that is not quoted")
                                      : QStringLiteral("a line break inside a field that is not quoted");
                return false;
            }
            field.push_back(bytes_[pos_++]);
        }
        return true;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};
}  // namespace

std::string csvField(std::string_view utf8Text) {
    if (utf8Text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8Text);
    std::string quoted = "\"";
    for (char c : utf8Text) {
        if (c == '"') quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string recordingTime(const QDateTime& time) {
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return utf8(time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))) +
           utf8(QStringLiteral("%1%2:%3")
                    .arg(offset < 0 ? '-' : '+')
                    .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                    .arg(minutes % 60, 2, 10, QLatin1Char('0')));
}

std::string csvHeader(const std::vector<ReadingColumn>& columns) {
    std::string line = "time";
    for (const ReadingColumn& c : columns) line += "," + csvField(utf8(c.title()));
    return line.append(kLineEnd);
}

std::string csvRow(const QDateTime& time, const std::vector<std::string>& values) {
    std::string line = recordingTime(time);
    for (const std::string& v : values) line += "," + csvField(utf8(decodeCp1252(v)));
    return line.append(kLineEnd);
}

ReadingColumn columnOfTitle(const QString& title) {
    const qsizetype open = title.lastIndexOf(QStringLiteral(" ["));
    if (open <= 0 || !title.endsWith(QLatin1Char(']'))) return {title, {}};
    return {title.left(open), title.mid(open + 2, title.size() - open - 3)};
}

std::vector<QString> RecordingReader::read(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("%1: %2").arg(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {QStringLiteral("%1: %2").arg(path, file.errorString())};
    return parse(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::vector<QString> RecordingReader::parse(const QString& name, std::string_view bytes) const {
    std::vector<QString> faults;
    auto fault = [&](std::size_t line, const QString& reason) {
        if (faults.size() < kMaxFaults) faults.push_back(QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(reason));
    };
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    if (bytes.empty()) {
        fault(1, QStringLiteral("the file is empty, not a recording of readings"));
        return faults;
    }
    RecordScanner scanner(bytes);
    std::vector<std::string> fields;
    std::vector<QString> values;
    std::size_t width = 0;
    while (!scanner.atEnd()) {
        const std::size_t line = scanner.line();
        QString problem;
        if (!scanner.next(fields, problem)) {
            fault(line, problem);
            if (width == 0) return faults;
            continue;
        }
        const bool anyBadText =
            std::any_of(fields.begin(), fields.end(), [](const std::string& f) { return !validUtf8(f); });
        if (anyBadText) {
            fault(line, QStringLiteral("the text is not UTF-8"));
            if (width == 0) return faults;
            continue;
        }
        if (width == 0) {
            if (fields.front() != "time") {
                fault(line, QStringLiteral("the first column is not \"time\": not a recording of readings"));
                return faults;
            }
            if (fields.size() < 2) {
                fault(line, QStringLiteral("the header names no readings"));
                return faults;
            }
            width = fields.size();
            std::vector<ReadingColumn> header;
            for (std::size_t i = 1; i < fields.size(); ++i)
                header.push_back(columnOfTitle(QString::fromStdString(fields[i])));
            if (columns) columns(header);
            continue;
        }
        if (fields.size() != width) {
            fault(line, QStringLiteral("%1 fields where the header has %2").arg(fields.size()).arg(width));
            continue;
        }
        const std::optional<qint64> time = parseTime(QString::fromStdString(fields.front()));
        if (!time) {
            fault(line, QStringLiteral("\"%1\" is not a time like 2026-12-09T14:03:07.250+01:00")
                            .arg(QString::fromStdString(fields.front()).left(40)));
            continue;
        }
        values.clear();
        for (std::size_t i = 1; i < fields.size(); ++i) values.push_back(QString::fromStdString(fields[i]));
        if (row) row(*time, values);
    }
    if (width == 0) fault(1, QStringLiteral("no header row"));
    return faults;
}

}  // namespace corvane
