// The IEEE 1284.4 channel library: seven functions over the port that Plexer has open. Every function
// returns a 16-bit status word in a 32-bit result; 0x0001 is success.
//
// A session runs D4Negotiation, any of the exchanges, then D4Termination. The port must be open
// through Plexer (PortOpenByPlex) before D4Negotiation and stays open after D4Termination.
//
// ReceiveDataChannel takes no length. It writes at most the payload of one packet of the data
// channel, and the printer's packets are negotiated at kLargestPrinterPacket bytes, so it never
// writes more than kLargestDataReply (< 1024) bytes. What it writes is the printer's answer to the
// last SendDataChannel of the session (or, when nothing was sent or the answer was taken, the next
// packet the printer has waiting); it never joins two answers. A caller's buffer of 1024 bytes is
// always enough.
#pragma once

#include <cstdint>

#include "platform/CallingConvention.h"

namespace chanlink {

namespace status {
inline constexpr std::uint32_t kSuccess = 0x0001;
inline constexpr std::uint32_t kPortFailure = 0x1000;     // Plexer could not send or receive
inline constexpr std::uint32_t kNotNegotiated = 0x1200;   // no D4Negotiation, or it failed
inline constexpr std::uint32_t kNoCredit = 0x1201;        // the printer granted no credit to send
inline constexpr std::uint32_t kBadReply = 0x1202;        // no reply, a malformed one, or an Error packet
inline constexpr std::uint32_t kRefused = 0x1203;         // the printer answered "NA" or a non-zero result
inline constexpr std::uint32_t kLibraryMissing = 0xB000;  // Plexer or one of its functions is missing
inline constexpr std::uint32_t kCancelled = 0xD000;
}  // namespace status

// Packet sizes asked for in OpenChannel. The printer's packets stay below the 1024-byte window of one
// Plexer receive, so a reply packet is never split by the port driver's length check.
inline constexpr std::uint16_t kLargestHostPacket = 0x0400;
inline constexpr std::uint16_t kLargestPrinterPacket = 0x03F0;
inline constexpr std::uint32_t kLargestDataReply = kLargestPrinterPacket - 6;
// D4GetStatusReply's buffer: the text is cut to 1023 characters and always NUL-terminated.
inline constexpr std::uint32_t kStatusBufferSize = 1024;

}  // namespace chanlink

extern "C" {

// cancel: address of a one-byte flag; a non-zero flag ends the call with 0xD000 before the next
// transfer. A null address counts as not cancelled.
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4Negotiation(const std::uint8_t* cancel);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4Termination(const std::uint8_t* cancel);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetD4CommandRCode(std::uint32_t code1, std::uint32_t code2);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SendDataChannel(const std::uint8_t* data, std::uint32_t count,
                                                             const std::uint8_t* cancel);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ReceiveDataChannel(std::uint8_t* buffer);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4ReadEeprom(std::uint32_t address, std::uint8_t* value,
                                                          const std::uint8_t* cancel);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4GetStatusReply(char* buffer, const std::uint8_t* cancel);

}  // extern "C"
