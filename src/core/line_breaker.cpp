#include "core/line_breaker.h"

namespace brimel {

void BreakRun(const char* text, size_t length, BreakMode mode, const LineBox& box,
              TextMeasure& measure, LinePosition& at, Array<LinePiece>& pieces) {
    // The line being built is text[start, end); `fit` is how much of it lay
    // before the last space seen on this line (0: none).
    size_t start = 0, end = 0, fit = 0;
    int32_t available = box.width - (at.x - box.left);
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const bool newline = c == '\n';
        if (c == ' ' && mode == BreakMode::AfterSpaces) {
            fit = end - start;
            if (start == end) start = i;
            end = i + 1;
            continue;
        }
        if (newline) {
            fit = end - start;
        } else {
            if (start == end) start = i;
            end = i + 1;
        }
        if (!newline && measure.Width(text + start, end - start) <= available) continue;

        if (fit > 0) {
            // Up to the last space (or the newline); the line after it starts
            // behind that one character.
            pieces.push_back(LinePiece{start, fit, at.line, at.x});
            start = start + fit + 1 < end ? start + fit + 1 : end;
        } else if (end - start >= 2) {
            // A word wider than the line: break before the overflowing character.
            pieces.push_back(LinePiece{start, end - start - 1, at.line, at.x});
            start = end - 1;
        } else if (end - start == 1) {
            pieces.push_back(LinePiece{start, 1, at.line, at.x});
            start = end;
        }
        // Otherwise an empty line.  Every new line, empty or not, starts at
        // the left: a run that continues another's line and opens with a
        // newline would otherwise carry the indent into its next line.
        fit = 0;
        ++at.line;
        at.x = box.left;
        available = box.width;
    }
    if (end > start) {
        pieces.push_back(LinePiece{start, end - start, at.line, at.x});
        // The next run goes on behind the piece just placed.
        at.x += measure.Width(text + start, end - start);
    }
}

int32_t CountTextLines(const char* text, size_t length, int32_t width, TextMeasure& measure) {
    LinePosition at;
    Array<LinePiece> pieces;
    BreakRun(text, length, BreakMode::AtCharacters, LineBox{0, width}, measure, at, pieces);
    return at.line + 1;
}

}  // namespace brimel
