// Layout of an embedded payload record and the pure computations around it:
// header validation, the date/time stamp, and the one-shot inflate.
#pragma once

#include <cstddef>
#include <cstdint>
#include "core/string.h"

namespace brimel {

// A record is this header followed by one zlib stream. All fields are
// little-endian 32-bit values.
struct PayloadHeader {
    uint32_t storedSize;    // whole record, header included
    uint32_t unpackedSize;  // exact size of the inflated file
    uint32_t date;          // YYYYMMDD as a decimal number
    uint32_t time;          // HHMMSS as a decimal number, no leading zeros
};
static_assert(sizeof(PayloadHeader) == 16, "record header is 16 bytes on disk");

constexpr uint32_t kPayloadHeaderSize = 16;

// Reads the header of a record of `available` bytes. Fails when the record is
// shorter than its header or claims more bytes than there are.
bool ReadPayloadHeader(const unsigned char* record, size_t available, PayloadHeader* header);

// The 14-character carrier of a record's date and time: "%8d%06d".
String PayloadStamp(uint32_t date, uint32_t time);

struct CalendarTime {
    int year, month, day, hour, minute, second;
};

// Cuts the stamp at its fixed positions (atoi on each piece). Fails for a
// year below 1900 and for a moment that is not on the calendar (month 13,
// second 75, 30 February ...): such a record is written without a stamp.
bool ParsePayloadStamp(const String& stamp, CalendarTime* when);

// One-shot inflate of a whole zlib stream into a buffer of `capacity` bytes.
// Returns the number of bytes produced, or 0 when the stream is corrupt,
// truncated or does not fit.
uint32_t InflatePayload(const unsigned char* source, uint32_t sourceLength,
                        unsigned char* target, uint32_t capacity);

}  // namespace brimel
