#include "core/text.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(StripTrailingBackslashes(row.in), row.out) << '"' << row.in << '"';
}

}  // namespace
}  // namespace brimel
