// The one argument of the bench programs: the folder that stands in for the
// Program Files folder, with exactly one trailing backslash. Plain characters,
// so that program A links no string type the installer does not.
#pragma once

#include <windows.h>

namespace bench {

// Writes the folder to `folder`; false when there is none or it does not fit.
inline bool TargetFolderArgument(const char* commandTail, char (&folder)[MAX_PATH]) {
    const char* text = commandTail ? commandTail : "";
    auto skipped = [](char c) { return c == ' ' || c == '\t' || c == '"'; };
    while (*text && skipped(*text)) ++text;
    int length = lstrlenA(text);
    while (length > 0 && skipped(text[length - 1])) --length;
    while (length > 0 && text[length - 1] == '\\') --length;
    if (length == 0 || length + 2 > MAX_PATH) return false;
    CopyMemory(folder, text, length);
    folder[length] = '\\';
    folder[length + 1] = '\0';
    return true;
}

}  // namespace bench
