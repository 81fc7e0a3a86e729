#include <gtest/gtest.h>

#include <tuple>

#include "platform/Clock.h"

namespace platform {
namespace {

auto Fields(const LocalTime& t) {
    return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

TEST(VirtualClock, SleepAdvancesTicksAndTimeOnly) {
    VirtualClock clock({2026, 3, 14, 9, 0, 0}, 1000);
    clock.Sleep(51000);
    EXPECT_EQ(clock.TickCount(), 52000u);
    EXPECT_EQ(clock.ElapsedMilliseconds(), 51000u);
    EXPECT_EQ(Fields(clock.Now()), Fields({2026, 3, 14, 9, 0, 51}));
}

TEST(VirtualClock, TickCountWrapsAtTwoToThe32) {
    VirtualClock clock({2026, 1, 1, 0, 0, 0}, 0xFFFFFF00u);
    clock.Sleep(0x200);
    EXPECT_EQ(clock.TickCount(), 0x100u);
    EXPECT_EQ(clock.ElapsedMilliseconds(), 0x200u);
}

TEST(VirtualClock, PartialSecondsCountOnlyWhenComplete) {
    VirtualClock clock({2026, 1, 1, 0, 0, 0});
    clock.Advance(999);
    EXPECT_EQ(clock.Now().second, 0);
    clock.Advance(1);
    EXPECT_EQ(clock.Now().second, 1);
}

struct CalendarCase {
    LocalTime start;
    std::uint64_t advance;
    LocalTime expected;
};

TEST(VirtualClock, CalendarRollsOverMonthsAndYears) {
    const CalendarCase cases[] = {
        {{2026, 1, 31, 23, 59, 59}, 1000, {2026, 2, 1, 0, 0, 0}},
        {{2025, 12, 31, 23, 59, 59}, 1000, {2026, 1, 1, 0, 0, 0}},
        {{2026, 2, 28, 12, 0, 0}, 86400000, {2026, 3, 1, 12, 0, 0}},
        {{2028, 2, 28, 12, 0, 0}, 86400000, {2028, 2, 29, 12, 0, 0}},  // leap year
        {{2100, 2, 28, 0, 0, 0}, 86400000, {2100, 3, 1, 0, 0, 0}},     // century, no leap year
        {{2000, 2, 28, 0, 0, 0}, 86400000, {2000, 2, 29, 0, 0, 0}},    // fourth century, leap year
        {{2026, 4, 30, 23, 0, 0}, 3600000, {2026, 5, 1, 0, 0, 0}},
        {{2026, 1, 1, 0, 0, 0}, 365ull * 86400000, {2027, 1, 1, 0, 0, 0}},
        {{2026, 1, 1, 0, 0, 0}, 40ull * 86400000 + 61000, {2026, 2, 10, 0, 1, 1}},
    };
    for (const CalendarCase& c : cases) {
        VirtualClock clock(c.start);
        clock.Advance(c.advance);
        EXPECT_EQ(Fields(clock.Now()), Fields(c.expected))
            << c.start.year << "-" << c.start.month << "-" << c.start.day << " + " << c.advance << " ms";
    }
}

TEST(ScopedClock, InstallsTheClockForItsScope) {
    VirtualClock clock({2026, 1, 1, 0, 0, 0}, 5);
    {
        ScopedClock scoped(clock);
        EXPECT_EQ(&Clock(), &clock);
        Clock().Sleep(60000);  // costs no real time
    }
    EXPECT_NE(&Clock(), &clock);
    EXPECT_EQ(clock.TickCount(), 60005u);
}

}  // namespace
}  // namespace platform
