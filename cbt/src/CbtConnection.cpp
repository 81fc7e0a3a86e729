#include "CbtConnection.h"

#include <algorithm>
#include <cstring>

#include "d4/PacketMode.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

namespace cbt {
namespace {

// How long a transaction reply may take, and how long a read waits for a reply on its channel. Both
// run on the clock; a silent printer costs the caller no more.
constexpr std::uint32_t kTransactionWaitMilliseconds = 2000;
constexpr std::uint32_t kReadWaitMilliseconds = 100;
constexpr std::uint32_t kPollMilliseconds = 1;
// Packet sizes asked for in OpenChannel, and the credit asked for at a time: bulk print data goes in
// large packets, many per credit request.
constexpr std::uint16_t kLargestHostPacket = 0x8000;
constexpr std::uint16_t kLargestPrinterPacket = 0x1000;
constexpr std::uint16_t kCreditAsked = 32;

std::vector<std::uint8_t> Packet(d4::Channel channel, std::uint8_t credit,
                                 std::span<const std::uint8_t> payload) {
    return *d4::EncodePacket(channel, credit, d4::kControlEndOfMessage, payload);
}

}  // namespace

bool DeviceLink::Write(const std::uint8_t* data, std::uint32_t count) {
    std::uint32_t written = 0;
    const platform::DeviceError error = platform::ActiveDeviceBackend().Write(port_, data, count, &written);
    return error == platform::DeviceError::None && written == count;
}

bool DeviceLink::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received) {
    return platform::ActiveDeviceBackend().Read(port_, buffer, capacity, received) ==
           platform::DeviceError::None;
}

bool HookLink::Write(const std::uint8_t* data, std::uint32_t count) {
    std::uint32_t written = 0;
    return hooks_.write(context_, const_cast<std::uint8_t*>(data), count, &written) != 0 && written == count;
}

bool HookLink::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received) {
    // A read the ECP driver could not finish yet (device not ready) is no data, not a dead port.
    *received = 0;
    if (hooks_.read(context_, buffer, capacity, received) == 0) {
        *received = 0;
    }
    *received = std::min(*received, capacity);
    return true;
}

std::int32_t CbtConnection::Fail(std::int32_t result) {
    if (result == result::kPortGone) {
        gone_ = true;
        awake_ = false;
    }
    return result;
}

std::int32_t CbtConnection::Send(const std::vector<std::uint8_t>& bytes) {
    if (gone_) {
        return result::kPortGone;
    }
    if (!link_->Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()))) {
        platform::DebugOutput("KCBT: the port took the packet short or failed\n");
        return Fail(result::kPortGone);
    }
    return result::kSuccess;
}

std::int32_t CbtConnection::Pump() {
    if (gone_) {
        return result::kPortGone;
    }
    std::uint8_t buffer[4096];
    std::uint32_t received = 0;
    if (!link_->Read(buffer, sizeof buffer, &received)) {
        return Fail(result::kPortGone);
    }
    reassembler_.Feed(std::span<const std::uint8_t>(buffer, received));
    for (;;) {
        d4::Packet packet;
        const d4::Reassembler::Outcome outcome = reassembler_.Next(&packet);
        if (outcome == d4::Reassembler::Outcome::NeedMore) {
            return result::kSuccess;
        }
        if (outcome == d4::Reassembler::Outcome::BadLength) {
            platform::DebugOutput("KCBT: a packet length below the header size\n");
            return result::kNoReply;
        }
        const d4::Channel channel = d4::ChannelOf(packet.header);
        if (channel.IsTransaction()) {
            d4::Transaction message;
            if (d4::DecodeTransaction(packet.payload, &message) == d4::DecodeProblem::None) {
                transactions_.push_back(message);
            }
            continue;
        }
        if (packet.header.credit > 0) {
            credit_.Grant(channel, packet.header.credit);
        }
        replies_[channel.psid].push_back(std::move(packet.payload));
    }
}

