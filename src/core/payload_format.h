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
// stamp that is not exactly 14 digits (a header Time of seven digits or a
// negative one, a nine-digit Date), for a year below 1900 and for a moment
// that is not on the calendar (month 13, second 75, 30 February ...): such a
// record is written without a stamp.
bool ParsePayloadStamp(const String& stamp, CalendarTime* when);

// One-shot inflate of a whole zlib stream into a buffer of `capacity` bytes.
// True when the stream ended within the buffer; `produced` then holds the
// number of bytes written, which is 0 for an empty file. False when the
// stream is corrupt, truncated or does not fit.
bool InflatePayload(const unsigned char* source, uint32_t sourceLength, unsigned char* target,
                    uint32_t capacity, uint32_t* produced);

// Inflates the stream of a record whose header ReadPayloadHeader accepted
// into `target`, which holds `header.unpackedSize` bytes. True only when the
// stream gives exactly that many bytes: a shorter one would leave part of
// the file unwritten.
bool InflatePayloadRecord(const unsigned char* record, const PayloadHeader& header,
                          unsigned char* target);

}  // namespace brimel
