#include "ChannelSession.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "chanlink/ChanLink.h"
#include "d4/PacketMode.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "protocol/HexDigit.h"
#include "protocol/PrinterCommandCodes.h"

namespace chanlink {
namespace {

constexpr d4::Channel kControl{d4::kControlSocket, d4::kControlSocket};
constexpr d4::Channel kData{d4::kDataSocket, d4::kDataSocket};

// Bounds of one wait for an answer. Each receive of the port driver waits on the clock for its first
// byte; a printer that trickles bytes or sends packets nobody asked for cannot hold the caller longer
// than these many receives and packets.
constexpr int kLargestReceivesPerPacket = 16;
constexpr int kLargestPacketsPerAnswer = 8;
// Credit is asked for several packets at a time, so a run of requests costs one round trip each
// rather than two. A printer that grants none is asked again after a pause; it may be busy printing.
constexpr std::uint16_t kCreditAsked = 16;
constexpr int kCreditRequests = 3;
constexpr std::uint32_t kCreditPauseMilliseconds = 50;
constexpr std::uint32_t kReceiveWindow = 1024;

bool Cancelled(const std::uint8_t* cancel) {
    return cancel != nullptr && *cancel != 0;
}

using protocol::HexDigit;

// The value of `digits` hexadecimal characters at `at`, or -1.
int HexAt(std::string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int digit = HexDigit(text[at + i]);
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value;
}

void Append(std::vector<std::uint8_t>* bytes, const std::vector<std::uint8_t>& more) {
    bytes->insert(bytes->end(), more.begin(), more.end());
}

}  // namespace

void ChannelSession::Forget() {
    negotiated_ = false;
    reassembler_.Clear();
    credit_.ResetAll();
    dataAnswer_.clear();
    dataAnswerHeld_ = false;
}

std::uint32_t ChannelSession::Write(const std::vector<std::uint8_t>& bytes, const std::uint8_t* cancel) {
    const std::uint32_t result = link_.Send(bytes.data(), static_cast<std::uint32_t>(bytes.size()), cancel);
    if ((result & 0xFFFF) == status::kCancelled) {
        return status::kCancelled;
    }
    return (result & 0xFFFF) == status::kSuccess ? status::kSuccess : status::kPortFailure;
}

std::uint32_t ChannelSession::NextPacket(d4::Packet* packet, const std::uint8_t* cancel) {
    std::uint8_t window[kReceiveWindow];
    for (int receives = 0;;) {
        switch (reassembler_.Next(packet)) {
            case d4::Reassembler::Outcome::Packet:
                if (!d4::ChannelOf(packet->header).IsTransaction() && packet->header.credit > 0) {
                    credit_.Grant(d4::ChannelOf(packet->header), packet->header.credit);
                }
                return status::kSuccess;
            case d4::Reassembler::Outcome::BadLength:
                platform::DebugOutput("ChanLink: a packet length below the header size\n");
                return status::kBadReply;
            case d4::Reassembler::Outcome::NeedMore:
                break;
        }
        if (Cancelled(cancel)) {
            return status::kCancelled;
        }
        if (receives++ == kLargestReceivesPerPacket) {
            platform::DebugOutput("ChanLink: no whole packet came\n");
            return status::kBadReply;
        }
        std::uint32_t length = kReceiveWindow;
        if ((link_.Receive(window, &length) & 0xFFFF) != status::kSuccess) {
            return status::kPortFailure;
        }
        reassembler_.Feed(std::span<const std::uint8_t>(window, std::min(length, kReceiveWindow)));
    }
}

std::uint32_t ChannelSession::AwaitTransaction(std::uint8_t replyCommand, d4::Transaction* reply,
                                               const std::uint8_t* cancel) {
    for (int packets = 0; packets < kLargestPacketsPerAnswer; ++packets) {
        d4::Packet packet;
        const std::uint32_t result = NextPacket(&packet, cancel);
        if (result != status::kSuccess) {
            return result;
        }
        const d4::Channel channel = d4::ChannelOf(packet.header);
        if (channel == kData) {
            // The printer answered an earlier data request while we waited for this reply.
            dataAnswer_ = std::move(packet.payload);
            dataAnswerHeld_ = true;
            continue;
        }
        if (!channel.IsTransaction()) {
            continue;  // a late answer on the control channel; its request has given up on it
        }
        if (d4::DecodeTransaction(packet.payload, reply) != d4::DecodeProblem::None) {
            return status::kBadReply;
        }
        if (reply->command == d4::command::kError) {
            platform::DebugOutput("ChanLink: the printer sent an Error packet\n");
            return status::kBadReply;
        }
        if (reply->command != replyCommand) {
            return status::kBadReply;
        }
        return reply->result == d4::result::kSuccess ? status::kSuccess : status::kRefused;
    }
    return status::kBadReply;
}

std::uint32_t ChannelSession::AwaitData(std::uint8_t socket, std::vector<std::uint8_t>* payload,
                                        const std::uint8_t* cancel) {
    for (int packets = 0; packets < kLargestPacketsPerAnswer; ++packets) {
        d4::Packet packet;
        const std::uint32_t result = NextPacket(&packet, cancel);
        if (result != status::kSuccess) {
            return result;
        }
        const d4::Channel channel = d4::ChannelOf(packet.header);
        if (channel.IsTransaction()) {
            d4::Transaction message;
            if (d4::DecodeTransaction(packet.payload, &message) == d4::DecodeProblem::None &&
                message.command == d4::command::kError) {
                platform::DebugOutput("ChanLink: the printer sent an Error packet\n");
                return status::kBadReply;
            }
            continue;  // a transaction reply nobody waits for
        }
        if (channel.psid == socket && channel.ssid == socket) {
            *payload = std::move(packet.payload);
            return status::kSuccess;
        }
        if (channel == kData) {
            dataAnswer_ = std::move(packet.payload);
            dataAnswerHeld_ = true;
        }
    }
    return status::kBadReply;
}

std::uint32_t ChannelSession::EnsureCredit(std::uint8_t socket, const std::uint8_t* cancel) {
    const d4::Channel channel{socket, socket};
    for (int request = 0; credit_.Available(channel) == 0; ++request) {
        if (request == kCreditRequests) {
            platform::DebugOutput("ChanLink: the printer grants no credit\n");
            return status::kNoCredit;
        }
        if (request > 0) {
            platform::Clock().Sleep(kCreditPauseMilliseconds);
        }
        std::uint32_t result =
            Write(d4::EncodeTransactionPacket(d4::CreditRequest(channel, kCreditAsked, 0xFFFF)), cancel);
        d4::Transaction reply;
        if (result == status::kSuccess) {
            result = AwaitTransaction(d4::command::kCreditRequest | d4::command::kReplyBit, &reply, cancel);
        }
        if (result != status::kSuccess) {
            return result;
        }
        if (reply.credit > 0) {
            credit_.Grant(channel, reply.credit);
        }
    }
    return status::kSuccess;
}

std::uint32_t ChannelSession::Negotiate(const std::uint8_t* cancel) {
    if (Cancelled(cancel)) {
        return status::kCancelled;
    }
    Forget();
    // The entry bytes and Init go in one write; a printer in packet mode already takes the entry
    // bytes as a restart, so a session left open by a crashed host does not stand in the way.
    std::uint32_t result = Write(d4::PacketModeOpening(d4::kRevision20), cancel);
    d4::Transaction reply;
    if (result == status::kSuccess) {
        result = AwaitTransaction(d4::command::kInit | d4::command::kReplyBit, &reply, cancel);
    }
    if (result == status::kRefused && reply.result == d4::result::kRevisionNotSupported) {
        result = Write(d4::EncodeTransactionPacket(d4::InitRequest(d4::kRevision10)), cancel);
        if (result == status::kSuccess) {
            result = AwaitTransaction(d4::command::kInit | d4::command::kReplyBit, &reply, cancel);
        }
    }
    if (result != status::kSuccess) {
        return result;
    }
    // Both channels in one write. We grant no credit here: each request carries the one credit its
    // answer needs.
    std::vector<std::uint8_t> opening = d4::EncodeTransactionPacket(
        d4::OpenChannelRequest(kControl, kLargestHostPacket, kLargestPrinterPacket, 0, 0xFFFF));
    Append(&opening, d4::EncodeTransactionPacket(d4::OpenChannelRequest(kData, kLargestHostPacket,
                                                                        kLargestPrinterPacket, 0, 0xFFFF)));
    result = Write(opening, cancel);
    for (const d4::Channel channel : {kControl, kData}) {
        if (result == status::kSuccess) {
            result = AwaitTransaction(d4::command::kOpenChannel | d4::command::kReplyBit, &reply, cancel);
        }
        if (result == status::kSuccess && !(reply.channel == channel)) {
            result = status::kBadReply;
        }
        if (result == status::kSuccess && reply.credit > 0) {
            credit_.Grant(channel, reply.credit);
        }
    }
    negotiated_ = result == status::kSuccess;
    return result;
}

std::uint32_t ChannelSession::Terminate(const std::uint8_t* cancel) {
    if (Cancelled(cancel)) {
        // The next negotiation's entry bytes restart the printer's transport.
        Forget();
        return status::kCancelled;
    }
    if (!negotiated_) {
        return status::kNotNegotiated;
    }
    std::vector<std::uint8_t> closing = d4::EncodeTransactionPacket(d4::CloseChannelRequest(kControl));
    Append(&closing, d4::EncodeTransactionPacket(d4::CloseChannelRequest(kData)));
    Append(&closing, d4::PacketModeClosing());
    std::uint32_t result = Write(closing, cancel);
    d4::Transaction reply;
    for (const std::uint8_t command :
         {d4::command::kCloseChannel, d4::command::kCloseChannel, d4::command::kExit}) {
        if (result == status::kSuccess) {
            result = AwaitTransaction(command | d4::command::kReplyBit, &reply, cancel);
        }
    }
    Forget();
    return result;
}

std::uint32_t ChannelSession::ControlRequest(const std::vector<std::uint8_t>& request,
                                             std::vector<std::uint8_t>* answer, const std::uint8_t* cancel) {
    if (Cancelled(cancel)) {
        return status::kCancelled;
    }
    if (!negotiated_) {
        return status::kNotNegotiated;
    }
    std::uint32_t result = EnsureCredit(d4::kControlSocket, cancel);
    if (result != status::kSuccess) {
        return result;
    }
    // Credit 1 in the header: the printer may send its one answer packet.
    const auto packet = d4::EncodePacket(kControl, 1, d4::kControlEndOfMessage, request);
    credit_.Take(kControl);
    result = Write(*packet, cancel);
    return result == status::kSuccess ? AwaitData(d4::kControlSocket, answer, cancel) : result;
}

std::uint32_t ChannelSession::ReadEeprom(std::uint32_t address, std::uint8_t* value,
                                         const std::uint8_t* cancel) {
    const auto& read = protocol::controlcmd::kReadEeprom;
    const std::uint8_t family = protocol::controlcmd::kEepromFamily;
    const std::uint8_t byteAddress = static_cast<std::uint8_t>(address & 0xFF);
    const std::vector<std::uint8_t> request = {family,          family,          6,         0,
                                               commandCode_[0], commandCode_[1], read.code, read.complement,
                                               read.sub,        byteAddress};
    std::vector<std::uint8_t> answer;
    const std::uint32_t result = ControlRequest(request, &answer, cancel);
    if (result != status::kSuccess) {
        return result;
    }
    // "EE:00A2 VALUE:5A;": the address in four hexadecimal digits after the key, the value in the two
    // characters before the ';' that follows. An answer for another address is a late one.
    const std::string_view text(reinterpret_cast<const char*>(answer.data()), answer.size());
    if (text.find(":NA;") != std::string_view::npos) {
        return status::kRefused;
    }
    const std::size_t key = text.find("EE:");
    const std::size_t end = key == std::string_view::npos ? key : text.find(';', key);
    if (end == std::string_view::npos || end < key + 3 + 4 + 2) {
        return status::kBadReply;
    }
    const int answeredAddress = HexAt(text, key + 3, 4);
    const int byte = HexAt(text, end - 2, 2);
    if (answeredAddress != byteAddress || byte < 0) {
        return status::kBadReply;
    }
    if (value != nullptr) {
        *value = static_cast<std::uint8_t>(byte);
    }
    return status::kSuccess;
}

std::uint32_t ChannelSession::GetStatusReply(char* buffer, const std::uint8_t* cancel) {
    if (buffer == nullptr) {
        return status::kBadReply;
    }
    buffer[0] = '\0';
    const std::vector<std::uint8_t> request = {static_cast<std::uint8_t>(protocol::controlcmd::kStatus[0]),
                                               static_cast<std::uint8_t>(protocol::controlcmd::kStatus[1]), 1,
                                               0, 1};
    std::vector<std::uint8_t> answer;
    const std::uint32_t result = ControlRequest(request, &answer, cancel);
    if (result != status::kSuccess) {
        return result;
    }
    constexpr std::string_view kMarker = "@BDC ST";
    const std::string_view text(reinterpret_cast<const char*>(answer.data()), answer.size());
    if (text.substr(0, kMarker.size()) != kMarker) {
        return text.find(":NA;") != std::string_view::npos ? status::kRefused : status::kBadReply;
    }
    const std::size_t kept = std::min<std::size_t>(text.size(), kStatusBufferSize - 1);
    std::memcpy(buffer, text.data(), kept);
    buffer[kept] = '\0';
    return status::kSuccess;
}

std::uint32_t ChannelSession::SendData(const std::uint8_t* data, std::uint32_t count,
                                       const std::uint8_t* cancel) {
    if (Cancelled(cancel)) {
        return status::kCancelled;
    }
    if (!negotiated_) {
        return status::kNotNegotiated;
    }
    // A new request: an answer to an older one is no longer what the caller will ask for.
    dataAnswer_.clear();
    dataAnswerHeld_ = false;
    constexpr std::uint32_t kLargestPayload = kLargestHostPacket - d4::kHeaderSize;
    for (std::uint32_t sent = 0; sent < count;) {
        std::uint32_t result = EnsureCredit(d4::kDataSocket, cancel);
        if (result != status::kSuccess) {
            return result;
        }
        const std::uint32_t size = std::min(kLargestPayload, count - sent);
        const bool last = sent + size == count;
        // Only the last packet lets the printer answer, so that one request gets one answer.
        const auto packet = d4::EncodePacket(kData, last ? 1 : 0, d4::kControlEndOfMessage,
                                             std::span<const std::uint8_t>(data + sent, size));
        credit_.Take(kData);
        result = Write(*packet, cancel);
        if (result != status::kSuccess) {
            return result;
        }
        sent += size;
    }
    return status::kSuccess;
}

std::uint32_t ChannelSession::ReceiveData(std::uint8_t* buffer, std::uint32_t* received) {
    *received = 0;
    if (!negotiated_) {
        return status::kNotNegotiated;
    }
    if (!dataAnswerHeld_) {
        // Nothing came yet: let the printer send the one packet it has waiting, if any.
        std::uint32_t result = Write(d4::EncodeTransactionPacket(d4::CreditGrant(kData, 1)), nullptr);
        d4::Transaction reply;
        if (result == status::kSuccess) {
            result = AwaitTransaction(d4::command::kCredit | d4::command::kReplyBit, &reply, nullptr);
        }
        if (result == status::kSuccess && !dataAnswerHeld_) {
            result = AwaitData(d4::kDataSocket, &dataAnswer_, nullptr);
            dataAnswerHeld_ = result == status::kSuccess;
        }
        if (result != status::kSuccess) {
            return result;
        }
    }
    // A printer that sends more than the packet size it agreed to is cut, never let past the bound.
    const std::uint32_t kept =
        std::min<std::uint32_t>(static_cast<std::uint32_t>(dataAnswer_.size()), kLargestDataReply);
    if (buffer != nullptr && kept > 0) {
        std::memcpy(buffer, dataAnswer_.data(), kept);
    }
    *received = kept;
    dataAnswer_.clear();
    dataAnswerHeld_ = false;
    return status::kSuccess;
}

}  // namespace chanlink
