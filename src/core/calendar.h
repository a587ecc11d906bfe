// Calendar arithmetic for stamping files: whether a date is real, the
// daylight-saving rule of a time zone, and local time to file-time ticks.
// Mirrors the platform's time-zone record so the rule can be tested here.
#pragma once

#include <cstdint>

namespace brimel {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsCalendarTime(int year, int month, int day, int hour, int minute, int second);

// One transition of a time-zone rule, as the platform describes it: with
// year 0 it recurs every year on the `day`-th `dayOfWeek` of `month` (day 5
// means the last one); otherwise it is that absolute date.
struct ZoneTransition {
    int year, month, dayOfWeek, day, hour, minute, second;
};

// Minutes to add to local time to get UTC, as in the platform's record.
struct ZoneRule {
    int32_t bias;
    ZoneTransition standardDate;  // daylight time ends here (local daylight time)
    int32_t standardBias;
    ZoneTransition daylightDate;  // daylight time starts here (local standard time)
    int32_t daylightBias;
};

// True when the local moment lies in daylight saving time under `rule`,
// decided for that moment's own year.
bool IsDaylightTime(const ZoneRule& rule, int year, int month, int day, int hour, int minute,
                    int second);

// Seconds since 1 January 1601, the epoch of the platform's file times.
int64_t SecondsSince1601(int year, int month, int day, int hour, int minute, int second);

// File times run to 0x7FFFFFFFFFFFFFFF ticks; this is that in whole seconds.
constexpr int64_t kMaxFileTimeSeconds = 0x7FFFFFFFFFFFFFFFLL / 10000000;

// The local moment under `rule` as 100-nanosecond file-time ticks in UTC.
// Fails when the zone's biases move it before 1601 or past the last file
// time: no file can carry such a moment.
bool LocalTimeToFileTimeTicks(const ZoneRule& rule, int year, int month, int day, int hour,
                              int minute, int second, uint64_t* ticks);

}  // namespace brimel
