// How a host takes a port into the packet transport and out again (d4/README.md tells the whole
// sequence). Every host side of ours (the channel library, the packet transport library) uses these.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "protocol/PrinterCommandCodes.h"

namespace d4 {

// Written on the plain byte stream: the printer reads every byte after it as packets.
inline std::span<const std::uint8_t> EnterPacketModeBytes() {
    return std::span<const std::uint8_t>(protocol::packetmode::kEnter);
}

// The whole opening a host writes: the entry bytes and Init with the revision it speaks.
std::vector<std::uint8_t> PacketModeOpening(std::uint8_t revision);

// The closing a host writes: Exit on the transaction channel. The printer answers and is back on
// the plain byte stream after its reply.
std::vector<std::uint8_t> PacketModeClosing();

}  // namespace d4
