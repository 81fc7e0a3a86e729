#include "d4/Packet.h"

#include <algorithm>

namespace d4 {

Header DecodeHeader(std::span<const std::uint8_t, kHeaderSize> bytes) {
    Header header;
    header.psid = bytes[0];
    header.ssid = bytes[1];
    header.length = static_cast<std::uint16_t>((bytes[2] << 8) | bytes[3]);
    header.credit = bytes[4];
    header.control = bytes[5];
    return header;
}

std::optional<std::vector<std::uint8_t>> EncodePacket(Channel channel, std::uint8_t credit,
                                                      std::uint8_t control,
                                                      std::span<const std::uint8_t> payload) {
    if (payload.size() > kLargestPayload) {
        return std::nullopt;
    }
    const std::size_t length = kHeaderSize + payload.size();
    std::vector<std::uint8_t> packet;
    packet.reserve(length);
    packet.push_back(channel.psid);
    packet.push_back(channel.ssid);
    packet.push_back(static_cast<std::uint8_t>(length >> 8));
    packet.push_back(static_cast<std::uint8_t>(length & 0xFF));
    packet.push_back(credit);
    packet.push_back(control);
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

}  // namespace d4
