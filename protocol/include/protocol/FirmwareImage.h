// The firmware image and its download, for both ends: the flashing program checks a file before it
// sends it, and the printer checks what it received before it takes it.
//
// Image: a 28-byte header, then the payload. All numbers little-endian.
//   0   magic "TVFW"
//   4   ROM version text, 16 bytes, NUL-padded (letters, digits, '.', '-', '_'; at least one)
//   20  payload length (32 bits), 1 to kLargestPayload
//   24  CRC-32 of the payload (the reflected 0xEDB88320 polynomial, as zip and PNG use it)
//   28  payload
//
// Download, on the plain byte stream: ESC '|' 'F' 'W', the image's byte count (32 bits), the image.
// The printer takes exactly that many bytes whatever they hold, checks them and answers one text:
// "FW:OK:<version>;" once the new version runs, or "FW:NG:<reason>;" with one of the reason words
// below, the old firmware still running.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace protocol::firmware {

inline constexpr std::array<std::uint8_t, 4> kMagic = {'T', 'V', 'F', 'W'};
inline constexpr std::size_t kVersionOffset = 4;
inline constexpr std::size_t kVersionSize = 16;
inline constexpr std::size_t kLengthOffset = 20;
inline constexpr std::size_t kChecksumOffset = 24;
inline constexpr std::size_t kHeaderSize = 28;
// The flash the family's firmware lives in.
inline constexpr std::uint32_t kLargestPayload = 1024 * 1024;
inline constexpr std::size_t kLargestImage = kHeaderSize + kLargestPayload;

// ESC '|' 'F' 'W': the third byte tells it from the factory frames (class 0 or 1) and the packet-mode
// entry ('D').
inline constexpr std::array<std::uint8_t, 4> kDownload = {0x1B, '|', 'F', 'W'};
inline constexpr std::size_t kDownloadPrefixSize = kDownload.size() + 4;

inline constexpr char kReplyPrefix[] = "FW:";
inline constexpr char kAccepted[] = "OK";
inline constexpr char kRefused[] = "NG";

// What is wrong with an image, in the words the printer answers with.
enum class ImageFault : std::uint8_t { None, Truncated, Magic, Version, Length, Size, Checksum };

constexpr const char* FaultWord(ImageFault fault) {
    switch (fault) {
        case ImageFault::None:
            return "NONE";
        case ImageFault::Truncated:
            return "TRUNCATED";
        case ImageFault::Magic:
            return "MAGIC";
        case ImageFault::Version:
            return "VERSION";
        case ImageFault::Length:
            return "LENGTH";
        case ImageFault::Size:
            return "SIZE";
        case ImageFault::Checksum:
            return "CHECKSUM";
    }
    return "NONE";
}

inline std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

constexpr bool IsVersionCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '-' || c == '_';
}

constexpr bool IsValidVersion(std::string_view version) {
    return !version.empty() && version.size() <= kVersionSize &&
           std::all_of(version.begin(), version.end(), IsVersionCharacter);
}

inline std::uint32_t Little32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

inline void PutLittle32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

struct ImageHeader {
    std::string version;
    std::uint32_t payloadLength = 0;
    std::uint32_t checksum = 0;
};

// Checks a whole image, header and payload; on None the header is filled in.
inline ImageFault CheckImage(std::span<const std::uint8_t> image, ImageHeader* header) {
    if (image.size() < kHeaderSize) {
        return ImageFault::Truncated;
    }
    if (!std::equal(kMagic.begin(), kMagic.end(), image.begin())) {
        return ImageFault::Magic;
    }
    const auto field = image.subspan(kVersionOffset, kVersionSize);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    const std::string version(field.begin(), end);
    // Padding is NUL to the end: a text hidden after the first NUL is not a version.
    if (!IsValidVersion(version) || std::any_of(end, field.end(), [](std::uint8_t b) { return b != 0; })) {
        return ImageFault::Version;
    }
    const std::uint32_t length = Little32(image, kLengthOffset);
    if (length == 0 || length > kLargestPayload) {
        return ImageFault::Size;
    }
    const std::size_t payload = image.size() - kHeaderSize;
    if (payload < length) {
        return ImageFault::Truncated;
    }
    if (payload > length) {
        return ImageFault::Length;
    }
    const std::uint32_t checksum = Little32(image, kChecksumOffset);
    if (Crc32(image.subspan(kHeaderSize)) != checksum) {
        return ImageFault::Checksum;
    }
    if (header != nullptr) {
        *header = {version, length, checksum};
    }
    return ImageFault::None;
}

// A well-formed image of the payload (the version must be valid and the payload 1 byte to
// kLargestPayload for the printer to take it; the builder does not refuse, so tests can break it).
inline std::vector<std::uint8_t> BuildImage(std::string_view version, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> image(kMagic.begin(), kMagic.end());
    for (std::size_t i = 0; i < kVersionSize; ++i) {
        image.push_back(i < version.size() ? static_cast<std::uint8_t>(version[i]) : 0);
    }
    PutLittle32(image, static_cast<std::uint32_t>(payload.size()));
    PutLittle32(image, Crc32(payload));
    image.insert(image.end(), payload.begin(), payload.end());
    return image;
}

// The command in front of an image of the given byte count.
inline std::vector<std::uint8_t> DownloadPrefix(std::uint32_t imageBytes) {
    std::vector<std::uint8_t> prefix(kDownload.begin(), kDownload.end());
    PutLittle32(prefix, imageBytes);
    return prefix;
}

}  // namespace protocol::firmware
