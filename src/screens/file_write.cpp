#include "screens/file_write.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QString>

namespace corvane {

namespace {

// As many links in a row as the kernel follows.
constexpr int kMaxLinks = 40;

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return false;
        if (w == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    return true;
}

// Closes the descriptor without changing errno; returns the saved errno.
int closeKeepingError(int fd) {
    const int error = errno;
    ::close(fd);
    return error;
}

// The folder part of a path, with its slash ("" for a bare name).
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A link is followed when it is the user's own, or a system link (root's, in root's folder,
// such as /dev/stdout). Another user's link may have been planted in a shared folder.
bool mayFollow(const std::string& link, const struct stat& st) {
    if (st.st_uid == ::geteuid()) return true;
    if (st.st_uid != 0) return false;
    const std::string folder = folderOf(link);
    struct stat holder {};
    return ::stat(folder.empty() ? "." : folder.c_str(), &holder) == 0 && holder.st_uid == 0;
}

// Each folder on the way to a file, in turn: a symbolic link among them is followed only as one
// at the file's own place is, so another user's link (a "folder" in /tmp leading into someone's
// home) cannot take the file elsewhere.
int checkFolderLinks(const std::string& folder) {
    std::string prefix = !folder.empty() && folder.front() == '/' ? "/" : "";
    for (std::size_t start = prefix.size(); start < folder.size();) {
        std::size_t slash = folder.find('/', start);
        if (slash == std::string::npos) slash = folder.size();
        const std::string part = folder.substr(start, slash - start);
        start = slash + 1;
        if (part.empty() || part == ".") continue;
        prefix += part;
        struct stat st {};
        if (::lstat(prefix.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && !mayFollow(prefix, st))
            return kForeignFolderLink;
        prefix += '/';
    }
    return 0;
}

// Follows the links at the last part of `path` as far as they may be followed. On success
// `target` is the file the bytes go to and `exists` says whether it is there (`st` its status).
int resolveTarget(const std::string& path, std::string& target, struct stat& st, bool& exists) {
    target = path;
    for (int hops = 0;; ++hops) {
        // The folders of each name on the way, the one given and those links lead to.
        if (const int error = checkFolderLinks(folderOf(target)); error != 0) return error;
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno != ENOENT) return errno;
            exists = false;
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            return 0;
        }
        if (!mayFollow(target, st)) return kForeignLink;
        if (hops == kMaxLinks) return ELOOP;
        std::string next(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), next.data(), next.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) >= next.size()) return ENAMETOOLONG;
        next.resize(static_cast<std::size_t>(n));
        if (next.empty()) return ENOENT;
        target = next.front() == '/' ? next : folderOf(target) + next;
    }
}

// A device or a pipe: opened without waiting for a reader, then written in blocking mode.
int writeToSpecialFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!writeAll(fd, bytes)) return closeKeepingError(fd);
    return ::close(fd) == 0 ? 0 : errno;
}

int writeNewFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    if (!writeAll(fd, bytes))
        error = closeKeepingError(fd);
    else if (::close(fd) != 0)
        error = errno;
    // Half a file would pass for the whole one.
    if (error != 0) ::unlink(path.c_str());
    return error;
}

// Whether the user may write the file itself, asked by opening it (with the file-system
// identity, unlike access()); nothing is changed.
int mayWrite(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

// Writes a sibling file with the old file's permissions and renames it over the target. The
// temporary name is short, so a target whose name is at the file system's limit still saves.
int replaceRegularFile(const std::string& target, const struct stat& old, std::string_view bytes) {
    std::string temp = folderOf(target) + ".corvane-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return errno;

    ::fchmod(fd, old.st_mode & 07777);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Another owner cannot be kept by an ordinary user; the file becomes the user's own.
    }
    int error = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        error = closeKeepingError(fd);
    else if (::close(fd) != 0)
        error = errno;
    else if (::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) ::unlink(temp.c_str());
    return error;
}

}  // namespace

int writeWholeFile(const std::string& path, std::string_view bytes) {
    std::string target;
    struct stat st {};
    bool exists = false;
    if (const int error = resolveTarget(path, target, st, exists); error != 0) return error;
    if (!exists) return writeNewFile(target, bytes);
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return writeToSpecialFile(target, bytes);
    // Only a file the user may write is replaced (rename alone would bypass its permission).
    if (const int error = mayWrite(target); error != 0) return error;
    return replaceRegularFile(target, st, bytes);
}

std::string fileWriteReason(int error) {
    if (error == kForeignLink)
        return QCoreApplication::translate("corvane::FileWrite",
                                           "it is a symbolic link that belongs to another user, so it is not followed")
            .toStdString();
    if (error == kForeignFolderLink)
        return QCoreApplication::translate(
                   "corvane::FileWrite",
                   "a folder on its path is a symbolic link that belongs to another user, so it is not followed")
            .toStdString();
    return QString::fromLocal8Bit(std::strerror(error)).toStdString();
}

}  // namespace corvane
