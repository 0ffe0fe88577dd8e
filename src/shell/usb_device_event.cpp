#include "shell/usb_device_event.h"

#include <charconv>

#include "shell/unit_identity.h"

namespace corvane {

namespace {

bool parseHexField(std::string_view text, std::uint16_t& out) {
    if (text.empty() || text.size() > 4) return false;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    out = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

bool isUnitDevice(const UsbDeviceEvent& event) {
    return event.idsKnown && event.vendorId == kUnitVendorId && event.productId == kUnitProductId;
}

bool parseUsbProductProperty(const std::string& text, std::uint16_t& vendorId, std::uint16_t& productId) {
    std::string_view view(text);
    std::size_t first = view.find('/');
    if (first == std::string_view::npos) return false;
    std::size_t second = view.find('/', first + 1);
    if (second == std::string_view::npos) return false;
    std::uint16_t vendor = 0, product = 0;
    if (!parseHexField(view.substr(0, first), vendor)) return false;
    if (!parseHexField(view.substr(first + 1, second - first - 1), product)) return false;
    vendorId = vendor;
    productId = product;
    return true;
}

}  // namespace corvane
