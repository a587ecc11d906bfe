// The one argument of the bench programs: the folder that stands in for the
// Program Files folder, returned with exactly one trailing backslash.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

inline std::string TargetFolderArgument(const char* commandTail) {
    std::string text = commandTail ? commandTail : "";
    const size_t first = text.find_first_not_of(" \t\"");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t\"");
    text = text.substr(first, last - first + 1);
    while (!text.empty() && text.back() == '\\') text.pop_back();
    return text.empty() ? text : text + "\\";
}

}  // namespace bench
