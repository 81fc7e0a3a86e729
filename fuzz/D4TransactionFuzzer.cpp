// The transaction channel's messages, every command's request and reply form and the Error packet,
// on any payload after a six-byte packet header (the input is a whole packet as it comes off the wire;
// its header is not looked at).
//
// Properties: an empty payload, an unknown command and a message shorter than its command's layout
// are told apart as such; a message that decodes holds the fields a reader of the layouts below finds
// at their places, and 0 in every field its command does not carry; encoding it gives the bytes it was
// read from (up to the end of the layout, or the whole payload for the commands that end in a service
// name; the close mode byte comes back as 0), and decoding that again gives the same message; the
// builder of its command makes the same message from its fields; its packet is the six-byte header of
// the transaction channel with one credit, then the payload. Once per run: a service name too long for
// one packet is cut so that the packet's length field still counts it.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "d4/Transaction.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The payload after the command byte, one letter a field: r result, v revision, p psid, s ssid,
// k socket, e error code, z the close mode byte (0); two bytes each, big-endian: h largest packet host
// to printer, g largest packet printer to host, c credit, o largest outstanding credit.
struct Layout {
    std::uint8_t command;
    std::string_view fields;
    bool named;  // the service name runs to the end of the payload
};

constexpr Layout kLayouts[] = {
    {0x00, "v", false},      {0x80, "rv", false},      // Init
    {0x01, "pshgco", false}, {0x81, "rpshgc", false},  // OpenChannel
    {0x02, "psz", false},    {0x82, "rps", false},     // CloseChannel
    {0x03, "psc", false},    {0x83, "rps", false},     // Credit
    {0x04, "psco", false},   {0x84, "rpsc", false},    // CreditRequest
    {0x08, "", false},       {0x88, "r", false},       // Exit
    {0x09, "", true},        {0x89, "rk", true},       // GetSocketID
    {0x0A, "k", false},      {0x8A, "rk", true},       // GetServiceName
    {0x7F, "pse", false},                              // Error, which has no reply
};

const Layout* LayoutOf(std::uint8_t command) {
    for (const Layout& layout : kLayouts) {
        if (layout.command == command) {
            return &layout;
        }
    }
    return nullptr;
}

std::size_t FixedLength(const Layout& layout) {
    std::size_t length = 0;
    for (const char field : layout.fields) {
        length += std::string_view("hgco").find(field) != std::string_view::npos ? 2 : 1;
    }
    return length;
}

// Reads the message from a payload long enough for its layout; canonical gets the bytes an encoder
// writes for it.
d4::Transaction ReadByLayout(const Layout& layout, std::span<const std::uint8_t> payload, Bytes* canonical) {
    d4::Transaction message;
    message.command = layout.command;
    canonical->assign(1, layout.command);
    std::size_t at = 1;
    for (const char field : layout.fields) {
        const std::uint8_t byte = payload[at];
        if (std::string_view("hgco").find(field) != std::string_view::npos) {
            const auto word = static_cast<std::uint16_t>(byte << 8 | payload[at + 1]);
            (field == 'h'   ? message.largestHostToPrinter
             : field == 'g' ? message.largestPrinterToHost
             : field == 'c' ? message.credit
                            : message.largestOutstandingCredit) = word;
            canonical->insert(canonical->end(), payload.begin() + static_cast<std::ptrdiff_t>(at),
                              payload.begin() + static_cast<std::ptrdiff_t>(at + 2));
            at += 2;
            continue;
        }
        switch (field) {
            case 'r':
                message.result = byte;
                break;
            case 'v':
                message.revision = byte;
                break;
            case 'p':
                message.channel.psid = byte;
                break;
            case 's':
                message.channel.ssid = byte;
                break;
            case 'k':
                message.socket = byte;
                break;
            case 'e':
                message.errorCode = byte;
                break;
            default:
                break;  // z
        }
        canonical->push_back(field == 'z' ? 0 : byte);
        ++at;
    }
    if (layout.named) {
        message.serviceName.assign(payload.begin() + static_cast<std::ptrdiff_t>(at), payload.end());
        canonical->insert(canonical->end(), payload.begin() + static_cast<std::ptrdiff_t>(at), payload.end());
    }
    return message;
}

std::string Describe(const d4::Transaction& m) {
    return "command " + std::to_string(m.command) + " result " + std::to_string(m.result) + " revision " +
           std::to_string(m.revision) + " channel " + std::to_string(m.channel.psid) + "," +
           std::to_string(m.channel.ssid) + " sizes " + std::to_string(m.largestHostToPrinter) + "," +
           std::to_string(m.largestPrinterToHost) + " credit " + std::to_string(m.credit) + " outstanding " +
           std::to_string(m.largestOutstandingCredit) + " socket " + std::to_string(m.socket) + " name \"" +
           fuzz::Printable(m.serviceName) + "\" error " + std::to_string(m.errorCode);
}

bool Same(const d4::Transaction& a, const d4::Transaction& b) {
    return a.command == b.command && a.result == b.result && a.revision == b.revision &&
           a.channel == b.channel && a.largestHostToPrinter == b.largestHostToPrinter &&
           a.largestPrinterToHost == b.largestPrinterToHost && a.credit == b.credit &&
           a.largestOutstandingCredit == b.largestOutstandingCredit && a.socket == b.socket &&
           a.serviceName == b.serviceName && a.errorCode == b.errorCode;
}

