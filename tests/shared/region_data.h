// The region data of a batch of key runs, and its little-endian fields read
// back: for the run collector's unit tests and fuzz target.
#pragma once

#include <cstdint>

#include "core/array.h"
#include "core/key_runs.h"

namespace brimel {

// The batch's region data, or none when it cannot be serialised.
inline Array<uint8_t> Serialized(const RunBatch& batch) {
    const bool fits = batch.Slots() <= kRegionRectLimit;
    Array<uint8_t> data(fits ? static_cast<size_t>(batch.BufferBytes()) : 0, 0xAB);
    if (!SerializeRegionData(batch, data.data())) return {};
    return data;
}

inline uint32_t Le32(const Array<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

}  // namespace brimel
