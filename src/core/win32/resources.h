// The program's own resources read with the kernel's resource functions
// only: the Win32 part of the core, beneath every other layer.
#pragma once

#include <windows.h>

#include <string>

namespace brimel {

// A resource's bytes in place in the loaded image, never copied; null and 0
// when there is no such resource.
struct ResourceSpan {
    const void* bytes = nullptr;
    DWORD size = 0;
};
ResourceSpan FindResourceBytes(HMODULE module, LPCSTR name, LPCSTR type);

// A string-table entry of the program taken verbatim (never used as a
// format text); empty when the entry does not exist.
std::string LoadResString(UINT id);

}  // namespace brimel
