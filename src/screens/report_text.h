#pragma once
// The text of a report, composed from the unit's layout bytes and what the open page's controls
// show at this moment. Each layout byte is a separator or the id of a control of the page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/menu_record.h"
#include "content/report_buffer.h"
#include "forms/client_form.h"

namespace corvane {

struct ReportLayoutByte {
    static constexpr std::uint8_t kEnd = 0;
    static constexpr std::uint8_t kLineBreak = 254;  // CR LF
    static constexpr std::uint8_t kSpace = 253;      // " "
    static constexpr std::uint8_t kColon = 252;      // ": "
};

struct ComposedReport {
    std::string text;             // raw single-byte text, written to the file as it is
    std::size_t layoutBytes = 0;  // layout bytes read; 0 means there is nothing to save
};

// Reads the layout from its start, at most ReportBuffer::kCapacity bytes. `page` is the current
// page, or null while none is open (every id then inserts nothing); `form` shows its fields. An
// id inserts the report text of the first control with that id (PageField::reportText), nothing
// when that control has no field.
ComposedReport composeReport(ReportBuffer& layout, const MenuPage* page, const CClientForm& form);

}  // namespace corvane
