#pragma once
// The files the unit moves through the PC: reading a file the user picked for the unit (never
// more than the transfer store holds), writing the bytes the unit sent to the file the user
// picked (an existing file is replaced only once the new bytes are safely written), and the
// unit's proposed name made safe to offer in a save dialog.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct FileForUnit {
    enum class Outcome { Loaded, TooLong, Failed };
    Outcome outcome = Outcome::Failed;
    std::vector<std::uint8_t> bytes;
    // For Failed: what went wrong, naming the file (raw Windows-1252 bytes).
    std::string error;
};

// Reads the file when it holds at most `limit` bytes. The decision is taken by reading at most
// one byte more than the limit, so a file that grows after it was chosen is still refused.
// Only regular files are read (a pipe or device could block or never end).
FileForUnit readFileForUnit(const QString& path, std::size_t limit);

// Writes the bytes to `path` with writeWholeFile: an existing file is replaced only once the
// new bytes are safely written, a file the user may not write and another user's symbolic
// link are refused. Returns an empty string on success, otherwise the reason, naming the file
// (raw Windows-1252 bytes).
std::string writeFileFromUnit(const QString& path, const std::uint8_t* data, std::size_t size);

// The unit's proposed file name (raw Windows-1252 bytes) as a plain name to offer: no folders,
// no "..", no control (C0, DEL, C1) or path characters, not hidden, at most 255 bytes in the
// file system's encoding; `fallback` when nothing is left.
QString safeFileName(const std::string& proposed, const QString& fallback = QStringLiteral("unit-file"));
// The same rules for a name typed by the user (a workshop job's folder): path characters and
// controls taken out, no leading or trailing dots and blanks, at most 255 bytes.
QString safePlainName(const QString& name, const QString& fallback);
// The extension to add when the user types none: letters and digits of the unit's extension,
// only when its proposed name had one; empty otherwise.
QString safeDefaultSuffix(const std::string& proposedName, const std::string& extension);

// A file from the unit is saved only when exactly the announced number of bytes arrived. For
// one that did not: what the user is told, naming the file (the unit's name, raw bytes), what
// was announced and what is missing or too much; an empty string for a whole file.
std::string incompleteFileNotice(const std::string& name, std::int64_t announced, std::size_t held,
                                 std::size_t capacity);

}  // namespace corvane
