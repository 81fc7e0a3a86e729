// Credit accounting of one end. A packet on a data channel may be sent only against a credit the
// peer granted: in the reply to OpenChannel, in a Credit command, in the reply to CreditRequest, or
// piggybacked in the credit byte of any packet the peer sends on that channel. Each packet sent uses
// one. The transaction channel is not counted here: each of its packets carries the one credit its
// answer needs. Pure.
#pragma once

#include <cstdint>
#include <map>

#include "d4/Packet.h"

namespace d4 {

class CreditLedger {
public:
    // The peer granted credit on a channel. Returns false, and changes nothing, when the total would
    // pass the largest outstanding credit (the peer overflowed us).
    bool Grant(Channel channel, std::uint32_t credit);

    // Uses one credit to send a packet; false when there is none.
    bool Take(Channel channel);

    std::uint32_t Available(Channel channel) const;

    // The channel was opened or closed: its count starts again from 0.
    void Reset(Channel channel);
    void ResetAll() { credits_.clear(); }

    void SetLargestOutstanding(std::uint32_t largest) { largestOutstanding_ = largest; }

private:
    static std::uint16_t Key(Channel channel) {
        return static_cast<std::uint16_t>((channel.psid << 8) | channel.ssid);
    }
    std::map<std::uint16_t, std::uint32_t> credits_;
    std::uint32_t largestOutstanding_ = 0xFFFF;
};

}  // namespace d4
