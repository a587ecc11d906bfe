// The word wrap of the multi-colour text label: lays out one run of text in
// lines of a given width, with the text's widths measured by the caller.
// Painting and line counting share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include "core/array.h"

namespace brimel {

// How a line is broken when the text no longer fits.
enum class BreakMode {
    // Painting: after the last space that still fits; a word wider than the
    // line is broken before the character that overflows.
    AfterSpaces,
    // Counting: a space is an ordinary character, so every line is filled up
    // to the last character that fits.
    AtCharacters,
};

// Widths of pieces of text in the font the run is laid out in.
class TextMeasure {
public:
    virtual int32_t Width(const char* text, size_t length) = 0;

protected:
    ~TextMeasure() = default;
};

// Where the pen stands: the line number and the x of the next piece.
struct LinePosition {
    int32_t line = 0;
    int32_t x = 0;
};

// One piece of a line: text[begin, begin + length) drawn at x on `line`.
struct LinePiece {
    size_t begin;
    size_t length;
    int32_t line;
    int32_t x;
};

// The lines lie between `left` and left + width.
struct LineBox {
    int32_t left;
    int32_t width;
};

// Lays out text[0, length) from `at`, appending the pieces to draw.  A
// newline (code 10) ends a line and is not drawn; two in a row leave an empty
// line.  On return `at` is where the next run continues: after the last
// piece drawn on its line, or at the left of the next line when the text
// ended with a line break.
void BreakRun(const char* text, size_t length, BreakMode mode, const LineBox& box,
              TextMeasure& measure, LinePosition& at, Array<LinePiece>& pieces);

// The number of lines the text needs at the given width, at least 1: the
// line breaks of a layout that breaks at characters, plus one.  A text that
// ends with a newline counts the empty line after it.
int32_t CountTextLines(const char* text, size_t length, int32_t width, TextMeasure& measure);

}  // namespace brimel
