// The packet transport library: ten KCBT_ entry points over an open port of the device seam, or in
// ECP-driver mode over the caller's I/O hooks. Results are signed 32-bit: 0 or more is success.
//
// KCBT_Write: -1 to -49 means the printer refused for now (no credit); try again later. -50 or
// below means the connection is gone (the port failed or dropped); open it again.
// KCBT_Read: -1 to -50 is an error of this read; below -50 the connection is gone. With a null buffer
// it writes the length of the oldest reply waiting on the channel (0 when none came within a short
// wait); with a buffer it copies that reply, cut to the length passed in, and writes the length copied.
#pragma once

#include <cstdint>

#include "platform/CallingConvention.h"

namespace cbt {

namespace result {
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kNoCredit = -1;       // the printer grants no credit now
inline constexpr std::int32_t kChannelClosed = -2;  // the channel is not open on this connection
inline constexpr std::int32_t kRefused = -3;        // the printer answered with a non-zero result
inline constexpr std::int32_t kNoReply = -4;        // no answer in time, or a malformed one
inline constexpr std::int32_t kBadArgument = -5;
inline constexpr std::int32_t kPortGone = -51;   // the port failed or dropped; the connection is dead
inline constexpr std::int32_t kBadHandle = -52;  // not a connection of this library
}  // namespace result

// ECP-driver mode: the transport moves bytes through these instead of the device seam. Each returns
// non-zero when the transfer succeeded and writes the bytes moved through count.
using IoHook = std::int32_t(TOLVANE_STDCALL*)(void* context, std::uint8_t* buffer, std::uint32_t length,
                                              std::uint32_t* count);
struct IoHookTable {
    std::uintptr_t reserved[4];  // zero
    IoHook write;
    IoHook read;
};

using Connection = void*;

}  // namespace cbt

extern "C" {

// port: a platform::DevicePort* open on the device seam; or, with hooks, the context the hooks get.
// Enters packet mode; on 0 writes a non-null connection to *connection.
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Open(void* port, const cbt::IoHookTable* hooks,
                                                      cbt::Connection* connection);
// Leaves packet mode if awake and frees the connection.
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Close(cbt::Connection connection);
// Enters packet mode again after KCBT_Sleep; channels must be opened again.
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Awake(cbt::Connection connection);
// Closes the open channels and leaves packet mode; the port is the plain stream again. The connection
// stays valid for KCBT_Awake and KCBT_Close; a new KCBT_Open on the same port replaces it.
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Sleep(cbt::Connection connection);
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Write(cbt::Connection connection, std::uint8_t channel,
                                                       const std::uint8_t* data, std::uint32_t* length);
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Read(cbt::Connection connection, std::uint8_t channel,
                                                      std::uint8_t* buffer, std::uint32_t* length);
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_OpenChannel(cbt::Connection connection,
                                                             std::uint8_t channel);
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_CloseChannel(cbt::Connection connection,
                                                              std::uint8_t channel);
// The printer's socket for a service name ("ORLEX-CTRL").
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_GetSocketID(cbt::Connection connection,
                                                             const char* serviceName, std::uint8_t* socket);
// The service name of a socket, NUL-terminated and cut to *length bytes with the NUL; *length gets the
// characters written without it.
TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_GetServiceName(cbt::Connection connection,
                                                                std::uint8_t socket, char* name,
                                                                std::uint32_t* length);

}  // extern "C"
