// Cuts a byte stream into packets. A read returns whatever the port had, so a packet may arrive in
// pieces and one read may carry several packets; the reassembler keeps the incomplete tail. Pure.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "d4/Packet.h"

namespace d4 {

class Reassembler {
public:
    enum class Outcome {
        Packet,     // *packet holds the next whole packet
        NeedMore,   // no whole packet yet
        BadLength,  // a header with a length below the header size; the buffered bytes are dropped
    };

    void Feed(std::span<const std::uint8_t> bytes);

    // Takes the next whole packet out of the buffer.
    Outcome Next(Packet* packet);

    // The bytes that wait for the rest of their packet; never more than one largest packet plus the
    // last feed.
    std::size_t Buffered() const { return buffer_.size() - start_; }

    // Forgets everything buffered (the transport restarted).
    void Clear();

    // The first bytes buffered, for a caller that looks for a restart marker at a packet boundary.
    std::span<const std::uint8_t> Pending() const {
        return std::span<const std::uint8_t>(buffer_).subspan(start_);
    }
    void Skip(std::size_t count);

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
};

}  // namespace d4
