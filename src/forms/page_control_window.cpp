#include "forms/page_control_window.h"
#include "controls/skin_font.h"

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "controls/palette.h"
#include "forms/choose_box.h"
#include "forms/control_text.h"
#include "forms/form_fields.h"

#include <QPalette>

#include <algorithm>

namespace corvane {

namespace {

const QColor kEditBack{230, 230, 230};
const QColor kMemoBack{180, 180, 180};

void setFieldColours(QWidget* field, const QColor& back) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
}

// An icon button lower or narrower than its icon (a unit may give it the size of a text
// button) would show a clipped picture and no word: there the icon shrinks to fit inside the
// frame, and the caption goes beside it when the button is wide enough to hold some text.
struct PageIcon {
    int size = kPageButtonIconSize;
    bool captionBeside = false;
};

PageIcon fitPageIcon(const QRect& r, bool hasCaption) {
    constexpr int kFrame = 2, kCaptionGap = 10, kMinCaptionWidth = 40;
    PageIcon fit;
    if (r.width() >= kPageButtonIconSize && r.height() >= kPageButtonIconSize) return fit;
    fit.size = std::max(std::min(r.width(), r.height()) - 2 * kFrame, 0);
    fit.captionBeside = hasCaption && r.width() - fit.size - kCaptionGap >= kMinCaptionWidth;
    return fit;
}

QWidget* createButton(const PageControl& control, const ControlText& text, const QRect& r, QWidget* form,
                      int windowId) {
    auto* button = new CCorvButton();
    const PageIcon fit = fitPageIcon(r, !text.caption.empty());
    unsigned style = pageButtonStyle(control.style);
    if (control.style != 0 && fit.captionBeside) style |= ButtonStyle::IconBesideText;
    button->Create(text.caption, style, r.left(), r.top(), r.right() + 1, r.bottom() + 1, form, windowId);
    if (control.style != 0) {
        const int icon = static_cast<int>(control.icon);
        const int size = fit.size;
        button->SetIcons(icon, size, size, icon, size, size, icon, size, size);
        button->SetBackColour(ColourPane);
    }
    button->SetNotifyCode(static_cast<int>(control.code));
    return button;
}

QWidget* createChooseBox(const ControlText& text, const QRect& r, QWidget* form) {
    auto* box = new CChooseBox(form);
    box->create(form, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    box->setCaption(text.caption);
    box->setItems(text.list);
    return box;
}

QWidget* createEdit(const QRect& r, QWidget* form) {
    auto* edit = new CFormEdit(form);
    edit->setFrame(false);
    setFieldColours(edit, kEditBack);
    edit->setFont(skinFont(QStringLiteral("Arial"), 22, 12));
    edit->setGeometry(r);
    edit->show();
    return edit;
}

QWidget* createList(const QRect& r, QWidget* form) {
    auto* list = new CFormListBox(form);
    list->setFrameStyle(QFrame::Box | QFrame::Plain);
    list->setLineWidth(1);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setGeometry(r);
    list->show();
    return list;
}

QWidget* createProgress(const QRect& r, QWidget* form) {
    auto* progress = new CCorvProgress();
    progress->Create(r.left(), r.top(), r.right() + 1, r.bottom() + 1, form);
    progress->show();
    return progress;
}

QWidget* createShowBox(const ControlText& text, const QRect& r, QWidget* form, int windowId) {
    auto* box = new CCorvShowBox();
    box->Create(r.left(), r.top(), r.right() + 1, r.bottom() + 1, form, windowId);
    box->SetCaption(text.caption);
    box->SetValue("");
    return box;
}

QWidget* createStatic(const ControlText& text, const QRect& r, QWidget* form, int windowId) {
    auto* label = new CCorvStatic();
    label->Create(text.caption, r.left(), r.top(), r.right() + 1, r.bottom() + 1, form, windowId);
    return label;
}

QWidget* createMemo(const QRect& r, QWidget* form) {
    auto* memo = new CFormMemo(form);
    memo->setReadOnly(true);
    memo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    memo->setLineWidth(1);
    setFieldColours(memo, kMemoBack);
    memo->setFont(skinFont(QStringLiteral("Arial"), 18, 12));
    memo->setGeometry(r);
    memo->show();
    return memo;
}

}  // namespace

unsigned pageButtonStyle(std::uint8_t styleByte) {
    if (styleByte == 0) return ButtonStyle::PlainFace | ButtonStyle::NotifyCode;
    return ButtonStyle::NotifyCode | ButtonStyle::IconFace | ButtonStyle::Framed;
}

QWidget* createPageControlWindow(const PageControl& control, const QRect& rect, QWidget* form, int windowId) {
    const ControlText text = splitControlText(control.text);
    switch (control.type) {
        case 'b': return createButton(control, text, rect, form, windowId);
        case 'c': return createChooseBox(text, rect, form);
        case 'e': return createEdit(rect, form);
        case 'l': return createList(rect, form);
        case 'p': return createProgress(rect, form);
        case 's': return createShowBox(text, rect, form, windowId);
        case 't': return createStatic(text, rect, form, windowId);
        case 'x': return createMemo(rect, form);
        default: return nullptr;
    }
}

}  // namespace corvane
