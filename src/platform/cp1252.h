#pragma once
// Texts from the unit are single-byte Windows-1252. They are kept as raw bytes and decoded only
// for display; every text read back for the unit is encoded again byte for byte.
#include <QString>

#include <string>
#include <string_view>

namespace corvane {

// Every byte value maps to one character; the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number, so that
// decoding and encoding again gives back every byte unchanged.
QString decodeCp1252(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'.
std::string encodeCp1252(QStringView text);

}  // namespace corvane
