#include "payload/payload_records.h"

#include <new>

#include "core/calendar.h"
#include "core/payload_format.h"
#include "core/win32/resources.h"
#include "payload/file_replace.h"

namespace brimel {
namespace {

struct RecordBytes {
    const unsigned char* bytes = nullptr;
    PayloadHeader header{};
};

// Finds the record in place in the loaded image; the bytes are never copied.
bool FindRecord(HMODULE module, uint16_t record, RecordBytes* found) {
    const ResourceSpan span = FindResourceBytes(module, MAKEINTRESOURCEA(record), "R");
    if (span.bytes == nullptr) return false;
    found->bytes = static_cast<const unsigned char*>(span.bytes);
    // The header's sizes are checked against the resource, so a damaged
    // record cannot make the inflate read past it.
    return ReadPayloadHeader(found->bytes, span.size, &found->header);
}

PayloadData Inflate(const RecordBytes& record) {
    PayloadData data;
    // A size no memory can hold fails here instead of ending the program;
    // an empty file still gets a buffer, so that it reads as present.
    const uint32_t size = record.header.unpackedSize;
    data.bytes.reset(new (std::nothrow) unsigned char[size ? size : 1]);
    if (!data.bytes) return {};
    // A stream shorter than the header claims would leave part of the
    // buffer unwritten: treat it as damaged rather than write it out.
    if (!InflatePayloadRecord(record.bytes, record.header, data.bytes.get())) return {};
    data.size = size;
    return data;
}

ZoneRule CurrentZoneRule() {
    TIME_ZONE_INFORMATION tz;
    ZoneRule rule{};
    if (GetTimeZoneInformation(&tz) == TIME_ZONE_ID_INVALID) return rule;
    auto transition = [](const SYSTEMTIME& t) {
        return ZoneTransition{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond};
    };
    rule.bias = tz.Bias;
    rule.standardDate = transition(tz.StandardDate);
    rule.standardBias = tz.StandardBias;
    rule.daylightDate = transition(tz.DaylightDate);
    rule.daylightBias = tz.DaylightBias;
    return rule;
}

// The record's date and time as a file time, or false when the stamp is
// not a usable moment (the file then keeps the time it was written at).
bool StampFileTime(const PayloadHeader& header, FILETIME* time) {
    CalendarTime when;
    if (!ParsePayloadStamp(PayloadStamp(header.date, header.time), &when)) return false;
    uint64_t ticks = 0;
    if (!LocalTimeToFileTimeTicks(CurrentZoneRule(), when.year, when.month, when.day, when.hour,
                                  when.minute, when.second, &ticks))
        return false;
    time->dwLowDateTime = static_cast<DWORD>(ticks);
    time->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}

}  // namespace

PayloadData ReadPayloadRecordFrom(HMODULE module, uint16_t record) {
    RecordBytes found;
    if (!FindRecord(module, record, &found)) return {};
    return Inflate(found);
}

PayloadData ReadPayloadRecord(uint16_t record) {
    return ReadPayloadRecordFrom(GetModuleHandleA(nullptr), record);
}

bool ExtractPayloadRecordFrom(HMODULE module, uint16_t record, const char* targetPath) {
    RecordBytes found;
    if (!FindRecord(module, record, &found)) return false;
    PayloadData data = Inflate(found);
    if (!data) return false;
    FILETIME stamp;
    const bool stamped = StampFileTime(found.header, &stamp);
    return ReplaceFileContents(targetPath, data.bytes.get(), data.size, stamped ? &stamp : nullptr);
}

bool ExtractPayloadRecord(uint16_t record, const char* targetPath) {
    return ExtractPayloadRecordFrom(GetModuleHandleA(nullptr), record, targetPath);
}

}  // namespace brimel
