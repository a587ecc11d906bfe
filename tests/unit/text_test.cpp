#include "core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "string_printer.h"

namespace brimel {
namespace {

TEST(TrimText, RemovesWhiteSpaceAtBothEndsOnly) {
    const struct { String in, out; } table[] = {
        {"", ""},
        {"A", "A"},
        {" A ", "A"},
        {" \t\n\v\f\rA", "A"},
        {"A \t\n\v\f\r", "A"},
        {"\r\f\v\n\t A B\t\n\v\f\r ", "A B"},
        {" \t\n\v\f\r", ""},
        {"      ", ""},
        {"a \t b", "a \t b"},
        {"\x01" "A\x01", "\x01" "A\x01"},  // control characters are not white space
        {"\xA0" "A\xA0", "\xA0" "A\xA0"},  // nor is a code page's no-break space
        {"\x82\xA0 ", "\x82\xA0"},         // a double-byte character keeps its trail byte
    };
    for (const auto& row : table) EXPECT_EQ(TrimText(row.in), row.out) << '"' << row.in << '"';
}

TEST(TrimText, KnowsExactlySixWhiteSpaceCharacters) {
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool white = IsWhiteSpace(ch);
        count += white;
        EXPECT_EQ(TrimText(String(1, ch)).empty(), white) << "character " << c;
    }
    EXPECT_EQ(count, 6);
}

// Lead bytes of code page 932 (Japanese): 0x81-0x9F and 0xE0-0xFC.
bool IsLeadByte932(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLeadBytes(unsigned char) { return false; }

TEST(BoundedText, EndsAtTheFirstZeroOrTheBuffersEnd) {
    const struct { const char* bytes; size_t capacity; String out; } table[] = {
        {"abc", 3, "abc"},          // no zero within the buffer
        {"ab\0c", 4, "ab"},
        {"\0abc", 4, ""},
        {"abc", 0, ""},
        {nullptr, 0, ""},           // found by fuzzing: an empty buffer without an address
    };
    for (const auto& row : table)
        EXPECT_EQ(BoundedText(row.bytes, row.capacity), row.out) << row.capacity;
}

TEST(StripTrailingBackslashes, RemovesOnlyTheBackslashesAtTheEnd) {
    const struct { String in, out; } table[] = {
        {"", ""},
        {"\\", ""},
        {"\\\\\\", ""},
        {"C:\\Desktop\\\\", "C:\\Desktop"},
        {"C:\\Desktop\\", "C:\\Desktop"},
        {"C:\\Desktop", "C:\\Desktop"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"C:\\Desktop\\ ", "C:\\Desktop\\ "},  // a blank after the backslash is kept
        {"C:/Desktop/", "C:/Desktop/"},        // only backslashes count
    };
    for (const auto& row : table)
        EXPECT_EQ(StripTrailingBackslashes(row.in, NoLeadBytes), row.out) << '"' << row.in << '"';
}

TEST(StripTrailingBackslashes, KeepsDoubleByteCharactersWhoseSecondByteIsABackslash) {
    // In code page 932 "\x95\x5C" is one character (a kanji) and "\x83\x5C"
    // another (katakana SO): their second byte is not a backslash of its own.
    const struct { String in, out; } table[] = {
        {"C:\\\x95\x5C", "C:\\\x95\x5C"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C"},
        {"C:\\\x83\x5C\\\\", "C:\\\x83\x5C"},
        {"\x83\x5C", "\x83\x5C"},
        {"\x83\x5C\x5C", "\x83\x5C"},
        {"C:\\\x41\x5C", "C:\\\x41"},          // 0x41 leads nothing
        {"C:\\\xA0\x5C", "C:\\\xA0"},          // nor does half-width 0xA0
        {"\x95\x95\x5C", "\x95\x95"},            // the lead byte pairs with 0x95
        {"\x95\x95\x95\x5C", "\x95\x95\x95\x5C"},
        {"C:\\\x95", "C:\\\x95"},               // a lead byte cut off at the end
        {"\\\\", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(StripTrailingBackslashes(row.in, IsLeadByte932), row.out) << '"' << row.in << '"';
}

TEST(EndsWithBackslash, CountsOnlyAWholeBackslashCharacter) {
    // A Program Files folder named in katakana can end in "\x83\x5C": it
    // needs a backslash before a file name is joined to it.
    const struct { String in; bool ends; } table[] = {
        {"C:\\Programme\\", true}, {"C:\\Programme", false}, {"", false}, {"\\", true},
        {"C:\\\x83\x5C", false}, {"C:\\\x83\x5C\\", true}, {"C:\\\x41\x5C", true},
    };
    for (const auto& row : table)
        EXPECT_EQ(EndsWithBackslash(row.in, IsLeadByte932), row.ends) << '"' << row.in << '"';
}

TEST(JoinPath, PutsOneWholeBackslashBetweenFolderAndName) {
    // A Program Files folder named in code page 932 can end in katakana SO,
    // 0x83 0x5C: its last byte is no backslash of its own, so one is added.
    const struct { String folder, name, joined; } table[] = {
        {"C:\\Program Files\\\x83\x5C", "Brimel", "C:\\Program Files\\\x83\x5C\\Brimel"},
        {"C:\\Program Files\\\x83\x5C\\", "Brimel", "C:\\Program Files\\\x83\x5C\\Brimel"},
        {"C:\\Program Files\\", "Brimel", "C:\\Program Files\\Brimel"},
    };
    for (const auto& row : table)
        EXPECT_EQ(JoinPath(row.folder, row.name, IsLeadByte932), row.joined) << '"' << row.folder << '"';
}

TEST(FolderOfPath, EndsAtTheLastWholeBackslash) {
    const struct { String in, out; } table[] = {
        {"C:\\\x83\x5C\\Brimel.exe", "C:\\\x83\x5C"}, {"C:\\\x83\x5C.exe", "C:"},
        {"C:\\Brimel.exe", "C:"}, {"Brimel.exe", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(FolderOfPath(row.in, IsLeadByte932), row.out) << '"' << row.in << '"';
}

// The installer's own number formatting writes what printf would.
TEST(Text, NumbersAreWrittenAsPrintfWritesThem) {
    const int values[] = {0, 1, 7, 9, 10, 40, 99, 100, 999, 1000, 123456, 999999, 1000000,
                          20061019, -1, -9, -10, -99999, -100000, INT_MAX, INT_MIN};
    const struct { int width; char pad; const char* format; } styles[] = {
        {0, ' ', "%d"}, {3, '0', "%03d"}, {6, '0', "%06d"}, {8, ' ', "%8d"}, {12, ' ', "%12d"},
    };
    for (int value : values) {
        for (const auto& style : styles) {
            char expected[32];
            std::snprintf(expected, sizeof expected, style.format, value);
            EXPECT_EQ(DecimalText(value, style.width, style.pad), expected) << style.format << " " << value;
        }
    }
    const uint32_t hexValues[] = {0, 1, 0x9, 0xA, 0x409, 0x4E4, 0xFFFF, 0x10000, 0xABCDEF12, 0xFFFFFFFF};
    for (uint32_t value : hexValues) {
        for (int width : {0, 4, 8}) {
            char expected[32];
            std::snprintf(expected, sizeof expected, "%0*x", width, value);
            EXPECT_EQ(HexText(value, width), expected) << width << " " << value;
        }
    }
}

}  // namespace
}  // namespace brimel
