#include "companion_library.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "core/text.h"
#include "sys/code_page.h"

namespace brimel::product {
namespace {

// The library's export, declared for its type.
extern "C" const char* __stdcall BrimelCoreVersion();

HMODULE LoadBeside(const String& programFolder) {
    // A bare name would be looked for along the search path.
    if (programFolder.empty()) return nullptr;
    const String path = JoinPath(programFolder, "BC.dll", IsSystemLeadByte);
    // A damaged file is reported in the status line, not by the system.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.c_str());
    SetErrorMode(previousMode);
    return module;
}

// The zero-terminated text that the library hands out, read only within the
// readable section of its own image that holds it: a broken library cannot
// make the messenger read beyond it. The loader checked the image's headers
// when it mapped it. False when the text is not there.
bool ReadImageText(HMODULE module, const char* text, String* out) {
    const uintptr_t base = reinterpret_cast<uintptr_t>(module);
    const uintptr_t at = reinterpret_cast<uintptr_t>(text);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
        const uintptr_t start = base + section->VirtualAddress;
        const uintptr_t end = start + section->Misc.VirtualSize;
        if ((section->Characteristics & IMAGE_SCN_MEM_READ) == 0 || at < start || at >= end) continue;
        const void* zero = std::memchr(text, 0, end - at);
        if (zero == nullptr) return false;
        *out = String(text, static_cast<const char*>(zero) - text);
        return true;
    }
    return false;
}

}  // namespace

CompanionLibrary::CompanionLibrary(const String& programFolder) : library_(LoadBeside(programFolder)) {
    const auto version = library_.Export<decltype(&BrimelCoreVersion)>("BrimelCoreVersion");
    if (!library_) {
        status_ = "Brimel Core library (BC.dll) could not be loaded";
    } else if (version == nullptr || !ReadImageText(library_.Get(), version(), &status_)) {
        status_ = "Brimel Core library (BC.dll) has no version entry";
    }
}

}  // namespace brimel::product
