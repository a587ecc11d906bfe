// Replacing a file's contents so that a failure never damages what was there.
#pragma once

#include <windows.h>

#include <cstdint>

namespace brimel {

// Writes `size` bytes to `path`, creating or replacing the file, and sets its
// last-write time when `lastWrite` is given. A new file is written in place
// and removed again when the write fails. An existing file is replaced by a
// file written beside it only once that is complete: a full disk or an I/O
// error leaves it as it was. The replacement keeps the old file's attributes
// and creation time. Where the swap is refused because another program holds
// the file open sharing writing but not deletion (or the folder allows no
// replacing), the file is rewritten in place, as an overwrite would, with its
// old contents put back if the new ones cannot be written whole. A target
// that cannot be opened for writing (in use, read-only, a folder) fails
// before anything is written.
bool ReplaceFileContents(const char* path, const void* data, uint32_t size,
                         const FILETIME* lastWrite);

}  // namespace brimel
