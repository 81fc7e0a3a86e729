// IEEE 1284.4 packets: a six-byte header and a payload. Every multi-byte number on this wire is
// big-endian. Pure: no I/O, no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace d4 {

inline constexpr std::size_t kHeaderSize = 6;
// The length field counts the header, so a packet is never shorter than its header and never longer
// than the field can say.
inline constexpr std::size_t kLargestPacket = 0xFFFF;
inline constexpr std::size_t kLargestPayload = kLargestPacket - kHeaderSize;

// Socket 0 on both ends is the transaction channel that opens and closes the others.
inline constexpr std::uint8_t kTransactionSocket = 0x00;
// The printer family's two service sockets: control commands and their replies, and print data with
// the production commands.
inline constexpr std::uint8_t kControlSocket = 0x02;
inline constexpr std::uint8_t kDataSocket = 0x40;

// Control byte values. The hosts of this family set bit 0 on data packets that end a message (a whole
// command); the printer sets it on each reply. Nothing else of the byte is used.
inline constexpr std::uint8_t kControlNormal = 0x00;
inline constexpr std::uint8_t kControlEndOfMessage = 0x01;

struct Header {
    std::uint8_t psid = 0;     // primary socket id: the host's socket of the channel
    std::uint8_t ssid = 0;     // secondary socket id: the printer's socket of the channel
    std::uint16_t length = 0;  // the whole packet, header included
    std::uint8_t credit = 0;   // credit piggybacked for the reverse direction of this channel
    std::uint8_t control = 0;
};

struct Packet {
    Header header;
    std::vector<std::uint8_t> payload;
};

// A channel is named by its socket pair; this family always uses equal ids.
struct Channel {
    std::uint8_t psid = 0;
    std::uint8_t ssid = 0;
    bool operator==(const Channel&) const = default;
    bool IsTransaction() const { return psid == kTransactionSocket && ssid == kTransactionSocket; }
};

inline Channel ChannelOf(const Header& header) {
    return Channel{header.psid, header.ssid};
}

// The header of the first six bytes; the length is taken as it stands (the caller checks it).
Header DecodeHeader(std::span<const std::uint8_t, kHeaderSize> bytes);

// A whole packet with the length filled in. A payload longer than kLargestPayload gives nullopt.
std::optional<std::vector<std::uint8_t>> EncodePacket(Channel channel, std::uint8_t credit,
                                                      std::uint8_t control,
                                                      std::span<const std::uint8_t> payload);

}  // namespace d4
