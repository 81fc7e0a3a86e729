#include "d4/Transaction.h"

#include "d4/PacketMode.h"

namespace d4 {
namespace {

// Fills a buffer sized for the longest message by index: the fixed part of every message is at most
// eleven bytes, the service name follows.
class Writer {
public:
    explicit Writer(std::size_t nameLength) : bytes_(12 + nameLength) {}
    void Byte(std::uint8_t value) { bytes_[size_++] = value; }
    void Word(std::uint16_t value) {
        Byte(static_cast<std::uint8_t>(value >> 8));
        Byte(static_cast<std::uint8_t>(value & 0xFF));
    }
    void Text(const std::string& text) {
        for (char c : text) {
            Byte(static_cast<std::uint8_t>(c));
        }
    }
    std::vector<std::uint8_t> Take() {
        bytes_.resize(size_);
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t size_ = 0;
};

std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

void PutChannel(Writer& out, Channel channel) {
    out.Byte(channel.psid);
    out.Byte(channel.ssid);
}

// The bytes each command needs after its command byte, requests and replies. A message shorter than
// this is truncated; a longer one carries bytes the printer family does not use.
std::size_t FixedLength(std::uint8_t command) {
    switch (command) {
        case command::kInit:
            return 1;  // revision
        case command::kInit | command::kReplyBit:
            return 2;  // result, revision
        case command::kOpenChannel:
            return 10;  // psid, ssid, two sizes, credit, largest outstanding credit
        case command::kOpenChannel | command::kReplyBit:
            return 9;  // result, psid, ssid, two sizes, credit
        case command::kCloseChannel:
            return 3;  // psid, ssid, a close mode byte (always 0)
        case command::kCloseChannel | command::kReplyBit:
        case command::kCredit | command::kReplyBit:
            return 3;  // result, psid, ssid
        case command::kCredit:
            return 4;  // psid, ssid, credit
        case command::kCreditRequest:
            return 6;  // psid, ssid, credit asked, largest outstanding credit
        case command::kCreditRequest | command::kReplyBit:
            return 5;  // result, psid, ssid, credit granted
        case command::kExit:
            return 0;
        case command::kExit | command::kReplyBit:
            return 1;
        case command::kGetSocketId:
            return 0;  // the service name follows
        case command::kGetSocketId | command::kReplyBit:
        case command::kGetServiceName | command::kReplyBit:
            return 2;  // result, socket, then the name
        case command::kGetServiceName:
            return 1;
        case command::kError:
            return 3;  // psid, ssid, error code
        default:
            return 0;
    }
}

bool IsKnown(std::uint8_t command) {
    switch (command & ~command::kReplyBit) {
        case command::kInit:
        case command::kOpenChannel:
        case command::kCloseChannel:
        case command::kCredit:
        case command::kCreditRequest:
        case command::kExit:
        case command::kGetSocketId:
        case command::kGetServiceName:
            return true;
        default:
            return command == command::kError;
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeTransaction(const Transaction& message) {
    Writer out(message.serviceName.size());
    out.Byte(message.command);
    const bool reply = message.IsReply();
    if (reply) {
        out.Byte(message.result);
    }
    switch (message.command & ~command::kReplyBit) {
        case command::kInit:
            out.Byte(message.revision);
            break;
        case command::kOpenChannel:
            PutChannel(out, message.channel);
            out.Word(message.largestHostToPrinter);
            out.Word(message.largestPrinterToHost);
            out.Word(message.credit);
            if (!reply) {
                out.Word(message.largestOutstandingCredit);
            }
            break;
        case command::kCloseChannel:
            PutChannel(out, message.channel);
            if (!reply) {
                out.Byte(0);
            }
            break;
        case command::kCredit:
            PutChannel(out, message.channel);
            if (!reply) {
                out.Word(message.credit);
            }
            break;
        case command::kCreditRequest:
            PutChannel(out, message.channel);
            out.Word(message.credit);
            if (!reply) {
                out.Word(message.largestOutstandingCredit);
            }
            break;
        case command::kExit:
            break;
        case command::kGetSocketId:
            if (reply) {
                out.Byte(message.socket);
            }
            out.Text(message.serviceName);
            break;
        case command::kGetServiceName:
            out.Byte(message.socket);
            if (reply) {
                out.Text(message.serviceName);
            }
            break;
        case command::kError & ~command::kReplyBit:
            PutChannel(out, message.channel);
            out.Byte(message.errorCode);
            break;
        default:
            break;
    }
    return out.Take();
}

std::vector<std::uint8_t> EncodeTransactionPacket(const Transaction& message) {
    const std::vector<std::uint8_t> payload = EncodeTransaction(message);
    // A transaction payload is a few bytes plus a service name; only an absurd name could pass the
    // packet's largest payload, and it is cut to fit.
    const std::size_t size = std::min(payload.size(), kLargestPayload);
    return *EncodePacket(Channel{kTransactionSocket, kTransactionSocket}, 1, kControlNormal,
                         std::span<const std::uint8_t>(payload.data(), size));
}

DecodeProblem DecodeTransaction(std::span<const std::uint8_t> payload, Transaction* message) {
    *message = Transaction{};
    if (payload.empty()) {
        return DecodeProblem::Empty;
    }
    message->command = payload[0];
    if (!IsKnown(message->command)) {
        return DecodeProblem::UnknownCommand;
    }
    const std::span<const std::uint8_t> body = payload.subspan(1);
    if (body.size() < FixedLength(message->command)) {
        return DecodeProblem::Truncated;
    }
    const bool reply = message->IsReply();
    std::size_t at = 0;
    if (reply) {
        message->result = body[at++];
    }
    auto channel = [&] {
        message->channel = Channel{body[at], body[at + 1]};
        at += 2;
    };
    switch (message->command & ~command::kReplyBit) {
        case command::kInit:
            message->revision = body[at];
            break;
        case command::kOpenChannel:
            channel();
            message->largestHostToPrinter = Get16(body, at);
            message->largestPrinterToHost = Get16(body, at + 2);
            message->credit = Get16(body, at + 4);
            if (!reply) {
                message->largestOutstandingCredit = Get16(body, at + 6);
            }
            break;
        case command::kCloseChannel:
            channel();
            break;
        case command::kCredit:
            channel();
            if (!reply) {
                message->credit = Get16(body, at);
            }
            break;
        case command::kCreditRequest:
            channel();
            message->credit = Get16(body, at);
            if (!reply) {
                message->largestOutstandingCredit = Get16(body, at + 2);
            }
            break;
        case command::kExit:
            break;
        case command::kGetSocketId:
            if (reply) {
                message->socket = body[at++];
            }
            message->serviceName.assign(body.begin() + static_cast<std::ptrdiff_t>(at), body.end());
            break;
        case command::kGetServiceName:
            message->socket = body[at++];
            if (reply) {
                message->serviceName.assign(body.begin() + static_cast<std::ptrdiff_t>(at), body.end());
            }
            break;
        case command::kError & ~command::kReplyBit:
            channel();
            message->errorCode = body[at];
            break;
        default:
            break;
    }
    return DecodeProblem::None;
}

Transaction InitRequest(std::uint8_t revision) {
    Transaction t;
    t.command = command::kInit;
    t.revision = revision;
    return t;
}

Transaction InitReply(std::uint8_t resultCode, std::uint8_t revision) {
    Transaction t = InitRequest(revision);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    return t;
}

Transaction OpenChannelRequest(Channel channel, std::uint16_t largestHostToPrinter,
                               std::uint16_t largestPrinterToHost, std::uint16_t credit,
                               std::uint16_t largestOutstandingCredit) {
    Transaction t;
    t.command = command::kOpenChannel;
    t.channel = channel;
    t.largestHostToPrinter = largestHostToPrinter;
    t.largestPrinterToHost = largestPrinterToHost;
    t.credit = credit;
    t.largestOutstandingCredit = largestOutstandingCredit;
    return t;
}

Transaction OpenChannelReply(std::uint8_t resultCode, Channel channel, std::uint16_t largestHostToPrinter,
                             std::uint16_t largestPrinterToHost, std::uint16_t credit) {
    Transaction t = OpenChannelRequest(channel, largestHostToPrinter, largestPrinterToHost, credit, 0);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    return t;
}

Transaction CloseChannelRequest(Channel channel) {
    Transaction t;
    t.command = command::kCloseChannel;
    t.channel = channel;
    return t;
}

Transaction CloseChannelReply(std::uint8_t resultCode, Channel channel) {
    Transaction t = CloseChannelRequest(channel);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    return t;
}

Transaction CreditGrant(Channel channel, std::uint16_t credit) {
    Transaction t;
    t.command = command::kCredit;
    t.channel = channel;
    t.credit = credit;
    return t;
}

Transaction CreditGrantReply(std::uint8_t resultCode, Channel channel) {
    Transaction t = CreditGrant(channel, 0);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    return t;
}

Transaction CreditRequest(Channel channel, std::uint16_t credit, std::uint16_t largestOutstandingCredit) {
    Transaction t;
    t.command = command::kCreditRequest;
    t.channel = channel;
    t.credit = credit;
    t.largestOutstandingCredit = largestOutstandingCredit;
    return t;
}

Transaction CreditRequestReply(std::uint8_t resultCode, Channel channel, std::uint16_t credit) {
    Transaction t = CreditRequest(channel, credit, 0);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    return t;
}

Transaction ExitRequest() {
    Transaction t;
    t.command = command::kExit;
    return t;
}

Transaction ExitReply(std::uint8_t resultCode) {
    Transaction t = ExitRequest();
    t.command |= command::kReplyBit;
    t.result = resultCode;
    return t;
}

Transaction GetSocketIdRequest(const std::string& serviceName) {
    Transaction t;
    t.command = command::kGetSocketId;
    t.serviceName = serviceName;
    return t;
}

Transaction GetSocketIdReply(std::uint8_t resultCode, std::uint8_t socket, const std::string& serviceName) {
    Transaction t = GetSocketIdRequest(serviceName);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    t.socket = socket;
    return t;
}

Transaction GetServiceNameRequest(std::uint8_t socket) {
    Transaction t;
    t.command = command::kGetServiceName;
    t.socket = socket;
    return t;
}

Transaction GetServiceNameReply(std::uint8_t resultCode, std::uint8_t socket,
                                const std::string& serviceName) {
    Transaction t = GetServiceNameRequest(socket);
    t.command |= command::kReplyBit;
    t.result = resultCode;
    t.serviceName = serviceName;
    return t;
}

Transaction ErrorPacket(Channel channel, std::uint8_t errorCode) {
    Transaction t;
    t.command = command::kError;
    t.channel = channel;
    t.errorCode = errorCode;
    return t;
}

std::vector<std::uint8_t> PacketModeOpening(std::uint8_t revision) {
    std::vector<std::uint8_t> bytes(EnterPacketModeBytes().begin(), EnterPacketModeBytes().end());
    const std::vector<std::uint8_t> init = EncodeTransactionPacket(InitRequest(revision));
    bytes.insert(bytes.end(), init.begin(), init.end());
    return bytes;
}

std::vector<std::uint8_t> PacketModeClosing() {
    return EncodeTransactionPacket(ExitRequest());
}

}  // namespace d4
