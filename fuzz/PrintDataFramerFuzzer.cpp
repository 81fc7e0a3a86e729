// The framing of print data that the printer model and the page renderer share, on any bytes. The
// last byte of the input says whether the printer's EEPROM takes two address bytes (bit 0).
//
// Properties, for the command at every place the input is framed from: the framer decides once and for
// all (every longer prefix gets the same answer); it never asks for more bytes than it needs to decide,
// and decides within the command's head (a Complete answer) or by the byte after the dropped ones (an
// Unknown answer), so a reader that offers bytes only as far as it is asked never holds more than one
// byte past an unknown command; every length is at least one byte, every head within the length and
// within the longest head; the commands of the input, framed one after another, always advance.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "protocol/PrintDataFramer.h"

namespace {

using protocol::framing::CommandFrame;
using protocol::framing::FrameCommand;
using protocol::framing::FrameStatus;

bool Same(const CommandFrame& a, const CommandFrame& b) {
    return a.status == b.status && a.length == b.length && a.head == b.head;
}

std::string Describe(std::span<const std::uint8_t> bytes, std::size_t given, const CommandFrame& frame) {
    const std::string status = frame.status == FrameStatus::Complete   ? "complete"
                               : frame.status == FrameStatus::NeedMore ? "need more"
                                                                       : "unknown";
    const std::size_t shown = std::min<std::size_t>(given, 24);
    return fuzz::Printable(std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(shown))) +
           " (" + std::to_string(given) + " bytes): " + status + " " + std::to_string(frame.length) + "/" +
           std::to_string(frame.head);
}

// The command at the front of data, asked with every prefix. Returns the decided frame on the whole of
// data, or a NeedMore one.
CommandFrame CheckPrefixes(std::span<const std::uint8_t> data, bool twoByte) {
    // Once decided, checking a few more prefixes and the whole is enough to see it stay decided.
    constexpr std::size_t kAfterDecision = 16;
    std::size_t decidedAt = 0;
    CommandFrame decided;
    std::size_t largestAsk = 0;
    for (std::size_t given = 1; given <= data.size(); ++given) {
        if (decidedAt != 0 && given > decidedAt + kAfterDecision && given != data.size()) {
            continue;
        }
        const CommandFrame frame = FrameCommand(data.first(given), twoByte);
        if (decidedAt != 0) {
            FUZZ_CHECK(Same(frame, decided),
                       Describe(data, given, frame) + " after " + Describe(data, decidedAt, decided));
            continue;
        }
        if (frame.status == FrameStatus::NeedMore) {
            FUZZ_CHECK(frame.length > given, Describe(data, given, frame));
            largestAsk = std::max(largestAsk, frame.length);
            continue;
        }
        decidedAt = given;
        decided = frame;
        FUZZ_CHECK(frame.length >= 1, Describe(data, given, frame));
        if (frame.status == FrameStatus::Complete) {
            FUZZ_CHECK(frame.head >= 1 && frame.head <= frame.length, Describe(data, given, frame));
            FUZZ_CHECK(frame.head <= protocol::framing::kLongestHead, Describe(data, given, frame));
            FUZZ_CHECK(given <= frame.head, "decided past its head: " + Describe(data, given, frame));
        } else {
            FUZZ_CHECK(frame.length <= given && given <= frame.length + 1,
                       "unknown decided late: " + Describe(data, given, frame));
        }
        FUZZ_CHECK(largestAsk <= given, "asked for " + std::to_string(largestAsk) +
                                            " bytes and decided with fewer: " + Describe(data, given, frame));
    }
    return decidedAt != 0 ? decided : FrameCommand(data, twoByte);
}

void CheckRemoteCommand(std::span<const std::uint8_t> data) {
    const CommandFrame frame = protocol::framing::FrameRemoteCommand(data);
    if (frame.status == FrameStatus::NeedMore) {
        FUZZ_CHECK(data.size() < 4 && frame.length == 4, Describe(data, data.size(), frame));
    } else {
        FUZZ_CHECK(frame.status == FrameStatus::Complete && frame.length >= 4 && frame.length <= 4 + 65535,
                   Describe(data, data.size(), frame));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::TailReader tail(bytes, size);
    const bool twoByte = (tail.Byte() & 1) != 0;
    const std::string_view rest = tail.Rest();
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
    CheckRemoteCommand(data);
    // The commands one after another, as the renderer reads them.
    std::size_t at = 0;
    while (at < data.size()) {
        const CommandFrame frame = CheckPrefixes(data.subspan(at), twoByte);
        if (frame.status == FrameStatus::NeedMore) {
            break;
        }
        FUZZ_CHECK(frame.length >= 1, Describe(data.subspan(at), data.size() - at, frame));
        at += std::min(frame.length, data.size() - at);
    }
    return 0;
}
