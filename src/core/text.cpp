#include "core/text.h"

#include <cstring>

namespace brimel {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string BoundedText(const char* text, size_t capacity) {
    const void* zero = std::memchr(text, 0, capacity);
    return std::string(text, zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : capacity);
}

// Trail bytes of the double-byte code pages never fall on the white-space
// characters, so trimming byte by byte is safe for multi-byte texts.
std::string TrimText(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
    size_t start = 0;
    while (start < end && IsWhiteSpace(text[start])) ++start;
    return text.substr(start, end - start);
}

std::string StripTrailingBackslashes(const std::string& path) {
    size_t end = path.size();
    while (end > 0 && path[end - 1] == '\\') --end;
    return path.substr(0, end);
}

}  // namespace brimel
