// The process's one printer port. Every exchange with the printer (an EEPROM byte, a status query, a
// print stream, a channel library call, a print job of the service command engine, a sensor refresh)
// runs inside an Exchange taken from the session, so two of them never interleave on the wire. A
// second exchange asked for while one runs is refused with kPortBusy (and stops a debug build), never
// queued behind the first and never run beside it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

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

    private:
        friend class PortSession;
        explicit Exchange(PortSession* session) : session_(session) {}
        PortSession* session_ = nullptr;
    };

    // The session of this process.
    static PortSession& OfProcess();

    PortSession() = default;
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Starts an exchange named `who` (for the debug output and the refusal's message). Refused while
    // another exchange runs, whichever thread asks.
    Exchange Begin(std::string_view who);

    // True while an exchange runs.
    bool IsBusy() const;
    // The name of the running exchange, empty when none runs.
    std::string Holder() const;

private:
    void End();

    mutable std::mutex mutex_;
    bool busy_ = false;
    std::string holder_;
};

}  // namespace printer
