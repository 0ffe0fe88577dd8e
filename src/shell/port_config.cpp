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

#include <QCoreApplication>
#include <QString>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "corvane.cfg";
constexpr std::size_t kPortOffset = 3;
constexpr std::size_t kPortDigits = 2;
constexpr std::size_t kStateOffset = 6;
constexpr std::size_t kMaxContent = 4200;  // the setting and a device path; the rest is not read
constexpr std::string_view kDeviceKey = "device=";
constexpr std::string_view kReconnectKey = "reconnect=";
constexpr std::string_view kPlaceKey = "place=";
constexpr std::string_view kUsbOfferKey = "usb-offer=";
constexpr std::string_view kLanguageKey = "language=";
constexpr std::string_view kDeclined = "declined";
// Far beyond any screen: a larger number is no place the window was at.
constexpr long kMaxCoordinate = 100000;
std::string defaultsUsed() {
    return QCoreApplication::translate(
               "corvane::PortConfigFile",
               "COM1 is used for now. The file is left as it is until a port is chosen in the Com setting dialog.")
        .toStdString();
}

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return ".";
}

// `what` names the step with %1 for the path.
std::string errorText(const QString& what, const fs::path& path, int err) {
    return (what.arg(QString::fromStdString(path.string())) + QStringLiteral(": ") +
            QString::fromLocal8Bit(std::strerror(err)))
        .toStdString();
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

// A folder where the configuration file belongs: only the user can move it out of the way.
std::string folderInPlace(const fs::path& path) {
    return QCoreApplication::translate("corvane::PortConfigFile",
                                       "The configuration file %1 is a folder. Remove or rename that folder: the "
                                       "program keeps its port setting in a file of that name.")
        .arg(QString::fromStdString(path.string()))
        .toStdString();
}

// Makes the rename durable; a folder that cannot be synced is not worth failing for.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// "X,Y,W,H": four whole numbers, the size positive.
std::optional<WindowPlace> parsePlace(std::string_view text) {
    long numbers[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return std::nullopt;
        std::string_view field = text.substr(0, comma);
        text = i < 3 ? text.substr(comma + 1) : std::string_view();
        const bool negative = field.starts_with('-');
        if (negative) field.remove_prefix(1);
        if (field.empty() || field.size() > 6) return std::nullopt;
        long value = 0;
        for (char c : field) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (value > kMaxCoordinate) return std::nullopt;
        numbers[i] = negative ? -value : value;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0) return std::nullopt;
    return WindowPlace{static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]),
                       static_cast<int>(numbers[3])};
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
    std::string content = text;
    if (!config.device.empty()) content += "\n" + std::string(kDeviceKey) + config.device;
    if (config.reconnect) content += "\n" + std::string(kReconnectKey) + "1";
    if (const std::optional<WindowPlace>& p = config.normalPlace)
        content += "\n" + std::string(kPlaceKey) + std::to_string(p->x) + "," + std::to_string(p->y) + "," +
                   std::to_string(p->width) + "," + std::to_string(p->height);
    if (config.usbOfferDeclined) content += "\n" + std::string(kUsbOfferKey) + std::string(kDeclined);
    if (!config.language.empty()) content += "\n" + std::string(kLanguageKey) + config.language;
    return content;
}

