// The transaction channel (socket 0 on both ends): the commands that start and end the transport,
// open and close channels and move credit, with their replies. The first payload byte is the command;
// a reply carries the command with its top bit set and, next, a result code. Pure.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "d4/Packet.h"

namespace d4 {

namespace command {
inline constexpr std::uint8_t kInit = 0x00;
inline constexpr std::uint8_t kOpenChannel = 0x01;
inline constexpr std::uint8_t kCloseChannel = 0x02;
inline constexpr std::uint8_t kCredit = 0x03;
inline constexpr std::uint8_t kCreditRequest = 0x04;
inline constexpr std::uint8_t kExit = 0x08;
inline constexpr std::uint8_t kGetSocketId = 0x09;
inline constexpr std::uint8_t kGetServiceName = 0x0A;
// Sent by either end about a packet it could not take; it has no reply.
inline constexpr std::uint8_t kError = 0x7F;
inline constexpr std::uint8_t kReplyBit = 0x80;
}  // namespace command

// The two protocol revisions the printers of the family accept in Init. Their transaction packets
// have the same layouts.
inline constexpr std::uint8_t kRevision10 = 0x10;
inline constexpr std::uint8_t kRevision20 = 0x20;

// Result codes of the replies.
namespace result {
inline constexpr std::uint8_t kSuccess = 0x00;
inline constexpr std::uint8_t kUnableToBegin = 0x01;  // Init before the printer is ready
inline constexpr std::uint8_t kRevisionNotSupported = 0x02;
inline constexpr std::uint8_t kCloseDenied = 0x03;
inline constexpr std::uint8_t kInsufficientResources = 0x04;
inline constexpr std::uint8_t kChannelAlreadyOpen = 0x05;
inline constexpr std::uint8_t kChannelClosed = 0x06;  // the channel was closed normally
inline constexpr std::uint8_t kCreditOverflow = 0x07;
inline constexpr std::uint8_t kCommandDenied = 0x08;        // the channel is not open, or no Init yet
inline constexpr std::uint8_t kServiceNotSupported = 0x09;  // no service at that socket
inline constexpr std::uint8_t kInvalidServiceName = 0x0B;
inline constexpr std::uint8_t kPacketSizeInvalid = 0x0C;
inline constexpr std::uint8_t kNullPacketSize = 0x0D;
}  // namespace result

// Error codes of the Error packet.
namespace error {
inline constexpr std::uint8_t kMalformedPacket = 0x80;   // a length below the header size
inline constexpr std::uint8_t kNoCredit = 0x81;          // a data packet without credit
inline constexpr std::uint8_t kPacketTooLarge = 0x83;    // longer than the channel's packet size
inline constexpr std::uint8_t kChannelNotOpen = 0x84;    // a data packet on a closed channel
inline constexpr std::uint8_t kUnknownCommand = 0x85;    // a transaction command the peer lacks
inline constexpr std::uint8_t kTruncatedCommand = 0x86;  // a transaction command cut short
}  // namespace error

// One transaction message, request or reply; the fields a command does not carry stay 0.
struct Transaction {
    std::uint8_t command = 0;                    // with kReplyBit for replies
    std::uint8_t result = 0;                     // replies (not the Error packet)
    std::uint8_t revision = 0;                   // Init
    Channel channel;                             // Open, Close, Credit, CreditRequest, Error
    std::uint16_t largestHostToPrinter = 0;      // Open: largest packet, host to printer
    std::uint16_t largestPrinterToHost = 0;      // Open: largest packet, printer to host
    std::uint16_t credit = 0;                    // Open, Credit, CreditRequest (asked or granted)
    std::uint16_t largestOutstandingCredit = 0;  // Open and CreditRequest requests
    std::uint8_t socket = 0;                     // GetSocketId reply, GetServiceName
    std::string serviceName;                     // GetSocketId, GetServiceName reply
    std::uint8_t errorCode = 0;                  // Error

    bool IsReply() const { return (command & command::kReplyBit) != 0 && command != command::kError; }
};

// Payload of a transaction packet; the caller wraps it with EncodeTransactionPacket.
std::vector<std::uint8_t> EncodeTransaction(const Transaction& message);

// The whole packet on the transaction channel. Every transaction packet of this family carries one
// credit in its header: the sender lets the peer send one transaction packet back.
std::vector<std::uint8_t> EncodeTransactionPacket(const Transaction& message);

enum class DecodeProblem { None, Empty, Truncated, UnknownCommand };

// Reads a transaction payload. Trailing bytes after what a command needs are ignored. An unknown
// command yields UnknownCommand with `command` filled in.
DecodeProblem DecodeTransaction(std::span<const std::uint8_t> payload, Transaction* message);

// Builders of the requests a host sends and the replies a printer sends.
Transaction InitRequest(std::uint8_t revision);
Transaction InitReply(std::uint8_t resultCode, std::uint8_t revision);
Transaction OpenChannelRequest(Channel channel, std::uint16_t largestHostToPrinter,
                               std::uint16_t largestPrinterToHost, std::uint16_t credit,
                               std::uint16_t largestOutstandingCredit);
Transaction OpenChannelReply(std::uint8_t resultCode, Channel channel, std::uint16_t largestHostToPrinter,
                             std::uint16_t largestPrinterToHost, std::uint16_t credit);
Transaction CloseChannelRequest(Channel channel);
Transaction CloseChannelReply(std::uint8_t resultCode, Channel channel);
Transaction CreditGrant(Channel channel, std::uint16_t credit);
Transaction CreditGrantReply(std::uint8_t resultCode, Channel channel);
Transaction CreditRequest(Channel channel, std::uint16_t credit, std::uint16_t largestOutstandingCredit);
Transaction CreditRequestReply(std::uint8_t resultCode, Channel channel, std::uint16_t credit);
Transaction ExitRequest();
Transaction ExitReply(std::uint8_t resultCode);
Transaction GetSocketIdRequest(const std::string& serviceName);
Transaction GetSocketIdReply(std::uint8_t resultCode, std::uint8_t socket, const std::string& serviceName);
Transaction GetServiceNameRequest(std::uint8_t socket);
Transaction GetServiceNameReply(std::uint8_t resultCode, std::uint8_t socket, const std::string& serviceName);
Transaction ErrorPacket(Channel channel, std::uint8_t errorCode);

}  // namespace d4
