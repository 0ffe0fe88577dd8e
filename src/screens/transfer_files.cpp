#include "screens/transfer_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include "platform/cp1252.h"
#include "screens/file_write.h"

namespace corvane {

namespace {
// The longest name one folder entry takes (NAME_MAX), counted in bytes of its encoding.
constexpr qsizetype kMaxNameBytes = 255;
constexpr qsizetype kMaxSuffixCharacters = 16;

// `what` holds %1 for the path.
std::string describe(const QString& what, const QString& path, const QString& reason) {
    return encodeCp1252(what.arg(path) + QStringLiteral(":\n") + reason);
}

std::string describe(const QString& what, const QString& path, int error) {
    return describe(what, path, QString::fromLocal8Bit(std::strerror(error)));
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Controls (C0, DEL and C1: U+009D would start a terminal escape) and path characters.
bool isUnsafeInName(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u < 0x80 && std::strchr("/\\:*?\"<>|", u) != nullptr);
}

qsizetype encodedLength(const QString& name) { return QFile::encodeName(name).size(); }

// Cuts the name to what one folder entry may hold in the file system's encoding, keeping a
// short type at its end and never splitting a character.
QString fitName(QString name) {
    if (encodedLength(name) <= kMaxNameBytes) return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype suffixLength = dot > 0 ? name.size() - dot : 0;
    const bool keepSuffix = suffixLength > 0 && suffixLength <= kMaxSuffixCharacters + 1;
    const QString suffix = keepSuffix ? name.mid(dot) : QString();
    QString stem = keepSuffix ? name.left(dot) : name;
    while (!stem.isEmpty() && encodedLength(stem + suffix) > kMaxNameBytes) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate()) stem.chop(1);
    }
    return stem + suffix;
}
}  // namespace

FileForUnit readFileForUnit(const QString& path, std::size_t limit) {
    FileForUnit result;
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking open: a pipe without a writer must not hang the program.
    Fd fd(::open(name.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error =
            describe(QCoreApplication::translate("corvane::TransferFiles", "Cannot open the file %1"), path, errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.error =
            describe(QCoreApplication::translate("corvane::TransferFiles", "Cannot read the file %1"), path, errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = describe(QCoreApplication::translate("corvane::TransferFiles", "Cannot read the file %1"), path,
                                QCoreApplication::translate("corvane::TransferFiles", "it is not a regular file"));
        return result;
    }
    result.bytes.resize(limit + 1);
    std::size_t got = 0;
    while (got < limit + 1) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + got, limit + 1 - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.bytes.clear();
            result.error =
                describe(QCoreApplication::translate("corvane::TransferFiles", "Cannot read the file %1"), path, errno);
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > limit) {
        result.bytes.clear();
        result.outcome = FileForUnit::Outcome::TooLong;
        return result;
    }
    result.bytes.resize(got);
    result.outcome = FileForUnit::Outcome::Loaded;
    return result;
}

std::string writeFileFromUnit(const QString& path, const std::uint8_t* data, std::size_t size) {
    const QByteArray local = QFile::encodeName(path);
    const int error = writeWholeFile(std::string(local.constData(), static_cast<std::size_t>(local.size())),
                                     std::string_view(reinterpret_cast<const char*>(data), size));
    return error == 0 ? std::string()
                      : describe(QCoreApplication::translate("corvane::TransferFiles", "Cannot save the file %1"), path,
                                 QString::fromStdString(fileWriteReason(error)));
}

QString safeFileName(const std::string& proposed, const QString& fallback) {
    // Only the last part of a path counts, whichever separator the unit used.
    const std::size_t cut = proposed.find_last_of("/\\");
    return safePlainName(decodeCp1252(std::string_view(proposed).substr(cut == std::string::npos ? 0 : cut + 1)),
                         fallback);
}

QString safePlainName(const QString& decoded, const QString& fallback) {
    QString name;
    for (const QChar c : decoded)
        if (!isUnsafeInName(c)) name += c;
    // No hidden names and no "." or "..": leading dots and blanks go, and so do trailing ones.
    const auto isTrim = [](QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(' '); };
    qsizetype first = 0, last = name.size();
    while (first < last && isTrim(name[first])) ++first;
    while (last > first && isTrim(name[last - 1])) --last;
    if (first == last) return fallback;
    return fitName(name.mid(first, last - first));
}

QString safeDefaultSuffix(const std::string& proposedName, const std::string& extension) {
    // Without a dot in the name the unit's extension is the whole name, not a file type.
    if (proposedName.find('.') == std::string::npos) return {};
    QString suffix;
    for (const char c : extension) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
            suffix += QLatin1Char(c);
        else
            return {};
    }
    return suffix.size() <= kMaxSuffixCharacters ? suffix : QString();
}

std::string incompleteFileNotice(const std::string& name, std::int64_t announced, std::size_t held,
                                 std::size_t capacity) {
    if (announced >= 0 && static_cast<std::uint64_t>(announced) == held) return {};
    const QString shown = safeFileName(name, QString());
    const QString arrived = QString::number(held);
    const QString expected = QString::number(announced);
    QString what;
    if (announced < 0)
        what = QCoreApplication::translate("corvane::TransferFiles",
                                           "%1 came without a valid size (%2); %3 bytes arrived.")
                   .arg(QStringLiteral("%1"), expected, arrived);
    else if (static_cast<std::uint64_t>(announced) > capacity)
        what = QCoreApplication::translate("corvane::TransferFiles",
                                           "%1 is announced with %2 bytes, more than the %3 bytes a file from the unit "
                                           "may have; only %4 are held.")
                   .arg(QStringLiteral("%1"), expected, QString::number(capacity), arrived);
    else if (static_cast<std::uint64_t>(announced) > held)
        what = QCoreApplication::translate("corvane::TransferFiles",
                                           "%1 is incomplete: %2 of the %3 bytes announced arrived, %4 are missing.")
                   .arg(QStringLiteral("%1"), arrived, expected,
                        QString::number(static_cast<std::uint64_t>(announced) - held));
    else
        what = QCoreApplication::translate("corvane::TransferFiles",
                                           "%1 is not as announced: %2 bytes arrived, %3 were announced.")
                   .arg(QStringLiteral("%1"), arrived, expected);
    const QString file =
        shown.isEmpty() ? QCoreApplication::translate("corvane::TransferFiles", "The file from the unit")
                        : QCoreApplication::translate("corvane::TransferFiles", "The file %1 from the unit").arg(shown);
    return encodeCp1252(what.arg(file) + QLatin1Char(' ') +
                        QCoreApplication::translate("corvane::TransferFiles", "It was not saved."));
}

}  // namespace corvane
