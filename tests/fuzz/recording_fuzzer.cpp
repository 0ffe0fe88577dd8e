// The recording reader of corvane --plot: whatever bytes a file holds, and wherever the pieces it
// is read in end, it reads as if whole, and within its bounds.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "readings/readings_csv.h"

using namespace corvane;

namespace {
struct ReadBack {
    std::vector<ReadingColumn> columns;
    std::vector<std::pair<qint64, std::vector<std::string>>> rows;
    RecordingReader::Result result;
    bool columnsOnce = true;
};

ReadBack readIn(std::string_view bytes, std::size_t piece) {
    ReadBack r;
    int headers = 0;
    RecordingReader reader;
    reader.columns = [&](const std::vector<ReadingColumn>& columns) {
        r.columns = columns;
        ++headers;
    };
    reader.row = [&](qint64 time, const std::vector<std::string_view>& values) {
        std::vector<std::string> texts(values.begin(), values.end());
        r.rows.emplace_back(time, std::move(texts));
    };
    r.result = reader.parse(QStringLiteral("f.csv"), bytes, piece);
    r.columnsOnce = headers <= 1;
    return r;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t piece = data[0] % 64 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const ReadBack whole = readIn(bytes, RecordingReader::kPieceBytes);
    const ReadBack pieces = readIn(bytes, piece);

    FUZZ_CHECK(whole.columnsOnce && pieces.columnsOnce);
    FUZZ_CHECK(whole.columns.size() <= RecordingReader::kMaxReadings);
    FUZZ_CHECK(whole.result.faults.size() <= RecordingReader::kMaxFaults);
    FUZZ_CHECK(whole.columns == pieces.columns);
    FUZZ_CHECK(whole.rows == pieces.rows);
    FUZZ_CHECK(whole.result.faults == pieces.result.faults);
    FUZZ_CHECK(whole.result.notes == pieces.result.notes);
    return 0;
}
