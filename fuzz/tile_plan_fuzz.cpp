// Where the background painter lays its tiles, for any area and step the
// picture and the skin's source rectangle could give.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "core/tile_plan.h"
#include "fuzz_check.h"

namespace {

using namespace brimel;

// Plans longer than this are not built: the area would be larger than any
// screen by far.
constexpr int64_t kLongestAxis = 1 << 12;

int64_t Advance(int32_t step) { return step > 1 ? int64_t{step} - 1 : 1; }

bool Affordable(int32_t area, int32_t step) {
    return step < 1 || (int64_t{area} + step) / Advance(step) <= kLongestAxis;
}

void CheckAxis(const Array<int32_t>& origins, int32_t area, int32_t step) {
    if (step < 1) {
        FUZZ_CHECK(origins.size() == 1 && origins[0] == 0);
        return;
    }
    const int64_t end = int64_t{area} + step;
    if (end <= 0) {  // an area turned inside out gets no tile
        FUZZ_CHECK(origins.empty());
        return;
    }
    FUZZ_CHECK(!origins.empty() && origins[0] == 0);
    for (size_t i = 1; i < origins.size(); ++i)
        FUZZ_CHECK(int64_t{origins[i]} - origins[i - 1] == Advance(step));
    // Origins run up to one step past the area, and no further.
    FUZZ_CHECK(origins.back() < end);
    const int64_t next = int64_t{origins.back()} + Advance(step);
    FUZZ_CHECK(next >= end || next > INT32_MAX);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int32_t width = in.ConsumeIntegral<int32_t>(), height = in.ConsumeIntegral<int32_t>();
    const int32_t stepX = in.ConsumeIntegral<int32_t>(), stepY = in.ConsumeIntegral<int32_t>();
    if (!Affordable(width, stepX) || !Affordable(height, stepY)) return 0;
    const Array<int32_t> xs = TileAxis(width, stepX), ys = TileAxis(height, stepY);
    CheckAxis(xs, width, stepX);
    CheckAxis(ys, height, stepY);
    if (xs.size() * ys.size() > size_t(kLongestAxis)) return 0;
    // The visitor gives the axes' tiles, row by row.
    size_t at = 0;
    ForEachTile(width, height, stepX, stepY, [&](int32_t x, int32_t y) {
        FUZZ_CHECK(at < xs.size() * ys.size());
        FUZZ_CHECK(x == xs[at % xs.size()] && y == ys[at / xs.size()]);
        ++at;
    });
    FUZZ_CHECK(at == xs.size() * ys.size());
    return 0;
}