// The message as the builders make it from the fields its command carries.
d4::Transaction Rebuilt(const d4::Transaction& m) {
    switch (m.command) {
        case 0x00:
            return d4::InitRequest(m.revision);
        case 0x80:
            return d4::InitReply(m.result, m.revision);
        case 0x01:
            return d4::OpenChannelRequest(m.channel, m.largestHostToPrinter, m.largestPrinterToHost, m.credit,
                                          m.largestOutstandingCredit);
        case 0x81:
            return d4::OpenChannelReply(m.result, m.channel, m.largestHostToPrinter, m.largestPrinterToHost,
                                        m.credit);
        case 0x02:
            return d4::CloseChannelRequest(m.channel);
        case 0x82:
            return d4::CloseChannelReply(m.result, m.channel);
        case 0x03:
            return d4::CreditGrant(m.channel, m.credit);
        case 0x83:
            return d4::CreditGrantReply(m.result, m.channel);
        case 0x04:
            return d4::CreditRequest(m.channel, m.credit, m.largestOutstandingCredit);
        case 0x84:
            return d4::CreditRequestReply(m.result, m.channel, m.credit);
        case 0x08:
            return d4::ExitRequest();
        case 0x88:
            return d4::ExitReply(m.result);
        case 0x09:
            return d4::GetSocketIdRequest(m.serviceName);
        case 0x89:
            return d4::GetSocketIdReply(m.result, m.socket, m.serviceName);
        case 0x0A:
            return d4::GetServiceNameRequest(m.socket);
        case 0x8A:
            return d4::GetServiceNameReply(m.result, m.socket, m.serviceName);
        default:
            return d4::ErrorPacket(m.channel, m.errorCode);
    }
}

void CheckLongestName() {
    const Bytes packet =
        d4::EncodeTransactionPacket(d4::GetSocketIdRequest(std::string(d4::kLargestPayload, 'N')));
    FUZZ_CHECK(packet.size() == d4::kLargestPacket, "a name too long for a packet was not cut to fit");
    FUZZ_CHECK(packet[2] == 0xFF && packet[3] == 0xFF, "the cut packet's length does not count it");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool longestChecked = (CheckLongestName(), true);
    (void)longestChecked;
    if (size < d4::kHeaderSize) {
        return 0;
    }
    const Bytes payload(data + d4::kHeaderSize, data + size);  // exactly its size, for the sanitizers
    const std::string shown =
        fuzz::Printable(std::string_view(reinterpret_cast<const char*>(payload.data()), payload.size()));
    d4::Transaction decoded;
    decoded.credit = 0x5A5A;  // whatever the caller's message held must not show through
    const d4::DecodeProblem problem = d4::DecodeTransaction(payload, &decoded);
    if (payload.empty()) {
        FUZZ_CHECK(problem == d4::DecodeProblem::Empty, "an empty payload is not reported as such");
        FUZZ_CHECK(Same(decoded, d4::Transaction{}),
                   "an empty payload left fields set: " + Describe(decoded));
        return 0;
    }
    const Layout* layout = LayoutOf(payload[0]);
    if (layout == nullptr) {
        FUZZ_CHECK(problem == d4::DecodeProblem::UnknownCommand, shown + ": an unknown command was taken");
        d4::Transaction expected;
        expected.command = payload[0];
        FUZZ_CHECK(Same(decoded, expected),
                   shown + ": an unknown command left fields set: " + Describe(decoded));
        return 0;
    }
    if (payload.size() - 1 < FixedLength(*layout)) {
        FUZZ_CHECK(problem == d4::DecodeProblem::Truncated, shown + ": a message cut short was not reported");
        return 0;
    }
    FUZZ_CHECK(problem == d4::DecodeProblem::None, shown + ": a whole message was refused");
    Bytes canonical;
    const d4::Transaction expected = ReadByLayout(*layout, payload, &canonical);
    FUZZ_CHECK(Same(decoded, expected),
               shown + ": decoded " + Describe(decoded) + ", the layout says " + Describe(expected));
    FUZZ_CHECK(decoded.IsReply() == ((payload[0] & d4::command::kReplyBit) != 0),
               shown + ": a request taken for a reply or the other way round");

    const Bytes encoded = d4::EncodeTransaction(decoded);
    FUZZ_CHECK(encoded == canonical, shown + ": encoding the message did not give its bytes back");
    d4::Transaction again;
    FUZZ_CHECK(d4::DecodeTransaction(encoded, &again) == d4::DecodeProblem::None && Same(again, decoded),
               shown + ": decoding the encoded message gave " + Describe(again));
    const d4::Transaction rebuilt = Rebuilt(decoded);
    FUZZ_CHECK(Same(rebuilt, decoded), shown + ": the builder makes " + Describe(rebuilt));

    const Bytes packet = d4::EncodeTransactionPacket(decoded);
    const std::size_t length = d4::kHeaderSize + encoded.size();
    Bytes expectedPacket{0x00,
                         0x00,
                         static_cast<std::uint8_t>(length >> 8),
                         static_cast<std::uint8_t>(length),
                         0x01,
                         d4::kControlNormal};
    expectedPacket.insert(expectedPacket.end(), encoded.begin(), encoded.end());
    FUZZ_CHECK(packet == expectedPacket, shown + ": the transaction packet is not header and payload");
    return 0;
}
