// Replacing a file's contents so that a failure never damages what was there.
#pragma once

#include <windows.h>

#include <cstdint>

namespace brimel {

// Writes `size` bytes to `path`, creating or replacing the file, and sets its
// last-write time when `lastWrite` is given. A new file is written in place
// and removed again when the write fails. An existing file is replaced by a
// file written beside it only once that is complete: a full disk or an I/O
// error leaves it as it was. A target that cannot
// be opened for writing (in use, read-only, a folder) fails before anything
// is written.
bool ReplaceFileContents(const char* path, const void* data, uint32_t size,
                         const FILETIME* lastWrite);

}  // namespace brimel
