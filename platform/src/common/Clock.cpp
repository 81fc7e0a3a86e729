#include "platform/Clock.h"

#include <atomic>
#include <cstdint>

#include "RealClock.h"

namespace platform {
namespace {

std::atomic<IClock*> installedClock{nullptr};

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    std::int64_t yearOfEra = year - era * 400;
    std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalTime CivilFromSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t secondOfDay = seconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    days += 719468;
    std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    std::int64_t dayOfEra = days - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    LocalTime time;
    time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
    time.hour = static_cast<int>(secondOfDay / 3600);
    time.minute = static_cast<int>(secondOfDay / 60 % 60);
    time.second = static_cast<int>(secondOfDay % 60);
    return time;
}

}  // namespace

IClock& Clock() {
    IClock* clock = installedClock.load();
    return clock != nullptr ? *clock : detail::RealClock();
}

void SetClock(IClock* clock) {
    installedClock.store(clock);
}

VirtualClock::VirtualClock(LocalTime start, std::uint32_t startTick) : start_(start), startTick_(startTick) {}

void VirtualClock::Sleep(std::uint32_t milliseconds) {
    Advance(milliseconds);
}

std::uint32_t VirtualClock::TickCount() {
    return static_cast<std::uint32_t>(startTick_ + elapsed_.load());
}

LocalTime VirtualClock::Now() {
    std::int64_t startSeconds = DaysFromCivil(start_.year, start_.month, start_.day) * kSecondsPerDay +
                                start_.hour * 3600 + start_.minute * 60 + start_.second;
    return CivilFromSeconds(startSeconds + static_cast<std::int64_t>(elapsed_.load() / 1000));
}

void VirtualClock::Advance(std::uint64_t milliseconds) {
    elapsed_ += milliseconds;
}

}  // namespace platform
