#include <time.h>

#include <cerrno>
#include <cstdint>

#include "../common/RealClock.h"

namespace platform::detail {
namespace {

class PosixClock : public IClock {
public:
    void Sleep(std::uint32_t milliseconds) override {
        timespec remaining{static_cast<time_t>(milliseconds / 1000),
                           static_cast<long>(milliseconds % 1000) * 1000000L};
        // A signal cuts the sleep short; the rest is slept again.
        while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
        }
    }

    std::uint32_t TickCount() override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::uint64_t milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                     static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
        return static_cast<std::uint32_t>(milliseconds);
    }

    LocalTime Now() override {
        time_t now = time(nullptr);
        tm local{};
        if (localtime_r(&now, &local) == nullptr) {
            return LocalTime{};
        }
        return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};
    }
};

}  // namespace

IClock& RealClock() {
    static PosixClock clock;
    return clock;
}

}  // namespace platform::detail
