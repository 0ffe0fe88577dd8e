// A file travelling through the link: the 'N' header, the 'E' chunks that fill the store, the
// 'F' chunks read back and the header built for the unit's 'G'.
#include <cstring>
#include <string>
#include <vector>

#include "content/transfer_record.h"
#include "fuzz_support.h"

using namespace corvane;

namespace {
constexpr std::size_t kMaxReplyData = 246;  // the most DATA a reply carries
}

// Input: reply limit, header length, the 'N' header's DATA, then the file's bytes (cut into
// frames as fuzz::forEachFrame does).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint32_t limit = data[0];
    const std::size_t headerLength = std::min<std::size_t>({data[1], fuzz::kMaxFrameData, size - 2});
    const std::uint8_t* header = data + 2;
    const std::uint8_t* body = header + headerLength;
    const std::size_t bodySize = size - 2 - headerLength;

    static TransferRecord record;  // 384 KiB: kept between runs, as the link keeps it
    record.parseHeader(header, headerLength);
    FUZZ_CHECK(record.fileName().size() <= TransferRecord::kMaxNameLength);
    FUZZ_CHECK(record.fileName().find('|') == std::string::npos);
    FUZZ_CHECK(record.readPosition() == 0);

    record.emptyStore();
    std::vector<std::uint8_t> file;
    fuzz::forEachFrame(body, bodySize, [&](const std::uint8_t* p, std::size_t n, bool) {
        record.append(p, n);
        file.insert(file.end(), p, p + n);
    });
    FUZZ_CHECK(record.held() == std::min(file.size(), TransferRecord::kCapacity));

    // Read back in the chunks an 'F' reply carries.
    const std::size_t capacity = limit > 4 ? std::min<std::size_t>(limit - 4, kMaxReplyData) : 0;
    std::uint8_t chunk[kMaxReplyData];
    std::size_t read = 0;
    for (;;) {
        const std::size_t n = record.takeChunk(chunk, capacity);
        FUZZ_CHECK(n <= capacity);
        if (n == 0) break;
        FUZZ_CHECK(std::memcmp(chunk, file.data() + read, n) == 0);
        read += n;
    }
    FUZZ_CHECK(read == (capacity ? record.held() : 0));

    std::uint8_t out[kMaxReplyData];
    for (std::size_t maxBytes : {kMaxReplyData, static_cast<std::size_t>(limit % 8)}) {
        const std::size_t n = record.buildHeader(out, maxBytes, limit);
        FUZZ_CHECK(n <= maxBytes);
        FUZZ_CHECK(n == 0 ? maxBytes == 0 : out[n - 1] == '^');
        if (n > 1) {
            FUZZ_CHECK(record.fileName().size() + 5 < limit);
            FUZZ_CHECK(std::memcmp(out, record.fileName().data(), record.fileName().size()) == 0);
            FUZZ_CHECK(out[record.fileName().size()] == '|');
        }
        FUZZ_CHECK(record.readPosition() == 0);
    }

    // The same bytes loaded from the PC's disk under the header's name.
    const bool loaded = record.load(file.data(), file.size(), record.fileName());
    FUZZ_CHECK(loaded == (file.size() <= TransferRecord::kCapacity));
    if (loaded) {
        FUZZ_CHECK(record.held() == file.size());
        FUZZ_CHECK(record.announcedSize() == static_cast<std::int32_t>(file.size()));
    }
    return 0;
}
