// EEPROM access over the IEEE 1284.4 channel: the port opened through the driver selector, the bytes
// carried by the channel library. A channel stays open between calls of the same direction, so a run
// of reads (or of writes) costs one negotiation; switching direction closes the other channel first.
// Never both are open. The dump is printed through the channel print stream of the port.
//
// Port session: each byte runs in an exchange of its own, and the object holds one more for as long
// as a channel stays open, since the port stays open with it. A byte refused by the session fails
// (0) without touching the port and without a message: the refusal stops a debug build.
#pragma once

#include <cstdint>
#include <string>

#include "printer/CEepromRwByESC.h"
#include "printer/PortSession.h"
#include "printer/Target.h"

class CEepromRwByApDllD4 : public CEepromRwByESC {
public:
    // The target's port, command code and last address.
    CEepromRwByApDllD4(const printer::Target& target, IPrinterErrorCallback* callback);
    // Closes the read channel, then the write channel.
    ~CEepromRwByApDllD4() override;

    // Every failure is told once through the error callback: 0 the port did not open, 3 the printer
    // does not speak the channel protocol or the negotiation failed, 2 the read failed (both channels
    // are closed then). An address outside the model's range is refused as a failed read, unsent.
    int ReadByte(int address, std::uint8_t* value) override;
    // As ReadByte, with 1 for a send that failed or an address outside the model's range.
    int WriteByte(int address, std::uint8_t value) override;
    // Closes both channels, then prints through a channel print stream of the port made for the dump.
    int PrintDump(const std::int32_t* values) override;
    // Closes both channels; 1 when both closed.
    int CloseChannel() override;
    // Terminates the channel of that direction and closes the port, if it is open. 1.
    virtual int CloseReadChannel();
    virtual int CloseWriteChannel();

    std::int16_t PortNumber() const { return target_.Port(); }
    bool ReadChannelOpen() const { return readChannelOpen_ != 0; }
    bool WriteChannelOpen() const { return writeChannelOpen_ != 0; }

private:
    // Model preamble, open, D4 check and negotiation within the exchange; the error code of the
    // step that failed, or -1 with the channel's own exchange held.
    int OpenChannelFor(const printer::PortSession::Exchange& exchange);
    void CloseOpenChannel();

    printer::Target target_;
    std::int32_t readChannelOpen_ = 0;
    std::int32_t writeChannelOpen_ = 0;
    // Held while either channel is open.
    printer::PortSession::Exchange channel_;
};

// A new channel EEPROM access for the target with the error callback given (none: failures are told
// by the results alone), handed out with its only reference. 1, or 0 when it cannot be allocated.
int CreateEepromRW(IEepromRW** out, const printer::Target& target, IPrinterErrorCallback* callback);
