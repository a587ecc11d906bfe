#include "core/text.h"

#include <cstring>

namespace brimel {

String DecimalText(int value, int width, char pad) {
    char digits[10];
    int count = 0;
    // The magnitude as unsigned, so that the most negative int has one too.
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int length = count + (value < 0 ? 1 : 0);
    String text;
    if (pad != '0' && width > length) text.append(static_cast<size_t>(width - length), ' ');
    if (value < 0) text.push_back('-');
    if (pad == '0' && width > length) text.append(static_cast<size_t>(width - length), '0');
    while (count > 0) text.push_back(digits[--count]);
    return text;
}

String HexText(uint32_t value, int width) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    String text;
    if (width > count) text.append(static_cast<size_t>(width - count), '0');
    while (count > 0) text.push_back(digits[--count]);
    return text;
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

String BoundedText(const char* text, size_t capacity) {
    // An empty buffer may come without an address, which memchr must not see.
    if (capacity == 0) return String();
    const void* zero = std::memchr(text, 0, capacity);
    return String(text, zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : capacity);
}

// Trail bytes of the double-byte code pages never fall on the white-space
// characters, so trimming byte by byte is safe for multi-byte texts.
String TrimText(const String& text) {
    size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
    size_t start = 0;
    while (start < end && IsWhiteSpace(text[start])) ++start;
    return text.substr(start, end - start);
}

namespace {

// Where the character at `at` ends. Characters can only be told apart
// walking forward from the start: a byte's meaning depends on the bytes
// before it. A lead byte cut off at the end stands alone.
size_t NextCharacter(const String& path, size_t at, LeadByteTest isLeadByte) {
    const bool pair = isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(path[at])) &&
                      at + 1 < path.size();
    return at + (pair ? 2 : 1);
}

}  // namespace

String StripTrailingBackslashes(const String& path, LeadByteTest isLeadByte) {
    size_t keep = 0;
    for (size_t at = 0; at < path.size();) {
        const size_t next = NextCharacter(path, at, isLeadByte);
        if (next - at == 2 || path[at] != '\\') keep = next;
        at = next;
    }
    return path.substr(0, keep);
}

bool EndsWithBackslash(const String& path, LeadByteTest isLeadByte) {
    return StripTrailingBackslashes(path, isLeadByte).size() != path.size();
}

String JoinPath(const String& folder, const String& name, LeadByteTest isLeadByte) {
    return StripTrailingBackslashes(folder, isLeadByte) + "\\" + name;
}

String FolderOfPath(const String& path, LeadByteTest isLeadByte) {
    size_t last = String::npos;
    for (size_t at = 0; at < path.size();) {
        const size_t next = NextCharacter(path, at, isLeadByte);
        if (next - at == 1 && path[at] == '\\') last = at;
        at = next;
    }
    return last == String::npos ? String() : path.substr(0, last);
}

}  // namespace brimel
