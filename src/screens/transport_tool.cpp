#include "screens/transport_tool.h"

#include <QFontMetrics>

#include "controls/corv_progress.h"
#include "controls/keyboard_focus.h"
#include "platform/dialog_units.h"
#include "platform/window_message.h"
#include "platform/window_messages.h"

namespace corvane {

namespace {

// Room kept clear between a key's text and each of its edges.
constexpr int kKeyTextMargin = 5;
constexpr int kSmallestKeyFont = 7;

// The skin's Arial at the dialog font's size, made smaller where a key is too narrow for its
// text ("<<<" in a 31-pixel key) so that the text keeps clear of the key's edges.
QFont keyFont(const QString& text, int keyWidth) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    while (font.pixelSize() > kSmallestKeyFont &&
           QFontMetrics(font).horizontalAdvance(text) > keyWidth - 2 * kKeyTextMargin)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// What a screen reader says for each key; the keys with words say them.
constexpr const char* kArrowNames[] = {
    nullptr,
    QT_TRANSLATE_NOOP("corvane::CTransportTool", "Back, fast"),
    QT_TRANSLATE_NOOP("corvane::CTransportTool", "Back"),
    QT_TRANSLATE_NOOP("corvane::CTransportTool", "Back one step"),
    nullptr,
    QT_TRANSLATE_NOOP("corvane::CTransportTool", "Forward one step"),
    QT_TRANSLATE_NOOP("corvane::CTransportTool", "Forward"),
    QT_TRANSLATE_NOOP("corvane::CTransportTool", "Forward, fast"),
    nullptr,
    nullptr,
};
static_assert(std::size(kArrowNames) == CTransportTool::kKeys.size());

}  // namespace

CTransportTool::CTransportTool(QWidget* owner) : CCorvDialog(kTemplateId, owner, false) {
    setWindowTitle(QStringLiteral("CORVANE"));
    setModal(false);
    resize(dialogUnitsToPixelsX(274), dialogUnitsToPixelsY(67));

    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const TransportKey& k = kKeys[i];
        auto* key = new QPushButton(tr(k.text), this);
        // The arrows read as words.
        if (const char* name = kArrowNames[i]) key->setAccessibleName(tr(name));
        key->setGeometry(dialogUnitsToPixels(k.x, kKeyTop, k.width, kKeyHeight));
        key->setFont(keyFont(key->text(), key->width()));
        key->setFocusPolicy(Qt::StrongFocus);
        key->setAutoDefault(false);
        showKeyboardFocusOn(key);
        key->setProperty("command", k.command);
        connect(key, &QPushButton::clicked, this, [this, code = k.code] { sendKey(code); });
        keys_[i] = key;
    }

    const int L = 0, R = width(), B = height();
    progress_ = new CCorvProgress;
    progress_->Create(L + 10, B - 35, R - 12, B - 10, this);
    progress_->show();
}

CTransportTool::~CTransportTool() = default;

void CTransportTool::sendKey(std::uint8_t code) { sendWindowMessage(parentWidget(), WM_KEYPAD_KEY, code, 0); }

}  // namespace corvane
