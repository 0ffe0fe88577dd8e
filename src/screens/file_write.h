#pragma once
// Writing a whole file that the user picked, so that a failure loses nothing: a new file that
// cannot be written whole is removed again, and an existing file is replaced only once its new
// content is complete on disk. Devices and pipes (/dev/full, a FIFO) are written directly.
#include <string>
#include <string_view>

namespace corvane {

// Writes `bytes` as the whole content of the file at `path` (a local 8-bit path; symbolic links
// are followed). Returns 0, or the errno of the step that failed.
int writeWholeFile(const std::string& path, std::string_view bytes);

}  // namespace corvane