std::int32_t CbtConnection::AwaitTransaction(std::uint8_t replyCommand, d4::Transaction* reply) {
    const std::uint32_t start = platform::Clock().TickCount();
    for (;;) {
        while (!transactions_.empty()) {
            const d4::Transaction message = transactions_.front();
            transactions_.pop_front();
            if (message.command == d4::command::kError) {
                platform::DebugOutput("KCBT: the printer sent an Error packet\n");
                return result::kNoReply;
            }
            if (message.command == replyCommand) {
                *reply = message;
                return message.result == d4::result::kSuccess ? result::kSuccess : result::kRefused;
            }
        }
        const std::int32_t pumped = Pump();
        if (pumped != result::kSuccess) {
            return pumped;
        }
        if (!transactions_.empty()) {
            continue;
        }
        if (platform::Clock().TickCount() - start >= kTransactionWaitMilliseconds) {
            platform::DebugOutput("KCBT: no transaction reply in time\n");
            return result::kNoReply;
        }
        platform::Clock().Sleep(kPollMilliseconds);
    }
}

std::int32_t CbtConnection::Exchange(const d4::Transaction& request, d4::Transaction* reply) {
    const std::int32_t sent = Send(d4::EncodeTransactionPacket(request));
    return sent != result::kSuccess ? sent
                                    : AwaitTransaction(request.command | d4::command::kReplyBit, reply);
}

std::int32_t CbtConnection::Enter() {
    transactions_.clear();
    replies_.clear();
    packetSize_.clear();
    credit_.ResetAll();
    reassembler_.Clear();
    std::int32_t outcome = Send(d4::PacketModeOpening(d4::kRevision20));
    d4::Transaction reply;
    if (outcome == result::kSuccess) {
        outcome = AwaitTransaction(d4::command::kInit | d4::command::kReplyBit, &reply);
    }
    if (outcome == result::kRefused && reply.result == d4::result::kRevisionNotSupported) {
        outcome = Exchange(d4::InitRequest(d4::kRevision10), &reply);
    }
    awake_ = outcome == result::kSuccess;
    return outcome;
}

std::int32_t CbtConnection::Leave() {
    if (!awake_) {
        return gone_ ? result::kPortGone : result::kSuccess;
    }
    std::int32_t outcome = result::kSuccess;
    while (!packetSize_.empty() && outcome != result::kPortGone) {
        outcome = CloseChannel(packetSize_.begin()->first);
    }
    d4::Transaction reply;
    outcome = Exchange(d4::ExitRequest(), &reply);
    awake_ = false;
    return outcome;
}

std::int32_t CbtConnection::OpenChannel(std::uint8_t channel) {
    if (gone_) {
        return result::kPortGone;
    }
    if (!awake_) {
        return result::kChannelClosed;
    }
    const d4::Channel id{channel, channel};
    d4::Transaction reply;
    const std::int32_t outcome =
        Exchange(d4::OpenChannelRequest(id, kLargestHostPacket, kLargestPrinterPacket, 0, 0xFFFF), &reply);
    if (outcome != result::kSuccess) {
        return outcome;
    }
    credit_.Reset(id);
    replies_.erase(channel);
    if (reply.credit > 0) {
        credit_.Grant(id, reply.credit);
    }
    packetSize_[channel] =
        std::clamp<std::uint16_t>(reply.largestHostToPrinter, d4::kHeaderSize + 1, kLargestHostPacket);
    return result::kSuccess;
}

std::int32_t CbtConnection::CloseChannel(std::uint8_t channel) {
    if (gone_) {
        return result::kPortGone;
    }
    if (packetSize_.erase(channel) == 0) {
        return result::kChannelClosed;
    }
    replies_.erase(channel);
    credit_.Reset({channel, channel});
    d4::Transaction reply;
    return Exchange(d4::CloseChannelRequest({channel, channel}), &reply);
}

