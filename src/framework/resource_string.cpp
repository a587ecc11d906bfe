#include "framework/resource_string.h"

namespace brimel {

std::string LoadResString(UINT id) {
    // Read straight from the program's string table, with the kernel's
    // resource functions only: the table holds blocks of sixteen counted
    // UTF-16 strings, block n + 1 holding the ids 16n to 16n + 15.
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC block = FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6) /* RT_STRING */);
    HGLOBAL loaded = block ? LoadResource(module, block) : nullptr;
    const WCHAR* text = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (text == nullptr) return std::string();
    const WCHAR* end = text + SizeofResource(module, block) / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0 && text < end; --skip) text += 1 + *text;
    if (text >= end || *text == 0 || text + 1 + *text > end) return std::string();
    const int length = *text++;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], bytes, nullptr, nullptr);
    return result;
}

}  // namespace brimel
