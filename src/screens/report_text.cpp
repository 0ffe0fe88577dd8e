#include "screens/report_text.h"

namespace corvane {

namespace {
const PageControl* firstControlWithId(const MenuPage* page, std::uint8_t id) {
    if (!page) return nullptr;
    for (const auto& control : page->controls)
        if (control->id == id) return control.get();
    return nullptr;
}
}  // namespace

ComposedReport composeReport(ReportBuffer& layout, const MenuPage* page, const CClientForm& form) {
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
                if (const PageControl* control = firstControlWithId(page, byte)) {
                    if (const PageField* field = form.field(*control)) report.text += field->reportText();
                }
                break;
        }
        ++report.layoutBytes;
    }
    return report;
}

}  // namespace corvane
