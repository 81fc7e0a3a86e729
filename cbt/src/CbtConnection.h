// One connection of the packet transport: the byte link under it, packet mode, the channels with
// their credit, and the replies waiting per channel.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cbt/Kcbt.h"
#include "d4/CreditLedger.h"
#include "d4/Reassembler.h"
#include "d4/Transaction.h"
#include "platform/Device.h"

namespace cbt {

// Bytes to and from the printer. Write is all or nothing; Read returns at once with what is there.
class ByteLink {
public:
    virtual ~ByteLink() = default;
    virtual bool Write(const std::uint8_t* data, std::uint32_t count) = 0;
    // False when the port is gone.
    virtual bool Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received) = 0;
};

class DeviceLink : public ByteLink {
public:
    explicit DeviceLink(platform::DevicePort& port) : port_(port) {}
    bool Write(const std::uint8_t* data, std::uint32_t count) override;
    bool Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received) override;

private:
    platform::DevicePort& port_;
};

class HookLink : public ByteLink {
public:
    HookLink(void* context, const IoHookTable& hooks) : context_(context), hooks_(hooks) {}
    bool Write(const std::uint8_t* data, std::uint32_t count) override;
    bool Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received) override;

private:
    void* context_;
    IoHookTable hooks_;
};

class CbtConnection {
public:
    CbtConnection(void* port, std::unique_ptr<ByteLink> link) : port_(port), link_(std::move(link)) {}

    void* Port() const { return port_; }
    std::int32_t Enter();
    std::int32_t Leave();
    std::int32_t OpenChannel(std::uint8_t channel);
    std::int32_t CloseChannel(std::uint8_t channel);
    std::int32_t Write(std::uint8_t channel, const std::uint8_t* data, std::uint32_t* length);
    std::int32_t Read(std::uint8_t channel, std::uint8_t* buffer, std::uint32_t* length);
    std::int32_t GetSocketId(const char* serviceName, std::uint8_t* socket);
    std::int32_t GetServiceName(std::uint8_t socket, char* name, std::uint32_t* length);
    bool Awake() const { return awake_; }

private:
    std::int32_t Send(const std::vector<std::uint8_t>& bytes);
    // Moves what the port has into packets; false when the port is gone or the stream is malformed.
    std::int32_t Pump();
    std::int32_t AwaitTransaction(std::uint8_t replyCommand, d4::Transaction* reply);
    std::int32_t Exchange(const d4::Transaction& request, d4::Transaction* reply);
    std::int32_t Fail(std::int32_t result);

    void* port_;
    std::unique_ptr<ByteLink> link_;
    d4::Reassembler reassembler_;
    d4::CreditLedger credit_;  // packets the printer lets us send, per channel
    std::deque<d4::Transaction> transactions_;
    std::map<std::uint8_t, std::deque<std::vector<std::uint8_t>>> replies_;  // per channel, oldest first
    std::map<std::uint8_t, std::uint16_t> packetSize_;  // open channels: largest packet to the printer
    bool awake_ = false;
    bool gone_ = false;
};

}  // namespace cbt
