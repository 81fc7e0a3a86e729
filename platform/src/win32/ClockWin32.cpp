#include <windows.h>

#include <cstdint>

#include "../common/RealClock.h"

namespace platform::detail {
namespace {

class Win32Clock : public IClock {
public:
    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

    std::uint32_t TickCount() override { return GetTickCount(); }

    LocalTime Now() override {
        SYSTEMTIME local{};
        GetLocalTime(&local);
        return LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    }
};

}  // namespace

IClock& RealClock() {
    static Win32Clock clock;
    return clock;
}

}  // namespace platform::detail
