// A batch of key runs as the region data handed to region creation, and the
// little-endian fields read back from it: shared by the unit tests and the
// fuzz target of the run collector.
#pragma once

#include <cstddef>
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
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
           uint32_t{b[at + 3]} << 24;
}

}  // namespace brimel
