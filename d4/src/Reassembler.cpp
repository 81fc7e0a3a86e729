#include "d4/Reassembler.h"

namespace d4 {

void Reassembler::Feed(std::span<const std::uint8_t> bytes) {
    // Consumed bytes are dropped before new ones are added, so the buffer holds at most the unfinished
    // packet and the new bytes.
    if (start_ > 0) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

Reassembler::Outcome Reassembler::Next(Packet* packet) {
    const std::span<const std::uint8_t> pending = Pending();
    if (pending.size() < kHeaderSize) {
        return Outcome::NeedMore;
    }
    const Header header = DecodeHeader(pending.first<kHeaderSize>());
    if (header.length < kHeaderSize) {
        Clear();
        return Outcome::BadLength;
    }
    if (pending.size() < header.length) {
        return Outcome::NeedMore;
    }
    packet->header = header;
    packet->payload.assign(pending.begin() + kHeaderSize, pending.begin() + header.length);
    start_ += header.length;
    return Outcome::Packet;
}

void Reassembler::Clear() {
    buffer_.clear();
    start_ = 0;
}

void Reassembler::Skip(std::size_t count) {
    start_ += std::min(count, Buffered());
}

}  // namespace d4
