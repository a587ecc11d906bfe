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

uint32_t InflatePayload(const unsigned char* source, uint32_t sourceLength,
                        unsigned char* target, uint32_t capacity) {
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(source);
    stream.avail_in = sourceLength;
    stream.next_out = target;
    stream.avail_out = capacity;
    // The records were made for zlib 1.x; any 1.x library reads them.
    if (inflateInit_(&stream, "1.1.3", static_cast<int>(sizeof(z_stream))) != Z_OK) return 0;
    int status;
    do {
        status = inflate(&stream, Z_FINISH);
    } while (status == Z_OK);
    const uint32_t produced = static_cast<uint32_t>(stream.total_out);
    inflateEnd(&stream);
    return status == Z_STREAM_END ? produced : 0;
}

}  // namespace brimel
