#include "forms/choose_box.h"

#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "platform/resource_ids.h"
#include "platform/window_messages.h"

namespace corvane {

CChooseBox::CChooseBox(QWidget* parent) : MessageWindow<QWidget>(parent) {
    NoEraseBackground(this);
    hide();  // shown by create(), once placed and filled
}

CChooseBox::~CChooseBox() = default;

bool CChooseBox::create(QWidget* parent, int left, int top, int right, int bottom) {
    if (!parent) return false;
    placement_ = rectLTRB(left, top, right, bottom);
    setParent(parent);
    setGeometry(placement_);
    show();

    const int w = placement_.width(), h = placement_.height();
    valueDisplay_.Create(0, 0, w - 50, h, this, kValueDisplayId);
    changeButton_.Create("Change", kChangeButtonStyle, w - 45, 0, w, h, this, kChangeButtonId);
    changeButton_.SetBackColour(ColourPane);
    changeButton_.SetIcons(IDI_CHANGE_NORMAL, 32, 32, IDI_CHANGE_PRESSED, 32, 32, IDI_CHANGE_HOVER, 32, 32);
    return true;
}

void CChooseBox::setCaption(const std::string& caption) {
    caption_ = caption;
    valueDisplay_.setCaption(caption);
}

void CChooseBox::setItems(std::string_view list) {
    // A new list replaces the old one whole, so no text of an earlier list survives.
    items_.fill({});
    int count = 0;
    for (char c : list) {
        if (c == '^') break;
        if (c == '|') {
            if (++count > kMaxItems - 2) break;
            continue;
        }
        items_[static_cast<std::size_t>(count)].push_back(c);
    }
    itemCount_ = count + 1;
    if (currentItem_ > itemCount_) currentItem_ = 1;
    valueDisplay_.setValue("");
}

void CChooseBox::showItem(int index) {
    currentItem_ = index;
    valueDisplay_.setValue(items_[static_cast<std::size_t>(index - 1)]);
}

void CChooseBox::nextItem() {
    if (itemCount_ <= 1) return;
    showItem(currentItem_ + 1 > itemCount_ ? 1 : currentItem_ + 1);
}

void CChooseBox::selectByText(std::string_view text) {
    for (int k = 1; k <= itemCount_; ++k)
        if (items_[static_cast<std::size_t>(k - 1)] == text) showItem(k);
}

std::string CChooseBox::currentItemText() const { return items_[static_cast<std::size_t>(currentItem_ - 1)]; }

std::intptr_t CChooseBox::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == WM_BUTTON_ADVANCE) {
        nextItem();
        return 0;
    }
    return WindowMessageHandler::windowMessage(message, wParam, lParam);
}

void CChooseBox::paintEvent(QPaintEvent*) { PaintPlainPane(this); }

}  // namespace corvane
