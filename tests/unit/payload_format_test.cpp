#include "core/payload_format.h"

#include <gtest/gtest.h>

#include "string_printer.h"
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace brimel {
namespace {

std::vector<unsigned char> Deflate(const std::vector<unsigned char>& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<unsigned char> out(size);
    EXPECT_EQ(compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
    out.resize(size);
    return out;
}

std::vector<unsigned char> Sample(size_t n) {
    std::vector<unsigned char> data(n);
    for (size_t i = 0; i < n; ++i) data[i] = static_cast<unsigned char>((i * 7) ^ (i >> 5));
    return data;
}

// The byte count of a successful inflate, or -1 when it failed.
int64_t Inflated(const std::vector<unsigned char>& z, size_t length, unsigned char* out,
                 uint32_t capacity) {
    uint32_t produced = 12345;
    if (!InflatePayload(z.data(), static_cast<uint32_t>(length), out, capacity, &produced)) return -1;
    return produced;
}

std::vector<unsigned char> Record(uint32_t stored, uint32_t unpacked, uint32_t date, uint32_t time) {
    std::vector<unsigned char> r(16);
    const uint32_t fields[4] = {stored, unpacked, date, time};
    for (int f = 0; f < 4; ++f)
        for (int b = 0; b < 4; ++b) r[f * 4 + b] = static_cast<unsigned char>(fields[f] >> (8 * b));
    return r;
}

TEST(PayloadHeader, ReadsLittleEndianFields) {
    auto r = Record(40, 5636096, 20061019, 184715);
    r.resize(40);
    PayloadHeader h;
    ASSERT_TRUE(ReadPayloadHeader(r.data(), r.size(), &h));
    EXPECT_EQ(h.storedSize, 40u);
    EXPECT_EQ(h.unpackedSize, 5636096u);
    EXPECT_EQ(h.date, 20061019u);
    EXPECT_EQ(h.time, 184715u);
}

TEST(PayloadHeader, RejectsRecordsThatDoNotHoldTheirOwnSize) {
    PayloadHeader h;
    struct Case { uint32_t stored; size_t available; bool ok; } cases[] = {
        {16, 16, true},   {17, 16, false}, {15, 16, false}, {0, 16, false},
        {100, 99, false}, {99, 100, true}, {16, 15, false},
    };
    for (const auto& c : cases) {
        auto r = Record(c.stored, 0, 0, 0);
        r.resize(c.available < 16 ? c.available : c.available);
        EXPECT_EQ(ReadPayloadHeader(r.data(), c.available, &h), c.ok)
            << "stored " << c.stored << " in " << c.available << " bytes";
    }
    EXPECT_FALSE(ReadPayloadHeader(nullptr, 100, &h));
}

TEST(PayloadStamp, PadsTimeToSixDigits) {
    EXPECT_EQ(PayloadStamp(20061019, 184715), "20061019184715");
    EXPECT_EQ(PayloadStamp(20061019, 15328), "20061019015328");
    EXPECT_EQ(PayloadStamp(20060101, 0), "20060101000000");
    EXPECT_EQ(PayloadStamp(1019, 5), "    1019000005");
}

// The stamp keeps printf's "%8d%06d" for every header value, whatever the
// record claims: out-of-range numbers are read as the signed ints printf saw.
TEST(PayloadStamp, FormatsLikePrintfForEveryValue) {
    const uint32_t values[] = {0,          1,          9,          10,         99999,      100000,
                               999999,     1000000,    12345678,   99999999,   100000000,  2147483647u,
                               2147483648u, 4294967295u, 4294967286u, 4294901760u};
    for (uint32_t date : values) {
        for (uint32_t time : values) {
            char expected[32];
            std::snprintf(expected, sizeof expected, "%8d%06d", static_cast<int>(date), static_cast<int>(time));
            EXPECT_EQ(PayloadStamp(date, time), expected) << date << " " << time;
        }
    }
}

TEST(PayloadStamp, ParsesFixedPositions) {
    CalendarTime t;
    ASSERT_TRUE(ParsePayloadStamp(PayloadStamp(20061019, 15328), &t));
    EXPECT_EQ(t.year, 2006);
    EXPECT_EQ(t.month, 10);
    EXPECT_EQ(t.day, 19);
    EXPECT_EQ(t.hour, 1);
    EXPECT_EQ(t.minute, 53);
    EXPECT_EQ(t.second, 28);
    ASSERT_TRUE(ParsePayloadStamp("20040229235959", &t));
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.second, 59);
}

TEST(PayloadStamp, RefusesEarlyYearsAndImpossibleMoments) {
    CalendarTime t;
    const char* refused[] = {
        "18991231235959",  // before 1900
        "    1019000005",  // date too short: year reads as 0
        "20061319120000",  // month 13
        "20060230120000",  // 30 February
        "20050229120000",  // 29 February outside a leap year
        "20061019246000",  // hour 24
        "20061019126000",  // minute 60
        "20061019120075",  // second 75
        "20061000120000",  // day 0
        "",
    };
    for (const char* stamp : refused) EXPECT_FALSE(ParsePayloadStamp(stamp, &t)) << stamp;
    EXPECT_FALSE(ParsePayloadStamp(PayloadStamp(20061019, 999999), &t));
}

TEST(PayloadStamp, HeaderFieldsOutsideTheirDigitsGiveNoStamp) {
    // Time and Date are printed as signed numbers: a Time of seven digits or
    // a negative one, or a nine-digit Date, makes a text that is longer than
    // 14 characters or carries a sign, and cut at the fixed places it would
    // name a moment the record never gave.
    const struct { uint32_t date, time; bool stamped; } table[] = {
        {20061019, 184715, true},
        {19000101, 0, true},
        {99991231, 235959, true},
        {20061019, 1000000, false},            // read as 10:00:00
        {20061019, 2359590, false},            // read as 23:59:00
        {20061019, uint32_t(-5), false},       // "-00005" read as 00:00:05
        {20061019, uint32_t(-100000), false},  // "-100000"
        {200610191, 0, false},                 // read as 10:00:00
        {200610191, 101010, false},
        {uint32_t(-20061019), 0, false},
    };
    for (const auto& row : table) {
        CalendarTime t;
        EXPECT_EQ(ParsePayloadStamp(PayloadStamp(row.date, row.time), &t), row.stamped)
            << row.date << " " << row.time << " \"" << PayloadStamp(row.date, row.time) << '"';
    }
}

// A record as tools/pack_record.py makes it from an empty file.
const std::vector<unsigned char> kEmptyFileRecord = {
    0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x5B, 0x1B, 0x32, 0x01,
    0x8B, 0xD1, 0x02, 0x00, 0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};

TEST(InflatePayload, RecordInflatesToExactlyItsUnpackedSize) {
    const auto data = Sample(3000);
    const auto z = Deflate(data);
    auto packed = Record(static_cast<uint32_t>(16 + z.size()), 3000, 20061019, 184715);
    packed.insert(packed.end(), z.begin(), z.end());
    const struct {
        const char* name;
        std::vector<unsigned char> record;
        uint32_t unpacked;
        bool ok;
    } table[] = {
        {"exact size", packed, 3000, true},
        {"header claims one byte more", packed, 3001, false},
        {"header claims one byte less", packed, 2999, false},
        {"empty file", kEmptyFileRecord, 0, true},
        {"empty file claiming a byte", kEmptyFileRecord, 1, false},
    };
    for (const auto& row : table) {
        PayloadHeader h;
        ASSERT_TRUE(ReadPayloadHeader(row.record.data(), row.record.size(), &h)) << row.name;
        h.unpackedSize = row.unpacked;
        std::vector<unsigned char> out(row.unpacked + 1, 0xEE);
        EXPECT_EQ(InflatePayloadRecord(row.record.data(), h, out.data()), row.ok) << row.name;
        if (row.ok) {
            EXPECT_TRUE(std::equal(out.begin(), out.end() - 1, data.begin())) << row.name;
        }
    }
    // An empty file needs no buffer at all.
    PayloadHeader h;
    ASSERT_TRUE(ReadPayloadHeader(kEmptyFileRecord.data(), kEmptyFileRecord.size(), &h));
    EXPECT_TRUE(InflatePayloadRecord(kEmptyFileRecord.data(), h, nullptr));
}

TEST(InflatePayload, InflatesWholeStreamIntoExactBuffer) {
    const auto data = Sample(100000);
    const auto z = Deflate(data);
    ASSERT_EQ(z[0], 0x78);
    std::vector<unsigned char> out(data.size());
    EXPECT_EQ(Inflated(z, z.size(), out.data(), static_cast<uint32_t>(out.size())),
              static_cast<int64_t>(data.size()));
    EXPECT_EQ(out, data);
}

TEST(InflatePayload, FailsWhenTheStreamDoesNotFit) {
    const auto data = Sample(5000);
    const auto z = Deflate(data);
    std::vector<unsigned char> out(data.size() - 1);
    EXPECT_EQ(Inflated(z, z.size(), out.data(), static_cast<uint32_t>(out.size())), -1);
}

TEST(InflatePayload, FailsOnTruncatedStreamsAtEveryLength) {
    const auto data = Sample(3000);
    const auto z = Deflate(data);
    std::vector<unsigned char> out(data.size());
    for (size_t cut = 0; cut < z.size(); ++cut)
        ASSERT_EQ(Inflated(z, cut, out.data(), static_cast<uint32_t>(out.size())), -1)
            << "cut at " << cut;
}

TEST(InflatePayload, FailsOnCorruptStreams) {
    const auto data = Sample(3000);
    auto z = Deflate(data);
    std::vector<unsigned char> out(data.size());
    auto header = z;
    header[1] ^= 0x01;  // header check bits no longer match
    EXPECT_EQ(Inflated(header, header.size(), out.data(), 3000), -1);
    auto checksum = z;
    checksum.back() ^= 0xFF;  // Adler-32 no longer matches
    EXPECT_EQ(Inflated(checksum, checksum.size(), out.data(), 3000), -1);
    const std::vector<unsigned char> garbage = {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Inflated(garbage, garbage.size(), out.data(), 3000), -1);
}

}  // namespace
}  // namespace brimel
