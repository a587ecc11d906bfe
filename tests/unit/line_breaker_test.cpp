#include "core/line_breaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimel {
namespace {

// Every character is one unit wide, except 'W', which is two.
class UnitMeasure : public TextMeasure {
public:
    int32_t Width(const char* text, size_t length) override {
        int32_t width = 0;
        for (size_t i = 0; i < length; ++i) width += text[i] == 'W' ? 2 : 1;
        return width;
    }
};

// The pieces painted from `at`, written "text@line,x" and joined with '|'.
std::string Paint(const std::string& text, int32_t width, LinePosition& at) {
    UnitMeasure measure;
    Array<LinePiece> pieces;
    BreakRun(text.c_str(), text.size(), BreakMode::AfterSpaces, LineBox{0, width}, measure, at, pieces);
    std::string drawn;
    for (const LinePiece& p : pieces) {
        if (!drawn.empty()) drawn += "|";
        drawn += text.substr(p.begin, p.length) + "@" + std::to_string(p.line) + "," + std::to_string(p.x);
    }
    return drawn;
}

TEST(LineBreaker, PaintingBreaksAfterTheLastSpaceThatFits) {
    const struct {
        const char* what;
        LinePosition from;
        std::string text;
        int32_t width;
        const char* drawn;
        int32_t endLine, endX;
    } cases[] = {
        {"after the last fitting space", {0, 0}, "aa bb cc", 5, "aa bb@0,0|cc@1,0", 1, 2},
        {"a word exactly as wide as the line", {0, 0}, "aaaaa b", 5, "aaaaa@0,0|b@1,0", 1, 1},
        {"a word wider than the control", {0, 0}, "abcdefgh", 3, "abc@0,0|def@1,0|gh@2,0", 2, 2},
        {"a wide character overflows", {0, 0}, "aWb", 3, "aW@0,0|b@1,0", 1, 1},
        {"a single character wider than the line", {0, 0}, "W", 1, "W@0,0", 1, 0},
        {"the breaking space is not drawn", {0, 0}, "ab cd", 3, "ab@0,0|cd@1,0", 1, 2},
        {"an empty line between two words", {0, 0}, "word\n\nword", 10, "word@0,0|word@2,0", 2, 4},
        {"nothing after a final newline", {0, 0}, "word\n", 10, "word@0,0", 1, 0},
        {"a run continuing a line has less room", {0, 7}, "cd ef", 10, "cd@0,7|ef@1,0", 1, 2},
        {"a leading newline returns to the left", {0, 4}, "\nab", 10, "ab@1,0", 1, 2},
    };
    for (const auto& c : cases) {
        LinePosition at = c.from;
        EXPECT_EQ(Paint(c.text, c.width, at), c.drawn) << c.what;
        EXPECT_EQ(at.line, c.endLine) << c.what;
        EXPECT_EQ(at.x, c.endX) << c.what << ": where the next run goes on";
    }
}

TEST(LineBreaker, CountingBreaksAtCharacters) {
    const struct {
        const char* what;
        std::string text;
        int32_t width;
        int32_t lines;
        int32_t paintedLines;
    } cases[] = {
        {"empty text", "", 5, 1, 0},
        {"one line", "abc", 5, 1, 1},
        {"an empty line between two words", "word\n\nword", 10, 3, 3},
        {"a final newline counts one more", "word\n", 10, 2, 1},
        {"spaces fill the line: fewer lines than painted", "aa bbbbb cc", 6, 2, 3},
    };
    for (const auto& c : cases) {
        UnitMeasure measure;
        EXPECT_EQ(CountTextLines(c.text.c_str(), c.text.size(), c.width, measure), c.lines) << c.what;
        LinePosition at;
        const std::string drawn = Paint(c.text, c.width, at);
        const int32_t painted = drawn.empty() ? 0 : std::stoi(drawn.substr(drawn.rfind('@') + 1)) + 1;
        EXPECT_EQ(painted, c.paintedLines) << c.what;
    }
}

}  // namespace
}  // namespace brimel
