#include "core/text.h"

#include <cstring>

namespace brimel {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string BoundedText(const char* text, size_t capacity) {
    // An empty buffer may come without an address, which memchr must not see.
    if (capacity == 0) return std::string();
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

std::string StripTrailingBackslashes(const std::string& path, LeadByteTest isLeadByte) {
    // Characters can only be told apart walking forward from the start: a
    // byte's meaning depends on the bytes before it.
    size_t keep = 0;
    size_t at = 0;
    while (at < path.size()) {
        const bool pair = isLeadByte != nullptr &&
                          isLeadByte(static_cast<unsigned char>(path[at])) &&
                          at + 1 < path.size();
        const size_t next = at + (pair ? 2 : 1);
        if (pair || path[at] != '\\') keep = next;
        at = next;
    }
    return path.substr(0, keep);
}

}  // namespace brimel
