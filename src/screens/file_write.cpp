#include "screens/file_write.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace corvane {

namespace {

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

// A device or a pipe: opened without waiting for a reader, then written in blocking mode.
int writeToSpecialFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!writeAll(fd, bytes)) return closeKeepingError(fd);
    return ::close(fd) == 0 ? 0 : errno;
}

// An existing file in a folder that takes no new file: the only way left is in place.
int writeInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return errno;
    if (!writeAll(fd, bytes)) return closeKeepingError(fd);
    return ::close(fd) == 0 ? 0 : errno;
}

int writeNewFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    if (!writeAll(fd, bytes))
        error = closeKeepingError(fd);
    else if (::close(fd) != 0)
        error = errno;
    // Half a file would pass for the whole report.
    if (error != 0) ::unlink(path.c_str());
    return error;
}

// Writes a sibling file with the old file's permissions and renames it over the target.
int replaceRegularFile(const std::string& path, const struct stat& old, std::string_view bytes) {
    std::unique_ptr<char, decltype(&::free)> real(::realpath(path.c_str(), nullptr), &::free);
    const std::string target = real ? std::string(real.get()) : path;
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "." + name + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return writeInPlace(target, bytes);

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
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return errno;
        return writeNewFile(path, bytes);
    }
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return writeToSpecialFile(path, bytes);
    // Only a file the user may write is replaced (rename alone would bypass its permission).
    if (::access(path.c_str(), W_OK) != 0) return errno;
    return replaceRegularFile(path, st, bytes);
}

}  // namespace corvane