bool PortConfigFile::parse(std::string_view content, PortConfig& config) {
    // One line end may follow the setting: a file saved by a text editor is still read.
    if (content.ends_with("\r\n"))
        content.remove_suffix(2);
    else if (content.ends_with('\n') || content.ends_with('\r'))
        content.remove_suffix(1);
    std::string_view settings;
    if (const std::size_t lineEnd = content.find('\n'); lineEnd != std::string_view::npos) {
        settings = content.substr(lineEnd + 1);
        content = content.substr(0, lineEnd);
        if (content.ends_with('\r')) content.remove_suffix(1);
        if (settings.empty()) return false;  // an empty line is no setting
    }
    std::string device;
    bool reconnect = false;
    std::optional<WindowPlace> place;
    bool usbOfferDeclined = false;
    std::string language;
    while (!settings.empty()) {
        const std::size_t lineEnd = settings.find('\n');
        std::string_view line = settings.substr(0, lineEnd);
        settings = lineEnd == std::string_view::npos ? std::string_view() : settings.substr(lineEnd + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t eq = line.find('=');
        if (eq == 0 || eq == std::string_view::npos) return false;
        if (line.starts_with(kDeviceKey))
            device = line.substr(kDeviceKey.size());
        else if (line.starts_with(kReconnectKey))
            reconnect = line.substr(kReconnectKey.size()) == "1";
        else if (line.starts_with(kPlaceKey))
            place = parsePlace(line.substr(kPlaceKey.size()));
        else if (line.starts_with(kUsbOfferKey))
            usbOfferDeclined = line.substr(kUsbOfferKey.size()) == kDeclined;
        else if (line.starts_with(kLanguageKey))
            language = line.substr(kLanguageKey.size());
        // Other keys belong to a later version: skipped.
    }

    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const bool portThere = content.size() >= kPortOffset + kPortDigits && content.substr(0, kPortOffset) == "COM" &&
                           isDigit(content[kPortOffset]) && isDigit(content[kPortOffset + 1]);
    if (!portThere) return false;
    const std::string_view rest = content.substr(kPortOffset + kPortDigits);
    // "COMpp", "COMpp," (no state: it is left as it was) or "COMpp,w".
    const bool restFits = rest.empty() || rest == "," || (rest.size() == 2 && rest[0] == ',' && isDigit(rest[1]));
    if (!restFits) return false;

    config.port = (content[kPortOffset] - '0') * 10 + (content[kPortOffset + 1] - '0');
    config.device = device;
    config.reconnect = reconnect;
    config.normalPlace = place;
    config.usbOfferDeclined = usbOfferDeclined;
    config.language = language;
    if (content.size() > kStateOffset) {
        switch (content[kStateOffset]) {
            case '1': config.windowState = WindowState::WorkArea; break;
            case '2': config.windowState = WindowState::Normal; break;
            default: config.windowState = WindowState::Maximised; break;
        }
    }
    return true;
}

std::string PortConfigFile::quoteContent(std::string_view content) {
    constexpr std::size_t kShown = 32;
    std::string text;
    for (std::size_t i = 0; i < content.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(content[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    if (content.size() > kShown) text += "...";
    return text;
}

ConfigReadResult PortConfigFile::read(PortConfig& config) const {
    ConfigReadResult result;
    const QString file = QString::fromStdString(path_.string());
    // `what` is the whole sentence.
    auto unusable = [&](ConfigReadStatus status, const QString& what) {
        config.port = PortConfig::kDefaultPort;
        config.device.clear();
        result.status = status;
        result.error = what.toStdString() + "\n" + defaultsUsed();
        return result;
    };
    auto cannotRead = [&](int err) {
        return unusable(
            ConfigReadStatus::Failed,
            QCoreApplication::translate("corvane::PortConfigFile", "The configuration file %1 cannot be read: %2.")
                .arg(file, QString::fromLocal8Bit(std::strerror(err))));
    };
    // Without waiting: a FIFO in place of the file would block the start until a writer came.
    int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            config.port = PortConfig::kDefaultPort;
            config.device.clear();
            result.status = ConfigReadStatus::Missing;
            return result;
        }
        return cannotRead(errno);
    }
    // A folder of that name opens but never reads, and choosing a port cannot replace it.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        config.port = PortConfig::kDefaultPort;
        config.device.clear();
        result.status = ConfigReadStatus::Failed;
        result.error = folderInPlace(path_) + "\n" +
                       QCoreApplication::translate("corvane::PortConfigFile", "COM1 is used for now.").toStdString();
        return result;
    }
    // Only a regular file holds a setting (the writer replaces nothing else either).
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return unusable(
            ConfigReadStatus::Failed,
            QCoreApplication::translate("corvane::PortConfigFile", "The configuration file %1 is not a regular file.")
                .arg(file));
    }
    char buffer[kMaxContent];
    std::size_t got = 0;
    while (got < sizeof buffer) {
        ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            return cannotRead(err);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    const std::string_view content(buffer, got);
    if (content.empty())
        return unusable(
            ConfigReadStatus::Invalid,
            QCoreApplication::translate("corvane::PortConfigFile", "The configuration file %1 is empty.").arg(file));
    if (!parse(content, config)) {
        return unusable(ConfigReadStatus::Invalid,
                        QCoreApplication::translate("corvane::PortConfigFile",
                                                    "The configuration file %1 holds \"%2\", which is not a port "
                                                    "setting such as \"COM01,0\".")
                            .arg(file, QString::fromStdString(quoteContent(content))));
    }
    result.status = ConfigReadStatus::Read;
    return result;
}

ConfigWriteResult PortConfigFile::write(const PortConfig& config) const {
    ConfigWriteResult result;
    int state = static_cast<int>(config.windowState);
    if (config.device.find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos) {
        result.error = QCoreApplication::translate("corvane::PortConfigFile",
                                                   "Cannot save the device path %1: it holds a line end")
                           .arg(QString::fromStdString(quoteContent(config.device)))
                           .toStdString();
        return result;
    }
    if (config.port < 0 || config.port > 99 || state < 0 || state > 9) {
        result.error = QCoreApplication::translate("corvane::PortConfigFile",
                                                   "Cannot save the port %1 and window state %2: out of range")
                           .arg(config.port)
                           .arg(state)
                           .toStdString();
        return result;
    }

    // A symbolic link (say, into a dotfiles folder) keeps pointing at the file it names.
    std::error_code ec;
    fs::path target = path_;
    if (fs::is_symlink(path_, ec)) {
        fs::path resolved = fs::weakly_canonical(path_, ec);
        if (!ec) target = resolved;
    }
    // Only a regular file is replaced: renaming over a folder fails anyway, and a device or
    // pipe that the name leads to (a link to /dev/null, say) must stay what it is.
    const fs::file_status existing = fs::status(target, ec);
    if (fs::exists(existing) && !fs::is_regular_file(existing)) {
        result.error =
            fs::is_directory(existing)
                ? folderInPlace(target)
                : QCoreApplication::translate("corvane::PortConfigFile", "Cannot write %1: it is not a regular file")
                      .arg(QString::fromStdString(target.string()))
                      .toStdString();
        return result;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    fs::create_directories(folder, ec);
    if (ec) {
        result.error = errorText(QCoreApplication::translate("corvane::PortConfigFile", "Cannot create the folder %1"),
                                 folder, ec.value());
        return result;
    }

    std::string temp = (folder / (std::string(".") + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        result.error =
            errorText(QCoreApplication::translate("corvane::PortConfigFile", "Cannot write in %1"), folder, errno);
        return result;
    }
    const std::string content = format(config);
    int err = 0;
    if (::fchmod(fd, 0644) != 0 || !writeAll(fd, content) || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        result.error =
            errorText(QCoreApplication::translate("corvane::PortConfigFile", "Cannot write %1"), target, err);
        return result;
    }
    syncFolder(folder);
    result.ok = true;
    return result;
}

}  // namespace corvane
