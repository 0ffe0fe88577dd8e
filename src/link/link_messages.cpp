#include "link/link_messages.h"

namespace corvane {

namespace {
template <typename T>
const T* contentOf(const LinkMessage& m) {
    return m.content ? std::get_if<T>(m.content.get()) : nullptr;
}
}  // namespace

bool replacesNotification(const LinkMessage& later, const LinkMessage& earlier) {
    if (later.message != earlier.message) return false;
    switch (later.message) {
        case WM_LINK_SHOW_PAGE:
        case WM_LINK_MENU:
        case WM_LINK_VALUES:
        case WM_LINK_TRANSFER:  // only posted ones ('F') reach this question
            return true;
        case WM_LINK_PROGRESS: {
            const auto *a = contentOf<ProgressContent>(later), *b = contentOf<ProgressContent>(earlier);
            return a && b && a->target == b->target;
        }
        case WM_LINK_TEXT: {
            const auto *a = contentOf<TextContent>(later), *b = contentOf<TextContent>(earlier);
            return a && b && a->header == b->header;
        }
        case WM_LINK_LIST: {
            // Lines for the list window are added to it, never replaced.
            const auto *a = contentOf<ListContent>(later), *b = contentOf<ListContent>(earlier);
            return a && b && a->header != 0 && a->header == b->header;
        }
        default: return false;
    }
}

}  // namespace corvane
