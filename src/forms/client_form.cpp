#include "forms/client_form.h"

#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "platform/window_messages.h"

namespace corvane {

namespace {
constexpr const char* kWindowIdProperty = "corvaneWindowId";
}

CClientForm::CClientForm(QWidget* parent) : MessageWindow<QWidget>(parent) { NoEraseBackground(this); }

// The fields go first; their widgets go with the form, as its children.
CClientForm::~CClientForm() { fields_.clear(); }

QRect CClientForm::controlRect(const PageControl& control) {
    return rectLTRB(kGrid * control.left, kGrid * control.top, kGrid * control.right, kGrid * control.bottom);
}

int CClientForm::windowIdOf(const QWidget* window) {
    if (!window) return -1;
    const QVariant id = window->property(kWindowIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

void CClientForm::addControl(const PageControl& control) {
    if (fields_.count(&control)) return;
    const int windowId = control.id + kWindowIdBase;
    std::unique_ptr<PageField> field = makePageField(control, {controlRect(control), this, windowId});
    if (!field) return;
    field->widget()->setProperty(kWindowIdProperty, windowId);
    fields_.emplace(&control, std::move(field));
}

void CClientForm::removeControl(const PageControl& control) {
    const auto it = fields_.find(&control);
    if (it == fields_.end()) return;
    std::unique_ptr<PageField> field = std::move(it->second);
    fields_.erase(it);
    discard(std::move(field));
}

void CClientForm::removeAllControls() {
    auto fields = std::move(fields_);
    fields_.clear();
    for (auto& [control, field] : fields) discard(std::move(field));
}

PageField* CClientForm::field(const PageControl& control) const {
    const auto it = fields_.find(&control);
    return it == fields_.end() ? nullptr : it->second.get();
}

void CClientForm::discard(std::unique_ptr<PageField> field) {
    QWidget* widget = field->widget();
    field.reset();
    // The widget may be the very button whose press led here: it leaves the form at once and
    // is deleted once its own event handling has returned.
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
}

std::intptr_t CClientForm::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == WM_BUTTON_CODE) {
        sendWindowMessage(target_, WM_BUTTON_CODE, wParam, lParam);
        return 0;
    }
    return WindowMessageHandler::windowMessage(message, wParam, lParam);
}

void CClientForm::paintEvent(QPaintEvent*) { PaintPlainPane(this); }

}  // namespace corvane
