// The reassembler, on any byte stream fed in pieces whose sizes the input gives.
//
// Input: the stream, then the control bytes: the piece sizes (up to 15 bytes, each a piece of 0 to
// 255 bytes, used in turn; none, or all 0, feeds the stream at once), their count, and a mode byte
// whose bit 0 skips the restart marker where a packet would begin, as the printer does.
//
// Properties, after every feed and every packet taken: the buffered bytes are those fed and not yet
// taken, skipped or dropped; a packet is never longer or shorter than its header says and is the next
// bytes of the stream exactly (none made up, none left out); more is asked for only while the bytes
// buffered are fewer than a header or than the header's length; a length below the header size is
// refused only when the header says so, and drops everything buffered; cutting the stream into other
// pieces gives the same packets up to the first refused length, which comes at the same place.
#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "d4/Reassembler.h"
#include "protocol/PrinterCommandCodes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Outcome = d4::Reassembler::Outcome;

struct Run {
    std::vector<d4::Packet> packets;  // up to the first refused length
    std::size_t refusedAt = 0;        // where that header began in the stream, when refused
    bool refused = false;
};

std::size_t LengthAt(const Bytes& stream, std::size_t at) {
    return static_cast<std::size_t>(stream[at + 2] << 8 | stream[at + 3]);
}

bool SamePacket(const d4::Packet& a, const d4::Packet& b) {
    return a.header.psid == b.header.psid && a.header.ssid == b.header.ssid &&
           a.header.length == b.header.length && a.header.credit == b.header.credit &&
           a.header.control == b.header.control && a.payload == b.payload;
}

Run Reassemble(const Bytes& stream, const std::vector<std::size_t>& pieces, bool skipMarkers) {
    const std::span<const std::uint8_t> marker(protocol::packetmode::kEnter);
    d4::Reassembler reassembler;
    Run run;
    std::size_t fed = 0;
    std::size_t taken = 0;  // where the reassembler's next packet begins in the stream
    for (std::size_t index = 0; fed < stream.size() || index == 0; ++index) {
        const std::size_t piece = std::min(pieces[index % pieces.size()], stream.size() - fed);
        reassembler.Feed(std::span<const std::uint8_t>(stream).subspan(fed, piece));
        fed += piece;
        for (;;) {
            // Only built when a property fails.
            const auto where = [&] {
                return "at " + std::to_string(taken) + " of " + std::to_string(fed) + " fed";
            };
            FUZZ_CHECK(reassembler.Buffered() == fed - taken,
                       where() + ": buffered " + std::to_string(reassembler.Buffered()));
            const std::span<const std::uint8_t> pending = reassembler.Pending();
            // The front is what callers look at for the restart marker; the rest is checked packet by
            // packet below.
            const std::size_t front = std::min(pending.size(), d4::kHeaderSize);
            FUZZ_CHECK(pending.size() == fed - taken &&
                           std::equal(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(front),
                                      stream.begin() + static_cast<std::ptrdiff_t>(taken)),
                       where() + ": the pending bytes are not the stream's");
            if (skipMarkers && pending.size() >= marker.size() &&
                std::equal(marker.begin(), marker.end(), pending.begin())) {
                reassembler.Skip(marker.size());
                taken += marker.size();
                continue;
            }
            d4::Packet packet;
            packet.payload.assign(3, 0xEE);  // what the caller's packet held must not show through
            const Outcome outcome = reassembler.Next(&packet);
            const std::size_t available = fed - taken;
            if (outcome == Outcome::NeedMore) {
                FUZZ_CHECK(available < d4::kHeaderSize || available < LengthAt(stream, taken),
                           where() + ": more asked for with a whole packet buffered");
                FUZZ_CHECK(available < d4::kHeaderSize || LengthAt(stream, taken) >= d4::kHeaderSize,
                           where() + ": a length below the header size waits for more");
                break;
            }
            FUZZ_CHECK(available >= d4::kHeaderSize,
                       where() + ": a packet or a refusal without a whole header");
            const std::size_t length = LengthAt(stream, taken);
            if (outcome == Outcome::BadLength) {
                FUZZ_CHECK(length < d4::kHeaderSize,
                           where() + ": length " + std::to_string(length) + " refused");
                FUZZ_CHECK(reassembler.Buffered() == 0, where() + ": a refused length left bytes buffered");
                if (!run.refused) {
                    run.refused = true;
                    run.refusedAt = taken;
                }
                taken = fed;
                break;
            }
            FUZZ_CHECK(outcome == Outcome::Packet, where() + ": an unknown outcome");
            FUZZ_CHECK(length >= d4::kHeaderSize && length <= available,
                       where() + ": a packet of length " + std::to_string(length) + " out of " +
                           std::to_string(available) + " bytes");
            FUZZ_CHECK(packet.header.length == length && packet.payload.size() + d4::kHeaderSize == length,
                       where() + ": the packet is not as long as its header says");
            const d4::Header header = d4::DecodeHeader(
                std::span<const std::uint8_t>(stream).subspan(taken).first<d4::kHeaderSize>());
            const auto payloadAt = stream.begin() + static_cast<std::ptrdiff_t>(taken + d4::kHeaderSize);
            FUZZ_CHECK(
                SamePacket(packet,
                           d4::Packet{header, Bytes(payloadAt, payloadAt + static_cast<std::ptrdiff_t>(
                                                                               length - d4::kHeaderSize))}),
                where() + ": the packet is not the stream's next bytes");
            taken += length;
            if (!run.refused) {
                run.packets.push_back(std::move(packet));
            }
        }
    }
    FUZZ_CHECK(fed == stream.size() && reassembler.Buffered() == fed - taken, "the stream was not fed whole");
    return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TailReader control(data, size);
    const bool skipMarkers = (control.Byte() & 0x01) != 0;
    const std::string sizes = control.Text(15);
    const std::string_view rest = control.Rest();
    const Bytes stream(rest.begin(), rest.end());

    std::vector<std::size_t> pieces;
    for (const char c : sizes) {
        pieces.push_back(static_cast<std::uint8_t>(c));
    }
    const std::vector<std::size_t> whole{stream.size()};
    if (std::none_of(pieces.begin(), pieces.end(), [](std::size_t piece) { return piece != 0; })) {
        pieces = whole;
    }
    const Run cut = Reassemble(stream, pieces, skipMarkers);
    const Run once = Reassemble(stream, whole, skipMarkers);
    FUZZ_CHECK(cut.refused == once.refused && (!cut.refused || cut.refusedAt == once.refusedAt),
               "a length was refused in one cutting of the stream and not in the other");
    FUZZ_CHECK(cut.packets.size() == once.packets.size() &&
                   std::equal(cut.packets.begin(), cut.packets.end(), once.packets.begin(), SamePacket),
               "the packets depend on how the stream was cut");
    return 0;
}
