#include "core/calendar.h"

namespace brimel {
namespace {

// Days from 1 January 1601 (a Monday) to the given date.
int64_t DaysSince1601(int year, int month, int day) {
    int64_t days = 0;
    const int64_t y = year - 1601;
    days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    return days + day - 1;
}

// 0 = Sunday, as the platform counts week days.
int DayOfWeek(int year, int month, int day) {
    return static_cast<int>((DaysSince1601(year, month, day) + 1) % 7);
}

// The day of the month on which a recurring transition falls in `year`.
int TransitionDay(const ZoneTransition& t, int year) {
    const int first = 1 + (t.dayOfWeek - DayOfWeek(year, t.month, 1) + 7) % 7;
    int day = first + 7 * (t.day - 1);
    while (day > DaysInMonth(year, t.month)) day -= 7;
    return day;
}

// Seconds from the start of the year to the transition, in that year.
int64_t TransitionSecond(const ZoneTransition& t, int year) {
    const int day = t.year == 0 ? TransitionDay(t, year) : t.day;
    return SecondsSince1601(year, t.month, day, t.hour, t.minute, t.second) -
           SecondsSince1601(year, 1, 1, 0, 0, 0);
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsCalendarTime(int year, int month, int day, int hour, int minute, int second) {
    return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
           minute <= 59 && second >= 0 && second <= 59;
}

int64_t SecondsSince1601(int year, int month, int day, int hour, int minute, int second) {
    return DaysSince1601(year, month, day) * 86400 + int64_t{hour} * 3600 + int64_t{minute} * 60 +
           second;
}

bool IsDaylightTime(const ZoneRule& rule, int year, int month, int day, int hour, int minute,
                    int second) {
    if (rule.standardDate.month == 0 || rule.daylightDate.month == 0) return false;
    if (rule.daylightDate.year != 0 && rule.daylightDate.year != year) return false;
    const int64_t now = SecondsSince1601(year, month, day, hour, minute, second) -
                        SecondsSince1601(year, 1, 1, 0, 0, 0);
    const int64_t start = TransitionSecond(rule.daylightDate, year);
    // The end is given in daylight time; compare it in standard time. The
    // biases are the platform's 32-bit values: their difference needs more.
    const int64_t end = TransitionSecond(rule.standardDate, year) +
                        60 * (int64_t{rule.daylightBias} - rule.standardBias);
    if (start < end) return now >= start && now < end;
    return now >= start || now < end;  // southern hemisphere: daylight time spans the new year
}

bool LocalTimeToFileTimeTicks(const ZoneRule& rule, int year, int month, int day, int hour,
                              int minute, int second, uint64_t* ticks) {
    // Two 32-bit biases added can leave the 32-bit range.
    const int64_t bias =
        int64_t{rule.bias} + (IsDaylightTime(rule, year, month, day, hour, minute, second)
                                  ? rule.daylightBias
                                  : rule.standardBias);
    const int64_t utc = SecondsSince1601(year, month, day, hour, minute, second) + 60 * bias;
    if (utc < 0 || utc > kMaxFileTimeSeconds) return false;
    *ticks = static_cast<uint64_t>(utc) * 10000000ULL;
    return true;
}

}  // namespace brimel
