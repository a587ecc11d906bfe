// The word wrap of the multi-colour label: any text (a message, a caption
// from a skin or a translation), any box and any glyph widths.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/line_breaker.h"
#include "fuzz_check.h"

namespace {

// Each byte value has a width of its own, 0 to 15 pixels, as a font would.
class TableMeasure : public brimel::TextMeasure {
public:
    explicit TableMeasure(FuzzedDataProvider& data) {
        for (int32_t& w : widths) w = data.ConsumeIntegralInRange<int32_t>(0, 15);
    }
    int32_t Width(const char* text, size_t length) override {
        int32_t sum = 0;
        for (size_t i = 0; i < length; ++i) sum += widths[static_cast<unsigned char>(text[i])];
        return sum;
    }
    int32_t widths[256];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    TableMeasure measure(data);
    const brimel::LineBox box{data.ConsumeIntegralInRange<int32_t>(-50, 500),
                              data.ConsumeIntegralInRange<int32_t>(-5, 400)};
    const brimel::BreakMode mode =
        data.ConsumeBool() ? brimel::BreakMode::AfterSpaces : brimel::BreakMode::AtCharacters;
    brimel::LinePosition at;
    at.line = data.ConsumeIntegralInRange<int32_t>(0, 10);
    at.x = box.left + data.ConsumeIntegralInRange<int32_t>(0, 100);
    const brimel::LinePosition start = at;
    const std::string text = data.ConsumeRemainingBytesAsString();

    brimel::Array<brimel::LinePiece> pieces;
    brimel::BreakRun(text.data(), text.size(), mode, box, measure, at, pieces);

    // Pieces lie inside the text, in order, never overlap, never hold a line
    // break, and go down the lines from where the run started.
    size_t end = 0;
    int32_t line = start.line;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const brimel::LinePiece& p = pieces[i];
        FUZZ_CHECK(p.begin >= end && p.begin <= text.size() && p.length <= text.size() - p.begin);
        FUZZ_CHECK(text.find('\n', p.begin) >= p.begin + p.length);
        FUZZ_CHECK(p.line >= line);
        end = p.begin + p.length;
        line = p.line;
    }
    FUZZ_CHECK(at.line >= line);
    // Every line break of the text moves at least one line down.
    int32_t breaks = 0;
    for (char c : text) breaks += c == '\n';
    FUZZ_CHECK(at.line - start.line >= breaks);

    const int32_t lines = brimel::CountTextLines(text.data(), text.size(), box.width, measure);
    FUZZ_CHECK(lines >= 1 + breaks);
    FUZZ_CHECK(lines <= static_cast<int32_t>(text.size()) + 1);
    return 0;
}
