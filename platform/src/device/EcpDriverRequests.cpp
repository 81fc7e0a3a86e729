#include "platform/EcpDriverRequests.h"

#include <algorithm>
#include <cctype>

namespace platform::ecp {
namespace {

// The fixed words of a transfer block, as the driver expects them.
constexpr std::uint32_t kTransferWord4 = 255;
constexpr std::uint32_t kTransferWord5 = 0;
constexpr std::uint32_t kTransferWord8 = 1;

void Append(std::vector<std::uint8_t>* bytes, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint64_t Read(const std::uint8_t* bytes, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= std::uint64_t{bytes[i]} << (8 * i);
    }
    return value;
}

}  // namespace

std::vector<std::uint8_t> EncodeTransfer(const TransferBlock& block) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kTransferBlockSize);
    Append(&bytes, static_cast<std::uint32_t>(block.port), 4);
    Append(&bytes, block.buffer, sizeof(std::uintptr_t));
    Append(&bytes, block.length, 4);
    Append(&bytes, kTransferWord4, 4);
    Append(&bytes, kTransferWord5, 4);
    Append(&bytes, block.count, 4);
    Append(&bytes, block.status, 4);
    Append(&bytes, kTransferWord8, 4);
    return bytes;
}

std::optional<TransferBlock> DecodeTransfer(const std::uint8_t* bytes, std::size_t size) {
    if (bytes == nullptr || size != kTransferBlockSize) {
        return std::nullopt;
    }
    const std::uint8_t* at = bytes;
    TransferBlock block;
    block.port = static_cast<std::int32_t>(Read(at, 4));
    at += 4;
    block.buffer = static_cast<std::uintptr_t>(Read(at, sizeof(std::uintptr_t)));
    at += sizeof(std::uintptr_t);
    block.length = static_cast<std::uint32_t>(Read(at, 4));
    const auto word4 = Read(at + 4, 4);
    const auto word5 = Read(at + 8, 4);
    block.count = static_cast<std::uint32_t>(Read(at + 12, 4));
    block.status = static_cast<std::uint32_t>(Read(at + 16, 4));
    const auto word8 = Read(at + 20, 4);
    if (word4 != kTransferWord4 || word5 != kTransferWord5 || word8 != kTransferWord8) {
        return std::nullopt;
    }
    return block;
}

std::vector<std::uint8_t> EncodeTimeoutStep(std::int32_t port, std::uintptr_t variable, std::uint32_t flag) {
    std::vector<std::uint8_t> bytes;
    Append(&bytes, static_cast<std::uint32_t>(port), 4);
    Append(&bytes, variable, sizeof(std::uintptr_t));
    Append(&bytes, flag, 4);
    return bytes;
}

std::vector<std::uint8_t> EncodeOpenPort(std::uint32_t number, std::uint32_t mode) {
    std::vector<std::uint8_t> bytes;
    Append(&bytes, number, 4);
    Append(&bytes, mode, 4);
    return bytes;
}

std::vector<std::uint8_t> EncodePortHandle(std::int32_t port) {
    std::vector<std::uint8_t> bytes;
    Append(&bytes, static_cast<std::uint32_t>(port), 4);
    return bytes;
}

std::optional<std::uint32_t> WordAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(Read(bytes.data() + at, 4));
}

bool IsDevicePath(const std::string& path) {
    const std::string device = kDevicePath;
    return path.size() == device.size() &&
           std::equal(path.begin(), path.end(), device.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

}  // namespace platform::ecp
