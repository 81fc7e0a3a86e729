// The frames between a client of the virtual printer (the device seam's `virtual` back-end, the tests,
// a technician's tool) and the vprinter server over loopback TCP. vprinter/README.md describes the
// conversation; this header is its one byte layout, pure: bytes in, values out.
//
// Every frame, request or reply, is a 12-byte header and a payload:
//   0-1   'V' 'P'
//   2     version (kVersion)
//   3     verb
//   4     status (replies; 0 in requests)
//   5-7   0
//   8-11  payload length, big-endian, at most kMaxPayload
// A reply carries the verb of its request. A client sends one request and reads its reply before the
// next; the server answers every request, in order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace protocol::vport {

inline constexpr std::uint8_t kMagic0 = 'V';
inline constexpr std::uint8_t kMagic1 = 'P';
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 12;
// Large enough for any write a host makes in one call (the print buffer holds 4 MiB), small enough
// that a broken client cannot make the server hold much.
inline constexpr std::uint32_t kMaxPayload = 4u * 1024u * 1024u + 64u;

enum class Verb : std::uint8_t {
    ListPorts = 0x01,  // reply: one line per printer, "PORT MODEL\n"
    Open = 0x02,       // payload: the port name ("USB1", "LPT2")
    Close = 0x03,
    Write = 0x04,      // payload: the bytes; reply: the count taken (4 bytes, big-endian)
    Read = 0x05,       // payload: largest count, time-out in ms (4 bytes each, big-endian)
    DeviceId = 0x06,   // reply: the IEEE 1284 device ID text, without a length prefix
    SoftReset = 0x07,  // the USB class soft reset or the parallel init line
    Control = 0x08,    // payload: "PORT key=value ..."; reply: text (vprinter/README.md)
};

enum class Status : std::uint8_t {
    Ok = 0,
    NoSuchPort = 1,       // no printer at that port name: the port is absent
    PortBusy = 2,         // another client has the port open
    NotOpen = 3,          // the request needs an open port and this connection has none
    PortUnavailable = 4,  // the printer is there but will not open (switched off, cable out)
    BadRequest = 5,       // unknown verb, wrong payload, unknown control key
    Disconnected = 6,     // the printer dropped the line; close and open again
    BadVersion = 7,       // the server speaks another version; it closes the connection
};

struct FrameHeader {
    std::uint8_t version = kVersion;
    Verb verb = Verb::ListPorts;
    Status status = Status::Ok;
    std::uint32_t payloadLength = 0;
};

enum class HeaderProblem { None, BadMagic, BadVersion, TooLarge };

inline void PutBigEndian32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

inline std::uint32_t GetBigEndian32(const std::uint8_t* in) {
    return (static_cast<std::uint32_t>(in[0]) << 24) | (static_cast<std::uint32_t>(in[1]) << 16) |
           (static_cast<std::uint32_t>(in[2]) << 8) | static_cast<std::uint32_t>(in[3]);
}

inline void EncodeHeader(const FrameHeader& header, std::uint8_t out[kHeaderSize]) {
    out[0] = kMagic0;
    out[1] = kMagic1;
    out[2] = header.version;
    out[3] = static_cast<std::uint8_t>(header.verb);
    out[4] = static_cast<std::uint8_t>(header.status);
    out[5] = out[6] = out[7] = 0;
    PutBigEndian32(out + 8, header.payloadLength);
}

// Reads a header. The version is returned even when it is not ours, so that the server can answer
// BadVersion before it closes.
inline HeaderProblem DecodeHeader(const std::uint8_t in[kHeaderSize], FrameHeader* header) {
    if (in[0] != kMagic0 || in[1] != kMagic1) {
        return HeaderProblem::BadMagic;
    }
    header->version = in[2];
    header->verb = static_cast<Verb>(in[3]);
    header->status = static_cast<Status>(in[4]);
    header->payloadLength = GetBigEndian32(in + 8);
    if (header->version != kVersion) {
        return HeaderProblem::BadVersion;
    }
    if (header->payloadLength > kMaxPayload) {
        return HeaderProblem::TooLarge;
    }
    return HeaderProblem::None;
}

// A whole frame in one buffer.
inline std::vector<std::uint8_t> EncodeFrame(Verb verb, Status status,
                                             std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> frame(kHeaderSize + payload.size());
    EncodeHeader(FrameHeader{kVersion, verb, status, static_cast<std::uint32_t>(payload.size())},
                 frame.data());
    if (!payload.empty()) {
        std::copy(payload.begin(), payload.end(), frame.begin() + kHeaderSize);
    }
    return frame;
}

inline std::vector<std::uint8_t> EncodeFrame(Verb verb, Status status, std::string_view text) {
    return EncodeFrame(
        verb, status,
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// The payload of a Read request.
struct ReadRequest {
    std::uint32_t largest = 0;
    std::uint32_t timeoutMilliseconds = 0;
};

inline std::vector<std::uint8_t> EncodeReadRequest(const ReadRequest& request) {
    std::vector<std::uint8_t> payload(8);
    PutBigEndian32(payload.data(), request.largest);
    PutBigEndian32(payload.data() + 4, request.timeoutMilliseconds);
    return payload;
}

inline std::optional<ReadRequest> DecodeReadRequest(std::span<const std::uint8_t> payload) {
    if (payload.size() != 8) {
        return std::nullopt;
    }
    return ReadRequest{GetBigEndian32(payload.data()), GetBigEndian32(payload.data() + 4)};
}

// The payload of a Write reply: the count taken.
inline std::vector<std::uint8_t> EncodeCount(std::uint32_t count) {
    std::vector<std::uint8_t> payload(4);
    PutBigEndian32(payload.data(), count);
    return payload;
}

inline std::optional<std::uint32_t> DecodeCount(std::span<const std::uint8_t> payload) {
    if (payload.size() != 4) {
        return std::nullopt;
    }
    return GetBigEndian32(payload.data());
}

inline const char* StatusName(Status status) {
    switch (status) {
        case Status::Ok:
            return "ok";
        case Status::NoSuchPort:
            return "no such port";
        case Status::PortBusy:
            return "port busy";
        case Status::NotOpen:
            return "port not open";
        case Status::PortUnavailable:
            return "port unavailable";
        case Status::BadRequest:
            return "bad request";
        case Status::Disconnected:
            return "disconnected";
        case Status::BadVersion:
            return "unsupported protocol version";
    }
    return "unknown status";
}

}  // namespace protocol::vport
