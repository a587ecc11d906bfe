// The opaque runs of a colour-keyed picture, collected in batches for region
// creation, and the region data of batches a caller builds by hand.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/key_runs.h"
#include "fuzz_check.h"
#include "region_data.h"

namespace {

using namespace brimel;

void CheckRegionData(const RunBatch& batch) {
    const Array<uint8_t> data = Serialized(batch);
    FUZZ_CHECK(data.size() == batch.BufferBytes());
    FUZZ_CHECK(Le32(data, 0) == 32 && Le32(data, 4) == 1 && Le32(data, 8) == batch.rects.size());
    for (size_t i = 0; i < batch.rects.size(); ++i)
        FUZZ_CHECK(static_cast<int32_t>(Le32(data, 32 + 16 * i)) == batch.rects[i].left);
    for (size_t i = 32 + 16 * batch.rects.size(); i < data.size(); ++i) FUZZ_CHECK(data[i] == 0);
}

// A picture from the input: one bit a pixel, then a repeating pattern.
void ScanPicture(FuzzedDataProvider& in) {
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(-2, 160);
    const int32_t height = in.ConsumeIntegralInRange<int32_t>(-2, 40);
    const int32_t stopAfter = in.ConsumeIntegralInRange<int32_t>(0, 4);  // 0: never
    const uint8_t pattern = in.ConsumeIntegral<uint8_t>();
    const std::vector<uint8_t> bits = in.ConsumeRemainingBytes<uint8_t>();
    const int32_t w = std::max(width, 0), h = std::max(height, 0);
    std::vector<uint8_t> reads(size_t(w) * h, 0), covered(size_t(w) * h, 0);
    auto isKey = [&](int32_t x, int32_t y) {
        FUZZ_CHECK(x >= 0 && x < w && y >= 0 && y < h);
        const size_t at = size_t(y) * w + x;
        ++reads[at];
        const uint8_t byte = at / 8 < bits.size() ? bits[at / 8] : pattern;
        return (byte >> (at % 8) & 1) != 0;
    };
    int32_t batches = 0, lastCapacity = 0;
    bool sawFinal = false;
    const bool done = CollectKeyRuns(width, height, isKey, [&](const RunBatch& b) {
        FUZZ_CHECK(!sawFinal);
        sawFinal = b.final;
        ++batches;
        FUZZ_CHECK(b.rects.size() <= size_t(b.capacity) && b.capacity <= kKeyRunBatchLimit);
        FUZZ_CHECK(b.capacity % kKeyRunCapacityStep == 0 && b.capacity >= lastCapacity);
        lastCapacity = b.capacity;
        if (!b.final) FUZZ_CHECK(b.rects.size() == size_t(kKeyRunBatchLimit));
        Rect bounds = kEmptyRunBounds;
        for (const Rect& r : b.rects) {
            FUZZ_CHECK(r.left >= 0 && r.left < r.right && r.right <= w);
            FUZZ_CHECK(r.top >= 0 && r.bottom == r.top + 1 && r.bottom <= h);
            for (int32_t x = r.left; x < r.right; ++x) ++covered[size_t(r.top) * w + x];
            bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top),
                      std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom)};
        }
        FUZZ_CHECK(b.bounds == bounds);
        CheckRegionData(b);
        return batches != stopAfter;
    });
    FUZZ_CHECK(done == (stopAfter == 0 || batches < stopAfter));
    if (!done) return;
    FUZZ_CHECK(sawFinal);
    // Every pixel read once; every opaque pixel in exactly one run.
    for (size_t at = 0; at < reads.size(); ++at) {
        FUZZ_CHECK(reads[at] == 1);
        const uint8_t byte = at / 8 < bits.size() ? bits[at / 8] : pattern;
        FUZZ_CHECK(covered[at] == ((byte >> (at % 8) & 1) ? 0 : 1));
    }
}

// A batch made by hand: any capacity, any rectangles.
void HandMadeBatch(FuzzedDataProvider& in) {
    RunBatch batch;
    batch.capacity = in.ConsumeIntegral<int32_t>();
    const int32_t slots = std::max(batch.capacity, 0);
    FUZZ_CHECK(RegionBufferBytes(batch.capacity) == (uint64_t(slots) + 2) * 16);
    const size_t count = in.ConsumeIntegralInRange<size_t>(0, 64);
    for (size_t i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        batch.rects.push_back({in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>(),
                               in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>()});
    }
    FUZZ_CHECK(batch.Slots() >= std::max<int32_t>(slots, int32_t(batch.rects.size())));
    if (batch.Slots() > kRegionRectLimit) {
        FUZZ_CHECK(Serialized(batch).empty());
    } else if (batch.Slots() <= (1 << 12)) {  // larger ones are only counted
        CheckRegionData(batch);
    }
    // The collector keeps the union of whatever it is given.
    int32_t flushed = 0;
    KeyRunCollector collector([&](const RunBatch& b) {
        ++flushed;
        FUZZ_CHECK(b.rects.size() == batch.rects.size() && b.final);
        Rect u = kEmptyRunBounds;
        for (const Rect& r : b.rects)
            u = {std::min(u.left, r.left), std::min(u.top, r.top), std::max(u.right, r.right),
                 std::max(u.bottom, r.bottom)};
        FUZZ_CHECK(b.bounds == u);
        return true;
    });
    for (const Rect& r : batch.rects) FUZZ_CHECK(collector.Add(r));
    FUZZ_CHECK(collector.Finish() && flushed == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        ScanPicture(in);
    else
        HandMadeBatch(in);
    return 0;
}
