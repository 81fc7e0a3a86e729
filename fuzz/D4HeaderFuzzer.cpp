// The packet header of the transport, on any six bytes and whatever follows them.
//
// Properties: the decoded fields are the bytes as they stand, the length big-endian; a packet encoded
// from the decoded header and the bytes after it decodes to the same socket pair, credit and control,
// with the length of what was encoded, and carries those bytes unchanged; an input whose length field
// counts exactly its bytes comes back byte for byte; the largest payload the length field can count is
// encoded and one byte more is refused (checked once per run).
#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "d4/Packet.h"

namespace {

std::string Shown(const std::uint8_t* data, std::size_t size) {
    return fuzz::Printable(std::string_view(reinterpret_cast<const char*>(data), size));
}

void CheckLargestPayload() {
    const std::vector<std::uint8_t> largest(d4::kLargestPayload + 1, 0xA5);
    const std::span<const std::uint8_t> bytes(largest);
    const std::optional<std::vector<std::uint8_t>> packet = d4::EncodePacket(
        d4::Channel{d4::kDataSocket, d4::kDataSocket}, 0, 0, bytes.first(d4::kLargestPayload));
    FUZZ_CHECK(packet.has_value() && packet->size() == d4::kLargestPacket, "the largest payload was refused");
    FUZZ_CHECK((*packet)[2] == 0xFF && (*packet)[3] == 0xFF, "the largest packet's length is not FFFF");
    FUZZ_CHECK(!d4::EncodePacket(d4::Channel{}, 0, 0, bytes).has_value(),
               "a payload the length field cannot count was encoded");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool largestChecked = (CheckLargestPayload(), true);
    (void)largestChecked;
    if (size < d4::kHeaderSize) {
        return 0;
    }
    const std::vector<std::uint8_t> input(data, data + size);  // exactly its size, for the sanitizers
    const std::span<const std::uint8_t> bytes(input);
    const d4::Header header = d4::DecodeHeader(bytes.first<d4::kHeaderSize>());
    const std::string shown = Shown(data, d4::kHeaderSize);
    FUZZ_CHECK(header.psid == data[0] && header.ssid == data[1], shown + ": the socket pair differs");
    FUZZ_CHECK(header.length == data[2] * 256 + data[3], shown + ": the length is not big-endian");
    FUZZ_CHECK(header.credit == data[4] && header.control == data[5], shown + ": credit or control differs");
    const d4::Channel channel = d4::ChannelOf(header);
    FUZZ_CHECK(channel.IsTransaction() == (data[0] == 0 && data[1] == 0),
               shown + ": the transaction channel is socket pair 0, 0 and no other");

    const std::span<const std::uint8_t> payload = bytes.subspan(d4::kHeaderSize);
    const std::optional<std::vector<std::uint8_t>> packet =
        d4::EncodePacket(channel, header.credit, header.control, payload);
    if (payload.size() > d4::kLargestPayload) {
        FUZZ_CHECK(!packet.has_value(), shown + ": a payload the length field cannot count was encoded");
        return 0;
    }
    FUZZ_CHECK(packet.has_value() && packet->size() == size, shown + ": the packet was not encoded whole");
    const d4::Header again =
        d4::DecodeHeader(std::span<const std::uint8_t>(*packet).first<d4::kHeaderSize>());
    FUZZ_CHECK(
        d4::ChannelOf(again) == channel && again.credit == header.credit && again.control == header.control,
        shown + ": the encoded header lost a field");
    FUZZ_CHECK(again.length == size, shown + ": the encoded length is not the packet's size");
    FUZZ_CHECK(std::equal(payload.begin(), payload.end(), packet->begin() + d4::kHeaderSize),
               shown + ": the payload changed");
    if (header.length == size) {
        FUZZ_CHECK(*packet == input, shown + ": a whole packet did not come back byte for byte");
    }
    return 0;
}
