#include "core/calendar.h"

#include <gtest/gtest.h>

namespace brimel {
namespace {

// Central Europe: UTC+1, daylight time from the last Sunday of March 02:00
// to the last Sunday of October 03:00.
ZoneRule CentralEurope() {
    ZoneRule r{};
    r.bias = -60;
    r.standardDate = {0, 10, 0, 5, 3, 0, 0};
    r.standardBias = 0;
    r.daylightDate = {0, 3, 0, 5, 2, 0, 0};
    r.daylightBias = -60;
    return r;
}

// New Zealand: UTC+12, daylight time from the last Sunday of September to the
// first Sunday of April, across the new year.
ZoneRule NewZealand() {
    ZoneRule r{};
    r.bias = -720;
    r.standardDate = {0, 4, 0, 1, 3, 0, 0};
    r.daylightDate = {0, 9, 0, 5, 2, 0, 0};
    r.daylightBias = -60;
    return r;
}

// The file time of a local moment, or kRefused when no file can carry it.
constexpr uint64_t kRefused = ~uint64_t{0};
uint64_t Ticks(const ZoneRule& rule, int y, int mo, int d, int h, int mi, int s) {
    uint64_t ticks = 0;
    return LocalTimeToFileTimeTicks(rule, y, mo, d, h, mi, s, &ticks) ? ticks : kRefused;
}

TEST(Calendar, KnowsMonthLengthsAndLeapYears) {
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2006, 4), 30);
    EXPECT_EQ(DaysInMonth(2006, 13), 0);
    EXPECT_TRUE(IsCalendarTime(2006, 12, 31, 23, 59, 59));
    EXPECT_FALSE(IsCalendarTime(2006, 4, 31, 0, 0, 0));
}

TEST(Calendar, CountsSecondsFromThePlatformEpoch) {
    // 1 January 1970 is 11644473600 seconds after 1 January 1601.
    EXPECT_EQ(SecondsSince1601(1970, 1, 1, 0, 0, 0), 11644473600LL);
    EXPECT_EQ(SecondsSince1601(1601, 1, 1, 0, 0, 1), 1);
    // 19 October 2006 18:47:15 UTC is Unix time 1161283635.
    EXPECT_EQ(SecondsSince1601(2006, 10, 19, 18, 47, 15) - 11644473600LL, 1161283635LL);
}

TEST(Calendar, DecidesDaylightTimeForTheDateItself) {
    const ZoneRule cet = CentralEurope();
    struct Case { int y, m, d, h; bool daylight; } cases[] = {
        {2006, 10, 19, 18, true},  {2006, 1, 15, 12, false}, {2006, 3, 26, 1, false},
        {2006, 3, 26, 3, true},    {2006, 10, 29, 1, true},  {2006, 10, 29, 3, false},
        {2007, 3, 25, 3, true},    {2007, 3, 24, 12, false}, {2006, 12, 31, 23, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDaylightTime(cet, c.y, c.m, c.d, c.h, 0, 0), c.daylight)
            << c.y << "-" << c.m << "-" << c.d << " " << c.h << "h";
}

TEST(Calendar, HandlesDaylightTimeAcrossTheNewYear) {
    const ZoneRule nz = NewZealand();
    EXPECT_TRUE(IsDaylightTime(nz, 2006, 1, 15, 12, 0, 0));
    EXPECT_TRUE(IsDaylightTime(nz, 2006, 12, 15, 12, 0, 0));
    EXPECT_FALSE(IsDaylightTime(nz, 2006, 7, 15, 12, 0, 0));
}

TEST(Calendar, ZoneWithoutDaylightTimeUsesItsBiasAllYear) {
    ZoneRule utc{};
    EXPECT_FALSE(IsDaylightTime(utc, 2006, 7, 1, 12, 0, 0));
    EXPECT_EQ(Ticks(utc, 1970, 1, 1, 0, 0, 0), 116444736000000000ULL);
}

TEST(Calendar, ConvertsLocalTimeToUtcTicks) {
    const ZoneRule cet = CentralEurope();
    // 18:47:15 in daylight time is 16:47:15 UTC; in January 11:00 is 10:00 UTC.
    EXPECT_EQ(Ticks(cet, 2006, 10, 19, 18, 47, 15),
              static_cast<uint64_t>(SecondsSince1601(2006, 10, 19, 16, 47, 15)) * 10000000ULL);
    EXPECT_EQ(Ticks(cet, 2006, 1, 15, 11, 0, 0),
              static_cast<uint64_t>(SecondsSince1601(2006, 1, 15, 10, 0, 0)) * 10000000ULL);
}

TEST(Calendar, ExtremeZoneBiasesAreAddedWithoutOverflow) {
    // The platform's biases are any 32-bit values; their sum may need more,
    // and may move the moment off the range of file times.
    ZoneRule far{};
    far.bias = INT32_MAX;
    far.standardBias = 1;
    ZoneRule farBack{};
    farBack.bias = INT32_MIN;
    farBack.standardBias = -1;
    ZoneRule east{};
    east.bias = -60;
    const int64_t october = SecondsSince1601(2006, 10, 19, 18, 47, 15);
    const struct { const char* name; ZoneRule rule; int y, mo, d, h, mi, s; uint64_t ticks; } table[] = {
        {"sum above 32 bits", far, 2006, 10, 19, 18, 47, 15,
         static_cast<uint64_t>(october + 60 * (int64_t{INT32_MAX} + 1)) * 10000000ULL},
        {"sum below 32 bits, before 1601", farBack, 2006, 10, 19, 18, 47, 15, kRefused},
        {"east of UTC at the first moment", east, 1601, 1, 1, 0, 0, 0, kRefused},
        {"east of UTC an hour later", east, 1601, 1, 1, 1, 0, 0, 0},
    };
    for (const auto& r : table)
        EXPECT_EQ(Ticks(r.rule, r.y, r.mo, r.d, r.h, r.mi, r.s), r.ticks) << r.name;
}

TEST(Calendar, ExtremeBiasDifferenceMovesTheEndOfDaylightTimeWithoutOverflow) {
    // Daylight time ends INT32_MAX - INT32_MIN minutes before the standard
    // date: long before the year starts, so it runs from its start to the
    // year's end.
    ZoneRule r = CentralEurope();
    r.standardBias = INT32_MAX;
    r.daylightBias = INT32_MIN;
    EXPECT_FALSE(IsDaylightTime(r, 2006, 1, 15, 12, 0, 0));
    EXPECT_TRUE(IsDaylightTime(r, 2006, 11, 15, 12, 0, 0));
}

}  // namespace
}  // namespace brimel