std::int32_t CbtConnection::Write(std::uint8_t channel, const std::uint8_t* data, std::uint32_t* length) {
    if (gone_) {
        return result::kPortGone;
    }
    const auto open = packetSize_.find(channel);
    if (open == packetSize_.end()) {
        return result::kChannelClosed;
    }
    const d4::Channel id{channel, channel};
    const std::uint32_t wanted = *length;
    const std::uint32_t largestPayload = open->second - d4::kHeaderSize;
    std::uint32_t sent = 0;
    *length = 0;
    while (sent < wanted) {
        if (credit_.Available(id) == 0) {
            d4::Transaction reply;
            const std::int32_t asked = Exchange(d4::CreditRequest(id, kCreditAsked, 0xFFFF), &reply);
            if (asked == result::kPortGone) {
                return asked;
            }
            if (asked != result::kSuccess || reply.credit == 0) {
                // What went out stays counted; the caller retries the rest.
                return sent > 0 ? result::kSuccess : result::kNoCredit;
            }
            credit_.Grant(id, reply.credit);
        }
        // As many packets as the credit covers go in one write to the port.
        std::vector<std::uint8_t> batch;
        std::uint32_t batched = 0;
        while (sent + batched < wanted && credit_.Available(id) > 0 && batch.size() < 0x40000) {
            const std::uint32_t size = std::min(largestPayload, wanted - sent - batched);
            const bool last = sent + batched + size == wanted;
            // Only the packet that ends the caller's data lets the printer answer it.
            const auto packet =
                Packet(id, last ? 1 : 0, std::span<const std::uint8_t>(data + sent + batched, size));
            batch.insert(batch.end(), packet.begin(), packet.end());
            credit_.Take(id);
            batched += size;
        }
        const std::int32_t outcome = Send(batch);
        if (outcome != result::kSuccess) {
            return outcome;
        }
        sent += batched;
        *length = sent;
    }
    return result::kSuccess;
}

std::int32_t CbtConnection::Read(std::uint8_t channel, std::uint8_t* buffer, std::uint32_t* length) {
    if (gone_) {
        return result::kPortGone;
    }
    if (packetSize_.find(channel) == packetSize_.end()) {
        return result::kChannelClosed;
    }
    const std::uint32_t capacity = *length;
    *length = 0;
    const std::uint32_t start = platform::Clock().TickCount();
    while (replies_[channel].empty()) {
        const std::int32_t pumped = Pump();
        if (pumped != result::kSuccess) {
            return pumped;
        }
        if (!replies_[channel].empty() || platform::Clock().TickCount() - start >= kReadWaitMilliseconds) {
            break;
        }
        platform::Clock().Sleep(kPollMilliseconds);
    }
    auto& waiting = replies_[channel];
    if (waiting.empty()) {
        return buffer == nullptr ? result::kSuccess : result::kNoReply;
    }
    if (buffer == nullptr) {
        *length = static_cast<std::uint32_t>(waiting.front().size());
        return result::kSuccess;
    }
    const std::uint32_t copied = std::min(capacity, static_cast<std::uint32_t>(waiting.front().size()));
    if (copied > 0) {
        std::memcpy(buffer, waiting.front().data(), copied);
    }
    *length = copied;
    waiting.pop_front();
    return result::kSuccess;
}

std::int32_t CbtConnection::GetSocketId(const char* serviceName, std::uint8_t* socket) {
    if (gone_) {
        return result::kPortGone;
    }
    if (serviceName == nullptr || socket == nullptr) {
        return result::kBadArgument;
    }
    d4::Transaction reply;
    const std::int32_t outcome = Exchange(d4::GetSocketIdRequest(serviceName), &reply);
    if (outcome == result::kSuccess) {
        *socket = reply.socket;
    }
    return outcome;
}

std::int32_t CbtConnection::GetServiceName(std::uint8_t socket, char* name, std::uint32_t* length) {
    if (gone_) {
        return result::kPortGone;
    }
    if (name == nullptr || length == nullptr || *length == 0) {
        return result::kBadArgument;
    }
    d4::Transaction reply;
    const std::int32_t outcome = Exchange(d4::GetServiceNameRequest(socket), &reply);
    if (outcome != result::kSuccess) {
        *length = 0;
        name[0] = '\0';
        return outcome;
    }
    const std::uint32_t kept = std::min(*length - 1, static_cast<std::uint32_t>(reply.serviceName.size()));
    std::memcpy(name, reply.serviceName.data(), kept);
    name[kept] = '\0';
    *length = kept;
    return result::kSuccess;
}

}  // namespace cbt
