#include "link/link_notifications.h"

namespace corvane {

LinkValues LinkValues::of(ValuesFrame frame) {
    LinkValues values;
    values.bytes = sizeof frame + frame.present.size() * sizeof(std::pair<int, std::string>);
    for (const auto& [position, value] : frame.present) values.bytes += value.size();
    values.frames.push_back(std::move(frame));
    return values;
}

bool LinkValues::absorb(const LinkValues& later) {
    if (bytes + later.bytes > kFoldBytes) return false;
    frames.insert(frames.end(), later.frames.begin(), later.frames.end());
    bytes += later.bytes;
    return true;
}

std::uint32_t messageOf(const LinkNotification& notification) {
    return std::visit([](const auto& n) { return std::decay_t<decltype(n)>::kMessage; }, notification);
}

bool foldInto(LinkNotification& waiting, const LinkNotification& later) {
    if (waiting.index() != later.index()) return false;
    return std::visit(
        [&later](auto& w) {
            using Kind = std::decay_t<decltype(w)>;
            return w.absorb(std::get<Kind>(later));
        },
        waiting);
}

}  // namespace corvane
