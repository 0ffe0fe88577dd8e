#include "screens/report_text.h"

#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "forms/choose_box.h"
#include "forms/form_fields.h"

namespace corvane {

namespace {
const PageControl* firstControlWithId(const MenuPage* page, std::uint8_t id) {
    if (!page) return nullptr;
    for (const auto& control : page->controls)
        if (control->id == id) return control.get();
    return nullptr;
}
}  // namespace

std::string reportContents(const PageControl& control) {
    QWidget* window = control.window;
    if (!window) return {};
    switch (control.type) {
        case 'c':
            if (auto* box = qobject_cast<CChooseBox*>(window))
                return box->captionText() + ": " + box->currentItemText();
            break;
        case 's':
            if (auto* box = qobject_cast<CCorvShowBox*>(window)) return box->Caption() + ": " + box->Value();
            break;
        case 'e':
            if (auto* edit = qobject_cast<CFormEdit*>(window)) return edit->textBytes();
            break;
        case 'x':
            if (auto* memo = qobject_cast<CFormMemo*>(window)) return memo->textBytes();
            break;
        case 't':
            if (auto* label = qobject_cast<CCorvStatic*>(window)) return label->text();
            break;
        case 'l':
            if (auto* list = qobject_cast<CFormListBox*>(window)) return list->selectedTextBytes();
            break;
        default: break;
    }
    return {};
}

ComposedReport composeReport(ReportBuffer& layout, const MenuPage* page) {
    ComposedReport report;
    layout.rewind();
    while (report.layoutBytes < ReportBuffer::kCapacity) {
        const std::uint8_t byte = layout.nextByte();
        if (byte == ReportLayoutByte::kEnd) break;
        switch (byte) {
            case ReportLayoutByte::kLineBreak: report.text += "\r\n"; break;
            case ReportLayoutByte::kSpace: report.text += ' '; break;
            case ReportLayoutByte::kColon: report.text += ": "; break;
            default:
                if (const PageControl* control = firstControlWithId(page, byte))
                    report.text += reportContents(*control);
                break;
        }
        ++report.layoutBytes;
    }
    return report;
}

}  // namespace corvane
