#include "readings/readings_csv.h"

#include <QCoreApplication>

#include <QFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

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

int digits(std::string_view s, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return -1;
        value = value * 10 + (s[i] - '0');
    }
    return value;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - static_cast<int>(era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// 2026-12-09T14:03:07.250 with "Z", an offset like +01:00, or nothing (local time).
std::optional<qint64> parseTime(std::string_view s) {
    if (s.size() != 23 && s.size() != 24 && s.size() != 29) return std::nullopt;
    if (s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' || s[16] != ':' || s[19] != '.') return std::nullopt;
    const int y = digits(s, 0, 4), mo = digits(s, 5, 2), d = digits(s, 8, 2);
    const int h = digits(s, 11, 2), mi = digits(s, 14, 2), sec = digits(s, 17, 2), ms = digits(s, 20, 3);
    if (y < 0 || mo < 1 || mo > 12 || d < 1 || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 || sec > 59 || ms < 0)
        return std::nullopt;
    static constexpr int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > kMonthDays[mo - 1] || (mo == 2 && d == 29 && !leap)) return std::nullopt;
    if (s.size() == 23) {
        // Local time: the time zone's rules decide the offset.
        const QDateTime local = QDateTime::fromString(QString::fromLatin1(s.data(), 23), Qt::ISODateWithMs);
        if (!local.isValid()) return std::nullopt;
        return local.toMSecsSinceEpoch();
    }
    int offset = 0;
    if (s.size() == 24) {
        if (s[23] != 'Z') return std::nullopt;
    } else {
        const int oh = digits(s, 24, 2), om = digits(s, 27, 2);
        if ((s[23] != '+' && s[23] != '-') || s[26] != ':' || oh < 0 || oh > 23 || om < 0 || om > 59)
            return std::nullopt;
        offset = (oh * 60 + om) * (s[23] == '-' ? -1 : 1);
    }
    const long long minutes = daysFromCivil(y, mo, d) * 1440 + h * 60 + mi - offset;
    return (minutes * 60 + sec) * 1000 + ms;
}

bool plainAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString fileKind(mode_t mode) {
    if (S_ISDIR(mode)) return QCoreApplication::translate("corvane::RecordingReader", "a folder");
    if (S_ISFIFO(mode)) return QCoreApplication::translate("corvane::RecordingReader", "a pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QCoreApplication::translate("corvane::RecordingReader", "a device");
    if (S_ISSOCK(mode)) return QCoreApplication::translate("corvane::RecordingReader", "a socket");
    return QCoreApplication::translate("corvane::RecordingReader", "not a regular file");
}

QString sizeText(qint64 bytes) {
    if (bytes >= (qint64{1} << 30))
        return QStringLiteral("%1 GiB").arg(static_cast<double>(bytes) / (1 << 30), 0, 'f', 1);
    return QStringLiteral("%1 MiB").arg(static_cast<double>(bytes) / (1 << 20), 0, 'f', 1);
}

// Splits the bytes of a recording into records as they come, piece by piece, and hands each
// whole record on; a record cut at the end of a piece waits for the next piece.
class RecordingParser {
public:
    RecordingParser(const RecordingReader& reader, const QString& name, RecordingReader::Result& result)
        : reader_(reader), name_(name), result_(result) {}

    // False once the file is refused.
    bool feed(std::string_view bytes, bool last) {
        if (stopped_) return false;
        if (!started_) {
            pending_.append(bytes);
            if (pending_.size() < kByteOrderMark.size() && !last) return true;
            started_ = true;
            if (std::string_view(pending_).substr(0, kByteOrderMark.size()) == kByteOrderMark)
                pending_.erase(0, kByteOrderMark.size());
            if (pending_.empty() && last) {
                fault(1, QCoreApplication::translate("corvane::RecordingReader",
                                                     "the file is empty, not a recording of readings"));
                return false;
            }
        } else {
            pending_.append(bytes);
        }
        std::size_t pos = 0;
        while (pos < pending_.size() && !stopped_) {
            const std::size_t start = pos, line = line_;
            QString problem;
            const Step step = scan(pos, last, problem);
            if (step == Step::NeedMore) {
                pos = start;
                line_ = line;
                break;
            }
            if (step == Step::Cut) pos = pending_.size();  // the file ends in this record
            if (step == Step::Fault) {
                fault(line, problem);
                if (width_ == 0) stopped_ = true;
            } else if (step == Step::Cut && width_ > 0) {
                result_.notes.push_back(
                    QCoreApplication::translate(
                        "corvane::RecordingReader",
                        "%1:%2: the last row has no line end (the recording was cut short); it is left out")
                        .arg(name_)
                        .arg(line));
            } else if (pos - start > RecordingReader::kMaxRowBytes) {
                fault(line, QCoreApplication::translate("corvane::RecordingReader", "a row of more than %1 bytes")
                                .arg(RecordingReader::kMaxRowBytes));
                stopped_ = true;
            } else {
                record(line);
            }
        }
        pending_.erase(0, pos);
        if (!stopped_ && pending_.size() > RecordingReader::kMaxRowBytes) {
            fault(line_, QCoreApplication::translate("corvane::RecordingReader", "a row of more than %1 bytes")
                             .arg(RecordingReader::kMaxRowBytes));
            stopped_ = true;
        }
        if (last && !stopped_ && width_ == 0)
            fault(1, QCoreApplication::translate("corvane::RecordingReader", "no header row"));
        return !stopped_;
    }

private:
    enum class Step { Record, Fault, NeedMore, Cut };

    void fault(std::size_t line, const QString& reason) {
        if (result_.faults.size() < RecordingReader::kMaxFaults)
            result_.faults.push_back(QStringLiteral("%1:%2: %3").arg(name_).arg(line).arg(reason));
    }

    // After a fault: the rest of the line is skipped.
    Step skipLine(std::size_t& pos, bool last, QString& problem, const QString& reason) {
        const std::size_t end = pending_.find('\n', pos);
        if (end == std::string::npos && !last) return Step::NeedMore;
        pos = end == std::string::npos ? pending_.size() : end + 1;
        if (end != std::string::npos) ++line_;
        problem = reason;
        return Step::Fault;
    }

    Step scan(std::size_t& pos, bool last, QString& problem) {
        const std::string_view buf(pending_);
        const std::size_t size = buf.size();
        const Step ranOut = last ? Step::Cut : Step::NeedMore;
        count_ = 0;
        if (width_ == 0 && buf[pos] == '#') {
            // A note before the header.
            const std::size_t end = buf.find('\n', pos);
            if (end == std::string::npos && !last) return Step::NeedMore;
            pos = end == std::string::npos ? size : end + 1;
            ++line_;
            return Step::Record;
        }
        for (;;) {
            std::string& field = nextField();
            if (pos >= size) return ranOut;
            if (buf[pos] == '"') {
                ++pos;
                for (;;) {
                    if (pos >= size) return last ? Step::Cut : Step::NeedMore;
                    const char c = buf[pos++];
                    if (c == '"') {
                        if (pos >= size && !last) return Step::NeedMore;
                        if (pos >= size || buf[pos] != '"') break;
                        ++pos;
                    } else if (c == '\n') {
                        ++line_;
                    }
                    field.push_back(c);
                }
                if (pos >= size) return ranOut;
                if (buf[pos] != ',' && buf[pos] != '\n' && buf[pos] != '\r')
                    return skipLine(pos, last, problem,
                                    QCoreApplication::translate("corvane::RecordingReader",
                                                                "text after the closing quote of a field"));
            } else {
                const std::size_t begin = pos;
                while (pos < size && buf[pos] != ',' && buf[pos] != '\n' && buf[pos] != '\r' && buf[pos] != '"') ++pos;
                field.assign(buf.data() + begin, pos - begin);
                if (pos >= size) return ranOut;
                if (buf[pos] == '"')
                    return skipLine(pos, last, problem,
                                    QCoreApplication::translate("corvane::RecordingReader",
                                                                "a quote inside a field that is not quoted"));
            }
            if (buf[pos] == ',') {
                ++pos;
                continue;
            }
            if (buf[pos] == '\r') {
                if (pos + 1 >= size) return ranOut;
                if (buf[pos + 1] != '\n')
                    return skipLine(pos, last, problem,
                                    QCoreApplication::translate("corvane::RecordingReader",
                                                                "a line break inside a field that is not quoted"));
                ++pos;
            }
            ++pos;
            ++line_;
            return Step::Record;
        }
    }

    std::string& nextField() {
        if (count_ == fields_.size()) fields_.emplace_back();
        fields_[count_].clear();
        return fields_[count_++];
    }

    void record(std::size_t line) {
        if (count_ == 0) return;  // a note
        const std::vector<std::string>& fields = fields_;
        for (std::size_t i = 0; i < count_; ++i)
            if (!plainAscii(fields[i]) && !validUtf8(fields[i])) {
                fault(line, QCoreApplication::translate("corvane::RecordingReader", "the text is not UTF-8"));
                if (width_ == 0) stopped_ = true;
                return;
            }
        if (width_ == 0) {
            header(line);
            return;
        }
        if (count_ != width_) {
            fault(line, QCoreApplication::translate("corvane::RecordingReader", "%1 fields where the header has %2")
                            .arg(count_)
                            .arg(width_));
            return;
        }
        const std::optional<qint64> time = parseTime(fields.front());
        if (!time) {
            fault(line, QStringLiteral("\"%1\" is not a time like 2026-12-09T14:03:07.250+01:00")
                            .arg(QString::fromUtf8(fields.front().data(), static_cast<qsizetype>(std::min<std::size_t>(
                                                                              fields.front().size(), 40)))));
            return;
        }
        views_.clear();
        for (std::size_t i = 1; i < count_; ++i) views_.emplace_back(fields[i]);
        if (reader_.row) reader_.row(*time, views_);
    }

    void header(std::size_t line) {
        stopped_ = true;
        if (fields_.front() != "time") {
            fault(line, QCoreApplication::translate("corvane::RecordingReader",
                                                    "the first column is not \"time\": not a recording of readings"));
            return;
        }
        if (count_ < 2) {
            fault(line, QCoreApplication::translate("corvane::RecordingReader", "the header names no readings"));
            return;
        }
        if (count_ - 1 > RecordingReader::kMaxReadings) {
            fault(line, QCoreApplication::translate("corvane::RecordingReader",
                                                    "%1 readings, more than the %2 a recording may have")
                            .arg(count_ - 1)
                            .arg(RecordingReader::kMaxReadings));
            return;
        }
        std::vector<ReadingColumn> columns;
        for (std::size_t i = 1; i < count_; ++i) {
            if (fields_[i].size() > RecordingReader::kMaxCaptionBytes) {
                fault(line, QCoreApplication::translate(
                                "corvane::RecordingReader",
                                "the caption of reading %1 has %2 bytes, more than the %3 a caption may have")
                                .arg(i)
                                .arg(fields_[i].size())
                                .arg(RecordingReader::kMaxCaptionBytes));
                return;
            }
            columns.push_back(columnOfTitle(QString::fromStdString(fields_[i])));
        }
        stopped_ = false;
        width_ = count_;
        if (reader_.columns) reader_.columns(columns);
    }

    const RecordingReader& reader_;
    const QString& name_;
    RecordingReader::Result& result_;
    std::string pending_;
    bool started_ = false;
    bool stopped_ = false;
    std::size_t line_ = 1;
    std::size_t width_ = 0;
    std::vector<std::string> fields_;
    std::size_t count_ = 0;
    std::vector<std::string_view> views_;
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

RecordingReader::Result RecordingReader::read(const QString& path) const {
    Result result;
    auto refuse = [&](const QString& reason) {
        result.faults.push_back(QStringLiteral("%1:1: %2").arg(path, reason));
        return result;
    };
    const QByteArray local = QFile::encodeName(path);
    // Without blocking: a pipe with nobody writing would wait for ever.
    const int fd = ::open(local.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const mode_t mode = info.st_mode;
        ::close(fd);
        return refuse(QCoreApplication::translate("corvane::RecordingReader", "%1, not a recording of readings")
                          .arg(fileKind(mode)));
    }
    if (info.st_size > kMaxBytes) {
        ::close(fd);
        return refuse(
            QCoreApplication::translate("corvane::RecordingReader", "%1, more than the %2 a recording may have")
                .arg(sizeText(info.st_size), sizeText(kMaxBytes)));
    }
    RecordingParser parser(*this, path, result);
    std::vector<char> chunk(kPieceBytes);
    qint64 total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.faults.push_back(QStringLiteral("%1:1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
            break;
        }
        total += n;
        // A file that grows while it is read is held to the same bound.
        if (total > kMaxBytes) {
            result.faults.push_back(
                QCoreApplication::translate("corvane::RecordingReader", "%1:1: more than the %2 a recording may have")
                    .arg(path, sizeText(kMaxBytes)));
            break;
        }
        if (!parser.feed(std::string_view(chunk.data(), static_cast<std::size_t>(n)), n == 0) || n == 0) break;
        if (progress && !progress(total, info.st_size)) {
            result.stopped = true;
            break;
        }
    }
    ::close(fd);
    return result;
}

RecordingReader::Result RecordingReader::parse(const QString& name, std::string_view bytes, std::size_t piece) const {
    Result result;
    RecordingParser parser(*this, name, result);
    piece = std::max<std::size_t>(piece, 1);
    for (std::size_t at = 0;; at += piece) {
        const std::string_view part = bytes.substr(std::min(at, bytes.size()), piece);
        if (!parser.feed(part, at + piece >= bytes.size()) || at + piece >= bytes.size()) break;
    }
    return result;
}

}  // namespace corvane
