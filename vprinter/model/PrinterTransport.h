// The printer's end of the packet transport: Init and Exit, the control channel 2 and the data
// channel 0x40, credit both ways, Error packets for what it cannot take. Its output is whole packets.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "d4/CreditLedger.h"
#include "d4/Packet.h"
#include "d4/Reassembler.h"
#include "d4/Transaction.h"
#include "vprinter/model/PrinterCore.h"
#include "vprinter/model/StreamInterpreter.h"

namespace vprinter {

class PrinterTransport {
public:
    // Each packet the printer sends goes to `send`, whole.
    using SendFunction = std::function<void(std::vector<std::uint8_t>)>;

    PrinterTransport(PrinterCore& core, SendFunction send);

    // Bytes the host wrote while in packet mode. Returns the bytes taken; after an Exit the rest is
    // plain stream again and *left is set.
    std::size_t Feed(std::span<const std::uint8_t> bytes, bool* left);

    // Back to the state before Init: every channel closed, nothing buffered.
    void Reset();

    bool Initialised() const { return initialised_; }
    // Inits taken since the printer was made: each is one channel negotiation of a host, which is
    // what a host that keeps its channel open saves.
    std::uint64_t Initialisations() const { return initialisations_; }
    bool ChannelOpen(std::uint8_t socket) const { return channels_.count(socket) != 0; }
    // Replies waiting for credit from the host, in bytes.
    std::size_t Waiting() const;

    // The printer's largest packet either way; hosts asking for more get this.
    static constexpr std::uint16_t kLargestPacket = 0x4000;
    // Replies held for want of credit, per channel; the host that never grants credit loses the rest.
    static constexpr std::size_t kLargestWaiting = 64 * 1024;

private:
    struct ChannelState {
        std::uint16_t largestHostToPrinter = 0;
        std::uint16_t largestPrinterToHost = 0;
        std::vector<std::uint8_t> waiting;  // reply bytes not yet sent
    };

    void HandlePacket(const d4::Packet& packet);
    void HandleTransaction(const d4::Packet& packet);
    void HandleData(const d4::Packet& packet);
    void Reply(const d4::Transaction& message);
    void SendError(d4::Channel channel, std::uint8_t code);
    void QueueReply(std::uint8_t socket, std::vector<std::uint8_t> bytes);
    void SendWaiting(std::uint8_t socket);
    std::uint16_t CreditToGrant(std::uint16_t asked) const;

    PrinterCore& core_;
    SendFunction send_;
    d4::Reassembler reassembler_;
    d4::CreditLedger hostCredit_;     // credit the host granted: packets the printer may send
    d4::CreditLedger printerCredit_;  // credit the printer granted: packets the host may send
    std::map<std::uint8_t, ChannelState> channels_;
    StreamInterpreter dataStream_;
    ControlChannelDecoder controlStream_;
    bool initialised_ = false;
    std::uint64_t initialisations_ = 0;
    bool exitRequested_ = false;
};

}  // namespace vprinter
