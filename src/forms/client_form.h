#pragma once
// CClientForm: the surface a menu page is built on. Every PageControl of the open page becomes
// one page field (forms/page_field.h) whose widget is a child of the form, placed on a 5-pixel
// grid; the form holds the fields. A page button's code (WM_BUTTON_CODE) is passed on unchanged
// to the target window, which hands it to the unit.
#include "content/menu_record.h"
#include "forms/page_field.h"
#include "platform/window_message.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>
#include <unordered_map>

namespace corvane {

class CClientForm : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    static constexpr int kGrid = 5;
    static constexpr int kWindowIdBase = 2000;  // a control's window id is its id + 2000

    explicit CClientForm(QWidget* parent = nullptr);
    ~CClientForm() override;

    // Makes the control's field when it has none yet; a type letter without a kind makes none.
    void addControl(const PageControl& control);
    // Takes the control's field off the form, if it has one.
    void removeControl(const PageControl& control);
    // Takes every field off the form.
    void removeAllControls();
    // The field that shows the control, or null while it has none.
    PageField* field(const PageControl& control) const;
    std::size_t fieldCount() const { return fields_.size(); }

    void setTarget(QObject* target) { target_ = target; }
    QObject* target() const { return target_; }

    // The pixel rectangle of a control's grid geometry.
    static QRect controlRect(const PageControl& control);
    // The window id given to a field's widget, or -1 for another widget.
    static int windowIdOf(const QWidget* window);

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void discard(std::unique_ptr<PageField> field);

    QPointer<QObject> target_;
    // Keyed by the record each field shows; the records outlive their fields.
    std::unordered_map<const PageControl*, std::unique_ptr<PageField>> fields_;
};

}  // namespace corvane
