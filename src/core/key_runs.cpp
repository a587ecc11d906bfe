#include "core/key_runs.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace brimel {

namespace {

void PutLe32(uint8_t* out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    out[0] = static_cast<uint8_t>(v);
    out[1] = static_cast<uint8_t>(v >> 8);
    out[2] = static_cast<uint8_t>(v >> 16);
    out[3] = static_cast<uint8_t>(v >> 24);
}

void PutRect(uint8_t* out, const Rect& r) {
    PutLe32(out, r.left);
    PutLe32(out + 4, r.top);
    PutLe32(out + 8, r.right);
    PutLe32(out + 12, r.bottom);
}

}  // namespace

int32_t RunBatch::Slots() const {
    // The collector never holds more runs than its capacity; a batch made by
    // hand may, and its header must not count rectangles the buffer lacks.
    const size_t count = std::min(rects.size(), size_t{0x7FFFFFFF});
    return std::max(capacity, static_cast<int32_t>(count));
}

bool SerializeRegionData(const RunBatch& batch, uint8_t* out) {
    if (batch.Slots() > kRegionRectLimit) return false;
    std::memset(out, 0, static_cast<size_t>(batch.BufferBytes()));
    PutLe32(&out[0], kRegionHeaderBytes);
    PutLe32(&out[4], 1);  // RDH_RECTANGLES
    PutLe32(&out[8], static_cast<int32_t>(batch.rects.size()));
    PutLe32(&out[12], 0);
    PutRect(&out[16], batch.bounds);
    for (size_t i = 0; i < batch.rects.size(); ++i) {
        PutRect(&out[kRegionHeaderBytes + i * kRegionRectBytes], batch.rects[i]);
    }
    return true;
}

KeyRunCollector::KeyRunCollector(RunBatchSink sink) : sink_(std::move(sink)) {
    batch_.rects.reserve(kKeyRunCapacityStep);
}

bool KeyRunCollector::Add(const Rect& run) {
    if (stopped_) return false;
    if (static_cast<int32_t>(batch_.rects.size()) == batch_.capacity) {
        batch_.capacity += kKeyRunCapacityStep;
        batch_.rects.reserve(static_cast<size_t>(batch_.capacity));
    }
    batch_.rects.push_back(run);
    Rect& b = batch_.bounds;
    b.left = std::min(b.left, run.left);
    b.top = std::min(b.top, run.top);
    b.right = std::max(b.right, run.right);
    b.bottom = std::max(b.bottom, run.bottom);
    if (static_cast<int32_t>(batch_.rects.size()) == kKeyRunBatchLimit) return Flush();
    return true;
}

bool KeyRunCollector::Finish() {
    if (stopped_) return false;
    batch_.final = true;
    return Flush();
}

bool KeyRunCollector::Flush() {
    const bool go_on = sink_ ? sink_(batch_) : true;
    // The buffer keeps its capacity across batches, as the platform buffer
    // is never shrunk during one scan.
    batch_.rects.clear();
    batch_.bounds = kEmptyRunBounds;
    batch_.final = false;
    if (!go_on) stopped_ = true;
    return go_on;
}

bool CollectKeyRuns(int32_t width, int32_t height, const KeyPixelTest& isKey,
                    const RunBatchSink& sink) {
    KeyRunCollector collector(sink);
    for (int32_t y = 0; y < height; ++y) {
        int32_t x = 0;
        while (x < width) {
            const int32_t start = x;
            while (!isKey(x, y)) {
                if (++x == width) break;
            }
            if (x > start && !collector.Add(Rect{start, y, x, y + 1})) return false;
            if (x == width) break;  // the run ended at the right edge
            ++x;                    // step over the key pixel that ended it
        }
    }
    return collector.Finish();
}

}  // namespace brimel
