#include "shell/usb_port_search.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "shell/unit_identity.h"

namespace corvane {

namespace fs = std::filesystem;

std::string readSysfsAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) return {};
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    line.erase(line.begin(), std::find_if(line.begin(), line.end(), notSpace));
    line.erase(std::find_if(line.rbegin(), line.rend(), notSpace).base(), line.end());
    return line;
}

namespace {

bool hexIdEquals(const std::string& text, std::uint16_t id) {
    if (text.empty() || text.size() > 4) return false;
    unsigned value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                       ? c - '0'
                                                       : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return value == id;
}

}  // namespace

bool naturalLess(const std::string& a, const std::string& b) {
    auto split = [](const std::string& s) {
        std::size_t cut = s.size();
        while (cut > 0 && std::isdigit(static_cast<unsigned char>(s[cut - 1]))) --cut;
        std::string digits = s.substr(cut);
        return std::make_pair(s.substr(0, cut), digits.empty() ? 0ul : std::stoul(digits.substr(0, 9)));
    };
    auto ka = split(a), kb = split(b);
    if (ka != kb) return ka < kb;
    return a < b;
}

std::optional<fs::path> usbDeviceOf(const fs::path& ttyEntry, const fs::path& sysfsRoot) {
    std::error_code ec;
    fs::path device = fs::canonical(ttyEntry / "device", ec);
    if (ec) return std::nullopt;
    for (fs::path p = device; p != sysfsRoot && p.has_relative_path(); p = p.parent_path()) {
        if (fs::exists(p / "idVendor", ec) && fs::exists(p / "idProduct", ec)) return p;
        if (p == p.parent_path()) break;
    }
    return std::nullopt;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<UnitPort> findUnitPorts(const SystemPaths& paths) {
    std::error_code ec;
    fs::path sysfsRoot = fs::canonical(paths.sysfsRoot, ec);
    if (ec) return {};
    std::vector<std::string> names;
    for (fs::directory_iterator it(sysfsRoot / "class" / "tty", ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), naturalLess);

    std::vector<UnitPort> ports;
    for (const std::string& name : names) {
        auto usb = usbDeviceOf(sysfsRoot / "class" / "tty" / name, sysfsRoot);
        if (!usb) continue;
        if (!hexIdEquals(readSysfsAttribute(*usb / "idVendor"), kUnitVendorId)) continue;
        if (!hexIdEquals(readSysfsAttribute(*usb / "idProduct"), kUnitProductId)) continue;
        if (!equalsIgnoringCase(readSysfsAttribute(*usb / "product"), kUnitDescription)) continue;
        ports.push_back({(paths.devRoot / name).string(), name, usb->string()});
    }
    return ports;
}

std::optional<UnitPort> findUnitPort(const SystemPaths& paths) {
    auto ports = findUnitPorts(paths);
    if (ports.empty()) return std::nullopt;
    return ports.front();
}

}  // namespace corvane
