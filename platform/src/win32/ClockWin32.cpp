#include <windows.h>

#include <cstdint>

#include "../common/RealClock.h"

namespace platform::detail {
namespace {

class Win32Clock : public IClock {
public:
    Win32Clock() {
        LARGE_INTEGER frequency{};
        frequency_ = QueryPerformanceFrequency(&frequency) ? frequency.QuadPart : 0;
    }

    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

    // GetTickCount moves in steps of 10 to 16 ms (the system timer's interrupt, and Wine's shared
    // tick), so a wait for a printer that answers in a millisecond would cost a whole step. The
    // performance counter gives the same milliseconds-since-start count to the millisecond.
    std::uint32_t TickCount() override {
        LARGE_INTEGER counter{};
        if (frequency_ <= 0 || !QueryPerformanceCounter(&counter)) {
            return GetTickCount();
        }
        const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
        const auto perSecond = static_cast<std::uint64_t>(frequency_);
        const std::uint64_t milliseconds = ticks / perSecond * 1000u + ticks % perSecond * 1000u / perSecond;
        return static_cast<std::uint32_t>(milliseconds);
    }

    LocalTime Now() override {
        SYSTEMTIME local{};
        GetLocalTime(&local);
        return LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    }

private:
    LONGLONG frequency_ = 0;
};

}  // namespace

IClock& RealClock() {
    static Win32Clock clock;
    return clock;
}

}  // namespace platform::detail
