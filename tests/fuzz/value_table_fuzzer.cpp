// The values of a page from one 'D' frame, and the answer text built from them for 'R'.
#include <string>

#include "content/value_table.h"
#include "fuzz_support.h"

using namespace corvane;

// Input: the reply limit a handshake announced, then one 'D' frame's DATA.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size - 1 > fuzz::kMaxFrameData) return 0;
    ValueTable table;
    table.setReplyLimit(data[0]);
    table.fill(data + 1, size - 1);

    std::string expected;
    for (int pos = 0; pos <= ValueTable::kPositions + 1; ++pos) {
        std::string v;
        const bool present = table.value(pos, v);
        FUZZ_CHECK(present == table.present(pos));
        if (!present) continue;
        FUZZ_CHECK(pos >= 1 && pos <= ValueTable::kPositions);
        FUZZ_CHECK(pos >= data[1] && pos <= data[2]);
        FUZZ_CHECK(v.size() < ValueTable::kMaxValueLength);
        FUZZ_CHECK(v.find('|') == std::string::npos && v.find('^') == std::string::npos);
        // The window answers with the values it shows; each is taken only while it fits.
        if (table.addReplyValue(v)) expected += v + "|";
    }
    FUZZ_CHECK(table.replyText() == expected);
    if (!expected.empty()) expected.back() = '^';
    table.closeReply();
    FUZZ_CHECK(table.replyText() == expected);
    // Whatever the handshake announced, a closed reply fits one 'O' frame whole.
    FUZZ_CHECK(table.replyText().size() <= ValueTable::kReplyCapacity);
    FUZZ_CHECK(data[0] < 5 ? table.replyText().empty() : table.replyText().size() <= data[0] - 5u);
    return 0;
}
