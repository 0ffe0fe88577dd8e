#include "screens/transfer_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include "platform/cp1252.h"

namespace corvane {

namespace {
constexpr qsizetype kMaxNameCharacters = 128;
constexpr qsizetype kMaxSuffixCharacters = 16;

std::string describe(const char* what, const QString& path, int error) {
    return std::string(what) + " " + encodeCp1252(path) + ":\n" + std::strerror(error);
}

std::string describe(const char* what, const QString& path, const char* reason) {
    return std::string(what) + " " + encodeCp1252(path) + ":\n" + reason;
}

// Writes everything or sets errno.
bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
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
    // Closes now and reports a failing close (a delayed write error).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string writeDirect(const QString& shownPath, const QByteArray& path, const std::uint8_t* data, std::size_t size) {
    Fd fd(::open(path.constData(), O_WRONLY | O_TRUNC | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return describe("Cannot save the file", shownPath, errno);
    if (!writeAll(fd.get(), data, size)) return describe("Cannot save the file", shownPath, errno);
    if (!fd.close()) return describe("Cannot save the file", shownPath, errno);
    return {};
}

std::string writeReplacing(const QString& shownPath, const QByteArray& path, const struct stat* existing,
                           const std::uint8_t* data, std::size_t size) {
    const QFileInfo info(QString::fromLocal8Bit(path));
    QByteArray temp = QFile::encodeName(info.absolutePath()) + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return describe("Cannot save the file", shownPath, errno);
    auto fail = [&](int error) {
        ::unlink(temp.constData());
        return describe("Cannot save the file", shownPath, error);
    };
    // The new file keeps the permissions of the one it replaces; a new one gets the usual ones.
    mode_t mode = existing ? (existing->st_mode & 07777) : 0666;
    if (!existing) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);
    if (!writeAll(fd.get(), data, size)) return fail(errno);
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (!fd.close()) return fail(errno);
    if (::rename(temp.constData(), path.constData()) != 0) return fail(errno);
    return {};
}

bool isPathCharacter(unsigned char c) { return c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr; }
}  // namespace

FileForUnit readFileForUnit(const QString& path, std::size_t limit) {
    FileForUnit result;
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking open: a pipe without a writer must not hang the program.
    Fd fd(::open(name.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = describe("Cannot open the file", path, errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.error = describe("Cannot read the file", path, errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = describe("Cannot read the file", path, "it is not a regular file");
        return result;
    }
    result.bytes.resize(limit + 1);
    std::size_t got = 0;
    while (got < limit + 1) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + got, limit + 1 - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.bytes.clear();
            result.error = describe("Cannot read the file", path, errno);
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
    QByteArray target = QFile::encodeName(path);
    struct stat st {};
    if (::stat(target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return describe("Cannot save the file", path, EISDIR);
        if (!S_ISREG(st.st_mode)) return writeDirect(path, target, data, size);
        // A link to a file: the file it leads to is replaced, not the link.
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty()) target = QFile::encodeName(canonical);
        return writeReplacing(path, target, &st, data, size);
    }
    return writeReplacing(path, target, nullptr, data, size);
}

QString safeFileName(const std::string& proposed, const QString& fallback) {
    // Only the last part of a path counts, whichever separator the unit used.
    const std::size_t cut = proposed.find_last_of("/\\");
    std::string plain;
    for (std::size_t i = cut == std::string::npos ? 0 : cut + 1; i < proposed.size(); ++i) {
        const auto c = static_cast<unsigned char>(proposed[i]);
        if (!isPathCharacter(c)) plain.push_back(static_cast<char>(c));
    }
    // No hidden names and no "." or "..": leading dots and blanks go, and so do trailing ones.
    const std::size_t first = plain.find_first_not_of(". ");
    if (first == std::string::npos) return fallback;
    plain = plain.substr(first, plain.find_last_not_of(". ") - first + 1);
    QString name = decodeCp1252(plain);
    if (name.size() > kMaxNameCharacters) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const qsizetype suffixLength = dot > 0 ? name.size() - dot : 0;
        if (suffixLength > 0 && suffixLength <= kMaxSuffixCharacters + 1)
            name = name.left(kMaxNameCharacters - suffixLength) + name.mid(dot);
        else
            name = name.left(kMaxNameCharacters);
    }
    return name;
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

}  // namespace corvane
