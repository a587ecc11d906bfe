// A payload record as the installer finds it among its resources: the header
// is read against the record's real size and the stream inflated into a
// buffer of exactly the size the header names.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/payload_format.h"
#include "fuzz_check.h"

namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Buffers above this are not worth a fuzzer's time; the header is still read.
constexpr uint32_t kLargestInflate = 1 << 18;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brimel;
    PayloadHeader header;
    const bool read = ReadPayloadHeader(data, size, &header);
    if (size < kPayloadHeaderSize) {
        FUZZ_CHECK(!read);
        return 0;
    }
    const uint32_t stored = Le32(data);
    FUZZ_CHECK(read == (stored >= kPayloadHeaderSize && stored <= size));
    if (!read) return 0;
    FUZZ_CHECK(header.storedSize == stored && header.unpackedSize == Le32(data + 4) &&
               header.date == Le32(data + 8) && header.time == Le32(data + 12));
    if (header.unpackedSize > kLargestInflate) return 0;

    // Exactly the named size, so that the sanitizer sees any byte written
    // past the file; an empty file gets no buffer at all.
    std::vector<unsigned char> file(header.unpackedSize);
    const bool inflated = InflatePayloadRecord(data, header, file.empty() ? nullptr : file.data());

    // zlib's own one-shot inflate, given one byte of room more, tells what
    // the stream holds: whole, and exactly as long as the header says.
    std::vector<unsigned char> reference(size_t{header.unpackedSize} + 1);
    uLongf produced = static_cast<uLongf>(reference.size());
    uLong consumed = header.storedSize - kPayloadHeaderSize;
    const bool whole = uncompress2(reference.data(), &produced, data + kPayloadHeaderSize,
                                   &consumed) == Z_OK;
    FUZZ_CHECK(inflated == (whole && produced == header.unpackedSize));
    if (inflated && !file.empty())
        FUZZ_CHECK(std::memcmp(file.data(), reference.data(), file.size()) == 0);
    return 0;
}
