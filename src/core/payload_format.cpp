#include "core/payload_format.h"

#include <cstdlib>
#include <zlib.h>

#include "core/calendar.h"

namespace brimel {
namespace {

uint32_t ReadLe32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Writes `value` in decimal, right-aligned in `width` characters: padded with
// blanks before the sign (as printf's "%8d") or with zeros after it ("%06d").
// Returns the end of what was written (at most 11 characters past width).
char* FormatDecimal(char* out, int value, int width, char pad) {
    char digits[10];
    int count = 0;
    // The magnitude as unsigned, so that the most negative int has one too.
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int length = count + (value < 0 ? 1 : 0);
    if (pad == ' ')
        for (int i = length; i < width; ++i) *out++ = ' ';
    if (value < 0) *out++ = '-';
    if (pad == '0')
        for (int i = length; i < width; ++i) *out++ = '0';
    while (count > 0) *out++ = digits[--count];
    return out;
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
    char text[32];
    char* end = FormatDecimal(text, static_cast<int>(date), 8, ' ');
    end = FormatDecimal(end, static_cast<int>(time), 6, '0');
    return String(text, static_cast<size_t>(end - text));
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
