#include "core/win32/resources.h"

namespace brimel {

ResourceSpan FindResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    ResourceSpan span;
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return span;
    span.bytes = bytes;
    span.size = SizeofResource(module, found);
    return span;
}

std::string LoadResString(UINT id) {
    // The table holds blocks of sixteen counted UTF-16 strings, block n + 1
    // holding the ids 16n to 16n + 15.
    const ResourceSpan block = FindResourceBytes(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id / 16 + 1),
                                                 MAKEINTRESOURCEA(6) /* RT_STRING */);
    const WCHAR* text = static_cast<const WCHAR*>(block.bytes);
    if (text == nullptr) return std::string();
    const WCHAR* end = text + block.size / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0 && text < end; --skip) text += 1 + *text;
    if (text >= end || *text == 0 || text + 1 + *text > end) return std::string();
    const int length = *text++;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], bytes, nullptr, nullptr);
    return result;
}

}  // namespace brimel
