// A printer of the family on IEEE 1394, as the maker's 1394 driver presents it: the driver's device
// requests (protocol::ieee1394) find the control service by name, open channels to it and carry
// control commands to the printer's control-command decoder and its answers back; the lock and
// unlock frame the host's plain writes. The plain writes and reads themselves are the printer's plain
// stream (VirtualPrinter::Write and Read), which answers production commands and takes print data.
// One unit per open port: closing the port drops its channels. Not thread-safe; the owner serialises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "vprinter/model/PrinterCore.h"
#include "vprinter/model/StreamInterpreter.h"

namespace vprinter {

class Ieee1394Unit {
public:
    enum class Outcome {
        Done,
        Refused,  // the driver fails the request (an unknown service, handle or socket, a short block)
        Unknown,  // not a request of the 1394 driver
    };

    explicit Ieee1394Unit(PrinterCore& core) : core_(core) {}

    // One device request: the input block, and the output buffer of `capacity` bytes, which the
    // direct-I/O requests also read (the lookup block, the bytes of a write). *returned gets the
    // count the driver reports: the bytes it gave, or for a read without a buffer the waiting length.
    Outcome Request(std::uint32_t code, std::span<const std::uint8_t> input, std::uint8_t* output,
                    std::uint32_t capacity, std::uint32_t* returned);

    bool Locked() const { return locked_; }
    std::size_t OpenChannels() const { return channels_.size(); }
    // Lookups not released yet.
    std::size_t HeldSockets() const;

    // A host that never closes what it opens runs out of channels, as with the real driver.
    static constexpr std::size_t kLargestChannels = 8;
    // Answers held on one channel; beyond this the printer drops new ones.
    static constexpr std::size_t kLargestWaiting = 64 * 1024;

private:
    struct Answer {
        std::vector<std::uint8_t> bytes;
        std::uint32_t dueTick = 0;
    };
    struct Channel {
        ControlChannelDecoder decoder;
        std::deque<Answer> answers;
        std::size_t waiting = 0;
    };

    Outcome LookUp(std::uint8_t* output, std::uint32_t capacity, std::uint32_t* returned);
    Outcome OpenChannel(std::span<const std::uint8_t> input, std::uint8_t* output, std::uint32_t capacity,
                        std::uint32_t* returned);
    Outcome Write(std::span<const std::uint8_t> input, const std::uint8_t* output, std::uint32_t capacity,
                  std::uint32_t* returned);
    Outcome Read(std::span<const std::uint8_t> input, std::uint8_t* output, std::uint32_t capacity,
                 std::uint32_t* returned);
    Outcome CloseChannel(std::span<const std::uint8_t> input);
    Outcome ReleaseSocket(std::span<const std::uint8_t> input);
    void QueueAnswer(Channel& channel, std::vector<std::uint8_t> bytes);
    // Answer bytes due now at the front of the channel's queue.
    std::size_t DueBytes(const Channel& channel) const;

    PrinterCore& core_;
    std::map<std::uint32_t, Channel> channels_;
    std::map<std::uint8_t, std::size_t> heldSockets_;
    std::uint32_t nextHandle_ = 1;
    bool locked_ = false;
};

}  // namespace vprinter
