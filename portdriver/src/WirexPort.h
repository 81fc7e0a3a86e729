// The port driver's module state and its thirteen operations. One object per loaded library (the
// exports hold it); the tests make their own with any variant. Every device access goes through the
// device seam's active back-end, so a test drives every path with a scripted conversation.
#pragma once

#include <cstdint>

#include "WirexStatus.h"
#include "WirexVariant.h"
#include "platform/Device.h"

namespace wirex {

class WirexPort {
public:
    explicit WirexPort(const WirexVariant& variant) : variant_(variant) {}
    ~WirexPort() { PortClose(); }
    WirexPort(const WirexPort&) = delete;
    WirexPort& operator=(const WirexPort&) = delete;

    std::uint32_t PortOpen(std::uint32_t portNumber);
    std::uint32_t Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel);
    std::uint32_t GetPreviousSentDataSize() const { return lastSentSize_; }
    std::uint32_t Receive(std::uint8_t* buffer, std::uint32_t* length);
    void PortClose();
    std::uint32_t CheckDeviceID(std::uint8_t* isD4);
    std::int16_t GetIOErrorCode() const { return ioError_; }
    std::uint32_t GetModelName(char* name);
    std::uint32_t ResetDevice();
    void SetReceiveType(std::uint32_t type) { receiveType_ = type; }
    void SetWaitTimeBeforeReceive(std::int32_t parallel, std::int32_t usb, std::int32_t com);
    std::uint32_t SetPortTimeOut(std::uint32_t readInterval, std::uint32_t readMultiplier,
                                 std::uint32_t readConstant, std::uint32_t writeMultiplier,
                                 std::uint32_t writeConstant);
    std::uint32_t SetComSetting(std::uint32_t baudRate, std::uint8_t dataBits, std::uint8_t parityCheck,
                                std::uint8_t stopBits);

    std::uint16_t PortKind() const { return portKind_; }
    const platform::PortTimeouts& StoredTimeouts() const { return timeouts_; }

private:
    bool IsOpen() const { return port_ != nullptr; }
    std::uint32_t Fail(std::int16_t code);
    std::uint32_t OpenDevice(const platform::PortAddress& address);
    std::uint32_t CloseUnlessOpened(std::uint32_t result);
    std::uint32_t ApplyTimeouts();
    std::uint32_t ApplyComSettings();
    // The device ID into reply_ (zero-filled, NUL after the window); on success *text views it.
    std::uint32_t QueryDeviceId(std::string_view* text);

    std::uint32_t ReceivePolled(std::uint8_t* buffer, std::uint32_t* length);
    std::uint32_t ReceiveSingleRead(std::uint8_t* buffer, std::uint32_t* length);
    std::uint32_t ReceiveCom(std::uint8_t* buffer, std::uint32_t* length);
    std::uint32_t ReceiveComExact(std::uint8_t* buffer, std::uint32_t* length);
    std::uint32_t ReceiveComWhatArrives(std::uint8_t* buffer, std::uint32_t* length);
    // One read of exactly count bytes: 0xFFAE on failure, 0xFF98 when fewer came.
    std::uint32_t ReadExactly(std::uint8_t* buffer, std::uint32_t count);

    const WirexVariant& variant_;
    platform::DeviceBackend* backend_ = nullptr;  // the back-end the open port belongs to
    platform::DevicePortPtr port_;
    std::uint16_t portKind_ = kind::kNone;
    std::int16_t ioError_ = 0;
    std::uint32_t lastSentSize_ = 0;
    std::uint32_t receiveType_ = kReceivePacket;
    std::uint32_t waitParallel_ = 10;
    std::uint32_t waitUsb_ = 10;
    std::uint32_t waitCom_ = 10;
    platform::PortTimeouts timeouts_{10, 10, 2000, 10, 2000};
    std::uint32_t baudRate_ = kKeep32;
    std::uint8_t dataBits_ = kKeep8;
    std::uint8_t parityCheck_ = kKeep8;
    std::uint8_t stopBits_ = kKeep8;
    std::uint8_t reply_[kWindow + 1] = {};
};

}  // namespace wirex
