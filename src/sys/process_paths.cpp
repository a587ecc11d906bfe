#include "sys/process_paths.h"

#include <windows.h>

namespace brimel {
namespace {

// The text a system function writes into a buffer of MAX_PATH characters;
// empty when it wrote nothing or needed more room.
template <class Fill>
String SystemText(Fill fill) {
    char buffer[MAX_PATH + 1];
    const DWORD length = fill(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? String(buffer, length) : String();
}

}  // namespace

String OwnProgramPath() {
    return SystemText([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

String TemporaryFolder() {
    return SystemText([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

}  // namespace brimel
