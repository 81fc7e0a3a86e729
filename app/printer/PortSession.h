// The process's one printer port. Every exchange with the printer (an EEPROM byte, a status query, a
// print stream, a channel library call, a print job of the service command engine, a sensor refresh)
// runs inside an Exchange taken from the session, so two of them never interleave on the wire. A
// second exchange asked for while one runs is refused with kPortBusy (and stops a debug build), never
// queued behind the first and never run beside it.
//
// Nesting. The session belongs to the thread that began the first running exchange until every
// exchange of that thread has ended. On that thread a further Begin is not a refusal: it nests, and
// the port goes free when the last running exchange ends. So one action may hold the port across many
// inner exchanges (the setting reader around its EEPROM reads, an EEPROM object while its channel
// stays open, a stream from its creation to its release) and the inner ones still take their own.
// Another thread is refused for as long as any exchange of the holding thread runs: the sensor page's
// refresh thread and the GUI thread never share the port.
//
// Who holds what:
//   - an EEPROM access object: one exchange per byte, and one for as long as its channel stays open;
//   - a status object: one per Refresh;
//   - a print stream: one from its creation to its release (the plain stream leaves its port open);
//   - the setting reader: one per Read; the waits: one per wait; the model preamble: one per send;
//   - the channel steps (ChannelExchange.h) take the caller's exchange as proof that it holds one.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "printer/PortStatus.h"

namespace printer {

namespace status {
// Another exchange holds the port. Apart from every word the selector and the channel library answer.
inline constexpr Status kPortBusy = 0xB100;
}  // namespace status

class PortSession {
public:
    // Held for the length of one exchange; releases the port when it goes. An Exchange that was
    // refused holds nothing and converts to false.
    class Exchange {
    public:
        Exchange() = default;
        Exchange(Exchange&& other) noexcept;
        Exchange& operator=(Exchange&& other) noexcept;
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;
        ~Exchange();

        explicit operator bool() const { return session_ != nullptr; }
        // kSuccess while held, kPortBusy when refused.
        Status GetStatus() const { return session_ != nullptr ? status::kSuccess : status::kPortBusy; }
        // Ends the exchange now rather than when the object goes; nothing for a refused one.
        void Release();

    private:
        friend class PortSession;
        Exchange(PortSession* session, std::uint64_t serial) : session_(session), serial_(serial) {}
        PortSession* session_ = nullptr;
        std::uint64_t serial_ = 0;
    };

    // The session of this process.
    static PortSession& OfProcess();

    // A refusal is a fault of the program (two pieces of it reached for the printer at once), so a
    // debug build stops there. The tests of the refusal turn that off for their own length.
    static void SetAssertOnRefusal(bool assert);

    PortSession() = default;
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Starts an exchange named `who` (for the debug output and the refusal's message). On the thread
    // that holds the session it nests; on any other thread it is refused while the session is held.
    Exchange Begin(std::string_view who);

    // True while an exchange runs.
    bool IsBusy() const;
    // True when the calling thread holds the session (an outer Begin of its own runs).
    bool HeldByThisThread() const;
    // The name of the earliest exchange still running, empty when none runs.
    std::string Holder() const;
    // Exchanges running on the holding thread; 0 when none runs.
    int Depth() const;

private:
    struct Running {
        std::uint64_t serial;
        std::string who;
    };

    void End(std::uint64_t serial);

    mutable std::mutex mutex_;
    // In the order they began; they may end in any order (an exchange can be moved and outlive the
    // one it was taken within).
    std::vector<Running> running_;
    std::uint64_t nextSerial_ = 1;
    std::thread::id owner_;
};

}  // namespace printer
