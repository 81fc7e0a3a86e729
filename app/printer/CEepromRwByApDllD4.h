// EEPROM access over the IEEE 1284.4 channel: the port opened through the driver selector, the bytes
// carried by the channel library. A channel stays open between calls of the same direction, so a run
// of reads (or of writes) costs one negotiation; switching direction closes the other channel first.
// Never both are open. The dump is printed through the channel print stream of the port.
#pragma once

#include <cstdint>
#include <string>

#include "printer/CEepromRwByESC.h"

class CEepromRwByApDllD4 : public CEepromRwByESC {
public:
    // The port number comes from the port name; the channel print stream of that port becomes the
    // object's stream, for the dump.
    CEepromRwByApDllD4(const std::string& portName, std::uint8_t code1, std::uint8_t code2,
                       std::uint32_t lastAddress, IPrinterErrorCallback* callback);
    // Closes the read channel, then the write channel.
    ~CEepromRwByApDllD4() override;

    // Every failure is told once through the error callback: 0 the port did not open, 3 the printer
    // does not speak the channel protocol or the negotiation failed, 2 the read failed (both channels
    // are closed then). An address outside the model's range is refused as a failed read, unsent.
    int ReadByte(int address, std::uint8_t* value) override;
    // As ReadByte, with 1 for a send that failed or an address outside the model's range.
    int WriteByte(int address, std::uint8_t value) override;
    // Closes both channels; 1 when both closed.
    int CloseChannel() override;
    // Terminates the channel of that direction and closes the port, if it is open. 1.
    virtual int CloseReadChannel();
    virtual int CloseWriteChannel();

    std::int16_t PortNumber() const { return port_; }
    bool ReadChannelOpen() const { return readChannelOpen_ != 0; }
    bool WriteChannelOpen() const { return writeChannelOpen_ != 0; }

private:
    // Model preamble, open, D4 check and negotiation; the error code of the step that failed, or -1.
    int OpenChannelFor();

    std::int16_t port_;
    std::int32_t readChannelOpen_ = 0;
    std::int32_t writeChannelOpen_ = 0;
};

// A new channel EEPROM access for the port name (the settings' port) with the model's command code
// (the two values of pnRNumber) and last address (nADRSMax), and the default error callback, handed
// out with its only reference. 1, or 0 when it cannot be allocated.
int CreateEepromRW(IEepromRW** out, const std::string& portName, std::uint8_t code1, std::uint8_t code2,
                   std::uint32_t lastAddress);
