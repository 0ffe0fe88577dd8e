#include "jobs/plain_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "screens/file_write.h"

namespace corvane {

QString escapeField(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
            case '\\': out += QLatin1String("\\\\"); break;
            case '\n': out += QLatin1String("\\n"); break;
            case '\r': out += QLatin1String("\\r"); break;
            case '\t': out += QLatin1String("\\t"); break;
            default: out += c;
        }
    }
    return out;
}

QString unescapeField(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        switch (text[++i].unicode()) {
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case 't': out += QLatin1Char('\t'); break;
            default: out += text[i];
        }
    }
    return out;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    // Not QSaveFile: Qt 6.4's commits a file cut short by a failed write (a full disk) as if
    // it were whole.
    const QByteArray local = QFile::encodeName(path);
    const int failure = writeWholeFile(std::string(local.constData(), static_cast<std::size_t>(local.size())),
                                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (failure == 0) return true;
    error = QString::fromLocal8Bit(fileWriteReason(failure));
    return false;
}

bool appendLine(const QString& path, const QByteArray& line, QString& error) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    QByteArray whole = line + '\n';
    // Read and write: the last byte is read to see whether a line was left unended.
    struct stat st {};
    char last = '\n';
    if (::fstat(fd, &st) == 0 && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
        whole.prepend('\n');
    const ssize_t written = ::write(fd, whole.constData(), static_cast<std::size_t>(whole.size()));
    const int writeError = errno;
    const bool synced = written == whole.size() && ::fdatasync(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    if (written != whole.size()) {
        error = written < 0 ? QString::fromLocal8Bit(std::strerror(writeError))
                            : QCoreApplication::translate("corvane::PlainFiles", "the disk is full");
        return false;
    }
    if (!synced) {
        error = QString::fromLocal8Bit(std::strerror(syncError));
        return false;
    }
    return true;
}

QByteArray readSmallFile(const QString& path, qint64 limit) {
    // Without waiting: a pipe put in a file's place must not hold the program up; only a regular
    // file is read.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {};
    QByteArray bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.resize(static_cast<qsizetype>(std::min<qint64>(st.st_size, limit)));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += n;
        }
        bytes.truncate(got);
    }
    ::close(fd);
    return bytes;
}

}  // namespace corvane
