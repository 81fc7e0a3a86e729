// What an access object does with a failure it cannot hide: it hands the failure's code to its error
// callback, which tells the technician. Reference-counted in the scheme of CRefCounted.h.
#pragma once

#include "platform/Unknown.h"

// The codes the access objects raise.
namespace printer::error {
inline constexpr int kPortOpen = 0;    // opening the port failed
inline constexpr int kSend = 1;        // sending data failed
inline constexpr int kReadEeprom = 2;  // reading the EEPROM failed
inline constexpr int kChannel = 3;     // the device check or the channel negotiation failed
inline constexpr int kNoReply = 4;     // the printer gave no reply
}  // namespace printer::error

class IPrinterErrorCallback : public platform::IUnknown {
public:
    virtual ~IPrinterErrorCallback() = default;
    // Returns the code it was given.
    virtual int OnError(int code) = 0;
};
