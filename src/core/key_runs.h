// Collection of the opaque pixel runs of a colour-keyed image, batched the way
// the window-region builder hands them to region creation.
//
// The Win32 side reads pixels (GetPixel on the image or its mask), lets this
// code find the runs, and turns each flushed batch into a region with
// ExtCreateRegion, OR-combining the batches into one result.
#pragma once

#include <cstddef>
#include <cstdint>
#include "core/function.h"
#include "core/array.h"

#include "core/geometry.h"

namespace brimel {

// A batch is turned into a region as soon as it holds this many rectangles.
constexpr int32_t kKeyRunBatchLimit = 2000;
// The rectangle buffer starts with room for this many and grows by as many.
constexpr int32_t kKeyRunCapacityStep = 100;
// Region data header (size, type, count, region size, bounds) and one rectangle.
constexpr int32_t kRegionHeaderBytes = 32;
constexpr int32_t kRegionRectBytes = 16;
// Bounding rectangle of a batch before any rectangle is added.
constexpr Rect kEmptyRunBounds = {0x7FFFFFFF, 0x7FFFFFFF, 0, 0};

// The most rectangles one region buffer may hold: region creation takes the
// buffer's size as a 32-bit count, and no 32-bit process holds 2 GiB.
constexpr int32_t kRegionRectLimit = 0x7FFFFFFF / kRegionRectBytes - 2;

// The bytes handed to region creation for a buffer of this capacity: always
// the whole buffer, header included, not only the used part. Counted in 64
// bits, so any capacity is counted exactly; a negative one holds nothing.
constexpr uint64_t RegionBufferBytes(int32_t capacity) {
    return (static_cast<uint64_t>(capacity < 0 ? 0 : capacity) + 2) * kRegionRectBytes;
}

struct RunBatch {
    // One-pixel-high runs in scan order; the count is rects.size().
    Array<Rect> rects;
    // Union of rects, or kEmptyRunBounds when there is none.
    Rect bounds = kEmptyRunBounds;
    // Rectangles the work buffer holds; it only ever grows during one scan.
    int32_t capacity = kKeyRunCapacityStep;
    // True for the batch flushed at the end of the scan (it may be empty).
    bool final = false;

    // Rectangles the region buffer has room for: the capacity, or the count
    // when a batch made by hand holds more than its capacity.
    int32_t Slots() const;
    uint64_t BufferBytes() const { return RegionBufferBytes(Slots()); }
};

// Region data as the platform's RGNDATA lays it out, little-endian: header of
// 32 bytes (32, RDH_RECTANGLES = 1, count, 0, bounds) then batch.Slots()
// rectangles of 16 bytes, the unused ones zero, written to `out`, which holds
// batch.BufferBytes().  False, with nothing written, when the batch needs
// more than kRegionRectLimit slots.
bool SerializeRegionData(const RunBatch& batch, uint8_t* out);

// Receives each batch; returning false stops the scan (for example when the
// caller could not allocate its region buffer), keeping what was flushed.
using RunBatchSink = Function<bool(const RunBatch& batch)>;

// Accumulates runs and flushes them to the sink in batches.
class KeyRunCollector {
public:
    explicit KeyRunCollector(RunBatchSink sink);

    // Stores one run; flushes when the batch reaches kKeyRunBatchLimit.
    // Returns false once the sink has asked to stop (the run is then dropped).
    bool Add(const Rect& run);
    // Flushes the final batch, even when it is empty.  Returns the sink's
    // answer, or false when the scan was stopped before.
    bool Finish();

    int32_t capacity() const { return batch_.capacity; }
    size_t pending() const { return batch_.rects.size(); }

private:
    bool Flush();

    RunBatchSink sink_;
    RunBatch batch_;
    bool stopped_ = false;
};

// Answers whether pixel (x, y) has the key colour.
using KeyPixelTest = Function<bool(int32_t x, int32_t y)>;

// Scans a width x height image row by row, top to bottom, and collects every
// run of non-key pixels, left to right, as the rectangle (start, y, end, y + 1).
// Each pixel is tested exactly once.  A width or height of zero or less scans
// nothing and flushes one empty final batch.  Returns true when the scan ran to
// the end and the final batch was accepted.
bool CollectKeyRuns(int32_t width, int32_t height, const KeyPixelTest& isKey,
                    const RunBatchSink& sink);

}  // namespace brimel
