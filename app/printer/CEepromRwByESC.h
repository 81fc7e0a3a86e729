// EEPROM access by ESC command sequences through any byte stream to the printer: the requests go out
// as print data and the read reply comes back on the same stream. Also prints the EEPROM dump, for
// itself and for the channel access that derives from it.
#pragma once

#include <cstdint>

#include "printer/CRefCounted.h"
#include "printer/IEepromRW.h"
#include "printer/IPrinterErrorCallback.h"

class CEepromRwByESC : public printer::CRefCounted<IEepromRW> {
public:
    // The stream (null allowed: every transfer then fails) and the callback are each taken with a
    // reference of their own. Without a callback a failure is told by the result alone: what the
    // technician is shown is the caller's choice (the pages give the one that shows the messages).
    CEepromRwByESC(platform::ISequentialStream* stream, std::uint8_t code1, std::uint8_t code2,
                   std::uint32_t lastAddress, IPrinterErrorCallback* callback);
    ~CEepromRwByESC() override;
    CEepromRwByESC(const CEepromRwByESC&) = delete;
    CEepromRwByESC& operator=(const CEepromRwByESC&) = delete;

    // Writes the read request and reads the reply: three attempts each, 100 ms apart. A failed read
    // leaves 0xFF in *value. Addresses above the last address, or beyond what one address byte
    // reaches, are not sent.
    int ReadByte(int address, std::uint8_t* value) override;
    // Writes the write request, three attempts 50 ms apart; no reply is read.
    int WriteByte(int address, std::uint8_t value) override;
    int Pause1(int a, int b) override;
    int Pause2(int a, int b) override;
    int GetLastAddress() override { return 0xFF; }
    int IsAvailable() override { return 1; }
    int PrintDump(const std::int32_t* values) override;

    // The stream has no channel to close; the channel access closes its own here.
    virtual int CloseChannel() { return 1; }

protected:
    platform::ISequentialStream* Stream() const { return stream_; }
    IPrinterErrorCallback* Callback() const { return callback_; }
    // Hands the failure's code to the callback, if there is one.
    void ReportError(int code);
    std::uint8_t Code1() const { return code1_; }
    std::uint8_t Code2() const { return code2_; }
    std::uint32_t LastAddress() const { return lastAddress_; }
    // Within 0 .. the last address and within one address byte.
    bool Addressable(int address) const;
    // Makes the stream the object's own, with the caller's reference (the object had none).
    void AdoptStream(platform::ISequentialStream* stream);
    // One whole write to the stream; false without a stream.
    bool WriteAll(const void* data, std::uint32_t count);

private:
    platform::ISequentialStream* stream_ = nullptr;
    IPrinterErrorCallback* callback_ = nullptr;
    std::uint8_t code1_;
    std::uint8_t code2_;
    std::uint32_t lastAddress_;
};
