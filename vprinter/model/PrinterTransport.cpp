#include "vprinter/model/PrinterTransport.h"

#include <algorithm>

#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

using namespace d4;

constexpr char kControlService[] = "ORLEX-CTRL";
constexpr char kDataService[] = "ORLEX-DATA";

bool IsService(std::uint8_t socket) {
    return socket == kControlSocket || socket == kDataSocket;
}

}  // namespace

PrinterTransport::PrinterTransport(PrinterCore& core, SendFunction send)
    : core_(core),
      send_(std::move(send)),
      dataStream_(
          core, [this](std::vector<std::uint8_t> reply) { QueueReply(kDataSocket, std::move(reply)); },
          nullptr, nullptr) {}

void PrinterTransport::Reset() {
    reassembler_.Clear();
    hostCredit_.ResetAll();
    printerCredit_.ResetAll();
    channels_.clear();
    dataStream_.Reset();
    controlStream_.Reset();
    initialised_ = false;
    exitRequested_ = false;
}

std::size_t PrinterTransport::Waiting() const {
    std::size_t total = 0;
    for (const auto& [socket, channel] : channels_) {
        total += channel.waiting.size();
    }
    return total;
}

std::uint16_t PrinterTransport::CreditToGrant(std::uint16_t asked) const {
    return core_.State().faults.creditStarvation ? 0 : asked;
}

void PrinterTransport::Reply(const Transaction& message) {
    send_(EncodeTransactionPacket(message));
}

void PrinterTransport::SendError(Channel channel, std::uint8_t code) {
    send_(EncodeTransactionPacket(ErrorPacket(channel, code)));
}

