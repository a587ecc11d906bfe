#include "core/payload_format.h"

#include <cstdlib>
#include <zlib.h>

#include "core/calendar.h"
#include "core/text.h"

namespace brimel {
namespace {

uint32_t ReadLe32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int AtoiPiece(const String& text, size_t from, size_t count) {
    if (from >= text.size()) return 0;
    return std::atoi(text.substr(from, count).c_str());
}

}  // namespace

bool ReadPayloadHeader(const unsigned char* record, size_t available, PayloadHeader* header) {
    if (record == nullptr || available < kPayloadHeaderSize) return false;
    header->storedSize = ReadLe32(record);
    header->unpackedSize = ReadLe32(record + 4);
    header->date = ReadLe32(record + 8);
    header->time = ReadLe32(record + 12);
    return header->storedSize >= kPayloadHeaderSize && header->storedSize <= available;
}

String PayloadStamp(uint32_t date, uint32_t time) {
    return DecimalText(static_cast<int>(date), 8) + DecimalText(static_cast<int>(time), 6, '0');
}

bool ParsePayloadStamp(const String& stamp, CalendarTime* when) {
    // A longer text would still be cut at the same places and read as a
    // moment the record never named.
    if (stamp.size() != 14) return false;
    for (char c : stamp)
        if (c < '0' || c > '9') return false;
    CalendarTime t;
    t.year = AtoiPiece(stamp, 0, 4);
    t.month = AtoiPiece(stamp, 4, 2);
    t.day = AtoiPiece(stamp, 6, 2);
    t.hour = AtoiPiece(stamp, 8, 2);
    t.minute = AtoiPiece(stamp, 10, 2);
    t.second = stamp.size() >= 2 ? AtoiPiece(stamp, stamp.size() - 2, 2) : 0;
    if (t.year < 1900 || !IsCalendarTime(t.year, t.month, t.day, t.hour, t.minute, t.second))
        return false;
    *when = t;
    return true;
}

bool InflatePayload(const unsigned char* source, uint32_t sourceLength, unsigned char* target,
                    uint32_t capacity, uint32_t* produced) {
    *produced = 0;
    // zlib refuses a missing output pointer even when nothing is to be
    // written, as for an empty file.
    unsigned char none = 0;
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(source);
    stream.avail_in = sourceLength;
    stream.next_out = target != nullptr ? target : &none;
    stream.avail_out = target != nullptr ? capacity : 0;
    // The records were made for zlib 1.x; any 1.x library reads them.
    if (inflateInit_(&stream, "1.1.3", static_cast<int>(sizeof(z_stream))) != Z_OK) return false;
    int status;
    do {
        status = inflate(&stream, Z_FINISH);
    } while (status == Z_OK);
    inflateEnd(&stream);
    if (status != Z_STREAM_END) return false;
    *produced = static_cast<uint32_t>(stream.total_out);
    return true;
}

bool InflatePayloadRecord(const unsigned char* record, const PayloadHeader& header,
                          unsigned char* target) {
    if (record == nullptr || header.storedSize < kPayloadHeaderSize) return false;
    uint32_t produced = 0;
    return InflatePayload(record + kPayloadHeaderSize, header.storedSize - kPayloadHeaderSize,
                          target, header.unpackedSize, &produced) &&
           produced == header.unpackedSize;
}

}  // namespace brimel
