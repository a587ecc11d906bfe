// A record's Date and Time fields through the stamp text to a file time,
// under any zone rule the platform could report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/calendar.h"
#include "core/payload_format.h"
#include "fuzz_check.h"

namespace {

using namespace brimel;

// The fields of the platform's transition record are 16-bit words.
ZoneTransition TransitionFrom(FuzzedDataProvider& in) {
    ZoneTransition t;
    t.year = in.ConsumeIntegral<uint16_t>();
    t.month = in.ConsumeIntegral<uint16_t>();
    t.dayOfWeek = in.ConsumeIntegral<uint16_t>();
    t.day = in.ConsumeIntegral<uint16_t>();
    t.hour = in.ConsumeIntegral<uint16_t>();
    t.minute = in.ConsumeIntegral<uint16_t>();
    t.second = in.ConsumeIntegral<uint16_t>();
    return t;
}

bool AllDigits(const String& text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

void CheckMoment(const String& stamp, bool parsed, const CalendarTime& t) {
    if (!parsed) return;
    FUZZ_CHECK(stamp.size() == 14 && AllDigits(stamp));
    FUZZ_CHECK(t.year >= 1900 && IsCalendarTime(t.year, t.month, t.day, t.hour, t.minute, t.second));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const uint32_t date = in.ConsumeIntegral<uint32_t>();
    const uint32_t time = in.ConsumeIntegral<uint32_t>();

    // From the header fields: a stamp is made only of the very moment the
    // fields name, and of every such moment.
    const String stamp = PayloadStamp(date, time);
    CalendarTime t{};
    const bool parsed = ParsePayloadStamp(stamp, &t);
    CheckMoment(stamp, parsed, t);
    const int year = static_cast<int>(date / 10000), month = date / 100 % 100, day = date % 100;
    const int hour = static_cast<int>(time / 10000), minute = time / 100 % 100, second = time % 100;
    const bool real = date <= 99999999 && year >= 1900 && time <= 235959 &&
                      IsCalendarTime(year, month, day, hour, minute, second);
    FUZZ_CHECK(parsed == real);
    if (parsed)
        FUZZ_CHECK(t.year == year && t.month == month && t.day == day && t.hour == hour &&
                   t.minute == minute && t.second == second);

    // From any text: only a real moment comes out.
    const std::string rawText = in.ConsumeRandomLengthString(32);
    const String text(rawText.data(), rawText.size());
    CalendarTime u{};
    CheckMoment(text, ParsePayloadStamp(text, &u), u);
    if (!parsed) return 0;

    // The moment under any zone rule: the file time is the local time moved
    // by the rule's biases, or nothing when no file time can carry it.
    ZoneRule rule;
    rule.bias = in.ConsumeIntegral<int32_t>();
    rule.standardBias = in.ConsumeIntegral<int32_t>();
    rule.daylightBias = in.ConsumeIntegral<int32_t>();
    rule.standardDate = TransitionFrom(in);
    rule.daylightDate = TransitionFrom(in);
    const bool daylight = IsDaylightTime(rule, t.year, t.month, t.day, t.hour, t.minute, t.second);
    if (rule.standardDate.month == 0 || rule.daylightDate.month == 0) FUZZ_CHECK(!daylight);
    const int64_t bias = int64_t{rule.bias} + (daylight ? rule.daylightBias : rule.standardBias);
    const int64_t utc =
        SecondsSince1601(t.year, t.month, t.day, t.hour, t.minute, t.second) + 60 * bias;
    uint64_t ticks = 0;
    const bool converted =
        LocalTimeToFileTimeTicks(rule, t.year, t.month, t.day, t.hour, t.minute, t.second, &ticks);
    FUZZ_CHECK(converted == (utc >= 0 && utc <= kMaxFileTimeSeconds));
    if (converted) FUZZ_CHECK(ticks == static_cast<uint64_t>(utc) * 10000000ULL);
    return 0;
}