void PrinterTransport::QueueReply(std::uint8_t socket, std::vector<std::uint8_t> bytes) {
    auto found = channels_.find(socket);
    if (found == channels_.end()) {
        return;
    }
    std::vector<std::uint8_t>& waiting = found->second.waiting;
    const std::size_t room = kLargestWaiting - std::min(kLargestWaiting, waiting.size());
    waiting.insert(waiting.end(), bytes.begin(),
                   bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
    SendWaiting(socket);
}

void PrinterTransport::SendWaiting(std::uint8_t socket) {
    auto found = channels_.find(socket);
    if (found == channels_.end()) {
        return;
    }
    ChannelState& channel = found->second;
    const Channel id{socket, socket};
    const std::size_t largestPayload = std::max<std::size_t>(1, channel.largestPrinterToHost - kHeaderSize);
    std::size_t sent = 0;
    // A reply longer than the channel's packet size goes out in several packets, each on a credit.
    while (sent < channel.waiting.size() && hostCredit_.Take(id)) {
        const std::size_t size = std::min(largestPayload, channel.waiting.size() - sent);
        auto packet = EncodePacket(id, 0, kControlEndOfMessage,
                                   std::span<const std::uint8_t>(channel.waiting).subspan(sent, size));
        send_(std::move(*packet));
        sent += size;
    }
    channel.waiting.erase(channel.waiting.begin(),
                          channel.waiting.begin() + static_cast<std::ptrdiff_t>(sent));
}

std::size_t PrinterTransport::Feed(std::span<const std::uint8_t> bytes, bool* left) {
    *left = false;
    reassembler_.Feed(bytes);
    // Bytes after an Exit belong to the plain stream; the reassembler holds them until then, so the
    // count handed back is what precedes them.
    std::size_t taken = bytes.size();
    for (;;) {
        const std::span<const std::uint8_t> pending = reassembler_.Pending();
        const std::span<const std::uint8_t> enter(protocol::packetmode::kEnter);
        if (pending.size() >= enter.size() && std::equal(enter.begin(), enter.end(), pending.begin())) {
            // A host that lost its place enters again: the transport starts over, waiting for Init.
            reassembler_.Skip(enter.size());
            const std::vector<std::uint8_t> rest(reassembler_.Pending().begin(),
                                                 reassembler_.Pending().end());
            Reset();
            reassembler_.Feed(rest);
            continue;
        }
        Packet packet;
        const Reassembler::Outcome outcome = reassembler_.Next(&packet);
        if (outcome == Reassembler::Outcome::NeedMore) {
            break;
        }
        if (outcome == Reassembler::Outcome::BadLength) {
            SendError(Channel{}, error::kMalformedPacket);
            break;
        }
        HandlePacket(packet);
        if (exitRequested_) {
            const std::size_t rest = reassembler_.Buffered();
            taken = bytes.size() - std::min(rest, bytes.size());
            Reset();
            *left = true;
            break;
        }
    }
    return taken;
}

void PrinterTransport::HandlePacket(const Packet& packet) {
    const Channel channel = ChannelOf(packet.header);
    if (channel.IsTransaction()) {
        HandleTransaction(packet);
        return;
    }
    auto found = channels_.find(channel.psid);
    if (!initialised_ || channel.psid != channel.ssid || found == channels_.end()) {
        SendError(channel, error::kChannelNotOpen);
        return;
    }
    if (packet.header.length > found->second.largestHostToPrinter) {
        SendError(channel, error::kPacketTooLarge);
        return;
    }
    if (!printerCredit_.Take(channel)) {
        SendError(channel, error::kNoCredit);
        return;
    }
    // The credit byte of the header lets the printer send that many more packets back.
    hostCredit_.Grant(channel, packet.header.credit);
    HandleData(packet);
}

void PrinterTransport::HandleData(const Packet& packet) {
    if (packet.header.psid == kControlSocket) {
        controlStream_.Feed(packet.payload,
                            [this](const std::string& letters, std::span<const std::uint8_t> parameters) {
                                QueueReply(kControlSocket, core_.AnswerControlCommand(letters, parameters));
                            });
    } else {
        dataStream_.Feed(packet.payload);
    }
    SendWaiting(packet.header.psid);
}

void PrinterTransport::HandleTransaction(const Packet& packet) {
    Transaction message;
    const DecodeProblem problem = DecodeTransaction(packet.payload, &message);
    if (problem == DecodeProblem::Empty || problem == DecodeProblem::Truncated) {
        SendError(Channel{}, error::kTruncatedCommand);
        return;
    }
    if (problem == DecodeProblem::UnknownCommand || message.IsReply()) {
        SendError(Channel{}, error::kUnknownCommand);
        return;
    }
    if (message.command == command::kError) {
        return;  // the host could not take one of our packets; nothing to answer
    }
    if (message.command == command::kInit) {
        if (message.revision != kRevision10 && message.revision != kRevision20) {
            Reply(InitReply(result::kRevisionNotSupported, kRevision20));
            return;
        }
        // Init on a running transport starts it over.
        Reset();
        initialised_ = true;
        ++initialisations_;
        Reply(InitReply(result::kSuccess, message.revision));
        return;
    }
    if (!initialised_) {
        // Only Init opens the conversation; every other command is denied with its own reply.
        Transaction reply = message;
        reply.command |= command::kReplyBit;
        reply.result = result::kCommandDenied;
        reply.credit = 0;
        Reply(reply);
        return;
    }
    const Channel channel = message.channel;
    switch (message.command) {
        case command::kOpenChannel: {
            if (channel.psid != channel.ssid || !IsService(channel.psid)) {
                Reply(OpenChannelReply(result::kServiceNotSupported, channel, 0, 0, 0));
                return;
            }
            if (channel.psid == core_.State().faults.refusedChannel) {
                Reply(OpenChannelReply(result::kInsufficientResources, channel, 0, 0, 0));
                return;
            }
            if (message.largestHostToPrinter == 0 || message.largestPrinterToHost == 0) {
                Reply(OpenChannelReply(result::kNullPacketSize, channel, 0, 0, 0));
                return;
            }
            if (message.largestHostToPrinter <= kHeaderSize || message.largestPrinterToHost <= kHeaderSize) {
                Reply(OpenChannelReply(result::kPacketSizeInvalid, channel, 0, 0, 0));
                return;
            }
            // Opening an open channel starts it afresh: a host that lost a Close is not locked out.
            ChannelState state;
            state.largestHostToPrinter = std::min(message.largestHostToPrinter, kLargestPacket);
            state.largestPrinterToHost = std::min(message.largestPrinterToHost, kLargestPacket);
            channels_[channel.psid] = state;
            hostCredit_.Reset(channel);
            printerCredit_.Reset(channel);
            hostCredit_.Grant(channel, message.credit);
            const std::uint16_t granted = CreditToGrant(1);
            printerCredit_.Grant(channel, granted);
            if (channel.psid == kControlSocket) {
                controlStream_.Reset();
            } else {
                dataStream_.Reset();
            }
            Reply(OpenChannelReply(result::kSuccess, channel, state.largestHostToPrinter,
                                   state.largestPrinterToHost, granted));
            return;
        }
        case command::kCloseChannel:
            if (channels_.erase(channel.psid) == 0 || channel.psid != channel.ssid) {
                Reply(CloseChannelReply(result::kCommandDenied, channel));
                return;
            }
            hostCredit_.Reset(channel);
            printerCredit_.Reset(channel);
            Reply(CloseChannelReply(result::kSuccess, channel));
            return;
        case command::kCredit:
            if (!ChannelOpen(channel.psid) || channel.psid != channel.ssid) {
                Reply(CreditGrantReply(result::kCommandDenied, channel));
                return;
            }
            if (!hostCredit_.Grant(channel, message.credit)) {
                Reply(CreditGrantReply(result::kCreditOverflow, channel));
                return;
            }
            Reply(CreditGrantReply(result::kSuccess, channel));
            SendWaiting(channel.psid);
            return;
        case command::kCreditRequest: {
            if (!ChannelOpen(channel.psid) || channel.psid != channel.ssid) {
                Reply(CreditRequestReply(result::kCommandDenied, channel, 0));
                return;
            }
            std::uint16_t granted = CreditToGrant(message.credit);
            if (!printerCredit_.Grant(channel, granted)) {
                granted = 0;
            }
            Reply(CreditRequestReply(result::kSuccess, channel, granted));
            return;
        }
        case command::kExit:
            Reply(ExitReply(result::kSuccess));
            exitRequested_ = true;
            return;
        case command::kGetSocketId:
            if (message.serviceName == kControlService) {
                Reply(GetSocketIdReply(result::kSuccess, kControlSocket, message.serviceName));
            } else if (message.serviceName == kDataService) {
                Reply(GetSocketIdReply(result::kSuccess, kDataSocket, message.serviceName));
            } else {
                Reply(GetSocketIdReply(result::kInvalidServiceName, 0, message.serviceName));
            }
            return;
        case command::kGetServiceName:
            if (message.socket == kControlSocket) {
                Reply(GetServiceNameReply(result::kSuccess, kControlSocket, kControlService));
            } else if (message.socket == kDataSocket) {
                Reply(GetServiceNameReply(result::kSuccess, kDataSocket, kDataService));
            } else {
                Reply(GetServiceNameReply(result::kServiceNotSupported, message.socket, ""));
            }
            return;
        default:
            SendError(Channel{}, error::kUnknownCommand);
            return;
    }
}

}  // namespace vprinter
