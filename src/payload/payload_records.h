// Payload records: the product's files, compressed, among the program's own
// resources of type "R", addressed by a 16-bit record number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace brimel {

// An inflated record, owned by the caller.
struct PayloadData {
    std::unique_ptr<unsigned char[]> bytes;
    uint32_t size = 0;
    explicit operator bool() const { return bytes != nullptr; }
};

// Inflates the record into memory; empty when the record is missing, damaged
// or does not fit in memory.
PayloadData ReadPayloadRecord(uint16_t record);
PayloadData ReadPayloadRecordFrom(HMODULE module, uint16_t record);

// Writes the record to `targetPath` and stamps the file's last-write time with
// the record's date and time (local time). True only when the whole file was
// written; on false an existing file at the path is left as it was.
bool ExtractPayloadRecord(uint16_t record, const char* targetPath);
bool ExtractPayloadRecordFrom(HMODULE module, uint16_t record, const char* targetPath);

}  // namespace brimel
