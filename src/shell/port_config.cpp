#include "shell/port_config.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "corvane.cfg";
constexpr std::size_t kPortOffset = 3;
constexpr std::size_t kPortDigits = 2;
constexpr std::size_t kStateOffset = 6;
constexpr std::size_t kMaxContent = 64;  // more than the file ever holds; the rest is ignored

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return ".";
}

std::string errorText(const std::string& what, const fs::path& path, int err) {
    return what + " " + path.string() + ": " + std::strerror(err);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename durable; a folder that cannot be synced is not worth failing for.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WindowState nextWindowState(WindowState state) {
    switch (state) {
    case WindowState::Maximised: return WindowState::WorkArea;
    case WindowState::WorkArea: return WindowState::Normal;
    case WindowState::Normal: return WindowState::Maximised;
    }
    return WindowState::Maximised;
}

fs::path PortConfigFile::defaultPath() {
    // XDG: a relative or empty XDG_CONFIG_HOME is to be ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    fs::path folder = (xdg && *xdg == '/') ? fs::path(xdg) : homeFolder() / ".config";
    return folder / kFileName;
}

PortConfigFile::PortConfigFile(fs::path path) : path_(std::move(path)) {}

bool PortConfigFile::exists() const {
    std::error_code ec;
    return fs::exists(path_, ec);
}

std::string PortConfigFile::format(const PortConfig& config) {
    char text[16];
    std::snprintf(text, sizeof text, "COM%02d,%d", config.port, static_cast<int>(config.windowState));
    return text;
}

void PortConfigFile::parse(std::string_view content, PortConfig& config) {
    int port = 0;
    for (std::size_t i = kPortOffset; i < kPortOffset + kPortDigits && i < content.size(); ++i) {
        char c = content[i];
        if (c < '0' || c > '9') break;
        port = port * 10 + (c - '0');
    }
    config.port = port;
    if (content.size() > kStateOffset) {
        switch (content[kStateOffset]) {
        case '1': config.windowState = WindowState::WorkArea; break;
        case '2': config.windowState = WindowState::Normal; break;
        default: config.windowState = WindowState::Maximised; break;
        }
    }
}

ConfigReadResult PortConfigFile::read(PortConfig& config) const {
    ConfigReadResult result;
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        config.port = PortConfig::kDefaultPort;
        if (errno == ENOENT || errno == ENOTDIR) {
            result.status = ConfigReadStatus::Missing;
        } else {
            result.status = ConfigReadStatus::Failed;
            result.error = errorText("Cannot read", path_, errno);
        }
        return result;
    }
    char buffer[kMaxContent];
    std::size_t got = 0;
    while (got < sizeof buffer) {
        ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            config.port = PortConfig::kDefaultPort;
            result.status = ConfigReadStatus::Failed;
            result.error = errorText("Cannot read", path_, err);
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    parse(std::string_view(buffer, got), config);
    result.status = ConfigReadStatus::Read;
    return result;
}

ConfigWriteResult PortConfigFile::write(const PortConfig& config) const {
    ConfigWriteResult result;
    int state = static_cast<int>(config.windowState);
    if (config.port < 0 || config.port > 99 || state < 0 || state > 9) {
        result.error = "Cannot save the port " + std::to_string(config.port) + " and window state " +
                       std::to_string(state) + ": out of range";
        return result;
    }

    // A symbolic link (say, into a dotfiles folder) keeps pointing at the file it names.
    std::error_code ec;
    fs::path target = path_;
    if (fs::is_symlink(path_, ec)) {
        fs::path resolved = fs::weakly_canonical(path_, ec);
        if (!ec) target = resolved;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    fs::create_directories(folder, ec);
    if (ec) {
        result.error = errorText("Cannot create the folder", folder, ec.value());
        return result;
    }

    std::string temp = (folder / (std::string(".") + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        result.error = errorText("Cannot write in", folder, errno);
        return result;
    }
    const std::string content = format(config);
    int err = 0;
    if (::fchmod(fd, 0644) != 0 || !writeAll(fd, content) || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        result.error = errorText("Cannot write", target, err);
        return result;
    }
    syncFolder(folder);
    result.ok = true;
    return result;
}

}  // namespace corvane
