#pragma once
// Writing a whole file that the user picked, so that a failure loses nothing: a new file that
// cannot be written whole is removed again, and an existing file is replaced only once its new
// content is complete on disk. Devices and pipes (/dev/full, a FIFO) are written directly.
//
// The target is also checked the way a shared folder needs: a file the user may not write is
// refused (replacing it would need only the folder's permission), and a symbolic link, at the
// file's place or as a folder on its way, is followed only when it belongs to the user, so a
// link that another user planted cannot send the bytes over a file elsewhere.
#include <string>
#include <string_view>

namespace corvane {

// Not errnos: the target is a symbolic link that belongs to another user, or a folder on the
// way to it is.
inline constexpr int kForeignLink = -1;
inline constexpr int kForeignFolderLink = -2;

// Writes `bytes` as the whole content of the file at `path` (a local 8-bit path). Returns 0,
// kForeignLink, kForeignFolderLink, or the errno of the step that failed.
int writeWholeFile(const std::string& path, std::string_view bytes);

// The reason for a failed writeWholeFile in the user's language (UTF-8), ready to show after the
// file's name.
std::string fileWriteReason(int error);

}  // namespace corvane
