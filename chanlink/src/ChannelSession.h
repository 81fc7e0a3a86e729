// One packet-mode session on an open port: entry and Init, the control channel 2 (EEPROM reads and
// status) and the data channel 0x40, credit, and the way out. Port work goes through PortLink, so the
// same session runs over Plexer, over a printer model in process, or over a test's script.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "d4/CreditLedger.h"
#include "d4/Packet.h"
#include "d4/Reassembler.h"
#include "d4/Transaction.h"

namespace chanlink {

class PortLink {
public:
    virtual ~PortLink() = default;
    // Status words of Plexer: 0x0001 when every byte was written; 0xD000 when *cancel is 1.
    virtual std::uint32_t Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) = 0;
    // One receive of whatever arrived, into a 1024-byte window; waits boundedly for the first byte.
    virtual std::uint32_t Receive(std::uint8_t* window, std::uint32_t* length) = 0;
};

class ChannelSession {
public:
    explicit ChannelSession(PortLink& link) : link_(link) {}

    std::uint32_t Negotiate(const std::uint8_t* cancel);
    std::uint32_t Terminate(const std::uint8_t* cancel);
    void SetCommandCode(std::uint8_t code1, std::uint8_t code2) {
        commandCode_[0] = code1;
        commandCode_[1] = code2;
    }
    std::uint32_t ReadEeprom(std::uint32_t address, std::uint8_t* value, const std::uint8_t* cancel);
    std::uint32_t GetStatusReply(char* buffer, const std::uint8_t* cancel);
    std::uint32_t SendData(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel);
    std::uint32_t ReceiveData(std::uint8_t* buffer, std::uint32_t* received);

    bool Negotiated() const { return negotiated_; }

private:
    std::uint32_t Write(const std::vector<std::uint8_t>& bytes, const std::uint8_t* cancel);
    // Reads until a whole packet is there. Data packets of the data channel that arrive while another
    // answer is awaited are kept as the data channel's answer.
    std::uint32_t NextPacket(d4::Packet* packet, const std::uint8_t* cancel);
    std::uint32_t AwaitTransaction(std::uint8_t replyCommand, d4::Transaction* reply,
                                   const std::uint8_t* cancel);
    std::uint32_t AwaitData(std::uint8_t socket, std::vector<std::uint8_t>* payload,
                            const std::uint8_t* cancel);
    std::uint32_t EnsureCredit(std::uint8_t socket, const std::uint8_t* cancel);
    // A request on the control channel and its one-packet answer.
    std::uint32_t ControlRequest(const std::vector<std::uint8_t>& request, std::vector<std::uint8_t>* answer,
                                 const std::uint8_t* cancel);
    void Forget();

    PortLink& link_;
    d4::Reassembler reassembler_;
    d4::CreditLedger credit_;  // packets the printer lets us send, per channel
    bool negotiated_ = false;
    std::uint8_t commandCode_[2] = {0, 0};
    std::vector<std::uint8_t> dataAnswer_;  // the data channel's answer not handed out yet
    bool dataAnswerHeld_ = false;
};

}  // namespace chanlink
