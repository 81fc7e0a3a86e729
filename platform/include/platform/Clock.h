// The one clock of the process. Every sleep, tick count and time of day goes through it, so that the
// test suites can run on a VirtualClock, where a 51-second wait for the printer costs no real time.
#pragma once

#include <atomic>
#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 0;    // four digits
    int month = 0;   // 1-12
    int day = 0;     // 1-31
    int hour = 0;    // 0-23
    int minute = 0;  // 0-59
    int second = 0;  // 0-59
};

class IClock {
public:
    virtual ~IClock() = default;
    // Blocks the calling thread for the given milliseconds (a virtual clock only advances).
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32 like GetTickCount.
    virtual std::uint32_t TickCount() = 0;
    // The local date and time.
    virtual LocalTime Now() = 0;
};

// The clock in use: the real one unless a test installed another.
IClock& Clock();

// Installs a clock for the whole process; null restores the real clock. The caller keeps ownership.
void SetClock(IClock* clock);

// A clock that moves only when it is slept on or advanced. Not thread-safe beyond atomic reads of
// the tick count; the test suites drive it from one thread.
class VirtualClock : public IClock {
public:
    explicit VirtualClock(LocalTime start = {2026, 1, 1, 9, 0, 0}, std::uint32_t startTick = 1000);
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t TickCount() override;
    LocalTime Now() override;

    void Advance(std::uint64_t milliseconds);
    std::uint64_t ElapsedMilliseconds() const { return elapsed_; }

private:
    LocalTime start_;
    std::uint32_t startTick_;
    std::atomic<std::uint64_t> elapsed_{0};
};

// Installs a clock for the lifetime of a scope, for the tests.
class ScopedClock {
public:
    explicit ScopedClock(IClock& clock) { SetClock(&clock); }
    ~ScopedClock() { SetClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace platform
