#include "PacketEngine.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>

#include "DriverModule.h"
#include "d4/Packet.h"
#include "d4/Transaction.h"
#include "platform/Clock.h"

namespace drvlib {

namespace {

constexpr int kReadFailed = -1;
constexpr int kPacketTooLong = -7;
// The reply packets of the family carry at most 255 payload bytes.
constexpr std::size_t kLargestReplyPacket = d4::kHeaderSize + 255;

// The channel of the control commands, and what the engine asks for on it.
constexpr d4::Channel kControl{d4::kControlSocket, d4::kControlSocket};
constexpr std::uint16_t kControlPacketSize = 0x0100;
constexpr std::uint16_t kOneCredit = 1;
constexpr std::uint16_t kAnyOutstandingCredit = 0xFFFF;

// The first read of each transaction reply: the reply's whole length.
constexpr std::uint32_t kCreditReplySize = 10;
constexpr std::uint32_t kCreditRequestReplySize = 12;
constexpr std::uint32_t kOpenChannelReplySize = 16;
constexpr std::uint32_t kCloseChannelReplySize = 10;

// Offsets in a transaction reply packet.
constexpr std::size_t kReplyCommandAt = d4::kHeaderSize;
constexpr std::size_t kResultAt = d4::kHeaderSize + 1;
constexpr std::size_t kGrantedCreditAt = d4::kHeaderSize + 4;

constexpr const char* kCommunicationError = "Communication error\n";

struct Refusal {
    std::uint8_t result;
    const char* text;  // after "Communication error\n"
};

constexpr Refusal kCreditRefusals[] = {
    {d4::result::kCreditOverflow, "CREDIT_CBT_ERR_CREDITOVF"},
    {d4::result::kCommandDenied, "CREDIT_CBT_ERR_CMDDENIED"},
};
constexpr Refusal kCreditRequestRefusals[] = {
    {d4::result::kCommandDenied, "CREDIT_REQUEST_CBT_ERR_CMDDENIED"},
};
constexpr Refusal kOpenChannelRefusals[] = {
    {d4::result::kInsufficientResources, "OPEN_CTL_CHANNEL_CBT_ERR_RESOURCE"},
    {d4::result::kChannelAlreadyOpen, "OPEN_CTL_CHANNEL_CBT_ERR_OPENCHANNEL"},
    {d4::result::kChannelClosed, "OPEN_CTL_CHANNEL_CBT_ERR_NORMAL"},
    {d4::result::kServiceNotSupported, "OPEN_CTL_CHANNEL_CBT_ERR_CHNOTSUPPORT"},
    {d4::result::kPacketSizeInvalid, "OPEN_CTL_CHANNEL_CBT_ERR_PACKETSIZE"},
    {d4::result::kNullPacketSize, "OPEN_CTL_CHANNEL_CBT_ERR_NULLPACKETSZ"},
};
constexpr Refusal kCloseChannelRefusals[] = {
    {d4::result::kCloseDenied, "CLOSE_CTL_CHANNEL_CBT_ERR_CLOSEDENIED"},
    {d4::result::kCommandDenied, "CLOSE_CTL_CHANNEL_CBT_ERR_CMDDENIED"},
};

void Warn(const char* text) {
    ShowWarningMessage(std::string(kCommunicationError) + text);
}

// The refusal's message, or `otherwise` for a result the table does not name.
void WarnRefusal(std::span<const Refusal> refusals, std::uint8_t result, const char* otherwise) {
    const auto found = std::find_if(refusals.begin(), refusals.end(),
                                    [result](const Refusal& r) { return r.result == result; });
    Warn(found == refusals.end() ? otherwise : found->text);
}

std::size_t LengthField(const std::vector<std::uint8_t>& packet) {
    return static_cast<std::size_t>((packet[2] << 8) | packet[3]);
}

// A reply to `command`, long enough to hold what the engine reads of it.
bool IsReplyTo(const std::vector<std::uint8_t>& packet, std::uint8_t command, std::size_t size) {
    return packet.size() >= size && packet[kReplyCommandAt] == (command | d4::command::kReplyBit);
}

}  // namespace

PacketEngine::PacketEngine(platform::DevicePort* port, int waitMilliseconds)
    : port_(port), waitMilliseconds_(waitMilliseconds) {}

std::vector<std::uint8_t> PacketEngine::DataPacket(std::uint8_t psid, std::uint8_t ssid,
                                                   const std::uint8_t* payload, int length) {
    if (length < 0 || (length > 0 && payload == nullptr)) {
        return {};
    }
    const std::optional<std::vector<std::uint8_t>> packet =
        d4::EncodePacket(d4::Channel{psid, ssid}, 1, d4::kControlEndOfMessage,
                         std::span<const std::uint8_t>(payload, static_cast<std::size_t>(length)));
    return packet ? *packet : std::vector<std::uint8_t>{};
}

bool PacketEngine::WritePacket(const std::vector<std::uint8_t>& packet) {
    if (port_ == nullptr || packet.empty()) {
        return false;
    }
    std::uint32_t written = 0;
    const platform::DeviceError error = platform::ActiveDeviceBackend().Write(
        *port_, packet.data(), static_cast<std::uint32_t>(packet.size()), &written);
    return error == platform::DeviceError::None && written == packet.size();
}

int PacketEngine::ReadPacket(std::uint32_t chunk, std::vector<std::uint8_t>* packet) {
    packet->clear();
    if (port_ == nullptr || chunk == 0) {
        return kReadFailed;
    }
    std::vector<std::uint8_t> buffer;
    int idleReads = 0;
    for (;;) {
        std::uint32_t wanted = chunk;
        if (packet->size() >= 4) {
            const std::size_t length = LengthField(*packet);
            if (length < d4::kHeaderSize) {
                return kReadFailed;
            }
            if (length > kLargestReplyPacket) {
                return kPacketTooLong;
            }
            if (packet->size() >= length) {
                packet->resize(length);  // bytes of a following packet are not this reply's
                return 0;
            }
            wanted = std::min<std::uint32_t>(chunk, static_cast<std::uint32_t>(length - packet->size()));
        }
        buffer.assign(wanted, 0);
        std::uint32_t received = 0;
        if (platform::ActiveDeviceBackend().Read(*port_, buffer.data(), wanted, &received) !=
            platform::DeviceError::None) {
            return kReadFailed;
        }
        received = std::min(received, wanted);
        packet->insert(packet->end(), buffer.begin(), buffer.begin() + received);
        // A header whose length is 0 is what an empty read leaves in the buffer: nothing was meant
        // yet, so it is dropped and read again after a pause.
        if (packet->size() >= 4 && LengthField(*packet) == 0) {
            packet->clear();
        }
        if (received == 0 || packet->empty()) {
            if (++idleReads >= kMostIdleReads) {
                return kReadFailed;
            }
            platform::Clock().Sleep(kIdlePauseMilliseconds);
        }
    }
}

int PacketEngine::ReadReplyPacket(std::uint32_t chunk, std::vector<std::uint8_t>* payload) {
    std::vector<std::uint8_t> packet;
    const int result = ReadPacket(chunk, &packet);
    payload->clear();
    if (result == 0) {
        payload->assign(packet.begin() + d4::kHeaderSize, packet.end());
    }
    return result;
}

bool PacketEngine::Transact(const std::vector<std::uint8_t>& request, std::uint32_t replySize,
                            std::vector<std::uint8_t>* reply) {
    if (!WritePacket(request)) {
        return false;
    }
    platform::Clock().Sleep(static_cast<std::uint32_t>(std::max(waitMilliseconds_, 0)));
    return ReadPacket(replySize, reply) == 0;
}

int PacketEngine::Credit(std::uint8_t psid, std::uint8_t ssid) {
    const std::vector<std::uint8_t> request =
        d4::EncodeTransactionPacket(d4::CreditGrant(d4::Channel{psid, ssid}, kOneCredit));
    std::vector<std::uint8_t> reply;
    if (!Transact(request, kCreditReplySize, &reply)) {
        return 0;
    }
    if (!IsReplyTo(reply, d4::command::kCredit, kResultAt + 1)) {
        Warn("CREDIT reply command error");
        return 0;
    }
    const std::uint8_t result = reply[kResultAt];
    if (result == d4::result::kSuccess) {
        return 1;
    }
    WarnRefusal(kCreditRefusals, result, "CREDIT_CBT_ERR_UERESULT");
    if (result != d4::result::kCreditOverflow && result != d4::result::kCommandDenied) {
        // The reply command and the result, for the service technician's report.
        char detail[96];
        std::snprintf(detail, sizeof detail, "%sCREDIT_CBT_ERR_CMDDENIED  %x, %x", kCommunicationError,
                      static_cast<unsigned>(reply[kReplyCommandAt]), static_cast<unsigned>(result));
        ShowPlainMessage(detail);
    }
    return 0;
}

int PacketEngine::CreditRequest(std::uint8_t channel) {
    const std::vector<std::uint8_t> request = d4::EncodeTransactionPacket(
        d4::CreditRequest(d4::Channel{channel, channel}, kOneCredit, kAnyOutstandingCredit));
    for (int repeat = 0;; ++repeat) {
        std::vector<std::uint8_t> reply;
        if (!Transact(request, kCreditRequestReplySize, &reply)) {
            return 0;
        }
        if (!IsReplyTo(reply, d4::command::kCreditRequest, kResultAt + 1)) {
            Warn("CREDIT REQUEST reply command error");
            return 0;
        }
        const std::uint8_t result = reply[kResultAt];
        if (result != d4::result::kSuccess) {
            WarnRefusal(kCreditRequestRefusals, result, "CREDIT_REQUEST_CBT_ERR_UERESULT");
            return 0;
        }
        if (reply.size() < kGrantedCreditAt + 2) {
            Warn("CREDIT REQUEST reply command error");  // a success that does not say the credit
            return 0;
        }
        const int granted = (reply[kGrantedCreditAt] << 8) | reply[kGrantedCreditAt + 1];
        if (granted == kOneCredit) {
            return 1;
        }
        // The printer had no credit to give yet; it frees some as it works through its buffer.
        if (repeat == kMostCreditRequestRepeats) {
            return 0;
        }
        platform::Clock().Sleep(kIdlePauseMilliseconds);
    }
}

int PacketEngine::OpenControlChannel() {
    constexpr int kFailed = -1;
    const std::vector<std::uint8_t> request = d4::EncodeTransactionPacket(d4::OpenChannelRequest(
        kControl, kControlPacketSize, kControlPacketSize, kOneCredit, kAnyOutstandingCredit));
    std::vector<std::uint8_t> reply;
    if (!Transact(request, kOpenChannelReplySize, &reply)) {
        return kFailed;
    }
    if (!IsReplyTo(reply, d4::command::kOpenChannel, kResultAt + 1)) {
        Warn("OPEN CONTROL CHANNEL reply command error");
        return kFailed;
    }
    const std::uint8_t result = reply[kResultAt];
    if (result != d4::result::kSuccess) {
        WarnRefusal(kOpenChannelRefusals, result, "OPEN_CTL_CHANNEL_CBT_ERR_UERESULT");
        return kFailed;
    }
    return 1;
}

int PacketEngine::CloseControlChannel() {
    constexpr int kFailed = -6;
    const std::vector<std::uint8_t> request = d4::EncodeTransactionPacket(d4::CloseChannelRequest(kControl));
    std::vector<std::uint8_t> reply;
    if (!Transact(request, kCloseChannelReplySize, &reply)) {
        return kFailed;
    }
    if (!IsReplyTo(reply, d4::command::kCloseChannel, kResultAt + 1)) {
        Warn("CLOSE CONTROL CHANNEL reply command error");
        return kFailed;
    }
    const std::uint8_t result = reply[kResultAt];
    if (result != d4::result::kSuccess) {
        WarnRefusal(kCloseChannelRefusals, result, "CLOSE_CTL_CHANNEL_CBT_ERR_UERESULT");
        return kFailed;
    }
    return 1;
}

}  // namespace drvlib
