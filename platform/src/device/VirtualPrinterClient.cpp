#include "platform/VirtualPrinterClient.h"

#include <cstring>

#include "platform/LoopbackSocket.h"
#include "protocol/VirtualPortFrames.h"

namespace platform {

using namespace protocol::vport;

std::unique_ptr<VirtualPrinterClient> VirtualPrinterClient::Connect(const std::string& hostAndPort,
                                                                    std::string* error) {
    std::string host;
    std::uint16_t port = 0;
    if (!ParseHostAndPort(hostAndPort, &host, &port)) {
        *error = "'" + hostAndPort + "' is not HOST:PORT";
        return nullptr;
    }
    std::unique_ptr<TcpStream> stream = ConnectToLoopback(host, port, error);
    if (!stream) {
        return nullptr;
    }
    return std::unique_ptr<VirtualPrinterClient>(new VirtualPrinterClient(std::move(stream)));
}

VirtualPrinterClient::VirtualPrinterClient(std::unique_ptr<TcpStream> stream) : stream_(std::move(stream)) {}

VirtualPrinterClient::~VirtualPrinterClient() = default;

VirtualPrinterClient::Result VirtualPrinterClient::Exchange(std::uint8_t verb, const std::uint8_t* payload,
                                                            std::size_t size,
                                                            std::vector<std::uint8_t>* reply) {
    if (!stream_) {
        return Result::Unreachable;
    }
    std::uint8_t header[kHeaderSize];
    EncodeHeader(FrameHeader{kVersion, static_cast<Verb>(verb), Status::Ok, static_cast<std::uint32_t>(size)},
                 header);
    bool sent = false;
    if (size <= 1024) {
        // One send for a short request, so that it leaves in one segment.
        std::uint8_t frame[kHeaderSize + 1024];
        std::memcpy(frame, header, kHeaderSize);
        if (size > 0) {
            std::memcpy(frame + kHeaderSize, payload, size);
        }
        sent = stream_->SendAll(frame, kHeaderSize + size);
    } else {
        sent = stream_->SendAll(header, kHeaderSize) && stream_->SendAll(payload, size);
    }
    std::uint8_t answer[kHeaderSize];
    FrameHeader decoded;
    if (!sent || !stream_->ReceiveAll(answer, kHeaderSize) ||
        DecodeHeader(answer, &decoded) != HeaderProblem::None ||
        static_cast<std::uint8_t>(decoded.verb) != verb) {
        stream_.reset();
        return Result::Unreachable;
    }
    reply->resize(decoded.payloadLength);
    if (decoded.payloadLength > 0 && !stream_->ReceiveAll(reply->data(), reply->size())) {
        stream_.reset();
        return Result::Unreachable;
    }
    return static_cast<Result>(decoded.status);
}

VirtualPrinterClient::Result VirtualPrinterClient::ListPorts(std::string* list) {
    const Result result = Exchange(static_cast<std::uint8_t>(Verb::ListPorts), nullptr, 0, &reply_);
    list->assign(reply_.begin(), reply_.end());
    return result;
}

VirtualPrinterClient::Result VirtualPrinterClient::Open(const std::string& portName) {
    return Exchange(static_cast<std::uint8_t>(Verb::Open),
                    reinterpret_cast<const std::uint8_t*>(portName.data()), portName.size(), &reply_);
}

VirtualPrinterClient::Result VirtualPrinterClient::Close() {
    return Exchange(static_cast<std::uint8_t>(Verb::Close), nullptr, 0, &reply_);
}

VirtualPrinterClient::Result VirtualPrinterClient::Write(const std::uint8_t* data, std::uint32_t count,
                                                         std::uint32_t* taken) {
    *taken = 0;
    const Result result = Exchange(static_cast<std::uint8_t>(Verb::Write), data, count, &reply_);
    if (const auto decoded = DecodeCount(reply_)) {
        *taken = *decoded;
    }
    return result;
}

VirtualPrinterClient::Result VirtualPrinterClient::Read(std::uint8_t* buffer, std::uint32_t largest,
                                                        std::uint32_t timeoutMilliseconds,
                                                        std::uint32_t* received) {
    *received = 0;
    const std::vector<std::uint8_t> request = EncodeReadRequest({largest, timeoutMilliseconds});
    const Result result =
        Exchange(static_cast<std::uint8_t>(Verb::Read), request.data(), request.size(), &reply_);
    // A server never sends more than asked; a larger answer is cut rather than trusted.
    const std::size_t count = reply_.size() < largest ? reply_.size() : largest;
    if (count > 0) {
        std::memcpy(buffer, reply_.data(), count);
    }
    *received = static_cast<std::uint32_t>(count);
    return result;
}

VirtualPrinterClient::Result VirtualPrinterClient::DeviceId(std::string* id) {
    const Result result = Exchange(static_cast<std::uint8_t>(Verb::DeviceId), nullptr, 0, &reply_);
    id->assign(reply_.begin(), reply_.end());
    return result;
}

VirtualPrinterClient::Result VirtualPrinterClient::SoftReset() {
    return Exchange(static_cast<std::uint8_t>(Verb::SoftReset), nullptr, 0, &reply_);
}

VirtualPrinterClient::Result VirtualPrinterClient::Control(const std::string& request, std::string* answer) {
    const Result result =
        Exchange(static_cast<std::uint8_t>(Verb::Control),
                 reinterpret_cast<const std::uint8_t*>(request.data()), request.size(), &reply_);
    answer->assign(reply_.begin(), reply_.end());
    return result;
}

}  // namespace platform
