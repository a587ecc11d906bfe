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

// A piece as the test reads it: its text, line and x.
struct Drawn {
    std::string text;
    int32_t line;
    int32_t x;
    bool operator==(const Drawn& o) const { return text == o.text && line == o.line && x == o.x; }
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
    return out << "\"" << d.text << "\"@" << d.line << "," << d.x;
}

std::vector<Drawn> Paint(const std::string& text, int32_t width, LinePosition& at) {
    UnitMeasure measure;
    std::vector<LinePiece> pieces;
    BreakRun(text.c_str(), text.size(), BreakMode::AfterSpaces, LineBox{0, width}, measure, at,
             pieces);
    std::vector<Drawn> drawn;
    for (const LinePiece& p : pieces) drawn.push_back({text.substr(p.begin, p.length), p.line, p.x});
    return drawn;
}

int32_t Count(const std::string& text, int32_t width) {
    UnitMeasure measure;
    return CountTextLines(text.c_str(), text.size(), width, measure);
}

TEST(LineBreaker, PaintingBreaksAfterTheLastSpaceThatFits) {
    const struct {
        const char* what;
        std::string text;
        int32_t width;
        std::vector<Drawn> drawn;
    } cases[] = {
        {"after the last fitting space", "aa bb cc", 5, {{"aa bb", 0, 0}, {"cc", 1, 0}}},
        {"a word exactly as wide as the line", "aaaaa b", 5, {{"aaaaa", 0, 0}, {"b", 1, 0}}},
        {"a word wider than the control", "abcdefgh", 3,
         {{"abc", 0, 0}, {"def", 1, 0}, {"gh", 2, 0}}},
        {"a wide character overflows", "aWb", 3, {{"aW", 0, 0}, {"b", 1, 0}}},
        {"an empty line between two words", "word\n\nword", 10, {{"word", 0, 0}, {"word", 2, 0}}},
        {"nothing after a final newline", "word\n", 10, {{"word", 0, 0}}},
        {"the breaking space is not drawn", "ab cd", 3, {{"ab", 0, 0}, {"cd", 1, 0}}},
        {"a single character wider than the line", "W", 1, {{"W", 0, 0}}},
    };
    for (const auto& c : cases) {
        LinePosition at;
        EXPECT_EQ(Paint(c.text, c.width, at), c.drawn) << c.what;
    }
}

TEST(LineBreaker, PaintingEndsWhereTheNextRunContinues) {
    const struct {
        const char* what;
        LinePosition from;
        std::string text;
        std::vector<Drawn> drawn;
        int32_t endLine, endX;
    } cases[] = {
        {"behind the last piece", {0, 0}, "ab cd", {{"ab cd", 0, 0}}, 0, 5},
        {"the first line is shorter", {0, 7}, "cd ef", {{"cd", 0, 7}, {"ef", 1, 0}}, 1, 2},
        {"at the left after a final newline", {0, 0}, "ab\n", {{"ab", 0, 0}}, 1, 0},
        {"a leading newline returns to the left", {0, 4}, "\nab", {{"ab", 1, 0}}, 1, 2},
    };
    for (const auto& c : cases) {
        LinePosition at = c.from;
        EXPECT_EQ(Paint(c.text, 10, at), c.drawn) << c.what;
        EXPECT_EQ(at.line, c.endLine) << c.what;
        EXPECT_EQ(at.x, c.endX) << c.what;
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
        EXPECT_EQ(Count(c.text, c.width), c.lines) << c.what;
        LinePosition at;
        const std::vector<Drawn> drawn = Paint(c.text, c.width, at);
        const int32_t painted = drawn.empty() ? 0 : drawn.back().line + 1;
        EXPECT_EQ(painted, c.paintedLines) << c.what;
    }
}

}  // namespace
}  // namespace brimel
